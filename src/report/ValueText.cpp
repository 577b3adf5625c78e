#include "report/ValueText.h"
#include <QDate>
#include <QRegularExpression>

namespace {
const QDate ZeroDate(1899, 12, 30);
}

int ReportSource::fieldIndex(const QString &name) const
{
    for (int i = 0, n = fieldCount(); i < n; ++i)
        if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0) return i;
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
    quint64 u = negative ? quint64(-units) : quint64(units);
    int places = 4;
    if (decimals >= 0 && decimals < 4) {
        quint64 step = 1;
        for (int i = decimals; i < 4; ++i) step *= 10;
        u = (u + step / 2) / step;
        places = decimals;
    }
    quint64 scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    QString whole = QString::number(u / scale);
    QString fraction = places ? QString::number(u % scale).rightJustified(places, QLatin1Char('0')) : QString();
    if (decimals < 0)
        while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    else if (decimals > 4)
        fraction += QString(decimals - 4, QLatin1Char('0'));
    const bool zero = u == 0;
    return (negative && !zero ? QStringLiteral("-") : QString()) + whole +
           (fraction.isEmpty() ? QString() : QLatin1Char(',') + fraction);
}

QString DisplayFormat::text(ReportFieldType type, const QVariant &value) const
{
    if (!value.isValid() || value.isNull()) return QString();
    switch (type) {
    case ReportFieldType::Integer:
    case ReportFieldType::Decimal: {
        const qint64 units = type == ReportFieldType::Decimal ? value.toLongLong() : value.toLongLong() * 10000;
        if (m_kind == Kind::Fixed) return decimalText(units, m_decimals);
        if (m_kind == Kind::Whole) return decimalText(units, 0);
        return decimalText(units, -1);
    }
    case ReportFieldType::Date: {
        const QDate d = value.toDate();
        if (!d.isValid() || d == ZeroDate) return QString();
        return d.toString(m_kind == Kind::Date ? m_datePattern : QStringLiteral("dd.MM.yyyy"));
    }
    case ReportFieldType::Bool: return value.toBool() ? QStringLiteral("Да") : QStringLiteral("Нет");
    case ReportFieldType::Binary: return QString();
    case ReportFieldType::Text: return value.toString();
    }
    return QString();
}
