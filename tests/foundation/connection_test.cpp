#include "connection.h"
#include "dm.h"
#include "login.h"
#include "scripted.h"
#include "server.h"
#include "test_db.h"
#include "windows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace bv;
using bv::test::TestDatabase;
using bv::test::user;

namespace {
const QString settingsMissing = QStringLiteral("لطفا") + QLatin1Char('"')
    + QStringLiteral(" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد");
const QString settingsWrong =
    QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد");
const QString internetFailed = QStringLiteral("از اتصال خود به اينترنت مطمئن شويد");

// Fills the settings window as a person would and confirms.
int fillSettings(QDialog &dialog, const TestDatabase &main, const TestDatabase *contracts)
{
    auto &w = static_cast<server &>(dialog);
    w.SqlServerName->setText(main.serverText());
    w.DataBase->setText(main.params().database.isEmpty() ? QStringLiteral("Borvinat") : main.params().database);
    w.UserName->setText(main.params().user.isEmpty() ? QStringLiteral("sa") : main.params().user);
    w.Password->setText(main.params().password.isEmpty() ? QStringLiteral("x") : main.params().password);
    (main.engine() == Engine::SQLite ? w.rbSQLite : w.rbPostgreSQL)->setChecked(true);
    if (contracts) {
        w.SqlServerName2->setText(contracts->serverText());
        w.DataBase2->setText(contracts->params().database);
        w.UserName2->setText(contracts->params().user);
        w.Password2->setText(contracts->params().password);
        (contracts->engine() == Engine::SQLite ? w.rbSQLite2 : w.rbPostgreSQL2)->setChecked(true);
    } else {
        w.rbWindows2->setChecked(true);
        w.SqlServerName2->clear();
    }
    w.confirm();
    return dialog.result();
}

login &loginWindow()
{
    return windows::get<login>();
}
}  // namespace

class ConnectionTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override { BV_REQUIRE_ENGINE(GetParam()); }
    void TearDown() override
    {
        dm().main().close();
        dm().contracts().close();
    }
};

TEST_P(ConnectionTest, FirstStartAsksForSettingsThenConnects)
{
    TestDatabase database(GetParam());
    EXPECT_FALSE(loginWindow().connectDatabase());
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_EQ(user().messages[0].text, settingsMissing);
    EXPECT_EQ(user().messages[0].kind, MessageKind::Confirm);
    ASSERT_EQ(user().shownDialogs, QStringList{"server"});

    // The settings window shows its defaults before anything is stored.
    server settings;
    settings.loadFromConfig();
    EXPECT_EQ(settings.DataBase->text(), "Borvinat");
    EXPECT_EQ(settings.DataBase2->text(), "protocol");
    EXPECT_EQ(settings.UserName->text(), "sa");
    EXPECT_EQ(settings.Password->text(), "");

    if (GetParam() == Engine::SQLite) {
        // An embedded database must exist; a missing file is not created silently.
        Db probe(QStringLiteral("probe"));
        database.open(probe);
        probe.close();
    }
    user().clear();
    user().dialogs.push_back([&](QDialog &d) { return fillSettings(d, database, nullptr); });
    showServerSettings();
    EXPECT_TRUE(user().messages.empty());

    EXPECT_TRUE(loginWindow().connectDatabase());
    EXPECT_TRUE(dm().main().isOpen());
    EXPECT_FALSE(dm().contracts().isOpen());  // Windows authentication has no server here
}

TEST_P(ConnectionTest, UnreachableContractsRegisterFailsTheAttempt)
{
    TestDatabase database(GetParam());
    Db probe(QStringLiteral("probe"));
    database.open(probe);
    probe.close();
    ConnectionConfig config;
    config.write({{"BorvinatSqlServerName", database.serverText()},
                  {"BorvinatDataBase", database.params().database},
                  {"BorvinatAuthentication", database.authentication()},
                  {"BorvinatUserName", database.params().user},
                  {"BorvinatPassword", scramble(database.params().password)},
                  {"protocolSqlServerName", "127.0.0.1:1"},
                  {"protocolDataBase", "protocol"},
                  {"protocolAuthentication", "PostgreSQL"},
                  {"protocolUserName", "nobody"},
                  {"protocolPassword", scramble("x")}});
    EXPECT_FALSE(loginWindow().connectDatabase());
    EXPECT_TRUE(dm().main().isOpen());
    EXPECT_EQ(user().messageTexts(), QStringList{settingsWrong});
    EXPECT_EQ(user().shownDialogs, QStringList{"server"});

    // A contracts authentication of no known kind leaves the register closed, silently.
    user().clear();
    config.write({{"protocolAuthentication", ""}});
    EXPECT_TRUE(loginWindow().connectDatabase());
    EXPECT_FALSE(dm().contracts().isOpen());
    EXPECT_TRUE(user().messages.empty());
}

