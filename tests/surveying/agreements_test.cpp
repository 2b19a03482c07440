#include "admin_fixture.h"
#include "browsergrid.h"
#include "dates.h"
#include "filters.h"
#include "fillsteps.h"
#include "naghshe_agreements.h"
#include "naghshe_src.h"
#include "sample.h"
#include "templatecheck.h"
#include "windows.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QRegularExpression>

using namespace bv;
using namespace bv::survey;
using bv::test::AdminTest;
using bv::test::fullyFilled;
using bv::test::user;

namespace {

const QString memo = QStringLiteral("تفاهمنامه");
const QString contractWord = QStringLiteral("قرارداد");

// The labels of a page that name the agreement.
QStringList agreementLabels(const report::Document &doc)
{
    static const QRegularExpression word(QStringLiteral("^movafeg\\d*$"));
    return doc.labelNames().filter(word);
}

// The size a paragraph label was given; 0 when it keeps its paragraph's.
double runSize(const report::Document &doc, const QString &label)
{
    for (const report::Band &b : doc.layoutTemplate().bands)
        for (const report::Element &e : b.elements)
            for (const report::Run &r : e.runs)
                if (r.label == label)
                    return r.size;
    ADD_FAILURE() << "no run " << label.toStdString();
    return -1;
}

}  // namespace

TEST(AgreementRules, SharedValues)
{
    ResultSet listed;
    listed.columns = {"masahat_por1", "masahat_khali1", "prot_mablagh"};
    for (int i = 0; i < 250; ++i)
        listed.rows.push_back({5.002, QVariant(), i % 2 ? QVariant("5000000.0000") : QVariant(5000000)});
    const BatchTotals b = batchTotals(listed);
    EXPECT_EQ(b.p, "1250.5");  // not the float sum's 1250.49999999999
    EXPECT_EQ(b.k, "0");
    EXPECT_EQ(b.m, "1250000000");  // never grouped
    EXPECT_EQ(batchTotals({}).m, "0");

    EXPECT_EQ(agreementCopies(memo, true), "2");
    EXPECT_EQ(agreementCopies(memo, false), "2");
    EXPECT_EQ(agreementCopies(contractWord, true), "3");
    EXPECT_EQ(agreementCopies(QString(), false), "4");

    EXPECT_EQ(notificationWord(memo), memo);
    EXPECT_EQ(notificationWord(contractWord), contractWord);
    EXPECT_EQ(notificationWord(QString()), contractWord);
    EXPECT_EQ(notificationWord(QStringLiteral("الحاقيه")), QStringLiteral("الحاقيه"));  // as stored

    const Row company = {{"tamin_shahr", QStringLiteral("ساوه")}, {"tamin_shobe", "4"}};
    EXPECT_EQ(socialSecurityCopy(company),
              QStringLiteral(" سازمان محترم تامين اجتماعي شهرستان ساوه شعبه شماره 4به انضمام يک نسخه قرارداد به منظوراستحضار."));
}

TEST(AgreementRules, EveryTemplateRendersOnItsPaper)
{
    QTemporaryDir dir;
    const QSize a4(165, 234), a5(117, 165);  // pixels at 20 dots per inch
    const std::vector<std::pair<const char *, QSize>> papers = {
        {"movafeghatname1", a4},  {"movafeghatname6", a4},  {"movafeghatname7", a4},   {"movafeghatname8", a4},
        {"movafeghatname9", a4},  {"movafeghatname12", a4}, {"movafeghatname_p4", a4}, {"movafeghatname19", a4},
        {"movafeghatname19_hoghoghi", a4}, {"movafeghatname23", a4}, {"movafeghatname24", a4},
        {"movafeghatname25", a4}, {"movafeghatname26", a4}, {"estelam_sebakhshi_naghshe", a4}, {"frm_moshaver", a4},
        {"eblagh_naghshe", a5},   {"naghshe_label", a5},
    };
    for (const auto &[name, paper] : papers) {
        const QString prefix = dir.filePath(QString::fromLatin1(name));
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QStringLiteral(BV_RENDER_TEMPLATE),
                {QString::fromLatin1(name), "--png", prefix, "--dpi", "20", "--rows", "3"});
        ASSERT_TRUE(p.waitForFinished(60000)) << name;
        ASSERT_EQ(p.exitCode(), 0) << name;
        EXPECT_EQ(QImage(prefix + "-1.png").size(), paper) << name;
        EXPECT_FALSE(QFile::exists(prefix + "-2.png")) << name << " fits one page";
    }
}

