#pragma once
#include <QString>

// The family actually used for a report font: a family the machine lacks falls
// back to a metric-compatible one with Cyrillic (Arial -> Liberation Sans).
class FontResolver {
public:
    static QString family(const QString &requested);
};
