#include "naghshe_search.h"

#include "activitylog.h"
#include "lookuplists.h"
#include "money.h"


namespace bv::survey {

namespace {
// The grid's columns in the order shown; pic_count counts the project's attachments.
const QString listColumns = QStringLiteral(
    "id, cod, x, y, city, bakhsh, dehestan, rosta, khanevar, jamiyat, scale, tamin_sal, tamin_loc, tarh_typ, "
    "jalase_dat, prot_no, prot_dat1, prot_tim, prot_dat2, prot_mablagh, pardakhti, peymankar, masahat_por, "
    "masahat_khali, por_price, khali_price, zarib_mantaghe, zarib_sobat, zarib_kochaki, tajhiz_mablagh, jarime, "
    "paper_no, paper_dat, tahvil_dat1, checklist_dat, tahvil_dat2, status_typ, status_dat, hosn_dat, "
    "(SELECT COUNT(*) FROM naghshe_pic WHERE naghshe_pic.naghshe_id = naghshe.id) AS pic_count, peymankar_id, "
    "masahat_por1, masahat_khali1, zarib_sobat1, zarib_kochaki1, cmt, tamdid_dat, darsad_inc, hosn_paper_dat, "
    "gps_mablagh, status, prot_typ, ostan");

}  // namespace

namespace {
// County and village in Persian order; the id makes the order total, so that a
// first screen is always the head of the whole list.
QString listOrder(const Dialect &d)
{
    return QStringLiteral(" ORDER BY ") + d.persianOrder(QStringLiteral("city")) + QStringLiteral(", ")
        + d.persianOrder(QStringLiteral("rosta")) + QStringLiteral(", id");
}
}  // namespace

QString naghsheListSql(const Dialect &d, const Conditions &conditions)
{
    return QStringLiteral("SELECT ") + listColumns + QStringLiteral(" FROM naghshe WHERE ") + conditions.sql()
        + listOrder(d);
}

QString naghsheListPageSql(const Dialect &d, const Conditions &conditions, int limit)
{
    // The order is found over the narrow rows of the key alone; only the page's
    // rows are read whole, with their attachment counts.
    const QString page =
        d.firstRows(QStringLiteral("SELECT id FROM naghshe WHERE ") + conditions.sql() + listOrder(d), limit);
    return QStringLiteral("SELECT ") + listColumns + QStringLiteral(" FROM naghshe WHERE id IN (") + page
        + QStringLiteral(")") + listOrder(d);
}

QString naghsheTotalsSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT COUNT(*), SUM(masahat_por1), SUM(masahat_khali1), SUM(prot_mablagh), "
                          "SUM(pardakhti) FROM naghshe WHERE ")
        + conditions.sql();
}

namespace {
// The clauses the system export shares with the browser, in the browser's order.
void addListAndEndFilters(Conditions &c, const NaghsheFilters &f, bool withProvince)
{
    if (withProvince && f.ostan)
        c.contains(QStringLiteral("ostan"), *f.ostan);
    if (f.city)
        c.containsAny(QStringLiteral("city"), *f.city);
    if (f.rosta)
        c.containsAny(QStringLiteral("rosta"), *f.rosta);
    if (f.peymankar)
        c.containsAny(QStringLiteral("peymankar"), *f.peymankar);
    if (f.prot_no)
        c.containsAny(QStringLiteral("prot_no"), *f.prot_no);
    if (f.tamin_loc)
        c.containsAny(QStringLiteral("tamin_loc"), *f.tamin_loc);
    if (f.tamin_sal)
        c.contains(QStringLiteral("tamin_sal"), *f.tamin_sal);
    if (f.contractEnd) {
        // Only projects with an end date.
        c.compare(QStringLiteral("prot_dat2"), Conditions::Op::NotEqual, QStringLiteral("    /  /  "));
        const ContractEnd &e = *f.contractEnd;
        switch (e.compare) {
        case EndCompare::Any: break;
        case EndCompare::Before:
            c.compare(QStringLiteral("prot_dat2"), Conditions::Op::Less, e.target);
            c.compare(QStringLiteral("prot_dat2"), Conditions::Op::Greater, e.today);
            break;
        case EndCompare::On: c.compare(QStringLiteral("prot_dat2"), Conditions::Op::Equal, e.target); break;
        case EndCompare::After: c.compare(QStringLiteral("prot_dat2"), Conditions::Op::Greater, e.target); break;
        }
    }
}

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}
}  // namespace

