#include "platform/AppError.h"
#include "platform/QtDialogs.h"
#include "support/QtPrinters.h"
#include "platform/ScriptedDialogs.h"
#include <QApplication>
#include <QDialog>
#include <QWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

TEST(QtDialogs, ConvertsDelphiFiltersToQtFilters)
{
    const QPair<QString, QString> cases[] = {
        {"Файлы данных (mde)|*.mde", "Файлы данных (mde) (*.mde)"},
        {"Текст|*.txt|Все файлы|*.*", "Текст (*.txt);;Все файлы (*.*)"},
        {"Картинки|*.bmp;*.jpg; *.png", "Картинки (*.bmp *.jpg *.png)"},
        {"Без маски", "Без маски (*)"},
        {"", ""},
    };
    for (const auto &[delphi, qt] : cases)
        EXPECT_EQ(QtDialogs::qtFilter(delphi), qt) << delphi.toStdString();
}

namespace {

// Runs action on the message box as soon as the dialogs under test show it.
void onMessageBox(const std::function<void(QMessageBox *)> &action)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                timer->deleteLater();
                timer->stop();
                action(box);
                return;
            }
        }
    });
    timer->start(10);
}

QPushButton *buttonWithText(QMessageBox *box, const QString &text)
{
    for (QAbstractButton *b : box->buttons())
        if (b->text() == text)
            return qobject_cast<QPushButton *>(b);
    return nullptr;
}

} // namespace

TEST(QtDialogs, MessageBoxHasRussianButtonsAndMapsTheAnswer)
{
    using B = Dialogs::Buttons;
    struct Case { B buttons; QStringList labels; const char *press; int expected; };
    const Case cases[] = {
        {B::YesNoCancel, {"Да", "Нет", "Отменить"}, "Нет", Dialogs::No},
        {B::YesNoCancel, {"Да", "Нет", "Отменить"}, "Esc", Dialogs::Cancel},
        {B::YesNo, {"Да", "Нет"}, "Да", Dialogs::Yes},
        {B::YesNo, {"Да", "Нет"}, "Esc", Dialogs::No},
        {B::Ok, {"OK"}, "OK", Dialogs::Ok},
    };
    QtDialogs dialogs;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.press);
        QString title;
        QStringList labels;
        onMessageBox([&](QMessageBox *box) {
            title = box->windowTitle();
            for (QAbstractButton *b : box->buttons())
                labels << b->text();
            if (QString(c.press) == "Esc")
                QTest::keyClick(box, Qt::Key_Escape);
            else if (QPushButton *b = buttonWithText(box, c.press))
                b->click();
            else
                box->done(0);   // let the test fail instead of hanging
        });
        EXPECT_EQ(dialogs.message(Dialogs::Kind::Confirmation, "Удалить?", c.buttons), c.expected);
        EXPECT_EQ(title, "Подтвердить");
        labels.sort();
        QStringList expectedLabels = c.labels;
        expectedLabels.sort();
        EXPECT_EQ(labels, expectedLabels);
    }
}

// A modal window opens over the window in front, not over its parent, and that
// window is in front again when it closes.
TEST(QtDialogs, ModalWindowLeavesItsOpenerInFront)
{
    QtDialogs dialogs;
    QWidget main;
    main.show();
    QWidget opener(&main, Qt::Window);
    opener.show();
    QApplication::setActiveWindow(&opener);
    QDialog card(&main);
    bool overOpener = false;
    QTimer::singleShot(0, &card, [&] {
        overOpener = card.windowHandle()->transientParent() == opener.windowHandle();
        card.done(Dialogs::No);
    });
    EXPECT_EQ(dialogs.showModal(&card), Dialogs::No);
    QCoreApplication::processEvents();
    EXPECT_TRUE(overOpener);
    EXPECT_EQ(QApplication::activeWindow(), &opener);
}

