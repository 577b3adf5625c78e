#pragma once
#include "data/Dataset.h"
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class Statement;

class Connection;

// An SQL text with named parameters ":Name". A name that occurs several times
// is one parameter and gets the same value at every place.
// Values: QString, integers, Money, QDate, bool, QByteArray, or a null QVariant.
class SqlText {
public:
    virtual ~SqlText() = default;
    void setSql(const QString &sql);
    const QString &sql() const { return m_sql; }

    // The parameter names in order of first appearance, without the colon.
    QStringList paramNames() const;
    bool hasParam(const QString &name) const;
    // Throws AppError for a name the text does not carry.
    void setParam(const QString &name, const QVariant &value);
    QVariant param(const QString &name) const;

protected:
    struct Param { QString name; QVariant value; };
    std::vector<Param> m_params;
    QString m_sql;
};

// A one-off query: opening it runs the SQL and gives its rows as a read-only dataset.
class Query : public Dataset, public SqlText {
    Q_OBJECT
public:
    explicit Query(Connection &connection, const QString &sql = {}, QObject *parent = nullptr);

protected:
    void load() override;

private:
    Connection &m_connection;
};

// An SQL statement without result rows, run on the connection.
// The statement is prepared once and reused while the text stays the same.
class Command : public SqlText {
public:
    explicit Command(Connection &connection, const QString &sql = {});
    ~Command();
    void setSql(const QString &sql);
    // Runs the statement; returns the number of rows changed.
    int execute();

private:
    Connection &m_connection;
    std::unique_ptr<Statement> m_statement;
};
