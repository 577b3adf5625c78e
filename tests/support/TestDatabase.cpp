#include "support/TestDatabase.h"
#include "tools/DeliveredDatabase.h"
#include <QDir>
#include <QFileInfo>

QString createTestDatabase(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    Connection c;
    c.open(Connection::connectionTextFor(path), Connection::Mode::CreateNew);
    Transaction t(c);
    Delivered::createSchema(c);
    t.commit();
    return path;
}
