#include "borvinat_agreement_pages.h"

#include "borvinat_agreement.h"
#include "borvinat_fee.h"
#include "borvinat_record.h"
#include "contractor_kinds.h"
#include "fillsteps.h"
#include "text.h"

#include <QHash>
#include <QImage>

namespace bv::studies {

using report::Document;

namespace {

QString textOf(const Row &row, const QString &column)
{
    return row.value(column).toString();
}

void setEach(Document &doc, const QStringList &labels, const QString &text)
{
    for (const QString &l : labels)
        if (doc.hasLabel(l))
            doc.setLabel(l, text);
}

// The document's name in every `movafeg` label.
void setKind(Document &doc, const AgreementKind &kind)
{
    setEach(doc, {QStringLiteral("movafeg"), QStringLiteral("movafeg2"), QStringLiteral("movafeg3")}, kind.answer);
}

// The lookup list naming each official a page shows.
QString officialList(const QString &label)
{
    static const QHash<QString, QString> lists = {
        {QStringLiteral("modirkol"), QStringLiteral("مدير کل زلمرکان استان")},
        {QStringLiteral("karshenas_fani"), QStringLiteral("کارشناس مسئول فني و مطالعات")},
        {QStringLiteral("moaven_omran"), QStringLiteral("معاون عمران روستايي")},
        {QStringLiteral("moa_omran_post"), QStringLiteral("عنوان پست معاون عمران روستايي")},
        {QStringLiteral("karshenas_peyman"), QStringLiteral("کارشناس مسئول امور پيمان ها")},
        {QStringLiteral("raees_mali"), QStringLiteral("رپيس امور مالي")},
        {QStringLiteral("raees_hoghoghi"), QStringLiteral("رپيس امور حقوقي")},
        {QStringLiteral("moaven_zihesabi"), QStringLiteral("معاون ذيحسابي")},
        {QStringLiteral("karshenas_naghshe"), QStringLiteral("کارشناس نقشه برداري")},
        {QStringLiteral("karshenas_archive"), QStringLiteral("کارشناس آرشيو فني")},
    };
    return lists.value(label);
}

// Provincial and national credit carry no deductions or guarantee clauses.
bool isAllocatedCredit(const Row &study)
{
    const QString source = textOf(study, QStringLiteral("tamin_loc")).trimmed();
    return source == QStringLiteral("استاني") || source == QStringLiteral("ملي");
}

Document pageDocument(const QString &name, const Row &study, const AgreementKind &kind)
{
    Document doc = Document::load(name);
    doc.fillFromRow(study);
    setKind(doc, kind);
    return doc;
}

void askPlacesFont(Document &doc)
{
    report::askFontSize(doc, {QStringLiteral("places")}, QStringLiteral("Font Size"), QStringLiteral("اندازه فونت روستا و شهر"),
                        QStringLiteral("14"));
}

void askVillageFont(Document &doc)
{
    report::askFontSize(doc, {QStringLiteral("rosta")}, QStringLiteral("Font Size Rosta"), QStringLiteral("اندازه فونت نام روستا"));
}

// The fee in words: spelled, or asked when beyond the spelled range.
QString feeWords(const FeeText &fee)
{
    return fee.spelled ? fee.words : report::ask(QStringLiteral("Mablagh Horofi"), QStringLiteral("مبلغ قرارداد بحروف"), fee.digits);
}

void setContractorColumns(Document &doc, const Row &contractor, std::initializer_list<const char *> columns)
{
    for (const char *column : columns)
        doc.setLabel(QString::fromLatin1(column), textOf(contractor, QString::fromLatin1(column)));
}

// A list's entries joined, and whether it names more than one.
bool severalEntries(const std::optional<QStringList> &entries)
{
    return entries && entries->size() > 1;
}

}  // namespace

QString closingPageNumber(const Row &study, const Row &contractor, int legalPage)
{
    const QString computed = QString::number(isNaturalPerson(contractor) ? legalPage - 2 : legalPage);
    if (textOf(study, QStringLiteral("tarh_typ")).trimmed() != study::localRevision)
        return computed;
    return report::ask(QStringLiteral("Page Number"), QStringLiteral("شماره صفحه"), computed);
}

int middlePageNumber(const QString &planType, int page)
{
    if (planType.trimmed() != study::localRevision)
        return page;
    switch (page) {
    case 12: return 7;
    case 14: return 9;
    case 16: return 11;
    case 32: case 33: case 34: case 35: return page - 8;
    default: return page;
    }
}

AgreementKind agreementKind(const QString &answer)
{
    const QString kind = normalizeInput(answer);
    return {answer, kind == QStringLiteral("تفاهم نامه") || kind == QStringLiteral("تفاهمنامه")};
}

AgreementKind askAgreementKind()
{
    return agreementKind(report::ask(QStringLiteral("Movafeghat Or Tafahom"), QStringLiteral("موافقتنامه يا تفاهم نامه"),
                                     QStringLiteral("موافقتنامه/تفاهم نامه")));
}

Money agreementRials(const Db &db, const StudyLetterSource &source)
{
    if (const std::optional<Money> sum = agreementFee(db, source.search.filters).withInfluence)
        return millionRials(*sum);
    const NumberReading typed =
        readNumber(report::ask(QStringLiteral("Mablagh"), QStringLiteral("مبلغ قرارداد"), QStringLiteral("0")),
                   Grouping::Allowed);
    if (!typed.ok())
        throw report::FillError(typed.message(QStringLiteral("مبلغ قرارداد")));
    return typed.value.toMoney();
}

Document agreementFeePage(const Db &db, const StudyLetterSource &source, const AgreementKind &kind, bool withNames)
{
    const Row &s = source.study;
    Document doc = pageDocument(withNames ? QStringLiteral("m_movafeghatname3_1") : QStringLiteral("m_movafeghatname3"), s, kind);
    const Row contractor = study::studyContractor(db, s);
    setEach(doc, {QStringLiteral("moshaver_caption"), QStringLiteral("moshaver_caption2")},
            isNaturalPerson(contractor) ? QStringLiteral("مهندس مشاور") : QStringLiteral("نماينده مهندس مشاور"));
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(contractor));
    for (const char *column : {"adr", "phone", "mobile"})
        doc.setLabel(QString::fromLatin1(column), textOf(contractor, QString::fromLatin1(column)));

