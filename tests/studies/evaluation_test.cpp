#include "admin_fixture.h"
#include "borvinat_arzyabi.h"
#include "borvinat_checklists.h"
#include "borvinat_evaluation.h"
#include "fillsteps.h"
#include "borvinat_src.h"
#include "browsergrid.h"
#include "dateedit.h"
#include "grid_rows.h"
#include "rowguard.h"
#include "sample.h"
#include "templatecheck.h"
#include "widgets.h"
#include "windows.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace bv;
using namespace bv::studies;
using bv::test::AdminTest;
using bv::test::fullyFilled;
using bv::test::user;

TEST(EvaluationRules, ScoreStepsAndGradesFollowTheItemsMaximum)
{
    EXPECT_EQ(scoreSteps("3"), (QStringList{"1", "2", "2.5", "3"}));
    EXPECT_EQ(gradeOfScore("2.5", "3"), QStringLiteral("خوب"));
    EXPECT_EQ(scoreSteps("4"), (QStringList{"1.5", "2.5", "3", "4"}));
    EXPECT_EQ(gradeOfScore("1.5", "4"), QStringLiteral("ضعيف"));
    EXPECT_EQ(gradeOfScore("0.4", "1"), QStringLiteral("ضعيف"));
    EXPECT_EQ(gradeOfScore("1", "2"), QStringLiteral("متوسط"));
    EXPECT_EQ(gradeOfScore("5", "5"), QStringLiteral("عالي"));
    EXPECT_EQ(gradeOfScore("2/5", "3"), QStringLiteral("خوب"));  // typed with "/" as the point
    // Another whole maximum empties both the list and the grade.
    EXPECT_EQ(scoreSteps("6"), QStringList());
    EXPECT_EQ(scoreSteps("0"), QStringList());
    EXPECT_EQ(gradeOfScore("3", "6"), QString());
    // A maximum that is not whole, or a score that is no step, changes nothing.
    EXPECT_EQ(scoreSteps("3.5"), std::nullopt);
    EXPECT_EQ(scoreSteps(""), std::nullopt);
    EXPECT_EQ(gradeOfScore("2", "3.5"), std::nullopt);
    EXPECT_EQ(gradeOfScore("1.7", "3"), std::nullopt);
    EXPECT_EQ(gradeOfScore("abc", "3"), std::nullopt);
}

TEST(EvaluationRules, NumbersAndTheGisPercentage)
{
    EXPECT_EQ(evaluationNumber("2/5").value.plain(), "2.5");
    EXPECT_EQ(evaluationNumber(QStringLiteral("۲٫۵")).value.plain(), "2.5");
    EXPECT_FALSE(evaluationNumber("2,5").ok());
    EXPECT_FALSE(evaluationNumber("x").ok());
    EXPECT_EQ(gisPercentage("45", "60")->plain(), "75");
    EXPECT_EQ(gisPercentage("1", "3")->plain(), "33.333333333333");
    EXPECT_EQ(gisPercentage("45", "0"), std::nullopt);
    EXPECT_EQ(gisPercentage("", "60"), std::nullopt);
    EXPECT_EQ(gisPercentage("45", ""), std::nullopt);
}

class StudyEvaluationTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 3;
        size.contractors = 2;
        size.projects = 0;
        size.studies = 6;
        size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        session() = Session{"admin", "admin", 1, {}};
        study = db().scalar("SELECT MIN(id) FROM borvinat").toLongLong();
        other = db().scalar("SELECT MAX(id) FROM borvinat").toLongLong();
        for (const char *t : {"borvinat_arzyabi_gis", "borvinat_arzyabi_tarh", "borvinat_arzyabi_tafsili",
                              "borvinat_arzyabi_naghshe", "borvinat_arzyabi_moshaver", "arzyabi_gis", "arzyabi_tarh",
                              "arzyabi_item_tafsili", "arzyabi_naghshe", "arzyabi_moshaver"})
            db().exec(QStringLiteral("DELETE FROM ") + t);
        // Guide plan: a general item with three sub-items, then one with one.
        for (const auto &[kol, joz, top] : std::vector<std::tuple<const char *, const char *, int>>{
                 {"مطالعات پايه", "جمعيت", 3}, {"مطالعات پايه", "اقتصاد", 4}, {"مطالعات پايه", "کالبد", 6},
                 {"طرح پيشنهادي", "کاربري ها", 5}}) {
            db().exec("INSERT INTO arzyabi_tarh (kol, joz, emtiyaz) VALUES (?, ?, ?)",
                      {QString::fromUtf8(kol), QString::fromUtf8(joz), top});
            db().exec("INSERT INTO arzyabi_item_tafsili (kol, joz, emtiyaz) VALUES (?, ?, ?)",
                      {QString::fromUtf8(kol), QString::fromUtf8(joz), top});
        }
        for (const auto &[cmt, top] : std::vector<std::pair<const char *, int>>{
                 {"لايه هاي پايه", 20}, {"توپولوژي", 25}, {"جدول توصيفي", 15}})
            db().exec("INSERT INTO arzyabi_gis (cmt, emtiyaz) VALUES (?, ?)", {QString::fromUtf8(cmt), top});
        for (const char *cmt : {"دقت مختصات", "کامل بودن عوارض"})
            db().exec("INSERT INTO arzyabi_naghshe (cmt) VALUES (?)", {QString::fromUtf8(cmt)});
        for (const char *cmt : {"حضور در جلسات", "پاسخگويي"})
            db().exec("INSERT INTO arzyabi_moshaver (cmt) VALUES (?)", {QString::fromUtf8(cmt)});
    }
    void grant(int darj = 1, int hazf = 1)
    {
        db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (1, 'arzyabi', ?, 1, ?, 1)",
                  {darj, hazf});
    }
    template <class W>
    W &opened(qint64 id)
    {
        W &w = windows::get<W>();
        user().dialogs.push_back([](QDialog &) { return 0; });
        EXPECT_TRUE(w.open(id, 500));
        return w;
    }
    int rows(const char *table, qint64 id)
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE borvinat_id = ?").arg(table), {id}).toInt();
    }
    QStringList column(const char *table, const char *col, qint64 id)
    {
        QStringList values;
        for (const Row &r :
             db().rows(QStringLiteral("SELECT %1 FROM %2 WHERE borvinat_id = ? ORDER BY id").arg(col, table), {id}))
            values << r.value(QString::fromLatin1(col)).toString();
        return values;
    }

    qint64 study = 0, other = 0;
};

TEST_P(StudyEvaluationTest, GuidePlanOffersStepsGradesAndRefusesRepeats)
{
    borvinat_arzyabi_tarh &w = windows::get<borvinat_arzyabi_tarh>();
    EXPECT_FALSE(w.open(study, 500));  // no rights row: nothing shown
    EXPECT_TRUE(user().shownDialogs.isEmpty());
    grant();
    opened<borvinat_arzyabi_tarh>(study);
    EXPECT_EQ(user().shownDialogs, QStringList{"borvinat_arzyabi_tarh"});
    EXPECT_EQ(w.height(), 500);
    EXPECT_EQ(w.kol->count(), 2);  // the general items once each
    EXPECT_EQ(w.kol->currentText(), QStringLiteral("مطالعات پايه"));
    EXPECT_EQ(w.joz->count(), 3);
    EXPECT_EQ(w.anjam->currentText(), done);

    w.joz->setCurrentIndex(0);
    EXPECT_EQ(w.emtiyaz_top->text(), "3");
    ASSERT_EQ(w.emtiyaz->count(), 4);
    EXPECT_EQ(w.emtiyaz->itemText(2), "2.5");
    w.emtiyaz->setCurrentIndex(2);
    EXPECT_EQ(w.keifiyat->currentText(), QStringLiteral("خوب"));
    EXPECT_EQ(w.keifiyat2->checkedId(), 2);  // the grade sets the marks' choice
    w.sayer->setText(QStringLiteral("کامل"));
    w.karshenas->setText(QStringLiteral("رضا اميني"));
    w.dat->setDate("1403/02/10");
    ASSERT_TRUE(w.registerRow());
    EXPECT_EQ(w.joz->currentText(), QStringLiteral("اقتصاد"));
    EXPECT_EQ(w.emtiyaz_top->text(), "4");
    EXPECT_EQ(w.emtiyaz->itemText(0), "1.5");
    EXPECT_EQ(w.emtiyaz_sum->text(), "2.5");
    EXPECT_EQ(w.emtiyaz_top_sum->text(), "3");
    EXPECT_EQ(w.DBGrid1->rowCount(), 1);
    const Row stored = db().rows("SELECT * FROM borvinat_arzyabi_tarh WHERE borvinat_id = ?", {study}).front();
    EXPECT_EQ(stored.value("khob").toString(), "1");
    EXPECT_EQ(stored.value("zaeif").toString() + stored.value("motevaset").toString() + stored.value("ali").toString(),
              "000");
    EXPECT_EQ(stored.value("dat").toString(), "1403/02/10");

    w.emtiyaz->setCurrentText("1.5");
    EXPECT_EQ(w.keifiyat->currentText(), QStringLiteral("ضعيف"));
    // A whole maximum outside the table empties the list and the grade.
    w.joz->setCurrentIndex(2);
    EXPECT_EQ(w.emtiyaz_top->text(), "6");
    EXPECT_EQ(w.emtiyaz->count(), 0);
    EXPECT_EQ(w.keifiyat->currentIndex(), -1);
    EXPECT_EQ(w.keifiyat2->checkedId(), -1);

    // A comma as the point is refused in the program; nothing written.
    w.emtiyaz->setCurrentText("2,5");
    EXPECT_FALSE(w.registerRow());
    EXPECT_TRUE(user().lastMessage().contains(QStringLiteral("امتياز"))) << user().lastMessage().toStdString();
    EXPECT_EQ(rows("borvinat_arzyabi_tarh", study), 1);

    // The same item and sub-item again: refused, and the grid is reloaded.
    w.joz->setCurrentIndex(0);
    w.emtiyaz->setCurrentText("1");
    EXPECT_FALSE(w.registerRow());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("نام آيتم تکراريست"));
    EXPECT_EQ(rows("borvinat_arzyabi_tarh", study), 1);
    EXPECT_EQ(w.DBGrid1->rowCount(), 1);
    // For another study it passes.
    EvaluationEntry e = w.entry();
    EXPECT_EQ(registerEvaluation(db(), EvaluationKind::Tarh, other, e).outcome, EvaluationOutcome::Added);
    EXPECT_EQ(rows("borvinat_arzyabi_tarh", other), 1);
}

