#pragma once
// Reads back an .xlsx file written by the export, independently of the writer:
// the zip is opened by `unzip` and the sheet XML parsed here.
#include <QMap>
#include <QString>
#include <QStringList>

namespace bv::test {

struct XlsxCell {
    QString text;
    bool bold = false;
    QString border;  // style of the cell's left border: "thin", "slantDashDot" or empty
};

struct XlsxSheet {
    QString name;                  // of the first sheet
    bool rightToLeft = false;
    QMap<QString, XlsxCell> cells; // "A1" -> cell
    QList<int> rows;               // row numbers present, in file order
    QList<std::pair<int, int>> columnRanges;  // <col min, max> with a width
    QList<double> columnWidths;

    QString text(const QString &ref) const { return cells.value(ref).text; }
    bool has(const QString &ref) const { return cells.contains(ref); }
};

// An empty sheet name when the file cannot be read.
XlsxSheet readXlsx(const QString &path);

}  // namespace bv::test
