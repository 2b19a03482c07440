// Times the replace-from-spreadsheet import of 50,000 villages: writing the
// sheet, reading it back, and replacing the registry (one transaction, one
// prepared statement). SQLite always; PostgreSQL too when BORVINAT_TEST_PG
// names a cluster ("host:port:user:password", database "postgres" is used to
// create a throwaway one). Prints a table; never fails.
#include "db.h"
#include "schema_builder.h"
#include "villages.h"
#include "xlsxexport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

using namespace bv;

namespace {
constexpr int villageCount = 50000;

ResultSet sampleVillages()
{
    const QStringList cities = {QStringLiteral("اراک"), QStringLiteral("ساوه"), QStringLiteral("خمين"),
                                QStringLiteral("محلات"), QStringLiteral("تفرش")};
    ResultSet rows;
    for (const QString &c : villageColumns())
        rows.columns << c.toLower();
    rows.rows.reserve(villageCount);
    for (int i = 0; i < villageCount; ++i)
        rows.rows.push_back({QStringLiteral("مرکزي"), cities[i % 5], QStringLiteral("بخش %1").arg(i % 40),
                             QStringLiteral("دهستان %1").arg(i % 400), QStringLiteral("روستاي %1").arg(i),
                             20 + i % 900, 1.05, QStringLiteral("49.%1").arg(i), QStringLiteral("34.%1").arg(i),
                             QString::number(100000000000LL + i), 100 + i % 3000, 1.1, 1});
    return rows;
}

double millis(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void importInto(const QString &engine, Db &db, const SheetTable &sheet, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    QElapsedTimer timer;
    timer.start();
    const QString error = replaceVillages(db, sheet);
    const double took = millis(timer);
    const int stored = db.scalar(QStringLiteral("SELECT COUNT(*) FROM abadiha")).toInt();
    out << QStringLiteral("%1 import  %2 ms  (%3 villages stored%4)\n")
               .arg(engine.leftJustified(10))
               .arg(took, 9, 'f', 0)
               .arg(stored)
               .arg(error.isEmpty() ? QString() : QStringLiteral(", error: ") + error);
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("villages.xlsx"));

    QElapsedTimer timer;
    timer.start();
    const QString written = writeSpreadsheet(path, sampleVillages(), villageExportHeadings());
    out << QStringLiteral("write sheet       %1 ms%2\n")
               .arg(millis(timer), 9, 'f', 0)
               .arg(written.isEmpty() ? QString() : QStringLiteral(" error: ") + written);
    timer.restart();
    QString error;
    const std::optional<SheetTable> sheet = readSheet(path, QStringLiteral("Sheet1"), &error);
    out << QStringLiteral("read sheet        %1 ms  (%2 rows)\n").arg(millis(timer), 9, 'f', 0).arg(sheet ? sheet->rows.size() : 0);
    if (!sheet) {
        out << "unreadable: " << error << "\n";
        return 0;
    }

    {
        Db db(QStringLiteral("bench-sqlite"));
        ConnectionParams params;
        params.engine = Engine::SQLite;
        params.host = dir.filePath(QStringLiteral("bench.db"));
        if (db.open(params, &error))
            importInto(QStringLiteral("SQLite"), db, *sheet, out);
        else
            out << "SQLite: " << error << "\n";
    }

    const QStringList pg = qEnvironmentVariable("BORVINAT_TEST_PG").split(QLatin1Char(':'));
    if (pg.size() == 4) {
        ConnectionParams params;
        params.engine = Engine::PostgreSQL;
        params.host = pg[0];
        params.port = pg[1].toInt();
        params.user = pg[2];
        params.password = pg[3];
        params.database = QStringLiteral("postgres");
        const QString name = QStringLiteral("bv_village_bench_%1").arg(QCoreApplication::applicationPid());
        Db admin(QStringLiteral("bench-pg-admin"));
        if (admin.open(params, &error)) {
            admin.exec(QStringLiteral("CREATE DATABASE ") + name);
            {
                Db db(QStringLiteral("bench-pg"));
                params.database = name;
                if (db.open(params, &error))
                    importInto(QStringLiteral("PostgreSQL"), db, *sheet, out);
                else
                    out << "PostgreSQL: " << error << "\n";
            }
            admin.exec(QStringLiteral("DROP DATABASE ") + name);
        } else {
            out << "PostgreSQL: " << error << "\n";
        }
    }
    return 0;
}