Conditions naghsheConditions(const Dialect &dialect, const NaghsheFilters &f, const Session &user)
{
    Conditions c(dialect);
    addCountyScope(c, user);
    addListAndEndFilters(c, f, true);
    if (f.contractDates)
        c.range(QStringLiteral("prot_dat1"), f.contractDates->first, f.contractDates->second);
    if (f.status)
        c.contains(QStringLiteral("status"), *f.status);
    if (f.prot_typ)
        c.contains(QStringLiteral("prot_typ"), *f.prot_typ);
    if (f.selection)
        addSelection(c, *f.selection);
    return c;
}

void addSelection(Conditions &c, const NaghsheSelection &s)
{
    if (s.city)
        c.anyOf(QStringLiteral("city"), *s.city);
    if (s.tamin_sal)
        c.anyOf(QStringLiteral("tamin_sal"), *s.tamin_sal);
    if (s.status)
        c.anyOf(QStringLiteral("status"), *s.status);
    if (s.finalised) {
        // The rule stays in finalised(): it only sorts the year texts by the
        // number of attachments that finalises them.
        QStringList at10, at12;
        for (const QString &year : s.yearTexts) {
            if (finalised(year, 10))
                at10 << year;
            else if (finalised(year, 12))
                at12 << year;
        }
        const QString pics = QStringLiteral("(SELECT COUNT(*) FROM naghshe_pic WHERE naghshe_pic.naghshe_id = naghshe.id)");
        // One after the other: the values are bound in the order written.
        QVariantList bound;
        const QString years10 = c.anyOfSql(QStringLiteral("tamin_sal"), at10, bound);
        const QString years12 = c.anyOfSql(QStringLiteral("tamin_sal"), at12, bound);
        const QString rule = QStringLiteral("(") + years10 + QStringLiteral(" AND ") + pics
            + QStringLiteral(" >= 10) OR (") + years12 + QStringLiteral(" AND ") + pics + QStringLiteral(" >= 12)");
        // A project without a credit year is never finalised; NOT alone would
        // drop it with the unknown truth of its NULL comparisons.
        c.fixed(*s.finalised ? rule : QStringLiteral("tamin_sal IS NULL OR NOT (") + rule + QLatin1Char(')'), bound);
    }
    if (s.overdueOn)
        c.overdue(QStringLiteral("prot_dat2"), QStringLiteral("tahvil_dat1"), *s.overdueOn);
}

Conditions systemExportConditions(const Dialect &dialect, const NaghsheFilters &f, const Session &user)
{
    // A clerk exports only the counties the browser shows them.
    Conditions c(dialect);
    addCountyScope(c, user);
    addListAndEndFilters(c, f, false);
    return c;
}

Conditions coverSheetConditions(const Dialect &dialect, const NaghsheFilters &filters)
{
    NaghsheFilters f = filters;
    f.tamin_loc.reset();
    Conditions c(dialect);
    addListAndEndFilters(c, f, false);
    return c;
}

NaghsheTotals naghsheTotals(const Db &db, const Conditions &conditions)
{
    const ResultSet r = db.select(naghsheTotalsSql(conditions), conditions.values());
    NaghsheTotals t;
    const QVariantList &row = r.rows.front();
    t.count = row[0].toLongLong();
    t.porArea = Decimal::fromVariant(row[1]);
    t.khaliArea = Decimal::fromVariant(row[2]);
    t.contractSum = Money::fromVariant(row[3]);
    t.feeSum = Money::fromVariant(row[4]);
    return t;
}

ResultSet naghsheList(const Db &db, const Conditions &conditions)
{
    return db.select(naghsheListSql(db.dialect(), conditions), conditions.values());
}

ResultSet naghsheListPage(const Db &db, const Conditions &conditions, int limit)
{
    return db.select(naghsheListPageSql(db.dialect(), conditions, limit), conditions.values());
}

bool finalised(const QString &creditYear, int attachments)
{
    const std::optional<int> year = wholeNumber(creditYear);
    if (!year)
        return false;
    return (*year == 1395 && attachments >= 10) || (*year >= 1396 && attachments >= 12);
}

