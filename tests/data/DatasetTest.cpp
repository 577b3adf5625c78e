#include "support/ColumnValues.h"
#include "support/TestDatabase.h"
#include "data/Dataset.h"
#include "data/Query.h"
#include "platform/AppError.h"
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

int countRows(Connection &c, const QString &sql)
{
    Query q(c, sql);
    q.open();
    return q.recordCount();
}

} // namespace

TEST(Dataset, NavigationAndStates)
{
    TestDatabase db;
    db.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Тверь'), (2, 'Клин'), (3, 'Дубна')");
    Table t(db.connection, "SprTown");
    EXPECT_THROW(t.first(), AppError);   // closed
    t.open();
    EXPECT_EQ(t.state(), Dataset::State::Browse);
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_TRUE(t.bof());
    EXPECT_FALSE(t.eof());
    QList<int> seen;
    for (t.first(); !t.eof(); t.next()) seen << t.fieldByName("IDTown").asInteger();
    EXPECT_EQ(seen, QList<int>({1, 2, 3}));
    t.last();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 2);

    EXPECT_TRUE(t.locate("NameTown", QStringLiteral("Клин")));
    EXPECT_EQ(t.fieldByName("IDTown").asInteger(), 2);
    EXPECT_FALSE(t.locate("NameTown", QStringLiteral("Москва")));
    EXPECT_EQ(t.fieldByName("IDTown").asInteger(), 2);   // stays where it was
    EXPECT_TRUE(t.locate("IDTown", QStringLiteral("3")));
    EXPECT_FALSE(t.locate("IDTown", QStringLiteral("x")));
    EXPECT_THROW(t.locate("NoField", 1), AppError);
    EXPECT_THROW(t.fieldByName("IDTown").setInteger(9), AppError);   // not editing
}

TEST(Dataset, InsertEditDeleteReachTheFile)
{
    TestDatabase db;
    Table t(db.connection, "SprKlient");
    t.open();
    t.append();
    EXPECT_EQ(t.state(), Dataset::State::Insert);
    t.fieldByName("IDKlient").setInteger(1);
    t.fieldByName("NameKlient").setString(QStringLiteral("Иванов И.И."));
    t.post();
    t.append();
    t.fieldByName("IDKlient").setInteger(2);
    t.fieldByName("NameKlient").setString(QStringLiteral("Петров"));
    t.cancel();                                   // never reaches the file
    EXPECT_EQ(t.recordCount(), 1);
    t.edit();
    t.fieldByName("TelKlient").setString("123-45-67");
    t.next();                                     // moving stores the edit
    EXPECT_EQ(t.state(), Dataset::State::Browse);
    EXPECT_EQ(countRows(db.connection, "SELECT * FROM SprKlient WHERE TelKlient='123-45-67'"), 1);

    t.edit();
    t.fieldByName("TelKlient").setString("000");
    t.cancel();
    EXPECT_EQ(t.fieldByName("TelKlient").asString(), "123-45-67");

    t.insert();
    t.fieldByName("IDKlient").setInteger(5);
    t.post();
    EXPECT_EQ(t.recNo(), 0);                      // inserted before the current row
    EXPECT_EQ(columnInts(t, "IDKlient"), QList<int>({5, 1}));
    t.deleteRecord();
    EXPECT_EQ(t.fieldByName("IDKlient").asInteger(), 1);   // the following row becomes current
    t.deleteRecord();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_THROW(t.deleteRecord(), AppError);
    EXPECT_THROW(t.edit(), AppError);
    EXPECT_EQ(countRows(db.connection, "SELECT * FROM SprKlient"), 0);

    t.requery();
    EXPECT_TRUE(t.isEmpty());
}

TEST(Dataset, CounterIsFilledByTheDatabase)
{
    TestDatabase db;
    Table firm(db.connection, "Firm");
    firm.open();
    firm.append();
    EXPECT_THROW(firm.fieldByName("IDFirm").setInteger(5), AppError);
    firm.fieldByName("Name").setString(QStringLiteral("Домлар"));
    firm.post();
    EXPECT_EQ(firm.fieldByName("IDFirm").asInteger(), 1);
}

