#include "directories/NextCode.h"
#include "data/DataModule.h"
#include "data/Query.h"

QString maxCodeSql(const QString &table, const QString &keyField)
{
    return QStringLiteral("SELECT Max(%1) as Max%1 FROM %2").arg(keyField, table);
}

int nextCode(const QString &table, const QString &keyField)
{
    Query q(DMDomlar->ADOConnection, maxCodeSql(table, keyField));
    q.open();
    return q.fieldByName("Max" + keyField).asInteger() + 1;   // no rows or no maximum: 0
}
