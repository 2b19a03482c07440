#include "dm.h"
#include "login.h"
#include "passwords.h"
#include "sample.h"
#include "schema_builder.h"
#include "scripted.h"
#include "test_db.h"
#include "windows.h"

#include <gtest/gtest.h>

using namespace bv;
using bv::test::TestDatabase;
using bv::test::user;

namespace {
std::optional<QString> samplePassword()
{
    return QStringLiteral("s3cret");
}

QStringList definedColumns(const schema::Table &table)
{
    QStringList out;
    for (const schema::Column &c : table.columns)
        out << QString::fromLatin1(c.name).toLower();
    return out;
}

int count(const Db &db, const QString &table)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}
}  // namespace

class SchemaTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        BV_REQUIRE_ENGINE(GetParam());
        database = std::make_unique<TestDatabase>(GetParam());
        database->open(db);
    }
    void TearDown() override { db.close(); }

    std::unique_ptr<TestDatabase> database;
    Db db{QStringLiteral("schematest")};
};

TEST_P(SchemaTest, OneRunCreatesEverythingAndASecondChangesNothing)
{
    const SchemaReport first = buildSchema(db, samplePassword);
    EXPECT_TRUE(first.ok()) << schemaReportMessage(first).toStdString();
    EXPECT_EQ(first.createdTables.size(), qsizetype(schema::allTables().size()));
    for (const schema::Table &table : schema::allTables())
        EXPECT_EQ(db.columns(QString::fromLatin1(table.name)), definedColumns(table)) << table.name;

    const auto admins = db.rows("SELECT id, us, ps, lev, ver, status FROM users");
    ASSERT_EQ(admins.size(), 1u);
    EXPECT_EQ(admins[0]["us"].toString(), "admin");
    EXPECT_EQ(admins[0]["status"].toString(), QStringLiteral("فعال"));
    EXPECT_TRUE(isPasswordHash(admins[0]["ps"].toString()));
    EXPECT_TRUE(verifyPassword("s3cret", admins[0]["ps"].toString()));
    const auto rights = db.rows("SELECT prs_id, page_name, darj, virayesh, hazf, namayesh FROM dastrasi");
    ASSERT_EQ(rights.size(), 1u);
    EXPECT_EQ(rights[0]["prs_id"], admins[0]["id"]);
    EXPECT_EQ(rights[0]["page_name"].toString(), "karbaran");
    for (const char *flag : {"darj", "virayesh", "hazf", "namayesh"})
        EXPECT_EQ(rights[0][flag].toInt(), 1);

    bool asked = false;
    const SchemaReport second = buildSchema(db, [&] {
        asked = true;
        return samplePassword();
    });
    EXPECT_FALSE(asked);
    EXPECT_TRUE(second.ok());
    EXPECT_TRUE(second.createdTables.isEmpty());
    EXPECT_TRUE(second.addedColumns.isEmpty());
    EXPECT_EQ(schemaReportMessage(second), QStringLiteral("همه تنظيمات انجام شد"));
    EXPECT_EQ(count(db, "users"), 1);
    EXPECT_EQ(count(db, "dastrasi"), 1);
}

TEST_P(SchemaTest, OlderTablesGainTheirLaterColumnsAndKeepTheirRows)
{
    for (const char *name : {"naghshe", "peymankar", "sabti_peyman"}) {
        const schema::Table &full = *schema::findTable(name);
        schema::Table old{full.name, {full.columns.begin(), full.columns.begin() + 5}};
        db.exec(db.dialect().createTable(old));
        const QString second = QString::fromLatin1(old.columns[1].name);
        db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(name, second), {"kept"});
    }
    const SchemaReport report = buildSchema(db, samplePassword);
    EXPECT_TRUE(report.ok()) << schemaReportMessage(report).toStdString();
    for (const char *name : {"naghshe", "peymankar", "sabti_peyman"}) {
        const schema::Table &full = *schema::findTable(name);
        EXPECT_EQ(db.columns(name), definedColumns(full)) << name;
        EXPECT_EQ(count(db, name), 1);
        EXPECT_TRUE(report.addedColumns.contains(QString(name) + "." + full.columns.back().name));
    }
}

TEST_P(SchemaTest, NoAdministratorPasswordChangesNothing)
{
    const SchemaReport report = buildSchema(db, [] { return std::optional<QString>(); });
    EXPECT_TRUE(report.cancelled);
    EXPECT_TRUE(db.tables().filter(QRegularExpression("^(users|naghshe|log)$")).isEmpty());
}

