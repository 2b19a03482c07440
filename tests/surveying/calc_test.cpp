#include "naghshe_calc.h"

#include <gtest/gtest.h>

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
}

TEST(SurveyCalc, FeeOfTheWorkedExample)
{
    FeeFigures f{"10", "1,000,000", "1.10", "5", "200,000", "1.2", "1", "3,000,000", 0};
    EXPECT_EQ(surveyFee(f), 17400000);
    f.gps = 3000000000LL;  // amounts beyond 32 bits
    EXPECT_EQ(surveyFee(f), 3017400000LL);
    f.regional = "x";
    EXPECT_FALSE(surveyFee(f));
    FeeFigures regionalWithSlash{"10", "100", "1", "0", "0", "1/5", "1", "0", 0};
    EXPECT_EQ(surveyFee(regionalWithSlash), 1500);
}

TEST(SurveyCalc, HalvesRoundToEven)
{
    EXPECT_EQ(roundHalfEven(2.5L), 2);
    EXPECT_EQ(roundHalfEven(3.5L), 4);
    EXPECT_EQ(roundHalfEven(2.51L), 3);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
    FeeFigures half{"1", "2.5", "1", "0", "0", "1", "1", "0", 0};
    EXPECT_EQ(surveyFee(half), 2);
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
