#include "ExcelImport.h"
#include "scripted.h"
#include "spreadsheetreader.h"
#include "windows.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <xlsxwriter.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

namespace {
// A workbook with a data sheet named `sheet` (and an empty sheet before it when asked).
QString writeWorkbook(const QTemporaryDir &dir, const QString &sheet, bool emptyFirst = false)
{
    const QString path = dir.filePath(sheet + QStringLiteral(".xlsx"));
    lxw_workbook *wb = workbook_new(path.toUtf8().constData());
    if (emptyFirst)
        workbook_add_worksheet(wb, "Empty");
    lxw_worksheet *ws = workbook_add_worksheet(wb, sheet.toUtf8().constData());
    worksheet_write_string(ws, 0, 0, "cod", nullptr);
    worksheet_write_string(ws, 0, 1, "rosta", nullptr);
    worksheet_write_string(ws, 0, 2, "amount", nullptr);
    worksheet_write_number(ws, 1, 0, 778899001122.0, nullptr);
    worksheet_write_string(ws, 1, 1, "کلاته", nullptr);
    worksheet_write_number(ws, 1, 2, 12.5, nullptr);
    worksheet_write_number(ws, 2, 0, 1234, nullptr);
    worksheet_write_string(ws, 2, 1, "نيشابور", nullptr);
    // An empty cell in the middle stays an empty text.
    worksheet_write_string(ws, 3, 1, "ده", nullptr);
    workbook_close(wb);
    return path;
}
}  // namespace

TEST(SpreadsheetReader, FirstRowNamesTheColumnsAndNumbersKeepTheirDigits)
{
    QTemporaryDir dir;
    QString error;
    const auto table = readSheet(writeWorkbook(dir, QStringLiteral("Sheet1"), true), QStringLiteral("Sheet1"), &error);
    ASSERT_TRUE(table) << error.toStdString();
    EXPECT_EQ(table->columns, (QStringList{"cod", "rosta", "amount"}));
    ASSERT_EQ(table->rows.size(), 3u);
    EXPECT_EQ(table->rows[0], (QStringList{"778899001122", QStringLiteral("کلاته"), "12.5"}));
    EXPECT_EQ(table->rows[1], (QStringList{"1234", QStringLiteral("نيشابور"), ""}));
    EXPECT_EQ(table->rows[2], (QStringList{"", QStringLiteral("ده"), ""}));
    // The sheet name is compared without regard to case.
    EXPECT_TRUE(readSheet(writeWorkbook(dir, QStringLiteral("SHEET1")), QStringLiteral("Sheet1")));
}

TEST(SpreadsheetReader, MissingSheetOrUnreadableFileIsAnError)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(readSheet(writeWorkbook(dir, QStringLiteral("Data")), QStringLiteral("Sheet1"), &error));
    EXPECT_FALSE(error.isEmpty());
    const QString junk = dir.filePath(QStringLiteral("junk.xls"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a workbook");
    f.close();
    EXPECT_FALSE(readSheet(junk));
    EXPECT_FALSE(readSheet(dir.filePath(QStringLiteral("missing.xlsx"))));
    EXPECT_EQ(sheetNumberText(778899001122.0), QStringLiteral("778899001122"));
    EXPECT_EQ(sheetNumberText(0.1), QStringLiteral("0.1"));
}

TEST(SpreadsheetReader, FormattedEmptyCellsAddNoColumnsAndBlankRowsKeepTheirPlace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("formatted.xlsx"));
    lxw_workbook *wb = workbook_new(path.toUtf8().constData());
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Sheet1");
    lxw_format *bold = workbook_add_format(wb);
    format_set_bold(bold);
    // The heading starts on row 2; bold reaches past the last heading.
    worksheet_write_string(ws, 1, 0, "cod", bold);
    worksheet_write_string(ws, 1, 1, "rosta", bold);
    for (lxw_col_t c = 2; c < 27; ++c)
        worksheet_write_blank(ws, 1, c, bold);
    worksheet_write_string(ws, 2, 0, "1", nullptr);
    worksheet_write_blank(ws, 3, 0, bold);
    worksheet_write_string(ws, 4, 1, "ده", nullptr);
    workbook_close(wb);

    const auto table = readSheet(path);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->columns, (QStringList{"cod", "rosta"}));
    EXPECT_EQ(table->headingRow, 2);
    ASSERT_EQ(table->rows.size(), 3u);
    EXPECT_EQ(table->rows[1], (QStringList{"", ""}));
    EXPECT_EQ(table->rows[2], (QStringList{"", QStringLiteral("ده")}));
}

TEST(ExcelImportWindow, ShowsTheRowsOfSheet1)
{
    QTemporaryDir dir;
    user().files = {writeWorkbook(dir, QStringLiteral("Sheet1"))};
    int shownWidth = 0;
    user().dialogs.push_back([&](QDialog &d) {
        shownWidth = d.width();
        return int(QDialog::Accepted);
    });
    importFromExcel(900);
    ExcelImport &window = windows::get<ExcelImport>();
    EXPECT_EQ(user().shownDialogs, QStringList{QStringLiteral("ExcelImport")});
    EXPECT_EQ(shownWidth, 870);
    EXPECT_EQ(window.cnt->text(), QStringLiteral("3"));
    ASSERT_EQ(window.grid->rowCount(), 3);
    EXPECT_EQ(window.grid->horizontalHeaderItem(0)->text(), QStringLiteral("cod"));
    EXPECT_EQ(window.grid->item(0, 0)->text(), QStringLiteral("778899001122"));
    EXPECT_EQ(window.grid->columnWidth(1), 100);
    EXPECT_TRUE(user().messages.empty());

    // The transfer walks every row once the user confirms, and stores nothing.
    user().answers = {false};
    window.transfer_btn->click();
    EXPECT_NE(window.progress->value(), 3);
    user().answers = {true};
    window.transfer_btn->click();
    EXPECT_EQ(window.progress->maximum(), 3);
    EXPECT_EQ(window.progress->value(), 3);
    EXPECT_EQ(user().questions.last(), QStringLiteral("آيا از فايل خوانده شده و انتقال اطلاعات آن مطمئن هستيد؟"));
}

TEST(ExcelImportWindow, WorkbookWithoutSheet1GivesTheMessageAndAnEmptyList)
{
    QTemporaryDir dir;
    ExcelImport &window = windows::get<ExcelImport>();
    ASSERT_TRUE(window.load(writeWorkbook(dir, QStringLiteral("Sheet1"))));
    ASSERT_EQ(window.grid->rowCount(), 3);
    // Its first sheet holds data, but it is not named Sheet1.
    user().files = {writeWorkbook(dir, QStringLiteral("Villages"))};
    user().dialogs.push_back([](QDialog &) { return int(QDialog::Rejected); });
    importFromExcel(900);
    EXPECT_EQ(user().messageTexts(),
              QStringList{QStringLiteral("خطا در خواندن فايل اکسل! لطفا فايل را ببنديد و يا از نام شيت آن مطمئن شويد Sheet1 ")});
    EXPECT_EQ(window.grid->rowCount(), 0);
    EXPECT_EQ(window.cnt->text(), QStringLiteral("0"));
    EXPECT_EQ(user().shownDialogs.size(), 1);  // the window still opens

    // Cancelling the file choice ends the command.
    user().clear();
    importFromExcel(900);
    EXPECT_TRUE(user().shownDialogs.isEmpty());
}
