// Several documents as one set: previewed in turn, printed with one choice of
// printer, saved as one PDF.
#include "bundle.h"
#include "helpers.h"
#include "scripted.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

namespace {
constexpr double kA5Width = 420, kA4Width = 595;  // points, rounded

// A letter (A5), a list of 40 rows on two A4 pages and another letter.
class BundleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Document first(letterTemplate());
        first.setLabel(QStringLiteral("rosta"), QStringLiteral("کلاته"));
        first.setAfterPrint([this] { ++printed[0]; });
        Document list(listTemplate());
        list.setRows(numberedRows(40));
        list.setAfterPrint([this] { ++printed[1]; });
        Document last(letterTemplate());
        last.setLabel(QStringLiteral("rosta"), QStringLiteral("باغ"));
        last.setAfterPrint([this] { ++printed[2]; });
        bundle.add(std::move(first));
        bundle.add(std::move(list));
        bundle.add(std::move(last));
    }

    static QList<double> widths(const QString &path)
    {
        QList<double> out;
        for (const QSizeF &s : pdfPageSizes(path))
            out << std::round(s.width());
        return out;
    }

    Bundle bundle;
    int printed[3] = {0, 0, 0};
    QTemporaryDir dir;
};
}  // namespace

TEST_F(BundleTest, ThreeDocumentsSaveOnePdfWithAllTheirPages)
{
    ASSERT_EQ(bundle.size(), 3);
    const std::vector<Page> pages = bundle.layout();
    ASSERT_EQ(pages.size(), 4u);
    // Each document keeps its own paper and its own page count.
    EXPECT_EQ(findText(pages[1], QStringLiteral("صفحه 1 از 2")).size(), 1u);
    EXPECT_EQ(findText(pages[2], QStringLiteral("صفحه 2 از 2")).size(), 1u);
    EXPECT_TRUE(readingText({pages[0]}).contains(QStringLiteral("کلاته")));
    EXPECT_TRUE(readingText({pages[3]}).contains(QStringLiteral("باغ")));

    const QString path = dir.filePath(QStringLiteral("bundle.pdf"));
    QString error;
    ASSERT_TRUE(bundle.writePdf(path, &error)) << error.toStdString();
    EXPECT_EQ(widths(path), (QList<double>{kA5Width, kA4Width, kA4Width, kA5Width}));
    if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {path});
        ASSERT_TRUE(info.waitForFinished(30000));
        EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n"))));
    }
    // Asked where to save; cancelled, nothing is written.
    const QString chosen = dir.filePath(QStringLiteral("chosen.pdf"));
    user().files = {chosen};
    EXPECT_TRUE(bundle.savePdf());
    EXPECT_EQ(pdfPageSizes(chosen).size(), 4);
    EXPECT_FALSE(bundle.savePdf());
    EXPECT_EQ(printed[0] + printed[1] + printed[2], 0);
}

TEST_F(BundleTest, OnePrinterChoiceForTheWholeSet)
{
    const QString all = dir.filePath(QStringLiteral("all.pdf"));
    user().dialogs.push_back(printToFile(all));
    EXPECT_TRUE(bundle.print());
    EXPECT_EQ(user().shownDialogs.size(), 1);
    EXPECT_EQ(widths(all), (QList<double>{kA5Width, kA4Width, kA4Width, kA5Width}));
    // The range runs over the whole set.
    const QString some = dir.filePath(QStringLiteral("some.pdf"));
    user().dialogs.push_back(printToFile(some, 2, 3));
    EXPECT_TRUE(bundle.print());
    EXPECT_EQ(widths(some), (QList<double>{kA4Width, kA4Width}));
    // Printed to files: saved PDFs, so no after-print action ran.
    EXPECT_EQ(printed[0] + printed[1] + printed[2], 0);
    // A cancelled dialog prints nothing.
    EXPECT_FALSE(bundle.print());
    EXPECT_EQ(user().shownDialogs.size(), 3);
    EXPECT_TRUE(user().messages.empty());
}

TEST_F(BundleTest, PreviewedInTurn)
{
    user().previews = {[](ShownDocument &) { return true; }, [](ShownDocument &) { return false; },
                       [](ShownDocument &) { return true; }};
    EXPECT_EQ(bundle.preview(), 2);
    ASSERT_EQ(user().documents.size(), 3u);
    EXPECT_EQ(user().documents[0].name, QStringLiteral("test_letter"));
    EXPECT_EQ(user().documents[1].name, QStringLiteral("test_list"));
    EXPECT_TRUE(user().documents[2].text.contains(QStringLiteral("باغ")));
    for (const auto &shown : user().documents)
        EXPECT_EQ(shown.action, DocumentAction::Preview);
    EXPECT_EQ(printed[0], 1);
    EXPECT_EQ(printed[1], 0);
    EXPECT_EQ(printed[2], 1);
}