// While a window that stays on top is shown, message boxes stay on top too.
TEST(QtDialogs, MessageBoxComesAboveAWindowThatStaysOnTop)
{
    QtDialogs dialogs;
    for (bool rates : {false, true}) {
        QWidget window(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
        if (rates) window.show();
        bool onTop = !rates;
        onMessageBox([&](QMessageBox *box) {
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->done(0);
        });
        dialogs.message(Dialogs::Kind::Confirmation, "Выйти из программы?", Dialogs::Buttons::YesNo);
        EXPECT_EQ(onTop, rates);
    }
}

TEST(QtDialogs, ShowModalOfAPlainWidgetReturnsItsModalResult)
{
    QtDialogs dialogs;
    for (const QVariant &result : {QVariant(Dialogs::Yes), QVariant()}) {
        QWidget window;
        QTimer::singleShot(0, &window, [&] {
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(window.windowModality(), Qt::ApplicationModal);
            window.setProperty("modalResult", result);
            window.close();
        });
        EXPECT_EQ(dialogs.showModal(&window), result.isValid() ? Dialogs::Yes : Dialogs::Cancel);
    }
}

TEST(ScriptedDialogs, RecordsCallsAndAnswersInOrder)
{
    ScriptedDialogs d;
    d.answerMessage(Dialogs::Yes);
    d.answerMessage(Dialogs::Cancel);
    d.answerInput(true, "Новое");
    d.answerInput(false, "ignored");
    d.answerFile("/tmp/a.mde");
    d.answerFile("");
    QWidget *shown = nullptr;
    d.answerModal([&](QWidget *w) { shown = w; return int(Dialogs::Ok); });
    EXPECT_FALSE(d.allAnswered());

    EXPECT_TRUE(d.confirm("Удалить?"));
    EXPECT_EQ(d.message(Dialogs::Kind::Warning, "Сохранить?", Dialogs::Buttons::YesNoCancel), Dialogs::Cancel);
    QString value = "старое";
    EXPECT_TRUE(d.inputBox("Имя", "Введите имя", value));
    EXPECT_EQ(value, "Новое");
    EXPECT_FALSE(d.inputBox("Имя", "Ещё раз", value));
    EXPECT_EQ(value, "Новое");
    EXPECT_EQ(d.openFile("Открыть", "/tmp", "Базы|*.mde"), "/tmp/a.mde");
    EXPECT_EQ(d.saveFile("Сохранить", "/tmp", "Текст|*.txt"), "");
    QWidget window;
    window.setObjectName("OrderForm");
    window.setWindowTitle("Заказ");
    EXPECT_EQ(d.showModal(&window), Dialogs::Ok);
    EXPECT_EQ(shown, &window);
    EXPECT_TRUE(d.allAnswered());

    const QList<QStringList> expected = {
        {"message", "Подтвердить", "Удалить?"}, {"message", "Предупреждение", "Сохранить?"},
        {"input", "Имя", "Введите имя"},         {"input", "Имя", "Ещё раз"},
        {"open", "Открыть", "Базы|*.mde"},       {"save", "Сохранить", "Текст|*.txt"},
        {"modal", "OrderForm", "Заказ"},
    };
    ASSERT_EQ(d.calls().size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const ScriptedDialogs::Call &c = d.calls()[i];
        EXPECT_EQ(QStringList({c.what, c.title, c.text}), expected[i]) << i;
    }
}

TEST(ScriptedDialogs, UnansweredCallThrows)
{
    ScriptedDialogs d;
    d.answerFile("only for open");   // file and modal answers do not answer other dialogs
    d.answerModal([](QWidget *) { return 1; });
    EXPECT_THROW(d.information("Готово"), std::logic_error);
    QString value;
    EXPECT_THROW(d.inputBox("Имя", "Введите", value), std::logic_error);
    EXPECT_EQ(d.openFile("Открыть", "", ""), "only for open");
    EXPECT_THROW(d.saveFile("Сохранить", "", ""), std::logic_error);
    QWidget window;
    EXPECT_EQ(d.showModal(&window), 1);
    EXPECT_THROW(d.showModal(&window), std::logic_error);
}

TEST(ScriptedDialogs, ScopedInstallationRestoresThePreviousDialogs)
{
    Dialogs *const original = Dialogs::installed();
    EXPECT_THROW(Dialogs::instance(), AppError);   // nothing installed: no dialog can pop up by accident
    {
        ScopedScriptedDialogs outer;
        EXPECT_EQ(&dialogs(), &outer);
        {
            ScopedScriptedDialogs inner;
            EXPECT_EQ(&dialogs(), &inner);
        }
        EXPECT_EQ(&dialogs(), &outer);
    }
    EXPECT_EQ(Dialogs::installed(), original);
}