class AgreementsTest : public AdminTest {
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
        size.projects = 12;
        size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        session() = Session{"admin", "admin", 1, {}};
        reset();
        person = contractorOf(QStringLiteral("حقيقي"));
        company = contractorOf(QStringLiteral("حقوقي"));
    }

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
    qint64 contractorOf(const QString &kind)
    {
        return db().scalar("SELECT id FROM peymankar WHERE typ = ? ORDER BY id", {kind}).toLongLong();
    }
    qint64 addProject(const QString &village, const QString &county, const QVariantMap &values = {})
    {
        const qint64 id = db().insert(
            "INSERT INTO naghshe (ostan, city, bakhsh, dehestan, rosta, cod, prot_no, prot_dat1, prot_mablagh, "
            "peymankar, scale, prot_tim, jalase_dat, tamin_loc, masahat_por1, masahat_khali1, tahvil_dat2) "
            "VALUES ('مرکزي', ?, 'مرکزي', 'دشت', ?, '778899001122', '8123', '1401/02/03', 100000000, 'نام ثبت شده', "
            "'500', '180', '1400/11/20', ?, 12.5, 3.25, '1402/01/15')",
            {county, village, QStringLiteral("استاني")});
        for (auto it = values.begin(); it != values.end(); ++it)
            db().exec(QStringLiteral("UPDATE naghshe SET %1 = ? WHERE id = ?").arg(it.key()), {it.value(), id});
        return id;
    }
    // The project, listed alone with its county and village as the filters.
    LetterSource sourceOf(qint64 id)
    {
        LetterSource s;
        const ResultSet rows = naghsheList(db(), naghsheConditions(db().dialect(), {}, session()));
        for (int r = 0; r < rows.size(); ++r)
            if (rows.value(r, "id").toLongLong() == id)
                for (int c = 0; c < rows.columns.size(); ++c)
                    s.project.insert(rows.columns[c], rows.rows[size_t(r)][c]);
        s.search.filters.city = QStringList{s.project.value("city").toString()};
        s.search.filters.rosta = QStringList{s.project.value("rosta").toString()};
        const Conditions c = naghsheConditions(db().dialect(), s.search.filters, session());
        s.listed = naghsheList(db(), c);
        s.search.totals = naghsheTotals(db(), c);
        return s;
    }
    QString role(const QString &title) { return report::roleName(db(), title); }

    qint64 person = 0, company = 0;
};

TEST_P(AgreementsTest, EveryPageFillsFromSampleData)
{
    // Sample projects of each kind of agreement and contractor.
    auto sampleProject = [&](const char *pick, const QVariant &type, qint64 contractor) {
        const qint64 id = db().scalar(QStringLiteral("SELECT %1(id) FROM naghshe").arg(pick)).toLongLong();
        db().exec("UPDATE naghshe SET prot_typ = ?, peymankar_id = ? WHERE id = ?", {type, contractor, id});
        return sourceOf(id);
    };
    const LetterSource memoPerson = sampleProject("MIN", memo, person);
    const LetterSource contractCompany = sampleProject("MAX", contractWord, company);
    ASSERT_FALSE(contractCompany.listed.empty());

    using Fill = std::function<std::optional<report::Document>(const Db &, const LetterSource &)>;
    struct Case {
        const char *item;
        Fill fill;
        QStringList keep;  // labels that rightly show their design text
        QPageSize::PageSizeId paper = QPageSize::A4;
    };
    // The clause stays as designed for a person, and on a company's page without names.
    const QStringList clause = {"haghighi1", "haghighi2", "haghighi3", "haghighi4", "haghighi5", "haghighi6"};
    const std::vector<Case> cases = {
        {"N110", agreementCover, {}},
        {"N61", agreementParticulars, {}},
        {"N71", agreementDuration, {}},
        {"N81", [](const Db &d, const LetterSource &s) { return agreementAddresses(d, s, false); }, clause},
        {"N811", [](const Db &d, const LetterSource &s) { return agreementAddresses(d, s, true); }, clause},
        {"N91", agreementSubject, {}},
        {"N121", agreementFees, {}},
        {"N48", agreementSchedule, {}},
        {"N231", agreementBankAccount, {}},
        {"N191", agreementPersonnel, {}},
        {"N241", agreementUndertaking, {}},
        {"N251", agreementNonInterference, {}},
        {"N261", agreementMoneyLaundering, {}},
        {"N310", boundaryInquiry, {"peyman"}},
        {"N9", selectionCommittee, {}},
        {"N31", agreementNotification, {}, QPageSize::A5},
        {"N18", discLabel, {}, QPageSize::A5},
    };
    for (const LetterSource *source : {&memoPerson, &contractCompany}) {
        const bool isMemo = source == &memoPerson;
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.item) + (isMemo ? " memorandum" : " contract"));
            reset();
            const std::optional<report::Document> doc = c.fill(db(), *source);
            ASSERT_TRUE(doc);
            QStringList keep = c.keep;
            // A contract keeps each page's own words.
            if (!isMemo)
                keep += agreementLabels(*doc);
            EXPECT_TRUE(fullyFilled(*doc, keep));
            const std::vector<report::Page> pages = doc->layout();
            ASSERT_FALSE(pages.empty());
            EXPECT_EQ(pages.front().pageLayout.pageSize().id(), c.paper);
            EXPECT_EQ(pages.front().pageLayout.orientation(), QPageLayout::Portrait);
            EXPECT_EQ(pages.size(), 1u) << doc->name().toStdString();
        }
    }
}

