// "Сохранить" and "Восстановить" on a large database, beside their floors in the
// same run: `zip -1` of the same file, and `unzip` of the same archive.
//   bench_backup [folder]   (the demo database is made there once and reused)
#include "BenchSupport.h"
#include "data/Backup.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const int Runs = 3;

// The best of a few runs, in milliseconds; `prepare` runs untimed before each.
double bestMs(const std::function<void()> &action, const std::function<void()> &prepare = [] {})
{
    double best = 1e300;
    for (int i = 0; i < Runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        action();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

void run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), p.readAllStandardError().constData());
        std::exit(1);
    }
}

void report(const char *what, double ours, double floor, double aim)
{
    std::printf("%-36s %8.0f ms   floor %8.0f ms   ratio %.2f (aim within %.1f)\n", what, ours, floor, ours / floor, aim);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::temp().filePath("domlar-bench-100k");
    const QString database = Bench::demoDatabase(folder, 100000, 100000, 20000);
    const QString dataFolder = QFileInfo(database).absolutePath();
    const QString zip = QStandardPaths::findExecutable("zip"), unzip = QStandardPaths::findExecutable("unzip");
    if (zip.isEmpty() || unzip.isEmpty()) {
        std::fprintf(stderr, "zip and unzip are needed for the floors\n");
        return 1;
    }
    QTemporaryDir scratch;
    const QString floorZip = scratch.filePath("floor.zip"), ourZip = scratch.filePath("ours.zip");
    const QString restoreFolder = scratch.filePath("Data");
    QDir().mkpath(restoreFolder);
    std::printf("database %s: %.1f MiB\n", qPrintable(database), QFileInfo(database).size() / 1048576.0);

    bestMs([&] { run(zip, {"-1", "-q", "-j", floorZip, database}); }, [&] { QFile::remove(floorZip); });   // warms the cache
    const double zipMs = bestMs([&] { run(zip, {"-1", "-q", "-j", floorZip, database}); }, [&] { QFile::remove(floorZip); });
    const double saveMs = bestMs([&] { Backup::saveArchive(dataFolder, ourZip); });
    std::printf("archive %.1f MiB (zip -1: %.1f MiB)\n", QFileInfo(ourZip).size() / 1048576.0,
                QFileInfo(floorZip).size() / 1048576.0);

    const QString unzipFolder = scratch.filePath("unzipped");
    const double unzipMs = bestMs([&] { run(unzip, {"-o", "-q", ourZip, "-d", unzipFolder}); });
    double swapMs = 0;
    const double restoreMs = bestMs([&] {
        Backup::Restore restore(ourZip, restoreFolder);
        QElapsedTimer swap;
        swap.start();
        restore.swapIn();
        swapMs = double(swap.nsecsElapsed()) / 1e6;
    });

    report("Сохранить (archive and verify)", saveMs, zipMs, 1.3);
    report("Восстановить (extract, check, swap)", restoreMs, unzipMs, 2.0);
    std::printf("  of which the swap: %.1f ms\n", swapMs);
    return 0;
}
