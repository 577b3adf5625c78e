#include "app/BackupCommands.h"
#include "app/Zastav.h"
#include "data/Backup.h"
#include "support/ProgramForms.h"
#include <QAction>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocale>
#include <QThread>
#include <gtest/gtest.h>
#include <zip.h>

namespace {

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

QStringList zipNames(const QString &path)
{
    QStringList names;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
    if (!za) return names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) names << QString::fromUtf8(zip_get_name(za, zip_uint64_t(i), 0));
    zip_discard(za);
    return names;
}

void trigger(const char *action)
{
    FZastav->findChild<QAction *>(action)->trigger();
}

struct BackupForms : ProgramForms {
    QString data = dir.file("Data");
    QString database = data + "/domlar.mde";
    BackupForms()
    {
        FZastav->FormShow();
        dialogs.clearCalls();
    }
    int offers() { return stored("SELECT count(*) FROM BazaSale").toInt(); }
    QString saveTo(const QString &chosen)
    {
        dialogs.answerFile(chosen);
        dialogs.answerMessage(Dialogs::Yes);
        trigger("NBackup");
        return chosen + ".zip";
    }
};

} // namespace

TEST(BackupCommands, SaveProposesNameAndWritesArchive)
{
    BackupForms f;
    const QString date = Backup::dateText(QDate::currentDate(), QLocale::system().dateFormat(QLocale::ShortFormat));
    const QString zip = f.saveTo(f.data + "/Domlar" + date);
    ASSERT_EQ(f.dialogs.calls().size(), 2);
    const auto save = f.dialogs.calls().at(0);
    EXPECT_EQ(save.what, "save");
    EXPECT_EQ(save.title, "Сохранение базы данных склада");
    EXPECT_EQ(save.text, "архив данных zip|*.zip");
    EXPECT_EQ(save.folder, f.data + "/Domlar" + date);
    EXPECT_EQ(f.dialogs.calls().at(1).title, "Информация");
    EXPECT_EQ(f.dialogs.calls().at(1).text, "Данные успешно сохранены !");
    EXPECT_EQ(zipNames(zip), QStringList{"domlar.mde"});
    EXPECT_TRUE(DMDomlar->ADOConnection.connected());
}

// A chosen name ending in ".zip" gets a second one; the chosen file stays as it was.
TEST(BackupCommands, ChosenArchiveIsLeftAsItWas)
{
    BackupForms f;
    const QString chosen = f.dir.write("old.zip", "an older archive");
    EXPECT_EQ(f.saveTo(chosen), f.dir.file("old.zip.zip"));
    EXPECT_EQ(zipNames(f.dir.file("old.zip.zip")), QStringList{"domlar.mde"});
    QFile old(chosen);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "an older archive");
}

TEST(BackupCommands, SaveWithoutDatabaseFileReportsError)
{
    BackupForms f;
    ASSERT_TRUE(QFile::rename(f.database, f.dir.file("elsewhere.mde")));
    f.dialogs.answerFile(f.dir.file("x"));
    f.dialogs.answerMessage(Dialogs::Ok);
    trigger("NBackup");
    ASSERT_EQ(f.dialogs.calls().size(), 2);
    EXPECT_EQ(f.dialogs.calls().at(1).title, "Ошибка");
    EXPECT_FALSE(QFileInfo::exists(f.dir.file("x.zip")));
}

// After a confirmed restore the program ends, whatever the answer to the restart note.
TEST(BackupCommands, ConfirmedRestoreEndsTheProgram)
{
    for (int answer : {Dialogs::Yes, Dialogs::No}) {
        BackupForms f;
        const QString zip = f.saveTo(f.dir.file("saved"));
        f.exec("INSERT INTO BazaSale (IDBazaSale) VALUES (1)");
        f.dialogs.clearCalls();
        f.dialogs.answerFile(zip);
        f.dialogs.answerMessage(Dialogs::Ok);
        f.dialogs.answerMessage(answer);
        trigger("NRestore");

        ASSERT_EQ(f.dialogs.calls().size(), 3);   // no exit question
        EXPECT_EQ(f.dialogs.calls().at(0).title, "");
        EXPECT_EQ(f.dialogs.calls().at(0).folder, f.data + "/Domlar");
        EXPECT_EQ(f.dialogs.calls().at(1).title, "Предупреждение");
        EXPECT_EQ(f.dialogs.calls().at(1).text,
                  "ВНИМАНИЕ! После восстановления текущие данные заменяются данными из архива. Восстановить?");
        EXPECT_EQ(f.dialogs.calls().at(2).text, "Необходимо перезагрузить программу");
        EXPECT_FALSE(FZastav->isVisible());
        EXPECT_FALSE(DMDomlar->ADOConnection.connected());

        Connection restored;
        restored.open(Connection::connectionTextFor(f.database));
        Query q(restored, "SELECT count(*) FROM BazaSale");
        q.open();
        EXPECT_EQ(q.field(0).value().toInt(), 0);
        EXPECT_EQ(QDir(f.data).entryList({"domlar-before-restore-*.mde"}).size(), 1);
    }
}

