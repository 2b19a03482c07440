#include "dateedit.h"
#include "monedit.h"
#include "money.h"
#include "scripted.h"
#include "text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

using bv::Money;

TEST(Money, ParseAndFormat)
{
    EXPECT_EQ(Money::parse("1,250,000")->rounded(), 1250000);
    EXPECT_EQ(Money::parse("")->units(), 0);
    EXPECT_EQ(Money::parse("۱۲۳۴")->rounded(), 1234);
    EXPECT_EQ(Money::parse("-12.5")->units(), -125000);
    EXPECT_EQ(Money::parse("0.00005")->units(), 0);  // beyond four decimals is cut
    EXPECT_FALSE(Money::parse("12a"));
    EXPECT_FALSE(Money::parse("."));
    EXPECT_FALSE(Money::parse("99999999999999999999"));
    EXPECT_EQ(Money::parse("3000000000")->grouped(), "3,000,000,000");
    EXPECT_EQ(Money::parse("1234.5")->grouped(), "1,234.5");
    EXPECT_EQ(Money::parse("-1234567")->grouped(), "-1,234,567");
    EXPECT_EQ(Money::parse("1234.5")->plain(), "1234.5");
    EXPECT_EQ(Money::fromVariant(QVariant(QStringLiteral("17400000.0000"))).rounded(), 17400000);
    EXPECT_EQ(Money::fromVariant(QVariant(2.5)).units(), 25000);
    EXPECT_EQ(Money::fromVariant(QVariant()).units(), 0);
    EXPECT_EQ(Money::parse("5")->toSql().typeId(), QMetaType::LongLong);
    EXPECT_EQ(Money::parse("5.25")->toSql().toString(), "5.25");
}

TEST(Money, Grouping)
{
    EXPECT_EQ(bv::groupDigits("7654321"), "7,654,321");
    EXPECT_EQ(bv::groupDigits("250000"), "250,000");
    EXPECT_EQ(bv::groupDigits("1000"), "1,000");
    EXPECT_EQ(bv::groupDigits("100"), "100");
    EXPECT_EQ(bv::groupDigits(""), "");
}

TEST(Numbers, ParsedInTheProgram)
{
    EXPECT_EQ(*bv::parseNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(*bv::parseNumber("۱۲٫۵"), 12.5);
    EXPECT_DOUBLE_EQ(*bv::parseNumber("1,250.75"), 1250.75);
    EXPECT_FALSE(bv::parseNumber("abc"));
    EXPECT_FALSE(bv::parseNumber("inf"));
    EXPECT_EQ(*bv::parseInteger("3,000,000,000"), 3000000000LL);
    EXPECT_FALSE(bv::parseInteger("1.5"));
}

TEST(Text, Normalisation)
{
    EXPECT_EQ(bv::normalizeYeh(QStringLiteral("علی")), QStringLiteral("علي"));
    EXPECT_EQ(bv::asciiDigits(QStringLiteral("۱۴۰۳/۰۷/۰۵")), "1403/07/05");
    EXPECT_EQ(bv::asciiDigits(QStringLiteral("٢٣")), "23");
    EXPECT_EQ(bv::searchFold(QStringLiteral("کریمی")), bv::searchFold(QStringLiteral("كريمي")));
    // The kafs stay as typed in stored text.
    EXPECT_EQ(bv::normalizeInput(QStringLiteral("کد")), QStringLiteral("کد"));
}

TEST(MonEdit, GroupsAsTheUserTypes)
{
    bv::MonEdit edit;
    QTest::keyClicks(&edit, "12a3");
    EXPECT_EQ(edit.text(), "123");
    edit.clear();
    QTest::keyClicks(&edit, "7654321");
    EXPECT_EQ(edit.text(), "7,654,321");
    EXPECT_EQ(edit.cursorPosition(), edit.text().size());
    edit.setText(QStringLiteral("۱۲۳۴"));
    EXPECT_EQ(edit.text(), "1,234");
    edit.setText("3000000000");
    EXPECT_EQ(edit.value(), 3000000000LL);
    EXPECT_EQ(edit.money().grouped(), "3,000,000,000");
    edit.setText("250000");
    EXPECT_EQ(edit.text(), "250,000");
    edit.clear();
    EXPECT_EQ(edit.text(), "");
    EXPECT_EQ(edit.value(), 0);
}

TEST(MonEdit, TooManyDigitsIsRefusedWithAMessage)
{
    bv::MonEdit edit;
    edit.setText("123456789012345678");
    const QString before = edit.text();
    edit.setText("1234567890123456789");
    EXPECT_EQ(edit.text(), before);
    EXPECT_EQ(edit.value(), 123456789012345678LL);
    ASSERT_EQ(bv::test::user().messages.size(), 1u);
    EXPECT_EQ(bv::test::user().lastMessage(), QStringLiteral("مبلغ وارد شده بيش از حد مجاز است"));
}

TEST(DateEdit, EmptyMaskAndPersianDigits)
{
    bv::JalaliDateEdit edit;
    EXPECT_EQ(edit.date(), bv::emptyDateMask);
    EXPECT_TRUE(edit.isBlank());
    edit.setFocus();
    // Typed on a Persian keyboard layout: key events carry the Persian digits.
    for (QChar c : QStringLiteral("۱۴۰۳۰۷۰۵")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&edit, &press);
    }
    EXPECT_EQ(edit.date(), "1403/07/05");
    edit.setDate("1402/01/31");
    EXPECT_EQ(edit.date(), "1402/01/31");
    edit.setDate(bv::emptyDateMask);
    EXPECT_TRUE(edit.isBlank());
}
