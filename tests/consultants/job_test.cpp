#include "attachments.h"
#include "consultants_fixture.h"
#include "dateedit.h"
#include "dates.h"
#include "moshaveran_search.h"
#include "sample_consultants.h"
#include "widgets.h"

using namespace bv;
using namespace bv::consultants;
using bv::test::ConsultantsTest;

TEST(CompactDates, EightDigitsOrEightSpaces)
{
    EXPECT_EQ(compactDateEntry(emptyCompactDate), DateEntry::Blank);
    EXPECT_EQ(compactDateEntry(""), DateEntry::Blank);
    EXPECT_EQ(compactDateEntry("14021230"), DateEntry::Invalid);  // 1402 is not leap
    EXPECT_EQ(compactDateEntry("14031230"), DateEntry::Valid);
    for (const char *bad : {"1402    ", "140201  ", "1402013", "14020101 ", "1402/01/01", "14021301"})
        EXPECT_EQ(compactDateEntry(bad), DateEntry::Invalid) << bad;
    EXPECT_EQ(compactDate("1402/05/09"), "14020509");

    JalaliDateEdit box;
    box.setCompact(true);
    EXPECT_EQ(typedText(&box), emptyCompactDate);
    EXPECT_TRUE(box.isBlank());
    box.setText(QStringLiteral("۱۴۰۲۰۵"));
    EXPECT_EQ(box.date(), "140205  ");
    EXPECT_EQ(box.entry(), DateEntry::Invalid);
    box.setDate("1402/05/09");  // today's form is taken too
    EXPECT_EQ(box.date(), "14020509");
    EXPECT_EQ(box.entry(), DateEntry::Valid);
    box.setDate(emptyCompactDate);
    EXPECT_TRUE(box.isBlank());
    // The ordinary box keeps its form.
    JalaliDateEdit slashed;
    EXPECT_TRUE(slashed.isBlank());
    EXPECT_EQ(slashed.date(), emptyDateMask);
}

TEST(ConsultantSteps, ColumnsFollowTheTable)
{
    ASSERT_EQ(steps().size(), 18u);
    EXPECT_EQ(stepsOf(false).size(), 7u);
    EXPECT_EQ(stepsOf(true).size(), 11u);
    // The later steps: eleven states, dates and approvals with the opinion.
    EXPECT_EQ(stepColumns(true).size(), 34);
    EXPECT_EQ(stepColumns(false).size(), 20);  // estelam has no date
    const QStringList later = stepColumns(true);
    EXPECT_EQ(later.indexOf("nazar_cmt"), later.indexOf("nazar_t") + 1);
}

TEST_P(ConsultantsTest, RegisterWritesTheRowItsOfficesOnceAndTheLog)
{
    JobTexts t = job(0);
    t["bazdid"] = unanswered;
    const qint64 id = registerJob(db(), t,
                                  {QStringLiteral("اداره راه و شهرساز\u06CC"), QStringLiteral("اداره راه و شهرسازي "),
                                   QStringLiteral("فرمانداري"), QString()},
                                  "admin");
    EXPECT_EQ(db().scalar("SELECT MAX(id) FROM moshaveran").toLongLong(), id);
    const Row r = stored(id);
    for (const QString &c : jobColumns() + stepColumns(false))
        EXPECT_EQ(r[c].toString(), t[c]) << c.toStdString();
    for (const QString &c : stepColumns(true))
        EXPECT_EQ(r[c].toString(), "") << c.toStdString();
    EXPECT_EQ(r["bazdid"].toString(), "*");
    EXPECT_EQ(r["karbar"].toString(), "admin");
    EXPECT_EQ(offices(id), (QStringList{QStringLiteral("اداره راه و شهرسازي"), QStringLiteral("فرمانداري")}));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?",
                          {QStringLiteral(" ثبت مشاوران جديد  ") + t["cod"] + " admin"})
                  .toInt(),
              1);
}

TEST_P(ConsultantsTest, DuplicateIsTheCountyVillageConsultantAndContractDate)
{
    const JobTexts t = job(0);
    registerJob(db(), t, {}, "admin");
    JobTexts other = t;
    other["bakhsh"] = QStringLiteral("بخش ديگر");
    other["cod"] = "999";
    EXPECT_TRUE(jobExists(db(), other));
    other["moshaver_dat1"] = "14020116";
    EXPECT_FALSE(jobExists(db(), other));
    other = t;
    other["moshaver"] = QStringLiteral("مهندسين مشاور آبادگران");
    EXPECT_FALSE(jobExists(db(), other));
}

