#pragma once
#include <QMetaType>
#include <QString>
#include <cstdint>
#include <optional>

// An exact fixed-point amount with four decimals (prices, areas, rates),
// held as a count of ten-thousandths and stored so in the database.
class Money {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(int64_t units) { Money m; m.m_units = units; return m; }
    static constexpr Money fromInteger(int64_t whole) { return fromUnits(whole * Scale); }
    // Rounds to four decimals, ties to even.
    static Money fromDouble(double value);
    // Reads "1234", "-12.5", "1 234,56" (comma or point, spaces as grouping);
    // more than four decimals round ties to even. Empty or unreadable: nullopt.
    static std::optional<Money> parse(const QString &text);

    constexpr int64_t units() const { return m_units; }
    double toDouble() const { return double(m_units) / Scale; }
    // Rounded to a whole number, ties to even.
    int64_t roundedToInteger() const;
    // Fraction dropped (towards zero).
    constexpr int64_t truncatedToInteger() const { return m_units / Scale; }
    constexpr bool isZero() const { return m_units == 0; }

    // Plain text with a point and no trailing zeros: "1234.5", "0", "-0.0001".
    QString toString() const;
    // Fixed decimals with a point, no grouping: toFixed(4) -> "28.5000".
    QString toFixed(int decimals) const;
    // As the program shows it: a decimal comma and, when grouping, thousands
    // separated by `separator` ("1 234,50"). Exact: never through a double.
    QString toDisplay(int decimals, bool grouping, QChar separator = QChar(0x00A0)) const;

    constexpr Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    constexpr Money operator-() const { return fromUnits(-m_units); }
    // Products and quotients are rounded to four decimals, ties to even.
    Money operator*(Money o) const;
    // Throws AppError on division by zero.
    Money operator/(Money o) const;
    constexpr auto operator<=>(const Money &) const = default;

private:
    int64_t m_units = 0;
};

Q_DECLARE_METATYPE(Money)
