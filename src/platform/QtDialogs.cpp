#include "platform/QtDialogs.h"
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVariant>
#include <QWindow>

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

// Whether a window that stays on top is shown (besides `except`): boxes and
// modal windows must then stay on top too, or it would hide them.
bool stayOnTopShown(const QWidget *except)
{
    for (const QWidget *w : QApplication::topLevelWidgets())
        if (w != except && w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) return true;
    return false;
}

// A window about to be shown modally: above the window in front and never below one that stays on top.
void placeOver(QWidget *window, QWidget *opener)
{
    if (stayOnTopShown(window)) window->setWindowFlag(Qt::WindowStaysOnTopHint);
    window->winId();
    if (opener) window->windowHandle()->setTransientParent(opener->window()->windowHandle());
}

// The window in front when a modal window opened; it is in front again when that closes.
class Opener {
public:
    explicit Opener(QWidget *shown) : m_window(QApplication::activeWindow())
    {
        if (m_window == shown) m_window = nullptr;
        placeOver(shown, m_window);
    }
    ~Opener()
    {
        if (!m_window || !m_window->isVisible()) return;
        m_window->raise();
        m_window->activateWindow();
    }
    QWidget *window() const { return m_window; }

private:
    QPointer<QWidget> m_window;
};

// Room for the whole title in the window's title bar (with its buttons).
int titleRoom(const QWidget &window)
{
    return window.fontMetrics().horizontalAdvance(window.windowTitle()) + 120;
}

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
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))   // a message box takes no minimum width of its own
        grid->addItem(new QSpacerItem(titleRoom(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0,
                      1, grid->columnCount());
    // Esc answers with the most cautious button: Cancel if present, else No.
    box.setEscapeButton(box.button(choices.last().button));
    const Opener opener(&box);
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
    dialog.setMinimumWidth(titleRoom(dialog));
    const Opener opener(&dialog);
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
    const Opener opener(window);
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
