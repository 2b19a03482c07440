#include "borvinat_record.h"

#include "activitylog.h"

namespace bv::study {

const std::vector<StudyField> &studyFields()
{
    static const std::vector<StudyField> fields = {
        {"ostan", FieldKind::Combo, QStringLiteral("استان")},
        {"city", FieldKind::Combo, QStringLiteral("نام شهرستان")},
        {"bakhsh", FieldKind::Combo, QStringLiteral("نام بخش")},
        {"dehestan", FieldKind::Combo, QStringLiteral("نام دهستان")},
        {"rosta", FieldKind::Combo, QStringLiteral("نام روستا")},
        {"khanevar", FieldKind::Edit, QStringLiteral("تعداد خانوار موجود")},
        {"cod", FieldKind::Combo, QStringLiteral("کد روستا")},
        {"X", FieldKind::Edit, QStringLiteral("طول جغرافيايي")},
        {"Y", FieldKind::Edit, QStringLiteral("عرض جغرافيايي")},
        {"jamiyat", FieldKind::Edit, QStringLiteral("تعداد جمعيت موجود")},
        {"majmoe", FieldKind::Edit, QStringLiteral("مجموعه روستايي")},
        {"etebar_sal", FieldKind::Year, QStringLiteral("سال اعتبار")},
        {"tamin_loc", FieldKind::Combo, QStringLiteral("محل تامين اعتبار")},
        {"movafeghat_dat", FieldKind::Date, QStringLiteral("تاريخ مبادله موافقت نامه")},
        {"tarh_typ", FieldKind::Combo, QStringLiteral("نوع طرح")},
        {"naghshe_moshaver_name", FieldKind::Edit, QStringLiteral("نام مشاور نقشه بردار")},
        {"naghshe_tahvil_dat2", FieldKind::Date, QStringLiteral("تاريخ تحويل نهايي نقشه پايه از مشاور")},
        {"tarh_moshaver_name", FieldKind::ReadOnly, QStringLiteral("نام مشاور تهيه طرح")},
        {"taeid_dat", FieldKind::Date, QStringLiteral("تاريخ تاييديه مشاور از دفترمرکزي")},
        {"taeid_paper_no", FieldKind::Edit, QStringLiteral("شماره نامه تاييديه مشاور")},
        {"tarh_prot_dat", FieldKind::Date, QStringLiteral("تاريخ عقد قرارداد با مشاور تهيه طرح")},
        {"moshaver_prot_no", FieldKind::Edit, QStringLiteral("شماره قرارداد با مشاور")},
        {"prot_mablagh", FieldKind::Edit, QStringLiteral("مبلغ قرارداد با حوزه نفوذ (ميليون ريال)")},
        {"prot_mablagh_binofoz", FieldKind::Edit, QStringLiteral("مبلغ قرارداد بدون حوزه نفوذ (ميليون ريال)")},
        {"amel4", FieldKind::Edit, QStringLiteral("نام عامل چهارم")},
        {"peymankar_id", FieldKind::Hidden, QStringLiteral("")},
        {"tarh_tahvil_dat1", FieldKind::Date, QStringLiteral("تاريخ تحويل اوليه طرح از مشاور(قبل از گروه کارشناسي فني)")},
        {"check_list_dat2", FieldKind::Date, QStringLiteral("تاريخ تکميل چک ليست شماره 2")},
        {"arzyabi_dat", FieldKind::Date, QStringLiteral("تاريخ تکميل چک ليست ارزيابي شکلي و محتوايي طرح")},
        {"tarh_emtiyaz", FieldKind::Edit, QStringLiteral("امتياز چک ليست شکلي و محتوايي طرح")},
        {"jalase_city_dat", FieldKind::Date, QStringLiteral("تاريخ جلسه هماهنگي با زلمرکان شهرستان")},
        {"gis_dat", FieldKind::Date, QStringLiteral("تاريخ تکميل چک ليست GIS طرح")},
        {"gis_emtiyaz", FieldKind::Edit, QStringLiteral("امتياز چک ليست GIS طرح اوليه")},
        {"gis_emtiyaz2", FieldKind::Edit, QStringLiteral("امتياز چک ليست GIS طرح نهايي")},
        {"komitefani_dat1", FieldKind::Date, QStringLiteral("تاريخ کميته فني شماره1")},
        {"tarh_tasvib_dat", FieldKind::Date, QStringLiteral("تاريخ کميته فني شماره2")},
        {"komitefani_dat3", FieldKind::Date, QStringLiteral("تاريخ کميته فني شماره3")},
        {"komitefani_dat4", FieldKind::Date, QStringLiteral("تاريخ کميته فني شماره4")},
        {"arzyabi_emtiyaz", FieldKind::Edit, QStringLiteral("امتياز ارزيابي طرح توسط اعضاي جلسه گروه کارشناسي")},
        {"jalase_tasvib_dat", FieldKind::Date, QStringLiteral("تاريخ جلسه کميته تصويب(کارگروه مسکن و شهرسازي سابق)")},
        {"checklist_nahaei_dat", FieldKind::Date, QStringLiteral("تاريخ چک ليست شکلي محتوايي (نهايي)")},
        {"checklist_nahaei_emtiyaz", FieldKind::Edit, QStringLiteral("امتياز چک ليست شکلي محتوايي (نهايي)")},
        {"ejra_checklist_dat", FieldKind::Date, QStringLiteral("تاريخ تکميل چک ليست اجرايي")},
        {"ejra_emtiyaz", FieldKind::Edit, QStringLiteral("امتياز چک لبست اجرايي")},
        {"asnad_tahvil_dat", FieldKind::Date, QStringLiteral("تاريخ تحويل اسناد و مدارک کامل طرح مصوب از مشاور")},
        {"farmandari_dat", FieldKind::Date, QStringLiteral("تاريخ ابلاغ طرح مصوب به فرمانداري")},
        {"tehran_ersal_dat", FieldKind::Date, QStringLiteral("تاريخ ارسال طرح مصوب به دفتر مرکزي")},
        {"status", FieldKind::Status, QStringLiteral("آخرين وضعيت")},
        {"tamdid_dat", FieldKind::Date, QStringLiteral("تاريخ تمديد")},
        {"khanevar_p", FieldKind::Edit, QStringLiteral("خانوار پيشنهادي")},
        {"jamiyat_p", FieldKind::Edit, QStringLiteral("جمعيت پيشنهادي")},
        {"mojaz", FieldKind::Edit, QStringLiteral("تعداد واحد غيرمجاز")},
        {"masahat", FieldKind::Edit, QStringLiteral("مساحت نقشه برداري")},
        {"masahat_m", FieldKind::Edit, QStringLiteral("مساحت مسکوني موجود")},
        {"masahat_p", FieldKind::Edit, QStringLiteral("مساحت مسکوني پيشنهادي")},
        {"masahat_z_m", FieldKind::Edit, QStringLiteral("مساحت اراضي زراعي-باغي موجود")},
        {"masahat_z_p", FieldKind::Edit, QStringLiteral("مساحت اراضي زراعي-باغي پيشنهادي")},
        {"masahat_k_k_p", FieldKind::Edit, QStringLiteral("مساحت کاربري هاي خدماتي پيشنهادي بر روي اراضي زراعي-باغي")},
        {"masahat_k_m_p", FieldKind::Edit, QStringLiteral("مساحت کاربري هاي مسکوني پيشنهادي بر روي اراضي زراعي-باغي")},
        {"masahat_t", FieldKind::Edit, QStringLiteral("مساحت کل اراضي زراعي-باغي تغييريافته")},
        {"masahat_b_m", FieldKind::Edit, QStringLiteral("مساحت محدوده بافت موجود")},
        {"masahat_b_p", FieldKind::Edit, QStringLiteral("مساحت محدوده بافت پيشنهادي")},
        {"roshd", FieldKind::Edit, QStringLiteral("نرخ رشد پيشنهادي")},
    };
    return fields;
}

namespace {
QStringList columnsOf()
{
    QStringList out;
    for (const StudyField &f : studyFields())
        out << QLatin1String(f.column);
    return out;
}

QMap<QString, QString> labelsOf()
{
    QMap<QString, QString> out;
    for (const StudyField &f : studyFields())
        out[QLatin1String(f.column)] = f.label;
    return out;
}

QString logText(const QString &action, const TypedTexts &t, const QString &user)
{
    return action + t.value(QStringLiteral("cod")) + QLatin1Char(' ') + user;
}
}  // namespace

const QStringList &studyColumns()
{
    static const QStringList columns = columnsOf();
    return columns;
}

RowValues readStudy(TypedTexts typed)
{
    // The fee fields may show "/" as their decimal point.
    for (const char *fee : {"prot_mablagh", "prot_mablagh_binofoz"})
        typed[QLatin1String(fee)].replace(QLatin1Char('/'), QLatin1Char('.'));
    static const QMap<QString, QString> labels = labelsOf();
    return readTypedRow(QStringLiteral("borvinat"), studyColumns(), typed, labels, EmptyNumber::Null);
}

QString storedStudyText(const QString &column, const QVariant &value)
{
    return storedColumnText(QStringLiteral("borvinat"), column, value);
}

bool studyExists(const Db &db, const TypedTexts &t)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM borvinat WHERE city = ? AND rosta = ? AND etebar_sal = ?"),
                     {t.value(QStringLiteral("city")), t.value(QStringLiteral("rosta")),
                      t.value(QStringLiteral("etebar_sal"))})
               .toInt()
        > 0;
}

