#include "dates.h"
#include "scripted.h"

#include <gtest/gtest.h>

using bv::jalaliText;

TEST(Dates, CalendarExamples)
{
    EXPECT_EQ(jalaliText(QDate(2023, 3, 21)), "1402/01/01");  // day 80 of a common year
    EXPECT_EQ(jalaliText(QDate(2024, 1, 1)), "1402/10/11");
    EXPECT_EQ(jalaliText(QDate(2025, 1, 1)), "1403/10/12");
    EXPECT_EQ(jalaliText(QDate(2025, 3, 20)), "1403/12/30");  // last day of a leap year
    EXPECT_EQ(jalaliText(QDate(2023, 3, 20)), "1401/12/29");
    EXPECT_EQ(jalaliText(QDate(2024, 12, 31)), "1403/10/11");
    EXPECT_EQ(jalaliText(QDate(2024, 9, 26)), "1403/07/05");  // zero padding of month and day
}

TEST(Dates, RealLeapYearsBeyondTheSimpleRule)
{
    // 1407 is not a leap year although 1407 mod 4 = 3: 20 March 2029 starts 1408.
    EXPECT_EQ(jalaliText(QDate(2029, 3, 20)), "1408/01/01");
    EXPECT_EQ(jalaliText(QDate(2029, 3, 19)), "1407/12/29");
    EXPECT_EQ(jalaliText(QDate(2030, 3, 20)), "1408/12/30");
}

TEST(Dates, FieldsAndTodayFromTheClock)
{
    bv::test::user().todayValue = QDate(2025, 3, 20);
    bv::TJalaliDate d;
    d.Today();
    EXPECT_EQ(d.GYear, 2025);
    EXPECT_EQ(d.DayOfYear(), 79);
    EXPECT_TRUE(d.JalaliLeap());
    EXPECT_FALSE(d.GregorianLeap());
    EXPECT_EQ(d.AsText(), "1403/12/30");
    EXPECT_EQ(bv::jalaliToday(), "1403/12/30");
}

TEST(Dates, ParsingJalaliText)
{
    EXPECT_EQ(bv::gregorianOf("1403/12/30"), QDate(2025, 3, 20));
    EXPECT_FALSE(bv::isJalaliDate("1402/12/30"));  // 1402 is not leap
    EXPECT_FALSE(bv::isJalaliDate("    /  /  "));
    EXPECT_FALSE(bv::isJalaliDate("1403/13/01"));
    EXPECT_TRUE(bv::isJalaliDate("1403/07/05"));
}
