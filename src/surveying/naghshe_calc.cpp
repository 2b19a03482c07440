#include "naghshe_calc.h"

#include "text.h"

namespace bv::survey {

namespace {
// A typed area or coefficient: no grouping commas, "/" read as the point
// (older rows stored the regional separator). Empty is not a number.
std::optional<Decimal> factor(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('/'), QLatin1Char('.'));
    const NumberReading r = readNumber(t, Grouping::Refused);
    return r.ok() ? std::optional<Decimal>(r.value) : std::nullopt;
}

// A typed amount, grouping commas allowed. Empty is not a number.
std::optional<Decimal> amount(const QString &text)
{
    const NumberReading r = readNumber(text, Grouping::Allowed);
    return r.ok() ? std::optional<Decimal>(r.value) : std::nullopt;
}
}  // namespace

QString smallnessCoefficient(const QString &builtUpArea)
{
    const std::optional<Decimal> area = factor(builtUpArea);
    if (!area)
        return QStringLiteral("0");
    if (*area <= 15)
        return QStringLiteral("1.10");
    if (*area <= 30)
        return QStringLiteral("1.05");
    return QStringLiteral("1");
}

std::optional<Money> surveyFee(const FeeFigures &x)
{
    const std::optional<Decimal> builtUpArea = factor(x.builtUpArea), builtUpPrice = amount(x.builtUpPrice),
                                 smallness = factor(x.smallness), openArea = factor(x.openArea),
                                 openPrice = amount(x.openPrice), regional = factor(x.regional),
                                 difficulty = factor(x.difficulty), equipment = amount(x.equipment);
    for (const std::optional<Decimal> *figure :
         {&builtUpArea, &builtUpPrice, &smallness, &openArea, &openPrice, &regional, &difficulty, &equipment})
        if (!*figure)
            return std::nullopt;
    const Decimal fee = (*builtUpArea * *builtUpPrice * *smallness + *openArea * *openPrice) * *regional * *difficulty
        + *equipment + x.gps;
    return fee.rounded(0).toMoney();
}

QString nextChecklistDay(const QString &date)
{
    const QString t = asciiDigits(date).trimmed();
    const QStringList parts = t.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    bool okY = false, okM = false, okD = false;
    int year = parts[0].trimmed().toInt(&okY);
    int month = parts[1].trimmed().toInt(&okM);
    int day = parts[2].trimmed().toInt(&okD);
    if (!okY || !okM || !okD)
        return {};
    if (++day > 30) {
        day = 1;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return QStringLiteral("%1/%2/%3")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

QString creditYear(const QString &fiscalYear)
{
    return fiscalYear.size() == 2 ? QStringLiteral("13") + fiscalYear : fiscalYear;
}

}  // namespace bv::survey
