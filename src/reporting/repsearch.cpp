#include "repsearch.h"

#include "borvinat_search.h"
#include "naghshe_search.h"

namespace bv::reporting {

Conditions repConditions(const Dialect &dialect, RepList list, const RepFilters &f, const Session &user)
{
    const bool survey = list == RepList::Survey;
    Conditions c(dialect);
    if (user.level == QStringLiteral("city"))
        c.contains(QStringLiteral("city"), user.karbar);
    if (f.city)
        c.contains(QStringLiteral("city"), *f.city);
    if (f.rosta)
        c.containsAny(QStringLiteral("rosta"), *f.rosta);
    if (f.tamin_sal)
        c.contains(survey ? QStringLiteral("tamin_sal") : QStringLiteral("etebar_sal"), *f.tamin_sal);
    if (f.peymankar)
        c.contains(survey ? QStringLiteral("peymankar") : QStringLiteral("tarh_moshaver_name"), *f.peymankar);
    if (f.bakhsh)
        c.contains(QStringLiteral("bakhsh"), *f.bakhsh);
    if (f.prot_no)
        c.contains(survey ? QStringLiteral("prot_no") : QStringLiteral("moshaver_prot_no"), *f.prot_no);
    if (f.dehestan)
        c.contains(QStringLiteral("dehestan"), *f.dehestan);
    return c;
}

RepResult repSearch(const Db &db, const RepFilters &filters, const Session &user, int limit)
{
    const Dialect &d = db.dialect();
    RepResult r;
    const Conditions s = repConditions(d, RepList::Studies, filters, user);
    r.studiesCount = studies::borvinatTotals(db, s).count;
    r.studies = limit < 0 ? studies::borvinatList(db, s) : studies::borvinatListPage(db, s, limit);
    const Conditions n = repConditions(d, RepList::Survey, filters, user);
    r.surveyCount = survey::naghsheTotals(db, n).count;
    r.survey = limit < 0 ? survey::naghsheList(db, n) : survey::naghsheListPage(db, n, limit);
    return r;
}

ResultSet repList(const Db &db, RepList list, const RepFilters &filters, const Session &user)
{
    const Conditions c = repConditions(db.dialect(), list, filters, user);
    return list == RepList::Survey ? survey::naghsheList(db, c) : studies::borvinatList(db, c);
}

const Headings &repStudiesHeadings()
{
    static const Headings h = {
        {"id", QStringLiteral("شناسه")},
        {"city", QStringLiteral("شهرستان")},
        {"bakhsh", QStringLiteral("بخش")},
        {"dehestan", QStringLiteral("دهستان")},
        {"rosta", QStringLiteral("روستا")},
        {"khanevar", QStringLiteral("خانوار")},
        {"jamiyat", QStringLiteral("جمعيت")},
        {"cod", QStringLiteral("کد آبادي")},
        {"majmoe", QStringLiteral("مجموعه روستايي")},
        {"etebar_sal", QStringLiteral("سال اعتبار")},
        {"tamin_loc", QStringLiteral("منبع تامين اعتبار همه")},
        {"movafeghat_dat", QStringLiteral("تاريخ مبادله موافقت نامه")},
        {"naghshe_moshaver_name", QStringLiteral("نام مشاور نقشه بردار")},
        {"tarh_typ", QStringLiteral("نوع طرح")},
        {"naghshebardar_dat", QStringLiteral("تاريخ عقد قرارداد با مشاور نقشه بردار")},
        {"naghshe_tahvil_dat1", QStringLiteral("تاريخ تحويل اوليه نقشه پايه از مشاور")},
        {"checklist_dat1", QStringLiteral("تاريخ تکميل چک ليست شماره 1")},
        {"naghshe_emtiyaz", QStringLiteral("امتياز چک ليست شماره 1 نقشه پايه")},
        {"naghshe_tahvil_dat2", QStringLiteral("تاريخ تحويل نهايي نقشه پايه از مشاور")},
        {"tarh_moshaver_name", QStringLiteral("نام مشاور تهيه طرح")},
        {"taeid_dat", QStringLiteral("تاريخ تاييديه مشاور از دفترمرکزي")},
        {"taeid_paper_no", QStringLiteral("شماره نامه تاييديه مشاور")},
        {"tarh_prot_dat", QStringLiteral("تاريخ عقد قرارداد با مشاور تهيه طرح")},
        {"moshaver_prot_no", QStringLiteral("شماره قرارداد با مشاور")},
        {"prot_mablagh", QStringLiteral("مبلغ قرارداد(ميليون ريال)")},
        {"check_list_dat2", QStringLiteral("تاريخ تکميل چک ليست شماره 2")},
        {"tarh_tahvil_dat1", QStringLiteral("تاريخ تحويل اوليه طرح از مشاور(قبل از گروه کارشناسي فني)")},
        {"arzyabi_dat", QStringLiteral("تاريخ تکميل چک ليست ارزيابي شکلي و محتوايي طرح")},
        {"tarh_emtiyaz", QStringLiteral("امتياز چک ليست شکلي و محتوايي طرح")},
        {"gis_dat", QStringLiteral("تاريخ تکميل چک ليست GIS طرح")},
        {"gis_emtiyaz", QStringLiteral("امتياز چک ليست GIS طرح")},
        {"tarh_tasvib_dat", QStringLiteral("تاريخ تصويب طرح در گروه کارشناسي(کميته فني سابق)")},
        {"arzyabi_emtiyaz", QStringLiteral("امتياز ارزيابي طرح توسط اعضاي جلسه گروه کارشناسي")},
        {"jalase_tasvib_dat", QStringLiteral("تاريخ جلسه کميته تصويب(کارگروه مسکن و شهرسازي سابق)")},
        {"ejra_checklist_dat", QStringLiteral("تاريخ تکميل چک ليست اجرايي")},
        {"ejra_emtiyaz", QStringLiteral("امتياز چک لبست اجرايي")},
        {"asnad_tahvil_dat", QStringLiteral("تاريخ تحويل اسناد و مدارک کامل طرح مصوب از مشاور")},
        {"farmandari_dat", QStringLiteral("تاريخ ابلاغ طرح مصوب به فرمانداري")},
        {"tehran_ersal_dat", QStringLiteral("تاريخ ارسال طرح مصوب به دفتر مرکزي")},
    };
    return h;
}

ViewOutcome viewFirstAttachment(const Db &db, const AttachmentTable &table, qint64 owner, const QString &description)
{
    const QString key = table.keyColumn();
    const QVariant first = db.scalar(db.dialect().firstRows(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? AND cmt = ? ORDER BY %1")
                                                                .arg(key, table.table(), table.owner()),
                                                            1),
                                     {owner, description});
    if (!first.isValid())
        return ViewOutcome::Missing;
    const std::optional<StoredAttachment> file = fetchAttachment(db, table, first.toLongLong());
    if (!file || file->content.isEmpty())
        return ViewOutcome::Failed;
    const QString path = writeViewingCopy(*file);
    return !path.isEmpty() && openAttachmentFile(path) ? ViewOutcome::Opened : ViewOutcome::Failed;
}

}  // namespace bv::reporting
