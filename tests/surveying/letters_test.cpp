#include "admin_fixture.h"
#include "browsergrid.h"
#include "dates.h"
#include "filters.h"
#include "fillsteps.h"
#include "naghshe_letters.h"
#include "naghshe_src.h"
#include "previewdialog.h"
#include "sample.h"
#include "templatecheck.h"
#include "windows.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

using namespace bv;
using namespace bv::survey;
using bv::test::AdminTest;
using bv::test::fullyFilled;
using bv::test::user;

TEST(LetterRules, StatementArithmetic)
{
    // The change of the contract: fee × 100 ÷ contract − 100, to four then two decimals.
    EXPECT_EQ(contractChange("110000000", "100000000"), "10");
    EXPECT_EQ(contractChange("90000000", "100000000"), "-10");
    EXPECT_EQ(contractChange("100014990", "100000000"), "0.02");  // 0.01499 → 0.0150 → 0.02, not 0.01
    EXPECT_EQ(contractChange("110000000", "0"), "0");
    EXPECT_EQ(contractChange("", "100000000"), "0");
    EXPECT_EQ(contractChange("110000000.0000", "100,000,000"), "10");

    EXPECT_EQ(delayPenalty("100000000", "5"), "5000000");
    EXPECT_EQ(delayPenalty("100000000", "0"), "0");
    EXPECT_EQ(delayPenalty("123456789", "2.5"), "3086419.725");
    EXPECT_EQ(delayPenalty("", "5"), "0");

    EXPECT_EQ(temporaryAmount("30", "100000001"), "30000000");  // 30000000.3
    EXPECT_EQ(temporaryAmount("50", "3"), "2");                 // 1.5, halves to even
    EXPECT_EQ(temporaryAmount("50", "5"), "2");                 // 2.5
    EXPECT_EQ(temporaryAmount("%", "100000000"), "0");

    const StatementLines lines =
        statementLines({"12.5", "2400000", "1.1", "10.25", "1200000.0000", "1.1", "1.05"});
    EXPECT_EQ(lines.por_pardakhti, "33000000");
    EXPECT_EQ(lines.khali_pardakhti, "12300000");
    EXPECT_EQ(lines.por_khali, "52321500");  // (33000000 + 12300000) × 1.155
    const StatementLines unread = statementLines({"", "2400000", "1.1", "10.25", "1200000", "1.1", "1.05"});
    EXPECT_EQ(unread.por_pardakhti, "0");
    EXPECT_EQ(unread.por_khali, "14206500");  // the printed "0" counts
    EXPECT_EQ(statementLines({"1", "1", "1", "1", "1", "x", "1"}).por_khali, "0");
    EXPECT_EQ(absorptionAmount("52321500", "15000000"), "67321500");
    EXPECT_EQ(absorptionAmount("0", ""), "0");

    auto offer = [](std::int64_t fees, std::int64_t contracts, int decimals = 0) {
        NaghsheTotals t;
        t.feeSum = Decimal::fromScaled(fees, decimals).toMoney();
        t.contractSum = Money::fromWhole(contracts);
        return increaseOffer(t);
    };
    EXPECT_EQ(offer(115, 100), "15");  // not 14.9
    EXPECT_EQ(offer(1005, 100, 1), noIncrease);  // 0.5 %
    EXPECT_EQ(offer(101, 100), noIncrease);      // exactly 1 %
    EXPECT_EQ(offer(1123456, 1000000), "12.3");
    EXPECT_EQ(offer(2234, 100, 1), "123");  // 123.4: never ending in "."
    EXPECT_EQ(offer(90, 100), noIncrease);
    EXPECT_EQ(offer(0, 0), std::nullopt);
    EXPECT_EQ(offer(115, 0), std::nullopt);

    EXPECT_EQ(report::shortVillageCode("778899001122"), "001122");
    EXPECT_EQ(report::shortVillageCode("1234"), "1234");
}

