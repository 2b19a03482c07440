#include "backupfile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QVersionNumber>
#include <filesystem>

namespace bv {

QString backupFileName(const QString &jalaliDate)
{
    return QStringLiteral("tolvan") + jalaliDate.mid(0, 4) + QLatin1Char('_') + jalaliDate.mid(5, 2) + QLatin1Char('_')
        + jalaliDate.mid(8, 2);
}

QString serverBackupStatement(const Dialect &dialect, const QString &catalog)
{
    return QStringLiteral("BACKUP DATABASE ") + dialect.quoteIdentifier(catalog) + QStringLiteral(" TO DISK = ?");
}

QString serverBackupPath(const QString &folder, const QString &fileName)
{
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder + fileName;
    return folder + QLatin1Char('\\') + fileName;
}

QString pgDumpProgram()
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("pg_dump.exe");
    const QString root = QStringLiteral("C:/Program Files/PostgreSQL");
#else
    const QString name = QStringLiteral("pg_dump");
    const QString root = QStringLiteral("/usr/lib/postgresql");
#endif
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty())
        return onPath;
    // Versioned install folders ("15", "16"...): the newest client reads every older server.
    QString best;
    QVersionNumber bestVersion;
    for (const QString &version : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString candidate = QDir(root).filePath(version + QStringLiteral("/bin/") + name);
        const QVersionNumber number = QVersionNumber::fromString(version);
        if (QFileInfo(candidate).isExecutable() && (best.isEmpty() || number > bestVersion)) {
            best = candidate;
            bestVersion = number;
        }
    }
    return best;
}

namespace {
std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Moves the complete temporary file onto the final name, replacing an earlier
// backup of the same day only now that the new one is whole.
bool moveIntoPlace(QTemporaryFile &part, const QString &target, QString *error)
{
    std::error_code code;
    std::filesystem::rename(fsPath(part.fileName()), fsPath(target), code);
    if (code) {
        *error = QString::fromLocal8Bit(code.message());
        return false;
    }
    part.setAutoRemove(false);
    return true;
}

bool sqliteBackup(const Db &db, QTemporaryFile &part, QString *error)
{
    try {
        db.exec(QStringLiteral("VACUUM INTO ?"), {part.fileName()});
    } catch (const DbError &e) {
        *error = e.text();
        return false;
    }
    return true;
}

bool postgresBackup(const Db &db, QTemporaryFile &part, QString *error)
{
    const QString program = pgDumpProgram();
    if (program.isEmpty()) {
        *error = QStringLiteral("pg_dump not found");
        return false;
    }
    const QSqlDatabase h = db.handle();
    // Everything reaches pg_dump through the environment: the password never
    // appears on a command line, and a database name is never read as options.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"PGSERVICE", "PGSERVICEFILE", "PGHOST", "PGHOSTADDR", "PGPORT", "PGOPTIONS"})
        env.remove(QLatin1String(name));
    if (!h.hostName().isEmpty())
        env.insert(QStringLiteral("PGHOST"), h.hostName());
    if (h.port() > 0)
        env.insert(QStringLiteral("PGPORT"), QString::number(h.port()));
    env.insert(QStringLiteral("PGUSER"), h.userName());
    env.insert(QStringLiteral("PGDATABASE"), h.databaseName());
    env.insert(QStringLiteral("PGPASSWORD"), h.password());
    QProcess dump;
    dump.setProcessEnvironment(env);
    dump.start(program, {QStringLiteral("--format=custom"), QStringLiteral("--no-password"),
                         QStringLiteral("--file=") + part.fileName()});
    if (!dump.waitForStarted()) {
        *error = dump.errorString();
        return false;
    }
    dump.waitForFinished(-1);
    if (dump.exitStatus() != QProcess::NormalExit || dump.exitCode() != 0) {
        *error = QString::fromLocal8Bit(dump.readAllStandardError()).trimmed();
        if (error->isEmpty())
            *error = dump.errorString();
        return false;
    }
    return true;
}
}  // namespace

BackupResult makeBackup(const Db &db, const QString &folder, const QString &jalaliDate)
{
    BackupResult result;
    const QString name = backupFileName(jalaliDate);
    if (folder.trimmed().isEmpty())
        return result;
    if (db.dialect().engine() == Engine::SqlServer) {
        result.path = serverBackupPath(folder, name);
        try {
            const QString catalog = db.scalar(QStringLiteral("SELECT DB_NAME()")).toString();
            QSqlQuery q = db.exec(serverBackupStatement(db.dialect(), catalog), {result.path});
            // The server goes on only while its progress messages are read.
            while (q.nextResult()) {
            }
        } catch (const DbError &e) {
            result.error = e.text();
            return result;
        }
        result.ok = true;
        return result;
    }

    const QDir dir(folder);
    if (!dir.exists()) {
        result.error = folder;
        return result;
    }
    result.path = dir.filePath(name);
    QTemporaryFile part(dir.filePath(name + QStringLiteral(".XXXXXX")));
    if (!part.open()) {
        result.error = part.errorString();
        return result;
    }
    part.close();
    const bool written = db.dialect().engine() == Engine::SQLite ? sqliteBackup(db, part, &result.error)
                                                                 : postgresBackup(db, part, &result.error);
    result.ok = written && moveIntoPlace(part, result.path, &result.error);
    return result;
}

}  // namespace bv
