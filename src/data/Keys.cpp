#include "data/Keys.h"
#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/Query.h"

namespace Keys {

QString maxKeySql(const QString &table, const QString &keyField)
{
    return QStringLiteral("SELECT Max(%1) as Max%1 FROM %2").arg(keyField, table);
}

int nextKey(Connection &connection, const QString &table, const QString &keyField)
{
    Query q(connection, maxKeySql(table, keyField));
    q.open();
    return q.fieldByName("Max" + keyField).asInteger() + 1;   // no rows or no maximum: 0
}

bool stored(Connection &connection, const QString &table, const QString &keyField, int number)
{
    Query q(connection, QStringLiteral("SELECT * FROM %1 WHERE %2=").arg(table, keyField) + QString::number(number));
    q.open();
    return !q.isEmpty();
}

int currentKey(const Dataset &dataset, const QString &keyField)
{
    if (!dataset.active() || dataset.recNo() < 0) return 0;
    return dataset.value(dataset.recNo(), dataset.fieldIndex(keyField)).toInt();
}

bool positionOn(Dataset &dataset, const QString &keyField, int number)
{
    if (!dataset.active() || number <= 0) return false;
    if (currentKey(dataset, keyField) == number) return true;
    // locate leaves the dataset where it was when nothing matches
    return dataset.locate(keyField, number) && currentKey(dataset, keyField) == number;
}

} // namespace Keys