TEST(LetterRules, ChoicesByCreditSource)
{
    EXPECT_EQ(accountingOffice(QStringLiteral("ماده11")), QStringLiteral("حسابداري"));
    EXPECT_EQ(accountingOffice(QStringLiteral("دهياري")), QStringLiteral("حسابداري"));
    EXPECT_EQ(accountingOffice(QStringLiteral("استاني")), QStringLiteral("ذيحسابي"));
    EXPECT_EQ(accountingOffice(QStringLiteral("ملي")), QStringLiteral("ذيحسابي"));
    EXPECT_EQ(accountingOffice(QStringLiteral("ماده 11")), std::nullopt);  // equality, not containment
    EXPECT_EQ(accountingOffice(QString()), std::nullopt);

    // Contained text, tested in order.
    EXPECT_EQ(copyRecipient(QStringLiteral("ماده 11")), QStringLiteral("حسابداري"));
    EXPECT_EQ(copyRecipient(QStringLiteral("دهياري استان")), QStringLiteral("حسابداري"));
    EXPECT_EQ(copyRecipient(QStringLiteral("استاني")), QStringLiteral("ذيحسابي"));
    EXPECT_EQ(copyRecipient(QStringLiteral("ملي")), QStringLiteral("ذيحسابي"));
    EXPECT_EQ(copyRecipient(QStringLiteral("اعتبارات عمراني")), QStringLiteral("ذيحسابي"));
    EXPECT_EQ(copyRecipient(QStringLiteral("خيرين")), QString());

    const auto support = overtimeOffice(QStringLiteral("ماده11"));
    ASSERT_TRUE(support);
    EXPECT_EQ(support->deputy, QStringLiteral("معاون پشتيباني زلمرکان ورکندان"));
    EXPECT_EQ(support->mahal, QStringLiteral("اعتبارات غيرعمراني"));
    const auto accounting = overtimeOffice(QStringLiteral("ملي"));
    ASSERT_TRUE(accounting);
    EXPECT_EQ(accounting->deputy, QStringLiteral("معاون ذيحسابي زلمرکان ورکندان"));
    EXPECT_EQ(accounting->mahal, QStringLiteral("اعتبارات عمراني"));
    EXPECT_FALSE(overtimeOffice(QStringLiteral("ملي ")));

    EXPECT_EQ(joinedList(QStringList{"اراک", "ساوه"}), QStringLiteral("اراک-ساوه"));
    EXPECT_EQ(joinedList(QStringList{"اراک", "ساوه"}, " * "), QStringLiteral("اراک * ساوه"));
    EXPECT_EQ(joinedList(std::nullopt), QString());

    const Party person = contractorParty({{"typ", QStringLiteral("حقيقي")}, {"fname", "علي"}, {"lname", "رضايي"},
                                          {"comp_name", "x"}});
    EXPECT_TRUE(person.natural);
    EXPECT_EQ(person.word, QStringLiteral("پيمانکار"));
    EXPECT_EQ(person.name, QStringLiteral("علي رضايي"));
    const Party company = contractorParty({{"typ", QStringLiteral("حقوقي")}, {"comp_name", "پارس"}});
    EXPECT_EQ(company.word, QStringLiteral("مشاور"));
    EXPECT_EQ(company.name, QStringLiteral("پارس"));
    EXPECT_EQ(contractorParty(Row(), QStringLiteral("مهندسين مشاور")).word, QStringLiteral("مهندسين مشاور"));
    EXPECT_EQ(contractorParty(Row()).name, QString());
}

TEST(LetterRules, EveryTemplateRendersOnItsPaper)
{
    QTemporaryDir dir;
    // Pixels of a page at 20 dots per inch.
    const QSize a4(165, 234), a5(117, 165), landscape(234, 165);
    const std::vector<std::pair<const char *, QSize>> papers = {
        {"frm_soratvaziat", a4}, {"frm_soratvaziat2", a4}, {"frm_soratvaziat_jazbi", a4}, {"rokesh", landscape},
        {"frm_hosn", a4}, {"taviye_frm", a5}, {"naghshe_tasviyehesab", a4}, {"frm_tahvil1", a4},
        {"frm_tahvil2", a4}, {"tamdid_frm", a5}, {"afzayesh_frm", a5}, {"afzayesh_ezafekari", a4},
        {"afzayesh_cmt", a4}, {"khateme_frm", a5},
    };
    for (const auto &[name, paper] : papers) {
        const QString prefix = dir.filePath(QString::fromLatin1(name));
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QStringLiteral(BV_RENDER_TEMPLATE),
                {QString::fromLatin1(name), "--png", prefix, "--dpi", "20", "--rows", name == std::string("rokesh") ? "1" : "3"});
        ASSERT_TRUE(p.waitForFinished(60000)) << name;
        ASSERT_EQ(p.exitCode(), 0) << name;
        const QImage first(prefix + "-1.png");
        EXPECT_EQ(first.size(), paper) << name;
        EXPECT_FALSE(QFile::exists(prefix + "-2.png")) << name << " fits one page";
    }
}

class LettersTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 4;
        size.contractors = 6;
        size.projects = 16;
        size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        session() = Session{"admin", "admin", 1, {}};
        reset();
    }

    // A fresh scripted user, on the day the letters are dated.
    void reset()
    {
        user().clear();
        user().todayValue = gregorianOf("1402/05/01");
    }

    naghshe_src &window()
    {
        naghshe_src &w = windows::get<naghshe_src>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        w.prepare();
        return w;
    }
    // Makes `id` the browser's current project.
    void choose(naghshe_src &w, qint64 id)
    {
        w.DBGrid1->completeRows();
        const ResultSet shown = w.DBGrid1->shownRows();
        for (int r = 0; r < shown.size(); ++r)
            if (shown.value(r, "id").toLongLong() == id) {
                w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(r, 1));
                return;
            }
        ADD_FAILURE() << "project " << id << " not listed";
    }
    Row project(qint64 id)
    {
        NaghsheFilters none;
        const ResultSet rows = naghsheList(db(), naghsheConditions(db().dialect(), none, session()));
        for (int r = 0; r < rows.size(); ++r)
            if (rows.value(r, "id").toLongLong() == id) {
                Row row;
                for (int c = 0; c < rows.columns.size(); ++c)
                    row.insert(rows.columns[c], rows.rows[size_t(r)][c]);
                return row;
            }
        return {};
    }
    // The project and the listed projects of its county and village lists.
    LetterSource sourceOf(qint64 id)
    {
        LetterSource s;
        s.project = project(id);
        s.search.filters.city = QStringList{s.project.value("city").toString()};
        s.search.filters.rosta = QStringList{s.project.value("rosta").toString()};
        const Conditions c = naghsheConditions(db().dialect(), s.search.filters, session());
        s.listed = naghsheList(db(), c);
        s.search.totals = naghsheTotals(db(), c);
        return s;
    }
    qint64 contractorOf(const QString &kind)
    {
        return db().scalar("SELECT id FROM peymankar WHERE typ = ? ORDER BY id", {kind}).toLongLong();
    }
    qint64 addProject(const QString &village, const QVariantMap &values = {})
    {
        const qint64 id = db().insert(
            "INSERT INTO naghshe (ostan, city, bakhsh, dehestan, rosta, cod, prot_no, prot_dat1, prot_dat2, prot_mablagh, "
            "pardakhti, tamin_loc, tamin_sal, peymankar, hosn_paper_dat) VALUES ('مرکزي', 'شهر آزمون', 'مرکزي', 'دشت', ?, "
            "'778899001122', '8123', '1401/02/03', '1402/02/03', 100000000, 110000000, ?, '1401', 'نام ثبت شده', ?)",
            {village, QStringLiteral("استاني"), emptyDateMask});
        for (auto it = values.begin(); it != values.end(); ++it)
            db().exec(QStringLiteral("UPDATE naghshe SET %1 = ? WHERE id = ?").arg(it.key()), {it.value(), id});
        return id;
    }
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
    QString value(qint64 id, const char *column)
    {
        return db().scalar(QStringLiteral("SELECT %1 FROM naghshe WHERE id = ?").arg(QString::fromLatin1(column)), {id})
            .toString();
    }
};

