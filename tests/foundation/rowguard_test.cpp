// Two clerks on two connections to one database.
#include "money.h"
#include "rowguard.h"
#include "scripted.h"
#include "test_db.h"

#include <gtest/gtest.h>

using namespace bv;
using bv::test::TestDatabase;
using bv::test::user;

class RowGuardTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        BV_REQUIRE_ENGINE(GetParam());
        database = std::make_unique<TestDatabase>(GetParam());
        database->open(a);
        database->open(b);
        a.exec(QStringLiteral("CREATE TABLE projects (id %1, name %2, amount %3, area %4)")
                   .arg(a.dialect().columnType({"id", schema::ColType::IntIdentity}),
                        a.dialect().columnType({"name", schema::ColType::NVarChar, 100}),
                        a.dialect().columnType({"amount", schema::ColType::Money}),
                        a.dialect().columnType({"area", schema::ColType::Float})));
        id = a.insert("INSERT INTO projects (name, amount, area) VALUES (?, ?, ?)",
                      {QStringLiteral("نخست"), QStringLiteral("1250000.5"), 16.27});
        guard.setLabel("name", QStringLiteral("نام"));
        guard.setLabel("amount", QStringLiteral("مبلغ"));
    }
    void TearDown() override
    {
        a.close();
        b.close();
    }
    // Clerk A's save of `name`.
    std::function<void()> rename(const QString &name)
    {
        return [this, name] { a.exec("UPDATE projects SET name = ? WHERE id = ?", {name, id}); };
    }
    QString storedName() { return b.scalar("SELECT name FROM projects WHERE id = ?", {id}).toString(); }

    std::unique_ptr<TestDatabase> database;
    Db a{QStringLiteral("clerk_a")}, b{QStringLiteral("clerk_b")};
    RowGuard guard{QStringLiteral("projects"), {"name", "amount", "area"}};
    qint64 id = 0;
};

TEST_P(RowGuardTest, AnUntouchedRowIsWrittenAndAgainAfterItsOwnWrite)
{
    ASSERT_TRUE(guard.load(a, id));
    EXPECT_EQ(guard.write(a, rename("A")).kind, RowGuard::Outcome::Written);
    EXPECT_EQ(storedName(), "A");
    // The window stays open: its own write is no conflict.
    EXPECT_EQ(guard.write(a, rename("A2")).kind, RowGuard::Outcome::Written);
    EXPECT_EQ(storedName(), "A2");
}

TEST_P(RowGuardTest, AChangeByAnotherClerkIsNamedAndNothingIsWritten)
{
    ASSERT_TRUE(guard.load(a, id));
    b.exec("UPDATE projects SET amount = ? WHERE id = ?", {QStringLiteral("7"), id});
    bool ran = false;
    const RowGuard::Outcome out = guard.write(a, [&] {
        ran = true;
        rename("A")();
    });
    EXPECT_EQ(out.kind, RowGuard::Outcome::Changed);
    EXPECT_EQ(out.changed, QStringList{"amount"});
    EXPECT_EQ(Money::fromVariant(out.stored.value("amount")).plain(), "7");
    EXPECT_FALSE(ran);
    EXPECT_EQ(storedName(), QStringLiteral("نخست"));
    EXPECT_TRUE(guard.changedQuestion(out.changed).contains(QStringLiteral("مبلغ")));
    EXPECT_FALSE(guard.changedQuestion(out.changed).contains(QStringLiteral("نام")));
    // The same value written back by another clerk is no change.
    ASSERT_TRUE(guard.load(a, id));
    b.exec("UPDATE projects SET name = ? WHERE id = ?", {QStringLiteral("نخست"), id});
    EXPECT_EQ(guard.write(a, rename("A")).kind, RowGuard::Outcome::Written);
}

TEST_P(RowGuardTest, ARowDeletedMeanwhileIsReportedAndNotRecreated)
{
    ASSERT_TRUE(guard.load(a, id));
    b.exec("DELETE FROM projects WHERE id = ?", {id});
    bool ran = false;
    EXPECT_EQ(guard.write(a, [&] { ran = true; }).kind, RowGuard::Outcome::Deleted);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(guard.save(a, rename("A"), [](const Row &) { FAIL() << "nothing to reload"; }));
    EXPECT_EQ(user().messageTexts(), QStringList{rowDeletedMessage});
    EXPECT_EQ(b.scalar("SELECT COUNT(*) FROM projects").toInt(), 0);
}

