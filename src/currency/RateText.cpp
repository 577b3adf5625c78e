#include "currency/RateText.h"
#include <QLocale>

QString groupedRateText(Money rate)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const int64_t units = rate.units() < 0 ? -rate.units() : rate.units();
    const QString whole = russian.toString(qlonglong(units / Money::Scale));
    const QString fraction = QStringLiteral("%1").arg(units % Money::Scale, 4, 10, QLatin1Char('0'));
    return (rate.units() < 0 ? QStringLiteral("-") : QString()) + whole + russian.decimalPoint() + fraction;
}

bool parseRate(const QString &text, Money &rate)
{
    const std::optional<Money> value = Money::parse(text);
    if (!value || *value < Money()) return false;
    rate = *value;
    return true;
}
