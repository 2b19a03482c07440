#pragma once
// What the benchmarks share: the engines they run on, and the reference run of
// a statement bare through the engine's own client library.
#include "db.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace bv::bench {

// Runs `sql` ("?" parameters) with `values`; returns the rows read, -1 on failure.
int bareSelect(const Db &db, const QString &sql, const QVariantList &values);

// Runs `run` on a fresh SQLite database, and on a fresh PostgreSQL database
// when BORVINAT_TEST_PG names a cluster ("host:port:user:password"); a
// database that cannot be opened is reported on `out`.
void onEachEngine(QTextStream &out, const std::function<void(const QString &engine, Db &db)> &run);

// Milliseconds taken by `work`.
template <typename F>
double timed(F &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The median of timings.
inline double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}

// The table of a program search beside its bare statement: the heading, then
// one line per case with the medians of runs that alternate after a warm-up.
void printTimingHeading(QTextStream &out);
template <typename Program, typename Bare>
void timeAgainstBare(QTextStream &out, const QString &name, int rounds, Program &&program, Bare &&bare)
{
    int rows = program();
    bare();
    std::vector<double> programRuns, bareRuns;
    for (int i = 0; i < rounds; ++i) {
        programRuns.push_back(timed([&] { rows = program(); }));
        bareRuns.push_back(timed(bare));
    }
    const double p = median(programRuns), b = median(bareRuns);
    out << QStringLiteral("%1 | %2 | %3 | %4 | %5\n")
               .arg(name.leftJustified(14))
               .arg(rows, 7)
               .arg(p, 10, 'f', 1)
               .arg(b, 9, 'f', 1)
               .arg(b > 0 ? p / b : 0, 6, 'f', 2);
}

}  // namespace bv::bench
