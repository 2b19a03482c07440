#include "admin_fixture.h"
#include "browsergrid.h"
#include "darkhast_ins.h"
#include "darkhast_requests.h"
#include "darkhast_src.h"
#include "dateedit.h"
#include "dates.h"
#include "filters.h"
#include "grid_rows.h"
#include "monedit.h"
#include "sample.h"
#include "spreadsheetreader.h"
#include "villages.h"
#include "widgets.h"
#include "windows.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace bv;
using namespace bv::survey;
using bv::test::AdminTest;
using bv::test::selectRow;
using bv::test::user;

TEST(EstimateStages, TheTwoDatesDecideTheStageAndItsRefusals)
{
    const QString day = QStringLiteral("1402/03/01");
    EXPECT_EQ(requestStage(emptyDateMask, emptyDateMask), RequestStage::Requested);
    EXPECT_EQ(requestStage(day, emptyDateMask), RequestStage::Surveyed);
    EXPECT_EQ(requestStage(day, day), RequestStage::Approved);
    EXPECT_TRUE(surveyingRefusals(day, emptyDateMask).isEmpty());
    EXPECT_EQ(surveyingRefusals(day, day), QStringList{approvedByStudiesMessage});
    EXPECT_TRUE(studiesRefusals(day, emptyDateMask).isEmpty());
    EXPECT_EQ(studiesRefusals(emptyDateMask, emptyDateMask), QStringList{notSurveyedMessage});
    // A studies date without a surveying one gives both messages.
    EXPECT_EQ(studiesRefusals(emptyDateMask, day), (QStringList{notSurveyedMessage, studiesDateGivenMessage}));

    const SurveyReading bad = readSurveyApproval(day, "12.5", "x", Money::fromWhole(5), "");
    EXPECT_TRUE(bad.error.contains(QStringLiteral("مساحت بافت خالي")));
    const SurveyReading comma = readSurveyApproval(day, "1,5", "", Money(), "");
    EXPECT_TRUE(comma.error.contains(QStringLiteral("مساحت بافت پر")));
    const SurveyReading good = readSurveyApproval(day, QStringLiteral("۱۲.۵"), "", Money(), "");
    EXPECT_TRUE(good.error.isEmpty());
    EXPECT_EQ(good.approval.masahat_por, Decimal::fromScaled(125, 1));
    EXPECT_TRUE(good.approval.masahat_khali.isZero());
}

class EstimateTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 4;
        size.contractors = size.registrationContractors = 0;
        size.projects = size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        db().exec("DELETE FROM baravord");
        villages = db().rows("SELECT * FROM abadiha ORDER BY id");
        session() = Session{"admin", "ostan", 1, {}};
        user().todayValue = QDate(2023, 6, 1);  // 1402/03/11
    }
    Row village(int i) { return villages[size_t(i)]; }
    qint64 request(int v, const QString &date)
    {
        const Row r = village(v);
        return addRequest(db(), {date, r["city"].toString(), r["bakhsh"].toString(), r["dehestan"].toString(),
                                 r["rosta"].toString(), r["cod"].toString()});
    }
    darkhast_src &browser()
    {
        darkhast_src &w = windows::get<darkhast_src>();
        // The window lives for the run; opening it keeps the ticks of its filters.
        for (FilterCheck *c : {w.CheckBox1, w.CheckBox2, w.CheckBox8})
            c->setChecked(false);
        w.prepare();
        return w;
    }
    // Runs the entry window the browser opens with `fill`, which saves or not.
    void whenOpened(const std::function<void(darkhast_ins &)> &fill)
    {
        user().dialogs.push_back([fill](QDialog &d) {
            fill(static_cast<darkhast_ins &>(d));
            return d.result();
        });
    }
    std::vector<Row> villages;
};

TEST_P(EstimateTest, ANewRequestStoresZerosAndBlankApprovals)
{
    darkhast_src &w = browser();
    EXPECT_EQ(w.cnt->text(), "0");
    whenOpened([&](darkhast_ins &e) {
        EXPECT_EQ(e.kind(), darkhast_ins::Kind::Request);
        EXPECT_TRUE(e.typRequest->isChecked());
        EXPECT_FALSE(e.typRequest->isEnabled());
        EXPECT_TRUE(e.city->isEnabled());
        EXPECT_FALSE(e.masahat_por->isEnabled());
        EXPECT_FALSE(e.cmt2->isEnabled());
        EXPECT_EQ(e.dat_darkhast->date(), "1402/03/11");
        EXPECT_EQ(e.masahat_por->text(), "0");
        EXPECT_EQ(e.mablagh->money(), Money());
        e.cod->setEditText(village(2)["cod"].toString());  // the code fills the names
        EXPECT_EQ(e.rosta->currentText(), village(2)["rosta"].toString());
        EXPECT_EQ(e.city->currentText(), village(2)["city"].toString());
        EXPECT_TRUE(e.save());
    });
    w.newRequest();
    EXPECT_EQ(w.cnt->text(), "1");
    const Row r = db().rows("SELECT * FROM baravord").front();
    EXPECT_EQ(r["dat_darkhast"].toString(), "1402/03/11");
    EXPECT_EQ(r["rosta"].toString(), village(2)["rosta"].toString());
    EXPECT_EQ(r["bakhsh"].toString(), village(2)["bakhsh"].toString());
    EXPECT_EQ(r["dat_naghshe"].toString(), emptyDateMask);
    EXPECT_EQ(r["dat_borvinat"].toString(), emptyDateMask);
    EXPECT_TRUE(Decimal::fromVariant(r["masahat_por"]).isZero());
    EXPECT_TRUE(Decimal::fromVariant(r["masahat_khali"]).isZero());
    EXPECT_EQ(Money::fromVariant(r["mablagh"]), Money());
    EXPECT_EQ(r["cmt"].toString(), "");
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt LIKE ?", {QStringLiteral("%برآورد%")}).toInt(), 0);
}

