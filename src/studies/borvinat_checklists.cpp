#include "borvinat_checklists.h"

#include "borvinat_evaluation.h"
#include "fillsteps.h"

namespace bv::studies {

using report::Document;

namespace {

qint64 idOf(const Row &study)
{
    return study.value(QStringLiteral("id")).toLongLong();
}

// The template with the study's place and its evaluation rows of `kind`.
Document checklist(const Db &db, const QString &name, const Row &study, EvaluationKind kind)
{
    Document doc = Document::load(name);
    for (const char *column : {"rosta", "city", "bakhsh", "dehestan", "tarh_moshaver_name", "naghshe_moshaver_name"})
        if (doc.hasLabel(QString::fromLatin1(column)))
            doc.setLabel(QString::fromLatin1(column), study.value(QString::fromLatin1(column)).toString());
    doc.setLabel(QStringLiteral("cod"), report::shortVillageCode(study.value(QStringLiteral("cod")).toString()));
    doc.setLabel(QStringLiteral("ostan"), provinceName);
    report::bindRows(doc, db,
                     QStringLiteral("SELECT * FROM %1 WHERE borvinat_id = ? ORDER BY id").arg(evaluationTable(kind).table),
                     {idOf(study)});
    return doc;
}

// What the two plan checklists share past their rows.
void planReviewers(Document &doc, const Db &db, const Row &study, EvaluationKind kind, const QString &catalogue)
{
    const QString reviewer =
        report::ask(QStringLiteral("Karshenas Barrsi"), QStringLiteral("کارشناس بررسي طرح"), report::roleName(db, gisExpertList));
    doc.setLabel(QStringLiteral("karshenas_gis"), reviewer);
    doc.setLabel(QStringLiteral("karshenas_gis2"), reviewer);
    doc.setLabel(QStringLiteral("karshenas_fani"), report::roleName(db, technicalOfficerList));
    report::placeSignature(doc, db, {QStringLiteral("QRImage1"), technicalOfficerSignature});
    doc.setLabel(QStringLiteral("emtiyaz_sum"), evaluationSums(db, kind, idOf(study)).emtiyaz);
    doc.setLabel(QStringLiteral("emtiyaz_top_sum"),
                 scoreText(db.scalar(QStringLiteral("SELECT SUM(emtiyaz) FROM %1").arg(catalogue))));
}

report::TickRule blackTicks(const QStringList &answers, int otherwise)
{
    report::TickRule rule;
    rule.answers = answers;
    rule.otherwise = otherwise;
    rule.on = Qt::black;
    return rule;
}

}  // namespace

Document gisChecklist(const Db &db, const Row &study)
{
    Document doc = checklist(db, QStringLiteral("m_frm_checklist_gis"), study, EvaluationKind::Gis);
    doc.setLabel(QStringLiteral("dat"), report::ask(QStringLiteral("Date"), QStringLiteral("تاريخ بررسي"), report::today()));
    report::askFontSize(doc,
                        {QStringLiteral("rosta"), QStringLiteral("city"), QStringLiteral("bakhsh"),
                         QStringLiteral("dehestan"), QStringLiteral("cod"), QStringLiteral("tarh_moshaver_name"),
                         QStringLiteral("dat"), QStringLiteral("karshenas_gis")},
                        QStringLiteral("Font Size Rosta"), QStringLiteral("اندازه فونت نام روستا"));
    const QString expert =
        report::ask(QStringLiteral("GIS Karshenas"), QStringLiteral("نام کارشناس GIS"), report::roleName(db, gisExpertList));
    doc.setLabel(QStringLiteral("karshenas_gis"), expert);
    doc.setLabel(QStringLiteral("karshenas_gis1"), expert);
    report::placeSignature(doc, db, {QStringLiteral("QRImage1"), gisSignature});
    const EvaluationSums sums = evaluationSums(db, EvaluationKind::Gis, idOf(study));
    doc.setLabel(QStringLiteral("sum_emtiyaz"), sums.emtiyaz);
    doc.setLabel(QStringLiteral("sum_emtiyaz_top"), sums.emtiyaz_top);
    // A catalogue without a total gives no percentage.
    const std::optional<Decimal> percent = gisPercentage(sums.emtiyaz.isEmpty() ? QStringLiteral("0") : sums.emtiyaz,
                                                         sums.emtiyaz_top);
    doc.setLabel(QStringLiteral("darsad"), percent ? percent->rounded(2).plain() : QStringLiteral("0"));
    return doc;
}

Document guidePlanChecklist(const Db &db, const Row &study)
{
    Document doc = checklist(db, QStringLiteral("m_frm_checklist_rep1"), study, EvaluationKind::Tarh);
    const QString type = report::ask(QStringLiteral("CheckList Type"), QStringLiteral("اوليه=1 و نهايي=2"), QStringLiteral("?"));
    report::tick(doc, {QStringLiteral("avaliye"), QStringLiteral("nahayi")}, type, blackTicks({QStringLiteral("1")}, 1));
    planReviewers(doc, db, study, EvaluationKind::Tarh, QStringLiteral("arzyabi_tarh"));
    return doc;
}

Document guidePlanChecklist2()
{
    return Document::load(QStringLiteral("m_frm_checklist_rep2"));
}

Document detailedPlanChecklist(const Db &db, const Row &study)
{
    Document doc = checklist(db, QStringLiteral("m_frm_arzyabi_tafsili"), study, EvaluationKind::Tafsili);
    planReviewers(doc, db, study, EvaluationKind::Tafsili, QStringLiteral("arzyabi_item_tafsili"));
    return doc;
}

Document baseMapChecklist(const Db &db, const Row &study)
{
    Document doc = checklist(db, QStringLiteral("m_frm_checklist_naghshe"), study, EvaluationKind::Naghshe);
    doc.setLabel(QStringLiteral("karshenas_fani"), report::roleName(db, technicalOfficerList));
    doc.setLabel(QStringLiteral("check_list_dat2"),
                 report::ask(QStringLiteral("Date"), QStringLiteral("تاريخ"), report::today()));
    return doc;
}

Document consultantEvaluation(const Db &db, const Row &study)
{
    Document doc = checklist(db, QStringLiteral("m_frm_arzyabi_moshaver"), study, EvaluationKind::Moshaver);
    doc.setLabel(QStringLiteral("dat"), report::ask(QStringLiteral("Date"), QStringLiteral("تاريخ ارزيابي"), report::today()));
    const QString kind =
        report::ask(QStringLiteral("Haghighi Or Hoghoghi"), QStringLiteral("حقيقي=1 يا حقوقي=2"), QStringLiteral("1"));
    report::tick(doc, {QStringLiteral("haghighi"), QStringLiteral("hoghoghi")}, kind,
                 blackTicks({QStringLiteral("1"), QStringLiteral("2")}, -1));
    return doc;
}

}  // namespace bv::studies
