// Times the studies browser's search over 100,000 generated studies: the count
// and total, the first screen the window shows before the rest, and the whole
// list it loads afterwards, each beside the same statement run bare through
// the engine's own client library on the same connection (medians of runs that
// alternate after a warm-up). SQLite always; PostgreSQL too when
// BORVINAT_TEST_PG names a cluster. The attachment search over the sample's
// files of those studies is timed the same way. Prints a table; never fails.
#include "bench_support.h"
#include "borvinat_pic_search.h"
#include "borvinat_search.h"
#include "db.h"
#include "sample.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bv;
using namespace bv::studies;
using bv::bench::timed;

namespace {
constexpr int studyCount = 100000;
constexpr int firstScreen = 200;  // the window's first screen of rows
constexpr int rounds = 5;

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    sample::Size size;
    size.counties = 12;
    size.villagesPerCounty = 200;
    size.contractors = 80;
    size.studies = studyCount;
    size.projects = size.registrations = size.contracts = 0;
    const double took = timed([&] { sample::fill(db, nullptr, size); });
    out << QStringLiteral("%1 filled %2 studies in %3 ms\n").arg(engine).arg(studyCount).arg(took, 0, 'f', 0);

    const Session admin{QStringLiteral("admin"), QStringLiteral("admin"), 1, {}};
    const QString county = borvinatListPage(db, borvinatConditions(db.dialect(), {}, admin), 1)
                               .value(0, QStringLiteral("city"))
                               .toString();
    const qint64 clerk = db.insert(QStringLiteral("INSERT INTO users (us, ps, ver, lev, nam, status) "
                                                  "VALUES ('clerk', '', '', 'city', 'clerk', '')"));
    const ResultSet counties = db.select(QStringLiteral("SELECT DISTINCT city FROM abadiha"));
    for (int i = 0; i < 2 && i < counties.size(); ++i)
        db.exec(QStringLiteral("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)"), {clerk, counties.rows[i][0]});
    struct Case {
        QString name;
        BorvinatFilters filters;
        Session user;
    };
    std::vector<Case> cases(4, Case{{}, {}, admin});
    cases[0].name = QStringLiteral("no filter");
    cases[1].name = QStringLiteral("county");
    cases[1].filters.city = QStringList{county};
    cases[2].name = QStringLiteral("three filters");
    cases[2].filters.city = QStringList{county};
    cases[2].filters.etebar_sal = QStringLiteral("1399");
    cases[2].filters.tarh_typ = QStringLiteral("هادي");
    cases[3].name = QStringLiteral("county user");
    cases[3].user = Session{QStringLiteral("clerk"), QStringLiteral("city"), clerk, {}};

    for (const auto &[title, part] : {std::pair{"count and total", 0}, {"first screen", 1}, {"whole list", 2}}) {
        out << QString::fromLatin1(title) << QLatin1Char('\n');
        bench::printTimingHeading(out);
        for (const Case &k : cases) {
            const Conditions c = borvinatConditions(db.dialect(), k.filters, k.user);
            const QString sql = part == 0   ? borvinatTotalsSql(c)
                                : part == 1 ? db.dialect().firstRows(borvinatListSql(db.dialect(), c), firstScreen)
                                            : borvinatListSql(db.dialect(), c);
            const auto program = [&] {
                switch (part) {
                case 0: return int(borvinatTotals(db, c).count);
                case 1: return int(borvinatListPage(db, c, firstScreen).size());
                default: return int(borvinatList(db, c).size());
                }
            };
            bench::timeAgainstBare(out, k.name, rounds, program, [&] { bench::bareSelect(db, sql, c.values()); });
        }
    }

    std::vector<std::pair<QString, PicFilters>> picCases(3);
    picCases[0].first = QStringLiteral("no filter");
    picCases[1].first = QStringLiteral("county");
    picCases[1].second.city = county;
    picCases[2].first = QStringLiteral("three filters");
    picCases[2].second.city = county;
    picCases[2].second.tamin_sal = QStringLiteral("1399");
    picCases[2].second.cmt = db.scalar(QStringLiteral("SELECT MIN(cmt) FROM borvinat_pic")).toString();
    for (const auto &[title, whole] : {std::pair{"attachment search, count and first screen", false},
                                       {"attachment search, whole list", true}}) {
        out << QString::fromLatin1(title) << QLatin1Char('\n');
        bench::printTimingHeading(out);
        const bool all = whole;
        for (const auto &[name, filters] : picCases) {
            const Conditions c = picConditions(db.dialect(), filters);
            const QString list = all ? picListSql(c) : db.dialect().firstRows(picListSql(c), firstScreen);
            bench::timeAgainstBare(
                out, name, rounds,
                [&] {
                    if (all)
                        return int(searchPics(db, c).size());
                    countPics(db, c);
                    return int(searchPics(db, c, firstScreen).size());
                },
                [&] {
                    if (!all)
                        bench::bareSelect(db, picCountSql(c), c.values());
                    bench::bareSelect(db, list, c.values());
                });
        }
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
