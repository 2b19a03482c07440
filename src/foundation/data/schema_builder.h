#pragma once
// The schema builder: creates the missing tables, adds each missing column on
// its own and the missing indexes, never drops or changes anything, and seeds
// the first administrator when it has just created the accounts table.
#include "db.h"

#include <functional>
#include <optional>

namespace bv {

struct SchemaReport {
    QStringList createdTables;
    QStringList addedColumns;    // "table.column"
    QStringList failures;        // Persian lines naming what failed, with the database's error
    bool cancelled = false;      // no administrator password was given: nothing was changed

    bool ok() const { return failures.isEmpty() && !cancelled; }
};

// `askAdminPassword` is called only when the accounts table is about to be
// created; nullopt cancels the build before anything is changed.
SchemaReport buildSchema(const Db &db, const std::function<std::optional<QString>()> &askAdminPassword);

// The message that reports a build to the user.
QString schemaReportMessage(const SchemaReport &report);

// Builds the schema on `db`, asking for the administrator password through the
// user interface and showing the result.
void runSchemaBuilder(const Db &db);

}  // namespace bv
