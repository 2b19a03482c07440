#include "admin_fixture.h"
#include "amount_words.h"
#include "borvinat_agreement.h"
#include "borvinat_agreement_pages.h"
#include "borvinat_fee.h"
#include "borvinat_src.h"
#include "browsergrid.h"
#include "fillsteps.h"
#include "helpers.h"
#include "sample.h"
#include "templatecheck.h"
#include "windows.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

#include <gtest/gtest.h>

using namespace bv;
using namespace bv::studies;
using bv::report::Document;
using bv::test::AdminTest;
using bv::test::fullyFilled;
using bv::test::user;

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

class AgreementPagesTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        session() = Session{"admin", "admin", 1, {}};
        user().clear();
    }
    qint64 addContractor(bool natural)
    {
        return db().insert("INSERT INTO peymankaran (typ, fname, lname, comp_name, adr, phone, mobile) VALUES (?, ?, ?, ?, ?, ?, ?)",
                           {natural ? QStringLiteral("حقيقي") : QStringLiteral("حقوقي"), QStringLiteral("Sara"),
                            QStringLiteral("Karimi"), natural ? QString() : QStringLiteral("Mehr Consultants"),
                            QStringLiteral("Arak, Imam street"), QStringLiteral("08633334444"), QStringLiteral("09121234567")});
    }
    qint64 addStudy(const QString &city, const QString &rosta, const QString &ba, qint64 contractor,
                    const QString &taminLoc = QString(), const QString &plan = QStringLiteral("plan"))
    {
        return db().insert("INSERT INTO borvinat (ostan, city, rosta, cod, etebar_sal, tarh_typ, tamin_loc, prot_mablagh, "
                           "prot_mablagh_binofoz, peymankar_id) VALUES ('ostan', ?, ?, '11123456', '1402', ?, ?, ?, '1', ?)",
                           {city, rosta, plan, taminLoc, ba, contractor});
    }
    StudyLetterSource sourceOf(qint64 id, const QStringList &counties)
    {
        StudyLetterSource s;
        s.study = db().rows("SELECT * FROM borvinat WHERE id = ?", {id}).front();
        s.search.filters.city = counties;
        return s;
    }
};

TEST_P(AgreementPagesTest, FeePageSumsTheSearchedStudiesAndSwitchesItsClauses)
{
    const qint64 legal = addContractor(false), natural = addContractor(true);
    const qint64 first = addStudy("county A", "village 1", "27.57", legal);
    addStudy("county A", "village 2", "30.08", natural);
    addStudy("county B", "village 3", "99", natural);

    Document doc = agreementFeePage(db(), sourceOf(first, {"county A"}), agreementKind("موافقتنامه"), false);
    EXPECT_TRUE(user().prompts.isEmpty()) << "the grouped fee is read, not asked";
    EXPECT_EQ(doc.label("mablagh"), "57,650,000");
    EXPECT_EQ(doc.label("mablagh_horofi"), QStringLiteral(" پنجاه و هفت ميليون و  ششصد و پنجاه هزار ريال"));
    EXPECT_EQ(doc.label("movafeg"), QStringLiteral("موافقتنامه"));
    EXPECT_EQ(doc.label("tarh_moshaver_name"), "Mehr Consultants");
    EXPECT_EQ(doc.label("moshaver_caption"), QStringLiteral("نماينده مهندس مشاور"));
    EXPECT_EQ(doc.label("mobile"), "09121234567");
    EXPECT_FALSE(doc.isVisible("tafahom_note"));
    EXPECT_FALSE(doc.isVisible("mozeie"));
    EXPECT_TRUE(doc.isVisible("kosurat"));
    EXPECT_TRUE(doc.isVisible("zemanat"));
    EXPECT_TRUE(fullyFilled(doc));

    // Memorandum wording by either spelling; any other answer is an agreement.
    for (const QString &memo : {QStringLiteral("تفاهم نامه"), QStringLiteral("تفاهمنامه")}) {
        EXPECT_TRUE(agreementKind(memo).memorandum);
        EXPECT_TRUE(agreementFeePage(db(), sourceOf(first, {"county A"}), agreementKind(memo), false).isVisible("tafahom_note"));
    }
    EXPECT_FALSE(agreementKind(QStringLiteral("موافقتنامه/تفاهم نامه")).memorandum);

    // Provincial and national credit drop the deductions and the guarantee.
    for (const QString &loc : {QStringLiteral("استاني"), QStringLiteral("ملي")}) {
        const qint64 id = addStudy("county C", "village 4", "1", natural, loc, QStringLiteral("بازنگري-موضعي"));
        doc = agreementFeePage(db(), sourceOf(id, {"county C"}), agreementKind("x"), true);
        EXPECT_FALSE(doc.isVisible("kosurat"));
        EXPECT_FALSE(doc.isVisible("zemanat"));
        EXPECT_TRUE(doc.isVisible("mozeie")) << "local revision at half the fee";
        EXPECT_EQ(doc.label("moshaver_caption"), QStringLiteral("مهندس مشاور"));
        EXPECT_EQ(doc.label("tarh_moshaver_name"), "Sara Karimi");
    }
}