TEST_P(AgreementsTest, AgreementWordsFollowTheContractKind)
{
    const qint64 memoId = addProject(QStringLiteral("کلاته"), QStringLiteral("اراک"),
                                     {{"prot_typ", memo}, {"peymankar_id", person}});
    const qint64 contractId = addProject(QStringLiteral("چشمه"), QStringLiteral("اراک"),
                                         {{"prot_typ", contractWord}, {"peymankar_id", person}});
    using Fill = std::function<std::optional<report::Document>(const Db &, const LetterSource &)>;
    const std::vector<Fill> pages = {
        agreementCover, agreementParticulars, agreementDuration,
        [](const Db &d, const LetterSource &s) { return agreementAddresses(d, s, false); },
        [](const Db &d, const LetterSource &s) { return agreementAddresses(d, s, true); },
        agreementSubject, agreementBankAccount, agreementPersonnel, agreementUndertaking, agreementNotification,
    };
    int labels = 0;
    for (const Fill &fill : pages) {
        reset();
        const report::Document doc = *fill(db(), sourceOf(memoId));
        SCOPED_TRACE(doc.name().toStdString());
        EXPECT_FALSE(agreementLabels(doc).isEmpty());
        for (const QString &label : agreementLabels(doc)) {
            EXPECT_EQ(doc.label(label), memo) << label.toStdString();
            ++labels;
        }
        if (doc.name() == "movafeghatname8") {
            EXPECT_EQ(doc.label("haghighi6"), memo);
        }
    }
    EXPECT_GE(labels, 40);

    reset();
    const report::Document particulars = agreementParticulars(db(), sourceOf(contractId));
    for (const char *label : {"movafeg", "movafeg2", "movafeg3", "movafeg4", "movafeg6", "movafeg7", "movafeg10"})
        EXPECT_EQ(particulars.label(label), QStringLiteral("موافقتنامه")) << label;
    for (const char *label : {"movafeg5", "movafeg8", "movafeg9", "movafeg11"})
        EXPECT_EQ(particulars.label(label), contractWord) << label;
    reset();
    const report::Document cover = agreementCover(db(), sourceOf(contractId));
    EXPECT_EQ(cover.label("movafeg"), QStringLiteral("موافقتنامه"));
    EXPECT_EQ(cover.label("movafeg2"), contractWord);
    EXPECT_EQ(cover.label("meghyas"), "500");

    // The duration page's note on memoranda only.
    reset();
    EXPECT_TRUE(agreementDuration(db(), sourceOf(memoId)).isVisible("movafeg4_note"));
    reset();
    const report::Document duration = agreementDuration(db(), sourceOf(contractId));
    EXPECT_FALSE(duration.isVisible("movafeg4_note"));
    EXPECT_EQ(user().prompts, QStringList{"مدت قرارداد به روز"});
    EXPECT_EQ(duration.label("roz"), "180");
    EXPECT_EQ(duration.label("mablagh"), "100000000");
}

