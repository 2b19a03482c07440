#include "naghshe_pic_search.h"

#include "attachments.h"
#include "filesafety.h"
#include "naghshe_evaluation.h"
#include "schema_tables.h"

#include <QDir>
#include <QFileInfo>

namespace bv::survey {

namespace {

const QString from = QStringLiteral(" FROM naghshe_pic LEFT JOIN naghshe ON naghshe_pic.naghshe_id = naghshe.id");

// The listed columns: the attachment's but its file, the project's place,
// then the project's other columns but the two names the attachment uses.
const QString &listedColumns()
{
    static const QString columns = [] {
        const QStringList place = {QStringLiteral("city"), QStringLiteral("bakhsh"), QStringLiteral("dehestan"),
                                   QStringLiteral("rosta")};
        QStringList out = {QStringLiteral("naghshe_pic.id"), QStringLiteral("naghshe_pic.naghshe_id"),
                           QStringLiteral("naghshe_pic.cmt"), QStringLiteral("naghshe_pic.pictyp")};
        for (const QString &name : place)
            out << QStringLiteral("naghshe.") + name;
        for (const schema::Column &c : schema::findTable("naghshe")->columns) {
            const QString name = QString::fromLatin1(c.name);
            if (name != QLatin1String("id") && name != QLatin1String("cmt") && !place.contains(name))
                out << QStringLiteral("naghshe.") + name;
        }
        return out.join(QStringLiteral(", "));
    }();
    return columns;
}

QString joinedName(const QStringList &parts)
{
    return parts.join(QLatin1Char('_'));
}

}  // namespace

Conditions attachmentConditions(const Dialect &dialect, const AttachmentFilters &f, const Session &user)
{
    Conditions c(dialect);
    addCountyScope(c, user, QStringLiteral("naghshe.city"));
    const std::pair<const std::optional<QString> *, const char *> filters[] = {
        {&f.cmt, "naghshe_pic.cmt"},           {&f.city, "naghshe.city"},
        {&f.rosta, "naghshe.rosta"},           {&f.peymankar, "naghshe.peymankar"},
        {&f.prot_no, "naghshe.prot_no"},       {&f.tamin_sal, "naghshe.tamin_sal"},
    };
    for (const auto &[text, column] : filters)
        if (*text)
            c.contains(QString::fromLatin1(column), **text);
    return c;
}

QString attachmentCountSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT COUNT(naghshe_pic.id)") + from + conditions.where();
}

QString attachmentListSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT ") + listedColumns() + from + conditions.where()
        + QStringLiteral(" ORDER BY naghshe_pic.id");
}

int countAttachments(const Db &db, const Conditions &conditions)
{
    return db.scalar(attachmentCountSql(conditions), conditions.values()).toInt();
}

ResultSet searchAttachments(const Db &db, const Conditions &conditions, int limit)
{
    const QString sql = attachmentListSql(conditions);
    return db.select(limit > 0 ? db.dialect().firstRows(sql, limit) : sql, conditions.values());
}

QStringList placeChoices(const Db &db, Place place)
{
    const QString column = place == Place::County ? QStringLiteral("city") : QStringLiteral("rosta");
    QStringList out;
    for (const QVariantList &r : db.select(QStringLiteral("SELECT %1 FROM abadiha GROUP BY %1 ORDER BY %2")
                                               .arg(column, db.dialect().persianOrder(column)))
                                     .rows)
        out << r[0].toString();
    return out;
}

QString projectScore(const Db &db, qint64 project)
{
    return evaluationSums(db, project).emtiyaz;
}

QString clickedFileName(const QString &cmt, const QString &score)
{
    return joinedName({cmt, score});
}

QString listedFileName(const QString &city, const QString &rosta, const QString &cmt, const QString &score)
{
    return joinedName({city, rosta, cmt, score});
}

QString savedAllPath(const QString &prefix, int number, const QString &city, const QString &rosta,
                     const QString &cmt, const QString &score, const QString &extension)
{
    return numberedSavePath(prefix, number, joinedName({city, rosta, cmt, score}) + QLatin1Char('_'), extension);
}

SaveAllReport saveAllAttachments(const Db &db, const ResultSet &rows, const QString &prefix)
{
    return saveListedAttachments(db, attachment::naghshe_pic(), rows, prefix, [&](int row, const StoredAttachment &file) {
        const QString score = projectScore(db, rows.value(row, QStringLiteral("naghshe_id")).toLongLong());
        return joinedName({rows.value(row, QStringLiteral("city")).toString(),
                           rows.value(row, QStringLiteral("rosta")).toString(), file.description, score})
            + QLatin1Char('_');
    });
}

}  // namespace bv::survey
