// The users window and its entry window as the administrator uses them:
// reopening, editing, refusals and the search.
#include "accounts.h"
#include "admin_fixture.h"
#include "browsergrid.h"
#include "filters.h"
#include "grid_rows.h"
#include "users.h"
#include "users_ins.h"
#include "windows.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

class UsersWindowTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        session() = Session{"admin", "admin", 1, {}};
    }
    QStringList shownCounties(const users &w)
    {
        QStringList out;
        for (int i = 0; i < w.list_loc->count(); ++i)
            out << w.list_loc->item(i)->text();
        out.sort();
        return out;
    }
    // The entry window opened on the account `us` of the list, driven by `work`.
    void editThroughWindow(users &w, const QString &us, const std::function<void(users_ins &)> &work)
    {
        ASSERT_TRUE(bv::test::selectRow(*w.DBGrid1, "us", us));
        user().dialogs.push_back([work](QDialog &d) {
            work(static_cast<users_ins &>(d));
            return 1;
        });
        w.editAccount();
    }
};

TEST_P(UsersWindowTest, ReopeningShowsTheAccountsOwnCountiesSoASaveKeepsThem)
{
    const qint64 clerk = addUser("clerk", hashPassword("pw"));
    saveCounties(db(), clerk, {QStringLiteral("اراک"), QStringLiteral("ساوه")});
    saveRights(db(), clerk, {{"naghshe", {false, true, false, true}}});
    users &w = windows::get<users>();
    w.resetFilters();
    w.search();
    ASSERT_TRUE(bv::test::selectRow(*w.DBGrid1, "us", "clerk"));
    EXPECT_EQ(shownCounties(w), (QStringList{QStringLiteral("اراک"), QStringLiteral("ساوه")}));

    // The main menu opens the window again: the account still shown keeps its own lists.
    w.resetFilters();
    EXPECT_EQ(w.DBGrid1->currentValue("us").toString(), "clerk");
    EXPECT_TRUE(w.shownAccount->text().startsWith("clerk"));
    EXPECT_EQ(shownCounties(w), (QStringList{QStringLiteral("اراک"), QStringLiteral("ساوه")}));
    EXPECT_TRUE(w.rightBoxes.at("naghshe")[1]->isChecked());
    w.saveCounties();
    w.saveRights();
    QStringList stored = loadCounties(db(), clerk);
    stored.sort();
    EXPECT_EQ(stored, (QStringList{QStringLiteral("اراک"), QStringLiteral("ساوه")}));
    EXPECT_TRUE(loadRights(db(), clerk).at("naghshe").edit);

    // Counties changed elsewhere meanwhile are what the reopened window shows.
    saveCounties(db(), clerk, {QStringLiteral("خمين")});
    w.resetFilters();
    EXPECT_EQ(shownCounties(w), QStringList{QStringLiteral("خمين")});
}

TEST_P(UsersWindowTest, EditKeepsLevelAndPasswordRefusesTakenOrEmptyNamesAndLogs)
{
    const qint64 clerk = addUser("clerk", hashPassword("old-pw"), QStringLiteral("فعال"), "city");
    addUser("taken", hashPassword("pw"));
    users &w = windows::get<users>();
    w.resetFilters();
    w.search();

    // Renaming to a taken name, or to nothing, writes nothing.
    editThroughWindow(w, "clerk", [](users_ins &e) {
        EXPECT_TRUE(e.edit_btn->isVisibleTo(&e));
        EXPECT_EQ(e.ps->placeholderText(), QStringLiteral("بدون تغيير"));
        e.us->setText("taken");
        EXPECT_FALSE(e.edit());
        e.us->setText("  ");
        EXPECT_FALSE(e.edit());
    });
    EXPECT_EQ(user().messageTexts(),
              (QStringList{QStringLiteral("خطا، نام كاربري تكراري است"), QStringLiteral("کلمه کاربري را وارد نمائيد")}));
    EXPECT_EQ(db().scalar("SELECT us FROM users WHERE id = ?", {clerk}).toString(), "clerk");
    EXPECT_EQ(logRows(QStringLiteral("ويرايش کاربر")), 0);

    // A blank password keeps the stored one; the level shown is kept.
    user().clear();
    editThroughWindow(w, "clerk", [](users_ins &e) {
        EXPECT_EQ(e.lev->currentText(), "city");
        e.nam->setText(QStringLiteral("رضا کریمی"));
        EXPECT_TRUE(e.edit());
    });
    const Row row = db().rows("SELECT us, ps, lev, nam FROM users WHERE id = ?", {clerk}).front();
    EXPECT_EQ(row["lev"].toString(), "city");
    EXPECT_TRUE(verifyPassword("old-pw", row["ps"].toString()));
    EXPECT_EQ(row["nam"].toString(), QStringLiteral("رضا کريمي"));
    EXPECT_EQ(logRows(QStringLiteral(" ويرايش کاربر clerk")), 1);

    // A typed password replaces it.
    editThroughWindow(w, "clerk", [](users_ins &e) {
        e.ps->setText("new-pw");
        EXPECT_TRUE(e.edit());
    });
    EXPECT_TRUE(verifyPassword("new-pw", db().scalar("SELECT ps FROM users WHERE id = ?", {clerk}).toString()));
}

