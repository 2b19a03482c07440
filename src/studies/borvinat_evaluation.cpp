#include "borvinat_evaluation.h"

#include "text.h"

namespace bv::studies {

namespace {

const QStringList stepTable[5] = {
    {"0.4", "0.6", "0.8", "1"}, {"0.8", "1", "1.5", "2"}, {"1", "2", "2.5", "3"},
    {"1.5", "2.5", "3", "4"},   {"2", "3", "4", "5"},
};

std::optional<std::int64_t> wholeMaximum(const QString &maximum)
{
    const NumberReading r = evaluationNumber(maximum);
    if (!r.ok())
        return std::nullopt;
    return r.value.wholeValue();
}

// A typed number as bound: an empty box is 0.
std::optional<QVariant> numberValue(const QString &typed, const QString &field, QString &message)
{
    const NumberReading r = evaluationNumber(typed);
    if (r.fault == NumberReading::Fault::Empty)
        return QVariant(0);
    if (!r.ok()) {
        message = r.message(field);
        return std::nullopt;
    }
    return r.value.toSql();
}

// An empty text is stored and compared as "", never as null.
QString text(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

QString mark(bool on, const QString &onText = QStringLiteral("1"))
{
    return on ? onText : QStringLiteral("0");
}

// The statement inserting one row of the kind, naming its columns.
QString insertSql(const EvaluationTable &t)
{
    switch (t.kind) {
    case EvaluationKind::Gis:
        return QStringLiteral("INSERT INTO borvinat_arzyabi_gis (borvinat_id, cmt, emtiyaz_top, emtiyaz) "
                              "VALUES (?, ?, ?, ?)");
    case EvaluationKind::Tarh:
        return QStringLiteral("INSERT INTO borvinat_arzyabi_tarh (borvinat_id, kol, joz, emtiyaz_top, anjam, keifiyat, "
                              "emtiyaz, sayer, dat, karshenas, zaeif, motevaset, khob, ali) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    case EvaluationKind::Tafsili:
        return QStringLiteral("INSERT INTO borvinat_arzyabi_tafsili (borvinat_id, kol, joz, emtiyaz_top, anjam_shod, "
                              "anjam_nashod, emtiyaz, dat, karshenas, zaeif, motevaset, khob, ali) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    case EvaluationKind::Naghshe:
        return QStringLiteral("INSERT INTO borvinat_arzyabi_naghshe (borvinat_id, cmt, anjam, dat, sayer) "
                              "VALUES (?, ?, ?, ?, ?)");
    case EvaluationKind::Moshaver:
        return QStringLiteral("INSERT INTO borvinat_arzyabi_moshaver (borvinat_id, cmt, keifiyat) VALUES (?, ?, ?)");
    }
    return {};
}

// The values of one row in insertSql()'s order; the numbers already read.
QVariantList rowValues(const EvaluationTable &t, qint64 study, const EvaluationEntry &typed, const QVariant &top,
                       const QVariant &score)
{
    QVariantList marks;
    for (int g = 0; g < 4; ++g)
        marks << mark(typed.grade == g);
    EvaluationEntry e = typed;
    for (QString *s : {&e.cmt, &e.kol, &e.joz, &e.anjam, &e.keifiyat, &e.sayer, &e.dat, &e.karshenas})
        *s = text(*s);
    switch (t.kind) {
    case EvaluationKind::Gis:
        return {study, e.cmt, top, score};
    case EvaluationKind::Tarh:
        return QVariantList{study, e.kol, e.joz, top, e.anjam, e.keifiyat, score, e.sayer, e.dat, e.karshenas} + marks;
    case EvaluationKind::Tafsili:
        return QVariantList{study, e.kol, e.joz, top, mark(e.anjam == done, QStringLiteral("*")),
                            mark(e.anjam == notDone, QStringLiteral("*")), score, e.dat, e.karshenas}
               + marks;
    case EvaluationKind::Naghshe:
        return {study, e.cmt, e.anjam, e.dat, e.sayer};
    case EvaluationKind::Moshaver:
        return {study, e.cmt, e.keifiyat};
    }
    return {};
}

QStringList firstColumn(const ResultSet &rows)
{
    QStringList items;
    for (const QVariantList &r : rows.rows)
        items << r[0].toString();
    return items;
}

}  // namespace

const EvaluationTable &evaluationTable(EvaluationKind kind)
{
    static const EvaluationTable tables[] = {
        {EvaluationKind::Gis, QStringLiteral("borvinat_arzyabi_gis"), QStringLiteral("arzyabi_gis"), false, true, false},
        {EvaluationKind::Tarh, QStringLiteral("borvinat_arzyabi_tarh"), QStringLiteral("arzyabi_tarh"), true, true, true},
        {EvaluationKind::Tafsili, QStringLiteral("borvinat_arzyabi_tafsili"), QStringLiteral("arzyabi_item_tafsili"),
         true, true, true},
        {EvaluationKind::Naghshe, QStringLiteral("borvinat_arzyabi_naghshe"), QStringLiteral("arzyabi_naghshe"), false,
         false, false},
        {EvaluationKind::Moshaver, QStringLiteral("borvinat_arzyabi_moshaver"), QStringLiteral("arzyabi_moshaver"), false,
         false, false},
    };
    return tables[int(kind)];
}

const QStringList &qualityGrades()
{
    static const QStringList grades = {QStringLiteral("ضعيف"), QStringLiteral("متوسط"), QStringLiteral("خوب"),
                                       QStringLiteral("عالي")};
    return grades;
}

const QStringList &consultantAnswers()
{
    static const QStringList answers = {QStringLiteral("ضعيف"), QStringLiteral("متوسط"), QStringLiteral("خوب"),
                                        QStringLiteral("خيلي خوب"), QStringLiteral("عالي")};
    return answers;
}

std::optional<QStringList> scoreSteps(const QString &maximum)
{
    const std::optional<std::int64_t> m = wholeMaximum(maximum);
    if (!m)
        return std::nullopt;
    if (*m < 1 || *m > 5)
        return QStringList();
    return stepTable[*m - 1];
}

std::optional<QString> gradeOfScore(const QString &score, const QString &maximum)
{
    const std::optional<QStringList> steps = scoreSteps(maximum);
    if (!steps)
        return std::nullopt;
    if (steps->isEmpty())
        return QString();
    const NumberReading s = evaluationNumber(score);
    if (!s.ok())
        return std::nullopt;
    for (int g = 0; g < steps->size(); ++g)
        if (readNumber((*steps)[g], Grouping::Refused).value == s.value)
            return qualityGrades()[g];
    return std::nullopt;
}

NumberReading evaluationNumber(const QString &typed)
{
    QString text = normalizeInput(typed);
    text.replace(QLatin1Char('/'), QLatin1Char('.')).replace(QChar(0x066B), QLatin1Char('.'));
    return readNumber(text, Grouping::Refused);
}

QString scoreText(const QVariant &stored)
{
    if (!stored.isValid() || stored.isNull())
        return {};
    return Decimal::fromVariant(stored).plain();
}

QStringList catalogueItems(const Db &db, EvaluationKind kind)
{
    const EvaluationTable &t = evaluationTable(kind);
    const QString column = t.twoLevel ? QStringLiteral("kol") : QStringLiteral("cmt");
    QStringList items = firstColumn(db.select(QStringLiteral("SELECT %1 FROM %2 ORDER BY id").arg(column, t.catalogue)));
    items.removeDuplicates();  // keeps the first of each
    return items;
}

QStringList catalogueSubItems(const Db &db, EvaluationKind kind, const QString &kol)
{
    const EvaluationTable &t = evaluationTable(kind);
    return firstColumn(db.select(QStringLiteral("SELECT joz FROM %1 WHERE kol = ? ORDER BY id").arg(t.catalogue), {kol}));
}

QString catalogueMaximum(const Db &db, EvaluationKind kind, const QString &item, const QString &subItem)
{
    const EvaluationTable &t = evaluationTable(kind);
    if (!t.scored)
        return {};
    if (t.twoLevel)
        return scoreText(db.scalar(
            QStringLiteral("SELECT emtiyaz FROM %1 WHERE kol = ? AND joz = ? ORDER BY id").arg(t.catalogue),
            {item, subItem}));
    return scoreText(
        db.scalar(QStringLiteral("SELECT emtiyaz FROM %1 WHERE cmt = ? ORDER BY id").arg(t.catalogue), {item}));
}

EvaluationResult registerEvaluation(const Db &db, EvaluationKind kind, qint64 study, const EvaluationEntry &e)
{
    const EvaluationTable &t = evaluationTable(kind);
    EvaluationResult result;
    // After the last item the list offers none: Enter must not store a nameless row.
    if (t.twoLevel ? (e.kol.isEmpty() || e.joz.isEmpty()) : e.cmt.isEmpty())
        return {EvaluationOutcome::NoItem, QStringLiteral("مقدار «نام آيتم» وارد نشده است")};
    QVariant top, score;
    if (t.scored) {
        const std::optional<QVariant> readTop =
            numberValue(e.emtiyaz_top, QStringLiteral("حداکثر امتياز"), result.message);
        const std::optional<QVariant> readScore =
            readTop ? numberValue(e.emtiyaz, QStringLiteral("امتياز"), result.message) : std::nullopt;
        if (!readScore) {
            result.outcome = EvaluationOutcome::BadNumber;
            return result;
        }
        top = *readTop;
        score = *readScore;
    }
    db.transaction([&] {
        const bool repeated =
            t.twoLevel
                ? db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE borvinat_id = ? AND kol = ? AND joz = ?")
                                .arg(t.table),
                            {study, text(e.kol), text(e.joz)})
                          .toInt()
                      > 0
                : db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE borvinat_id = ? AND cmt = ?").arg(t.table),
                            {study, text(e.cmt)})
                          .toInt()
                      > 0;
        if (repeated) {
            result = {EvaluationOutcome::Duplicate, duplicateItemMessage};
            return;
        }
        db.exec(insertSql(t), rowValues(t, study, e, top, score));
    });
    return result;
}

EvaluationResult registerAllEvaluations(const Db &db, EvaluationKind kind, qint64 study, const EvaluationEntry &e,
                                        bool kolOnce)
{
    const EvaluationTable &t = evaluationTable(kind);
    EvaluationResult result;
    // The plans write the typed score on every row; GIS gives each its maximum.
    QVariant score;
    if (t.twoLevel) {
        const std::optional<QVariant> read = numberValue(e.emtiyaz, QStringLiteral("امتياز"), result.message);
        if (!read) {
            result.outcome = EvaluationOutcome::BadNumber;
            return result;
        }
        score = *read;
    }
    db.transaction([&] {
        db.exec(QStringLiteral("DELETE FROM %1 WHERE borvinat_id = ?").arg(t.table), {study});
        Statement insert = db.statement(insertSql(t));
        if (t.twoLevel) {
            const ResultSet items =
                db.select(QStringLiteral("SELECT kol, joz, emtiyaz FROM %1 ORDER BY id").arg(t.catalogue));
            for (const QString &kol : catalogueItems(db, kind)) {
                bool first = true;
                for (const QVariantList &r : items.rows) {
                    if (r[0].toString() != kol)
                        continue;
                    EvaluationEntry row = e;
                    row.kol = (first || !kolOnce) ? kol : QString();
                    row.joz = r[1].toString();
                    insert.run(rowValues(t, study, row, Decimal::fromVariant(r[2]).toSql(), score));
                    first = false;
                }
            }
            return;
        }
        const ResultSet items = db.select(
            (t.scored ? QStringLiteral("SELECT cmt, emtiyaz FROM %1 ORDER BY id") : QStringLiteral("SELECT cmt FROM %1 ORDER BY id"))
                .arg(t.catalogue));
        for (const QVariantList &r : items.rows) {
            EvaluationEntry row = e;
            row.cmt = r[0].toString();
            const QVariant full = t.scored ? Decimal::fromVariant(r[1]).toSql() : QVariant();
            insert.run(rowValues(t, study, row, full, full));
        }
    });
    return result;
}

bool deleteEvaluation(const Db &db, EvaluationKind kind, qint64 id)
{
    return db.exec(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(evaluationTable(kind).table), {id})
               .numRowsAffected()
        > 0;
}

int deleteAllEvaluations(const Db &db, EvaluationKind kind, qint64 study)
{
    return db.exec(QStringLiteral("DELETE FROM %1 WHERE borvinat_id = ?").arg(evaluationTable(kind).table), {study})
        .numRowsAffected();
}

ResultSet evaluationRows(const Db &db, EvaluationKind kind, qint64 study)
{
    return db.select(
        QStringLiteral("SELECT ROW_NUMBER() OVER (ORDER BY id) AS radif, %1.* FROM %1 WHERE borvinat_id = ? ORDER BY id")
            .arg(evaluationTable(kind).table),
        {study});
}

EvaluationEntry entryOfRow(EvaluationKind kind, const Row &row)
{
    auto text = [&](const char *column) { return row.value(QString::fromLatin1(column)).toString(); };
    EvaluationEntry e;
    e.cmt = text("cmt");
    e.kol = text("kol");
    e.joz = text("joz");
    e.emtiyaz_top = scoreText(row.value(QStringLiteral("emtiyaz_top")));
    e.emtiyaz = scoreText(row.value(QStringLiteral("emtiyaz")));
    e.keifiyat = text("keifiyat");
    e.sayer = text("sayer");
    e.dat = text("dat");
    e.karshenas = text("karshenas");
    if (kind == EvaluationKind::Tafsili)
        e.anjam = text("anjam_shod") == QStringLiteral("*") ? done
                  : text("anjam_nashod") == QStringLiteral("*") ? notDone
                                                                 : QString();
    else
        e.anjam = text("anjam");
    const char *marks[] = {"zaeif", "motevaset", "khob", "ali"};
    for (int g = 0; g < 4; ++g)
        if (text(marks[g]) == QStringLiteral("1"))
            e.grade = g;
    return e;
}

EvaluationSums evaluationSums(const Db &db, EvaluationKind kind, qint64 study)
{
    const EvaluationTable &t = evaluationTable(kind);
    EvaluationSums sums;
    if (!t.scored)
        return sums;
    if (kind == EvaluationKind::Gis) {
        sums.emtiyaz = scoreText(
            db.scalar(QStringLiteral("SELECT SUM(emtiyaz) FROM borvinat_arzyabi_gis WHERE borvinat_id = ?"), {study}));
        sums.emtiyaz_top = scoreText(db.scalar(QStringLiteral("SELECT SUM(emtiyaz) FROM arzyabi_gis")));
        return sums;
    }
    const ResultSet r = db.select(
        QStringLiteral("SELECT SUM(emtiyaz) AS s, SUM(emtiyaz_top) AS t FROM %1 WHERE borvinat_id = ?").arg(t.table),
        {study});
    return {scoreText(r.value(0, QStringLiteral("s"))), scoreText(r.value(0, QStringLiteral("t")))};
}

std::optional<Decimal> gisPercentage(const QString &sum, const QString &total)
{
    const NumberReading s = evaluationNumber(sum), t = evaluationNumber(total);
    if (!s.ok() || !t.ok() || t.value.isZero())
        return std::nullopt;
    return (s.value * Decimal(100)).dividedBy(t.value, 12);
}

bool writeGisPercentage(const Db &db, qint64 study, const EvaluationSums &sums)
{
    const std::optional<Decimal> p = gisPercentage(sums.emtiyaz, sums.emtiyaz_top);
    if (!p)
        return false;
    db.exec(QStringLiteral("UPDATE borvinat SET gis_emtiyaz = ? WHERE id = ?"), {p->toSql(), study});
    return true;
}

}  // namespace bv::studies
