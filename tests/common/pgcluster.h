#pragma once
// A PostgreSQL cluster of its own on a free loopback port, removed with the
// object: a test or benchmark may stop and start it without disturbing anyone.
#include "db.h"

#include <QStringList>
#include <QTemporaryDir>

namespace bv::test {

class PgCluster {
public:
    // Creates and starts the cluster; error() says why when it could not.
    PgCluster();
    ~PgCluster();
    PgCluster(const PgCluster &) = delete;
    PgCluster &operator=(const PgCluster &) = delete;

    bool ready() const { return ready_; }
    // Empty when the server programs are not installed.
    bool available() const { return !pgctl_.isEmpty(); }
    const QString &error() const { return error_; }
    // The superuser on the "postgres" database.
    ConnectionParams params() const;
    bool start();
    // Fast shutdown: open sessions are ended, their transactions undone.
    bool stop();

private:
    QString data() const;
    bool pgctl(QStringList args);
    bool run(const QString &program, QStringList args, bool asPostgres = true);
    // Under /tmp: the server's own user must reach it, which a private
    // TMPDIR may not allow.
    QTemporaryDir dir_{QStringLiteral("/tmp/borvinat-cluster-XXXXXX")};
    QString initdb_, pgctl_, error_;
    int port_ = 0;
    bool ready_ = false;
};

}  // namespace bv::test
