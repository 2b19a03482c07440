#include "attachments.h"
#include "browsergrid.h"
#include "consultants_fixture.h"
#include "consultants_pages.h"
#include "filters.h"
#include "grid_rows.h"
#include "moshaveran.h"
#include "moshaveran_search.h"
#include "pages.h"
#include "spreadsheetreader.h"
#include "templatecheck.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

using namespace bv;
using namespace bv::consultants;
using bv::test::ConsultantsTest;
using bv::test::selectRow;
using bv::test::shownColumn;
using bv::test::user;

class ConsultantBrowserTest : public ConsultantsTest {
protected:
    void SetUp() override
    {
        ConsultantsTest::SetUp();
        if (IsSkipped())
            return;
        first = registerJob(db(), job(0), {QStringLiteral("فرمانداري")}, "admin");
        second = registerJob(db(), job(1, QStringLiteral("مهندسين مشاور آبادگران")), {}, "arak");
        JobTexts t = job(2);
        t["bazdid"] = no;
        t["bazdid_t"] = notApproved;
        third = registerJob(db(), t, {}, "arak");
    }
    moshaveran &browser()
    {
        moshaveran &w = windows::get<moshaveran>();
        w.prepare();
        return w;
    }
    qint64 first = 0, second = 0, third = 0;
};

TEST_P(ConsultantBrowserTest, OpeningEmptiesTheFiltersAndCityUsersSeeTheirOwnJobs)
{
    moshaveran &w = browser();
    EXPECT_EQ(w.cnt->text(), "3");
    EXPECT_EQ(w.DBGrid1->rowCount(), 3);
    EXPECT_TRUE(w.DBGrid1->isColumnHidden(0));  // id
    EXPECT_EQ(w.DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("شهرستان"));
    w.CheckBox3->setChecked(true);
    w.moshaver->setText(QStringLiteral("آبادگران"));
    w.search();
    EXPECT_EQ(w.cnt->text(), "1");
    w.prepare();
    EXPECT_FALSE(w.CheckBox3->isChecked());
    EXPECT_TRUE(w.moshaver->text().isEmpty());
    EXPECT_EQ(w.cnt->text(), "3");

    session() = Session{"arak", "city", 2, {}};
    w.prepare();
    EXPECT_EQ(w.cnt->text(), "2");
    session() = Session{"saveh", "city", 3, {}};
    w.prepare();
    EXPECT_EQ(w.cnt->text(), "0");
    w.CheckBox1->setChecked(true);
    w.city->setEditText(villages[0]["city"].toString());
    w.search();
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
}

TEST_P(ConsultantBrowserTest, DeleteNeedsThePasswordAndTakesAttachmentsAndOffices)
{
    addAttachment(db(), attachment::moshaveran_pic(), {first}, {QStringLiteral("قرارداد"), ".pdf", "%PDF", {}});
    moshaveran &w = browser();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", first));
    user().inputs.push_back(QStringLiteral("4321"));
    w.deleteJob();
    EXPECT_TRUE(user().messages.empty());
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(w.cnt->text(), "3");

    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", first));
    user().inputs.push_back(QStringLiteral("1234"));
    user().answers.push_back(false);  // not now
    w.deleteJob();
    EXPECT_EQ(user().questions, QStringList{deleteQuestion({1, 1})});
    EXPECT_EQ(w.cnt->text(), "3");

    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", first));
    user().inputs.push_back(QStringLiteral("1234"));
    user().answers.push_back(true);
    w.deleteJob();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_EQ(w.cnt->text(), "2");
    EXPECT_TRUE(stored(first).isEmpty());
    EXPECT_EQ(jobDependents(db(), first).attachments, 0);
    EXPECT_EQ(jobDependents(db(), first).offices, 0);
    EXPECT_EQ(logRows(QStringLiteral(" حذف مشاوران  ") + villages[0]["cod"].toString() + " admin"), 1);
}

TEST_P(ConsultantBrowserTest, ExportOfOneRowHoldsTheHeadingsAndThatRow)
{
    moshaveran &w = browser();
    w.CheckBox2->setChecked(true);
    w.rosta->setEditText(villages[2]["rosta"].toString());
    w.search();
    ASSERT_EQ(w.cnt->text(), "1");
    w.exportList();
    ASSERT_EQ(user().opened.size(), 1);
    const std::optional<SheetTable> sheet = readSheet(user().opened.back());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->columns.value(0), QStringLiteral("شناسه"));
    EXPECT_EQ(sheet->columns.value(1), QStringLiteral("شهرستان"));
    EXPECT_EQ(sheet->columns.value(5), QStringLiteral("کد آبادي"));
    EXPECT_TRUE(sheet->columns.contains(QStringLiteral("تاييد بازديد مشاور از روستا")));
    ASSERT_EQ(sheet->rows.size(), 1u);
    EXPECT_EQ(sheet->rows[0].value(0), QString::number(third));
    EXPECT_EQ(sheet->rows[0].value(4), villages[2]["rosta"].toString());
}

