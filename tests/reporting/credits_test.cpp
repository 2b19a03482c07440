#include "admin_fixture.h"
#include "browsergrid.h"
#include "credits.h"
#include "creditsreport.h"
#include "etebarat.h"
#include "grid_rows.h"
#include "helpers.h"
#include "monedit.h"
#include "templatecheck.h"
#include "widgets.h"
#include "windows.h"
#include "sheet_rows.h"
#include "typing.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QPageLayout>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QTest>

using namespace bv;
using namespace bv::reporting;
using bv::test::AdminTest;
using bv::test::user;

namespace {
const QString legal = QStringLiteral("حقوقي");
const QString natural = QStringLiteral("حقيقي");
const QString amolCounty = QStringLiteral("آمل");
const QString babolCounty = QStringLiteral("بابل");

Money whole(qint64 n)
{
    return Money::fromWhole(n);
}
}  // namespace

TEST(CreditRules, StudiesShareTaxAndNextCounty)
{
    EXPECT_EQ(studiesShare(whole(1000000000), whole(400000000)), whole(600000000));
    EXPECT_EQ(studiesShare(whole(400), whole(400)), whole(0));
    EXPECT_EQ(studiesShare(whole(400), whole(500)), std::nullopt);

    EXPECT_EQ(withTax(whole(100), legal), whole(121));
    EXPECT_EQ(withTax(Money::parse("0.01").value(), legal), Money::parse("0.0121").value());
    EXPECT_EQ(withTax(whole(50), natural), whole(50));
    EXPECT_EQ(withTax(whole(50), QString()), whole(50));

    const QStringList counties{"a", "b", "c"};
    EXPECT_EQ(nextItem(counties, "a"), "b");
    EXPECT_EQ(nextItem(counties, "c"), "a");
    EXPECT_EQ(nextItem(counties, "x"), "a");
    EXPECT_EQ(nextItem({}, "x"), QString());
}

class CreditsTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        for (const QString &county : {amolCounty, babolCounty, QStringLiteral("ساري")})
            db().exec("INSERT INTO abadiha (ostan, city, bakhsh, dehestan, rosta, cod) VALUES (?, ?, ?, ?, ?, ?)",
                      {QStringLiteral("مازندران"), county, "b", "d", county + QStringLiteral(" ده"), "1"});
        session() = Session{"admin", "admin", adminId(), {}};
    }
    qint64 adminId() { return db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong(); }

    etebarat &window()
    {
        etebarat &w = windows::get<etebarat>();
        w.prepare();
        return w;
    }
    void enter(QWidget *w) { QTest::keyClick(w, Qt::Key_Return); }
    void fill(etebarat &w, const QString &code, const QString &year, const QString &county, const QString &allocated,
              const QString &surveying)
    {
        w.tamin_sal->setText(year);
        w.tarh_cod->setText(code);
        showStoredValue(w.city, county);
        w.mablagh->setText(allocated);
        w.mablagh_naghshe->setText(surveying);
    }
    int credits() { return db().scalar("SELECT COUNT(*) FROM etebarat").toInt(); }

    qint64 contractor(const QString &table, const QString &kind, const QString &name)
    {
        return db().insert(QStringLiteral("INSERT INTO %1 (typ, fname, lname, comp_name) VALUES (?, ?, ?, ?)").arg(table),
                           {kind, QStringLiteral("علي"), name, name + QStringLiteral(" سازه")});
    }
    void project(const QString &county, const QString &village, qint64 contractorId, qint64 paid,
                 const QString &year = QStringLiteral("1401"))
    {
        db().exec("INSERT INTO naghshe (city, bakhsh, dehestan, rosta, tamin_sal, tamin_loc, prot_no, prot_dat1, "
                  "prot_mablagh, pardakhti, peymankar_id) VALUES (?, 'b', 'd', ?, ?, ?, ?, '1401/02/03', ?, ?, ?)",
                  {county, village, year, QStringLiteral("ملي"), "N-" + village, paid * 2, paid, contractorId});
    }
    void credit(const QString &county, qint64 surveying, qint64 studies)
    {
        db().exec("INSERT INTO etebarat (tamin_sal, tamin_loc, tarh_cod, city, mablagh, mablagh_naghshe, mablagh_fani) "
                  "VALUES ('1401', ?, ?, ?, ?, ?, ?)",
                  {QStringLiteral("ملي"), "T-" + county, county, surveying + studies, surveying, studies});
    }
    survey::NaghsheFilters oneCounty(const QString &county)
    {
        survey::NaghsheFilters f;
        f.city = QStringList{county};
        f.tamin_sal = QStringLiteral("1401");
        return f;
    }
};

