#include "helpers.h"
#include "templatecheck.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

namespace {
// Row numbers printed on a page, in print order (top to bottom).
QList<int> rowNumbers(const Page &page)
{
    std::vector<const Primitive *> cells;
    for (const Primitive &p : page.items)
        if (p.kind == Primitive::Kind::Text && p.name == QLatin1String("#"))
            cells.push_back(&p);
    std::sort(cells.begin(), cells.end(), [](auto *a, auto *b) { return a->rect.top() < b->rect.top(); });
    QList<int> out;
    for (const Primitive *p : cells)
        out << primitiveText(*p).toInt();
    return out;
}

double bottomOf(const Page &page, const QString &text)
{
    const auto found = findText(page, text);
    return found.empty() ? -1 : found.front()->rect.bottom();
}
}  // namespace

TEST(Layout, SixtyRowsBreakIntoPagesWithHeadersOnEach)
{
    Document doc(listTemplate());
    doc.setRows(numberedRows(60));
    doc.setLabel(QStringLiteral("total"), QStringLiteral("1830000"));
    const std::vector<Page> pages = doc.layout();
    ASSERT_GE(pages.size(), 2u);
    QList<int> all;
    int summaries = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        const Page &page = pages[i];
        EXPECT_EQ(findText(page, QStringLiteral("سربرگ گزارش")).size(), 1u) << "page " << i + 1;
        EXPECT_EQ(findText(page, QStringLiteral("نام")).size(), 1u) << "column header on page " << i + 1;
        EXPECT_EQ(findText(page, QStringLiteral("صفحه %1 از %2").arg(i + 1).arg(pages.size())).size(), 1u);
        const QList<int> numbers = rowNumbers(page);
        all += numbers;
        // Rows stay above the page footer (A4: 297 - 10 margin - 10 footer).
        for (const Primitive &p : page.items) {
            if (p.name == QLatin1String("#")) {
                EXPECT_LE(p.rect.bottom(), 277.001);
            }
        }
        if (!findText(page, QStringLiteral("جمع")).empty()) {
            ++summaries;
            EXPECT_EQ(i, pages.size() - 1) << "summary only on the last page";
            ASSERT_FALSE(numbers.isEmpty());
            EXPECT_GT(bottomOf(page, QStringLiteral("جمع")), bottomOf(page, QStringLiteral("row60")));
        }
    }
    QList<int> expected;
    for (int i = 1; i <= 60; ++i)
        expected << i;
    EXPECT_EQ(all, expected);
    EXPECT_EQ(summaries, 1);
}

TEST(Layout, SummaryThatDoesNotFitGoesToANewPage)
{
    // The header takes 30 mm of the 257 mm above the footer: 28 rows of 8 mm
    // leave 3 mm, too little for a 20 mm summary.
    Document doc(listTemplate(20));
    doc.setRows(numberedRows(28));
    std::vector<Page> pages = doc.layout();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(rowNumbers(pages[0]).size(), 28);
    EXPECT_TRUE(rowNumbers(pages[1]).isEmpty());
    EXPECT_EQ(findText(pages[1], QStringLiteral("جمع")).size(), 1u);
    EXPECT_EQ(findText(pages[1], QStringLiteral("نام")).size(), 1u);

    // Two rows fewer, the summary fits under them.
    doc.setRows(numberedRows(26));
    pages = doc.layout();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(findText(pages[0], QStringLiteral("جمع")).size(), 1u);
}

TEST(Layout, ReportWithoutRowsKeepsItsFixedParts)
{
    Document doc(listTemplate());
    doc.setRows(numberedRows(0));
    const std::vector<Page> pages = doc.layout();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(findText(pages[0], QStringLiteral("سربرگ گزارش")).size(), 1u);
    EXPECT_EQ(findText(pages[0], QStringLiteral("رديف")).size(), 1u);
    EXPECT_EQ(findText(pages[0], QStringLiteral("جمع")).size(), 1u);
    EXPECT_EQ(findText(pages[0], QStringLiteral("0")).size(), 1u);
    EXPECT_TRUE(rowNumbers(pages[0]).isEmpty());

    // A bound template that was given no rows at all prints no detail either.
    Document unfilled(listTemplate());
    EXPECT_TRUE(rowNumbers(unfilled.layout().at(0)).isEmpty());
}

