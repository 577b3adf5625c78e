#include "support/TestDatabase.h"
#include "data/Catalog.h"
#include "data/Dataset.h"
#include "data/Query.h"
#include "platform/AppError.h"
#include <QFile>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>

namespace {

QString openError(const QString &connectionText)
{
    try {
        Connection c;
        c.open(connectionText);
    } catch (const AppError &e) {
        return e.text();
    }
    return QString();
}

} // namespace

TEST(Connection, TextHasTheFixedForm)
{
    const QString text = Connection::connectionTextFor("/data/Путь/domlar.mde");
    EXPECT_EQ(text, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/Путь/domlar.mde;"
                    "Jet OLEDB:Database Password=quebntoszhweckdylvu");
    EXPECT_EQ(Connection::textPart(text, "data source"), "/data/Путь/domlar.mde");
}

// Files that exist but cannot be opened each give a clear text, and no connection.
TEST(Connection, RefusesBadFiles)
{
    TempDir dir;
    const QString other = createTestDatabase(dir.file("other.mde"));
    const QString random = dir.write("random.mde", QByteArray(8192, '\x5a'));
    const QString empty = dir.write("empty.mde", QByteArray());
    const QString wrongPassword = QString(Connection::connectionTextFor(other)).replace("quebntoszhweckdylvu", "другой");

    EXPECT_TRUE(openError(wrongPassword).contains(QStringLiteral("другим паролем"))) << openError(wrongPassword).toStdString();
    EXPECT_TRUE(openError(Connection::connectionTextFor(random)).contains(QStringLiteral("поврежден")));
    EXPECT_TRUE(openError(Connection::connectionTextFor(dir.file("none.mde"))).contains(QStringLiteral("не найден")));
    EXPECT_FALSE(openError(Connection::connectionTextFor(empty)).isEmpty());
    EXPECT_TRUE(openError(Connection::connectionTextFor(other)).isEmpty());

    // The file is really encrypted: its text is not readable in the bytes.
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains("CREATE TABLE"));
}

TEST(Connection, MissingDeclaredColumnOrTable)
{
    TestDatabase db;
    db.exec("DROP TABLE SprTown");
    db.exec("CREATE TABLE SprTown (IDTown INTEGER, NameTown VARCHAR(50))");
    db.exec("DROP TABLE SprUE");
    Table town(db.connection, "SprTown");
    try {
        town.open();
        FAIL() << "opened";
    } catch (const AppError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("В таблице «SprTown» базы данных нет колонки «CodeOfKladr»."));
    }
    EXPECT_FALSE(town.active());
    Table rates(db.connection, "SprUE");
    EXPECT_THROW(rates.open(), AppError);

    // Tables whose columns are not declared take the columns the file has.
    db.exec("ALTER TABLE SprWindow ADD COLUMN Extra INTEGER");
    Table windows(db.connection, "SprWindow");
    windows.open();
    EXPECT_EQ(windows.fieldNames(), QStringList({"NameWindow", "Extra"}));
}

TEST(Connection, CatalogueReadsColumnDescriptions)
{
    TestDatabase db;
    db.exec(QStringLiteral("DELETE FROM ColumnDescription"));
    db.exec(QStringLiteral("INSERT INTO ColumnDescription VALUES ('Firm', 'INN', 'ИНН'), ('firm', 'name', 'Наименование организации')"));
    const auto d = Catalog::columnDescriptions(db.connection, "Firm");
    ASSERT_EQ(d.size(), 18u);
    EXPECT_EQ(d[0].column, "IDFirm");
    EXPECT_EQ(d[0].description, "");
    EXPECT_EQ(d[1].description, QStringLiteral("ИНН"));
    EXPECT_EQ(d[3].description, QStringLiteral("Наименование организации"));
    EXPECT_THROW(Catalog::columnDescriptions(db.connection, "NoTable"), AppError);
}

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qlonglong pageSize(Connection &c)
{
    Query q(c, "PRAGMA page_size");
    q.open();
    return q.fieldByName("page_size").asInteger();
}

} // namespace

// Another program holds the file locked: opening waits, says so, and succeeds once it is free.
TEST(Connection, OpeningWaitsForAnotherProgramsLock)
{
    TestDatabase db;
    db.exec("BEGIN EXCLUSIVE");
    db.exec("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Тверь')");

    std::promise<void> waiting;
    std::thread other([&] {
        waiting.get_future().wait();
        db.exec("COMMIT");
    });
    QStringList notices;
    Connection c;
    c.setWaitNotice([&](const QString &text) {
        if (notices.isEmpty()) waiting.set_value();
        notices << text;
    });
    EXPECT_NO_THROW(c.open(Connection::connectionTextFor(db.path)));
    if (notices.isEmpty()) waiting.set_value();
    other.join();

    EXPECT_EQ(notices, QStringList({QStringLiteral("База данных занята другой программой, ожидание...")}));
    Table town(c, "SprTown");
    town.open();
    EXPECT_EQ(town.fieldByName("NameTown").asString(), QStringLiteral("Тверь"));
}