qint64 registerStudy(const Db &db, const TypedTexts &typed, const RowValues &values, const QString &user)
{
    QStringList marks;
    for (int i = 0; i < studyColumns().size(); ++i)
        marks << QStringLiteral("?");
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(QStringLiteral("INSERT INTO borvinat (%1) VALUES (%2)")
                           .arg(studyColumns().join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                       values.values);
        writeLog(db, user, logText(QStringLiteral(" ثبت مطالعه جديد  "), typed, user));
    });
    return id;
}

void editStudy(const Db &db, qint64 id, const TypedTexts &typed, const RowValues &values, const QString &user)
{
    QStringList sets;
    for (const QString &c : studyColumns())
        sets << c + QStringLiteral(" = ?");
    QVariantList bound = values.values;
    bound << id;
    db.transaction([&] {
        db.exec(QStringLiteral("UPDATE borvinat SET %1 WHERE id = ?").arg(sets.join(QStringLiteral(", "))), bound);
        writeLog(db, user, logText(QStringLiteral(" ويرايش مطالعه  "), typed, user));
    });
}

Row studyContractor(const Db &db, const Row &study)
{
    const QVariant id = study.value(QStringLiteral("peymankar_id"));
    if (id.isNull() || !id.isValid())
        return {};
    const std::vector<Row> rows = db.rows(QStringLiteral("SELECT * FROM peymankaran WHERE id = ?"), {id});
    return rows.empty() ? Row() : rows.front();
}

QString contractorLabel(const Db &db, qint64 id)
{
    const std::vector<Row> rows =
        db.rows(QStringLiteral("SELECT lname, comp_name FROM peymankaran WHERE id = ?"), {id});
    if (rows.empty())
        return {};
    return rows.front().value(QStringLiteral("lname")).toString() + QStringLiteral(" * ")
        + rows.front().value(QStringLiteral("comp_name")).toString();
}

}  // namespace bv::study
