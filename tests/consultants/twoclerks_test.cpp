// Two clerks on two connections edit the same consultant job.
#include "consultants_fixture.h"
#include "moshaveran_ins.h"
#include "moshaveran_ins2.h"
#include "moshaveran_steps.h"
#include "rowguard.h"
#include "windows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

using namespace bv;
using namespace bv::consultants;
using bv::test::ConsultantsTest;
using bv::test::user;

class ConsultantTwoClerksTest : public ConsultantsTest {
protected:
    void SetUp() override
    {
        ConsultantsTest::SetUp();
        if (IsSkipped())
            return;
        database->open(clerkB);
        id = registerJob(db(), job(0), {officeX}, "admin");
    }
    void TearDown() override
    {
        clerkB.close();
        ConsultantsTest::TearDown();
    }
    // Clerk B's first window saving the job with `column` changed and `offices`.
    void clerkBSaves(const QString &column, const QString &value, const QStringList &offices)
    {
        JobTexts t;
        const Row row = jobRow(clerkB, id);
        for (const QString &c : jobColumns() + stepColumns(false) + stepColumns(true))
            t[c] = row.value(c).toString();
        t[column] = value;
        ASSERT_TRUE(editJob(clerkB, id, t, offices, "clerkb"));
    }
    void untick(QListWidget *list, const QString &office)
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == office)
                list->item(i)->setCheckState(Qt::Unchecked);
    }

    const QString officeX = QStringLiteral("اداره آب"), officeY = QStringLiteral("اداره برق");
    Db clerkB{QStringLiteral("clerk_b")};
    qint64 id = 0;
};

TEST_P(ConsultantTwoClerksTest, TheJobChangedMeanwhileIsNamedThenReloadedAndSavedOverIt)
{
    moshaveran_ins &a = windows::get<moshaveran_ins>();
    ASSERT_TRUE(a.startEdit(id));
    clerkBSaves("amel4_no", "B-1", {officeX, officeY});
    a.amel4_name->setEditText(QStringLiteral("کارشناس A"));
    user().answers = {true};  // reload
    EXPECT_FALSE(a.saveEdit());
    ASSERT_EQ(user().questions.size(), 1);
    EXPECT_TRUE(user().questions[0].contains(QStringLiteral("شماره قرارداد عامل چهارم")));
    EXPECT_FALSE(user().questions[0].contains(QStringLiteral("کارشناس بررسي کننده")));
    EXPECT_EQ(stored(id)["amel4_name"].toString(), job(0)["amel4_name"]);
    EXPECT_EQ(a.amel4_no->text(), "B-1");

    // Reloaded: B's office is shown ticked, and A's next save is no conflict.
    user().clear();
    a.amel4_name->setEditText(QStringLiteral("کارشناس A"));
    untick(a.estelam_name, officeX);
    ASSERT_TRUE(a.saveEdit());
    EXPECT_TRUE(user().questions.isEmpty());
    const Row r = stored(id);
    EXPECT_EQ(r["amel4_no"].toString(), "B-1");
    EXPECT_EQ(r["amel4_name"].toString(), QStringLiteral("کارشناس A"));
    EXPECT_EQ(offices(id), QStringList{officeY});
}

TEST_P(ConsultantTwoClerksTest, AnOfficeAnotherClerkAddedOrRemovedStaysAsTheyLeftIt)
{
    moshaveran_ins &a = windows::get<moshaveran_ins>();
    ASSERT_TRUE(a.startEdit(id));
    // B only adds an office; the job's own columns stay as A loaded them.
    clerkBSaves("amel4_no", job(0)["amel4_no"], {officeX, officeY});
    untick(a.estelam_name, officeX);
    ASSERT_TRUE(a.saveEdit());
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(offices(id), QStringList{officeY});

    // B removes the office A still shows ticked: A's save does not bring it back.
    ASSERT_TRUE(a.startEdit(id));
    clerkBSaves("amel4_no", job(0)["amel4_no"], {});
    ASSERT_TRUE(a.saveEdit());
    EXPECT_TRUE(offices(id).isEmpty());
}

TEST_P(ConsultantTwoClerksTest, TheLaterStepsChangedMeanwhileAreOverwrittenOnlyWhenChosen)
{
    const Row before = stored(id);
    moshaveran_ins2 &a = windows::get<moshaveran_ins2>();
    ASSERT_TRUE(a.startLater(id));
    JobTexts later;
    for (const QString &c : stepColumns(true))
        later[c] = stored(id)[c].toString();
    later["nazar_cmt"] = QStringLiteral("نظر B");
    ASSERT_TRUE(saveLaterSteps(clerkB, id, later, "clerkb"));

    a.tasvib->choice->noButton->setChecked(true);
    user().answers = {false, false};  // neither reload nor overwrite
    EXPECT_FALSE(a.saveLater());
    EXPECT_TRUE(user().questions.value(0).contains(QStringLiteral("شرح نظر عامل چهارم")));
    EXPECT_EQ(stored(id)["tasvib"], before["tasvib"]);

    user().clear();
    user().answers = {false, true};  // overwrite
    EXPECT_TRUE(a.saveLater());
    EXPECT_EQ(stored(id)["tasvib"].toString(), no);
    EXPECT_EQ(stored(id)["nazar_cmt"], before["nazar_cmt"]);  // A's, as A loaded it
}

TEST_P(ConsultantTwoClerksTest, AJobDeletedMeanwhileIsNeitherWrittenNorDeletedTwice)
{
    moshaveran_ins2 &a = windows::get<moshaveran_ins2>();
    ASSERT_TRUE(a.startLater(id));
    EXPECT_TRUE(deleteJob(clerkB, id, "clerkb"));
    EXPECT_FALSE(a.saveLater());
    EXPECT_EQ(user().messageTexts(), QStringList{rowDeletedMessage});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM moshaveran").toInt(), 0);

    // The second delete finds nothing and logs nothing.
    EXPECT_FALSE(deleteJob(db(), id, "admin"));
    EXPECT_EQ(logRows(QStringLiteral(" حذف مشاوران  ")), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, ConsultantTwoClerksTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
