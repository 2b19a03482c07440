#include "pgcluster.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <algorithm>
#include <unistd.h>

namespace bv::test {

namespace {
// The server programs are not on the usual path on Debian.
QString serverProgram(const QString &name)
{
    QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty())
        return found;
    QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(), [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &v : versions) {
        found = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v)});
        if (!found.isEmpty())
            return found;
    }
    return {};
}
}  // namespace

PgCluster::PgCluster()
{
    initdb_ = serverProgram(QStringLiteral("initdb"));
    pgctl_ = serverProgram(QStringLiteral("pg_ctl"));
    if (initdb_.isEmpty() || pgctl_.isEmpty()) {
        pgctl_.clear();
        error_ = QStringLiteral("no initdb and pg_ctl installed");
        return;
    }
    // The server refuses to run as root.
    if (geteuid() == 0 && !run(QStringLiteral("chown"), {QStringLiteral("postgres"), dir_.path()}, false))
        return;
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    port_ = probe.serverPort();
    probe.close();
    ready_ = run(initdb_, {QStringLiteral("-D"), data(), QStringLiteral("-U"), QStringLiteral("postgres"),
                           QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                           QStringLiteral("--locale=C.UTF-8")})
        && start();
}

PgCluster::~PgCluster()
{
    if (ready_)
        pgctl({QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("stop")});
}

ConnectionParams PgCluster::params() const
{
    ConnectionParams p;
    p.engine = Engine::PostgreSQL;
    p.host = QStringLiteral("127.0.0.1");
    p.port = port_;
    p.database = QStringLiteral("postgres");
    p.user = QStringLiteral("postgres");
    return p;
}

bool PgCluster::start()
{
    return pgctl({QStringLiteral("-w"), QStringLiteral("-l"), dir_.filePath(QStringLiteral("log")), QStringLiteral("-o"),
                  QStringLiteral("-c listen_addresses=127.0.0.1 -p %1 -k %2 -c fsync=off")
                      .arg(port_)
                      .arg(dir_.path()),
                  QStringLiteral("start")});
}

bool PgCluster::stop()
{
    return pgctl({QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("stop")});
}

QString PgCluster::data() const
{
    return dir_.filePath(QStringLiteral("data"));
}

bool PgCluster::pgctl(QStringList args)
{
    args.prepend(data());
    args.prepend(QStringLiteral("-D"));
    return run(pgctl_, args);
}

bool PgCluster::run(const QString &program, QStringList args, bool asPostgres)
{
    QString exe = program;
    if (asPostgres && geteuid() == 0) {
        args = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), program} + args;
        exe = QStringLiteral("runuser");
    }
    QProcess p;
    p.start(exe, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error_ = exe + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ")
            + QString::fromLocal8Bit(p.readAllStandardError() + p.readAllStandardOutput());
        return false;
    }
    return true;
}

}  // namespace bv::test
