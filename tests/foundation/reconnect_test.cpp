// A connection to the shared server that drops: the action that meets it is
// wholly undone and reported once, and the next action connects again.
#include "db.h"
#include "dm.h"
#include "test_db.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

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

// A cluster of the test's own, so that restarting it disturbs no other test.
class OwnCluster {
public:
    OwnCluster()
    {
        initdb_ = QStandardPaths::findExecutable(QStringLiteral("initdb"));
        pgctl_ = QStandardPaths::findExecutable(QStringLiteral("pg_ctl"));
        if (initdb_.isEmpty() || pgctl_.isEmpty())
            return;
        if (geteuid() == 0)
            run(QStringLiteral("chown"), {QStringLiteral("postgres"), dir_.path()}, false);
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port_ = probe.serverPort();
        probe.close();
        ready_ = run(initdb_, {QStringLiteral("-D"), data(), QStringLiteral("-U"), QStringLiteral("postgres"),
                               QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                               QStringLiteral("--locale=C.UTF-8")})
            && start();
    }
    ~OwnCluster()
    {
        if (ready_)
            pgctl({QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("stop")});
    }
    bool ready() const { return ready_; }
    ConnectionParams params() const
    {
        ConnectionParams p;
        p.engine = Engine::PostgreSQL;
        p.host = QStringLiteral("127.0.0.1");
        p.port = port_;
        p.database = QStringLiteral("postgres");
        p.user = QStringLiteral("postgres");
        return p;
    }
    bool start()
    {
        return pgctl({QStringLiteral("-w"), QStringLiteral("-l"), dir_.filePath(QStringLiteral("log")),
                      QStringLiteral("-o"),
                      QStringLiteral("-c listen_addresses=127.0.0.1 -p %1 -k %2 -c fsync=off").arg(port_).arg(dir_.path()),
                      QStringLiteral("start")});
    }
    bool stop() { return pgctl({QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("stop")}); }

private:
    QString data() const { return dir_.filePath(QStringLiteral("data")); }
    bool pgctl(QStringList args)
    {
        args.prepend(data());
        args.prepend(QStringLiteral("-D"));
        return run(pgctl_, args);
    }
    bool run(const QString &program, QStringList args, bool asPostgres = true)
    {
        QString exe = program;
        if (asPostgres && geteuid() == 0) {
            args = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), program} + args;
            exe = QStringLiteral("runuser");
        }
        QProcess p;
        p.start(exe, args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            ADD_FAILURE() << exe.toStdString() << " " << args.join(' ').toStdString() << ": "
                          << p.readAllStandardError().toStdString() << p.readAllStandardOutput().toStdString();
            return false;
        }
        return true;
    }
    QTemporaryDir dir_;
    QString initdb_, pgctl_;
    int port_ = 0;
    bool ready_ = false;
};

TEST(ClusterRestartTest, AnOpenConnectionWorksAgainAfterTheServerCameBack)
{
    BV_REQUIRE_ENGINE(Engine::PostgreSQL);
    OwnCluster cluster;
    if (!cluster.ready())
        GTEST_SKIP() << "no initdb and pg_ctl on the path";
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
