#pragma once
// Moving a browser grid's current row as a click would, for window tests.
#include "browsergrid.h"

namespace bv::test {

// Makes the first shown row whose `column` holds `value` current; false when none does.
inline bool selectRow(BrowserGrid &grid, const QString &column, const QVariant &value)
{
    const ResultSet shown = grid.shownRows();
    const int c = shown.columnIndex(column);
    for (int r = 0; r < shown.size(); ++r) {
        if (c >= 0 && shown.rows[size_t(r)][c].toString() == value.toString()) {
            grid.setCurrentIndex(grid.model()->index(r, c));
            return true;
        }
    }
    return false;
}

// The values of `column` in the order shown.
inline QStringList shownColumn(const BrowserGrid &grid, const QString &column)
{
    const ResultSet shown = grid.shownRows();
    QStringList values;
    const int c = shown.columnIndex(column);
    for (const QVariantList &row : shown.rows)
        values << row[c].toString();
    return values;
}

}  // namespace bv::test
