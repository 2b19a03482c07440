#include "admin_fixture.h"
#include "borvinat_letters.h"
#include "borvinat_src.h"
#include "browsergrid.h"
#include "dates.h"
#include "fillsteps.h"
#include "filters.h"
#include "sample.h"
#include "templatecheck.h"
#include "windows.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

using namespace bv;
using namespace bv::studies;
using bv::test::AdminTest;
using bv::test::fullyFilled;
using bv::test::user;

TEST(StudyLetterRules, AmountsPercentagesAndStatus)
{
    // Million rials to rials, to the nearest rial whatever the engine returned.
    EXPECT_EQ(offeredAmount(QVariant(27.57)), "27570000");
    EXPECT_EQ(offeredAmount(QVariant(2.01)), "2010000");  // 2.01 is 2.00999… as a double
    EXPECT_EQ(offeredAmount(QVariant(QStringLiteral("2.0100"))), "2010000");
    EXPECT_EQ(offeredAmount(QVariant(QStringLiteral("0.0000005"))), "0");
    EXPECT_EQ(offeredAmount(QVariant(QStringLiteral("0.0000015"))), "2");  // 1.5 rials, half to even
    EXPECT_EQ(offeredAmount(QVariant()), "0");

    EXPECT_EQ(amountDue("27570000", "40"), "11028000");
    EXPECT_EQ(amountDue("5", "50"), "2");  // 2.5
    EXPECT_EQ(amountDue("7", "50"), "4");  // 3.5
    EXPECT_EQ(amountDue("27,570,000", "12.5"), "3446250");
    EXPECT_EQ(amountDue("27570000", "x"), "?");
    EXPECT_EQ(amountDue("", "40"), "?");

    EXPECT_EQ(percentageShown("40", true), "40.00");
    EXPECT_EQ(percentageShown("12.5", true), "12.50");
    EXPECT_EQ(percentageShown("33.335", true), "33.34");
    EXPECT_EQ(percentageShown("33.345", true), "33.34");
    EXPECT_EQ(percentageShown("40.00", false), "40");
    EXPECT_EQ(percentageShown("x", true), "x");

    EXPECT_EQ(statusText(QStringLiteral("قطعي"), "100"), QStringLiteral("قطعي 100"));

    EXPECT_EQ(meetingDateColumn(1), "komitefani_dat1");
    EXPECT_EQ(meetingDateColumn(2), "tarh_tasvib_dat");
    EXPECT_EQ(meetingDateColumn(3), "komitefani_dat3");
    EXPECT_EQ(meetingDateColumn(4), "komitefani_dat4");
    EXPECT_EQ(meetingDateColumn(0), std::nullopt);
    EXPECT_EQ(meetingDateColumn(5), std::nullopt);
}

TEST(StudyLetterRules, LatestCommitteeDate)
{
    Row s{{"komitefani_dat1", "1401/01/01"}, {"tarh_tasvib_dat", "1401/02/02"}, {"komitefani_dat3", emptyDateMask},
          {"komitefani_dat4", emptyDateMask}};
    EXPECT_EQ(latestCommitteeDate(s), "1401/02/02");
    s["komitefani_dat3"] = "1401/03/03";
    EXPECT_EQ(latestCommitteeDate(s), "1401/03/03");
    s["komitefani_dat4"] = "1401/04/04";
    EXPECT_EQ(latestCommitteeDate(s), "1401/04/04");
    // Null and blank dates are as unset as the mask.
    const Row sparse{{"komitefani_dat4", QVariant()}, {"komitefani_dat3", ""}, {"tarh_tasvib_dat", emptyDateMask},
                     {"komitefani_dat1", "1400/09/09"}};
    EXPECT_EQ(latestCommitteeDate(sparse), "1400/09/09");
    EXPECT_EQ(latestCommitteeDate(Row{}), emptyDateMask);
}

class StudyLettersTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 3;
        size.contractors = 4;
        size.projects = 0;
        size.studies = 30;
        size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        session() = Session{"admin", "admin", 1, {}};
        reset();
    }

    void reset()
    {
        user().clear();
        user().todayValue = gregorianOf("1402/05/01");
    }
    qint64 contractorOf(const QString &kind)
    {
        return db().scalar("SELECT MIN(id) FROM peymankaran WHERE typ = ?", {kind}).toLongLong();
    }
    qint64 legal() { return db().scalar("SELECT MIN(id) FROM peymankaran WHERE typ <> ?", {QStringLiteral("حقيقي")}).toLongLong(); }
    qint64 addStudy(const QVariantMap &values = {})
    {
        const qint64 id = db().insert(
            "INSERT INTO borvinat (ostan, city, bakhsh, dehestan, rosta, cod, etebar_sal, prot_mablagh, prot_mablagh_binofoz, "
            "moshaver_prot_no, tarh_prot_dat, tarh_moshaver_name, peymankar_id, jalase_tasvib_dat, komitefani_dat1, "
            "tarh_tasvib_dat, komitefani_dat3, komitefani_dat4, tamdid_dat, asnad_tahvil_dat) VALUES ('مرکزي', 'شهر آزمون', "
            "'بخش آزمون', 'دهستان آزمون', 'کلاته', '778899001122', '1401', ?, ?, '5566', '1401/02/03', 'نام ثبت شده', 0, "
            "'1401/09/09', '1401/06/01', '1401/07/01', ?, ?, ?, '1401/10/10')",
            {QStringLiteral("27.57"), QStringLiteral("20.5"), emptyDateMask, emptyDateMask, emptyDateMask});
        for (auto it = values.begin(); it != values.end(); ++it)
            db().exec(QStringLiteral("UPDATE borvinat SET %1 = ? WHERE id = ?").arg(it.key()), {it.value(), id});
        return id;
    }
    Row study(qint64 id)
    {
        const ResultSet rows = borvinatList(db(), borvinatConditions(db().dialect(), {}, session()));
        for (int r = 0; r < rows.size(); ++r)
            if (rows.value(r, "id").toLongLong() == id) {
                Row row;
                for (int c = 0; c < rows.columns.size(); ++c)
                    row.insert(rows.columns[c], rows.rows[size_t(r)][c]);
                return row;
            }
        ADD_FAILURE() << "study " << id << " not listed";
        return {};
    }
    StudyLetterSource sourceOf(qint64 id, std::optional<QStringList> counties = std::nullopt,
                               std::optional<QStringList> villages = std::nullopt)
    {
        StudyLetterSource s;
        s.study = study(id);
        s.search.filters.city = counties ? counties : QStringList{s.study.value("city").toString()};
        s.search.filters.rosta = villages ? villages : QStringList{s.study.value("rosta").toString()};
        return s;
    }
    borvinat_src &window(qint64 current)
    {
        borvinat_src &w = windows::get<borvinat_src>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        w.prepare();
        w.DBGrid1->completeRows();
        const ResultSet shown = w.DBGrid1->shownRows();
        for (int r = 0; r < shown.size(); ++r)
            if (shown.value(r, "id").toLongLong() == current)
                w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(r, 1));
        reset();
        return w;
    }
    static double villageFontSize(const report::Document &doc)
    {
        for (const report::Band &band : doc.layoutTemplate().bands)
            for (const report::Element &e : band.elements)
                for (const report::Run &r : e.runs)
                    if (r.label == QStringLiteral("rosta"))
                        return r.size;
        return 0;
    }
    QString status(qint64 id) { return db().scalar("SELECT status FROM borvinat WHERE id = ?", {id}).toString(); }
    QByteArray png()
    {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
};

