#include "db.h"
#include "money.h"
#include "test_db.h"

#include <gtest/gtest.h>

using namespace bv;
using bv::test::TestDatabase;

class DbTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        BV_REQUIRE_ENGINE(GetParam());
        database = std::make_unique<TestDatabase>(GetParam());
        database->open(db);
        db.exec(QStringLiteral("CREATE TABLE people (id %1, name %2, amount %3)")
                    .arg(db.dialect().columnType({"id", schema::ColType::IntIdentity}),
                         db.dialect().columnType({"name", schema::ColType::NVarChar, 100}),
                         db.dialect().columnType({"amount", schema::ColType::Money})));
    }
    void TearDown() override { db.close(); }

    std::unique_ptr<TestDatabase> database;
    Db db{QStringLiteral("dbtest")};
};

TEST_P(DbTest, ValuesAreBoundVerbatim)
{
    const QString hostile = QStringLiteral("O'Brien'); drop table users; --");
    const qint64 id = db.insert("INSERT INTO people (name, amount) VALUES (?, ?)", {hostile, 3000000000LL});
    EXPECT_GT(id, 0);
    const auto rows = db.rows("SELECT name, amount FROM people WHERE id = ?", {id});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["name"].toString(), hostile);
    EXPECT_EQ(Money::fromVariant(rows[0]["amount"]).plain(), "3000000000");
    const qint64 second = db.insert("INSERT INTO people (name, amount) VALUES (?, ?)", {"x", QString("12.5")});
    EXPECT_EQ(second, id + 1);
    EXPECT_EQ(Money::fromVariant(db.scalar("SELECT amount FROM people WHERE id = ?", {second})).units(), 125000);
}

TEST_P(DbTest, IdsAreNeverReused)
{
    const qint64 a = db.insert("INSERT INTO people (name) VALUES (?)", {"a"});
    db.exec("DELETE FROM people WHERE id = ?", {a});
    const qint64 b = db.insert("INSERT INTO people (name) VALUES (?)", {"b"});
    EXPECT_GT(b, a);
}

TEST_P(DbTest, FailedStatementRollsBackTheTransaction)
{
    EXPECT_THROW(db.transaction([&] {
        db.exec("INSERT INTO people (name) VALUES (?)", {"first"});
        db.exec("INSERT INTO missing_table (name) VALUES (?)", {"second"});
    }),
                 DbError);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM people").toInt(), 0);
    db.transaction([&] { db.exec("INSERT INTO people (name) VALUES (?)", {"kept"}); });
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM people").toInt(), 1);
}

TEST_P(DbTest, PersianAlphabeticalOrder)
{
    // Inserted in reverse of the expected order.
    const QStringList expected = {
        QStringLiteral("آرش"), QStringLiteral("احمد"), QStringLiteral("بهرام"), QStringLiteral("پروين"),
        QStringLiteral("تقي"), QStringLiteral("جواد"), QStringLiteral("چنگيز"), QStringLiteral("حسن"),
        QStringLiteral("زهرا"), QStringLiteral("ژاله"), QStringLiteral("سارا"), QStringLiteral("کاظم"),
        QStringLiteral("گلناز"), QStringLiteral("مريم"), QStringLiteral("يوسف"),
    };
    for (auto it = expected.rbegin(); it != expected.rend(); ++it)
        db.exec("INSERT INTO people (name) VALUES (?)", {*it});
    QStringList got;
    for (const Row &r : db.rows("SELECT name FROM people ORDER BY " + db.dialect().persianOrder("name")))
        got << r["name"].toString();
    EXPECT_EQ(got, expected);
}

TEST_P(DbTest, TablesAndColumnsAreListedInLowerCase)
{
    EXPECT_TRUE(db.tables().contains("people"));
    EXPECT_EQ(db.columns("people"), (QStringList{"id", "name", "amount"}));
    EXPECT_EQ(db.rows("SELECT name FROM people").size(), 0u);
    EXPECT_FALSE(db.scalar("SELECT name FROM people").isValid());
}

INSTANTIATE_TEST_SUITE_P(Engines, DbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

TEST_P(DbTest, SelectKeepsTheQueryColumnOrder)
{
    db.exec("INSERT INTO people (name, amount) VALUES (?, ?)", {"a", 5});
    const ResultSet r = db.select("SELECT name, id, amount AS total FROM people");
    EXPECT_EQ(r.columns, (QStringList{"name", "id", "total"}));
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r.value(0, "NAME").toString(), "a");
    EXPECT_FALSE(r.value(0, "missing").isValid());
}

TEST_P(DbTest, ANestedTransactionJoinsTheOuterOne)
{
    const auto count = [&] { return db.scalar("SELECT COUNT(*) FROM people").toInt(); };
    const auto add = [&](const QString &name) { db.exec("INSERT INTO people (name) VALUES (?)", {name}); };
    EXPECT_FALSE(db.inTransaction());
    db.transaction([&] {
        add("outer");
        db.transaction([&] {
            EXPECT_TRUE(db.inTransaction());
            add("inner");
        });
        EXPECT_TRUE(db.inTransaction());
    });
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(count(), 2);

    // An inner failure undoes the whole outer action.
    EXPECT_THROW(db.transaction([&] {
        add("outer");
        db.transaction([&] { add("inner"); });
        db.transaction([&] { db.exec("INSERT INTO missing_table (name) VALUES (?)", {"x"}); });
        add("after");
    }),
                 DbError);
    EXPECT_EQ(count(), 2);

    // Even when the outer work swallows it: the inner failure is what the outer
    // rethrows, not a later error of an aborted transaction.
    try {
        db.transaction([&] {
            add("outer");
            try {
                db.transaction([&] { db.exec("INSERT INTO missing_table (name) VALUES (?)", {"x"}); });
            } catch (const DbError &) {
            }
            add("after");
        });
        ADD_FAILURE() << "the outer transaction committed";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.text().contains("missing_table")) << e.text().toStdString();
    }
    EXPECT_EQ(count(), 2);
    EXPECT_FALSE(db.inTransaction());

    // The connection goes on as before.
    db.transaction([&] { add("next"); });
    EXPECT_EQ(count(), 3);
}

TEST_P(DbTest, AnAbandonedTransactionIsRolledBackButARunningOneIsLeftToItsOwner)
{
    ASSERT_TRUE(db.handle().transaction());
    db.exec("INSERT INTO people (name) VALUES (?)", {"abandoned"});
    db.rollbackAbandoned();
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM people").toInt(), 0);
    // Nothing open: nothing happens, and the next transaction starts.
    db.rollbackAbandoned();
    db.transaction([&] {
        db.exec("INSERT INTO people (name) VALUES (?)", {"kept"});
        db.rollbackAbandoned();
        db.exec("INSERT INTO people (name) VALUES (?)", {"also kept"});
    });
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM people").toInt(), 2);
}
