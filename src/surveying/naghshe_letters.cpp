#include "naghshe_letters.h"

#include "dates.h"
#include "fillsteps.h"
#include "interaction.h"
#include "layout.h"
#include "money.h"
#include "text.h"

#include <QHash>
#include <QImage>
#include <QSet>
#include <array>

namespace bv::survey {

using report::Document;

namespace {

const QString natural = QStringLiteral("حقيقي");

QString textOf(const Row &row, const QString &column)
{
    return row.value(column).toString();
}

// A stored value as a label shows it: amounts plain, null empty.
QString shown(const Row &row, const QString &column, bool amount = false)
{
    return report::valueText(row.value(column), amount);
}

Row rowAt(const ResultSet &rows, int index)
{
    Row row;
    for (int c = 0; c < rows.columns.size(); ++c)
        row.insert(rows.columns[c], rows.rows[size_t(index)][c]);
    return row;
}

qint64 idOf(const Row &project)
{
    return project.value(QStringLiteral("id")).toLongLong();
}

// The signatory labels and the lookup list each one shows.
const QHash<QString, QString> &officialRoles()
{
    static const QHash<QString, QString> roles = {
        {QStringLiteral("karshenas_naghshe"), QStringLiteral("کارشناس نقشه برداري")},
        {QStringLiteral("karshenas_arshive"), QStringLiteral("کارشناس آرشيو فني")},
        {QStringLiteral("karshenas_fani"), QStringLiteral("کارشناس مسئول فني و مطالعات")},
        {QStringLiteral("karshenas_fani2"), QStringLiteral("کارشناس مسئول فني و مطالعات")},
        {QStringLiteral("amel4"), QStringLiteral("کارشناس عامل چهارم")},
        {QStringLiteral("moaven_omran"), QStringLiteral("معاون عمران روستايي")},
        {QStringLiteral("moa_omran_post"), QStringLiteral("عنوان پست معاون عمران روستايي")},
        {QStringLiteral("moa_omran_post2"), QStringLiteral("عنوان پست معاون عمران روستايي")},
        {QStringLiteral("modirkol"), QStringLiteral("مدير کل زلمرکان استان")},
    };
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

void askPlaceFont(Document &doc)
{
    report::askFontSize(doc, {QStringLiteral("city"), QStringLiteral("rosta")}, QStringLiteral("Font Size"),
                        QStringLiteral("اندازه فونت روستا و شهر"), QStringLiteral("12"), false);
}

// The counties and villages of the last search.
void setPlaces(Document &doc, const NaghsheFilters &filters, const QString &countySeparator = QStringLiteral("-"),
               const QString &villageSeparator = QStringLiteral("-"))
{
    doc.setLabel(QStringLiteral("city"), joinedList(filters.city, countySeparator));
    doc.setLabel(QStringLiteral("rosta"), joinedList(filters.rosta, villageSeparator));
}

void setParty(Document &doc, const Party &party)
{
    doc.setLabel(QStringLiteral("peyman"), party.word);
    doc.setLabel(QStringLiteral("peymankar"), party.name);
}

void setShortCode(Document &doc, const Row &project)
{
    doc.setLabel(QStringLiteral("cod"), report::shortVillageCode(textOf(project, QStringLiteral("cod"))));
}

void askStatusNumber(Document &doc)
{
    doc.setLabel(QStringLiteral("status_no"),
                 report::ask(QStringLiteral("Status Number"), QStringLiteral("شماره وضعيت"), QStringLiteral("1")));
}

QString askStatusType(const Row &project)
{
    return report::ask(QStringLiteral("Status Type"), QStringLiteral("نوع وضعيت"),
                       textOf(project, QStringLiteral("status_typ")));
}

// The three computed lines from the figures the statement prints.
void setStatementLines(Document &doc)
{
    const StatementLines lines = statementLines(
        {doc.label(QStringLiteral("masahat_por")), doc.label(QStringLiteral("por_price")),
         doc.label(QStringLiteral("zarib_kochaki")), doc.label(QStringLiteral("masahat_khali")),
         doc.label(QStringLiteral("khali_price")), doc.label(QStringLiteral("zarib_mantaghe")),
         doc.label(QStringLiteral("zarib_sobat"))});
    doc.setLabel(QStringLiteral("por_pardakhti"), lines.por_pardakhti);
    doc.setLabel(QStringLiteral("khali_pardakhti"), lines.khali_pardakhti);
    doc.setLabel(QStringLiteral("por_khali"), lines.por_khali);
}

// The amount paid, the change of the contract and the delay penalty on it.
void setPayment(Document &doc, const Row &project, const QString &amount, bool change)
{
    doc.setLabel(QStringLiteral("pardakht_kol"), amount);
    if (doc.hasLabel(QStringLiteral("pardakht_kol2")))
        doc.setLabel(QStringLiteral("pardakht_kol2"), amount);
    if (change)
        doc.setLabel(QStringLiteral("prot_mablagh2"), contractChange(amount, doc.label(QStringLiteral("prot_mablagh"))));
    doc.setLabel(QStringLiteral("jarime"), delayPenalty(amount, shown(project, QStringLiteral("jarime"), true)));
}

const QStringList statementOfficials = {
    QStringLiteral("karshenas_naghshe"), QStringLiteral("karshenas_arshive"), QStringLiteral("karshenas_fani"),
    QStringLiteral("karshenas_fani2"),   QStringLiteral("moaven_omran"),      QStringLiteral("moa_omran_post"),
    QStringLiteral("modirkol"),
};

// Statement signatures: slot and the attachment title of its image.
const std::vector<report::SignatureSlot> statementSignatures = {
    {QStringLiteral("emza_naghshe"), QStringLiteral("تصوير امضا نقشه بردار")},
    {QStringLiteral("emza_fani"), QStringLiteral("تصوير امضا کارشناس مسئول فني و مطالعات")},
    {QStringLiteral("emza_fani2"), QStringLiteral("تصوير امضا کارشناس مسئول فني و مطالعات")},
    {QStringLiteral("emza_arshive"), QStringLiteral("تصوير امضا آرشيو فني")},
    {QStringLiteral("emza_moaven"), QStringLiteral("تصوير امضا معاون عمران روستايي")},
    {QStringLiteral("emza_modirkol"), QStringLiteral("تصوير امضا مديرکل")},
};

// The cover sheet's boxes and the attachment each one stands for.
const std::vector<std::pair<QString, QString>> coverBoxes = {
    {QStringLiteral("zamime_pdf"), QStringLiteral("فايل pdf")},
    {QStringLiteral("tahvil_avaliye"), QStringLiteral("تحويل اوليه")},
    {QStringLiteral("tahvil_ghati"), QStringLiteral("تحويل قطعي")},
    {QStringLiteral("prot"), QStringLiteral("تصوير قرارداد")},
    {QStringLiteral("checklist"), QStringLiteral("چک ليست نهايي")},
    {QStringLiteral("cad_map"), QStringLiteral("نقشه اتوکد")},
    {QStringLiteral("dehyari"), QStringLiteral("تصوير تسويه حساب با دهياري")},
    {QStringLiteral("vaziyat"), QStringLiteral("تصوير صورت وضعيت")},
    {QStringLiteral("bakhshi"), QStringLiteral("تصوير فرم سه بخشي")},
    {QStringLiteral("entekhab"), QStringLiteral("صورتجلسه انتخاب مشاور")},
    {QStringLiteral("arzyabi1"), QStringLiteral("چک ليست ارزيابي")},
    {QStringLiteral("map_tasvir"), QStringLiteral("تصوير نقشه")},
};
const QString mapPicture = QStringLiteral("تصوير نقشه");

// The increase of the last search asked for; empty when it cannot be told.
QString askIncrease(const NaghsheTotals &totals)
{
    const std::optional<QString> offer = increaseOffer(totals);
    if (!offer)
        return {};
    return normalizeInput(report::ask(QStringLiteral("Increase Darsad"), QStringLiteral("درصد افزايش"), *offer));
}

Decimal asMoney(const Decimal &value)
{
    return Decimal(value.toMoney());
}

}  // namespace

Row contractorRow(const Db &db, const Row &project)
{
    const QVariant id = project.value(QStringLiteral("peymankar_id"));
    if (id.isNull() || !id.isValid())
        return {};
    const std::vector<Row> rows = db.rows(QStringLiteral("SELECT * FROM peymankar WHERE id = ?"), {id});
    return rows.empty() ? Row() : rows.front();
}

Party contractorParty(const Row &contractor, const QString &legalWord)
{
    Party p;
    p.natural = textOf(contractor, QStringLiteral("typ")) == natural;
    p.word = p.natural ? QStringLiteral("پيمانکار") : legalWord;
    p.name = report::contractorName(contractor);
    return p;
}

StatementLines statementLines(const StatementFigures &f)
{
    StatementLines l;
    l.por_pardakhti = report::guarded({f.masahat_por, f.por_price, f.zarib_kochaki},
                                      [](const std::vector<Decimal> &v) { return asMoney(v[0] * v[1] * v[2]); });
    l.khali_pardakhti = report::guarded({f.masahat_khali, f.khali_price},
                                        [](const std::vector<Decimal> &v) { return asMoney(v[0] * v[1]); });
    l.por_khali = report::guarded({l.por_pardakhti, l.khali_pardakhti, f.zarib_mantaghe, f.zarib_sobat},
                                  [](const std::vector<Decimal> &v) { return asMoney((v[0] + v[1]) * v[2] * v[3]); });
    return l;
}

QString contractChange(const QString &fee, const QString &contract)
{
    return report::guarded({fee, contract}, [](const std::vector<Decimal> &v) {
        return (ratio(v[0] * 100, v[1], 4) - 100).rounded(2);
    });
}

QString delayPenalty(const QString &fee, const QString &percent)
{
    return report::guarded({fee, percent}, [](const std::vector<Decimal> &v) {
        const Money amount = v[0].toMoney();
        return Decimal(amount - amount.percent(100 - v[1]));
    });
}

QString temporaryAmount(const QString &percent, const QString &contract)
{
    return report::guarded({percent, contract},
                           [](const std::vector<Decimal> &v) { return (v[0] * v[1]).dividedBy(100, 0); });
}

QString absorptionAmount(const QString &porKhali, const QString &equipment)
{
    return report::guarded({porKhali, equipment}, [](const std::vector<Decimal> &v) { return v[0] + v[1]; });
}

std::optional<QString> increaseOffer(const NaghsheTotals &totals)
{
    if (totals.contractSum.isZero())
        return std::nullopt;
    const Decimal increase = (ratio(Decimal(totals.feeSum), Decimal(totals.contractSum), 12) - 1) * 100;
    if (increase <= Decimal(1))
        return noIncrease;
    QString offer = increase.plain().left(4);
    if (offer.endsWith(QLatin1Char('.')))
        offer.chop(1);
    return offer;
}

std::optional<QString> accountingOffice(const QString &source)
{
    if (source == QStringLiteral("استاني") || source == QStringLiteral("ملي"))
        return QStringLiteral("ذيحسابي");
    if (source == QStringLiteral("دهياري") || source == QStringLiteral("ماده11"))
        return QStringLiteral("حسابداري");
    return std::nullopt;
}

QString copyRecipient(const QString &source)
{
    for (const QString &part : {QStringLiteral("دهيار"), QStringLiteral("ماده")})
        if (source.contains(part))
            return QStringLiteral("حسابداري");
    for (const QString &part : {QStringLiteral("استان"), QStringLiteral("مل"), QStringLiteral("عمران")})
        if (source.contains(part))
            return QStringLiteral("ذيحسابي");
    return {};
}

std::optional<OvertimeOffice> overtimeOffice(const QString &source)
{
    if (source == QStringLiteral("استاني") || source == QStringLiteral("ملي"))
        return OvertimeOffice{QStringLiteral("معاون ذيحسابي زلمرکان ورکندان"), QStringLiteral("اعتبارات عمراني")};
    if (source == QStringLiteral("دهياري") || source == QStringLiteral("ماده11"))
        return OvertimeOffice{QStringLiteral("معاون پشتيباني زلمرکان ورکندان"), QStringLiteral("اعتبارات غيرعمراني")};
    return std::nullopt;
}

QString changeMessage(const QString &percent)
{
    return QStringLiteral("    درصد افزايش صورت وضعيت   ") + percent;
}

Document temporaryStatement(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("frm_soratvaziat2"));
    doc.fillFromRow(p);
    const QString name = report::contractorName(contractorRow(db, p));
    doc.setLabel(QStringLiteral("peymankar"), name);
    doc.setLabel(QStringLiteral("peymankar1"), name);
    doc.setLabel(QStringLiteral("dat"),
                 report::ask(QStringLiteral("Vaziat Date"), QStringLiteral("تاريخ وضعيت"), report::today()));
    const QString type = askStatusType(p);
    for (const char *label : {"status_typ", "status_typ2", "status_typ3"})
        doc.setLabel(QString::fromLatin1(label), type);
    askStatusNumber(doc);
    setShortCode(doc, p);
    // The statement of the work so far: the initial figures.
    doc.setLabel(QStringLiteral("masahat_por"), shown(p, QStringLiteral("masahat_por1")));
    doc.setLabel(QStringLiteral("masahat_khali"), shown(p, QStringLiteral("masahat_khali1")));
    doc.setLabel(QStringLiteral("zarib_kochaki"), shown(p, QStringLiteral("zarib_kochaki1")));
    for (const char *label : {"por_pardakhti", "khali_pardakhti", "por_khali", "por_pardakhti_caption",
                              "khali_pardakhti_caption", "por_khali_caption"})
        doc.setLabel(QString::fromLatin1(label), QString());
    const QString percent =
        normalizeInput(report::ask(QStringLiteral("Darsad"), QStringLiteral("درصد صورت وضعيت"), QStringLiteral("%")));
    doc.setLabel(QStringLiteral("darsad"), percent);
    setPayment(doc, p, temporaryAmount(percent, doc.label(QStringLiteral("prot_mablagh"))), false);
    setOfficials(doc, db,
                 {QStringLiteral("karshenas_naghshe"), QStringLiteral("karshenas_fani"), QStringLiteral("moaven_omran"),
                  QStringLiteral("moa_omran_post"), QStringLiteral("moa_omran_post2"), QStringLiteral("modirkol")});
    return doc;
}

Document finalStatement(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("frm_soratvaziat"));
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("naghshebardari_m"),
                 report::ask(QStringLiteral("Naghshebardari Mablagh"), QStringLiteral("مبلغ حق الزحمه نقشه برداري"),
                             QStringLiteral("?")));
    doc.setLabel(QStringLiteral("naghshebardari_n"),
                 report::ask(QStringLiteral("Naghshebardari Number"), QStringLiteral("شماره تاييديه نقشه برداري"),
                             QStringLiteral("300382")));
    doc.setLabel(QStringLiteral("naghshebardari_d"),
                 report::ask(QStringLiteral("Naghshebardari Date"), QStringLiteral("تاريخ تاييديه نقشه برداري"),
                             QStringLiteral("1402/06/13")));
    const QString name = report::contractorName(contractorRow(db, p));
    doc.setLabel(QStringLiteral("peymankar"), name);
    doc.setLabel(QStringLiteral("peymankar1"), name);
    report::placeSignatures(doc, db, statementSignatures);
    doc.setLabel(QStringLiteral("status_typ"), askStatusType(p));
    askStatusNumber(doc);
    setShortCode(doc, p);
    setStatementLines(doc);
    setPayment(doc, p, shown(p, QStringLiteral("pardakhti"), true), true);
    setOfficials(doc, db, statementOfficials);
    ui().message(changeMessage(doc.label(QStringLiteral("prot_mablagh2"))));
    return doc;
}

