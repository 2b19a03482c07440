#pragma once
// The evaluation of a survey project's base map item by item against the
// `arzyabi` catalogue, and the checklists printed from it and from the credit
// checklist items. No widgets.
#include "contractors.h"
#include "db.h"
#include "document.h"
#include "naghshe_letters.h"

#include <optional>

namespace bv::survey {

inline const QString done = QStringLiteral("انجام شده");
inline const QString notDone = QStringLiteral("انجام نشده");
inline const QString veryGood = QStringLiteral("خيلي خوب");
// The grades from worst to best.
const QStringList &qualityGrades();

// The grade of a score against the item's maximum, both whole numbers:
// below half "ضعيف", half "متوسط", up to three quarters "خوب", above
// "خيلي خوب". nullopt when either text is not a whole number, and the grade
// shown stays as it was.
std::optional<QString> qualityGrade(const QString &score, const QString &maximum);

// The catalogue's item names in stored order, and an item's maximum score
// as its input shows it (empty when the item is gone).
QStringList evaluationItems(const Db &db);
QString itemMaximum(const Db &db, const QString &item);

// One evaluation row as typed.
struct EvaluationEntry {
    QString cmt, emtiyaz_top, anjam, keifiyat, emtiyaz, sayer;
};

enum class EvaluationOutcome { Added, NoItem, Duplicate, BadNumber };
struct EvaluationResult {
    EvaluationOutcome outcome = EvaluationOutcome::Added;
    QString message;  // the refusal shown; empty when added
};
inline const QString duplicateItemMessage = QStringLiteral("نام آيتم تکراريست");

// Registers the row unless no item is named, the project holds the item
// already or a score is not a number (an empty score is 0); nothing is
// written then.
EvaluationResult registerEvaluation(const Db &db, qint64 project, const EvaluationEntry &entry);
// False when another clerk had already deleted the row.
bool deleteEvaluation(const Db &db, qint64 id);

// The grid's rows, numbered in `radif` by registration.
ResultSet evaluationRows(const Db &db, qint64 project);

// The sums of the project's scores and maxima as printed; empty when the
// project has no rows.
struct EvaluationSums {
    QString emtiyaz, emtiyaz_top;
};
EvaluationSums evaluationSums(const Db &db, qint64 project);

// The stored text of a score: what the grid and the file names show.
QString scoreText(const QVariant &stored);

// ---- Checklists ----
inline const QString provinceName = QStringLiteral("ورکندان");
inline const QString initialSignature = QStringLiteral("تصوير امضا چک ليست ارزيابي اوليه");
inline const QString finalSignature = QStringLiteral("تصوير امضا چک ليست ارزيابي نهايي");

// "ارزيابي اوليه": the rows as registered with their sums, signed behind a password.
report::Document initialChecklist(const Db &db, const LetterSource &source);
// "چک ليست نهايي (با تصوير امضا)": every row printed as done, very good and at full marks.
report::Document finalChecklist(const Db &db, const LetterSource &source);
// The credit checklist of the kind (naturalPerson or legalPerson) for the last search's places.
report::Document creditChecklist(const Db &db, const LetterSource &source, const QString &kind);

}  // namespace bv::survey
