#include "borvinat_search.h"

#include "activitylog.h"

namespace bv::studies {

namespace {
// The grid's columns in the order shown; arzyabi_emtiyaz is kept for the
// exports and letters but not shown. The attachment count is counted per row
// so that the first screen counts only its own rows.
const QString listColumns = QStringLiteral(
    "id, cod, city, bakhsh, dehestan, rosta, khanevar, jamiyat, majmoe, etebar_sal, status, tamdid_dat, "
    "tamin_loc, movafeghat_dat, tarh_typ, naghshe_moshaver_name, tarh_moshaver_name, taeid_paper_no, taeid_dat, "
    "moshaver_prot_no, tarh_prot_dat, prot_mablagh, prot_mablagh_binofoz, check_list_dat2, tarh_tahvil_dat1, "
    "arzyabi_dat, tarh_emtiyaz, gis_dat, gis_emtiyaz, jalase_tasvib_dat, tarh_tasvib_dat, ejra_checklist_dat, "
    "ejra_emtiyaz, asnad_tahvil_dat, farmandari_dat, tehran_ersal_dat, X, Y, naghshe_tahvil_dat2, jalase_city_dat, "
    "komitefani_dat1, komitefani_dat3, komitefani_dat4, checklist_nahaei_dat, checklist_nahaei_emtiyaz, "
    "peymankar_id, masahat, NULLIF((SELECT COUNT(*) FROM borvinat_pic WHERE borvinat_pic.borvinat_id = borvinat.id), 0) "
    "AS pic_count, amel4, khanevar_p, jamiyat_p, masahat_m, masahat_p, masahat_z_m, "
    "masahat_z_p, masahat_k_k_p, masahat_k_m_p, masahat_t, masahat_b_m, masahat_b_p, roshd, gis_emtiyaz2, mojaz, "
    "ostan, arzyabi_emtiyaz");
}  // namespace

Conditions borvinatConditions(const Dialect &dialect, const BorvinatFilters &f, const Session &user)
{
    Conditions c(dialect);
    addCountyScope(c, user);
    if (f.ostan)
        c.contains(QStringLiteral("ostan"), *f.ostan);
    if (f.city)
        c.containsAny(QStringLiteral("city"), *f.city);
    if (f.rosta)
        c.containsAny(QStringLiteral("rosta"), *f.rosta);
    const std::pair<const char *, const std::optional<QString> *> texts[] = {
        {"etebar_sal", &f.etebar_sal},
        {"moshaver_prot_no", &f.moshaver_prot_no},
        {"tarh_moshaver_name", &f.tarh_moshaver_name},
        {"tarh_typ", &f.tarh_typ},
        {"amel4", &f.amel4},
    };
    for (const auto &[column, text] : texts)
        if (*text)
            c.contains(QString::fromLatin1(column), **text);
    if (const std::optional<StudySelection> &s = f.selection) {
        if (s->city)
            c.anyOf(QStringLiteral("city"), *s->city);
        if (s->etebar_sal)
            c.anyOf(QStringLiteral("etebar_sal"), *s->etebar_sal);
        if (s->status)
            c.anyOf(QStringLiteral("status"), *s->status);
    }
    return c;
}

QString borvinatTotalsSql(const Conditions &conditions)
{
    return QStringLiteral("SELECT COUNT(*), SUM(prot_mablagh) FROM borvinat WHERE ") + conditions.sql();
}

QString borvinatListSql(const Dialect &d, const Conditions &conditions)
{
    return QStringLiteral("SELECT ") + listColumns
        + QStringLiteral(" FROM borvinat WHERE ")
        + conditions.sql() + QStringLiteral(" ORDER BY ") + d.persianOrder(QStringLiteral("city"))
        + QStringLiteral(", ") + d.persianOrder(QStringLiteral("rosta")) + QStringLiteral(", id");
}

BorvinatTotals borvinatTotals(const Db &db, const Conditions &conditions)
{
    const ResultSet r = db.select(borvinatTotalsSql(conditions), conditions.values());
    BorvinatTotals t;
    t.count = r.rows.front()[0].toLongLong();
    t.contractSum = Money::fromVariant(r.rows.front()[1]);
    return t;
}

ResultSet borvinatList(const Db &db, const Conditions &conditions)
{
    return db.select(borvinatListSql(db.dialect(), conditions), conditions.values());
}

ResultSet borvinatListPage(const Db &db, const Conditions &conditions, int limit)
{
    return db.select(db.dialect().firstRows(borvinatListSql(db.dialect(), conditions), limit), conditions.values());
}

RowShade rowShade(int attachments)
{
    if (attachments > 4)
        return RowShade::Aqua;
    if (attachments >= 1)
        return RowShade::Yellow;
    return RowShade::Normal;
}

StudySideRows sideRows(const Db &db, qint64 id)
{
    auto count = [&](const char *table) {
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE borvinat_id = ?").arg(QLatin1String(table)), {id})
            .toInt();
    };
    StudySideRows r;
    r.attachments = count("borvinat_pic");
    for (const char *t : {"borvinat_arzyabi_gis", "borvinat_arzyabi_tarh", "borvinat_arzyabi_naghshe",
                          "borvinat_arzyabi_moshaver", "borvinat_arzyabi_tafsili"})
        r.evaluations += count(t);
    r.meetings = count("jalasat");
    r.programmes = count("barnameha");
    r.indicators = count("shakhes");
    return r;
}

QString sideRowsWarning(const StudySideRows &r)
{
    return QStringLiteral("با حذف مطالعه اين رديف ها باقي مي مانند: ضمائم %1، ارزيابي ها %2، جلسات %3، برنامه ها %4، "
                          "شاخص ها %5")
        .arg(r.attachments)
        .arg(r.evaluations)
        .arg(r.meetings)
        .arg(r.programmes)
        .arg(r.indicators);
}

bool deleteStudy(const Db &db, qint64 id, const QString &user)
{
    bool found = false;
    db.transaction([&] {
        const QString code = db.scalar(QStringLiteral("SELECT cod FROM borvinat WHERE id = ?"), {id}).toString();
        found = db.exec(QStringLiteral("DELETE FROM borvinat WHERE id = ?"), {id}).numRowsAffected() > 0;
        if (!found)
            return;
        writeLog(db, user, QStringLiteral(" حذف مطالعه  ") + code + QLatin1Char(' ') + user);
    });
    return found;
}

int assignContractor(const Db &db, const QList<qint64> &ids, qint64 contractorId)
{
    int changed = 0;
    db.transaction([&] {
        Statement update = db.statement(QStringLiteral("UPDATE borvinat SET peymankar_id = ? WHERE id = ?"));
        for (qint64 id : ids)
            changed += update.run({contractorId, id});
    });
    return changed;
}

const Headings &gridHeadings()
{
    static const Headings headings = {
        {"cod", QStringLiteral("کد آبادي")},
        {"city", QStringLiteral("شهرستان")},
        {"bakhsh", QStringLiteral("بخش")},
        {"dehestan", QStringLiteral("دهستان")},
        {"rosta", QStringLiteral("روستا")},
        {"khanevar", QStringLiteral("خانوار")},
        {"jamiyat", QStringLiteral("جمعيت")},
        {"majmoe", QStringLiteral("مجموعه روستايي")},
        {"etebar_sal", QStringLiteral("سال اعتبار")},
        {"status", QStringLiteral("آخرين وضعيت")},
        {"tamdid_dat", QStringLiteral("تاريخ تمديد")},
        {"tamin_loc", QStringLiteral("منبع تامين اعتبار همه")},
        {"movafeghat_dat", QStringLiteral("تاريخ مبادله موافقت نامه")},
        {"tarh_typ", QStringLiteral("نوع طرح")},
        {"naghshe_moshaver_name", QStringLiteral("نام مشاور نقشه بردار")},
        {"tarh_moshaver_name", QStringLiteral("نام مشاور تهيه طرح")},
        {"taeid_paper_no", QStringLiteral("شماره نامه تاييديه مشاور")},
        {"taeid_dat", QStringLiteral("تاريخ تاييديه مشاور از دفترمرکزي")},
        {"moshaver_prot_no", QStringLiteral("شماره قرارداد با مشاور")},
        {"tarh_prot_dat", QStringLiteral("تاريخ عقد قرارداد با مشاور تهيه طرح")},
        {"prot_mablagh", QStringLiteral("مبلغ قرارداد(ميليون ريال)")},
        {"prot_mablagh_binofoz", QStringLiteral("مبلغ قرارداد بدون حوزهه نفوذ")},
        {"check_list_dat2", QStringLiteral("تاريخ تکميل چک ليست شماره 2")},
        {"tarh_tahvil_dat1", QStringLiteral("تاريخ تحويل اوليه طرح از مشاور(قبل از گروه کارشناسي فني)")},
        {"arzyabi_dat", QStringLiteral("تاريخ تکميل چک ليست ارزيابي شکلي و محتوايي طرح")},
        {"tarh_emtiyaz", QStringLiteral("امتياز چک ليست شکلي و محتوايي طرح")},
        {"gis_dat", QStringLiteral("تاريخ تکميل چک ليست GIS طرح")},
        {"gis_emtiyaz", QStringLiteral("امتياز چک ليست GIS طرح اوليه")},
        {"jalase_tasvib_dat", QStringLiteral("تاريخ جلسه کميته تصويب(کارگروه مسکن و شهرسازي سابق)")},
        {"tarh_tasvib_dat", QStringLiteral("تاريخ تصويب طرح در گروه کارشناسي(کميته فني سابق)")},
        {"ejra_checklist_dat", QStringLiteral("تاريخ تکميل چک ليست اجرايي")},
        {"ejra_emtiyaz", QStringLiteral("امتياز چک لبست اجرايي")},
        {"asnad_tahvil_dat", QStringLiteral("تاريخ تحويل اسناد و مدارک کامل طرح مصوب از مشاور")},
        {"farmandari_dat", QStringLiteral("تاريخ ابلاغ طرح مصوب به فرمانداري")},
        {"tehran_ersal_dat", QStringLiteral("تاريخ ارسال طرح مصوب به دفتر مرکزي")},
        {"naghshe_tahvil_dat2", QStringLiteral("تاريخ تحويل نهايي نقشه پايه از مشاور")},
        {"jalase_city_dat", QStringLiteral("تاريح جلسه با زلمرکان شهرستان")},
        {"komitefani_dat1", QStringLiteral("جلسه کميته فني1")},
        {"komitefani_dat3", QStringLiteral("جلسه کميته فني3")},
        {"komitefani_dat4", QStringLiteral("جلسه کميته فني4")},
        {"checklist_nahaei_dat", QStringLiteral("چک ليست شکلي و محتوايي نهايي")},
        {"checklist_nahaei_emtiyaz", QStringLiteral("امتياز شکلي و محتوايي نهايي")},
        {"peymankar_id", QStringLiteral("شناسه پيمانکار")},
        {"masahat", QStringLiteral("مساحت")},
        {"pic_count", QStringLiteral("تعداد ضمائم")},
        {"amel4", QStringLiteral("عامل چهارم")},
        {"khanevar_p", QStringLiteral("خانوار پيشنهادي")},
        {"jamiyat_p", QStringLiteral("جمعيت پيشنهادي")},
        {"masahat_m", QStringLiteral("مساحت مسکوني موجود")},
        {"masahat_p", QStringLiteral("مساحت مسکوني پيشنهادي")},
        {"masahat_z_m", QStringLiteral("مساحت اراضي زراعي-باغي موجود")},
        {"masahat_z_p", QStringLiteral("مساحت اراضي زراعي-باغي پيشنهادي")},
        {"masahat_k_k_p", QStringLiteral("مساحت کاربري هاي خدماتي پيشنهادي بر روي اراضي زراعي-باغي")},
        {"masahat_k_m_p", QStringLiteral("مساحت کاربري هاي مسکوني پيشنهادي بر روي اراضي زراعي-باغي")},
        {"masahat_t", QStringLiteral("مساحت کل اراضي زراعي-باغي تغييريافته")},
        {"masahat_b_m", QStringLiteral("مساحت محدوده بافت موجود")},
        {"masahat_b_p", QStringLiteral("مساحت محدوده بافت پيشنهادي")},
        {"roshd", QStringLiteral("نرخ رشد پيشنهادي")},
        {"gis_emtiyaz2", QStringLiteral("امتياز نهاييgis")},
        {"mojaz", QStringLiteral("تعداد واحد غيز مجاز")},
        {"ostan", QStringLiteral("استان")},
    };
    return headings;
}

const Headings &exportHeadings()
{
    static const Headings headings = [] {
        Headings h = {
            {"id", QStringLiteral("شناسه")},
            {"prot_mablagh", QStringLiteral("مبلغ قرارداد(ميليون ريال)")},
            {"city", QStringLiteral("شهرستان")},
            {"check_list_dat2", QStringLiteral("تاريخ تکميل چک ليست شماره 2")},
            {"bakhsh", QStringLiteral("بخش")},
            {"tarh_tahvil_dat1", QStringLiteral("تاريخ تحويل اوليه طرح از مشاور(قبل از گروه کارشناسي فني)")},
            {"dehestan", QStringLiteral("دهستان")},
            {"arzyabi_dat", QStringLiteral("تاريخ تکميل چک ليست ارزيابي شکلي و محتوايي طرح")},
            {"rosta", QStringLiteral("روستا")},
            {"tarh_emtiyaz", QStringLiteral("امتياز چک ليست شکلي و محتوايي طرح")},
            {"khanevar", QStringLiteral("خانوار")},
            {"gis_dat", QStringLiteral("تاريخ تکميل چک ليست GIS طرح")},
            {"jamiyat", QStringLiteral("جمعيت")},
            {"gis_emtiyaz", QStringLiteral("امتياز چک ليست GIS طرح")},
            {"cod", QStringLiteral("کد آبادي")},
            {"tarh_tasvib_dat", QStringLiteral("تاريخ تصويب طرح در گروه کارشناسي(کميته فني سابق)")},
            {"majmoe", QStringLiteral("مجموعه روستايي")},
            {"arzyabi_emtiyaz", QStringLiteral("امتياز ارزيابي طرح توسط اعضاي جلسه گروه کارشناسي")},
            {"etebar_sal", QStringLiteral("سال اعتبار")},
            {"jalase_tasvib_dat", QStringLiteral("تاريخ جلسه کميته تصويب(کارگروه مسکن و شهرسازي سابق)")},
            {"tamin_loc", QStringLiteral("منبع تامين اعتبار همه")},
            {"ejra_checklist_dat", QStringLiteral("تاريخ تکميل چک ليست اجرايي")},
            {"movafeghat_dat", QStringLiteral("تاريخ مبادله موافقت نامه")},
            {"ejra_emtiyaz", QStringLiteral("امتياز چک لبست اجرايي")},
            {"tarh_typ", QStringLiteral("نوع طرح")},
            {"asnad_tahvil_dat", QStringLiteral("تاريخ تحويل اسناد و مدارک کامل طرح مصوب از مشاور")},
            {"naghshe_moshaver_name", QStringLiteral("نام مشاور نقشه بردار")},
            {"farmandari_dat", QStringLiteral("تاريخ ابلاغ طرح مصوب به فرمانداري")},
            {"naghshe_tahvil_dat2", QStringLiteral("تاريخ تحويل نهايي نقشه پايه از مشاور")},
            {"tehran_ersal_dat", QStringLiteral("تاريخ ارسال طرح مصوب به دفتر مرکزي")},
            {"tarh_moshaver_name", QStringLiteral("نام مشاور تهيه طرح")},
            {"khanevar_p", QStringLiteral("خانوار پيشنهادي")},
            {"taeid_dat", QStringLiteral("تاريخ تاييديه مشاور از دفترمرکزي")},
            {"jamiyat_p", QStringLiteral("جمعيت پيشنهادي")},
            {"taeid_paper_no", QStringLiteral("شماره نامه تاييديه مشاور")},
            {"tarh_prot_dat", QStringLiteral("تاريخ عقد قرارداد با مشاور تهيه طرح")},
            {"moshaver_prot_no", QStringLiteral("شماره قرارداد با مشاور")},
        };
        // masahat_m to roshd take the grid's titles.
        for (const char *c : {"masahat_m", "masahat_p", "masahat_z_m", "masahat_z_p", "masahat_k_k_p", "masahat_k_m_p",
                              "masahat_t", "masahat_b_m", "masahat_b_p", "roshd"})
            h.insert(QString::fromLatin1(c), gridHeadings().value(QString::fromLatin1(c)));
        return h;
    }();
    return headings;
}

ChecklistSource checklistSource()
{
    return {QStringLiteral("شرح ضمائم مطالعات"), QStringLiteral("borvinat_pic"), QStringLiteral("borvinat_id"),
            QStringLiteral("tarh_moshaver_name"), QStringLiteral("مشاور تهيه طرح")};
}

}  // namespace bv::studies
