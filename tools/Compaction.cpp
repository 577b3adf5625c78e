#include "tools/Compaction.h"
#include "data/Backup.h"
#include "data/Connection.h"
#include "platform/AppError.h"
#include "platform/IniFile.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

QString copyPathFor(const QString &path)
{
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-before-compact.") + info.suffix());
}

void compactAndCheck(const QString &path)
{
    Connection c;
    c.open(Connection::connectionTextFor(path));
    c.execute(QStringLiteral("VACUUM"));
    const QString verdict = Backup::integrityCheck(c);
    if (verdict != QLatin1String("ok"))
        throw AppError(QStringLiteral("База данных не прошла проверку целостности после сжатия: ") + verdict);
}

} // namespace

QString databaseToCompact(const QString &dataFolder)
{
    const QString own = Backup::databaseFile(dataFolder);
    if (!own.isEmpty()) return own;
    IniFile ini(QDir(dataFolder).filePath(QStringLiteral("Data.ini")));
    ini.load();
    return ini.readString(QStringLiteral("Path"), QStringLiteral("Baza"));
}

CompactionResult compactDatabase(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw AppError(QStringLiteral("Файл базы данных не найден: ") + QDir::toNativeSeparators(path));
    CompactionResult result{QFileInfo(path).size(), 0, copyPathFor(path)};
    QFile::remove(result.copy);
    QFile source(path);
    if (!source.copy(result.copy))
        throw AppError(QStringLiteral("Не удается сделать копию базы данных «%1»: %2")
                           .arg(QDir::toNativeSeparators(result.copy), source.errorString()));
    try {
        compactAndCheck(path);
    } catch (const AppError &e) {
        if (std::rename(QFile::encodeName(result.copy).constData(), QFile::encodeName(path).constData()) != 0)
            throw AppError(e.text() + QStringLiteral("\nКопию базы данных вернуть не удалось (%1); она сохранена как «%2».")
                                          .arg(QString::fromLocal8Bit(std::strerror(errno)), QDir::toNativeSeparators(result.copy)));
        throw AppError(e.text() + QStringLiteral("\nБаза данных возвращена из копии и не изменена."));
    }
    result.after = QFileInfo(path).size();
    return result;
}
