#pragma once
// Messages between users (table `payamha`): the plain code of the messages window.
#include "db.h"
#include "session.h"

#include <QByteArray>
#include <QList>
#include <optional>
#include <vector>

namespace bv {

// The stored form of a message text. New rows hold a UTF-8 byte-order mark and
// the text in UTF-8; rows without the mark are older ones, written in code page
// 1256, and are read as such.
QByteArray encodeMessageText(const QString &text);
QString decodeMessageText(const QByteArray &stored);

// A user as the recipient lists show it: area*level*group*name, an empty
// column giving an empty part.
QString recipientLabel(const QVariant &ostan, const QVariant &lev, const QVariant &semat, const QVariant &nam);

struct Recipient {
    qint64 id = 0;
    QString label;
};
// Every user, in alphabetical order of the labels.
std::vector<Recipient> recipients(const Db &db);

// The messages `user` receives (every message for the user name "admin"),
// newest first, with the sender's user name as `ferestande` and the text
// decoded in `cmt`. `recipient` narrows the list to one recipient's messages.
ResultSet listMessages(const Db &db, const Session &user, std::optional<qint64> recipient = std::nullopt);

struct SendResult {
    int sent = 0;
    int repeated = 0;  // skipped: the sender already sent this subject to them today
};

// Sends the message to each recipient, in one transaction; one message per
// sender, recipient, subject and day.
SendResult sendMessage(const Db &db, qint64 sender, const QList<qint64> &recipientIds, const QString &subject,
                       const QString &text, const QString &today);
// What the user is told after sending.
QString sendReport(const SendResult &result);

// Stamps a message as read today.
void markRead(const Db &db, qint64 messageId, const QString &today);

enum class Party { Sender, Recipient };
// The recipient label of a message's sender or recipient; empty when that user is gone.
QString partyLabel(const Db &db, qint64 messageId, Party party);

// Only the user name "admin" deletes messages.
bool mayDeleteMessages(const Session &user);
inline const QString adminOnlyMessage = QStringLiteral("حذف فقط توسط مدير سيستم قابل انجام است");

void deleteMessage(const Db &db, qint64 messageId);
// Every read message of every user; returns how many.
int deleteReadMessages(const Db &db);
// The read ones among the given messages; unread ones stay. Returns how many.
int deleteReadAmong(const Db &db, const QList<qint64> &messageIds);

}  // namespace bv
