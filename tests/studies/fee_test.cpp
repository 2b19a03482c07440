#include "admin_fixture.h"
#include "borvinat_fee.h"

#include <gtest/gtest.h>

using namespace bv;
using namespace bv::study;
using bv::test::AdminTest;

namespace {
std::optional<QString> fee(const QString &plan, const QString &area, const QString &population, FeeKind kind,
                           const QString &k = QStringLiteral("1"))
{
    return studyFee({plan, area, population, k, Decimal(1), Decimal(1)}, kind);
}
const QString other = QStringLiteral("طرح هادي");
}  // namespace

TEST(StudyFee, PopulationStepsAndPowerFormulas)
{
    EXPECT_EQ(fee(other, "30", "250", FeeKind::WithInfluence), "27.57");
    EXPECT_EQ(fee(other, "30", "250", FeeKind::WithoutInfluence), "23.34");
    EXPECT_EQ(fee(other, "30", "251", FeeKind::WithInfluence), "27.58");
    EXPECT_EQ(fee(other, "30", "251", FeeKind::WithoutInfluence), "23.36");
    // Persian digits and the Arabic point are read as typed.
    EXPECT_EQ(fee(other, "۳۰", "۲۵۱", FeeKind::WithInfluence), "27.58");
}

TEST(StudyFee, PlanTypesHalveOrZero)
{
    EXPECT_EQ(fee(localRevision, "30", "250", FeeKind::WithInfluence), "13.785");
    EXPECT_EQ(fee(localRevision, "30", "250", FeeKind::WithoutInfluence), "0");
    // 8.625 goes to the even 8.62.
    EXPECT_EQ(fee(boundaryPlan, "5", "100", FeeKind::WithInfluence), "8.62");
    EXPECT_EQ(fee(boundaryPlan, "5", "100", FeeKind::WithoutInfluence), "0");
    EXPECT_EQ(fee(boundaryPlan, "5", "5000", FeeKind::WithoutInfluence), "0");
}

TEST(StudyFee, AreaCoefficientSteps)
{
    const std::pair<int, const char *> boundary[] = {{-3, "0"}, {0, "0"}, {1, "1"}, {5, "1"}, {6, "1.05"},
                                                    {15, "1.05"}, {16, "1.1"}, {25, "1.1"}, {26, "1.2"},
                                                    {35, "1.2"}, {36, "1.3"}, {900, "1.3"}};
    for (const auto &[area, a] : boundary)
        EXPECT_EQ(areaCoefficient(boundaryPlan, area).plain(), QLatin1String(a)) << area;
    const std::pair<int, const char *> others[] = {{0, "0"}, {30, "1"}, {31, "1.05"}, {40, "1.05"}, {41, "1.1"},
                                                  {50, "1.1"}, {51, "1.2"}, {100, "1.2"}, {101, "1.3"}};
    for (const auto &[area, a] : others)
        EXPECT_EQ(areaCoefficient(other, area).plain(), QLatin1String(a)) << area;
}

TEST(StudyFee, UnreadableFiguresAndCoefficients)
{
    EXPECT_EQ(fee(other, "0", "250", FeeKind::WithInfluence), "0");
    EXPECT_EQ(fee(other, "-4", "250", FeeKind::WithInfluence), "0");
    EXPECT_EQ(fee(other, "12.5", "250", FeeKind::WithInfluence), std::nullopt);
    EXPECT_EQ(fee(other, "12/5", "250", FeeKind::WithInfluence), std::nullopt);
    EXPECT_EQ(fee(other, "", "250", FeeKind::WithInfluence), std::nullopt);
    EXPECT_EQ(fee(other, "30", "250", FeeKind::WithInfluence, "abc"), std::nullopt);
    EXPECT_EQ(fee(other, "30", "250", FeeKind::WithInfluence, ""), std::nullopt);
    // A population that is not a whole number gives a base fee of 0.
    EXPECT_EQ(fee(other, "30", "25x", FeeKind::WithInfluence), "0");
    EXPECT_EQ(fee(other, "30", "", FeeKind::WithoutInfluence), "0");
    // K of "1/1" is 1.1, and D and M multiply in exactly: 27.5678 × 1.1 × 1.2 × 0.5.
    EXPECT_EQ(studyFee({other, "30", "250", "1/1", Decimal::fromScaled(12, 1), Decimal::fromScaled(5, 1)},
                       FeeKind::WithInfluence),
              "18.19");
    // The same 100-person boundary plan at K = 1 and at K = 3.
    EXPECT_EQ(fee(boundaryPlan, "5", "101", FeeKind::WithInfluence), "8.64");
    EXPECT_EQ(fee(boundaryPlan, "5", "100", FeeKind::WithInfluence, "3"), "25.88");
}

class StudyFeeDb : public AdminTest {};

TEST_P(StudyFeeDb, VillageCoefficientsByCodeThenPattern)
{
    const QString insert = "INSERT INTO abadiha (ostan, city, rosta, cod, zaribDori, zaribMantaghe) VALUES (?, ?, ?, ?, ?, ?)";
    db().exec(insert, {"a", "b", "c1", "99123456", 1.2, 1.1});
    db().exec(insert, {"a", "b", "c2", "123456", 1.5, 1.4});
    db().exec(insert, {"a", "b", "c3", "7777", 1.3, 0.9});
    // The exact code wins over the earlier row the pattern also finds.
    VillageCoefficients c = villageCoefficients(db(), "123456");
    EXPECT_EQ(c.remoteness.plain(), "1.5");
    EXPECT_EQ(c.province.plain(), "1.4");
    // No exact code: the last six characters, first row by id.
    c = villageCoefficients(db(), " 55123456 ");
    EXPECT_EQ(c.remoteness.plain(), "1.2");
    // A code of four characters is used whole.
    c = villageCoefficients(db(), "777");
    EXPECT_EQ(c.province.plain(), "0.9");
    c = villageCoefficients(db(), "0000");
    EXPECT_TRUE(c.remoteness.isZero() && c.province.isZero());
    // An empty code matches no village rather than the first one.
    c = villageCoefficients(db(), "  ");
    EXPECT_TRUE(c.remoteness.isZero() && c.province.isZero());
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("ضريب تعديل"), "1.25"});
    EXPECT_EQ(adjustmentCoefficient(db()), "1.25");
}

INSTANTIATE_TEST_SUITE_P(Engines, StudyFeeDb, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
