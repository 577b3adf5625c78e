#include "app/BackupCommands.h"
#include "app/Zastav.h"
#include "data/Backup.h"
#include "data/DataModule.h"
#include "platform/ErrorReport.h"
#include <QDir>
#include <QLocale>
#include <QProcess>

namespace {

const char *const ArchiveFilter = "архив данных zip|*.zip";

QString dataFolder()
{
    return DMDomlar->dataFolder();
}

} // namespace

void SaveDatabase()
{
    const QString date = Backup::dateText(QDate::currentDate(), QLocale::system().dateFormat(QLocale::ShortFormat));
    const QString chosen = dialogs().saveFile(QStringLiteral("Сохранение базы данных склада"),
                                              QDir(dataFolder()).filePath(QStringLiteral("Domlar") + date),
                                              QString::fromUtf8(ArchiveFilter));
    if (chosen.isEmpty()) return;
    Backup::saveArchive(dataFolder(), Backup::archiveFileName(chosen));
    dialogs().message(Dialogs::Kind::Information, QStringLiteral("Данные успешно сохранены !"), Dialogs::Buttons::Yes);
}

void RestoreDatabase()
{
    const QString chosen = dialogs().openFile(QString(), QDir(dataFolder()).filePath(QStringLiteral("Domlar")),
                                              QString::fromUtf8(ArchiveFilter));
    if (chosen.isEmpty()) return;
    if (dialogs().message(Dialogs::Kind::Warning,
                          QStringLiteral("ВНИМАНИЕ! После восстановления текущие данные заменяются данными из архива. "
                                         "Восстановить?"),
                          Dialogs::Buttons::OkCancel) != Dialogs::Ok)
        return;

    // Everything is extracted and checked while the current database stays open.
    Backup::Restore restore(chosen, dataFolder());
    DMDomlar->closeDatabase();
    try {
        restore.swapIn();
    } catch (const AppError &) {
        reportErrors([] { DMDomlar->DataModuleCreate(); });   // the old file is back in place: go on with it
        throw;
    }
    dialogs().message(Dialogs::Kind::Information, QStringLiteral("Необходимо перезагрузить программу"),
                      Dialogs::Buttons::YesNo);
    FZastav->EndProgram();
}

void CompactDatabase()
{
    // The utility waits for this copy to end; it is started only when the exit is confirmed.
    if (!FZastav->close()) return;
    const QString program = DMDomlar->programFolder();
    QProcess::startDetached(QDir(program).filePath(QStringLiteral("Data/morvex.exe")), {},
                            QDir(program).filePath(QStringLiteral("Data")));
    QDir::setCurrent(program);
}

void wireBackupCommands()
{
    FZastav->setCommand(TFZastav::Command::Backup, SaveDatabase);
    FZastav->setCommand(TFZastav::Command::Restore, RestoreDatabase);
    FZastav->setCommand(TFZastav::Command::Compact, CompactDatabase);
}
