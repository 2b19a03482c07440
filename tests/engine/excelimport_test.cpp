#include "ExcelImport.h"
#include "scripted.h"
#include "spreadsheetreader.h"
#include "windows.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>
#include <zip.h>

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

// A zip written entry by entry, so that a workbook can hold what no spreadsheet
// program writes. An entry with a claimed size is stored with that size
// recorded as its inflated size.
struct ZipEntry {
    const char *name;
    QByteArray content;
    quint64 claimedSize = 0;
};

void writeZip(const QString &path, const std::vector<ZipEntry> &entries)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    ASSERT_TRUE(zip);
    for (const ZipEntry &e : entries) {
        zip_fileinfo info{};
        const bool raw = e.claimedSize != 0;
        ASSERT_EQ(zipOpenNewFileInZip2_64(zip, e.name, &info, nullptr, 0, nullptr, 0, nullptr, raw ? 0 : Z_DEFLATED,
                                          Z_DEFAULT_COMPRESSION, raw, 1),
                  ZIP_OK);
        ASSERT_EQ(zipWriteInFileInZip(zip, e.content.constData(), unsigned(e.content.size())), ZIP_OK);
        ASSERT_EQ(raw ? zipCloseFileInZipRaw64(zip, e.claimedSize, 0) : zipCloseFileInZip(zip), ZIP_OK);
    }
    ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
}

// A workbook whose Sheet1 holds `rows` (the inside of sheetData).
QString rawWorkbook(const QTemporaryDir &dir, const QString &name, const QByteArray &rows,
                    quint64 claimedSheetSize = 0, std::optional<ZipEntry> extra = {})
{
    const QString path = dir.filePath(name);
    std::vector<ZipEntry> entries{
        {"xl/workbook.xml",
         "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
         "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml",
         "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" + rows +
             "</sheetData></worksheet>",
         claimedSheetSize},
    };
    if (extra)
        entries.push_back(*extra);
    writeZip(path, entries);
    return path;
}

// This process's resident memory in kB: now ("VmRSS") or at its peak since
// the peak was last reset ("VmHWM").
qint64 memoryKb(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Sets the peak back to the current size; false where the system cannot.
bool resetMemoryPeak()
{
    const int fd = ::open("/proc/self/clear_refs", O_WRONLY);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, "5", 1) == 1;
    ::close(fd);
    return written;
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

TEST(SpreadsheetReader, ACellBeyondTheSpreadsheetLimitsIsRefusedBeforeAnythingIsAllocatedForIt)
{
    QTemporaryDir dir;
    const QByteArray heading = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>cod</t></is></c></row>";
    const QString farRow =
        rawWorkbook(dir, "far.xlsx", heading + "<row r=\"5000000\"><c r=\"A5000000\"><v>1</v></c></row>");
    const bool measured = resetMemoryPeak();
    const qint64 before = memoryKb("VmRSS");
    QString error;
    EXPECT_FALSE(readSheet(farRow, QStringLiteral("Sheet1"), &error));
    EXPECT_FALSE(error.isEmpty());
    if (measured) {
        EXPECT_LT(memoryKb("VmHWM") - before, 32 * 1024) << "the reader grew by more than 32 MB";
    }

    // The window says so with its message.
    ExcelImport &window = windows::get<ExcelImport>();
    EXPECT_FALSE(window.load(farRow));
    EXPECT_EQ(user().messageTexts(), QStringList{excelReadErrorMessage()});
    EXPECT_EQ(window.grid->rowCount(), 0);

    // Past the last column, a row or cell beyond the last row, a reference
    // that names no cell: all refused.
    for (const QByteArray &rows :
         {QByteArray("<row r=\"2\"><c r=\"XFE2\"><v>1</v></c></row>"),
          QByteArray("<row r=\"2\"><c r=\"AAAAAAAA2\"><v>1</v></c></row>"),
          QByteArray("<row r=\"1048577\"><c><v>1</v></c></row>"),
          QByteArray("<row r=\"2\"><c r=\"A1048577\"><v>1</v></c></row>"),
          QByteArray("<row r=\"2\"><c r=\"A99999999999\"><v>1</v></c></row>"),
          QByteArray("<row r=\"2\"><c r=\"2A\"><v>1</v></c></row>")}) {
        SCOPED_TRACE(rows.toStdString());
        EXPECT_FALSE(readSheet(rawWorkbook(dir, "bad.xlsx", heading + rows)));
    }
    // The last column itself is a column like any other.
    const auto widest = readSheet(rawWorkbook(dir, "widest.xlsx", heading + "<row r=\"2\"><c r=\"XFD2\"><v>7</v></c></row>"));
    ASSERT_TRUE(widest);
    EXPECT_EQ(widest->columns.size(), 16384);
    EXPECT_EQ(widest->rows.at(0).last(), "7");
    // Within the limits, a table too large to hold is refused too.
    EXPECT_FALSE(readSheet(rawWorkbook(dir, "vast.xlsx", heading + "<row r=\"1048576\"><c r=\"Z1048576\"><v>1</v></c></row>")));
}

TEST(SpreadsheetReader, AnOversizedPartIsRefusedByItsRecordedSizeBeforeItIsInflated)
{
    QTemporaryDir dir;
    const QByteArray rows = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>";
    const QByteArray strings = "<sst><si><t>cod</t></si></sst>";
    const auto table = readSheet(rawWorkbook(dir, "fine.xlsx", rows, 0, ZipEntry{"xl/sharedStrings.xml", strings}));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->columns, QStringList{"cod"});

    QString error;
    EXPECT_FALSE(readSheet(rawWorkbook(dir, "sheet.xlsx", rows, quint64(3) << 30), QStringLiteral("Sheet1"), &error));
    EXPECT_FALSE(error.isEmpty());
    // An oversized table of texts is not taken for a missing one.
    EXPECT_FALSE(readSheet(
        rawWorkbook(dir, "strings.xlsx", rows, 0, ZipEntry{"xl/sharedStrings.xml", strings, quint64(1) << 30})));
}

TEST(SpreadsheetReader, AValueBeyondTheLastHeadingIsAColumn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.xlsx"));
    lxw_workbook *wb = workbook_new(path.toUtf8().constData());
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Sheet1");
    worksheet_write_string(ws, 0, 0, "cod", nullptr);
    worksheet_write_string(ws, 0, 1, "rosta", nullptr);
    worksheet_write_string(ws, 1, 0, "1", nullptr);
    worksheet_write_string(ws, 2, 3, "stray", nullptr);
    workbook_close(wb);
    const auto table = readSheet(path);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->columns, (QStringList{"cod", "rosta", "", ""}));
    ASSERT_EQ(table->rows.size(), 2u);
    EXPECT_EQ(table->rows[0], (QStringList{"1", "", "", ""}));
    EXPECT_EQ(table->rows[1], (QStringList{"", "", "", "stray"}));
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
