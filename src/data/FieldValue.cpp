#include "data/FieldValue.h"
#include "data/Money.h"
#include "data/Statement.h"
#include "platform/AppError.h"
#include <QDate>

namespace FieldValue {

QString fieldError(const FieldInfo &f, const QString &what)
{
    return QStringLiteral("Поле «%1»: %2").arg(f.name, what);
}

QVariant convert(const FieldInfo &f, const QVariant &v)
{
    if (isNullValue(v)) return QVariant();
    const bool isMoney = v.metaType() == QMetaType::fromType<Money>();
    const bool isText = v.typeId() == QMetaType::QString;
    const QString text = isText ? v.toString().trimmed() : QString();
    auto bad = [&](const QString &what) {
        return AppError(fieldError(f, QStringLiteral("значение «%1» %2.").arg(isMoney ? v.value<Money>().toString() : v.toString(), what)));
    };
    switch (f.type) {
    case FieldType::Text:
    case FieldType::Lookup: {
        const QString s = isMoney ? v.value<Money>().toString()
                        : v.typeId() == QMetaType::QDate ? v.toDate().toString(QStringLiteral("dd.MM.yyyy"))
                        : v.toString();
        if (f.width > 0 && s.size() > f.width)
            throw AppError(fieldError(f, QStringLiteral("текст длиннее допустимого (%1 символов при наибольшей длине %2).")
                                             .arg(s.size()).arg(f.width)));
        return s;
    }
    case FieldType::Integer:
    case FieldType::Counter: {
        int64_t n;
        if (isMoney) n = v.value<Money>().roundedToInteger();
        else if (isText) {
            if (text.isEmpty()) return QVariant();
            bool ok = false;
            n = text.toLongLong(&ok);
            if (!ok) throw bad(QStringLiteral("не является целым числом"));
        } else if (v.typeId() == QMetaType::Double) n = Money::fromDouble(v.toDouble()).roundedToInteger();
        else n = v.toLongLong();
        if (n < INT32_MIN || n > INT32_MAX) throw bad(QStringLiteral("вне допустимого диапазона"));
        return QVariant(int(n));
    }
    case FieldType::Money: {
        if (isMoney) return v;
        if (isText) {
            if (text.isEmpty()) return QVariant();
            const auto m = Money::parse(text);
            if (!m) throw bad(QStringLiteral("не является числом"));
            return QVariant::fromValue(*m);
        }
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            return QVariant::fromValue(Money::fromDouble(v.toDouble()));
        return QVariant::fromValue(Money::fromInteger(v.toLongLong()));
    }
    case FieldType::Date: {
        if (isText) {
            if (text.isEmpty()) return QVariant();
            QDate d = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
            if (!d.isValid()) d = QDate::fromString(text.left(10), Qt::ISODate);
            if (!d.isValid()) throw bad(QStringLiteral("не является датой"));
            return d;
        }
        const QDate d = v.toDate();
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Bool: {
        if (isText) {
            const QString t = text.toLower();
            if (t == "true" || t == "1" || t == "да") return true;
            if (t == "false" || t == "0" || t == "нет") return false;
            if (t.isEmpty()) return QVariant();
            throw bad(QStringLiteral("не является значением да/нет"));
        }
        return QVariant(v.toBool());
    }
    case FieldType::Binary:
        return isText ? QVariant(v.toString().toUtf8()) : QVariant(v.toByteArray());
    }
    return v;
}

QString storedText(const FieldInfo &f, const QVariant &v)
{
    if (isNullValue(v)) return QString();
    if (v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>().toString();
    switch (f.type) {
    case FieldType::Date: return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case FieldType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return v.toString();
    }
}

} // namespace FieldValue