TEST_P(AgreementsTest, AddressPageCopiesDeputyAndClause)
{
    const qint64 memoPerson = addProject(QStringLiteral("الف"), QStringLiteral("اراک"),
                                         {{"prot_typ", memo}, {"peymankar_id", person}});
    const qint64 contractPerson = addProject(QStringLiteral("ب"), QStringLiteral("اراک"),
                                             {{"prot_typ", contractWord}, {"peymankar_id", person}});
    const qint64 contractCompany = addProject(QStringLiteral("پ"), QStringLiteral("اراک"),
                                              {{"prot_typ", contractWord}, {"peymankar_id", company}});
    auto page = [&](qint64 id, bool withNames, std::optional<QString> post = std::nullopt) {
        reset();
        user().inputs = {post};
        return agreementAddresses(db(), sourceOf(id), withNames);
    };
    EXPECT_EQ(page(memoPerson, true).label("noskhe"), "2");
    EXPECT_EQ(page(contractPerson, true).label("noskhe"), "3");
    EXPECT_EQ(page(contractCompany, true).label("noskhe"), "4");
    EXPECT_EQ(page(contractCompany, false).label("noskhe"), "4");

    // The deputy by post.
    const report::Document accounting = page(contractPerson, true, QStringLiteral("ذيحساب"));
    EXPECT_EQ(user().prompts, QStringList{"سمت"});
    EXPECT_EQ(accounting.label("QRLabel23"), QStringLiteral("ذيحساب"));
    EXPECT_EQ(accounting.label("moaven_poshtibani"), role(QStringLiteral("معاون ذيحسابي")));
    EXPECT_FALSE(accounting.label("moaven_poshtibani").isEmpty());
    // Typed with the Persian yeh.
    const report::Document support = page(contractPerson, true, QStringLiteral("معاون پشتیبانی"));
    EXPECT_EQ(support.label("moaven_poshtibani"), role(QStringLiteral("معاون پشتيباني")));
    const report::Document byDefault = page(contractPerson, true);
    EXPECT_EQ(byDefault.label("QRLabel23"), defaultPost);
    EXPECT_EQ(byDefault.label("moaven_poshtibani"), QString());
    EXPECT_EQ(byDefault.label("hoghoghi"), role(QStringLiteral("رپيس امور حقوقي")));
    EXPECT_EQ(byDefault.label("manager"), role(QStringLiteral("مدير کل زلمرکان استان")));
    EXPECT_EQ(byDefault.label("QRLabel18"), QStringLiteral("رئيس امور فني و مطالعات عمراني"));
    for (const char *row : {"karshenas_peyman", "QRLabel22", "moaven_poshtibani", "QRLabel23", "hoghoghi", "QRLabel25"})
        EXPECT_TRUE(byDefault.isVisible(row)) << row;
    // A memorandum is signed without those rows.
    const report::Document memorandumPage = page(memoPerson, true);
    for (const char *row : {"karshenas_peyman", "QRLabel22", "moaven_poshtibani", "QRLabel23", "hoghoghi", "QRLabel25"})
        EXPECT_FALSE(memorandumPage.isVisible(row)) << row;
    EXPECT_TRUE(memorandumPage.isVisible("karshenas_naghshe"));

    // The person's clause; a company's page with names empties it.
    const Row personRow = db().rows("SELECT * FROM peymankar WHERE id = ?", {person}).front();
    EXPECT_EQ(byDefault.label("peymankar"), report::contractorName(personRow));
    EXPECT_EQ(byDefault.label("haghighi1"), byDefault.placeholder("haghighi1"));
    EXPECT_EQ(byDefault.label("lname"), personRow.value("fname").toString() + " " + personRow.value("lname").toString());
    const report::Document companyNamed = page(contractCompany, true);
    for (const char *label : {"peymankar", "haghighi1", "haghighi2", "haghighi3", "haghighi4", "haghighi5", "haghighi6"})
        EXPECT_EQ(companyNamed.label(label), QString()) << label;
    // Right after it, the page without names starts from the design's clause.
    const report::Document companyBare = page(contractCompany, false);
    EXPECT_TRUE(user().prompts.isEmpty());
    for (const char *label : {"haghighi1", "haghighi2", "haghighi3", "haghighi4", "haghighi5"})
        EXPECT_EQ(companyBare.label(label), companyBare.placeholder(label)) << label;
    EXPECT_EQ(companyBare.label("haghighi6"), contractWord);
    EXPECT_EQ(companyBare.label("peymankar"),
              db().scalar("SELECT comp_name FROM peymankar WHERE id = ?", {company}).toString());
    // Without names: the staff table emptied, the legal head hidden.
    for (const char *label : {"karshenas_naghshe", "karshenas_fani", "moaven_omran", "karshenas_peyman",
                              "moaven_poshtibani", "QRLabel12", "QRLabel18", "moa_omran_post", "QRLabel22", "QRLabel23"})
        EXPECT_EQ(companyBare.label(label), QString()) << label;
    EXPECT_FALSE(companyBare.isVisible("hoghoghi"));
    EXPECT_FALSE(companyBare.isVisible("QRLabel25"));
    EXPECT_FALSE(companyBare.label("manager").isEmpty());
}

