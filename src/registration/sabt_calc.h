#pragma once
// The computed fields of a registration job: the smallness and density
// coefficients and the per-parcel and per-hectare amounts, in exact decimals.
// Texts are what the boxes hold; amounts come out in whole rials, halves to even,
// and throw NumberError when they leave the range of an amount.
#include "money.h"

#include <QString>
#include <optional>

namespace bv::sabt {

// By the area in hectares: "1.2" below 5, "1.15" below 10, "1.1" below 15,
// "1.05" below 20, "1" from 20; "1" when the area cannot be read.
QString smallnessCoefficient(const QString &area);

// By the parcels per hectare d: "1.05" for 0 < d < 15, "1.1" for 16 < d < 22,
// "1.15" for d > 22; nullopt for any other d, which leaves the box as it was;
// "0" when a figure cannot be read or the area is zero. Compared exactly:
// parcels against the band times the area.
std::optional<QString> densityCoefficient(const QString &parcels, const QString &area);

// parcels × price × difficulty; nullopt when a figure cannot be read.
std::optional<Money> parcelAmount(const QString &parcels, Money unitPrice, const QString &difficulty);

struct HectareFigures {
    QString area, basePrice, density, difficulty, regional, smallness;
    Money equipment;
};
// area × base price × density × difficulty × regional × smallness + equipment;
// nullopt when a figure cannot be read.
std::optional<Money> hectareAmount(const HectareFigures &figures);

}  // namespace bv::sabt