TEST_P(StudyLettersTest, PaymentStatementOffersTheFeeAndWritesTheStatus)
{
    const qint64 id = addStudy();
    borvinat_src &w = window(id);
    // Date, font size, "1", the amount offered, the stage: all as offered; 40 percent.
    user().inputs = {std::nullopt, std::nullopt, QStringLiteral("1"), std::nullopt, std::nullopt, QStringLiteral("40")};
    w.N14->trigger();
    EXPECT_EQ(user().prompts, (QStringList{"تاريخ", "اندازه فونت نام روستا", "مبلغ باحوزه نفوذ=1 / مبلغ بدون حوزه نفوذ=2",
                                           "مبلغ با حوزه نفوذ", "مرحله پرداخت", "درصد پرداخت"}));
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(status(id), QStringLiteral("مرحله اول/قطعي 40"));

    reset();
    user().inputs = {std::nullopt, std::nullopt, QStringLiteral("1"), std::nullopt, std::nullopt, QStringLiteral("40")};
    const report::Document doc = paymentStatement(db(), sourceOf(id), false);
    EXPECT_EQ(doc.label("prot_mablagh"), "27570000");
    EXPECT_EQ(doc.label("haghozahme"), "11028000");
    EXPECT_EQ(doc.label("haghozahme2"), "11028000");
    EXPECT_EQ(doc.label("darsad"), "40.00");
    EXPECT_EQ(doc.label("darsad2"), "40.00");
    EXPECT_EQ(doc.label("marhale3"), QStringLiteral("مرحله اول/قطعي"));
    EXPECT_EQ(doc.label("dat"), "1402/05/01");
    EXPECT_EQ(doc.label("cod"), "001122");
    // Without a contractor the statement names none, not the name typed on the study.
    EXPECT_EQ(doc.label("tarh_moshaver_name"), QString());
    EXPECT_TRUE(fullyFilled(doc));

    // A percentage that is no number: "?" due, and the status still written.
    reset();
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, QStringLiteral("x")};
    w.N14->trigger();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(status(id), QStringLiteral("مرحله اول/قطعي x"));
    reset();
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, QStringLiteral("x")};
    EXPECT_EQ(paymentStatement(db(), sourceOf(id), false).label("haghozahme"), "?");

    // The final statement: the fee without the influence area, "قطعي", the percentage plain.
    reset();
    user().inputs = {std::nullopt, std::nullopt, QStringLiteral("۲"), std::nullopt, std::nullopt, QStringLiteral("50")};
    const report::Document final = paymentStatement(db(), sourceOf(id), true);
    EXPECT_EQ(user().prompts[3], QStringLiteral("مبلغ بدون حوزه نفوذ"));
    EXPECT_EQ(final.label("prot_mablagh"), "20500000");
    EXPECT_EQ(final.label("haghozahme"), "10250000");
    EXPECT_EQ(final.label("darsad"), "50");
    EXPECT_EQ(status(id), QStringLiteral("قطعي 50"));

    // An amount that cannot be read is left out.
    reset();
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, QStringLiteral("بيست"), std::nullopt, std::nullopt};
    const report::Document unread = paymentStatement(db(), sourceOf(id), false);
    EXPECT_EQ(unread.label("prot_mablagh"), QString());
    EXPECT_EQ(unread.label("haghozahme"), "?");
    EXPECT_EQ(status(id), QStringLiteral("مرحله اول/قطعي 100"));

    // A stage too long for the column: a message, no statement, the status kept.
    borvinat_src &again = window(id);
    const QString longStage(98, QChar(u'م'));
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, std::nullopt, longStage, QStringLiteral("40")};
    again.N14->trigger();
    EXPECT_TRUE(user().documents.empty());
    EXPECT_EQ(user().messageTexts(), QStringList{statusTooLongMessage(longStage + QStringLiteral(" 40"))});
    EXPECT_EQ(status(id), QStringLiteral("مرحله اول/قطعي 100"));
    // Exactly as long as the column is written whole, on either engine.
    reset();
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, std::nullopt, longStage, QStringLiteral("4")};
    again.N14->trigger();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(status(id), longStage + QStringLiteral(" 4"));
}