TEST_P(LettersTest, EveryDocumentFillsFromSampleData)
{
    // A company's project on village-council credits, the project of a person on provincial ones.
    const qint64 company = db().scalar("SELECT MIN(id) FROM naghshe").toLongLong();
    const qint64 person = db().scalar("SELECT MAX(id) FROM naghshe").toLongLong();
    db().exec("UPDATE naghshe SET peymankar_id = ?, tamin_loc = ? WHERE id = ?",
              {contractorOf(QStringLiteral("حقوقي")), QStringLiteral("دهياري"), company});
    db().exec("UPDATE naghshe SET peymankar_id = ?, tamin_loc = ?, cmt = 'x' WHERE id = ?",
              {contractorOf(QStringLiteral("حقيقي")), QStringLiteral("استاني"), person});
    db().exec("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.png', ?)",
              {company, QStringLiteral("تصوير نقشه"), png()});
    const LetterSource companySource = sourceOf(company), personSource = sourceOf(person);
    ASSERT_FALSE(companySource.listed.empty());

    struct Case {
        const char *item;
        std::function<report::Document(const Db &, const LetterSource &)> fill;
        const LetterSource &source;
        QStringList keep;  // labels the letter rightly leaves at their design text
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        QPageSize::PageSizeId paper = QPageSize::A4;
    };
    const std::vector<Case> cases = {
        {"N23", temporaryStatement, companySource, {}},
        {"N13", finalStatement, companySource, {}},
        {"N42", absorptionStatement, companySource, {}},
        {"N43", freeStatement, companySource, {}},
        {"N25", coverSheet, companySource, {}, QPageLayout::Landscape},
        {"N14", goodPerformanceLetter, companySource, {}},
        {"N24", settlementLetter, companySource, {}, QPageLayout::Portrait, QPageSize::A5},
        {"N44", councilSettlement, companySource, {}},
        {"N10", [](const Db &d, const LetterSource &s) { return handoverLetter(d, s, true); }, companySource, {}},
        {"N12", [](const Db &d, const LetterSource &s) { return handoverLetter(d, s, false); }, companySource, {}},
        // A company: the insurance captions keep their design words.
        {"N21", extensionLetter, companySource, {"QRLabel14", "QRLabel16"}, QPageLayout::Portrait, QPageSize::A5},
        // A person: the party word is the design's own.
        {"N21", extensionLetter, personSource, {"peyman", "peyman2", "tamin_loc"}, QPageLayout::Portrait, QPageSize::A5},
        {"N58", contractAffairsLetter, companySource, {}, QPageLayout::Portrait, QPageSize::A5},
        {"N60", overtimeNotice, companySource, {}},
        {"N60", overtimeNotice, personSource, {}},
        {"N59", operationsDescription, personSource, {}},
        {"N57", terminationLetter, companySource, {}, QPageLayout::Portrait, QPageSize::A5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        reset();
        const report::Document doc = c.fill(db(), c.source);
        EXPECT_TRUE(fullyFilled(doc, c.keep));
        const std::vector<report::Page> pages = doc.layout();
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(pages.front().pageLayout.orientation(), c.orientation);
        EXPECT_EQ(pages.front().pageLayout.pageSize().id(), c.paper);
        EXPECT_EQ(pages.size(), 1u);
        // The good-performance letter names the last listed project instead.
        const QString contract = std::string(c.item) == "N14"
                                     ? c.source.listed.value(c.source.listed.size() - 1, "prot_no").toString()
                                     : c.source.project.value("prot_no").toString();
        EXPECT_TRUE(doc.text().contains(contract)) << doc.name().toStdString();
    }
}

TEST_P(LettersTest, FinalStatementAsksInOrderSignsAndShowsItsComputedLines)
{
    const qint64 id = addProject(QStringLiteral("کلاته"),
                                 {{"masahat_por", "12.5"}, {"por_price", 2400000}, {"zarib_kochaki", "1.1"},
                                  {"masahat_khali", "10.25"}, {"khali_price", 1200000}, {"zarib_mantaghe", "1.1"},
                                  {"zarib_sobat", "1.05"}, {"jarime", 5}, {"status_typ", QStringLiteral("قطعي")},
                                  {"peymankar_id", contractorOf(QStringLiteral("حقيقي"))}});
    db().exec("DELETE FROM zamaem");
    db().exec("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '1', '.png', ?)",
              {QStringLiteral("تصوير امضا نقشه بردار"), png()});
    naghshe_src &w = window();
    choose(w, id);
    reset();
    user().inputs = {QStringLiteral("52000000"), std::nullopt, std::nullopt};
    w.N13->trigger();
    EXPECT_EQ(user().prompts, (QStringList{"مبلغ حق الزحمه نقشه برداري", "شماره تاييديه نقشه برداري",
                                           "تاريخ تاييديه نقشه برداري", "رمز امضاء", "نوع وضعيت", "شماره وضعيت"}));
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("    درصد افزايش صورت وضعيت   10")});
    ASSERT_EQ(user().documents.size(), 1u);
    const QString text = user().documents[0].text;
    for (const char *shown : {"33000000", "12300000", "52321500", "110000000", "5500000", "52000000", "300382",
                              "001122"})
        EXPECT_TRUE(text.contains(QLatin1String(shown))) << shown;
    EXPECT_FALSE(text.contains(QStringLiteral("778899001122")));

    // The laid-out sheet: the lines in their places, the signature over its name only.
    const report::Document doc = finalStatement(db(), sourceOf(id));
    const report::Page page = doc.layout().front();
    auto textOf = [&](const QString &name) {
        for (const report::Primitive &p : page.items)
            if (p.kind == report::Primitive::Kind::Text && p.name == name && !p.lines.empty())
                return p.lines.front().text;
        return QString();
    };
    EXPECT_EQ(textOf("por_khali"), "52321500");
    EXPECT_EQ(textOf("jarime"), "5500000");
    EXPECT_EQ(textOf("cod"), "001122");
    EXPECT_FALSE(doc.image("emza_naghshe").isNull());
    EXPECT_TRUE(doc.image("emza_modirkol").isNull());
    // The percentage is on the sheet, but in white.
    int white = 0;
    for (const report::Primitive &p : page.items)
        if (p.name == "prot_mablagh2") {
            EXPECT_EQ(p.color, QColor(Qt::white));
            ++white;
        }
    EXPECT_EQ(white, 1);
}

