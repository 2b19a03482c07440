#include "admin_fixture.h"
#include "browsergrid.h"
#include "grid_rows.h"
#include "rowguard.h"
#include "naghshe_arzyabi.h"
#include "naghshe_evaluation.h"
#include "naghshe_src.h"
#include "sample.h"
#include "templatecheck.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace bv;
using namespace bv::survey;
using bv::test::AdminTest;
using bv::test::fullyFilled;
using bv::test::user;

TEST(EvaluationRules, GradeAgainstHalfAndThreeQuarters)
{
    const QStringList ten = {"ضعيف", "متوسط", "خوب", "خوب", "خيلي خوب"};
    for (int s = 4; s <= 8; ++s)
        EXPECT_EQ(qualityGrade(QString::number(s), "10"), ten[s - 4]) << s;
    // Maximum 5: half is 2.5 and three quarters 3.75.
    EXPECT_EQ(qualityGrade("2", "5"), QStringLiteral("ضعيف"));
    EXPECT_EQ(qualityGrade("3", "5"), QStringLiteral("خوب"));
    EXPECT_EQ(qualityGrade("4", "5"), QStringLiteral("خيلي خوب"));
    EXPECT_EQ(qualityGrade("15", "20"), QStringLiteral("خوب"));
    EXPECT_EQ(qualityGrade("۸", " ۱۰ "), QStringLiteral("خيلي خوب"));  // typed digits
    // Not whole: the grade shown stays.
    for (const auto &[score, top] : std::vector<std::pair<QString, QString>>{
             {"7.5", "10"}, {"7", "10.0"}, {"abc", "10"}, {"", "10"}, {"7", ""}, {"1,000", "2000"}})
        EXPECT_EQ(qualityGrade(score, top), std::nullopt) << score.toStdString() << " " << top.toStdString();
}

class EvaluationTest : public AdminTest {
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
        project = db().scalar("SELECT MIN(id) FROM naghshe").toLongLong();
        other = db().scalar("SELECT MAX(id) FROM naghshe").toLongLong();
        db().exec("DELETE FROM naghshe_arzyabi");
        db().exec("DELETE FROM arzyabi");
        for (const auto &[item, top] : {std::pair{"نقاط کنترل", 10}, {"برداشت عوارض", 20}, {"نام معابر", 5}})
            db().exec("INSERT INTO arzyabi (cmt, emtiyaz) VALUES (?, ?)", {QString::fromUtf8(item), top});
    }
    void grant(const QString &page, int darj, int hazf)
    {
        db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (1, ?, ?, 1, ?, 0)",
                  {page, darj, hazf});
    }
    int rows(qint64 p) { return db().scalar("SELECT COUNT(*) FROM naghshe_arzyabi WHERE naghshe_id = ?", {p}).toInt(); }
    LetterSource sourceOf(qint64 id)
    {
        LetterSource s;
        for (const Row &r : db().rows("SELECT * FROM naghshe WHERE id = ?", {id}))
            s.project = r;
        return s;
    }
    EvaluationEntry entry(const QString &item, const QString &top, const QString &score)
    {
        return {item, top, done, *qualityGrade(score, top), score, QString()};
    }

    qint64 project = 0, other = 0;
};

TEST_P(EvaluationTest, RegisterRefusesRepeatsAndNumbersThatAreNone)
{
    EXPECT_EQ(registerEvaluation(db(), project, entry("نقاط کنترل", "10", "6")).outcome, EvaluationOutcome::Added);
    const EvaluationResult again = registerEvaluation(db(), project, entry("نقاط کنترل", "10", "8"));
    EXPECT_EQ(again.outcome, EvaluationOutcome::Duplicate);
    EXPECT_EQ(again.message, QStringLiteral("نام آيتم تکراريست"));
    EXPECT_EQ(registerEvaluation(db(), other, entry("نقاط کنترل", "10", "8")).outcome, EvaluationOutcome::Added);

    const EvaluationResult bad = registerEvaluation(db(), project, {"برداشت عوارض", "20", done, "", "abc", ""});
    EXPECT_EQ(bad.outcome, EvaluationOutcome::BadNumber);
    EXPECT_TRUE(bad.message.contains(QStringLiteral("امتياز"))) << bad.message.toStdString();
    const EvaluationResult badTop = registerEvaluation(db(), project, {"برداشت عوارض", "x", done, "", "5", ""});
    EXPECT_TRUE(badTop.message.contains(QStringLiteral("حداکثر امتياز"))) << badTop.message.toStdString();
    EXPECT_EQ(rows(project), 1);
    EXPECT_EQ(rows(other), 1);

    // A half score is kept exactly; an empty one is 0.
    registerEvaluation(db(), project, {"برداشت عوارض", "20", done, "", "12.5", ""});
    registerEvaluation(db(), project, {"نام معابر", "5", done, "", "", ""});
    EXPECT_EQ(evaluationSums(db(), project).emtiyaz, "18.5");
    EXPECT_EQ(evaluationSums(db(), project).emtiyaz_top, "35");
    EXPECT_EQ(evaluationSums(db(), other + 1000).emtiyaz, QString());
    const ResultSet listed = evaluationRows(db(), project);
    ASSERT_EQ(listed.size(), 3);
    EXPECT_EQ(listed.value(2, "radif").toInt(), 3);
    EXPECT_EQ(listed.value(2, "cmt").toString(), QStringLiteral("نام معابر"));
}

