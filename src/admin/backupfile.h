#pragma once
// Database backups: a file named after today's Jalali date, made by each
// engine's own means. A failed backup leaves no file under the final name.
#include "db.h"

namespace bv {

// "tolvan" + year + "_" + month + "_" + day of a Jalali date "YYYY/MM/DD".
QString backupFileName(const QString &jalaliDate);

// The SQL Server statement backing up `catalog`; the file path is its one bound value.
QString serverBackupStatement(const Dialect &dialect, const QString &catalog);
// The path SQL Server writes: a folder of the server's machine and the file name.
QString serverBackupPath(const QString &folder, const QString &fileName);

// The pg_dump program: the one on the PATH, else the newest in the usual
// install folders; empty when there is none.
QString pgDumpProgram();

struct BackupResult {
    bool ok = false;
    QString path;   // the backup file
    QString error;  // why it failed
};

// Backs the database of `db` up into `folder` under backupFileName(jalaliDate).
// SQLite (VACUUM INTO) and PostgreSQL (pg_dump, custom format) write a
// temporary file beside the final one and rename it when complete; SQL Server
// backs the connection's own catalog up on the server, where `folder` names a
// folder of the server's machine.
BackupResult makeBackup(const Db &db, const QString &folder, const QString &jalaliDate);

}  // namespace bv
