#include "borvinat_agreement_pages.h"

#include "borvinat_agreement.h"
#include "borvinat_fee.h"
#include "fillsteps.h"
#include "text.h"

#include <QHash>

namespace bv::studies {

using report::Document;

namespace {

QString textOf(const Row &row, const QString &column)
{
    return row.value(column).toString();
}

// The studies contractor of a study; an empty row when it has none.
Row contractorOf(const Db &db, const Row &study)
{
    const QVariant id = study.value(QStringLiteral("peymankar_id"));
    if (id.isNull() || !id.isValid())
        return {};
    const std::vector<Row> rows = db.rows(QStringLiteral("SELECT * FROM peymankaran WHERE id = ?"), {id});
    return rows.empty() ? Row() : rows.front();
}

bool isNaturalPerson(const Row &contractor)
{
    return textOf(contractor, QStringLiteral("typ")) == QStringLiteral("حقيقي");
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
    };
    return lists.value(label);
}

// Provincial and national credit carry no deductions or guarantee clauses.
bool isAllocatedCredit(const Row &study)
{
    const QString source = textOf(study, QStringLiteral("tamin_loc")).trimmed();
    return source == QStringLiteral("استاني") || source == QStringLiteral("ملي");
}

}  // namespace

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
    Document doc = Document::load(withNames ? QStringLiteral("m_movafeghatname3_1") : QStringLiteral("m_movafeghatname3"));
    doc.fillFromRow(s);
    setKind(doc, kind);
    const Row contractor = contractorOf(db, s);
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

}  // namespace bv::studies
