#pragma once
#include <QString>
#include <QVariant>

struct sqlite3_stmt;
class Connection;

// One prepared SQL statement; finalized when it goes out of scope.
class Statement {
public:
    Statement(Connection &connection, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *handle() const { return m_stmt; }
    // Binds by 1-based index with the storage conventions: money as a count of
    // ten-thousandths, dates as ISO text, yes/no as 0/1, an invalid QVariant as NULL.
    void bind(int index, const QVariant &value);
    // Steps once; true while a row is there. Throws AppError on failure.
    bool step();
    void reset();
    Connection &connection() const { return m_connection; }

private:
    Connection &m_connection;
    sqlite3_stmt *m_stmt = nullptr;
};

inline bool isNullValue(const QVariant &v) { return !v.isValid() || v.isNull(); }
