#include "accounts.h"
#include "admin_pages.h"
#include "main_window.h"
#include "admin_fixture.h"
#include "browsergrid.h"
#include "conditions.h"
#include "pages.h"
#include "users.h"
#include "users_ins.h"
#include "windows.h"

#include <QApplication>
#include "filters.h"
#include "grid_rows.h"

#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

namespace {
// A stand-in page that records the rights it was given.
struct ProbePage {
    QDialog dialog;
    std::optional<PageRights> applied;
    int prepared = 0;
};

ProbePage &probe()
{
    static ProbePage page;
    return page;
}

void registerProbe(const QString &item)
{
    probe().dialog.setObjectName("probe");
    probe().applied.reset();
    probe().prepared = 0;
    pages::registerPage(item, {[]() -> QDialog & { return probe().dialog; },
                               [](const PageRights &r) { probe().applied = r; }, [] { ++probe().prepared; }});
}
}  // namespace

class AccessTest : public AdminTest {};

TEST_P(AccessTest, PageCheckAppliesFlagsAndRefusesWithoutView)
{
    registerProbe("N1");
    const qint64 clerk = addUser("clerk", hashPassword("pw"));
    Session s{"clerk", "ostan", clerk, {}};

    EXPECT_FALSE(pages::open("N1", "naghshe", db(), s));
    EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage});
    EXPECT_FALSE(probe().applied);

    saveRights(db(), clerk, {{"naghshe", {false, false, false, true}}});
    user().clear();
    EXPECT_TRUE(pages::open("N1", "naghshe", db(), s));
    EXPECT_TRUE(user().messages.empty());
    ASSERT_TRUE(probe().applied);
    EXPECT_FALSE(probe().applied->insert);
    EXPECT_FALSE(probe().applied->edit);
    EXPECT_FALSE(probe().applied->remove);
    EXPECT_EQ(probe().prepared, 1);
    EXPECT_EQ(user().shownDialogs, QStringList{"probe"});

    // View off, insert on: refused, but the flags were applied for later.
    saveRights(db(), clerk, {{"naghshe", {true, false, false, false}}});
    user().clear();
    EXPECT_FALSE(pages::open("N1", "naghshe", db(), s));
    EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage});
    EXPECT_TRUE(probe().applied->insert);
    EXPECT_EQ(probe().prepared, 1);

    // Items without a page key open for everybody; unbuilt windows say so.
    user().clear();
    EXPECT_FALSE(pages::open("N-not-built", "", db(), s));
    EXPECT_EQ(user().messageTexts(), QStringList{pages::notAvailableMessage});
}

TEST_P(AccessTest, SavingRightsWritesOneRowPerKeyAndKeepsOthers)
{
    const qint64 clerk = addUser("clerk", hashPassword("pw"));
    db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (?, 'oldkey', 1, 1, 1, 1)",
              {clerk});
    saveRights(db(), clerk, {});
    saveRights(db(), clerk, {{"sabt", {true, true, false, true}}});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM dastrasi WHERE prs_id = ?", {clerk}).toInt(), 21);
    EXPECT_EQ(db().scalar("SELECT SUM(namayesh) FROM dastrasi WHERE prs_id = ? AND page_name <> 'oldkey'", {clerk}).toInt(), 1);
    const auto rights = loadRights(db(), clerk);
    EXPECT_EQ(rights.size(), 20u);
    EXPECT_FALSE(rights.count("oldkey"));
    EXPECT_TRUE(rights.at("sabt").edit);
}

