#include "admin_fixture.h"
#include "attachments.h"
#include "borvinat_src.h"
#include "browsergrid.h"
#include "filters.h"
#include "grid_rows.h"
#include "naghshe_search.h"
#include "naghshe_src.h"
#include "pages.h"
#include "rep.h"
#include "reporting_pages.h"
#include "sample.h"
#include "sheet_rows.h"
#include "typing.h"
#include "widgets.h"
#include "windows.h"

#include <QComboBox>
#include <QPushButton>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace bv;
using namespace bv::reporting;
using bv::test::AdminTest;
using bv::test::user;

class RepTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 3;
        size.villagesPerCounty = 5;
        size.contractors = 4;
        size.projects = 230;
        size.studies = 215;
        size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        session() = Session{"admin", "admin", db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong(), {}};
        surveys = db().scalar("SELECT COUNT(*) FROM naghshe").toInt();
        studyCount = db().scalar("SELECT COUNT(*) FROM borvinat").toInt();
        county = db().scalar("SELECT MIN(city) FROM naghshe").toString();
    }

    rep &window()
    {
        rep &w = windows::get<rep>();
        w.prepare();
        return w;
    }
    // Every county forms one block of rows, and every village one block within it.
    static void expectCountyAndVillageOrder(const BrowserGrid &grid)
    {
        const QStringList cities = test::shownColumn(grid, "city");
        const QStringList villages = test::shownColumn(grid, "rosta");
        QSet<QString> doneCities, doneVillages;
        for (int r = 1; r < cities.size(); ++r) {
            if (cities[r] != cities[r - 1]) {
                doneCities.insert(cities[r - 1]);
                doneVillages.clear();
            } else if (villages[r] != villages[r - 1]) {
                doneVillages.insert(villages[r - 1]);
            }
            EXPECT_FALSE(doneCities.contains(cities[r])) << r;
            EXPECT_FALSE(doneVillages.contains(villages[r])) << r;
        }
    }

    int surveys = 0, studyCount = 0;
    QString county;
};

TEST_P(RepTest, AdministratorWithoutFiltersGetsEveryProjectFirstScreenFirst)
{
    ASSERT_GT(surveys, rep::firstScreenRows);
    ASSERT_GT(studyCount, rep::firstScreenRows);
    rep &w = window();
    EXPECT_EQ(w.cnt->text(), QString::number(surveys));
    EXPECT_EQ(w.cnt2->text(), QString::number(studyCount));
    EXPECT_FALSE(w.listsComplete());
    EXPECT_EQ(w.DBGrid1->rowCount(), rep::firstScreenRows);
    // A title click sorts the whole list, not the first screen.
    emit w.DBGrid2->horizontalHeader()->sectionPressed(1);
    EXPECT_TRUE(w.listsComplete());
    w.prepare();
    EXPECT_FALSE(w.listsComplete());
    w.completeLists();
    EXPECT_EQ(w.DBGrid1->rowCount(), surveys);
    EXPECT_EQ(w.DBGrid2->rowCount(), studyCount);
    expectCountyAndVillageOrder(*w.DBGrid1);
    expectCountyAndVillageOrder(*w.DBGrid2);
}

TEST_P(RepTest, CityLevelUserSeesOnlyCountiesContainingTheName)
{
    // The sample's clerk is named after a county.
    const ResultSet clerk = db().select("SELECT id, us FROM users WHERE lev = 'city'");
    ASSERT_EQ(clerk.size(), 1);
    county = clerk.value(0, "us").toString();
    session() = Session{county, "city", clerk.value(0, "id").toLongLong(), {}};
    const int own = db().scalar("SELECT COUNT(*) FROM naghshe WHERE city = ?", {county}).toInt();
    ASSERT_GT(own, 0);
    ASSERT_LT(own, surveys);
    rep &w = window();
    w.completeLists();
    EXPECT_EQ(w.cnt->text(), QString::number(own));
    for (const QString &c : test::shownColumn(*w.DBGrid1, "city") + test::shownColumn(*w.DBGrid2, "city"))
        EXPECT_EQ(c, county);

    // Another county in the filter does not widen the view.
    const QString other = db().scalar("SELECT MAX(city) FROM naghshe WHERE city <> ?", {county}).toString();
    ASSERT_FALSE(other.isEmpty());
    w.CheckBox1->setChecked(true);
    w.city->setCurrentText(other);
    w.search();
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_EQ(w.cnt2->text(), "0");
}

