#include "darkhast_requests.h"

#include "dates.h"

namespace bv::survey {

namespace {
const QString columns = QStringLiteral(
    "id, dat_darkhast, city, bakhsh, dehestan, rosta, cod, dat_naghshe, masahat_por, masahat_khali, mablagh, cmt, "
    "dat_borvinat, cmt2");

bool blank(const QString &date)
{
    return date == emptyDateMask;
}
}  // namespace

RequestStage requestStage(const QString &dat_naghshe, const QString &dat_borvinat)
{
    if (!blank(dat_borvinat))
        return RequestStage::Approved;
    return blank(dat_naghshe) ? RequestStage::Requested : RequestStage::Surveyed;
}

QStringList surveyingRefusals(const QString &, const QString &dat_borvinat)
{
    if (!blank(dat_borvinat))
        return {approvedByStudiesMessage};
    return {};
}

QStringList studiesRefusals(const QString &dat_naghshe, const QString &dat_borvinat)
{
    QStringList refusals;
    if (blank(dat_naghshe))
        refusals << notSurveyedMessage;
    if (!blank(dat_borvinat))
        refusals << studiesDateGivenMessage;
    return refusals;
}

Conditions requestConditions(const Dialect &dialect, const RequestFilters &f)
{
    Conditions c(dialect);
    if (f.city)
        c.contains(QStringLiteral("city"), *f.city);
    if (f.rosta)
        c.contains(QStringLiteral("rosta"), *f.rosta);
    if (f.dates)
        c.range(QStringLiteral("dat_darkhast"), f.dates->first, f.dates->second);
    return c;
}

QString requestListSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM baravord WHERE ") + conditions.sql()
        + QStringLiteral(" ORDER BY id");
}

int countRequests(const Db &db, const Conditions &conditions)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM baravord WHERE ") + conditions.sql(), conditions.values())
        .toInt();
}

ResultSet searchRequests(const Db &db, const Conditions &conditions)
{
    return db.select(requestListSql(conditions), conditions.values());
}

qint64 addRequest(const Db &db, const NewRequest &r)
{
    return db.insert(QStringLiteral("INSERT INTO baravord (dat_darkhast, city, bakhsh, dehestan, rosta, cod, "
                                    "dat_naghshe, masahat_por, masahat_khali, mablagh, cmt, dat_borvinat, cmt2) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, 0, 0, 0, '', ?, '')"),
                     {r.dat_darkhast, r.city, r.bakhsh, r.dehestan, r.rosta, r.cod, emptyDateMask, emptyDateMask});
}

SurveyReading readSurveyApproval(const QString &dat_naghshe, const QString &por, const QString &khali, Money mablagh,
                                 const QString &cmt)
{
    SurveyReading out;
    out.approval.dat_naghshe = dat_naghshe;
    out.approval.mablagh = mablagh;
    out.approval.cmt = cmt;
    for (auto [text, field, target] :
         {std::tuple{&por, QStringLiteral("مساحت بافت پر"), &out.approval.masahat_por},
          {&khali, QStringLiteral("مساحت بافت خالي"), &out.approval.masahat_khali}}) {
        const NumberReading r = readNumber(*text, Grouping::Refused);
        if (r.fault == NumberReading::Fault::Empty) {
            *target = Decimal();
            continue;
        }
        if (!r.ok()) {
            out.error = r.message(field);
            return out;
        }
        *target = r.value;
    }
    return out;
}

bool approveSurvey(const Db &db, qint64 id, const SurveyApproval &a)
{
    return db.exec(QStringLiteral("UPDATE baravord SET dat_naghshe = ?, masahat_por = ?, masahat_khali = ?, "
                                  "mablagh = ?, cmt = ? WHERE id = ? AND dat_borvinat = ?"),
                   {a.dat_naghshe, a.masahat_por.toSql(), a.masahat_khali.toSql(), a.mablagh.toSql(), a.cmt, id,
                    emptyDateMask})
               .numRowsAffected()
        > 0;
}

bool approveStudies(const Db &db, qint64 id, const QString &dat_borvinat, const QString &cmt2)
{
    return db.exec(QStringLiteral("UPDATE baravord SET dat_borvinat = ?, cmt2 = ? WHERE id = ? AND dat_naghshe <> ? "
                                  "AND dat_borvinat = ?"),
                   {dat_borvinat, cmt2, id, emptyDateMask, emptyDateMask})
               .numRowsAffected()
        > 0;
}

Row requestRow(const Db &db, qint64 id)
{
    const std::vector<Row> rows = db.rows(QStringLiteral("SELECT * FROM baravord WHERE id = ?"), {id});
    return rows.empty() ? Row() : rows.front();
}

bool deleteRequest(const Db &db, qint64 id)
{
    return db.exec(QStringLiteral("DELETE FROM baravord WHERE id = ?"), {id}).numRowsAffected() > 0;
}

}  // namespace bv::survey
