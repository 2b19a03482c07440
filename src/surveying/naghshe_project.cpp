#include "naghshe_project.h"

#include "activitylog.h"
#include "money.h"
#include "typed_row.h"
#include "text.h"

namespace bv::survey {

namespace {
// Labels of the numeric fields, for the message that names an unreadable one.
const QMap<QString, QString> &numberLabels()
{
    static const QMap<QString, QString> labels = {
        {QStringLiteral("khanevar"), QStringLiteral("خانوار")},
        {QStringLiteral("jamiyat"), QStringLiteral("جمعيت")},
        {QStringLiteral("zarib_mantaghe"), QStringLiteral("ضريب منطقه")},
        {QStringLiteral("prot_mablagh"), QStringLiteral("مبلغ قرارداد")},
        {QStringLiteral("masahat_por"), QStringLiteral("مساحت بافت پر")},
        {QStringLiteral("por_price"), QStringLiteral("قيمت بافت پر")},
        {QStringLiteral("masahat_khali"), QStringLiteral("مساحت بافت خالي")},
        {QStringLiteral("khali_price"), QStringLiteral("قيمت بافت خالي")},
        {QStringLiteral("tajhiz_mablagh"), QStringLiteral("مبلغ تجهيز")},
        {QStringLiteral("zarib_sobat"), QStringLiteral("ضريب صعوبت نهايي")},
        {QStringLiteral("zarib_kochaki"), QStringLiteral("ضريب کوچکي نهايي")},
        {QStringLiteral("pardakhti"), QStringLiteral("هزينه نقشه برداري")},
        {QStringLiteral("jarime"), QStringLiteral("جريمه تاخير")},
        {QStringLiteral("peymankar_id"), QStringLiteral("پيمانکار")},
        {QStringLiteral("masahat_por1"), QStringLiteral("مساحت اوليه بافت پر")},
        {QStringLiteral("masahat_khali1"), QStringLiteral("مساحت اوليه بافت خالي")},
        {QStringLiteral("zarib_sobat1"), QStringLiteral("ضريب صعوبت اوليه")},
        {QStringLiteral("zarib_kochaki1"), QStringLiteral("ضريب کوچکي اوليه")},
        {QStringLiteral("gps_mablagh"), QStringLiteral("مبلغ GPS")},
    };
    return labels;
}

QString conditionsOf(const QStringList &columns)
{
    QStringList terms;
    for (const QString &c : columns)
        terms << c + QStringLiteral(" = ?");
    return terms.join(QStringLiteral(" AND "));
}

QVariantList valuesOf(const Typed &typed, const QStringList &columns)
{
    QVariantList out;
    for (const QString &c : columns)
        out << typed.value(c);
    return out;
}

const QStringList studyKey = {QStringLiteral("city"), QStringLiteral("rosta"), QStringLiteral("etebar_sal"),
                              QStringLiteral("khanevar"), QStringLiteral("tarh_typ")};

// A typed count; 0 when empty or not a whole number.
qlonglong count(const QString &text)
{
    const NumberReading r = readNumber(text, Grouping::Allowed);
    return r.ok() ? qlonglong(r.value.wholeValue().value_or(0)) : 0;
}

// A typed area or coefficient, "/" read as the point; 0 when it cannot be read.
Decimal measure(QString text)
{
    const NumberReading r = readNumber(text.replace(QLatin1Char('/'), QLatin1Char('.')), Grouping::Refused);
    return r.ok() ? r.value : Decimal();
}

// The study key's values from a project: the credit year is the study's `etebar_sal`.
QVariantList studyKeyValues(const Typed &typed)
{
    return {typed.value(QStringLiteral("city")), typed.value(QStringLiteral("rosta")),
            typed.value(QStringLiteral("tamin_sal")), count(typed.value(QStringLiteral("khanevar"))),
            typed.value(QStringLiteral("tarh_typ"))};
}
}  // namespace

const QStringList &projectColumns()
{
    static const QStringList columns = {
        "ostan", "city", "bakhsh", "dehestan", "rosta", "khanevar", "jamiyat", "zarib_mantaghe", "cod", "y", "x",
        "tarh_typ", "jalase_dat", "prot_no", "prot_dat1", "prot_mablagh", "peymankar", "prot_tim", "prot_dat2",
        "tamin_loc", "tamin_sal", "paper_no", "paper_dat", "tahvil_dat1", "checklist_dat", "tahvil_dat2",
        "masahat_por", "por_price", "status_typ", "masahat_khali", "khali_price", "status_dat", "tajhiz_mablagh",
        "zarib_sobat", "zarib_kochaki", "pardakhti", "hosn_dat", "scale", "jarime", "peymankar_id", "masahat_por1",
        "masahat_khali1", "zarib_sobat1", "zarib_kochaki1", "cmt", "tamdid_dat", "darsad_inc", "hosn_paper_dat",
        "gps_mablagh", "status", "prot_typ"};
    return columns;
}

ProjectValues readProject(const Typed &typed)
{
    const RowValues read = readTypedRow(QStringLiteral("naghshe"), projectColumns(), typed, numberLabels(), EmptyNumber::Zero);
    return {read.values, read.error};
}

QString storedText(const QString &column, const QVariant &value)
{
    return storedColumnText(QStringLiteral("naghshe"), column, value);
}

bool projectExists(const Db &db, const Typed &typed)
{
    const QStringList key = {QStringLiteral("city"), QStringLiteral("rosta"), QStringLiteral("prot_no"),
                             QStringLiteral("peymankar")};
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM naghshe WHERE ") + conditionsOf(key), valuesOf(typed, key))
               .toInt()
        > 0;
}

bool studyExists(const Db &db, const Typed &typed)
{
    return matchingStudy(db, typed).has_value();
}

std::optional<MatchingStudy> matchingStudy(const Db &db, const Typed &typed)
{
    const ResultSet rows = db.select(QStringLiteral("SELECT id, cod FROM borvinat WHERE ") + conditionsOf(studyKey)
                                         + QStringLiteral(" ORDER BY id"),
                                     studyKeyValues(typed));
    if (rows.empty())
        return std::nullopt;
    return MatchingStudy{rows.rows[0][0].toLongLong(), rows.rows[0][1].toString()};
}

void insertStudy(const Db &db, const Typed &typed, const QString &user)
{
    const QString code = typed.value(QStringLiteral("cod"));
    // The study's columns taken from the project, by study column.
    const QMap<QString, QVariant> taken = {
        {"ostan", typed.value("ostan")}, {"city", typed.value("city")}, {"bakhsh", typed.value("bakhsh")},
        {"dehestan", typed.value("dehestan")}, {"rosta", typed.value("rosta")},
        {"khanevar", count(typed.value("khanevar"))}, {"cod", code}, {"x", typed.value("x")},
        {"y", typed.value("y")}, {"jamiyat", count(typed.value("jamiyat"))}, {"etebar_sal", typed.value("tamin_sal")},
        {"tamin_loc", typed.value("tamin_loc")}, {"tarh_typ", typed.value("tarh_typ")},
        {"naghshe_moshaver_name", typed.value("peymankar")}, {"naghshe_tahvil_dat2", typed.value("prot_dat1")}};
    // Every other column is an empty text or 0, never NULL: the studies
    // windows and letters read them as they read a study entered by hand.
    QStringList columns, marks;
    QVariantList values;
    for (const schema::Column &c : schema::findTable("borvinat")->columns) {
        const QString name = QString::fromLatin1(c.name);
        QVariant value;
        switch (c.type) {
        case schema::ColType::IntIdentity:
        case schema::ColType::BigIdentity:
        case schema::ColType::Image:
        case schema::ColType::DateTimeNow:
        case schema::ColType::DateTime: continue;
        case schema::ColType::NVarChar:
        case schema::ColType::NText: {
            // A null text would be bound as NULL.
            const QString text = taken.value(name.toLower()).toString();
            value = text.isNull() ? QStringLiteral("") : text;
            break;
        }
        default: value = taken.value(name.toLower(), 0); break;
        }
        columns << name;
        marks << QStringLiteral("?");
        values << value;
    }
    db.exec(QStringLiteral("INSERT INTO borvinat (%1) VALUES (%2)")
                .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
            values);
    writeLog(db, user, QStringLiteral(" ثبت مطالعه جديد از بخش نقشه ") + code + QLatin1Char(' ') + user);
}

qint64 registerProject(const Db &db, const Typed &typed, const ProjectValues &values, const QString &user,
                       bool withStudy)
{
    QStringList marks;
    for (int i = 0; i < projectColumns().size(); ++i)
        marks << QStringLiteral("?");
    const QString code = typed.value(QStringLiteral("cod"));
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(QStringLiteral("INSERT INTO naghshe (%1) VALUES (%2)")
                           .arg(projectColumns().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                       values.values);
        writeLog(db, user, QStringLiteral(" ثبت نقشه جديد  ") + code + QLatin1Char(' ') + user);
        if (!withStudy)
            return;
        insertStudy(db, typed, user);
    });
    return id;
}

