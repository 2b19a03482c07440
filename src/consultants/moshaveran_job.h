#pragma once
// Consultant jobs (table `moshaveran`) as plain code: the workflow steps and
// their stored words, the duplicate check, register, edit, the later steps,
// the inquiry offices and delete. No widgets.
#include "db.h"

#include <QMap>
#include <QStringList>
#include <optional>
#include <vector>

namespace bv::consultants {

// Stored words of a step: its state, and the fourth agent's approval.
inline const QString yes = QStringLiteral("بلي");
inline const QString no = QStringLiteral("خير");
inline const QString unanswered = QStringLiteral("*");
inline const QString approved = QStringLiteral("تاييد");
inline const QString notApproved = QStringLiteral("عدم تاييد");

struct Step {
    QString column;   // the state column; `column_dat` and `column_t` beside it
    QString caption;
    bool hasDate = true;
    bool later = false;  // edited in the later-steps window

    QString dateColumn() const { return column + QStringLiteral("_dat"); }
    QString approvalColumn() const { return column + QStringLiteral("_t"); }
};

// The eighteen steps in their order on the windows and in the row.
const std::vector<Step> &steps();
// The seven first steps, or the eleven later ones.
std::vector<Step> stepsOf(bool later);

// The job columns of the first window, in table order.
const QStringList &jobColumns();
// The step columns of the first or the later window, in table order (the
// later ones with `nazar_cmt` after `nazar_t`).
QStringList stepColumns(bool later);
// The job's date columns, eight digits each.
const QStringList &jobDateColumns();

// Stored texts by column, as typed or as chosen.
using JobTexts = QMap<QString, QString>;

// Another job with the same county, village, consultant and contract date.
bool jobExists(const Db &db, const JobTexts &typed);
inline const QString duplicateJobMessage =
    QStringLiteral("خطا! شهرستان و روستا و نام مشاور طرح و نقشه و سال اعتبار تکراري است");

// The offices of a list, normalised as typed text, blanks and repeats dropped.
QStringList distinctOffices(const QStringList &offices);

// Each writes the row, its offices and its log row for `user` in one
// transaction. Throws DbError.
// The job columns and first steps from `typed`, the later steps as empty
// texts, `karbar` the user; returns the new id.
qint64 registerJob(const Db &db, const JobTexts &typed, const QStringList &offices, const QString &user);
// The job columns and first steps of `id`; its offices become `offices`.
// With `shown`, the offices the window loaded, only the offices ticked or
// unticked since change: one another clerk added or removed meanwhile stays
// as they left it. `karbar` and the later steps stay. False, with nothing
// written, when the job is gone.
bool editJob(const Db &db, qint64 id, const JobTexts &typed, const QStringList &offices, const QString &user,
             const std::optional<QStringList> &shown = std::nullopt);
// The later steps and `nazar_cmt` of `id`.
bool saveLaterSteps(const Db &db, qint64 id, const JobTexts &typed, const QString &user);

inline const QString jobGoneMessage = QStringLiteral("اين کار مشاور ديگر وجود ندارد");

// The stored job; empty when it is gone.
Row jobRow(const Db &db, qint64 id);

// The offices of a job first (ticked), then the items of "ادارات استعلام"
// it lacks (unticked).
struct OfficeChoices {
    QStringList ticked;
    QStringList unticked;
};
OfficeChoices officeChoices(const Db &db, qint64 id);
inline const QString officeList = QStringLiteral("ادارات استعلام");
inline const QString expertList = QStringLiteral("کارشناس عامل چهارم");

// The studies contractors as consultants: "lname fname" of a natural person,
// else the company name; in their order, repeats and blanks dropped.
QStringList consultantNames(const Db &db);

// What goes with a job when it is deleted.
struct JobDependents {
    int attachments = 0;
    int offices = 0;
};
JobDependents jobDependents(const Db &db, qint64 id);
// The question asked before a job goes, naming what goes with it.
QString deleteQuestion(const JobDependents &dependents);
// Deletes the job, its attachments and offices, with its log row, in one
// transaction; false, with nothing written, when the job was already gone.
bool deleteJob(const Db &db, qint64 id, const QString &user);

}  // namespace bv::consultants
