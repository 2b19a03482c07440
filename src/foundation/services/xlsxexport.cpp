#include "xlsxexport.h"

#include "interaction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <xlsxwriter.h>

namespace bv {

namespace {
constexpr lxw_col_t borderedColumns = 13;  // A to M
constexpr lxw_col_t boldColumns = 27;      // A to AA
constexpr double columnWidth = 10;
constexpr int cellTextLimit = 32767;       // characters a cell holds
const QString notWritten = QStringLiteral("فايل اکسل ساخته نشد: ");

lxw_format *newFormat(lxw_workbook *book, bool bold, uint8_t border)
{
    lxw_format *f = workbook_add_format(book);
    if (bold)
        format_set_bold(f);
    if (border != LXW_BORDER_NONE)
        format_set_border(f, border);
    return f;
}

QString errorText(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

class Sheet {
public:
    explicit Sheet(lxw_worksheet *sheet) : sheet_(sheet) {}

    // Writes one cell; an empty text leaves the cell empty, with its format.
    void put(lxw_row_t row, lxw_col_t col, const QString &text, lxw_format *format)
    {
        if (error_ != LXW_NO_ERROR)
            return;
        if (text.isEmpty()) {
            if (format)
                error_ = worksheet_write_blank(sheet_, row, col, format);
            return;
        }
        const QByteArray utf8 = (text.size() > cellTextLimit ? text.left(cellTextLimit) : text).toUtf8();
        error_ = worksheet_write_string(sheet_, row, col, utf8.constData(), format);
    }
    lxw_error error() const { return error_; }

private:
    lxw_worksheet *sheet_;
    lxw_error error_ = LXW_NO_ERROR;
};
}  // namespace

QString writeSpreadsheet(const QString &path, const ResultSet &rows, const Headings &headings,
                         const QSet<QString> &moneyColumns)
{
    // Rows are written in order, so the library can stream them to disk.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook *book = workbook_new_opt(file.constData(), &options);
    if (!book)
        return QStringLiteral("cannot create ") + path;
    lxw_worksheet *ws = workbook_add_worksheet(book, "Sheet1");
    worksheet_right_to_left(ws);
    lxw_format *headBordered = newFormat(book, true, LXW_BORDER_SLANT_DASH_DOT);
    lxw_format *headBold = newFormat(book, true, LXW_BORDER_NONE);
    lxw_format *dataBordered = newFormat(book, false, LXW_BORDER_THIN);

    const auto columns = lxw_col_t(rows.columns.size());
    if (columns > 0)
        worksheet_set_column(ws, 0, columns - 1, columnWidth, nullptr);

    Sheet sheet(ws);
    for (lxw_col_t c = 0; c < std::max(columns, boldColumns); ++c) {
        lxw_format *format = c < borderedColumns ? headBordered : c < boldColumns ? headBold : nullptr;
        sheet.put(0, c, c < columns ? headingOf(headings, rows.columns[c]) : QString(), format);
    }
    std::vector<bool> money(columns);
    for (lxw_col_t c = 0; c < columns; ++c)
        money[c] = moneyColumns.contains(rows.columns[c]);
    const lxw_col_t written = std::max(columns, borderedColumns);
    for (lxw_row_t r = 0; r < lxw_row_t(rows.size()) && sheet.error() == LXW_NO_ERROR; ++r) {
        const QVariantList &row = rows.rows[r];
        for (lxw_col_t c = 0; c < written; ++c)
            sheet.put(r + 1, c, c < columns ? cellText(row[c], money[c]) : QString(),
                      c < borderedColumns ? dataBordered : nullptr);
    }
    const lxw_error closed = workbook_close(book);
    if (sheet.error() != LXW_NO_ERROR)
        return errorText(sheet.error());
    if (closed != LXW_NO_ERROR)
        return errorText(closed);
    return {};
}

QString exportList(const ResultSet &rows, const Headings &headings, const QSet<QString> &moneyColumns)
{
    if (rows.size() > sheetDataRows) {
        ui().message(QStringLiteral("تعداد رديف هاي اين ليست (%1) بيش از گنجايش يک برگه اکسل (%2 رديف) است؛ فايلي ساخته نشد")
                         .arg(rows.size())
                         .arg(sheetDataRows),
                     MessageKind::Warning);
        return {};
    }
    // A name of its own in the temporary folder, so an earlier export still open
    // in the spreadsheet program is never overwritten.
    QTemporaryFile reserve(QDir::tempPath() + QStringLiteral("/borvinat-XXXXXX.xlsx"));
    reserve.setAutoRemove(false);
    if (!reserve.open()) {
        ui().message(notWritten + reserve.errorString(), MessageKind::Error);
        return {};
    }
    const QString path = reserve.fileName();
    reserve.close();
    const QString error = writeSpreadsheet(path, rows, headings, moneyColumns);
    if (!error.isEmpty()) {
        QFile::remove(path);
        ui().message(notWritten + error, MessageKind::Error);
        return {};
    }
    if (!ui().openWithDesktop(path))
        ui().message(QStringLiteral("برنامه اي براي باز کردن فايل اکسل پيدا نشد. فايل در اين مسير ذخيره شد:\n") +
                     QDir::toNativeSeparators(path));
    return path;
}

}  // namespace bv
