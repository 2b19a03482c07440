#include "db.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <utility>

namespace bv {

QString odbcValue(const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + v + QLatin1Char('}');
}

Db::Db(QString connectionName) : name_(std::move(connectionName)) {}

Db::~Db()
{
    close();
}

ConnectionLost::ConnectionLost() : DbError(connectionLostMessage) {}

CommitUncertain::CommitUncertain() : DbError(commitUncertainMessage) {}

namespace {
const QString notConnected = QStringLiteral("اتصال به بانک اطلاعاتي برقرار نيست");

// Statements that only read may be run again on a new connection.
bool onlyReads(const QString &sql)
{
    const QString head = sql.trimmed().left(6).toUpper();
    return head == QLatin1String("SELECT") || head.startsWith(QLatin1String("WITH"));
}
}  // namespace

bool Db::open(const ConnectionParams &params, QString *error)
{
    close();
    dialect_ = makeDialect(params.engine);
    if (!connect(params, error)) {
        dialect_.reset();
        return false;
    }
    params_ = params;
    return true;
}

bool Db::connect(const ConnectionParams &params, QString *error) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(dialect_->driver(), name_);
    registered_ = true;
    switch (params.engine) {
    case Engine::SQLite:
        db.setDatabaseName(params.host);
        break;
    case Engine::PostgreSQL:
        db.setHostName(params.host);
        if (params.port > 0)
            db.setPort(params.port);
        db.setDatabaseName(params.database);
        db.setUserName(params.user);
        db.setPassword(params.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        break;
    case Engine::SqlServer:
        db.setDatabaseName(params.odbcConnectionString);
        break;
    }
    if (!db.open()) {
        if (error)
            *error = db.lastError().text();
        db = QSqlDatabase();
        dropQtConnection();
        return false;
    }
    QString prepareError;
    if (!dialect_->prepareConnection(db, &prepareError)) {
        if (error)
            *error = prepareError;
        db = QSqlDatabase();
        dropQtConnection();
        return false;
    }
    return true;
}

void Db::dropQtConnection() const
{
    if (!registered_)
        return;
    registered_ = false;
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

void Db::close()
{
    // Only a connection this object registered is touched: at the end of the run
    // Qt's connection list may already be gone.
    dropQtConnection();
    dialect_.reset();
    params_.reset();
    lost_ = false;
}

bool Db::isOpen() const
{
    return dialect_ && (lost_ || (registered_ && QSqlDatabase::database(name_, false).isOpen()));
}

void Db::ready() const
{
    if (lost_ && params_) {
        // The dialect stays: callers may hold it across the reconnection.
        dropQtConnection();
        if (!connect(*params_, nullptr))
            throw ConnectionLost();
        lost_ = false;
    }
    if (!isOpen())
        throw DbError(notConnected);
}

bool Db::alive() const
{
    if (registered_ && handle().isOpen()) {
        QSqlQuery probe(handle());
        if (probe.exec(QStringLiteral("SELECT 1")))
            return true;
    }
    lost_ = true;
    return false;
}

const Dialect &Db::dialect() const
{
    if (!dialect_)
        throw DbError(notConnected);
    return *dialect_;
}

QSqlDatabase Db::handle() const
{
    return QSqlDatabase::database(name_, false);
}

QSqlQuery Db::prepared(const QString &sql) const
{
    ready();
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        const QString text = q.lastError().text() + QStringLiteral("\n") + sql;
        if (depth_ == 0 && !alive())
            throw ConnectionLost();
        throw DbError(text);
    }
    return q;
}

QSqlQuery Db::exec(const QString &sql, const QVariantList &params) const
{
    for (bool again = onlyReads(sql);; again = false) {
        ready();
        QSqlQuery q(handle());
        q.setForwardOnly(true);
        bool ok = false;
        if (params.isEmpty()) {
            // Statements without values run directly: some engines cannot prepare DDL.
            ok = q.exec(sql);
        } else if ((ok = q.prepare(sql))) {
            for (int i = 0; i < params.size(); ++i)
                q.bindValue(i, params[i]);
            ok = q.exec();
        }
        if (ok)
            return q;
        const QString text = q.lastError().text() + QStringLiteral("\n") + sql;
        q = QSqlQuery();
        // Inside a transaction the transaction decides once it is rolled back.
        if (depth_ == 0 && !alive()) {
            if (again)
                continue;
            throw ConnectionLost();
        }
        throw DbError(text);
    }
}

QSqlQuery Db::execNamed(const QString &sql, const QVariantMap &params) const
{
    QSqlQuery q = prepared(sql);
    for (auto it = params.begin(); it != params.end(); ++it)
        q.bindValue(QLatin1Char(':') + it.key(), it.value());
    if (!q.exec()) {
        const QString text = q.lastError().text() + QStringLiteral("\n") + sql;
        if (depth_ == 0 && !alive())
            throw ConnectionLost();
        throw DbError(text);
    }
    return q;
}

Statement Db::statement(const QString &sql) const
{
    return Statement(prepared(sql), sql);
}

int Statement::run(const QVariantList &params)
{
    for (int i = 0; i < params.size(); ++i)
        query_.bindValue(i, params[i]);
    if (!query_.exec())
        throw DbError(query_.lastError().text() + QStringLiteral("\n") + sql_);
    return query_.numRowsAffected();
}

std::vector<Row> Db::rows(const QString &sql, const QVariantList &params) const
{
    QSqlQuery q = exec(sql, params);
    std::vector<Row> out;
    const QSqlRecord record = q.record();
    while (q.next()) {
        Row row;
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i).toLower(), q.value(i));
        out.push_back(std::move(row));
    }
    return out;
}

