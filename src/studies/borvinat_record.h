#pragma once
// A study record (row of `borvinat`): its fields in the entry window's order
// with their labels, reading what was typed, the duplicate check, register and
// edit with their log rows. No widgets.
#include "db.h"
#include "typed_row.h"

#include <vector>

namespace bv::study {

enum class FieldKind { Combo, Edit, Date, Year, Status, ReadOnly, Hidden };

struct StudyField {
    const char *column;
    FieldKind kind;
    QString label;
};
// Every column the entry window stores, in its order.
const std::vector<StudyField> &studyFields();
const QStringList &studyColumns();

// The fixed choices of `status`.
inline const QStringList statusChoices = {QStringLiteral("مرحله اول - 40%"), QStringLiteral("قطعي - 100%")};

// The values bound for studyColumns(): an empty number stores null, "/" in the
// fees is the point; `error` names the first field that is no number.
RowValues readStudy(TypedTexts typed);
// The text an input shows for a stored value.
QString storedStudyText(const QString &column, const QVariant &value);

// Another study of the same county, village and credit year.
bool studyExists(const Db &db, const TypedTexts &typed);
inline const QString duplicateStudyMessage =
    QStringLiteral("خطا! شهرستان و روستا و نام مشاور طرح و نقشه و سال اعتبار تکراري است");

// Each writes its log row for `user` in the same transaction. Throws DbError.
qint64 registerStudy(const Db &db, const TypedTexts &typed, const RowValues &values, const QString &user);
void editStudy(const Db &db, qint64 id, const TypedTexts &typed, const RowValues &values, const QString &user);

// The studies contractor of a study; an empty row when it has none or the row is gone.
Row studyContractor(const Db &db, const Row &study);

// "lname * comp_name" of the studies contractor `id`; empty when there is none.
QString contractorLabel(const Db &db, qint64 id);

}  // namespace bv::study
