#include "config.h"
#include "connection.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bv;

TEST(Scrambling, ReversesAndShiftsEachCharacter)
{
    EXPECT_EQ(scramble("abc"), QStringLiteral("ba`"));
    EXPECT_EQ(unscramble(QStringLiteral("ba`")), "abc");
    const QString persian = QStringLiteral("رمز۱x;y");
    EXPECT_EQ(unscramble(scramble(persian)), persian);
    EXPECT_EQ(unscramble(scramble(QString())), QString());
}

TEST(ConnectionConfig, NamesMatchWithoutRegardToCase)
{
    QTemporaryDir dir;
    ConnectionConfig config(dir.filePath("c.conf"));
    EXPECT_FALSE(config.exists());
    EXPECT_EQ(config.value("ProtocolDataBase"), "");
    ASSERT_TRUE(config.write({{"protocolDataBase", "protocol"}, {"BorvinatSqlServerName", "db.local"}}));
    EXPECT_TRUE(config.exists());
    EXPECT_EQ(config.value("ProtocolDataBase"), "protocol");
    EXPECT_EQ(config.value("BORVINATSQLSERVERNAME"), "db.local");
    // Writing under another case replaces the value instead of adding a second one.
    ASSERT_TRUE(config.write({{"PROTOCOLDATABASE", "other"}}));
    ConnectionConfig reread(dir.filePath("c.conf"));
    EXPECT_EQ(reread.value("protocoldatabase"), "other");
    QSettings raw(dir.filePath("c.conf"), QSettings::IniFormat);
    raw.beginGroup("zelmarkan");
    EXPECT_EQ(raw.childKeys().size(), 2);
}

TEST(ConnectionConfig, FileIsReadableByItsOwnerOnly)
{
    QTemporaryDir dir;
    ConnectionConfig config(dir.filePath("c.conf"));
    ASSERT_TRUE(config.write({{"BorvinatPassword", scramble("secret")}}));
    const auto perms = QFile::permissions(dir.filePath("c.conf"));
    EXPECT_TRUE(perms & QFileDevice::ReadOwner);
    EXPECT_FALSE(perms & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
}

TEST(ConnectionConfig, ParametersOfEachKind)
{
    QTemporaryDir dir;
    ConnectionConfig config(dir.filePath("c.conf"));
    config.write({{"BorvinatSqlServerName", "pg.office:5433"},
                  {"BorvinatDataBase", "Borvinat"},
                  {"BorvinatAuthentication", "PostgreSQL"},
                  {"BorvinatUserName", "u"},
                  {"BorvinatPassword", scramble("p;DATABASE=x")},
                  {"protocolSqlServerName", "sql.office"},
                  {"protocolDataBase", "protocol"},
                  {"protocolAuthentication", "SQL Server"},
                  {"protocolUserName", "sa"},
                  {"protocolPassword", scramble("a;b}c")}});
    const auto main = localParams(config, "Borvinat");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->engine, Engine::PostgreSQL);
    EXPECT_EQ(main->host, "pg.office");
    EXPECT_EQ(main->port, 5433);
    EXPECT_EQ(main->password, "p;DATABASE=x");
    const auto contracts = localParams(config, "Protocol");
    ASSERT_TRUE(contracts);
    EXPECT_EQ(contracts->engine, Engine::SqlServer);
    // The password is one quoted attribute: its ";" adds nothing.
    EXPECT_TRUE(contracts->odbcConnectionString.contains("PWD={a;b}}c}"));
    config.write({{"ProtocolAuthentication", "Kerberos"}});
    EXPECT_FALSE(localParams(config, "Protocol"));
}

TEST(ConnectionConfig, AccessStrings)
{
    const QString s32 = accessConnectionString("C:/data/b.mdb", "32-bit", "739146");
    const QString s64 = accessConnectionString("C:/data/b.mdb", "64-bit", "739146");
    EXPECT_TRUE(s32.contains("PWD={739146}"));
    EXPECT_FALSE(s64.contains("PWD"));
    EXPECT_TRUE(s64.contains("DBQ={C:/data/b.mdb}"));
}