TEST_P(AgreementPagesTest, NoMatchingStudyAsksTheFeeAndNoContractorLeavesItsFieldsEmpty)
{
    const qint64 id = addStudy("county A", "village 1", "27.57", 0);
    user().inputs = {QStringLiteral("12,500,000")};
    Document doc = agreementFeePage(db(), sourceOf(id, {"nowhere"}), agreementKind("x"), false);
    EXPECT_EQ(user().prompts, QStringList{QStringLiteral("مبلغ قرارداد")});
    EXPECT_EQ(doc.label("mablagh"), "12,500,000");
    for (const char *label : {"tarh_moshaver_name", "adr", "phone", "mobile"})
        EXPECT_EQ(doc.label(label), QString()) << label;

    // Beyond what has group names: the words are asked, their default the digits.
    user().clear();
    user().inputs = {QStringLiteral("1,000,000,000,000"), std::nullopt};
    doc = agreementFeePage(db(), sourceOf(id, {"nowhere"}), agreementKind("x"), false);
    EXPECT_EQ(user().prompts, (QStringList{QStringLiteral("مبلغ قرارداد"), QStringLiteral("مبلغ قرارداد بحروف")}));
    EXPECT_EQ(doc.label("mablagh_horofi"), "1,000,000,000,000");

    // An answer that is no amount stops the page with a message.
    user().clear();
    user().inputs = {QStringLiteral("abc")};
    EXPECT_FALSE(report::runFill([&] { agreementFeePage(db(), sourceOf(id, {"nowhere"}), agreementKind("x"), false); }));
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_TRUE(user().lastMessage().contains(QStringLiteral("مبلغ قرارداد")));
}

TEST_P(AgreementPagesTest, PagesFillFromSampleRows)
{
    sample::Size size;
    size.counties = 2;
    size.villagesPerCounty = 3;
    size.contractors = 4;
    size.projects = 0;
    size.studies = 30;
    size.registrations = size.contracts = 0;
    sample::fill(db(), nullptr, size);
    user().clear();
    for (const char *kind : {"=", "<>"}) {
        SCOPED_TRACE(kind);
        const qint64 id = db().scalar(QStringLiteral("SELECT MIN(b.id) FROM borvinat b JOIN peymankaran p ON p.id = b.peymankar_id "
                                                     "WHERE p.typ %1 ?").arg(QString::fromLatin1(kind)),
                                      {QStringLiteral("حقيقي")}).toLongLong();
        ASSERT_GT(id, 0);
        StudyLetterSource s = sourceOf(id, {});
        s.search.filters.city = QStringList{s.study.value("city").toString()};
        s.search.filters.rosta = QStringList{s.study.value("rosta").toString()};
        const AgreementKind memo = agreementKind(QStringLiteral("تفاهمنامه"));
        std::vector<Document> docs = {agreementCover(db(), s, memo), agreementParties(db(), s, memo),
                                      agreementFeePage(db(), s, memo, false), agreementFeePage(db(), s, memo, true),
                                      agreementAnnex(db(), s, memo), agreementFeeSchedule(db(), s, memo),
                                      agreementCoefficients(db(), s, memo), agreementKeyPeople(db(), s, memo),
                                      agreementCapacity(db(), s, memo, true), agreementCapacity(db(), s, memo, false)};
        for (const Document &doc : docs)
            EXPECT_TRUE(doc.text().contains(QStringLiteral("تفاهمنامه"))) << doc.name().toStdString();
        // The other variant of page 12.
        s.study["tarh_typ"] = s.study.value("tarh_typ") == study::boundaryPlan ? QStringLiteral("plan") : study::boundaryPlan;
        docs.push_back(agreementFeeSchedule(db(), s, memo));
        for (const Document &doc : {agreementSelectionMinutes(db(), s), agreementConflictOfInterest(db(), s),
                                    agreementMoneyLaundering(db(), s), agreementBankAccount(db(), s),
                                    agreementUndertaking(db(), s), agreementSummary(db(), s)})
            docs.push_back(doc);
        EXPECT_EQ(docs.size(), 17u);
        for (const Document &doc : docs) {
            SCOPED_TRACE(doc.name().toStdString());
            EXPECT_TRUE(fullyFilled(doc));
            const std::vector<report::Page> pages = doc.layout();
            ASSERT_EQ(pages.size(), 1u);
            EXPECT_EQ(pages.front().pageLayout.pageSize().id(), QPageSize::A4);
            EXPECT_EQ(pages.front().pageLayout.orientation(),
                      doc.name() == "m_movafeghatname37" ? QPageLayout::Landscape : QPageLayout::Portrait);
        }
        EXPECT_FALSE(docs[2].label("modirkol").isEmpty());
        for (const char *bankField : {"hesab_no", "bank", "shobe"})
            EXPECT_FALSE(docs[14].label(bankField).isEmpty()) << bankField;
        EXPECT_TRUE(user().messages.empty()) << user().lastMessage().toStdString();
    }
    // The rest of the agreement and one selection-minutes picture are there to open.
    for (const QString &description : agreementDocuments)
        EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM zamaem WHERE cmt = ?", {description}).toInt(), 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat_pic WHERE cmt = ? AND pictyp = '.png'",
                          {selectionMinutesPictures[1]}).toInt(), 1);
}

