#include "sabt_search.h"

#include "activitylog.h"

#include <QSet>

namespace bv::sabt {

namespace {
// The grid's columns in the order shown, then the hidden ones.
const QString listColumns = QStringLiteral(
    "city, rosta, tamin_sal, peymankar, prot_no, prot_dat1, prot_dat2, tarh, tedad, masahat, status, map_hazine, "
    "jarime, esterdad, ravesh, mablagh_gh, zarib_gh_s, mablagh_gh_1, zarib_p, zarib_t, zarib_m, tajhiz, zarib_k, "
    "zarib_man, mablagh_m_1, paper_no, paper_dat, tahvil_dat, hosn_dat, ravesh_s, status AS status_s, tedad_s, "
    "mablagh_gh_s, zarib_s_s, masahat_s, zarib_p_s, zarib_t_s, zarib_m_s, zarib_k_s, id, peymankar_id, bakhsh, "
    "dehestan, cod, tedad_gh, ravesh2, hazine_map, ravesh_s_h, tedad_gh_h, zarib_man_h, status_dat_gh, status_dat_h");

QStringList firstColumn(const ResultSet &rows)
{
    QStringList out;
    for (const QVariantList &r : rows.rows)
        if (!r[0].toString().isEmpty())
            out << r[0].toString();
    return out;
}
}  // namespace

Conditions jobConditions(const Dialect &dialect, const JobFilters &f)
{
    Conditions c(dialect);
    if (f.city)
        c.containsAny(QStringLiteral("city"), *f.city);
    if (f.rosta)
        c.containsAny(QStringLiteral("rosta"), *f.rosta);
    if (f.peymankar)
        c.containsAny(QStringLiteral("peymankar"), *f.peymankar);
    if (f.prot_no)
        c.containsAny(QStringLiteral("prot_no"), *f.prot_no);
    if (f.tamin_sal)
        c.contains(QStringLiteral("tamin_sal"), *f.tamin_sal);
    if (const std::optional<JobSelection> &s = f.selection) {
        if (s->city)
            c.anyOf(QStringLiteral("city"), *s->city);
        if (s->tamin_sal)
            c.anyOf(QStringLiteral("tamin_sal"), *s->tamin_sal);
        if (s->status)
            c.anyOf(QStringLiteral("status"), *s->status);
        if (s->overdueOn)
            c.overdue(QStringLiteral("prot_dat2"), QStringLiteral("tahvil_dat"), *s->overdueOn);
    }
    return c;
}

QString jobCountSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT COUNT(*) FROM sabti") + conditions.where();
}

QString jobListSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT ") + listColumns + QStringLiteral(" FROM sabti") + conditions.where()
        + QStringLiteral(" ORDER BY id");
}

int jobCount(const Db &db, const Conditions &conditions)
{
    return db.scalar(jobCountSql(conditions), conditions.values()).toInt();
}

ResultSet jobList(const Db &db, const Conditions &conditions)
{
    return db.select(jobListSql(conditions), conditions.values());
}

ResultSet jobListPage(const Db &db, const Conditions &conditions, int limit)
{
    return db.select(db.dialect().firstRows(jobListSql(conditions), limit), conditions.values());
}

const Headings &jobHeadings()
{
    static const Headings headings = {
        {"city", QStringLiteral("شهرستان")},
        {"rosta", QStringLiteral("روستا")},
        {"tamin_sal", QStringLiteral("سال تامين")},
        {"peymankar", QStringLiteral("پيمانکار")},
        {"prot_no", QStringLiteral("شماره قرارداد")},
        {"prot_dat1", QStringLiteral("تاريخ شروع قرارداد")},
        {"prot_dat2", QStringLiteral("تاريخ خاتمه قرارداد")},
        {"tarh", QStringLiteral("نوع طرح")},
        {"tedad", QStringLiteral("تعداد قطعه")},
        {"masahat", QStringLiteral("مساحت")},
        {"status", QStringLiteral("وضعيت")},
        {"map_hazine", QStringLiteral("هزينه نقشه برداري")},
        {"jarime", QStringLiteral("جريمه تاخير")},
        {"esterdad", QStringLiteral("استرداد حسن انجام کار")},
        {"ravesh", QStringLiteral("روش نقشه برداري")},
        {"mablagh_gh", QStringLiteral("مبلغ هر قطعه (ريال)")},
        {"zarib_gh_s", QStringLiteral("ضريب صعوبت قطعه")},
        {"mablagh_gh_1", QStringLiteral("برآورد اوليه")},
        {"zarib_p", QStringLiteral("ضريب پايه (هکتار)")},
        {"zarib_t", QStringLiteral("ضريب تراکم")},
        {"zarib_m", QStringLiteral("ضريب صعوبت مساحت")},
        {"tajhiz", QStringLiteral("تجهيز کارگاه")},
        {"zarib_k", QStringLiteral("ضريب کوچکي")},
        {"zarib_man", QStringLiteral("ضريب منطقه")},
        {"mablagh_m_1", QStringLiteral("برآورد اوليه")},
        {"paper_no", QStringLiteral("شماره نامه ابلاغ")},
        {"paper_dat", QStringLiteral("تاريخ نامه ابلاغ")},
        {"tahvil_dat", QStringLiteral("تاريخ تحويل")},
        {"hosn_dat", QStringLiteral("تاريخ نامه حسن انجام کار")},
        {"ravesh_s", QStringLiteral("روش نقشه برداري")},
        {"status_s", QStringLiteral("نوع وضعيت")},
        {"tedad_s", QStringLiteral("تعداد قطعه")},
        {"mablagh_gh_s", QStringLiteral("مبلغ هر قطعه (ريال)")},
        {"zarib_s_s", QStringLiteral("ضريب صعوبت قطعه")},
        {"masahat_s", QStringLiteral("مساحت (هکتار)")},
        {"zarib_p_s", QStringLiteral("ضريب پايه (هکتار)")},
        {"zarib_t_s", QStringLiteral("ضريب تراکم")},
        {"zarib_m_s", QStringLiteral("ضريب صعوبت مساحت")},
        {"zarib_k_s", QStringLiteral("ضريب کوچکي")},
    };
    return headings;
}

