// The shared server restarts while a clerk has a project open: the save that
// meets the stopped server is reported once and writes nothing, the window
// keeps what it shows, and the save after the restart works without logging in.
#include "dm.h"
#include "naghshe_ins.h"
#include "pgcluster.h"
#include "sample.h"
#include "schema_builder.h"
#include "scripted.h"
#include "session.h"
#include "test_db.h"
#include "windows.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace bv;
using bv::test::user;

TEST(ServerRestartWindowTest, TheOpenProjectSavesAfterTheRestartAndNothingWhileTheServerIsAway)
{
    BV_REQUIRE_ENGINE(Engine::PostgreSQL);
    bv::test::PgCluster cluster;
    if (!cluster.available())
        GTEST_SKIP() << cluster.error().toStdString();
    ASSERT_TRUE(cluster.ready()) << cluster.error().toStdString();
    Db &db = dm().main();
    ASSERT_TRUE(db.open(cluster.params()));
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("adminpw")); });
    sample::Size size;
    size.counties = 1;
    size.villagesPerCounty = 4;
    size.contractors = 2;
    size.projects = 8;
    size.studies = size.registrations = size.contracts = 0;
    sample::fill(db, nullptr, size);
    session() = Session{"admin", "ostan", 1, {}};
    user().clear();
    const auto stored = [&] { return db.scalar("SELECT cmt FROM naghshe WHERE id = 7").toString(); };

    naghshe_ins &w = windows::get<naghshe_ins>();
    w.startEdit(db.rows("SELECT * FROM naghshe WHERE id = 7").front());
    const QString before = stored();

    // Stopped: the save is reported once, and the window keeps the typed note.
    ASSERT_TRUE(cluster.stop());
    w.cmt->setText(QStringLiteral("پس از قطع"));
    EXPECT_FALSE(w.saveEdit());
    EXPECT_EQ(user().messageTexts(), QStringList{connectionLostMessage});
    EXPECT_EQ(w.cmt->text(), QStringLiteral("پس از قطع"));

    // Back: the same window saves on a new connection, with no conflict.
    ASSERT_TRUE(cluster.start());
    EXPECT_EQ(stored(), before);
    user().clear();
    EXPECT_TRUE(w.saveEdit());
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ويرايش انجام شد")});
    EXPECT_EQ(stored(), QStringLiteral("پس از قطع"));

    // Restarted between opening and saving.
    w.startEdit(db.rows("SELECT * FROM naghshe WHERE id = 7").front());
    ASSERT_TRUE(cluster.stop());
    ASSERT_TRUE(cluster.start());
    w.cmt->setText(QStringLiteral("پس از راه اندازي"));
    EXPECT_TRUE(w.saveEdit());
    EXPECT_EQ(stored(), QStringLiteral("پس از راه اندازي"));
    db.close();
}