Document absorptionStatement(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("frm_soratvaziat_jazbi"));
    // The contractor as the project names it.
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("status_typ"), QStringLiteral("قطعي"));
    askStatusNumber(doc);
    setShortCode(doc, p);
    setStatementLines(doc);
    setPayment(doc, p,
               absorptionAmount(doc.label(QStringLiteral("por_khali")), doc.label(QStringLiteral("tajhiz_mablagh"))),
               true);
    setOfficials(doc, db, statementOfficials);
    ui().message(changeMessage(doc.label(QStringLiteral("prot_mablagh2"))));
    return doc;
}

Document freeStatement(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("frm_soratvaziat_jazbi"));
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("status_dat"),
                 report::ask(QStringLiteral("Status Date"), QStringLiteral("تاريخ وضعيت"), report::today()));
    doc.setLabel(QStringLiteral("status_typ"), askStatusType(p));
    askStatusNumber(doc);
    // Every figure confirmed, the project's value offered.
    const std::vector<std::array<QString, 3>> figures = {
        {QStringLiteral("zarib_sobat"), QStringLiteral("Zarib Sobat"), QStringLiteral("ضريب صعوبت")},
        {QStringLiteral("por_price"), QStringLiteral("Por Price"), QStringLiteral("قيمت بافت پر")},
        {QStringLiteral("masahat_por"), QStringLiteral("Masahat Por"), QStringLiteral("مساحت پر")},
        {QStringLiteral("khali_price"), QStringLiteral("Khali Price"), QStringLiteral("قيمت بافت خالي")},
        {QStringLiteral("masahat_khali"), QStringLiteral("Masahat Khali"), QStringLiteral("مساحت خالي")},
        {QStringLiteral("tajhiz_mablagh"), QStringLiteral("Tajhiz Mablagh"), QStringLiteral("مبلغ تجهيز")},
    };
    for (const auto &[label, caption, prompt] : figures)
        doc.setLabel(label, normalizeInput(report::ask(caption, prompt, doc.label(label))));
    setShortCode(doc, p);
    setStatementLines(doc);
    const QString total =
        absorptionAmount(doc.label(QStringLiteral("por_khali")), doc.label(QStringLiteral("tajhiz_mablagh")));
    const QString paid =
        normalizeInput(report::ask(QStringLiteral("Mablagh Pardakhti"), QStringLiteral("مبلغ پرداختي"), total));
    setPayment(doc, p, paid, true);
    setOfficials(doc, db, statementOfficials);
    ui().message(changeMessage(doc.label(QStringLiteral("prot_mablagh2"))));
    return doc;
}

