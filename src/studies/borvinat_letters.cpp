#include "borvinat_letters.h"

#include "borvinat_record.h"
#include "contractor_kinds.h"
#include "dates.h"
#include "fillsteps.h"
#include "layout.h"
#include "money.h"
#include "text.h"

#include <QHash>

namespace bv::studies {

using report::Document;

namespace {

QString textOf(const Row &row, const QString &column)
{
    return row.value(column).toString();
}

qint64 idOf(const Row &study)
{
    return study.value(QStringLiteral("id")).toLongLong();
}

bool isSetDate(const QString &date)
{
    return !date.trimmed().isEmpty() && date != emptyDateMask;
}

const QString technicalOfficer = QStringLiteral("کارشناس مسئول فني و مطالعات");

// The signatory labels and the lookup list each one shows.
const QHash<QString, QString> &officialRoles()
{
    static const QHash<QString, QString> roles = [] {
        QHash<QString, QString> r;
        for (const char *l : {"karshenas_fani", "karshenas_fani2"})
            r.insert(QString::fromLatin1(l), technicalOfficer);
        for (const char *l : {"moaven_omran", "moaven_omran2"})
            r.insert(QString::fromLatin1(l), QStringLiteral("معاون عمران روستايي"));
        for (const char *l : {"moa_omran_post", "moa_omran_post2", "moa_omran_post3"})
            r.insert(QString::fromLatin1(l), QStringLiteral("عنوان پست معاون عمران روستايي"));
        r.insert(QStringLiteral("modirkol"), QStringLiteral("مدير کل زلمرکان استان"));
        return r;
    }();
    return roles;
}

void setOfficials(Document &doc, const Db &db, const QStringList &labels)
{
    QHash<QString, QString> names;  // one lookup per list
    for (const QString &label : labels) {
        const QString role = officialRoles().value(label);
        if (!names.contains(role))
            names.insert(role, report::roleName(db, role));
        doc.setLabel(label, names.value(role));
    }
}

void setAll(Document &doc, const QStringList &labels, const QString &text)
{
    for (const QString &l : labels)
        doc.setLabel(l, text);
}

// Copies of a label: "rosta" with 3 gives rosta, rosta2, rosta3.
QStringList copies(const QString &name, int count)
{
    QStringList names{name};
    for (int i = 2; i <= count; ++i)
        names << name + QString::number(i);
    return names;
}

// The counties and villages of the last search, in as many labels as the letter has.
void setPlaces(Document &doc, const BorvinatFilters &filters, int counties = 1, int villages = 1)
{
    setAll(doc, copies(QStringLiteral("city"), counties), report::joinedList(filters.city));
    setAll(doc, copies(QStringLiteral("rosta"), villages), report::joinedList(filters.rosta));
}

void askPlaceFont(Document &doc, const QString &defaultText = QStringLiteral("12"))
{
    report::askFontSize(doc, {QStringLiteral("places")}, QStringLiteral("Font Size"),
                        QStringLiteral("اندازه فونت روستا و شهر"), defaultText);
}

void askVillageFont(Document &doc)
{
    report::askFontSize(doc, {QStringLiteral("rosta")}, QStringLiteral("Font Size Rosta"),
                        QStringLiteral("اندازه فونت نام روستا"));
}

// A fresh copy of the template, filled from the study's columns.
Document studyDocument(const QString &name, const Row &study)
{
    Document doc = Document::load(name);
    doc.fillFromRow(study);
    if (doc.hasLabel(QStringLiteral("cod")))
        doc.setLabel(QStringLiteral("cod"), report::shortVillageCode(textOf(study, QStringLiteral("cod"))));
    return doc;
}

const QStringList planIndicators = {
    QStringLiteral("جمعيت (نفر)"), QStringLiteral("مساحت محدوده طرح(هكتار)"), QStringLiteral("تعداد شاغلين(نفر)"),
    QStringLiteral("سرانه کل کاربريها (متر مربع)"), QStringLiteral("سرانه مسکوني (متر مربع)"),
};

}  // namespace

// ---- Plain rules ----

QString offeredAmount(const QVariant &millionRials)
{
    return (Decimal::fromVariant(millionRials) * 1000000).rounded(0).plain();
}

QString amountDue(const QString &amount, const QString &percentage)
{
    const std::optional<Decimal> a = report::operand(amount), p = report::operand(percentage);
    if (!a || !p)
        return QStringLiteral("?");
    return (*a * *p).dividedBy(100, 0).plain();
}

QString percentageShown(const QString &percentage, bool twoDecimals)
{
    const std::optional<Decimal> p = report::operand(percentage);
    if (!p)
        return percentage;
    if (!twoDecimals)
        return p->plain();
    QString text = p->rounded(2).plain();
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        return text + QStringLiteral(".00");
    return text.leftJustified(point + 3, QLatin1Char('0'));
}

QString statusText(const QString &stage, const QString &percentage)
{
    return stage + QLatin1Char(' ') + percentage;
}

QString latestCommitteeDate(const Row &study)
{
    for (const char *column : {"komitefani_dat4", "komitefani_dat3", "tarh_tasvib_dat", "komitefani_dat1"}) {
        const QString date = textOf(study, QString::fromLatin1(column));
        if (isSetDate(date))
            return date;
    }
    return emptyDateMask;
}

std::optional<QString> meetingDateColumn(int meeting)
{
    switch (meeting) {
    case 1: return QStringLiteral("komitefani_dat1");
    case 2: return QStringLiteral("tarh_tasvib_dat");
    case 3: return QStringLiteral("komitefani_dat3");
    case 4: return QStringLiteral("komitefani_dat4");
    default: return std::nullopt;
    }
}

QString statusTooLongMessage(const QString &status)
{
    return QStringLiteral("وضعيت «%1» بيش از %2 حرف است").arg(status).arg(statusColumnLength);
}

void writeStatus(const Db &db, qint64 id, const QString &status)
{
    // One engine would cut it, another refuse it: neither is what was typed.
    if (status.size() > statusColumnLength)
        throw report::FillError(statusTooLongMessage(status));
    db.exec(QStringLiteral("UPDATE borvinat SET status = ? WHERE id = ?"), {status, id});
}

// ---- The documents ----

Document paymentStatement(const Db &db, const StudyLetterSource &source, bool finalStage)
{
    const Row &s = source.study;
    Document doc = studyDocument(finalStage ? QStringLiteral("m_frm_haghozahme2") : QStringLiteral("m_frm_haghozahme"), s);
    const QString name = report::contractorName(study::studyContractor(db, s));
    setAll(doc, {QStringLiteral("tarh_moshaver_name"), QStringLiteral("tarh_moshaver_name2")}, name);
    doc.setLabel(QStringLiteral("dat"), report::ask(QStringLiteral("Date"), QStringLiteral("تاريخ"), report::today()));
    askVillageFont(doc);
    const QString choice = normalizeInput(report::ask(
        QStringLiteral("Mablagh"), QStringLiteral("مبلغ باحوزه نفوذ=1 / مبلغ بدون حوزه نفوذ=2"), QStringLiteral("1")));
    const QString typed = normalizeInput(
        choice == QStringLiteral("2")
            ? report::ask(QStringLiteral("Mablagh Bi Nofoz"), QStringLiteral("مبلغ بدون حوزه نفوذ"),
                          offeredAmount(s.value(QStringLiteral("prot_mablagh_binofoz"))))
            : report::ask(QStringLiteral("Mablagh Ba Nofoz"), QStringLiteral("مبلغ با حوزه نفوذ"),
                          offeredAmount(s.value(QStringLiteral("prot_mablagh")))));
    const std::optional<Decimal> amount = report::operand(typed);
    doc.setLabel(QStringLiteral("prot_mablagh"), amount ? amount->plain() : QString());
    const QString stage =
        normalizeInput(report::ask(QStringLiteral("Marhale"), QStringLiteral("مرحله پرداخت"),
                                   finalStage ? QStringLiteral("قطعي") : QStringLiteral("مرحله اول/قطعي")));
    setAll(doc, copies(QStringLiteral("marhale"), 3), stage);
    const QString percentage =
        normalizeInput(report::ask(QStringLiteral("Darsad"), QStringLiteral("درصد پرداخت"), QStringLiteral("100")));
    // Written whether or not the statement is printed afterwards.
    writeStatus(db, idOf(s), statusText(stage, percentage));
    setAll(doc, copies(QStringLiteral("haghozahme"), 2), amountDue(doc.label(QStringLiteral("prot_mablagh")), percentage));
    setAll(doc, copies(QStringLiteral("darsad"), 2), percentageShown(percentage, !finalStage));
    setOfficials(doc, db,
                 {QStringLiteral("karshenas_fani"), QStringLiteral("karshenas_fani2"), QStringLiteral("moaven_omran"),
                  QStringLiteral("moaven_omran2"), QStringLiteral("moa_omran_post"), QStringLiteral("moa_omran_post2"),
                  QStringLiteral("moa_omran_post3"), QStringLiteral("modirkol")});
    return doc;
}

Document depositRelease(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = studyDocument(QStringLiteral("m_frm_hosn"), s);
    askPlaceFont(doc);
    const QString expert =
        report::ask(QStringLiteral("Barrasi Tarh"), QStringLiteral("کارشناس بررسي طرح"), report::roleName(db, technicalOfficer));
    setPlaces(doc, source.search.filters);
    const QString extension = textOf(s, QStringLiteral("tamdid_dat"));
    doc.setLabel(QStringLiteral("tamdid_dat"),
                 isSetDate(extension) ? extension : textOf(s, QStringLiteral("jalase_tasvib_dat")));
    setOfficials(doc, db,
                 {QStringLiteral("karshenas_fani"), QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post"),
                  QStringLiteral("moa_omran_post2"), QStringLiteral("modirkol")});
    doc.setLabel(QStringLiteral("karshenas_naghshe"), expert);
    return doc;
}

Document extensionLetter(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = studyDocument(QStringLiteral("m_frm_tamdid"), s);
    askVillageFont(doc);
    doc.setLabel(QStringLiteral("dat"), report::ask(QStringLiteral("Date"), QStringLiteral("تاريخ نامه"), report::today()));
    const Row contractor = study::studyContractor(db, s);
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(contractor));
    const bool legal = !contractor.isEmpty() && !isNaturalPerson(contractor);
    doc.setLabel(QStringLiteral("tamin_caption"), legal ? QStringLiteral("شعبه تامين اجتماعي") : QString());
    doc.setLabel(QStringLiteral("taminejtemaei"), legal ? textOf(contractor, QStringLiteral("taminejtemaei")) : QString());
    setPlaces(doc, source.search.filters);
    setOfficials(doc, db, {QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post")});
    return doc;
}

Document contractNotification(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = studyDocument(QStringLiteral("eblagh_moshaver_haghighi"), s);
    askPlaceFont(doc, QStringLiteral("14"));
    setPlaces(doc, source.search.filters, 2);
    const Row contractor = study::studyContractor(db, s);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractor));
    const QStringList copyLines = {QStringLiteral("ronevesht1"), QStringLiteral("ronevesht2"), QStringLiteral("shobe_caption"),
                                   QStringLiteral("taminejtemaei"), QStringLiteral("city2")};
    if (isNaturalPerson(contractor)) {
        doc.setLabel(QStringLiteral("onvan"), QStringLiteral("سركار خانم/ جناب آقاي "));
        setAll(doc, copyLines, QString());
    } else {
        doc.setLabel(QStringLiteral("onvan"), QStringLiteral("مهندسين مشاور"));
        doc.setLabel(QStringLiteral("ronevesht1"), QStringLiteral("سازمان محترم تامين اجتماعي شهرستان"));
        doc.setLabel(QStringLiteral("ronevesht2"), QStringLiteral("به انضمام يک نسخه قرارداد به منظور استحضار"));
        doc.setLabel(QStringLiteral("shobe_caption"), QStringLiteral("شعبه"));
        doc.setLabel(QStringLiteral("taminejtemaei"), textOf(contractor, QStringLiteral("taminejtemaei")));
    }
    setOfficials(doc, db, {QStringLiteral("modirkol")});
    return doc;
}

