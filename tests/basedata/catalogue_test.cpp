#include "accounts.h"
#include "admin_fixture.h"
#include "basedata_pages.h"
#include "catalogue.h"
#include "grid_rows.h"
#include "main_window.h"
#include "money.h"
#include "windows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace bv;
using bv::test::AdminTest;
using bv::test::selectRow;
using bv::test::shownColumn;
using bv::test::user;

namespace {
const QString added = QStringLiteral("ثبت شد");
const QString duplicate = QStringLiteral("تکراريست");
const QString badValue = QStringLiteral("لطفا مقدار مناسب را وارد نماييد");

template <CatalogueId Id>
catalogue &opened()
{
    catalogue &w = windows::get<catalogue_of<Id>>();
    w.applyRights({true, true, true, true});
    w.prepare();
    return w;
}

void enter(catalogue &w, std::initializer_list<std::pair<const char *, QString>> values)
{
    for (const auto &[column, text] : values)
        w.edit(QString::fromLatin1(column))->setText(text);
    w.ins_btn->click();
}

int rows(const Db &db, const char *table)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(table)).toInt();
}

const std::vector<std::pair<CatalogueId, const char *>> menuItems = {
    {CatalogueId::arzyabi_items, "N6"},        {CatalogueId::arzyabi_items_gis, "GIS1"},
    {CatalogueId::arzyabi_item_tarh, "N16"},   {CatalogueId::arzyabi_item_tafsili, "N21"},
    {CatalogueId::arzyabi_item_naghshe, "N17"}, {CatalogueId::arzyabi_item_moshaver, "N18"},
    {CatalogueId::naghshe_cheklist, "N25"},    {CatalogueId::naghshe_meghyas, "N26"},
};
}  // namespace

class CatalogueTest : public AdminTest {};

TEST_P(CatalogueTest, EveryCatalogueRegistersListsAndDeletesARow)
{
    for (const auto &[id, item] : menuItems) {
        const CatalogueTable &t = catalogueTable(id);
        CatalogueInputs inputs;
        for (const CatalogueField &f : t.fields)
            inputs[QString::fromLatin1(f.column)] = f.input == CatalogueInput::Choice ? f.choices.first()
                : f.input == CatalogueInput::Tick                                      ? f.label
                : f.input == CatalogueInput::Text                                      ? QStringLiteral("آيتم")
                                                                                       : QStringLiteral("25");
        EXPECT_EQ(addCatalogueItem(db(), t, inputs).result, CatalogueAddResult::Added) << t.window;
        EXPECT_EQ(addCatalogueItem(db(), t, inputs).result, CatalogueAddResult::Duplicate) << t.window;
        const ResultSet listed = catalogueRows(db(), t);
        ASSERT_EQ(listed.size(), 1) << t.window;
        EXPECT_EQ(listed.columns.size(), qsizetype(t.fields.size() + 1));
        if (t.scoreTotal) {
            EXPECT_EQ(catalogueTotal(db(), t), Decimal(25)) << t.window;
        }
        removeCatalogueItem(db(), t, listed.value(0, "id").toLongLong());
        EXPECT_EQ(rows(db(), t.table), 0) << t.window;
    }
}

TEST_P(CatalogueTest, TheSameItemUnderTwoHeadingsIsAcceptedAndADuplicateUnderOneIsNot)
{
    catalogue &w = opened<CatalogueId::arzyabi_item_tarh>();
    EXPECT_EQ(w.objectName(), "arzyabi_item_tarh");
    EXPECT_EQ(w.edit("emtiyaz")->text(), "0");
    enter(w, {{"kol", "H1"}, {"joz", "A"}, {"emtiyaz", "5"}});
    enter(w, {{"kol", "H2"}, {"joz", "A"}, {"emtiyaz", "3"}});
    EXPECT_EQ(user().messageTexts(), (QStringList{added, added}));
    EXPECT_EQ(w.emtiyaz_sum->text(), "8");
    user().clear();
    enter(w, {{"kol", "H1"}, {"joz", "A"}, {"emtiyaz", "7"}});
    EXPECT_EQ(user().messageTexts(), QStringList{duplicate});
    EXPECT_EQ(w.emtiyaz_sum->text(), "8");
    EXPECT_EQ(rows(db(), "arzyabi_tarh"), 2);
    EXPECT_EQ(w.DBGrid1->rowCount(), 2);
}