TEST_P(LettersTest, TemporaryAbsorptionAndFreeStatements)
{
    const qint64 id = addProject(QStringLiteral("کلاته"),
                                 {{"prot_mablagh", 100000001}, {"masahat_por", "12.5"}, {"masahat_por1", "12.5"},
                                  {"zarib_kochaki1", "1.1"}, {"masahat_khali1", "3"}, {"jarime", 5},
                                  {"gps_mablagh", 8000000}, {"tajhiz_mablagh", 15000000}, {"masahat_khali", "10.25"},
                                  {"por_price", 2400000}, {"khali_price", 1200000}, {"zarib_kochaki", "1.1"},
                                  {"zarib_mantaghe", "1.1"}, {"zarib_sobat", "1.05"}});
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, QStringLiteral("30")};
    report::Document temporary = temporaryStatement(db(), sourceOf(id));
    EXPECT_EQ(user().prompts, (QStringList{"تاريخ وضعيت", "نوع وضعيت", "شماره وضعيت", "درصد صورت وضعيت"}));
    EXPECT_EQ(temporary.label("dat"), "1402/05/01");
    EXPECT_EQ(temporary.label("pardakht_kol"), "30000000");
    EXPECT_EQ(temporary.label("pardakht_kol2"), "30000000");
    EXPECT_EQ(temporary.label("jarime"), "1500000");
    EXPECT_EQ(temporary.label("masahat_por"), "12.5");
    EXPECT_EQ(temporary.label("zarib_kochaki"), "1.1");
    EXPECT_EQ(temporary.label("gps_mablagh"), "8000000");
    for (const char *empty : {"por_pardakhti", "khali_pardakhti", "por_khali", "por_pardakhti_caption",
                              "khali_pardakhti_caption", "por_khali_caption"})
        EXPECT_EQ(temporary.label(empty), QString()) << empty;
    EXPECT_TRUE(user().messages.empty());
    reset();
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, QStringLiteral("%")};
    EXPECT_EQ(temporaryStatement(db(), sourceOf(id)).label("pardakht_kol"), "0");

    // Absorption: the lines plus the equipment, no GPS amount.
    reset();
    const report::Document absorption = absorptionStatement(db(), sourceOf(id));
    EXPECT_EQ(absorption.label("status_typ"), QStringLiteral("قطعي"));
    EXPECT_EQ(absorption.label("pardakht_kol"), "67321500");
    EXPECT_EQ(absorption.label("peymankar1"), QStringLiteral("نام ثبت شده"));
    EXPECT_EQ(absorption.label("prot_mablagh2"), contractChange("67321500", "100000001"));
    EXPECT_EQ(user().messageTexts(), QStringList{changeMessage(absorption.label("prot_mablagh2"))});

    // Free: the figures confirmed; the total offered as the amount paid.
    reset();
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, QStringLiteral("۲۰")};
    const report::Document confirmed = freeStatement(db(), sourceOf(id));
    EXPECT_EQ(user().prompts, (QStringList{"تاريخ وضعيت", "نوع وضعيت", "شماره وضعيت", "ضريب صعوبت", "قيمت بافت پر",
                                           "مساحت پر", "قيمت بافت خالي", "مساحت خالي", "مبلغ تجهيز", "مبلغ پرداختي"}));
    EXPECT_EQ(confirmed.label("status_dat"), "1402/05/01");
    EXPECT_EQ(confirmed.label("masahat_por"), "20");
    EXPECT_EQ(confirmed.label("por_pardakhti"), "52800000");  // 20 × 2400000 × 1.1
    EXPECT_EQ(confirmed.label("pardakht_kol"), "90190500");   // (52800000 + 12300000) × 1.155 + 15000000
    EXPECT_EQ(confirmed.label("jarime"), "4509525");

    reset();
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                     std::nullopt, std::nullopt, std::nullopt, QStringLiteral("100000001")};
    const report::Document typed = freeStatement(db(), sourceOf(id));
    EXPECT_EQ(typed.label("pardakht_kol"), "100000001");
    EXPECT_EQ(typed.label("prot_mablagh2"), "0");
}