TEST_P(AgreementPagesTest, BrowserItemsAskTheKindAndPreview)
{
    const qint64 id = addStudy("county A", "village 1", "27.57", addContractor(false));
    borvinat_src &w = windows::get<borvinat_src>();
    w.prepare();
    w.DBGrid1->completeRows();
    ASSERT_EQ(w.agreementItems.size(), 21);
    EXPECT_EQ(w.agreementItems[2]->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(w.agreementItems[20]->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(0, 1));
    ASSERT_EQ(w.DBGrid1->currentId().toLongLong(), id);
    user().clear();
    user().inputs = {QStringLiteral("تفاهم نامه")};
    w.agreementItems[3]->trigger();
    EXPECT_EQ(user().prompts, QStringList{QStringLiteral("موافقتنامه يا تفاهم نامه")});
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(user().documents.front().name, "m_movafeghatname3_1");
    EXPECT_TRUE(user().documents.front().text.contains(QStringLiteral("تفاهم نامه")));
    // A font size that is no whole number: its message, no document.
    user().clear();
    user().inputs = {std::nullopt, QStringLiteral("x")};
    w.agreementItems[0]->trigger();
    EXPECT_EQ(user().prompts, (QStringList{QStringLiteral("موافقتنامه يا تفاهم نامه"), QStringLiteral("اندازه فونت روستا و شهر")}));
    EXPECT_TRUE(user().documents.empty());
    EXPECT_EQ(user().messages.size(), 1u);
}

TEST_P(AgreementPagesTest, PrintAllFillsEveryPageThenPrintsOneSet)
{
    const qint64 legal = addContractor(false);
    const qint64 id = addStudy("county A", "village 1", "27.57", legal, QString(), study::boundaryPlan);
    addStudy("county A", "village 2", "30.08", legal, QString(), study::boundaryPlan);
    borvinat_src &w = windows::get<borvinat_src>();
    w.prepare();
    w.DBGrid1->completeRows();
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(0, 1));
    ASSERT_EQ(w.DBGrid1->currentId().toLongLong(), id);
    const QString kindQuestion = QStringLiteral("موافقتنامه يا تفاهم نامه");

    // A font size that is no whole number: its message, nothing printed.
    user().clear();
    user().inputs = {QStringLiteral("تفاهمنامه"), QStringLiteral("x")};
    w.agreementItems[20]->trigger();
    EXPECT_EQ(user().prompts, (QStringList{kindQuestion, QStringLiteral("اندازه فونت روستا و شهر")}));
    EXPECT_EQ(user().messages.size(), 1u);
    EXPECT_TRUE(user().shownDialogs.isEmpty());
    EXPECT_TRUE(user().documents.empty());

    // The kind asked once, then one print dialog and no preview.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("all.pdf"));
    user().clear();
    user().inputs = {QStringLiteral("تفاهمنامه")};
    user().dialogs.push_back(bv::test::printToFile(path));
    w.agreementItems[20]->trigger();
    EXPECT_EQ(user().prompts.count(kindQuestion), 1);
    EXPECT_TRUE(user().messages.empty()) << user().lastMessage().toStdString();
    EXPECT_TRUE(user().documents.empty());
    EXPECT_EQ(user().shownDialogs.size(), 1);
    const QList<QSizeF> sizes = bv::test::pdfPageSizes(path);
    ASSERT_EQ(sizes.size(), 16);
    for (int i = 0; i < sizes.size(); ++i) {
        const bool landscape = i == 13;
        EXPECT_EQ(std::round(std::min(sizes[i].width(), sizes[i].height())), 595) << i;
        EXPECT_EQ(sizes[i].width() > sizes[i].height(), landscape) << i;
    }

    // The pages in print order, each as its own item fills it; page 12 in its
    // general layout even for a boundary plan, and the summary one row per study.
    user().clear();
    StudyLetterSource s = sourceOf(id, {"county A"});
    const AgreementKind kind = agreementKind(QStringLiteral("تفاهمنامه"));
    const report::Bundle bundle = agreementBundle(db(), s, kind);
    StudyLetterSource general = s;
    general.study["tarh_typ"] = QStringLiteral("plan");
    const std::vector<Document> expected = {
        agreementCover(db(), s, kind), agreementParties(db(), s, kind), agreementFeePage(db(), s, kind, false),
        agreementFeePage(db(), s, kind, true), agreementAnnex(db(), s, kind), agreementFeeSchedule(db(), general, kind),
        agreementCoefficients(db(), s, kind), agreementSelectionMinutes(db(), s), agreementKeyPeople(db(), s, kind),
        agreementConflictOfInterest(db(), s), agreementCapacity(db(), s, kind, true), agreementCapacity(db(), s, kind, false),
        agreementMoneyLaundering(db(), s), agreementSummary(db(), s), agreementUndertaking(db(), s),
        agreementBankAccount(db(), s)};
    EXPECT_EQ(expected[5].name(), "m_movafeghatname12");
    EXPECT_EQ(expected[14].name(), "m_movafeghatname38");
    EXPECT_EQ(expected[15].name(), "m_movafeghatname39");
    const std::vector<report::Page> pages = bundle.layout();
    ASSERT_EQ(pages.size(), expected.size());
    for (size_t i = 0; i < pages.size(); ++i)
        EXPECT_EQ(bv::test::textsNamed(pages[i], {}), bv::test::textsNamed(expected[i].layout().front(), {}))
            << expected[i].name().toStdString();
    const QString summary = bv::test::textsNamed(pages[13], {}).join(' ');
    EXPECT_TRUE(summary.contains(QStringLiteral("village 1")));
    EXPECT_TRUE(summary.contains(QStringLiteral("village 2")));
    EXPECT_NE(bv::test::textsNamed(pages[5], {}),
              bv::test::textsNamed(agreementFeeSchedule(db(), s, kind).layout().front(), {}));
}

