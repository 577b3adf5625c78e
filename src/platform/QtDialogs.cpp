#include "platform/QtDialogs.h"
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVariant>

namespace {

QMessageBox::Icon iconFor(Dialogs::Kind kind)
{
    switch (kind) {
    case Dialogs::Kind::Information: return QMessageBox::Information;
    case Dialogs::Kind::Confirmation: return QMessageBox::Question;
    case Dialogs::Kind::Warning: return QMessageBox::Warning;
    case Dialogs::Kind::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// Ends the local loop of showModal when the window hides and
// takes its modal result at that moment, since a window closed with
// WA_DeleteOnClose may be gone by the time the loop returns.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget *window, QEventLoop *loop) : m_loop(loop) { window->installEventFilter(this); }
    int result = Dialogs::Cancel;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide) {
            const QVariant value = watched->property("modalResult");
            if (value.isValid())
                result = value.toInt();
            m_loop->quit();
        }
        return false;
    }

private:
    QEventLoop *m_loop;
};

} // namespace

int QtDialogs::message(Kind kind, const QString &text, Buttons buttons)
{
    QMessageBox box(iconFor(kind), title(kind), text, QMessageBox::NoButton, QApplication::activeWindow());
    struct Choice { QMessageBox::StandardButton button; const char *label; int result; };
    QList<Choice> choices;
    switch (buttons) {
    case Buttons::Ok: choices = {{QMessageBox::Ok, "OK", Ok}}; break;
    case Buttons::Yes: choices = {{QMessageBox::Yes, "Да", Yes}}; break;
    case Buttons::Cancel: choices = {{QMessageBox::Cancel, "Отменить", Cancel}}; break;
    case Buttons::OkCancel:
        choices = {{QMessageBox::Ok, "OK", Ok}, {QMessageBox::Cancel, "Отменить", Cancel}};
        break;
    case Buttons::YesCancel:
        choices = {{QMessageBox::Yes, "Да", Yes}, {QMessageBox::Cancel, "Отменить", Cancel}};
        break;
    case Buttons::YesNo: choices = {{QMessageBox::Yes, "Да", Yes}, {QMessageBox::No, "Нет", No}}; break;
    case Buttons::YesNoCancel:
        choices = {{QMessageBox::Yes, "Да", Yes}, {QMessageBox::No, "Нет", No},
                   {QMessageBox::Cancel, "Отменить", Cancel}};
        break;
    }
    for (const Choice &c : choices)
        box.addButton(c.button)->setText(QString::fromUtf8(c.label));
    box.setDefaultButton(choices.first().button);
    // Esc answers with the most cautious button: Cancel if present, else No.
    box.setEscapeButton(box.button(choices.last().button));
    box.exec();
    for (const Choice &c : choices)
        if (box.clickedButton() == box.button(c.button))
            return c.result;
    return choices.last().result;
}

bool QtDialogs::inputBox(const QString &title, const QString &prompt, QString &value)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Отменить"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.textValue();
    return true;
}

QString QtDialogs::openFile(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, qtFilter(filter));
}

QString QtDialogs::saveFile(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, folder, qtFilter(filter));
}

int QtDialogs::showModal(QWidget *window)
{
    if (auto *dialog = qobject_cast<QDialog *>(window))
        return dialog->exec();

    // A plain widget: block the rest of the program until it is hidden.
    window->setProperty("modalResult", QVariant());
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatcher watcher(window, &loop);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    loop.exec(QEventLoop::DialogExec);
    return watcher.result;
}

QString QtDialogs::qtFilter(const QString &filter)
{
    if (filter.isEmpty())
        return {};
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QStringList masks;
        if (i + 1 < parts.size())
            for (const QString &mask : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
                masks << mask.trimmed();
        if (masks.isEmpty())
            masks << QStringLiteral("*");
        entries << QStringLiteral("%1 (%2)").arg(parts[i], masks.join(QLatin1Char(' ')));
    }
    return entries.join(QStringLiteral(";;"));
}