TEST_P(LettersTest, GoodPerformanceWarnsAndStampsOnlyBlankDatesWhenPrinted)
{
    db().exec("DELETE FROM naghshe");
    const qint64 blank = addProject(QStringLiteral("الف"));
    const qint64 dated = addProject(QStringLiteral("ب"), {{"hosn_paper_dat", "1402/01/10"}});
    const qint64 empty = addProject(QStringLiteral("پ"), {{"hosn_paper_dat", ""}, {"prot_no", "9911"}});
    naghshe_src &w = window();
    choose(w, blank);
    const QString warning = QStringLiteral("تذکر! اين رکورد داراي تاريخ حسن انجام کار مي باشد * ");
    const QStringList warnings = {warning + QStringLiteral("ب * شهر آزمون"), warning + QStringLiteral("پ * شهر آزمون")};
    reset();
    w.N14->trigger();
    EXPECT_EQ(user().messageTexts(), warnings);
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_TRUE(user().documents[0].text.contains("9911"));  // from the last listed project
    EXPECT_EQ(value(blank, "hosn_paper_dat"), emptyDateMask);  // a closed preview changes nothing

    reset();
    user().previews.push_back([](ShownDocument &) { return true; });
    w.N14->trigger();
    EXPECT_EQ(user().messageTexts(), warnings);
    EXPECT_EQ(value(blank, "hosn_paper_dat"), "1402/05/01");
    EXPECT_EQ(value(dated, "hosn_paper_dat"), "1402/01/10");
    EXPECT_EQ(value(empty, "hosn_paper_dat"), QString());
    EXPECT_EQ(w.DBGrid1->currentId().toLongLong(), blank);

    // Past the first screen: every listed project.
    db().transaction([&] {
        for (int i = 0; i < 250; ++i)
            addProject(QStringLiteral("روستا %1").arg(i, 3, 10, QLatin1Char('0')));
    });
    naghshe_src &again = window();
    ASSERT_FALSE(again.DBGrid1->rowsComplete());
    reset();
    user().previews.push_back([](ShownDocument &) { return true; });
    again.N14->trigger();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe WHERE hosn_paper_dat = '1402/05/01'").toInt(), 251);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe WHERE hosn_paper_dat = ?", {emptyDateMask}).toInt(), 0);
}

