#include "lookuplists.h"

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

}  // namespace bv
