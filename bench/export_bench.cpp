// Times the spreadsheet export of a 50,000-row, 13-column list against
// libxlsxwriter writing the same cells directly. Prints a table; never fails.
#include "listtext.h"
#include "xlsxexport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <xlsxwriter.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace bv;

namespace {
constexpr int rowCount = 50000;
constexpr int runs = 3;

ResultSet sampleRows()
{
    const QStringList cities = {QStringLiteral("شهرکرد"), QStringLiteral("بروجن"), QStringLiteral("لردگان"),
                                QStringLiteral("فارسان"), QStringLiteral("کوهرنگ")};
    const QStringList villages = {QStringLiteral("ده چشمه"), QStringLiteral("سورشجان"), QStringLiteral("گندمان"),
                                  QStringLiteral("چالشتر"), QStringLiteral("ژاله آباد")};
    ResultSet rows;
    rows.columns = {"id", "city", "bakhsh", "rosta", "cod", "prot_no", "prot_dat1", "prot_mablagh",
                    "pardakhti", "peymankar", "masahat_por", "tamin_sal", "cmt"};
    rows.rows.reserve(rowCount);
    for (int i = 0; i < rowCount; ++i) {
        rows.rows.push_back({i + 1, cities[i % 5], QStringLiteral("مرکزي"), villages[(i / 5) % 5],
                             QStringLiteral(" %1 ").arg(100000 + i), QStringLiteral("ق/%1").arg(i),
                             QStringLiteral("1402/%1/%2").arg(1 + i % 12, 2, 10, QChar('0')).arg(1 + i % 28, 2, 10, QChar('0')),
                             qint64(1250000) * (i % 97 + 1), QStringLiteral("%1.5000").arg(i * 1000),
                             QStringLiteral("شرکت مهندسين مشاور %1").arg(i % 40), 12.5 + i % 7, 1400 + i % 5,
                             QStringLiteral("  توضيحات طرح شماره %1  ").arg(i)});
    }
    return rows;
}

// The same cells, formats and options, written straight through libxlsxwriter.
double direct(const QString &path, const std::vector<std::vector<std::string>> &cells)
{
    QElapsedTimer timer;
    timer.start();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(path.toLocal8Bit().constData(), &options);
    lxw_worksheet *ws = workbook_add_worksheet(book, "Sheet1");
    worksheet_right_to_left(ws);
    lxw_format *head = workbook_add_format(book);
    format_set_bold(head);
    format_set_border(head, LXW_BORDER_SLANT_DASH_DOT);
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *data = workbook_add_format(book);
    format_set_border(data, LXW_BORDER_THIN);
    worksheet_set_column(ws, 0, 12, 10, nullptr);
    for (lxw_col_t c = 0; c < 27; ++c) {
        if (c < 13)
            worksheet_write_string(ws, 0, c, cells[0][c].c_str(), head);
        else
            worksheet_write_blank(ws, 0, c, bold);
    }
    for (lxw_row_t r = 1; r < cells.size(); ++r)
        for (lxw_col_t c = 0; c < 13; ++c)
            worksheet_write_string(ws, r, c, cells[r][c].c_str(), data);
    workbook_close(book);
    return double(timer.nsecsElapsed()) / 1e6;
}
}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const ResultSet rows = sampleRows();
    const QSet<QString> money = {"prot_mablagh", "pardakhti"};

    std::vector<std::vector<std::string>> cells;
    cells.reserve(rows.rows.size() + 1);
    std::vector<std::string> heading;
    for (const QString &c : rows.columns)
        heading.push_back(c.toStdString());
    cells.push_back(heading);
    for (const QVariantList &row : rows.rows) {
        std::vector<std::string> texts;
        for (int c = 0; c < row.size(); ++c)
            texts.push_back(cellText(row[c], money.contains(rows.columns[c])).toStdString());
        cells.push_back(std::move(texts));
    }

    double best[2] = {1e300, 1e300};
    for (int run = 0; run < runs; ++run) {
        best[0] = std::min(best[0], direct(dir.filePath("direct.xlsx"), cells));
        QElapsedTimer timer;
        timer.start();
        writeSpreadsheet(dir.filePath("export.xlsx"), rows, {}, money);
        best[1] = std::min(best[1], double(timer.nsecsElapsed()) / 1e6);
    }

    QTextStream out(stdout);
    out << "Spreadsheet export, " << rowCount << " rows x 13 columns, best of " << runs << " runs\n";
    out << QStringLiteral("%1 %2\n").arg("writer", -28).arg("ms", 10);
    out << QStringLiteral("%1 %2\n").arg("libxlsxwriter directly", -28).arg(best[0], 10, 'f', 1);
    out << QStringLiteral("%1 %2\n").arg("exportList (writeSpreadsheet)", -28).arg(best[1], 10, 'f', 1);
    out << QStringLiteral("%1 %2\n").arg("ratio", -28).arg(best[1] / best[0], 10, 'f', 2);
    return 0;
}
