#pragma once
// The surveying instruments ("دوربين") of the counties and the dated events of
// each, some with a scanned document: search, register, edit, delete with
// their log rows, and the events. No widgets.
#include "attachments.h"
#include "conditions.h"
#include "db.h"
#include "session.h"

#include <optional>

namespace bv::survey {

struct CameraFilters {
    std::optional<QString> city, typ;
};
// The filters within the user's counties.
Conditions cameraConditions(const Dialect &dialect, const CameraFilters &filters, const Session &user);
int countCameras(const Db &db, const Conditions &conditions);
// The statements of the count and the list.
QString cameraCountSql(const Conditions &conditions);
QString cameraListSql(const Conditions &conditions);
// The list; its first `limit` rows only when a limit is given.
ResultSet listCameras(const Db &db, const Conditions &conditions, int limit = 0);

// One instrument as typed.
struct CameraEntry {
    QString city, typ, cod, prs, cmt;
};
// Another instrument of the same county, model and property code.
bool cameraExists(const Db &db, const CameraEntry &entry);
inline const QString duplicateCameraMessage = QStringLiteral("خطا! نام شهرستان و نوع دوربين و کد تکراريست");

// Each writes its log row for `user` in the same transaction.
qint64 insertCamera(const Db &db, const CameraEntry &entry, const QString &user);
void updateCamera(const Db &db, qint64 id, const CameraEntry &entry, const QString &user);
// The instrument with all of its events.
// False, with nothing written, when the row was already gone.
bool deleteCamera(const Db &db, qint64 id, const QString &cod, const QString &user);
int eventsOfCamera(const Db &db, qint64 id);

// The events of an instrument by date of entry, without their texts and documents.
ResultSet cameraEvents(const Db &db, qint64 camera);
// The long text of an event; empty when it has none.
QString eventText(const Db &db, qint64 event);

struct CameraEvent {
    QString dat, cmt, sharh;
    QString pictyp;  // the document's extension with its dot; empty without a document
    QByteArray pic;
};
qint64 addEvent(const Db &db, qint64 camera, const CameraEvent &event);
void deleteEvent(const Db &db, qint64 event);
// An event's document, described by the event's remarks; nullopt when the
// event is gone or has no document.
std::optional<StoredAttachment> eventDocument(const Db &db, qint64 event);
inline const QString noDocumentMessage = QStringLiteral("اين سابقه مستندي ندارد");

// The document chosen for an event: its content and stored extension;
// nullopt with `error` filled when the file cannot be read.
std::optional<StoredAttachment> readDocumentFile(const QString &path, QString *error);
QString unreadableFileMessage(const QString &error);

}  // namespace bv::survey
