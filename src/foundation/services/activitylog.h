#pragma once
// The activity log: one row of table `log` per logged action, written by every
// window that logs. Nothing in the program reads it except the log viewer.
#include "db.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QTime>
#include <optional>
#include <utility>

namespace bv {

// This machine as the log rows name it.
struct MachineIdentity {
    QString ip;        // dotted IPv4 text; empty when the machine has none
    QString hostName;  // the machine's own name
};

// The identity of this machine, read on first use from the machine itself and
// kept for the run. No name is looked up on the network: a reverse lookup can
// wait for many seconds on a slow network, and the first login writes a row.
const MachineIdentity &machineIdentity();

// The address a log row names: the last non-loopback IPv4 address of the list
// (Debian maps the host name to 127.0.1.1), else the last loopback one.
QString pickIPv4(const QList<QHostAddress> &addresses);

// The client time of a log row, "14:05:09", whatever the system locale.
QString logTime(const QTime &time);

// Appends one row for `user` doing `description`, with this machine's identity,
// the local time and today's Jalali date; the server fills `saat_sys`. Values
// longer than their column are cut to its width, so a long description cannot
// fail the row. Throws DbError; call it inside the action's transaction so that
// the action and its row stand or fall together.
void writeLog(const Db &db, const QString &user, const QString &description);

// The log viewer's search: each filter that is set narrows the list.
struct LogFilter {
    std::optional<QString> user;         // `karbar` contains
    std::optional<std::pair<QString, QString>> dates;  // `tarikh` from, to: inclusive, as text
    std::optional<QString> description;  // `cmt` contains
    std::optional<QString> computer;     // `computer_name` contains
    std::optional<QString> ip;           // `ip` contains
};

// The rows of `log` the filter selects, newest first.
ResultSet searchLog(const Db &db, const LogFilter &filter);

}  // namespace bv
