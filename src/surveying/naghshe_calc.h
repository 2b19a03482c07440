#pragma once
// The computations of a survey project: smallness coefficient, contract amount,
// survey fee and the default checklist date. No widgets.
#include "money.h"

#include <QString>
#include <optional>

namespace bv::survey {

// "1.10" up to 15, "1.05" up to 30, "1" above; "0" when the area is not a number.
QString smallnessCoefficient(const QString &builtUpArea);

// The figures of the fee formula, as typed (Persian digits allowed). Prices
// and the equipment amount may be grouped with commas; areas and coefficients
// may not, and may be written with "/" for the point, as older rows were.
struct FeeFigures {
    QString builtUpArea, builtUpPrice, smallness;
    QString openArea, openPrice;
    QString regional, difficulty;
    QString equipment;
    Money gps;
};

// ((built-up area × price × smallness + open area × price) × regional × difficulty
//  + equipment + GPS), computed exactly and rounded to a whole amount with
// halves to even; nullopt when a figure is not a number. NumberError when the
// fee is beyond what an amount holds.
std::optional<Money> surveyFee(const FeeFigures &figures);

// The day after a Jalali date on 30-day months and 12-month years, zero padded
// ("1397/06/30" -> "1397/07/01"); empty when the text is not a date.
QString nextChecklistDay(const QString &date);

// A credit year from the contracts register: two characters get "13" in front.
QString creditYear(const QString &fiscalYear);

// The balloon texts of the computed fields.
inline const QString smallnessHintTitle = QStringLiteral("فرمول محاسبه ضريب کوچکي");
inline const QString smallnessHintText = QStringLiteral("محاسبه بر اساس مساحت بافت پر");
inline const QString feeHintTitle = QStringLiteral("فرمول محاسبه حق الزحمه");
inline const QString feeHintText = QStringLiteral(
    "(بافت پر*مبلغ پر*ضريب کوچکي)+(بافت خالي*مبلغ خالي) * ضريب منطقه * ضريب صعوبت +مبلغ تجهيز + مبلغ جي پي اس");
inline const QString feeClickHintText = QStringLiteral(
    "(بافت پر*مبلغ پر*ضريب کوچکي)+(بافت خالي*مبلغ خالي) * ضريب منطقه * ضريب صعوبت +مبلغ تجهيز");

}  // namespace bv::survey