TEST_P(AgreementPagesTest, CoverNamesByContractorKindAndDocumentKind)
{
    const qint64 legal = addContractor(false), natural = addContractor(true);
    const qint64 company = addStudy("county A", "village 1", "1", legal);
    const qint64 person = addStudy("county A", "village 2", "1", natural);
    const qint64 nobody = addStudy("county A", "village 3", "1", 0);
    StudyLetterSource s = sourceOf(company, {"county A"});
    s.search.filters.rosta = QStringList{"village 1"};
    user().inputs = {QStringLiteral("16")};
    Document doc = agreementCover(db(), s, agreementKind(QStringLiteral("تفاهمنامه")));
    EXPECT_EQ(doc.label("mozo_caption"), QStringLiteral("موضوع:"));
    // A company's cover is plural even for one village.
    EXPECT_EQ(doc.label("tarh_caption"), QStringLiteral("تهيه طرح هادي روستاهاي:"));
    EXPECT_EQ(doc.label("city_caption"), QStringLiteral("از توابع شهرستان هاي:"));
    EXPECT_EQ(doc.label("moshaver_caption"), QStringLiteral("مهندسين مشاور:"));
    EXPECT_EQ(doc.label("tarh_moshaver_name"), "Mehr Consultants");
    EXPECT_EQ(doc.label("rosta"), "village 1");
    EXPECT_EQ(doc.label("movafeg"), QStringLiteral("تفاهمنامه"));
    EXPECT_TRUE(fullyFilled(doc));

    s = sourceOf(person, {"county A", "county B"});
    s.search.filters.rosta = QStringList{"village 2", "village 9"};
    doc = agreementCover(db(), s, agreementKind(QStringLiteral("موافقتنامه/تفاهم نامه")));
    EXPECT_EQ(doc.label("mozo_caption"), QStringLiteral("موضوع قرارداد:"));
    EXPECT_EQ(doc.label("tarh_caption"), QStringLiteral("تهيه طرح هادي روستاي:"));
    EXPECT_EQ(doc.label("city_caption"), QStringLiteral("از توابع شهرستان:"));
    EXPECT_EQ(doc.label("moshaver_caption"), QStringLiteral("مهندس مشاور:"));
    EXPECT_EQ(doc.label("tarh_moshaver_name"), "Sara Karimi");
    EXPECT_EQ(doc.label("rosta"), "village 2-village 9");
    EXPECT_EQ(doc.label("city"), "county A-county B");

    EXPECT_EQ(agreementCover(db(), sourceOf(nobody, {"county A"}), agreementKind("x")).label("tarh_moshaver_name"), QString());

    user().clear();
    user().inputs = {QStringLiteral("x")};
    EXPECT_FALSE(report::runFill([&] { agreementCover(db(), sourceOf(company, {"county A"}), agreementKind("x")); }));
    EXPECT_EQ(user().messages.size(), 1u);
}

