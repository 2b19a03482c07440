// A connection to the shared server that drops: the action that meets it is
// wholly undone and reported once, and the next action connects again.
#include "db.h"
#include "dm.h"
#include "pgcluster.h"
#include "rowguard.h"
#include "test_db.h"

#include <gtest/gtest.h>

using namespace bv;
using bv::test::TestDatabase;

namespace {
void createTable(const Db &db)
{
    db.exec(QStringLiteral("CREATE TABLE notes (id %1, txt %2)")
                .arg(db.dialect().columnType({"id", schema::ColType::IntIdentity}),
                     db.dialect().columnType({"txt", schema::ColType::NVarChar, 50})));
}
int notes(const Db &db)
{
    return db.scalar("SELECT COUNT(*) FROM notes").toInt();
}
}  // namespace

class DroppedConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BV_REQUIRE_ENGINE(Engine::PostgreSQL);
        database = std::make_unique<TestDatabase>(Engine::PostgreSQL);
        database->open(clerk);
        database->open(admin);
        createTable(clerk);
    }
    void TearDown() override
    {
        clerk.close();
        admin.close();
    }
    // The server ends the clerk's session, as a restart or a cut does.
    void dropClerk()
    {
        const QVariant pid = clerk.scalar("SELECT pg_backend_pid()");
        admin.exec("SELECT pg_terminate_backend(?)", {pid});
    }

    std::unique_ptr<TestDatabase> database;
    Db clerk{QStringLiteral("clerk")}, admin{QStringLiteral("admin")};
};

TEST_F(DroppedConnectionTest, TheNextReadOrTransactionConnectsAgain)
{
    dropClerk();
    EXPECT_EQ(notes(clerk), 0);
    dropClerk();
    clerk.transaction([&] { clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"a"}); });
    EXPECT_EQ(notes(admin), 1);
}

TEST_F(DroppedConnectionTest, AWriteThatMetTheDropIsReportedOnceAndTheNextOneWorks)
{
    dropClerk();
    try {
        clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"lost"});
        FAIL() << "no error";
    } catch (const ConnectionLost &e) {
        EXPECT_EQ(e.text(), connectionLostMessage);
    }
    EXPECT_TRUE(clerk.isOpen());
    clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"kept"});
    EXPECT_EQ(admin.scalar("SELECT txt FROM notes").toString(), "kept");
}

TEST_F(DroppedConnectionTest, AnInterruptedTransactionIsWhollyUndone)
{
    EXPECT_THROW(clerk.transaction([&] {
        clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"first"});
        dropClerk();
        clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"second"});
    }),
                 ConnectionLost);
    EXPECT_EQ(notes(admin), 0);
    EXPECT_FALSE(clerk.inTransaction());
    clerk.transaction([&] { clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"again"}); });
    EXPECT_EQ(notes(admin), 1);
}

// The server may or may not have stored an action whose commit met the loss:
// the clerk is told so, not that nothing was saved.
TEST_F(DroppedConnectionTest, ALossDuringTheCommitIsReportedAsUncertain)
{
    // Ended once the work is done, before its commit reaches the server.
    const auto endSession = [&] {
        admin.exec("SELECT pg_terminate_backend(?, 10000)", {clerk.scalar("SELECT pg_backend_pid()")});
    };
    try {
        clerk.transaction([&] {
            clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"maybe"});
            endSession();
        });
        ADD_FAILURE() << "no error";
    } catch (const CommitUncertain &e) {
        EXPECT_EQ(e.text(), commitUncertainMessage);
    } catch (const DbError &e) {
        ADD_FAILURE() << e.text().toStdString();
    }
    EXPECT_FALSE(clerk.inTransaction());
    // Here the commit never arrived; the next action connects again.
    EXPECT_EQ(notes(clerk), 0);

    // A loss before the commit is still certain: nothing was saved.
    const qint64 id = clerk.insert("INSERT INTO notes (txt) VALUES (?)", {"loaded"});
    RowGuard guard(QStringLiteral("notes"), {QStringLiteral("txt")});
    guard.load(clerk, id);
    EXPECT_THROW(guard.write(clerk,
                             [&] {
                                 endSession();
                                 clerk.exec("UPDATE notes SET txt = ? WHERE id = ?", {"typed", id});
                             }),
                 ConnectionLost);
    EXPECT_EQ(guard.write(clerk, [&] { clerk.exec("UPDATE notes SET txt = ? WHERE id = ?", {"typed", id}); }).kind,
              RowGuard::Outcome::Written);
    EXPECT_EQ(admin.scalar("SELECT txt FROM notes WHERE id = ?", {id}).toString(), "typed");
}

TEST_F(DroppedConnectionTest, TheContractsRegisterConnectsAgainToo)
{
    Db &contracts = dm().contracts();
    database->open(contracts);
    contracts.exec("CREATE TABLE prot (num VARCHAR(20))");
    contracts.exec("INSERT INTO prot (num) VALUES (?)", {"97/1001"});
    admin.exec("SELECT pg_terminate_backend(?)", {contracts.scalar("SELECT pg_backend_pid()")});
    EXPECT_EQ(contracts.scalar("SELECT num FROM prot").toString(), "97/1001");
    contracts.close();
}

TEST(ClusterRestartTest, AnOpenConnectionWorksAgainAfterTheServerCameBack)
{
    BV_REQUIRE_ENGINE(Engine::PostgreSQL);
    bv::test::PgCluster cluster;
    if (!cluster.available())
        GTEST_SKIP() << cluster.error().toStdString();
    ASSERT_TRUE(cluster.ready()) << cluster.error().toStdString();
    Db clerk(QStringLiteral("restarted_clerk"));
    ASSERT_TRUE(clerk.open(cluster.params()));
    createTable(clerk);
    clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"before"});

    // Restarted between two actions: the first action after it works.
    ASSERT_TRUE(cluster.stop());
    ASSERT_TRUE(cluster.start());
    EXPECT_EQ(notes(clerk), 1);
    clerk.transaction([&] { clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"after"}); });
    EXPECT_EQ(notes(clerk), 2);

    // Stopped in the middle of an action: the action is reported, and while the
    // server is away every action is; nothing of it is left once it is back.
    EXPECT_THROW(clerk.transaction([&] {
        clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"interrupted"});
        EXPECT_TRUE(cluster.stop());
        clerk.exec("INSERT INTO notes (txt) VALUES (?)", {"interrupted too"});
    }),
                 ConnectionLost);
    EXPECT_THROW(notes(clerk), ConnectionLost);
    EXPECT_TRUE(clerk.isOpen());
    ASSERT_TRUE(cluster.start());
    EXPECT_EQ(notes(clerk), 2);
    EXPECT_EQ(clerk.scalar("SELECT COUNT(*) FROM notes WHERE txt LIKE ?", {"interrupted%"}).toInt(), 0);
    clerk.close();
}
