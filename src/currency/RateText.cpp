#include "currency/RateText.h"

QString groupedRateText(Money rate)
{
    return rate.toDisplay(4, true);
}

bool parseRate(const QString &text, Money &rate)
{
    const std::optional<Money> value = Money::parse(text);
    if (!value || *value < Money()) return false;
    rate = *value;
    return true;
}
