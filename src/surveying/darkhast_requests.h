#pragma once
// Surveying estimate requests (table `baravord`) as plain code: the stages,
// the browser's search, the three saves and delete. No widgets.
#include "conditions.h"
#include "db.h"
#include "money.h"

#include <optional>

namespace bv::survey {

// The stage of a request from its two approval dates; a date is blank when it
// holds exactly the empty mask.
enum class RequestStage { Requested, Surveyed, Approved };
RequestStage requestStage(const QString &dat_naghshe, const QString &dat_borvinat);

inline const QString approvedByStudiesMessage =
    QStringLiteral("خطا! اين برآورد به تاييد مطالعات رسيده است و ديگر امکان تغيير ندارد");
inline const QString notSurveyedMessage = QStringLiteral("خطا! هنوز به تاييد نقشه بردار نرسيده است");
inline const QString studiesDateGivenMessage =
    QStringLiteral("خطا! اين برآورد قبلا تاريخ تاييد مطالعات خورده است و امکان تغيير ديگر نيست");

// Why the surveying approval, or the studies approval, cannot open on a
// request with these dates; empty when it can. The studies approval may give
// both of its messages.
QStringList surveyingRefusals(const QString &dat_naghshe, const QString &dat_borvinat);
QStringList studiesRefusals(const QString &dat_naghshe, const QString &dat_borvinat);

struct RequestFilters {
    std::optional<QString> city, rosta;
    std::optional<std::pair<QString, QString>> dates;  // dat_darkhast from, to (inclusive, as text)
};
Conditions requestConditions(const Dialect &dialect, const RequestFilters &filters);
QString requestListSql(const Conditions &conditions);
int countRequests(const Db &db, const Conditions &conditions);
// id and the columns of the table in their order.
ResultSet searchRequests(const Db &db, const Conditions &conditions);

struct NewRequest {
    QString dat_darkhast, city, bakhsh, dehestan, rosta, cod;
};
// A requested row: areas and amount 0, both approval dates blank.
qint64 addRequest(const Db &db, const NewRequest &request);

// What the surveying unit enters, read from the typed texts.
struct SurveyApproval {
    QString dat_naghshe;  // today, or blank to withdraw the approval
    Decimal masahat_por, masahat_khali;
    Money mablagh;
    QString cmt;
};
// The areas are read as numbers without grouping (empty is 0); `error` names
// the first one that is not a number.
struct SurveyReading {
    SurveyApproval approval;
    QString error;
};
SurveyReading readSurveyApproval(const QString &dat_naghshe, const QString &por, const QString &khali,
                                 Money mablagh, const QString &cmt);

// Each changes the request only while its stage allows it; false when no row
// changed (the request is gone or has moved on).
bool approveSurvey(const Db &db, qint64 id, const SurveyApproval &approval);
bool approveStudies(const Db &db, qint64 id, const QString &dat_borvinat, const QString &cmt2);

// The request's row; empty when it is gone.
Row requestRow(const Db &db, qint64 id);
// False, with nothing written, when the row was already gone.
bool deleteRequest(const Db &db, qint64 id);
inline const QString requestGoneMessage = QStringLiteral("اين درخواست برآورد ديگر وجود ندارد");
inline const QString deleteRequestQuestion = QStringLiteral("اين درخواست برآورد حذف شود؟");

}  // namespace bv::survey
