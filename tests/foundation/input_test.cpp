// Typed text read once, date boxes that hold a whole date or nothing, and
// stored values shown in list boxes.
#include "dateedit.h"
#include "filters.h"
#include "passwords.h"
#include "scripted.h"
#include "text.h"
#include "widgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace bv;
using bv::test::user;

namespace {
QStringList items(const QComboBox &box)
{
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out << box.itemText(i);
    return out;
}
}  // namespace

TEST(TypedText, OneNormalisation)
{
    // Persian yeh, Persian and Arabic-Indic digits, outer blanks; inner blanks and the kafs stay.
    EXPECT_EQ(normalizeInput(QStringLiteral("  ده علی ۱۲ ")), QStringLiteral("ده علي 12"));
    EXPECT_EQ(normalizeInput(QStringLiteral("٠٩١٢")), "0912");
    EXPECT_EQ(normalizeInput(QStringLiteral("کرك")), QStringLiteral("کرك"));
    EXPECT_EQ(normalizeInput(QStringLiteral(" \t")), "");

    QLineEdit edit;
    edit.setText(QStringLiteral(" ۰۰۱۲۳ "));
    EXPECT_EQ(typedText(&edit), "00123");
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(QStringLiteral("علی "));
    EXPECT_EQ(typedText(&combo), QStringLiteral("علي"));
    JalaliDateEdit date;
    EXPECT_EQ(typedText(&date), emptyDateMask);  // the stored form, not the mask's text
    date.setDate("1403/07/05");
    EXPECT_EQ(typedText(&date), "1403/07/05");

    // A four-digit mask takes any Unicode digit; what is read is ASCII.
    QLineEdit year;
    year.setInputMask("0000");
    year.setText(QStringLiteral("۱۳۹۷"));
    EXPECT_EQ(typedText(&year), "1397");
}

TEST(TypedText, FiltersReadTheTypedTextWhileTicked)
{
    QWidget window;
    auto *edit = new QLineEdit(&window);
    auto *other = new QLineEdit(&window);
    FilterCheck check("f", {edit, other}, &window);
    edit->setText(QStringLiteral("علی ۱"));
    other->setText(QStringLiteral(" ۲"));
    EXPECT_FALSE(check.entry());
    check.setChecked(true);
    EXPECT_EQ(check.entry(), QStringLiteral("علي 1"));
    EXPECT_EQ(check.entry(other), "2");

    auto *input = new QComboBox(&window);
    input->setEditable(true);
    FilterList list("l", input, "x", &window);
    list.check->setChecked(true);
    input->setEditText(QStringLiteral(" کریمی "));
    list.add->click();
    list.append(QStringLiteral("۱۳۹۷"));
    EXPECT_EQ(list.entries(), (QStringList{QStringLiteral("کريمي"), "1397"}));
}

TEST(TypedText, PasswordsComparedAsTypedText)
{
    const QString hashed = hashPassword(QStringLiteral("رمز علی۱"));
    EXPECT_TRUE(verifyPassword(QStringLiteral("رمز علي1"), hashed));
    EXPECT_FALSE(verifyPassword(QStringLiteral("رمز علي2"), hashed));
    // A plain value of an older database, stored with the Arabic yeh.
    EXPECT_TRUE(verifyPassword(QStringLiteral("پیام۷"), QStringLiteral("پيام7")));
    EXPECT_FALSE(verifyPassword(QStringLiteral("پیام"), QStringLiteral("پيام7")));
}

TEST(DateEntry, BlankCompleteOrRefused)
{
    EXPECT_EQ(dateEntry(emptyDateMask), DateEntry::Blank);
    EXPECT_EQ(dateEntry(""), DateEntry::Blank);
    EXPECT_EQ(dateEntry("1403/12/30"), DateEntry::Valid);  // 1403 is leap
    EXPECT_EQ(dateEntry("1397/06/31"), DateEntry::Valid);
    for (const char *bad : {"1397/0 /  ", "1397/1 /01", "1397/01/ 1", "    /01/01", "1397/07/31", "1402/12/30",
                            "1397/13/01", "1397/00/10", "1397/01/00", "1397-01-01", "97/01/01"})
        EXPECT_EQ(dateEntry(bad), DateEntry::Invalid) << bad;
    EXPECT_FALSE(isJalaliDate("1397/1 /01"));
}

TEST(DateEntry, TheBoxRefusesAHalfTypedDateNamingTheField)
{
    QWidget window;
    auto *blank = new JalaliDateEdit(&window);
    auto *whole = new JalaliDateEdit(&window);
    auto *half = new JalaliDateEdit(&window);
    blank->setCaption(QStringLiteral("تاريخ تحويل"));
    half->setCaption(QStringLiteral("تاريخ قرارداد"));
    whole->setDate("1397/07/01");
    half->setFocus();
    QTest::keyClicks(half, "13970");
    EXPECT_EQ(half->date(), "1397/0 /  ");
    EXPECT_EQ(half->entry(), DateEntry::Invalid);
    EXPECT_EQ(whole->entry(), DateEntry::Valid);

    EXPECT_TRUE(acceptDates({blank, whole}));
    EXPECT_TRUE(user().messages.empty());
    EXPECT_FALSE(acceptDates({blank, half, whole}));
    EXPECT_EQ(user().messageTexts(), QStringList{invalidDateMessage(QStringLiteral("تاريخ قرارداد"))});
    EXPECT_TRUE(user().lastMessage().contains(QStringLiteral("«تاريخ قرارداد»")));

    // Older rows hold dates without leading zeros.
    whole->setDate("1397/7/1");
    EXPECT_EQ(whole->date(), "1397/07/01");
    whole->setDate(QStringLiteral("۱۳۹۸/۱/۵"));
    EXPECT_EQ(whole->date(), "1398/01/05");
}

TEST(StoredValue, FixedChoiceBoxShowsWhatWasStored)
{
    QComboBox box;
    box.addItems({QStringLiteral("تفاهمنامه"), QStringLiteral("قرارداد")});
    showStoredValue(&box, QStringLiteral("قرارداد"));
    EXPECT_EQ(box.currentIndex(), 1);
    // An empty value is no choice, not the previous record's.
    showStoredValue(&box, QString());
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.currentText(), "");
    // A value outside the list is shown as it is and read back unchanged...
    showStoredValue(&box, "manager");
    EXPECT_EQ(box.currentText(), "manager");
    // ...and goes away with the record.
    showStoredValue(&box, QStringLiteral("تفاهمنامه"));
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_EQ(items(box), (QStringList{QStringLiteral("تفاهمنامه"), QStringLiteral("قرارداد")}));
    showStoredValue(&box, "other");
    showStoredValue(&box, "other");
    EXPECT_EQ(box.count(), 3);
    showStoredValue(&box, QString());
    EXPECT_EQ(box.count(), 2);
    EXPECT_EQ(box.currentIndex(), -1);
}

TEST(StoredValue, EditableBoxShowsTheTextItself)
{
    QComboBox box;
    box.setEditable(true);
    box.addItems({"a", "b"});
    showStoredValue(&box, "b");
    EXPECT_EQ(box.currentIndex(), 1);
    showStoredValue(&box, "typed once");
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.currentText(), "typed once");
    EXPECT_EQ(box.count(), 2);
    showStoredValue(&box, QString());
    EXPECT_EQ(box.currentText(), "");
}
