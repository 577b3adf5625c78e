#include "BenchSupport.h"
#include "tools/DeliveredDatabase.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace Bench {

QString demoDatabase(const QString &folder, int offers, int demands, int clients)
{
    const QString path = QDir(folder).filePath(QStringLiteral("Data/domlar.mde"));
    if (QFileInfo(path).isFile())
        return path;
    DemoSizes sizes = DemoSizes::forCount(offers);
    sizes.demands = demands;
    sizes.clients = clients;
    std::printf("making the demo database %s ...\n", qPrintable(path));
    Delivered::makeDatabase(path, sizes);
    return path;
}

static double statusValueMiB(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

double peakMemoryMiB() { return statusValueMiB("VmHWM:"); }
double currentMemoryMiB() { return statusValueMiB("VmRSS:"); }

} // namespace Bench
