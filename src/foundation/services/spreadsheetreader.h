#pragma once
// Reading a worksheet of a spreadsheet file (.xlsx, or .xls) as text: the first
// row holds the column names, every cell is read as text, and numbers keep all
// their digits (a 12-digit code never turns into 1.23457E+11).
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace bv {

struct SheetTable {
    QStringList columns;              // the first row
    std::vector<QStringList> rows;    // the rows below it, as wide as `columns`
    int headingRow = 1;               // the sheet's number of the first row; rows[i] is headingRow + 1 + i
};

// The worksheet named `sheet` (found through the workbook, compared without
// regard to case); nullopt with `error` filled when the file cannot be read or
// has no such sheet.
std::optional<SheetTable> readSheet(const QString &path, const QString &sheet = QStringLiteral("Sheet1"),
                                    QString *error = nullptr);

// The text of a number as a spreadsheet stores it: whole numbers with every
// digit, others in the shortest form that reads back the same.
QString sheetNumberText(double value);

}  // namespace bv