TEST_P(StudyEvaluationTest, DeletedRowComesBackAndRegistersUnchanged)
{
    grant();
    borvinat_arzyabi_tarh &w = opened<borvinat_arzyabi_tarh>(study);
    w.joz->setCurrentIndex(1);
    w.emtiyaz->setCurrentText("3");
    w.sayer->setText(QStringLiteral("با ايراد"));
    w.karshenas->setText(QStringLiteral("مريم کاظمي"));
    ASSERT_TRUE(w.registerRow());
    const char *columns = "kol, joz, emtiyaz_top, anjam, keifiyat, emtiyaz, sayer, dat, karshenas, zaeif, motevaset, khob, ali";
    const auto before = db().rows(QStringLiteral("SELECT %1 FROM borvinat_arzyabi_tarh").arg(columns));
    w.prepare(study);  // inputs reset
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "joz", QStringLiteral("اقتصاد")));
    w.N1->trigger();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_EQ(rows("borvinat_arzyabi_tarh", study), 0);
    EXPECT_EQ(w.emtiyaz_sum->text(), QString());
    EXPECT_EQ(w.joz->currentText(), QStringLiteral("اقتصاد"));
    EXPECT_EQ(w.keifiyat2->checkedId(), 2);
    ASSERT_TRUE(w.registerRow());
    EXPECT_EQ(db().rows(QStringLiteral("SELECT %1 FROM borvinat_arzyabi_tarh").arg(columns)), before);

    // Deleted by another clerk while listed here: said so, nothing else happens.
    db().exec("DELETE FROM borvinat_arzyabi_tarh");
    user().clear();
    w.N1->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{alreadyDeletedMessage});
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
    ASSERT_TRUE(w.registerRow());
    db().exec("DELETE FROM borvinat_arzyabi_tarh");
    user().clear();
    user().answers.push_back(true);
    w.N2->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{alreadyDeletedMessage});
    EXPECT_EQ(rows("borvinat_arzyabi_tarh", study), 0);
    ASSERT_TRUE(w.registerRow());
    user().clear();

    // Delete all asks first, and needs the delete right.
    user().answers.push_back(false);
    w.N2->trigger();
    EXPECT_EQ(rows("borvinat_arzyabi_tarh", study), 1);
    user().answers.push_back(true);
    w.N2->trigger();
    EXPECT_EQ(rows("borvinat_arzyabi_tarh", study), 0);
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
    db().exec("UPDATE dastrasi SET hazf = 0, darj = 0 WHERE page_name = 'arzyabi'");
    opened<borvinat_arzyabi_tarh>(study);
    EXPECT_FALSE(w.N1->isEnabled());
    EXPECT_FALSE(w.N2->isEnabled());
    EXPECT_FALSE(w.ins_btn->isEnabled());
    EXPECT_FALSE(w.BitBtn1->isEnabled());
}