    const FeeText fee = feeText(agreementRials(db, source));
    doc.setLabel(QStringLiteral("mablagh"), fee.digits);
    doc.setLabel(QStringLiteral("mablagh_horofi"),
                 fee.spelled ? fee.words
                             : report::ask(QStringLiteral("Mablagh Horofi"), QStringLiteral("مبلغ قرارداد بحروف"), fee.digits));

    const bool allocated = isAllocatedCredit(s);
    doc.setVisible(QStringLiteral("kosurat"), !allocated);
    doc.setVisible(QStringLiteral("zemanat"), !allocated);
    doc.setVisible(QStringLiteral("tafahom_note"), kind.memorandum);
    doc.setVisible(QStringLiteral("mozeie"), textOf(s, QStringLiteral("tarh_typ")).trimmed() == study::localRevision);

    QStringList roles = {QStringLiteral("modirkol")};
    if (withNames)
        roles << QStringLiteral("karshenas_fani") << QStringLiteral("moaven_omran") << QStringLiteral("moa_omran_post")
              << QStringLiteral("karshenas_peyman") << QStringLiteral("raees_mali") << QStringLiteral("raees_hoghoghi")
              << QStringLiteral("moaven_zihesabi");
    for (const QString &label : roles)
        doc.setLabel(label, report::roleName(db, officialList(label)));
    return doc;
}

Document agreementCover(const Db &db, const StudyLetterSource &source, const AgreementKind &kind)
{
    const Row &s = source.study;
    Document doc = pageDocument(QStringLiteral("m_movafeghatname1"), s, kind);
    askPlacesFont(doc);
    doc.setLabel(QStringLiteral("mozo_caption"), kind.memorandum ? QStringLiteral("موضوع:") : QStringLiteral("موضوع قرارداد:"));
    // A company's cover names villages and counties in the plural, however many.
    const Row contractor = study::studyContractor(db, s);
    const bool natural = isNaturalPerson(contractor);
    doc.setLabel(QStringLiteral("tarh_caption"), natural ? QStringLiteral("تهيه طرح هادي روستاي:") : QStringLiteral("تهيه طرح هادي روستاهاي:"));
    doc.setLabel(QStringLiteral("city_caption"), natural ? QStringLiteral("از توابع شهرستان:") : QStringLiteral("از توابع شهرستان هاي:"));
    doc.setLabel(QStringLiteral("moshaver_caption"), natural ? QStringLiteral("مهندس مشاور:") : QStringLiteral("مهندسين مشاور:"));
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(contractor));
    doc.setLabel(QStringLiteral("rosta"), report::joinedList(source.search.filters.rosta));
    doc.setLabel(QStringLiteral("city"), report::joinedList(source.search.filters.city));
    return doc;
}

