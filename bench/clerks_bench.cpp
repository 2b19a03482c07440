// Eight clerks at once on one PostgreSQL database for a fixed time (60 s, or
// the seconds given as the first argument): each searches the survey browser
// in its county, opens a random project (often one another clerk also has
// open), changes its note and saves through the row guard. Prints saves per
// second and the conflicts found, and checks the history afterwards: every
// saved note must have been saved over the note it was loaded with, and the
// last one must be in the database. Runs in a database of its own on the
// cluster named by BORVINAT_TEST_PG ("host:port:user:password"), or else on a
// throwaway cluster it starts itself. Exits non-zero on a lost update or an
// unexpected error.
#include "db.h"
#include "interaction.h"
#include "naghshe_project.h"
#include "naghshe_search.h"
#include "pgcluster.h"
#include "rowguard.h"
#include "sample.h"
#include "schema_builder.h"
#include "session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

using namespace bv;

namespace {
constexpr int clerkCount = 8;

// The clerks answer nothing: a save that would ask is counted by its outcome.
class NoOneAsked : public Interaction {
public:
    void message(const QString &, MessageKind) override {}
    bool question(const QString &) override { return false; }
    std::optional<QString> input(const QString &, const QString &, const QString &, bool) override { return {}; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString folderName(const QString &) override { return {}; }
    bool openWithDesktop(const QString &) override { return false; }
    void setClipboardText(const QString &) override {}
    int execDialog(QDialog &) override { return 0; }
    QDate today() override { return QDate::currentDate(); }
    bool showDocument(ShownDocument &, DocumentAction) override { return false; }
};

struct Save {
    qint64 project = 0;
    QString before, after;  // the note as loaded, and as saved
};

struct Clerk {
    std::vector<Save> saves;
    int conflicts = 0, searches = 0;
    QStringList errors;
};

void work(int n, const ConnectionParams &params, const QString &county, qint64 deadlineMs, Clerk &me)
{
    Db db(QStringLiteral("clerk%1").arg(n));
    QString error;
    if (!db.open(params, &error)) {
        me.errors << error;
        return;
    }
    std::mt19937 random(quint32(n + 1));
    const Session admin{QStringLiteral("clerk%1").arg(n), QStringLiteral("admin"), 1, {}};
    RowGuard guard(QStringLiteral("naghshe"), survey::projectColumns());
    QElapsedTimer clock;
    clock.start();
    for (int k = 1; clock.elapsed() < deadlineMs; ++k) {
        try {
            survey::NaghsheFilters filters;
            filters.city = QStringList{county};
            const ResultSet listed = survey::naghsheListPage(db, survey::naghsheConditions(db.dialect(), filters, admin), 100);
            ++me.searches;
            if (listed.empty())
                continue;
            // Every other time one of the county's first three projects, which
            // the other clerks of the county open too.
            const int pick = int(random() % quint32(random() % 2 ? std::min(3, listed.size()) : listed.size()));
            const qint64 id = listed.value(pick, QStringLiteral("id")).toLongLong();
            const std::optional<Row> row = guard.load(db, id);
            if (!row) {
                me.errors << QStringLiteral("project %1 not found").arg(id);
                continue;
            }
            survey::Typed typed;
            for (const QString &c : survey::projectColumns())
                typed[c] = survey::storedText(c, row->value(c));
            Save save{id, typed.value(QStringLiteral("cmt")), QStringLiteral("clerk%1-%2").arg(n).arg(k)};
            typed[QStringLiteral("cmt")] = save.after;
            const survey::ProjectValues values = survey::readProject(typed);
            if (!values.error.isEmpty()) {
                me.errors << values.error;
                continue;
            }
            // The clerk types for a moment; another may save meanwhile.
            std::this_thread::sleep_for(std::chrono::milliseconds(random() % 4));
            const RowGuard::Outcome out =
                guard.write(db, [&] { survey::editProject(db, id, typed, values, admin.karbar); });
            if (out.kind == RowGuard::Outcome::Written)
                me.saves.push_back(save);
            else if (out.kind == RowGuard::Outcome::Changed)
                ++me.conflicts;
            else
                me.errors << QStringLiteral("project %1 deleted").arg(id);
        } catch (const DbError &e) {
            me.errors << e.text();
        }
    }
}

// Saves over a note nobody saw, or a history that does not end in the stored note.
int lostUpdates(const Db &db, const std::map<qint64, QString> &initial, const std::vector<Clerk> &clerks)
{
    std::map<qint64, std::map<QString, QString>> next;  // project: note loaded -> note saved
    int lost = 0;
    size_t saves = 0;
    for (const Clerk &c : clerks)
        for (const Save &s : c.saves) {
            ++saves;
            if (!next[s.project].emplace(s.before, s.after).second)
                ++lost;  // two saves over the same note: one of them overwrote the other unseen
        }
    for (const auto &[project, steps] : next) {
        QString note = initial.at(project);
        size_t walked = 0;
        for (auto it = steps.find(note); it != steps.end(); it = steps.find(note)) {
            note = it->second;
            ++walked;
        }
        const QString stored = db.scalar(QStringLiteral("SELECT cmt FROM naghshe WHERE id = ?"), {project}).toString();
        if (stored != note)
            ++lost;
        if (walked < steps.size())
            lost += int(steps.size() - walked);
    }
    return lost;
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    NoOneAsked nobody;
    setUi(&nobody);
    QTextStream out(stdout);
    const int seconds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 60;
    const QStringList pg = qEnvironmentVariable("BORVINAT_TEST_PG").split(QLatin1Char(':'));
    std::unique_ptr<test::PgCluster> own;
    ConnectionParams params;
    if (pg.size() == 4) {
        params.engine = Engine::PostgreSQL;
        params.host = pg[0];
        params.port = pg[1].toInt();
        params.user = pg[2];
        params.password = pg[3];
        params.database = QStringLiteral("postgres");
    } else {
        own = std::make_unique<test::PgCluster>();
        if (!own->ready()) {
            out << "No PostgreSQL cluster: " << own->error() << "\n";
            return 1;
        }
        params = own->params();
    }
    const QString name = QStringLiteral("bv_clerks_%1").arg(QCoreApplication::applicationPid());
    Db admin(QStringLiteral("clerks-admin"));
    QString error;
    if (!admin.open(params, &error)) {
        out << "PostgreSQL: " << error << "\n";
        return 1;
    }
    admin.exec(QStringLiteral("CREATE DATABASE ") + name);
    params.database = name;
    int failed = 0;
    {
        Db db(QStringLiteral("clerks-main"));
        if (!db.open(params, &error)) {
            out << "PostgreSQL: " << error << "\n";
            return 1;
        }
        buildSchema(db, [] { return std::optional<QString>(QStringLiteral("bench")); });
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 20;
        size.contractors = 10;
        size.projects = 400;
        size.studies = size.registrations = size.contracts = 0;
        sample::fill(db, nullptr, size);
        const ResultSet counties = db.select(QStringLiteral("SELECT DISTINCT city FROM naghshe ORDER BY city"));
        std::map<qint64, QString> initial;
        for (const QVariantList &r : db.select(QStringLiteral("SELECT id, cmt FROM naghshe")).rows)
            initial[r[0].toLongLong()] = r[1].toString();

        std::vector<Clerk> clerks(clerkCount);
        std::vector<std::thread> threads;
        QElapsedTimer clock;
        clock.start();
        for (int n = 0; n < clerkCount; ++n)
            threads.emplace_back(work, n, params, counties.value(n % counties.size(), QStringLiteral("city")).toString(),
                                 qint64(seconds) * 1000, std::ref(clerks[size_t(n)]));
        for (std::thread &t : threads)
            t.join();
        const double elapsed = double(clock.elapsed()) / 1000.0;

        int saves = 0, conflicts = 0, searches = 0;
        QStringList errors;
        for (const Clerk &c : clerks) {
            saves += int(c.saves.size());
            conflicts += c.conflicts;
            searches += c.searches;
            errors << c.errors;
        }
        const int lost = lostUpdates(db, initial, clerks);
        out << QStringLiteral("%1 clerks, %2 s on PostgreSQL\n").arg(clerkCount).arg(elapsed, 0, 'f', 1);
        out << QStringLiteral("searches           %1\n").arg(searches);
        out << QStringLiteral("saves              %1 (%2 per second)\n").arg(saves).arg(saves / elapsed, 0, 'f', 1);
        out << QStringLiteral("conflicts found    %1\n").arg(conflicts);
        out << QStringLiteral("lost updates       %1\n").arg(lost);
        out << QStringLiteral("unexpected errors  %1\n").arg(errors.size());
        for (const QString &e : errors.mid(0, 5))
            out << "  " << e << "\n";
        failed = lost + int(errors.size());
    }
    admin.exec(QStringLiteral("DROP DATABASE ") + name + QStringLiteral(" WITH (FORCE)"));
    return failed == 0 ? 0 : 1;
}