TEST_P(AgreementPagesTest, FeeSchedulePageNumberVariantAndUnspelledWords)
{
    EXPECT_EQ(middlePageNumber(QStringLiteral("بازنگري-موضعي"), 12), 7);
    EXPECT_EQ(middlePageNumber(QStringLiteral("بازنگري-موضعي"), 14), 9);
    EXPECT_EQ(middlePageNumber(QStringLiteral("بازنگري-موضعي"), 16), 11);
    for (int page : {32, 33, 34, 35})
        EXPECT_EQ(middlePageNumber(QStringLiteral("بازنگري-موضعي"), page), page - 8);
    for (int page : {12, 14, 16, 32, 35})
        EXPECT_EQ(middlePageNumber(study::boundaryPlan, page), page);

    const qint64 local = addStudy("county A", "village 1", "27.57", 0, QString(), QStringLiteral("بازنگري-موضعي"));
    Document doc = agreementFeeSchedule(db(), sourceOf(local, {"county A"}), agreementKind("x"));
    EXPECT_EQ(doc.name(), "m_movafeghatname12");
    EXPECT_EQ(doc.label("page_no"), "7");
    EXPECT_EQ(doc.label("mablagh"), "27,570,000");
    EXPECT_TRUE(fullyFilled(doc));

    const qint64 boundary = addStudy("county B", "village 2", "1000000", 0, QString(), study::boundaryPlan);
    doc = agreementFeeSchedule(db(), sourceOf(boundary, {"county B"}), agreementKind("x"));
    EXPECT_EQ(doc.name(), "m_movafeghatname12_1");
    EXPECT_EQ(doc.label("page_no"), "12");
    EXPECT_EQ(doc.label("mablagh"), "1,000,000,000,000");
    EXPECT_EQ(doc.label("mablagh_horofi"), QString());
    EXPECT_TRUE(user().prompts.isEmpty()) << "page 12 never asks for the words";
}

TEST_P(AgreementPagesTest, PartiesNameSingularOrPluralAndTheContractorKind)
{
    const qint64 legal = addContractor(false), natural = addContractor(true);
    db().exec("UPDATE peymankaran SET nation = '0012345678', comp_shenase = '10101', comp_eghtesadi_cod = '4114', zipcode = '3813'");
    const qint64 company = addStudy("county A", "village 1", "1", legal);
    StudyLetterSource s = sourceOf(company, {"county A"});
    s.search.filters.rosta = QStringList{"village 1", "village 2"};
    Document doc = agreementParties(db(), s, agreementKind(QStringLiteral("تفاهم نامه")));
    EXPECT_EQ(doc.label("city_caption"), QStringLiteral("شهرستان"));
    EXPECT_EQ(doc.label("rosta_caption"), QStringLiteral("روستا هاي"));
    EXPECT_EQ(doc.label("rosta"), "village 1-village 2");
    EXPECT_EQ(doc.label("party_caption"), QStringLiteral("مهندسين مشاور"));
    EXPECT_EQ(doc.label("id_caption"), QStringLiteral("با شناسه"));
    EXPECT_EQ(doc.label("id_no"), "10101");
    EXPECT_EQ(doc.label("eghtesadi_cod"), "4114");
    EXPECT_EQ(doc.label("zipcode"), "3813");
    EXPECT_EQ(doc.label("roz"), "120");
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(doc.label(QStringLiteral("kind_word%1").arg(i)), QStringLiteral("تفاهمنامه")) << i;

    s = sourceOf(addStudy("county A", "village 1", "1", natural), {"county A", "county B"});
    s.search.filters.rosta = QStringList{"village 1"};
    user().clear();
    doc = agreementParties(db(), s, agreementKind(QStringLiteral("موافقتنامه/تفاهم نامه")));
    EXPECT_EQ(doc.label("city_caption"), QStringLiteral("شهرستان هاي"));
    EXPECT_EQ(doc.label("rosta_caption"), QStringLiteral("روستا"));
    EXPECT_EQ(doc.label("party_caption"), QStringLiteral("سرکار خانم/آقاي"));
    EXPECT_EQ(doc.label("id_caption"), QStringLiteral("با کد ملي"));
    EXPECT_EQ(doc.label("id_no"), "0012345678");
    EXPECT_EQ(doc.label("eghtesadi_cod"), QString());
    EXPECT_EQ(doc.label("kind_word9"), QStringLiteral("قرارداد"));
    EXPECT_TRUE(fullyFilled(doc));
}

