#include "dateedit.h"
#include "listtext.h"
#include "monedit.h"
#include "money.h"
#include "scripted.h"
#include "text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

using bv::Decimal;
using bv::Grouping;
using bv::Money;
using bv::NumberError;
using bv::NumberReading;
using bv::readNumber;

TEST(Money, ParseAndFormat)
{
    EXPECT_EQ(Money::parse("1,250,000")->plain(), "1250000");
    EXPECT_EQ(Money::parse("")->units(), 0);
    EXPECT_EQ(Money::parse("۱۲۳۴")->plain(), "1234");
    EXPECT_EQ(Money::parse("-12.5")->units(), -125000);
    // Beyond four decimals rounds half to even.
    EXPECT_EQ(Money::parse("0.00005")->units(), 0);
    EXPECT_EQ(Money::parse("0.00015")->units(), 2);
    EXPECT_FALSE(Money::parse("12a"));
    EXPECT_FALSE(Money::parse("."));
    EXPECT_FALSE(Money::parse("1,2"));
    EXPECT_FALSE(Money::parse("99999999999999999999"));
    EXPECT_FALSE(Money::parse("922337203685478"));
    EXPECT_EQ(Money::parse("922337203685477.5807")->units(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(Money::parse("3000000000")->grouped(), "3,000,000,000");
    EXPECT_EQ(Money::parse("1234.5")->grouped(), "1,234.5");
    EXPECT_EQ(Money::parse("-1234567")->grouped(), "-1,234,567");
    EXPECT_EQ(Money::parse("1234.5")->plain(), "1234.5");
    EXPECT_EQ(Money::parse("0.0001")->plain(), "0.0001");
    EXPECT_EQ(Money::fromVariant(QVariant(QStringLiteral("17400000.0000"))).plain(), "17400000");
    EXPECT_EQ(Money::fromVariant(QVariant(QStringLiteral("1250000.5000"))).plain(), "1250000.5");
    EXPECT_EQ(Money::fromVariant(QVariant(2.5)).units(), 25000);
    EXPECT_EQ(Money::fromVariant(QVariant(1250000.5)).plain(), "1250000.5");
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

namespace {
Decimal number(const char *text)
{
    const NumberReading r = readNumber(QString::fromUtf8(text), Grouping::Allowed);
    EXPECT_TRUE(r.ok()) << text;
    return r.value;
}

Money amount(const char *text)
{
    return *Money::parse(QString::fromUtf8(text));
}

NumberError::Kind failure(const std::function<void()> &computation)
{
    try {
        computation();
    } catch (const NumberError &e) {
        return e.kind();
    }
    ADD_FAILURE() << "no NumberError";
    return NumberError::Kind::Overflow;
}
}  // namespace

TEST(Money, ProductsByDecimalFactorsRoundHalfToEvenOnTheExactValue)
{
    struct Case {
        const char *amount, *factor, *exact, *whole;
    } cases[] = {
        {"50", "1.05", "52.5", "52"},
        {"50", "1.15", "57.5", "58"},
        {"100", "2.675", "267.5", "268"},  // 2.675 is not exact in binary floating point
        {"2400000", "16.27", "39048000", "39048000"},
        {"1000000", "1.10", "1100000", "1100000"},
        {"0.0003", "0.5", "0.0002", "0"},  // 0.00015 to four decimals: halves to even
        {"-50", "1.05", "-52.5", "-52"},
        {"1,250,000", "0", "0", "0"},
    };
    for (const Case &c : cases) {
        const Money product = amount(c.amount).times(number(c.factor));
        EXPECT_EQ(product.plain(), c.exact) << c.amount << " × " << c.factor;
        EXPECT_EQ(product.rounded(0).plain(), c.whole) << c.amount << " × " << c.factor;
    }
    // Intermediate products are exact: no rounding until the end.
    const Decimal fee = number("16.27") * amount("2,400,000") * number("1.05") * number("1.15");
    EXPECT_EQ(fee.plain(), "47150460");
    EXPECT_EQ(fee.toMoney(), Money::fromWhole(47150460));
    EXPECT_EQ((number("0.1") + number("0.2")).plain(), "0.3");
    EXPECT_EQ((number("1.10") * number("3")).plain(), "3.3");
    EXPECT_EQ(number("1.10").decimals(), 1);
}

TEST(Money, RoundingToZeroTwoAndFourDecimals)
{
    struct Case {
        const char *value;
        int decimals;
        const char *rounded;
    } cases[] = {
        {"2.5", 0, "2"},        {"3.5", 0, "4"},         {"2.51", 0, "3"},       {"-2.5", 0, "-2"},
        {"-3.5", 0, "-4"},      {"2.675", 2, "2.68"},    {"2.665", 2, "2.66"},   {"8.625", 2, "8.62"},
        {"-2.675", 2, "-2.68"}, {"10.005", 2, "10"},     {"1.00005", 4, "1"},    {"1.00015", 4, "1.0002"},
        {"1.00025", 4, "1.0002"}, {"1.000251", 4, "1.0003"}, {"7", 2, "7"},      {"0.004", 2, "0"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(number(c.value).rounded(c.decimals).plain(), c.rounded) << c.value << " to " << c.decimals;
    EXPECT_EQ(amount("57.5").rounded(0), Money::fromWhole(58));
    EXPECT_EQ(amount("12.345").rounded(2).plain(), "12.34");
    EXPECT_EQ(amount("12.3451").rounded(4).plain(), "12.3451");
    // Four decimals, then two: the statements' percentage.
    EXPECT_EQ(number("10.12345").rounded(4).rounded(2).plain(), "10.12");
}

TEST(Money, RatiosPercentagesAndDivision)
{
    EXPECT_EQ(percentage(amount("110000000"), amount("100000000"), 4) - 100, Decimal(10));
    EXPECT_EQ((percentage(amount("90000000"), amount("100000000"), 4) - 100).plain(), "-10");
    EXPECT_EQ(percentage(amount("115"), amount("100"), 4).plain(), "115");
    // A percentage of or on 0 gives 0, never a division by zero.
    EXPECT_EQ(percentage(amount("0"), amount("100000000"), 4), Decimal());
    EXPECT_EQ(percentage(amount("5"), amount("0"), 4), Decimal());
    EXPECT_EQ(ratio(number("1"), number("3"), 4).plain(), "0.3333");
    EXPECT_EQ(ratio(number("2"), number("3"), 4).plain(), "0.6667");
    EXPECT_EQ(ratio(number("1"), number("8"), 2).plain(), "0.12");  // 0.125: halves to even
    EXPECT_EQ(ratio(number("-1"), number("8"), 2).plain(), "-0.12");
    EXPECT_EQ(ratio(amount("27.57"), number("0.000001"), 0).plain(), "27570000");
    EXPECT_EQ(failure([] { ratio(number("5"), Decimal(), 4); }), NumberError::Kind::DivisionByZero);
    EXPECT_EQ(amount("100000000").percent(5), Money::fromWhole(5000000));
    EXPECT_EQ(amount("100000000").percent(0), Money());
    EXPECT_EQ(amount("100000001").percent(30).plain(), "30000000.3");
    EXPECT_EQ(amount("100000001").percent(30).rounded(0).plain(), "30000000");
    EXPECT_EQ(amount("10").dividedBy(3).plain(), "3.3333");
    EXPECT_EQ(failure([] { amount("10").dividedBy(Decimal()); }), NumberError::Kind::DivisionByZero);
}

TEST(Money, OverflowIsReportedNeverWrappedAround)
{
    EXPECT_EQ(failure([] { Money::fromWhole(922337203685477).times(100); }), NumberError::Kind::Overflow);
    EXPECT_EQ(failure([] { Money::fromWhole(922337203685478); }), NumberError::Kind::Overflow);
    EXPECT_EQ(failure([] { amount("922337203685477") + amount("1"); }), NumberError::Kind::Overflow);
    EXPECT_EQ(failure([] { amount("-922337203685477") - amount("1"); }), NumberError::Kind::Overflow);
    EXPECT_EQ(failure([] { -Money::fromUnits(std::numeric_limits<std::int64_t>::min()); }),
              NumberError::Kind::Overflow);
    EXPECT_EQ(failure([] {
                  Decimal d = number("99999999999999999999");
                  d * d;
              }),
              NumberError::Kind::Overflow);
    EXPECT_EQ(Money::fromWhole(922337203685477).times(1), Money::fromWhole(922337203685477));
    EXPECT_EQ(NumberError(NumberError::Kind::Overflow).text(), QStringLiteral("حاصل محاسبه بيش از حد مجاز است"));
}

TEST(Numbers, OneReaderWithAnExplicitChoiceOfGrouping)
{
    using Fault = NumberReading::Fault;
    struct Case {
        const char *typed;
        Grouping grouping;
        Fault fault;
        const char *value;
    } cases[] = {
        {"1,250,000", Grouping::Allowed, Fault::None, "1250000"},
        {"1,250,000.75", Grouping::Allowed, Fault::None, "1250000.75"},
        {"1,250,000", Grouping::Refused, Fault::Comma, "0"},
        {"1,2", Grouping::Refused, Fault::Comma, "0"},
        {"1,2", Grouping::Allowed, Fault::Unreadable, "0"},  // never 12
        {"12,50", Grouping::Allowed, Fault::Unreadable, "0"},
        {",250", Grouping::Allowed, Fault::Unreadable, "0"},
        {"16.27", Grouping::Refused, Fault::None, "16.27"},
        {"۱۲٫۵", Grouping::Refused, Fault::None, "12.5"},
        {"١٬٢٥٠", Grouping::Allowed, Fault::None, "1250"},
        {" -3.50 ", Grouping::Refused, Fault::None, "-3.5"},
        {"+7", Grouping::Refused, Fault::None, "7"},
        {".5", Grouping::Refused, Fault::None, "0.5"},
        {"5.", Grouping::Refused, Fault::None, "5"},
        {"", Grouping::Allowed, Fault::Empty, "0"},
        {"   ", Grouping::Refused, Fault::Empty, "0"},
        {"abc", Grouping::Allowed, Fault::Unreadable, "0"},
        {"1e5", Grouping::Refused, Fault::Unreadable, "0"},
        {"inf", Grouping::Refused, Fault::Unreadable, "0"},
        {"1.2.3", Grouping::Refused, Fault::Unreadable, "0"},
        {"1 250", Grouping::Allowed, Fault::Unreadable, "0"},
        {"-", Grouping::Refused, Fault::Unreadable, "0"},
        {"340282366920938463463374607431768211456", Grouping::Refused, Fault::OutOfRange, "0"},
    };
    for (const Case &c : cases) {
        const NumberReading r = readNumber(QString::fromUtf8(c.typed), c.grouping);
        EXPECT_EQ(r.fault, c.fault) << c.typed;
        EXPECT_EQ(r.value.plain(), c.value) << c.typed;
    }
    EXPECT_EQ(readNumber("1,2", Grouping::Refused).message(QStringLiteral("ضريب منطقه")),
              QStringLiteral("در «ضريب منطقه» ويرگول پذيرفته نيست؛ اعشار را با نقطه بنويسيد"));
    EXPECT_EQ(readNumber("x", Grouping::Refused).message(QStringLiteral("مساحت")),
              QStringLiteral("مقدار «مساحت» عدد معتبر نيست"));
    EXPECT_EQ(readNumber("5", Grouping::Refused).message(QStringLiteral("مساحت")), QString());
    EXPECT_EQ(number("12").wholeValue(), 12);
    EXPECT_EQ(number("12.5").wholeValue(), std::nullopt);
    EXPECT_EQ(number("99999999999999999999").wholeValue(), std::nullopt);
}

TEST(Numbers, StoredValuesOfEveryEngineReadExactly)
{
    EXPECT_EQ(Decimal::fromVariant(QVariant(16.27)).plain(), "16.27");
    EXPECT_EQ(Decimal::fromVariant(QVariant(0.1 + 0.2)).plain(), "0.3");  // a float column's sum
    EXPECT_EQ(Decimal::fromVariant(QVariant(-1.05)).plain(), "-1.05");
    EXPECT_EQ(Decimal::fromVariant(QVariant(1e20)).plain(), "100000000000000000000");
    EXPECT_EQ(Decimal::fromVariant(QVariant(0.0)).plain(), "0");
    EXPECT_EQ(Decimal::fromVariant(QVariant(qlonglong(40))).plain(), "40");
    EXPECT_EQ(Decimal::fromVariant(QVariant(QStringLiteral("1250000.0000"))).plain(), "1250000");
    EXPECT_EQ(Decimal::fromVariant(QVariant(QStringLiteral("1.5e+00"))).plain(), "1.5");
    EXPECT_EQ(Decimal::fromVariant(QVariant(QStringLiteral("abc"))).plain(), "0");
    EXPECT_EQ(Decimal::fromVariant(QVariant()).plain(), "0");
    EXPECT_EQ(Decimal::fromScaled(1627, 2).plain(), "16.27");
    EXPECT_EQ(Decimal::fromScaled(5, 6).plain(), "0.000005");
    EXPECT_EQ(Decimal::fromScaled(-5, 1).toSql().toString(), "-0.5");
    EXPECT_EQ(Decimal(40).toSql().typeId(), QMetaType::LongLong);
    EXPECT_EQ(number("-1250000.5").grouped(), "-1,250,000.5");
    // A list shows any stored amount, even one beyond what Money holds.
    EXPECT_EQ(bv::cellText(QVariant(1e20), true), "100,000,000,000,000,000,000");
    EXPECT_EQ(bv::cellText(QVariant(QStringLiteral("1250000.5000")), true), "1,250,000.5");
    // Order, across different counts of decimals.
    EXPECT_LT(number("1.05"), number("1.1"));
    EXPECT_LT(number("-2"), number("-1.5"));
    EXPECT_GT(number("30.01"), Decimal(30));
    EXPECT_EQ(number("1.50"), number("1.5"));
    EXPECT_LT(Decimal::fromScaled(1, 38), number("99999999999999999999"));
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
    QTest::keyClicks(&edit, ".5");
    EXPECT_EQ(edit.text(), "7,654,321.5");
    EXPECT_EQ(edit.money().plain(), "7654321.5");
    edit.setText(QStringLiteral("۱۲۳۴"));
    EXPECT_EQ(edit.text(), "1,234");
    edit.setText("3000000000");
    EXPECT_EQ(edit.money().grouped(), "3,000,000,000");
    edit.setText("250000");
    EXPECT_EQ(edit.text(), "250,000");
    edit.clear();
    EXPECT_EQ(edit.text(), "");
    EXPECT_EQ(edit.money(), Money());
}

TEST(MonEdit, AStoredAmountIsShownAsItIsAndReadBackUnchanged)
{
    bv::MonEdit edit;
    // As PostgreSQL hands a NUMERIC(19,4) over.
    edit.setMoney(Money::fromVariant(QVariant(QStringLiteral("1250000.0000"))));
    EXPECT_EQ(edit.text(), "1,250,000");
    EXPECT_EQ(edit.money(), Money::fromWhole(1250000));
    edit.setMoney(*Money::parse("1250000.5"));
    EXPECT_EQ(edit.text(), "1,250,000.5");
    EXPECT_EQ(edit.money().plain(), "1250000.5");
    // The stored text itself.
    edit.setText("1250000.0000");
    EXPECT_EQ(edit.money(), Money::fromWhole(1250000));
    edit.setText("1250000.5");
    EXPECT_EQ(edit.money().plain(), "1250000.5");
    EXPECT_TRUE(bv::test::user().messages.empty());
}

TEST(MonEdit, RefusalsKeepThePreviousAmount)
{
    struct Case {
        const char *typed;
        bool negativeAllowed;
        QString message;
    } cases[] = {
        {"-500", false, bv::negativeAmountMessage},
        {"1.23456", false, bv::amountDecimalsMessage},
        {"922337203685478", false, bv::amountTooLargeMessage},
        {"9999999999999999999999", true, bv::amountTooLargeMessage},
    };
    for (const Case &c : cases) {
        bv::test::user().clear();
        bv::MonEdit edit;
        edit.setNegativeAllowed(c.negativeAllowed);
        edit.setText("1250");
        edit.setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(edit.text(), "1,250") << c.typed;
        EXPECT_EQ(edit.money(), Money::fromWhole(1250)) << c.typed;
        ASSERT_EQ(bv::test::user().messages.size(), 1u) << c.typed;
        EXPECT_EQ(bv::test::user().lastMessage(), c.message) << c.typed;
    }
    // Where the box allows it, a negative amount is an amount.
    bv::test::user().clear();
    bv::MonEdit edit;
    edit.setNegativeAllowed(true);
    QTest::keyClicks(&edit, "-1250000");
    EXPECT_EQ(edit.text(), "-1,250,000");
    EXPECT_EQ(edit.money(), Money::fromWhole(-1250000));
    // The largest amount fits.
    edit.setText("922337203685477");
    EXPECT_EQ(edit.money(), Money::fromWhole(922337203685477));
    EXPECT_TRUE(bv::test::user().messages.empty());
    // A stored negative amount is shown in a box that refuses typed ones.
    bv::MonEdit strict;
    strict.setMoney(Money::fromWhole(-5));
    EXPECT_EQ(strict.money(), Money::fromWhole(-5));
    EXPECT_TRUE(bv::test::user().messages.empty());
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