// A text longer than its column is refused; the row stays as it was, in memory and in the file.
TEST(Dataset, TextWidthIsEnforced)
{
    TestDatabase db;
    db.exec("INSERT INTO BazaSale (IDBazaSale, NameType) VALUES (1, 'Дом')");
    Table t(db.connection, "BazaSale");
    t.open();
    t.edit();
    const QString word31(31, QChar(0x0416));
    try {
        t.fieldByName("NameType").setString(word31);
        FAIL() << "accepted";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().contains("NameType")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("30")) << e.text().toStdString();
    }
    EXPECT_EQ(t.fieldByName("NameType").asString(), QStringLiteral("Дом"));
    t.fieldByName("NameType").setString(QString(30, QChar(0x0416)));   // exactly the width is fine
    t.post();
    EXPECT_EQ(countRows(db.connection, "SELECT * FROM BazaSale WHERE length(NameType)=30"), 1);

    // The file guards the width too, whatever writes to it.
    EXPECT_THROW(db.exec("UPDATE BazaSale SET NameType='" + word31 + "'"), AppError);
}

TEST(Dataset, TypedFieldsAndEmptyDates)
{
    TestDatabase db;
    Table t(db.connection, "BazaSale");
    t.open();
    t.append();
    t.fieldByName("IDBazaSale").setInteger(1);
    t.fieldByName("Price").setString(QStringLiteral("1 500 000,12345"));   // rounds to four decimals
    t.fieldByName("S_Obsh").setMoney(*Money::parse("54.3"));
    t.fieldByName("DogBegin1").setDate(Schema::zeroDate());
    t.fieldByName("DateReg").setString("09.01.2006");
    t.fieldByName("KolRoom").setString("3");
    t.fieldByName("Lift").setBool(true);
    EXPECT_THROW(t.fieldByName("KolRoom").setString(QStringLiteral("три")), AppError);
    EXPECT_THROW(t.fieldByName("Price").setString("abc"), AppError);
    EXPECT_THROW(t.fieldByName("NewNameTown").setString("x"), AppError);
    t.post();

    t.requery();
    EXPECT_EQ(t.fieldByName("Price").asMoney().toString(), "1500000.1234");
    EXPECT_EQ(t.fieldByName("S_Obsh").asString(), "54.3");
    EXPECT_EQ(t.fieldByName("DogBegin1").asDate(), QDate(1899, 12, 30));
    EXPECT_FALSE(t.fieldByName("DogBegin1").isNull());   // the zero date is stored, not an empty value
    EXPECT_TRUE(t.fieldByName("DogEnd1").isNull());
    EXPECT_EQ(t.fieldByName("DogEnd1").asDate(), Schema::zeroDate());   // empty reads as the zero date
    EXPECT_EQ(t.fieldByName("DateReg").asString(), "09.01.2006");
    EXPECT_EQ(t.fieldByName("KolRoom").asInteger(), 3);
    EXPECT_EQ(t.fieldByName("Level").asInteger(), 0);
    EXPECT_TRUE(t.fieldByName("Lift").asBool());
    EXPECT_EQ(countRows(db.connection, "SELECT * FROM BazaSale WHERE DogBegin1='1899-12-30' AND Price=15000001234"), 1);
}

TEST(Dataset, BinaryFromFile)
{
    TestDatabase db;
    const QByteArray bytes("\x00\xff\x10jpeg", 7);
    const QString file = db.dir.write(QStringLiteral("фото.jpg"), bytes);
    Table t(db.connection, "DopDocSale");
    t.open();
    t.append();
    t.fieldByName("DataDopDoc").loadFromFile(file);
    EXPECT_THROW(t.fieldByName("DataDopDoc").loadFromFile(db.dir.file("нет.jpg")), AppError);
    t.post();
    t.requery();
    EXPECT_EQ(t.fieldByName("DataDopDoc").asBytes(), bytes);
}

