// Two clerks on two connections edit the same survey project.
#include "admin_fixture.h"
#include "cameras.h"
#include "darkhast_ins.h"
#include "darkhast_requests.h"
#include "dorbin_ins.h"
#include "naghshe_ins.h"
#include "naghshe_search.h"
#include "rowguard.h"
#include "sample.h"
#include "windows.h"

#include <QComboBox>
#include <QLineEdit>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

class TwoClerksTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 5;
        size.contractors = 3;
        size.projects = 8;
        size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        database->open(clerkB);
        session() = Session{"admin", "ostan", 1, {}};
    }
    void TearDown() override
    {
        clerkB.close();
        AdminTest::TearDown();
    }
    Row project(qint64 id) { return db().rows("SELECT * FROM naghshe WHERE id = ?", {id}).front(); }
    // Clerk B's window saving project `id` with `column` changed, on B's connection.
    void clerkBSaves(qint64 id, const QString &column, const QString &value)
    {
        const Row row = project(id);
        survey::Typed typed;
        for (const QString &c : survey::projectColumns())
            typed[c] = survey::storedText(c, row.value(c));
        typed[column] = value;
        const survey::ProjectValues values = survey::readProject(typed);
        ASSERT_TRUE(values.error.isEmpty()) << values.error.toStdString();
        survey::editProject(clerkB, id, typed, values, "clerkb");
    }
    QString stored(qint64 id, const QString &column)
    {
        return clerkB.scalar("SELECT " + column + " FROM naghshe WHERE id = ?", {id}).toString();
    }

    Db clerkB{QStringLiteral("clerk_b")};
};

TEST_P(TwoClerksTest, ChangedMeanwhileIsToldThenReloadedOrOverwritten)
{
    // A note B's save stores as it is (typed text is normalised on save).
    db().exec("UPDATE naghshe SET cmt = ? WHERE id = 7", {QStringLiteral("يادداشت")});
    naghshe_ins &a = windows::get<naghshe_ins>();
    a.startEdit(project(7));
    const QString cmtBefore = stored(7, "cmt");
    clerkBSaves(7, "prot_no", "B-99");
    a.cmt->setText(QStringLiteral("يادداشت A"));
    user().answers = {true};  // reload
    EXPECT_FALSE(a.saveEdit());
    ASSERT_EQ(user().questions.size(), 1);
    EXPECT_TRUE(user().questions[0].contains(QStringLiteral("شماره قرارداد")));
    EXPECT_FALSE(user().questions[0].contains(QStringLiteral("ساير توضيحات")));
    EXPECT_TRUE(user().messageTexts().isEmpty());
    EXPECT_EQ(stored(7, "cmt"), cmtBefore);
    EXPECT_EQ(a.prot_no->currentText(), "B-99");
    EXPECT_EQ(a.cmt->text(), cmtBefore);
    EXPECT_EQ(logRows(QStringLiteral("ويرايش نقشه")), 1);

    // B saves again; A types and this time overwrites.
    clerkBSaves(7, "prot_no", "B-100");
    a.cmt->setText(QStringLiteral("يادداشت A"));
    user().clear();
    user().answers = {false, true};
    EXPECT_TRUE(a.saveEdit());
    EXPECT_EQ(user().questions, (QStringList{user().questions.value(0), overwriteQuestion}));
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ويرايش انجام شد")});
    EXPECT_EQ(stored(7, "cmt"), QStringLiteral("يادداشت A"));
    EXPECT_EQ(stored(7, "prot_no"), "B-99");
    EXPECT_EQ(logRows(QStringLiteral("ويرايش نقشه")), 3);
}

TEST_P(TwoClerksTest, AnUntouchedProjectSavesWithoutAQuestion)
{
    naghshe_ins &a = windows::get<naghshe_ins>();
    a.startEdit(project(7));
    clerkBSaves(6, "prot_no", "B-99");  // another project
    a.cmt->setText(QStringLiteral("يادداشت A"));
    EXPECT_TRUE(a.saveEdit());
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(stored(7, "cmt"), QStringLiteral("يادداشت A"));
}