TEST_P(AgreementsTest, NotificationPlacesKindAndCopies)
{
    const qint64 id = addProject(QStringLiteral("کلاته"), QStringLiteral("اراک"),
                                 {{"prot_typ", contractWord}, {"peymankar_id", company}});
    db().exec("UPDATE peymankar SET tamin_shahr = ?, tamin_shobe = '7' WHERE id = ?", {QStringLiteral("ساوه"), company});
    LetterSource s = sourceOf(id);
    s.search.filters.city = QStringList{QStringLiteral("ساوه"), QStringLiteral("اراک")};
    s.search.filters.rosta = QStringList{QStringLiteral("کلاته"), QStringLiteral("چشمه")};
    user().inputs = {QStringLiteral("x")};
    const report::Document doc = agreementNotification(db(), s);
    EXPECT_EQ(user().prompts, QStringList{"اندازه فونت روستا و شهر"});
    EXPECT_EQ(doc.label("city"), QStringLiteral("ساوه-اراک"));
    EXPECT_EQ(doc.label("city2"), QStringLiteral("ساوه-اراک"));
    EXPECT_EQ(doc.label("rosta"), QStringLiteral("کلاته-چشمه"));
    EXPECT_EQ(runSize(doc, "city"), 12);
    EXPECT_EQ(runSize(doc, "rosta"), 12);
    EXPECT_EQ(doc.label("title"), QStringLiteral("مهندسين محترم مشاور"));
    EXPECT_EQ(doc.label("ronevesht_hoghoghi2"), socialSecurityCopy(db().rows("SELECT * FROM peymankar WHERE id = ?", {company}).front()));
    EXPECT_TRUE(doc.label("ronevesht_hoghoghi2").contains(QStringLiteral("شهرستان ساوه شعبه شماره 7")));
    EXPECT_EQ(doc.label("prot_dat"), "1401/02/03");
    EXPECT_EQ(doc.label("modirkol"), role(QStringLiteral("مدير کل زلمرکان استان")));
    EXPECT_EQ(doc.label("movafeg"), contractWord);
    for (const char *copy : {"ronevesht_hoghoghi2", "QRLabel16", "QRLabel20"})
        EXPECT_TRUE(doc.isVisible(copy)) << copy;

    // Empty lists, a person, a memorandum, a size that is a number.
    s.search.filters.city = std::nullopt;
    s.search.filters.rosta = QStringList{};
    db().exec("UPDATE naghshe SET prot_typ = ?, peymankar_id = ? WHERE id = ?", {memo, person, id});
    s.project = sourceOf(id).project;
    reset();
    user().inputs = {QStringLiteral("۱۴")};
    const report::Document memoDoc = agreementNotification(db(), s);
    EXPECT_EQ(memoDoc.label("city"), QString());
    EXPECT_EQ(memoDoc.label("rosta"), QString());
    EXPECT_EQ(runSize(memoDoc, "city"), 14);
    EXPECT_EQ(memoDoc.label("title"), QStringLiteral("پيمانکار نقشه برداري آقاي"));
    EXPECT_EQ(memoDoc.label("ronevesht_hoghoghi2"), QString());
    EXPECT_EQ(memoDoc.label("movafeg2"), memo);
    for (const char *copy : {"ronevesht_hoghoghi1", "ronevesht_hoghoghi2", "QRLabel16", "QRLabel20"})
        EXPECT_FALSE(memoDoc.isVisible(copy)) << copy;

    // A project older than the agreement type.
    db().exec("UPDATE naghshe SET prot_typ = NULL WHERE id = ?", {id});
    s.project = sourceOf(id).project;
    reset();
    const report::Document old = agreementNotification(db(), s);
    EXPECT_EQ(old.label("movafeg"), contractWord);
    EXPECT_TRUE(old.isVisible("QRLabel16"));

    // The inquiry ignores a size that is no number.
    reset();
    user().inputs = {QStringLiteral("x")};
    const report::Document inquiry = boundaryInquiry(db(), sourceOf(id));
    EXPECT_EQ(runSize(inquiry, "city"), 0);
    EXPECT_EQ(inquiry.label("peyman"), QStringLiteral("پيمانکار"));
    EXPECT_EQ(inquiry.label("city2"), QString());
    EXPECT_EQ(inquiry.label("dat"), QString());
    db().exec("UPDATE naghshe SET peymankar_id = ? WHERE id = ?", {company, id});
    reset();
    const report::Document companyInquiry = boundaryInquiry(db(), sourceOf(id));
    EXPECT_EQ(companyInquiry.label("peyman"), QStringLiteral("مهندسين مشاور"));
    EXPECT_EQ(companyInquiry.label("peymankar2"),
              db().scalar("SELECT comp_name FROM peymankar WHERE id = ?", {company}).toString());
    EXPECT_EQ(companyInquiry.label("moaven_omran"), role(QStringLiteral("معاون عمران روستايي")));
}

