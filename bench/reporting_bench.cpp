// Times the reporting windows over generated data: the combined report's counts
// and first screens over 100,000 projects and 100,000 studies and the credits
// register's grid over 100,000 rows, each beside the same statements run bare
// through the engine's own client library (medians of runs that alternate
// after a warm-up); and the credits report filled and laid out over about
// 10,000 projects beside the layout of 1,000 plain rows. SQLite always;
// PostgreSQL too when BORVINAT_TEST_PG names a cluster. Prints a table; never fails.
#include "appsetup.h"
#include "bench_support.h"
#include "borvinat_search.h"
#include "credits.h"
#include "creditsreport.h"
#include "naghshe_search.h"
#include "qtinteraction.h"
#include "repsearch.h"
#include "sample.h"
#include "schema_builder.h"

#include <QApplication>
#include <QTextStream>
#include <algorithm>
#include <cstdlib>

using namespace bv;
using namespace bv::reporting;
using bv::bench::timed;

namespace {
int projectCount = 100000;  // projects, studies and credit rows; the first argument may lower it for a trial
constexpr int firstScreen = 200;
constexpr int rounds = 5;

ResultSet plainRows(int n)
{
    ResultSet data;
    data.columns = {"city", "bakhsh", "dehestan", "rosta", "peymankar2", "prot_no", "prot_dat1", "prot_mablagh",
                    "pardakhti_haghighi", "pardakhti_hoghoghi"};
    for (int i = 0; i < n; ++i)
        data.rows.push_back({QStringLiteral("قوچان"), QStringLiteral("مرکزي"), QStringLiteral("زبرخان"),
                             QStringLiteral("روستاي %1").arg(i + 1), QStringLiteral("مهندسين مشاور طرح و آبادي"),
                             QString::number(8000 + i), QStringLiteral("1402/06/13"), qint64(1250000000) + i,
                             qint64(1000000000) + i, qint64(1210000000) + i});
    return data;
}

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    sample::Size size;
    size.counties = 10;
    size.villagesPerCounty = 200;
    size.contractors = 80;
    size.projects = projectCount;
    size.studies = projectCount;
    size.registrations = size.contracts = 0;
    const double took = timed([&] { sample::fill(db, nullptr, size); });
    out << QStringLiteral("%1 filled %2 projects and studies in %3 ms\n").arg(engine).arg(projectCount).arg(took, 0, 'f', 0);

    const Session admin{QStringLiteral("admin"), QStringLiteral("admin"), 1, {}};
    const QString county = db.scalar(QStringLiteral("SELECT MIN(city) FROM naghshe")).toString();
    struct Case {
        QString name;
        RepFilters filters;
        Session user;
    };
    std::vector<Case> cases(4, Case{{}, {}, admin});
    cases[0].name = QStringLiteral("no filter");
    cases[1].name = QStringLiteral("county");
    cases[1].filters.city = county;
    cases[2].name = QStringLiteral("year, village");
    cases[2].filters.tamin_sal = QStringLiteral("1399");
    cases[2].filters.rosta = QStringList{QStringLiteral("آباد")};
    cases[3].name = QStringLiteral("city user");
    cases[3].user = Session{county, QStringLiteral("city"), 0, {}};

    out << "combined report: counts and first screens\n";
    bench::printTimingHeading(out);
    for (const Case &k : cases) {
        const Conditions s = repConditions(db.dialect(), RepList::Studies, k.filters, k.user);
        const Conditions n = repConditions(db.dialect(), RepList::Survey, k.filters, k.user);
        const QStringList sql = {studies::borvinatTotalsSql(s),
                                 db.dialect().firstRows(studies::borvinatListSql(db.dialect(), s), firstScreen),
                                 survey::naghsheTotalsSql(n),
                                 db.dialect().firstRows(survey::naghsheListSql(db.dialect(), n), firstScreen)};
        bench::timeAgainstBare(
            out, k.name, rounds,
            [&] {
                const RepResult r = repSearch(db, k.filters, k.user, firstScreen);
                return r.survey.size() + r.studies.size();
            },
            [&] {
                for (int i = 0; i < sql.size(); ++i)
                    bench::bareSelect(db, sql[i], i < 2 ? s.values() : n.values());
            });
    }

    db.transaction([&] {
        Statement insert = db.statement(QStringLiteral(
            "INSERT INTO etebarat (tamin_sal, tamin_loc, tarh_cod, city, mablagh, mablagh_naghshe, mablagh_fani) "
            "VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (int i = db.scalar(QStringLiteral("SELECT COUNT(*) FROM etebarat")).toInt(); i < projectCount; ++i)
            insert.run({QString::number(1390 + i % 12), QStringLiteral("ملي"), QString::number(i), county,
                        qint64(900000000) + i, qint64(400000000), qint64(500000000) + i});
    });
    out << "credits register: grid\n";
    bench::printTimingHeading(out);
    const QString listSql = QStringLiteral("SELECT id, tamin_sal, tamin_loc, tarh_cod, city, mablagh, mablagh_naghshe, "
                                           "mablagh_fani FROM etebarat ORDER BY id");
    bench::timeAgainstBare(out, QStringLiteral("whole grid"), rounds, [&] { return creditList(db).size(); },
                           [&] { bench::bareSelect(db, listSql, {}); });

    // The report over one county's share of the projects, beside the plain layout of 1,000 rows.
    survey::NaghsheFilters f;
    f.city = QStringList{county};
    int reportRows = 0;
    std::vector<double> report, plain;
    for (int i = 0; i <= rounds; ++i) {
        const double r = timed([&] {
            report::Document doc = surveyCreditsReport(db, f, admin);
            reportRows = doc.rows().size();
            doc.layout();
        });
        const double p = timed([&] {
            report::Document doc = report::Document::load(QStringLiteral("etebarat_rep"));
            doc.setRows(plainRows(1000));
            doc.layout();
        });
        if (i > 0) {  // the first round warms up
            report.push_back(r);
            plain.push_back(p);
        }
    }
    const double rm = bench::median(report), pm = bench::median(plain);
    out << QStringLiteral("credits report: %1 rows filled and laid out %2 ms; 1,000 plain rows %3 ms; ratio %4 (goal 12)\n")
               .arg(reportRows)
               .arg(rm, 0, 'f', 1)
               .arg(pm, 0, 'f', 1)
               .arg(pm > 0 ? rm / pm : 0, 0, 'f', 2);
}
}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1)
        projectCount = std::max(1000, std::atoi(argv[1]));
    setUpApplication();
    QtInteraction interaction;  // the report reads today's date through it
    setUi(&interaction);
    QTextStream out(stdout);
    bench::onEachEngine(out, [&](const QString &engine, Db &db) { run(engine, db, out); });
    shutDownApplication();
    return 0;
}
