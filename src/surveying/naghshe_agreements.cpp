#include "naghshe_agreements.h"

#include "attachments.h"
#include "fillsteps.h"
#include "interaction.h"
#include "text.h"

#include <utility>

namespace bv::survey {

using report::Document;

namespace {

const QString natural = QStringLiteral("حقيقي");
const QString legal = QStringLiteral("حقوقي");

QString textOf(const Row &row, const QString &column)
{
    return row.value(column).toString();
}

QString protTypOf(const Row &project)
{
    return textOf(project, QStringLiteral("prot_typ"));
}

bool isNatural(const Row &contractor)
{
    return textOf(contractor, QStringLiteral("typ")) == natural;
}

// Each label shows the first name of its lookup list.
void setRoles(Document &doc, const Db &db, const std::vector<std::pair<QString, QString>> &labelRoles)
{
    for (const auto &[label, role] : labelRoles)
        doc.setLabel(label, report::roleName(db, role));
}

void setEmpty(Document &doc, const QStringList &labels)
{
    for (const QString &label : labels)
        doc.setLabel(label, QString());
}

// The page over the listed projects, its contract words set.
Document listedPage(const QString &name, const LetterSource &source)
{
    Document doc = Document::load(name);
    doc.setRows(source.listed);
    report::setAgreementWords(doc, protTypOf(source.project));
    return doc;
}

void askPlaceFont(Document &doc, std::optional<int> fallback)
{
    report::askFontSize(doc, {QStringLiteral("city"), QStringLiteral("rosta")}, QStringLiteral("Font Size"),
                        QStringLiteral("اندازه فونت روستا و شهر"), QStringLiteral("12"), false, fallback);
}

const QString moshaverWord = QStringLiteral("مهندسين مشاور");

const std::vector<std::pair<QString, QString>> omranRoles = {
    {QStringLiteral("moaven_omran"), QStringLiteral("معاون عمران روستايي")},
    {QStringLiteral("moa_omran_post"), QStringLiteral("عنوان پست معاون عمران روستايي")},
};

}  // namespace

BatchTotals batchTotals(const ResultSet &listed)
{
    Decimal por, khali;
    Money amount;
    for (int r = 0; r < listed.size(); ++r) {
        por = por + Decimal::fromVariant(listed.value(r, QStringLiteral("masahat_por1")));
        khali = khali + Decimal::fromVariant(listed.value(r, QStringLiteral("masahat_khali1")));
        amount = amount + Money::fromVariant(listed.value(r, QStringLiteral("prot_mablagh")));
    }
    return {por.plain(), khali.plain(), amount.plain()};
}

QString deputyByPost(const Db &db, const QString &post)
{
    if (post == QStringLiteral("ذيحساب"))
        return report::roleName(db, QStringLiteral("معاون ذيحسابي"));
    if (post == QStringLiteral("معاون پشتيباني"))
        return report::roleName(db, QStringLiteral("معاون پشتيباني"));
    return {};
}

QString agreementCopies(const QString &protTyp, bool naturalPerson)
{
    if (protTyp == memorandum)
        return QStringLiteral("2");
    return naturalPerson ? QStringLiteral("3") : QStringLiteral("4");
}

QString socialSecurityCopy(const Row &contractor)
{
    return QStringLiteral(" سازمان محترم تامين اجتماعي شهرستان ") + textOf(contractor, QStringLiteral("tamin_shahr"))
           + QStringLiteral(" شعبه شماره ") + textOf(contractor, QStringLiteral("tamin_shobe"))
           + QStringLiteral("به انضمام يک نسخه قرارداد به منظوراستحضار.");
}

QString notificationWord(const QString &protTyp)
{
    // Projects older than the column have none; the page still names its kind.
    return protTyp.isEmpty() ? QStringLiteral("قرارداد") : protTyp;
}

Document agreementCover(const Db &db, const LetterSource &source)
{
    Document doc = listedPage(QStringLiteral("movafeghatname1"), source);
    doc.setLabel(QStringLiteral("meghyas"), textOf(source.project, QStringLiteral("scale")));
    doc.setLabel(QStringLiteral("peymankar_name"), report::contractorName(contractorRow(db, source.project)));
    return doc;
}

Document agreementParticulars(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = listedPage(QStringLiteral("movafeghatname6"), source);
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("dat"), report::ask(QStringLiteral("Date"), QStringLiteral("تاريخ"), report::today()));
    const Row contractor = contractorRow(db, p);
    if (isNatural(contractor)) {
        doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractor));
        doc.setLabel(QStringLiteral("nation"), textOf(contractor, QStringLiteral("nation")));
        doc.setLabel(QStringLiteral("zipcode"), textOf(contractor, QStringLiteral("sh_no")));
    } else {
        doc.setLabel(QStringLiteral("peymankar"), textOf(contractor, QStringLiteral("comp_name")));
        doc.setLabel(QStringLiteral("nation"), textOf(contractor, QStringLiteral("comp_shenase")));
        doc.setLabel(QStringLiteral("zipcode"), textOf(contractor, QStringLiteral("eghtesadi_cod")));
    }
    const BatchTotals totals = batchTotals(source.listed);
    doc.setLabel(QStringLiteral("masahat_por"), totals.p);
    doc.setLabel(QStringLiteral("masahat_khali"), totals.k);
    return doc;
}

