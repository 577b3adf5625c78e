#include "platform/SingleInstance.h"
#include "support/TempDir.h"
#include <QCoreApplication>
#include <QProcess>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <gtest/gtest.h>

namespace {

const char kHoldEnv[] = "DOMLAR_TEST_HOLD_LOCK";
const QString kName = QStringLiteral("domlar-test.lock");

// Started with DOMLAR_TEST_HOLD_LOCK=<folder>, this test program becomes the
// "other copy": it takes the guard in that folder, says "held" and waits until
// its stdin closes. It runs before main(), so no tests run in that process.
[[maybe_unused]] const bool g_holder = [] {
    const QString folder = qEnvironmentVariable(kHoldEnv);
    if (folder.isEmpty())
        return false;
    SingleInstance guard(kName, folder);
    if (!guard.acquire(5000))
        std::exit(1);
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    std::exit(0);
}();

} // namespace

TEST(SingleInstance, SecondGuardInThisProcessFailsUntilTheFirstEnds)
{
    TempDir dir;
    auto first = std::make_optional<SingleInstance>(kName, dir.path());
    EXPECT_EQ(first->lockPath(), dir.file(kName));
    ASSERT_TRUE(first->acquire());
    EXPECT_TRUE(first->held());

    SingleInstance second(kName, dir.path());
    EXPECT_FALSE(second.acquire(50));
    EXPECT_FALSE(second.held());

    first.reset();
    EXPECT_TRUE(second.acquire(0));
}

// The other copy ends normally or is killed: either way the system frees the guard.
TEST(SingleInstance, GuardOfAnotherProcessIsFreedWhenItEnds)
{
    for (const bool kill : {false, true}) {
        SCOPED_TRACE(kill ? "killed" : "stdin closed");
        TempDir dir;
        // Held while the other process starts: it must not inherit our descriptor.
        auto own = std::make_optional<SingleInstance>(QStringLiteral("own.lock"), dir.path());
        ASSERT_TRUE(own->acquire());

        QProcess other;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kHoldEnv, dir.path());
        other.setProcessEnvironment(env);
        other.start(QCoreApplication::applicationFilePath(), {});
        ASSERT_TRUE(other.waitForReadyRead(10000));
        ASSERT_EQ(other.readLine().trimmed(), "held");

        own.reset();
        EXPECT_TRUE(SingleInstance(QStringLiteral("own.lock"), dir.path()).acquire(0));

        SingleInstance mine(kName, dir.path());
        EXPECT_FALSE(mine.acquire(20));
        if (kill)
            other.kill();
        else
            other.closeWriteChannel();
        ASSERT_TRUE(other.waitForFinished(10000));
        EXPECT_EQ(other.exitStatus(), kill ? QProcess::CrashExit : QProcess::NormalExit);
        EXPECT_TRUE(mine.acquire(1000));
    }
}