TEST_P(RepTest, CreditYearFilterTakesDigitsAndMatchesBothYears)
{
    db().exec("UPDATE naghshe SET tamin_sal = '1398'");
    db().exec("UPDATE borvinat SET etebar_sal = '1398'");
    db().exec("UPDATE naghshe SET tamin_sal = '1401' WHERE id IN (SELECT id FROM naghshe WHERE id % 7 = 0)");
    db().exec("UPDATE borvinat SET etebar_sal = '1401' WHERE id IN (SELECT id FROM borvinat WHERE id % 11 = 0)");
    const int surveys1401 = db().scalar("SELECT COUNT(*) FROM naghshe WHERE id % 7 = 0").toInt();
    const int studies1401 = db().scalar("SELECT COUNT(*) FROM borvinat WHERE id % 11 = 0").toInt();

    rep &w = window();
    w.CheckBox7->setChecked(true);
    QTest::keyClicks(w.tamin_sal, "a");
    EXPECT_EQ(w.tamin_sal->text(), QString());
    test::typeText(w.tamin_sal, QStringLiteral("14x۰1"));
    EXPECT_EQ(typedText(w.tamin_sal), "1401");
    w.BitBtn1->click();
    w.completeLists();
    EXPECT_EQ(w.cnt->text(), QString::number(surveys1401));
    EXPECT_EQ(w.cnt2->text(), QString::number(studies1401));
    for (const QString &year : test::shownColumn(*w.DBGrid1, "tamin_sal"))
        EXPECT_EQ(year, "1401");
    for (const QString &year : test::shownColumn(*w.DBGrid2, "etebar_sal"))
        EXPECT_EQ(year, "1401");

    // A ticked village filter with an empty list matches nothing.
    w.CheckBox2->check->setChecked(true);
    w.search();
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_EQ(w.cnt2->text(), "0");
}

TEST_P(RepTest, ProjectFilesOpenFromAPrivateCopyOrAreReportedMissing)
{
    rep &w = window();
    const qint64 project = db().scalar("SELECT MIN(id) FROM naghshe WHERE id NOT IN (SELECT naghshe_id FROM naghshe_pic)")
                               .toLongLong();
    w.completeLists();
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "id", project));
    user().clear();
    w.N2->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{missingMessage});
    EXPECT_TRUE(user().opened.isEmpty());

    addAttachment(db(), attachment::naghshe_pic(), {project}, {QStringLiteral("فايل pdf"), ".pdf", "%PDF map", {}});
    addAttachment(db(), attachment::naghshe_pic(), {project}, {QStringLiteral("فايل pdf"), ".pdf", "%PDF later", {}});
    user().clear();
    w.N2->trigger();
    EXPECT_TRUE(user().messageTexts().isEmpty());
    ASSERT_EQ(user().opened.size(), 1);
    EXPECT_TRUE(user().opened[0].endsWith(".pdf"));
    QFile copy(user().opened[0]);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), "%PDF map");

    // The contract, of another description, is still missing; nothing opens when the desktop cannot.
    user().clear();
    w.N1->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{missingMessage});
    user().clear();
    user().desktopOpens = false;
    w.N2->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{impossibleMessage});
    user().desktopOpens = true;

    const qint64 study = db().scalar("SELECT MIN(id) FROM borvinat").toLongLong();
    addAttachment(db(), attachment::borvinat_pic(), {study},
                  {QStringLiteral("تصوير طرح پيشنهادي-pdf"), ".pdf", "%PDF plan", {}});
    ASSERT_TRUE(test::selectRow(*w.DBGrid2, "id", study));
    user().clear();
    w.N5->trigger();
    ASSERT_EQ(user().opened.size(), 1);
}

TEST_P(RepTest, ExportsHoldEveryListedProjectUnderTheirHeadings)
{
    rep &w = window();
    user().clear();
    w.N3->trigger();
    ASSERT_EQ(user().opened.size(), 1);
    const test::XlsxSheet survey = test::readXlsx(user().opened[0]);
    EXPECT_EQ(survey.rows.size(), surveys + 1);
    const QStringList surveyHeadings = test::sheetRow(survey, 1).values();
    for (const char *h : {"شناسه", "شهرستان", "عرض جغرافيايي - Y", "تاريخ جلسه هيئت انتخاب مشاور", "تعداد ضمائم"})
        EXPECT_TRUE(surveyHeadings.contains(QString::fromUtf8(h))) << h;
    EXPECT_EQ(test::sheetColumn(survey, QStringLiteral("شهرستان")), test::shownColumn(*w.DBGrid1, "city"));

    user().clear();
    w.N6->trigger();
    ASSERT_EQ(user().opened.size(), 1);
    const test::XlsxSheet studies = test::readXlsx(user().opened[0]);
    EXPECT_EQ(studies.rows.size(), studyCount + 1);
    const QStringList studyHeadings = test::sheetRow(studies, 1).values();
    for (const char *h : {"شناسه", "منبع تامين اعتبار همه", "شماره قرارداد با مشاور", "امتياز چک لبست اجرايي",
                          "تاريخ ارسال طرح مصوب به دفتر مرکزي"})
        EXPECT_TRUE(studyHeadings.contains(QString::fromUtf8(h))) << h;
    EXPECT_EQ(repStudiesHeadings().size(), 39);
}

TEST_P(RepTest, MenuAndBrowsersReachTheReportingWindows)
{
    registerReportingPages();
    ASSERT_NE(pages::find("N13"), nullptr);
    ASSERT_NE(pages::find("N20"), nullptr);
    EXPECT_EQ(&pages::find("N20")->window(), static_cast<QDialog *>(&windows::get<rep>()));

    naghshe_src &survey = windows::get<naghshe_src>();
    survey.prepare();
    user().clear();
    survey.N41->trigger();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(user().documents[0].name, "etebarat_rep");
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("نقشه برداري")));

    borvinat_src &studies = windows::get<borvinat_src>();
    studies.prepare();
    user().clear();
    studies.N46->trigger();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("مطالعات")));
}

INSTANTIATE_TEST_SUITE_P(Engines, RepTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return test::engineName(info.param); });
