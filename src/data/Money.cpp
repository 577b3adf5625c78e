#include "data/Money.h"
#include "platform/AppError.h"
#include <algorithm>

namespace {

// Divides with rounding to nearest, ties to even (banker's rounding).
int64_t divRoundEven(__int128 num, __int128 den)
{
    if (den < 0) { num = -num; den = -den; }
    __int128 q = num / den;
    __int128 r = num % den;
    if (r < 0) { r += den; q -= 1; }          // floor division, 0 <= r < den
    __int128 twice = 2 * r;
    if (twice > den || (twice == den && (q % 2 != 0)))
        q += 1;
    return int64_t(q);
}

} // namespace

Money Money::fromDouble(double value)
{
    // The decimal text of a double is what the user typed; round from it so
    // that 0.00005 is a tie, not a hair below one.
    const auto m = parse(QString::number(value, 'f', 10));
    return m ? *m : Money();
}

std::optional<Money> Money::parse(const QString &text)
{
    QString t = text.trimmed();
    t.remove(QChar(' ')).remove(QChar(0x00A0)).remove(QChar(0x202F));
    if (t.isEmpty())
        return std::nullopt;
    bool negative = false;
    int i = 0;
    if (t[0] == '-' || t[0] == '+') { negative = t[0] == '-'; ++i; }
    __int128 whole = 0, frac = 0, fracScale = 1;
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == '.' || c == ',') {
            if (point) return std::nullopt;
            point = true;
        } else if (c.isDigit() && c.unicode() < 128) {
            digits = true;
            const int d = c.unicode() - '0';
            if (!point) {
                whole = whole * 10 + d;
                if (whole > __int128(INT64_MAX / Scale)) return std::nullopt;
            } else if (fracScale < __int128(1000000000000000000LL)) {
                frac = frac * 10 + d;
                fracScale *= 10;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    const __int128 units = whole * Scale + divRoundEven(frac * Scale, fracScale);
    return fromUnits(int64_t(negative ? -units : units));
}

int64_t Money::roundedToInteger() const
{
    return divRoundEven(m_units, Scale);
}

QString Money::toFixed(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    int64_t pow = 1;
    for (int i = decimals; i < 4; ++i) pow *= 10;
    const int64_t scaled = divRoundEven(m_units, pow);   // in 10^-decimals units
    int64_t div = 1;
    for (int i = 0; i < decimals; ++i) div *= 10;
    const bool negative = scaled < 0;
    const uint64_t a = negative ? uint64_t(-scaled) : uint64_t(scaled);
    QString s = QString::number(a / div);
    if (decimals > 0)
        s += '.' + QString::number(a % div).rightJustified(decimals, '0');
    return negative ? '-' + s : s;
}

QString Money::toString() const
{
    QString s = toFixed(4);
    while (s.endsWith('0') && s.contains('.')) s.chop(1);
    if (s.endsWith('.')) s.chop(1);
    return s == "-0" ? QStringLiteral("0") : s;
}

Money Money::operator*(Money o) const
{
    return fromUnits(divRoundEven(__int128(m_units) * o.m_units, Scale));
}

Money Money::operator/(Money o) const
{
    if (o.m_units == 0)
        throw AppError(QStringLiteral("Деление на ноль."));
    return fromUnits(divRoundEven(__int128(m_units) * Scale, o.m_units));
}

QString Money::toDisplay(int decimals, bool grouping, QChar separator) const
{
    QString s = toFixed(decimals);
    const bool negative = s.startsWith('-');
    if (negative) s.remove(0, 1);
    QString whole = s.section('.', 0, 0);
    const QString fraction = s.section('.', 1);
    if (grouping)
        for (int i = int(whole.size()) - 3; i > 0; i -= 3) whole.insert(i, separator);
    return (negative ? "-" : "") + whole + (fraction.isEmpty() ? QString() : ',' + fraction);
}
