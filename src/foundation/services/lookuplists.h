#pragma once
// Reading lookup lists: the items of table `setting` registered under a title,
// in the order they were registered.
#include "db.h"

#include <QString>
#include <QStringList>

namespace bv {

// The items (`cmt`) of a list, first registered first.
QStringList lookupItems(const Db &db, const QString &title);
// The items of a list in Persian alphabetical order, for drop-down choices.
QStringList lookupItemsSorted(const Db &db, const QString &title);
// The first registered item of a list; empty when the list has none.
QString lookupFirst(const Db &db, const QString &title);

}  // namespace bv
