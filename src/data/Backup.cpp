#include "data/Backup.h"
#include "data/Connection.h"
#include "platform/AppError.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <sqlite3.h>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>

namespace Backup {

namespace {

const char *const DatabaseName = "domlar.mde";
const qint64 BlockSize = 1 << 20;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString zipErrorText(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

// A refused restore: the reason, and the reassurance that nothing was replaced.
AppError refused(const QString &reason)
{
    return AppError(QStringLiteral("Архив не восстановлен: %1\nТекущие данные не изменены.").arg(reason));
}

// Damage found while reading an archive; the caller says what it means for its operation.
struct Damaged {
    QString reason;
};

// An open archive, discarded (never written) unless closed explicitly.
class Archive {
public:
    Archive(const QString &path, int flags, const QString &failure)
    {
        int code = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), flags, &code);
        if (!m_zip) {
            zip_error_t error;
            zip_error_init_with_code(&error, code);
            const QString text = zipErrorText(&error);
            zip_error_fini(&error);
            throw AppError(failure + text);
        }
    }
    ~Archive()
    {
        if (m_zip) zip_discard(m_zip);
    }
    Archive(const Archive &) = delete;
    Archive &operator=(const Archive &) = delete;

    zip_t *get() const { return m_zip; }
    QString errorText() const { return QString::fromLocal8Bit(zip_strerror(m_zip)); }
    // Writes the archive; throws with libzip's text on failure.
    void close(const QString &failure)
    {
        if (zip_close(m_zip) != 0) throw AppError(failure + errorText());
        m_zip = nullptr;
    }

private:
    zip_t *m_zip = nullptr;
};

// The file of the folder whose name matches without regard to letter case,
// the exact name first; empty when there is none.
QString existingName(const QString &folder, const QString &name)
{
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (names.contains(name)) return name;
    for (const QString &n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0) return n;
    return QString();
}

bool isDatabaseName(const QString &name)
{
    return name.compare(QLatin1String(DatabaseName), Qt::CaseInsensitive) == 0;
}

// Feeds the database file to libzip through a descriptor this code owns and
// closes only at the very end: closing any other descriptor of the file would
// drop the read lock SQLite holds for this process. Counts the CRC on the way.
struct FileFeed {
    QFile &file;
    uLong crc = crc32(0, nullptr, 0);
    qint64 size = 0;
    zip_error_t error{};
};

zip_int64_t feed(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto *f = static_cast<FileFeed *>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        if (!f->file.seek(0)) { zip_error_set(&f->error, ZIP_ER_SEEK, EIO); return -1; }
        f->crc = crc32(0, nullptr, 0);
        f->size = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const qint64 n = f->file.read(static_cast<char *>(data), qint64(length));
        if (n < 0) { zip_error_set(&f->error, ZIP_ER_READ, EIO); return -1; }
        f->crc = crc32_z(f->crc, static_cast<const Bytef *>(data), size_t(n));
        f->size += n;
        return n;
    }
    case ZIP_SOURCE_STAT: {
        auto *st = static_cast<zip_stat_t *>(data);
        zip_stat_init(st);
        st->size = zip_uint64_t(f->file.size());
        st->mtime = time_t(QFileInfo(f->file).lastModified().toSecsSinceEpoch());
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&f->error, data, length);
    case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_READABLE;
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    default:
        zip_error_set(&f->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

struct Written { QString name; uLong crc; qint64 size; };

// Writes one entry (deflate, fastest level) from the open database file into a new archive.
Written writeArchive(const QString &path, QFile &database)
{
    const QString failure = QStringLiteral("Не удается записать архив «%1»: ").arg(native(path));
    Archive archive(path, ZIP_CREATE | ZIP_TRUNCATE, failure);
    FileFeed state{database};
    zip_source_t *source = zip_source_function(archive.get(), feed, &state);
    if (!source) throw AppError(failure + archive.errorText());
    const QString name = QFileInfo(database).fileName();
    const zip_int64_t index = zip_file_add(archive.get(), name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        throw AppError(failure + archive.errorText());
    }
    if (zip_set_file_compression(archive.get(), zip_uint64_t(index), ZIP_CM_DEFLATE, 1) != 0)
        throw AppError(failure + archive.errorText());
    archive.close(failure);
    if (state.size != database.size())
        throw AppError(failure + QStringLiteral("файл базы данных прочитан не полностью."));
    return {name, state.crc, state.size};
}

// Reads entry `index` through the decompressor into `sink`, refusing data that
// runs past the declared size, a wrong CRC or a damaged archive (throws Damaged).
// libzip checks the CRC of an entry read whole when it reaches its end.
void readEntry(zip_t *archive, zip_uint64_t index, const zip_stat_t &st,
                const std::function<void(const char *, qint64)> &sink)
{
    const QString name = QString::fromUtf8(st.name);
    zip_file_t *entry = zip_fopen_index(archive, index, 0);
    if (!entry)
        throw Damaged{QStringLiteral("файл «%1» не читается: %2").arg(name, QString::fromLocal8Bit(zip_strerror(archive)))};
    std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> closer(entry, zip_fclose);
    QByteArray buffer(BlockSize, Qt::Uninitialized);
    zip_uint64_t total = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(entry, buffer.data(), zip_uint64_t(buffer.size()));
        if (n < 0) {
            zip_error_t *error = zip_file_get_error(entry);
            if (zip_error_code_zip(error) == ZIP_ER_CRC)
                throw Damaged{QStringLiteral("контрольная сумма файла «%1» не совпадает: данные повреждены.").arg(name)};
            throw Damaged{QStringLiteral("файл «%1» поврежден: %2").arg(name, zipErrorText(error))};
        }
        if (n == 0) break;
        total += zip_uint64_t(n);
        if (total > st.size)
            throw Damaged{QStringLiteral("файл «%1» длиннее объявленного размера (%2 байт).").arg(name).arg(st.size)};
        sink(buffer.constData(), qint64(n));
    }
    if (total != st.size)
        throw Damaged{QStringLiteral("файл «%1» короче объявленного размера (%2 байт).").arg(name).arg(st.size)};
}

zip_stat_t statEntry(zip_t *archive, zip_uint64_t index)
{
    zip_stat_t st;
    if (zip_stat_index(archive, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE))
        throw Damaged{QStringLiteral("оглавление архива повреждено: ") + QString::fromLocal8Bit(zip_strerror(archive))};
    return st;
}

// Opens the written archive again and checks its one entry against what was read.
void verifyArchive(const QString &path, const Written &written)
{
    const QString failure = QStringLiteral("Архив «%1» записан с ошибкой: ").arg(native(path));
    Archive archive(path, ZIP_RDONLY | ZIP_CHECKCONS, failure);
    if (zip_get_num_entries(archive.get(), 0) != 1)
        throw AppError(failure + QStringLiteral("в архиве не один файл."));
    try {
        const zip_stat_t st = statEntry(archive.get(), 0);
        if (QString::fromUtf8(st.name) != written.name || qint64(st.size) != written.size || st.crc != written.crc)
            throw AppError(failure + QStringLiteral("имя, размер или контрольная сумма не совпадают с файлом базы данных."));
        readEntry(archive.get(), 0, st, [](const char *, qint64) {});
    } catch (const Damaged &d) {
        throw AppError(failure + d.reason);
    }
}

// Flushes a file to the disk, so that a finished backup survives a power cut.
void syncFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || ::fsync(f.handle()) != 0)
        throw AppError(QStringLiteral("Не удается записать архив «%1» на диск: %2").arg(native(path), f.errorString()));
}

