// Times the consultants browser's search over 100,000 generated jobs and the
// estimate requests browser's search over 100,000 requests (count and list),
// each beside the same statements run bare through the engine's own client library on the
// same connection. Each case is warmed up, then the two runs alternate and
// their medians are printed. SQLite always; PostgreSQL too when
// BORVINAT_TEST_PG names a cluster. Prints a table; never fails.
#include "bench_support.h"
#include "darkhast_requests.h"
#include "moshaveran_search.h"
#include "sample.h"
#include "sample_consultants.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bv;
using bv::bench::median;
using bv::bench::timed;

namespace {
constexpr int rowCount = 100000;
constexpr int rounds = 7;

struct Case {
    QString name;
    std::function<Conditions(const Dialect &)> conditions;
    QString table;
    std::function<QString(const Conditions &)> listSql;
    std::function<int(const Db &, const Conditions &)> search;  // count and list, as the browser runs them
};

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    sample::Size size;
    size.counties = 8;
    size.villagesPerCounty = 50;
    size.contractors = size.registrationContractors = 0;
    size.projects = size.studies = size.registrations = size.contracts = 0;
    sample::fill(db, nullptr, size);
    const double took = timed([&] { db.transaction([&] { sample::fillConsultants(db, rowCount, rowCount, 3); }); });
    out << QStringLiteral("%1 filled %2 jobs and %2 requests in %3 ms\n").arg(engine).arg(rowCount).arg(took, 0, 'f', 0);

    const QString county = db.scalar(QStringLiteral("SELECT city FROM abadiha ORDER BY id")).toString();
    const QString village = db.scalar(QStringLiteral("SELECT rosta FROM moshaveran ORDER BY id")).toString();
    const Session ostan{QStringLiteral("admin"), QStringLiteral("ostan"), 1, {}};
    const Session city{QStringLiteral("nobody"), QStringLiteral("city"), 2, {}};
    auto jobs = [&](QString name, consultants::JobFilters f, Session user) {
        return Case{name, [f, user](const Dialect &d) { return consultants::jobConditions(d, f, user); },
                    QStringLiteral("moshaveran"), consultants::jobListSql, [](const Db &d, const Conditions &c) {
                        consultants::countJobs(d, c);
                        return consultants::searchJobs(d, c).size();
                    }};
    };
    auto requests = [&](QString name, survey::RequestFilters f) {
        return Case{name, [f](const Dialect &d) { return survey::requestConditions(d, f); }, QStringLiteral("baravord"),
                    survey::requestListSql,
                    [](const Db &d, const Conditions &c) {
                        survey::countRequests(d, c);
                        return survey::searchRequests(d, c).size();
                    }};
    };
    std::vector<Case> cases;
    cases.push_back(jobs(QStringLiteral("jobs: all"), {}, ostan));
    cases.push_back(jobs(QStringLiteral("jobs: county"), {county, {}, {}, {}}, ostan));
    cases.push_back(jobs(QStringLiteral("jobs: village"), {{}, village, {}, {}}, ostan));
    cases.push_back(jobs(QStringLiteral("jobs: city user"), {}, city));
    cases.push_back(requests(QStringLiteral("requests: all"), {}));
    cases.push_back(requests(QStringLiteral("requests: county"), {county, {}, {}}));
    cases.push_back(requests(QStringLiteral("requests: dates"),
                             {{}, {}, std::pair{QStringLiteral("1402/01/01"), QStringLiteral("1402/06/31")}}));

    out << QStringLiteral("%1 | %2 | %3 | %4 | %5\n")
               .arg(QStringLiteral("case").leftJustified(18), QStringLiteral("rows").rightJustified(7),
                    QStringLiteral("search ms").rightJustified(10), QStringLiteral("bare ms").rightJustified(9),
                    QStringLiteral("ratio").rightJustified(6));
    for (const Case &k : cases) {
        const Conditions c = k.conditions(db.dialect());
        const QString sql = k.listSql(c);
        const QString countSql = QStringLiteral("SELECT COUNT(*) FROM ") + k.table + QStringLiteral(" WHERE ") + c.sql();
        auto bareRun = [&] {
            bench::bareSelect(db, countSql, c.values());
            bench::bareSelect(db, sql, c.values());
        };
        int rows = k.search(db, c);
        bareRun();
        std::vector<double> search, bare;
        for (int i = 0; i < rounds; ++i) {
            search.push_back(timed([&] { rows = k.search(db, c); }));
            bare.push_back(timed(bareRun));
        }
        const double s = median(search), b = median(bare);
        out << QStringLiteral("%1 | %2 | %3 | %4 | %5\n")
                   .arg(k.name.leftJustified(18))
                   .arg(rows, 7)
                   .arg(s, 10, 'f', 1)
                   .arg(b, 9, 'f', 1)
                   .arg(b > 0 ? s / b : 0, 6, 'f', 2);
    }
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    bench::onEachEngine(out, [&](const QString &engine, Db &db) { run(engine, db, out); });
    return 0;
}
