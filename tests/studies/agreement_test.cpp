#include "admin_fixture.h"
#include "amount_words.h"
#include "borvinat_agreement.h"

#include <gtest/gtest.h>

using namespace bv;
using namespace bv::studies;
using bv::test::AdminTest;

namespace {
const QString fiftySevenMillionWords = QStringLiteral(" پنجاه و هفت ميليون و  ششصد و پنجاه هزار ريال");
}  // namespace

TEST(AgreementFeeText, MillionRialsExactlyInDigitsAndWords)
{
    // 27.57 + 30.08 in binary floating point is 57.649999…; the sum here is exact.
    const Money sum = *Money::parse("27.57") + *Money::parse("30.08");
    const Money rials = millionRials(sum);
    EXPECT_EQ(rials, Money::fromWhole(57650000));
    const FeeText t = feeText(rials);
    EXPECT_EQ(t.digits, "57,650,000");
    EXPECT_EQ(t.words, fiftySevenMillionWords);
    EXPECT_TRUE(t.spelled);
    // Ten thousandths of a million rials are whole rials.
    EXPECT_EQ(feeText(millionRials(*Money::parse("0.0001"))).digits, "100");
    // Past the 32-bit range still spelled; from a thousand billion on the words are the user's.
    EXPECT_TRUE(feeText(millionRials(Money::fromWhole(3000))).spelled);
    const FeeText huge = feeText(millionRials(Money::fromWhole(1000000)));
    EXPECT_EQ(huge.digits, "1,000,000,000,000");
    EXPECT_FALSE(huge.spelled);
    EXPECT_TRUE(huge.words.isEmpty());
}

class AgreementFeeDb : public AdminTest {
protected:
    void addStudy(const QString &city, const QString &rosta, const QString &cod, const QString &ba, const QString &bi,
                  const QString &amel4 = QString())
    {
        db().exec("INSERT INTO borvinat (ostan, city, rosta, cod, etebar_sal, moshaver_prot_no, tarh_moshaver_name, tarh_typ, "
                  "amel4, prot_mablagh, prot_mablagh_binofoz) VALUES ('ostan', ?, ?, ?, '1402', '77/12', 'moshaver', "
                  "'hadi', ?, ?, ?)",
                  {city, rosta, cod, amel4, ba, bi});
    }
    void addVillage(const QString &rosta, const QString &cod)
    {
        db().exec("INSERT INTO abadiha (ostan, city, rosta, cod) VALUES ('ostan', 'c', ?, ?)", {rosta, cod});
    }
};

TEST_P(AgreementFeeDb, SumsTheFilteredStudiesOnce)
{
    addStudy("county A", "village 1", "11123456", "27.57", "20.1", "agent 1");
    addStudy("county A", "village 2", "11654321", "30.08", "21.2", "agent 2");
    addStudy("county B", "village 3", "22999999", "99", "99");
    // Villages sharing the studies' last six code characters.
    for (const char *cod : {"11123456", "99123456", "88123456", "77654321"})
        addVillage("v", QString::fromLatin1(cod));

    BorvinatFilters f;
    f.city = QStringList{"county A"};
    AgreementFee fee = agreementFee(db(), f);
    ASSERT_TRUE(fee.withInfluence);
    EXPECT_EQ(*fee.withInfluence, *Money::parse("57.65"));
    EXPECT_EQ(*fee.withoutInfluence, *Money::parse("41.3"));
    EXPECT_EQ(feeText(millionRials(*fee.withInfluence)).words, fiftySevenMillionWords);

    // The fourth agent and the province are no part of a contract.
    f.amel4 = QStringLiteral("agent 1");
    f.ostan = QStringLiteral("nowhere");
    EXPECT_EQ(agreementFee(db(), f).withInfluence, Money::parse("57.65"));

    // Every other filter narrows it.
    f.rosta = QStringList{"village 2", "village 3"};
    EXPECT_EQ(agreementFee(db(), f).withInfluence, Money::parse("30.08"));
    f.rosta.reset();
    for (auto field : {&BorvinatFilters::etebar_sal, &BorvinatFilters::moshaver_prot_no,
                       &BorvinatFilters::tarh_moshaver_name, &BorvinatFilters::tarh_typ}) {
        BorvinatFilters g = f;
        g.*field = QStringLiteral("no such text");
        EXPECT_EQ(agreementFee(db(), g).withInfluence, std::nullopt);
    }
    f.etebar_sal = QStringLiteral("140");
    f.moshaver_prot_no = QStringLiteral("77/");
    f.tarh_typ = QStringLiteral("had");
    EXPECT_EQ(agreementFee(db(), f).withInfluence, Money::parse("57.65"));

    // No filter at all sums every study; an empty county list matches none.
    EXPECT_EQ(agreementFee(db(), {}).withInfluence, Money::parse("156.65"));
    BorvinatFilters none;
    none.city = QStringList{};
    EXPECT_EQ(agreementFee(db(), none).withInfluence, std::nullopt);
    EXPECT_EQ(agreementFee(db(), none).withoutInfluence, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Engines, AgreementFeeDb, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
