#include "sabt_job.h"

#include "activitylog.h"
#include "money.h"
#include "schema_tables.h"

#include <cstdint>

namespace bv::sabt {

namespace {
const QString parcelEstimate = QStringLiteral("مشخصات قرارداد - برآورد قطعه اي");
const QString hectareEstimate = QStringLiteral("مشخصات قرارداد - برآورد هکتاري");
const QString parcelStatement = QStringLiteral("صورت وضعيت - قطعه اي");
const QString hectareStatement = QStringLiteral("صورت وضعيت - هکتاري");

// The caption and group of each numeric field, so that a refusal names the box
// among several of the same caption.
QString fieldName(const QString &column)
{
    static const QMap<QString, std::pair<QString, QString>> names = {
        {"peymankar_id", {QStringLiteral("انتخاب پيمانکار"), QStringLiteral("مشخصات روستا")}},
        {"tedad", {QStringLiteral("تعداد قطعه"), parcelEstimate}},
        {"mablagh_gh", {QStringLiteral("مبلغ هر قطعه (ريال)"), parcelEstimate}},
        {"zarib_gh_s", {QStringLiteral("ضريب صعوبت قطعه"), parcelEstimate}},
        {"mablagh_gh_1", {QStringLiteral("برآورد اوليه"), parcelEstimate}},
        {"tedad_gh", {QStringLiteral("تعداد قطعه"), hectareEstimate}},
        {"masahat", {QStringLiteral("مساحت (هکتار)"), hectareEstimate}},
        {"zarib_p", {QStringLiteral("مبلغ پايه (هکتار) ريال"), hectareEstimate}},
        {"zarib_t", {QStringLiteral("ضريب تراکم"), hectareEstimate}},
        {"zarib_m", {QStringLiteral("ضريب صعوبت"), hectareEstimate}},
        {"tajhiz", {QStringLiteral("تجهيز کارگاه"), hectareEstimate}},
        {"zarib_k", {QStringLiteral("ضريب کوچکي"), hectareEstimate}},
        {"zarib_man", {QStringLiteral("ضريب منطقه"), hectareEstimate}},
        {"mablagh_m_1", {QStringLiteral("برآورد اوليه"), hectareEstimate}},
        {"tedad_s", {QStringLiteral("تعداد قطعه"), parcelStatement}},
        {"mablagh_gh_s", {QStringLiteral("مبلغ هر قطعه (ريال)"), parcelStatement}},
        {"zarib_s_s", {QStringLiteral("ضريب صعوبت قطعه"), parcelStatement}},
        {"hazine_map", {QStringLiteral("هزينه نقشه برداري"), parcelStatement}},
        {"masahat_s", {QStringLiteral("مساحت (هکتار)"), hectareStatement}},
        {"zarib_p_s", {QStringLiteral("مبلغ پايه (هکتار) ريال"), hectareStatement}},
        {"zarib_t_s", {QStringLiteral("ضريب تراکم"), hectareStatement}},
        {"zarib_m_s", {QStringLiteral("ضريب صعوبت"), hectareStatement}},
        {"zarib_k_s", {QStringLiteral("ضريب کوچکي"), hectareStatement}},
        {"map_hazine", {QStringLiteral("هزينه نقشه برداري"), hectareStatement}},
        {"jarime", {QStringLiteral("جريمه تاخير"), hectareStatement}},
        {"tedad_gh_h", {QStringLiteral("تعداد قطعه"), hectareStatement}},
        {"zarib_man_h", {QStringLiteral("ضريب منطقه"), hectareStatement}},
    };
    const auto it = names.find(column);
    if (it == names.end())
        return column;
    return QStringLiteral("%1 (%2)").arg(it->first, it->second);
}

schema::ColType columnType(const QString &column)
{
    for (const schema::Column &c : schema::findTable("sabti")->columns)
        if (column == QLatin1String(c.name))
            return c.type;
    return schema::ColType::NVarChar;
}

QString logText(const QString &action, const JobTexts &typed, const QString &user)
{
    return action + typed.value(QStringLiteral("rosta")) + QLatin1Char(' ') + user;
}
}  // namespace

const QStringList &jobColumns()
{
    static const QStringList columns = {
        "city",       "bakhsh",   "dehestan",  "rosta",     "cod",          "tamin_sal",   "peymankar",
        "peymankar_id", "prot_no", "prot_dat1", "prot_dat2", "tarh",        "ravesh",      "tedad",
        "mablagh_gh", "zarib_gh_s", "mablagh_gh_1", "tedad_gh", "masahat",  "zarib_p",     "zarib_t",
        "zarib_m",    "tajhiz",   "zarib_k",   "zarib_man", "mablagh_m_1",  "paper_no",    "paper_dat",
        "tahvil_dat", "hosn_dat", "ravesh_s",  "status",    "tedad_s",      "mablagh_gh_s", "zarib_s_s",
        "masahat_s",  "zarib_p_s", "zarib_t_s", "zarib_m_s", "zarib_k_s",   "map_hazine",  "jarime",
        "esterdad",   "ravesh2",  "hazine_map", "ravesh_s_h", "tedad_gh_h", "zarib_man_h", "status_dat_gh",
        "status_dat_h"};
    return columns;
}

JobValues readJob(const JobTexts &typed)
{
    JobValues out;
    for (const QString &column : jobColumns()) {
        const QString text = typed.value(column);
        const schema::ColType type = columnType(column);
        if (type != schema::ColType::Int && type != schema::ColType::Float && type != schema::ColType::Money) {
            out.values << QVariant(text);
            continue;
        }
        // Coefficients and areas refuse grouping commas; counts and amounts may be grouped.
        const NumberReading r =
            readNumber(text, type == schema::ColType::Float ? Grouping::Refused : Grouping::Allowed);
        if (r.fault == NumberReading::Fault::Empty) {
            out.values << QVariant(0);
            continue;
        }
        if (!r.ok()) {
            out.error = r.message(fieldName(column));
            return out;
        }
        if (type == schema::ColType::Int) {
            const std::optional<std::int64_t> n = r.value.wholeValue();
            if (!n || *n < INT32_MIN || *n > INT32_MAX) {
                out.error = QStringLiteral("مقدار «%1» عدد صحيح نيست").arg(fieldName(column));
                return out;
            }
            out.values << QVariant(qlonglong(*n));
        } else if (type == schema::ColType::Money) {
            try {
                out.values << r.value.toMoney().toSql();
            } catch (const NumberError &) {
                out.error = NumberReading{Decimal(), NumberReading::Fault::OutOfRange}.message(fieldName(column));
                return out;
            }
        } else {
            out.values << r.value.toSql();
        }
    }
    return out;
}

bool jobExists(const Db &db, const JobTexts &typed)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM sabti WHERE city = ? AND rosta = ? AND prot_no = ? "
                                    "AND peymankar = ?"),
                     {typed.value("city"), typed.value("rosta"), typed.value("prot_no"), typed.value("peymankar")})
               .toInt()
        > 0;
}