Document agreementDuration(const Db &, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("movafeghatname7"));
    report::setAgreementWords(doc, protTypOf(p));
    doc.setLabel(QStringLiteral("roz"), report::ask(QStringLiteral("Prot Time"), QStringLiteral("مدت قرارداد به روز"),
                                                    textOf(p, QStringLiteral("prot_tim"))));
    doc.setLabel(QStringLiteral("mablagh"), batchTotals(source.listed).m);
    // The note that no fee is paid before a contract follows a memorandum only.
    doc.setVisible(QStringLiteral("movafeg4_note"), doc.label(QStringLiteral("movafeg")) == memorandum);
    return doc;
}

Document agreementAddresses(const Db &db, const LetterSource &source, bool withNames)
{
    const Row &p = source.project;
    const QString protTyp = protTypOf(p);
    Document doc = Document::load(QStringLiteral("movafeghatname8"));
    report::setAgreementWords(doc, protTyp);
    const QString word = doc.label(QStringLiteral("movafeg"));
    doc.setLabel(QStringLiteral("haghighi6"), word);
    const Row contractor = contractorRow(db, p);
    doc.setLabel(QStringLiteral("adr"), textOf(contractor, QStringLiteral("adr")));
    const bool person = isNatural(contractor);
    const QStringList clause = {QStringLiteral("haghighi1"), QStringLiteral("haghighi2"), QStringLiteral("haghighi3"),
                                QStringLiteral("haghighi4"), QStringLiteral("haghighi5")};
    if (person) {
        // The clause on the natural surveyor's own responsibility keeps the layout's words.
        doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractor));
    } else if (withNames) {
        setEmpty(doc, clause + QStringList{QStringLiteral("peymankar"), QStringLiteral("haghighi6")});
    } else {
        doc.setLabel(QStringLiteral("peymankar"), textOf(contractor, QStringLiteral("comp_name")));
    }
    doc.setLabel(QStringLiteral("noskhe"), agreementCopies(protTyp, person));
    doc.setLabel(QStringLiteral("lname"), textOf(contractor, QStringLiteral("fname")) + QLatin1Char(' ')
                                              + textOf(contractor, QStringLiteral("lname")));
    for (const char *column : {"comp_name", "phone", "mobile"})
        doc.setLabel(QString::fromLatin1(column), textOf(contractor, QString::fromLatin1(column)));
    doc.setLabel(QStringLiteral("manager"), report::roleName(db, QStringLiteral("مدير کل زلمرکان استان")));

    const QStringList staff = {QStringLiteral("karshenas_naghshe"), QStringLiteral("karshenas_fani"),
                               QStringLiteral("moaven_omran"),      QStringLiteral("karshenas_peyman"),
                               QStringLiteral("moaven_poshtibani"), QStringLiteral("QRLabel12"),
                               QStringLiteral("QRLabel18"),         QStringLiteral("moa_omran_post"),
                               QStringLiteral("QRLabel22"),         QStringLiteral("QRLabel23")};
    if (!withNames) {
        setEmpty(doc, staff);
        for (const char *hidden : {"hoghoghi", "QRLabel25"})
            doc.setVisible(QString::fromLatin1(hidden), false);
        return doc;
    }
    // A memorandum is signed without the contract affairs, the deputy and the legal head.
    const bool contract = word != memorandum;
    for (const char *row : {"karshenas_peyman", "QRLabel22", "moaven_poshtibani", "QRLabel23", "hoghoghi", "QRLabel25"})
        doc.setVisible(QString::fromLatin1(row), contract);
    setRoles(doc, db,
             {{QStringLiteral("karshenas_naghshe"), QStringLiteral("کارشناس نقشه برداري")},
              {QStringLiteral("karshenas_fani"), QStringLiteral("کارشناس مسئول فني و مطالعات")},
              {QStringLiteral("moaven_omran"), QStringLiteral("معاون عمران روستايي")},
              {QStringLiteral("moa_omran_post"), QStringLiteral("عنوان پست معاون عمران روستايي")},
              {QStringLiteral("karshenas_peyman"), QStringLiteral("کارشناس مسئول امور پيمان ها")},
              {QStringLiteral("hoghoghi"), QStringLiteral("رپيس امور حقوقي")}});
    doc.setLabel(QStringLiteral("QRLabel12"), QStringLiteral("کارشناس نقشه برداري"));
    doc.setLabel(QStringLiteral("QRLabel18"), QStringLiteral("رئيس امور فني و مطالعات عمراني"));
    doc.setLabel(QStringLiteral("QRLabel22"), QStringLiteral("کارشناس مسئول امور پيمان ها"));
    const QString post = normalizeInput(report::ask(QStringLiteral("Semat"), QStringLiteral("سمت"), defaultPost));
    doc.setLabel(QStringLiteral("QRLabel23"), post);
    doc.setLabel(QStringLiteral("moaven_poshtibani"), deputyByPost(db, post));
    return doc;
}

