// What a template declares instead of a fill writing it: labels filled from a
// row, constant and marked table columns, records of two ruled lines, crossed
// tick boxes.
#include "fillsteps.h"
#include "helpers.h"
#include "templatecheck.h"

#include <gtest/gtest.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

namespace {
Template parse(const char *json)
{
    return Template::fromJson(QByteArray(json), QStringLiteral("t"));
}

// The smallest stroked box holding a point.
const Primitive *boxAt(const Page &page, const QPointF &point)
{
    const Primitive *best = nullptr;
    for (const Primitive *p : primitives(page, Primitive::Kind::Box))
        if (p->stroke && p->rect.contains(point) &&
            (!best || p->rect.width() * p->rect.height() < best->rect.width() * best->rect.height()))
            best = p;
    return best;
}

void expectRect(const QRectF &r, double left, double top, double right, double bottom)
{
    EXPECT_NEAR(r.left(), left, 0.01);
    EXPECT_NEAR(r.top(), top, 0.01);
    EXPECT_NEAR(r.right(), right, 0.01);
    EXPECT_NEAR(r.bottom(), bottom, 0.01);
}

std::vector<const Primitive *> linesWithin(const Page &page, const QRectF &area)
{
    std::vector<const Primitive *> out;
    for (const Primitive *p : primitives(page, Primitive::Kind::Line))
        if (area.adjusted(-0.01, -0.01, 0.01, 0.01).contains(p->line.p1()) &&
            area.adjusted(-0.01, -0.01, 0.01, 0.01).contains(p->line.p2()))
            out.push_back(p);
    return out;
}

Template rowLetter()
{
    return parse(R"({"name": "row_letter", "page": {"size": "A5"}, "bands": [{"kind": "detail", "height": 80, "elements": [
        {"type": "label", "name": "rosta", "x": 0, "y": 0, "w": 40, "h": 7},
        {"type": "label", "name": "rosta2", "placeholder": "روستا", "x": 50, "y": 0, "w": 40, "h": 7},
        {"type": "label", "name": "prot_no3", "x": 0, "y": 8, "w": 40, "h": 7},
        {"type": "label", "name": "prot_dat1", "x": 50, "y": 8, "w": 40, "h": 7},
        {"type": "label", "name": "prot_dat12", "x": 0, "y": 16, "w": 40, "h": 7},
        {"type": "label", "name": "prot_mablagh", "number": true, "x": 50, "y": 16, "w": 40, "h": 7},
        {"type": "paragraph", "x": 0, "y": 24, "w": 128, "h": 7, "runs": [
          "مبلغ ", {"label": "prot_mablagh2", "number": true}, " ريال، مساحت ", {"label": "masahat"},
          " در ", {"label": "city"}]},
        {"type": "label", "name": "status_dat", "placeholder": "    /  /  ", "x": 0, "y": 32, "w": 40, "h": 7},
        {"type": "label", "name": "tamin_sal", "x": 50, "y": 32, "w": 40, "h": 7},
        {"type": "label", "name": "pic", "x": 0, "y": 40, "w": 40, "h": 7},
        {"type": "label", "name": "moaven_omran", "x": 50, "y": 40, "w": 40, "h": 7}]}]})");
}
}  // namespace

