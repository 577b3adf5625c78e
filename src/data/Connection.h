#pragma once
#include <QString>

struct sqlite3;

// The one database connection: an SQLCipher file opened with the password of
// the connection text "Provider=...;Data Source=<path>;Jet OLEDB:Database Password=<pw>".
// Text columns compare without regard to letter case, Cyrillic included
// (a Unicode NOCASE collation is registered on the connection).
class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    enum class Mode { Existing, CreateNew };

    // Opens the file of the connection text; throws AppError with a Russian text
    // when the file is missing, damaged or made with another password.
    // CreateNew makes a new empty encrypted file (and refuses to touch an existing one).
    void open(const QString &connectionText, Mode mode = Mode::Existing);
    void close();
    bool connected() const { return m_db != nullptr; }
    bool readOnly() const;

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

    // A Russian text for the connection's last SQLite error.
    QString lastError() const;

private:
    sqlite3 *m_db = nullptr;
    QString m_connectionText;
    QString m_path;
};

// Groups many writes into one transaction; rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Connection &c);
    ~Transaction();
    void commit();

private:
    Connection &m_connection;
    bool m_done = false;
};