Document coverSheet(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    const qint64 id = idOf(p);
    Document doc = Document::load(QStringLiteral("rokesh"));
    setOfficials(doc, db,
                 {QStringLiteral("karshenas_naghshe"), QStringLiteral("karshenas_arshive"), QStringLiteral("karshenas_fani"),
                  QStringLiteral("amel4")});
    // The current project, when the search's filters still select it.
    Conditions c(db.dialect());
    c.compare(QStringLiteral("id"), Conditions::Op::Equal, id);
    const Conditions filters = coverSheetConditions(db.dialect(), source.search.filters);
    c.fixed(filters.sql(), filters.values());
    doc.setRows(db.select(QStringLiteral("SELECT * FROM naghshe") + c.where(), c.values()));
    setShortCode(doc, p);
    const ResultSet picture = db.select(
        QStringLiteral("SELECT pic FROM naghshe_pic WHERE naghshe_id = ? AND cmt = ? ORDER BY id"), {id, mapPicture});
    // A map filed as something other than a picture leaves the area empty.
    doc.setImage(QStringLiteral("map"), picture.empty() ? QImage() : QImage::fromData(picture.value(0, QStringLiteral("pic")).toByteArray()));
    QSet<QString> filed;
    for (const QVariantList &r :
         db.select(QStringLiteral("SELECT DISTINCT cmt FROM naghshe_pic WHERE naghshe_id = ?"), {id}).rows)
        filed.insert(r[0].toString());
    for (const auto &[box, description] : coverBoxes) {
        const bool present = filed.contains(description);
        doc.setCrossed(box, present);
        doc.setFill(box, present ? QColor(Qt::black) : QColor(Qt::white));
    }
    return doc;
}

