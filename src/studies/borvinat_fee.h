#pragma once
// The two contract fees of a study, in million rials: with and without the
// area of influence, from the plan type, the surveyed area, the population and
// the coefficients of the village and of the lookup list. No widgets.
#include "db.h"
#include "money.h"

#include <QString>
#include <optional>

namespace bv::study {

// Plan types that change the fees.
inline const QString boundaryPlan = QStringLiteral("تعيين محدوده");
inline const QString localRevision = QStringLiteral("بازنگري-موضعي");

inline const QString feeErrorMessage = QStringLiteral("خطا در محاسبه");

enum class FeeKind { WithInfluence, WithoutInfluence };

// The figures of the fee as typed or found.
struct FeeFigures {
    QString planType;       // `tarh_typ`
    QString area;           // `masahat`, a whole number
    QString population;     // `jamiyat`, a whole number; anything else gives a base fee of 0
    QString adjustment;     // K: the first item of the lookup list "ضريب تعديل"
    Decimal remoteness;     // D: the village's `zaribDori`
    Decimal province;       // M: the village's `zaribMantaghe`
};

// The area coefficient A of a whole area for the plan type.
Decimal areaCoefficient(const QString &planType, std::int64_t area);
// The base fee B of a population; power formulas rounded half to even to four decimals.
Decimal baseFee(const QString &planType, FeeKind kind, std::optional<std::int64_t> population);

// The text the fee field shows: F = B × D × M × A × K × 1.15, exact, rounded
// half to even to four and then two decimals, shortest form ("0" for zero);
// halved with influence and "0" without it for a local revision. nullopt when
// K is not a number or the area not a whole number (the field keeps its text).
// Throws NumberError when the fee is beyond what an exact decimal holds.
std::optional<QString> studyFee(const FeeFigures &figures, FeeKind kind);

// D and M of the village `cod`: the village with exactly that code, else the
// first by id whose code contains the code's last six characters; 0 and 0 when
// none.
struct VillageCoefficients {
    Decimal remoteness, province;
};
VillageCoefficients villageCoefficients(const Db &db, const QString &cod);

// K as registered.
QString adjustmentCoefficient(const Db &db);

}  // namespace bv::study
