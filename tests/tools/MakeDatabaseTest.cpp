#include "data/Connection.h"
#include "data/Schema.h"
#include "platform/AppError.h"
#include "support/TempDir.h"
#include "tools/DeliveredDatabase.h"
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Every row of a query, each as its columns joined by '|' (NULL as "∅").
QStringList rows(Connection &c, const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(c.handle(), text.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(c.handle()));
    QStringList out;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList cols;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i)
            cols << (sqlite3_column_type(stmt, i) == SQLITE_NULL
                         ? QStringLiteral("∅")
                         : QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i))));
        out << cols.join('|');
    }
    sqlite3_finalize(stmt);
    return out;
}

qlonglong scalar(Connection &c, const QString &sql)
{
    const QStringList r = rows(c, sql);
    return r.isEmpty() ? -1 : r.first().toLongLong();
}

void openExisting(Connection &c, const QString &path)
{
    c.open(Connection::connectionTextFor(path));
}

DemoSizes small(uint32_t seed = 1)
{
    DemoSizes s = DemoSizes::forCount(50);
    s.seed = seed;
    return s;
}

const QStringList DemoTables = {"SprTown", "SprRaion", "SprStreet", "SprKlient", "SprSotrud",
                                "SprUE", "Firm", "BazaSale", "BazaSpros", "BazaSprosVarMest"};

QStringList dump(const QString &path)
{
    Connection c;
    openExisting(c, path);
    QStringList all;
    for (const QString &t : DemoTables)
        all << t << rows(c, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(t));
    return all;
}

} // namespace

TEST(MakeDatabase, CreatesEveryTableAndColumn)
{
    TempDir dir;
    const QString path = dir.file("Data/domlar.mde");   // the folder does not exist yet
    Delivered::makeDatabase(path);
    Connection c;
    openExisting(c, path);
    for (const TableDef &t : Schema::tables()) {
        QStringList expected;
        for (const ColumnDef &col : t.columns)
            expected << col.name;
        QStringList actual;
        for (const QString &r : rows(c, QStringLiteral("PRAGMA table_info(%1)").arg(t.name)))
            actual << r.section('|', 1, 1);
        EXPECT_EQ(actual, expected) << t.name.toStdString();
    }
    QStringList catalogue;
    for (const QString &r : rows(c, "PRAGMA table_info(ColumnDescription)"))
        catalogue << r.section('|', 1, 1);
    EXPECT_EQ(catalogue, QStringList({"TableName", "ColumnName", "Description"}));
}

TEST(MakeDatabase, HasTheAgencyRowAndReadableDescriptions)
{
    TempDir dir;
    const QString path = dir.file("domlar.mde");
    Delivered::makeDatabase(path);
    Connection c;
    openExisting(c, path);
    EXPECT_EQ(scalar(c, "SELECT count(*) FROM Firm"), 1);
    EXPECT_TRUE(rows(c, "SELECT Name FROM Firm").first().contains("Домлар"));

    for (const QString table : {"Firm", "SprKlient"}) {
        QSet<QString> texts;
        for (const ColumnDef &col : Schema::table(table)->columns) {
            const QStringList d = rows(c, QStringLiteral(
                "SELECT Description FROM ColumnDescription WHERE TableName = '%1' AND ColumnName = '%2'")
                .arg(table, col.name));
            ASSERT_EQ(d.size(), 1) << col.name.toStdString();
            EXPECT_FALSE(d.first().isEmpty());
            texts.insert(d.first());
        }
        EXPECT_EQ(texts.size(), qsizetype(Schema::table(table)->columns.size())) << "repeated description";
    }
}

TEST(MakeDatabase, FillsEveryAttributeList)
{
    TempDir dir;
    const QString path = dir.file("domlar.mde");
    Delivered::makeDatabase(path);
    Connection c;
    openExisting(c, path);
    ASSERT_EQ(Schema::attributeLists().size(), 13u);
    for (const auto &list : Schema::attributeLists()) {
        const QStringList words = rows(c, QStringLiteral("SELECT %1 FROM %2").arg(list.column, list.table));
        EXPECT_EQ(words, Delivered::starterWords(list.table)) << list.table.toStdString();
        EXPECT_GE(words.size(), 2) << list.table.toStdString();
        for (const QString &w : words)
            EXPECT_LE(w.size(), 30);
    }
}