TEST_P(ConsultantsTest, EditKeepsTheCreatorAndLaterStepsAndStoresTheOfficesAsTicked)
{
    const QString a = QStringLiteral("اداره منابع طبيعي"), b = QStringLiteral("فرمانداري"),
                  c = QStringLiteral("اداره ميراث");
    const qint64 id = registerJob(db(), job(0), {a, b}, "creator");
    JobTexts later = job(0);
    later["tasvib"] = no;
    later["nazar_cmt"] = QStringLiteral("نياز به اصلاح");
    ASSERT_TRUE(saveLaterSteps(db(), id, later, "admin"));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?",
                          {QStringLiteral(" ويرايش مشاوران2  ") + job(0)["cod"] + " admin"})
                  .toInt(),
              1);

    JobTexts t = job(1);
    t["fani_t"] = notApproved;
    ASSERT_TRUE(editJob(db(), id, t, {b, c, c}, "editor"));
    const Row r = stored(id);
    EXPECT_EQ(r["rosta"].toString(), villages[1]["rosta"].toString());
    EXPECT_EQ(r["fani_t"].toString(), notApproved);
    EXPECT_EQ(r["karbar"].toString(), "creator");
    EXPECT_EQ(r["tasvib"].toString(), no);
    EXPECT_EQ(r["nazar_cmt"].toString(), QStringLiteral("نياز به اصلاح"));
    EXPECT_EQ(offices(id), (QStringList{c, b}));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?",
                          {QStringLiteral(" ويرايش مشاوران  ") + t["cod"] + " editor"})
                  .toInt(),
              1);

    // A job deleted meanwhile: nothing is written, not even its offices.
    deleteJob(db(), id, "admin");
    EXPECT_FALSE(editJob(db(), id, t, {a}, "editor"));
    EXPECT_FALSE(saveLaterSteps(db(), id, later, "admin"));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM moshaveran_estelam").toInt(), 0);
    EXPECT_EQ(logRows(QStringLiteral("ويرايش مشاوران")), 2);
}

TEST_P(ConsultantsTest, DeleteTakesAttachmentsAndOfficesInOneTransaction)
{
    const qint64 id = registerJob(db(), job(0), {QStringLiteral("فرمانداري"), QStringLiteral("دهياري")}, "admin");
    const qint64 kept = registerJob(db(), job(1), {QStringLiteral("فرمانداري")}, "admin");
    for (qint64 owner : {id, id, kept})
        addAttachment(db(), attachment::moshaveran_pic(), {owner},
                      {QStringLiteral("قرارداد %1").arg(owner), ".pdf", QByteArray("%PDF"), {}});
    const JobDependents d = jobDependents(db(), id);
    EXPECT_EQ(d.attachments, 2);
    EXPECT_EQ(d.offices, 2);
    EXPECT_TRUE(deleteQuestion(d).contains("2"));

    // A failing log row undoes the deletes.
    db().exec("ALTER TABLE log RENAME TO log_away");
    EXPECT_THROW(deleteJob(db(), id, "admin"), DbError);
    db().exec("ALTER TABLE log_away RENAME TO log");
    EXPECT_FALSE(stored(id).isEmpty());
    EXPECT_EQ(jobDependents(db(), id).attachments, 2);

    deleteJob(db(), id, "admin");
    EXPECT_TRUE(stored(id).isEmpty());
    EXPECT_EQ(jobDependents(db(), id).attachments, 0);
    EXPECT_EQ(jobDependents(db(), id).offices, 0);
    EXPECT_EQ(jobDependents(db(), kept).attachments, 1);
    EXPECT_EQ(jobDependents(db(), kept).offices, 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?",
                          {QStringLiteral(" حذف مشاوران  ") + job(0)["cod"] + " admin"})
                  .toInt(),
              1);
}

TEST_P(ConsultantsTest, OfficesOfTheJobFirstThenTheRestOfTheList)
{
    const QString typedOne = QStringLiteral("اداره ميراث");
    const qint64 id = registerJob(db(), job(0), {QStringLiteral("اداره آب منطقه اي"), typedOne}, "admin");
    const OfficeChoices choices = officeChoices(db(), id);
    EXPECT_EQ(choices.ticked, (QStringList{QStringLiteral("اداره آب منطقه اي"), typedOne}));
    EXPECT_EQ(choices.unticked,
              (QStringList{QStringLiteral("اداره منابع طبيعي"), QStringLiteral("اداره راه و شهرسازي")}));
    const OfficeChoices fresh = officeChoices(db(), 0);
    EXPECT_TRUE(fresh.ticked.isEmpty());
    EXPECT_EQ(fresh.unticked.size(), 3);
}

TEST_P(ConsultantsTest, ConsultantsAreNamedByKind)
{
    db().exec("INSERT INTO peymankaran (id, typ, comp_name) VALUES (-1, ?, ?)",
              {QStringLiteral("حقوقي"), QStringLiteral("نمونه")});
    addConsultant(QStringLiteral("حقيقي"), QStringLiteral("رضا"), QStringLiteral("کريمي"), {});
    EXPECT_EQ(consultantNames(db()),
              (QStringList{QStringLiteral("کريمي رضا"), QStringLiteral("مهندسين مشاور آبادگران")}));
}

