#include "platform/SingleInstance.h"
#include "support/TestDatabase.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include "support/OpenFiles.h"
#include <gtest/gtest.h>

// A second copy started while the first runs ends at once, silently, touching nothing.
TEST(SecondCopy, EndsSilently)
{
    TempDir dir;
    const QString program = dir.file("domlar");
    ASSERT_TRUE(QFile::copy(DOMLAR_EXECUTABLE, program));
    QDir(dir.path()).mkdir("Data");
    QDir(dir.path()).mkdir("run");
    QFile::setPermissions(dir.file("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString database = createTestDatabase(dir.file("Data/domlar.mde"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", dir.file("run"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());

    bool held = false;
    for (int i = 0; i < 200 && !held && first.state() == QProcess::Running; ++i) {
        {
            SingleInstance probe("Domlar", dir.file("run"));   // released at once when it succeeds
            held = !probe.acquire(0);
        }
        if (!held) QThread::msleep(50);
    }
    ASSERT_TRUE(held) << "the first copy did not take the guard";
    // Wait until it has the database open: what it found at start is then settled.
    const QString opened = QFileInfo(database).canonicalFilePath();
    for (int i = 0; i < 400 && !holdsOpen(first.processId(), opened) && first.state() == QProcess::Running; ++i)
        QThread::msleep(25);
    ASSERT_TRUE(holdsOpen(first.processId(), opened)) << "the first copy did not open the database";
    const QByteArray before = fileHash(database);
    const QStringList filesBefore = QDir(dir.file("Data")).entryList(QDir::Files);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(second.readAllStandardError().isEmpty());

    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(fileHash(database), before);
    EXPECT_EQ(QDir(dir.file("Data")).entryList(QDir::Files), filesBefore);
    first.kill();
    first.waitForFinished();
}
