#pragma once
// The windows the main menu opens, registered by menu item at start so that no
// lower library includes a higher one, and the page check that opens them.
#include "session.h"

#include <QDialog>
#include <functional>

namespace bv {

struct PageEntry {
    std::function<QDialog &()> window;                       // the window's one instance
    std::function<void(const PageRights &)> applyRights = {}; // switches its insert/edit/delete controls
    std::function<void()> prepare = {};                      // resets filters and runs its search
};

namespace pages {

void registerPage(const QString &menuItem, PageEntry entry);
const PageEntry *find(const QString &menuItem);

// The message of a menu item whose window is not part of this version yet.
inline const QString notAvailableMessage = QStringLiteral("اين بخش هنوز در اين نسخه فعال نشده است");

// Opens a menu item's window: with a page key, the user's access row must exist
// (its flags are applied to the window) and allow viewing; then the window is
// prepared, given to `beforeShow` (the opener sizes it there) and shown
// modally. Returns true when the window was shown.
bool open(const QString &menuItem, const QString &pageKey, const Db &db, const Session &user,
          const std::function<void(QDialog &)> &beforeShow = {});

}  // namespace pages
}  // namespace bv
