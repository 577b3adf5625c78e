#pragma once
#include "data/Dataset.h"
#include <QList>
#include <QStringList>

// The values of one field in the rows a dataset shows, in their order.
inline QList<int> columnInts(const Dataset &ds, const QString &field)
{
    QList<int> values;
    for (int r = 0; r < ds.recordCount(); ++r) values << ds.value(r, ds.fieldIndex(field)).toInt();
    return values;
}

inline QStringList columnTexts(const Dataset &ds, const QString &field)
{
    QStringList values;
    for (int r = 0; r < ds.recordCount(); ++r) values << ds.value(r, ds.fieldIndex(field)).toString();
    return values;
}
