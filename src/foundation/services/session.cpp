#include "session.h"

#include "interaction.h"
#include "lookuplists.h"
#include "text.h"

namespace bv {

Session &session()
{
    static Session current;
    return current;
}

std::optional<PageRights> pageRights(const Db &db, qint64 userId, const QString &pageKey)
{
    const ResultSet rows = db.select(QStringLiteral("SELECT darj, virayesh, hazf, namayesh FROM dastrasi "
                                                    "WHERE prs_id = ? AND page_name = ? ORDER BY id"),
                                     {userId, pageKey});
    if (rows.empty())
        return std::nullopt;
    const QVariantList &r = rows.rows.front();
    return PageRights{r[0].toInt() != 0, r[1].toInt() != 0, r[2].toInt() != 0, r[3].toInt() != 0};
}

bool checkRight(const Db &db, const Session &user, const QString &pageKey, bool PageRights::*flag)
{
    const std::optional<PageRights> rights = pageRights(db, user.prsId, pageKey);
    if (rights && (*rights).*flag)
        return true;
    ui().message(noAccessMessage);
    return false;
}

void addCountyScope(Conditions &conditions, const Session &user, const QString &column)
{
    if (user.level == QLatin1String("admin"))
        return;
    conditions.fixed(column + QStringLiteral(" IN (SELECT cmt FROM dastrasi2 WHERE user_id = ?)"), {user.prsId});
}

bool confirmDeletePassword(const Db &db)
{
    const QString stored = lookupFirst(db, QStringLiteral("رمز حذف"));
    const std::optional<QString> typed =
        ui().input(QStringLiteral("Delete Password"), QStringLiteral("رمز حذف"), QStringLiteral("?"), true);
    // Both sides as typed text: the list item may hold the Persian yeh or digits.
    return typed && normalizeInput(*typed) == normalizeInput(stored);
}

}  // namespace bv