TEST_P(CreditsTest, RegisterComputesRefusesDuplicatesAndMovesToTheNextCounty)
{
    etebarat &w = window();
    ASSERT_EQ(w.city->count(), 3);
    fill(w, "77", "1401", amolCounty, "1000000000", "400000000");
    enter(w.mablagh_naghshe);
    EXPECT_EQ(w.mablagh_fani->text(), "600,000,000");

    user().clear();
    enter(w.mablagh_fani);
    EXPECT_EQ(user().messageTexts(), QStringList{registeredMessage});
    EXPECT_EQ(w.city->currentText(), babolCounty);
    EXPECT_TRUE(w.DBGrid1->rowCount() == 1);
    EXPECT_EQ(Money::fromVariant(db().scalar("SELECT mablagh_fani FROM etebarat")), whole(600000000));

    // The same plan code and year for the county just registered is refused; the next county is taken.
    showStoredValue(w.city, amolCounty);
    user().clear();
    w.ins_btn->click();
    EXPECT_EQ(user().lastMessage(), duplicateMessage);
    EXPECT_EQ(credits(), 1);
    showStoredValue(w.city, babolCounty);
    w.ins_btn->click();
    EXPECT_EQ(user().lastMessage(), registeredMessage);
    EXPECT_EQ(credits(), 2);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM etebarat WHERE city = ? AND tarh_cod = '77'", {babolCounty}).toInt(), 1);

    // Surveying above the allocation: a message, and nothing is written.
    fill(w, "78", "1402", amolCounty, "400", "500");
    user().clear();
    enter(w.mablagh_naghshe);
    EXPECT_EQ(user().messageTexts(), QStringList{surveyingAboveAllocationMessage});
    user().clear();
    w.ins_btn->click();
    EXPECT_EQ(user().messageTexts(), QStringList{surveyingAboveAllocationMessage});
    EXPECT_EQ(credits(), 2);
}

TEST_P(CreditsTest, EnterWalksTheInputsAndLeavingTheSurveyingPartComputesTheShare)
{
    etebarat &w = window();
    w.show();
    QApplication::setActiveWindow(&w);
    w.tamin_sal->setFocus();
    const QList<QWidget *> chain{w.tamin_sal, w.tamin_loc, w.tarh_cod, w.city, w.mablagh, w.mablagh_naghshe};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        enter(chain[i]);
        EXPECT_EQ(QApplication::focusWidget(), chain[i + 1]) << i;
    }
    w.mablagh->setText("900");
    w.mablagh_naghshe->setText("250");
    w.tarh_cod->setFocus();
    EXPECT_EQ(w.mablagh_fani->text(), "650");
    w.mablagh_naghshe->setText("300");
    w.mablagh_fani->setFocus();
    EXPECT_EQ(w.mablagh_fani->text(), "600");
    EXPECT_EQ(credits(), 0);
    w.hide();

    // Without the insert right Enter in the studies part writes nothing.
    w.applyRights({false, false, false, true});
    enter(w.mablagh_fani);
    EXPECT_EQ(credits(), 0);
    EXPECT_FALSE(w.N2->isEnabled());
    w.applyRights({true, true, true, true});
}

TEST_P(CreditsTest, CreditYearTakesDigitsOnlyAndEmptyAmountsAreZero)
{
    etebarat &w = window();
    w.tamin_sal->clear();
    test::typeText(w.tamin_sal, QStringLiteral("a۱۴x01"));
    EXPECT_EQ(w.tamin_sal->text(), QStringLiteral("۱۴01"));
    EXPECT_EQ(typedText(w.tamin_sal), "1401");
    w.tarh_cod->setText("5");
    w.mablagh->clear();
    w.mablagh_naghshe->clear();
    w.mablagh_fani->clear();
    w.ins_btn->click();
    EXPECT_EQ(user().lastMessage(), registeredMessage);
    const ResultSet r = db().select("SELECT tamin_sal, mablagh, mablagh_fani FROM etebarat");
    EXPECT_EQ(r.value(0, "tamin_sal").toString(), "1401");
    EXPECT_TRUE(Money::fromVariant(r.value(0, "mablagh")).isZero());
}