TEST_P(LettersTest, ExtensionLetterRecordsItsDateOnlyWhenPrintedOnPaper)
{
    const qint64 company = contractorOf(QStringLiteral("حقوقي"));
    db().exec("UPDATE peymankar SET tamin_shobe = '3', tamin_shahr = ? WHERE id = ?", {QStringLiteral("اراک"), company});
    const qint64 id = addProject(QStringLiteral("کلاته"), {{"tamin_loc", QStringLiteral("دهياري")},
                                                          {"peymankar_id", company},
                                                          {"status_dat", "1402/12/29"},
                                                          {"tamdid_dat", "1401/01/01"}});
    naghshe_src &w = window();
    w.rostaList->check->setChecked(true);
    w.rostaList->append(QStringLiteral("کلاته"));
    w.search();
    choose(w, id);

    reset();
    w.N21->trigger();
    EXPECT_EQ(value(id, "tamdid_dat"), "1401/01/01");
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("حسابداري")));
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("مشاور")));
    const QString flowing = QString(user().clipboard).replace('\n', ' ');
    EXPECT_TRUE(flowing.contains(QStringLiteral("شماره 8123"))) << flowing.toStdString();
    EXPECT_TRUE(flowing.contains(QStringLiteral("تا تاريخ 1402/12/29 تمديد"))) << flowing.toStdString();
    EXPECT_TRUE(flowing.contains(QStringLiteral("شعبه 3 شهرستان اراک"))) << flowing.toStdString();

    // Saved as a PDF from the preview: not a print either.
    QTemporaryDir dir;
    const QString pdf = dir.filePath("tamdid.pdf");
    reset();
    user().previews.push_back([](ShownDocument &shown) { return shown.runPreview(); });
    user().dialogs.push_back([&](QDialog &d) {
        user().files.push_back(pdf);
        dynamic_cast<report::PreviewDialog &>(d).pdf_btn->click();
        return int(QDialog::Rejected);
    });
    w.N21->trigger();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(value(id, "tamdid_dat"), "1401/01/01");

    reset();
    user().inputs = {std::nullopt, QStringLiteral("1403/06/30")};
    user().previews.push_back([](ShownDocument &) { return true; });
    w.N21->trigger();
    EXPECT_EQ(value(id, "tamdid_dat"), "1402/05/01");
    EXPECT_TRUE(user().clipboard.contains(QStringLiteral("1403/06/30")));
    EXPECT_EQ(value(id, "status_dat"), "1402/12/29");  // the new end date is printed, not stored

    // Another source on a fresh letter: the design's office, never the last one.
    db().exec("UPDATE naghshe SET tamin_loc = ? WHERE id = ?", {QStringLiteral("خيرين"), id});
    w.search();
    choose(w, id);
    reset();
    w.N21->trigger();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("اداره ذيحسابي")));
    EXPECT_FALSE(user().documents[0].text.contains(QStringLiteral("حسابداري")));
}

TEST_P(LettersTest, ContractAffairsLetterRecordsTheIncreaseWhenPrinted)
{
    db().exec("DELETE FROM naghshe");
    const qint64 id = addProject(QStringLiteral("کلاته"), {{"prot_mablagh", 100}, {"pardakhti", 115}});
    naghshe_src &w = window();
    choose(w, id);

    // The last search's totals offer 15.
    reset();
    user().previews.push_back([](ShownDocument &) { return true; });
    w.N58->trigger();
    EXPECT_EQ(user().prompts, (QStringList{"اندازه فونت روستا و شهر", "درصد افزايش"}));
    EXPECT_EQ(value(id, "darsad_inc"), "15*1402/05/01");
    EXPECT_TRUE(QString(user().clipboard).replace('\n', ' ').contains(QStringLiteral("به ميزان 15 درصد")));

    reset();
    user().inputs = {std::nullopt, QStringLiteral("12.3")};
    user().previews.push_back([](ShownDocument &) { return true; });
    w.N58->trigger();
    EXPECT_EQ(value(id, "darsad_inc"), "12.3*1402/05/01");

    // Too long for its column: told, and nothing written.
    const QString overlong = QString(45, QLatin1Char('9'));
    reset();
    user().inputs = {std::nullopt, overlong};
    user().previews.push_back([](ShownDocument &) { return true; });
    w.N58->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{increaseTooLongMessage(overlong + "*1402/05/01")});
    EXPECT_EQ(value(id, "darsad_inc"), "12.3*1402/05/01");

    // The whole text of "no increase" fits.
    db().exec("UPDATE naghshe SET pardakhti = 100 WHERE id = ?", {id});
    w.search();
    reset();
    user().previews.push_back([](ShownDocument &) { return true; });
    w.N58->trigger();
    EXPECT_EQ(value(id, "darsad_inc"), noIncrease + "*1402/05/01");

    // Totals of nothing: no question, an empty percentage.
    LetterSource zero = sourceOf(id);
    zero.search.totals = {};
    reset();
    const report::Document described = operationsDescription(db(), zero);
    EXPECT_FALSE(user().prompts.contains(QStringLiteral("درصد افزايش")));
    EXPECT_EQ(described.label("darsad"), QString());
    EXPECT_EQ(described.label("cmt"), QStringLiteral("افزايش ضريب سطح"));
}

TEST_P(LettersTest, OvertimeNoticeByCreditSource)
{
    const qint64 id = addProject(QStringLiteral("کلاته"), {{"tamin_loc", QStringLiteral("ماده11")}});
    report::Document support = overtimeNotice(db(), sourceOf(id));
    for (const char *deputy : {"moaven1", "moaven2", "moaven3"})
        EXPECT_EQ(support.label(deputy), QStringLiteral("معاون پشتيباني زلمرکان ورکندان"));
    EXPECT_EQ(support.label("mahal"), QStringLiteral("اعتبارات غيرعمراني"));
    EXPECT_EQ(support.label("prot_mablagh"), "100000000");
    EXPECT_EQ(support.label("prot_mablagh2"), "110000000");

    db().exec("UPDATE naghshe SET tamin_loc = ? WHERE id = ?", {QStringLiteral("خيرين"), id});
    report::Document other = overtimeNotice(db(), sourceOf(id));
    for (const char *label : {"moaven1", "moaven2", "moaven3", "mahal"})
        EXPECT_EQ(other.label(label), other.placeholder(label)) << label;
}