QString naghsheFinalisedSql(const Conditions &conditions)
{
    // Only projects with 10 or more attachments can be finalised.
    const QString bucket = QStringLiteral("CASE WHEN p.pics >= 12 THEN 12 ELSE 10 END");
    return QStringLiteral("SELECT tamin_sal, ") + bucket
        + QStringLiteral(", COUNT(*) FROM naghshe JOIN (SELECT naghshe_id, COUNT(*) AS pics FROM naghshe_pic "
                         "GROUP BY naghshe_id HAVING COUNT(*) >= 10) p ON p.naghshe_id = naghshe.id WHERE ")
        + conditions.sql() + QStringLiteral(" GROUP BY tamin_sal, ") + bucket;
}

int finalisedCount(const Db &db, const Conditions &conditions)
{
    // The rule stays in the program; the database only counts the rows per
    // credit year and attachment threshold.
    const ResultSet groups = db.select(naghsheFinalisedSql(conditions), conditions.values());
    int n = 0;
    for (const QVariantList &g : groups.rows)
        if (finalised(g[0].toString(), g[1].toInt()))
            n += g[2].toInt();
    return n;
}

RowShade rowShade(const QString &creditYear, int attachments)
{
    if (wholeNumber(creditYear) == 1395 && attachments >= 10)
        return RowShade::Green;
    if (attachments >= 1 && attachments <= 11)
        return RowShade::Yellow;
    if (attachments >= 12)
        return RowShade::Green;
    return RowShade::Normal;
}

