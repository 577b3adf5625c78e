#pragma once
#include <QString>

// The compaction utility's work on one database file.
struct CompactionResult {
    qint64 before = 0;   // file sizes in bytes
    qint64 after = 0;
    QString copy;        // the copy kept beside the file
};

// Keeps a copy of the database beside it, compacts the database with the
// program's password (VACUUM) and checks it. If anything fails the copy is put
// back, so the file is as it was, and AppError carries the reason.
CompactionResult compactDatabase(const QString &path);

// The database the program uses: the one of the data folder, else the path of its "Data.ini".
QString databaseToCompact(const QString &dataFolder);