TEST_P(StudyLettersTest, MinutesChooseTheirDatesAndRefuseAMeetingThatIsNoNumber)
{
    const qint64 id = addStudy();
    // Committee dates 3 and 4 unset: the approval date is the approval committee's.
    user().inputs = {std::nullopt, QStringLiteral("85/12"), std::nullopt};
    const report::Document approval = approvalMinutes(db(), sourceOf(id));
    EXPECT_EQ(user().prompts, (QStringList{"تاريخ جلسه", "شماره نامه دعوتنامه", "تاريخ دعوتنامه"}));
    EXPECT_EQ(approval.label("tasvib_dat"), "1401/07/01");
    EXPECT_EQ(approval.label("jalase_dat"), "1401/09/09");
    EXPECT_EQ(approval.label("paper_dat"), "1402/05/01");
    EXPECT_EQ(approval.label("tahvil_dat"), QString());
    EXPECT_EQ(approval.label("amel4_dat"), QString());
    EXPECT_TRUE(approval.text().contains("1401/07/01"));

    // Meeting 2 is on the approval date; meeting 5 asks for its own.
    reset();
    user().inputs = {QStringLiteral("2")};
    EXPECT_EQ(technicalMinutes(db(), sourceOf(id), false).label("jalase_dat"), "1401/07/01");
    EXPECT_EQ(user().prompts, (QStringList{"شماره جلسه", "شماره نامه دعوت نامه", "تاريخ نامه دعوتنامه"}));
    reset();
    user().inputs = {QStringLiteral("5"), QStringLiteral("1402/04/04")};
    const report::Document fifth = technicalMinutes(db(), sourceOf(id), false);
    EXPECT_EQ(user().prompts[1], QStringLiteral("5تاريخ جلسه"));
    EXPECT_EQ(fifth.label("jalase_dat"), "1402/04/04");
    EXPECT_EQ(fifth.label("sazman"), QStringLiteral("زلمرکان استان"));
    EXPECT_EQ(fifth.label("emza6"), QString());

    // The county meeting asks for its place and two more signature captions.
    reset();
    user().inputs = {QStringLiteral("1"), std::nullopt, std::nullopt, QStringLiteral("فرمانداري")};
    const report::Document county = technicalMinutes(db(), sourceOf(id), true);
    EXPECT_EQ(user().prompts.mid(3), (QStringList{"در محل", "محل امضا اول ساير ادارات", "محل امضا دوم ساير ادارات"}));
    EXPECT_EQ(county.label("jalase_dat"), "1401/06/01");
    EXPECT_EQ(county.label("mahal"), QStringLiteral("فرمانداري"));
    EXPECT_EQ(county.label("emza6"), QStringLiteral("نماينده محيط زيست"));
    EXPECT_EQ(county.label("emza7"), QStringLiteral("نماينده اداره کل راهداري و حمل و نقل جاده اي"));
    for (const char *caption : {"emza1", "emza2", "emza3", "emza4", "emza5"})
        EXPECT_EQ(county.label(caption), QString()) << caption;

    // "x" as the meeting: a message naming the question, no document.
    borvinat_src &w = window(id);
    user().inputs = {QStringLiteral("x")};
    w.N10->trigger();
    EXPECT_TRUE(user().documents.empty());
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_EQ(user().lastMessage(), report::notWholeNumberMessage("x", QStringLiteral("شماره جلسه")));
    // So does a font size that is no number.
    reset();
    user().inputs = {QStringLiteral("دوازده")};
    w.N30->trigger();
    EXPECT_TRUE(user().documents.empty());
    EXPECT_TRUE(user().lastMessage().startsWith(QStringLiteral("اندازه فونت روستا و شهر")));
}

