// The sample-data tool.
//   borvinat-sample --ensure DIR
//       makes DIR hold a ready embedded database with sample data and a
//       configuration pointing at it (the user's own configuration is untouched).
//   borvinat-sample --fill FILE [--projects N] [--villages N] [--seed N]
//       builds the schema in a SQLite file and fills it, printing the time taken.
#include "accounts.h"
#include "config.h"
#include "db.h"
#include "sample.h"
#include "sample_office.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace {

bool openSqlite(bv::Db &db, const QString &file)
{
    bv::ConnectionParams params;
    params.engine = bv::Engine::SQLite;
    params.host = file;
    QString error;
    if (!db.open(params, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(file), qPrintable(error));
        return false;
    }
    return true;
}

bool buildAndFill(const QString &mainFile, const QString &contractsFile, const bv::sample::Size &size)
{
    bv::Db main(QStringLiteral("sample-main"));
    bv::Db contracts(QStringLiteral("sample-contracts"));
    if (!openSqlite(main, mainFile) || (!contractsFile.isEmpty() && !openSqlite(contracts, contractsFile)))
        return false;
    const bv::SchemaReport report =
        bv::buildSchema(main, [] { return std::optional<QString>(bv::sample::adminPassword); });
    if (!report.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(bv::schemaReportMessage(report)));
        return false;
    }
    bv::sample::fill(main, contractsFile.isEmpty() ? nullptr : &contracts, size);
    // The sample administrator may use every page and see every county.
    const qint64 admin = main.scalar(QStringLiteral("SELECT id FROM users WHERE us = 'admin'")).toLongLong();
    std::map<QString, bv::PageRights> rights;
    for (const bv::PageKey &page : bv::pageKeys())
        rights[QString::fromLatin1(page.key)] = {true, true, true, true};
    bv::saveRights(main, admin, rights);
    QStringList counties;
    for (const QVariantList &row : main.select(QStringLiteral("SELECT DISTINCT city FROM abadiha")).rows)
        counties << row[0].toString();
    bv::saveCounties(main, admin, counties);
    return true;
}

int ensure(const QString &folder)
{
    const QDir dir(folder);
    QDir().mkpath(dir.absolutePath());
    const QString mainFile = dir.absoluteFilePath(QStringLiteral("borvinat.sqlite"));
    const QString contractsFile = dir.absoluteFilePath(QStringLiteral("protocol.sqlite"));
    if (!QFileInfo::exists(mainFile)) {
        const QString partial = mainFile + QStringLiteral(".new");
        QFile::remove(partial);
        QFile::remove(contractsFile);
        bv::sample::Size size;
        size.office = true;
        if (!buildAndFill(partial, contractsFile, size))
            return 1;
        QFile::rename(partial, mainFile);
        std::printf("Sample database ready: %s\n", qPrintable(mainFile));
    }
    bv::ConnectionConfig config(dir.absoluteFilePath(QStringLiteral("borvinat.conf")));
    config.write({{QStringLiteral("BorvinatSqlServerName"), mainFile},
                  {QStringLiteral("BorvinatDataBase"), QStringLiteral("Borvinat")},
                  {QStringLiteral("BorvinatAuthentication"), QStringLiteral("SQLite")},
                  {QStringLiteral("protocolSqlServerName"), contractsFile},
                  {QStringLiteral("protocolDataBase"), QStringLiteral("protocol")},
                  {QStringLiteral("protocolAuthentication"), QStringLiteral("SQLite")}});
    std::printf("Log in as admin with the password %s\n", qPrintable(bv::sample::adminPassword));
    QStringList staff;
    for (const bv::sample::StaffAccount &a : bv::sample::staffAccounts())
        if (a.status == QStringLiteral("فعال"))
            staff << QStringLiteral("%1 (%2)").arg(a.us, a.counties.join(QStringLiteral("، ")));
    std::printf("Staff accounts, password %s: %s\n", qPrintable(bv::sample::staffPassword),
                qPrintable(staff.join(QStringLiteral(", "))));
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--ensure"))
        return ensure(args[2]);
    if (args.size() >= 3 && args[1] == QLatin1String("--fill")) {
        bv::sample::Size size;
        for (int i = 3; i + 1 < args.size(); i += 2) {
            const int n = args[i + 1].toInt();
            if (args[i] == QLatin1String("--projects"))
                size.projects = n;
            else if (args[i] == QLatin1String("--villages"))
                size.villagesPerCounty = n / size.counties;
            else if (args[i] == QLatin1String("--seed"))
                size.seed = quint32(n);
        }
        QFile::remove(args[2]);
        QElapsedTimer timer;
        timer.start();
        if (!buildAndFill(args[2], {}, size))
            return 1;
        std::printf("%-40s %10s\n", "what", "seconds");
        std::printf("%-40s %10.2f\n", qPrintable(QStringLiteral("schema and %1 survey projects").arg(size.projects)),
                    timer.elapsed() / 1000.0);
        return 0;
    }
    std::fprintf(stderr, "usage: borvinat-sample --ensure DIR | --fill FILE [--projects N] [--villages N] [--seed N]\n");
    return 2;
}
