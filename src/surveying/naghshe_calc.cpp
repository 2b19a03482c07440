#include "naghshe_calc.h"

#include "money.h"
#include "text.h"

#include <cmath>

namespace bv::survey {

namespace {
// A typed decimal: grouping commas and Persian digits allowed, "/" read as a
// decimal point (older rows stored the regional separator). Empty is not a number.
std::optional<long double> decimal(const QString &text)
{
    QString t = asciiDigits(text).trimmed();
    if (t.isEmpty())
        return std::nullopt;
    t.replace(QLatin1Char('/'), QLatin1Char('.'));
    const std::optional<double> v = parseNumber(t);
    if (!v)
        return std::nullopt;
    return static_cast<long double>(*v);
}
}  // namespace

QString smallnessCoefficient(const QString &builtUpArea)
{
    const std::optional<long double> area = decimal(builtUpArea);
    if (!area)
        return QStringLiteral("0");
    if (*area <= 15)
        return QStringLiteral("1.10");
    if (*area <= 30)
        return QStringLiteral("1.05");
    return QStringLiteral("1");
}

std::int64_t roundHalfEven(long double value)
{
    const long double floor = std::floor(value);
    const long double diff = value - floor;
    auto f = static_cast<std::int64_t>(floor);
    if (diff > 0.5L)
        return f + 1;
    if (diff < 0.5L)
        return f;
    return (f % 2 == 0) ? f : f + 1;
}

std::optional<std::int64_t> surveyFee(const FeeFigures &x)
{
    const QString *texts[] = {&x.builtUpArea, &x.builtUpPrice, &x.smallness, &x.openArea,
                              &x.openPrice,   &x.regional,     &x.difficulty, &x.equipment};
    long double v[8];
    for (int i = 0; i < 8; ++i) {
        const std::optional<long double> d = decimal(*texts[i]);
        if (!d)
            return std::nullopt;
        v[i] = *d;
    }
    const long double total =
        (v[0] * v[1] * v[2] + v[3] * v[4]) * v[5] * v[6] + v[7] + static_cast<long double>(x.gps);
    return roundHalfEven(total);
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
