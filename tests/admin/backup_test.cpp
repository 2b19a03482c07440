#include "admin_fixture.h"
#include "backup.h"
#include "backupfile.h"
#include "sample.h"
#include "windows.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <map>

using namespace bv;
using bv::test::AdminTest;
using bv::test::TestDatabase;
using bv::test::user;

namespace {
const QString done = QStringLiteral("فايل پشتيبان تهيه شد");
const QString failed = QStringLiteral("خطا! لطفا از مسير داده شده مطمئن شويد");
// 1402/06/13.
const QDate backupDay(2023, 9, 4);

std::map<QString, int> rowCounts(const Db &db)
{
    std::map<QString, int> counts;
    for (const QString &table : db.tables())
        counts[table] = db.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    return counts;
}

void runBackup(const QString &folder)
{
    user().todayValue = backupDay;
    backup &w = windows::get<backup>();
    w.folder->setText(folder);
    w.ins_btn->click();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}
}  // namespace

TEST(BackupName, NamedAfterTheJalaliDateWithTwoDigitMonthAndDay)
{
    EXPECT_EQ(backupFileName("1402/06/13"), "tolvan1402_06_13");
    EXPECT_EQ(backupFileName("1403/01/01"), "tolvan1403_01_01");
}

TEST(BackupName, TheServerStatementQuotesTheCatalogAndBindsThePath)
{
    const auto sqlServer = makeDialect(Engine::SqlServer);
    EXPECT_EQ(serverBackupStatement(*sqlServer, "Borvinat"), "BACKUP DATABASE [Borvinat] TO DISK = ?");
    EXPECT_EQ(serverBackupStatement(*sqlServer, "x]; DROP DATABASE y; --"),
              "BACKUP DATABASE [x]]; DROP DATABASE y; --] TO DISK = ?");
    EXPECT_EQ(serverBackupPath("D:\\Bak", "tolvan1402_06_13"), "D:\\Bak\\tolvan1402_06_13");
    EXPECT_EQ(serverBackupPath("D:\\Bak\\", "tolvan1402_06_13"), "D:\\Bak\\tolvan1402_06_13");
    EXPECT_EQ(makeDialect(Engine::PostgreSQL)->quoteIdentifier("a\"b"), "\"a\"\"b\"");
}

TEST(BackupName, PgDumpIsFoundOutsideThePathInTheVersionedInstallFolders)
{
    if (QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty())
        GTEST_SKIP() << "no PostgreSQL install folder";
    QTemporaryDir emptyBin;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", emptyBin.path().toUtf8());
    const QString found = pgDumpProgram();
    qputenv("PATH", path);
    EXPECT_TRUE(found.startsWith("/usr/lib/postgresql/")) << found.toStdString();
    EXPECT_TRUE(found.endsWith("/bin/pg_dump")) << found.toStdString();
}

class BackupTest : public AdminTest {
protected:
    void fillSample()
    {
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 10;
        size.contractors = 6;
        size.projects = 60;
        size.studies = 20;
        size.registrations = 10;
        sample::fill(db(), nullptr, size);
    }

    // The row counts of the backup, read back through the engine's own restore.
    std::map<QString, int> restoredCounts(const QString &file)
    {
        if (GetParam() == Engine::SQLite) {
            Db copy(QStringLiteral("backup-copy"));
            ConnectionParams params;
            params.host = file;
            EXPECT_TRUE(copy.open(params));
            return rowCounts(copy);
        }
        TestDatabase target(Engine::PostgreSQL);
        const ConnectionParams &p = target.params();
        QProcess restore;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PGHOST", p.host);
        env.insert("PGPORT", QString::number(p.port));
        env.insert("PGUSER", p.user);
        env.insert("PGPASSWORD", p.password);
        restore.setProcessEnvironment(env);
        restore.start(QFileInfo(pgDumpProgram()).dir().filePath("pg_restore"),
                      {"--no-owner", "--dbname=" + p.database, file});
        EXPECT_TRUE(restore.waitForFinished(-1));
        EXPECT_EQ(restore.exitCode(), 0) << restore.readAllStandardError().toStdString();
        Db copy(QStringLiteral("backup-copy"));
        target.open(copy);
        return rowCounts(copy);
    }
};

TEST_P(BackupTest, TheBackupHoldsEveryTableAndRow)
{
    fillSample();
    QTemporaryDir folder;
    runBackup(folder.path());
    EXPECT_EQ(user().messageTexts(), QStringList{done});
    EXPECT_EQ(filesIn(folder.path()), QStringList{"tolvan1402_06_13"});

    // The same day's second backup replaces the first.
    db().exec("INSERT INTO phone (name, tel, cmt) VALUES ('after', '1', '')");
    user().clear();
    runBackup(folder.path());
    EXPECT_EQ(user().messageTexts(), QStringList{done});
    EXPECT_EQ(filesIn(folder.path()), QStringList{"tolvan1402_06_13"});

    const std::map<QString, int> original = rowCounts(db());
    EXPECT_GT(original.at("naghshe"), 0);
    EXPECT_EQ(original.at("phone"), 1);
    EXPECT_EQ(restoredCounts(folder.filePath("tolvan1402_06_13")), original);
}

TEST_P(BackupTest, AFailedBackupSaysSoAndLeavesNoFile)
{
    QTemporaryDir folder;
    runBackup("");
    runBackup(folder.filePath("missing"));
    EXPECT_EQ(user().messageTexts(), (QStringList{failed, failed + "\n" + folder.filePath("missing")}));

    user().clear();
    QTemporaryDir fakeBin;
    const QByteArray path = qgetenv("PATH");
    if (GetParam() == Engine::SQLite) {
        // VACUUM cannot run inside a transaction.
        ASSERT_TRUE(db().handle().transaction());
        runBackup(folder.path());
        db().handle().rollback();
    } else {
        // A pg_dump that writes half a file and fails, noting what it was given.
        QFile script(fakeBin.filePath("pg_dump"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\n"
                                    "for a in \"$@\"; do case \"$a\" in --file=*) f=\"${a#--file=}\";; esac; done\n"
                                    "echo partial > \"$f\"\n"
                                    "printf '%s\\n' \"$@\" > '%1/args'\n"
                                    "printf '%s' \"$PGPASSWORD\" > '%1/password'\n"
                                    "echo 'pg_dump: error: disk full' >&2\n"
                                    "exit 1\n")
                         .arg(fakeBin.path())
                         .toUtf8());
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("PATH", fakeBin.path().toUtf8() + ":" + path);
        runBackup(folder.path());
        qputenv("PATH", path);
        QFile args(fakeBin.filePath("args")), password(fakeBin.filePath("password"));
        ASSERT_TRUE(args.open(QIODevice::ReadOnly));
        ASSERT_TRUE(password.open(QIODevice::ReadOnly));
        EXPECT_EQ(password.readAll(), database->params().password.toUtf8());
        EXPECT_FALSE(args.readAll().contains(database->params().password.toUtf8()));
    }
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_TRUE(user().lastMessage().startsWith(failed + "\n")) << user().lastMessage().toStdString();
    EXPECT_EQ(filesIn(folder.path()), QStringList{});
}

INSTANTIATE_TEST_SUITE_P(Engines, BackupTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