TEST_P(UsersWindowTest, NewAccountNeedsALevelAndShowsNoKeepHint)
{
    const qint64 clerk = addUser("clerk", hashPassword("pw"));
    users &w = windows::get<users>();
    w.resetFilters();
    w.search();
    // An edit first leaves its hint behind for the next new account unless cleared.
    editThroughWindow(w, "clerk", [](users_ins &) {});
    ASSERT_GT(clerk, 0);
    user().clear();
    user().dialogs.push_back([](QDialog &d) {
        auto &e = static_cast<users_ins &>(d);
        EXPECT_TRUE(e.ps->placeholderText().isEmpty());
        e.us->setText("newcomer");
        e.ps->setText("pw");
        EXPECT_EQ(e.lev->currentIndex(), -1);
        EXPECT_FALSE(e.insert());
        e.lev->setCurrentText("ostan");
        EXPECT_TRUE(e.insert());
        return 1;
    });
    w.newAccount();
    EXPECT_EQ(user().messageTexts(), (QStringList{QStringLiteral("سطح کاربر را انتخاب نمائيد"), QStringLiteral("ثبت شد")}));
    EXPECT_EQ(db().scalar("SELECT lev FROM users WHERE us = 'newcomer'").toString(), "ostan");
}

TEST_P(UsersWindowTest, SearchFindsNamesWhateverYehKafOrDigitsWereUsed)
{
    // Rows written before typed text was normalised.
    db().exec("INSERT INTO users (us, ps, ver, lev, nam, ostan, status) VALUES (?, '', '', 'city', ?, ?, ?)",
              {"0012345678", QStringLiteral("مریم کریمی"), QStringLiteral("مرکزی"), QStringLiteral("فعال")});
    db().exec("INSERT INTO users (us, ps, ver, lev, nam, ostan, status) VALUES (?, '', '', 'city', ?, ?, ?)",
              {"0099", QStringLiteral("علي نوري"), QStringLiteral("قم"), QStringLiteral("فعال")});
    users &w = windows::get<users>();
    w.resetFilters();
    w.CheckBox3->setChecked(true);
    w.nam->setText(QStringLiteral("مريم كريمي"));  // Arabic yeh and kaf
    w.search();
    EXPECT_EQ(w.cnt->text(), "1");
    EXPECT_EQ(bv::test::shownColumn(*w.DBGrid1, "us"), QStringList{"0012345678"});
    w.CheckBox3->setChecked(false);
    w.CheckBox1->setChecked(true);
    w.us->setText(QStringLiteral("۰۰۱۲"));
    w.search();
    EXPECT_EQ(bv::test::shownColumn(*w.DBGrid1, "us"), QStringList{"0012345678"});
    w.CheckBox1->setChecked(false);
    w.CheckBox2->setChecked(true);
    w.ostan2->setText(QStringLiteral("مركزي"));
    w.search();
    EXPECT_EQ(bv::test::shownColumn(*w.DBGrid1, "us"), QStringList{"0012345678"});
    w.CheckBox2->setChecked(false);
}

INSTANTIATE_TEST_SUITE_P(Engines, UsersWindowTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
