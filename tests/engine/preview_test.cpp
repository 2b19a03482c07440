#include "clipboard_frm.h"
#include "helpers.h"
#include "previewdialog.h"
#include "scripted.h"
#include "templatecheck.h"
#include "windows.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

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

TEST(Preview, PrintingToAFileHonoursThePageRangeButIsNoPrint)
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
    user().dialogs.push_back(printToFile(path, 2, 3));
    dialog.print_btn->click();
    EXPECT_FALSE(dialog.printed());  // a saved PDF, not paper
    EXPECT_EQ(pdfPageSizes(path).size(), 2);
    EXPECT_TRUE(user().messages.empty());
}

TEST(Preview, PrintingToAFileRunsNoAfterPrintAction)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("letter.pdf"));
    int printed = 0;
    Document doc(letterTemplate());
    doc.setAfterPrint([&] { ++printed; });
    // The user opens the real preview, presses print and chooses a file.
    user().previews.push_back([](ShownDocument &shown) { return shown.runPreview(); });
    user().dialogs.push_back([](QDialog &d) {
        dynamic_cast<PreviewDialog &>(d).print_btn->click();
        return int(QDialog::Rejected);
    });
    user().dialogs.push_back(printToFile(path));
    EXPECT_FALSE(doc.preview());
    EXPECT_EQ(printed, 0);
    EXPECT_EQ(pdfPageSizes(path).size(), 1);
    EXPECT_EQ(user().shownDialogs.size(), 2);
    EXPECT_EQ(user().shownDialogs.front(), QStringLiteral("PreviewDialog"));
}

TEST(Preview, PrintKeepsTheTemplatesPaperWhateverTheDialogChose)
{
    QTemporaryDir dir;
    Document doc(listTemplate());  // A4 portrait
    doc.setRows(numberedRows(3));
    PreviewDialog dialog(doc);
    const QString path = dir.filePath(QStringLiteral("portrait.pdf"));
    user().dialogs.push_back([&](QDialog &d) {
        printToFile(path)(d);
        dynamic_cast<QPrintDialog &>(d).printer()->setPageOrientation(QPageLayout::Landscape);
        return int(QDialog::Accepted);
    });
    dialog.print_btn->click();
    const QList<QSizeF> sizes = pdfPageSizes(path);
    ASSERT_EQ(sizes.size(), 1);
    EXPECT_NEAR(sizes[0].width(), 595.3, 1.0);
    // The printer set-up goes through the user interface too.
    dialog.setup_btn->click();
    EXPECT_EQ(user().shownDialogs.size(), 2);
}

TEST(Preview, ClipboardHoldsTheLetterWithItsValues)
{
    const Document doc = filledExtensionLetter();
    EXPECT_TRUE(fullyFilled(doc, tamdidDesignLabels));
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
