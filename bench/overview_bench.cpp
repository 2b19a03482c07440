// Times the overview's numbers over 100,000 survey projects, 50,000 studies
// and 20,000 registration jobs: every chart read (its aggregate statement run
// through the data module and laid out), beside the same statements run bare
// through the engine's own client library. After a warm-up, measured and bare
// runs alternate and their medians are compared. SQLite always; PostgreSQL
// too when BORVINAT_TEST_PG names a cluster. Prints a table; never fails.
#include "bench_support.h"
#include "db.h"
#include "overview_data.h"
#include "sample.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bv;
using namespace bv::overview;
using bv::bench::timed;

namespace {
constexpr int projectCount = 100000, studyCount = 50000, registrationCount = 20000;
constexpr int warmUp = 2, rounds = 9;

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    sample::Size size;
    size.counties = 12;
    size.villagesPerCounty = 200;
    size.contractors = 80;
    size.projects = projectCount;
    size.studies = studyCount;
    size.registrationContractors = 60;
    size.registrations = registrationCount;
    size.contracts = 0;
    double took = timed([&] { sample::fill(db, nullptr, size); });
    // Four attachments for every third project, twelve for every thirtieth;
    // payment stages for two studies in three.
    took += timed([&] {
        db.transaction([&] {
            Statement add = db.statement(
                QStringLiteral("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)"));
            const ResultSet ids = db.select(QStringLiteral("SELECT id FROM naghshe"));
            for (int i = 0; i < ids.size(); i += 3)
                for (int k = 0; k < (i % 30 == 0 ? 12 : 4); ++k)
                    add.run({ids.rows[size_t(i)][0], QStringLiteral("ضميمه %1").arg(k), QByteArray("x")});
            db.exec(QStringLiteral("UPDATE borvinat SET status = ? WHERE id % 3 = 0"), {QStringLiteral("مرحله اول - 40%")});
            db.exec(QStringLiteral("UPDATE borvinat SET status = ? WHERE id % 3 = 1"), {QStringLiteral("قطعي - 100%")});
        });
    });
    // The statistics the server keeps of a database in use (its autovacuum, or
    // the office's maintenance), which a bulk fill has not given it yet.
    db.exec(db.dialect().engine() == Engine::PostgreSQL ? QStringLiteral("VACUUM ANALYZE") : QStringLiteral("ANALYZE"));
    out << QStringLiteral("%1 filled %2 projects, %3 studies, %4 registration jobs in %5 ms\n")
               .arg(engine)
               .arg(projectCount)
               .arg(studyCount)
               .arg(registrationCount)
               .arg(took, 0, 'f', 0)
        << Qt::flush;

    const Session admin{QStringLiteral("admin"), QStringLiteral("admin"), 1, {}};
    const qint64 clerk = db.insert(QStringLiteral("INSERT INTO users (us, ps, ver, lev, nam, status) "
                                                  "VALUES ('clerk', '', '', 'city', 'clerk', '')"));
    const ResultSet counties = db.select(QStringLiteral("SELECT DISTINCT city FROM abadiha"));
    for (int i = 0; i < 3 && i < counties.size(); ++i)
        db.exec(QStringLiteral("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)"), {clerk, counties.rows[size_t(i)][0]});
    const Session scoped{QStringLiteral("clerk"), QStringLiteral("city"), clerk, {}};

    struct Case {
        QString name;
        Choice choice;
        Session user;
    };
    Choice everything;
    everything.today = QStringLiteral("1401/06/15");
    Choice someYears = everything;
    someYears.years = QStringList{QStringLiteral("1399"), QStringLiteral("1400"), QStringLiteral("1401")};
    const std::vector<Case> cases = {{QStringLiteral("all, admin"), everything, admin},
                                     {QStringLiteral("3 years, admin"), someYears, admin},
                                     {QStringLiteral("county user"), everything, scoped}};

    out << QStringLiteral("%1 | %2 | %3 | %4\n")
               .arg(QStringLiteral("case").leftJustified(16), QStringLiteral("overview ms").rightJustified(11),
                    QStringLiteral("bare ms").rightJustified(8), QStringLiteral("ratio").rightJustified(6));
    for (const Case &k : cases) {
        std::vector<Aggregate> statements;
        for (ChartId id : chartIds())
            statements.push_back(aggregate(id, db.dialect(), k.choice, k.user));
        auto measured = [&] { allCharts(db, k.choice, k.user); };
        auto bare = [&] {
            for (const Aggregate &a : statements)
                bench::bareSelect(db, a.sql, a.values);
        };
        for (int i = 0; i < warmUp; ++i) {
            measured();
            bare();
        }
        std::vector<double> ours, reference;
        for (int i = 0; i < rounds; ++i) {
            ours.push_back(timed(measured));
            reference.push_back(timed(bare));
        }
        const double a = bench::median(ours), b = bench::median(reference);
        // Each chart's statement alone, bare, to show where the time goes.
        QStringList each;
        for (const Aggregate &s : statements)
            each << QString::number(timed([&] { bench::bareSelect(db, s.sql, s.values); }), 'f', 0);
        out << QStringLiteral("%1 | %2 | %3 | %4\n")
                   .arg(k.name.leftJustified(16))
                   .arg(a, 11, 'f', 1)
                   .arg(b, 8, 'f', 1)
                   .arg(b > 0 ? a / b : 0, 6, 'f', 2)
            << QStringLiteral("   each statement, bare ms: ") << each.join(QStringLiteral(", ")) << '\n'
            << Qt::flush;
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