TEST_P(StudyEvaluationTest, RegisterAllReplacesTheRowsInOneTransaction)
{
    grant();
    borvinat_arzyabi_tarh &w = opened<borvinat_arzyabi_tarh>(study);
    w.emtiyaz->setCurrentText("2");
    w.keifiyat2->button(1)->setChecked(true);
    ASSERT_TRUE(w.registerAll(true));  // "ثبت همه به يکباره2"
    EXPECT_EQ(column("borvinat_arzyabi_tarh", "kol", study),
              (QStringList{QStringLiteral("مطالعات پايه"), "", "", QStringLiteral("طرح پيشنهادي")}));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat_arzyabi_tarh WHERE kol = ''").toInt(), 2);  // not null
    EXPECT_EQ(column("borvinat_arzyabi_tarh", "emtiyaz_top", study).join(' '), "3 4 6 5");
    EXPECT_EQ(column("borvinat_arzyabi_tarh", "motevaset", study).join(' '), "1 1 1 1");
    EXPECT_EQ(w.DBGrid1->rowCount(), 4);
    ASSERT_TRUE(w.registerAll(false));  // "ثبت همه به يکباره1"
    EXPECT_EQ(column("borvinat_arzyabi_tarh", "kol", study).count(QStringLiteral("مطالعات پايه")), 3);

    // A refused value leaves the previous rows.
    w.emtiyaz->setCurrentText("2,5");
    EXPECT_FALSE(w.registerAll(true));
    EXPECT_EQ(rows("borvinat_arzyabi_tarh", study), 4);
    if (GetParam() == Engine::PostgreSQL) {
        // The database refuses a name longer than its column half way: nothing changes.
        w.emtiyaz->setCurrentText("1");
        w.karshenas->setText(QString(60, QChar(0x0628)));
        EXPECT_FALSE(w.registerAll(true));
        EXPECT_EQ(rows("borvinat_arzyabi_tarh", study), 4);
        EXPECT_EQ(column("borvinat_arzyabi_tarh", "kol", study).count(QStringLiteral("مطالعات پايه")), 3);
    }

    // Base map and consultant: every item with the current choice.
    borvinat_arzyabi_naghshe &n = opened<borvinat_arzyabi_naghshe>(study);
    EXPECT_EQ(n.cmt->currentText(), QStringLiteral("دقت مختصات"));
    showStoredValue(n.anjam, notDone);
    ASSERT_TRUE(n.registerRow());
    EXPECT_EQ(n.cmt->currentText(), QStringLiteral("کامل بودن عوارض"));
    ASSERT_TRUE(n.registerAll());
    EXPECT_EQ(column("borvinat_arzyabi_naghshe", "anjam", study), (QStringList{notDone, notDone}));
    borvinat_arzyabi_moshaver &m = opened<borvinat_arzyabi_moshaver>(study);
    showStoredValue(m.keifiyat, QStringLiteral("خيلي خوب"));
    ASSERT_TRUE(m.registerRow());
    EXPECT_EQ(m.cmt->currentText(), QStringLiteral("پاسخگويي"));
    EXPECT_EQ(column("borvinat_arzyabi_moshaver", "keifiyat", study).front(), QStringLiteral("خيلي خوب"));
}

