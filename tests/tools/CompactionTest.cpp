#include "data/Backup.h"
#include "data/Connection.h"
#include "data/Query.h"
#include "platform/AppError.h"
#include "support/TestDatabase.h"
#include "tools/Compaction.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

// A database that held many offers, most of them deleted since.
QString databaseWithDeletedRows(const TempDir &dir)
{
    const QString path = createTestDatabase(dir.file("Data/domlar.mde"));
    Connection c;
    c.open(Connection::connectionTextFor(path));
    c.execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
              "INSERT INTO BazaSale (IDBazaSale, info) SELECT i, printf('%.200c', 'x') FROM n");
    c.execute("DELETE FROM BazaSale WHERE IDBazaSale > 10");
    return path;
}

int offers(const QString &path)
{
    Connection c;
    c.open(Connection::connectionTextFor(path));
    Query q(c, "SELECT count(*) FROM BazaSale");
    q.open();
    return q.field(0).value().toInt();
}

} // namespace

TEST(Compaction, SmallerAndIntact)
{
    TempDir dir;
    const QString path = databaseWithDeletedRows(dir);
    const QByteArray original = fileHash(path);
    const CompactionResult r = compactDatabase(path);
    EXPECT_EQ(r.before, QFileInfo(r.copy).size());
    EXPECT_LT(r.after, r.before / 4);
    EXPECT_EQ(r.after, QFileInfo(path).size());
    EXPECT_EQ(fileHash(r.copy), original);   // the copy kept beside
    EXPECT_EQ(QFileInfo(r.copy).fileName(), "domlar-before-compact.mde");
    EXPECT_EQ(offers(path), 10);
    Connection c;
    c.open(Connection::connectionTextFor(path));
    EXPECT_EQ(Backup::integrityCheck(c), "ok");
}

// Damaged pages make the compaction fail: the copy goes back and the file is as it was.
TEST(Compaction, CopyGoesBackOnFailure)
{
    TempDir dir;
    const QString path = databaseWithDeletedRows(dir);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(4096));   // the pages after the first hold the tables made first
        f.write(QByteArray(16 * 4096, '\x5A'));
    }
    const QByteArray damaged = fileHash(path);
    try {
        compactDatabase(path);
        FAIL() << "a damaged database was compacted";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().contains("возвращена из копии")) << e.text().toStdString();
    }
    EXPECT_EQ(fileHash(path), damaged);
    EXPECT_EQ(QDir(dir.file("Data")).entryList(QDir::Files), QStringList{"domlar.mde"});
}

// The database of the data folder, else the path that "Data.ini" names.
TEST(Compaction, DatabaseToCompact)
{
    TempDir dir;
    const QString own = createTestDatabase(dir.file("Data/Domlar.mde"));
    EXPECT_EQ(databaseToCompact(dir.file("Data")), own);
    dir.write("Other/Data.ini", "[Path]\r\nBaza=/srv/base.mde\r\n");
    EXPECT_EQ(databaseToCompact(dir.file("Other")), "/srv/base.mde");
}
