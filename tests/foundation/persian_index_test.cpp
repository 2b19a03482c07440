// The index of the survey browser's Persian order: PostgreSQL keeps it in the
// "fa" collation, on new and existing databases; a SQLite file gets none, so
// that it stays writable by tools that do not know the collation.
#include "dialect.h"
#include "schema_builder.h"
#include "test_db.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace bv;
using bv::test::TestDatabase;

namespace {
std::optional<QString> password()
{
    return QStringLiteral("s3cret");
}

const schema::Index &persianIndex()
{
    for (const schema::Index &index : schema::findTable("naghshe")->indexes)
        if (!index.persian.empty())
            return index;
    throw std::logic_error("no Persian index on naghshe");
}
}  // namespace

TEST(PersianIndex, StatementPerEngine)
{
    const schema::Index &index = persianIndex();
    EXPECT_EQ(makeDialect(Engine::PostgreSQL)->createIndex("naghshe", index),
              QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON naghshe (city COLLATE \"fa\", rosta COLLATE \"fa\", id)")
                  .arg(QString::fromLatin1(index.name)));
    EXPECT_TRUE(makeDialect(Engine::SQLite)->createIndex("naghshe", index).isEmpty());
    EXPECT_TRUE(makeDialect(Engine::SqlServer)->createIndex("naghshe", index).endsWith("ON naghshe (city, rosta, id)"));
}

class PersianIndexTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        BV_REQUIRE_ENGINE(GetParam());
        database = std::make_unique<TestDatabase>(GetParam());
        database->open(db);
    }
    void TearDown() override { db.close(); }
    QString definition()
    {
        return db.scalar("SELECT indexdef FROM pg_indexes WHERE indexname = ?",
                         {QString::fromLatin1(persianIndex().name)})
            .toString();
    }

    std::unique_ptr<TestDatabase> database;
    Db db{QStringLiteral("persianindex")};
};

TEST_P(PersianIndexTest, BuiltOnNewAndExistingDatabases)
{
    ASSERT_TRUE(buildSchema(db, password).ok());
    if (GetParam() == Engine::PostgreSQL) {
        EXPECT_TRUE(definition().contains("COLLATE fa")) << definition().toStdString();
        // A database built before the index gets it from the next run of the builder.
        db.exec(QStringLiteral("DROP INDEX %1").arg(QString::fromLatin1(persianIndex().name)));
        EXPECT_TRUE(definition().isEmpty());
        const SchemaReport again = buildSchema(db, password);
        EXPECT_TRUE(again.ok()) << schemaReportMessage(again).toStdString();
        EXPECT_TRUE(definition().contains("COLLATE fa"));
        // The planner walks it for the browser's first screen instead of sorting every row.
        db.exec("INSERT INTO naghshe (city, rosta) SELECT 'c' || (g % 50), 'r' || g FROM generate_series(1, 20000) g");
        db.exec("ANALYZE naghshe");
        QStringList plan;
        for (const QVariantList &r :
             db.select("EXPLAIN SELECT id FROM naghshe WHERE 1=1 ORDER BY city COLLATE \"fa\", rosta COLLATE \"fa\", id "
                       "LIMIT 200")
                 .rows)
            plan << r[0].toString();
        EXPECT_TRUE(plan.join('\n').contains(QString::fromLatin1(persianIndex().name))) << plan.join('\n').toStdString();
        EXPECT_FALSE(plan.join('\n').contains("Sort")) << plan.join('\n').toStdString();
        return;
    }
    // SQLite: no index needs the collation, so a connection without it still writes.
    db.close();
    {
        QSqlDatabase plain = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plain-tool"));
        plain.setDatabaseName(database->params().host);
        ASSERT_TRUE(plain.open());
        QSqlQuery q(plain);
        EXPECT_TRUE(q.exec("INSERT INTO naghshe (city, rosta) VALUES ('x', 'y')")) << q.lastError().text().toStdString();
        EXPECT_TRUE(q.exec("UPDATE naghshe SET rosta = 'z'")) << q.lastError().text().toStdString();
        EXPECT_TRUE(q.exec("PRAGMA integrity_check"));
        plain.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("plain-tool"));
    database->open(db);
}

INSTANTIATE_TEST_SUITE_P(Engines, PersianIndexTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
