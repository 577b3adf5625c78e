#include "app/MainWindowTexts.h"
#include <gtest/gtest.h>

TEST(MainWindowTexts, DateLine)
{
    EXPECT_EQ(dateLine(QDate(2006, 1, 9)), QStringLiteral("Сегодня Понедельник, месяц Январь, число 9"));
    EXPECT_EQ(dateLine(QDate(2006, 1, 1)), QStringLiteral("Сегодня Воскресенье, месяц Январь, число 1"));
    EXPECT_EQ(dateLine(QDate(2026, 12, 12)), QStringLiteral("Сегодня Суббота, месяц Декабрь, число 12"));
}

TEST(MainWindowTexts, WorkTimeClock)
{
    struct Case { int seconds; const char *shown; };
    const Case cases[] = {
        {0, "00:00:00"}, {1, "00:00:01"}, {59, "00:00:59"}, {60, "00:01:00"},
        {3599, "00:59:59"}, {3600, "01:00:00"}, {100 * 3600, "100:00:00"},
    };
    for (const Case &c : cases) {
        WorkTimeCounter counter;
        for (int i = 0; i < c.seconds; ++i) counter.tick();
        EXPECT_EQ(counter.text(), QString::fromLatin1(c.shown)) << c.seconds;
    }
}

TEST(MainWindowTexts, Title)
{
    EXPECT_EQ(mainWindowTitle(false, QStringLiteral("Агентство")), QStringLiteral("\"ЛАРМИС\" Домлар"));
    EXPECT_EQ(mainWindowTitle(true, QStringLiteral("Агентство")), QStringLiteral("\"ЛАРМИС\" - Домлар (Агентство)"));
    // No name stored (no Firm row, a null or an empty name): never a blank title.
    for (const QVariant &none : {QVariant(), QVariant(QString()), QVariant(QStringLiteral("  "))})
        EXPECT_EQ(mainWindowTitle(true, none), QStringLiteral("\"ЛАРМИС\" - Домлар"));
}