Document agreementSubject(const Db &, const LetterSource &source)
{
    Document doc = listedPage(QStringLiteral("movafeghatname9"), source);
    doc.setLabel(QStringLiteral("meghyas"), textOf(source.project, QStringLiteral("scale")));
    return doc;
}

Document agreementFees(const Db &, const LetterSource &source)
{
    Document doc = listedPage(QStringLiteral("movafeghatname12"), source);
    doc.setLabel(QStringLiteral("zihesabi_cmt"),
                 report::ask(QStringLiteral("Zihesabi Comment"), QStringLiteral("توضيح ذيحسابي"),
                             QStringLiteral("لازم به توضيح است باتوجه به نظر و شرايط اعتبارات کارفرما مي تواند نسبت "
                                            "به پرداخت حق الزحمه در قالب اسنادخزانه اسلامي اقدام نمايد.")));
    const BatchTotals totals = batchTotals(source.listed);
    doc.setLabel(QStringLiteral("masahat_por_sum"), totals.p);
    doc.setLabel(QStringLiteral("masahat_khali_sum"), totals.k);
    doc.setLabel(QStringLiteral("prot_mablagh_sum"), totals.m);
    return doc;
}

Document agreementSchedule(const Db &, const LetterSource &source)
{
    Document doc = Document::load(QStringLiteral("movafeghatname_p4"));
    doc.setLabel(QStringLiteral("prot_tim"), textOf(source.project, QStringLiteral("prot_tim")));
    return doc;
}

Document agreementBankAccount(const Db &db, const LetterSource &source)
{
    Document doc = listedPage(QStringLiteral("movafeghatname23"), source);
    doc.setLabel(QStringLiteral("QRLabel8"), report::ask(QStringLiteral("Khatab"), QStringLiteral("خطاب به"),
                                                         QStringLiteral("معاونت محترم ذيحسابي - پشتيباني")));
    const Row contractor = contractorRow(db, source.project);
    const QString name = report::contractorName(contractor);
    doc.setLabel(QStringLiteral("peymankar"), name);
    doc.setLabel(QStringLiteral("peymankar2"), name);
    for (const char *column : {"hesab_no", "bank", "shobe"})
        doc.setLabel(QString::fromLatin1(column), textOf(contractor, QString::fromLatin1(column)));
    return doc;
}

std::optional<Document> agreementPersonnel(const Db &db, const LetterSource &source)
{
    const Row contractor = contractorRow(db, source.project);
    if (contractor.isEmpty())
        throw report::FillError(noContractorMessage);
    const QString kind = textOf(contractor, QStringLiteral("typ"));
    if (kind != natural && kind != legal)
        return std::nullopt;
    Document doc = kind == natural ? Document::load(QStringLiteral("movafeghatname19"))
                                   : listedPage(QStringLiteral("movafeghatname19_hoghoghi"), source);
    report::setAgreementWords(doc, protTypOf(source.project));
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractor));
    for (const char *column : {"adr", "phone", "mobile"})
        doc.setLabel(QString::fromLatin1(column), textOf(contractor, QString::fromLatin1(column)));
    // A person has no registration number.
    doc.setLabel(QStringLiteral("comp_no"),
                 kind == natural ? QStringLiteral("***") : textOf(contractor, QStringLiteral("comp_no")));
    return doc;
}

