// Times the studies contractors browser's count and list, and the picker's
// list, over 100,000 generated contractors beside the same statements run bare
// through the engine's own client library on the same connection. Each case is
// warmed up, then the two runs alternate and their medians are printed. SQLite
// always; PostgreSQL too when BORVINAT_TEST_PG names a cluster. Prints a
// table; never fails.
#include "bench_support.h"
#include "contractor_kinds.h"
#include "peymankaran.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bv;
using bv::bench::timed;

namespace {
constexpr int contractorCount = 100000;
constexpr int rounds = 7;

const QStringList families = {QStringLiteral("احمدي"), QStringLiteral("کريمي"), QStringLiteral("چراغي"),
                              QStringLiteral("گودرزي"), QStringLiteral("پورمحمد"), QStringLiteral("ژيان")};
const QStringList firms = {QStringLiteral("نقش جهان"), QStringLiteral("طرح و آمايش"), QStringLiteral("شهر و خانه")};

void fill(const Db &db)
{
    db.transaction([&] {
        Statement contractor = db.statement(QStringLiteral(
            "INSERT INTO peymankaran (typ, lname, fname, comp_name, nation, birthday, comp_dat) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        Statement file = db.statement(
            QStringLiteral("INSERT INTO peymankaran_pic (peymankar_id, cmt, pictyp, pic) VALUES (?, 'doc', '.txt', ?)"));
        for (int i = 1; i <= contractorCount; ++i) {
            const bool person = i % 3 != 0;
            contractor.run({person ? naturalPerson : legalPerson, families[i % families.size()] + QString::number(i),
                            QStringLiteral("نام"), person ? QString() : firms[(i / 3) % firms.size()] + QString::number(i),
                            QString::number(1000000000LL + i), QStringLiteral("1360/01/01"), QStringLiteral("    /  /  ")});
            if (i % 4 == 0)
                for (int f = 0; f < i % 6; ++f)
                    file.run({i, QByteArray("x")});
        }
    });
}

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    const double took = timed([&] { fill(db); });
    out << QStringLiteral("%1 filled %2 contractors in %3 ms\n").arg(engine).arg(contractorCount).arg(took, 0, 'f', 0);

    struct Case {
        QString name;
        ContractorFilter filter;
        bool browse;
    };
    std::vector<Case> cases = {{QStringLiteral("browse all"), {}, true},
                               {QStringLiteral("browse legal"), {legalPerson, {}, {}}, true},
                               {QStringLiteral("browse family"), {{}, QStringLiteral("چراغي1"), {}}, true},
                               {QStringLiteral("pick company"), {legalPerson, {}, QStringLiteral("آمايش")}, false},
                               {QStringLiteral("pick all"), {}, false}};
    bench::printTimingHeading(out);
    const ContractorTables &tables = study::contractorTables;
    for (const Case &k : cases) {
        const Conditions c = contractorConditions(db.dialect(), tables.contractors, k.filter);
        const QString sql = k.browse ? browseContractorsSql(db, tables, c) : pickContractorsSql(db, tables, c);
        const QString count = QStringLiteral("SELECT COUNT(*) FROM ") + tables.contractors + c.where();
        // The window counts, then lists.
        auto search = [&] {
            countContractors(db, tables, k.filter);
            return (k.browse ? browseContractors(db, tables, k.filter) : pickContractors(db, tables, k.filter)).size();
        };
        auto bare = [&] {
            bench::bareSelect(db, count, c.values());
            return bench::bareSelect(db, sql, c.values());
        };
        bench::timeAgainstBare(out, k.name, rounds, search, bare);
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