// Renames, replacing the target; throws with the system's text.
void moveFile(const QString &from, const QString &to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw AppError(QStringLiteral("Не удается переименовать «%1» в «%2»: %3")
                           .arg(native(from), native(to), QString::fromLocal8Bit(std::strerror(errno))));
}

// The database opens with the program's password and passes SQLite's integrity check.
void checkDatabase(const QString &path, const QString &name)
{
    Connection c;
    try {
        c.open(Connection::connectionTextFor(path));
    } catch (const AppError &) {
        throw refused(QStringLiteral("файл «%1» не является базой данных программы или создан с другим паролем.").arg(name));
    }
    const QString verdict = integrityCheck(c);
    if (verdict != QLatin1String("ok"))
        throw refused(QStringLiteral("база данных «%1» не прошла проверку целостности: %2").arg(name, verdict));
}

// A name for the replaced database that no file has yet.
QString keptName(const QString &folder, const QDateTime &now)
{
    const QString base = QStringLiteral("domlar-before-restore-") + now.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString name = base + QStringLiteral(".mde");
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = base + QStringLiteral("-%1.mde").arg(n);
    return QDir(folder).filePath(name);
}

} // namespace

QString integrityCheck(Connection &connection)
{
    sqlite3_stmt *st = nullptr;
    QString verdict;
    if (sqlite3_prepare_v2(connection.handle(), "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW)
        verdict = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    else
        verdict = QString::fromUtf8(sqlite3_errmsg(connection.handle()));
    sqlite3_finalize(st);
    return verdict;
}

QString dateText(const QDate &date, const QString &shortDateFormat)
{
    QString text = date.toString(shortDateFormat);
    // The separators go (not only the "." of the usual form: a "/" would make a folder of the name).
    text.removeIf([](QChar c) { return !c.isLetterOrNumber(); });
    return text.remove(4, 2);
}

QString archiveFileName(const QString &chosenName)
{
    return chosenName + QStringLiteral(".zip");
}

QString databaseFile(const QString &dataFolder)
{
    const QString name = existingName(dataFolder, QLatin1String(DatabaseName));
    const QString path = QDir(dataFolder).filePath(name);
    return !name.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

void saveArchive(const QString &dataFolder, const QString &archivePath)
{
    const QString database = databaseFile(dataFolder);
    if (database.isEmpty())
        throw AppError(QStringLiteral("В папке данных «%1» нет файла базы данных %2: сохранять нечего.")
                           .arg(native(dataFolder), QLatin1String(DatabaseName)));

    // A read transaction: no program commits into the file while it is packed.
    Connection reader;
    reader.open(Connection::connectionTextFor(database));
    std::optional<Transaction> readTransaction(std::in_place, reader);
    reader.execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    QFile file(database);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Не удается прочитать файл базы данных «%1»: %2").arg(native(database), file.errorString()));

    QTemporaryFile partial(archivePath + QStringLiteral(".XXXXXX.part"));
    if (!partial.open())
        throw AppError(QStringLiteral("Не удается создать архив «%1»: %2").arg(native(archivePath), partial.errorString()));
    const Written written = writeArchive(partial.fileName(), file);
    readTransaction.reset();

    verifyArchive(partial.fileName(), written);
    syncFile(partial.fileName());
    moveFile(partial.fileName(), archivePath);
    partial.setAutoRemove(false);
}

// ---- Restore ----

Restore::Restore(const QString &archivePath, const QString &dataFolder) : m_dataFolder(dataFolder)
{
    std::optional<Archive> archive;
    try {
        archive.emplace(archivePath, ZIP_RDONLY | ZIP_CHECKCONS,
                        QStringLiteral("архив «%1» не читается: ").arg(native(archivePath)));
    } catch (const AppError &e) {
        throw refused(e.text());
    }
    try {
        extractAll(archive->get());
    } catch (const Damaged &d) {
        throw refused(d.reason);
    }
    for (const Entry &e : m_entries)
        if (isDatabaseName(e.target)) checkDatabase(e.file->fileName(), e.target);
}

Restore::~Restore() = default;

void Restore::extractAll(::zip *archive)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count <= 0) throw refused(QStringLiteral("архив пуст."));

    // Every name and size is checked before anything is written.
    QStringList targets;
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const zip_stat_t st = statEntry(archive, zip_uint64_t(i));
        const QString name = QString::fromUtf8(st.name);
        if (name.isEmpty() || name == "." || name == ".." || name.contains('/') || name.contains('\\'))
            throw refused(QStringLiteral("имя «%1» в архиве содержит папку или путь; "
                                         "восстанавливаются только файлы без папок.").arg(name));
        // An existing file in another letter case is replaced; a database with no file to
        // replace takes the name the program looks for.
        const QString existing = existingName(m_dataFolder, name);
        const QString target = !existing.isEmpty() ? existing : isDatabaseName(name) ? QLatin1String(DatabaseName) : name;
        if (QFileInfo(QDir(m_dataFolder).filePath(target)).isDir())
            throw refused(QStringLiteral("в папке данных «%1» — папка, а не файл.").arg(target));
        if (targets.contains(target, Qt::CaseInsensitive))
            throw refused(QStringLiteral("файл «%1» записан в архиве дважды.").arg(target));
        targets << target;
        total += st.size;
    }
    if (!targets.contains(QLatin1String(DatabaseName), Qt::CaseInsensitive))
        throw refused(QStringLiteral("в архиве нет файла базы данных %1.").arg(QLatin1String(DatabaseName)));
    const qint64 available = QStorageInfo(m_dataFolder).bytesAvailable();
    if (available >= 0 && total > zip_uint64_t(available))
        throw refused(QStringLiteral("на диске недостаточно места: нужно %1 байт, свободно %2.").arg(total).arg(available));

    for (zip_int64_t i = 0; i < count; ++i)
        extract(archive, i, targets[qsizetype(i)]);
}