TEST_P(StudyEvaluationTest, DetailedPlanWritesTheDoneMarks)
{
    grant();
    borvinat_arzyabi_tafsili &w = opened<borvinat_arzyabi_tafsili>(study);
    w.joz->setCurrentIndex(0);
    w.emtiyaz->setCurrentText("2/75");  // typed freely, "/" as the point
    ASSERT_TRUE(w.registerRow());
    w.anjam_shod->setChecked(true);
    w.emtiyaz->setCurrentText("3");
    ASSERT_TRUE(w.registerRow());
    w.anjam_nashod->setChecked(true);
    w.emtiyaz->setCurrentText("x");
    EXPECT_FALSE(w.registerRow());
    EXPECT_EQ(column("borvinat_arzyabi_tafsili", "anjam_shod", study), (QStringList{"0", "*"}));
    EXPECT_EQ(column("borvinat_arzyabi_tafsili", "anjam_nashod", study), (QStringList{"0", "0"}));
    EXPECT_EQ(column("borvinat_arzyabi_tafsili", "emtiyaz", study).front().toDouble(), 2.75);
    EXPECT_EQ(w.emtiyaz_sum->text(), "5.75");
    // The stored marks come back into the radio group.
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "anjam_shod", "*"));
    w.N1->trigger();
    EXPECT_TRUE(w.anjam_shod->isChecked());
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "anjam_shod", "0"));
    w.N1->trigger();
    EXPECT_FALSE(w.anjam_shod->isChecked());
    EXPECT_FALSE(w.anjam_nashod->isChecked());
}

TEST_P(StudyEvaluationTest, GisPercentageWrittenOnClosingAndTheStudyStaysCurrent)
{
    grant();
    db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (1, 'borvinat', 1, 1, 1, 1)");
    borvinat_src &b = windows::get<borvinat_src>();
    b.prepare();
    const qint64 chosen = db().scalar("SELECT id FROM borvinat ORDER BY id LIMIT 1 OFFSET 3").toLongLong();
    ASSERT_TRUE(test::selectRow(*b.DBGrid1, "id", chosen));
    user().dialogs.push_back([&](QDialog &d) {
        auto &w = static_cast<borvinat_arzyabi_gis &>(d);
        EXPECT_EQ(w.study(), chosen);
        EXPECT_EQ(w.emtiyaz_top_sum->text(), "60");
        EXPECT_EQ(w.cmt->currentText(), QStringLiteral("لايه هاي پايه"));
        EXPECT_EQ(w.emtiyaz_top->text(), "20");
        for (const char *score : {"15", "20/0", "10"}) {
            w.emtiyaz->setCurrentText(QString::fromLatin1(score));
            w.emtiyaz->lineEdit()->returnPressed();  // Enter registers
        }
        EXPECT_EQ(w.emtiyaz_sum->text(), "45");
        EXPECT_EQ(w.cmt->currentIndex(), -1);
        d.reject();
        return 0;
    });
    b.GIS2->trigger();
    EXPECT_EQ(db().scalar("SELECT gis_emtiyaz FROM borvinat WHERE id = ?", {chosen}).toDouble(), 75.0);
    EXPECT_EQ(b.DBGrid1->currentId().toLongLong(), chosen);

    // Register-all gives full marks; a catalogue total of 0 writes nothing.
    borvinat_arzyabi_gis &w = opened<borvinat_arzyabi_gis>(other);
    ASSERT_TRUE(w.registerAll());
    EXPECT_EQ(w.emtiyaz_sum->text(), "60");
    w.reject();
    EXPECT_EQ(db().scalar("SELECT gis_emtiyaz FROM borvinat WHERE id = ?", {other}).toDouble(), 100.0);
    db().exec("UPDATE arzyabi_gis SET emtiyaz = 0");
    db().exec("UPDATE borvinat SET gis_emtiyaz = 12 WHERE id = ?", {other});
    opened<borvinat_arzyabi_gis>(other);
    EXPECT_EQ(w.emtiyaz_top_sum->text(), "0");
    w.reject();
    EXPECT_EQ(db().scalar("SELECT gis_emtiyaz FROM borvinat WHERE id = ?", {other}).toDouble(), 12.0);
}

INSTANTIATE_TEST_SUITE_P(Engines, StudyEvaluationTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return test::engineName(info.param); });

namespace {
// The page size a PDF declares for its first page, in points.
QSizeF pdfPageSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression box(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"));
    const QRegularExpressionMatch m = box.match(QString::fromLatin1(file.readAll()));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}
}  // namespace

TEST(StudyChecklistTemplates, RenderAsA4PortraitPdfs)
{
    QTemporaryDir dir;
    for (const char *name : {"m_frm_checklist_gis", "m_frm_checklist_rep1", "m_frm_checklist_rep2", "m_frm_arzyabi_tafsili",
                             "m_frm_checklist_naghshe", "m_frm_arzyabi_moshaver", "jalasat_frm"}) {
        const QString path = dir.filePath(QString::fromLatin1(name) + ".pdf");
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QStringLiteral(BV_RENDER_TEMPLATE), {QString::fromLatin1(name), "--pdf", path, "--rows", "4"});
        ASSERT_TRUE(p.waitForFinished(60000)) << name;
        ASSERT_EQ(p.exitCode(), 0) << name;
        const QSizeF page = pdfPageSize(path);
        EXPECT_NEAR(page.width(), 595.3, 1.0) << name;
        EXPECT_NEAR(page.height(), 841.9, 1.0) << name;
    }
}

