#include "helpers.h"
#include "painter.h"
#include "templatecheck.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

namespace {
QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    // Arabic letters come out in their presentation forms.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

int runRenderTemplate(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral(BV_RENDER_TEMPLATE), args);
    if (!p.waitForFinished(60000))
        return -1;
    return p.exitCode();
}

// Columns of a page image that hold dark pixels between rows y0 and y1.
std::pair<int, int> inkColumns(const QImage &image, const QRect &area)
{
    int left = image.width(), right = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}
}  // namespace

TEST(Output, PdfHoldsTheFilledText)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    const Document doc = filledExtensionLetter();
    EXPECT_TRUE(fullyFilled(doc, tamdidDesignLabels));
    const QString path = dir.filePath(QStringLiteral("letter.pdf"));
    QString error;
    ASSERT_TRUE(doc.writePdf(path, &error)) << error.toStdString();
    EXPECT_GT(QFileInfo(path).size(), 1000);
    const QString text = pdfText(path);
    // The PDF keeps the stored ASCII digits; the font draws them in Persian.
    EXPECT_TRUE(text.contains(QStringLiteral("8123"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("قرارداد"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("پارس"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("peymankar"))) << text.toStdString();
    EXPECT_EQ(pdfPageSizes(path).size(), 1);
}

TEST(Output, RenderTemplateWritesThePaperOfEachTemplate)
{
    QTemporaryDir dir;
    const QString rep = dir.filePath(QStringLiteral("etebarat_rep.pdf"));
    ASSERT_EQ(runRenderTemplate({QStringLiteral("etebarat_rep"), QStringLiteral("--pdf"), rep, QStringLiteral("--rows"),
                                 QStringLiteral("45"), QStringLiteral("rep_typ=نقشه برداري")}),
              0);
    const QList<QSizeF> repPages = pdfPageSizes(rep);
    ASSERT_GE(repPages.size(), 2);  // 45 rows do not fit on one landscape page
    for (const QSizeF &s : repPages) {
        EXPECT_NEAR(s.width(), 841.9, 1.0);  // A4 landscape in points
        EXPECT_NEAR(s.height(), 595.3, 1.0);
    }
    const QString letter = dir.filePath(QStringLiteral("tamdid.pdf"));
    ASSERT_EQ(runRenderTemplate({QStringLiteral("tamdid_frm"), QStringLiteral("--pdf"), letter}), 0);
    const QList<QSizeF> letterPages = pdfPageSizes(letter);
    ASSERT_EQ(letterPages.size(), 1);
    EXPECT_NEAR(letterPages[0].width(), 419.5, 1.0);  // A5 portrait
    EXPECT_NEAR(letterPages[0].height(), 595.3, 1.0);

    const QString prefix = dir.filePath(QStringLiteral("checklist"));
    ASSERT_EQ(runRenderTemplate({QStringLiteral("frm_checklist"), QStringLiteral("--png"), prefix, QStringLiteral("--dpi"),
                                 QStringLiteral("50"), QStringLiteral("--rows"), QStringLiteral("3")}),
              0);
    const QImage page(prefix + QStringLiteral("-1.png"));
    EXPECT_EQ(page.size(), QSize(qRound(210 / 25.4 * 50), qRound(297 / 25.4 * 50)));
    EXPECT_NE(runRenderTemplate({QStringLiteral("no_such_template")}), 0);
    EXPECT_NE(runRenderTemplate({QStringLiteral("tamdid_frm"), QStringLiteral("no_such_label=1"), QStringLiteral("--pdf"),
                                 dir.filePath(QStringLiteral("x.pdf"))}),
              0);
}

TEST(Output, AlignmentHoldsForRightToLeftText)
{
    // "right" lands on the right even though the text runs right to left.
    Document doc(Template::fromJson(R"({"page": {"size": "A5"}, "bands": [{"kind": "detail", "height": 30, "elements": [
        {"type": "text", "text": "راست", "x": 0, "y": 0, "w": 128, "h": 8, "align": "right"},
        {"type": "text", "text": "چپ", "x": 0, "y": 10, "w": 128, "h": 8, "align": "left"},
        {"type": "text", "text": "وسط", "x": 0, "y": 20, "w": 128, "h": 8, "align": "center"}]}]})",
                                    QStringLiteral("align")));
    const double dpi = 100;
    const QImage image = doc.renderImages(dpi).at(0);
    auto px = [&](double mm) { return int(mm / 25.4 * dpi); };
    const auto right = inkColumns(image, QRect(px(10), px(10), px(128), px(8)));
    const auto left = inkColumns(image, QRect(px(10), px(20), px(128), px(8)));
    const auto centre = inkColumns(image, QRect(px(10), px(30), px(128), px(8)));
    ASSERT_GE(right.second, 0);
    ASSERT_GE(left.second, 0);
    ASSERT_GE(centre.second, 0);
    EXPECT_GT(right.first, px(120));   // within the rightmost 18 mm
    EXPECT_LE(right.second, px(138) + 1);
    EXPECT_LT(left.second, px(28));    // within the leftmost 18 mm
    EXPECT_GE(left.first, px(10) - 1);
    EXPECT_NEAR((centre.first + centre.second) / 2.0, px(74), px(3));
}

TEST(Output, PersianTextIsShapedNotDrawnLetterByLetter)
{
    // Joined letters draw one connected run: fewer ink gaps than isolated forms.
    Document joined(Template::fromJson(R"({"page": {"size": "A5"}, "bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "text", "text": "سلسبيل", "x": 0, "y": 0, "w": 128, "h": 10, "font": {"size": 20}}]}]})",
                                       QStringLiteral("joined")));
    Document apart(Template::fromJson(R"({"page": {"size": "A5"}, "bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "text", "text": "س ل س ب ي ل", "x": 0, "y": 0, "w": 128, "h": 10, "font": {"size": 20}}]}]})",
                                      QStringLiteral("apart")));
    auto runs = [](const QImage &image) {
        // Count horizontal ink runs along the columns of the text line.
        const double dpi = 100;
        const int top = int(10 / 25.4 * dpi), bottom = int(20 / 25.4 * dpi);
        int count = 0;
        bool inInk = false;
        for (int x = 0; x < image.width(); ++x) {
            bool ink = false;
            for (int y = top; y < bottom && !ink; ++y)
                ink = qGray(image.pixel(x, y)) < 160;
            if (ink && !inInk)
                ++count;
            inInk = ink;
        }
        return count;
    };
    const int joinedRuns = runs(joined.renderImages(100).at(0));
    const int apartRuns = runs(apart.renderImages(100).at(0));
    EXPECT_GE(joinedRuns, 1);
    EXPECT_LT(joinedRuns, apartRuns);
}