Document goodPerformanceLetter(const Db &db, const LetterSource &source)
{
    const ResultSet &listed = source.listed;
    QList<qint64> blank;
    for (int r = 0; r < listed.size(); ++r) {
        if (listed.value(r, QStringLiteral("hosn_paper_dat")).toString() == emptyDateMask) {
            blank << listed.value(r, QStringLiteral("id")).toLongLong();
            continue;
        }
        // An empty date counts as set: only the blank mask is stamped.
        ui().message(QStringLiteral("تذکر! اين رکورد داراي تاريخ حسن انجام کار مي باشد * ")
                         + listed.value(r, QStringLiteral("rosta")).toString() + QStringLiteral(" * ")
                         + listed.value(r, QStringLiteral("city")).toString(),
                     MessageKind::Warning);
    }
    // The letter names the last listed project.
    const Row p = listed.empty() ? source.project : rowAt(listed, listed.size() - 1);
    Document doc = Document::load(QStringLiteral("frm_hosn"));
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractorRow(db, p)));
    doc.setLabel(QStringLiteral("TAMIN_LOC"), textOf(p, QStringLiteral("tamin_loc")));
    doc.setLabel(QStringLiteral("prot_dat2"), textOf(p, QStringLiteral("prot_dat1")));
    doc.setLabel(QStringLiteral("prot_dat2_2"),
                 report::ask(QStringLiteral("khateme Gharardad"), QStringLiteral("تاريخ خاتمه قرارداد"),
                             textOf(p, QStringLiteral("prot_dat2"))));
    askPlaceFont(doc);
    setPlaces(doc, source.search.filters, QStringLiteral(" * "), QStringLiteral("*"));
    doc.setLabel(QStringLiteral("prot_dat"), textOf(p, QStringLiteral("prot_dat1")));
    setOfficials(doc, db,
                 {QStringLiteral("karshenas_naghshe"), QStringLiteral("karshenas_arshive"), QStringLiteral("karshenas_fani"),
                  QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post"), QStringLiteral("modirkol")});
    const QString date = report::today();
    doc.setLabel(QStringLiteral("dat"), date);
    doc.setAfterPrint([&db, blank, date] { stampGoodPerformance(db, blank, date); });
    return doc;
}

Document settlementLetter(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("taviye_frm"));
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractorRow(db, p)));
    doc.setLabel(QStringLiteral("emza_dat"), report::today());
    doc.setLabel(QStringLiteral("prot_dat"), textOf(p, QStringLiteral("prot_dat1")));
    askPlaceFont(doc);
    setPlaces(doc, source.search.filters);
    setOfficials(doc, db, {QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post")});
    doc.setLabel(QStringLiteral("ronevesht"), copyRecipient(textOf(p, QStringLiteral("tamin_loc"))));
    return doc;
}

Document councilSettlement(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("naghshe_tasviyehesab"));
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractorRow(db, p)));
    askPlaceFont(doc);
    setPlaces(doc, source.search.filters);
    doc.setLabel(QStringLiteral("rosta2"), doc.label(QStringLiteral("rosta")));
    doc.setLabel(QStringLiteral("rosta3"), doc.label(QStringLiteral("rosta")));
    return doc;
}