TEST_P(StudyLettersTest, ListsNameTheSearchedPlacesAndContractorsTheirOwnLines)
{
    const qint64 company = addStudy({{"peymankar_id", legal()}});
    const qint64 person = addStudy({{"peymankar_id", contractorOf(QStringLiteral("حقيقي"))}});
    db().exec("UPDATE peymankaran SET taminejtemaei = ? WHERE id = ?", {QStringLiteral("شعبه 7"), legal()});
    const report::Document both = depositRelease(db(), sourceOf(company, QStringList{"A", "B"}, QStringList{}));
    EXPECT_EQ(both.label("city"), "A-B");
    EXPECT_EQ(both.label("rosta"), QString());
    // No extension date: the approval date instead.
    EXPECT_EQ(both.label("tamdid_dat"), "1401/09/09");
    EXPECT_EQ(both.label("karshenas_naghshe"), report::roleName(db(), QStringLiteral("کارشناس مسئول فني و مطالعات")));
    reset();
    user().inputs = {QStringLiteral("16")};
    db().exec("UPDATE borvinat SET tamdid_dat = '1402/01/01' WHERE id = ?", {company});
    const report::Document four = agencyIntroduction(db(), sourceOf(company, QStringList{"A"}, QStringList{"X", "Y"}));
    for (const char *c : {"city", "city2", "city3", "city4"})
        EXPECT_EQ(four.label(c), "A") << c;
    for (const char *v : {"rosta", "rosta2", "rosta3"})
        EXPECT_EQ(four.label(v), "X-Y") << v;
    reset();
    EXPECT_EQ(depositRelease(db(), sourceOf(company)).label("tamdid_dat"), "1402/01/01");

    // A company gets the salutation and the copy lines, a person neither; the
    // company's lines never reach the person's letter.
    reset();
    const report::Document toCompany = contractNotification(db(), sourceOf(company));
    EXPECT_EQ(toCompany.label("onvan"), QStringLiteral("مهندسين مشاور"));
    EXPECT_EQ(toCompany.label("taminejtemaei"), QStringLiteral("شعبه 7"));
    EXPECT_EQ(toCompany.label("ronevesht2"), QStringLiteral("به انضمام يک نسخه قرارداد به منظور استحضار"));
    EXPECT_EQ(villageFontSize(toCompany), 14);  // the letter's own default
    reset();
    const report::Document toPerson = contractNotification(db(), sourceOf(person));
    EXPECT_EQ(toPerson.label("onvan"), QStringLiteral("سركار خانم/ جناب آقاي "));
    EXPECT_FALSE(toPerson.text().contains(QStringLiteral("تامين اجتماعي")));
    EXPECT_FALSE(toPerson.text().contains(QStringLiteral("شعبه")));

    reset();
    const report::Document extension = extensionLetter(db(), sourceOf(company));
    EXPECT_EQ(extension.label("tamin_caption"), QStringLiteral("شعبه تامين اجتماعي"));
    EXPECT_EQ(extension.label("taminejtemaei"), QStringLiteral("شعبه 7"));
    reset();
    const report::Document none = extensionLetter(db(), sourceOf(addStudy()));
    EXPECT_EQ(none.label("tarh_moshaver_name"), QString());
    EXPECT_EQ(none.label("tamin_caption"), QString());
}

TEST_P(StudyLettersTest, NotificationsPrintIndicatorsAndOneLinePerProgramme)
{
    const qint64 id = addStudy();
    const QStringList indicators = {QStringLiteral("جمعيت (نفر)"), QStringLiteral("مساحت محدوده طرح(هكتار)"),
                                    QStringLiteral("تعداد شاغلين(نفر)"), QStringLiteral("سرانه کل کاربريها (متر مربع)"),
                                    QStringLiteral("سرانه مسکوني (متر مربع)")};
    for (int i = 0; i < indicators.size(); ++i)
        db().exec("INSERT INTO shakhes (borvinat_id, cmt, mojod, ofogh) VALUES (?, ?, ?, ?)",
                  {id, indicators[i], 100 + i, 200.5 + i});
    for (const auto &[programme, agency] : {std::pair{"آبرساني", "شرکت آبفا"}, {"برق", "توزيع نيرو"}, {"گازرساني", "شرکت گاز"}})
        db().exec("INSERT INTO barnameha (borvinat_id, cmt, org) VALUES (?, ?, ?)",
                  {id, QString::fromUtf8(programme), QString::fromUtf8(agency)});
    for (const char *name : {"m_frm_ostandari2", "m_frm_ostandari3", "m_frm_farmandari"}) {
        SCOPED_TRACE(name);
        reset();
        const report::Document doc = approvedPlanNotice(db(), sourceOf(id), QString::fromLatin1(name));
        EXPECT_EQ(doc.label("dat"), "1401/09/09");
        EXPECT_EQ(doc.label("paper_no"), "18/");
        EXPECT_EQ(doc.label("mojod2"), "101");
        EXPECT_EQ(doc.label("ofogh5"), "204.5");
        EXPECT_EQ(doc.label("shakhes2"), indicators[1]);
        ASSERT_EQ(doc.rows().size(), 3);
        const QString text = doc.text();
        for (const char *p : {"آبرساني", "توزيع نيرو", "گازرساني", "شرکت آبفا"})
            EXPECT_EQ(text.count(QString::fromUtf8(p)), 1) << p;
        if (std::string(name) == "m_frm_ostandari2") {
            EXPECT_EQ(user().prompts.size(), 4);
            EXPECT_EQ(doc.label("ronevesht1"), QStringLiteral("رئيس محترم سازمان جهاد کشاورزي استان جهت استحضار"));
        } else {
            EXPECT_EQ(user().prompts.size(), 5);
            EXPECT_EQ(doc.label("onvan"), QStringLiteral(" فرماندار محترم شهرستان شهر آزمون"));
            EXPECT_EQ(doc.label("city2"), QString());
        }
    }
}