TEST_P(ConsultantsTest, CityLevelUsersSeeOnlyTheirOwnJobs)
{
    registerJob(db(), job(0), {}, "admin");
    registerJob(db(), job(1, QStringLiteral("مهندسين مشاور آبادگران")), {}, "arak");
    registerJob(db(), job(2), {}, "arak");
    const Session ostan{"admin", "ostan", 1, {}};
    const Session city{"arak", "city", 2, {}};
    const Session other{"saveh", "city", 3, {}};
    auto count = [&](const JobFilters &f, const Session &s) {
        const Conditions c = jobConditions(db().dialect(), f, s);
        const int n = countJobs(db(), c);
        EXPECT_EQ(searchJobs(db(), c).size(), n);
        return n;
    };
    EXPECT_EQ(count({}, ostan), 3);
    EXPECT_EQ(count({}, city), 2);
    EXPECT_EQ(count({}, other), 0);
    JobFilters f;
    f.moshaver = QStringLiteral("آبادگران");
    EXPECT_EQ(count(f, ostan), 1);
    EXPECT_EQ(count(f, city), 1);
    EXPECT_EQ(count(f, other), 0);
    f = {};
    f.city = villages[0]["city"].toString();
    f.amel4_name = QStringLiteral("موسوي");
    EXPECT_EQ(count(f, ostan), 3);
    f.rosta = villages[2]["rosta"].toString();
    EXPECT_EQ(count(f, ostan), 1);
    f.amel4_name = QStringLiteral("کسي ديگر");
    EXPECT_EQ(count(f, ostan), 0);

    const ResultSet rows = searchJobs(db(), jobConditions(db().dialect(), {}, ostan));
    EXPECT_EQ(rows.columns.value(0), "id");
    EXPECT_EQ(rows.columns.mid(1, gridColumns().size()), gridColumns());
    EXPECT_EQ(rows.columns.size(), 1 + 13 + 54 + 1);  // every column of the table
}

TEST(ConsultantHeadings, GridAndExport)
{
    EXPECT_EQ(gridHeadings().value("bazdid_t"), QStringLiteral("تاييد بازديد مشاور از روستا"));
    EXPECT_EQ(gridHeadings().value("behengam"), QStringLiteral("به هنگام سازي نقشه پايه"));
    EXPECT_EQ(gridHeadings().value("cod"), QStringLiteral("کد روستا"));
    EXPECT_EQ(exportHeadings().value("cod"), QStringLiteral("کد آبادي"));
    EXPECT_EQ(exportHeadings().value("id"), QStringLiteral("شناسه"));
    EXPECT_FALSE(gridColumns().contains("taeed"));
    EXPECT_EQ(gridColumns().back(), "karbar");
}

TEST_P(ConsultantsTest, SampleJobsSpreadOverTheWorkflowAndRequestsOverTheStages)
{
    sample::fillConsultants(db(), 60, 30, 7);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM moshaveran").toInt(), 60);
    // Some jobs have not started, some are notified, some stopped between.
    EXPECT_GT(db().scalar("SELECT COUNT(*) FROM moshaveran WHERE bazdid <> ?", {yes}).toInt(), 0);
    EXPECT_GT(db().scalar("SELECT COUNT(*) FROM moshaveran WHERE eblagh = ?", {yes}).toInt(), 0);
    EXPECT_GT(db().scalar("SELECT COUNT(*) FROM moshaveran WHERE bazdid = ? AND eblagh <> ?", {yes, yes}).toInt(), 0);
    EXPECT_GT(db().scalar("SELECT COUNT(*) FROM moshaveran_estelam").toInt(), 0);
    // Every stored date is blank or a complete date, as the windows would store it.
    for (const Row &r : db().rows("SELECT * FROM moshaveran"))
        for (const QString &c : jobDateColumns() + QStringList{"bazdid_dat", "fani_dat", "eblagh_dat"})
            EXPECT_NE(compactDateEntry(r[c].toString()), DateEntry::Invalid) << r[c].toString().toStdString();
    // The sample consultants are the studies contractors.
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM moshaveran WHERE moshaver NOT IN (?, ?)",
                          {QStringLiteral("کريمي رضا"), QStringLiteral("مهندسين مشاور آبادگران")})
                  .toInt(),
              0);
    const QString blank = emptyDateMask;
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM baravord WHERE dat_naghshe = ? AND dat_borvinat = ?", {blank, blank}).toInt(), 10);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM baravord WHERE dat_naghshe <> ? AND dat_borvinat = ?", {blank, blank}).toInt(), 10);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM baravord WHERE dat_borvinat <> ?", {blank}).toInt(), 10);
}

INSTANTIATE_TEST_SUITE_P(Engines, ConsultantsTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
