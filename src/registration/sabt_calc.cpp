#include "sabt_calc.h"

namespace bv::sabt {

namespace {
// Areas, counts and coefficients refuse grouping commas, so "1,2" is never 12.
std::optional<Decimal> figure(const QString &text)
{
    const NumberReading r = readNumber(text, Grouping::Refused);
    return r.ok() ? std::optional<Decimal>(r.value) : std::nullopt;
}

// A price typed in rials may be grouped.
std::optional<Decimal> price(const QString &text)
{
    const NumberReading r = readNumber(text, Grouping::Allowed);
    return r.ok() ? std::optional<Decimal>(r.value) : std::nullopt;
}
}  // namespace

QString smallnessCoefficient(const QString &area)
{
    const std::optional<Decimal> a = figure(area);
    if (!a)
        return QStringLiteral("1");
    if (*a < 5)
        return QStringLiteral("1.2");
    if (*a < 10)
        return QStringLiteral("1.15");
    if (*a < 15)
        return QStringLiteral("1.1");
    if (*a < 20)
        return QStringLiteral("1.05");
    return QStringLiteral("1");
}

std::optional<QString> densityCoefficient(const QString &parcels, const QString &area)
{
    std::optional<Decimal> n = figure(parcels), a = figure(area);
    if (!n || !a || a->isZero())
        return QStringLiteral("0");
    // d = n / a compared without dividing: n against the band times a, a > 0.
    if (a->isNegative()) {
        n = -*n;
        a = -*a;
    }
    if (*n > 0 && *n < *a * 15)
        return QStringLiteral("1.05");
    if (*n > *a * 16 && *n < *a * 22)
        return QStringLiteral("1.1");
    if (*n > *a * 22)
        return QStringLiteral("1.15");
    return std::nullopt;
}

std::optional<Money> parcelAmount(const QString &parcels, Money unitPrice, const QString &difficulty)
{
    const std::optional<Decimal> n = figure(parcels), k = figure(difficulty);
    if (!n || !k)
        return std::nullopt;
    return (Decimal(unitPrice) * *n * *k).rounded(0).toMoney();
}

std::optional<Money> hectareAmount(const HectareFigures &f)
{
    const std::optional<Decimal> area = figure(f.area), base = price(f.basePrice), density = figure(f.density),
                                 difficulty = figure(f.difficulty), regional = figure(f.regional),
                                 smallness = figure(f.smallness);
    for (const std::optional<Decimal> *x : {&area, &base, &density, &difficulty, &regional, &smallness})
        if (!*x)
            return std::nullopt;
    const Decimal total = *area * *base * *density * *difficulty * *regional * *smallness + Decimal(f.equipment);
    return total.rounded(0).toMoney();
}

}  // namespace bv::sabt