Document agreementParties(const Db &db, const StudyLetterSource &source, const AgreementKind &kind)
{
    const Row &s = source.study;
    Document doc = pageDocument(QStringLiteral("m_movafeghatname2"), s, kind);
    askPlacesFont(doc);
    for (int i = 1; i <= 9; ++i)
        doc.setLabel(QStringLiteral("kind_word%1").arg(i), kind.memorandum ? QStringLiteral("تفاهمنامه") : QStringLiteral("قرارداد"));
    const Row contractor = study::studyContractor(db, s);
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(contractor));
    if (isNaturalPerson(contractor)) {
        doc.setLabel(QStringLiteral("party_caption"), QStringLiteral("سرکار خانم/آقاي"));
        doc.setLabel(QStringLiteral("id_caption"), QStringLiteral("با کد ملي"));
        doc.setLabel(QStringLiteral("id_no"), textOf(contractor, QStringLiteral("nation")));
        doc.setLabel(QStringLiteral("eghtesadi_cod"), QString());
    } else {
        doc.setLabel(QStringLiteral("party_caption"), QStringLiteral("مهندسين مشاور"));
        doc.setLabel(QStringLiteral("id_caption"), QStringLiteral("با شناسه"));
        doc.setLabel(QStringLiteral("id_no"), textOf(contractor, QStringLiteral("comp_shenase")));
        doc.setLabel(QStringLiteral("eghtesadi_cod"), textOf(contractor, QStringLiteral("comp_eghtesadi_cod")));
    }
    setContractorColumns(doc, contractor, {"zipcode"});
    const BorvinatFilters &f = source.search.filters;
    doc.setLabel(QStringLiteral("city_caption"), severalEntries(f.city) ? QStringLiteral("شهرستان هاي") : QStringLiteral("شهرستان"));
    doc.setLabel(QStringLiteral("rosta_caption"), severalEntries(f.rosta) ? QStringLiteral("روستا هاي") : QStringLiteral("روستا"));
    doc.setLabel(QStringLiteral("city"), report::joinedList(f.city));
    doc.setLabel(QStringLiteral("rosta"), report::joinedList(f.rosta));
    doc.setLabel(QStringLiteral("roz"), QStringLiteral("120"));
    doc.setLabel(QStringLiteral("modirkol"), report::roleName(db, officialList(QStringLiteral("modirkol"))));
    return doc;
}

Document agreementAnnex(const Db &db, const StudyLetterSource &source, const AgreementKind &kind)
{
    Document doc = pageDocument(QStringLiteral("m_movafeghatname4"), source.study, kind);
    askPlacesFont(doc);
    const QString name = report::contractorName(study::studyContractor(db, source.study));
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), name);
    doc.setLabel(QStringLiteral("tarh_moshaver_name2"), name);
    doc.setLabel(QStringLiteral("city"), report::joinedList(source.search.filters.city));
    doc.setLabel(QStringLiteral("rosta"), report::joinedList(source.search.filters.rosta));
    return doc;
}

Document agreementCoefficients(const Db &db, const StudyLetterSource &source, const AgreementKind &kind)
{
    const Row &s = source.study;
    Document doc = pageDocument(QStringLiteral("m_movafeghatname14"), s, kind);
    doc.setLabel(QStringLiteral("page_no"), QString::number(middlePageNumber(textOf(s, QStringLiteral("tarh_typ")), 14)));
    doc.setLabel(QStringLiteral("zarib_tadil"),
                 report::ask(QStringLiteral("Zarib Tadil"), QStringLiteral("ضريب تعديل"), study::adjustmentCoefficient(db)));
    return doc;
}