TEST_P(ConsultantBrowserTest, ALongListShowsItsFirstScreenAndExportsEveryJob)
{
    db().transaction([&] {
        for (int i = 0; i < moshaveran::firstScreenRows; ++i)
            db().exec("INSERT INTO moshaveran (city, rosta) VALUES (?, ?)",
                      {villages[0]["city"], QStringLiteral("روستا %1").arg(i)});
    });
    const int total = 3 + moshaveran::firstScreenRows;
    moshaveran &w = browser();
    EXPECT_EQ(w.cnt->text().toInt(), total);
    EXPECT_EQ(w.DBGrid1->rowCount(), moshaveran::firstScreenRows);
    ASSERT_FALSE(w.DBGrid1->rowsComplete());
    w.exportList();
    ASSERT_EQ(user().opened.size(), 1);
    const std::optional<SheetTable> sheet = readSheet(user().opened.back());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(int(sheet->rows.size()), total);
    EXPECT_EQ(w.DBGrid1->rowCount(), total);
}

TEST_P(ConsultantBrowserTest, TheReportListsTheSearchFromOneWithItsApprovalLines)
{
    moshaveran &w = browser();
    w.CheckBox3->setChecked(true);
    w.moshaver->setText(QStringLiteral("کريمي"));
    w.search();
    ASSERT_EQ(w.DBGrid1->rowCount(), 2);
    user().todayValue = QDate(2023, 6, 1);  // 1402/03/11
    w.printReport();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(user().documents[0].name, "moshaveran_chap");

    const report::Document doc = progressReport(w.DBGrid1->shownRows(), "1402/03/11");
    EXPECT_TRUE(bv::test::fullyFilled(doc));
    EXPECT_EQ(doc.layoutTemplate().page.size, QPageSize::A4);
    EXPECT_EQ(doc.layoutTemplate().page.orientation, QPageLayout::Landscape);
    const QString text = doc.text();
    EXPECT_EQ(text, user().documents[0].text);
    EXPECT_TRUE(text.contains("1402/03/11"));
    EXPECT_TRUE(text.contains(villages[0]["rosta"].toString()));
    EXPECT_TRUE(text.contains(villages[2]["rosta"].toString()));
    EXPECT_FALSE(text.contains(villages[1]["rosta"].toString()));
    EXPECT_EQ(text.count(QStringLiteral("تاييد عامل چهارم------->>>")), 2);
    EXPECT_EQ(text.count(QStringLiteral("عدم")), 1);  // the third job's visit
    const std::vector<report::Page> pages = doc.layout();
    ASSERT_EQ(pages.size(), 1u);
    // The two rows found, numbered from 1 in the order listed.
    // Dates are eight digits and the contract number "4/120": a lone digit is a row or page number.
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    EXPECT_TRUE(words.contains("1"));
    EXPECT_TRUE(words.contains("2"));
    EXPECT_FALSE(words.contains("3"));
    EXPECT_LT(text.indexOf(villages[0]["rosta"].toString()), text.indexOf(villages[2]["rosta"].toString()));
    EXPECT_EQ(doc.rows().size(), 2);
}

TEST_P(ConsultantBrowserTest, TheMainMenuOpensTheBrowserWithItsRights)
{
    registerConsultantsPages();
    const qint64 clerk = addUser("clerk", "pw");
    db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (?, ?, 1, 0, 0, 1)",
              {clerk, "moshaveran"});
    const Session s{"clerk", "ostan", clerk, {}};
    session() = s;
    EXPECT_TRUE(pages::open("N23", "moshaveran", db(), s));
    EXPECT_EQ(user().shownDialogs, QStringList{"moshaveran"});
    moshaveran &w = windows::get<moshaveran>();
    EXPECT_TRUE(w.N1->isEnabled());
    EXPECT_TRUE(w.N2->isEnabled());
    EXPECT_FALSE(w.N3->isEnabled());
    EXPECT_FALSE(w.N4->isEnabled());
    EXPECT_TRUE(w.N6->isEnabled());
    EXPECT_EQ(w.cnt->text(), "3");
}

TEST_P(ConsultantBrowserTest, AttachmentsFollowTheRightsOfTheStudiesAttachmentsPage)
{
    const qint64 clerk = addUser("clerk", "pw");
    session() = Session{"clerk", "ostan", clerk, {}};
    moshaveran &w = browser();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", second));
    w.attachments();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("شما دسترسي به اين صفحه را نداريد")});
    EXPECT_TRUE(user().shownDialogs.isEmpty());

    db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (?, ?, 0, 0, 0, 1)",
              {clerk, "zamaem_m"});
    user().clear();
    w.attachments();
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(user().shownDialogs, QStringList{"moshaveran_pic"});
}

INSTANTIATE_TEST_SUITE_P(Engines, ConsultantBrowserTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
