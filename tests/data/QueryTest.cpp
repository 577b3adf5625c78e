#include "support/TestDatabase.h"
#include "data/Query.h"
#include "platform/AppError.h"
#include <gtest/gtest.h>

namespace {

int maxPlusOne(Connection &c, const QString &table, const QString &key)
{
    Query q(c, QStringLiteral("SELECT Max(%1) as Max%1 FROM %2").arg(key, table));
    q.open();
    return q.fieldByName("Max" + key).asInteger() + 1;
}

} // namespace

// The eight new-key queries: 1 on an empty table, the highest key + 1 after,
// and the same key again once the highest row is deleted.
TEST(Query, MaxPlusOneRule)
{
    TestDatabase db;
    const QList<QPair<QString, QString>> keys = {
        {"BazaSale", "IDBazaSale"}, {"BazaSpros", "IDBazaSpros"},
        {"BazaSprosVarMest", "IDBazaSprosVarMest"}, {"SprTown", "IDTown"}, {"SprRaion", "IDRaion"},
        {"SprStreet", "IDStreet"}, {"SprKlient", "IDKlient"}, {"SprSotrud", "IDSotrud"},
    };
    for (const auto &[table, key] : keys) {
        SCOPED_TRACE(table.toStdString());
        EXPECT_EQ(maxPlusOne(db.connection, table, key), 1);
        db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (3), (7)").arg(table, key));
        EXPECT_EQ(maxPlusOne(db.connection, table, key), 8);
        db.exec(QStringLiteral("DELETE FROM %1 WHERE %2=7").arg(table, key));
        EXPECT_EQ(maxPlusOne(db.connection, table, key), 4);
    }
}

TEST(Query, ExistenceCheckAndTypedResults)
{
    TestDatabase db;
    Command ins(db.connection, "INSERT INTO BazaSale (IDBazaSale, NameType, Price, DateReg, Lift) "
                               "VALUES (:ID, :NameType, :Price, :DateReg, :Lift)");
    ins.setParam("ID", 5);
    ins.setParam("NameType", QStringLiteral("Квартира"));
    ins.setParam("Price", QVariant::fromValue(*Money::parse("1234567.8901")));
    ins.setParam("DateReg", QDate(2006, 1, 9));
    ins.setParam("Lift", true);
    EXPECT_EQ(ins.execute(), 1);

    Query q(db.connection, "SELECT * FROM BazaSale WHERE IDBazaSale=" + QString::number(5));
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldByName("Price").asMoney().toString(), "1234567.8901");
    EXPECT_EQ(q.fieldByName("DateReg").asDate(), QDate(2006, 1, 9));
    EXPECT_TRUE(q.fieldByName("Lift").asBool());
    EXPECT_TRUE(q.fieldByName("KolRoom").isNull());
    EXPECT_EQ(q.fieldByName("NameType").info().width, 30);

    Query none(db.connection, "SELECT * FROM BazaSale WHERE IDBazaSale=" + QString::number(6));
    none.open();
    EXPECT_TRUE(none.isEmpty());
    EXPECT_THROW(none.edit(), AppError);   // query results are read-only
}

// The search texts: a parameter name used twice gets one value at both places,
// money compares exactly, and text compares without regard to Cyrillic letter case.
TEST(Query, RepeatedParametersAndCaseInsensitiveText)
{
    TestDatabase db;
    db.exec("INSERT INTO BazaSpros (IDBazaSpros, NameType, LevelMin, LevelMax, S_KuhMin) VALUES "
            "(1, 'Квартира', 5, 5, 0), (2, 'КВАРТИРА', 1, 4, 80000), (3, 'Дом', 1, 9, 0), (4, 'квартира', 2, 9, NULL)");
    Query q(db.connection, "SELECT * FROM BazaSpros WHERE (NameType=:NameType)"
                           " and ((LevelMin<=:Level) and (LevelMax>=:Level)) and (S_KuhMin<=:S_Kuh)");
    EXPECT_EQ(q.paramNames(), QStringList({"NameType", "Level", "S_Kuh"}));
    q.setParam("NameType", QStringLiteral("квартира"));
    q.setParam("Level", 5);
    q.setParam("S_Kuh", QVariant::fromValue(*Money::parse("8")));
    q.open();
    QList<int> found;
    for (q.first(); !q.eof(); q.next()) found << q.fieldByName("IDBazaSpros").asInteger();
    EXPECT_EQ(found, QList<int>({1}));   // 2: floor 5 outside 1..4; 4: no kitchen bound; 3: another type

    q.close();
    q.setParam("S_Kuh", QVariant::fromValue(*Money::parse("8.0001")));
    q.setParam("Level", 3);
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldByName("IDBazaSpros").asInteger(), 2);
    EXPECT_THROW(q.setParam("Nope", 1), AppError);
}

TEST(Query, ParameterNamesSkipQuotedText)
{
    SqlText t;
    t.setSql("SELECT * FROM BazaSale WHERE info=':NotParam' and NameType=:NameType and Home=\":x\"");
    EXPECT_EQ(t.paramNames(), QStringList({"NameType"}));
}

TEST(Query, ErrorsCarryRussianText)
{
    TestDatabase db;
    Query q(db.connection, "SELECT * FROM NoSuchTable");
    try {
        q.open();
        FAIL() << "no error";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("В базе данных нет таблицы «NoSuchTable»."))) << e.text().toStdString();
    }
    EXPECT_FALSE(q.active());
}
