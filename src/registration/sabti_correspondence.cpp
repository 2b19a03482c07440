#include "sabti_correspondence.h"

#include "filesafety.h"

#include <QDir>

namespace bv::sabt {

namespace {
const QString letterColumns = QStringLiteral("id, sabti_id, paper_no, paper_dat, taraf, mozo, typ, post");
// Subjects are long Persian texts; the file name keeps their start.
constexpr int subjectInName = 60;
}  // namespace

LetterCheck checkLetter(const Db &db, qint64 job, const LetterTexts &l)
{
    const int same = db.scalar(QStringLiteral("SELECT COUNT(*) FROM sabti_mokatebat WHERE sabti_id = ? AND taraf = ? "
                                              "AND mozo = ? AND paper_no = ?"),
                               {job, l.taraf, l.mozo, l.paper_no})
                         .toInt();
    if (same > 0)
        return LetterCheck::SameLetter;
    const int used =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM sabti_mokatebat WHERE paper_no = ?"), {l.paper_no}).toInt();
    return used > 0 ? LetterCheck::NumberUsed : LetterCheck::Free;
}

qint64 addLetter(const Db &db, qint64 job, const LetterTexts &l)
{
    return db.insert(QStringLiteral("INSERT INTO sabti_mokatebat (sabti_id, paper_no, paper_dat, taraf, mozo, typ, post) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                     {job, l.paper_no, l.paper_dat, l.taraf, l.mozo, l.typ, l.post});
}

ResultSet jobLetters(const Db &db, qint64 job)
{
    return db.select(QStringLiteral("SELECT ") + letterColumns
                         + QStringLiteral(" FROM sabti_mokatebat WHERE sabti_id = ? ORDER BY id"),
                     {job});
}

Conditions letterConditions(const Dialect &dialect, const LetterFilters &f)
{
    Conditions c(dialect);
    if (f.paper_no)
        c.contains(QStringLiteral("paper_no"), *f.paper_no);
    if (f.dates)
        c.range(QStringLiteral("paper_dat"), f.dates->first, f.dates->second);
    if (f.taraf)
        c.contains(QStringLiteral("taraf"), *f.taraf);
    if (f.typ)
        c.contains(QStringLiteral("typ"), *f.typ);
    if (f.post)
        c.contains(QStringLiteral("post"), *f.post);
    if (f.mozo)
        c.contains(QStringLiteral("mozo"), *f.mozo);
    return c;
}

int letterCount(const Db &db, const Conditions &conditions)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM sabti_mokatebat") + conditions.where(), conditions.values())
        .toInt();
}

ResultSet letterList(const Db &db, const Conditions &conditions)
{
    return db.select(QStringLiteral("SELECT ") + letterColumns + QStringLiteral(" FROM sabti_mokatebat")
                         + conditions.where() + QStringLiteral(" ORDER BY id"),
                     conditions.values());
}

const Headings &letterHeadings()
{
    static const Headings headings = {
        {"paper_no", QStringLiteral("شماره نامه")},
        {"paper_dat", QStringLiteral("تاريخ نامه")},
        {"taraf", QStringLiteral("طرف مکاتبه")},
        {"mozo", QStringLiteral("موضوع/چکيده")},
        {"typ", QStringLiteral("نوع نامه")},
        {"post", QStringLiteral("نام/پست")},
    };
    return headings;
}

int attachmentsOfLetter(const Db &db, qint64 letter)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM sabti_mokatebat_pic WHERE mokatebat_id = ?"), {letter})
        .toInt();
}

QString attachmentsStayQuestion(int attachments)
{
    return QStringLiteral("%1 ضميمه اين نامه باقي مي ماند. آيا نامه حذف شود؟").arg(attachments);
}

void deleteLetter(const Db &db, qint64 letter)
{
    db.exec(QStringLiteral("DELETE FROM sabti_mokatebat WHERE id = ?"), {letter});
}

SavedAttachments saveListAttachments(const Db &db, const ResultSet &letters, const QString &folder,
                                     const QString &prefix)
{
    SavedAttachments saved;
    const QDir dir(folder);
    const int id = letters.columnIndex(QStringLiteral("id"));
    const int mozo = letters.columnIndex(QStringLiteral("mozo"));
    for (int n = 0; n < letters.size(); ++n) {
        const QVariantList &letter = letters.rows[size_t(n)];
        const ResultSet files = db.select(
            QStringLiteral("SELECT pictyp, pic FROM sabti_mokatebat_pic WHERE mokatebat_id = ? ORDER BY id"),
            {letter[id]});
        if (files.empty())
            continue;
        const QString stem = prefix + QString::number(n + 1) + letter[mozo].toString().left(subjectInName)
            + QLatin1Char('_');
        bool whole = true;
        for (int k = 0; k < files.size(); ++k) {
            const QString name = safeFileName(stem + QString::number(k + 1))
                + safeExtension(files.rows[size_t(k)][0].toString());
            if (writeFileAtomically(dir.filePath(name), files.rows[size_t(k)][1].toByteArray()))
                ++saved.files;
            else
                whole = false;
        }
        if (whole)
            ++saved.letters;
        else
            ++saved.skipped;
    }
    return saved;
}

QString savedMessage(const SavedAttachments &saved)
{
    QString text = QStringLiteral("ضمائم %1 نامه در %2 فايل ذخيره شد").arg(saved.letters).arg(saved.files);
    if (saved.skipped > 0)
        text += QStringLiteral("\nضمائم %1 نامه ذخيره نشد").arg(saved.skipped);
    return text;
}

}  // namespace bv::sabt
