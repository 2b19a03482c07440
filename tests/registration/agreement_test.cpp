#include "document.h"
#include "sabt_agreement.h"
#include "templatecheck.h"

#include <QFile>
#include <QPageLayout>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bv;

namespace {
// The templates of the pages, in page order.
const QStringList templateFiles = {"sabt_gh1.json", "sabt_gh2.json", "sabt_gh3.json",  "sabt_gh4.json",
                                   "sabt_gh5.json", "sabt_gh6.json", "sabt_gh7.json",  "sabt_gh8.json",
                                   "sabt_gh9.json", "sabt_gh10.json", "sabt_gh11.json"};
}  // namespace

TEST(AgreementPages, MenuNamesElevenTemplatesInPageOrder)
{
    ASSERT_EQ(sabt::agreementPages().size(), size_t(templateFiles.size()));
    for (int i = 0; i < templateFiles.size(); ++i) {
        EXPECT_EQ(sabt::agreementPages()[size_t(i)].templateName + ".json", templateFiles[i]);
        EXPECT_TRUE(QFile::exists(":/templates/" + templateFiles[i])) << templateFiles[i].toStdString();
    }
    EXPECT_EQ(sabt::agreementPages()[1].caption, QStringLiteral("صفح2-مبلغ موافقتنامه و شرايط پرداخت"));
    EXPECT_EQ(sabt::agreementPages()[10].caption, QStringLiteral("صفحه11-شيوه نامه"));
}

TEST(AgreementPages, EachIsOneLetterPageWithTheCommonHeaderAndNoLabels)
{
    for (int i = 0; i < templateFiles.size(); ++i) {
        const QString name = sabt::agreementPages()[size_t(i)].templateName;
        SCOPED_TRACE(name.toStdString());
        const report::Document doc = report::Document::load(name);
        EXPECT_TRUE(doc.labelNames().isEmpty());
        EXPECT_TRUE(test::fullyFilled(doc));
        const std::vector<report::Page> pages = doc.layout();
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(pages.front().pageLayout.pageSize().id(), QPageSize::Letter);
        EXPECT_EQ(pages.front().pageLayout.orientation(), QPageLayout::Portrait);
        const QString text = doc.text().simplified();
        EXPECT_TRUE(text.contains(sabt::agreementTitle.simplified()));
        EXPECT_TRUE(text.contains(sabt::agreementSubtitle));
        EXPECT_TRUE(text.contains(QStringLiteral("صفحه %1 از 11").arg(i + 1)));
        // Every page's header says whose agreement it is, with the document code and revision.
        EXPECT_TRUE(text.contains(QStringLiteral("کد مدرک")));
        EXPECT_TRUE(text.contains(QStringLiteral("شماره بازنگري")));
    }
}

TEST(AgreementPages, ContentFollowsTheArticles)
{
    const auto textOf = [](const char *name) { return report::Document::load(QString::fromLatin1(name)).text().simplified(); };
    const QString coefficients = textOf("sabt_gh3");
    for (const char *figure : {"1.05", "1.15", "1.25", "1.40"})
        EXPECT_TRUE(coefficients.contains(QString::fromLatin1(figure))) << figure;
    EXPECT_TRUE(coefficients.contains(QStringLiteral("14 (چهارده) روز")));
    const QString layers = textOf("sabt_gh11");
    for (const char *layer : {"PLAN", "DIM", "NUMBER", "AREA", "WALL"})
        EXPECT_TRUE(layers.contains(QString::fromLatin1(layer))) << layer;
    EXPECT_TRUE(layers.contains(QStringLiteral("دو بعدي")));
    EXPECT_TRUE(textOf("sabt_gh6").contains(QStringLiteral("(100%)")));
    EXPECT_TRUE(textOf("sabt_gh9").contains(QStringLiteral("نسخه چهارم")));
}

TEST(AgreementPages, RenderToolWritesOneLetterPortraitPage)
{
    QTemporaryDir dir;
    for (const QString &file : templateFiles) {
        const QString name = file.chopped(5);
        const QString pdf = dir.filePath(name + ".pdf");
        QProcess p;
        p.start(QStringLiteral(BV_RENDER_TEMPLATE), {name, "--pdf", pdf});
        ASSERT_TRUE(p.waitForFinished(60000)) << name.toStdString();
        ASSERT_EQ(p.exitCode(), 0) << name.toStdString();
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString content = QString::fromLatin1(f.readAll());
        EXPECT_EQ(content.count(QRegularExpression("/Type\\s*/Page[^s]")), 1) << name.toStdString();
        EXPECT_TRUE(content.contains(QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+612(\\.0+)?\\s+792(\\.0+)?\\s*\\]")))
            << name.toStdString();
    }
}