TEST(Layout, DetailRowGrowsToFitWrappedText)
{
    Document doc(listTemplate());
    ResultSet rows = numberedRows(2);
    rows.rows[0][0] = QString(QStringLiteral("کلمه ")).repeated(60);
    doc.setRows(rows);
    const Page page = doc.layout().at(0);
    std::vector<const Primitive *> numbers;
    for (const Primitive &p : page.items)
        if (p.name == QLatin1String("#"))
            numbers.push_back(&p);
    ASSERT_EQ(numbers.size(), 2u);
    std::sort(numbers.begin(), numbers.end(), [](auto *a, auto *b) { return a->rect.top() < b->rect.top(); });
    const double firstHeight = numbers[1]->rect.top() - numbers[0]->rect.top();
    EXPECT_GT(firstHeight, 12);  // three lines at least, where one row is 8 mm
    // Every cell of the grown row is as tall as the row.
    for (const Primitive &p : page.items) {
        if (p.kind == Primitive::Kind::Box && p.stroke && std::abs(p.rect.top() - numbers[0]->rect.top()) < 0.01) {
            EXPECT_NEAR(p.rect.height(), firstHeight, 0.01);
        }
    }
    const auto wrapped = std::find_if(page.items.begin(), page.items.end(),
                                      [](const Primitive &p) { return p.name == QLatin1String("name") && p.lines.size() > 1; });
    ASSERT_NE(wrapped, page.items.end());
    // No line is wider than the cell: the wrapped text keeps every word.
    QString joined;
    for (const TextLine &l : wrapped->lines)
        joined += l.text + QLatin1Char(' ');
    EXPECT_EQ(joined.simplified(), rows.rows[0][0].toString().simplified());
}

TEST(Layout, LabelsAreSetAndReadBack)
{
    Document doc(letterTemplate());
    EXPECT_EQ(doc.label(QStringLiteral("rosta")), QStringLiteral("rosta"));  // placeholder = name
    EXPECT_EQ(doc.label(QStringLiteral("dat")), QStringLiteral("    /  /  "));
    doc.setLabel(QStringLiteral("rosta"), QStringLiteral("کلاته"));
    doc.setLabel(QStringLiteral("dat"), QStringLiteral("1402/06/13"));
    EXPECT_EQ(doc.label(QStringLiteral("rosta")), QStringLiteral("کلاته"));
    EXPECT_EQ(doc.placeholder(QStringLiteral("rosta")), QStringLiteral("rosta"));
    EXPECT_THROW(doc.setLabel(QStringLiteral("no_such_label"), QStringLiteral("x")), TemplateError);
    EXPECT_THROW(doc.label(QStringLiteral("no_such_label")), TemplateError);
}

TEST(Layout, TextInReadingOrderHasTheValuesInPlace)
{
    Document doc(letterTemplate());
    doc.setLabel(QStringLiteral("rosta"), QStringLiteral("کلاته"));
    doc.setLabel(QStringLiteral("city"), QStringLiteral("نيشابور"));
    doc.setLabel(QStringLiteral("dat"), QStringLiteral("1402/06/13"));
    doc.setLabel(QStringLiteral("name1"), QStringLiteral("علي رضايي"));
    doc.setLabel(QStringLiteral("name2"), QStringLiteral("حسن کريمي"));
    EXPECT_TRUE(fullyFilled(doc, {"movafeg", "movafeg2", "post1"}));
    const QStringList lines = doc.text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    // Caption then value, right to left on one line.
    EXPECT_EQ(lines[0], QStringLiteral("تاريخ: 1402/06/13"));
    EXPECT_EQ(lines[1], QStringLiteral("روستاي کلاته از شهرستان نيشابور تحويل شد"));
    EXPECT_EQ(lines[2], QStringLiteral("موافقتنامه قرارداد"));
    // The slot on the right (x = 0) reads before the one on its left.
    EXPECT_EQ(lines[3], QStringLiteral("علي رضايي حسن کريمي"));
    EXPECT_EQ(lines[4], QStringLiteral("کارشناس"));
}

TEST(Layout, EachDocumentStartsFromAFreshCopy)
{
    Document first = Document::load(QStringLiteral("tamdid_frm"));
    first.setLabel(QStringLiteral("rosta"), QStringLiteral("کلاته"));
    first.setFontSize(QStringLiteral("header"), 16);
    first.setVisible(QStringLiteral("moaven_omran"), false);
    Document second = Document::load(QStringLiteral("tamdid_frm"));
    EXPECT_FALSE(fullyFilled(second, tamdidDesignLabels));
    EXPECT_EQ(second.label(QStringLiteral("rosta")), QStringLiteral("rosta"));
    EXPECT_TRUE(second.isVisible(QStringLiteral("moaven_omran")));
    EXPECT_FALSE(second.text().contains(QStringLiteral("کلاته")));
    EXPECT_TRUE(first.text().contains(QStringLiteral("کلاته")));
    EXPECT_FALSE(first.text().contains(QStringLiteral("moaven_omran")));
}

TEST(Layout, FontSizeOfAGroupReachesLabelsInsideParagraphs)
{
    Document doc(letterTemplate());
    doc.setLabel(QStringLiteral("rosta"), QStringLiteral("کلاته"));
    auto paragraphHeight = [&] {
        const std::vector<Page> pages = doc.layout();
        for (const Primitive &p : pages.at(0).items)
            if (primitiveText(p).startsWith(QStringLiteral("روستاي")))
                return p.lines.front().height;
        return 0.0;
    };
    const double before = paragraphHeight();
    doc.setFontSize(QStringLiteral("header"), 24);
    EXPECT_GT(paragraphHeight(), before * 1.5);
    EXPECT_THROW(doc.setFontSize(QStringLiteral("no_such_group"), 12), TemplateError);
}

