#include "listtext.h"
#include "scripted.h"
#include "xlsxexport.h"
#include "xlsxreader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bv;
using bv::test::readXlsx;
using bv::test::user;
using bv::test::XlsxSheet;

namespace {
// The column letters of a 1-based column number.
QString letters(int column)
{
    QString out;
    for (; column > 0; column = (column - 1) / 26)
        out.prepend(QChar('A' + (column - 1) % 26));
    return out;
}

XlsxSheet written(const ResultSet &rows, const Headings &headings, const QSet<QString> &money = {})
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.xlsx");
    EXPECT_EQ(writeSpreadsheet(path, rows, headings, money), QString());
    return readXlsx(path);
}

ResultSet people()
{
    ResultSet rows;
    rows.columns = {"id", "name", "amount", "note"};
    rows.rows = {
        {1, QStringLiteral("  علي رضايي  "), 1250000, QVariant()},
        {2, QStringLiteral("پروين"), QStringLiteral("17400000.0000"), QStringLiteral(" x ")},
        {3, QStringLiteral("ژاله"), 0, QStringLiteral("")},
    };
    return rows;
}

const Headings headings = {{"id", QStringLiteral("شناسه")}, {"name", QStringLiteral("نام")},
                           {"amount", QStringLiteral("مبلغ")}};
}  // namespace

TEST(Xlsx, HeadingsTrimmedTextsAndOneRowPerRow)
{
    const XlsxSheet sheet = written(people(), headings, {"amount"});
    EXPECT_EQ(sheet.name, "Sheet1");
    EXPECT_TRUE(sheet.rightToLeft);
    EXPECT_EQ(sheet.rows, (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(sheet.text("A1"), QStringLiteral("شناسه"));
    EXPECT_EQ(sheet.text("C1"), QStringLiteral("مبلغ"));
    EXPECT_EQ(sheet.text("D1"), "note");  // unmapped: its column name
    EXPECT_EQ(sheet.text("A2"), "1");
    EXPECT_EQ(sheet.text("B2"), QStringLiteral("علي رضايي"));
    EXPECT_EQ(sheet.text("C2"), "1,250,000");
    EXPECT_EQ(sheet.text("C3"), "17,400,000");
    EXPECT_EQ(sheet.text("D3"), "x");
    EXPECT_EQ(sheet.text("D2"), "");
    EXPECT_EQ(sheet.text("C4"), "0");
    EXPECT_EQ(sheet.columnRanges, (QList<std::pair<int, int>>{{1, 4}}));
}

TEST(Xlsx, BoldHeadingRowAndBorders)
{
    const XlsxSheet sheet = written(people(), headings);
    for (int c = 1; c <= 27; ++c)
        EXPECT_TRUE(sheet.cells.value(letters(c) + "1").bold) << c;
    EXPECT_FALSE(sheet.cells.value("AB1").bold);
    for (int c = 1; c <= 13; ++c) {
        EXPECT_EQ(sheet.cells.value(letters(c) + "1").border, "slantDashDot") << c;
        for (int r = 2; r <= 4; ++r)
            EXPECT_EQ(sheet.cells.value(letters(c) + QString::number(r)).border, "thin") << c << r;
    }
    EXPECT_EQ(sheet.cells.value("N1").border, "");
    EXPECT_FALSE(sheet.has("A5"));
    EXPECT_FALSE(sheet.has("N2"));
}

TEST(Xlsx, WideListsAreWrittenWholeWithBordersUpToM)
{
    ResultSet rows;
    for (int c = 1; c <= 30; ++c)
        rows.columns << QStringLiteral("c%1").arg(c);
    QVariantList row;
    for (int c = 1; c <= 30; ++c)
        row << c;
    rows.rows = {row};
    const XlsxSheet sheet = written(rows, {});
    EXPECT_EQ(sheet.text("AD1"), "c30");
    EXPECT_FALSE(sheet.cells.value("AD1").bold);
    EXPECT_TRUE(sheet.cells.value("AA1").bold);
    EXPECT_EQ(sheet.text("AD2"), "30");
    EXPECT_EQ(sheet.cells.value("M2").border, "thin");
    EXPECT_EQ(sheet.cells.value("N2").border, "");
}

TEST(Xlsx, EmptyListGivesTheHeadingRowAlone)
{
    ResultSet rows;
    rows.columns = {"id", "name"};
    const XlsxSheet sheet = written(rows, headings);
    EXPECT_EQ(sheet.rows, QList<int>{1});
    EXPECT_EQ(sheet.text("B1"), QStringLiteral("نام"));
}

TEST(Xlsx, ExportOpensANewFileWithTheDesktop)
{
    const QString first = exportList(people(), headings);
    const QString second = exportList(people(), headings);
    ASSERT_EQ(user().opened, (QStringList{first, second}));
    EXPECT_NE(first, second);
    EXPECT_TRUE(first.startsWith(QDir::tempPath()));
    EXPECT_EQ(readXlsx(first).text("B2"), QStringLiteral("علي رضايي"));
    EXPECT_TRUE(user().messages.empty());
    QFile::remove(first);
    QFile::remove(second);
}

TEST(Xlsx, UserIsToldWhereTheFileIsWhenNothingOpensIt)
{
    user().desktopOpens = false;
    const QString path = exportList(people(), headings);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(user().lastMessage(),
              QStringLiteral("برنامه اي براي باز کردن فايل اکسل پيدا نشد. فايل در اين مسير ذخيره شد:\n") +
                  QDir::toNativeSeparators(path));
    QFile::remove(path);
}

TEST(Xlsx, MoreRowsThanASheetHoldsWritesNothing)
{
    ResultSet rows;
    rows.rows.resize(size_t(sheetDataRows) + 1);
    EXPECT_EQ(exportList(rows, {}), QString());
    EXPECT_TRUE(user().opened.isEmpty());
    EXPECT_EQ(user().lastMessage(),
              QStringLiteral("تعداد رديف هاي اين ليست (1048576) بيش از گنجايش يک برگه اکسل (1048575 رديف) است؛ فايلي ساخته نشد"));
}

TEST(ListText, CellTexts)
{
    EXPECT_EQ(cellText(QVariant()), "");
    EXPECT_EQ(cellText(QVariant(), true), "");
    EXPECT_EQ(cellText(QStringLiteral("  a b ")), "a b");
    EXPECT_EQ(cellText(12.5), "12.5");
    EXPECT_EQ(cellText(QStringLiteral("1250000.5000"), true), "1,250,000.5");
    EXPECT_EQ(cellText(QDateTime(QDate(2024, 3, 1), QTime(14, 5, 9))), "2024-03-01 14:05:09");
    EXPECT_EQ(headingOf(headings, "name"), QStringLiteral("نام"));
    EXPECT_EQ(headingOf(headings, "x"), "x");
}