TEST_P(EvaluationTest, WindowOffersItemAfterItemAndDeletesBackIntoTheInputs)
{
    naghshe_arzyabi &w = windows::get<naghshe_arzyabi>();
    // Without a rights row the window stays closed, silently.
    EXPECT_FALSE(w.open(project));
    EXPECT_TRUE(user().messages.empty());
    EXPECT_TRUE(user().shownDialogs.isEmpty());

    grant("naghshe", 1, 1);
    user().dialogs.push_back([](QDialog &) { return 0; });
    ASSERT_TRUE(w.open(project));
    EXPECT_EQ(user().shownDialogs, QStringList{"naghshe_arzyabi"});
    EXPECT_EQ(w.project(), project);
    EXPECT_EQ(w.cmt->currentText(), QStringLiteral("نقاط کنترل"));
    EXPECT_EQ(w.emtiyaz_top->text(), "10");
    EXPECT_EQ(w.anjam->currentText(), done);
    EXPECT_EQ(w.keifiyat->currentIndex(), -1);

    w.emtiyaz->setText("6");
    EXPECT_EQ(w.keifiyat->currentText(), QStringLiteral("خوب"));
    w.emtiyaz->setText("6.5");  // not whole: the grade stays
    EXPECT_EQ(w.keifiyat->currentText(), QStringLiteral("خوب"));
    w.emtiyaz->setText("6");
    w.sayer->setText("بدون ايراد");
    ASSERT_TRUE(w.registerRow());
    EXPECT_EQ(w.cmt->currentText(), QStringLiteral("برداشت عوارض"));
    EXPECT_EQ(w.emtiyaz_top->text(), "20");
    EXPECT_TRUE(w.emtiyaz->text().isEmpty());
    EXPECT_EQ(w.emtiyaz_sum->text(), "6");
    EXPECT_EQ(w.DBGrid1->rowCount(), 1);

    w.emtiyaz->setText("15");
    ASSERT_TRUE(w.registerRow());
    w.emtiyaz->setText("abc");
    EXPECT_FALSE(w.registerRow());
    EXPECT_TRUE(user().lastMessage().contains(QStringLiteral("امتياز")));
    w.emtiyaz->setText("5");
    ASSERT_TRUE(w.registerRow());
    // After the last item no item is offered.
    EXPECT_EQ(w.cmt->currentIndex(), -1);
    EXPECT_TRUE(w.emtiyaz_top->text().isEmpty());
    EXPECT_EQ(w.emtiyaz_sum->text(), "26");
    w.emtiyaz->setText("4");
    EXPECT_FALSE(w.registerRow());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("مقدار «نام آيتم» وارد نشده است"));

    // The same item again is refused.
    w.cmt->setCurrentIndex(0);
    w.emtiyaz->setText("7");
    EXPECT_FALSE(w.registerRow());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("نام آيتم تکراريست"));
    EXPECT_EQ(rows(project), 3);

    // Delete: the row comes back into the inputs as stored, without a password.
    db().exec("UPDATE naghshe_arzyabi SET keifiyat = ? WHERE cmt = ?", {QStringLiteral("متوسط"), QStringLiteral("نقاط کنترل")});
    w.prepare(project);
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "cmt", QStringLiteral("نقاط کنترل")));
    w.N1->trigger();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_TRUE(user().prompts.isEmpty());
    EXPECT_EQ(w.cmt->currentText(), QStringLiteral("نقاط کنترل"));
    EXPECT_EQ(w.emtiyaz_top->text(), "10");
    EXPECT_EQ(w.emtiyaz->text(), "6");
    EXPECT_EQ(w.keifiyat->currentText(), QStringLiteral("متوسط"));  // as stored, not regraded
    EXPECT_EQ(w.sayer->text(), QStringLiteral("بدون ايراد"));
    EXPECT_EQ(w.emtiyaz_sum->text(), "20");
    EXPECT_EQ(rows(project), 2);

    // A row another clerk deleted first is reported so and leaves the list.
    const QVariant gone = w.DBGrid1->currentId();
    ASSERT_TRUE(gone.isValid());
    db().exec("DELETE FROM naghshe_arzyabi WHERE id = ?", {gone});
    user().clear();
    w.N1->trigger();
    EXPECT_EQ(user().messageTexts(), QStringList{alreadyDeletedMessage});
    EXPECT_EQ(w.DBGrid1->rowCount(), 1);
    EXPECT_EQ(rows(project), 1);

    // Without the insert and delete rights.
    db().exec("UPDATE dastrasi SET darj = 0, hazf = 0 WHERE page_name = 'naghshe'");
    user().dialogs.push_back([](QDialog &) { return 0; });
    ASSERT_TRUE(w.open(project));
    EXPECT_FALSE(w.ins_btn->isEnabled());
    EXPECT_FALSE(w.N1->isEnabled());
    w.emtiyaz->setText("3");
    EXPECT_FALSE(w.registerRow());
    EXPECT_EQ(rows(project), 1);
}

