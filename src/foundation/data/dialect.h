#pragma once
// Every difference between the database engines lives here, so that no window
// ever tests which engine it talks to.
#include "schema_tables.h"

#include <QString>
#include <memory>

class QSqlDatabase;

namespace bv {

enum class Engine { SQLite, PostgreSQL, SqlServer };

class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;
    // The Qt driver name.
    virtual QString driver() const = 0;

    // DDL type of a column, including identity and default clauses.
    virtual QString columnType(const schema::Column &column) const = 0;
    QString columnDefinition(const schema::Column &column) const;
    QString createTable(const schema::Table &table) const;
    virtual QString addColumn(const QString &table, const schema::Column &column) const;
    // The statement creating `index` when missing; empty when this engine
    // keeps no such index.
    virtual QString createIndex(const QString &table, const schema::Index &index) const;

    // An INSERT statement's suffix that returns the new id, when the engine needs
    // one ("RETURNING id"); empty when the id is read after the insert.
    virtual QString returningId(const QString &idColumn) const;
    // The statement that reads the new id after an insert, when not returned.
    virtual QString lastIdQuery() const { return {}; }

    virtual QString now() const { return QStringLiteral("CURRENT_TIMESTAMP"); }
    // `sql` limited to its first n rows.
    virtual QString firstRows(const QString &selectBody, int n) const;
    virtual QString concat(const QString &a, const QString &b) const;
    // A name (a catalog, say) written as a quoted identifier, its quote doubled.
    virtual QString quoteIdentifier(const QString &name) const;
    // An expression ordering text in Persian alphabetical order.
    virtual QString persianOrder(const QString &expression) const = 0;
    // A condition that matches nothing, for filters whose value list is empty.
    QString matchNothing() const { return QStringLiteral("1=0"); }

    // Statements that read one row by "key = ?" and keep other writers off it
    // until the transaction ends; each is run with the key, the last one reads.
    virtual QStringList lockedRowRead(const QString &table, const QString &columns, const QString &key) const;

    // Work done on every new connection (collations, session settings).
    virtual bool prepareConnection(QSqlDatabase &db, QString *error) const;
};

std::unique_ptr<Dialect> makeDialect(Engine engine);

}  // namespace bv
