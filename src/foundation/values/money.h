#pragma once
// Exact decimal numbers. Money is what the database's money type stores: a
// 64-bit count of ten-thousandths. Decimal is any exact decimal (a coefficient,
// an area, a percentage, an intermediate product) held as a 128-bit integer and
// a count of decimals. Text is read straight into these integers, never through
// binary floating point, and written with ASCII digits whatever the locale.
// Every operation that would leave the range of its type, and every division
// by zero, throws NumberError.
#include <QString>
#include <QVariant>
#include <compare>
#include <concepts>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace bv {

class NumberError : public std::runtime_error {
public:
    enum class Kind { Overflow, DivisionByZero };
    explicit NumberError(Kind kind);
    Kind kind() const { return kind_; }
    // The Persian message a window shows.
    QString text() const;

private:
    Kind kind_;
};

class Money;
struct NumberReading;
enum class Grouping;

class Decimal {
public:
    // The most decimals a value may carry.
    static constexpr int MaxDecimals = 38;

    Decimal() = default;
    template <std::integral Whole>
    Decimal(Whole whole) : mantissa_(whole) {}  // NOLINT: a whole number is a decimal
    Decimal(Money amount);                      // NOLINT: exact
    // mantissa × 10^-decimals: fromScaled(1627, 2) is 16.27.
    static Decimal fromScaled(std::int64_t mantissa, int decimals);
    // A value fetched from any engine: integers, numeric text ("1250000.0000"),
    // or a float column's double read to its 15 significant digits (16.27
    // stays 16.27). Null, and text that is no number, are 0.
    static Decimal fromVariant(const QVariant &value);

    friend Decimal operator+(const Decimal &a, const Decimal &b);
    friend Decimal operator-(const Decimal &a, const Decimal &b);
    friend Decimal operator*(const Decimal &a, const Decimal &b);  // exact
    Decimal operator-() const;
    // this ÷ divisor, rounded half to even to `decimals`.
    Decimal dividedBy(const Decimal &divisor, int decimals) const;
    // Rounded half to even to `decimals` (2.675 to two decimals is 2.68, 2.665 is 2.66).
    Decimal rounded(int decimals) const;
    // Rounded half to even to four decimals.
    Money toMoney() const;
    // The value when it is whole and fits 64 bits.
    std::optional<std::int64_t> wholeValue() const;

    bool isZero() const { return mantissa_ == 0; }
    bool isNegative() const { return mantissa_ < 0; }
    // Decimals written by plain(): trailing zeros never count.
    int decimals() const { return scale_; }

    // "1250000", "-12.5", "0.0001": no grouping, no trailing zeros.
    QString plain() const;
    // "1,250,000", "-1,250,000.5": the whole part grouped in threes.
    QString grouped() const;
    // What a statement binds: an integer when whole, else the plain text.
    QVariant toSql() const;

    friend bool operator==(const Decimal &a, const Decimal &b) = default;
    friend std::strong_ordering operator<=>(const Decimal &a, const Decimal &b);

private:
    Decimal(__int128 mantissa, int scale);
    friend class Money;
    friend NumberReading readNumber(const QString &typed, Grouping grouping);
    __int128 mantissa_ = 0;
    int scale_ = 0;  // 0..MaxDecimals; the mantissa never ends in 0 when scale_ > 0
};

class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    Money() = default;
    static Money fromUnits(std::int64_t tenThousandths) { return Money(tenThousandths); }
    static Money fromWhole(std::int64_t whole);

    // Reads "1,250,000", "-12.5", "۱۲۳۴" (grouping commas in threes allowed);
    // an empty text is 0; more than four decimals round half to even. nullopt
    // for anything else, or an amount out of range.
    static std::optional<Money> parse(const QString &text);
    // Reads a value fetched from any engine (number or numeric text); null is 0.
    static Money fromVariant(const QVariant &value);

    std::int64_t units() const { return units_; }
    bool isZero() const { return units_ == 0; }
    bool isNegative() const { return units_ < 0; }

    // "1,250,000" or "1,250,000.5" (trailing zero decimals dropped).
    QString grouped() const;
    // "1250000" or "1250000.5": the form bound to statements.
    QString plain() const;
    // What a statement binds: an integer when whole, else the decimal text.
    QVariant toSql() const;

    friend bool operator==(Money a, Money b) { return a.units_ == b.units_; }
    friend auto operator<=>(Money a, Money b) { return a.units_ <=> b.units_; }
    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money operator-() const;

    // The amount × factor, computed exactly and rounded half to even to four decimals.
    Money times(const Decimal &factor) const;
    // The amount ÷ divisor, rounded half to even to four decimals.
    Money dividedBy(const Decimal &divisor) const;
    // rate percent of the amount (amount × rate ÷ 100), exact, rounded half to even to four decimals.
    Money percent(const Decimal &rate) const;
    // Rounded half to even to 0, 2 or 4 decimals (52.5 → 52, 57.5 → 58).
    Money rounded(int decimals) const;

private:
    explicit Money(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

// a ÷ b, rounded half to even to `decimals`; NumberError when b is 0.
Decimal ratio(const Decimal &a, const Decimal &b, int decimals);
// part × 100 ÷ whole, rounded half to even to `decimals`; 0 when the whole is
// 0 (a contract of 0 has no percentage, and it never divides by zero).
Decimal percentage(const Decimal &part, const Decimal &whole, int decimals);

// Whether a typed number may group its whole part with commas ("1,250,000").
// Money boxes allow it; areas, coefficients and percentages refuse any comma,
// so that "1,2" is never read as 12.
enum class Grouping { Refused, Allowed };

// A typed number as read by readNumber().
struct NumberReading {
    enum class Fault { None, Empty, Unreadable, Comma, OutOfRange };
    Decimal value;  // 0 unless read
    Fault fault = Fault::None;

    bool ok() const { return fault == Fault::None; }
    // The Persian refusal naming the field; empty when read.
    QString message(const QString &field) const;
};

// The one reader of typed numbers: outer spaces trimmed, Persian and
// Arabic-Indic digits and the Arabic separators read as ASCII, an optional
// sign, digits and one decimal point. With Grouping::Allowed, commas must
// group the whole part in threes. Exact: never through binary floating point.
NumberReading readNumber(const QString &typed, Grouping grouping);

// Inserts "," every three digits from the right of a digit string: "7654321" -> "7,654,321".
QString groupDigits(const QString &digits);

// The digits of a text, ASCII; Persian and Arabic-Indic digits count as digits.
QString digitsOnly(const QString &text);

}  // namespace bv
