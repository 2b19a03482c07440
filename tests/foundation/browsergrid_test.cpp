#include "browsergrid.h"
#include "filters.h"
#include "listtext.h"
#include "scripted.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace bv;

namespace {
ResultSet names(const QStringList &list)
{
    ResultSet rows;
    rows.columns = {"id", "name", "n"};
    int id = 0;
    for (const QString &name : list)
        rows.rows.push_back({++id, name, QVariant()});
    return rows;
}

QStringList column(const BrowserGrid &grid, const QString &name)
{
    QStringList out;
    const ResultSet rows = grid.shownRows();
    for (int r = 0; r < rows.size(); ++r)
        out << rows.value(r, name).toString();
    return out;
}
}  // namespace

TEST(BrowserGrid, TitleClickSortsInPersianOrderAndToggles)
{
    const QStringList persian = {
        QStringLiteral("آرش"), QStringLiteral("احمد"), QStringLiteral("بهرام"), QStringLiteral("پروين"),
        QStringLiteral("تقي"), QStringLiteral("چنگيز"), QStringLiteral("حسن"), QStringLiteral("زهرا"),
        QStringLiteral("ژاله"), QStringLiteral("کاظم"), QStringLiteral("گلناز"), QStringLiteral("يوسف"),
    };
    QStringList reversed(persian.rbegin(), persian.rend());
    BrowserGrid grid;
    grid.resize(600, 300);
    grid.show();
    grid.setRows(names(reversed));
    const QHeaderView *header = grid.horizontalHeader();
    const auto clickTitle = [&](int section) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, 5));
    };
    clickTitle(1);
    EXPECT_EQ(column(grid, "name"), persian);
    EXPECT_TRUE(grid.model()->headerData(1, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    clickTitle(1);
    EXPECT_EQ(column(grid, "name"), reversed);
    clickTitle(1);
    EXPECT_EQ(column(grid, "name"), persian);
    clickTitle(0);
    EXPECT_EQ(column(grid, "id").first(), "1");
    EXPECT_FALSE(grid.model()->headerData(1, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
}

TEST(BrowserGrid, FirstScreenThenTheWholeListOnATitleClickOrWhenIdle)
{
    QStringList all;
    for (int i = 0; i < 30; ++i)
        all << QStringLiteral("روستا %1").arg(i, 2, 10, QLatin1Char('0'));
    const ResultSet whole = names(all);
    ResultSet head = whole;
    head.rows.resize(10);
    int reads = 0;
    BrowserGrid grid;
    grid.resize(600, 300);
    grid.show();

    // A title click reads the rest first, so the sort orders every row.
    grid.setFirstScreen(head, whole.size(), [&] { ++reads; return whole; });
    EXPECT_FALSE(grid.rowsComplete());
    EXPECT_EQ(grid.rowCount(), 10);
    const QHeaderView *header = grid.horizontalHeader();
    const QPoint title(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_TRUE(grid.rowsComplete());
    EXPECT_EQ(column(grid, "name"), all);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    EXPECT_EQ(column(grid, "name").first(), all.last());
    EXPECT_EQ(reads, 1);

    // Left alone it completes when idle; a new list drops a pending read.
    grid.setFirstScreen(head, whole.size(), [&] { ++reads; return whole; });
    grid.setRows(names({QStringLiteral("تنها")}));
    QCoreApplication::processEvents();
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(grid.rowCount(), 1);
    // A first screen that is the whole list reads nothing more.
    grid.setFirstScreen(whole, whole.size(), [&] { ++reads; return whole; });
    EXPECT_TRUE(grid.rowsComplete());

    // A failed read is shown; the first screen stays.
    test::user().clear();
    grid.setFirstScreen(head, whole.size(), []() -> ResultSet { throw DbError(QStringLiteral("اتصال قطع شد")); });
    QCoreApplication::processEvents();
    EXPECT_EQ(test::user().messageTexts(), QStringList{QStringLiteral("اتصال قطع شد")});
    EXPECT_EQ(grid.rowCount(), 10);
    EXPECT_TRUE(grid.rowsComplete());
}

TEST(BrowserGrid, NumbersSortByValueAndEmptyCellsFirst)
{
    ResultSet rows;
    rows.columns = {"id", "v"};
    rows.rows = {{1, 10}, {2, QStringLiteral("9.5")}, {3, QVariant()}, {4, 100.25}, {5, QStringLiteral("1403/01/10")},
                 {6, QStringLiteral("1403/01/09")}, {7, QStringLiteral("")}};
    BrowserGrid grid;
    grid.setRows(rows);
    grid.sortBy("v");
    EXPECT_EQ(column(grid, "id"), (QStringList{"3", "7", "2", "1", "4", "6", "5"}));
    // Ties keep their order both ways.
    grid.sortBy("v");
    EXPECT_EQ(column(grid, "id"), (QStringList{"5", "6", "4", "1", "2", "3", "7"}));
}

TEST(BrowserGrid, HeadingsHiddenColumnsMoneyAndCurrentRow)
{
    BrowserGrid grid;
    grid.setHeadings({{"name", QStringLiteral("نام")}});
    grid.setHiddenColumns({"id"});
    grid.setMoneyColumns({"n"});
    ResultSet rows = names({QStringLiteral("ب"), QStringLiteral("الف")});
    rows.rows[0][2] = 1250000;
    grid.setRows(rows);
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_FALSE(grid.isColumnHidden(1));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("نام"));
    EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), "n");
    EXPECT_EQ(grid.model()->index(0, 2).data().toString(), "1,250,000");
    EXPECT_EQ(grid.model()->index(1, 2).data().toString(), "");
    EXPECT_EQ(grid.currentId(), 1);
    grid.sortBy("name");  // the current record stays current
    EXPECT_EQ(grid.currentId(), 1);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    grid.setRows(ResultSet{{"id"}, {}});
    EXPECT_FALSE(grid.currentId().isValid());
}

TEST(FilterCheck, TickEnablesColoursAndFocuses)
{
    QWidget window;
    auto *first = new QLineEdit(&window);
    auto *second = new QLineEdit(&window);
    auto *check = new FilterCheck(QStringLiteral("تاريخ"), {first, second}, &window);
    const QColor normal = window.palette().color(QPalette::Base);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(check->active());

    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    ASSERT_TRUE(check->isChecked());
    EXPECT_TRUE(check->active());
    for (QLineEdit *e : {first, second}) {
        EXPECT_TRUE(e->isEnabled());
        EXPECT_EQ(e->palette().color(QPalette::Base), QColor(Qt::yellow));
    }
    EXPECT_TRUE(first->hasFocus());

    check->setChecked(false);
    EXPECT_FALSE(check->active());
    for (QLineEdit *e : {first, second}) {
        EXPECT_FALSE(e->isEnabled());
        EXPECT_EQ(e->palette().color(QPalette::Active, QPalette::Base), normal);
        EXPECT_FALSE(e->testAttribute(Qt::WA_SetPalette));
    }
}
