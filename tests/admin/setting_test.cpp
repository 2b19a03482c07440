#include "accounts.h"
#include "admin_fixture.h"
#include "admin_pages.h"
#include "grid_rows.h"
#include "lookupedit.h"
#include "lookuplists.h"
#include "pages.h"
#include "setting.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace bv;
using bv::test::AdminTest;
using bv::test::selectRow;
using bv::test::shownColumn;
using bv::test::user;

namespace {
const QString emptyItem = QStringLiteral("لطفا مقدار مناسب را وارد نماييد");
const QString duplicateItem = QStringLiteral("تكراري است");
const QString director = QStringLiteral("مدير کل");
const QString provinceDirector = QStringLiteral("مدير کل زلمرکان استان");

setting &openedSettings()
{
    setting &w = windows::get<setting>();
    w.applyRights({true, true, true, true});
    w.prepare();
    return w;
}

void choose(setting &w, const QString &title)
{
    w.component->setCurrentIndex(w.component->findText(title));
}

void registerItem(setting &w, const QString &item)
{
    w.cmt->setText(item);
    w.ins_btn->click();
}
}  // namespace

TEST(LookupTitles, EveryTitleInTheWindowsOrder)
{
    const QStringList &titles = lookupTitles();
    EXPECT_EQ(titles.size(), 42);
    EXPECT_EQ(titles.first(), QStringLiteral("ادارات استعلام"));
    EXPECT_EQ(titles.last(), QStringLiteral("وضعيت پرداخت"));
    const int ppk = int(titles.indexOf(QStringLiteral("مبلغ هر قطعه نقشه برداريPPK")));
    ASSERT_GE(ppk, 0);
    EXPECT_EQ(titles[ppk + 1], QStringLiteral("مبلغ هر قطعه نقشه برداريRTK"));
    EXPECT_EQ(titles[ppk + 2], QStringLiteral("مبلغ هر هکتار نقشه برداريPPK"));
    EXPECT_EQ(titles[ppk + 3], QStringLiteral("مبلغ هر هکتار نقشه برداريRTK"));
    QStringList unique = titles;
    EXPECT_EQ(unique.removeDuplicates(), 0);
}

class SettingTest : public AdminTest {};

TEST_P(SettingTest, ATitleListsTheTitlesContainingItWhileTheDuplicateCheckIsExact)
{
    setting &w = openedSettings();
    choose(w, director);
    registerItem(w, "A");
    choose(w, provinceDirector);
    registerItem(w, "A");
    EXPECT_EQ(user().messageTexts(), (QStringList{"ثبت شد", "ثبت شد"}));
    EXPECT_EQ(shownColumn(*w.DBGrid1, "component"), QStringList{provinceDirector});

    user().clear();
    choose(w, director);
    registerItem(w, "A");
    EXPECT_EQ(user().messageTexts(), QStringList{duplicateItem});
    EXPECT_EQ(shownColumn(*w.DBGrid1, "component"), (QStringList{director, provinceDirector}));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM setting").toInt(), 2);
}

TEST_P(SettingTest, EmptyItemOrTitleIsRefusedAndEnterRegisters)
{
    setting &w = openedSettings();
    choose(w, director);
    registerItem(w, "   ");
    w.component->setCurrentIndex(-1);
    registerItem(w, "B");
    EXPECT_EQ(user().messageTexts(), (QStringList{emptyItem, emptyItem}));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM setting").toInt(), 0);

    user().clear();
    choose(w, director);
    w.cmt->setText(QStringLiteral("علی"));  // typed with the Persian yeh
    QTest::keyClick(w.cmt, Qt::Key_Return);
    EXPECT_EQ(user().messageTexts(), QStringList{"ثبت شد"});
    EXPECT_EQ(lookupItems(db(), director), QStringList{QStringLiteral("علي")});
    // The same item with the other yeh is the same item.
    user().clear();
    registerItem(w, QStringLiteral("علي"));
    EXPECT_EQ(user().messageTexts(), QStringList{duplicateItem});
}

TEST_P(SettingTest, ItemsListByNameWhileReadersTakeTheFirstRegistered)
{
    setting &w = openedSettings();
    const QString title = QStringLiteral("گروه کاربري");
    choose(w, title);
    for (const char *item : {"پشتيباني", "ارزيابي", "بايگاني"})
        registerItem(w, QString::fromUtf8(item));
    EXPECT_EQ(shownColumn(*w.DBGrid1, "cmt"),
              (QStringList{QStringLiteral("ارزيابي"), QStringLiteral("بايگاني"), QStringLiteral("پشتيباني")}));
    EXPECT_EQ(lookupFirst(db(), title), QStringLiteral("پشتيباني"));
}

TEST_P(SettingTest, DeletingAnItemRegisteredTwiceRemovesBoth)
{
    for (const char *item : {"x", "x", "y"})
        db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {director, QString::fromLatin1(item)});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {provinceDirector, "x"});
    setting &w = openedSettings();
    EXPECT_EQ(w.DBGrid1->rowCount(), 4);
    choose(w, director);
    ASSERT_TRUE(selectRow(*w.DBGrid1, "cmt", "x"));
    ASSERT_EQ(w.DBGrid1->currentValue("component").toString(), director);
    w.deleteAction->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{"حذف شد"});
    EXPECT_EQ(lookupItems(db(), director), QStringList{"y"});
    EXPECT_EQ(lookupItems(db(), provinceDirector), QStringList{"x"});
    // Every row is listed again, by title.
    EXPECT_EQ(shownColumn(*w.DBGrid1, "component"), (QStringList{director, provinceDirector}));
}

TEST_P(SettingTest, TheMenuAppliesTheSettingsPageRights)
{
    registerAdminPages();
    const qint64 clerk = addUser("clerk", "x");
    session() = Session{"clerk", "ostan", clerk, {}};
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {director, "x"});
    setting &w = windows::get<setting>();
    w.cmt->setText("left over");

    EXPECT_FALSE(pages::open("N4", "seting", db(), session()));
    EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage});

    saveRights(db(), clerk, {{"seting", {false, false, true, true}}});
    user().clear();
    EXPECT_TRUE(pages::open("N4", "seting", db(), session()));
    EXPECT_EQ(user().shownDialogs, QStringList{"setting"});
    EXPECT_FALSE(w.ins_btn->isEnabled());
    EXPECT_TRUE(w.deleteAction->isEnabled());
    EXPECT_TRUE(w.cmt->text().isEmpty());
    EXPECT_EQ(w.component->currentIndex(), -1);
    EXPECT_EQ(w.DBGrid1->rowCount(), 1);
    // Enter cannot register past the disabled button.
    choose(w, director);
    w.cmt->setText("new");
    QTest::keyClick(w.cmt, Qt::Key_Return);
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM setting").toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, SettingTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
