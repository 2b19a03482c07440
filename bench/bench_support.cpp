#include "bench_support.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QTemporaryDir>

#include <libpq-fe.h>
#include <sqlite3.h>

namespace bv::bench {

int bareSelect(const Db &db, const QString &sql, const QVariantList &values)
{
    const QVariant handle = db.handle().driver()->handle();
    int rows = 0;
    if (db.dialect().engine() == Engine::SQLite) {
        sqlite3 *h = *static_cast<sqlite3 *const *>(handle.data());
        sqlite3_stmt *st = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK)
            return -1;
        std::vector<QByteArray> bound;
        bound.reserve(size_t(values.size()));
        for (int i = 0; i < values.size(); ++i) {
            bound.push_back(values[i].toString().toUtf8());
            sqlite3_bind_text(st, i + 1, bound.back().constData(), int(bound.back().size()), SQLITE_TRANSIENT);
        }
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                sqlite3_column_text(st, c);
            ++rows;
        }
        sqlite3_finalize(st);
        return rows;
    }
    PGconn *h = *static_cast<PGconn *const *>(handle.data());
    QString numbered;
    int n = 0;
    for (const QChar ch : sql)
        numbered += ch == QLatin1Char('?') ? QStringLiteral("$%1").arg(++n) : QString(ch);
    std::vector<QByteArray> bound;
    std::vector<const char *> params;
    for (const QVariant &v : values)
        bound.push_back(v.toString().toUtf8());
    for (const QByteArray &b : bound)
        params.push_back(b.constData());
    PGresult *r = PQexecParams(h, numbered.toUtf8().constData(), int(params.size()), nullptr, params.data(), nullptr,
                               nullptr, 0);
    if (PQresultStatus(r) == PGRES_TUPLES_OK) {
        rows = PQntuples(r);
        const int columns = PQnfields(r);
        for (int i = 0; i < rows; ++i)
            for (int c = 0; c < columns; ++c)
                PQgetvalue(r, i, c);
    } else {
        rows = -1;
    }
    PQclear(r);
    return rows;
}

void onEachEngine(QTextStream &out, const std::function<void(const QString &engine, Db &db)> &run)
{
    QTemporaryDir dir;
    QString error;
    {
        Db db(QStringLiteral("bench-sqlite"));
        ConnectionParams params;
        params.engine = Engine::SQLite;
        params.host = dir.filePath(QStringLiteral("bench.db"));
        if (db.open(params, &error))
            run(QStringLiteral("SQLite"), db);
        else
            out << "SQLite: " << error << "\n";
    }
    const QStringList pg = qEnvironmentVariable("BORVINAT_TEST_PG").split(QLatin1Char(':'));
    if (pg.size() != 4)
        return;
    ConnectionParams params;
    params.engine = Engine::PostgreSQL;
    params.host = pg[0];
    params.port = pg[1].toInt();
    params.user = pg[2];
    params.password = pg[3];
    params.database = QStringLiteral("postgres");
    const QString name = QStringLiteral("bv_bench_%1").arg(QCoreApplication::applicationPid());
    Db admin(QStringLiteral("bench-pg-admin"));
    if (!admin.open(params, &error)) {
        out << "PostgreSQL: " << error << "\n";
        return;
    }
    admin.exec(QStringLiteral("CREATE DATABASE ") + name);
    {
        Db db(QStringLiteral("bench-pg"));
        params.database = name;
        if (db.open(params, &error))
            run(QStringLiteral("PostgreSQL"), db);
        else
            out << "PostgreSQL: " << error << "\n";
    }
    admin.exec(QStringLiteral("DROP DATABASE ") + name);
}

void printTimingHeading(QTextStream &out)
{
    out << QStringLiteral("%1 | %2 | %3 | %4 | %5\n")
               .arg(QStringLiteral("case").leftJustified(14), QStringLiteral("rows").rightJustified(7),
                    QStringLiteral("search ms").rightJustified(10), QStringLiteral("bare ms").rightJustified(9),
                    QStringLiteral("ratio").rightJustified(6));
}

}  // namespace bv::bench
