#include "support/TestDatabase.h"
#include "data/Schema.h"
#include <QDir>
#include <QFileInfo>

QString createTestDatabase(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    Connection c;
    c.open(Connection::connectionTextFor(path), Connection::Mode::CreateNew);
    Transaction t(c);
    for (const auto &table : Schema::tables())
        c.execute(Schema::createTableSql(table));
    for (const QString &index : Schema::createIndexSql())
        c.execute(index);
    c.execute(QStringLiteral("CREATE TABLE ColumnDescription (TableName TEXT COLLATE NOCASE, "
                             "ColumnName TEXT COLLATE NOCASE, Description TEXT)"));
    t.commit();
    return path;
}
