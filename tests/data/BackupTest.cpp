#include "data/Backup.h"
#include "data/Query.h"
#include "platform/AppError.h"
#include "support/TestDatabase.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include "support/OpenFiles.h"
#include <gtest/gtest.h>
#include <zip.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct ZipEntry { QString name; QByteArray bytes; };

// Writes a real archive with libzip, each entry deflated.
QString writeZip(const QString &path, const std::vector<ZipEntry> &entries)
{
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za) throw std::runtime_error("zip_open");
    for (const ZipEntry &e : entries) {
        zip_source_t *s = zip_source_buffer(za, e.bytes.constData(), zip_uint64_t(e.bytes.size()), 0);
        const zip_int64_t i = zip_file_add(za, e.name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8);
        if (i < 0) throw std::runtime_error(zip_strerror(za));
        zip_set_file_compression(za, zip_uint64_t(i), ZIP_CM_DEFLATE, 1);
    }
    if (zip_close(za) != 0) throw std::runtime_error("zip_close");
    return path;
}

struct Listed { QString name; QByteArray bytes; int method; };

std::vector<Listed> listZip(const QString &path)
{
    std::vector<Listed> out;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, nullptr);
    if (!za) return out;
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(za, zip_uint64_t(i), 0, &st);
        QByteArray bytes(qsizetype(st.size), '\0');
        zip_file_t *f = zip_fopen_index(za, zip_uint64_t(i), 0);
        zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        out.push_back({QString::fromUtf8(st.name), bytes, int(st.comp_method)});
    }
    zip_discard(za);
    return out;
}

// Overwrites a 32-bit little-endian field of the first entry in both the local
// and the central header (offsets from each header's signature).
void patchField(QByteArray &zip, int localOffset, int centralOffset, quint32 value)
{
    auto put = [&](qsizetype at) {
        for (int b = 0; b < 4; ++b) zip[at + b] = char((value >> (8 * b)) & 0xFF);
    };
    put(localOffset);
    put(zip.indexOf(QByteArray("PK\x01\x02", 4)) + centralOffset);
}

quint32 field(const QByteArray &zip, int offset)
{
    quint32 v = 0;
    for (int b = 0; b < 4; ++b) v |= quint32(quint8(zip[offset + b])) << (8 * b);
    return v;
}

// A data folder with the program's database holding one offer.
struct DataFolder {
    TempDir dir;
    QString data = dir.file("Data");
    QString database;
    DataFolder()
    {
        QDir().mkpath(data);
        database = createTestDatabase(data + "/domlar.mde");
        addOffer(database, 1);
    }
    static void addOffer(const QString &path, int id)
    {
        Connection c;
        c.open(Connection::connectionTextFor(path));
        c.execute(QStringLiteral("INSERT INTO BazaSale (IDBazaSale) VALUES (%1)").arg(id));
    }
    static QStringList offers(const QString &path)
    {
        Connection c;
        c.open(Connection::connectionTextFor(path));
        Query q(c, QStringLiteral("SELECT IDBazaSale FROM BazaSale ORDER BY IDBazaSale"));
        q.open();
        QStringList ids;
        for (q.first(); !q.eof(); q.next()) ids << q.field(0).value().toString();
        return ids;
    }
    QStringList files() const { return QDir(data).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
};

} // namespace

TEST(Backup, DateText)
{
    struct Case { QDate date; const char *format, *text; };
    const Case cases[] = {
        {QDate(2006, 1, 9), "dd.MM.yyyy", "090106"},
        {QDate(2025, 12, 31), "dd.MM.yyyy", "311225"},
        {QDate(2006, 1, 9), "dd/MM/yyyy", "090106"},   // a slash would make a folder of the name
        {QDate(2006, 1, 9), "d.M.yy", "9106"},         // too short to lose characters
        {QDate(2006, 1, 9), "yyyy-MM-dd", "200609"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Backup::dateText(c.date, c.format), c.text) << c.format;
}

TEST(Backup, ArchiveNameAlwaysGetsZip)
{
    EXPECT_EQ(Backup::archiveFileName("/d/Domlar090106"), "/d/Domlar090106.zip");
    EXPECT_EQ(Backup::archiveFileName("/d/old.zip"), "/d/old.zip.zip");
}

TEST(Backup, ArchiveHoldsTheDatabaseAloneWithoutFolder)
{
    DataFolder f;
    const QString zip = f.dir.file("Domlar090106.zip");
    Backup::saveArchive(f.data, zip);
    const auto entries = listZip(zip);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "domlar.mde");
    EXPECT_EQ(entries[0].method, ZIP_CM_DEFLATE);
    EXPECT_EQ(entries[0].bytes, readAll(f.database));
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files), QStringList{"Domlar090106.zip"});   // no temporary file left

    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (unzip.isEmpty()) GTEST_SKIP() << "unzip is not installed";
    QProcess p;
    p.start(unzip, {"-t", zip});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().constData();
}

