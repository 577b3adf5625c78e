#include "support/TempDir.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include "support/OpenFiles.h"
#include <gtest/gtest.h>

// Installed into a fresh prefix and started by a new user, the program fills the
// user's own folder from the delivered files and opens the database found there.
TEST(InstalledProgram, NewUserStartsOnTheDeliveredDatabase)
{
    TempDir dir;
    const QString prefix = dir.file("prefix");
    QProcess install;
    install.start(CMAKE_COMMAND, {"--install", DOMLAR_BUILD_DIR, "--prefix", prefix});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    QDir(dir.path()).mkpath("home");
    QDir(dir.path()).mkpath("run");
    QFile::setPermissions(dir.file("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DOMLAR_PROGRAM_FOLDER");
    env.remove("XDG_DATA_HOME");
    env.insert("HOME", dir.file("home"));
    env.insert("XDG_RUNTIME_DIR", dir.file("run"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(prefix + "/bin/domlar", {});
    ASSERT_TRUE(program.waitForStarted());

    const QString database = QFileInfo(dir.file("home/.local/share/domlar/Data/domlar.mde")).absoluteFilePath();
    bool opened = false;
    for (int i = 0; i < 600 && !opened && program.state() == QProcess::Running; ++i) {
        opened = holdsOpen(program.processId(), database);
        if (!opened) QThread::msleep(50);
    }
    EXPECT_TRUE(opened) << program.readAllStandardError().toStdString();
    EXPECT_EQ(fileHash(database), fileHash(prefix + "/share/domlar/Data/domlar.mde"));
    EXPECT_TRUE(QFile::permissions(database) & QFile::WriteOwner);
    EXPECT_EQ(QFileInfo(dir.file("home/.local/share/domlar/Data/morvex.exe")).canonicalFilePath(),
              QFileInfo(prefix + "/libexec/domlar/morvex.exe").canonicalFilePath());
    program.kill();
    program.waitForFinished();
}
