#include "naghshe_evaluation.h"

#include "fillsteps.h"
#include "money.h"
#include "text.h"

namespace bv::survey {

using report::Document;

namespace {

// A whole number as typed: digits with an optional sign, nothing else.
std::optional<Decimal> wholeNumber(const QString &typed)
{
    const QString text = normalizeInput(typed);
    if (text.contains(QLatin1Char('.')))
        return std::nullopt;
    const NumberReading r = readNumber(text, Grouping::Refused);
    if (!r.ok())
        return std::nullopt;
    return r.value;
}

// A typed score as bound: an empty box is 0.
std::optional<QVariant> scoreValue(const QString &typed, const QString &field, QString &message)
{
    const NumberReading r = readNumber(typed, Grouping::Refused);
    if (r.fault == NumberReading::Fault::Empty)
        return QVariant(0);
    if (!r.ok()) {
        message = r.message(field);
        return std::nullopt;
    }
    return r.value.toSql();
}

QString textOf(const Row &row, const QString &column)
{
    return row.value(column).toString();
}

qint64 idOf(const Row &project)
{
    return project.value(QStringLiteral("id")).toLongLong();
}

// What both evaluation checklists share: the place, the signatories, the rows.
Document evaluationChecklist(const Db &db, const Row &p, const QString &name, const QString &signature)
{
    Document doc = Document::load(name);
    report::placeSignature(doc, db, {QStringLiteral("QRImage1"), signature});
    for (const char *column : {"rosta", "dehestan", "bakhsh", "city", "checklist_dat"})
        doc.setLabel(QString::fromLatin1(column), textOf(p, QString::fromLatin1(column)));
    doc.setLabel(QStringLiteral("ostan"), provinceName);
    doc.setLabel(QStringLiteral("cod"), report::shortVillageCode(textOf(p, QStringLiteral("cod"))));
    report::bindRows(doc, db, QStringLiteral("SELECT * FROM naghshe_arzyabi WHERE naghshe_id = ? ORDER BY id"),
                     {idOf(p)});
    doc.setLabel(QStringLiteral("karshenas_naghshe"), report::roleName(db, QStringLiteral("کارشناس نقشه برداري")));
    doc.setLabel(QStringLiteral("karshenas_fani"), report::roleName(db, QStringLiteral("کارشناس مسئول فني و مطالعات")));
    return doc;
}

}  // namespace

const QStringList &qualityGrades()
{
    static const QStringList grades = {QStringLiteral("ضعيف"), QStringLiteral("متوسط"), QStringLiteral("خوب"),
                                       veryGood};
    return grades;
}

std::optional<QString> qualityGrade(const QString &score, const QString &maximum)
{
    const std::optional<Decimal> s = wholeNumber(score), m = wholeNumber(maximum);
    if (!s || !m)
        return std::nullopt;
    const Decimal half = *m * Decimal::fromScaled(5, 1);
    const Decimal threeQuarters = *m * Decimal::fromScaled(75, 2);
    if (*s < half)
        return qualityGrades()[0];
    if (*s == half)
        return qualityGrades()[1];
    if (*s <= threeQuarters)
        return qualityGrades()[2];
    return qualityGrades()[3];
}

QStringList evaluationItems(const Db &db)
{
    QStringList items;
    for (const QVariantList &r : db.select(QStringLiteral("SELECT cmt FROM arzyabi ORDER BY id")).rows)
        items << r[0].toString();
    return items;
}

QString itemMaximum(const Db &db, const QString &item)
{
    return scoreText(db.scalar(QStringLiteral("SELECT emtiyaz FROM arzyabi WHERE cmt = ? ORDER BY id"), {item}));
}

EvaluationResult registerEvaluation(const Db &db, qint64 project, const EvaluationEntry &e)
{
    EvaluationResult result;
    // After the last item the list offers none: Enter must not store a nameless row.
    if (e.cmt.isEmpty())
        return {EvaluationOutcome::NoItem, QStringLiteral("مقدار «نام آيتم» وارد نشده است")};
    const std::optional<QVariant> top = scoreValue(e.emtiyaz_top, QStringLiteral("حداکثر امتياز"), result.message);
    const std::optional<QVariant> score =
        top ? scoreValue(e.emtiyaz, QStringLiteral("امتياز"), result.message) : std::nullopt;
    if (!top || !score) {
        result.outcome = EvaluationOutcome::BadNumber;
        return result;
    }
    db.transaction([&] {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM naghshe_arzyabi WHERE naghshe_id = ? AND cmt = ?"),
                      {project, e.cmt})
                .toInt()
            > 0) {
            result = {EvaluationOutcome::Duplicate, duplicateItemMessage};
            return;
        }
        db.exec(QStringLiteral("INSERT INTO naghshe_arzyabi (naghshe_id, cmt, emtiyaz_top, anjam, keifiyat, emtiyaz, "
                               "sayer) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {project, e.cmt, *top, e.anjam, e.keifiyat, *score, e.sayer});
    });
    return result;
}

bool deleteEvaluation(const Db &db, qint64 id)
{
    return db.exec(QStringLiteral("DELETE FROM naghshe_arzyabi WHERE id = ?"), {id}).numRowsAffected() > 0;
}

ResultSet evaluationRows(const Db &db, qint64 project)
{
    return db.select(QStringLiteral("SELECT ROW_NUMBER() OVER (ORDER BY id) AS radif, id, naghshe_id, cmt, emtiyaz_top, "
                                    "anjam, keifiyat, emtiyaz, sayer FROM naghshe_arzyabi WHERE naghshe_id = ? "
                                    "ORDER BY id"),
                     {project});
}

EvaluationSums evaluationSums(const Db &db, qint64 project)
{
    const ResultSet sums = db.select(
        QStringLiteral("SELECT SUM(emtiyaz) AS s, SUM(emtiyaz_top) AS t FROM naghshe_arzyabi WHERE naghshe_id = ?"),
        {project});
    return {scoreText(sums.value(0, QStringLiteral("s"))), scoreText(sums.value(0, QStringLiteral("t")))};
}

QString scoreText(const QVariant &stored)
{
    if (!stored.isValid() || stored.isNull())
        return {};
    return Decimal::fromVariant(stored).plain();
}

Document initialChecklist(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = evaluationChecklist(db, p, QStringLiteral("frm_checklist"), initialSignature);
    doc.setLabel(QStringLiteral("peymankar"), textOf(p, QStringLiteral("peymankar")));
    const EvaluationSums sums = evaluationSums(db, idOf(p));
    doc.setLabel(QStringLiteral("emtiyaz_sum"), sums.emtiyaz);
    doc.setLabel(QStringLiteral("emtiyaz_top_sum"), sums.emtiyaz_top);
    return doc;
}

Document finalChecklist(const Db &db, const LetterSource &source)
{
    const Row &p = source.project;
    Document doc = evaluationChecklist(db, p, QStringLiteral("frm_checklist2"), finalSignature);
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractorRow(db, p)));
    // Full marks: the score printed is the maximum.
    const QString top = evaluationSums(db, idOf(p)).emtiyaz_top;
    doc.setLabel(QStringLiteral("emtiyaz_top_sum"), top);
    doc.setLabel(QStringLiteral("emtiyaz_sum"), top);
    return doc;
}

Document creditChecklist(const Db &db, const LetterSource &source, const QString &kind)
{
    Document doc = Document::load(QStringLiteral("naghshe_checklist_h"));
    doc.setLabel(QStringLiteral("city"), joinedList(source.search.filters.city));
    doc.setLabel(QStringLiteral("rosta"), joinedList(source.search.filters.rosta));
    doc.setLabel(QStringLiteral("peymankar"), report::contractorName(contractorRow(db, source.project)));
    doc.setLabel(QStringLiteral("ostan"), provinceName);
    doc.setLabel(QStringLiteral("typ"), kind);
    report::bindRows(doc, db, QStringLiteral("SELECT * FROM naghshe_cheklist WHERE typ = ? ORDER BY id"), {kind});
    return doc;
}

}  // namespace bv::survey