TEST_P(SchemaTest, SampleGeneratorFillsDeterministically)
{
    buildSchema(db, samplePassword);
    Db contracts(QStringLiteral("schematest-contracts"));
    TestDatabase contractsDb(GetParam());
    contractsDb.open(contracts);
    sample::Size size;
    size.counties = 3;
    size.villagesPerCounty = 10;
    size.contractors = 6;
    size.projects = 50;
    size.studies = 20;
    size.registrations = 10;
    size.contracts = 15;
    sample::fill(db, &contracts, size);
    EXPECT_EQ(count(db, "abadiha"), 30);
    EXPECT_EQ(count(db, "peymankar"), 6);
    EXPECT_EQ(count(db, "naghshe"), 50);
    EXPECT_EQ(count(db, "borvinat"), 20);
    EXPECT_EQ(count(db, "sabti"), 10);
    EXPECT_EQ(count(contracts, "prot"), 15);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM setting WHERE component = ?", {QStringLiteral("رمز حذف")}).toInt(), 1);
    // Village codes are 12 digits kept as text.
    for (const Row &r : db.rows("SELECT cod FROM abadiha"))
        EXPECT_TRUE(QRegularExpression("^\\d{12}$").match(r["cod"].toString()).hasMatch()) << r["cod"].toString().toStdString();
    // Every project names an existing contractor and village.
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM naghshe n WHERE NOT EXISTS (SELECT 1 FROM peymankar p WHERE p.id = n.peymankar_id)").toInt(), 0);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM naghshe n WHERE NOT EXISTS (SELECT 1 FROM abadiha a WHERE a.cod = n.cod)").toInt(), 0);
    const QString first = db.scalar("SELECT rosta FROM naghshe ORDER BY id").toString();

    TestDatabase again(GetParam());
    Db other(QStringLiteral("schematest-again"));
    again.open(other);
    buildSchema(other, samplePassword);
    sample::fill(other, nullptr, size);
    EXPECT_EQ(other.scalar("SELECT rosta FROM naghshe ORDER BY id").toString(), first);
    other.close();
    contracts.close();
}

INSTANTIATE_TEST_SUITE_P(Engines, SchemaTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

TEST(SchemaDdl, SqlServerStatements)
{
    const auto dialect = makeDialect(Engine::SqlServer);
    EXPECT_EQ(dialect->createTable(*schema::findTable("log")),
              "CREATE TABLE log (id INT IDENTITY(1,1) PRIMARY KEY, karbar NVARCHAR(150), ip NVARCHAR(20), "
              "computer_name NVARCHAR(255), saat NVARCHAR(30), tarikh NVARCHAR(10), cmt NVARCHAR(500), "
              "saat_sys DATETIME DEFAULT GETDATE())");
    EXPECT_EQ(dialect->createTable(*schema::findTable("zamaem")),
              "CREATE TABLE zamaem (pk INT IDENTITY(1,1) PRIMARY KEY, cmt NVARCHAR(200), ramz NVARCHAR(20), "
              "pictype NVARCHAR(10), pic VARBINARY(MAX))");
    EXPECT_EQ(dialect->createTable(*schema::findTable("etebarat")),
              "CREATE TABLE etebarat (id INT IDENTITY(1,1) PRIMARY KEY, tamin_sal NVARCHAR(4), tamin_loc NVARCHAR(50), "
              "tarh_cod NVARCHAR(50), city NVARCHAR(30), mablagh MONEY, mablagh_naghshe MONEY, mablagh_fani MONEY)");
    EXPECT_EQ(dialect->createTable(*schema::findTable("dastrasi")),
              "CREATE TABLE dastrasi (id INT IDENTITY(1,1) PRIMARY KEY, prs_id INT, page_name NVARCHAR(25), "
              "darj BIT, virayesh BIT, hazf BIT, namayesh BIT)");
    EXPECT_EQ(dialect->addColumn("naghshe", {"gps_mablagh", schema::ColType::Money}),
              "ALTER TABLE naghshe ADD gps_mablagh MONEY");
    EXPECT_EQ(dialect->createIndex("dastrasi", {"ix_dastrasi_prs_id_page_name", {"prs_id", "page_name"}}),
              "IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = 'ix_dastrasi_prs_id_page_name') "
              "CREATE INDEX ix_dastrasi_prs_id_page_name ON dastrasi (prs_id, page_name)");
    EXPECT_NE(schema::findTable("BORVINAT_ARZYABI_MOSHAVER"), nullptr);
}

TEST(SchemaBuilderWindow, AsksForTheAdministratorPasswordAndReports)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("new.sqlite");
    ConnectionConfig().write({{"BorvinatSqlServerName", file}, {"BorvinatAuthentication", "SQLite"}});
    user().inputs = {QString(), QStringLiteral("pw")};
    windows::get<login>().buildSchema();
    EXPECT_EQ(user().messageTexts(),
              (QStringList{QStringLiteral("رمز عبور را وارد نمائيد"), QStringLiteral("همه تنظيمات انجام شد")}));
    ASSERT_TRUE(dm().main().isOpen());
    EXPECT_TRUE(verifyPassword("pw", dm().main().scalar("SELECT ps FROM users WHERE us = 'admin'").toString()));
    dm().main().close();
}
