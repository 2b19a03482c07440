#pragma once
// Money as stored by the database's money type: a fixed-point amount with four
// decimals, kept as a 64-bit count of ten-thousandths. Text is always read and
// written with ASCII digits, whatever the system locale.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace bv {

class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    Money() = default;
    static Money fromUnits(std::int64_t tenThousandths) { return Money(tenThousandths); }
    static Money fromWhole(std::int64_t whole) { return Money(whole * Scale); }

    // Reads "1,250,000", "-12.5", "۱۲۳۴"; grouping commas are ignored; an empty
    // text is 0. nullopt for anything else, or an amount out of range.
    static std::optional<Money> parse(const QString &text);
    // Reads a value fetched from any engine (number or numeric text); null is 0.
    static Money fromVariant(const QVariant &value);

    std::int64_t units() const { return units_; }
    // The whole part, rounded half away from zero.
    std::int64_t rounded() const;
    double toDouble() const { return double(units_) / Scale; }

    // "1,250,000" or "1,250,000.5" (trailing zero decimals dropped).
    QString grouped() const;
    // "1250000" or "1250000.5": the form bound to statements.
    QString plain() const;
    // What a statement binds: an integer when whole, else the decimal text.
    QVariant toSql() const;

    friend bool operator==(Money a, Money b) { return a.units_ == b.units_; }
    friend auto operator<=>(Money a, Money b) { return a.units_ <=> b.units_; }
    Money operator+(Money other) const { return Money(units_ + other.units_); }
    Money operator-(Money other) const { return Money(units_ - other.units_); }

private:
    explicit Money(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

// Inserts "," every three digits from the right of a digit string: "7654321" -> "7,654,321".
QString groupDigits(const QString &digits);

// The digits of a text, ASCII; Persian and Arabic-Indic digits count as digits.
QString digitsOnly(const QString &text);

// A number typed in a box, parsed in the program: grouping commas and Persian
// digits allowed, empty is 0. nullopt when unreadable.
std::optional<double> parseNumber(const QString &text);
std::optional<std::int64_t> parseInteger(const QString &text);

}  // namespace bv
