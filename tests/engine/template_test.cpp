#include "helpers.h"

#include <gtest/gtest.h>

using namespace bv;
using namespace bv::report;
using namespace bv::test;

namespace {
Template parse(const char *json)
{
    return Template::fromJson(QByteArray(json), QStringLiteral("t"));
}

const Primitive *cellBox(const Page &page, const QRectF &textRect)
{
    // The ruled box drawn around a text cell holds its text rectangle.
    for (const Primitive &p : page.items)
        if (p.kind == Primitive::Kind::Box && p.stroke && p.rect.contains(textRect.center()) &&
            p.rect.top() <= textRect.top() + 0.01 && p.rect.width() < textRect.width() + 3)
            return &p;
    return nullptr;
}
}  // namespace

TEST(Template, RulesOfTheFileAreChecked)
{
    EXPECT_THROW(parse(R"({"bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "blink", "x": 0, "y": 0, "w": 10, "h": 5}]}]})"),
                 TemplateError);
    EXPECT_THROW(parse(R"({"bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "label", "x": 0, "y": 0, "w": 10, "h": 5}]}]})"),
                 TemplateError);  // a label without a name
    EXPECT_THROW(parse(R"({"bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "text", "text": "x", "x": 150, "y": 0, "w": 50, "h": 5}]}]})"),
                 TemplateError);  // past the left margin of A4 (190 mm wide)
    EXPECT_THROW(parse(R"({"page": {"size": "B7"}, "bands": []})"), TemplateError);
    EXPECT_THROW(parse(R"({"bands": [{"kind": "detail", "table": true, "height": 10}]})"), TemplateError);
    EXPECT_THROW(parse("{"), TemplateError);
    EXPECT_THROW(parse(R"({"groups": {"header": ["rosta"]}, "bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "label", "name": "city", "x": 0, "y": 0, "w": 10, "h": 5}]}]})"),
                 TemplateError);  // a group member the template lacks
    EXPECT_NO_THROW(parse(R"({"bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "text", "text": "x", "x": 140, "y": 0, "w": 50, "h": 5}]}]})"));
}

TEST(Template, PaperSizesAndOrientation)
{
    const Template a5 = parse(R"({"page": {"size": "A5"}, "bands": []})");
    EXPECT_NEAR(a5.page.paperMm().width(), 148, 0.5);
    EXPECT_NEAR(a5.page.paperMm().height(), 210, 0.5);
    const Template landscape = parse(R"({"page": {"size": "A4", "orientation": "landscape",
        "margins": {"left": 5, "right": 8, "top": 10, "bottom": 10}}, "bands": []})");
    EXPECT_NEAR(landscape.page.paperMm().width(), 297, 0.5);
    EXPECT_NEAR(landscape.contentWidth(), 297 - 13, 0.5);
    EXPECT_EQ(landscape.page.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST(Template, ElementsArePlacedFromTheRightMargin)
{
    Document doc(parse(R"({"page": {"size": "A4"}, "bands": [{"kind": "detail", "height": 10, "elements": [
        {"type": "text", "name": "first", "text": "اول", "x": 0, "y": 2, "w": 30, "h": 6},
        {"type": "text", "name": "second", "text": "دوم", "x": 30, "y": 2, "w": 30, "h": 6}]}]})"));
    const Page page = doc.layout().at(0);
    const auto first = findText(page, QStringLiteral("اول"));
    const auto second = findText(page, QStringLiteral("دوم"));
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    // A4 is 210 mm wide with 10 mm margins: x = 0 ends at 200 mm.
    EXPECT_NEAR(first[0]->rect.right(), 200, 0.01);
    EXPECT_NEAR(first[0]->rect.left(), 170, 0.01);
    EXPECT_NEAR(second[0]->rect.right(), 170, 0.01);
    EXPECT_NEAR(first[0]->rect.top(), 12, 0.01);
}

TEST(Template, RuledTableColumnsRunFromRightToLeft)
{
    Document doc(listTemplate());
    doc.setRows(numberedRows(1));
    const Page page = doc.layout().at(0);
    const auto radif = findText(page, QStringLiteral("رديف"));
    const auto name = findText(page, QStringLiteral("نام"));
    const auto amount = findText(page, QStringLiteral("مبلغ"));
    ASSERT_EQ(radif.size(), 1u);
    ASSERT_EQ(name.size(), 1u);
    ASSERT_EQ(amount.size(), 1u);
    // The first column is the rightmost one, at the right margin.
    const Primitive *radifBox = cellBox(page, radif[0]->rect);
    const Primitive *nameBox = cellBox(page, name[0]->rect);
    const Primitive *amountBox = cellBox(page, amount[0]->rect);
    ASSERT_TRUE(radifBox && nameBox && amountBox);
    EXPECT_NEAR(radifBox->rect.right(), 200, 0.01);
    EXPECT_NEAR(radifBox->rect.left(), 185, 0.01);
    EXPECT_NEAR(nameBox->rect.right(), 185, 0.01);
    EXPECT_NEAR(nameBox->rect.left(), 85, 0.01);
    EXPECT_NEAR(amountBox->rect.right(), 85, 0.01);
    EXPECT_NEAR(amountBox->rect.left(), 45, 0.01);

    // The detail cells sit under their titles.
    const auto one = findText(page, QStringLiteral("1"));
    const auto row = findText(page, QStringLiteral("row1"));
    const auto money = findText(page, QStringLiteral("1000"));
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(row.size(), 1u);
    ASSERT_EQ(money.size(), 1u);
    EXPECT_NEAR(one[0]->rect.center().x(), radifBox->rect.center().x(), 0.01);
    EXPECT_NEAR(row[0]->rect.center().x(), nameBox->rect.center().x(), 0.01);
    EXPECT_NEAR(money[0]->rect.center().x(), amountBox->rect.center().x(), 0.01);

    // A summary element placed under a column, spanning two columns leftwards.
    const auto total = findText(page, QStringLiteral("0"));
    const auto caption = findText(page, QStringLiteral("جمع"));
    ASSERT_EQ(total.size(), 1u);
    ASSERT_EQ(caption.size(), 1u);
    EXPECT_NEAR(total[0]->rect.center().x(), amountBox->rect.center().x(), 0.01);
    EXPECT_NEAR(caption[0]->rect.right(), 200 - 1, 0.01);  // inside its ruled box
    EXPECT_NEAR(caption[0]->rect.left(), 85 + 1, 0.01);
}

TEST(Template, ProgramTemplatesLoad)
{
    const QStringList names = Template::available();
    for (const char *name : {"etebarat_rep", "tamdid_frm", "frm_checklist"})
        EXPECT_TRUE(names.contains(QLatin1String(name))) << name;
    for (const QString &name : names)
        EXPECT_NO_THROW(Template::load(name)) << name.toStdString();
    EXPECT_THROW(Template::load(QStringLiteral("no_such_template")), TemplateError);
    const Template rep = Template::load(QStringLiteral("etebarat_rep"));
    EXPECT_EQ(rep.page.size, QPageSize::A4);
    EXPECT_EQ(rep.page.orientation, QPageLayout::Landscape);
    EXPECT_TRUE(rep.bound);
    EXPECT_EQ(Template::load(QStringLiteral("tamdid_frm")).page.size, QPageSize::A5);
}
