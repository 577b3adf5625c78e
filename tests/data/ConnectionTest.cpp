#include "support/TestDatabase.h"
#include "data/Catalog.h"
#include "data/Dataset.h"
#include "platform/AppError.h"
#include <QFile>
#include <gtest/gtest.h>

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
