// Times the survey attachments search over 100,000 attachments, without and
// with filters (the count with the first screen of rows the window shows at
// once, and the whole list it loads afterwards), beside the same statements run bare through the engine's own
// client library on the same connection: one warm-up run, then measured and
// bare runs alternately, medians printed. SQLite always; PostgreSQL too when
// BORVINAT_TEST_PG names a cluster. Prints a table; never fails.
#include "bench_support.h"
#include "db.h"
#include "naghshe_pic_search.h"
#include "sample.h"
#include "schema_builder.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace bv;
using namespace bv::survey;
using bv::bench::median;
using bv::bench::timed;

namespace {
constexpr int attachmentCount = 100000;
constexpr int runs = 5;
constexpr int firstScreen = 200;  // the window's first screen of rows

void run(const QString &engine, Db &db, QTextStream &out)
{
    buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
    sample::Size size;
    size.counties = 12;
    size.villagesPerCounty = 100;
    size.contractors = 60;
    size.projects = 20000;
    size.studies = size.registrations = size.contracts = 0;
    double took = timed([&] { sample::fill(db, nullptr, size); });
    // Attachments of the lookup list's descriptions up to the count, each a
    // small file: the list never reads them.
    took += timed([&] {
        db.transaction([&] {
            const int present = db.scalar(QStringLiteral("SELECT COUNT(*) FROM naghshe_pic")).toInt();
            Statement add = db.statement(
                QStringLiteral("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)"));
            const ResultSet ids = db.select(QStringLiteral("SELECT id FROM naghshe ORDER BY id"));
            const QStringList kinds = {QStringLiteral("تصوير نقشه"), QStringLiteral("قرارداد"),
                                       QStringLiteral("صورت وضعيت"), QStringLiteral("تحويل اوليه")};
            const QByteArray file(2048, 'x');
            for (int i = present; i < attachmentCount; ++i)
                add.run({ids.rows[size_t(i % ids.size())][0], kinds[i % kinds.size()], file});
        });
    });
    out << QStringLiteral("%1 filled %2 attachments in %3 ms\n").arg(engine).arg(attachmentCount).arg(took, 0, 'f', 0);

    const Session admin{QStringLiteral("admin"), QStringLiteral("admin"), 1, {}};
    const QString county = db.scalar(QStringLiteral("SELECT city FROM naghshe ORDER BY id")).toString();
    std::vector<std::pair<QString, AttachmentFilters>> cases(4);
    cases[0].first = QStringLiteral("no filter");
    cases[1].first = QStringLiteral("description");
    cases[1].second.cmt = QStringLiteral("تصوير نقشه");
    cases[2].first = QStringLiteral("county");
    cases[2].second.city = county;
    cases[3].first = QStringLiteral("three filters");
    cases[3].second.cmt = QStringLiteral("قرارداد");
    cases[3].second.city = county;
    cases[3].second.tamin_sal = QStringLiteral("1399");

    out << QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6\n")
               .arg(QStringLiteral("case").leftJustified(14), QStringLiteral("rows").rightJustified(6),
                    QStringLiteral("screen ms").rightJustified(9), QStringLiteral("bare ms").rightJustified(8),
                    QStringLiteral("list ms").rightJustified(8), QStringLiteral("bare ms").rightJustified(8));
    for (const auto &[name, filters] : cases) {
        const Conditions c = attachmentConditions(db.dialect(), filters, admin);
        int rows = 0;
        countAttachments(db, c);
        searchAttachments(db, c);
        // What the window shows at once: the count and the first screen of
        // rows; the whole list follows when it is idle.
        std::vector<double> screen, screenBare, list, listBare;
        for (int i = 0; i < runs; ++i) {
            screen.push_back(timed([&] {
                rows = countAttachments(db, c);
                searchAttachments(db, c, firstScreen);
            }));
            screenBare.push_back(timed([&] {
                bench::bareSelect(db, attachmentCountSql(c), c.values());
                bench::bareSelect(db, db.dialect().firstRows(attachmentListSql(c), firstScreen), c.values());
            }));
            list.push_back(timed([&] { searchAttachments(db, c); }));
            listBare.push_back(timed([&] { bench::bareSelect(db, attachmentListSql(c), c.values()); }));
        }
        out << QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6\n")
                   .arg(name.leftJustified(14))
                   .arg(rows, 6)
                   .arg(median(screen), 9, 'f', 1)
                   .arg(median(screenBare), 8, 'f', 1)
                   .arg(median(list), 8, 'f', 1)
                   .arg(median(listBare), 8, 'f', 1);
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