TEST_P(EvaluationTest, ChecklistsPrintTheRowsTheirSumsAndTheSignature)
{
    registerEvaluation(db(), project, entry("نقاط کنترل", "10", "6"));
    registerEvaluation(db(), project, entry("برداشت عوارض", "20", "15"));
    db().exec("UPDATE naghshe SET checklist_dat = '1402/03/04', cod = '778899001122' WHERE id = ?", {project});
    const LetterSource source = sourceOf(project);

    // The initial checklist: a wrong password says so once and prints the names.
    user().inputs.push_back(QStringLiteral("wrong"));
    const report::Document initial = initialChecklist(db(), source);
    EXPECT_EQ(user().messageTexts(),
              QStringList{"تصوير امضاء در بخش ضمائم اطلاعات پايه موجود نيست و يا رمز امضاء را اشتباه وارد نموديد"});
    EXPECT_EQ(user().prompts, QStringList{"رمز امضا"});
    EXPECT_TRUE(initial.image("QRImage1").isNull());
    EXPECT_TRUE(fullyFilled(initial, {"semat1", "semat2"}));
    EXPECT_EQ(initial.label("emtiyaz_sum"), "21");
    EXPECT_EQ(initial.label("emtiyaz_top_sum"), "30");
    EXPECT_EQ(initial.label("ostan"), QStringLiteral("ورکندان"));
    EXPECT_EQ(initial.label("cod"), "001122");
    EXPECT_EQ(initial.label("checklist_dat"), "1402/03/04");
    EXPECT_EQ(initial.label("peymankar"), source.project.value("peymankar").toString());
    EXPECT_FALSE(initial.label("karshenas_naghshe").isEmpty());
    EXPECT_EQ(initial.rows().size(), 2);
    EXPECT_FALSE(initial.text().contains(QStringLiteral("خيلي خوب")));  // 15 of 20 is good, not very good

    // The final checklist: the sample's signature under its password, full marks on every row.
    user().clear();
    user().inputs.push_back(QStringLiteral("1"));
    const qint64 person = db().scalar("SELECT id FROM peymankar WHERE typ = ? ORDER BY id", {naturalPerson}).toLongLong();
    db().exec("UPDATE naghshe SET peymankar_id = ? WHERE id = ?", {person, project});
    const Row contractor = db().rows("SELECT fname, lname FROM peymankar WHERE id = ?", {person}).front();
    const report::Document final = finalChecklist(db(), sourceOf(project));
    EXPECT_TRUE(user().messages.empty());
    EXPECT_FALSE(final.image("QRImage1").isNull());
    EXPECT_TRUE(fullyFilled(final, {"semat1", "semat2"}));
    EXPECT_EQ(final.label("emtiyaz_sum"), "30");
    EXPECT_EQ(final.label("emtiyaz_top_sum"), "30");
    EXPECT_EQ(final.label("peymankar"),
              contractor.value("fname").toString() + " " + contractor.value("lname").toString());
    const QString finalText = final.text();
    EXPECT_EQ(finalText.count(QStringLiteral("انجام شده")), 2);
    EXPECT_EQ(finalText.count(QStringLiteral("خيلي خوب")), 2);
    for (const report::Document *doc : {&initial, &final}) {
        const std::vector<report::Page> pages = doc->layout();
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(pages.front().pageLayout.pageSize().id(), QPageSize::A4);
        EXPECT_EQ(pages.front().pageLayout.orientation(), QPageLayout::Portrait);
    }
}

