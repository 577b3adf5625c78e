#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class Connection;
class QTemporaryFile;
struct zip;

// Backup and restore of the database file of the data folder as ZIP archives.
// Nothing here asks the user: the main window asks, these act and throw
// AppError with a text for the user.
namespace Backup {

// The date part of a proposed archive name: the date in the given short date
// form without its separators, then without the 5th and 6th characters
// (with dd.MM.yyyy: day, month and the two-digit year).
QString dateText(const QDate &date, const QString &shortDateFormat);

// The archive written for a name chosen in the save dialog: ".zip" is always added.
QString archiveFileName(const QString &chosenName);

// The database file of the data folder ("domlar.mde" in any letter case); empty when there is none.
QString databaseFile(const QString &dataFolder);

// "ok", or what SQLite's integrity check of the connected database found.
QString integrityCheck(Connection &connection);

// Packs the database file of the data folder into a new archive at archivePath,
// holding a read transaction so that no program commits half-way through.
// The archive is written beside under a temporary name, read back and checked,
// and only then renamed to archivePath; on failure no file is left under that name.
void saveArchive(const QString &dataFolder, const QString &archivePath);

// A restore in two steps. The constructor reads the archive and extracts every
// entry to a temporary file in the data folder, refusing hostile or damaged
// archives and a database that does not open or fails its integrity check;
// nothing of the data folder changes until swapIn. Temporary files that were
// not swapped in are removed with the object.
class Restore {
public:
    Restore(const QString &archivePath, const QString &dataFolder);
    ~Restore();
    Restore(const Restore &) = delete;
    Restore &operator=(const Restore &) = delete;

    // The names the entries will have in the data folder.
    QStringList targetNames() const;

    // Moves the checked files into place (call it once the database is closed).
    // The replaced database is kept as "domlar-before-restore-<date time>.mde";
    // its name is returned. On failure the data folder is put back as it was.
    QString swapIn(const QDateTime &now = QDateTime::currentDateTime());

private:
    struct Entry {
        QString target;                         // file name in the data folder
        std::unique_ptr<QTemporaryFile> file;   // the extracted, checked bytes
    };
    void extractAll(::zip *archive);
    void extract(::zip *archive, long long index, const QString &target);

    QString m_dataFolder;
    std::vector<Entry> m_entries;
};

} // namespace Backup
