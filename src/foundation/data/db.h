#pragma once
// One database connection with its dialect. Every value reaches the database as
// a bound parameter; a failed statement throws DbError with the driver's text.
#include "dialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace bv {

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString &text() const { return text_; }

private:
    QString text_;
};

// The connection to the server was lost in the middle of an action: the server
// undid what the action had begun, and the next action connects again.
class ConnectionLost : public DbError {
public:
    ConnectionLost();
};
inline const QString connectionLostMessage = QStringLiteral(
    "ارتباط با سرور بانك اطلاعاتي قطع شد و اين كار انجام نشد؛ پس از برقراري ارتباط دوباره سعي كنيد");

// The connection was lost while the server was committing an action: the
// action may or may not be stored, so the clerk is asked to look once the
// server answers again. Not a ConnectionLost: doing the action again may
// store it twice.
class CommitUncertain : public DbError {
public:
    CommitUncertain();
};
inline const QString commitUncertainMessage = QStringLiteral(
    "ارتباط با سرور بانك اطلاعاتي هنگام ثبت نهايي قطع شد؛ معلوم نيست اين تغييرات ذخيره شده است يا نه. پس از برقراري ارتباط، آن را بررسي كنيد");

// How to reach a database: the engine plus the driver's own parameters, set
// through the driver's setters (never spliced into a connection string).
struct ConnectionParams {
    Engine engine = Engine::SQLite;
    QString host;          // server host, or the database file for SQLite
    int port = -1;
    QString database;      // catalog
    QString user;
    QString password;
    QString odbcConnectionString;  // SQL Server / Access through ODBC, quoted attribute by attribute
};

// Quotes an ODBC attribute value in braces, doubling closing braces, so that a
// ";" in a password cannot add attributes.
QString odbcValue(const QString &value);

using Row = QVariantMap;

// Rows of a query in the query's column order (lower-case column names).
struct ResultSet {
    QStringList columns;
    std::vector<QVariantList> rows;

    int columnIndex(const QString &name) const { return int(columns.indexOf(name.toLower())); }
    QVariant value(int row, const QString &column) const;
    bool empty() const { return rows.empty(); }
    int size() const { return int(rows.size()); }
};

// One statement prepared once and run with many sets of values, for bulk
// writes inside one transaction.
class Statement {
public:
    // Runs the statement with `params`; returns the rows it changed.
    int run(const QVariantList &params);

private:
    friend class Db;
    Statement(QSqlQuery query, QString sql) : query_(std::move(query)), sql_(std::move(sql)) {}
    QSqlQuery query_;
    QString sql_;
};

class Db {
public:
    // `connectionName` names the Qt connection; one Db per name.
    explicit Db(QString connectionName);
    ~Db();
    Db(const Db &) = delete;
    Db &operator=(const Db &) = delete;

    // Opens (closing first when open); false with `error` filled on failure.
    // A connection that drops later is opened again with the same parameters
    // by the next statement: a read that met the dead connection is read again,
    // a transaction whose BEGIN met it is begun again; anything else throws
    // ConnectionLost.
    bool open(const ConnectionParams &params, QString *error = nullptr);
    void close();
    // True from open() to close(), also while the server is away.
    bool isOpen() const;
    const Dialect &dialect() const;
    QSqlDatabase handle() const;
    const QString &connectionName() const { return name_; }

    // Runs one statement with positional "?" or named ":name" parameters.
    QSqlQuery exec(const QString &sql, const QVariantList &params = {}) const;
    QSqlQuery execNamed(const QString &sql, const QVariantMap &params) const;
    // Prepares a statement to be run many times.
    Statement statement(const QString &sql) const;
    // All rows as column-name maps.
    std::vector<Row> rows(const QString &sql, const QVariantList &params = {}) const;
    // All rows in column order.
    ResultSet select(const QString &sql, const QVariantList &params = {}) const;
    // The first column of the first row; an invalid QVariant when no row.
    QVariant scalar(const QString &sql, const QVariantList &params = {}) const;
    // Runs an INSERT and returns the new identity value of `idColumn`.
    qint64 insert(const QString &sql, const QVariantList &params = {}, const QString &idColumn = QStringLiteral("id")) const;

    // Runs `work` in one transaction: committed when it returns, rolled back
    // (and the error rethrown) when it throws. Called inside another transaction
    // of this connection, it joins that one: a failure of the inner work is
    // rethrown and rolls back the whole outer action, even when the outer work
    // catches it and goes on (the outer then rethrows the inner failure).
    void transaction(const std::function<void()> &work) const;
    // True while transaction() runs on this connection.
    bool inTransaction() const { return depth_ > 0; }
    // Rolls back a transaction left open outside transaction(), as after an
    // error that escaped its handler. A transaction() still running (a modal
    // window's event loop inside it) is left to finish on its own.
    void rollbackAbandoned() const;

    // Table and column names as the database reports them, lower case.
    QStringList tables() const;
    QStringList columns(const QString &table) const;

private:
    QSqlQuery prepared(const QString &sql) const;
    // Registers and opens the Qt connection with the current dialect.
    bool connect(const ConnectionParams &params, QString *error) const;
    // Connects again when the connection was lost; throws when it cannot.
    void ready() const;
    // False when the connection no longer answers; then it counts as lost.
    bool alive() const;
    void dropQtConnection() const;
    QString name_;
    mutable bool registered_ = false;
    std::optional<ConnectionParams> params_;
    mutable bool lost_ = false;
    std::unique_ptr<Dialect> dialect_;
    mutable int depth_ = 0;                    // transaction() calls running
    mutable std::exception_ptr innerFailure_;  // the first failure of a joined transaction
};

}  // namespace bv