TEST_P(AgreementPagesTest, ClosingPagesNumberByContractorAndShowItsOwnDetails)
{
    const qint64 legal = addContractor(false), natural = addContractor(true);
    db().exec("UPDATE peymankaran SET hesab_no = '0101-22', bank = 'Melli', father = 'Ali', comp_no = '5566'");
    const qint64 company = addStudy("county A", "village 1", "1", legal, QStringLiteral("استاني"));
    const qint64 person = addStudy("county A", "village 2", "1", natural);
    const qint64 nobody = addStudy("county A", "village 3", "1", 0);

    Document doc = agreementMoneyLaundering(db(), sourceOf(company, {"county A"}));
    EXPECT_EQ(doc.label("page_no"), "36");
    EXPECT_TRUE(doc.isVisible("hoghoghi"));
    EXPECT_FALSE(doc.isVisible("haghighi"));
    EXPECT_EQ(doc.label("comp_no"), "5566");
    EXPECT_TRUE(fullyFilled(doc));
    doc = agreementMoneyLaundering(db(), sourceOf(person, {"county A"}));
    EXPECT_EQ(doc.label("page_no"), "34");
    EXPECT_FALSE(doc.isVisible("hoghoghi"));
    EXPECT_TRUE(doc.isVisible("haghighi"));
    EXPECT_EQ(doc.label("person_name"), "Sara Karimi");
    EXPECT_EQ(agreementMoneyLaundering(db(), sourceOf(nobody, {"county A"})).label("page_no"), "36");

    doc = agreementBankAccount(db(), sourceOf(company, {"county A"}));
    EXPECT_EQ(doc.label("page_no"), "38");
    EXPECT_EQ(doc.label("hesab_no"), "0101-22");
    EXPECT_EQ(doc.label("moaven"), QStringLiteral("معاون پشتيباني"));
    doc = agreementBankAccount(db(), sourceOf(person, {"county A"}));
    EXPECT_EQ(doc.label("page_no"), "36");
    EXPECT_EQ(doc.label("moaven"), QStringLiteral("معاون ذيحسابي"));
    doc = agreementUndertaking(db(), sourceOf(person, {"county A"}));
    EXPECT_EQ(doc.label("page_no"), "37");
    EXPECT_EQ(doc.label("father"), "Ali");
    EXPECT_TRUE(user().prompts.isEmpty());

    // A local revision asks, offering the computed number.
    const qint64 local = addStudy("county A", "village 4", "1", natural, QString(), QStringLiteral("بازنگري-موضعي"));
    user().inputs = {std::nullopt, QStringLiteral("22")};
    EXPECT_EQ(agreementMoneyLaundering(db(), sourceOf(local, {"county A"})).label("page_no"), "34");
    EXPECT_EQ(agreementUndertaking(db(), sourceOf(local, {"county A"})).label("page_no"), "22");
    EXPECT_EQ(user().prompts, (QStringList{QStringLiteral("شماره صفحه"), QStringLiteral("شماره صفحه")}));
    EXPECT_EQ(agreementConflictOfInterest(db(), sourceOf(local, {"county A"})).label("page_no"), "25");
    user().clear();
    user().inputs = {QStringLiteral("1.08")};
    doc = agreementCoefficients(db(), sourceOf(local, {"county A"}), agreementKind("x"));
    EXPECT_EQ(doc.label("page_no"), "9");
    EXPECT_EQ(doc.label("zarib_tadil"), "1.08");
    EXPECT_EQ(user().prompts, QStringList{QStringLiteral("ضريب تعديل")});
}