TEST_P(StudyLettersTest, HandOverFormTicksAndSigns)
{
    const qint64 id = addStudy({{"komitefani_dat3", "1401/08/08"}});
    db().exec("DELETE FROM zamaem");
    db().exec("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, 'pw', '.png', ?)",
              {QStringLiteral("تصوير امضا کارشناس مسئول فني و مطالعات"), png()});
    borvinat_src &w = window(id);
    // Date; passwords right, wrong, wrong; done 1, 2, then five defaults; grades 3, 9, default.
    user().inputs = {std::nullopt, QStringLiteral("pw"), QStringLiteral("x"), std::nullopt, QStringLiteral("1"),
                     QStringLiteral("2"), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                     QStringLiteral("3"), QStringLiteral("9")};
    w.N44->trigger();
    ASSERT_EQ(user().documents.size(), 1u);  // opened despite the missing signatures
    EXPECT_EQ(user().messageTexts(), (QStringList{report::signatureMissingMessage(), report::signatureMissingMessage()}));
    EXPECT_EQ(user().prompts.mid(1, 3), (QStringList{"رمز امضا مسئول فني و مطالعات", "رمز امضا عامل چهارم",
                                                     "رمز امضا معاون عمران روستايي"}));
    EXPECT_EQ(user().prompts.size(), 14);

    reset();
    user().inputs = {std::nullopt, QStringLiteral("pw"), QStringLiteral("x"), std::nullopt, QStringLiteral("1"),
                     QStringLiteral("2"), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                     QStringLiteral("3"), QStringLiteral("9")};
    const report::Document doc = cdHandover(db(), sourceOf(id), false);
    EXPECT_FALSE(doc.image("emza_fani").isNull());
    EXPECT_TRUE(doc.image("emza_amel4").isNull());
    EXPECT_EQ(doc.label("komitefani_dat4"), "1401/08/08");
    EXPECT_EQ(doc.label("dat"), "1402/05/01");
    EXPECT_EQ(doc.fill("done1"), QColor(Qt::blue));
    EXPECT_EQ(doc.fill("notdone1"), QColor(Qt::white));
    EXPECT_EQ(doc.fill("done2"), QColor(Qt::white));
    EXPECT_EQ(doc.fill("notdone2"), QColor(Qt::blue));
    for (int g = 1; g <= 4; ++g) {
        EXPECT_EQ(doc.fill(QStringLiteral("razi1_%1").arg(g)), QColor(g == 3 ? Qt::blue : Qt::white)) << g;
        EXPECT_EQ(doc.fill(QStringLiteral("razi2_%1").arg(g)), QColor(Qt::white)) << g;
        EXPECT_EQ(doc.fill(QStringLiteral("razi3_%1").arg(g)), QColor(g == 2 ? Qt::blue : Qt::white)) << g;
    }

    // The new form: fourteen done questions, no grades.
    reset();
    user().inputs = {std::nullopt, QStringLiteral("pw")};
    const report::Document second = cdHandover(db(), sourceOf(id), true);
    EXPECT_EQ(user().prompts.size(), 1 + 3 + 14);
    EXPECT_EQ(second.fill("done14"), QColor(Qt::blue));
}