void Restore::extract(::zip *archive, long long index, const QString &target)
{
    const zip_stat_t st = statEntry(archive, zip_uint64_t(index));
    auto file = std::make_unique<QTemporaryFile>(QDir(m_dataFolder).filePath(QStringLiteral("domlar-restore-XXXXXX.tmp")));
    const auto writeFailed = [&] {
        return AppError(QStringLiteral("Архив не восстановлен: не удается записать временный файл в папке данных «%1»: %2\n"
                                       "Текущие данные не изменены.").arg(native(m_dataFolder), file->errorString()));
    };
    if (!file->open()) throw writeFailed();
    readEntry(archive, zip_uint64_t(index), st, [&](const char *data, qint64 n) {
        if (file->write(data, n) != n) throw writeFailed();
    });
    if (!file->flush() || ::fsync(file->handle()) != 0) throw writeFailed();
    file->close();
    m_entries.push_back({target, std::move(file)});
}

QStringList Restore::targetNames() const
{
    QStringList names;
    for (const Entry &e : m_entries) names << e.target;
    return names;
}

QString Restore::swapIn(const QDateTime &now)
{
    // The other files first and the database last, so that a failure on the way
    // leaves the database as it was.
    std::stable_partition(m_entries.begin(), m_entries.end(), [](const Entry &e) { return !isDatabaseName(e.target); });
    const QDir folder(m_dataFolder);
    QString kept;
    struct Move { QString from, to; };
    std::vector<Move> moves;
    try {
        for (Entry &e : m_entries) {
            const QString target = folder.filePath(e.target);
            if (isDatabaseName(e.target) && QFileInfo::exists(target)) {
                kept = keptName(m_dataFolder, now);
                moveFile(target, kept);
                moves.push_back({target, kept});
                // A journal left by a crash belongs to the replaced file, not to the restored one.
                const QString journal = target + QStringLiteral("-journal");
                if (QFileInfo::exists(journal)) {
                    moveFile(journal, kept + QStringLiteral("-journal"));
                    moves.push_back({journal, kept + QStringLiteral("-journal")});
                }
            }
            moveFile(e.file->fileName(), target);
            moves.push_back({e.file->fileName(), target});
        }
    } catch (const AppError &) {
        for (auto it = moves.rbegin(); it != moves.rend(); ++it)
            ::rename(QFile::encodeName(it->to).constData(), QFile::encodeName(it->from).constData());
        throw;
    }
    for (Entry &e : m_entries) e.file->setAutoRemove(false);
    return kept;
}

} // namespace Backup