void editProject(const Db &db, qint64 id, const Typed &typed, const ProjectValues &values, const QString &user)
{
    QStringList sets;
    for (const QString &c : projectColumns())
        sets << c + QStringLiteral(" = ?");
    QVariantList bound = values.values;
    bound << id;
    db.transaction([&] {
        db.exec(QStringLiteral("UPDATE naghshe SET %1 WHERE id = ?").arg(sets.join(QStringLiteral(", "))), bound);
        QVariantList sync = {measure(typed.value(QStringLiteral("masahat_por"))).toSql()};
        sync << studyKeyValues(typed);
        db.exec(QStringLiteral("UPDATE borvinat SET masahat = ? WHERE ") + conditionsOf(studyKey), sync);
        writeLog(db, user, QStringLiteral(" ويرايش نقشه  ") + typed.value(QStringLiteral("cod")) + QLatin1Char(' ') + user);
    });
}

void normaliseNames(const Db &db, const QString &column)
{
    static const QStringList allowed = {QStringLiteral("city"), QStringLiteral("bakhsh"), QStringLiteral("dehestan"),
                                        QStringLiteral("rosta")};
    if (!allowed.contains(column))
        return;
    const QString arabicKaf = QString(QChar(0x0643));
    const QString keheh = QString(QChar(0x06A9));
    QStringList tables = {QStringLiteral("abadiha")};
    if (column == QLatin1String("bakhsh") || column == QLatin1String("dehestan"))
        tables << QStringLiteral("naghshe");
    db.transaction([&] {
        for (const QString &table : tables)
            db.exec(QStringLiteral("UPDATE %1 SET %2 = REPLACE(%2, ?, ?) WHERE %2 LIKE ?").arg(table, column),
                    {arabicKaf, keheh, QStringLiteral("%") + arabicKaf + QStringLiteral("%")});
    });
}

}  // namespace bv::survey