QString contractEndTarget(const QString &today, const QString &days)
{
    bool ok = false;
    const int n = days.trimmed().toInt(&ok);
    const QStringList parts = today.split(QLatin1Char('/'));
    if (!ok || n < 0 || parts.size() != 3)
        return today;
    int year = parts[0].toInt() + n / 365;
    int month = parts[1].toInt() + (n % 365) / 30;
    int day = parts[2].toInt() + (n % 365) % 30;
    if (day > 30) {
        day -= 30;
        ++month;
    }
    year += (month - 1) / 12;
    month = (month - 1) % 12 + 1;
    return QStringLiteral("%1/%2/%3")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

bool deleteProject(const Db &db, qint64 id, const QString &user)
{
    bool found = false;
    db.transaction([&] {
        const QString code = db.scalar(QStringLiteral("SELECT cod FROM naghshe WHERE id = ?"), {id}).toString();
        found = db.exec(QStringLiteral("DELETE FROM naghshe WHERE id = ?"), {id}).numRowsAffected() > 0;
        if (!found)
            return;
        db.exec(QStringLiteral("DELETE FROM naghshe_pic WHERE naghshe_id = ?"), {id});
        db.exec(QStringLiteral("DELETE FROM naghshe_arzyabi WHERE naghshe_id = ?"), {id});
        writeLog(db, user, QStringLiteral(" حذف نقشه ") + code + QLatin1Char(' ') + user);
    });
    return found;
}

int assignContractor(const Db &db, const QList<qint64> &ids, qint64 contractorId, const QString &name)
{
    int changed = 0;
    db.transaction([&] {
        Statement update = db.statement(QStringLiteral("UPDATE naghshe SET peymankar_id = ?, peymankar = ? WHERE id = ?"));
        for (qint64 id : ids)
            changed += update.run({contractorId, name, id});
    });
    return changed;
}

QMap<QString, QString> projectTexts(const Row &project)
{
    QMap<QString, QString> texts;
    for (auto it = project.begin(); it != project.end(); ++it)
        texts[it.key()] = it.value().toString();
    return texts;
}

void refreshStudy(const Db &db, qint64 studyId, const Row &project)
{
    db.exec(QStringLiteral("UPDATE borvinat SET masahat = ?, naghshe_moshaver_name = ? WHERE id = ?"),
            {project.value(QStringLiteral("masahat_por")), project.value(QStringLiteral("peymankar")), studyId});
}

std::pair<QStringList, QStringList> listedPlaces(const ResultSet &rows)
{
    QStringList counties, villages;
    const int city = rows.columnIndex(QStringLiteral("city"));
    const int rosta = rows.columnIndex(QStringLiteral("rosta"));
    for (const QVariantList &row : rows.rows) {
        if (!counties.contains(row[city].toString()))
            counties << row[city].toString();
        if (!villages.contains(row[rosta].toString()))
            villages << row[rosta].toString();
    }
    return {counties, villages};
}

const Headings &comprehensiveHeadings()
{
    static const Headings headings = {
        {"id", QStringLiteral("شناسه")}, {"city", QStringLiteral("شهرستان")}, {"bakhsh", QStringLiteral("بخش")},
        {"dehestan", QStringLiteral("دهستان")}, {"rosta", QStringLiteral("روستا")},
        {"khanevar", QStringLiteral("خانوار")}, {"zarib_mantaghe", QStringLiteral("ضريب منطقه")},
        {"cod", QStringLiteral("کد آبادي")}, {"x", QStringLiteral("طول جغرافيايي -X")},
        {"y", QStringLiteral("عرض جغرافيايي - Y")}, {"tarh_typ", QStringLiteral("نوع طرح")},
        {"jalase_dat", QStringLiteral("تاريخ جلسه هيئت انتخاب مشاور")}, {"prot_no", QStringLiteral("شماره قرارداد")},
        {"prot_dat1", QStringLiteral("تاريخ قرارداد")}, {"prot_mablagh", QStringLiteral("مبلغ قرارداد")},
        {"peymankar", QStringLiteral("نام مشاور/پيمانکار")}, {"prot_tim", QStringLiteral("مدت قرارداد")},
        {"prot_dat2", QStringLiteral("تاريخ خاتمه قرارداد")}, {"tamin_loc", QStringLiteral("محل تامين اعتبار")},
        {"tamin_sal", QStringLiteral("سال تامين اعتبار")}, {"paper_no", QStringLiteral("شماره نامه شهرستان")},
        {"paper_dat", QStringLiteral("تاريخ نامه ارسالي به شهرستان")},
        {"tahvil_dat1", QStringLiteral("تاريخ تحويل اوليه")}, {"checklist_dat", QStringLiteral("تاريخ تهيه چک ليست")},
        {"tahvil_dat2", QStringLiteral("تاريخ تحويل قطعي")}, {"masahat_por", QStringLiteral("مساحت بافت پر")},
        {"por_price", QStringLiteral("مبلغ بافت پر")}, {"status_typ", QStringLiteral("نوع وضعيت")},
        {"masahat_khali", QStringLiteral("مساحت بافت خالي")}, {"khali_price", QStringLiteral("مبلغ بافت خالي")},
        {"status_dat", QStringLiteral("تاريخ وضعيت")}, {"tajhiz_mablagh", QStringLiteral("مبلغ تجهيز کارگاه")},
        {"zarib_sobat", QStringLiteral("ضريب صعوبت")}, {"zarib_kochaki", QStringLiteral("ضريب کوچکي")},
        {"pardakhti", QStringLiteral("مبلغ پرداختي")}, {"hosn_dat", QStringLiteral("تاريخ حسن انجام کار")},
        {"scale", QStringLiteral("مقياس")}, {"jarime", QStringLiteral("مبلغ جريمه تاخير")},
        {"pic_count", QStringLiteral("تعداد ضمائم")},
    };
    return headings;
}

const Headings &htmlHeadings()
{
    static const Headings headings = [] {
        Headings h = comprehensiveHeadings();
        h[QStringLiteral("tamin_loc")] = QStringLiteral("محل تامين اعبار");
        h[QStringLiteral("pardakhti")] = QStringLiteral("مبلف پرداختي");
        return h;
    }();
    return headings;
}

ResultSet systemExport(const Db &db, const NaghsheFilters &filters, const Session &user)
{
    const Conditions c = systemExportConditions(db.dialect(), filters, user);
    return db.select(QStringLiteral("SELECT city, bakhsh, dehestan, rosta, peymankar, prot_dat1, jalase_dat, tahvil_dat1, "
                                    "checklist_dat, prot_tim, tahvil_dat2, masahat_khali + masahat_por AS masahat, "
                                    "pardakhti, status_dat FROM naghshe WHERE ")
                         + c.sql(),
                     c.values());
}

const Headings &systemHeadings()
{
    static const Headings headings = [] {
        Headings h = comprehensiveHeadings();
        h[QStringLiteral("masahat")] = QStringLiteral("مساحت");
        return h;
    }();
    return headings;
}

ChecklistSource checklistSource()
{
    return {QStringLiteral("شرح ضمائم نقشه برداري"), QStringLiteral("naghshe_pic"), QStringLiteral("naghshe_id"),
            QStringLiteral("peymankar"), QStringLiteral("پيمانکار")};
}

}  // namespace bv::survey
