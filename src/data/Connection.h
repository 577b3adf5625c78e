#pragma once
#include "platform/AppError.h"
#include <QElapsedTimer>
#include <QString>
#include <functional>

struct sqlite3;

// Opening failed because another program holds the file locked for longer
// than the connection waits; trying again later may succeed.
class DatabaseBusyError : public AppError {
public:
    using AppError::AppError;
};

// The one database connection: an SQLCipher file opened with the password of
// the connection text "Provider=...;Data Source=<path>;Jet OLEDB:Database Password=<pw>".
// Text columns compare without regard to letter case, Cyrillic included
// (a Unicode NOCASE collation is registered on the connection).
//
// The cipher settings are pinned rather than left to the library's defaults, so
// the file opens the same with any SQLCipher version given these settings:
// 4096-byte pages for new files (files made with 1024-byte pages still open),
// PBKDF2-HMAC-SHA1 with 64000 iterations, HMAC-SHA1 page authentication.
class Connection {
public:
    using Notice = std::function<void(const QString &)>;

    Connection() = default;
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    enum class Mode { Existing, CreateNew };

    // Opens the file of the connection text; throws AppError with a Russian text
    // when the file is missing, damaged or made with another password, and
    // DatabaseBusyError when another program keeps it locked.
    // CreateNew makes a new empty encrypted file (and refuses to touch an existing one).
    // A file that is write-protected, or lies in a write-protected folder, opens read-only.
    void open(const QString &connectionText, Mode mode = Mode::Existing);
    void close();
    bool connected() const { return m_db != nullptr; }
    // Read-only: opened so (see open) or switched so after a damaged page was found.
    bool readOnly() const;
    // "База данных открыта только для чтения: <why>"; empty while writable.
    QString readOnlyNotice() const;

    // How long a statement waits for another program's lock before failing.
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }
    // Told once each time the connection starts waiting for another program's lock.
    void setWaitNotice(Notice notice) { m_waitNotice = std::move(notice); }

    QString connectionText() const { return m_connectionText; }
    QString databasePath() const { return m_path; }
    sqlite3 *handle() const;   // throws AppError when not connected

    // Runs SQL statements without parameters or results (DDL, PRAGMA, BEGIN ...).
    void execute(const QString &sql);
    long long lastInsertRowId() const;

    // The connection text for a database file, exactly as the program builds it.
    static QString connectionTextFor(const QString &databasePath);
    static QString password();
    // The parts of a connection text: "Data Source" and "Jet OLEDB:Database Password".
    static QString textPart(const QString &connectionText, const QString &name);

    // A Russian text, saying what to do, for the connection's last SQLite error.
    QString lastError() const;
    // The same for a failed call's result code. A damaged file found this way
    // switches the connection to read-only, so nothing more is written into it.
    QString failure(int resultCode);

private:
    static int waitWhileBusy(void *connection, int attempt);
    static int refuseCommitWhenDamaged(void *connection);
    void markDamaged();
    int openFile(const QString &path, const QByteArray &key, int flags, int pageSize);
    QString describe(int code, const QString &detail) const;

    sqlite3 *m_db = nullptr;
    QString m_connectionText;
    QString m_path;
    QString m_readOnlyReason;
    bool m_damaged = false;
    int m_busyTimeoutMs = 5000;
    QElapsedTimer m_busySince;
    Notice m_waitNotice;
};

// Groups many writes into one transaction; rolls back unless committed.
class Transaction {
public:
    // Immediate takes the write lock at once, so what is read inside stays true until the commit.
    enum class Kind { Deferred, Immediate };
    explicit Transaction(Connection &c, Kind kind = Kind::Deferred);
    ~Transaction();
    void commit();

private:
    Connection &m_connection;
    bool m_done = false;
};