TEST_P(StudyLettersTest, LibraryLetterGoesToTheClipboard)
{
    const qint64 id = addStudy({{"tarh_moshaver_name", QStringLiteral("مشاور نمونه")}});
    borvinat_src &w = window(id);
    w.N4->trigger();
    ASSERT_EQ(user().documents.size(), 1u);
    for (const QString &part : {QStringLiteral("کلاته"), QStringLiteral("شهر آزمون"), QStringLiteral("مشاور نمونه")})
        EXPECT_TRUE(user().clipboard.contains(part)) << part.toStdString();
    EXPECT_TRUE(user().clipboard.contains(QStringLiteral("معرفي مي گردد")));
}

TEST_P(StudyLettersTest, EveryLetterFillsFromSampleRows)
{
    // Sample studies with a company and with a person as contractor, and the
    // sample's programmes and indicators.
    // Studies that came as far as the approval committee, so their dates show.
    auto studyOf = [&](const char *kind) {
        return db().scalar(QStringLiteral("SELECT MIN(b.id) FROM borvinat b JOIN peymankaran p ON p.id = b.peymankar_id "
                                          "WHERE p.typ %1 ? AND b.jalase_tasvib_dat <> ?")
                               .arg(QString::fromLatin1(kind)),
                           {QStringLiteral("حقيقي"), emptyDateMask})
            .toLongLong();
    };
    const qint64 company = studyOf("<>"), person = studyOf("=");
    ASSERT_GT(company, 0);
    ASSERT_GT(person, 0);
    using Fill = std::function<report::Document(const Db &, const StudyLetterSource &)>;
    struct Case {
        const char *name;
        Fill fill;
        qint64 study;
        QStringList keep;
        QPageSize::PageSizeId paper = QPageSize::A4;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
    };
    const QStringList copyLines = {"ronevesht1", "ronevesht2", "shobe_caption", "city2", "taminejtemaei"};
    const std::vector<Case> cases = {
        {"m_frm_haghozahme", [](const Db &d, const StudyLetterSource &s) { return paymentStatement(d, s, false); }, company, {}},
        {"m_frm_haghozahme2", [](const Db &d, const StudyLetterSource &s) { return paymentStatement(d, s, true); }, person, {}},
        {"m_frm_hosn", depositRelease, company, {}},
        {"m_frm_tamdid", extensionLetter, company, {}, QPageSize::A5},
        {"m_frm_tamdid", extensionLetter, person, {}, QPageSize::A5},
        {"eblagh_moshaver_haghighi", contractNotification, company, {}, QPageSize::A5},
        {"eblagh_moshaver_haghighi", contractNotification, person, {}, QPageSize::A5},
        {"moarefi_edarat", agencyIntroduction, company, {}},
        {"ersal_naghshe_moshaver", baseMapLetter, company, {}},
        {"estelam_sebakhshi", threePartInquiry, person, {}},
        {"m_frm_library", libraryIntroduction, company, {}, QPageSize::A5},
        {"m_frm_soratjalase_fani", [](const Db &d, const StudyLetterSource &s) { return technicalMinutes(d, s, false); }, company, {}},
        {"m_frm_soratjalase_fani", [](const Db &d, const StudyLetterSource &s) { return technicalMinutes(d, s, true); }, company, {}},
        {"m_frm_soratjalase_tasvib", approvalMinutes, company, {}},
        {"m_frm_ostandari2", [](const Db &d, const StudyLetterSource &s) { return approvedPlanNotice(d, s, "m_frm_ostandari2"); }, company, {}},
        {"m_frm_ostandari3", [](const Db &d, const StudyLetterSource &s) { return approvedPlanNotice(d, s, "m_frm_ostandari3"); }, company, {}},
        {"m_frm_farmandari", [](const Db &d, const StudyLetterSource &s) { return approvedPlanNotice(d, s, "m_frm_farmandari"); }, company, {}},
        {"m_frm_tahvil_cd", [](const Db &d, const StudyLetterSource &s) { return cdHandover(d, s, false); }, company, {},
         QPageSize::A4, QPageLayout::Landscape},
        {"m_frm_tahvil_cd2", [](const Db &d, const StudyLetterSource &s) { return cdHandover(d, s, true); }, company, {},
         QPageSize::A4, QPageLayout::Landscape},
    };
    auto villageOf = [&](qint64 id) { return sourceOf(id).study.value("rosta").toString(); };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.study == person ? " (person)" : ""));
        reset();
        // The sample's signatures answer to "1".
        if (std::string(c.name).starts_with("m_frm_tahvil_cd"))
            user().inputs = {std::nullopt, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};
        const report::Document doc = c.fill(db(), sourceOf(c.study));
        EXPECT_EQ(doc.name(), QString::fromLatin1(c.name));
        EXPECT_TRUE(fullyFilled(doc, c.keep));
        EXPECT_TRUE(user().messages.empty()) << user().lastMessage().toStdString();
        const std::vector<report::Page> pages = doc.layout();
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(pages.front().pageLayout.pageSize().id(), c.paper);
        EXPECT_EQ(pages.front().pageLayout.orientation(), c.orientation);
        EXPECT_EQ(pages.size(), 1u);
        // Lines joined, as a name may wrap.
        EXPECT_TRUE(doc.text().replace(QLatin1Char('\n'), QLatin1Char(' ')).contains(villageOf(c.study)));
        if (std::string(c.name).starts_with("m_frm_tahvil_cd")) {
            for (const char *slot : {"emza_fani", "emza_amel4", "emza_moaven"})
                EXPECT_FALSE(doc.image(slot).isNull()) << slot;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, StudyLettersTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

TEST(StudyLetterTemplates, EveryTemplateRendersToPdfOnItsPaper)
{
    QTemporaryDir dir;
    // Pixels of a page at 20 dots per inch.
    const QSize a4(165, 234), a5(117, 165), landscape(234, 165);
    const std::vector<std::pair<const char *, QSize>> papers = {
        {"m_frm_haghozahme", a4}, {"m_frm_haghozahme2", a4}, {"m_frm_hosn", a4}, {"m_frm_tamdid", a5},
        {"eblagh_moshaver_haghighi", a5}, {"moarefi_edarat", a4}, {"ersal_naghshe_moshaver", a4},
        {"estelam_sebakhshi", a4}, {"m_frm_library", a5}, {"m_frm_soratjalase_fani", a4},
        {"m_frm_soratjalase_tasvib", a4}, {"m_frm_ostandari2", a4}, {"m_frm_ostandari3", a4},
        {"m_frm_farmandari", a4}, {"m_frm_tahvil_cd", landscape}, {"m_frm_tahvil_cd2", landscape},
    };
    for (const auto &[name, paper] : papers) {
        SCOPED_TRACE(name);
        const QString prefix = dir.filePath(QString::fromLatin1(name));
        for (const QStringList &output : {QStringList{"--pdf", prefix + ".pdf"}, QStringList{"--png", prefix, "--dpi", "20"}}) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedChannels);
            p.start(QStringLiteral(BV_RENDER_TEMPLATE), QStringList{QString::fromLatin1(name)} + output + QStringList{"--rows", "3"});
            ASSERT_TRUE(p.waitForFinished(60000));
            ASSERT_EQ(p.exitCode(), 0);
        }
        QFile pdf(prefix + ".pdf");
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(pdf.read(5) == "%PDF-");
        EXPECT_EQ(QImage(prefix + "-1.png").size(), paper);
        EXPECT_FALSE(QFile::exists(prefix + "-2.png")) << "fits one page";
    }
}
