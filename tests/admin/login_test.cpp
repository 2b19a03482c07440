#include "accounts.h"
#include "admin_fixture.h"
#include "change_pass.h"
#include "login.h"
#include "main_window.h"
#include "windows.h"

#include <QLineEdit>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

namespace {
const QString wrong = QStringLiteral("کلمه يا رمز عبور اشتباه است");
const QString success = QStringLiteral("ورود موفق به نرم افزار");

bool logInAs(const QString &us, const QString &ps)
{
    login &w = windows::get<login>();
    w.us->setText(us);
    w.ps->setText(ps);
    return w.logIn();
}
}  // namespace

class LoginTest : public AdminTest {};

TEST_P(LoginTest, AdministratorLogsInAndTheLoginIsLogged)
{
    ASSERT_TRUE(logInAs("admin", "adminpw"));
    EXPECT_TRUE(user().messages.empty()) << user().lastMessage().toStdString();
    EXPECT_TRUE(windows::get<main>().isVisible());
    EXPECT_EQ(session().karbar, "admin");
    EXPECT_EQ(session().level, "ostan");
    EXPECT_EQ(logRows(success), 1);
    EXPECT_EQ(db().scalar("SELECT karbar FROM log").toString(), "admin");
    EXPECT_EQ(windows::get<main>().N11->text(), QStringLiteral("پيام"));
    // The next start offers the same user name.
    EXPECT_EQ(rememberedUser(), "admin");
    windows::get<main>().hide();
}

TEST_P(LoginTest, WrongPasswordAndInactiveAccountsAreRefused)
{
    EXPECT_FALSE(logInAs("admin", "nope"));
    EXPECT_EQ(user().messageTexts(), QStringList{wrong});
    addUser("1234567890", hashPassword("pw"), QStringLiteral("فعال "));
    user().clear();
    EXPECT_FALSE(logInAs("1234567890", "pw"));
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("کاربر شما غير فعال شده است")});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log").toInt(), 0);
    EXPECT_FALSE(session().loggedIn());
}

