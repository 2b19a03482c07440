// Two clerks on two connections edit the same registration job.
#include "admin_fixture.h"
#include "rowguard.h"
#include "sabt_ins.h"
#include "sample.h"
#include "windows.h"

#include <QLineEdit>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

class TwoClerksJobTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 5;
        size.contractors = size.projects = size.studies = size.contracts = 0;
        size.registrationContractors = 2;
        size.registrations = 3;
        sample::fill(db(), nullptr, size);
        database->open(clerkB);
        session() = Session{"admin", "ostan", 1, {}};
        job = db().scalar("SELECT MIN(id) FROM sabti").toLongLong();
    }
    void TearDown() override
    {
        clerkB.close();
        AdminTest::TearDown();
    }
    QString stored(const QString &column)
    {
        return clerkB.scalar("SELECT " + column + " FROM sabti WHERE id = ?", {job}).toString();
    }

    Db clerkB{QStringLiteral("clerk_b")};
    qint64 job = 0;
};

TEST_P(TwoClerksJobTest, AJobChangedMeanwhileIsNamedThenReloadedOrOverwritten)
{
    sabt_ins &a = windows::get<sabt_ins>();
    ASSERT_TRUE(a.startEdit(job));
    clerkB.exec("UPDATE sabti SET prot_no = ? WHERE id = ?", {"B-1", job});
    const QString paperBefore = stored("paper_no");
    a.paper_no->setText("A-paper");
    user().answers = {true};
    EXPECT_FALSE(a.saveEdit());
    ASSERT_EQ(user().questions.size(), 1);
    EXPECT_TRUE(user().questions[0].contains(QStringLiteral("شماره قرارداد")));
    EXPECT_EQ(stored("paper_no"), paperBefore);
    EXPECT_EQ(a.prot_no->text(), "B-1");

    clerkB.exec("UPDATE sabti SET prot_no = ? WHERE id = ?", {"B-2", job});
    a.paper_no->setText("A-paper");
    user().clear();
    user().answers = {false, true};
    EXPECT_TRUE(a.saveEdit());
    EXPECT_EQ(stored("paper_no"), "A-paper");
    EXPECT_EQ(stored("prot_no"), "B-1");
    // The window stays open: its next save is no conflict with its own.
    user().clear();
    a.paper_no->setText("A-paper-2");
    EXPECT_TRUE(a.saveEdit());
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(stored("paper_no"), "A-paper-2");
}

TEST_P(TwoClerksJobTest, AJobDeletedMeanwhileIsNotWrittenAgain)
{
    sabt_ins &a = windows::get<sabt_ins>();
    ASSERT_TRUE(a.startEdit(job));
    clerkB.exec("DELETE FROM sabti WHERE id = ?", {job});
    EXPECT_FALSE(a.saveEdit());
    EXPECT_EQ(user().messageTexts(), QStringList{rowDeletedMessage});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM sabti WHERE id = ?", {job}).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, TwoClerksJobTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