TEST(MakeDatabase, NeverOverwritesAFile)
{
    TempDir dir;
    const QByteArray bytes = "not a database, but somebody's file";
    const QString path = dir.write("domlar.mde", bytes);
    EXPECT_THROW(Delivered::makeDatabase(path, small()), AppError);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
}

TEST(MakeDatabase, CannotBeReadWithoutThePassword)
{
    TempDir dir;
    const QString path = dir.file("domlar.mde");
    Delivered::makeDatabase(path);

    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr), SQLITE_NOTADB);
    sqlite3_close_v2(db);

    Connection c;
    EXPECT_THROW(c.open("Data Source=" + path + ";Jet OLEDB:Database Password=wrong"), AppError);
}

TEST(MakeDatabase, SameSeedGivesTheSameData)
{
    TempDir dir;
    Delivered::makeDatabase(dir.file("a.mde"), small(7));
    Delivered::makeDatabase(dir.file("b.mde"), small(7));
    Delivered::makeDatabase(dir.file("c.mde"), small(8));
    const QStringList a = dump(dir.file("a.mde"));
    EXPECT_EQ(a, dump(dir.file("b.mde")));
    EXPECT_NE(a, dump(dir.file("c.mde")));
}

TEST(MakeDatabase, DemoDataHangsTogether)
{
    TempDir dir;
    const QString path = dir.file("demo.mde");
    const DemoCounts counts = Delivered::makeDatabase(path, small());
    Connection c;
    openExisting(c, path);
    for (const auto &[table, n] : counts)
        EXPECT_EQ(scalar(c, "SELECT count(*) FROM " + table), n) << table.toStdString();
    EXPECT_EQ(scalar(c, "SELECT count(*) FROM BazaSale"), 50);
    EXPECT_EQ(scalar(c, "SELECT count(*) FROM BazaSpros"), 50);
    EXPECT_EQ(scalar(c, "SELECT count(*) FROM SprKlient"), 10);
    EXPECT_GT(scalar(c, "SELECT count(*) FROM SprUE"), 100);
    EXPECT_EQ(scalar(c, "SELECT count(*) FROM SprUE WHERE Tec = 1"), 1);

    // Each query counts the rows that break a rule; all must be zero.
    const QStringList broken = {
        "SELECT count(*) FROM SprStreet s LEFT JOIN SprRaion r ON r.IDRaion = s.IDRaion "
        "WHERE r.IDRaion IS NULL OR r.IDTown <> s.IDTown",
        "SELECT count(*) FROM SprRaion r LEFT JOIN SprTown t ON t.IDTown = r.IDTown WHERE t.IDTown IS NULL",
        "SELECT count(*) FROM BazaSale b LEFT JOIN SprStreet s ON s.IDStreet = b.IDStreet "
        "WHERE s.IDStreet IS NULL OR s.IDRaion <> b.IDRaion OR s.IDTown <> b.IDTown",
        "SELECT count(*) FROM BazaSale WHERE IDKlient NOT IN (SELECT IDKlient FROM SprKlient)",
        "SELECT count(*) FROM BazaSale WHERE IDSotrud NOT IN (SELECT IDSotrud FROM SprSotrud)",
        "SELECT count(*) FROM BazaSale WHERE Level > LevelOf OR S_Jil >= S_Obsh OR S_Kuh >= S_Jil "
        "OR H_Potolok NOT BETWEEN 25000 AND 32000 OR Price <= 0 OR PriceUSD <= 0",
        "SELECT count(*) FROM BazaSale WHERE NameType NOT IN (SELECT NameType FROM SprType) "
        "OR NameWater NOT IN (SELECT NameWater FROM SprWater) "
        "OR NameBalkon NOT IN (SELECT NameBalkon FROM SprBalkon)",
        "SELECT count(*) FROM BazaSpros WHERE IDKlient NOT IN (SELECT IDKlient FROM SprKlient)",
        "SELECT count(*) FROM BazaSpros WHERE IDBazaSaleForObmen NOT IN (SELECT IDBazaSale FROM BazaSale)",
        "SELECT count(*) FROM BazaSpros WHERE LevelMin > LevelMax OR KolRoomMin > KolRoomMax "
        "OR S_ObshMin > S_ObshMax",
        "SELECT count(*) FROM BazaSprosVarMest WHERE IDBazaSpros NOT IN (SELECT IDBazaSpros FROM BazaSpros)",
        "SELECT count(*) FROM BazaSprosVarMest v LEFT JOIN SprRaion r ON r.IDRaion = v.IDRaion "
        "WHERE v.IDRaion IS NOT NULL AND (r.IDRaion IS NULL OR r.IDTown <> v.IDTown)",
        "SELECT count(*) FROM BazaSale WHERE DateReg NOT BETWEEN '2000-01-01' AND '2026-12-01' "
        "OR DogEnd1 NOT BETWEEN '2000-01-01' AND '2026-12-01'",
        "SELECT count(*) FROM SprUE WHERE UEDate > '2026-12-01' OR Dollar NOT BETWEEN 900000 AND 1000000 "
        "OR EURO NOT BETWEEN 1000000 AND 1100000",
        "SELECT count(*) FROM SprKlient WHERE length(INNKlient) NOT IN (10, 12)",
    };
    for (const QString &sql : broken)
        EXPECT_EQ(scalar(c, sql), 0) << sql.toStdString();
    EXPECT_EQ(rows(c, "SELECT max(UEDate) FROM SprUE"), QStringList("2026-12-01"));
}

