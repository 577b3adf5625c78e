#include "data/DisplayText.h"
#include "data/Money.h"
#include <QDate>

namespace {

QString moneyText(Money m, const QString &format)
{
    if (format.isEmpty()) return m.toDisplay(2, true);
    const int point = int(format.indexOf('.'));
    return m.toDisplay(point < 0 ? 0 : int(format.size()) - point - 1, format.startsWith(','));
}

} // namespace

bool isNoDate(const QDate &date)
{
    return !date.isValid() || date == Schema::zeroDate();
}

QString displayText(FieldType type, const QVariant &value, const QString &format)
{
    if (!value.isValid() || value.isNull()) return QString();
    switch (type) {
    case FieldType::Money: {
        const Money m = value.value<Money>();
        return m.isZero() ? QString() : moneyText(m, format);
    }
    case FieldType::Integer:
    case FieldType::Counter:
        return value.toLongLong() == 0 ? QString() : value.toString();
    case FieldType::Date: {
        const QDate d = value.toDate();
        return isNoDate(d) ? QString() : d.toString(QStringLiteral("dd.MM.yyyy"));
    }
    case FieldType::Bool: return QString();
    case FieldType::Binary: return QStringLiteral("(данные)");
    case FieldType::Text:
    case FieldType::Lookup: break;
    }
    return value.toString();
}
