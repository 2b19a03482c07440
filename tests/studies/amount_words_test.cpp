#include "amount_words.h"

#include <gtest/gtest.h>

using namespace bv::study;

namespace {
QString words(std::int64_t n)
{
    return GetNum(n).value_or(QStringLiteral("<asked>"));
}
const QString zwnj(QChar(0x200C));
}  // namespace

TEST(AmountWords, TableWordsKeepTheirSpacesAndJoiners)
{
    EXPECT_EQ(Get1nd(0), QString::fromUtf16(u" صفر "));
    EXPECT_EQ(Get1nd(4), QString::fromUtf16(u" چهار") + zwnj + " ");
    EXPECT_EQ(Get1nd(14), QString::fromUtf16(u" چهارده") + zwnj + " ");
    EXPECT_EQ(Get2nd(4), QString::fromUtf16(u" چهل") + zwnj + " ");
    EXPECT_EQ(Get3nd(4), QString::fromUtf16(u" چهارصد") + zwnj + " ");
    // Only those four words carry the joiner.
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(Get1nd(n).contains(zwnj), n == 4 || n == 14) << n;
    for (int n = 2; n < 10; ++n)
        EXPECT_EQ(Get2nd(n).contains(zwnj), n == 4) << n;
    for (int n = 1; n < 10; ++n)
        EXPECT_EQ(Get3nd(n).contains(zwnj), n == 4) << n;
    for (int n = 0; n < 20; ++n)
        EXPECT_TRUE(Get1nd(n).startsWith(' ') && Get1nd(n).endsWith(' ') && Get1nd(n).size() > 2) << n;
    EXPECT_TRUE(Get1nd(20).isEmpty());
    EXPECT_TRUE(Get2nd(1).isEmpty());
    EXPECT_TRUE(Get3nd(0).isEmpty());
}

TEST(AmountWords, GroupsOfThreeDigits)
{
    EXPECT_EQ(GetTree(121), QString::fromUtf16(u" صد و بيست و يک "));
    EXPECT_EQ(GetTree(0), Get1nd(0));
    EXPECT_EQ(GetTree(19), Get1nd(19));
    EXPECT_EQ(GetTree(20), Get2nd(2));
    EXPECT_EQ(GetTree(300), Get3nd(3));
    EXPECT_EQ(GetTree(305), Get3nd(3) + u'و' + Get1nd(5));
    EXPECT_EQ(GetTree(440), Get3nd(4) + u'و' + Get2nd(4));
    EXPECT_EQ(GetTree(999), QString::fromUtf16(u" نهصد و نود و نه "));
    EXPECT_TRUE(GetTree(1000).isEmpty());
}

TEST(AmountWords, WholeAmounts)
{
    const std::pair<std::int64_t, QString> cases[] = {
        {0, QString::fromUtf16(u" ريال")},
        {7, QString::fromUtf16(u" هفت  ريال")},
        {1000, QString::fromUtf16(u" يک هزار ريال")},
        {1000000, QString::fromUtf16(u" يک ميليون ريال")},
        {2500, QString::fromUtf16(u" دو هزار و  پانصد  ريال")},
        {3005000, QString::fromUtf16(u" سه ميليون و  پنج هزار ريال")},
        {7654321, QString::fromUtf16(u" هفت ميليون و  ششصد و پنجاه و چهار") + zwnj + QString::fromUtf16(u" هزار و  سيصد و بيست و يک  ريال")},
        {3000000000, QString::fromUtf16(u" سه ميليارد ريال")},
        // Negative amounts have no positive group.
        {-1, QString::fromUtf16(u" ريال")},
        {-2500, QString::fromUtf16(u" ريال")},
    };
    for (const auto &[n, expected] : cases)
        EXPECT_EQ(words(n), expected) << n;
    EXPECT_TRUE(words(2147483647).startsWith(QString::fromUtf16(u" دو ميليارد و  صد و چهل") + zwnj + QString::fromUtf16(u" و هفت ميليون")));
}

TEST(AmountWords, BeyondThirtyTwoBitsUpToTheLastGroupName)
{
    // Past the signed 32-bit range the amount is still spelled.
    EXPECT_EQ(words(2147483648).left(20), words(2147483647).left(20));
    EXPECT_NE(words(2147483648), words(2147483647));
    const QString top = words(999999999999);
    EXPECT_TRUE(top.startsWith(QString::fromUtf16(u" نهصد و نود و نه ميليارد"))) << top.toStdString();
    const QString g = GetTree(999);
    const QString between = QStringLiteral(" و ");
    EXPECT_EQ(top, g + QStringLiteral("ميليارد") + between + g + QStringLiteral("ميليون") + between + g
                       + QStringLiteral("هزار") + between + g + QStringLiteral(" ريال"));
    // From a thousand billion on there is no group name: the user spells it.
    EXPECT_EQ(GetNum(1000000000000), std::nullopt);
    EXPECT_EQ(GetNum(INT64_MAX), std::nullopt);
}
