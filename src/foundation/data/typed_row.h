#pragma once
// Reading a row typed into an entry window for its table: each value by the
// type of its column, numbers read in the program, so that a text that is no
// number is refused with a message naming its field before anything is written.
#include "db.h"

#include <QMap>

namespace bv {

// The typed texts of a row by column.
using TypedTexts = QMap<QString, QString>;

// What an empty number stores.
enum class EmptyNumber { Zero, Null };

// The values bound for `columns` of `table`: whole numbers for integer
// columns, exact decimals for measures ("/" read as the point), amounts for
// money columns, texts with the yeh normalised. `error` names (by `labels`,
// else the column) the first field that cannot be read; then nothing may be
// written.
struct RowValues {
    QVariantList values;
    QString error;
};
RowValues readTypedRow(const QString &table, const QStringList &columns, const TypedTexts &typed,
                       const QMap<QString, QString> &labels, EmptyNumber empty);

// The text an input shows for a stored value of `column` of `table`: amounts
// and measures as plain exact decimals ("1250000.5", "16.27"), "/" of older
// measures read as the point; other values as stored.
QString storedColumnText(const QString &table, const QString &column, const QVariant &value);

}  // namespace bv
