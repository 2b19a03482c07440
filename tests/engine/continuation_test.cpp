// Rich text, ruled boxes and lines taller than what is left of a page go on
// over the next pages instead of running off the paper.
#include "helpers.h"

#include <gtest/gtest.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

namespace {
// An A5 letter (body from 22 to 200 mm) with one detail element.
Template letterWith(const QString &element)
{
    const QString json = QStringLiteral(R"({"name": "long", "page": {"size": "A5"}, "bands": [
        {"kind": "pageHeader", "height": 12, "elements": [
          {"type": "text", "text": "سربرگ", "x": 0, "y": 0, "w": 128, "h": 8}]},
        {"kind": "detail", "height": 20, "elements": [%1]}]})")
                             .arg(element);
    return Template::fromJson(json.toUtf8(), QStringLiteral("long"));
}

// A rich text element; `html` holds no quotes.
QString richText(const QString &html)
{
    return QStringLiteral(R"({"type": "richText", "x": 0, "y": 0, "w": 128, "h": 10, "html": "%1"})").arg(html);
}

// The lowest and highest text line of the pages' rich texts.
std::pair<double, double> richExtent(const Page &page)
{
    double top = 1e9, bottom = -1;
    for (const Primitive *p : primitives(page, Primitive::Kind::RichText))
        for (const TextLine &l : p->lines) {
            top = std::min(top, p->rect.top() + l.top);
            bottom = std::max(bottom, p->rect.top() + l.top + l.height);
        }
    return {top, bottom};
}

bool inkBetween(const QImage &image, double dpi, double topMm, double bottomMm)
{
    const int y0 = int(topMm / 25.4 * dpi), y1 = std::min(image.height(), int(bottomMm / 25.4 * dpi));
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}
}  // namespace

TEST(Continuation, ATwoPageRichTextBlockPrintsOnTwoPages)
{
    QString html;
    for (int i = 1; i <= 45; ++i)
        html += QStringLiteral("<p style='margin:0'>بند %1 از <b>متن</b></p>").arg(i);
    Document doc(letterWith(richText(html)));
    const std::vector<Page> pages = doc.layout();
    ASSERT_EQ(pages.size(), 2u);
    for (const Page &page : pages) {
        EXPECT_EQ(findText(page, QStringLiteral("سربرگ")).size(), 1u);
        const auto [top, bottom] = richExtent(page);
        EXPECT_GE(top, 22 - 0.001);
        EXPECT_LE(bottom, 200.001);
    }
    EXPECT_NEAR(richExtent(pages[1]).first, 22, 0.001);  // goes on right under the header
    // Every paragraph once, in order.
    const QString text = readingText(pages);
    int from = 0;
    for (int i = 1; i <= 45; ++i) {
        const QString line = QStringLiteral("بند %1 از متن\n").arg(i);
        EXPECT_EQ(text.count(line), 1) << i;
        const int at = int(text.indexOf(line));
        EXPECT_GT(at, from - 1) << i;
        from = at;
    }
    // Drawn as laid out: ink on the second page, none below the first page's body.
    const double dpi = 60;
    const std::vector<QImage> images = doc.renderImages(dpi);
    EXPECT_FALSE(inkBetween(images[0], dpi, 200.5, 210));
    EXPECT_TRUE(inkBetween(images[1], dpi, 22, 40));
    EXPECT_FALSE(inkBetween(images[1], dpi, richExtent(pages[1]).second + 0.5, 210));
}

TEST(Continuation, OneLongRichParagraphIsCutBetweenItsLines)
{
    Document doc(letterWith(richText(QStringLiteral("<p>") + words(900) + QStringLiteral("</p>"))));
    const std::vector<Page> pages = doc.layout();
    ASSERT_GE(pages.size(), 2u);
    for (const Page &page : pages)
        EXPECT_LE(richExtent(page).second, 200.001);
    QString body = readingText(pages);
    body.replace(QStringLiteral("سربرگ"), QString()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_EQ(body.simplified(), words(900));
}

TEST(Continuation, RuledBoxesAndLinesGoOnOverTheNextPages)
{
    // A ruled paragraph longer than a page: its box closes at the page's end
    // and opens again under the next page's header.
    Document ruled(letterWith(QStringLiteral(
        R"({"type": "paragraph", "ruled": true, "x": 0, "y": 0, "w": 128, "h": 10, "runs": [{"label": "body"}]})")));
    ruled.setLabel(QStringLiteral("body"), words(700));
    const std::vector<Page> pages = ruled.layout();
    ASSERT_GE(pages.size(), 2u);
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        const auto boxes = primitives(pages[i], Primitive::Kind::Box);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NEAR(boxes[0]->rect.top(), 22, 0.001);
        EXPECT_LE(boxes[0]->rect.bottom(), 200.001);
        if (i + 1 < pages.size()) {
            EXPECT_NEAR(boxes[0]->rect.bottom(), 200, 0.001);
        }
        // The text stays inside its box.
        for (const Primitive *p : primitives(pages[i], Primitive::Kind::Text)) {
            if (!p->lines.empty() && primitiveText(*p) != QStringLiteral("سربرگ")) {
                EXPECT_LE(p->rect.top() + p->lines.back().top + p->lines.back().height,
                          boxes[0]->rect.bottom() + 0.001);
            }
        }
    }

    // A frame and a rule 400 mm tall: 178 + 178 + 44 mm on three pages.
    Document frame(letterWith(QStringLiteral(R"({"type": "rect", "x": 0, "y": 0, "w": 128, "h": 400},
        {"type": "line", "x": 64, "y": 0, "w": 0, "h": 400})")));
    const std::vector<Page> framed = frame.layout();
    ASSERT_EQ(framed.size(), 3u);
    const double heights[] = {178, 178, 44};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto boxes = primitives(framed[i], Primitive::Kind::Box);
        const auto lines = primitives(framed[i], Primitive::Kind::Line);
        ASSERT_EQ(boxes.size(), 1u);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NEAR(boxes[0]->rect.top(), 22, 0.001);
        EXPECT_NEAR(boxes[0]->rect.height(), heights[i], 0.001);
        EXPECT_NEAR(std::min(lines[0]->line.y1(), lines[0]->line.y2()), 22, 0.001);
        EXPECT_NEAR(std::abs(lines[0]->line.dy()), heights[i], 0.001);
        EXPECT_NEAR(lines[0]->line.x1(), 74, 0.001);
    }
}
