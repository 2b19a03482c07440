#include "borvinat_pic_search.h"

#include "schema_tables.h"

namespace bv::studies {

namespace {

const QString from = QStringLiteral(" FROM borvinat_pic LEFT JOIN borvinat ON borvinat_pic.borvinat_id = borvinat.id");

const QString &listedColumns()
{
    static const QString columns = [] {
        const QStringList place = {QStringLiteral("city"), QStringLiteral("bakhsh"), QStringLiteral("dehestan"),
                                   QStringLiteral("rosta")};
        QStringList out = {QStringLiteral("borvinat_pic.id"), QStringLiteral("borvinat_pic.borvinat_id"),
                           QStringLiteral("borvinat_pic.cmt"), QStringLiteral("borvinat_pic.pictyp")};
        for (const QString &name : place)
            out << QStringLiteral("borvinat.") + name;
        for (const schema::Column &c : schema::findTable("borvinat")->columns) {
            const QString name = QString::fromLatin1(c.name);
            if (name != QLatin1String("id") && !place.contains(name))
                out << QStringLiteral("borvinat.") + name;
        }
        return out.join(QStringLiteral(", "));
    }();
    return columns;
}

QString body(const QString &city, const QString &rosta, const QString &cmt)
{
    return city + QLatin1Char('_') + rosta + QLatin1Char('_') + cmt + QStringLiteral("__");
}

}  // namespace

Conditions picConditions(const Dialect &dialect, const PicFilters &f)
{
    // Every county: this search has no user scope.
    Conditions c(dialect);
    const std::pair<const std::optional<QString> *, const char *> filters[] = {
        {&f.cmt, "borvinat_pic.cmt"},
        {&f.city, "borvinat.city"},
        {&f.rosta, "borvinat.rosta"},
        {&f.tarh_moshaver_name, "borvinat.tarh_moshaver_name"},
        {&f.prot_no, "borvinat.moshaver_prot_no"},
        {&f.tamin_sal, "borvinat.etebar_sal"},
    };
    for (const auto &[text, column] : filters)
        if (*text)
            c.contains(QString::fromLatin1(column), **text);
    return c;
}

QString picCountSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT COUNT(borvinat_pic.id)") + from + conditions.where();
}

QString picListSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT ") + listedColumns() + from + conditions.where()
        + QStringLiteral(" ORDER BY borvinat_pic.id");
}

int countPics(const Db &db, const Conditions &conditions)
{
    return db.scalar(picCountSql(conditions), conditions.values()).toInt();
}

ResultSet searchPics(const Db &db, const Conditions &conditions, int limit)
{
    const QString sql = picListSql(conditions);
    return db.select(limit > 0 ? db.dialect().firstRows(sql, limit) : sql, conditions.values());
}

QString picSavedPath(const QString &prefix, int number, const QString &city, const QString &rosta, const QString &cmt,
                     const QString &extension)
{
    return numberedSavePath(prefix, number, body(city, rosta, cmt), extension);
}

SaveAllReport saveAllPics(const Db &db, const ResultSet &rows, const QString &prefix)
{
    return saveListedAttachments(db, attachment::borvinat_pic(), rows, prefix, [&](int row, const StoredAttachment &file) {
        return body(rows.value(row, QStringLiteral("city")).toString(), rows.value(row, QStringLiteral("rosta")).toString(),
                    file.description);
    });
}

}  // namespace bv::studies