TEST_P(ConnectionTest, ContractsRegisterOnAnyEngine)
{
    TestDatabase main(GetParam());
    TestDatabase contracts(GetParam());
    for (const TestDatabase *d : {&main, &contracts}) {
        Db probe(QStringLiteral("probe"));
        d->open(probe);
        probe.close();
    }
    user().dialogs.push_back([&](QDialog &d) { return fillSettings(d, main, &contracts); });
    showServerSettings();
    EXPECT_TRUE(loginWindow().connectDatabase());
    EXPECT_TRUE(dm().contracts().isOpen());
}

INSTANTIATE_TEST_SUITE_P(Engines, ConnectionTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

TEST(Connection, MissingOrUnknownMainAuthenticationIsAFailure)
{
    ConnectionConfig config;
    config.write({{"BorvinatSqlServerName", "x"}, {"BorvinatAuthentication", "Something"}});
    EXPECT_FALSE(loginWindow().connectDatabase());
    EXPECT_EQ(user().messageTexts(), QStringList{settingsWrong});
    EXPECT_EQ(user().shownDialogs, QStringList{"server"});
}

TEST(Connection, MissingSqliteFileIsRefused)
{
    QTemporaryDir dir;
    ConnectionConfig config;
    config.write({{"BorvinatSqlServerName", dir.filePath("absent.sqlite")}, {"BorvinatAuthentication", "SQLite"}});
    EXPECT_FALSE(loginWindow().connectDatabase());
    EXPECT_EQ(user().messageTexts(), QStringList{settingsWrong});
    EXPECT_FALSE(QFile::exists(dir.filePath("absent.sqlite")));
}

TEST(Connection, AccessWithoutSystemTypeGivesTheAccessMessage)
{
    ConnectionConfig config;
    config.write({{"BorvinatSqlServerName", "/nowhere/b.mdb"}, {"BorvinatAuthentication", "Access"}});
    EXPECT_FALSE(loginWindow().connectDatabase());
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("فايل اكسس يافت نشد")});
}

TEST(Connection, InternetModeReadsNothingOfTheLocalConfiguration)
{
    QTemporaryDir dir;
    ConnectionConfig config;
    // A working local configuration: Internet mode must not use it.
    config.write({{"BorvinatSqlServerName", dir.filePath("local.sqlite")}, {"BorvinatAuthentication", "SQLite"}});
    loginWindow().rbInternet->setChecked(true);
    EXPECT_FALSE(loginWindow().connectDatabase());
    loginWindow().rbLocal->setChecked(true);
    EXPECT_EQ(user().messageTexts(), QStringList{internetFailed});
    EXPECT_TRUE(user().shownDialogs.empty());
    EXPECT_FALSE(dm().main().isOpen());
    EXPECT_FALSE(dm().contracts().isOpen());
}

TEST(ServerWindow, RequiredValuesInOrder)
{
    server &w = windows::get<server>();
    w.SqlServerName->clear();
    w.DataBase->clear();
    w.UserName->clear();
    w.Password->clear();
    w.rbSQL->setChecked(true);
    w.confirm();
    w.SqlServerName->setText("srv");
    w.confirm();
    w.DataBase->setText("db");
    w.confirm();
    w.UserName->setText("u");
    w.confirm();
    EXPECT_EQ(user().messageTexts(),
              (QStringList{QStringLiteral("نام سرور را وارد نمائيد"), QStringLiteral("نام ديتابيس را وارد نمائيد"),
                           QStringLiteral("کلمه کاربري را وارد نمائيد"), QStringLiteral("رمز عبور را وارد نمائيد")}));
    EXPECT_EQ(user().messages[0].kind, MessageKind::Confirm);
    EXPECT_FALSE(ConnectionConfig().exists());

    w.Password->setText("pw");
    w.confirm();
    ConnectionConfig config;
    EXPECT_EQ(config.value("BorvinatAuthentication"), "SQL Server");
    EXPECT_EQ(config.value("BorvinatPassword"), scramble("pw"));
    EXPECT_EQ(config.value("ProtocolDataBase"), w.DataBase2->text());
}

TEST(ServerWindow, ShowingLoadsStoredValues)
{
    ConnectionConfig config;
    config.write({{"BorvinatSqlServerName", "s1"},
                  {"BorvinatDataBase", "d1"},
                  {"BorvinatAuthentication", "Windows"},
                  {"BorvinatUserName", "u1"},
                  {"BorvinatPassword", scramble("hidden")},
                  {"protocolSqlServerName", "s2"},
                  {"protocolAuthentication", "SQL Server"},
                  {"protocolPassword", scramble("shown")}});
    server &w = windows::get<server>();
    w.Password->setText("kept");
    w.loadFromConfig();
    EXPECT_EQ(w.SqlServerName->text(), "s1");
    EXPECT_EQ(w.Password->text(), "kept");  // Windows authentication: the box keeps its text
    EXPECT_TRUE(w.rbWindows->isChecked());
    EXPECT_EQ(w.Password2->text(), "shown");
    EXPECT_TRUE(w.rbSQL2->isChecked());

    // The change-database link fills the main password whatever the authentication.
    w.prefillMainFromConfig();
    EXPECT_EQ(w.Password->text(), "hidden");
    EXPECT_EQ(user().lastMessage(), QStringLiteral("مسير بانك اطلاعاتي را مي توانيد تغيير دهيد"));
}
