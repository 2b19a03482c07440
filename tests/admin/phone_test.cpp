#include "accounts.h"
#include "admin_fixture.h"
#include "admin_pages.h"
#include "grid_rows.h"
#include "pages.h"
#include "phone.h"
#include "phonebook.h"
#include "windows.h"

#include <QAction>
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
// "كريم" with the Arabic kaf and yeh, and the same name with the Persian ones.
const QString arabicKaf = QStringLiteral("\u0643\u0631\u064A\u0645");
const QString persianKaf = QStringLiteral("\u06A9\u0631\u06CC\u0645");

phone &openedBook()
{
    phone &w = windows::get<phone>();
    w.applyRights({true, true, true, true});
    w.search_by->setCurrentIndex(0);
    w.prepare();
    return w;
}

void enter(phone &w, const QString &name, const QString &tel, const QString &cmt)
{
    w.name->setText(name);
    w.tel->setText(tel);
    w.cmt->setText(cmt);
    w.ins_btn->click();
}
}  // namespace

class PhoneTest : public AdminTest {};

TEST_P(PhoneTest, ANameIsFoundWhicheverKafOrYehItWasStoredOrTypedWith)
{
    // One stored as typed in the window, one as an older program stored it.
    phone &w = openedBook();
    enter(w, arabicKaf, "0861", "");
    db().exec("INSERT INTO phone (name, tel, cmt) VALUES (?, ?, ?)", {persianKaf + QStringLiteral(" زاده"), "0862", ""});
    db().exec("INSERT INTO phone (name, tel, cmt) VALUES (?, ?, ?)", {QStringLiteral("رضا"), "0863", ""});

    w.src->setText(persianKaf);
    EXPECT_EQ(w.cnt->text(), "2");
    QStringList tels = shownColumn(*w.DBGrid1, "tel");
    tels.sort();
    EXPECT_EQ(tels, (QStringList{"0861", "0862"}));
    w.src->setText(arabicKaf);
    EXPECT_EQ(w.cnt->text(), "2");
    EXPECT_EQ(searchPhones(db(), PhoneField::Name, QStringLiteral("\u06A9\u0631\u064A\u0645")).size(), 2);
    w.src->clear();
    EXPECT_EQ(w.cnt->text(), "3");
}

TEST_P(PhoneTest, SearchByTelephoneOrDescriptionAndNamelessRowsStayHidden)
{
    db().exec("INSERT INTO phone (name, tel, cmt) VALUES (?, ?, ?)", {QStringLiteral("رضا"), "021-555", QStringLiteral("بايگاني")});
    db().exec("INSERT INTO phone (name, tel, cmt) VALUES (?, ?, ?)", {QStringLiteral("مينا"), "0861-222", QStringLiteral("مالي")});
    db().exec("INSERT INTO phone (name, tel, cmt) VALUES (?, ?, ?)", {"", "021-999", QStringLiteral("بايگاني")});
    phone &w = openedBook();
    EXPECT_EQ(w.cnt->text(), "2");
    w.search_by->setCurrentIndex(1);
    w.src->setText(QStringLiteral("۰۲۱"));  // Persian digits find ASCII ones
    EXPECT_EQ(shownColumn(*w.DBGrid1, "name"), QStringList{QStringLiteral("رضا")});
    EXPECT_EQ(w.cnt->text(), "1");
    w.search_by->setCurrentIndex(2);
    w.src->setText(QStringLiteral("مال"));
    EXPECT_EQ(shownColumn(*w.DBGrid1, "name"), QStringList{QStringLiteral("مينا")});
}

TEST_P(PhoneTest, DuplicateOrEmptyNameWritesNothing)
{
    phone &w = openedBook();
    enter(w, QStringLiteral("رضا"), "1", "");
    EXPECT_EQ(user().messageTexts(), QStringList{"ثبت شد"});
    EXPECT_EQ(w.cnt->text(), "1");
    user().clear();
    enter(w, QStringLiteral("رضا"), "2", "");
    enter(w, "  ", "3", "");
    EXPECT_EQ(user().messageTexts(),
              (QStringList{QStringLiteral("نام تکراري است"), QStringLiteral("لطفا مقدار مناسب را وارد نماييد")}));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM phone").toInt(), 1);
    EXPECT_EQ(db().scalar("SELECT tel FROM phone").toString(), "1");
}

TEST_P(PhoneTest, DeleteShowsTheRowInTheBoxesAndRemovesOnlyIt)
{
    phone &w = openedBook();
    enter(w, QStringLiteral("رضا"), QStringLiteral("۰۸۶۱"), QStringLiteral("\u0645\u0627\u0644\u06CC"));
    enter(w, QStringLiteral("مينا"), "2", "");
    EXPECT_EQ(db().scalar("SELECT cmt FROM phone WHERE tel = '0861'").toString(), QStringLiteral("\u0645\u0627\u0644\u064A"));
    w.prepare();
    user().clear();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "tel", "0861"));
    w.deleteAction->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{"حذف شد"});
    EXPECT_EQ(w.name->text(), QStringLiteral("رضا"));
    EXPECT_EQ(w.tel->text(), "0861");
    EXPECT_EQ(w.cmt->text(), QStringLiteral("\u0645\u0627\u0644\u064A"));
    EXPECT_EQ(w.cnt->text(), "1");
    EXPECT_EQ(shownColumn(*w.DBGrid1, "name"), QStringList{QStringLiteral("مينا")});
}

TEST_P(PhoneTest, TheMenuAppliesThePhonePageRights)
{
    registerAdminPages();
    const qint64 clerk = addUser("clerk", "x");
    session() = Session{"clerk", "ostan", clerk, {}};
    saveRights(db(), clerk, {{"phone", {true, false, false, true}}});
    phone &w = windows::get<phone>();
    w.src->setText("left over");
    EXPECT_TRUE(pages::open("N19", "phone", db(), session()));
    EXPECT_EQ(user().shownDialogs, QStringList{"phone"});
    EXPECT_TRUE(w.ins_btn->isEnabled());
    EXPECT_FALSE(w.deleteAction->isEnabled());
    EXPECT_TRUE(w.src->text().isEmpty());
    EXPECT_EQ(w.cnt->text(), "0");
}

INSTANTIATE_TEST_SUITE_P(Engines, PhoneTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
