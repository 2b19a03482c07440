// The sample office of `./dev run`: what the administrator and a county clerk
// see in the survey browser on a fresh sample database.
#include "accounts.h"
#include "admin_fixture.h"
#include "naghshe_calc.h"
#include "naghshe_search.h"
#include "sample.h"
#include "sample_office.h"

using namespace bv;
using namespace bv::survey;
using bv::test::AdminTest;

class SampleOfficeTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 4;
        size.villagesPerCounty = 10;
        size.contractors = 9;
        size.projects = 300;
        size.studies = size.registrations = size.contracts = 0;
        size.office = true;
        sample::fill(db(), nullptr, size);
    }
};

TEST_P(SampleOfficeTest, TheAdministratorSeesTotalsColoursAndFinalisedProjects)
{
    const Session admin{"admin", "admin", 1, {}};
    const Conditions all = naghsheConditions(db().dialect(), {}, admin);
    const NaghsheTotals totals = naghsheTotals(db(), all);
    EXPECT_EQ(totals.count, 300);
    EXPECT_GT(totals.contractSum, Money());
    EXPECT_GT(totals.feeSum, Money());
    EXPECT_GT(finalisedCount(db(), all), 0);
    int green = 0, yellow = 0;
    const ResultSet rows = naghsheList(db(), all);
    for (int r = 0; r < rows.size(); ++r) {
        const RowShade shade = rowShade(rows.value(r, "tamin_sal").toString(), rows.value(r, "pic_count").toInt());
        green += shade == RowShade::Green;
        yellow += shade == RowShade::Yellow;
    }
    EXPECT_GT(green, 0);
    EXPECT_GT(yellow, 0);
    // Both payment states, and both kinds of contractor.
    EXPECT_EQ(db().scalar("SELECT COUNT(DISTINCT status) FROM naghshe").toInt(), 2);
    EXPECT_EQ(db().scalar("SELECT COUNT(DISTINCT typ) FROM peymankar").toInt(), 2);
    EXPECT_GT(db().scalar("SELECT COUNT(*) FROM payamha").toInt(), 0);
    EXPECT_GT(db().scalar("SELECT COUNT(*) FROM phone").toInt(), 0);
}

TEST_P(SampleOfficeTest, FeesAreTheEntryWindowsOwnComputation)
{
    const std::vector<Row> projects = db().rows(
        "SELECT masahat_por, por_price, zarib_kochaki, masahat_khali, khali_price, zarib_mantaghe, zarib_sobat, "
        "tajhiz_mablagh, gps_mablagh, pardakhti, masahat_por1, zarib_kochaki1, masahat_khali1, zarib_sobat1, "
        "prot_mablagh FROM naghshe ORDER BY id");
    ASSERT_EQ(projects.size(), 300u);
    for (const Row &p : projects) {
        auto text = [&](const char *column) { return Decimal::fromVariant(p.value(column)).plain(); };
        const Money gps = Money::fromVariant(p.value("gps_mablagh"));
        EXPECT_EQ(surveyFee({text("masahat_por"), text("por_price"), text("zarib_kochaki"), text("masahat_khali"),
                             text("khali_price"), text("zarib_mantaghe"), text("zarib_sobat"), text("tajhiz_mablagh"), gps}),
                  Money::fromVariant(p.value("pardakhti")));
        EXPECT_EQ(surveyFee({text("masahat_por1"), text("por_price"), text("zarib_kochaki1"), text("masahat_khali1"),
                             text("khali_price"), text("zarib_mantaghe"), text("zarib_sobat1"), text("tajhiz_mablagh"),
                             gps}),
                  Money::fromVariant(p.value("prot_mablagh")));
    }
}

TEST_P(SampleOfficeTest, ACountyClerkLogsInAndSeesOnlyTheirCounty)
{
    Account clerk;
    ASSERT_EQ(checkLogin(db(), "arak", sample::staffPassword, &clerk), LoginCheck::Ok);
    EXPECT_EQ(clerk.lev, "city");
    const QStringList counties = loadCounties(db(), clerk.id);
    ASSERT_EQ(counties, QStringList{QStringLiteral("اراک")});
    const Session who{"arak", clerk.lev, clerk.id, clerk.nam};
    const Conditions mine = naghsheConditions(db().dialect(), {}, who);
    const ResultSet rows = naghsheList(db(), mine);
    ASSERT_GT(rows.size(), 0);
    EXPECT_LT(rows.size(), 300);
    for (int r = 0; r < rows.size(); ++r)
        EXPECT_EQ(rows.value(r, "city").toString(), QStringLiteral("اراک"));
    // Their page rights: surveying without deletion, the studies only viewed.
    const auto rights = loadRights(db(), clerk.id);
    EXPECT_TRUE(rights.at("naghshe").edit);
    EXPECT_FALSE(rights.at("naghshe").remove);
    EXPECT_FALSE(rights.at("borvinat").insert);
    EXPECT_TRUE(rights.at("borvinat").view);
    EXPECT_FALSE(rights.at("karbaran").view);

    Account retired;
    EXPECT_EQ(checkLogin(db(), "retired", sample::staffPassword, &retired), LoginCheck::Inactive);
}

INSTANTIATE_TEST_SUITE_P(Engines, SampleOfficeTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