Document agreementSelectionMinutes(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = Document::load(QStringLiteral("m_frm_moshaver_tehran"));
    doc.fillFromRow(s);
    doc.setLabel(QStringLiteral("page_no"), QString::number(middlePageNumber(textOf(s, QStringLiteral("tarh_typ")), 16)));
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(study::studyContractor(db, s)));
    for (const QString &description : selectionMinutesPictures)
        for (const Row &r : db.rows(QStringLiteral("SELECT pic FROM borvinat_pic WHERE borvinat_id = ? AND cmt = ? ORDER BY id"),
                                    {s.value(QStringLiteral("id")), description})) {
            const QImage image = QImage::fromData(r.value(QStringLiteral("pic")).toByteArray());
            if (!image.isNull()) {
                doc.setImage(QStringLiteral("pic"), image);
                return doc;
            }
        }
    return doc;
}

Document agreementKeyPeople(const Db &db, const StudyLetterSource &source, const AgreementKind &kind)
{
    const Row &s = source.study;
    Document doc = pageDocument(QStringLiteral("m_movafeghatname32"), s, kind);
    askVillageFont(doc);
    const std::pair<const char *, std::pair<QString, QString>> people[] = {
        {"modir_project", {QStringLiteral("Project Modir"), QStringLiteral("مدير پروژه")}},
        {"karshenas_barname", {QStringLiteral("Borvinat Karshenas"), QStringLiteral("کارشناس مطالعات و برنامه ريزي")}},
        {"karshenas_tarahi", {QStringLiteral("Tarahi Karshenas"), QStringLiteral("کارشناس طراحي")}},
        {"karshenas_tafsili", {QStringLiteral("Tafsili Karshenas"), QStringLiteral("کارشناس طرح تفصيلي")}},
        {"karshenas_gis", {QStringLiteral("GIS Karshenas"), QStringLiteral("کارشناس جي آي اس")}},
    };
    for (const auto &[label, question] : people)
        doc.setLabel(QString::fromLatin1(label), report::ask(question.first, question.second, QStringLiteral("?")));
    doc.setLabel(QStringLiteral("page_no"), QString::number(middlePageNumber(textOf(s, QStringLiteral("tarh_typ")), 32)));
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(study::studyContractor(db, s)));
    doc.setLabel(QStringLiteral("rosta"), report::joinedList(source.search.filters.rosta));
    return doc;
}

Document agreementCapacity(const Db &db, const StudyLetterSource &source, const AgreementKind &kind, bool withFee)
{
    const Row &s = source.study;
    Document doc = pageDocument(withFee ? QStringLiteral("m_movafeghatname34") : QStringLiteral("m_movafeghatname35"), s, kind);
    doc.setLabel(QStringLiteral("field"), report::ask(QStringLiteral("Field"), QStringLiteral("گرايش مشاور"), QStringLiteral("مطالعات جغرافيايي و برنامه ريزي فضايي")));
    doc.setLabel(QStringLiteral("scale"), report::ask(QStringLiteral("scale"), QStringLiteral("ظرفيت"), QStringLiteral("1")));
    askVillageFont(doc);
    doc.setLabel(QStringLiteral("page_no"),
                 QString::number(middlePageNumber(textOf(s, QStringLiteral("tarh_typ")), withFee ? 34 : 35)));
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(study::studyContractor(db, s)));
    doc.setLabel(QStringLiteral("rosta"), report::joinedList(source.search.filters.rosta));
    if (withFee) {
        const FeeText fee = feeText(agreementRials(db, source));
        doc.setLabel(QStringLiteral("mablagh"), fee.digits);
        doc.setLabel(QStringLiteral("mablagh_horofi"), feeWords(fee));
    }
    return doc;
}

Document agreementConflictOfInterest(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = Document::load(QStringLiteral("m_movafeghatname33"));
    doc.fillFromRow(s);
    report::askFontSize(doc, {QStringLiteral("rosta")}, QStringLiteral("Font Size Rosta"), QStringLiteral("اندازه فونت نام روستا"));
    doc.setLabel(QStringLiteral("page_no"), QString::number(middlePageNumber(textOf(s, QStringLiteral("tarh_typ")), 33)));
    doc.setLabel(QStringLiteral("city"), report::joinedList(source.search.filters.city));
    doc.setLabel(QStringLiteral("rosta"), report::joinedList(source.search.filters.rosta));
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(study::studyContractor(db, s)));
    return doc;
}

