#include "dialect.h"

#include <QCollator>
#include <QHash>
#include <algorithm>
#include <cstring>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <sqlite3.h>

namespace bv {

using schema::ColType;

QString Dialect::columnDefinition(const schema::Column &column) const
{
    return QString::fromLatin1(column.name) + QLatin1Char(' ') + columnType(column);
}

QString Dialect::createTable(const schema::Table &table) const
{
    QStringList parts;
    for (const schema::Column &column : table.columns)
        parts << columnDefinition(column);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(QString::fromLatin1(table.name), parts.join(QStringLiteral(", ")));
}

QString Dialect::addColumn(const QString &table, const schema::Column &column) const
{
    return QStringLiteral("ALTER TABLE %1 ADD %2").arg(table, columnDefinition(column));
}

QString Dialect::createIndex(const QString &table, const schema::Index &index) const
{
    QStringList columns;
    for (const char *c : index.columns) {
        const bool persian = std::any_of(index.persian.begin(), index.persian.end(),
                                         [&](const char *p) { return qstrcmp(p, c) == 0; });
        columns << (persian ? persianOrder(QString::fromLatin1(c)) : QString::fromLatin1(c));
    }
    return QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
        .arg(QString::fromLatin1(index.name), table, columns.join(QStringLiteral(", ")));
}

QString Dialect::returningId(const QString &) const
{
    return {};
}

QString Dialect::firstRows(const QString &selectBody, int n) const
{
    return selectBody + QStringLiteral(" LIMIT ") + QString::number(n);
}

QString Dialect::concat(const QString &a, const QString &b) const
{
    return a + QStringLiteral(" || ") + b;
}

QString Dialect::quoteIdentifier(const QString &name) const
{
    QString doubled = name;
    return QLatin1Char('"') + doubled.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

bool Dialect::prepareConnection(QSqlDatabase &, QString *) const
{
    return true;
}

QStringList Dialect::lockedRowRead(const QString &table, const QString &columns, const QString &key) const
{
    return {QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? FOR UPDATE").arg(columns, table, key)};
}

namespace {

QString nvarchar(const schema::Column &c, const char *kind)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(kind)).arg(c.width);
}

// The Persian sort key of UTF-8 text. A sort compares each name many times and
// lists repeat the same few names, so the keys are kept rather than the text
// being collated again on every comparison.
QCollatorSortKey persianSortKey(const char *utf8, int size)
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Persian, QLocale::Iran)};
        c.setNumericMode(true);
        return c;
    }();
    thread_local QHash<QByteArray, QCollatorSortKey> keys;
    const auto found = keys.constFind(QByteArray::fromRawData(utf8, size));
    if (found != keys.constEnd())
        return *found;
    if (keys.size() >= 200000)
        keys.clear();
    const QCollatorSortKey key = collator.sortKey(QString::fromUtf8(utf8, size));
    keys.insert(QByteArray(utf8, size), key);
    return key;
}

// SQLite: the Persian order is a collation named "fa" registered on each connection.
class SqliteDialect final : public Dialect {
public:
    Engine engine() const override { return Engine::SQLite; }
    QString driver() const override { return QStringLiteral("QSQLITE"); }
    QString columnType(const schema::Column &c) const override
    {
        switch (c.type) {
        case ColType::IntIdentity:
        case ColType::BigIdentity: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        case ColType::Int:
        case ColType::BigInt: return QStringLiteral("INTEGER");
        case ColType::NVarChar: return nvarchar(c, "VARCHAR");
        case ColType::NText: return QStringLiteral("TEXT");
        case ColType::Float:
        case ColType::Real: return QStringLiteral("REAL");
        case ColType::Money: return QStringLiteral("NUMERIC");
        case ColType::Bit: return QStringLiteral("INTEGER");
        case ColType::Image: return QStringLiteral("BLOB");
        case ColType::DateTimeNow: return QStringLiteral("DATETIME DEFAULT CURRENT_TIMESTAMP");
        case ColType::DateTime: return QStringLiteral("DATETIME");
        }
        return {};
    }
    QString createIndex(const QString &table, const schema::Index &index) const override
    {
        // The "fa" collation exists only on this program's connections: an
        // index using it would leave the file unwritable by every other tool.
        if (!index.persian.empty())
            return {};
        return Dialect::createIndex(table, index).replace(QStringLiteral("CREATE INDEX "),
                                                          QStringLiteral("CREATE INDEX IF NOT EXISTS "));
    }
    QString persianOrder(const QString &e) const override { return e + QStringLiteral(" COLLATE fa"); }
    bool prepareConnection(QSqlDatabase &db, QString *error) const override
    {
        const QVariant handle = db.driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
            if (error)
                *error = QStringLiteral("no SQLite handle");
            return false;
        }
        sqlite3 *h = *static_cast<sqlite3 *const *>(handle.data());
        auto compare = [](void *, int n1, const void *s1, int n2, const void *s2) -> int {
            // Equal bytes are equal text: the common case of a county against itself.
            if (n1 == n2 && std::memcmp(s1, s2, size_t(n1)) == 0)
                return 0;
            const QCollatorSortKey a = persianSortKey(static_cast<const char *>(s1), n1);
            return a.compare(persianSortKey(static_cast<const char *>(s2), n2));
        };
        if (sqlite3_create_collation(h, "fa", SQLITE_UTF8, nullptr, compare) != SQLITE_OK) {
            if (error)
                *error = QString::fromUtf8(sqlite3_errmsg(h));
            return false;
        }
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
        return true;
    }
    // SQLite locks the whole file: a first write takes the writer's lock, so two
    // clerks cannot both read the old row and then both write.
    QStringList lockedRowRead(const QString &table, const QString &columns, const QString &key) const override
    {
        return {QStringLiteral("UPDATE %1 SET %2 = %2 WHERE %2 = ?").arg(table, key),
                QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(columns, table, key)};
    }
};