Document agreementUndertaking(const Db &db, const LetterSource &source)
{
    Document doc = listedPage(QStringLiteral("movafeghatname24"), source);
    const Row contractor = contractorRow(db, source.project);
    const bool person = isNatural(contractor);
    const QString name = person ? report::contractorName(contractor) : textOf(contractor, QStringLiteral("comp_name"));
    doc.setLabel(QStringLiteral("peymankar"), name);
    doc.setLabel(QStringLiteral("peymankar2"), name);
    if (person) {
        doc.setLabel(QStringLiteral("nation"), textOf(contractor, QStringLiteral("nation")));
        doc.setLabel(QStringLiteral("father"), textOf(contractor, QStringLiteral("father")));
        doc.setLabel(QStringLiteral("haghighi"), natural);
        doc.setLabel(QStringLiteral("QRLabel8"), QStringLiteral("نام پدر"));
        doc.setLabel(QStringLiteral("QRLabel12"), QStringLiteral("کد ملي"));
        setEmpty(doc, {QStringLiteral("QRLabel2"), QStringLiteral("comp_no")});
    } else {
        doc.setLabel(QStringLiteral("nation"), textOf(contractor, QStringLiteral("comp_shenase")));
        doc.setLabel(QStringLiteral("father"), textOf(contractor, QStringLiteral("eghtesadi_cod")));
        doc.setLabel(QStringLiteral("haghighi"), legal);
        doc.setLabel(QStringLiteral("QRLabel8"), QStringLiteral("کد اقتصادي"));
        doc.setLabel(QStringLiteral("QRLabel12"), QStringLiteral("شناسه ملي"));
        doc.setLabel(QStringLiteral("QRLabel2"), QStringLiteral("شماره ثبت"));
        doc.setLabel(QStringLiteral("comp_no"), textOf(contractor, QStringLiteral("comp_no")));
    }
    // Signed before the contract exists: no reference to it.
    setEmpty(doc, {QStringLiteral("QRLabel11"), QStringLiteral("prot_no"), QStringLiteral("QRLabel13"),
                   QStringLiteral("prot_dat1")});
    return doc;
}

Document agreementNonInterference(const Db &db, const LetterSource &source)
{
    Document doc = listedPage(QStringLiteral("movafeghatname25"), source);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractorRow(db, source.project)));
    return doc;
}

Document agreementMoneyLaundering(const Db &db, const LetterSource &source)
{
    Document doc = Document::load(QStringLiteral("movafeghatname26"));
    const Row contractor = contractorRow(db, source.project);
    // Copies (father2, adr3, ...) take their column; each kind empties the blocks it does not use.
    doc.fillFromRow(contractor);
    const QStringList personBlock = {"NAM",      "father", "birthday", "sh_no", "sodor", "nation", "zipcode",
                                     "hesab_no", "adr",    "degree",   "adr2",  "mobile"};
    const QStringList companyBlock = {"comp_name",    "comp_no",  "comp_dat", "comp_loc",
                                      "comp_shenase", "comp_adr", "hesab_no2"};
    const QStringList representativeBlock = {"nam2",  "father2",  "birthday2", "sh_no2", "sodor2",
                                             "nation2", "zipcode2", "adr3",      "mobile2"};
    if (isNatural(contractor)) {
        const QString name = report::contractorName(contractor);
        doc.setLabel(QStringLiteral("peymankar"), name);
        doc.setLabel(QStringLiteral("NAM"), name);
        setEmpty(doc, companyBlock + representativeBlock);
    } else {
        setEmpty(doc, personBlock);
        doc.setLabel(QStringLiteral("peymankar"), textOf(contractor, QStringLiteral("comp_name")));
        doc.setLabel(QStringLiteral("comp_adr"), textOf(contractor, QStringLiteral("adr")));
        doc.setLabel(QStringLiteral("nam2"), textOf(contractor, QStringLiteral("fname")) + QLatin1Char(' ')
                                                 + textOf(contractor, QStringLiteral("lname")));
    }
    return doc;
}