TEST_P(AgreementPagesTest, KeyPeopleAndCapacityPagesAskInTurn)
{
    const qint64 legal = addContractor(false);
    addStudy("county A", "village 2", "30.08", legal);
    const qint64 id = addStudy("county A", "village 1", "27.57", legal, QString(), QStringLiteral("بازنگري-موضعي"));
    user().inputs = {QStringLiteral("13"), QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3"), QStringLiteral("P4"),
                     QStringLiteral("P5")};
    Document doc = agreementKeyPeople(db(), sourceOf(id, {"county A"}), agreementKind("x"));
    EXPECT_EQ(user().prompts, (QStringList{"اندازه فونت نام روستا", "مدير پروژه", "کارشناس مطالعات و برنامه ريزي", "کارشناس طراحي", "کارشناس طرح تفصيلي", "کارشناس جي آي اس"}));
    EXPECT_EQ((QStringList{doc.label("modir_project"), doc.label("karshenas_barname"), doc.label("karshenas_tarahi"),
                           doc.label("karshenas_tafsili"), doc.label("karshenas_gis")}),
              (QStringList{"P1", "P2", "P3", "P4", "P5"}));
    EXPECT_EQ(doc.label("page_no"), "24");
    EXPECT_EQ(doc.label("tarh_moshaver_name"), "Mehr Consultants");

    user().clear();
    user().inputs = {std::nullopt, QStringLiteral("3")};
    doc = agreementCapacity(db(), sourceOf(id, {"county A"}), agreementKind("x"), true);
    EXPECT_EQ(user().prompts, (QStringList{"گرايش مشاور", "ظرفيت", "اندازه فونت نام روستا"}));
    EXPECT_EQ(doc.label("field"), QStringLiteral("مطالعات جغرافيايي و برنامه ريزي فضايي"));
    EXPECT_EQ(doc.label("scale"), "3");
    EXPECT_EQ(doc.label("page_no"), "26");
    EXPECT_EQ(doc.label("mablagh"), "57,650,000");
    EXPECT_EQ(doc.label("mablagh_horofi"), QStringLiteral(" پنجاه و هفت ميليون و  ششصد و پنجاه هزار ريال"));
    EXPECT_TRUE(fullyFilled(doc));
    doc = agreementCapacity(db(), sourceOf(id, {"county A"}), agreementKind("x"), false);
    EXPECT_EQ(doc.name(), "m_movafeghatname35");
    EXPECT_EQ(doc.label("page_no"), "27");
    EXPECT_FALSE(doc.hasLabel("mablagh"));
}

TEST_P(AgreementPagesTest, RestOfTheAgreementOpensItsProgramDocument)
{
    borvinat_src &w = windows::get<borvinat_src>();
    w.prepare();
    db().exec("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '', '.docx', ?)",
              {agreementDocuments[1], QByteArray("revision pages")});
    for (int i = 0; i < agreementDocuments.size(); ++i) {
        SCOPED_TRACE(i);
        user().clear();
        w.agreementItems[16 + i]->trigger();
        if (i == 1) {
            ASSERT_EQ(user().opened.size(), 1);
            EXPECT_TRUE(user().opened.front().endsWith(".docx"));
            QFile copy(user().opened.front());
            ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
            EXPECT_EQ(copy.readAll(), "revision pages");
            EXPECT_TRUE(user().messages.empty());
        } else {
            EXPECT_TRUE(user().opened.isEmpty());
            EXPECT_EQ(user().messageTexts(), QStringList{noAgreementDocumentMessage});
        }
    }
}

