#include "data/ColumnStore.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"
#include <gtest/gtest.h>

namespace {

// Reads the value of `SELECT <expression>` into the column; false when it was refused.
bool readInto(Connection &c, StoredColumn &column, const QString &expression)
{
    Statement st(c, "SELECT " + expression);
    EXPECT_TRUE(st.step());
    return column.read(st.handle(), 0);
}

StoredColumn columnOf(FieldType type, int width = 0)
{
    return StoredColumn(FieldInfo::stored("F", type, width));
}

QVariant money(int64_t units) { return QVariant::fromValue(Money::fromUnits(units)); }

} // namespace

// Every kind of stored value a result column can hold, read as each field type.
TEST(ColumnStore, ReadsResultColumnsAsTheFieldType)
{
    struct Case { FieldType type; const char *sql; QVariant value; bool accepted; };
    const Case cases[] = {
        {FieldType::Integer, "7", 7, true},
        {FieldType::Integer, "NULL", QVariant(), true},
        {FieldType::Counter, "2147483647", 2147483647, true},
        {FieldType::Money, "15000000000", money(15000000000), true},
        {FieldType::Money, "12.5", money(125000), true},
        {FieldType::Money, "'1 234,50'", money(12345000), true},
        {FieldType::Money, "'abc'", QVariant(), false},
        {FieldType::Date, "'2027-06-01'", QDate(2027, 6, 1), true},
        {FieldType::Date, "'2027-06-01 10:30:00'", QDate(2027, 6, 1), true},
        {FieldType::Date, "'2024-02-29'", QDate(2024, 2, 29), true},
        {FieldType::Date, "'2023-02-29'", QVariant(), false},
        {FieldType::Date, "'01.06.2027'", QVariant(), false},
        {FieldType::Date, "0", QDate(1899, 12, 30), true},   // a day count from the zero date
        {FieldType::Date, "45000", QDate(2023, 3, 15), true},
        {FieldType::Date, "45000.75", QDate(2023, 3, 15), true},   // the time of day is dropped
        {FieldType::Bool, "1", true, true},
        {FieldType::Bool, "0", false, true},
        {FieldType::Text, "'Тверь'", QStringLiteral("Тверь"), true},
        {FieldType::Text, "''", QString(""), true},
        {FieldType::Binary, "x'00ff'", QByteArray("\x00\xff", 2), true},
    };
    TestDatabase db;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        StoredColumn column = columnOf(c.type, 20);
        EXPECT_EQ(readInto(db.connection, column, c.sql), c.accepted);
        ASSERT_EQ(column.nulls.size(), 1u);
        EXPECT_EQ(column.get(0), c.value);
        EXPECT_EQ(column.get(0).isValid(), c.value.isValid());
    }
}

TEST(ColumnStore, SetThenGetGivesTheValueBack)
{
    struct Case { FieldType type; QVariant value; };
    const Case cases[] = {
        {FieldType::Integer, -42},
        {FieldType::Money, money(-10001)},
        {FieldType::Date, QDate(2027, 12, 31)},
        {FieldType::Bool, true},
        {FieldType::Text, QStringLiteral("Кирпич")},
        {FieldType::Binary, QByteArray("\x01\x02", 2)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        StoredColumn column = columnOf(c.type, 20);
        column.pushNull();
        EXPECT_FALSE(column.get(0).isValid());
        column.set(0, c.value);
        EXPECT_EQ(column.get(0), c.value);
        column.set(0, QVariant());
        EXPECT_FALSE(column.get(0).isValid());
    }
}

// Short texts that repeat share one copy; wide columns and mostly distinct texts do not try.
TEST(ColumnStore, RepeatedShortTextsShareOneCopy)
{
    TestDatabase db;
    StoredColumn shortTexts = columnOf(FieldType::Text, 20), wide = columnOf(FieldType::Text, 200);
    for (StoredColumn *column : {&shortTexts, &wide})
        for (int i = 0; i < 3; ++i) readInto(db.connection, *column, "'Кирпич'");
    EXPECT_EQ(shortTexts.texts[0].constData(), shortTexts.texts[2].constData());
    EXPECT_NE(wide.texts[0].constData(), wide.texts[2].constData());

    Statement st(db.connection, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 6000) "
                                "SELECT 'Улица ' || i FROM n");
    StoredColumn distinct = columnOf(FieldType::Text, 20);
    while (st.step()) distinct.read(st.handle(), 0);
    EXPECT_FALSE(distinct.intern);
    EXPECT_TRUE(distinct.interned.empty());
    ASSERT_EQ(distinct.texts.size(), 6000u);
    EXPECT_EQ(distinct.texts[5999], "Улица 6000");
}

TEST(ColumnStore, FirstRowWithSkipsDeletedAndNoValueRows)
{
    StoredColumn numbers = columnOf(FieldType::Integer);
    for (const QVariant &v : {QVariant(5), QVariant(7), QVariant(5), QVariant(), QVariant(9)}) {
        numbers.pushNull();
        numbers.set(numbers.nulls.size() - 1, v);
    }
    std::vector<uint8_t> deleted(5, 0);
    EXPECT_EQ(numbers.firstRowWith(5, deleted, 1), 0);
    EXPECT_EQ(numbers.firstRowWith(8, deleted, 1), -1);
    EXPECT_EQ(numbers.firstRowWith(0, deleted, 1), -1);   // the row without a value
    deleted[0] = 1;
    numbers.set(4, 11);
    EXPECT_EQ(numbers.firstRowWith(5, deleted, 2), 2);    // a new version reads the rows again
    EXPECT_EQ(numbers.firstRowWith(11, deleted, 2), 4);

    StoredColumn texts = columnOf(FieldType::Text, 20);
    for (const char *t : {"Тверь", "Клин", "Тверь"}) {
        texts.pushNull();
        texts.set(texts.nulls.size() - 1, QString::fromUtf8(t));
    }
    std::vector<uint8_t> firstGone{1, 0, 0};
    EXPECT_EQ(texts.firstRowWith(QStringLiteral("Тверь"), firstGone, 1), 2);
    EXPECT_EQ(texts.firstRowWith(QStringLiteral("тверь"), firstGone, 1), -1);

    StoredColumn bytes = columnOf(FieldType::Binary);
    bytes.pushNull();
    bytes.set(0, QByteArray("Тверь"));
    EXPECT_EQ(bytes.firstRowWith(QByteArray("Тверь"), {0}, 1), -1);

    StoredColumn dates = columnOf(FieldType::Date);
    dates.pushNull();
    dates.set(0, QDate(2027, 6, 1));
    EXPECT_EQ(dates.firstRowWith(QDate(2027, 6, 1), {0}, 1), 0);
}

TEST(ColumnStore, IsoDatesAsJulianDays)
{
    struct Case { const char *text; QDate date; };   // an invalid date: refused
    const Case cases[] = {
        {"2027-06-01", QDate(2027, 6, 1)},      {"1899-12-30", QDate(1899, 12, 30)},
        {"2000-02-29", QDate(2000, 2, 29)},     {"1900-02-29", QDate()},
        {"2027-13-01", QDate()},                {"2027-04-31", QDate()},
        {"2027-6-1", QDate()},                  {"2027-06-0x", QDate()},
        {"0000-01-01", QDate()},                {"2027-06-01T08:00", QDate(2027, 6, 1)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const int64_t jd = julianFromIso(reinterpret_cast<const unsigned char *>(c.text), int(strlen(c.text)));
        EXPECT_EQ(jd, c.date.isValid() ? c.date.toJulianDay() : -1);
    }
}
