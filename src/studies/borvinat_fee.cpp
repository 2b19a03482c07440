#include "borvinat_fee.h"

#include "conditions.h"
#include "lookuplists.h"

#include <cmath>

namespace bv::study {

namespace {
// A typed figure: "/" and the Arabic separator are the decimal point.
NumberReading figure(QString text)
{
    return readNumber(text.replace(QLatin1Char('/'), QLatin1Char('.')), Grouping::Refused);
}

std::optional<std::int64_t> wholeFigure(const QString &text)
{
    const NumberReading r = figure(text);
    return r.ok() ? r.value.wholeValue() : std::nullopt;
}

Decimal tenths(int n)
{
    return Decimal::fromScaled(n, 1);
}

// coefficient × population^exponent, rounded half to even to four decimals.
Decimal powerFee(const Decimal &coefficient, std::int64_t population, double exponent)
{
    const Decimal power = Decimal::fromVariant(std::pow(double(population), exponent));
    return (coefficient * power).rounded(4);
}
}  // namespace

Decimal areaCoefficient(const QString &planType, std::int64_t area)
{
    if (area <= 0)
        return 0;
    // Upper bounds of each step: 1, 1.05, 1.1, 1.2, then 1.3.
    const std::int64_t boundary[] = {5, 15, 25, 35};
    const std::int64_t other[] = {30, 40, 50, 100};
    const std::int64_t *steps = planType == boundaryPlan ? boundary : other;
    const Decimal coefficients[] = {1, Decimal::fromScaled(105, 2), tenths(11), tenths(12)};
    for (int i = 0; i < 4; ++i)
        if (area <= steps[i])
            return coefficients[i];
    return tenths(13);
}

Decimal baseFee(const QString &planType, FeeKind kind, std::optional<std::int64_t> population)
{
    if (!population)
        return 0;
    const std::int64_t j = *population;
    if (planType == boundaryPlan) {
        if (kind == FeeKind::WithoutInfluence)
            return 0;
        return j <= 100 ? tenths(75) : powerFee(Decimal::fromScaled(38376, 4), j, 0.1455);
    }
    if (kind == FeeKind::WithInfluence)
        return j <= 250 ? Decimal::fromScaled(23972, 3) : powerFee(Decimal::fromScaled(1313, 2), j, 0.10903);
    return j <= 250 ? Decimal::fromScaled(20299, 3) : powerFee(Decimal::fromScaled(10806, 3), j, 0.11419);
}

std::optional<QString> studyFee(const FeeFigures &f, FeeKind kind)
{
    const NumberReading k = figure(f.adjustment);
    const std::optional<std::int64_t> area = wholeFigure(f.area);
    if (!k.ok() || !area)
        return std::nullopt;
    if (f.planType == localRevision && kind == FeeKind::WithoutInfluence)
        return QStringLiteral("0");
    const Decimal fee = (baseFee(f.planType, kind, wholeFigure(f.population)) * f.remoteness * f.province
                         * areaCoefficient(f.planType, *area) * k.value * Decimal::fromScaled(115, 2))
                            .rounded(4)
                            .rounded(2);
    if (f.planType == localRevision)
        return (fee * Decimal::fromScaled(5, 1)).plain();
    return fee.plain();
}

VillageCoefficients villageCoefficients(const Db &db, const QString &cod)
{
    const QString code = cod.trimmed();
    if (code.isEmpty())
        return {};
    const QString columns = QStringLiteral("SELECT zaribDori, zaribMantaghe FROM abadiha WHERE ");
    ResultSet rows = db.select(db.dialect().firstRows(columns + QStringLiteral("cod = ? ORDER BY id"), 1), {code});
    if (rows.empty()) {
        Conditions like(db.dialect());
        like.contains(QStringLiteral("cod"), code.right(6));
        rows = db.select(db.dialect().firstRows(columns + like.sql() + QStringLiteral(" ORDER BY id"), 1), like.values());
    }
    if (rows.empty())
        return {};
    return {Decimal::fromVariant(rows.rows[0][0]), Decimal::fromVariant(rows.rows[0][1])};
}

QString adjustmentCoefficient(const Db &db)
{
    return lookupFirst(db, QStringLiteral("ضريب تعديل"));
}

}  // namespace bv::study
