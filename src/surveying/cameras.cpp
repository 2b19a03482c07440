#include "cameras.h"

#include "activitylog.h"
#include "messages.h"

#include <QFile>

namespace bv::survey {

namespace {
QVariantList valuesOf(const CameraEntry &e)
{
    return {e.city, e.typ, e.cod, e.prs, e.cmt};
}

// Events name their instrument by its id as text.
QString ownerText(qint64 camera)
{
    return QString::number(camera);
}

// The width of `pictyp`.
constexpr int extensionWidth = 10;
}  // namespace

Conditions cameraConditions(const Dialect &dialect, const CameraFilters &filters, const Session &user)
{
    Conditions c(dialect);
    addCountyScope(c, user);
    if (filters.city)
        c.contains(QStringLiteral("city"), *filters.city);
    if (filters.typ)
        c.contains(QStringLiteral("typ"), *filters.typ);
    return c;
}

QString cameraCountSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT COUNT(*) FROM dorbin") + conditions.where();
}

QString cameraListSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT id, city, typ, cod, prs, cmt FROM dorbin") + conditions.where()
        + QStringLiteral(" ORDER BY id");
}

int countCameras(const Db &db, const Conditions &conditions)
{
    return db.scalar(cameraCountSql(conditions), conditions.values()).toInt();
}

ResultSet listCameras(const Db &db, const Conditions &conditions, int limit)
{
    const QString sql = cameraListSql(conditions);
    return db.select(limit > 0 ? db.dialect().firstRows(sql, limit) : sql, conditions.values());
}

bool cameraExists(const Db &db, const CameraEntry &e)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM dorbin WHERE city = ? AND typ = ? AND cod = ?"),
                     {e.city, e.typ, e.cod})
               .toInt()
        > 0;
}

qint64 insertCamera(const Db &db, const CameraEntry &e, const QString &user)
{
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(QStringLiteral("INSERT INTO dorbin (city, typ, cod, prs, cmt) VALUES (?, ?, ?, ?, ?)"),
                       valuesOf(e));
        writeLog(db, user, QStringLiteral(" ثبت دوربين جديد  ") + e.cod + QLatin1Char(' ') + user);
    });
    return id;
}

void updateCamera(const Db &db, qint64 id, const CameraEntry &e, const QString &user)
{
    QVariantList values = valuesOf(e);
    values << id;
    db.transaction([&] {
        db.exec(QStringLiteral("UPDATE dorbin SET city = ?, typ = ?, cod = ?, prs = ?, cmt = ? WHERE id = ?"), values);
        writeLog(db, user, QStringLiteral(" ويرايش دوربين  ") + e.cod + QLatin1Char(' ') + user);
    });
}

bool deleteCamera(const Db &db, qint64 id, const QString &cod, const QString &user)
{
    bool found = false;
    db.transaction([&] {
        found = db.exec(QStringLiteral("DELETE FROM dorbin WHERE id = ?"), {id}).numRowsAffected() > 0;
        if (!found)
            return;
        db.exec(QStringLiteral("DELETE FROM dorbin_pic WHERE dorbin_id = ?"), {ownerText(id)});
        writeLog(db, user, QStringLiteral(" حذف دوربين ") + cod + QLatin1Char(' ') + user);
    });
    return found;
}

int eventsOfCamera(const Db &db, qint64 id)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM dorbin_pic WHERE dorbin_id = ?"), {ownerText(id)}).toInt();
}

ResultSet cameraEvents(const Db &db, qint64 camera)
{
    return db.select(
        QStringLiteral("SELECT id, dorbin_id, dat, cmt, pictyp FROM dorbin_pic WHERE dorbin_id = ? ORDER BY id"),
        {ownerText(camera)});
}

QString eventText(const Db &db, qint64 event)
{
    return decodeMessageText(
        db.scalar(QStringLiteral("SELECT sharh FROM dorbin_pic WHERE id = ?"), {event}).toByteArray());
}

qint64 addEvent(const Db &db, qint64 camera, const CameraEvent &event)
{
    return db.insert(
        QStringLiteral("INSERT INTO dorbin_pic (dorbin_id, dat, cmt, sharh, pictyp, pic) VALUES (?, ?, ?, ?, ?, ?)"),
        {ownerText(camera), event.dat, event.cmt, encodeMessageText(event.sharh), event.pictyp,
         event.pic.isNull() ? QByteArray("") : event.pic});
}

void deleteEvent(const Db &db, qint64 event)
{
    db.exec(QStringLiteral("DELETE FROM dorbin_pic WHERE id = ?"), {event});
}

std::optional<StoredAttachment> eventDocument(const Db &db, qint64 event)
{
    const ResultSet rows = db.select(QStringLiteral("SELECT cmt, pictyp, pic FROM dorbin_pic WHERE id = ?"), {event});
    if (rows.empty())
        return std::nullopt;
    const QVariantList &r = rows.rows.front();
    StoredAttachment file{r[0].toString(), r[1].toString(), r[2].toByteArray()};
    if (file.content.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<StoredAttachment> readDocumentFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    StoredAttachment read{{}, extensionOf(path, extensionWidth), file.readAll()};
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return read;
}

QString unreadableFileMessage(const QString &error)
{
    return QStringLiteral("فايل انتخاب شده خوانده نشد و سابقه ثبت نشد") + QLatin1Char('\n') + error;
}

}  // namespace bv::survey