Document agencyIntroduction(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = studyDocument(QStringLiteral("moarefi_edarat"), s);
    askPlaceFont(doc);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(study::studyContractor(db, s)));
    setPlaces(doc, source.search.filters, 4, 3);
    setOfficials(doc, db, {QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post")});
    return doc;
}

Document baseMapLetter(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = studyDocument(QStringLiteral("ersal_naghshe_moshaver"), s);
    askPlaceFont(doc);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(study::studyContractor(db, s)));
    setPlaces(doc, source.search.filters);
    setOfficials(doc, db, {QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post")});
    return doc;
}

Document threePartInquiry(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = studyDocument(QStringLiteral("estelam_sebakhshi"), s);
    askPlaceFont(doc);
    setAll(doc, copies(QStringLiteral("peymankar"), 2), report::contractorName(study::studyContractor(db, s)));
    setAll(doc, copies(QStringLiteral("dat"), 3), report::today());
    setPlaces(doc, source.search.filters, 2, 4);
    setOfficials(doc, db, {QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post")});
    return doc;
}

Document libraryIntroduction(const Db &db, const StudyLetterSource &source)
{
    Document doc = studyDocument(QStringLiteral("m_frm_library"), source.study);
    setOfficials(doc, db, {QStringLiteral("karshenas_fani")});
    return doc;
}

Document technicalMinutes(const Db &, const StudyLetterSource &source, bool county)
{
    const Row &s = source.study;
    Document doc = studyDocument(QStringLiteral("m_frm_soratjalase_fani"), s);
    const int meeting = report::askWholeNumber(QStringLiteral("Jalase Number"), QStringLiteral("شماره جلسه"), QStringLiteral("1"));
    doc.setLabel(QStringLiteral("jalase_no"), QString::number(meeting));
    const std::optional<QString> column = meetingDateColumn(meeting);
    doc.setLabel(QStringLiteral("jalase_dat"),
                 column ? textOf(s, *column)
                        : report::ask(QStringLiteral("Jalase Date"),
                                      QString::number(meeting) + QStringLiteral("تاريخ جلسه"), report::today()));
    doc.setLabel(QStringLiteral("paper_no"),
                 report::ask(QStringLiteral("Paper Number"), QStringLiteral("شماره نامه دعوت نامه"), QStringLiteral("?")));
    doc.setLabel(QStringLiteral("davat_dat"),
                 report::ask(QStringLiteral("Davat Date"), QStringLiteral("تاريخ نامه دعوتنامه"), report::today()));
    const QString office = QStringLiteral("زلمرکان استان");
    doc.setLabel(QStringLiteral("sazman"), office);
    if (county) {
        doc.setLabel(QStringLiteral("mahal"), report::ask(QStringLiteral("Location"), QStringLiteral("در محل"), office));
        doc.setLabel(QStringLiteral("emza6"), report::ask(QStringLiteral("Signature"), QStringLiteral("محل امضا اول ساير ادارات"),
                                                          QStringLiteral("نماينده محيط زيست")));
        doc.setLabel(QStringLiteral("emza7"),
                     report::ask(QStringLiteral("Signature"), QStringLiteral("محل امضا دوم ساير ادارات"),
                                 QStringLiteral("نماينده اداره کل راهداري و حمل و نقل جاده اي")));
    } else {
        doc.setLabel(QStringLiteral("mahal"), office);
        setAll(doc, {QStringLiteral("emza6"), QStringLiteral("emza7")}, QString());
    }
    setAll(doc, {QStringLiteral("emza1"), QStringLiteral("emza2"), QStringLiteral("emza3"), QStringLiteral("emza4"),
                 QStringLiteral("emza5")},
           QString());
    return doc;
}

Document approvalMinutes(const Db &, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = studyDocument(QStringLiteral("m_frm_soratjalase_tasvib"), s);
    doc.setLabel(QStringLiteral("jalase_dat"), report::ask(QStringLiteral("Date"), QStringLiteral("تاريخ جلسه"),
                                                           textOf(s, QStringLiteral("jalase_tasvib_dat"))));
    doc.setLabel(QStringLiteral("paper_no"),
                 report::ask(QStringLiteral("Paper Number"), QStringLiteral("شماره نامه دعوتنامه"), QStringLiteral("?")));
    doc.setLabel(QStringLiteral("paper_dat"),
                 report::ask(QStringLiteral("Paper Date"), QStringLiteral("تاريخ دعوتنامه"), report::today()));
    doc.setLabel(QStringLiteral("tasvib_dat"), latestCommitteeDate(s));
    setAll(doc, {QStringLiteral("tahvil_dat"), QStringLiteral("amel4_dat"), QStringLiteral("emza1"), QStringLiteral("emza2"),
                 QStringLiteral("emza3"), QStringLiteral("emza4")},
           QString());
    return doc;
}

Document approvedPlanNotice(const Db &db, const StudyLetterSource &source, const QString &templateName)
{
    const Row &s = source.study;
    const qint64 id = idOf(s);
    Document doc = studyDocument(templateName, s);
    const bool governorate = templateName != QStringLiteral("m_frm_ostandari2");
    doc.setLabel(QStringLiteral("dat"), textOf(s, QStringLiteral("jalase_tasvib_dat")));
    doc.setLabel(QStringLiteral("paper_dat"),
                 report::ask(QStringLiteral("Paper Date"), QStringLiteral("تاريخ نامه"), report::today()));
    doc.setLabel(QStringLiteral("paper_no"),
                 report::ask(QStringLiteral("Paper Number"), QStringLiteral("شماره نامه"), QStringLiteral("18/")));
    if (governorate) {
        doc.setLabel(QStringLiteral("onvan"),
                     report::ask(QStringLiteral("Title"), QStringLiteral("عنوان مخاطب نامه"),
                                 QStringLiteral(" فرماندار محترم شهرستان ") + textOf(s, QStringLiteral("city"))));
        doc.setLabel(QStringLiteral("city2"), QString());
    }
    const QString first = governorate ? QStringLiteral("مديرکل محترم دفتر امور فني و تهيه طرح ها زلمرکان")
                                      : QStringLiteral("رئيس محترم سازمان جهاد کشاورزي استان جهت استحضار");
    const QString second =
        governorate
            ? QStringLiteral("رئيس محترم زلمرکان شهرستان فوق بانضمام يک جلد(گزارش،آلبوم طرح هادي،آلبوم طرح تفصيلي)يک شيت "
                             "لمينت و يک حلقه cd جهت اطلاع و اقدام لازم در کنترل ساخت و سازها براساس ضوابط و مقررات و "
                             "پيگيري اعتبار مورد نياز اجرا درکميته برنامه ريزي شهرستان")
            : QStringLiteral("مدير کل محترم راه و شهرسازي استان جهت استحضار");
    doc.setLabel(QStringLiteral("ronevesht1"), report::ask(QStringLiteral("Ronevesht"), QStringLiteral("رونوشت اول"), first));
    doc.setLabel(QStringLiteral("ronevesht2"), report::ask(QStringLiteral("Ronevesht"), QStringLiteral("رونوشت دوم"), second));
    for (int i = 0; i < planIndicators.size(); ++i) {
        const QString n = QString::number(i + 1);
        const std::vector<Row> rows =
            db.rows(QStringLiteral("SELECT mojod, ofogh FROM shakhes WHERE borvinat_id = ? AND cmt = ? ORDER BY id"),
                    {id, planIndicators[i]});
        const Row row = rows.empty() ? Row() : rows.front();
        doc.setLabel(QStringLiteral("shakhes") + n, planIndicators[i]);
        doc.setLabel(QStringLiteral("mojod") + n, report::valueText(row.value(QStringLiteral("mojod")), false));
        doc.setLabel(QStringLiteral("ofogh") + n, report::valueText(row.value(QStringLiteral("ofogh")), false));
    }
    report::bindRows(doc, db, QStringLiteral("SELECT cmt, org FROM barnameha WHERE borvinat_id = ? ORDER BY id"), {id});
    setOfficials(doc, db, {QStringLiteral("modirkol")});
    return doc;
}

Document cdHandover(const Db &db, const StudyLetterSource &source, bool newForm)
{
    const Row &s = source.study;
    Document doc = studyDocument(newForm ? QStringLiteral("m_frm_tahvil_cd2") : QStringLiteral("m_frm_tahvil_cd"), s);
    doc.setLabel(QStringLiteral("komitefani_dat4"), latestCommitteeDate(s));
    doc.setLabel(QStringLiteral("dat"),
                 report::ask(QStringLiteral("Date"), QStringLiteral("تاريخ کنترل اسناد و تنظيم"), report::today()));
    const std::vector<std::pair<report::SignatureSlot, QString>> signatures = {
        {{QStringLiteral("emza_fani"), QStringLiteral("تصوير امضا کارشناس مسئول فني و مطالعات")},
         QStringLiteral("رمز امضا مسئول فني و مطالعات")},
        {{QStringLiteral("emza_amel4"), QStringLiteral("تصوير امضا عامل چهارم")}, QStringLiteral("رمز امضا عامل چهارم")},
        {{QStringLiteral("emza_moaven"), QStringLiteral("تصوير امضا معاون عمران روستايي")},
         QStringLiteral("رمز امضا معاون عمران روستايي")},
    };
    for (const auto &[slot, prompt] : signatures)
        report::placeSignature(doc, db, slot, prompt);
    QStringList done =
        newForm ? QStringList{QStringLiteral("رعايت مفاد صورتجلسه کميته تصويب"), QStringLiteral("کنترل و تحويل کامل اسناد")}
                : QStringList{QStringLiteral("ارائه چک ليست نقطه نظرات مشاور"), QStringLiteral("صورتجلسه مشاور طرح بادهيار"),
                              QStringLiteral("تحليل مالکيتي اراضي کاربري"), QStringLiteral("اصلاح موارد نقص چک ليست اوليه"),
                              QStringLiteral("رعايت مفاد صورتجلسه کميته تصويب"), QStringLiteral("کنترل و تحويل کامل نسخ"),
                              QStringLiteral("کنترل ضمائم")};
    if (newForm)
        for (int form : {3, 4, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18})
            done << QStringLiteral("فرم شماره") + QString::number(form);
    for (int i = 0; i < done.size(); ++i) {
        const QString n = QString::number(i + 1);
        report::askTick(doc, done[i], {QStringLiteral("done") + n, QStringLiteral("notdone") + n});
    }
    if (!newForm) {
        const report::TickRule grades{{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}};
        const QStringList satisfaction = {QStringLiteral("رضايت استان از مشاور"), QStringLiteral("رضايت استان از عامل چهارم"),
                                          QStringLiteral("رضايت عامل چهارم از مشاور")};
        for (int i = 0; i < satisfaction.size(); ++i) {
            const QString n = QString::number(i + 1);
            QStringList boxes;
            for (int g = 1; g <= 4; ++g)
                boxes << QStringLiteral("razi%1_%2").arg(n).arg(g);
            report::askTick(doc, satisfaction[i], boxes, grades, QStringLiteral("خيلي خوب=1 و خوب=2 و متوسط=3 و کم=4"),
                            QStringLiteral("2"));
        }
    }
    return doc;
}

}  // namespace bv::studies