TEST_P(AgreementsTest, ContractorFieldsByKind)
{
    db().exec("UPDATE peymankar SET sh_no = '4455', nation = '0012345678', father = ?, comp_no = 'x' WHERE id = ?",
              {QStringLiteral("حسين"), person});
    db().exec("UPDATE peymankar SET comp_shenase = '10101010', eghtesadi_cod = '4111', comp_no = '9876', adr = ?, "
              "fname = ?, lname = ?, father = ? WHERE id = ?",
              {QStringLiteral("ساوه، خيابان امام"), QStringLiteral("رضا"), QStringLiteral("کريمي"), QStringLiteral("علي"), company});
    const qint64 ofPerson = addProject(QStringLiteral("الف"), QStringLiteral("اراک"), {{"peymankar_id", person}});
    const qint64 ofCompany = addProject(QStringLiteral("ب"), QStringLiteral("اراک"), {{"peymankar_id", company}});

    const report::Document legal = agreementUndertaking(db(), sourceOf(ofCompany));
    EXPECT_EQ(legal.label("QRLabel8"), QStringLiteral("کد اقتصادي"));
    EXPECT_EQ(legal.label("QRLabel12"), QStringLiteral("شناسه ملي"));
    EXPECT_EQ(legal.label("QRLabel2"), QStringLiteral("شماره ثبت"));
    EXPECT_EQ(legal.label("father"), "4111");
    EXPECT_EQ(legal.label("nation"), "10101010");
    EXPECT_EQ(legal.label("comp_no"), "9876");
    EXPECT_EQ(legal.label("haghighi"), QStringLiteral("حقوقي"));
    for (const char *reference : {"QRLabel11", "prot_no", "QRLabel13", "prot_dat1"})
        EXPECT_EQ(legal.label(reference), QString()) << reference;
    const report::Document natural = agreementUndertaking(db(), sourceOf(ofPerson));
    EXPECT_EQ(natural.label("QRLabel8"), QStringLiteral("نام پدر"));
    EXPECT_EQ(natural.label("QRLabel12"), QStringLiteral("کد ملي"));
    EXPECT_EQ(natural.label("QRLabel2"), QString());
    EXPECT_EQ(natural.label("comp_no"), QString());
    EXPECT_EQ(natural.label("father"), QStringLiteral("حسين"));
    EXPECT_EQ(natural.label("nation"), "0012345678");
    EXPECT_FALSE(natural.text().contains(QStringLiteral("شماره ثبت")));

    reset();
    const report::Document particulars = agreementParticulars(db(), sourceOf(ofPerson));
    EXPECT_EQ(particulars.label("zipcode"), "4455");
    EXPECT_EQ(particulars.label("nation"), "0012345678");
    EXPECT_EQ(particulars.label("dat"), "1402/05/01");
    EXPECT_EQ(particulars.label("masahat_por"), "12.5");
    EXPECT_EQ(particulars.label("masahat_khali"), "3.25");
    reset();
    const report::Document companyParticulars = agreementParticulars(db(), sourceOf(ofCompany));
    EXPECT_EQ(companyParticulars.label("zipcode"), "4111");
    EXPECT_EQ(companyParticulars.label("nation"), "10101010");

    // Anti-money-laundering: the blocks of each kind.
    const report::Document aml = agreementMoneyLaundering(db(), sourceOf(ofCompany));
    EXPECT_EQ(aml.label("nam2"), QStringLiteral("رضا کريمي"));
    EXPECT_EQ(aml.label("father2"), QStringLiteral("علي"));
    EXPECT_EQ(aml.label("comp_adr"), QStringLiteral("ساوه، خيابان امام"));
    EXPECT_EQ(aml.label("adr3"), QStringLiteral("ساوه، خيابان امام"));
    for (const char *empty : {"NAM", "father", "adr", "adr2", "mobile", "hesab_no"})
        EXPECT_EQ(aml.label(empty), QString()) << empty;
    const report::Document amlPerson = agreementMoneyLaundering(db(), sourceOf(ofPerson));
    EXPECT_EQ(amlPerson.label("sh_no"), "4455");
    EXPECT_EQ(amlPerson.label("NAM"), amlPerson.label("peymankar"));
    for (const char *empty : {"comp_name", "comp_no", "hesab_no2", "nam2", "father2", "adr3", "mobile2"})
        EXPECT_EQ(amlPerson.label(empty), QString()) << empty;

    // Key personnel: by kind, and a message without a contractor.
    const std::optional<report::Document> personnel = agreementPersonnel(db(), sourceOf(ofPerson));
    ASSERT_TRUE(personnel);
    EXPECT_EQ(personnel->name(), "movafeghatname19");
    EXPECT_EQ(personnel->label("comp_no"), "***");
    const std::optional<report::Document> firm = agreementPersonnel(db(), sourceOf(ofCompany));
    ASSERT_TRUE(firm);
    EXPECT_EQ(firm->name(), "movafeghatname19_hoghoghi");
    EXPECT_EQ(firm->label("comp_no"), "9876");
    db().exec("UPDATE peymankar SET typ = 'x' WHERE id = ?", {company});
    EXPECT_FALSE(agreementPersonnel(db(), sourceOf(ofCompany)));
    db().exec("UPDATE naghshe SET peymankar_id = NULL WHERE id = ?", {ofCompany});
    EXPECT_THROW(agreementPersonnel(db(), sourceOf(ofCompany)), report::FillError);

    // The disc label.
    const report::Document disc = discLabel(db(), sourceOf(ofPerson));
    EXPECT_EQ(disc.label("cod"), "001122");
    EXPECT_EQ(disc.label("tahvil_dat2"), "1402/01/15");
    EXPECT_EQ(disc.label("peymankar"), report::contractorName(db().rows("SELECT * FROM peymankar WHERE id = ?", {person}).front()));
}

