#include "moshaveran_job.h"

#include "activitylog.h"
#include "contractor_kinds.h"
#include "lookuplists.h"
#include "text.h"

namespace bv::consultants {

namespace {
QString logText(const QString &action, const QString &cod, const QString &user)
{
    return action + cod + QLatin1Char(' ') + user;
}

QString marks(qsizetype n)
{
    QStringList m;
    for (qsizetype i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

QString assignments(const QStringList &columns)
{
    QStringList sets;
    for (const QString &c : columns)
        sets << c + QStringLiteral(" = ?");
    return sets.join(QStringLiteral(", "));
}

QVariantList valuesOf(const QStringList &columns, const JobTexts &typed)
{
    QVariantList values;
    for (const QString &c : columns)
        values << typed.value(c);
    return values;
}

void addOffices(const Db &db, qint64 id, const QStringList &offices)
{
    for (const QString &office : offices)
        db.exec(QStringLiteral("INSERT INTO moshaveran_estelam (moshaveran_id, edare) VALUES (?, ?)"), {id, office});
}
}  // namespace

const std::vector<Step> &steps()
{
    static const std::vector<Step> all = {
        {QStringLiteral("bazdid"), QStringLiteral("بازديد مشاور از روستا")},
        {QStringLiteral("estelam"), QStringLiteral("اخذ استعلام هاي مرتبط"), false},
        {QStringLiteral("dehyar"),
         QStringLiteral("تنظيم صورتجلسه اوليه با دهيار (بيان مشکلات و تعيين سمت توسعه اوليه و...)")},
        {QStringLiteral("shahr_map"), QStringLiteral("تحويل نقشه هاي اوليه و ارسال به شهرستان (موجود و پيشنهادي)")},
        {QStringLiteral("shahr_jalase"), QStringLiteral("برگزاري جلسه شهرستان")},
        {QStringLiteral("behengam"), QStringLiteral("به هنگام سازي نقشه پايه (ارزيابي نقشه پايه توسط مشاور)")},
        {QStringLiteral("fani"), QStringLiteral("برگزاري کامل جلسات کميته فني")},
        {QStringLiteral("tasvib"), QStringLiteral("مصوبه کميسيون تصويب"), true, true},
        {QStringLiteral("kargoroh"), QStringLiteral("مصوبه کارگروه (براي روستاهاي واقع در حريم)"), true, true},
        {QStringLiteral("cd_map"), QStringLiteral("تحويل سي دي نقشه مصوب"), true, true},
        {QStringLiteral("albom"), QStringLiteral("تحويل فايل کامل گزارش و آلبوم نقشه هاي طرح مصوب"), true, true},
        {QStringLiteral("taeed"), QStringLiteral("تاييد فايل تحويلي کامل گزارش و آلبوم"), true, true},
        {QStringLiteral("chap"), QStringLiteral("تحويل پرينت نهايي گزارش نقشه هاي طرح مصوب"), true, true},
        {QStringLiteral("prin"), QStringLiteral("تاييد پرينت نهايي گزارش"), true, true},
        {QStringLiteral("sahafi"),
         QStringLiteral("تحويل سي دي کامل مطالعات و نقشه هاي طرح مصوب جهت بررسي و تاييد نهايي قبل از صحافي"), true,
         true},
        {QStringLiteral("nazar"), QStringLiteral("اعلام نظر عامل چهارم در مورد سي دي کامل مطالعات و نقشه ها"), true,
         true},
        {QStringLiteral("asnad"),
         QStringLiteral("تحويل نهايي اسناد و مدارک کامل طرح (گزارش،آلبوم نقشه ها،لمينت سي دي)"), true, true},
        {QStringLiteral("eblagh"), QStringLiteral("ابلاغ طرح"), true, true},
    };
    return all;
}

std::vector<Step> stepsOf(bool later)
{
    std::vector<Step> out;
    for (const Step &s : steps())
        if (s.later == later)
            out.push_back(s);
    return out;
}

const QStringList &jobColumns()
{
    static const QStringList columns = {"city",      "bakhsh",        "dehestan",      "rosta",      "cod",
                                        "harim",     "moshaver",      "moshaver_dat1", "moshaver_dat2",
                                        "tahvil_map", "amel4_no",     "amel4_dat",     "amel4_name"};
    return columns;
}

const QStringList &jobDateColumns()
{
    static const QStringList columns = {"moshaver_dat1", "moshaver_dat2", "amel4_dat"};
    return columns;
}

QStringList stepColumns(bool later)
{
    QStringList columns;
    for (const Step &s : stepsOf(later)) {
        columns << s.column;
        if (s.hasDate)
            columns << s.dateColumn();
        columns << s.approvalColumn();
        if (s.column == QLatin1String("nazar"))
            columns << QStringLiteral("nazar_cmt");
    }
    return columns;
}

bool jobExists(const Db &db, const JobTexts &typed)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM moshaveran WHERE city = ? AND rosta = ? AND moshaver = ? "
                                    "AND moshaver_dat1 = ?"),
                     {typed.value("city"), typed.value("rosta"), typed.value("moshaver"),
                      typed.value("moshaver_dat1")})
               .toInt()
        > 0;
}

QStringList distinctOffices(const QStringList &offices)
{
    QStringList out;
    for (const QString &office : offices) {
        const QString o = normalizeInput(office);
        if (!o.isEmpty() && !out.contains(o))
            out << o;
    }
    return out;
}