// Ordering by a field list (text without regard to case), the filter F='V'
// switched on and off, and the current record kept across both.
TEST(Dataset, OrderAndFilter)
{
    TestDatabase db;
    db.exec("INSERT INTO SprRaion (IDRaion, NameRaion, IDTown) VALUES "
            "(1, 'центр', 2), (2, 'Заречье', 1), (3, 'Вокзал', 2), (4, 'Южный', 1), (5, 'Ёлки', 2), (6, 'O''Hara', 1)");
    Table t(db.connection, "SprRaion");
    t.setSort({"IDTown", "NameRaion"});
    t.open();
    EXPECT_EQ(columnInts(t, "IDRaion"), QList<int>({6, 2, 4, 3, 5, 1}));   // "Ёлки" between "Вокзал" and "центр"
    t.setSort({"NameRaion"});
    EXPECT_EQ(columnTexts(t, "NameRaion").first(), "O'Hara");

    ASSERT_TRUE(t.locate("IDRaion", 3));
    t.setFilterText("IDTown='2'");
    EXPECT_EQ(t.recordCount(), 6);   // not yet switched on
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.fieldByName("IDRaion").asInteger(), 3);
    t.setFilterText("NameRaion='O''Hara'");
    EXPECT_EQ(columnInts(t, "IDRaion"), QList<int>({6}));
    t.setFilterText("NameRaion='ЦЕНТР'");   // the filter holds exactly the value shown
    EXPECT_TRUE(t.isEmpty());
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 6);
    EXPECT_THROW(t.setFilterText("NoField='1'"), AppError);
    EXPECT_THROW(t.setFilterText("NameRaion=1"), AppError);
    EXPECT_THROW(t.setFilterText("NameRaion='O'Hara'"), AppError);
    EXPECT_EQ(t.filterText(), "NameRaion='ЦЕНТР'");   // a refused text leaves the old one
    EXPECT_THROW(t.setSort({"NoField"}), AppError);
}

TEST(Dataset, FilterOnEmptyTextAndMoney)
{
    TestDatabase db;
    db.exec("INSERT INTO BazaSale (IDBazaSale, Home, Price) VALUES (1, '', 12500000), (2, NULL, 12500000), (3, '5', 0)");
    Table t(db.connection, "BazaSale");
    t.open();
    t.setFilterText("Home=''");
    t.setFiltered(true);
    EXPECT_EQ(columnInts(t, "IDBazaSale"), QList<int>({1}));   // the empty text, not the empty value
    t.setFilterText("Price='1250,00'");
    EXPECT_EQ(columnInts(t, "IDBazaSale"), QList<int>({1, 2}));
}

// Detail datasets follow the parent's current row, in the order of the link
// field, and fill the link field of a new row.
TEST(Dataset, MasterDetail)
{
    TestDatabase db;
    db.exec("INSERT INTO BazaSpros (IDBazaSpros) VALUES (10), (20)");
    db.exec("INSERT INTO BazaSprosVarMest (IDBazaSprosVarMest, IDBazaSpros) VALUES (1, 20), (2, 10), (3, 20), (4, NULL)");
    Table master(db.connection, "BazaSpros");
    Table detail(db.connection, "BazaSprosVarMest");
    detail.setMasterLink(&master, "IDBazaSpros", "IDBazaSpros");
    detail.setSort({"IDBazaSpros"});
    master.open();
    detail.open();
    EXPECT_EQ(columnInts(detail, "IDBazaSprosVarMest"), QList<int>({2}));
    master.next();
    EXPECT_EQ(columnInts(detail, "IDBazaSprosVarMest"), QList<int>({1, 3}));

    detail.append();
    EXPECT_EQ(detail.fieldByName("IDBazaSpros").asInteger(), 20);
    detail.fieldByName("IDBazaSprosVarMest").setInteger(5);
    detail.post();
    EXPECT_EQ(countRows(db.connection, "SELECT * FROM BazaSprosVarMest WHERE IDBazaSpros=20"), 3);

    master.first();
    EXPECT_EQ(detail.recordCount(), 1);
    master.deleteRecord();                 // deleting the parent leaves its details in the table
    EXPECT_EQ(columnInts(detail, "IDBazaSprosVarMest"), QList<int>({1, 3, 5}));
    EXPECT_EQ(countRows(db.connection, "SELECT * FROM BazaSprosVarMest"), 5);
    master.deleteRecord();
    EXPECT_TRUE(detail.isEmpty());          // no parent row: no details
}

