#include "activitylog.h"

#include "conditions.h"
#include "dates.h"
#include "schema_tables.h"

#include <QHostInfo>
#include <QLocale>
#include <QNetworkInterface>

namespace bv {

QString pickIPv4(const QList<QHostAddress> &addresses)
{
    QString loopback;
    QString other;
    for (const QHostAddress &a : addresses) {
        if (a.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        (a.isLoopback() ? loopback : other) = a.toString();
    }
    return other.isEmpty() ? loopback : other;
}

const MachineIdentity &machineIdentity()
{
    static const MachineIdentity identity = [] {
        MachineIdentity m;
        m.ip = pickIPv4(QNetworkInterface::allAddresses());
        m.hostName = QHostInfo::localHostName();
        return m;
    }();
    return identity;
}

QString logTime(const QTime &time)
{
    return QLocale::c().toString(time, QStringLiteral("HH:mm:ss"));
}

namespace {
// The width of a text column of `log`.
int logWidth(const char *column)
{
    static const schema::Table *table = schema::findTable("log");
    for (const schema::Column &c : table->columns)
        if (qstrcmp(c.name, column) == 0)
            return c.width;
    return 0;
}

QString fit(const QString &value, const char *column)
{
    return value.left(logWidth(column));
}
}  // namespace

void writeLog(const Db &db, const QString &user, const QString &description)
{
    const MachineIdentity &m = machineIdentity();
    db.exec(QStringLiteral("INSERT INTO log (karbar, ip, computer_name, saat, tarikh, cmt) VALUES (?, ?, ?, ?, ?, ?)"),
            {fit(user, "karbar"), fit(m.ip, "ip"), fit(m.hostName, "computer_name"),
             fit(logTime(QTime::currentTime()), "saat"), jalaliToday(), fit(description, "cmt")});
}

ResultSet searchLog(const Db &db, const LogFilter &filter)
{
    Conditions where(db.dialect());
    where.compare(QStringLiteral("karbar"), Conditions::Op::NotEqual, QString(""));
    if (filter.user)
        where.contains(QStringLiteral("karbar"), *filter.user);
    if (filter.dates)
        where.range(QStringLiteral("tarikh"), filter.dates->first, filter.dates->second);
    if (filter.description)
        where.contains(QStringLiteral("cmt"), *filter.description);
    if (filter.computer)
        where.contains(QStringLiteral("computer_name"), *filter.computer);
    if (filter.ip)
        where.contains(QStringLiteral("ip"), *filter.ip);
    // Rows of one server second keep the order they were written in.
    return db.select(QStringLiteral("select * from log") + where.where() + QStringLiteral(" order by saat_sys desc, id desc"),
                     where.values());
}

}  // namespace bv
