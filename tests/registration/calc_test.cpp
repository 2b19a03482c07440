#include "sabt_calc.h"

#include <gtest/gtest.h>

using namespace bv;
using namespace bv::sabt;

TEST(RegistrationCalc, SmallnessByArea)
{
    const std::pair<const char *, const char *> cases[] = {
        {"0", "1.2"},    {"4.99", "1.2"}, {"5", "1.15"}, {"9.99", "1.15"}, {"10", "1.1"},  {"14.99", "1.1"},
        {"15", "1.05"},  {"19.99", "1.05"}, {"20", "1"}, {"250", "1"},     {"", "1"},      {"abc", "1"},
        {"۴٫۵", "1.2"},  {"1,2", "1"},
    };
    for (const auto &[area, expected] : cases)
        EXPECT_EQ(smallnessCoefficient(QString::fromUtf8(area)), QLatin1String(expected)) << area;
}

TEST(RegistrationCalc, DensityBandsGapsAndFallbacks)
{
    struct Case {
        const char *parcels, *area;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"1", "10", QStringLiteral("1.05")},   {"149", "10", QStringLiteral("1.05")},
        {"150", "10", std::nullopt},            {"151", "10", std::nullopt},
        {"160", "10", std::nullopt},            {"161", "10", QStringLiteral("1.1")},
        {"219", "10", QStringLiteral("1.1")},   {"220", "10", std::nullopt},
        {"221", "10", QStringLiteral("1.15")},  {"0", "10", std::nullopt},
        {"-5", "10", std::nullopt},             {"9", "0.6", std::nullopt},  // exactly 15
        {"8", "0.6", QStringLiteral("1.05")},   {"10", "0.6", QStringLiteral("1.1")},
        {"96", "6", std::nullopt},  // exactly 16
        {"10", "", QStringLiteral("0")},        {"10", "0", QStringLiteral("0")},
        {"", "10", QStringLiteral("0")},        {"x", "10", QStringLiteral("0")},
        {"10", "-1", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(densityCoefficient(QString::fromUtf8(c.parcels), QString::fromUtf8(c.area)), c.expected)
            << c.parcels << " on " << c.area;
}

TEST(RegistrationCalc, ParcelAmount)
{
    EXPECT_EQ(parcelAmount("120", Money::fromWhole(1500000), "1.5"), Money::fromWhole(270000000));
    EXPECT_EQ(parcelAmount("120", Money::fromWhole(1500000), "1.5")->grouped(), "270,000,000");
    // Half a rial goes to the even neighbour.
    EXPECT_EQ(parcelAmount("1", Money::fromWhole(5), "1.5"), Money::fromWhole(8));   // 7.5
    EXPECT_EQ(parcelAmount("1", Money::fromWhole(3), "1.5"), Money::fromWhole(4));   // 4.5
    EXPECT_EQ(parcelAmount("3", Money::fromWhole(3), "1.5"), Money::fromWhole(14));  // 13.5
    EXPECT_EQ(parcelAmount("0", Money::fromWhole(1500000), "2"), Money());
    EXPECT_FALSE(parcelAmount("", Money::fromWhole(1500000), "1.5"));
    EXPECT_FALSE(parcelAmount("12a", Money::fromWhole(1500000), "1.5"));
    EXPECT_FALSE(parcelAmount("120", Money::fromWhole(1500000), ""));
    EXPECT_FALSE(parcelAmount("120", Money::fromWhole(1500000), "1,5"));
}

TEST(RegistrationCalc, HectareAmount)
{
    HectareFigures f{"10", "2,500,000", "1.05", "1", "1", "1.1", Money()};
    EXPECT_EQ(hectareAmount(f), Money::fromWhole(28875000));
    f.equipment = Money::fromWhole(25000000);
    EXPECT_EQ(hectareAmount(f), Money::fromWhole(53875000));
    // 16.27 × 2,400,000 × 1.05 × 1.15 exactly, no binary rounding on the way.
    HectareFigures exact{"16.27", "2400000", "1.05", "1", "1.15", "1", Money()};
    EXPECT_EQ(hectareAmount(exact), Money::fromWhole(47150460));
    HectareFigures half{"0.5", "5", "1", "1", "1", "1", Money()};  // 2.5
    EXPECT_EQ(hectareAmount(half), Money::fromWhole(2));
    half.area = "1.5";  // 7.5
    EXPECT_EQ(hectareAmount(half), Money::fromWhole(8));
    f.regional = "";
    EXPECT_FALSE(hectareAmount(f));
    f.regional = "1.2.3";
    EXPECT_FALSE(hectareAmount(f));
}