TEST_P(EstimateTest, SurveyingApprovalReadsItsFiguresAndCanBeWithdrawn)
{
    const qint64 id = request(0, "1402/02/01");
    darkhast_src &w = browser();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", id));
    whenOpened([&](darkhast_ins &e) {
        EXPECT_EQ(e.kind(), darkhast_ins::Kind::Survey);
        EXPECT_FALSE(e.city->isEnabled());
        EXPECT_TRUE(e.masahat_por->isEnabled());
        EXPECT_EQ(e.dat_naghshe->date(), "1402/03/11");
        e.masahat_por->setText("12.5");
        e.masahat_khali->setText("x");
        e.mablagh->setText("3,000,000,000");
        e.cmt->setText(QStringLiteral("برآورد اوليه"));
        EXPECT_FALSE(e.save());  // the area is refused and the window stays
        EXPECT_TRUE(user().lastMessage().contains(QStringLiteral("مساحت بافت خالي")));
        EXPECT_EQ(db().rows("SELECT * FROM baravord").front()["dat_naghshe"].toString(), emptyDateMask);
        e.masahat_khali->setText("4");
        EXPECT_TRUE(e.save());
    });
    w.surveyApproval();
    Row r = requestRow(db(), id);
    EXPECT_EQ(r["dat_naghshe"].toString(), "1402/03/11");
    EXPECT_EQ(Decimal::fromVariant(r["masahat_por"]), Decimal::fromScaled(125, 1));
    EXPECT_EQ(Decimal::fromVariant(r["masahat_khali"]), Decimal(4));
    EXPECT_EQ(Money::fromVariant(r["mablagh"]), Money::fromWhole(3000000000LL));
    EXPECT_EQ(r["cmt"].toString(), QStringLiteral("برآورد اوليه"));

    // Clearing the approval date returns the request to the requested stage.
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", id));
    whenOpened([&](darkhast_ins &e) {
        EXPECT_EQ(e.mablagh->money(), Money::fromWhole(3000000000LL));
        emit e.Label7->clicked();
        EXPECT_TRUE(e.save());
    });
    w.surveyApproval();
    r = requestRow(db(), id);
    EXPECT_EQ(requestStage(r["dat_naghshe"].toString(), r["dat_borvinat"].toString()), RequestStage::Requested);
}

TEST_P(EstimateTest, ApprovalsInTheWrongOrderAreRefused)
{
    const qint64 id = request(1, "1402/02/01");
    darkhast_src &w = browser();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", id));
    w.studiesApproval();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("خطا! هنوز به تاييد نقشه بردار نرسيده است")});
    EXPECT_TRUE(user().shownDialogs.isEmpty());

    SurveyApproval a{"1402/03/01", Decimal(10), Decimal(5), Money::fromWhole(1000000), {}};
    ASSERT_TRUE(approveSurvey(db(), id, a));
    w.search();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", id));
    whenOpened([&](darkhast_ins &e) {
        EXPECT_EQ(e.kind(), darkhast_ins::Kind::Studies);
        EXPECT_TRUE(e.cmt2->isEnabled());
        EXPECT_FALSE(e.masahat_por->isEnabled());
        EXPECT_EQ(e.dat_borvinat->date(), "1402/03/11");
        e.cmt2->setText(QStringLiteral("تاييد شد"));
        EXPECT_TRUE(e.save());
    });
    w.studiesApproval();
    EXPECT_EQ(requestRow(db(), id)["dat_borvinat"].toString(), "1402/03/11");
    EXPECT_EQ(requestRow(db(), id)["cmt2"].toString(), QStringLiteral("تاييد شد"));

    user().clear();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", id));
    w.surveyApproval();
    EXPECT_EQ(user().messageTexts(),
              QStringList{QStringLiteral("خطا! اين برآورد به تاييد مطالعات رسيده است و ديگر امکان تغيير ندارد")});
    w.studiesApproval();
    EXPECT_EQ(user().lastMessage(),
              QStringLiteral("خطا! اين برآورد قبلا تاريخ تاييد مطالعات خورده است و امکان تغيير ديگر نيست"));
    EXPECT_TRUE(user().shownDialogs.isEmpty());

    // A window opened on a stale row cannot approve twice.
    EXPECT_FALSE(approveSurvey(db(), id, a));
    EXPECT_FALSE(approveStudies(db(), id, "1402/04/01", "x"));
    EXPECT_EQ(requestRow(db(), id)["dat_borvinat"].toString(), "1402/03/11");
    EXPECT_EQ(Money::fromVariant(requestRow(db(), id)["mablagh"]), Money::fromWhole(1000000));
}