TEST_P(LettersTest, CoverSheetCrossesTheBoxesOfFiledAttachments)
{
    const qint64 filed = addProject(QStringLiteral("کلاته"));
    const qint64 bare = addProject(QStringLiteral("کلاته"), {{"prot_no", "77"}});
    db().exec("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.pdf', ?)",
              {filed, QStringLiteral("تصوير قرارداد"), QByteArray("%PDF-1")});
    db().exec("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.png', ?)",
              {filed, QStringLiteral("تصوير نقشه"), png()});

    auto boxOf = [](const report::Document &doc, const QString &name) {
        std::pair<QColor, int> out{QColor(), 0};  // fill and the number of lines across it
        for (const report::Primitive &p : doc.layout().front().items) {
            if (p.name != name)
                continue;
            if (p.kind == report::Primitive::Kind::Box)
                out.first = p.fill;
            else if (p.kind == report::Primitive::Kind::Line)
                ++out.second;
        }
        return out;
    };
    const report::Document withFiles = coverSheet(db(), sourceOf(filed));
    EXPECT_EQ(withFiles.rows().size(), 1);
    EXPECT_TRUE(withFiles.isCrossed("prot"));
    EXPECT_EQ(boxOf(withFiles, "prot"), (std::pair<QColor, int>{QColor(Qt::black), 2}));
    EXPECT_TRUE(withFiles.isCrossed("map_tasvir"));
    EXPECT_FALSE(withFiles.isCrossed("tahvil_avaliye"));
    EXPECT_EQ(boxOf(withFiles, "tahvil_avaliye"), (std::pair<QColor, int>{QColor(Qt::white), 0}));
    EXPECT_FALSE(withFiles.image("map").isNull());
    EXPECT_EQ(withFiles.label("cod"), "001122");

    const report::Document without = coverSheet(db(), sourceOf(bare));
    EXPECT_FALSE(without.isCrossed("prot"));
    EXPECT_EQ(boxOf(without, "prot"), (std::pair<QColor, int>{QColor(Qt::white), 0}));
    EXPECT_TRUE(without.image("map").isNull());

    // Filters that no longer select the project: its page prints without its row.
    LetterSource moved = sourceOf(filed);
    moved.search.filters.prot_no = QStringList{"77"};
    EXPECT_EQ(coverSheet(db(), moved).rows().size(), 0);
    // The credit source is not one of its filters.
    moved = sourceOf(filed);
    moved.search.filters.tamin_loc = QStringList{QStringLiteral("هيچ")};
    EXPECT_EQ(coverSheet(db(), moved).rows().size(), 1);
}

TEST_P(LettersTest, LettersNeedACurrentProjectAndTheViewRight)
{
    db().exec("DELETE FROM naghshe");
    naghshe_src &w = window();
    reset();
    for (QAction *item : {w.N23, w.N13, w.N42, w.N43, w.N14, w.N24, w.N25, w.N44, w.N10, w.N12, w.N21, w.N58, w.N60,
                          w.N59, w.N57})
        item->trigger();
    EXPECT_TRUE(user().documents.empty());
    EXPECT_TRUE(user().prompts.isEmpty());

    w.applyRights({true, true, true, false});
    EXPECT_FALSE(w.N13->isEnabled());
    EXPECT_FALSE(w.N57->isEnabled());
    w.applyRights({true, true, true, true});
    EXPECT_TRUE(w.N13->isEnabled());

    // Handover letters list every listed project.
    addProject(QStringLiteral("کوشک پايين"));
    const qint64 second = addProject(QStringLiteral("چشمه سار"));
    naghshe_src &listed = window();
    choose(listed, second);
    reset();
    listed.N10->trigger();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(user().documents[0].name, "frm_tahvil1");
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("کوشک پايين")));
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("چشمه سار")));
}

INSTANTIATE_TEST_SUITE_P(Engines, LettersTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