TEST_P(AgreementsTest, CommitteeAsksAndListsTheProjects)
{
    const qint64 id = addProject(QStringLiteral("کلاته"), QStringLiteral("اراک"), {{"peymankar", QStringLiteral("مشاور پيشنهادي")}});
    addProject(QStringLiteral("کلاته"), QStringLiteral("اراک"));
    user().inputs = {std::nullopt, QStringLiteral("ذيحساب")};
    const report::Document doc = selectionCommittee(db(), sourceOf(id));
    EXPECT_EQ(user().prompts, (QStringList{"تاريج جلسه هيئت انتخاب مشاور", "سمت معاون"}));
    EXPECT_EQ(doc.label("jalase_dat"), "1400/11/20");
    EXPECT_EQ(doc.label("QRLabel12"), QStringLiteral("ذيحساب"));
    EXPECT_EQ(doc.label("moaven_poshtibani"), role(QStringLiteral("معاون ذيحسابي")));
    EXPECT_EQ(doc.rows().size(), 2);
    EXPECT_TRUE(doc.text().contains(QStringLiteral("مشاور پيشنهادي")));
    EXPECT_TRUE(doc.text().contains(QStringLiteral("استاني")));

    reset();
    const report::Document fees = agreementFees(db(), sourceOf(id));
    EXPECT_EQ(user().prompts, QStringList{"توضيح ذيحسابي"});
    EXPECT_EQ(fees.label("masahat_por_sum"), "25");
    EXPECT_EQ(fees.label("masahat_khali_sum"), "6.5");
    EXPECT_EQ(fees.label("prot_mablagh_sum"), "200000000");
}

TEST_P(AgreementsTest, FeePageListsEveryProjectWithPlainTotals)
{
    db().exec("DELETE FROM naghshe");
    db().transaction([&] {
        for (int i = 0; i < 250; ++i)
            addProject(QStringLiteral("روستا %1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("اراک"),
                       {{"masahat_por1", "5.002"}, {"prot_mablagh", 5000000}});
    });
    naghshe_src &w = window();
    ASSERT_FALSE(w.DBGrid1->rowsComplete());
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(0, 1));
    reset();
    w.N121->trigger();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(user().documents[0].name, "movafeghatname12");
    const QString text = user().documents[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("روستا 000")));
    EXPECT_TRUE(text.contains(QStringLiteral("روستا 249")));
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("روستا \\d{3}"))), 250);
    EXPECT_TRUE(text.contains("1250.5"));
    EXPECT_TRUE(text.contains("1250000000"));
    EXPECT_FALSE(text.contains("1,250"));
}

