// Opening the data module on a large register, beside the floor: a bare scan
// of the same tables through the SQLite API.
//   bench_datamodule [folder]   (the demo database is made there once and reused)
#include "BenchSupport.h"
#include "data/Connection.h"
#include "data/DataModule.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>
#include <sqlite3.h>

namespace {

// Steps once through every row of every table of the data module, touching every value.
double bareScanMs(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    Connection c;
    c.open(Connection::connectionTextFor(path));
    long long touched = 0;
    for (const QString &name : TDMDomlar::openingOrder()) {
        if (name == "ADOTBazaSprosForObmen") continue;   // the same table as ADOTBazaSpros
        const QString table = name.mid(4);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(c.handle(), ("SELECT * FROM " + table).toUtf8().constData(), -1, &st, nullptr);
        const int n = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int i = 0; i < n; ++i) {
                switch (sqlite3_column_type(st, i)) {
                case SQLITE_INTEGER: touched += sqlite3_column_int64(st, i) != 0; break;
                case SQLITE_TEXT: touched += sqlite3_column_bytes(st, i) > 0 && sqlite3_column_text(st, i); break;
                case SQLITE_BLOB: touched += sqlite3_column_blob(st, i) != nullptr; break;
                default: break;
                }
            }
        sqlite3_finalize(st);
    }
    std::printf("  (bare scan touched %lld values)\n", touched);
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::temp().filePath("domlar-bench-100k");
    const QString path = Bench::demoDatabase(folder, 100000, 100000, 20000);

    bareScanMs(path);   // warms the file cache so both runs read from memory
    const double floorMs = bareScanMs(path);
    const double memoryBefore = Bench::currentMemoryMiB();

    TDMDomlar dm(folder, [](const QString &) {});
    QElapsedTimer timer;
    timer.start();
    dm.DataModuleCreate();
    const double createMs = double(timer.nsecsElapsed()) / 1e6;

    std::printf("DataModuleCreate: %.0f ms (floor, bare SQLite scan: %.0f ms; ratio %.2f)\n",
                createMs, floorMs, createMs / floorMs);
    std::printf("memory: peak %.0f MiB, resident %.0f MiB (%.0f MiB before opening)\n",
                Bench::peakMemoryMiB(), Bench::currentMemoryMiB(), memoryBefore);
    std::printf("rows: BazaSale %d, BazaSpros %d, SprKlient %d\n", dm.table("ADOTBazaSale").recordCount(),
                dm.table("ADOTBazaSpros").recordCount(), dm.table("ADOTSprKlient").recordCount());
    return 0;
}
