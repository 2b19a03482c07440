// Times the meeting search's count and list over 100,000 generated guests of
// 5,000 studies beside the same statements run bare through the engine's own
// client library on the same connection. Each case is warmed up, then the two
// runs alternate and their medians are printed. SQLite always; PostgreSQL too
// when BORVINAT_TEST_PG names a cluster. Prints a table; never fails.
#include "bench_support.h"
#include "jalasat_guests.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bv;
using bv::bench::timed;

namespace {
constexpr int studyCount = 5000;
constexpr int guestCount = 100000;
constexpr int rounds = 7;

const QStringList counties = {QStringLiteral("اراک"), QStringLiteral("ساوه"), QStringLiteral("خمين"),
                              QStringLiteral("محلات"), QStringLiteral("دليجان")};
const QStringList offices = {QStringLiteral("فرمانداري"), QStringLiteral("بخشداري"), QStringLiteral("دهياري"),
                             QStringLiteral("جهاد کشاورزي"), QStringLiteral("منابع طبيعي"),
                             QStringLiteral("راه و شهرسازي"), QStringLiteral("ميراث فرهنگي"),
                             QStringLiteral("آب و فاضلاب روستايي")};
const QStringList experts = {QStringLiteral("احمدي"), QStringLiteral("کريمي"), QStringLiteral("چراغي"),
                             QStringLiteral("گودرزي"), QString()};

void fill(const Db &db)
{
    db.transaction([&] {
        Statement study = db.statement(
            QStringLiteral("INSERT INTO borvinat (city, bakhsh, dehestan, rosta, khanevar, jamiyat) VALUES (?, ?, ?, ?, ?, ?)"));
        for (int i = 1; i <= studyCount; ++i)
            study.run({counties[i % counties.size()], QStringLiteral("مرکزي"), QStringLiteral("دهستان ") + QString::number(i % 40),
                       QStringLiteral("روستا") + QString::number(i), 50 + i % 300, 200 + i % 1200});
        Statement guest = db.statement(QStringLiteral(
            "INSERT INTO jalasat (borvinat_id, dat, org, shakhs, hozor, jalase_no, title) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < guestCount; ++i) {
            const QString expert = experts[i % experts.size()];
            const QString dat = QStringLiteral("14%1/%2/%3")
                                    .arg(i % 4, 2, 10, QLatin1Char('0'))
                                    .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
            guest.run({1 + i % studyCount, dat, offices[(i / studyCount) % offices.size()],
                       expert.isEmpty() ? expert : expert + QString::number(i % 97), expert.isEmpty() ? 0 : 1,
                       QString::number(1 + i % 4), i % 5 == 0 ? QStringLiteral("کميته تصويب") : QStringLiteral("کميته فني")});
        }
    });
}

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    const double took = timed([&] { fill(db); });
    out << QStringLiteral("%1 filled %2 guests in %3 ms\n").arg(engine).arg(guestCount).arg(took, 0, 'f', 0);

    struct Case {
        QString name;
        studies::MeetingFilters filters;
    };
    studies::MeetingFilters dates, office, expert, village;
    dates.dates = std::pair{QStringLiteral("1401/01/01"), QStringLiteral("1401/06/31")};
    office.org = QStringLiteral("جهاد");
    expert.shakhs = QStringLiteral("چراغي1");
    village.city = QStringLiteral("ساوه");
    village.rosta = QStringLiteral("روستا12");
    const std::vector<Case> cases = {{QStringLiteral("all"), {}},
                                     {QStringLiteral("date range"), dates},
                                     {QStringLiteral("office"), office},
                                     {QStringLiteral("expert"), expert},
                                     {QStringLiteral("village"), village}};
    bench::printTimingHeading(out);
    for (const Case &k : cases) {
        const Conditions c = studies::meetingConditions(db.dialect(), k.filters);
        // The window lists, then counts.
        auto search = [&] {
            const int rows = studies::meetingList(db, k.filters).size();
            studies::meetingCount(db, k.filters);
            return rows;
        };
        auto bare = [&] {
            const int rows = bench::bareSelect(db, studies::meetingListSql(c), c.values());
            bench::bareSelect(db, studies::meetingCountSql(c), c.values());
            return rows;
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
