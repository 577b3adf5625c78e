#include "data/DisplayText.h"
#include "data/FilterText.h"
#include "data/Money.h"
#include "data/Schema.h"
#include "platform/AppError.h"
#include <QDate>
#include <gtest/gtest.h>

// How values are shown everywhere: grids, edits, rate windows, exports.
TEST(DisplayText, ValuesAsTheProgramShowsThem)
{
    const QChar nb(0x00A0);
    struct Case { FieldType type; QVariant value; QString format; QString shown; };
    const Case cases[] = {
        {FieldType::Money, QVariant::fromValue(*Money::parse("1234.5")), {}, QStringLiteral("1") + nb + QStringLiteral("234,50")},
        {FieldType::Money, QVariant::fromValue(*Money::parse("-1234567.125")), QStringLiteral("0.0000"), QStringLiteral("-1234567,1250")},
        {FieldType::Money, QVariant::fromValue(*Money::parse("2500.6")), QStringLiteral("0"), QStringLiteral("2501")},
        {FieldType::Money, QVariant::fromValue(*Money::parse("25000")), QStringLiteral(",0.00"), QStringLiteral("25") + nb + QStringLiteral("000,00")},
        {FieldType::Money, QVariant::fromValue(Money()), {}, QString()},
        {FieldType::Integer, 0, {}, QString()},
        {FieldType::Integer, 42, {}, QStringLiteral("42")},
        {FieldType::Date, QDate(2027, 6, 1), {}, QStringLiteral("01.06.2027")},
        {FieldType::Date, Schema::zeroDate(), {}, QString()},
        {FieldType::Bool, true, {}, QString()},
        {FieldType::Binary, QByteArray("x"), {}, QStringLiteral("(данные)")},
        {FieldType::Text, QStringLiteral("пр. Кирова"), {}, QStringLiteral("пр. Кирова")},
        {FieldType::Text, QVariant(), {}, QString()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(displayText(c.type, c.value, c.format), c.shown) << c.shown.toStdString();
}

TEST(FilterText, ConditionsAndRefusals)
{
    struct Case { const char *text; const char *field; const char *value; };
    const Case read[] = {
        {"NameType='квартира'", "NameType", "квартира"},
        {"  Home = '7а' ", "Home", "7а"},
        {"Street='Д''Арк'", "Street", "Д'Арк"},
        {"Info=''", "Info", ""},
    };
    for (const Case &c : read) {
        const FilterCondition f = FilterCondition::parse(QString::fromUtf8(c.text));
        EXPECT_EQ(f.field, QString::fromUtf8(c.field)) << c.text;
        EXPECT_EQ(f.value, QString::fromUtf8(c.value)) << c.text;
    }
    for (const char *bad : {"", "NameType", "='x'", "NameType=x", "NameType='Д'Арк'", "NameType='x"})
        EXPECT_THROW(FilterCondition::parse(QString::fromUtf8(bad)), AppError) << bad;
}
