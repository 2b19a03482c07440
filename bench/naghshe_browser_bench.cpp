// Times the survey browser's search over 100,000 generated projects: the totals,
// the first screen (finalised count and the first rows) the window shows before
// the rest, and the whole list it loads afterwards,
// each beside the same statement run bare through the engine's own client
// library on the same connection. SQLite always; PostgreSQL too when
// BORVINAT_TEST_PG names a cluster ("host:port:user:password"). Prints a
// table; never fails.
#include "db.h"
#include "naghshe_search.h"
#include "sample.h"
#include "schema_builder.h"
#include "xlsxexport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QTextStream>

#include <libpq-fe.h>
#include <sqlite3.h>

using namespace bv;
using namespace bv::survey;

namespace {
constexpr int projectCount = 100000;
constexpr int firstScreen = 200;  // the window's first screen of rows

double millis(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

template <typename F>
double timed(F &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return millis(timer);
}

// Runs `sql` with `values` through the driver's native handle, reading every
// field as text, and returns the rows read.
int bare(const Db &db, const QString &sql, const QVariantList &values)
{
    const QVariant handle = db.handle().driver()->handle();
    int rows = 0;
    if (db.dialect().engine() == Engine::SQLite) {
        sqlite3 *h = *static_cast<sqlite3 *const *>(handle.data());
        sqlite3_stmt *st = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK)
            return -1;
        std::vector<QByteArray> bound;
        for (int i = 0; i < values.size(); ++i) {
            bound.push_back(values[i].toString().toUtf8());
            sqlite3_bind_text(st, i + 1, bound.back().constData(), int(bound.back().size()), SQLITE_TRANSIENT);
        }
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                sqlite3_column_text(st, c);
            ++rows;
        }
        sqlite3_finalize(st);
        return rows;
    }
    PGconn *h = *static_cast<PGconn *const *>(handle.data());
    QString numbered;
    int n = 0;
    for (const QChar ch : sql)
        numbered += ch == QLatin1Char('?') ? QStringLiteral("$%1").arg(++n) : QString(ch);
    std::vector<QByteArray> bound;
    std::vector<const char *> params;
    for (const QVariant &v : values)
        bound.push_back(v.toString().toUtf8());
    for (const QByteArray &b : bound)
        params.push_back(b.constData());
    PGresult *r = PQexecParams(h, numbered.toUtf8().constData(), int(params.size()), nullptr, params.data(), nullptr,
                               nullptr, 0);
    if (PQresultStatus(r) == PGRES_TUPLES_OK) {
        rows = PQntuples(r);
        const int columns = PQnfields(r);
        for (int i = 0; i < rows; ++i)
            for (int c = 0; c < columns; ++c)
                PQgetvalue(r, i, c);
    } else {
        rows = -1;
    }
    PQclear(r);
    return rows;
}

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    sample::Size size;
    size.counties = 12;
    size.villagesPerCounty = 200;
    size.contractors = 80;
    size.projects = projectCount;
    size.studies = size.registrations = size.contracts = 0;
    double took = timed([&] { sample::fill(db, nullptr, size); });
    // Four attachments for every third project, twelve for every thirtieth,
    // without contents worth the name.
    took += timed([&] {
        db.transaction([&] {
            Statement add = db.statement(
                QStringLiteral("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)"));
            const ResultSet ids = db.select(QStringLiteral("SELECT id FROM naghshe"));
            for (int i = 0; i < ids.size(); i += 3)
                for (int k = 0; k < (i % 30 == 0 ? 12 : 4); ++k)
                    add.run({ids.rows[i][0], QStringLiteral("ضميمه %1").arg(k), QByteArray("x")});
        });
    });
    out << QStringLiteral("%1 filled %2 projects in %3 ms\n").arg(engine).arg(projectCount).arg(took, 0, 'f', 0);

    Session admin{QStringLiteral("admin"), QStringLiteral("admin"), 1, {}};
    const ResultSet first = naghsheListPage(db, naghsheConditions(db.dialect(), {}, admin), 1);
    const QString county = first.value(0, QStringLiteral("city")).toString();
    // A county user who may see two counties.
    const qint64 clerk = db.insert(QStringLiteral("INSERT INTO users (us, ps, ver, lev, nam, status) "
                                                  "VALUES ('clerk', '', '', 'city', 'clerk', '')"));
    const ResultSet counties = db.select(QStringLiteral("SELECT DISTINCT city FROM abadiha"));
    for (int i = 0; i < 2 && i < counties.size(); ++i)
        db.exec(QStringLiteral("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)"), {clerk, counties.rows[i][0]});
    const Session scoped{QStringLiteral("clerk"), QStringLiteral("city"), clerk, {}};
    struct Case {
        QString name;
        NaghsheFilters filters;
        Session user;
    };
    std::vector<Case> cases(4, Case{{}, {}, admin});
    cases[0].name = QStringLiteral("no filter");
    cases[1].name = QStringLiteral("county");
    cases[1].filters.city = QStringList{county};
    cases[2].name = QStringLiteral("three filters");
    cases[2].filters.city = QStringList{county};
    cases[2].filters.tamin_sal = QStringLiteral("1399");
    cases[2].filters.contractDates = std::pair<QString, QString>{QStringLiteral("1398/01/01"), QStringLiteral("1401/12/29")};
    cases[3].name = QStringLiteral("county user");
    cases[3].user = scoped;

    out << QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6 | %7 | %8\n")
               .arg(QStringLiteral("case").leftJustified(14), QStringLiteral("rows").rightJustified(6),
                    QStringLiteral("totals ms").rightJustified(9), QStringLiteral("bare ms").rightJustified(8),
                    QStringLiteral("screen ms").rightJustified(9), QStringLiteral("bare ms").rightJustified(8),
                    QStringLiteral("list ms").rightJustified(8), QStringLiteral("bare ms").rightJustified(8));
    for (const Case &k : cases) {
        const Conditions c = naghsheConditions(db.dialect(), k.filters, k.user);
        ResultSet rows;
        NaghsheTotals totals;
        // What the window does before it shows anything: totals, finalised count, first screen.
        const double sums = timed([&] { totals = naghsheTotals(db, c); });
        const double sumsBare = timed([&] { bare(db, naghsheTotalsSql(c), c.values()); });
        const double screen = timed([&] {
            finalisedCount(db, c);
            naghsheListPage(db, c, firstScreen);
        });
        const double screenBare = timed([&] {
            bare(db, naghsheFinalisedSql(c), c.values());
            bare(db, db.dialect().firstRows(naghsheListSql(db.dialect(), c), firstScreen), c.values());
        });
        const double list = timed([&] { rows = naghsheList(db, c); });
        const double listBare = timed([&] { bare(db, naghsheListSql(db.dialect(), c), c.values()); });
        out << QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6 | %7 | %8\n")
                   .arg(k.name.leftJustified(14))
                   .arg(totals.count, 6)
                   .arg(sums, 9, 'f', 1)
                   .arg(sumsBare, 8, 'f', 1)
                   .arg(screen, 9, 'f', 1)
                   .arg(screenBare, 8, 'f', 1)
                   .arg(list, 8, 'f', 1)
                   .arg(listBare, 8, 'f', 1);
        if (k.name == QStringLiteral("no filter")) {
            QTemporaryDir dir;
            const double sheet = timed([&] {
                writeSpreadsheet(dir.filePath(QStringLiteral("list.xlsx")), rows, comprehensiveHeadings());
            });
            const double html = timed([&] { htmlList(rows).toUtf8(); });
            out << QStringLiteral("  export of %1 rows: spreadsheet %2 ms, HTML %3 ms\n")
                       .arg(rows.size())
                       .arg(sheet, 0, 'f', 0)
                       .arg(html, 0, 'f', 0);
        }
    }
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    QString error;
    {
        Db db(QStringLiteral("bench-sqlite"));
        ConnectionParams params;
        params.engine = Engine::SQLite;
        params.host = dir.filePath(QStringLiteral("bench.db"));
        if (db.open(params, &error))
            run(QStringLiteral("SQLite"), db, out);
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
        const QString name = QStringLiteral("bv_browser_bench_%1").arg(QCoreApplication::applicationPid());
        Db admin(QStringLiteral("bench-pg-admin"));
        if (admin.open(params, &error)) {
            admin.exec(QStringLiteral("CREATE DATABASE ") + name);
            {
                Db db(QStringLiteral("bench-pg"));
                params.database = name;
                if (db.open(params, &error))
                    run(QStringLiteral("PostgreSQL"), db, out);
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
