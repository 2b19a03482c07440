#include "test_db.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

namespace bv::test {

namespace {
struct PgServer {
    QString host, user, password;
    int port = 0;
};

std::optional<PgServer> pgServer()
{
    const QString spec = QString::fromLocal8Bit(qgetenv("BORVINAT_TEST_PG"));
    const QStringList parts = spec.split(QLatin1Char(':'));
    if (parts.size() != 4)
        return std::nullopt;
    return PgServer{parts[0], parts[2], parts[3], parts[1].toInt()};
}

// Runs one administrative statement on the cluster's maintenance database.
void pgAdmin(const QString &sql)
{
    const PgServer s = *pgServer();
    const QString name = QStringLiteral("bv_test_admin");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(s.host);
        db.setPort(s.port);
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(s.user);
        db.setPassword(s.password);
        if (!db.open())
            ADD_FAILURE() << db.lastError().text().toStdString();
        QSqlQuery q(db);
        if (!q.exec(sql))
            ADD_FAILURE() << q.lastError().text().toStdString() << " in " << sql.toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}
}  // namespace

bool postgresAvailable()
{
    return pgServer().has_value();
}

std::string engineName(Engine engine)
{
    switch (engine) {
    case Engine::SQLite: return "SQLite";
    case Engine::PostgreSQL: return "PostgreSQL";
    case Engine::SqlServer: return "SqlServer";
    }
    return "unknown";
}

TestDatabase::TestDatabase(Engine engine)
{
    params_.engine = engine;
    if (engine == Engine::SQLite) {
        dir_ = std::make_unique<QTemporaryDir>();
        params_.host = dir_->filePath(QStringLiteral("test.sqlite"));
        return;
    }
    const PgServer s = *pgServer();
    pgName_ = QStringLiteral("bvt_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    pgAdmin(QStringLiteral("CREATE DATABASE ") + pgName_ + QStringLiteral(" ENCODING 'UTF8' TEMPLATE template0"));
    params_.host = s.host;
    params_.port = s.port;
    params_.database = pgName_;
    params_.user = s.user;
    params_.password = s.password;
}

TestDatabase::~TestDatabase()
{
    if (!pgName_.isEmpty())
        pgAdmin(QStringLiteral("DROP DATABASE IF EXISTS ") + pgName_ + QStringLiteral(" WITH (FORCE)"));
}

void TestDatabase::open(Db &db) const
{
    QString error;
    if (!db.open(params_, &error))
        ADD_FAILURE() << "cannot open test database: " << error.toStdString();
}

QString TestDatabase::authentication() const
{
    return params_.engine == Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
}

QString TestDatabase::serverText() const
{
    if (params_.engine == Engine::SQLite)
        return params_.host;
    return params_.host + QLatin1Char(':') + QString::number(params_.port);
}

}  // namespace bv::test
