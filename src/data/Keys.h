#pragma once
#include <QString>

class Connection;
class Dataset;

// Keys of requests, variants and directory rows: the Max+1 rule, the check
// whether a number is stored, and positioning a dataset on a number.
namespace Keys {

// "SELECT Max(IDTown) as MaxIDTown FROM SprTown"
QString maxKeySql(const QString &table, const QString &keyField);
// One more than the greatest key; 1 for an empty table.
int nextKey(Connection &connection, const QString &table, const QString &keyField);
// Whether a row with this key is stored ("SELECT * FROM BazaSale WHERE IDBazaSale=" + number).
bool stored(Connection &connection, const QString &table, const QString &keyField, int number);
// The key of the dataset's current row; 0 when it has none.
int currentKey(const Dataset &dataset, const QString &keyField);
// Makes the row whose key is exactly `number` current and checks it; false
// (the dataset where it was) when the dataset does not show such a row.
bool positionOn(Dataset &dataset, const QString &keyField, int number);

} // namespace Keys
