#pragma once
// A study's evaluations against the five item catalogues: one row per item in
// a table of each kind, registered one by one or all at once. No widgets.
#include "db.h"
#include "money.h"

#include <optional>

namespace bv::studies {

enum class EvaluationKind { Gis, Tarh, Tafsili, Naghshe, Moshaver };

// What differs between the kinds.
struct EvaluationTable {
    EvaluationKind kind;
    QString table;      // the study's rows
    QString catalogue;  // the items
    bool twoLevel;      // general item `kol` and sub-item `joz` instead of `cmt`
    bool scored;        // maximum `emtiyaz_top` and score `emtiyaz`
    bool graded;        // the four quality marks
};
const EvaluationTable &evaluationTable(EvaluationKind kind);

inline const QString done = QStringLiteral("انجام شده");
inline const QString notDone = QStringLiteral("انجام نشده");
inline const QString duplicateItemMessage = QStringLiteral("نام آيتم تکراريست");
// The four grades from worst to best, as the marks `zaeif` … `ali` follow them.
const QStringList &qualityGrades();
// The consultant's five answers.
const QStringList &consultantAnswers();

// The four scores a guide-plan item of this maximum offers: the list for a
// maximum of 1 to 5, empty for any other whole number, nullopt when the
// maximum is no whole number (the list stays as it was).
std::optional<QStringList> scoreSteps(const QString &maximum);
// The grade a score means for the maximum: nullopt when it stays as it was
// (a score that is no step, a maximum that is no whole number), empty text
// when it is emptied.
std::optional<QString> gradeOfScore(const QString &score, const QString &maximum);

// A typed score or maximum: "/" and "٫" are decimal points.
NumberReading evaluationNumber(const QString &typed);
// A stored score as shown: "2.5", "3"; empty for null.
QString scoreText(const QVariant &stored);

// The catalogue: the items (general items once each, in the order first met),
// the sub-items of a general item, and the maximum of an item (empty when gone).
QStringList catalogueItems(const Db &db, EvaluationKind kind);
QStringList catalogueSubItems(const Db &db, EvaluationKind kind, const QString &kol);
QString catalogueMaximum(const Db &db, EvaluationKind kind, const QString &item, const QString &subItem = {});

// One row as typed. One-level kinds name their item in `cmt`.
struct EvaluationEntry {
    QString cmt, kol, joz;
    QString emtiyaz_top, emtiyaz;
    QString anjam;  // done, notDone, or empty (detailed plan: neither chosen)
    QString keifiyat, sayer, dat, karshenas;
    int grade = -1;  // index into qualityGrades(); -1 none chosen
};

enum class EvaluationOutcome { Added, NoItem, Duplicate, BadNumber };
struct EvaluationResult {
    EvaluationOutcome outcome = EvaluationOutcome::Added;
    QString message;  // the refusal shown; empty when added
};

// Registers the row unless no item is named, the study holds the item already
// or a number is none (an empty one is 0); nothing is written then.
EvaluationResult registerEvaluation(const Db &db, EvaluationKind kind, qint64 study, const EvaluationEntry &entry);

// Replaces the study's rows by one per catalogue item with the entry's other
// values, in one transaction: GIS at full marks; the plans item by sub-item,
// with `kol` on each general item's first row only when `kolOnce`.
EvaluationResult registerAllEvaluations(const Db &db, EvaluationKind kind, qint64 study, const EvaluationEntry &entry,
                                        bool kolOnce = false);

// False when another clerk had already deleted the row.
bool deleteEvaluation(const Db &db, EvaluationKind kind, qint64 id);
// Returns how many rows it deleted.
int deleteAllEvaluations(const Db &db, EvaluationKind kind, qint64 study);

// The grid's rows, numbered in `radif` by registration.
ResultSet evaluationRows(const Db &db, EvaluationKind kind, qint64 study);
// The values a stored row puts back in the inputs.
EvaluationEntry entryOfRow(EvaluationKind kind, const Row &row);

// The sum of the study's scores and of the maxima: the plans add their own
// rows' maxima, GIS the whole catalogue's. Empty text when nothing is summed.
struct EvaluationSums {
    QString emtiyaz, emtiyaz_top;
};
EvaluationSums evaluationSums(const Db &db, EvaluationKind kind, qint64 study);

// sum × 100 / total, in its shortest form; nullopt when either is no number
// or the total is 0.
std::optional<Decimal> gisPercentage(const QString &sum, const QString &total);
// Writes the percentage into the study's `gis_emtiyaz`; false, and nothing
// written, when there is none.
bool writeGisPercentage(const Db &db, qint64 study, const EvaluationSums &sums);

}  // namespace bv::studies