Document handoverLetter(const Db &db, const LetterSource &source, bool initial)
{
    const Row &p = source.project;
    Document doc = Document::load(initial ? QStringLiteral("frm_tahvil1") : QStringLiteral("frm_tahvil2"));
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractorRow(db, p)));
    setOfficials(doc, db, {QStringLiteral("karshenas_naghshe")});
    doc.setRows(source.listed);
    return doc;
}

Document extensionLetter(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("tamdid_frm"));
    doc.fillFromRow(p);
    const QString date = report::today();
    doc.setLabel(QStringLiteral("dat"), date);
    const QString office = QStringLiteral("tamin_loc");
    doc.setLabel(office, accountingOffice(textOf(p, office)).value_or(doc.placeholder(office)));
    const Row contractor = contractorRow(db, p);
    const Party party = contractorParty(contractor);
    setParty(doc, party);
    doc.setLabel(QStringLiteral("peyman2"), party.word);
    doc.setLabel(QStringLiteral("peymankar2"), party.name);
    // The social-insurance copy goes to companies only.
    doc.setLabel(QStringLiteral("QRLabel14"), party.natural ? QString() : QStringLiteral("سازمان تامين اجتماعي شعبه"));
    doc.setLabel(QStringLiteral("tamin_shobe"), party.natural ? QString() : textOf(contractor, QStringLiteral("tamin_shobe")));
    doc.setLabel(QStringLiteral("QRLabel16"), party.natural ? QString() : QStringLiteral("شهرستان"));
    doc.setLabel(QStringLiteral("tamin_shahr"), party.natural ? QString() : textOf(contractor, QStringLiteral("tamin_shahr")));
    doc.setLabel(QStringLiteral("prot_dat"), textOf(p, QStringLiteral("prot_dat1")));
    askPlaceFont(doc);
    setPlaces(doc, source.search.filters);
    doc.setLabel(QStringLiteral("status_dat"), report::ask(QStringLiteral("Status Date"), QStringLiteral("تاريخ وضعيت"),
                                                           textOf(p, QStringLiteral("status_dat"))));
    setOfficials(doc, db, {QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post")});
    const qint64 id = idOf(p);
    doc.setAfterPrint([&db, id, date] { recordExtension(db, id, date); });
    return doc;
}

Document contractAffairsLetter(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("afzayesh_frm"));
    doc.fillFromRow(p);
    const QString date = report::today();
    doc.setLabel(QStringLiteral("dat"), date);
    const QString credit = textOf(p, QStringLiteral("tamin_loc"));
    doc.setLabel(QStringLiteral("tamin_loc"), accountingOffice(credit).value_or(credit));
    askPlaceFont(doc);
    const Row contractor = contractorRow(db, p);
    doc.setLabel(QStringLiteral("tamin_shahr"), textOf(contractor, QStringLiteral("tamin_shahr")));
    doc.setLabel(QStringLiteral("tamin_shobe"), textOf(contractor, QStringLiteral("tamin_shobe")));
    setParty(doc, contractorParty(contractor));
    setPlaces(doc, source.search.filters);
    doc.setLabel(QStringLiteral("prot_dat"), textOf(p, QStringLiteral("prot_dat1")));
    const QString percent = askIncrease(source.search.totals);
    doc.setLabel(QStringLiteral("darsad"), percent);
    setOfficials(doc, db, {QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post")});
    const qint64 id = idOf(p);
    doc.setAfterPrint([&db, id, percent, date] {
        if (!recordIncrease(db, id, percent, date))
            ui().message(increaseTooLongMessage(percent + QLatin1Char('*') + date), MessageKind::Error);
    });
    return doc;
}

Document overtimeNotice(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("afzayesh_ezafekari"));
    doc.fillFromRow(p);
    if (const std::optional<OvertimeOffice> office = overtimeOffice(textOf(p, QStringLiteral("tamin_loc")))) {
        for (const char *label : {"moaven1", "moaven2", "moaven3"})
            doc.setLabel(QString::fromLatin1(label), office->deputy);
        doc.setLabel(QStringLiteral("mahal"), office->mahal);
    }
    askPlaceFont(doc);
    setParty(doc, contractorParty(contractorRow(db, p)));
    setPlaces(doc, source.search.filters);
    // The amount after the increase is the project's fee.
    doc.setLabel(QStringLiteral("prot_mablagh2"), shown(p, QStringLiteral("pardakhti"), true));
    setOfficials(doc, db, {QStringLiteral("moa_omran_post")});
    return doc;
}

Document operationsDescription(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("afzayesh_cmt"));
    doc.fillFromRow(p);
    askPlaceFont(doc);
    setParty(doc, contractorParty(contractorRow(db, p)));
    setPlaces(doc, source.search.filters);
    doc.setLabel(QStringLiteral("darsad"), askIncrease(source.search.totals));
    doc.setLabel(QStringLiteral("cmt"), report::ask(QStringLiteral("comment"), QStringLiteral("شرح عمليات"),
                                                    QStringLiteral("افزايش ضريب سطح")));
    setOfficials(doc, db, {QStringLiteral("moa_omran_post")});
    return doc;
}