TEST_P(CatalogueTest, DeletingAnItemLowersTheTotalByItsMaximumScore)
{
    catalogue &w = opened<CatalogueId::arzyabi_items>();
    enter(w, {{"cmt", QStringLiteral("دقت نقشه")}, {"emtiyaz", "10"}});
    enter(w, {{"cmt", QStringLiteral("پوشش")}, {"emtiyaz", QStringLiteral("۲.۵")}});
    enter(w, {{"cmt", QStringLiteral("بايگاني")}, {"emtiyaz", "4"}});
    EXPECT_EQ(w.emtiyaz_sum->text(), "16.5");
    // Listed by item in Persian order.
    EXPECT_EQ(shownColumn(*w.DBGrid1, "cmt"),
              (QStringList{QStringLiteral("بايگاني"), QStringLiteral("پوشش"), QStringLiteral("دقت نقشه")}));
    user().clear();
    w.edit("cmt")->clear();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "cmt", QStringLiteral("پوشش")));
    w.deleteAction->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("حذف شد")});
    EXPECT_EQ(w.emtiyaz_sum->text(), "14");
    EXPECT_EQ(w.edit("cmt")->text(), QStringLiteral("پوشش"));
    EXPECT_EQ(w.edit("emtiyaz")->text(), "2.5");
    EXPECT_EQ(w.DBGrid1->rowCount(), 2);
}

TEST_P(CatalogueTest, ANonNumericScoreIsRefusedAndNothingIsWritten)
{
    for (catalogue *w : std::initializer_list<catalogue *>{
             &opened<CatalogueId::arzyabi_items>(), &opened<CatalogueId::arzyabi_items_gis>(),
             &opened<CatalogueId::arzyabi_item_tarh>(), &opened<CatalogueId::arzyabi_item_tafsili>()}) {
        user().clear();
        for (const CatalogueField &f : w->table().fields)
            w->edit(QString::fromLatin1(f.column))->setText("item");
        w->edit("emtiyaz")->setText(QStringLiteral("ده"));
        w->ins_btn->click();
        EXPECT_EQ(user().messageTexts(), QStringList{badValue}) << w->table().window;
        EXPECT_EQ(rows(db(), w->table().table), 0) << w->table().window;
        EXPECT_EQ(w->emtiyaz_sum->text(), "0");
    }
    // An empty heading is refused.
    catalogue &tafsili = opened<CatalogueId::arzyabi_item_tafsili>();
    user().clear();
    enter(tafsili, {{"kol", ""}, {"joz", "A"}, {"emtiyaz", "1"}});
    EXPECT_EQ(user().messageTexts(), QStringList{badValue});
    EXPECT_EQ(rows(db(), "arzyabi_item_tafsili"), 0);
}

TEST_P(CatalogueTest, ChecklistSubjectsPerContractorKindWithTheirAnswers)
{
    catalogue &w = opened<CatalogueId::naghshe_cheklist>();
    EXPECT_EQ(w.emtiyaz_sum, nullptr);
    auto enterItem = [&](const QString &kind, bool yes, bool no) {
        w.choice("typ")->setCurrentText(kind);
        w.edit("mozo")->setText(QStringLiteral("بيمه"));
        w.tick("bale")->setChecked(yes);
        w.tick("kheyr")->setChecked(no);
        w.edit("cmt")->setText("c");
        w.ins_btn->click();
    };
    enterItem(QStringLiteral("حقيقي"), true, false);
    enterItem(QStringLiteral("حقوقي"), true, true);
    enterItem(QStringLiteral("حقيقي"), false, true);
    EXPECT_EQ(user().messageTexts(), (QStringList{added, added, duplicate}));
    EXPECT_EQ(db().scalar("SELECT kheyr FROM naghshe_cheklist WHERE typ = ?", {QStringLiteral("حقيقي")}).toString(), "");
    EXPECT_EQ(db().scalar("SELECT bale FROM naghshe_cheklist WHERE typ = ?", {QStringLiteral("حقيقي")}).toString(),
              QStringLiteral("بله"));
    // A subject without a kind is refused.
    user().clear();
    w.choice("typ")->setCurrentIndex(-1);
    w.ins_btn->click();
    EXPECT_EQ(user().messageTexts(), QStringList{badValue});

    ASSERT_TRUE(selectRow(*w.DBGrid1, "typ", QStringLiteral("حقوقي")));
    w.deleteAction->trigger();
    EXPECT_EQ(w.choice("typ")->currentText(), QStringLiteral("حقوقي"));
    EXPECT_TRUE(w.tick("bale")->isChecked());
    EXPECT_TRUE(w.tick("kheyr")->isChecked());
    EXPECT_EQ(rows(db(), "naghshe_cheklist"), 1);
}

