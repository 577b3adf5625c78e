#pragma once
#include "report/ReportSource.h"
#include <QString>
#include <QVariant>

// A box's display format: "%2.2f" (fixed decimals), "%d" (whole number), or a
// date pattern such as "dd.MM.yyyy". Values print with the program's decimal
// comma and no grouping; a zero date prints empty.
class DisplayFormat {
public:
    DisplayFormat() = default;
    explicit DisplayFormat(const QString &format);

    QString text(ReportFieldType type, const QVariant &value) const;

private:
    enum class Kind { Own, Fixed, Whole, Date } m_kind = Kind::Own;
    int m_decimals = 0;
    QString m_datePattern;
};

// Text of a decimal number given as ten-thousandths: "decimals" fixed places
// (rounded half away from zero), or -1 for as many as it needs.
QString decimalText(qint64 units, int decimals);