TEST_P(EvaluationTest, CreditChecklistsOfEitherKindForTheSearchedPlaces)
{
    LetterSource source = sourceOf(project);
    source.search.filters.city = QStringList{"اراک", "ساوه"};
    source.search.filters.rosta = QStringList{"ده نو"};
    const qint64 company = db().scalar("SELECT id FROM peymankar WHERE typ = ? ORDER BY id", {legalPerson}).toLongLong();
    db().exec("UPDATE naghshe SET peymankar_id = ? WHERE id = ?", {company, project});
    source.project = sourceOf(project).project;
    const QString companyName = db().scalar("SELECT comp_name FROM peymankar WHERE id = ?", {company}).toString();
    for (const QString &kind : {naturalPerson, legalPerson}) {
        SCOPED_TRACE(kind.toStdString());
        const report::Document doc = creditChecklist(db(), source, kind);
        EXPECT_TRUE(fullyFilled(doc));
        EXPECT_EQ(doc.label("city"), QStringLiteral("اراک-ساوه"));
        EXPECT_EQ(doc.label("rosta"), QStringLiteral("ده نو"));
        EXPECT_EQ(doc.label("peymankar"), companyName);  // the kind printed is the menu's
        EXPECT_EQ(doc.label("ostan"), QStringLiteral("ورکندان"));
        const int items = db().scalar("SELECT COUNT(*) FROM naghshe_cheklist WHERE typ = ?", {kind}).toInt();
        ASSERT_GT(items, 0);
        EXPECT_EQ(doc.rows().size(), items);
        for (int r = 0; r < doc.rows().size(); ++r)
            EXPECT_EQ(doc.rows().value(r, "typ").toString(), kind);
    }
}


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

TEST(ChecklistTemplates, RenderAsA4PortraitPdfs)
{
    QTemporaryDir dir;
    for (const char *name : {"frm_checklist", "frm_checklist2", "naghshe_checklist_h"}) {
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

TEST_P(EvaluationTest, SurveyBrowserMenuReachesTheEvaluationAndItsDocuments)
{
    grant("naghshe", 1, 1);
    naghshe_src &b = windows::get<naghshe_src>();
    b.prepare();
    ASSERT_TRUE(test::selectRow(*b.DBGrid1, "id", project));
    user().clear();

    user().dialogs.push_back([&](QDialog &d) {
        EXPECT_EQ(static_cast<naghshe_arzyabi &>(d).project(), project);
        return 0;
    });
    b.N8->trigger();
    EXPECT_EQ(user().shownDialogs, QStringList{"naghshe_arzyabi"});

    registerEvaluation(db(), project, entry("نقاط کنترل", "10", "6"));
    user().inputs.push_back(QStringLiteral("1"));
    b.N11->trigger();
    user().inputs.push_back(QStringLiteral("1"));
    b.N4->trigger();
    b.N55->trigger();
    b.N56->trigger();
    ASSERT_EQ(user().documents.size(), 4u);
    EXPECT_EQ(user().documents[0].name, "frm_checklist");
    EXPECT_EQ(user().documents[1].name, "frm_checklist2");
    EXPECT_EQ(user().documents[2].name, "naghshe_checklist_h");
    EXPECT_TRUE(user().documents[2].text.contains(naturalPerson));
    EXPECT_TRUE(user().documents[3].text.contains(legalPerson));
    EXPECT_TRUE(user().messages.empty());

    // The attachments search needs no rights; the cameras need their page.
    user().clear();
    b.N26->trigger();
    b.N47->trigger();
    EXPECT_EQ(user().shownDialogs, QStringList{"naghshe_pic__src"});
    EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage});
}

INSTANTIATE_TEST_SUITE_P(Engines, EvaluationTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return test::engineName(info.param); });
