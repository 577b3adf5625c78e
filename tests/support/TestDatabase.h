#pragma once
#include "data/Connection.h"
#include "support/TempDir.h"
#include <QString>

// An encrypted database with every table of the program, in a temporary folder.
QString createTestDatabase(const QString &path);

struct TestDatabase {
    TempDir dir;
    QString path = createTestDatabase(dir.file("domlar.mde"));
    Connection connection;
    TestDatabase() { connection.open(Connection::connectionTextFor(path)); }
    void exec(const QString &sql) { connection.execute(sql); }
};