TEST_P(CreditsTest, DeleteGivesTheRowBackToTheInputsAndExportReadsBack)
{
    credit(amolCounty, 1250000, 500);
    etebarat &w = window();
    w.mablagh->clear();
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "city", amolCounty));
    user().clear();
    w.N2->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{deletedMessage});
    EXPECT_EQ(credits(), 0);
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
    EXPECT_EQ(w.mablagh_naghshe->text(), "1,250,000");
    EXPECT_EQ(w.mablagh->text(), "1,250,500");
    EXPECT_EQ(w.city->currentText(), amolCounty);
    EXPECT_EQ(w.tarh_cod->text(), "T-" + amolCounty);
    EXPECT_EQ(w.mablagh_naghshe->money(), whole(1250000));

    credit(babolCounty, 300, 200);
    w.prepare();
    user().clear();
    w.N1->trigger();
    ASSERT_EQ(user().opened.size(), 1u);
    const test::XlsxSheet sheet = test::readXlsx(user().opened.front());
    ASSERT_EQ(sheet.rows.size(), 2);
    const QStringList headings = test::sheetRow(sheet, 1).values();
    EXPECT_EQ(headings.size(), 8);
    for (const char *heading : {"شناسه", "شهرستان", "سال تامين", "محل تامين", "کد طرح", "مبلغ تخصيصي", "مبلغ نقشه برداري",
                                "مبلغ مطالعات"})
        EXPECT_TRUE(headings.contains(QString::fromUtf8(heading))) << heading;
    EXPECT_EQ(test::sheetColumn(sheet, QStringLiteral("شهرستان")), QStringList{babolCounty});
    EXPECT_EQ(test::sheetColumn(sheet, QStringLiteral("مبلغ تخصيصي")), QStringList{"500"});
}