TEST(Declarations, LabelsAreFilledFromTheColumnsTheyAreNamedAfter)
{
    Document doc(rowLetter());
    const Row row{{"rosta", QStringLiteral("کلاته")},
                  {"prot_no", QStringLiteral("0812")},
                  {"prot_dat", QStringLiteral("1400/01/01")},
                  {"prot_dat1", QStringLiteral("1401/02/03")},
                  {"prot_mablagh", QStringLiteral("1250000.0000")},
                  {"masahat", 16.27},
                  {"CITY", QStringLiteral("نيشابور")},
                  {"status_dat", QStringLiteral("    /  /  ")},
                  {"tamin_sal", QVariant(QMetaType(QMetaType::QString))},
                  {"pic", QByteArray("\xff\xd8 picture")},
                  {"unused", QStringLiteral("x")}};
    QStringList filled = doc.fillFromRow(row);
    filled.sort();
    EXPECT_EQ(filled, (QStringList{"city", "masahat", "prot_dat1", "prot_dat12", "prot_mablagh", "prot_mablagh2",
                                   "prot_no3", "rosta", "rosta2", "status_dat", "tamin_sal"}));
    EXPECT_EQ(doc.label("rosta"), QStringLiteral("کلاته"));
    EXPECT_EQ(doc.label("rosta2"), QStringLiteral("کلاته"));
    EXPECT_EQ(doc.label("prot_no3"), QStringLiteral("0812"));  // text stays as stored
    EXPECT_EQ(doc.label("prot_dat1"), QStringLiteral("1401/02/03"));  // a column itself
    EXPECT_EQ(doc.label("prot_dat12"), QStringLiteral("1401/02/03"));  // its second copy
    EXPECT_EQ(doc.label("prot_mablagh"), QStringLiteral("1250000"));
    EXPECT_EQ(doc.label("masahat"), QStringLiteral("16.27"));
    EXPECT_EQ(doc.label("city"), QStringLiteral("نيشابور"));
    EXPECT_EQ(doc.label("tamin_sal"), QString());  // null
    EXPECT_EQ(doc.label("pic"), QStringLiteral("pic"));  // pictures are not text
    EXPECT_EQ(doc.label("moaven_omran"), QStringLiteral("moaven_omran"));
    EXPECT_TRUE(doc.text().contains(QStringLiteral("مبلغ 1250000 ريال، مساحت 16.27 در نيشابور")));

    // The check of filled documents names what still shows design text.
    const ::testing::AssertionResult unfilled = fullyFilled(doc);
    EXPECT_FALSE(unfilled);
    const std::string why = unfilled.message();
    EXPECT_NE(why.find("status_dat"), std::string::npos) << why;
    EXPECT_NE(why.find("moaven_omran"), std::string::npos) << why;
    EXPECT_NE(why.find("pic"), std::string::npos) << why;
    EXPECT_EQ(why.find("rosta"), std::string::npos) << why;
    doc.setLabel("moaven_omran", QStringLiteral("حسن کريمي"));
    doc.setLabel("pic", QString());
    EXPECT_FALSE(fullyFilled(doc));
    EXPECT_TRUE(fullyFilled(doc, {"status_dat"}));
    EXPECT_FALSE(fullyFilled(doc, {"status_dat", "no_such_label"}));
    // A label showing another label's name is not filled either.
    doc.setLabel("rosta2", QStringLiteral("rosta"));
    EXPECT_FALSE(fullyFilled(doc, {"status_dat"}));
    // A hidden label shows nothing.
    doc.setLabel("rosta2", QStringLiteral("روستا"));
    EXPECT_FALSE(fullyFilled(doc, {"status_dat"}));
    doc.setVisible("rosta2", false);
    EXPECT_TRUE(fullyFilled(doc, {"status_dat"}));
}

TEST(Declarations, ConstantColumnsAndMarksFromTheRow)
{
    Document doc(parse(R"({"name": "marks", "bound": true, "page": {"size": "A4"},
      "table": {"headerHeight": 8, "rowHeight": 8, "columns": [
        {"title": "رديف", "rowNumber": true, "width": 10},
        {"title": "نام", "field": "name", "width": 40},
        {"title": "واحد", "text": "هکتار", "width": 15},
        {"title": "انجام شده", "mark": {"field": "anjam", "equals": "1", "style": "fill"}, "width": 15},
        {"title": "انجام نشده", "mark": {"field": "anjam", "equals": ["2", "3"], "style": "cross"}, "width": 15},
        {"title": "تاييد", "mark": {"field": "ok", "equals": "بلي"}, "width": 10}]},
      "bands": [{"kind": "columnHeader", "table": true, "height": 8},
                {"kind": "detail", "table": true, "height": 8}]})"));
    ResultSet rows;
    rows.columns = {"name", "anjam", "ok"};
    rows.rows = {{QStringLiteral("الف"), 1, QStringLiteral("بلي")},
                 {QStringLiteral("ب"), QStringLiteral("2"), QStringLiteral("خير")},
                 {QStringLiteral("ج"), QVariant(), QVariant()}};
    doc.setRows(rows);
    const std::vector<Page> pages = doc.layout();
    ASSERT_EQ(pages.size(), 1u);
    const Page &page = pages[0];
    // Columns from the right margin (200 mm) leftwards; rows under an 8 mm header.
    const auto unit = findText(page, QStringLiteral("هکتار"));
    ASSERT_EQ(unit.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(unit[i]->rect.center().x(), 142.5, 0.01);
        expectRect(boxAt(page, unit[i]->rect.center())->rect, 135, 18 + 8 * i, 150, 26 + 8 * i);
    }
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        const double middle = 22 + 8 * r;
        // The filled box: outlined on every row, black on the row that equals "1".
        const Primitive *fill = boxAt(page, QPointF(127.5, middle));
        ASSERT_TRUE(fill);
        expectRect(fill->rect, 125.5, middle - 2, 129.5, middle + 2);
        EXPECT_EQ(fill->fill, r == 0 ? QColor(Qt::black) : QColor());
        // The crossed box: its diagonals on the row whose value is one of "2", "3".
        const Primitive *cross = boxAt(page, QPointF(112.5, middle));
        ASSERT_TRUE(cross);
        expectRect(cross->rect, 110.5, middle - 2, 114.5, middle + 2);
        EXPECT_FALSE(cross->fill.isValid());
        EXPECT_EQ(linesWithin(page, cross->rect).size(), r == 1 ? 2u : 0u);
    }
    const auto stars = findText(page, QStringLiteral("*"));
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_NEAR(stars[0]->rect.center().x(), 100, 0.01);
    EXPECT_NEAR(stars[0]->rect.center().y(), 22, 0.01);
    EXPECT_EQ(findText(page, QStringLiteral("تاييد")).size(), 1u);

    // A mark outside a table, on the current row.
    Document single(parse(R"({"bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "mark", "field": "typ", "equals": "حقيقي", "style": "cross", "x": 0, "y": 0, "w": 5, "h": 5},
        {"type": "mark", "field": "typ", "equals": "حقوقي", "style": "cross", "x": 10, "y": 0, "w": 5, "h": 5}]}]})"));
    ResultSet contractor;
    contractor.columns = {"typ"};
    contractor.rows = {{QStringLiteral("حقوقي")}};
    single.setRows(contractor);
    const Page one = single.layout().at(0);
    EXPECT_TRUE(linesWithin(one, QRectF(195, 10, 5, 5)).empty());
    EXPECT_EQ(linesWithin(one, QRectF(185, 10, 5, 5)).size(), 2u);
}

