#include "report/ValueText.h"
#include <QDate>
#include <algorithm>
#include <QRegularExpression>

namespace {
const QDate ZeroDate(1899, 12, 30);

// dd.MM.yyyy without a locale: the form every date of the program prints in, and a hot path.
QString dateText(QDate d)
{
    QString s(10, QLatin1Char('.'));
    const auto two = [&s](int at, int v) {
        s[at] = QLatin1Char(char('0' + v / 10));
        s[at + 1] = QLatin1Char(char('0' + v % 10));
    };
    two(0, d.day());
    two(3, d.month());
    two(6, d.year() / 100 % 100);
    two(8, d.year() % 100);
    return s;
}
} // namespace

int ReportSource::fieldIndex(const QString &name) const
{
    for (int i = 0, n = fieldCount(); i < n; ++i)
        if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int sourceIndex(const std::vector<ReportSource *> &sources, const QString &name)
{
    for (size_t i = 0; i < sources.size(); ++i)
        if (sources[i]->name().compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

DisplayFormat::DisplayFormat(const QString &format)
{
    static const QRegularExpression printf(QStringLiteral("^%-?\\d*(?:\\.(\\d+))?([dfnm])$"));
    if (format.isEmpty()) return;
    const QRegularExpressionMatch m = printf.match(format);
    if (m.hasMatch()) {
        m_kind = m.captured(2) == QLatin1String("d") ? Kind::Whole : Kind::Fixed;
        m_decimals = m.captured(1).isEmpty() ? (m_kind == Kind::Fixed ? 6 : 0) : m.captured(1).toInt();
        if (m_kind == Kind::Fixed && m.captured(1).isEmpty() && m.captured(2) != QLatin1String("f")) m_decimals = 2;
    } else if (!format.contains(QLatin1Char('%'))) {
        m_kind = Kind::Date;
        m_datePattern = format;
    }
}

QString decimalText(qint64 units, int decimals)
{
    const bool negative = units < 0;
    quint64 u = negative ? 0 - quint64(units) : quint64(units);
    int places = 4;
    if (decimals >= 0 && decimals < 4) {
        quint64 step = 1;
        for (int i = decimals; i < 4; ++i) step *= 10;
        u = (u + step / 2) / step;   // half away from zero
        places = decimals;
    }
    // Digits from the right into a small buffer: one allocation per text.
    char buf[48];
    char *end = buf + sizeof buf, *p = end;
    for (int i = 0; i < places; ++i, u /= 10) *--p = char('0' + u % 10);
    if (decimals < 0)   // as many decimals as it needs
        while (end > p && end[-1] == '0') --end;
    const bool fraction = end > p;
    if (fraction) *--p = ',';
    do *--p = char('0' + u % 10); while (u /= 10);
    const bool zero = std::all_of(p, end, [](char c) { return c == '0' || c == ','; });
    if (negative && !zero) *--p = '-';
    QString s = QString::fromLatin1(p, end - p);
    if (decimals > 4) s += QString(decimals - 4, QLatin1Char('0'));
    return s;
}

QString DisplayFormat::text(ReportFieldType type, const QVariant &value) const
{
    if (!value.isValid() || value.isNull()) return QString();
    switch (type) {
    case ReportFieldType::Integer:
        if (m_kind == Kind::Own || m_kind == Kind::Whole) return QString::number(value.toLongLong());
        [[fallthrough]];
    case ReportFieldType::Decimal: {
        const qint64 units = type == ReportFieldType::Decimal ? value.toLongLong() : value.toLongLong() * 10000;
        if (m_kind == Kind::Fixed) return decimalText(units, m_decimals);
        if (m_kind == Kind::Whole) return decimalText(units, 0);
        return decimalText(units, -1);
    }
    case ReportFieldType::Date: {
        const QDate d = value.toDate();
        if (!d.isValid() || d == ZeroDate) return QString();
        return m_kind == Kind::Date ? d.toString(m_datePattern) : dateText(d);
    }
    case ReportFieldType::Bool: return value.toBool() ? QStringLiteral("Да") : QStringLiteral("Нет");
    case ReportFieldType::Binary: return QString();
    case ReportFieldType::Text: return value.toString();
    }
    return QString();
}