TEST_P(EstimateTest, AStaleSurveyingWindowGetsThePartsMessage)
{
    const qint64 id = request(1, "1402/02/01");
    darkhast_ins &e = windows::get<darkhast_ins>();
    e.startSurvey(requestRow(db(), id));
    ASSERT_TRUE(approveSurvey(db(), id, {"1402/03/01", Decimal(1), Decimal(1), Money(), {}}));
    ASSERT_TRUE(approveStudies(db(), id, "1402/03/05", {}));
    e.masahat_por->setText("99");
    EXPECT_FALSE(e.save());
    EXPECT_EQ(user().lastMessage(), approvedByStudiesMessage);
    EXPECT_EQ(Decimal::fromVariant(requestRow(db(), id)["masahat_por"]), Decimal(1));
}

TEST_P(EstimateTest, FiltersCompareDatesAsText)
{
    request(0, "1402/01/01");
    request(1, "1402/06/31");
    request(2, "1402/07/01");
    request(4, "1401/12/29");
    darkhast_src &w = browser();
    EXPECT_EQ(w.cnt->text(), "4");
    w.CheckBox8->setChecked(true);
    w.dat_darkhast1->setDate("1402/01/01");
    w.dat_darkhast2->setDate("1402/06/31");
    w.search();
    EXPECT_EQ(w.cnt->text(), "2");
    EXPECT_EQ(bv::test::shownColumn(*w.DBGrid1, "dat_darkhast"), (QStringList{"1402/01/01", "1402/06/31"}));
    w.CheckBox1->setChecked(true);
    w.city->setEditText(village(4)["city"].toString());
    w.search();
    EXPECT_EQ(w.cnt->text(), "0");
    w.CheckBox8->setChecked(false);
    w.search();
    EXPECT_EQ(w.cnt->text(), "1");
    // A half-typed date of the range is refused by name; the list stays.
    w.CheckBox8->setChecked(true);
    w.dat_darkhast1->setText("1402");
    w.search();
    EXPECT_EQ(user().lastMessage(), invalidDateMessage(QStringLiteral("تاريخ درخواست")));
    EXPECT_EQ(w.cnt->text(), "1");
    // Opening again empties the county and village.
    w.prepare();
    EXPECT_TRUE(w.city->currentText().isEmpty());
}

TEST_P(EstimateTest, AVillageChosenWithACodeKeepsTheCode)
{
    darkhast_ins &e = windows::get<darkhast_ins>();
    e.startRequest();
    e.cod->setEditText(village(0)["cod"].toString());
    e.city->setEditText(village(5)["city"].toString());
    e.bakhsh->setEditText(village(5)["bakhsh"].toString());
    e.dehestan->setEditText(village(5)["dehestan"].toString());
    EXPECT_GE(e.rosta->findText(village(5)["rosta"].toString()), 0);
    e.rosta->setEditText(village(5)["rosta"].toString());
    EXPECT_EQ(e.cod->currentText(), village(0)["cod"].toString());
    e.cod->setEditText("");
    EXPECT_TRUE(e.city->currentText().isEmpty());  // no village has an empty code
    e.city->setEditText(village(5)["city"].toString());
    e.bakhsh->setEditText(village(5)["bakhsh"].toString());
    e.dehestan->setEditText(village(5)["dehestan"].toString());
    e.rosta->setEditText(village(5)["rosta"].toString());
    EXPECT_EQ(e.cod->currentText(), village(5)["cod"].toString());
}

TEST_P(EstimateTest, DeleteAsksFirstAndExportUsesTheSurveyHeadings)
{
    const qint64 id = request(0, "1402/01/01");
    request(1, "1402/01/02");
    darkhast_src &w = browser();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", id));
    user().answers.push_back(false);
    w.deleteRequest();
    EXPECT_EQ(user().questions, QStringList{deleteRequestQuestion});
    EXPECT_EQ(w.cnt->text(), "2");
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", id));
    user().answers.push_back(true);
    w.deleteRequest();
    EXPECT_EQ(w.cnt->text(), "1");
    EXPECT_TRUE(requestRow(db(), id).isEmpty());

    w.exportList();
    ASSERT_EQ(user().opened.size(), 1);
    const std::optional<SheetTable> sheet = readSheet(user().opened.back());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->columns.mid(0, 3), (QStringList{QStringLiteral("شناسه"), "dat_darkhast", QStringLiteral("شهرستان")}));
    EXPECT_EQ(sheet->columns.value(8), QStringLiteral("مساحت بافت پر"));
    EXPECT_EQ(sheet->columns.value(10), "mablagh");
    ASSERT_EQ(sheet->rows.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Engines, EstimateTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