// Declining the question, or an archive that is refused, keeps the database open and untouched.
TEST(BackupCommands, DeclinedOrRefusedRestoreKeepsDatabase)
{
    BackupForms f;
    const QString hostile = f.dir.write("hostile.zip", "not an archive at all");
    f.exec("INSERT INTO BazaSale (IDBazaSale) VALUES (1)");
    const QByteArray before = fileHash(f.database);

    f.dialogs.answerFile(hostile);
    f.dialogs.answerMessage(Dialogs::Cancel);
    trigger("NRestore");
    f.dialogs.answerFile(hostile);
    f.dialogs.answerMessage(Dialogs::Ok);
    f.dialogs.answerMessage(Dialogs::Ok);
    trigger("NRestore");

    ASSERT_EQ(f.dialogs.calls().size(), 5);
    EXPECT_EQ(f.dialogs.calls().at(4).title, "Ошибка");
    EXPECT_TRUE(f.dialogs.calls().at(4).text.startsWith("Архив не восстановлен"));
    EXPECT_TRUE(FZastav->isVisible());
    EXPECT_TRUE(DMDomlar->ADOConnection.connected());
    EXPECT_EQ(f.offers(), 1);
    EXPECT_EQ(fileHash(f.database), before);
}

// The utility starts only after a confirmed exit, in the data folder; the program folder becomes current.
TEST(BackupCommands, CompactionAfterConfirmedExitOnly)
{
    BackupForms f;
    const QString marker = f.dir.file("started");
    const QString utility = f.dir.write("Data/morvex.exe", QStringLiteral("#!/bin/sh\npwd > '%1.tmp' && mv '%1.tmp' '%1'\n").arg(marker).toUtf8());
    QFile::setPermissions(utility, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    f.dialogs.answerMessage(Dialogs::No);
    trigger("NCompact");
    EXPECT_TRUE(FZastav->isVisible());
    EXPECT_EQ(QDir::currentPath(), QDir(f.data).canonicalPath());
    EXPECT_FALSE(QFileInfo::exists(marker));

    f.dialogs.answerMessage(Dialogs::Yes);
    trigger("NCompact");
    EXPECT_FALSE(FZastav->isVisible());
    EXPECT_EQ(QDir::currentPath(), QDir(f.dir.path()).canonicalPath());
    for (QDeadlineTimer wait(30000); !QFileInfo::exists(marker) && !wait.hasExpired();) QThread::msleep(20);
    QFile started(marker);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(started.readAll().trimmed(), QDir(f.data).canonicalPath().toUtf8());
}

// The whole story: a backup is saved, the database is damaged, the backup restored,
// and the program started again works on the restored data.
TEST(BackupCommands, SaveDamageRestoreStartAgain)
{
    ProgramForms f({"INSERT INTO BazaSale (IDBazaSale) VALUES (7)"});
    const QString database = f.dir.file("Data/domlar.mde");
    FZastav->FormShow();
    f.dialogs.answerFile(f.dir.file("backup"));
    f.dialogs.answerMessage(Dialogs::Yes);
    trigger("NBackup");

    QFile damage(database);
    ASSERT_TRUE(damage.open(QIODevice::ReadWrite));
    ASSERT_TRUE(damage.seek(4096));
    damage.write(QByteArray(8 * 4096, '\x5A'));
    damage.close();

    f.dialogs.answerFile(f.dir.file("backup.zip"));
    f.dialogs.answerMessage(Dialogs::Ok);
    f.dialogs.answerMessage(Dialogs::Yes);
    trigger("NRestore");
    EXPECT_FALSE(FZastav->isVisible());
    destroyForms();

    createForms(f.dir.path());   // the program started again
    EXPECT_TRUE(DMDomlar->ADOConnection.connected());
    EXPECT_EQ(DMDomlar->table("ADOTBazaSale").recordCount(), 1);
    EXPECT_TRUE(f.dialogs.allAnswered());
}