// The entry keeps the file's own name, found without regard to letter case, whatever its permissions.
TEST(Backup, ReadOnlyDatabaseUnderOtherCase)
{
    DataFolder f;
    const QString upper = f.data + "/Domlar.mde";
    ASSERT_TRUE(QFile::rename(f.database, upper));
    QFile::setPermissions(upper, QFileDevice::ReadOwner);
    const QString zip = f.dir.file("b.zip");
    f.dir.write("b.zip", "an older archive");
    Backup::saveArchive(f.data, zip);
    const auto entries = listZip(zip);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "Domlar.mde");
    EXPECT_EQ(entries[0].bytes, readAll(upper));
}

TEST(Backup, NoDatabaseInDataFolder)
{
    TempDir dir;
    QDir().mkpath(dir.file("Data"));
    const QString zip = dir.file("x.zip");
    try {
        Backup::saveArchive(dir.file("Data"), zip);
        FAIL() << "saved without a database";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.text().contains("нет файла базы данных domlar.mde")) << e.text().toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// A failing write leaves nothing under the chosen name and reports the system's text.
TEST(Backup, FailedWriteLeavesNoFile)
{
    DataFolder f;
    QDir().mkpath(f.dir.file("taken.zip"));   // the name is a folder: the final rename fails
    struct Case { QString path, text; };
    const Case cases[] = {
        {f.dir.file("taken.zip"), "Is a directory"},
        {f.dir.file("missing/x.zip"), "No such file or directory"},
    };
    for (const Case &c : cases) {
        try {
            Backup::saveArchive(f.data, c.path);
            ADD_FAILURE() << "saved to " << c.path.toStdString();
        } catch (const AppError &e) {
            EXPECT_TRUE(e.text().contains(c.text)) << e.text().toStdString();
        }
    }
    EXPECT_TRUE(QFileInfo(f.dir.file("taken.zip")).isDir());
    EXPECT_TRUE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// A saved archive replaces the database; the replaced one is kept beside.
TEST(Backup, RestoreReplacesAndKeepsThePrevious)
{
    DataFolder f;
    const QString zip = f.dir.file("a.zip");
    Backup::saveArchive(f.data, zip);
    DataFolder::addOffer(f.database, 2);
    const QByteArray current = readAll(f.database);

    Backup::Restore restore(zip, f.data);
    EXPECT_EQ(DataFolder::offers(f.database), QStringList({"1", "2"}));   // nothing replaced before the swap
    const QString kept = restore.swapIn(QDateTime(QDate(2006, 1, 9), QTime(14, 30, 5)));
    EXPECT_EQ(QFileInfo(kept).fileName(), "domlar-before-restore-2006-01-09_14-30-05.mde");
    EXPECT_EQ(readAll(kept), current);
    EXPECT_EQ(DataFolder::offers(f.database), QStringList({"1"}));
    EXPECT_EQ(f.files(), QStringList({"domlar-before-restore-2006-01-09_14-30-05.mde", "domlar.mde"}));
}

// Every entry is extracted; "Domlar.mde" and "BAZAGRID.INI" replace the files named in other letter case.
TEST(Backup, RestoreExtractsOtherFilesToo)
{
    DataFolder f;
    const QByteArray database = readAll(f.database);
    f.dir.write("Data/BazaGrid.ini", "old layout");
    f.dir.write("Data/domlar.mde-journal", "a journal of the replaced file");
    const QString zip = writeZip(f.dir.file("a.zip"), {{"Domlar.mde", database},
                                                       {"BAZAGRID.INI", "new layout"},
                                                       {"notes.txt", "заметки"}});
    Backup::Restore restore(zip, f.data);
    EXPECT_EQ(restore.targetNames(), QStringList({"domlar.mde", "BazaGrid.ini", "notes.txt"}));
    const QString kept = restore.swapIn();
    EXPECT_EQ(readAll(f.data + "/BazaGrid.ini"), "new layout");
    EXPECT_EQ(readAll(f.data + "/notes.txt"), "заметки");
    EXPECT_EQ(readAll(f.data + "/domlar.mde"), database);
    EXPECT_FALSE(QFileInfo::exists(f.data + "/domlar.mde-journal"));   // it would be played into the restored file
    EXPECT_EQ(readAll(kept + "-journal"), "a journal of the replaced file");
    EXPECT_EQ(f.files().size(), 5);
}

// With no database in the data folder, the restored one takes the name the program looks for.
TEST(Backup, RestoreIntoFolderWithoutDatabase)
{
    DataFolder f;
    const QByteArray database = readAll(f.database);
    ASSERT_TRUE(QFile::remove(f.database));
    Backup::Restore restore(writeZip(f.dir.file("a.zip"), {{"DOMLAR.MDE", database}}), f.data);
    EXPECT_EQ(restore.swapIn(), QString());   // nothing to keep
    EXPECT_EQ(f.files(), QStringList{"domlar.mde"});
    EXPECT_EQ(readAll(f.database), database);
}

// Hostile and damaged archives are refused before anything is replaced.
TEST(Backup, HostileArchivesAreRefused)
{
    struct Case {
        const char *what;
        std::function<QByteArray(const QByteArray &database, const QString &zipPath)> make;
    };
    auto single = [](const QString &name) {
        return [name](const QByteArray &db, const QString &zip) { return readAll(writeZip(zip, {{name, db}})); };
    };
    const Case cases[] = {
        {"parent folder", single("../domlar.mde")},
        {"absolute path", single("/var/x/domlar.mde")},
        {"sub folder", single("sub/domlar.mde")},
        {"bad CRC", [](const QByteArray &db, const QString &zip) {
             QByteArray bytes = readAll(writeZip(zip, {{"domlar.mde", db}}));
             patchField(bytes, 14, 16, field(bytes, 14) ^ 0x5A5A5A5A);
             return bytes;
         }},
        {"not a database", [](const QByteArray &, const QString &zip) {
             return readAll(writeZip(zip, {{"domlar.mde", QByteArray(8192, 'x')}}));
         }},
        {"truncated", [](const QByteArray &db, const QString &zip) {
             return readAll(writeZip(zip, {{"domlar.mde", db}})).left(db.size() / 2);
         }},
        {"declared size too small", [](const QByteArray &db, const QString &zip) {
             QByteArray bytes = readAll(writeZip(zip, {{"domlar.mde", db}}));
             patchField(bytes, 22, 24, quint32(db.size() / 2));
             return bytes;
         }},
    };
    for (const Case &c : cases) {
        DataFolder f;
        Connection open;
        open.open(Connection::connectionTextFor(f.database));
        const QByteArray before = fileHash(f.database);
        const QStringList filesBefore = f.files();
        const QString zip = f.dir.file("hostile.zip");
        const QByteArray bytes = c.make(readAll(f.database), zip);
        QFile out(zip);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        out.close();

        try {
            Backup::Restore restore(zip, f.data);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const AppError &e) {
            EXPECT_TRUE(e.text().startsWith("Архив не восстановлен")) << c.what << ": " << e.text().toStdString();
        }
        EXPECT_EQ(fileHash(f.database), before) << c.what;
        EXPECT_EQ(f.files(), filesBefore) << c.what;   // no temporary file left behind
        EXPECT_FALSE(QFileInfo::exists(f.dir.file("var/x/domlar.mde")));
        EXPECT_NO_THROW(open.execute("SELECT count(*) FROM BazaSale")) << c.what;
    }
}