const QStringList &hiddenJobColumns()
{
    static const QStringList columns = {"id", "peymankar_id", "bakhsh", "dehestan", "cod", "tedad_gh", "ravesh2",
                                        "hazine_map", "ravesh_s_h", "tedad_gh_h", "zarib_man_h", "status_dat_gh",
                                        "status_dat_h"};
    return columns;
}

const QSet<QString> &jobMoneyColumns()
{
    static const QSet<QString> columns = {"mablagh_gh", "mablagh_gh_1", "tajhiz", "mablagh_m_1",
                                          "mablagh_gh_s", "map_hazine",   "jarime", "hazine_map"};
    return columns;
}

const Headings &jobExportHeadings()
{
    static const Headings headings = {
        {"id", QStringLiteral("شناسه")},
        {"city", QStringLiteral("شهرستان")},
        {"bakhsh", QStringLiteral("بخش")},
        {"dehestan", QStringLiteral("دهستان")},
        {"rosta", QStringLiteral("روستا")},
        {"cod", QStringLiteral("کد آبادي")},
        {"tamin_sal", QStringLiteral("سال تامين اعتبار")},
        {"peymankar", QStringLiteral("نام مشاور/پيمانکار")},
        {"prot_no", QStringLiteral("شماره قرارداد")},
        {"prot_dat1", QStringLiteral("تاريخ قرارداد")},
        {"prot_dat2", QStringLiteral("تاريخ خاتمه قرارداد")},
        {"paper_no", QStringLiteral("شماره نامه شهرستان")},
        {"paper_dat", QStringLiteral("تاريخ نامه ارسالي به شهرستان")},
        {"hosn_dat", QStringLiteral("تاريخ حسن انجام کار")},
        {"jarime", QStringLiteral("مبلغ جريمه تاخير")},
    };
    return headings;
}

namespace {
// The distinct non-empty values of a column, in Persian alphabetical order.
QStringList distinctSorted(const Db &db, const QString &table, const QString &column)
{
    return firstColumn(db.select(QStringLiteral("SELECT v FROM (SELECT DISTINCT %1 AS v FROM %2) d ORDER BY ")
                                     .arg(column, table)
                                 + db.dialect().persianOrder(QStringLiteral("v"))));
}
}  // namespace

QStringList countyItems(const Db &db)
{
    return distinctSorted(db, QStringLiteral("abadiha"), QStringLiteral("city"));
}

QStringList villageItems(const Db &db)
{
    return distinctSorted(db, QStringLiteral("abadiha"), QStringLiteral("rosta"));
}

QStringList contractorItems(const Db &db)
{
    return distinctSorted(db, QStringLiteral("sabti_peyman"), QStringLiteral("company"))
        + distinctSorted(db, QStringLiteral("sabti_peyman"), QStringLiteral("lname"));
}

int lettersOfJob(const Db &db, qint64 id)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM sabti_mokatebat WHERE sabti_id = ?"), {id}).toInt();
}

bool deleteJob(const Db &db, qint64 id, const QString &user)
{
    bool found = false;
    db.transaction([&] {
        const QString code = db.scalar(QStringLiteral("SELECT cod FROM sabti WHERE id = ?"), {id}).toString();
        found = db.exec(QStringLiteral("DELETE FROM sabti WHERE id = ?"), {id}).numRowsAffected() > 0;
        if (!found)
            return;
        db.exec(QStringLiteral("DELETE FROM sabti_pic WHERE sabti_id = ?"), {id});
        writeLog(db, user, QStringLiteral(" حذف ثبتي ") + code + QLatin1Char(' ') + user);
    });
    return found;
}

QString lettersStayQuestion(int letters)
{
    return QStringLiteral("%1 نامه از مکاتبات اين کار باقي مي ماند. آيا کار حذف شود؟").arg(letters);
}

}  // namespace bv::sabt
