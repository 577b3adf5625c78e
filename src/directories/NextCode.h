#pragma once
#include <QString>

// The Max+1 rule: the greatest key of a table read by a one-off query
// ("SELECT Max(IDTown) as MaxIDTown FROM SprTown"), plus one; 1 for an empty table.
int nextCode(const QString &table, const QString &keyField);

// The query text that reads the greatest key of a table.
QString maxCodeSql(const QString &table, const QString &keyField);