TEST_P(AgreementsTest, PrintAllPagesRunsEachItemInOrder)
{
    const qint64 id = addProject(QStringLiteral("کلاته"), QStringLiteral("اراک"),
                                 {{"prot_typ", contractWord}, {"peymankar_id", person}});
    db().exec("DELETE FROM zamaem");
    naghshe_src &w = window();
    choose(w, id);
    reset();
    std::vector<size_t> messagesBefore;
    for (int i = 0; i < 20; ++i)
        user().previews.push_back([&](ShownDocument &) {
            messagesBefore.push_back(user().messages.size());
            return false;
        });
    w.N36->trigger();
    const QStringList expected = {"movafeghatname1",  "movafeghatname6",  "movafeghatname7",  "movafeghatname8",
                                  "movafeghatname8",  "movafeghatname9",  "movafeghatname12", "movafeghatname_p4",
                                  "movafeghatname23", "movafeghatname19", "movafeghatname24", "movafeghatname25",
                                  "movafeghatname26"};
    QStringList shown;
    for (const auto &d : user().documents)
        shown << d.name;
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(user().messageTexts(), QStringList(5, missingDocumentMessage));
    // N111 after the cover, N211 and N210 after page 12, N52001 and N51 after page 17.
    EXPECT_EQ(messagesBefore, (std::vector<size_t>{0, 1, 1, 1, 1, 1, 3, 3, 5, 5, 5, 5, 5}));
    EXPECT_EQ(user().prompts, (QStringList{"تاريخ", "مدت قرارداد به روز", "سمت", "توضيح ذيحسابي", "خطاب به"}));

    // Without contractor the message stands in for page 28.
    db().exec("UPDATE naghshe SET peymankar_id = NULL WHERE id = ?", {id});
    w.search();
    choose(w, id);
    reset();
    w.N36->trigger();
    EXPECT_EQ(user().documents.size(), 12u);
    const QStringList messages = user().messageTexts();
    ASSERT_EQ(messages.size(), 6);
    EXPECT_EQ(messages[5], noContractorMessage);
}

TEST_P(AgreementsTest, AgreementDocumentsAreSavedWhereChosenAndOpened)
{
    const qint64 id = addProject(QStringLiteral("کلاته"), QStringLiteral("اراک"));
    db().exec("DELETE FROM zamaem");
    db().exec("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '', '.pdf', ?)",
              {generalClausesDocument, QByteArray("%PDF-1.4 clauses")});
    db().exec("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '', '.pdf', ?)",
              {wholeAgreementDocument, QByteArray()});
    naghshe_src &w = window();
    choose(w, id);
    QTemporaryDir dir;
    const QString chosen = dir.filePath("clauses");

    reset();
    user().files.push_back(chosen);
    w.N111->trigger();
    EXPECT_TRUE(user().messages.empty());
    ASSERT_EQ(user().opened.size(), 1);
    EXPECT_EQ(user().opened[0], chosen + ".pdf");
    QFile saved(chosen + ".pdf");
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("%PDF-1.4 clauses"));

    // Cancelled: nothing opened, nothing said.
    reset();
    w.N111->trigger();
    EXPECT_TRUE(user().opened.isEmpty());
    EXPECT_TRUE(user().messages.empty());
    // Empty content: nothing happens.
    reset();
    user().files.push_back(dir.filePath("whole"));
    w.N32->trigger();
    EXPECT_TRUE(user().opened.isEmpty());
    EXPECT_TRUE(user().messages.empty());
    EXPECT_FALSE(QFile::exists(dir.filePath("whole.pdf")));
    // Missing.
    reset();
    w.N51->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{missingDocumentMessage});
}

TEST_P(AgreementsTest, ItemsNeedACurrentProjectAndTheViewRight)
{
    db().exec("DELETE FROM naghshe");
    naghshe_src &w = window();
    reset();
    for (QAction *item : w.N30->actions())
        item->trigger();
    for (QAction *item : {w.N310, w.N9, w.N31, w.N18})
        item->trigger();
    EXPECT_TRUE(user().documents.empty());
    EXPECT_TRUE(user().prompts.isEmpty());
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(w.N30->actions().size(), 20);
    EXPECT_EQ(w.agreementPages().size(), 18);

    w.applyRights({true, true, true, false});
    for (QAction *item : {w.N310, w.N9, w.N30->menuAction(), w.N31, w.N18})
        EXPECT_FALSE(item->isEnabled());
    w.applyRights({true, true, true, true});
    EXPECT_TRUE(w.N18->isEnabled());

    const qint64 id = addProject(QStringLiteral("کلاته"), QStringLiteral("اراک"), {{"peymankar_id", person}});
    naghshe_src &listed = window();
    choose(listed, id);
    reset();
    listed.N18->trigger();
    listed.N9->trigger();
    listed.N310->trigger();
    listed.N31->trigger();
    QStringList shown;
    for (const auto &d : user().documents)
        shown << d.name;
    EXPECT_EQ(shown, (QStringList{"naghshe_label", "frm_moshaver", "estelam_sebakhshi_naghshe", "eblagh_naghshe"}));
}

INSTANTIATE_TEST_SUITE_P(Engines, AgreementsTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
