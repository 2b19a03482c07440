// The main window: the sizes it gives the windows it opens, the unread-message
// caption kept fresh, and the about box.
#include "accounts.h"
#include "admin_fixture.h"
#include "admin_pages.h"
#include "main_window.h"
#include "messages.h"
#include "users.h"
#include "windows.h"

#include <QAction>
#include <QTimer>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

TEST(MainWindowSizes, BrowsersCataloguesAndUsersFollowTheMainWindow)
{
    const QSize main(1600, 900), current(500, 400);
    for (const char *browser : {"N27", "N1", "N24", "N14", "N23", "N20"})
        EXPECT_EQ(pageSize(browser, main, current), QSize(1570, 850)) << browser;
    for (const char *catalogue : {"N6", "GIS1", "N16", "N21", "N17", "N18", "N25", "N5"})
        EXPECT_EQ(pageSize(catalogue, main, current), QSize(500, 850)) << catalogue;
    EXPECT_EQ(pageSize("N8", main, current), QSize(500, 820));
    for (const char *other : {"N11", "N19", "N4", "N26", "N13", "N9", "N10", "N12", "N22"})
        EXPECT_EQ(pageSize(other, main, current), current) << other;
}

class MainWindowTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        admin = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
        session() = Session{"admin", "admin", admin, {}};
    }
    qint64 admin = 0;
};

TEST_P(MainWindowTest, TheUsersWindowTakesItsHeightFromTheMainWindow)
{
    registerAdminPages();
    main &menu = windows::get<main>();
    menu.resize(1500, 980);
    users &window = windows::get<users>();
    const int width = window.width();
    QSize shown;
    user().dialogs.push_back([&](QDialog &d) {
        shown = d.size();
        return 0;
    });
    menu.trigger("N8");
    ASSERT_EQ(user().shownDialogs, QStringList{"users"});
    EXPECT_EQ(shown.height(), std::max(980 - 80, window.minimumHeight()));
    EXPECT_EQ(shown.width(), width);
}

TEST_P(MainWindowTest, UnreadCaptionFollowsAPollWhileShown)
{
    main &menu = windows::get<main>();
    EXPECT_EQ(menu.messagePoll->interval(), 60000);
    EXPECT_FALSE(menu.messagePoll->isActive());
    menu.show();
    EXPECT_TRUE(menu.messagePoll->isActive());
    menu.setUnreadMessages(0);

    const qint64 clerk = addUser("clerk", hashPassword("pw"));
    sendMessage(db(), clerk, {admin}, "hello", "text", "1403/02/02");
    menu.refreshUnreadMessages();
    EXPECT_EQ(menu.N11->text(), QStringLiteral("پيام*"));
    db().exec("UPDATE payamha SET show_dat = '1403/02/03'");
    menu.refreshUnreadMessages();
    EXPECT_EQ(menu.N11->text(), QStringLiteral("پيام"));
    // A lost connection leaves the caption as it is, without a message box.
    sendMessage(db(), clerk, {admin}, "again", "text", "1403/02/04");
    dm().main().close();
    menu.refreshUnreadMessages();
    EXPECT_EQ(menu.N11->text(), QStringLiteral("پيام"));
    EXPECT_TRUE(user().messages.empty());
    database->open(dm().main());

    menu.hide();
    EXPECT_FALSE(menu.messagePoll->isActive());
}

TEST_P(MainWindowTest, AboutNamesTheProgramItsVersionAndTheDatabase)
{
    main &menu = windows::get<main>();
    menu.trigger("N7");
    ASSERT_EQ(user().messages.size(), 1u);
    const QString text = user().messages[0].text;
    EXPECT_TRUE(text.contains("Borvinat"));
    EXPECT_TRUE(text.contains(QString::number(programVersion)));
    if (GetParam() == Engine::SQLite) {
        EXPECT_TRUE(text.contains(database->params().host)) << text.toStdString();
    } else {
        EXPECT_TRUE(text.contains("PostgreSQL")) << text.toStdString();
        EXPECT_TRUE(text.contains(database->params().database)) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, MainWindowTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