TEST_P(LoginTest, OldVersionIsRefusedWithItsLogRowAndTheProgramOffered)
{
    addUser("clerk", hashPassword("pw"));
    db().exec("UPDATE users SET ver = '2' WHERE us = 'admin'");
    db().exec("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '', ?, ?)",
              {QStringLiteral("آخرين نسخه نرم افزار"), ".zip", QByteArray("PK-new-program")});
    QTemporaryDir dir;
    user().files.push_back(dir.filePath("Borvinat1403_01_01"));
    EXPECT_FALSE(logInAs("clerk", "pw"));
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_TRUE(user().messages[0].text.startsWith(QStringLiteral("اين نسخه قديمي است و قابل اجرا نيست")));
    EXPECT_EQ(logRows(QStringLiteral("ورود ناموفق به نرم افزار بدليل استفاده از نسخه قديمي")), 1);
    EXPECT_EQ(logRows(success), 0);
    QFile saved(dir.filePath("Borvinat1403_01_01.zip"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("PK-new-program"));
    EXPECT_TRUE(user().opened.isEmpty());  // saved only, never run

    // The administrator's own login resets the gate.
    user().clear();
    EXPECT_TRUE(logInAs("admin", "adminpw"));
    EXPECT_EQ(db().scalar("SELECT ver FROM users WHERE us = 'admin'").toString(), "1");
    windows::get<main>().hide();
}

TEST_P(LoginTest, NoVersionGateWithoutANumericAdministratorVersion)
{
    addUser("clerk", hashPassword("pw"));
    db().exec("UPDATE users SET us = 'root' WHERE us = 'admin'");
    EXPECT_TRUE(logInAs("clerk", "pw"));
    windows::get<main>().hide();
}

TEST_P(LoginTest, PlainTextPasswordsAreRehashedAtLogin)
{
    const QString tricky = QStringLiteral("a'b\"c; رمز");
    addUser("legacy", tricky);
    EXPECT_TRUE(logInAs("legacy", tricky));
    const QString stored = db().scalar("SELECT ps FROM users WHERE us = 'legacy'").toString();
    EXPECT_TRUE(isPasswordHash(stored));
    EXPECT_TRUE(verifyPassword(tricky, stored));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM users WHERE ps NOT LIKE 'pbkdf2-sha256$%'").toInt(), 0);
    windows::get<main>().hide();
    user().clear();
    EXPECT_TRUE(logInAs("legacy", tricky));
    windows::get<main>().hide();
}

TEST_P(LoginTest, NameAndPasswordTypedWithPersianDigitsOrYeh)
{
    addUser("0012345678", hashPassword("pw7"));
    EXPECT_TRUE(logInAs(QStringLiteral(" ۰۰۱۲۳۴۵۶۷۸ "), QStringLiteral("pw۷")));
    EXPECT_EQ(session().karbar, "0012345678");
    EXPECT_EQ(rememberedUser(), "0012345678");
    windows::get<main>().hide();

    // A plain password of an older database, stored with the Arabic yeh.
    addUser("legacy", QStringLiteral("علي"));
    user().clear();
    EXPECT_TRUE(logInAs("legacy", QStringLiteral("علی")));
    windows::get<main>().hide();
    user().clear();
    EXPECT_TRUE(logInAs("legacy", QStringLiteral("علي")));
    windows::get<main>().hide();
    user().clear();
    EXPECT_FALSE(logInAs("legacy", QStringLiteral("علیی")));
    EXPECT_EQ(user().messageTexts(), QStringList{wrong});
}

TEST_P(LoginTest, UnreadMessagesMarkTheMenu)
{
    const qint64 me = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
    db().exec("INSERT INTO payamha (send_prs_id, rec_prs_id, send_dat, show_dat, mozo) VALUES (?, ?, ?, '', ?)",
              {me, me, "1403/01/01", "x"});
    EXPECT_TRUE(logInAs("admin", "adminpw"));
    EXPECT_EQ(windows::get<main>().N11->text(), QStringLiteral("پيام*"));
    windows::get<main>().hide();
}

TEST_P(LoginTest, FontHelpOpensItsProgramDocument)
{
    login &w = windows::get<login>();
    w.fontHelp();
    EXPECT_TRUE(user().opened.isEmpty());  // no such document: nothing happens
    EXPECT_TRUE(user().messages.empty());
    db().exec("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '', '.pdf', ?)",
              {QStringLiteral("راهنمايي حل مشکل نمايش فونت ها"), QByteArray("%PDF-help")});
    w.fontHelp();
    ASSERT_EQ(user().opened.size(), 1);
    QFile opened(user().opened[0]);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(opened.readAll(), QByteArray("%PDF-help"));
    EXPECT_TRUE(user().files.empty());
}

TEST_P(LoginTest, ChangingThePassword)
{
    login &w = windows::get<login>();
    w.us->setText("admin");
    w.ps->setText("wrong");
    w.changePassword();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد")});

    user().clear();
    w.ps->setText("adminpw");
    user().dialogs.push_back([](QDialog &d) {
        auto &c = static_cast<change_pass &>(d);
        c.change();  // both empty
        c.Edit1->setText("new'pw");
        c.Edit2->setText("other");
        c.change();
        c.Edit2->setText("new'pw");
        c.change();
        return d.result();
    });
    w.changePassword();
    EXPECT_EQ(user().messageTexts(),
              (QStringList{QStringLiteral("كلمه عبور صحيح نيست"), QStringLiteral("كلمه عبور جديد همخواني ندارد"),
                           QStringLiteral("كلمه عبور تغيير يافت")}));
    EXPECT_TRUE(verifyPassword("new'pw", db().scalar("SELECT ps FROM users WHERE us = 'admin'").toString()));
}

INSTANTIATE_TEST_SUITE_P(Engines, LoginTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
