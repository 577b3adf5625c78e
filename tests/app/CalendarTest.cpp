#include "app/Calendar.h"
#include "app/Zastav.h"
#include "support/ProgramForms.h"
#include <QAction>
#include <QCalendarWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

// Opened from "Сервис", the calendar shows this month; its arrows page through the
// months, and Esc closes it.
TEST(Calendar, ArrowsPageThroughMonthsAndEscapeCloses)
{
    ProgramForms f;
    const QDate today = QDate::currentDate();
    QStringList shown;
    bool closed = false;
    f.answerModal([&](QDialog *d) {
        auto *calendar = d->findChild<QCalendarWidget *>("Calendar1");
        auto month = [&] { return QDate(calendar->yearShown(), calendar->monthShown(), 1); };
        shown << month().toString("MM.yyyy");
        // The month calendar's own arrows.
        auto *next = calendar->findChild<QToolButton *>("qt_calendar_nextmonth");
        auto *previous = calendar->findChild<QToolButton *>("qt_calendar_prevmonth");
        ASSERT_TRUE(next && previous);
        ASSERT_TRUE(next->isVisible() && previous->isVisible());
        QTest::mouseClick(next, Qt::LeftButton);
        shown << month().toString("MM.yyyy");
        QTest::mouseClick(previous, Qt::LeftButton);
        QTest::mouseClick(previous, Qt::LeftButton);
        shown << month().toString("MM.yyyy");
        QTest::keyClick(d, Qt::Key_Escape);
        closed = !d->isVisible();
    });
    FZastav->findChild<QAction *>("NCalendar")->trigger();
    const QDate first(today.year(), today.month(), 1);
    EXPECT_EQ(shown, QStringList({first.toString("MM.yyyy"), first.addMonths(1).toString("MM.yyyy"),
                                  first.addMonths(-1).toString("MM.yyyy")}));
    EXPECT_TRUE(closed);
    EXPECT_TRUE(f.dialogs.allAnswered());
}