TEST(Dataset, LookupFields)
{
    TestDatabase db;
    db.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Тверь'), (2, 'Клин')");
    db.exec("INSERT INTO BazaSale (IDBazaSale, IDTown) VALUES (1, 1), (2, 0), (3, 2), (4, NULL), (5, 9)");
    Table sale(db.connection, "BazaSale");
    Table town(db.connection, "SprTown");
    sale.addLookupField("NewNameTown", "IDTown", &town, "IDTown", "NameTown", 50);
    sale.open();
    EXPECT_TRUE(sale.fieldByName("NewNameTown").isNull());   // source not open yet
    town.open();
    EXPECT_EQ(columnTexts(sale, "NewNameTown"), QStringList({"Тверь", "", "Клин", "", ""}));

    ASSERT_TRUE(town.locate("IDTown", 2));
    town.deleteRecord();
    EXPECT_EQ(sale.value(2, sale.fieldIndex("NewNameTown")).toString(), "");   // a deleted row shows empty
    town.append();
    town.fieldByName("IDTown").setInteger(9);
    town.fieldByName("NameTown").setString(QStringLiteral("Дубна"));
    town.post();
    EXPECT_EQ(sale.value(4, sale.fieldIndex("NewNameTown")).toString(), QStringLiteral("Дубна"));

    sale.setSort({"NewNameTown"});
    EXPECT_EQ(columnInts(sale, "IDBazaSale"), QList<int>({2, 3, 4, 5, 1}));   // no match sorts first
}

// The master moves while a detail row is edited: the row is stored under its own master,
// and the detail then shows the new master's rows.
TEST(Dataset, MasterMovesDuringADetailEdit)
{
    TestDatabase db;
    db.exec("INSERT INTO BazaSpros (IDBazaSpros) VALUES (10), (20)");
    db.exec("INSERT INTO BazaSprosVarMest (IDBazaSprosVarMest, IDBazaSpros) VALUES (1, 10), (2, 20)");
    Table master(db.connection, "BazaSpros");
    Table detail(db.connection, "BazaSprosVarMest");
    detail.setMasterLink(&master, "IDBazaSpros", "IDBazaSpros");
    master.open();
    detail.open();
    ASSERT_EQ(columnInts(detail, "IDBazaSprosVarMest"), QList<int>({1}));
    detail.append();
    detail.fieldByName("IDBazaSprosVarMest").setInteger(3);
    master.last();
    EXPECT_EQ(detail.state(), Dataset::State::Insert);   // the edited row stays where it is
    detail.post();
    EXPECT_EQ(countRows(db.connection, "SELECT * FROM BazaSprosVarMest WHERE IDBazaSprosVarMest=3 AND IDBazaSpros=10"), 1);
    EXPECT_EQ(columnInts(detail, "IDBazaSprosVarMest"), QList<int>({2}));

    detail.edit();
    master.first();
    detail.cancel();
    EXPECT_EQ(columnInts(detail, "IDBazaSprosVarMest"), QList<int>({1, 3}));
}

// A lookup through a query reads its source by key without moving it, and reads empty once
// the source is closed or gone instead of reading through a dangling pointer.
TEST(Dataset, LookupValueAndAGoneSource)
{
    TestDatabase db;
    db.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Тверь'), (2, 'Клин')");
    db.exec("INSERT INTO BazaSale (IDBazaSale, IDTown) VALUES (1, 2)");
    auto town = std::make_unique<Table>(db.connection, "SprTown");
    town->open();
    EXPECT_EQ(town->lookupValue("IDTown", 2, "NameTown").toString(), QStringLiteral("Клин"));
    EXPECT_TRUE(town->lookupValue("IDTown", 7, "NameTown").isNull());
    EXPECT_EQ(town->recNo(), 0);

    Query found(db.connection, "SELECT IDBazaSale, IDTown FROM BazaSale");
    found.addLookupField("NewNameTown", "IDTown", town.get(), "IDTown", "NameTown", 50);
    found.open();
    EXPECT_EQ(columnTexts(found, "NewNameTown"), QStringList({QStringLiteral("Клин")}));
    town->close();
    EXPECT_EQ(columnTexts(found, "NewNameTown"), QStringList({""}));
    town.reset();
    EXPECT_EQ(columnTexts(found, "NewNameTown"), QStringList({""}));
}

