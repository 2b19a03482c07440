#include "naghshe_calc.h"

#include <gtest/gtest.h>

using bv::Money;
using namespace bv::survey;

TEST(SurveyCalc, SmallnessCoefficient)
{
    EXPECT_EQ(smallnessCoefficient("15"), "1.10");
    EXPECT_EQ(smallnessCoefficient("14.99"), "1.10");
    EXPECT_EQ(smallnessCoefficient("30"), "1.05");
    EXPECT_EQ(smallnessCoefficient("30.01"), "1");
    EXPECT_EQ(smallnessCoefficient("۲۰"), "1.05");
    EXPECT_EQ(smallnessCoefficient("abc"), "0");
    EXPECT_EQ(smallnessCoefficient(""), "0");
    EXPECT_EQ(smallnessCoefficient("1,5"), "0");
    EXPECT_EQ(smallnessCoefficient("30/01"), "1");
}

TEST(SurveyCalc, FeeOfTheWorkedExample)
{
    FeeFigures f{"10", "1,000,000", "1.10", "5", "200,000", "1.2", "1", "3,000,000", Money()};
    EXPECT_EQ(surveyFee(f), Money::fromWhole(17400000));
    f.gps = Money::fromWhole(3000000000LL);  // amounts beyond 32 bits
    EXPECT_EQ(surveyFee(f), Money::fromWhole(3017400000LL));
    f.gps = *Money::parse("0.5");  // a stored GPS amount with decimals
    EXPECT_EQ(surveyFee(f), Money::fromWhole(17400000));  // 17400000.5: halves to even
    f.regional = "x";
    EXPECT_FALSE(surveyFee(f));
    FeeFigures regionalWithSlash{"10", "100", "1", "0", "0", "1/5", "1", "0", Money()};
    EXPECT_EQ(surveyFee(regionalWithSlash), Money::fromWhole(1500));
}

TEST(SurveyCalc, FeeIsExactAndRoundsHalvesToEven)
{
    struct Case {
        FeeFigures figures;
        std::optional<qint64> fee;
    } cases[] = {
        // 16.27 × 2,400,000 × 1.05 × 1.15, exactly.
        {{"16.27", "2,400,000", "1.05", "0", "0", "1.15", "1", "0", Money()}, 47150460},
        // 1.05 × 50 = 52.5 and 1.15 × 50 = 57.5, to the even neighbour.
        {{"1", "50", "1.05", "0", "0", "1", "1", "0", Money()}, 52},
        {{"1", "50", "1.15", "0", "0", "1", "1", "0", Money()}, 58},
        {{"2.675", "100", "1", "0", "0", "1", "1", "0", Money()}, 268},
        {{"1", "2.5", "1", "0", "0", "1", "1", "0", Money()}, 2},
        {{"1", "3.5", "1", "0", "0", "1", "1", "0", Money()}, 4},
        {{"0", "0", "1", "12.5", "1,200,000", "1.05", "1.1", "15,000,000", Money()}, 32325000},
        // Areas and coefficients refuse grouping commas: "1,2" is never 12.
        {{"1,2", "100", "1", "0", "0", "1", "1", "0", Money()}, std::nullopt},
        {{"1", "100", "1", "0", "0", "1,2", "1", "0", Money()}, std::nullopt},
        {{"", "100", "1", "0", "0", "1", "1", "0", Money()}, std::nullopt},
        {{"۱۰", "۱۰۰", "1", "0", "0", "1", "1", "0", Money()}, 1000},
    };
    for (const Case &c : cases) {
        const std::optional<Money> fee = surveyFee(c.figures);
        if (c.fee)
            EXPECT_EQ(fee, Money::fromWhole(*c.fee)) << c.figures.builtUpArea.toStdString();
        else
            EXPECT_FALSE(fee) << c.figures.builtUpArea.toStdString();
    }
    // A fee beyond what an amount holds is refused, never wrapped around.
    EXPECT_THROW(surveyFee({"922337203685477", "100", "1", "0", "0", "1", "1", "0", Money()}), bv::NumberError);
}

TEST(SurveyCalc, ChecklistDayAndCreditYear)
{
    EXPECT_EQ(nextChecklistDay("1397/06/30"), "1397/07/01");
    EXPECT_EQ(nextChecklistDay("1397/12/30"), "1398/01/01");
    EXPECT_EQ(nextChecklistDay("1397/02/10"), "1397/02/11");
    EXPECT_EQ(nextChecklistDay("    /  /  "), "");
    EXPECT_EQ(creditYear("97"), "1397");
    EXPECT_EQ(creditYear("1398"), "1398");
}