TEST_P(AccessTest, CountyScope)
{
    const qint64 clerk = addUser("clerk", hashPassword("pw"));
    for (const char *city : {"اراک", "ساوه", "خمين"})
        db().exec("INSERT INTO naghshe (city, rosta) VALUES (?, ?)", {QString::fromUtf8(city), "r"});
    auto visible = [&](const Session &s) {
        Conditions where(db().dialect());
        addCountyScope(where, s);
        return db().scalar("SELECT COUNT(*) FROM naghshe" + where.where(), where.values()).toInt();
    };
    const Session clerkSession{"clerk", "ostan", clerk, {}};
    EXPECT_EQ(visible(clerkSession), 0);
    saveCounties(db(), clerk, {QStringLiteral("اراک"), QStringLiteral("خمين")});
    EXPECT_EQ(visible(clerkSession), 2);
    EXPECT_EQ(visible(Session{"boss", "admin", 999, {}}), 3);
}

TEST_P(AccessTest, DeletePassword)
{
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("رمز حذف"), "?"});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("رمز حذف"), "second"});
    user().inputs = {std::nullopt, QString("second"), QString("?")};
    EXPECT_FALSE(confirmDeletePassword(db()));  // cancelled, although "?" is stored
    EXPECT_FALSE(confirmDeletePassword(db()));  // only the first registered item counts
    EXPECT_TRUE(confirmDeletePassword(db()));
}

TEST_P(AccessTest, DeletePasswordTypedWithEitherYeh)
{
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("رمز حذف"), QStringLiteral("علي7")});
    user().inputs = {QStringLiteral(" علی۷"), QStringLiteral("علي8")};
    EXPECT_TRUE(confirmDeletePassword(db()));
    EXPECT_FALSE(confirmDeletePassword(db()));
    // A password stored with the Persian yeh before stored text was normalised.
    db().exec("UPDATE setting SET cmt = ? WHERE component = ?", {QStringLiteral("علی7"), QStringLiteral("رمز حذف")});
    user().inputs = {QStringLiteral("علي7")};
    EXPECT_TRUE(confirmDeletePassword(db()));
}

TEST_P(AccessTest, RightsFollowTheAccountMovedToWithTheKeyboard)
{
    session() = Session{"admin", "ostan", 1, {}};
    const qint64 a = addUser("a-user", hashPassword("pw"));
    const qint64 b = addUser("b-user", hashPassword("pw"));
    saveRights(db(), a, {{"naghshe", {true, true, true, true}}});
    users &w = windows::get<users>();
    w.show();
    w.resetFilters();
    w.CheckBox1->setChecked(true);
    w.us->setText("-user");
    w.search();
    EXPECT_EQ(w.cnt->text(), "2");
    w.DBGrid1->sortBy("us");
    ASSERT_EQ(w.DBGrid1->currentId().toLongLong(), a);
    EXPECT_TRUE(w.rightBoxes.at("naghshe")[3]->isChecked());

    w.DBGrid1->setFocus();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(w.DBGrid1, &down);
    ASSERT_EQ(w.DBGrid1->currentId().toLongLong(), b);
    EXPECT_FALSE(w.rightBoxes.at("naghshe")[3]->isChecked());
    w.rightBoxes.at("phone")[3]->setChecked(true);
    w.saveRights();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ثبت شد"));
    EXPECT_TRUE(loadRights(db(), b).at("phone").view);
    EXPECT_FALSE(loadRights(db(), a).at("phone").view);
    EXPECT_TRUE(loadRights(db(), a).at("naghshe").view);

    w.list_loc->addItem(QStringLiteral("ساوه"));
    w.saveCounties();
    EXPECT_EQ(loadCounties(db(), b), QStringList{QStringLiteral("ساوه")});
    EXPECT_TRUE(loadCounties(db(), a).isEmpty());
    w.hide();
}