TEST_P(CreditsTest, SurveyReportTaxesLegalPersonsOnceAndBalancesOneCounty)
{
    const qint64 company = contractor("peymankar", legal, QStringLiteral("البرز"));
    const qint64 person = contractor("peymankar", natural, QStringLiteral("رضايي"));
    project(amolCounty, QStringLiteral("کلاته"), company, 100);
    project(amolCounty, QStringLiteral("پاشا"), person, 50);
    project(babolCounty, QStringLiteral("زرگر"), person, 70);
    credit(amolCounty, 1000, 9);
    credit(babolCounty, 400, 9);

    const CreditsFigures f = creditsFigures(db(), surveyCredits(oneCounty(amolCounty)), [&] {
        Conditions c(db().dialect());
        c.contains("city", amolCounty);
        return c;
    }(), session());
    EXPECT_EQ(f.statementSum, whole(150));
    EXPECT_EQ(f.taxSum, whole(171));
    EXPECT_EQ(f.allocated, whole(1000));
    EXPECT_EQ(f.balance, whole(829));
    EXPECT_EQ(f.planCode, "T-" + amolCounty);

    report::Document doc = surveyCreditsReport(db(), oneCounty(amolCounty), session());
    EXPECT_TRUE(test::fullyFilled(doc));
    EXPECT_EQ(doc.label("rep_typ"), QStringLiteral("نقشه برداري"));
    EXPECT_EQ(doc.label("mablagh_sum"), "150");
    EXPECT_EQ(doc.label("mablagh2_sum"), "171");
    EXPECT_EQ(doc.label("sorat_kol"), "171");
    EXPECT_EQ(doc.label("takhsisi_sum"), "1,000");
    EXPECT_EQ(doc.label("mande"), "829");
    EXPECT_EQ(doc.label("tamin_sal"), "1401");
    // Legal persons first, each column as its total adds up.
    ASSERT_EQ(doc.rows().size(), 2);
    EXPECT_EQ(doc.rows().value(0, "peymankar2").toString(), QStringLiteral("البرز سازه"));
    EXPECT_EQ(doc.rows().value(0, "pardakhti_hoghoghi").toString(), "121");
    EXPECT_EQ(doc.rows().value(0, "pardakhti_haghighi").toString(), "100");
    EXPECT_EQ(doc.rows().value(1, "peymankar2").toString(), QStringLiteral("علي رضايي"));
    EXPECT_EQ(doc.rows().value(1, "pardakhti_hoghoghi").toString(), "50");

    // On the laid-out pages: A4 landscape, the tax rows and the totals.
    const std::vector<report::Page> pages = doc.layout();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].pageLayout.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(pages[0].pageLayout.pageSize().id(), QPageSize::A4);
    const QStringList texts = test::textsNamed(pages[0], {});
    for (const char *shown : {"121", "50", "150", "171", "829", "1,000"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(shown))) << shown;
    EXPECT_FALSE(texts.contains("271"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("etebarat_rep.pdf");
    ASSERT_TRUE(doc.writePdf(pdf));
    const QList<QSizeF> sizes = test::pdfPageSizes(pdf);
    ASSERT_EQ(sizes.size(), 1);
    EXPECT_NEAR(sizes[0].width(), 841.9, 1.0);
    EXPECT_NEAR(sizes[0].height(), 595.3, 1.0);
}

TEST_P(CreditsTest, SurveyReportShowsNoBalanceUnlessOneCountyIsChosen)
{
    const qint64 person = contractor("peymankar", natural, QStringLiteral("رضايي"));
    project(amolCounty, QStringLiteral("پاشا"), person, 50);
    project(babolCounty, QStringLiteral("زرگر"), person, 70);
    credit(amolCounty, 1000, 9);

    survey::NaghsheFilters two = oneCounty(amolCounty);
    two.city = QStringList{amolCounty, babolCounty};
    report::Document doc = surveyCreditsReport(db(), two, session());
    EXPECT_EQ(doc.label("takhsisi_sum"), notOneCountyText);
    EXPECT_EQ(doc.label("mande"), notOneCountyText);
    EXPECT_EQ(doc.label("sorat_kol"), "120");

    survey::NaghsheFilters none;
    doc = surveyCreditsReport(db(), none, session());
    EXPECT_EQ(doc.label("mande"), notOneCountyText);
    EXPECT_EQ(doc.rows().size(), 2);

    // Ticked with an empty list: nothing matches, and the figures are computed.
    survey::NaghsheFilters empty;
    empty.city = QStringList{};
    doc = surveyCreditsReport(db(), empty, session());
    EXPECT_EQ(doc.rows().size(), 0);
    EXPECT_EQ(doc.label("takhsisi_sum"), "0");
    EXPECT_EQ(doc.label("mande"), "0");
}

TEST_P(CreditsTest, ReportStaysWithinTheUsersCounties)
{
    const qint64 person = contractor("peymankar", natural, QStringLiteral("رضايي"));
    project(amolCounty, QStringLiteral("پاشا"), person, 50);
    project(babolCounty, QStringLiteral("زرگر"), person, 70);
    credit(babolCounty, 400, 9);
    const qint64 clerk = addUser("clerk", "x");
    db().exec("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)", {clerk, amolCounty});
    const Session scoped{"clerk", "ostan", clerk, {}};

    report::Document doc = surveyCreditsReport(db(), {}, scoped);
    ASSERT_EQ(doc.rows().size(), 1);
    EXPECT_EQ(doc.rows().value(0, "city").toString(), amolCounty);
    EXPECT_EQ(doc.label("sorat_kol"), "50");
    // Another county's credit is not reached through the county filter either.
    doc = surveyCreditsReport(db(), oneCounty(babolCounty), scoped);
    EXPECT_EQ(doc.rows().size(), 0);
    EXPECT_EQ(doc.label("takhsisi_sum"), "0");
    EXPECT_EQ(doc.label("tarh_cod"), QString());
}

TEST_P(CreditsTest, StudiesReportUsesTheStudyColumnsAndItsCredit)
{
    const qint64 company = contractor("peymankaran", legal, QStringLiteral("طرح نو"));
    for (const auto &[county, year, amount] :
         {std::tuple{amolCounty, "1401", "12.5"}, std::tuple{amolCounty, "1399", "3"}, std::tuple{babolCounty, "1401", "4"}})
        db().exec("INSERT INTO borvinat (city, bakhsh, dehestan, rosta, etebar_sal, moshaver_prot_no, tarh_prot_dat, "
                  "prot_mablagh, peymankar_id, tarh_moshaver_name) VALUES (?, 'b', 'd', ?, ?, ?, '1401/05/06', ?, ?, 'm')",
                  {county, county + QStringLiteral(" ده"), QString::fromLatin1(year), QStringLiteral("م-٩") + year,
                   QString::fromLatin1(amount), company});
    credit(amolCounty, 9, 100);

    studies::BorvinatFilters f;
    f.city = QStringList{amolCounty};
    f.etebar_sal = QStringLiteral("1401");
    f.tarh_moshaver_name = QStringLiteral("nobody");  // not a filter of the report
    report::Document doc = studiesCreditsReport(db(), f, session());
    EXPECT_TRUE(test::fullyFilled(doc));
    EXPECT_EQ(doc.label("rep_typ"), QStringLiteral("مطالعات"));
    ASSERT_EQ(doc.rows().size(), 1);
    EXPECT_EQ(doc.rows().value(0, "prot_no").toString(), QStringLiteral("م-٩1401"));
    EXPECT_EQ(doc.rows().value(0, "prot_dat1").toString(), "1401/05/06");
    EXPECT_EQ(doc.label("mablagh_sum"), "12.5");
    EXPECT_EQ(doc.label("sorat_kol"), "15.125");
    EXPECT_EQ(doc.label("takhsisi_sum"), "100");
    EXPECT_EQ(doc.label("mande"), "84.875");

    // The contract number stands under its column's title on the page.
    const std::vector<report::Page> pages = doc.layout();
    ASSERT_FALSE(pages.empty());
    const auto title = test::findText(pages[0], QStringLiteral("شماره قرارداد"));
    const auto number = test::findText(pages[0], QStringLiteral("م-٩1401"));
    ASSERT_EQ(title.size(), 1u);
    ASSERT_EQ(number.size(), 1u);
    EXPECT_NEAR(title[0]->rect.center().x(), number[0]->rect.center().x(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Engines, CreditsTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return test::engineName(info.param); });