QVariant ResultSet::value(int row, const QString &column) const
{
    const int c = columnIndex(column);
    if (row < 0 || row >= size() || c < 0)
        return {};
    return rows[size_t(row)][c];
}

ResultSet Db::select(const QString &sql, const QVariantList &params) const
{
    QSqlQuery q = exec(sql, params);
    ResultSet out;
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        out.columns << record.fieldName(i).toLower();
    while (q.next()) {
        QVariantList row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row << q.value(i);
        out.rows.push_back(std::move(row));
    }
    return out;
}

QVariant Db::scalar(const QString &sql, const QVariantList &params) const
{
    QSqlQuery q = exec(sql, params);
    return q.next() ? q.value(0) : QVariant();
}

qint64 Db::insert(const QString &sql, const QVariantList &params, const QString &idColumn) const
{
    const QString returning = dialect().returningId(idColumn);
    QSqlQuery q = exec(sql + returning, params);
    if (!returning.isEmpty()) {
        if (!q.next())
            throw DbError(QStringLiteral("no id returned"));
        return q.value(0).toLongLong();
    }
    const QString last = dialect().lastIdQuery();
    if (!last.isEmpty())
        return scalar(last).toLongLong();
    return q.lastInsertId().toLongLong();
}

void Db::transaction(const std::function<void()> &work) const
{
    if (depth_ > 0) {
        // Joined: no statement of its own, so it works alike on every engine.
        ++depth_;
        try {
            work();
        } catch (...) {
            --depth_;
            if (!innerFailure_)
                innerFailure_ = std::current_exception();
            throw;
        }
        --depth_;
        return;
    }
    ready();
    QSqlDatabase db = handle();
    if (!db.transaction()) {
        const QString text = db.lastError().text();
        db = QSqlDatabase();
        // A connection that died while idle: nothing has run, so it is begun
        // again on a new connection.
        if (alive())
            throw DbError(text);
        ready();
        db = handle();
        if (!db.transaction()) {
            if (!alive())
                throw ConnectionLost();
            throw DbError(db.lastError().text());
        }
    }
    depth_ = 1;
    innerFailure_ = nullptr;
    const auto finish = [this] {
        depth_ = 0;
        return std::exchange(innerFailure_, nullptr);
    };
    try {
        work();
    } catch (...) {
        const std::exception_ptr inner = finish();
        db.rollback();
        // Gone with the connection: the server undid the whole transaction.
        if (!alive())
            throw ConnectionLost();
        // The first failure is the cause; later ones (an aborted PostgreSQL
        // transaction refusing every statement) only follow from it.
        if (inner)
            std::rethrow_exception(inner);
        throw;
    }
    if (const std::exception_ptr inner = finish()) {
        db.rollback();
        std::rethrow_exception(inner);
    }
    if (!db.commit()) {
        const QString text = db.lastError().text();
        db.rollback();
        // The server may have committed before the reply was lost.
        if (!alive())
            throw CommitUncertain();
        throw DbError(text);
    }
}

void Db::rollbackAbandoned() const
{
    if (depth_ > 0 || lost_ || !isOpen())
        return;
    // Without an open transaction the engine refuses or ignores the rollback.
    handle().rollback();
}

QStringList Db::tables() const
{
    QStringList out;
    for (const QString &t : handle().tables(QSql::Tables))
        out << t.toLower();
    return out;
}

QStringList Db::columns(const QString &table) const
{
    QStringList out;
    const QSqlRecord record = handle().record(table);
    for (int i = 0; i < record.count(); ++i)
        out << record.fieldName(i).toLower();
    return out;
}

}  // namespace bv
