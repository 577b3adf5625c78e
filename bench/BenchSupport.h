#pragma once
#include <QString>

// Helpers shared by the benchmark programs.
namespace Bench {

// A demo database with the given sizes under folder/Data, made once and reused.
QString demoDatabase(const QString &folder, int offers, int demands, int clients);

// Peak and current resident memory of this process, in MiB.
double peakMemoryMiB();
double currentMemoryMiB();

} // namespace Bench
