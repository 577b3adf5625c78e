#pragma once
#include "data/Money.h"
#include <QString>

// Money as the program shows it: a decimal comma and, when grouping, thousands
// separated by `separator`. Exact: never through a double.
inline QString moneyText(Money m, int decimals, bool grouping, QChar separator = QChar(0x00A0))
{
    QString s = m.toFixed(decimals);
    const bool negative = s.startsWith('-');
    if (negative) s.remove(0, 1);
    QString whole = s.section('.', 0, 0);
    const QString fraction = s.section('.', 1);
    if (grouping)
        for (int i = int(whole.size()) - 3; i > 0; i -= 3) whole.insert(i, separator);
    return (negative ? "-" : "") + whole + (fraction.isEmpty() ? QString() : ',' + fraction);
}
