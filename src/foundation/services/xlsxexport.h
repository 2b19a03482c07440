#pragma once
// The spreadsheet export of a list: every column of the rows, headed from the
// list's heading map, written as text to an .xlsx file.
#include "db.h"
#include "listtext.h"

#include <QSet>
#include <QString>

namespace bv {

// Rows a sheet holds below its heading row.
constexpr int sheetDataRows = 1048575;

// Writes the sheet "Sheet1", right to left: headings in row 1 (column width 10,
// A1:AA1 bold, A1:M1 slanted dash-dot borders), then one row per row of `rows`
// with each value as trimmed text (`moneyColumns` as grouped digits) and thin
// borders over columns A to M. Returns the error text; empty when written.
QString writeSpreadsheet(const QString &path, const ResultSet &rows, const Headings &headings,
                         const QSet<QString> &moneyColumns = {});

// Writes the sheet to a new file in the temporary folder and opens it with the
// desktop's spreadsheet program; the user is told where the file is when
// nothing opens it, and why when no file could be written. Returns the path,
// empty when no file was written.
QString exportList(const ResultSet &rows, const Headings &headings, const QSet<QString> &moneyColumns = {});

}  // namespace bv