TEST_P(TwoClerksTest, AProjectDeletedMeanwhileIsNotWrittenAgain)
{
    naghshe_ins &a = windows::get<naghshe_ins>();
    a.startEdit(project(7));
    clerkB.exec("DELETE FROM naghshe WHERE id = ?", {7});
    a.cmt->setText(QStringLiteral("يادداشت A"));
    EXPECT_FALSE(a.saveEdit());
    EXPECT_EQ(user().messageTexts(), QStringList{rowDeletedMessage});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe WHERE id = 7").toInt(), 0);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe").toInt(), 7);
    EXPECT_EQ(logRows(QStringLiteral("ويرايش نقشه")), 0);
}

TEST_P(TwoClerksTest, ACameraChangedMeanwhileIsNamed)
{
    const qint64 id = survey::insertCamera(db(), {"city", "model", "P-1", "holder", ""}, "admin");
    dorbin_ins &a = windows::get<dorbin_ins>();
    a.startEdit(id, {});
    EXPECT_EQ(a.cod->text(), "P-1");
    clerkB.exec("UPDATE dorbin SET prs = ? WHERE id = ?", {"other holder", id});
    a.cmt->setText("note");
    user().answers = {true};
    EXPECT_FALSE(a.edit());
    EXPECT_TRUE(user().questions.value(0).contains(QStringLiteral("تحويل گيرنده")));
    EXPECT_EQ(a.prs->text(), "other holder");
    EXPECT_EQ(clerkB.scalar("SELECT cmt FROM dorbin WHERE id = ?", {id}).toString(), "");
}

TEST_P(TwoClerksTest, AnEstimateApprovedMeanwhileIsNamedAndReloaded)
{
    const qint64 id = survey::addRequest(db(), {"1402/01/01", "city", "bakhsh", "dehestan", "rosta", "cod"});
    darkhast_ins &a = windows::get<darkhast_ins>();
    a.startSurvey(survey::requestRow(db(), id));
    survey::SurveyApproval b;
    b.dat_naghshe = "1402/02/02";
    b.masahat_por = Decimal::fromScaled(75, 1);
    ASSERT_TRUE(survey::approveSurvey(clerkB, id, b));

    a.masahat_por->setText("12");
    user().answers = {true};  // reload
    EXPECT_FALSE(a.save());
    EXPECT_TRUE(user().questions.value(0).contains(QStringLiteral("مساحت بافت پر")));
    const Decimal stored = Decimal::fromVariant(clerkB.scalar("SELECT masahat_por FROM baravord WHERE id = ?", {id}));
    EXPECT_EQ(stored, Decimal::fromScaled(75, 1));
    EXPECT_EQ(a.masahat_por->text(), stored.plain());
    EXPECT_EQ(a.rosta->currentText(), "rosta");  // the whole request is shown again

    // Deleted meanwhile: told, and the approval inserts nothing.
    clerkB.exec("DELETE FROM baravord WHERE id = ?", {id});
    user().clear();
    EXPECT_FALSE(a.save());
    EXPECT_EQ(user().messageTexts(), QStringList{survey::requestGoneMessage});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM baravord").toInt(), 0);
}

TEST_P(TwoClerksTest, DeletesAndTheListedContractorCountOnlyTheRowsStillThere)
{
    EXPECT_TRUE(survey::deleteProject(clerkB, 7, "clerkb"));
    EXPECT_FALSE(survey::deleteProject(db(), 7, "admin"));
    EXPECT_EQ(logRows(QStringLiteral(" حذف نقشه ")), 1);

    // One contractor for the listed projects 5 to 8, of which 7 is gone.
    EXPECT_EQ(survey::assignContractor(db(), {5, 6, 7, 8}, 2, QStringLiteral("پيمانکار دوم")), 3);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe WHERE peymankar_id = 2 AND id IN (5, 6, 8)").toInt(), 3);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe WHERE id = 7").toInt(), 0);

    const qint64 camera = survey::insertCamera(db(), {"city", "model", "P-2", "holder", ""}, "admin");
    EXPECT_TRUE(survey::deleteCamera(clerkB, camera, "P-2", "clerkb"));
    EXPECT_FALSE(survey::deleteCamera(db(), camera, "P-2", "admin"));
    EXPECT_EQ(logRows(QStringLiteral(" حذف دوربين ")), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, TwoClerksTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
