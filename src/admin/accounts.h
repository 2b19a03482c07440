#pragma once
// Accounts: the login checks, the version gate, passwords, the remembered user
// name, and the rights and counties of an account.
#include "db.h"
#include "rowguard.h"
#include "session.h"

#include <map>
#include <optional>
#include <vector>

namespace bv {

// This program's own version; the administrator's row holds the version that
// clients must have.
constexpr int programVersion = 1;

// The page keys of the rights grid with their labels, in the grid's order.
struct PageKey {
    const char *key;
    QString label;
};
const std::vector<PageKey> &pageKeys();

enum class LoginCheck { Ok, WrongCredentials, Inactive };

struct Account {
    qint64 id = 0;
    QString us, lev, nam, ostan, semat, mobile, status;
};

// Finds the account of `us` whose password matches `ps`. A plain-text password
// of an older database matches once and is replaced by its hash.
LoginCheck checkLogin(const Db &db, const QString &us, const QString &ps, Account *account);

// Writes this program's version into the user's row, then reads the version the
// administrator's row requires; nullopt when there is no such row or number.
std::optional<double> versionGate(const Db &db, const QString &us);

// Unread messages of a user.
int unreadMessages(const Db &db, qint64 userId);

// Replaces the password of `us` when `current` is right; false when no row changed.
bool changePassword(const Db &db, const QString &us, const QString &current, const QString &replacement);

// The user name of the last successful login, kept in the configuration folder.
QString rememberedUserFile();
QString rememberedUser();
void rememberUser(const QString &us);

// True when another account (not `exceptId`) has the user name.
bool userNameTaken(const Db &db, const QString &us, qint64 exceptId = 0);
// Inserts an account (password hashed) and logs it; returns its id.
qint64 insertAccount(const Db &db, const Account &account, const QString &password, const QString &actingUser);
// Updates an account; an empty password keeps the stored one. Logs the edit.
void updateAccount(const Db &db, const Account &account, const QString &password, const QString &actingUser);

// Rights of an account per page key; keys without rows are absent.
std::map<QString, PageRights> loadRights(const Db &db, qint64 userId);
// Replaces the rows of the grid's page keys for the account, in one transaction;
// rows of other keys are left alone.
void saveRights(const Db &db, qint64 userId, const std::map<QString, PageRights> &rights);
QStringList loadCounties(const Db &db, qint64 userId);
void saveCounties(const Db &db, qint64 userId, const QStringList &counties);
// The guards of an account's rights and counties as a window loaded them.
RowGuard rightsGuard();
RowGuard countiesGuard();

}  // namespace bv
