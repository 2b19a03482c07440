#pragma once
// Editing lookup lists: the titles the settings window offers, its listing and
// its register and delete actions.
#include "db.h"

#include <QStringList>

namespace bv {

// Every title the program reads, in the order the settings window offers them.
const QStringList &lookupTitles();

// The rows of every title containing `title`, by item in Persian order.
ResultSet lookupRowsLike(const Db &db, const QString &title);
// Every row, in the order they were registered or, with `byTitle`, by title.
ResultSet lookupRows(const Db &db, bool byTitle);

enum class LookupAdd { Added, Empty, Duplicate };

// Registers `item` under `title` unless either is empty or the exact pair exists.
LookupAdd addLookupItem(const Db &db, const QString &title, const QString &item);
// Deletes every row of the exact pair; returns how many went.
int removeLookupItem(const Db &db, const QString &title, const QString &item);

}  // namespace bv