TEST(Declarations, ColumnsAndMarksAreCheckedWhenRead)
{
    EXPECT_THROW(parse(R"({"table": {"columns": [{"title": "x", "width": 10}]}, "bands": []})"), TemplateError);
    EXPECT_THROW(parse(R"({"table": {"columns": [{"title": "x", "field": "a", "text": "b", "width": 10}]}, "bands": []})"),
                 TemplateError);  // two contents in one cell
    EXPECT_THROW(parse(R"({"table": {"columns": [{"title": "x", "mark": {"field": "a"}, "width": 10}]}, "bands": []})"),
                 TemplateError);  // a mark without its values
    EXPECT_THROW(parse(R"({"table": {"columns": [{"title": "x", "mark": {"field": "a", "equals": "1", "style": "tick"},
        "width": 10}]}, "bands": []})"),
                 TemplateError);
    EXPECT_THROW(parse(R"({"table": {"columns": [{"title": "x", "field": "a", "width": 10}],
        "secondLine": [{"column": "b", "field": "c"}]}, "bands": []})"),
                 TemplateError);  // under a column the table lacks
    EXPECT_THROW(parse(R"({"bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "tick", "name": "t", "style": "star", "x": 0, "y": 0, "w": 5, "h": 5}]}]})"),
                 TemplateError);
    EXPECT_THROW(parse(R"({"bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "mark", "equals": "1", "x": 0, "y": 0, "w": 5, "h": 5}]}]})"),
                 TemplateError);  // a mark reading no column
}

