#include "connection.h"

#include "interaction.h"

#include <QFileInfo>

namespace bv {

namespace {
const QString internetFailed = QStringLiteral("از اتصال خود به اينترنت مطمئن شويد");
const QString settingsMissing = QStringLiteral("لطفا") + QLatin1Char('"')
    + QStringLiteral(" ابتدا تنظيمات اتصال به بانک اطلاعاتي را انجام دهيد");
const QString accessMissing = QStringLiteral("فايل اكسس يافت نشد");
const QString settingsWrong =
    QStringLiteral("تنظيمات اتصال به بانک اطلاعاتي اشتباه انجام شده است، لطفا با مدير شبکه تماس حاصل کنيد");

QString odbcDriverName(const ConnectionConfig &config)
{
    const QString configured = config.value(QStringLiteral("OdbcDriver"));
    if (!configured.isEmpty())
        return configured;
#ifdef Q_OS_WIN
    return QStringLiteral("SQL Server");
#else
    return QStringLiteral("FreeTDS");
#endif
}

void splitHostPort(const QString &server, QString *host, int *port)
{
    const int colon = server.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const int p = colon > 0 ? server.mid(colon + 1).toInt(&ok) : -1;
    if (ok && p > 0) {
        *host = server.left(colon);
        *port = p;
    } else {
        *host = server;
        *port = -1;
    }
}

QString sqlServerString(const QString &driver, const QString &server, const QString &catalog,
                        const QString &user, const QString *password)
{
    QString s = QStringLiteral("DRIVER=") + odbcValue(driver) + QStringLiteral(";SERVER=") + odbcValue(server)
        + QStringLiteral(";DATABASE=") + odbcValue(catalog);
    if (password)
        s += QStringLiteral(";UID=") + odbcValue(user) + QStringLiteral(";PWD=") + odbcValue(*password);
    else
        s += QStringLiteral(";Trusted_Connection=yes");
    return s;
}
}  // namespace

QString accessConnectionString(const QString &file, const QString &systemType, const QString &password)
{
    QString s = QStringLiteral("DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=") + odbcValue(file);
    if (systemType == QLatin1String("32-bit"))
        s += QStringLiteral(";UID=admin;PWD=") + odbcValue(password);
    return s;
}

std::optional<ConnectionParams> localParams(const ConnectionConfig &config, const QString &side)
{
    const QString server = config.value(side + QStringLiteral("SqlServerName"));
    const QString catalog = config.value(side + QStringLiteral("DataBase"));
    const QString user = config.value(side + QStringLiteral("UserName"));
    const QString password = unscramble(config.value(side + QStringLiteral("Password")));
    ConnectionParams p;
    switch (authKindOf(config.value(side + QStringLiteral("Authentication")))) {
    case AuthKind::SqlServer:
        p.engine = Engine::SqlServer;
        p.odbcConnectionString = sqlServerString(odbcDriverName(config), server, catalog, user, &password);
        return p;
    case AuthKind::Windows:
        p.engine = Engine::SqlServer;
        p.odbcConnectionString = sqlServerString(odbcDriverName(config), server, catalog, user, nullptr);
        return p;
    case AuthKind::Access: {
        const QString systemType = config.value(side + QStringLiteral("SystemType"));
        if (systemType != QLatin1String("32-bit") && systemType != QLatin1String("64-bit"))
            return p;  // no usable string: the open fails with the Access message
        p.engine = Engine::SqlServer;
        p.odbcConnectionString =
            accessConnectionString(server, systemType, config.value(side + QStringLiteral("AccessPassword")));
        return p;
    }
    case AuthKind::SQLite:
        p.engine = Engine::SQLite;
        p.host = server;
        return p;
    case AuthKind::PostgreSQL:
        p.engine = Engine::PostgreSQL;
        splitHostPort(server, &p.host, &p.port);
        p.database = catalog;
        p.user = user;
        p.password = password;
        return p;
    case AuthKind::Unknown:
        break;
    }
    return std::nullopt;
}

std::optional<ConnectionParams> internetParams(const ConnectionConfig &config)
{
    const QString server = config.internetValue(QStringLiteral("SqlServerName"));
    if (server.isEmpty())
        return std::nullopt;
    const QString catalog = config.internetValue(QStringLiteral("DataBase"));
    const QString user = config.internetValue(QStringLiteral("UserName"));
    const QString password = unscramble(config.internetValue(QStringLiteral("Password")));
    ConnectionParams p;
    if (authKindOf(config.internetValue(QStringLiteral("Authentication"))) == AuthKind::PostgreSQL) {
        p.engine = Engine::PostgreSQL;
        splitHostPort(server, &p.host, &p.port);
        p.database = catalog;
        p.user = user;
        p.password = password;
    } else {
        p.engine = Engine::SqlServer;
        p.odbcConnectionString = sqlServerString(odbcDriverName(config), server, catalog, user, &password);
    }
    return p;
}

bool ConnectionProcedure::run(LoginMode mode)
{
    if (mode == LoginMode::Internet) {
        main.close();
        const std::optional<ConnectionParams> params = internetParams(config);
        if (!params || !main.open(*params)) {
            ui().message(internetFailed);
            return false;
        }
        return true;
    }

    if (!config.exists()) {
        ui().message(settingsMissing, MessageKind::Confirm);
        showSettings();
        return false;
    }

    // Opens one side; on failure shows the side's message and the settings window.
    auto openSide = [&](Db &db, const QString &side, bool required) {
        db.close();
        const AuthKind kind = authKindOf(config.value(side + QStringLiteral("Authentication")));
        const std::optional<ConnectionParams> params = localParams(config, side);
        const bool configured = params && !config.value(side + QStringLiteral("SqlServerName")).isEmpty();
        if (!configured && !required)
            return true;  // the contracts register is simply not configured
        bool opened = false;
        if (!params || (kind == AuthKind::Access && params->odbcConnectionString.isEmpty()))
            opened = false;
        else if (params->engine == Engine::SQLite && !createMissingSqliteFile && !QFileInfo(params->host).isFile())
            opened = false;
        else
            opened = db.open(*params);
        if (opened)
            return true;
        ui().message(kind == AuthKind::Access ? accessMissing : settingsWrong, MessageKind::Warning);
        showSettings();
        return false;
    };

    bool ok = openSide(main, QStringLiteral("Borvinat"), true);
    if (!openSide(contracts, QStringLiteral("Protocol"), false))
        ok = false;
    return ok;
}

}  // namespace bv