// The checklists filled from the sample's own evaluations.
class StudyChecklistTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 4;
        size.contractors = 3;
        size.projects = 0;
        size.studies = 12;
        size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        session() = Session{"admin", "admin", 1, {}};
        study = db().scalar("SELECT MIN(borvinat_id) FROM borvinat_arzyabi_tarh").toLongLong();
    }
    Row studyRowOf(qint64 id) { return db().rows("SELECT * FROM borvinat WHERE id = ?", {id}).front(); }
    int rowsOf(const char *table)
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE borvinat_id = ?").arg(table), {study}).toInt();
    }
    qint64 study = 0;
};

TEST_P(StudyChecklistTest, EveryChecklistFilledFromTheSampleRows)
{
    ASSERT_GT(study, 0);
    // The sample evaluates some studies on every catalogue and invites guests to some meetings.
    for (const char *table : {"borvinat_arzyabi_gis", "borvinat_arzyabi_tafsili", "borvinat_arzyabi_naghshe",
                              "borvinat_arzyabi_moshaver"})
        EXPECT_GT(rowsOf(table), 0) << table;
    EXPECT_GT(db().scalar("SELECT COUNT(*) FROM jalasat").toInt(), 0);
    const Row s = studyRowOf(study);
    const QStringList semat = {"semat1", "semat2"};

    user().inputs = {QStringLiteral("1403/01/20"), QStringLiteral("14"), QStringLiteral("سعيد نوري"), QStringLiteral("1")};
    const report::Document gis = gisChecklist(db(), s);
    EXPECT_TRUE(user().messages.empty());
    EXPECT_TRUE(fullyFilled(gis, {"semat1"}));
    EXPECT_FALSE(gis.image("QRImage1").isNull());
    EXPECT_EQ(gis.rows().size(), rowsOf("borvinat_arzyabi_gis"));
    EXPECT_EQ(gis.label("dat"), "1403/01/20");
    EXPECT_EQ(gis.label("ostan"), QStringLiteral("ورکندان"));
    EXPECT_EQ(gis.label("sum_emtiyaz_top"), "70");
    EXPECT_EQ(user().prompts.first(), QStringLiteral("تاريخ بررسي"));

    user().clear();
    user().inputs = {QStringLiteral("1"), std::nullopt, QStringLiteral("1")};  // reviewer cancelled: the default
    const report::Document rep1 = guidePlanChecklist(db(), s);
    EXPECT_TRUE(fullyFilled(rep1, semat));
    EXPECT_EQ(rep1.fill("avaliye"), QColor(Qt::black));
    EXPECT_EQ(rep1.fill("nahayi"), QColor(Qt::white));
    EXPECT_EQ(rep1.label("karshenas_gis2"), QStringLiteral("سعيد نوري"));
    EXPECT_EQ(rep1.label("karshenas_fani"), QStringLiteral("مهدي صادقي"));
    EXPECT_FALSE(rep1.image("QRImage1").isNull());
    EXPECT_EQ(rep1.rows().size(), rowsOf("borvinat_arzyabi_tarh"));
    user().clear();
    user().inputs = {QStringLiteral("2"), std::nullopt, QStringLiteral("1")};
    EXPECT_EQ(guidePlanChecklist(db(), s).fill("nahayi"), QColor(Qt::black));

    user().clear();
    user().inputs = {QStringLiteral("فرهاد ملکي"), QStringLiteral("1")};
    const report::Document tafsili = detailedPlanChecklist(db(), s);
    EXPECT_TRUE(fullyFilled(tafsili, semat));
    EXPECT_EQ(tafsili.rows().size(), rowsOf("borvinat_arzyabi_tafsili"));
    EXPECT_EQ(tafsili.label("emtiyaz_top_sum"), "15");  // the catalogue's total

    user().clear();
    user().inputs = {QStringLiteral("1403/02/02")};
    const report::Document naghshe = baseMapChecklist(db(), s);
    EXPECT_TRUE(fullyFilled(naghshe, {"semat2"}));
    EXPECT_EQ(naghshe.rows().size(), rowsOf("borvinat_arzyabi_naghshe"));
    EXPECT_EQ(naghshe.label("check_list_dat2"), "1403/02/02");

    user().clear();
    user().inputs = {QStringLiteral("1403/03/03"), QStringLiteral("2")};
    const report::Document moshaver = consultantEvaluation(db(), s);
    EXPECT_TRUE(fullyFilled(moshaver));
    EXPECT_EQ(moshaver.fill("hoghoghi"), QColor(Qt::black));
    EXPECT_EQ(moshaver.fill("haghighi"), QColor(Qt::white));
    user().clear();
    user().inputs = {std::nullopt, QStringLiteral("x")};
    const report::Document neither = consultantEvaluation(db(), s);
    EXPECT_EQ(neither.fill("hoghoghi"), QColor(Qt::white));
    EXPECT_EQ(neither.fill("haghighi"), QColor(Qt::white));

    EXPECT_TRUE(fullyFilled(guidePlanChecklist2()));
    for (const report::Document *doc : {&gis, &rep1, &tafsili, &naghshe, &moshaver}) {
        const std::vector<report::Page> pages = doc->layout();
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(pages.front().pageLayout.pageSize().id(), QPageSize::A4);
        EXPECT_EQ(pages.front().pageLayout.orientation(), QPageLayout::Portrait);
    }
}

