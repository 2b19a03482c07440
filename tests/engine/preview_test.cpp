#include "clipboard_frm.h"
#include "helpers.h"
#include "previewdialog.h"
#include "scripted.h"
#include "windows.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

namespace {
// The print dialog's answer: print to a PDF file standing in for paper.
std::function<int(QDialog &)> printTo(const QString &path, int from = 0, int to = 0)
{
    return [path, from, to](QDialog &dialog) {
        auto &print = dynamic_cast<QPrintDialog &>(dialog);
        print.printer()->setOutputFormat(QPrinter::PdfFormat);
        print.printer()->setOutputFileName(path);
        if (from > 0)
            print.printer()->setFromTo(from, to);
        return int(QDialog::Accepted);
    };
}

// Widths of the pages of a PDF, in points.
QList<double> pdfPageWidths(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<double> widths;
    static const QRegularExpression box(QStringLiteral(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+))"));
    for (auto it = box.globalMatch(QString::fromLatin1(file.readAll())); it.hasNext();)
        widths << it.next().captured(1).toDouble();
    return widths;
}

int pdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(file.readAll().count("/Type /Page\n") + 0);
}
}  // namespace

TEST(Preview, AfterPrintRunsOnlyWhenPrinted)
{
    int printed = 0;
    Document doc(letterTemplate());
    doc.setAfterPrint([&] { ++printed; });
    doc.setLabel(QStringLiteral("rosta"), QStringLiteral("کلاته"));

    EXPECT_FALSE(doc.preview());  // looked at and closed
    EXPECT_EQ(printed, 0);
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(user().documents[0].name, QStringLiteral("test_letter"));
    EXPECT_EQ(user().documents[0].action, DocumentAction::Preview);
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("کلاته")));

    user().previews.push_back([](ShownDocument &) { return true; });
    EXPECT_TRUE(doc.preview());
    EXPECT_EQ(printed, 1);

    EXPECT_TRUE(doc.print());  // straight to the printer
    EXPECT_EQ(printed, 2);
    EXPECT_EQ(user().documents.back().action, DocumentAction::Print);
}

TEST(Preview, DatabaseErrorOfTheAfterPrintActionIsShown)
{
    Document doc(letterTemplate());
    doc.setAfterPrint([] { throw DbError(QStringLiteral("connection lost")); });
    user().previews.push_back([](ShownDocument &) { return true; });
    EXPECT_TRUE(doc.preview());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("connection lost"));
}

TEST(Preview, SavingAPdfFromThePreviewIsNotAPrint)
{
    QTemporaryDir dir;
    Document doc(listTemplate());
    doc.setRows(numberedRows(3));
    PreviewDialog dialog(doc);
    const QString path = dir.filePath(QStringLiteral("saved.pdf"));
    user().files = {path};
    dialog.pdf_btn->click();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(dialog.printed());
    // A cancelled print dialog prints nothing either.
    dialog.print_btn->click();
    EXPECT_FALSE(dialog.printed());
    EXPECT_EQ(user().shownDialogs.size(), 1);
}

TEST(Preview, PrintingFromThePreviewCountsAndHonoursThePageRange)
{
    QTemporaryDir dir;
    Document doc(listTemplate());
    doc.setRows(numberedRows(80));
    PreviewDialog dialog(doc);
    ASSERT_EQ(dialog.pageCount(), 3);
    EXPECT_EQ(dialog.currentPage(), 1);
    dialog.next_btn->click();
    EXPECT_EQ(dialog.currentPage(), 2);
    dialog.last_btn->click();
    EXPECT_EQ(dialog.currentPage(), 3);
    dialog.next_btn->click();
    EXPECT_EQ(dialog.currentPage(), 3);

    const QString path = dir.filePath(QStringLiteral("printed.pdf"));
    user().dialogs.push_back(printTo(path, 2, 3));
    dialog.print_btn->click();
    EXPECT_TRUE(dialog.printed());
    EXPECT_EQ(pdfPages(path), 2);
    EXPECT_TRUE(user().messages.empty());
}

TEST(Preview, PrintKeepsTheTemplatesPaperWhateverTheDialogChose)
{
    QTemporaryDir dir;
    Document doc(listTemplate());  // A4 portrait
    doc.setRows(numberedRows(3));
    PreviewDialog dialog(doc);
    const QString path = dir.filePath(QStringLiteral("portrait.pdf"));
    user().dialogs.push_back([&](QDialog &d) {
        printTo(path)(d);
        dynamic_cast<QPrintDialog &>(d).printer()->setPageOrientation(QPageLayout::Landscape);
        return int(QDialog::Accepted);
    });
    dialog.print_btn->click();
    ASSERT_TRUE(dialog.printed());
    const QList<double> widths = pdfPageWidths(path);
    ASSERT_EQ(widths.size(), 1);
    EXPECT_NEAR(widths[0], 595.3, 1.0);
    // The printer set-up goes through the user interface too.
    dialog.setup_btn->click();
    EXPECT_EQ(user().shownDialogs.size(), 2);
}

TEST(Preview, ClipboardHoldsTheLetterWithItsValues)
{
    Document doc = Document::load(QStringLiteral("tamdid_frm"));
    doc.setLabel(QStringLiteral("rosta"), QStringLiteral("کلاته"));
    doc.setLabel(QStringLiteral("city"), QStringLiteral("نيشابور"));
    doc.setLabel(QStringLiteral("prot_no"), QStringLiteral("8123"));
    doc.setLabel(QStringLiteral("status_dat"), QStringLiteral("1402/12/29"));
    copyLetterText(doc);
    const QString clip = user().clipboard;
    EXPECT_FALSE(clip.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(clip + QLatin1Char('\n'), doc.text());
    EXPECT_TRUE(clip.contains(QStringLiteral("8123")));
    // Lines of the letter end where the paragraph wraps.
    const QString flowing = QString(clip).replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_TRUE(flowing.contains(QStringLiteral("روستاي کلاته از توابع شهرستان نيشابور"))) << clip.toStdString();
    EXPECT_TRUE(flowing.contains(QStringLiteral("تا تاريخ 1402/12/29 تمديد"))) << clip.toStdString();
    EXPECT_GE(clip.count(QLatin1Char('\n')), 5);
    clipboard_frm &window = windows::get<clipboard_frm>();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Memo1->toPlainText(), clip);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Clipboard"));
}
