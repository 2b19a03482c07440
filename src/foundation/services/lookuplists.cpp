#include "lookuplists.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace bv {

QStringList lookupItems(const Db &db, const QString &title)
{
    QStringList items;
    QSqlQuery q = db.exec(QStringLiteral("SELECT cmt FROM setting WHERE component = ? ORDER BY id"), {title});
    while (q.next())
        items << q.value(0).toString();
    return items;
}

QString lookupFirst(const Db &db, const QString &title)
{
    const QVariant v = db.scalar(
        db.dialect().firstRows(QStringLiteral("SELECT cmt FROM setting WHERE component = ? ORDER BY id"), 1), {title});
    return v.toString();
}

QStringList lookupItemsSorted(const Db &db, const QString &title)
{
    QStringList items = lookupItems(db, title);
    const QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    std::sort(items.begin(), items.end(), [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return items;
}

}  // namespace bv