TEST(Connection, LockThatStaysIsReportedAsBusy)
{
    TestDatabase db;
    db.exec("BEGIN EXCLUSIVE");
    Connection c;
    c.setBusyTimeout(0);
    try {
        c.open(Connection::connectionTextFor(db.path));
        FAIL() << "opened";
    } catch (const DatabaseBusyError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("занята другой программой"))) << e.text().toStdString();
    }
    EXPECT_FALSE(c.connected());
}

namespace {

// A database whose attribute words fill most of the file, with one page in their
// middle damaged; returns the file's bytes.
QByteArray makeDamaged(TestDatabase &db)
{
    db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 6000) "
            "INSERT INTO SprWindow (NameWindow) SELECT printf('Окно номер %06d', i) FROM n");
    db.connection.close();
    QByteArray damaged = bytesOf(db.path);
    damaged.replace(damaged.size() / 2 / 4096 * 4096 + 100, 16, QByteArray(16, '\0'));
    db.dir.write("domlar.mde", damaged);
    return damaged;
}

} // namespace

// However a damaged page is met, nothing more is written into the file.
TEST(Connection, DamagedPageLeavesTheFileUnwritten)
{
    struct Case { const char *name; std::function<void(Connection &)> meetDamage; };
    const Case cases[] = {
        {"reading a dataset", [](Connection &c) {
             Table windows(c, "SprWindow");
             EXPECT_THROW(windows.open(), AppError);
         }},
        {"writing in a transaction", [](Connection &c) {
             Transaction t(c);
             c.execute("INSERT INTO SprTown (IDTown, NameTown) VALUES (1, 'Тверь')");
             EXPECT_THROW(c.execute("UPDATE SprWindow SET NameWindow = 'Пластиковые'"), AppError);
             EXPECT_THROW(t.commit(), AppError);
         }},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        TestDatabase db;
        const QByteArray damaged = makeDamaged(db);
        Connection c;
        c.open(Connection::connectionTextFor(db.path));
        EXPECT_FALSE(c.readOnly());
        k.meetDamage(c);

        EXPECT_TRUE(c.readOnly());
        EXPECT_TRUE(c.readOnlyNotice().startsWith(QStringLiteral("База данных открыта только для чтения: файл поврежден")));
        for (const char *sql : {"INSERT INTO SprTown (IDTown, NameTown) VALUES (2, 'Клин')", "DELETE FROM SprWindow"}) {
            try {
                c.execute(sql);
                ADD_FAILURE() << "written: " << sql;
            } catch (const AppError &e) {
                EXPECT_TRUE(e.text().contains(QStringLiteral("Восстановите базу данных из резервной копии")))
                    << e.text().toStdString();
            }
        }
        Table town(c, "SprTown");
        town.open();   // what is not damaged can still be read
        EXPECT_TRUE(town.isEmpty());
        c.close();
        EXPECT_EQ(bytesOf(db.path), damaged);
        EXPECT_FALSE(QFile::exists(db.path + "-journal"));
    }
}

// A file from before the page size was pinned (1024-byte pages) opens and stays so.
TEST(Connection, FileWith1024BytePagesOpens)
{
    TempDir dir;
    const QString path = dir.file("old.mde");
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        // As the library made files before: its former default page size, set here explicitly.
        const QByteArray sql = "PRAGMA key='" + Connection::password().toUtf8() + "';"
                               "PRAGMA cipher_page_size=1024; PRAGMA kdf_iter=64000;"
                               "CREATE TABLE SprWindow (NameWindow VARCHAR(30) COLLATE NOCASE);"
                               "INSERT INTO SprWindow VALUES ('Деревянные')";
        ASSERT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    Connection c;
    c.open(Connection::connectionTextFor(path));
    EXPECT_EQ(pageSize(c), 1024);
    c.execute("INSERT INTO SprWindow VALUES ('Пластиковые')");
    Table windows(c, "SprWindow");
    windows.open();
    EXPECT_EQ(windows.recordCount(), 2);

    Connection fresh;
    fresh.open(Connection::connectionTextFor(dir.file("new.mde")), Connection::Mode::CreateNew);
    EXPECT_EQ(pageSize(fresh), 4096);
}
