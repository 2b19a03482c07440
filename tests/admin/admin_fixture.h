#pragma once
// A database built by the schema builder with the sample administrator, and a
// configuration pointing at it, on each engine.
#include "config.h"
#include "dm.h"
#include "passwords.h"
#include "schema_builder.h"
#include "scripted.h"
#include "session.h"
#include "test_db.h"

#include <gtest/gtest.h>

namespace bv::test {

class AdminTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        BV_REQUIRE_ENGINE(GetParam());
        database = std::make_unique<TestDatabase>(GetParam());
        database->open(dm().main());
        buildSchema(dm().main(), [] { return std::optional<QString>(QStringLiteral("adminpw")); });
        ConnectionConfig().write({{"BorvinatSqlServerName", database->serverText()},
                                  {"BorvinatDataBase", database->params().database},
                                  {"BorvinatAuthentication", database->authentication()},
                                  {"BorvinatUserName", database->params().user},
                                  {"BorvinatPassword", scramble(database->params().password)}});
        session() = Session{};
    }
    void TearDown() override
    {
        dm().main().close();
        dm().contracts().close();
    }

    const Db &db() { return dm().main(); }
    qint64 addUser(const QString &us, const QString &storedPassword, const QString &status = QStringLiteral("فعال"),
                   const QString &lev = QStringLiteral("ostan"))
    {
        return db().insert("INSERT INTO users (us, ps, ver, lev, nam, status) VALUES (?, ?, '', ?, ?, ?)",
                           {us, storedPassword, lev, QStringLiteral("کاربر ") + us, status});
    }
    int logRows(const QString &like)
    {
        return db().scalar("SELECT COUNT(*) FROM log WHERE cmt LIKE ?", {"%" + like + "%"}).toInt();
    }

    std::unique_ptr<TestDatabase> database;
};

}  // namespace bv::test
