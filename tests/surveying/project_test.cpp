#include "admin_fixture.h"
#include "money.h"
#include "naghshe_project.h"
#include "sample.h"

using namespace bv;
using bv::test::AdminTest;

namespace {
// A project typed as the entry window would hand it over.
survey::Typed typedProject(const Row &village)
{
    survey::Typed t;
    for (const QString &c : survey::projectColumns())
        t[c] = QString();
    for (const char *c : {"ostan", "city", "bakhsh", "dehestan", "rosta", "cod", "x", "y"})
        t[c] = village.value(c).toString();
    t["khanevar"] = village.value("khanevar").toString();
    t["jamiyat"] = village.value("jamiyat").toString();
    t["zarib_mantaghe"] = village.value("zarib").toString();
    t["tarh_typ"] = QStringLiteral("هادي");
    t["prot_no"] = "97/1001";
    t["prot_dat1"] = "1397/07/01";
    t["prot_mablagh"] = "1,000,000";
    t["peymankar"] = "Ali Ahmadi";
    t["peymankar_id"] = "7";
    t["tamin_sal"] = "1397";
    t["gps_mablagh"] = "3000000000";
    t["masahat_por"] = "12.5";
    t["zarib_sobat"] = "1";
    for (const char *date : {"jalase_dat", "prot_dat2", "paper_dat", "tahvil_dat1", "checklist_dat", "tahvil_dat2",
                             "status_dat", "hosn_dat", "tamdid_dat", "hosn_paper_dat"})
        t[date] = "    /  /  ";
    return t;
}
}  // namespace

class ProjectTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 5;
        size.contractors = 2;
        size.projects = 0;
        size.studies = 0;
        size.registrations = 0;
        size.contracts = 0;
        sample::fill(db(), nullptr, size);
        village = db().rows("SELECT * FROM abadiha ORDER BY id").front();
    }
    Row village;
};

TEST_P(ProjectTest, RegisterStoresNumbersAsNumbersAndRefusesDuplicates)
{
    const survey::Typed t = typedProject(village);
    const survey::ProjectValues values = survey::readProject(t);
    ASSERT_TRUE(values.error.isEmpty()) << values.error.toStdString();
    EXPECT_TRUE(survey::provinceKnown(db(), t["ostan"], t["city"]));
    EXPECT_FALSE(survey::projectExists(db(), t));
    const qint64 id = survey::registerProject(db(), t, values, "admin", false);
    const Row stored = db().rows("SELECT * FROM naghshe WHERE id = ?", {id}).front();
    EXPECT_EQ(Money::fromVariant(stored["prot_mablagh"]).plain(), "1000000");
    EXPECT_EQ(Money::fromVariant(stored["gps_mablagh"]).plain(), "3000000000");
    EXPECT_DOUBLE_EQ(stored["masahat_por"].toDouble(), 12.5);
    EXPECT_EQ(stored["tahvil_dat1"].toString(), "    /  /  ");
    EXPECT_EQ(stored["cod"].toString(), village["cod"].toString());
    EXPECT_EQ(stored["peymankar_id"].toInt(), 7);
    EXPECT_EQ(logRows(QStringLiteral("ثبت نقشه جديد")), 1);
    EXPECT_TRUE(survey::projectExists(db(), t));
}

TEST_P(ProjectTest, UnreadableNumbersAreNamedAndNothingIsWritten)
{
    survey::Typed t = typedProject(village);
    t["masahat_khali"] = "12a";
    const survey::ProjectValues values = survey::readProject(t);
    EXPECT_EQ(values.error, QStringLiteral("مقدار «مساحت بافت خالي» عدد معتبر نيست"));
    t = typedProject(village);
    t["jarime"] = "five";
    EXPECT_TRUE(survey::readProject(t).error.contains(QStringLiteral("جريمه تاخير")));
    EXPECT_FALSE(survey::provinceKnown(db(), "x", t["city"]));
}

TEST_P(ProjectTest, StudyRowWithTheProjectAndAreaKeptInStep)
{
    survey::Typed t = typedProject(village);
    const qint64 id = survey::registerProject(db(), t, survey::readProject(t), "admin", true);
    EXPECT_TRUE(survey::studyExists(db(), t));
    const Row study = db().rows("SELECT * FROM borvinat").front();
    EXPECT_EQ(study["etebar_sal"].toString(), "1397");
    EXPECT_EQ(study["naghshe_moshaver_name"].toString(), "Ali Ahmadi");
    EXPECT_EQ(study["naghshe_tahvil_dat2"].toString(), "1397/07/01");
    EXPECT_EQ(logRows(QStringLiteral("ثبت مطالعه جديد از بخش نقشه")), 1);

    t["masahat_por"] = "40";
    survey::editProject(db(), id, t, survey::readProject(t), "admin");
    EXPECT_DOUBLE_EQ(db().scalar("SELECT masahat FROM borvinat").toDouble(), 40.0);
    EXPECT_DOUBLE_EQ(db().scalar("SELECT masahat_por FROM naghshe WHERE id = ?", {id}).toDouble(), 40.0);
    EXPECT_EQ(logRows(QStringLiteral("ويرايش نقشه")), 1);
}

TEST_P(ProjectTest, AFailedStudyInsertLeavesNoProject)
{
    survey::Typed t = typedProject(village);
    db().exec("DROP TABLE borvinat");
    EXPECT_THROW(survey::registerProject(db(), t, survey::readProject(t), "admin", true), DbError);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe").toInt(), 0);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log").toInt(), 0);
}

TEST_P(ProjectTest, NameNormalisationRewritesArabicKaf)
{
    const QString arabic = QStringLiteral("كوشك");
    db().exec("UPDATE abadiha SET bakhsh = ? WHERE id = ?", {arabic, village["id"]});
    db().exec("INSERT INTO naghshe (bakhsh) VALUES (?)", {arabic});
    survey::normaliseNames(db(), "bakhsh");
    EXPECT_EQ(db().scalar("SELECT bakhsh FROM abadiha WHERE id = ?", {village["id"]}).toString(), QStringLiteral("کوشک"));
    EXPECT_EQ(db().scalar("SELECT bakhsh FROM naghshe").toString(), QStringLiteral("کوشک"));
}

INSTANTIATE_TEST_SUITE_P(Engines, ProjectTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
