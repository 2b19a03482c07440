// Times the surveying cameras browser over 100,000 instruments, without and
// with its filters (the count with the first screen of rows the window shows
// at once, and the whole list it loads afterwards), and the events of one
// instrument, beside the same
// statements run bare through the engine's own client library: one warm-up
// run, then measured and bare runs alternately, medians printed. SQLite
// always; PostgreSQL too when BORVINAT_TEST_PG names a cluster. Prints a
// table; never fails.
#include "bench_support.h"
#include "cameras.h"
#include "db.h"
#include "sample.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bv;
using namespace bv::survey;
using bv::bench::median;
using bv::bench::timed;

namespace {
constexpr int cameraCount = 100000;
constexpr int runs = 5;
constexpr int firstScreen = 200;  // the window's first screen of rows

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    sample::Size size;
    size.counties = 12;
    size.villagesPerCounty = 10;
    size.contractors = 10;
    size.projects = 100;
    size.studies = size.registrations = size.contracts = 0;
    double took = timed([&] { sample::fill(db, nullptr, size); });
    const QStringList models = {QStringLiteral("توتال استيشن لايکا TS06"), QStringLiteral("GPS دو فرکانسه ساوت"),
                                QStringLiteral("ترازياب نيکون AC-2S")};
    took += timed([&] {
        db.transaction([&] {
            const ResultSet counties = db.select(QStringLiteral("SELECT city FROM abadiha GROUP BY city"));
            Statement add = db.statement(QStringLiteral("INSERT INTO dorbin (city, typ, cod, prs, cmt) VALUES (?, ?, ?, ?, ?)"));
            Statement event = db.statement(
                QStringLiteral("INSERT INTO dorbin_pic (dorbin_id, dat, cmt, sharh, pictyp, pic) VALUES (?, ?, ?, ?, ?, ?)"));
            for (int i = countCameras(db, Conditions(db.dialect())); i < cameraCount; ++i)
                add.run({counties.rows[size_t(i % counties.size())][0], models[i % models.size()],
                         QString::number(100000 + i), QStringLiteral("کارشناس %1").arg(i % 50), QString()});
            // Three events for every tenth instrument.
            const ResultSet ids = db.select(QStringLiteral("SELECT id FROM dorbin ORDER BY id"));
            for (int i = 0; i < ids.size(); i += 10)
                for (int k = 0; k < 3; ++k)
                    event.run({ids.rows[size_t(i)][0].toString(), QStringLiteral("1401/0%1/10").arg(k + 1),
                               QStringLiteral("تعمير"), QByteArray("text"), QString(), QByteArray("")});
        });
    });
    out << QStringLiteral("%1 filled %2 instruments in %3 ms\n").arg(engine).arg(cameraCount).arg(took, 0, 'f', 0);

    const Session admin{QStringLiteral("admin"), QStringLiteral("admin"), 1, {}};
    const QString county = db.scalar(QStringLiteral("SELECT city FROM dorbin ORDER BY id")).toString();
    std::vector<std::pair<QString, CameraFilters>> cases(4);
    cases[0].first = QStringLiteral("no filter");
    cases[1].first = QStringLiteral("county");
    cases[1].second.city = county;
    cases[2].first = QStringLiteral("model");
    cases[2].second.typ = QStringLiteral("GPS");
    cases[3].first = QStringLiteral("both");
    cases[3].second.city = county;
    cases[3].second.typ = QStringLiteral("لايکا");

    out << QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6\n")
               .arg(QStringLiteral("case").leftJustified(10), QStringLiteral("rows").rightJustified(6),
                    QStringLiteral("screen ms").rightJustified(9), QStringLiteral("bare ms").rightJustified(8),
                    QStringLiteral("list ms").rightJustified(8), QStringLiteral("bare ms").rightJustified(8));
    for (const auto &[name, filters] : cases) {
        const Conditions c = cameraConditions(db.dialect(), filters, admin);
        int rows = 0;
        countCameras(db, c);
        listCameras(db, c);
        // What the window shows at once: the count and the first screen of
        // rows; the whole list follows when it is idle.
        std::vector<double> screen, screenBare, list, listBare;
        for (int i = 0; i < runs; ++i) {
            screen.push_back(timed([&] {
                rows = countCameras(db, c);
                listCameras(db, c, firstScreen);
            }));
            screenBare.push_back(timed([&] {
                bench::bareSelect(db, cameraCountSql(c), c.values());
                bench::bareSelect(db, db.dialect().firstRows(cameraListSql(c), firstScreen), c.values());
            }));
            list.push_back(timed([&] { listCameras(db, c); }));
            listBare.push_back(timed([&] { bench::bareSelect(db, cameraListSql(c), c.values()); }));
        }
        out << QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6\n")
                   .arg(name.leftJustified(10))
                   .arg(rows, 6)
                   .arg(median(screen), 9, 'f', 1)
                   .arg(median(screenBare), 8, 'f', 1)
                   .arg(median(list), 8, 'f', 1)
                   .arg(median(listBare), 8, 'f', 1);
    }
    // A click on an instrument: its events.
    const qint64 first = db.scalar(QStringLiteral("SELECT MIN(id) FROM dorbin")).toLongLong();
    cameraEvents(db, first);
    std::vector<double> events, eventsBare;
    for (int i = 0; i < runs; ++i) {
        events.push_back(timed([&] { cameraEvents(db, first); }));
        eventsBare.push_back(timed([&] {
            bench::bareSelect(db, QStringLiteral("SELECT id, dorbin_id, dat, cmt, pictyp FROM dorbin_pic WHERE dorbin_id = ? ORDER BY id"),
                              {QString::number(first)});
        }));
    }
    out << QStringLiteral("events of one instrument: %1 ms, bare %2 ms\n")
               .arg(median(events), 0, 'f', 2)
               .arg(median(eventsBare), 0, 'f', 2);
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    bench::onEachEngine(out, [&](const QString &engine, Db &db) { run(engine, db, out); });
    return 0;
}
