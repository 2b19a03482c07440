#pragma once
// The logged-in user for the whole run, and the three access rules every window
// applies: page rights, the county scope of browsers, and the delete password.
#include "conditions.h"
#include "db.h"

#include <optional>

namespace bv {

struct Session {
    QString karbar;   // the user name as typed at login
    QString level;    // "ostan", "city", "keshvar" or "admin"
    qint64 prsId = 0; // users.id
    QString nam;      // full name

    bool loggedIn() const { return prsId != 0; }
};

Session &session();

struct PageRights {
    bool insert = false;
    bool edit = false;
    bool remove = false;
    bool view = false;
};

// The first access row of `userId` for `pageKey`; nullopt when there is none.
std::optional<PageRights> pageRights(const Db &db, qint64 userId, const QString &pageKey);

// The refusal shown when a page is not allowed.
inline const QString noAccessMessage = QStringLiteral("شما دسترسي به اين صفحه را نداريد");

// Whether `user` may do what `flag` of the access row of `pageKey` allows;
// without the row or the flag, shows noAccessMessage and returns false.
bool checkRight(const Db &db, const Session &user, const QString &pageKey, bool PageRights::*flag);

// Limits a browser's search to the counties the user may see, unless the user's
// level is "admin". A user without counties sees nothing.
void addCountyScope(Conditions &conditions, const Session &user, const QString &column = QStringLiteral("city"));

// Asks for the delete password and compares it with the first registered item
// of its lookup list, both normalised as typed text. A cancelled box never
// authorises a deletion.
bool confirmDeletePassword(const Db &db);

}  // namespace bv
