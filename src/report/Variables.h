#pragma once
#include <QString>
#include <vector>

// The report's variables in their order. A name beginning with a blank is a
// category heading; names are unique without regard to letter case. A value
// is an expression: a text constant in single quotes ('' for a quote) or a number.
class Variables {
public:
    struct Entry {
        QString name;
        QString value;
    };

    // Replaces the value of an existing name in place, or appends a new entry.
    void set(const QString &name, const QString &value);
    const Entry *find(const QString &name) const;
    const std::vector<Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.empty(); }

    static bool isCategory(const QString &name) { return name.startsWith(QLatin1Char(' ')); }
    // A text as a constant expression: quoted, with its quotes doubled.
    static QString quoted(const QString &text);

private:
    std::vector<Entry> m_entries;
};