TEST(MakeDatabase, SomeDemandsAreExchanges)
{
    TempDir dir;
    const QString path = dir.file("demo.mde");
    DemoSizes sizes = DemoSizes::forCount(400);
    Delivered::makeDatabase(path, sizes);
    Connection c;
    openExisting(c, path);
    const qlonglong exchanges = scalar(c, "SELECT count(*) FROM BazaSpros WHERE IDBazaSaleForObmen IS NOT NULL");
    EXPECT_GT(exchanges, 5);
    EXPECT_LT(exchanges, 40);
    EXPECT_GT(scalar(c, "SELECT count(*) FROM BazaSprosVarMest"), 200);
}

namespace {

// What a user types into the sqlcipher shell to open the file, as the README gives it.
QByteArray shellSettings(int pageSize)
{
    return "PRAGMA key='quebntoszhweckdylvu';\n"
           "PRAGMA cipher_page_size=" + QByteArray::number(pageSize) + ";\n"
           "PRAGMA kdf_iter=64000;\n"
           "PRAGMA cipher_use_hmac=ON;\n"
           "PRAGMA cipher_hmac_algorithm=HMAC_SHA1;\n"
           "PRAGMA cipher_kdf_algorithm=PBKDF2_HMAC_SHA1;\n";
}

// Runs a script in the sqlcipher shell; its output and errors together.
QString shell(const QString &path, const QByteArray &script)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("sqlcipher"), {QStringLiteral("-batch"), path});
    p.write(script);
    p.closeWriteChannel();
    p.waitForFinished(-1);
    return QString::fromUtf8(p.readAll());
}

} // namespace

// The file opens in the sqlcipher shell given the pinned settings: 4096-byte pages,
// and the integer keys indexed (no text column).
TEST(MakeDatabase, OpensInTheShellWithThePinnedSettings)
{
    ASSERT_FALSE(QStandardPaths::findExecutable("sqlcipher").isEmpty()) << "needs the Debian package sqlcipher";
    TempDir dir;
    const QString path = dir.file("domlar.mde");
    Delivered::makeDatabase(path);

    EXPECT_EQ(shell(path, shellSettings(4096) + "PRAGMA page_size;\nSELECT Nam FROM Firm;\n"
                                                "SELECT name FROM sqlite_master WHERE type = 'index' AND name LIKE '%Key' "
                                                "ORDER BY name;\n"),
              QStringLiteral("4096\nАН \"Домлар\"\nBazaSaleKey\nBazaSprosKey\nBazaSprosVarMestKey\n"
                             "SprKlientKey\nSprRaionKey\nSprSotrudKey\nSprStreetKey\nSprTownKey\n"));
    EXPECT_TRUE(shell(path, shellSettings(1024) + "SELECT count(*) FROM Firm;\n").contains("not a database"));

    Connection c;
    openExisting(c, path);
    for (const QString &index : rows(c, "SELECT name FROM sqlite_master WHERE type = 'index'"))
        for (const QString &column : rows(c, QStringLiteral("PRAGMA index_info(%1)").arg(index)))
            EXPECT_TRUE(column.section('|', 2).startsWith("ID")) << column.toStdString();
}
