// Two clerks on two connections edit the same account's rights.
#include "accounts.h"
#include "admin_fixture.h"
#include "browsergrid.h"
#include "filters.h"
#include "rowguard.h"
#include "secondclerk.h"
#include "users.h"
#include "users_ins.h"
#include "windows.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

class TwoClerksRightsTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        database->open(clerkB);
        session() = Session{"admin", "ostan", 1, {}};
        account = addUser("clerk-x", hashPassword("pw"));
        saveRights(db(), account, {{"naghshe", {false, false, false, true}}});
    }
    void TearDown() override
    {
        clerkB.close();
        AdminTest::TearDown();
    }
    // Clerk A's users window with the account current.
    users &openAccount()
    {
        users &w = windows::get<users>();
        w.resetFilters();
        w.CheckBox1->setChecked(true);
        w.us->setText("clerk-x");
        w.search();
        EXPECT_EQ(w.DBGrid1->currentId().toLongLong(), account);
        return w;
    }

    Db clerkB{QStringLiteral("clerk_b")};
    qint64 account = 0;
};

TEST_P(TwoClerksRightsTest, RightsChangedMeanwhileAreNamedThenReloadedOrOverwritten)
{
    users &a = openAccount();
    EXPECT_TRUE(a.rightBoxes.at("naghshe")[3]->isChecked());
    // B gives the account the registration page.
    saveRights(clerkB, account, {{"naghshe", {false, false, false, true}}, {"sabt", {true, true, false, true}}});
    a.rightBoxes.at("phone")[3]->setChecked(true);
    user().answers = {true};
    a.saveRights();
    ASSERT_EQ(user().questions.size(), 1);
    const QString sabtLabel = std::find_if(pageKeys().begin(), pageKeys().end(), [](const PageKey &k) {
                                  return k.key == std::string("sabt");
                              })->label;
    EXPECT_TRUE(user().questions[0].contains(sabtLabel));
    EXPECT_TRUE(user().messageTexts().isEmpty());
    EXPECT_FALSE(loadRights(db(), account).at("phone").view);
    EXPECT_TRUE(a.rightBoxes.at("sabt")[0]->isChecked());
    EXPECT_FALSE(a.rightBoxes.at("phone")[3]->isChecked());

    // Changed again by B; A overwrites with what A shows.
    saveRights(clerkB, account, {{"naghshe", {true, true, true, true}}});
    a.rightBoxes.at("phone")[3]->setChecked(true);
    user().clear();
    user().answers = {false, true};
    a.saveRights();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ثبت شد"));
    const auto stored = loadRights(db(), account);
    EXPECT_TRUE(stored.at("phone").view);
    EXPECT_TRUE(stored.at("sabt").insert);
    EXPECT_FALSE(stored.at("naghshe").insert);
}

TEST_P(TwoClerksRightsTest, CountiesAndTheAccountItselfAreGuardedToo)
{
    users &a = openAccount();
    saveCounties(clerkB, account, {QStringLiteral("ساوه")});
    a.list_loc->addItem(QStringLiteral("اراک"));
    user().answers = {false, false};
    a.saveCounties();
    EXPECT_TRUE(user().questions.value(0).contains(QStringLiteral("ساوه")));
    EXPECT_EQ(loadCounties(db(), account), QStringList{QStringLiteral("ساوه")});

    // The account entry window: B renames, A's save of the mobile number asks.
    users_ins &entry = windows::get<users_ins>();
    Account listed;
    listed.id = account;
    listed.us = QStringLiteral("clerk-x");
    entry.startEdit(listed);
    clerkB.exec("UPDATE users SET nam = ? WHERE id = ?", {QStringLiteral("نام تازه"), account});
    entry.mobile->setText("0912");
    user().clear();
    user().answers = {true};
    EXPECT_FALSE(entry.edit());
    EXPECT_TRUE(user().questions.value(0).contains(QStringLiteral("نام و نام خانوادگي")));
    EXPECT_EQ(entry.nam->text(), QStringLiteral("نام تازه"));
    EXPECT_EQ(db().scalar("SELECT mobile FROM users WHERE id = ?", {account}).toString(), "");
    // Deleted meanwhile: said so, and nothing comes back.
    clerkB.exec("DELETE FROM users WHERE id = ?", {account});
    user().clear();
    EXPECT_FALSE(entry.edit());
    EXPECT_EQ(user().messageTexts(), QStringList{rowDeletedMessage});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM users WHERE id = ?", {account}).toInt(), 0);
}

TEST_P(TwoClerksRightsTest, RightsOfAnAccountDeletedMeanwhileAreNotWritten)
{
    RowGuard guard = rightsGuard();
    guard.load(db(), account);
    clerkB.exec("DELETE FROM users WHERE id = ?", {account});
    clerkB.exec("DELETE FROM dastrasi WHERE prs_id = ?", {account});
    EXPECT_EQ(guard.write(db(), [&] { saveRights(db(), account, {{"phone", {true, true, true, true}}}); }).kind,
              RowGuard::Outcome::Deleted);
    EXPECT_EQ(clerkB.scalar("SELECT COUNT(*) FROM dastrasi WHERE prs_id = ?", {account}).toInt(), 0);
}

// Two administrators save a new account's first rights at the same moment: the
// second waits for the first and then finds the rights changed, so the account
// ends with one set of rows.
TEST_P(TwoClerksRightsTest, FirstRightsSavedTwiceAtOnceAreStoredOnce)
{
    if (GetParam() != Engine::PostgreSQL)
        GTEST_SKIP() << "SQLite lets one writer at a time in";
    const qint64 fresh = addUser("clerk-y", hashPassword("pw"));
    const auto setsOf = [&] {
        return clerkB.scalar("SELECT COUNT(*) FROM dastrasi WHERE prs_id = ? AND page_name = 'phone'", {fresh}).toInt();
    };
    RowGuard first = rightsGuard();
    first.load(db(), fresh);

    RowGuard second = rightsGuard();
    RowGuard::Outcome secondOutcome;
    bv::test::SecondClerk other(
        database->params(), [&](const Db &b) { second.load(b, fresh); },
        [&](const Db &b) {
            secondOutcome = second.write(b, [&] { saveRights(b, fresh, {{"phone", {false, false, false, true}}}); });
        });
    bool waited = false;
    const auto outcome = first.write(db(), [&] {
        saveRights(db(), fresh, {{"phone", {true, true, true, true}}});
        waited = other.actNow(clerkB);
    });
    other.join();
    EXPECT_EQ(other.error(), QString());
    EXPECT_EQ(outcome.kind, RowGuard::Outcome::Written);
    EXPECT_TRUE(waited);
    EXPECT_EQ(secondOutcome.kind, RowGuard::Outcome::Changed);
    EXPECT_EQ(setsOf(), 1);
    EXPECT_TRUE(loadRights(db(), fresh).at("phone").insert);
}

INSTANTIATE_TEST_SUITE_P(Engines, TwoClerksRightsTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
