// borvinat-sample --ensure DIR: makes DIR hold a ready embedded database and a
// configuration pointing at it (the user's own configuration is not touched).
#include "config.h"
#include "db.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || args[1] != QLatin1String("--ensure")) {
        std::fprintf(stderr, "usage: borvinat-sample --ensure DIR\n");
        return 2;
    }
    const QDir dir(args[2]);
    QDir().mkpath(dir.path());
    const QString file = dir.absoluteFilePath(QStringLiteral("borvinat.sqlite"));
    bv::ConnectionConfig config(dir.absoluteFilePath(QStringLiteral("borvinat.conf")));
    config.write({{QStringLiteral("BorvinatSqlServerName"), file},
                  {QStringLiteral("BorvinatDataBase"), QStringLiteral("Borvinat")},
                  {QStringLiteral("BorvinatAuthentication"), QStringLiteral("SQLite")}});
    bv::Db db(QStringLiteral("sample"));
    QString error;
    if (!db.open({bv::Engine::SQLite, file}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