Document agreementMoneyLaundering(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    const Row contractor = study::studyContractor(db, s);
    Document doc = Document::load(QStringLiteral("m_movafeghatname36"));
    doc.fillFromRow(s);
    doc.setLabel(QStringLiteral("page_no"), closingPageNumber(s, contractor, 36));
    const bool natural = isNaturalPerson(contractor);
    doc.setVisible(QStringLiteral("hoghoghi"), !natural);
    doc.setVisible(QStringLiteral("haghighi"), natural);
    setContractorColumns(doc, contractor, {"comp_name", "comp_no", "comp_dat", "comp_loc", "comp_shenase", "adr", "father",
                                           "birthday", "sh_no", "sodor", "nation", "zipcode", "mobile"});
    doc.setLabel(QStringLiteral("person_name"), natural ? report::contractorName(contractor) : QString());
    return doc;
}

ResultSet agreementSummaryRows(const Db &db, const BorvinatFilters &filters)
{
    const Conditions c = agreementConditions(db.dialect(), filters);
    const ResultSet studies = db.select(
        QStringLiteral("SELECT borvinat.id, city, rosta, cod, jamiyat, masahat, tarh_typ, prot_mablagh, prot_mablagh_binofoz, "
                       "peymankaran.typ, peymankaran.fname, peymankaran.lname, peymankaran.comp_name FROM borvinat "
                       "LEFT JOIN peymankaran ON borvinat.peymankar_id = peymankaran.id WHERE ")
            + c.sql() + QStringLiteral(" ORDER BY borvinat.id"),
        c.values());
    ResultSet out;
    out.columns = QStringList{"id", "city", "rosta", "cod", "jamiyat", "masahat", "zaribbozorgi", "x_ba", "x_bi",
                              "zarib_dori", "zarib_mantaghe", "tarh_moshaver_name2", "ba", "bi"};
    // One village per study, looked up once per code.
    QHash<QString, study::VillageCoefficients> villages;
    auto wholeOf = [](const QVariant &v) -> std::optional<std::int64_t> {
        const NumberReading r = readNumber(v.toString(), Grouping::Refused);
        return r.ok() ? r.value.wholeValue() : std::nullopt;
    };
    for (int r = 0; r < studies.size(); ++r) {
        auto at = [&](const char *column) { return studies.value(r, QString::fromLatin1(column)); };
        const QString cod = at("cod").toString();
        if (!villages.contains(cod))
            villages.insert(cod, study::villageCoefficients(db, cod));
        const study::VillageCoefficients v = villages.value(cod);
        // The area coefficient of the other plan types, for every study.
        const std::optional<std::int64_t> area = wholeOf(at("masahat"));
        const Decimal a = area ? study::areaCoefficient(QString(), *area) : Decimal(0);
        const QString plan = at("tarh_typ").toString().trimmed();
        const std::optional<std::int64_t> population = wholeOf(at("jamiyat"));
        Row contractor;
        for (const char *column : {"typ", "fname", "lname", "comp_name"})
            contractor.insert(QString::fromLatin1(column), at(column));
        out.rows.push_back({at("id"), at("city"), at("rosta"), cod, at("jamiyat"), at("masahat"),
                            a.isZero() ? QString() : a.plain(),
                            study::baseFee(plan, study::FeeKind::WithInfluence, population).plain(),
                            study::baseFee(plan, study::FeeKind::WithoutInfluence, population).plain(),
                            v.remoteness.plain(), v.province.plain(), report::contractorName(contractor),
                            Money::fromVariant(at("prot_mablagh")).plain(),
                            Money::fromVariant(at("prot_mablagh_binofoz")).plain()});
    }
    return out;
}

Document agreementSummary(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    Document doc = Document::load(QStringLiteral("m_movafeghatname37"));
    doc.fillFromRow(s);
    doc.setLabel(QStringLiteral("zarib_tadil"),
                 report::ask(QStringLiteral("Zarib Tadil"), QStringLiteral("ضريب تعديل"), study::adjustmentCoefficient(db)));
    doc.setLabel(QStringLiteral("page_no"), closingPageNumber(s, study::studyContractor(db, s), 37));
    ResultSet rows = agreementSummaryRows(db, source.search.filters);
    Money ba, bi;
    for (int r = 0; r < rows.size(); ++r) {
        ba = ba + Money::fromVariant(rows.value(r, QStringLiteral("ba")));
        bi = bi + Money::fromVariant(rows.value(r, QStringLiteral("bi")));
    }
    doc.setLabel(QStringLiteral("ba"), ba.grouped());
    doc.setLabel(QStringLiteral("bi"), bi.grouped());
    doc.setRows(std::move(rows));
    for (const char *label : {"karshenas_naghshe", "karshenas_archive", "karshenas_fani", "moaven_omran", "moa_omran_post"})
        doc.setLabel(QString::fromLatin1(label), report::roleName(db, officialList(QString::fromLatin1(label))));
    return doc;
}