Document terminationLetter(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = Document::load(QStringLiteral("khateme_frm"));
    doc.fillFromRow(p);
    doc.setLabel(QStringLiteral("dat"), report::today());
    askPlaceFont(doc);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractorRow(db, p)));
    setPlaces(doc, source.search.filters);
    doc.setLabel(QStringLiteral("prot_dat"), textOf(p, QStringLiteral("prot_dat1")));
    setOfficials(doc, db, {QStringLiteral("moaven_omran"), QStringLiteral("moa_omran_post")});
    return doc;
}

void stampGoodPerformance(const Db &db, const QList<qint64> &ids, const QString &date)
{
    db.transaction([&] {
        // A date written meanwhile by someone else stays.
        Statement stamp =
            db.statement(QStringLiteral("UPDATE naghshe SET hosn_paper_dat = ? WHERE id = ? AND hosn_paper_dat = ?"));
        for (const qint64 id : ids)
            stamp.run({date, id, emptyDateMask});
    });
}

void recordExtension(const Db &db, qint64 id, const QString &date)
{
    db.transaction([&] { db.exec(QStringLiteral("UPDATE naghshe SET tamdid_dat = ? WHERE id = ?"), {date, id}); });
}

bool recordIncrease(const Db &db, qint64 id, const QString &percent, const QString &date)
{
    const QString text = percent + QLatin1Char('*') + date;
    if (text.size() > increaseColumnLength)
        return false;
    db.transaction([&] { db.exec(QStringLiteral("UPDATE naghshe SET darsad_inc = ? WHERE id = ?"), {text, id}); });
    return true;
}

QString increaseTooLongMessage(const QString &text)
{
    return QStringLiteral("درصد افزايش «%1» بيش از %2 نويسه است و در پرونده ثبت نشد")
        .arg(text)
        .arg(increaseColumnLength);
}

}  // namespace bv::survey