Document boundaryInquiry(const Db &db, const LetterSource &source)
{
    Document doc = Document::load(QStringLiteral("estelam_sebakhshi_naghshe"));
    askPlaceFont(doc, std::nullopt);
    const Row contractor = contractorRow(db, source.project);
    const Party party = contractorParty(contractor, moshaverWord);
    doc.setLabel(QStringLiteral("peyman"), party.word);
    doc.setLabel(QStringLiteral("peymankar"), party.name);
    doc.setLabel(QStringLiteral("peymankar2"), party.name);
    setEmpty(doc, {QStringLiteral("dat"), QStringLiteral("city2")});
    doc.setLabel(QStringLiteral("city"), joinedList(source.search.filters.city));
    doc.setLabel(QStringLiteral("rosta"), joinedList(source.search.filters.rosta));
    setRoles(doc, db, omranRoles);
    return doc;
}

Document selectionCommittee(const Db &db, const LetterSource &source)
{
    Document doc = Document::load(QStringLiteral("frm_moshaver"));
    doc.setRows(source.listed);
    doc.setLabel(QStringLiteral("jalase_dat"),
                 report::ask(QStringLiteral("Date"), QStringLiteral("تاريج جلسه هيئت انتخاب مشاور"),
                             textOf(source.project, QStringLiteral("jalase_dat"))));
    const QString post =
        normalizeInput(report::ask(QStringLiteral("Moaven Semat"), QStringLiteral("سمت معاون"), defaultPost));
    doc.setLabel(QStringLiteral("QRLabel12"), post);
    setRoles(doc, db,
             {{QStringLiteral("karshenas_naghshe"), QStringLiteral("کارشناس نقشه برداري")},
              {QStringLiteral("karshenas_fani"), QStringLiteral("کارشناس مسئول فني و مطالعات")},
              omranRoles[0], omranRoles[1]});
    doc.setLabel(QStringLiteral("moaven_poshtibani"), deputyByPost(db, post));
    return doc;
}

Document agreementNotification(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("eblagh_naghshe"));
    const QString word = notificationWord(protTypOf(p));
    doc.setLabel(QStringLiteral("movafeg"), word);
    doc.setLabel(QStringLiteral("movafeg2"), word);
    const QString counties = joinedList(source.search.filters.city);
    doc.setLabel(QStringLiteral("city"), counties);
    doc.setLabel(QStringLiteral("city2"), counties);
    doc.setLabel(QStringLiteral("rosta"), joinedList(source.search.filters.rosta));
    const Row contractor = contractorRow(db, p);
    doc.setLabel(QStringLiteral("ronevesht_hoghoghi1"), QString());
    if (isNatural(contractor)) {
        doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractor));
        doc.setLabel(QStringLiteral("title"), QStringLiteral("پيمانکار نقشه برداري آقاي"));
        doc.setLabel(QStringLiteral("ronevesht_hoghoghi2"), QString());
    } else {
        doc.setLabel(QStringLiteral("peymankar"), textOf(contractor, QStringLiteral("comp_name")));
        doc.setLabel(QStringLiteral("title"), QStringLiteral("مهندسين محترم مشاور"));
        doc.setLabel(QStringLiteral("ronevesht_hoghoghi2"), socialSecurityCopy(contractor));
    }
    askPlaceFont(doc, 12);
    doc.setLabel(QStringLiteral("prot_no"), textOf(p, QStringLiteral("prot_no")));
    doc.setLabel(QStringLiteral("prot_dat"), textOf(p, QStringLiteral("prot_dat1")));
    doc.setLabel(QStringLiteral("modirkol"), report::roleName(db, QStringLiteral("مدير کل زلمرکان استان")));
    // A memorandum goes to neither the accounts nor the contract control nor social security.
    const bool contract = protTypOf(p) != memorandum;
    for (const char *copy : {"ronevesht_hoghoghi1", "ronevesht_hoghoghi2", "QRLabel16", "QRLabel20"})
        doc.setVisible(QString::fromLatin1(copy), contract);
    return doc;
}

Document discLabel(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("naghshe_label"));
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractorRow(db, p)));
    doc.setLabel(QStringLiteral("cod"), report::shortVillageCode(textOf(p, QStringLiteral("cod"))));
    return doc;
}

void openAgreementDocument(const Db &db, const QString &description)
{
    if (openProgramDocument(db, description, ProgramDocumentCopy::SavedAs) == ProgramDocumentOutcome::Missing)
        ui().message(missingDocumentMessage);
}

}  // namespace bv::survey