Document agreementBankAccount(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    const Row contractor = study::studyContractor(db, s);
    Document doc = Document::load(QStringLiteral("m_movafeghatname39"));
    doc.fillFromRow(s);
    doc.setLabel(QStringLiteral("page_no"), closingPageNumber(s, contractor, 38));
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(contractor));
    setContractorColumns(doc, contractor, {"hesab_no", "bank", "shobe"});
    doc.setLabel(QStringLiteral("moaven"), textOf(s, QStringLiteral("tamin_loc")).trimmed() == QStringLiteral("استاني")
                                               ? QStringLiteral("معاون پشتيباني")
                                               : QStringLiteral("معاون ذيحسابي"));
    return doc;
}

Document agreementUndertaking(const Db &db, const StudyLetterSource &source)
{
    const Row &s = source.study;
    const Row contractor = study::studyContractor(db, s);
    Document doc = Document::load(QStringLiteral("m_movafeghatname38"));
    doc.fillFromRow(s);
    doc.setLabel(QStringLiteral("page_no"), closingPageNumber(s, contractor, 39));
    doc.setLabel(QStringLiteral("tarh_moshaver_name"), report::contractorName(contractor));
    setContractorColumns(doc, contractor, {"nation", "father"});
    return doc;
}

namespace {

// `boundaryVariant`: the boundary plan's own layout for that plan type.
Document feeSchedule(const Db &db, const StudyLetterSource &source, const AgreementKind &kind, bool boundaryVariant)
{
    const Row &s = source.study;
    const QString plan = textOf(s, QStringLiteral("tarh_typ"));
    Document doc = pageDocument(boundaryVariant && plan.trimmed() == study::boundaryPlan
                                    ? QStringLiteral("m_movafeghatname12_1")
                                    : QStringLiteral("m_movafeghatname12"),
                                s, kind);
    doc.setLabel(QStringLiteral("page_no"), QString::number(middlePageNumber(plan, 12)));
    // Words this page cannot spell stay empty; the fee page asks for them.
    const FeeText fee = feeText(agreementRials(db, source));
    doc.setLabel(QStringLiteral("mablagh"), fee.digits);
    doc.setLabel(QStringLiteral("mablagh_horofi"), fee.words);
    return doc;
}

}  // namespace

Document agreementFeeSchedule(const Db &db, const StudyLetterSource &source, const AgreementKind &kind)
{
    return feeSchedule(db, source, kind, true);
}

report::Bundle agreementBundle(const Db &db, const StudyLetterSource &source, const AgreementKind &kind)
{
    // Filled in print order, so the questions come in that order too; a page
    // that stops throws before anything reaches the printer.
    report::Bundle bundle;
    bundle.add(agreementCover(db, source, kind));
    bundle.add(agreementParties(db, source, kind));
    bundle.add(agreementFeePage(db, source, kind, false));
    bundle.add(agreementFeePage(db, source, kind, true));
    bundle.add(agreementAnnex(db, source, kind));
    bundle.add(feeSchedule(db, source, kind, false));
    bundle.add(agreementCoefficients(db, source, kind));
    bundle.add(agreementSelectionMinutes(db, source));
    bundle.add(agreementKeyPeople(db, source, kind));
    bundle.add(agreementConflictOfInterest(db, source));
    bundle.add(agreementCapacity(db, source, kind, true));
    bundle.add(agreementCapacity(db, source, kind, false));
    bundle.add(agreementMoneyLaundering(db, source));
    bundle.add(agreementSummary(db, source));
    bundle.add(agreementUndertaking(db, source));
    bundle.add(agreementBankAccount(db, source));
    return bundle;
}

}  // namespace bv::studies
