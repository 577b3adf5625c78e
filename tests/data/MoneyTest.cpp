#include "data/Money.h"
#include "platform/AppError.h"
#include <gtest/gtest.h>

TEST(Money, ParseAndPrint)
{
    struct Case { const char *text; const char *printed; };
    const Case cases[] = {
        {"0", "0"}, {"28.5", "28.5"}, {"28,5", "28.5"}, {"1 234,56", "1234.56"},
        {"-0.0001", "-0.0001"}, {"0.00005", "0"}, {"0.00015", "0.0002"}, {"2.00025", "2.0002"},
        {"+7", "7"}, {"922337203685477.5807", "922337203685477.5807"},
    };
    for (const Case &c : cases) {
        const auto m = Money::parse(QString::fromUtf8(c.text));
        ASSERT_TRUE(m.has_value()) << c.text;
        EXPECT_EQ(m->toString(), QString::fromLatin1(c.printed)) << c.text;
    }
    for (const char *bad : {"", " ", "abc", "1.2.3", "1,2,3", "-", "12a", "99999999999999999"})
        EXPECT_FALSE(Money::parse(QString::fromUtf8(bad)).has_value()) << bad;
}

TEST(Money, RoundingTiesToEven)
{
    EXPECT_EQ(Money::fromDouble(0.00005).units(), 0);
    EXPECT_EQ(Money::fromDouble(0.00015).units(), 2);
    EXPECT_EQ(Money::fromDouble(-0.00015).units(), -2);
    EXPECT_EQ(Money::fromDouble(1.1).units(), 11000);   // no binary drift
    EXPECT_EQ(Money::parse("2.5")->roundedToInteger(), 2);
    EXPECT_EQ(Money::parse("3.5")->roundedToInteger(), 4);
    EXPECT_EQ(Money::parse("-2.5")->roundedToInteger(), -2);
    EXPECT_EQ(Money::parse("2.7")->truncatedToInteger(), 2);
    EXPECT_EQ(Money::parse("-2.7")->truncatedToInteger(), -2);
    EXPECT_EQ(Money::parse("28.5")->toFixed(2), "28.50");
    EXPECT_EQ(Money::parse("0.125")->toFixed(2), "0.12");
    EXPECT_EQ(Money::parse("0.135")->toFixed(2), "0.14");
}

TEST(Money, ArithmeticIsExact)
{
    const Money rate = *Money::parse("28.5");
    const Money price = *Money::parse("1000");
    EXPECT_EQ((price / rate).toString(), "35.0877");          // 35.08771.. rounded
    EXPECT_EQ((*Money::parse("35.0877") * rate).toString(), "999.9994");   // 999.99945: a tie, to even
    EXPECT_EQ((*Money::parse("0.1") + *Money::parse("0.2")).toString(), "0.3");
    EXPECT_THROW(price / Money(), AppError);
}