TEST_P(AccessTest, EntryWindowChecksNamesAndStoresHashes)
{
    session() = Session{"admin", "ostan", 1, {}};
    users &w = windows::get<users>();
    w.resetFilters();
    user().dialogs.push_back([](QDialog &d) {
        auto &entry = static_cast<users_ins &>(d);
        entry.us->setText("0012345678");
        entry.ps->setText(QStringLiteral("رمز'۱"));
        entry.nam->setText(QStringLiteral("مریم کریمی"));
        entry.lev->setCurrentText("city");
        entry.insert();
        entry.insert();  // the same name again
        return 1;
    });
    w.newAccount();
    EXPECT_EQ(user().messageTexts(),
              (QStringList{QStringLiteral("ثبت شد"), QStringLiteral("خطا، نام كاربري تكراري است")}));
    const auto rows = db().rows("SELECT ps, nam, status FROM users WHERE us = '0012345678'");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(verifyPassword(QStringLiteral("رمز'۱"), rows[0]["ps"].toString()));
    EXPECT_EQ(rows[0]["nam"].toString(), QStringLiteral("مريم کريمي"));  // Persian yeh stored as Arabic yeh
    EXPECT_EQ(rows[0]["status"].toString(), QStringLiteral("فعال"));
    EXPECT_EQ(logRows(QStringLiteral("ثبت کاربر جديد")), 1);
    EXPECT_EQ(w.cnt->text(), "2");  // the list was searched again

    // The administrator row cannot be edited.
    user().clear();
    w.show();
    w.DBGrid1->sortBy("us");  // ascending: admin last
    w.DBGrid1->setFocus();
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QApplication::sendEvent(w.DBGrid1, &end);
    ASSERT_EQ(w.DBGrid1->currentValue("us").toString(), "admin");
    w.editAccount();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("امکان ويرايش مدير نيست")});
    EXPECT_TRUE(user().shownDialogs.isEmpty());
    w.hide();
}

TEST_P(AccessTest, EditingShowsEachAccountsOwnLevelAndKeepsOneOutsideTheList)
{
    session() = Session{"admin", "ostan", 1, {}};
    const qint64 county = addUser("a-county", hashPassword("pw"), QStringLiteral("فعال"), "city");
    const qint64 odd = addUser("b-odd", hashPassword("pw"), QStringLiteral("فعال"), "manager");
    const qint64 none = addUser("c-none", hashPassword("pw"), QStringLiteral("فعال"), "");
    users &w = windows::get<users>();
    w.resetFilters();
    w.search();
    QStringList shown;
    for (const char *name : {"a-county", "b-odd", "c-none", "a-county"}) {
        ASSERT_TRUE(bv::test::selectRow(*w.DBGrid1, "us", name));
        user().dialogs.push_back([&shown](QDialog &d) {
            auto &entry = static_cast<users_ins &>(d);
            shown << entry.lev->currentText();
            entry.edit();
            return 1;
        });
        w.editAccount();
    }
    EXPECT_EQ(shown, (QStringList{"city", "manager", "", "city"}));
    auto level = [&](qint64 id) { return db().scalar("SELECT lev FROM users WHERE id = ?", {id}).toString(); };
    EXPECT_EQ(level(county), "city");
    EXPECT_EQ(level(odd), "manager");
    EXPECT_EQ(level(none), "");
    EXPECT_EQ(windows::get<users_ins>().lev->count(), 4);
}

TEST_P(AccessTest, MainMenuOpensTheUsersAndLogWindows)
{
    registerAdminPages();
    const qint64 admin = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
    session() = Session{"admin", "ostan", admin, {}};
    main &menu = windows::get<main>();
    for (const MainMenuItem &item : mainMenuItems())
        EXPECT_NE(menu.item(item.name), nullptr) << item.name;
    menu.trigger("N8");
    menu.trigger("N9");
    EXPECT_EQ(user().shownDialogs, (QStringList{"users", "log"}));

    // A clerk without rights still reaches the log viewer, not the users.
    const qint64 clerk = addUser("clerk", hashPassword("pw"));
    session() = Session{"clerk", "ostan", clerk, {}};
    user().clear();
    menu.trigger("N8");
    menu.trigger("N9");
    EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage});
    EXPECT_EQ(user().shownDialogs, QStringList{"log"});
}

INSTANTIATE_TEST_SUITE_P(Engines, AccessTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