TEST_P(RowGuardTest, TheClerkReloadsOverwritesOrLeavesIt)
{
    // Reload: the other clerk's values come back, nothing is written.
    ASSERT_TRUE(guard.load(a, id));
    b.exec("UPDATE projects SET name = ? WHERE id = ?", {QStringLiteral("B"), id});
    user().answers = {true};
    QString reloaded;
    EXPECT_FALSE(guard.save(a, rename("A"), [&](const Row &r) { reloaded = r.value("name").toString(); }));
    EXPECT_EQ(reloaded, "B");
    EXPECT_EQ(storedName(), "B");
    ASSERT_EQ(user().questions.size(), 1);
    EXPECT_TRUE(user().questions[0].contains(QStringLiteral("نام")));
    // After the reload the window's values are the stored ones.
    EXPECT_TRUE(guard.save(a, rename("A"), [](const Row &) {}));
    EXPECT_EQ(storedName(), "A");

    // Neither: nothing is written and the window stays as it was.
    b.exec("UPDATE projects SET name = ? WHERE id = ?", {QStringLiteral("B2"), id});
    user().clear();
    user().answers = {false, false};
    EXPECT_FALSE(guard.save(a, rename("A3"), [](const Row &) { FAIL() << "not reloaded"; }));
    EXPECT_EQ(user().questions, (QStringList{guard.changedQuestion({"name"}), overwriteQuestion}));
    EXPECT_EQ(storedName(), "B2");

    // Overwrite: the clerk's values are stored.
    user().clear();
    user().answers = {false, true};
    EXPECT_TRUE(guard.save(a, rename("A3"), [](const Row &) { FAIL() << "not reloaded"; }));
    EXPECT_EQ(storedName(), "A3");
}

TEST_P(RowGuardTest, ARowThatCouldNotBeReadIsCheckedAgainstTheListedOne)
{
    const qint64 second = a.insert("INSERT INTO projects (name, amount, area) VALUES (?, ?, ?)",
                                   {QStringLiteral("دوم"), QStringLiteral("3"), 1.5});
    const Row listed = b.rows("SELECT id, name, amount, area FROM projects WHERE id = ?", {second}).front();
    ASSERT_TRUE(guard.load(a, id));
    // The server is away as the second row is opened: the listed row is shown.
    a.close();
    EXPECT_EQ(guard.loadOver(a, second, listed), listed);
    EXPECT_EQ(user().messages.size(), 1u);
    database->open(a);
    const RowGuard::Outcome out =
        guard.write(a, [&] { a.exec("UPDATE projects SET name = ? WHERE id = ?", {QStringLiteral("A"), second}); });
    EXPECT_EQ(out.kind, RowGuard::Outcome::Written) << out.changed.join(' ').toStdString();
    EXPECT_EQ(b.scalar("SELECT name FROM projects WHERE id = ?", {second}).toString(), "A");
    EXPECT_EQ(storedName(), QStringLiteral("نخست"));

    // Two columns under one caption are named once.
    guard.setLabel("area", QStringLiteral("نام"));
    EXPECT_EQ(guard.changedQuestion({"name", "area"}).count(QStringLiteral("نام")), 1);
}

TEST_P(RowGuardTest, NoOtherWriterGetsInBetweenTheCheckAndTheWrite)
{
    // The other connection waits only briefly for the lock, then fails.
    if (GetParam() == Engine::SQLite)
        b.exec("PRAGMA busy_timeout = 20");
    else
        b.exec("SET lock_timeout = '20ms'");
    ASSERT_TRUE(guard.load(a, id));
    bool refused = false;
    EXPECT_EQ(guard.write(a,
                          [&] {
                              try {
                                  b.exec("UPDATE projects SET name = ? WHERE id = ?", {QStringLiteral("B"), id});
                              } catch (const DbError &) {
                                  refused = true;
                              }
                              rename("A")();
                          })
                  .kind,
              RowGuard::Outcome::Written);
    EXPECT_TRUE(refused);
    EXPECT_EQ(storedName(), "A");
}

TEST_P(RowGuardTest, AFailedWriteLeavesTheRowAsItWas)
{
    ASSERT_TRUE(guard.load(a, id));
    EXPECT_THROW(guard.write(a,
                             [&] {
                                 rename("A")();
                                 a.exec("UPDATE missing_table SET x = 1");
                             }),
                 DbError);
    EXPECT_EQ(storedName(), QStringLiteral("نخست"));
    // Still based on the row as loaded: the next save goes through.
    EXPECT_EQ(guard.write(a, rename("A")).kind, RowGuard::Outcome::Written);
}

TEST_P(RowGuardTest, ACommitTheDatabaseRefusedLeavesTheLoadedRow)
{
    // A reference checked only at commit.
    a.exec(QStringLiteral("CREATE TABLE parts (project_id %1 REFERENCES projects (id) DEFERRABLE INITIALLY DEFERRED)")
               .arg(a.dialect().columnType({"project_id", schema::ColType::Int})));
    if (GetParam() == Engine::SQLite)
        a.exec("PRAGMA foreign_keys = ON");
    ASSERT_TRUE(guard.load(a, id));
    EXPECT_THROW(guard.write(a,
                             [&] {
                                 rename("A")();
                                 a.exec("INSERT INTO parts (project_id) VALUES (?)", {id + 1000});
                             }),
                 DbError);
    EXPECT_EQ(storedName(), QStringLiteral("نخست"));
    EXPECT_EQ(guard.loaded().value("name").toString(), QStringLiteral("نخست"));
    // Not mistaken for another clerk's change.
    EXPECT_EQ(guard.write(a, rename("A")).kind, RowGuard::Outcome::Written);
    EXPECT_EQ(storedName(), "A");
}

INSTANTIATE_TEST_SUITE_P(Engines, RowGuardTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