qint64 registerJob(const Db &db, const JobTexts &typed, const JobValues &values, const QString &user)
{
    QStringList marks;
    for (int i = 0; i < jobColumns().size(); ++i)
        marks << QStringLiteral("?");
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(QStringLiteral("INSERT INTO sabti (%1) VALUES (%2)")
                           .arg(jobColumns().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                       values.values);
        writeLog(db, user, logText(QStringLiteral(" ثبت ثبتي جديد  "), typed, user));
    });
    return id;
}

void editJob(const Db &db, qint64 id, const JobTexts &typed, const JobValues &values, const QString &user)
{
    QStringList sets;
    for (const QString &c : jobColumns())
        sets << c + QStringLiteral(" = ?");
    QVariantList bound = values.values;
    bound << id;
    db.transaction([&] {
        db.exec(QStringLiteral("UPDATE sabti SET %1 WHERE id = ?").arg(sets.join(QStringLiteral(", "))), bound);
        writeLog(db, user, logText(QStringLiteral(" ويرايش ثبتي  "), typed, user));
    });
}

QString priceList(const QString &method, PriceUnit unit)
{
    if (method != QLatin1String("RTK") && method != QLatin1String("PPK"))
        return {};
    return (unit == PriceUnit::Parcel ? QStringLiteral("مبلغ هر قطعه نقشه برداري")
                                      : QStringLiteral("مبلغ هر هکتار نقشه برداري"))
        + method;
}

Row jobRow(const Db &db, qint64 id)
{
    const std::vector<Row> rows = db.rows(QStringLiteral("SELECT * FROM sabti WHERE id = ?"), {id});
    return rows.empty() ? Row() : rows.front();
}

QString contractorLabel(const Db &db, qint64 contractorId, const QString &stored)
{
    const std::vector<Row> rows =
        db.rows(QStringLiteral("SELECT lname, company FROM sabti_peyman WHERE id = ?"), {contractorId});
    if (rows.empty())
        return stored;
    return rows.front().value(QStringLiteral("lname")).toString() + QStringLiteral(" * ")
        + rows.front().value(QStringLiteral("company")).toString();
}

}  // namespace bv::sabt
