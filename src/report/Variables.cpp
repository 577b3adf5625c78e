#include "report/Variables.h"

void Variables::set(const QString &name, const QString &value)
{
    for (Entry &e : m_entries)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) {
            e.value = value;
            return;
        }
    m_entries.push_back({name, value});
}

const Variables::Entry *Variables::find(const QString &name) const
{
    for (const Entry &e : m_entries)
        if (!isCategory(e.name) && e.name.compare(name, Qt::CaseInsensitive) == 0) return &e;
    return nullptr;
}

QString Variables::quoted(const QString &text)
{
    QString q = text;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}