TEST(Layout, HiddenElementsAndColouredBoxes)
{
    Document doc(letterTemplate());
    doc.setVisible(QStringLiteral("movafeg2"), false);
    EXPECT_FALSE(doc.text().contains(QStringLiteral("قرارداد")));
    doc.setFill(QStringLiteral("done1"), Qt::blue);
    bool blue = false;
    const std::vector<Page> pages = doc.layout();
    for (const Primitive &p : pages.at(0).items)
        blue = blue || (p.kind == Primitive::Kind::Box && p.fill == QColor(Qt::blue));
    EXPECT_TRUE(blue);
}

TEST(Layout, NumberColumnsShowStoredAmountsWithoutGrouping)
{
    EXPECT_EQ(valueText(QVariant(QStringLiteral("1250000.0000")), true), QStringLiteral("1250000"));
    EXPECT_EQ(valueText(QVariant(1250000.5), true), QStringLiteral("1250000.5"));
    EXPECT_EQ(valueText(QVariant(qint64(3000000000)), true), QStringLiteral("3000000000"));
    EXPECT_EQ(valueText(QVariant(QStringLiteral("1402/06/13")), true), QStringLiteral("1402/06/13"));
    EXPECT_EQ(valueText(QVariant(QStringLiteral("    /  /  ")), false), QStringLiteral("    /  /  "));
    EXPECT_EQ(valueText(QVariant(), false), QString());
}

namespace {
Template longLetter()
{
    return Template::fromJson(R"({"page": {"size": "A5"}, "bands": [
        {"kind": "pageHeader", "height": 12, "elements": [
          {"type": "text", "text": "سربرگ نامه", "x": 0, "y": 0, "w": 128, "h": 8}]},
        {"kind": "detail", "height": 60, "elements": [
          {"type": "paragraph", "x": 0, "y": 0, "w": 128, "h": 8, "runs": [{"label": "body"}]},
          {"type": "label", "name": "signer", "x": 0, "y": 20, "w": 60, "h": 7},
          {"type": "label", "name": "post", "x": 0, "y": 27, "w": 60, "h": 7}]}]})",
                              QStringLiteral("long_letter"));
}
}  // namespace

TEST(Layout, ElementsBelowAGrowingParagraphMoveDown)
{
    Document doc(longLetter());
    doc.setLabel(QStringLiteral("body"), words(80));
    doc.setLabel(QStringLiteral("signer"), QStringLiteral("امضا کننده"));
    const std::vector<Page> pages = doc.layout();
    ASSERT_EQ(pages.size(), 1u);
    double paragraphBottom = 0, signerTop = 0, postTop = 0;
    for (const Primitive &p : pages[0].items) {
        if (primitiveText(p).startsWith(QStringLiteral("واژه1 ")))
            paragraphBottom = p.rect.top() + p.lines.back().top + p.lines.back().height;
        if (p.name == QLatin1String("signer"))
            signerTop = p.rect.top();
        if (p.name == QLatin1String("post"))
            postTop = p.rect.top();
    }
    ASSERT_GT(paragraphBottom, 10 + 12 + 20);  // the paragraph passed the signer's place
    EXPECT_GE(signerTop, paragraphBottom - 0.001);
    EXPECT_NEAR(postTop - signerTop, 7, 0.001);  // the block keeps its own spacing
}

TEST(Layout, ALetterLongerThanAPageGoesOnOverTheNextPages)
{
    Document doc(longLetter());
    doc.setLabel(QStringLiteral("body"), words(700));
    doc.setLabel(QStringLiteral("signer"), QStringLiteral("امضا کننده"));
    const std::vector<Page> pages = doc.layout();
    ASSERT_GE(pages.size(), 2u);
    for (const Page &page : pages) {
        EXPECT_EQ(findText(page, QStringLiteral("سربرگ نامه")).size(), 1u);
        for (const Primitive &p : page.items)
            for (const TextLine &l : p.lines)
                EXPECT_LE(p.rect.top() + l.top + l.height, 200.001) << l.text.toStdString();
    }
    // Every word once, in order, and the signature after the last of them.
    const QString text = readingText(pages);
    QString body = text;
    body.replace(QStringLiteral("سربرگ نامه"), QString()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_TRUE(body.simplified().contains(words(700))) << text.left(200).toStdString();
    EXPECT_GT(text.indexOf(QStringLiteral("امضا کننده")), text.indexOf(QStringLiteral("واژه700")));
    EXPECT_FALSE(textsNamed(pages.back(), QStringLiteral("signer")).isEmpty());
}
