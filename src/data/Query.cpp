#include "data/Query.h"
#include "data/Connection.h"
#include "data/Statement.h"
#include "platform/AppError.h"
#include <sqlite3.h>

namespace {

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == '_'; }

// Binds every parameter of the statement from the named values (names compare
// without regard to letter case, as the SQL texts are written by hand).
void bindParams(Statement &st, const SqlText &text)
{
    sqlite3_stmt *h = st.handle();
    const int count = sqlite3_bind_parameter_count(h);
    for (int i = 1; i <= count; ++i) {
        const char *raw = sqlite3_bind_parameter_name(h, i);
        if (!raw)
            continue;
        const QString name = QString::fromUtf8(raw + 1);
        st.bind(i, text.param(name));
    }
}

} // namespace

void SqlText::setSql(const QString &sql)
{
    m_sql = sql;
    std::vector<Param> params;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ':' && i + 1 < sql.size() && isNameChar(sql[i + 1])) {
            int j = i + 1;
            while (j < sql.size() && isNameChar(sql[j])) ++j;
            const QString name = sql.mid(i + 1, j - i - 1);
            bool known = false;
            for (const auto &p : params) known = known || p.name.compare(name, Qt::CaseInsensitive) == 0;
            if (!known) {
                QVariant kept;
                for (const auto &old : m_params)
                    if (old.name.compare(name, Qt::CaseInsensitive) == 0) kept = old.value;
                params.push_back({name, kept});
            }
            i = j - 1;
        }
    }
    m_params = std::move(params);
}

QStringList SqlText::paramNames() const
{
    QStringList names;
    for (const auto &p : m_params) names << p.name;
    return names;
}

bool SqlText::hasParam(const QString &name) const
{
    for (const auto &p : m_params)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void SqlText::setParam(const QString &name, const QVariant &value)
{
    for (auto &p : m_params)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0) { p.value = value; return; }
    throw AppError(QStringLiteral("В запросе нет параметра «%1».").arg(name));
}

QVariant SqlText::param(const QString &name) const
{
    for (const auto &p : m_params)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0) return p.value;
    return QVariant();
}

Query::Query(Connection &connection, const QString &sql, QObject *parent)
    : Dataset(parent), m_connection(connection)
{
    setSql(sql);
}

void Query::load()
{
    if (m_sql.trimmed().isEmpty())
        throw AppError(QStringLiteral("Текст запроса пуст."));
    Statement st(m_connection, m_sql);
    bindParams(st, *this);
    fieldsFromStatement(st.handle(), 0);
    readRows(st.handle(), 0);
}

Command::Command(Connection &connection, const QString &sql) : m_connection(connection)
{
    setSql(sql);
}

Command::~Command() = default;

void Command::setSql(const QString &sql)
{
    SqlText::setSql(sql);
    m_statement.reset();
}

int Command::execute()
{
    if (!m_statement)
        m_statement = std::make_unique<Statement>(m_connection, m_sql);
    m_statement->reset();
    bindParams(*m_statement, *this);
    while (m_statement->step()) {}
    m_statement->reset();
    return sqlite3_changes(m_connection.handle());
}