TEST(Declarations, ARecordOfTwoRuledLines)
{
    Document doc(parse(R"({"name": "two_lines", "bound": true, "page": {"size": "A4"},
      "table": {"headerHeight": 8, "rowHeight": 7, "columns": [
        {"title": "رديف", "rowNumber": true, "width": 10},
        {"title": "نام", "field": "name", "width": 60, "align": "right"},
        {"title": "مبلغ", "field": "amount", "width": 30, "number": true}],
        "secondLine": [{"column": "name", "span": 2, "field": "sayer", "title": "توضيحات", "align": "right"}]},
      "bands": [{"kind": "columnHeader", "table": true, "height": 8},
                {"kind": "detail", "table": true, "height": 7}]})"));
    ResultSet rows;
    rows.columns = {"name", "amount", "sayer"};
    rows.rows = {{QStringLiteral("الف"), 1000, QStringLiteral("شرح يک")},
                 {QStringLiteral("ب"), 2000, QString(QStringLiteral("شرح طولاني ")).repeated(20)},
                 {QStringLiteral("ج"), 3000, QStringLiteral("شرح سه")}};
    doc.setRows(rows);
    const Page page = doc.layout().at(0);

    // The header's titles on two lines; the row number's title over both.
    expectRect(boxAt(page, findText(page, QStringLiteral("نام")).at(0)->rect.center())->rect, 130, 10, 190, 18);
    expectRect(boxAt(page, findText(page, QStringLiteral("توضيحات")).at(0)->rect.center())->rect, 100, 18, 190, 26);
    expectRect(boxAt(page, findText(page, QStringLiteral("رديف")).at(0)->rect.center())->rect, 190, 10, 200, 26);

    // First record: its fields on the first line, the description under them.
    expectRect(boxAt(page, findText(page, QStringLiteral("الف")).at(0)->rect.center())->rect, 130, 26, 190, 33);
    expectRect(boxAt(page, findText(page, QStringLiteral("1000")).at(0)->rect.center())->rect, 100, 26, 130, 33);
    expectRect(boxAt(page, findText(page, QStringLiteral("شرح يک")).at(0)->rect.center())->rect, 100, 33, 190, 40);
    expectRect(boxAt(page, findText(page, QStringLiteral("1")).at(0)->rect.center())->rect, 190, 26, 200, 40);

    // Second record: a long description grows only its own line.
    const QRectF name2 = boxAt(page, findText(page, QStringLiteral("ب")).at(0)->rect.center())->rect;
    expectRect(name2, 130, 40, 190, 47);
    const Primitive *number2 = boxAt(page, findText(page, QStringLiteral("2")).at(0)->rect.center());
    EXPECT_NEAR(number2->rect.top(), 40, 0.01);
    EXPECT_GT(number2->rect.height(), 20);  // the wrapped description is three lines at least
    const QRectF name3 = boxAt(page, findText(page, QStringLiteral("ج")).at(0)->rect.center())->rect;
    EXPECT_NEAR(name3.top(), number2->rect.bottom(), 0.01);
    EXPECT_EQ(doc.text().count(QStringLiteral("طولاني")), 20);
}

TEST(Declarations, CrossedTickBoxes)
{
    Document doc(parse(R"({"name": "crossed", "page": {"size": "A5"}, "bands": [{"kind": "detail", "height": 20, "elements": [
        {"type": "tick", "name": "yes", "style": "cross", "x": 0, "y": 2, "w": 5, "h": 5},
        {"type": "tick", "name": "no", "style": "cross", "x": 10, "y": 2, "w": 5, "h": 5},
        {"type": "tick", "name": "coloured", "x": 20, "y": 2, "w": 5, "h": 5}]}]})"));
    EXPECT_TRUE(doc.isCrossBox("yes"));
    EXPECT_FALSE(doc.isCrossBox("coloured"));
    EXPECT_THROW(doc.setCrossed("coloured", true), TemplateError);
    EXPECT_THROW(doc.isCrossBox("missing"), TemplateError);

    tick(doc, {"yes", "no"}, QStringLiteral("2"), doneRule());
    EXPECT_FALSE(doc.isCrossed("yes"));
    EXPECT_TRUE(doc.isCrossed("no"));
    Page page = doc.layout().at(0);
    // A5 is 148 mm wide: "yes" lies at 133..138 mm, "no" at 123..128 mm, 12 mm down.
    const Primitive *no = boxAt(page, QPointF(125.5, 14.5));
    ASSERT_TRUE(no);
    expectRect(no->rect, 123, 12, 128, 17);
    const auto diagonals = linesWithin(page, no->rect);
    ASSERT_EQ(diagonals.size(), 2u);
    EXPECT_EQ(diagonals[0]->line, QLineF(no->rect.topLeft(), no->rect.bottomRight()));
    EXPECT_EQ(diagonals[1]->line, QLineF(no->rect.topRight(), no->rect.bottomLeft()));
    EXPECT_EQ(diagonals[0]->color, QColor(Qt::black));
    EXPECT_TRUE(linesWithin(page, QRectF(133, 12, 5, 5)).empty());
    EXPECT_TRUE(boxAt(page, QPointF(135.5, 14.5))->stroke);  // the empty box still shows

    tick(doc, {"yes", "no"}, QStringLiteral("1"), doneRule());
    page = doc.layout().at(0);
    EXPECT_EQ(linesWithin(page, QRectF(133, 12, 5, 5)).size(), 2u);
    EXPECT_TRUE(linesWithin(page, QRectF(123, 12, 5, 5)).empty());
    // The picture has ink on the diagonal's middle and none beside it.
    const QImage image = doc.renderImages(254).at(0);  // 10 pixels a millimetre
    EXPECT_LT(qGray(image.pixel(1355, 145)), 128);
    EXPECT_GT(qGray(image.pixel(1355, 130)), 200);
}
