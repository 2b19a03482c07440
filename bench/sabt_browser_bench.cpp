// Times the registration browser's search over 100,000 generated jobs (count
// and list, without filters and with two list filters of three entries each)
// and the letter search of the correspondence window, each beside the same
// statements run bare through the engine's own client library on the same
// connection. Each case is warmed up, then the two runs alternate and their
// medians are printed. SQLite always; PostgreSQL too when BORVINAT_TEST_PG
// names a cluster. Prints a table; never fails.
#include "bench_support.h"
#include "sabt_search.h"
#include "sabti_correspondence.h"
#include "sample.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bv;
using bv::bench::median;
using bv::bench::timed;

namespace {
constexpr int jobCount = 100000;
constexpr int rounds = 7;

struct Case {
    QString name;
    std::function<int()> search;  // the program's count and list; the rows listed
    QString countSql, listSql;
    QVariantList values;
};

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    sample::Size size;
    size.counties = 12;
    size.villagesPerCounty = 200;
    size.contractors = 0;
    size.registrationContractors = 400;
    size.registrations = jobCount;
    size.projects = size.studies = size.contracts = 0;
    const double took = timed([&] { sample::fill(db, nullptr, size); });
    const int letters = db.scalar(QStringLiteral("SELECT COUNT(*) FROM sabti_mokatebat")).toInt();
    out << QStringLiteral("%1 filled %2 jobs and %3 letters in %4 ms\n").arg(engine).arg(jobCount).arg(letters).arg(took, 0, 'f', 0);

    const ResultSet counties = db.select(QStringLiteral("SELECT DISTINCT city FROM sabti"));
    const ResultSet contractors = db.select(QStringLiteral("SELECT DISTINCT lname FROM sabti_peyman"));
    QStringList three, names;
    for (int i = 0; i < 3 && i < counties.size(); ++i)
        three << counties.rows[size_t(i)][0].toString().left(3);
    for (int i = 0; i < 3 && i < contractors.size(); ++i)
        names << contractors.rows[size_t(i)][0].toString();

    std::vector<Case> cases;
    auto jobCase = [&](const QString &name, const sabt::JobFilters &f) {
        const Conditions c = sabt::jobConditions(db.dialect(), f);
        cases.push_back({name, [&db, f] {
                             const Conditions c = sabt::jobConditions(db.dialect(), f);
                             sabt::jobCount(db, c);
                             return sabt::jobList(db, c).size();
                         },
                         sabt::jobCountSql(c), sabt::jobListSql(c), c.values()});
    };
    jobCase(QStringLiteral("jobs, all"), {});
    sabt::JobFilters lists;
    lists.city = three;
    lists.peymankar = names;
    jobCase(QStringLiteral("jobs, 2 lists"), lists);

    sabt::LetterFilters byDate;
    byDate.dates = std::pair{QStringLiteral("1400/01/01"), QStringLiteral("1400/12/29")};
    byDate.mozo = QStringLiteral("نقشه");
    const Conditions lc = sabt::letterConditions(db.dialect(), byDate);
    cases.push_back({QStringLiteral("letters"),
                     [&db, byDate] {
                         const Conditions c = sabt::letterConditions(db.dialect(), byDate);
                         sabt::letterCount(db, c);
                         return sabt::letterList(db, c).size();
                     },
                     QStringLiteral("SELECT COUNT(*) FROM sabti_mokatebat") + lc.where(),
                     QStringLiteral("SELECT id, sabti_id, paper_no, paper_dat, taraf, mozo, typ, post FROM sabti_mokatebat")
                         + lc.where() + QStringLiteral(" ORDER BY id"),
                     lc.values()});

    out << QStringLiteral("%1 | %2 | %3 | %4 | %5\n")
               .arg(QStringLiteral("case").leftJustified(14), QStringLiteral("rows").rightJustified(7),
                    QStringLiteral("search ms").rightJustified(10), QStringLiteral("bare ms").rightJustified(9),
                    QStringLiteral("ratio").rightJustified(6));
    for (const Case &k : cases) {
        auto bare = [&] {
            bench::bareSelect(db, k.countSql, k.values);
            bench::bareSelect(db, k.listSql, k.values);
        };
        int rows = k.search();
        bare();
        std::vector<double> searched, bareTimes;
        for (int i = 0; i < rounds; ++i) {
            searched.push_back(timed([&] { rows = k.search(); }));
            bareTimes.push_back(timed(bare));
        }
        const double s = median(searched), b = median(bareTimes);
        out << QStringLiteral("%1 | %2 | %3 | %4 | %5\n")
                   .arg(k.name.leftJustified(14))
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