TEST_P(CatalogueTest, MapScalesWithPricesAndAReadOnlyGrid)
{
    catalogue &w = opened<CatalogueId::naghshe_meghyas>();
    EXPECT_EQ(w.objectName(), "naghshe_meghyas");
    EXPECT_TRUE(w.edit("scale")->text().isEmpty());
    EXPECT_EQ(w.edit("khali_price")->text(), "0");
    EXPECT_EQ(w.edit("por_price")->text(), "0");
    enter(w, {{"scale", "500"}, {"khali_price", "1,200,000"}, {"por_price", QStringLiteral("۲۵۰۰۰۰۰")}});
    EXPECT_TRUE(user().messages.empty()) << user().lastMessage().toStdString();
    const Row stored = db().rows("SELECT scale, khali_price, por_price FROM naghshe_meghyas").at(0);
    EXPECT_EQ(stored.value("scale").toInt(), 500);
    EXPECT_EQ(Money::fromVariant(stored.value("khali_price")), Money::fromWhole(1200000));
    EXPECT_EQ(Money::fromVariant(stored.value("por_price")), Money::fromWhole(2500000));

    enter(w, {{"scale", "500"}, {"khali_price", "1"}, {"por_price", "1"}});
    enter(w, {{"scale", "1:1000"}, {"khali_price", "1"}, {"por_price", "1"}});
    enter(w, {{"scale", "1000"}, {"khali_price", "abc"}, {"por_price", "1"}});
    enter(w, {{"scale", "1000"}, {"khali_price", "1"}, {"por_price", QStringLiteral("يك")}});
    EXPECT_EQ(user().messageTexts(),
              (QStringList{QStringLiteral("خطا! اين مقياس تکراريست"), badValue, badValue, badValue}));
    EXPECT_EQ(rows(db(), "naghshe_meghyas"), 1);

    // Prices feed fee computations: the grid never edits them in place.
    ASSERT_EQ(w.DBGrid1->rowCount(), 1);
    EXPECT_EQ(w.DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    const QModelIndex price = w.DBGrid1->model()->index(0, w.DBGrid1->shownRows().columnIndex("por_price"));
    EXPECT_FALSE(w.DBGrid1->model()->flags(price) & Qt::ItemIsEditable);
    EXPECT_FALSE(w.DBGrid1->model()->setData(price, "1"));
    EXPECT_EQ(price.data().toString(), "2,500,000");

    user().clear();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "scale", 500));
    w.deleteAction->trigger();
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(w.edit("khali_price")->text(), "1200000");
    EXPECT_EQ(rows(db(), "naghshe_meghyas"), 0);
}

TEST_P(CatalogueTest, TheMenuChecksThePageKeyOfEveryItemButTheScales)
{
    registerBasedataPages();
    const qint64 clerk = addUser("clerk", "x");
    session() = Session{"clerk", "ostan", clerk, {}};
    main &menu = windows::get<main>();
    for (const auto &[id, item] : menuItems) {
        user().clear();
        menu.trigger(QString::fromLatin1(item));
        if (id == CatalogueId::naghshe_meghyas)
            EXPECT_EQ(user().shownDialogs, QStringList{"naghshe_meghyas"});
        else
            EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage}) << item;
    }

    db().exec("INSERT INTO arzyabi (cmt, emtiyaz) VALUES ('a', 6), ('b', 1.5)");
    saveRights(db(), clerk, {{"arzyabi", {false, false, true, true}}});
    for (const auto &[id, item] : menuItems) {
        user().clear();
        menu.trigger(QString::fromLatin1(item));
        EXPECT_EQ(user().shownDialogs, QStringList{QString::fromLatin1(catalogueTable(id).window)}) << item;
    }
    catalogue &w = windows::get<catalogue_of<CatalogueId::arzyabi_items>>();
    EXPECT_FALSE(w.ins_btn->isEnabled());
    EXPECT_TRUE(w.deleteAction->isEnabled());
    EXPECT_EQ(w.emtiyaz_sum->text(), "7.5");
    EXPECT_EQ(w.DBGrid1->rowCount(), 2);
    // The scales window is never restricted.
    EXPECT_TRUE(windows::get<catalogue_of<CatalogueId::naghshe_meghyas>>().ins_btn->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Engines, CatalogueTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