qint64 registerJob(const Db &db, const JobTexts &typed, const QStringList &offices, const QString &user)
{
    const QStringList first = jobColumns() + stepColumns(false);
    const QStringList later = stepColumns(true);
    QVariantList values = valuesOf(first, typed);
    for (qsizetype i = 0; i < later.size(); ++i)
        values << QString();
    values << user;
    const QStringList columns = first + later + QStringList{QStringLiteral("karbar")};
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(QStringLiteral("INSERT INTO moshaveran (%1) VALUES (%2)")
                           .arg(columns.join(QStringLiteral(", ")), marks(columns.size())),
                       values);
        addOffices(db, id, distinctOffices(offices));
        writeLog(db, user, logText(QStringLiteral(" ثبت مشاوران جديد  "), typed.value("cod"), user));
    });
    return id;
}

bool editJob(const Db &db, qint64 id, const JobTexts &typed, const QStringList &offices, const QString &user,
             const std::optional<QStringList> &shown)
{
    const QStringList columns = jobColumns() + stepColumns(false);
    QVariantList values = valuesOf(columns, typed);
    values << id;
    const QStringList wanted = distinctOffices(offices);
    bool found = false;
    db.transaction([&] {
        found = db.exec(QStringLiteral("UPDATE moshaveran SET %1 WHERE id = ?").arg(assignments(columns)), values)
                    .numRowsAffected()
            > 0;
        if (!found)
            return;
        QStringList stored;
        for (const QVariantList &r :
             db.select(QStringLiteral("SELECT edare FROM moshaveran_estelam WHERE moshaveran_id = ?"), {id}).rows)
            stored << r[0].toString();
        for (const QString &office : stored)
            if (!wanted.contains(office) && (!shown || shown->contains(office)))
                db.exec(QStringLiteral("DELETE FROM moshaveran_estelam WHERE moshaveran_id = ? AND edare = ?"),
                        {id, office});
        QStringList added;
        for (const QString &office : wanted)
            if (!stored.contains(office) && (!shown || !shown->contains(office)))
                added << office;
        addOffices(db, id, added);
        writeLog(db, user, logText(QStringLiteral(" ويرايش مشاوران  "), typed.value("cod"), user));
    });
    return found;
}

bool saveLaterSteps(const Db &db, qint64 id, const JobTexts &typed, const QString &user)
{
    const QStringList columns = stepColumns(true);
    QVariantList values = valuesOf(columns, typed);
    values << id;
    bool found = false;
    db.transaction([&] {
        found = db.exec(QStringLiteral("UPDATE moshaveran SET %1 WHERE id = ?").arg(assignments(columns)), values)
                    .numRowsAffected()
            > 0;
        if (!found)
            return;
        const QString cod = db.scalar(QStringLiteral("SELECT cod FROM moshaveran WHERE id = ?"), {id}).toString();
        writeLog(db, user, logText(QStringLiteral(" ويرايش مشاوران2  "), cod, user));
    });
    return found;
}

Row jobRow(const Db &db, qint64 id)
{
    const std::vector<Row> rows = db.rows(QStringLiteral("SELECT * FROM moshaveran WHERE id = ?"), {id});
    return rows.empty() ? Row() : rows.front();
}

OfficeChoices officeChoices(const Db &db, qint64 id)
{
    OfficeChoices out;
    if (id != 0)
        for (const QVariantList &r :
             db.select(QStringLiteral("SELECT edare FROM moshaveran_estelam WHERE moshaveran_id = ? ORDER BY id"), {id})
                 .rows)
            out.ticked << r[0].toString();
    for (const QString &office : lookupItems(db, officeList))
        if (!out.ticked.contains(office) && !out.unticked.contains(office))
            out.unticked << office;
    return out;
}

QStringList consultantNames(const Db &db)
{
    QStringList names;
    for (const Row &c : db.rows(QStringLiteral("SELECT typ, lname, fname, comp_name FROM peymankaran WHERE id <> -1 "
                                               "ORDER BY id"))) {
        const QString name = isNaturalPerson(c)
            ? c.value("lname").toString() + QLatin1Char(' ') + c.value("fname").toString()
            : c.value("comp_name").toString();
        if (!name.trimmed().isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

JobDependents jobDependents(const Db &db, qint64 id)
{
    JobDependents d;
    d.attachments =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM moshaveran_pic WHERE moshaveran_id = ?"), {id}).toInt();
    d.offices = db.scalar(QStringLiteral("SELECT COUNT(*) FROM moshaveran_estelam WHERE moshaveran_id = ?"), {id}).toInt();
    return d;
}

QString deleteQuestion(const JobDependents &d)
{
    return QStringLiteral("اين کار مشاور با %1 ضميمه و %2 اداره استعلام حذف شود؟").arg(d.attachments).arg(d.offices);
}

bool deleteJob(const Db &db, qint64 id, const QString &user)
{
    bool found = false;
    db.transaction([&] {
        const QString cod = db.scalar(QStringLiteral("SELECT cod FROM moshaveran WHERE id = ?"), {id}).toString();
        found = db.exec(QStringLiteral("DELETE FROM moshaveran WHERE id = ?"), {id}).numRowsAffected() > 0;
        if (!found)
            return;
        db.exec(QStringLiteral("DELETE FROM moshaveran_pic WHERE moshaveran_id = ?"), {id});
        db.exec(QStringLiteral("DELETE FROM moshaveran_estelam WHERE moshaveran_id = ?"), {id});
        writeLog(db, user, logText(QStringLiteral(" حذف مشاوران  "), cod, user));
    });
    return found;
}

}  // namespace bv::consultants
