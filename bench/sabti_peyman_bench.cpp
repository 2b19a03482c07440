// Times the registration contractors window's search over 100,000 generated
// contractors beside the same statement run bare through the engine's own
// client library on the same connection. Each case is warmed up, then the two
// runs alternate and their medians are printed. SQLite always; PostgreSQL too
// when BORVINAT_TEST_PG names a cluster. Prints a table; never fails.
#include "bench_support.h"
#include "sabti_contractors.h"
#include "sample.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bv;
using bv::bench::median;
using bv::bench::timed;

namespace {
constexpr int contractorCount = 100000;
constexpr int rounds = 7;

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    sample::Size size;
    size.counties = 4;
    size.villagesPerCounty = 20;
    size.contractors = 0;
    size.registrationContractors = contractorCount;
    size.projects = size.studies = size.registrations = size.contracts = 0;
    const double took = timed([&] { sample::fill(db, nullptr, size); });
    out << QStringLiteral("%1 filled %2 contractors in %3 ms\n").arg(engine).arg(contractorCount).arg(took, 0, 'f', 0);

    const QString family = db.scalar(QStringLiteral("SELECT lname FROM sabti_peyman WHERE id = (SELECT MIN(id) FROM sabti_peyman)")).toString();
    struct Case {
        QString name;
        sabt::ContractorFilter filter;
    };
    std::vector<Case> cases(4);
    cases[0].name = QStringLiteral("all");
    cases[1].name = QStringLiteral("kind");
    cases[1].filter.kind = sabt::legalPerson;
    cases[2].name = QStringLiteral("family name");
    cases[2].filter.lname = family.left(3);
    cases[3].name = QStringLiteral("kind+company");
    cases[3].filter.kind = sabt::legalPerson;
    cases[3].filter.company = QStringLiteral("نقش");

    out << QStringLiteral("%1 | %2 | %3 | %4 | %5\n")
               .arg(QStringLiteral("case").leftJustified(14), QStringLiteral("rows").rightJustified(7),
                    QStringLiteral("search ms").rightJustified(10), QStringLiteral("bare ms").rightJustified(9),
                    QStringLiteral("ratio").rightJustified(6));
    for (const Case &k : cases) {
        const Conditions c = sabt::contractorConditions(db.dialect(), k.filter);
        const QString sql = sabt::contractorListSql(c);
        int rows = sabt::searchContractors(db, k.filter).size();
        bench::bareSelect(db, sql, c.values());
        std::vector<double> search, bare;
        for (int i = 0; i < rounds; ++i) {
            search.push_back(timed([&] { rows = sabt::searchContractors(db, k.filter).size(); }));
            bare.push_back(timed([&] { bench::bareSelect(db, sql, c.values()); }));
        }
        const double s = median(search), b = median(bare);
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
