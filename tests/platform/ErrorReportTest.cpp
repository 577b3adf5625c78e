#include "platform/ErrorReport.h"
#include "platform/ScriptedDialogs.h"
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// The texts shown in "Ошибка", in order.
QStringList errorsShown(const ScriptedDialogs &d)
{
    QStringList out;
    for (const auto &c : d.calls())
        if (c.title == QStringLiteral("Ошибка")) out << c.text;
    return out;
}

} // namespace

// What a handler throws is shown once, where it was thrown, and the next event is handled as usual.
TEST(ErrorReport, ThrownTypesAreShownOnce)
{
    struct Case { std::function<void()> fail; QString shown; };
    const Case cases[] = {
        {[] { throw AppError(QStringLiteral("Текст ошибки")); }, QStringLiteral("Текст ошибки")},
        {[] { throw std::runtime_error("plain"); }, QStringLiteral("plain")},
        {[] { throw 42; }, QStringLiteral("Непредвиденная ошибка программы.")},
    };
    for (const Case &c : cases) {
        ScopedScriptedDialogs d;
        d.answerMessage(Dialogs::Ok);
        QPushButton button;
        int after = 0;
        QObject::connect(&button, &QPushButton::clicked, guarded([&] { c.fail(); }));
        QObject::connect(&button, &QPushButton::clicked, [&] { ++after; });
        button.click();
        EXPECT_EQ(errorsShown(d), QStringList{c.shown});
        EXPECT_EQ(after, 1);   // the program goes on: later slots still run
    }
}

// A guarded slot receives the signal's arguments when it takes them.
TEST(ErrorReport, GuardedForwardsArguments)
{
    ScopedScriptedDialogs d;
    d.answerMessage(Dialogs::Ok);
    QListWidget list;
    list.addItems({"первый", "второй"});
    QString clicked;
    QObject::connect(&list, &QListWidget::itemDoubleClicked, guarded([&](QListWidgetItem *item) {
        clicked = item->text();
        throw AppError("Нет строки «" + item->text() + "»");
    }));
    emit list.itemDoubleClicked(list.item(1));
    EXPECT_EQ(clicked, QStringLiteral("второй"));
    EXPECT_EQ(errorsShown(d), QStringList{QStringLiteral("Нет строки «второй»")});
}

// A timer's slot is a slot like any other: its failure is shown and the timer keeps firing.
TEST(ErrorReport, TimerKeepsRunningAfterAFailure)
{
    ScopedScriptedDialogs d;
    d.answerMessage(Dialogs::Ok);
    QTimer timer;
    timer.setInterval(1);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, guarded([&] {
        if (++ticks == 1) throw AppError(QStringLiteral("Сбой таймера"));
    }));
    timer.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
    EXPECT_EQ(errorsShown(d), QStringList{QStringLiteral("Сбой таймера")});
}
