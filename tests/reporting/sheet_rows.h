#pragma once
// Reading an exported sheet back by heading, for the reporting tests.
#include "xlsxreader.h"

#include <QRegularExpression>

namespace bv::test {

// The texts of row `row` by column letter; styled empty cells are left out.
inline QMap<QString, QString> sheetRow(const XlsxSheet &sheet, int row)
{
    static const QRegularExpression ref(QStringLiteral("^([A-Z]+)(\\d+)$"));
    QMap<QString, QString> cells;
    for (auto it = sheet.cells.begin(); it != sheet.cells.end(); ++it) {
        const QRegularExpressionMatch m = ref.match(it.key());
        if (m.hasMatch() && m.captured(2).toInt() == row && !it.value().text.isEmpty())
            cells.insert(m.captured(1), it.value().text);
    }
    return cells;
}

// The values under `heading`, row 2 on.
inline QStringList sheetColumn(const XlsxSheet &sheet, const QString &heading)
{
    const QString letter = sheetRow(sheet, 1).key(heading);
    QStringList values;
    for (int r = 2; r <= sheet.rows.size(); ++r)
        values << sheet.text(letter + QString::number(r));
    return values;
}

}  // namespace bv::test
