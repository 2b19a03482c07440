#pragma once
// Registration jobs (table `sabti`): the columns the entry window writes, the
// reading of its typed numbers, the duplicate check, register and edit. No widgets.
#include "db.h"

#include <QMap>

namespace bv::sabt {

// The 50 columns of `sabti` after `id`, in table order.
const QStringList &jobColumns();

// The typed texts of a job by column.
using JobTexts = QMap<QString, QString>;

// The values bound for jobColumns(): counts and figures read in the program (an
// empty one is 0), amounts as money, texts as typed. `error` names the field of
// the first unreadable number, and then nothing may be written.
struct JobValues {
    QVariantList values;
    QString error;
};
JobValues readJob(const JobTexts &typed);

// Another job with the same county, village, contract number and contractor text.
bool jobExists(const Db &db, const JobTexts &typed);
inline const QString duplicateJobMessage =
    QStringLiteral("خطا! شهرستان و روستا و نام پيمانکار و شماره قرارداد تکراري است");

// Each writes its log row for `user` in the same transaction. Throws DbError.
qint64 registerJob(const Db &db, const JobTexts &typed, const JobValues &values, const QString &user);
void editJob(const Db &db, qint64 id, const JobTexts &typed, const JobValues &values, const QString &user);

// The lookup list that prices a surveying method per parcel or per hectare;
// empty for a method other than "RTK" and "PPK", whose price is empty.
enum class PriceUnit { Parcel, Hectare };
QString priceList(const QString &method, PriceUnit unit);

// The stored job; empty when it is gone.
Row jobRow(const Db &db, qint64 id);

// The contractor text an opened job shows and an edit keeps: "lname * company"
// of its contractor row, or the job's stored text when that row is gone.
QString contractorLabel(const Db &db, qint64 contractorId, const QString &stored);

}  // namespace bv::sabt