// requery reads the file again and keeps the current record where it still exists.
TEST(Dataset, RequeryKeepsTheCurrentRecord)
{
    TestDatabase db;
    db.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Тверь'), (2, 'Клин'), (3, 'Дубна')");
    Table t(db.connection, "SprTown");
    t.open();
    ASSERT_TRUE(t.locate("IDTown", 2));
    db.exec("UPDATE SprTown SET NameTown='Клин-2' WHERE IDTown=2");
    db.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (0, 'Первый')");
    t.requery();
    EXPECT_EQ(t.fieldByName("IDTown").asInteger(), 2);
    EXPECT_EQ(t.fieldByName("NameTown").asString(), QStringLiteral("Клин-2"));
}

// A stored money or date text that is not a value is refused at open with what to do,
// instead of turning into "no value" that the next store would write back.
TEST(Dataset, UnreadableStoredValueIsRefused)
{
    struct Case { const char *sql; const char *field; };
    const Case cases[] = {
        {"INSERT INTO BazaSale (IDBazaSale, Price) VALUES (1, 'много')", "Price"},
        {"INSERT INTO BazaSale (IDBazaSale, DateReg) VALUES (1, '31.02.2020')", "DateReg"},
    };
    for (const Case &c : cases) {
        TestDatabase db;
        db.exec(c.sql);
        Table t(db.connection, "BazaSale");
        try {
            t.open();
            ADD_FAILURE() << c.field << ": opened";
        } catch (const AppError &e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.field))) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(QStringLiteral("восстановите"))) << e.text().toStdString();
        }
    }
}

// Grids follow a dataset through its signals: each insert and removal is announced before and after.
TEST(Dataset, SignalsBracketChanges)
{
    TestDatabase db;
    db.exec("INSERT INTO SprTown (IDTown) VALUES (1), (2)");
    Table t(db.connection, "SprTown");
    t.open();
    QStringList events;
    QObject::connect(&t, &Dataset::aboutToInsertRow, [&](int r) { events << QString("+?%1/%2").arg(r).arg(t.recordCount()); });
    QObject::connect(&t, &Dataset::rowInserted, [&](int r) { events << QString("+%1/%2").arg(r).arg(t.recordCount()); });
    QObject::connect(&t, &Dataset::aboutToRemoveRow, [&](int r) { events << QString("-?%1/%2").arg(r).arg(t.recordCount()); });
    QObject::connect(&t, &Dataset::rowRemoved, [&](int r) { events << QString("-%1/%2").arg(r).arg(t.recordCount()); });
    QSignalSpy moved(&t, &Dataset::currentChanged);
    t.append();
    t.cancel();
    t.deleteRecord();
    EXPECT_EQ(events, QStringList({"+?2/2", "+2/3", "-?2/3", "-2/2", "-?0/2", "-0/1"}));
    EXPECT_GE(moved.count(), 2);
}

// A read-only file opens and reads; a write fails with a clear text and nothing is half-stored.
TEST(Dataset, ReadOnlyFile)
{
    TestDatabase db;
    db.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Тверь')");
    db.connection.close();
    QFile::setPermissions(db.path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    Connection c;
    c.open(Connection::connectionTextFor(db.path));
    EXPECT_TRUE(c.readOnly());
    Table t(c, "SprTown");
    t.open();
    EXPECT_EQ(t.fieldByName("NameTown").asString(), QStringLiteral("Тверь"));
    t.edit();
    t.fieldByName("NameTown").setString(QStringLiteral("Клин"));
    try {
        t.post();
        FAIL() << "stored";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("только для чтения"))) << e.text().toStdString();
    }
    EXPECT_EQ(t.state(), Dataset::State::Browse);
    EXPECT_EQ(t.fieldByName("NameTown").asString(), QStringLiteral("Тверь"));
    t.append();
    t.fieldByName("IDTown").setInteger(2);
    EXPECT_THROW(t.post(), AppError);
    EXPECT_EQ(t.recordCount(), 1);
}