// PostgreSQL: an ICU collation "fa" created in the database when missing.
class PostgresDialect final : public Dialect {
public:
    Engine engine() const override { return Engine::PostgreSQL; }
    QString driver() const override { return QStringLiteral("QPSQL"); }
    QString columnType(const schema::Column &c) const override
    {
        switch (c.type) {
        case ColType::IntIdentity: return QStringLiteral("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
        case ColType::BigIdentity: return QStringLiteral("BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
        case ColType::Int: return QStringLiteral("INTEGER");
        case ColType::BigInt: return QStringLiteral("BIGINT");
        case ColType::NVarChar: return nvarchar(c, "VARCHAR");
        case ColType::NText: return QStringLiteral("TEXT");
        case ColType::Float: return QStringLiteral("DOUBLE PRECISION");
        case ColType::Real: return QStringLiteral("REAL");
        case ColType::Money: return QStringLiteral("NUMERIC(19,4)");
        case ColType::Bit: return QStringLiteral("SMALLINT");
        case ColType::Image: return QStringLiteral("BYTEA");
        case ColType::DateTimeNow: return QStringLiteral("TIMESTAMP DEFAULT CURRENT_TIMESTAMP");
        case ColType::DateTime: return QStringLiteral("TIMESTAMP");
        }
        return {};
    }
    QString addColumn(const QString &table, const schema::Column &column) const override
    {
        return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(table, columnDefinition(column));
    }
    QString createIndex(const QString &table, const schema::Index &index) const override
    {
        return Dialect::createIndex(table, index).replace(QStringLiteral("CREATE INDEX "),
                                                          QStringLiteral("CREATE INDEX IF NOT EXISTS "));
    }
    QString returningId(const QString &idColumn) const override
    {
        return QStringLiteral(" RETURNING ") + idColumn;
    }
    QString persianOrder(const QString &e) const override { return e + QStringLiteral(" COLLATE \"fa\""); }
    bool prepareConnection(QSqlDatabase &db, QString *error) const override
    {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT 1 FROM pg_collation WHERE collname = 'fa'"))) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
        if (q.next())
            return true;
        if (!q.exec(QStringLiteral("CREATE COLLATION IF NOT EXISTS fa (provider = icu, locale = 'fa-IR')"))) {
            if (error)
                *error = q.lastError().text();
            return false;
        }
        return true;
    }
};

class SqlServerDialect final : public Dialect {
public:
    Engine engine() const override { return Engine::SqlServer; }
    QString driver() const override { return QStringLiteral("QODBC"); }
    QString columnType(const schema::Column &c) const override
    {
        switch (c.type) {
        case ColType::IntIdentity: return QStringLiteral("INT IDENTITY(1,1) PRIMARY KEY");
        case ColType::BigIdentity: return QStringLiteral("BIGINT IDENTITY(1,1) PRIMARY KEY");
        case ColType::Int: return QStringLiteral("INT");
        case ColType::BigInt: return QStringLiteral("BIGINT");
        case ColType::NVarChar: return nvarchar(c, "NVARCHAR");
        case ColType::NText: return QStringLiteral("NVARCHAR(MAX)");
        case ColType::Float: return QStringLiteral("FLOAT");
        case ColType::Real: return QStringLiteral("REAL");
        case ColType::Money: return QStringLiteral("MONEY");
        case ColType::Bit: return QStringLiteral("BIT");
        case ColType::Image: return QStringLiteral("VARBINARY(MAX)");
        case ColType::DateTimeNow: return QStringLiteral("DATETIME DEFAULT GETDATE()");
        case ColType::DateTime: return QStringLiteral("DATETIME");
        }
        return {};
    }
    QString createIndex(const QString &table, const schema::Index &index) const override
    {
        // Columns carry their collation here; an index cannot name another.
        schema::Index plain = index;
        plain.persian.clear();
        return QStringLiteral("IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = '%1') ")
                   .arg(QString::fromLatin1(index.name))
            + Dialect::createIndex(table, plain);
    }
    QString lastIdQuery() const override { return QStringLiteral("SELECT CAST(@@IDENTITY AS BIGINT)"); }
    QString now() const override { return QStringLiteral("GETDATE()"); }
    QString firstRows(const QString &selectBody, int n) const override
    {
        QString body = selectBody;
        const int at = body.indexOf(QStringLiteral("select"), 0, Qt::CaseInsensitive);
        return body.insert(at + 6, QStringLiteral(" TOP ") + QString::number(n));
    }
    QString concat(const QString &a, const QString &b) const override { return a + QStringLiteral(" + ") + b; }
    QString quoteIdentifier(const QString &name) const override
    {
        QString doubled = name;
        return QLatin1Char('[') + doubled.replace(QLatin1Char(']'), QStringLiteral("]]")) + QLatin1Char(']');
    }
    QString persianOrder(const QString &e) const override
    {
        return e + QStringLiteral(" COLLATE Persian_100_CI_AI");
    }
    QStringList lockedRowRead(const QString &table, const QString &columns, const QString &key) const override
    {
        return {QStringLiteral("SELECT %1 FROM %2 WITH (UPDLOCK, ROWLOCK) WHERE %3 = ?").arg(columns, table, key)};
    }
};

}  // namespace

std::unique_ptr<Dialect> makeDialect(Engine engine)
{
    switch (engine) {
    case Engine::SQLite: return std::make_unique<SqliteDialect>();
    case Engine::PostgreSQL: return std::make_unique<PostgresDialect>();
    case Engine::SqlServer: return std::make_unique<SqlServerDialect>();
    }
    return nullptr;
}

}  // namespace bv