TEST_P(AgreementPagesTest, SelectionMinutesTakeTheFirstPictureFoundByDescription)
{
    const qint64 id = addStudy("county A", "village 1", "1", addContractor(false), QString(), QStringLiteral("بازنگري-موضعي"));
    auto png = [](int width) {
        QImage image(width, 10, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    };
    auto attach = [&](const QString &description, const QByteArray &content) {
        db().exec("INSERT INTO borvinat_pic (borvinat_id, cmt, pictyp, pic) VALUES (?, ?, '.png', ?)", {id, description, content});
    };
    Document doc = agreementSelectionMinutes(db(), sourceOf(id, {"county A"}));
    EXPECT_TRUE(doc.image("pic").isNull());
    EXPECT_EQ(doc.label("page_no"), "11");
    EXPECT_EQ(doc.label("tarh_moshaver_name"), "Mehr Consultants");

    attach(selectionMinutesPictures[2], png(30));
    EXPECT_EQ(agreementSelectionMinutes(db(), sourceOf(id, {"county A"})).image("pic").width(), 30);
    attach(selectionMinutesPictures[1], png(20));
    EXPECT_EQ(agreementSelectionMinutes(db(), sourceOf(id, {"county A"})).image("pic").width(), 20);
    // A file that is no picture is passed over.
    attach(selectionMinutesPictures[0], QByteArray("not a picture"));
    EXPECT_EQ(agreementSelectionMinutes(db(), sourceOf(id, {"county A"})).image("pic").width(), 20);
    attach(selectionMinutesPictures[0], png(10));
    doc = agreementSelectionMinutes(db(), sourceOf(id, {"county A"}));
    EXPECT_EQ(doc.image("pic").width(), 10);
    EXPECT_TRUE(fullyFilled(doc));
}

TEST_P(AgreementPagesTest, SummaryListsEachStudyOnceWithItsCoefficients)
{
    const qint64 legal = addContractor(false), natural = addContractor(true);
    const qint64 first = addStudy("county A", "village 1", "27.57", legal);
    const qint64 second = addStudy("county A", "village 2", "30.08", natural);
    addStudy("county B", "village 3", "99", natural);
    db().exec("UPDATE borvinat SET cod = '22654321', masahat = '45', jamiyat = '200' WHERE id = ?", {second});
    db().exec("UPDATE borvinat SET masahat = '0', jamiyat = '1000' WHERE id = ?", {first});
    // Villages sharing the studies' last six code characters; the exact code wins.
    const QString insert = "INSERT INTO abadiha (ostan, city, rosta, cod, zaribDori, zaribMantaghe) VALUES ('o', 'c', 'v', ?, ?, ?)";
    db().exec(insert, {"99123456", 1.5, 1.5});
    db().exec(insert, {"11123456", 1.2, 1.1});
    db().exec(insert, {"88654321", 1.3, 0.9});
    db().exec(insert, {"77654321", 1.7, 0.7});

    const ResultSet rows = agreementSummaryRows(db(), sourceOf(first, {"county A"}).search.filters);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.value(0, "zarib_dori").toString(), "1.2");
    EXPECT_EQ(rows.value(0, "zarib_mantaghe").toString(), "1.1");
    EXPECT_EQ(rows.value(1, "zarib_dori").toString(), "1.3");  // the first by id of the pattern
    EXPECT_EQ(rows.value(0, "zaribbozorgi").toString(), QString());  // an area in no band
    EXPECT_EQ(rows.value(1, "zaribbozorgi").toString(), "1.1");
    EXPECT_EQ(rows.value(1, "x_ba").toString(), "23.972");
    EXPECT_EQ(rows.value(1, "x_bi").toString(), "20.299");
    EXPECT_EQ(rows.value(0, "x_ba").toString(),
              study::baseFee(QStringLiteral("plan"), study::FeeKind::WithInfluence, 1000).plain());
    EXPECT_EQ(rows.value(0, "tarh_moshaver_name2").toString(), "Mehr Consultants");
    EXPECT_EQ(rows.value(1, "tarh_moshaver_name2").toString(), "Sara Karimi");

    const Document doc = agreementSummary(db(), sourceOf(first, {"county A"}));
    EXPECT_EQ(doc.rows().size(), 2);
    EXPECT_EQ(doc.label("ba"), "57.65");
    EXPECT_EQ(doc.label("bi"), "2");
    EXPECT_EQ(doc.label("page_no"), "37");
    EXPECT_TRUE(fullyFilled(doc));
    EXPECT_EQ(doc.layout().front().pageLayout.orientation(), QPageLayout::Landscape);
}

INSTANTIATE_TEST_SUITE_P(Engines, AgreementPagesTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

TEST(AgreementTemplates, RenderOnTheirPaper)
{
    QTemporaryDir dir;
    for (const char *name : {"m_movafeghatname1", "m_movafeghatname3", "m_movafeghatname3_1", "m_movafeghatname12",
                             "m_movafeghatname12_1", "m_movafeghatname2", "m_movafeghatname4", "m_movafeghatname14",
                             "m_frm_moshaver_tehran", "m_movafeghatname32", "m_movafeghatname33", "m_movafeghatname34", "m_movafeghatname35", "m_movafeghatname36", "m_movafeghatname37", "m_movafeghatname38", "m_movafeghatname39"}) {
        SCOPED_TRACE(name);
        const QString prefix = dir.filePath(QString::fromLatin1(name));
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QStringLiteral(BV_RENDER_TEMPLATE), {QString::fromLatin1(name), "--png", prefix, "--dpi", "20"});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0);
        EXPECT_EQ(QImage(prefix + "-1.png").size(),
                  std::string(name) == "m_movafeghatname37" ? QSize(234, 165) : QSize(165, 234));
        EXPECT_FALSE(QFile::exists(prefix + "-2.png"));
    }
}
