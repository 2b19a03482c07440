#include "admin_fixture.h"
#include "borvinat_fee.h"
#include "borvinat_src.h"
#include "browsergrid.h"
#include "pages.h"
#include "peymankaran_src.h"
#include "sample.h"
#include "studies_pages.h"
#include "windows.h"

#include <QAction>
#include <QLabel>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

class StudySampleTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 10;
        size.contractors = 4;
        size.projects = 0;
        size.studies = 40;
        size.registrationContractors = 0;
        size.registrations = 0;
        size.contracts = 0;
        sample::fill(db(), nullptr, size);
    }
};

TEST_P(StudySampleTest, StudiesPointAtStudyContractorsWithTheirComputedFees)
{
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat b WHERE NOT EXISTS "
                          "(SELECT 1 FROM peymankaran k WHERE k.id = b.peymankar_id)")
                  .toInt(),
              0);
    EXPECT_GT(db().scalar("SELECT COUNT(DISTINCT typ) FROM peymankaran").toInt(), 1);
    const QString adjustment = study::adjustmentCoefficient(db());
    int fees = 0;
    for (const Row &s : db().rows("SELECT cod, tarh_typ, masahat, jamiyat, prot_mablagh, prot_mablagh_binofoz FROM borvinat")) {
        const study::VillageCoefficients v = study::villageCoefficients(db(), s["cod"].toString());
        const study::FeeFigures f{s["tarh_typ"].toString(), Decimal::fromVariant(s["masahat"]).plain(),
                                  s["jamiyat"].toString(), adjustment, v.remoteness, v.province};
        EXPECT_EQ(Money::fromVariant(s["prot_mablagh"]).plain(), study::studyFee(f, study::FeeKind::WithInfluence));
        EXPECT_EQ(Money::fromVariant(s["prot_mablagh_binofoz"]).plain(),
                  study::studyFee(f, study::FeeKind::WithoutInfluence));
        fees += Money::fromVariant(s["prot_mablagh"]).isZero() ? 0 : 1;
    }
    EXPECT_GT(fees, 30);
    // Dates are whole dates or the empty mask, never null.
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat WHERE movafeghat_dat IS NULL OR tamdid_dat IS NULL").toInt(), 0);
    EXPECT_GT(db().scalar("SELECT COUNT(*) FROM borvinat WHERE status = ?", {QStringLiteral("قطعي - 100%")}).toInt(), 0);
}

TEST_P(StudySampleTest, TheStudiesBrowserOpensTheContractorsWithTheirRightsAndColours)
{
    registerStudiesPages();
    const qint64 admin = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
    Session clerk{"admin", "ostan", admin, {}};
    session() = clerk;
    db().exec("DELETE FROM dastrasi WHERE prs_id = ? AND page_name IN ('borvinat', 'peymankaran')", {admin});
    db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (?, 'borvinat', 0, 0, 0, 1)", {admin});
    db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (?, 'peymankaran', 1, 0, 0, 1)", {admin});
    peymankaran_src &browser = windows::get<peymankaran_src>();
    bool green = false;
    user().dialogs.push_back([&](QDialog &) {
        windows::get<borvinat_src>().N40->trigger();
        return 0;
    });
    user().dialogs.push_back([&](QDialog &) {
        for (int r = 0; r < browser.DBGrid1->rowCount(); ++r)
            green = green || browser.DBGrid1->rowColourAt(r) == QColor(Qt::green);
        return 0;
    });
    ASSERT_TRUE(pages::open("N14", "borvinat", db(), clerk));
    EXPECT_EQ(browser.cnt->text(), db().scalar("SELECT COUNT(*) FROM peymankaran").toString());
    EXPECT_TRUE(green);
    EXPECT_TRUE(browser.N1->isEnabled());
    EXPECT_FALSE(browser.N2->isEnabled());
    EXPECT_FALSE(browser.N3->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Engines, StudySampleTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