TEST_P(StudyChecklistTest, BrowserPrintsChecklistsMissingSignatureAndBadFontSize)
{
    db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (1, 'borvinat', 1, 1, 1, 1)");
    borvinat_src &b = windows::get<borvinat_src>();
    b.prepare();
    ASSERT_TRUE(test::selectRow(*b.DBGrid1, "id", study));
    user().clear();
    db().exec("DELETE FROM zamaem WHERE cmt = ?", {gisSignature});
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, QStringLiteral("1")};
    b.GIS1->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{report::signatureMissingMessage()});
    ASSERT_EQ(user().documents.size(), 1u);  // still opened
    EXPECT_EQ(user().documents[0].name, "m_frm_checklist_gis");

    user().clear();
    user().inputs = {std::nullopt, QStringLiteral("12.5")};
    b.GIS1->trigger();
    EXPECT_TRUE(user().documents.empty());
    ASSERT_EQ(user().messages.size(), 1u);
    // The message names the question before the refused answer.
    EXPECT_TRUE(user().messages[0].text.endsWith(report::notWholeNumberMessage("12.5"))) << user().messages[0].text.toStdString();

    user().clear();
    for (QAction *item : {b.N7, b.N210, b.N49, b.N8, b.N13})
        item->trigger();
    ASSERT_EQ(user().documents.size(), 5u);
    EXPECT_EQ(user().documents[1].name, "m_frm_checklist_rep2");
    EXPECT_EQ(user().documents[4].name, "m_frm_arzyabi_moshaver");
}

TEST_P(StudyEvaluationTest, GisChecklistShowsThePercentage)
{
    for (const auto &[cmt, score] : std::vector<std::pair<const char *, const char *>>{
             {"لايه هاي پايه", "15"}, {"توپولوژي", "20"}, {"جدول توصيفي", "10"}}) {
        EvaluationEntry entry;
        entry.cmt = QString::fromUtf8(cmt);
        entry.emtiyaz_top = QStringLiteral("20");
        entry.emtiyaz = QString::fromUtf8(score);
        registerEvaluation(db(), EvaluationKind::Gis, study, entry);
    }
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, QStringLiteral("bad")};
    const report::Document doc = gisChecklist(db(), db().rows("SELECT * FROM borvinat WHERE id = ?", {study}).front());
    EXPECT_EQ(doc.label("darsad"), "75");
    EXPECT_EQ(doc.rows().size(), 3);
    EXPECT_TRUE(doc.image("QRImage1").isNull());
    db().exec("UPDATE arzyabi_gis SET emtiyaz = 0");
    user().inputs = {std::nullopt, std::nullopt, std::nullopt, QStringLiteral("bad")};
    EXPECT_EQ(gisChecklist(db(), db().rows("SELECT * FROM borvinat WHERE id = ?", {study}).front()).label("darsad"), "0");
}

INSTANTIATE_TEST_SUITE_P(Engines, StudyChecklistTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return test::engineName(info.param); });
