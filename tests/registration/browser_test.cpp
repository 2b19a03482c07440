#include "accounts.h"
#include "admin_fixture.h"
#include "attachment_window.h"
#include "attachments.h"
#include "browsergrid.h"
#include "filters.h"
#include "grid_rows.h"
#include "pages.h"
#include "registration_pages.h"
#include "sabt_search.h"
#include "sabt_src.h"
#include "sabti_mokatebat.h"
#include "sample.h"
#include "spreadsheetreader.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace bv;
using bv::test::AdminTest;
using bv::test::selectRow;
using bv::test::shownColumn;
using bv::test::user;

class JobSearchTest : public AdminTest {
protected:
    qint64 addJob(const QString &city, const QString &year, const QString &contractor = QStringLiteral("x"),
                  const QString &contract = QStringLiteral("1"))
    {
        return db().insert("INSERT INTO sabti (city, rosta, tamin_sal, peymankar, prot_no, cod) VALUES (?, ?, ?, ?, ?, ?)",
                           {city, city + QStringLiteral(" ده"), year, contractor, contract, "100" + year});
    }
    QList<qint64> listed(const sabt::JobFilters &f)
    {
        const Conditions c = sabt::jobConditions(db().dialect(), f);
        const ResultSet rows = sabt::jobList(db(), c);
        EXPECT_EQ(sabt::jobCount(db(), c), rows.size());
        QList<qint64> ids;
        for (int r = 0; r < rows.size(); ++r)
            ids << rows.value(r, "id").toLongLong();
        return ids;
    }
};

TEST_P(JobSearchTest, ListFiltersMatchAnyEntryAndNothingWhenEmpty)
{
    const qint64 a = addJob("Tabas", "1401"), b = addJob("Qom", "1402", "O'Neil & Co", "22-7"),
                 ab = addJob("Bandar", "1402"), none = addJob("Kish", "1401");
    EXPECT_EQ(listed({}), (QList<qint64>{a, b, ab, none}));

    sabt::JobFilters f;
    f.city = QStringList{};
    EXPECT_TRUE(listed(f).isEmpty());
    // Lower-case "a" and "b": Qom has neither, Kish neither.
    f.city = QStringList{"a", "b"};
    EXPECT_EQ(listed(f), (QList<qint64>{a, ab}));
    f.tamin_sal = "1402";
    EXPECT_EQ(listed(f), (QList<qint64>{ab}));

    f = {};
    f.peymankar = QStringList{"O'N"};
    EXPECT_EQ(listed(f), (QList<qint64>{b}));
    f.prot_no = QStringList{"2-", "zz"};
    EXPECT_EQ(listed(f), (QList<qint64>{b}));
    f.rosta = QStringList{"Qom ده"};
    EXPECT_EQ(listed(f), (QList<qint64>{b}));
    f.rosta = QStringList{"Tabas"};
    EXPECT_TRUE(listed(f).isEmpty());
}

TEST_P(JobSearchTest, ListShowsStatusTwiceAndHidesKeys)
{
    addJob("Tabas", "1401");
    const ResultSet rows = sabt::jobList(db(), sabt::jobConditions(db().dialect(), {}));
    EXPECT_EQ(rows.columns.first(), "city");
    EXPECT_GE(rows.columnIndex("status"), 0);
    EXPECT_GT(rows.columnIndex("status_s"), rows.columnIndex("status"));
    EXPECT_EQ(sabt::jobHeadings().value("status"), QStringLiteral("وضعيت"));
    EXPECT_EQ(sabt::jobHeadings().value("status_s"), QStringLiteral("نوع وضعيت"));
    for (const QString &hidden : sabt::hiddenJobColumns())
        EXPECT_GE(rows.columnIndex(hidden), 0) << hidden.toStdString();
    EXPECT_EQ(sabt::jobExportHeadings().size(), 15);
    for (const QString &column : sabt::jobExportHeadings().keys())
        EXPECT_GE(rows.columnIndex(column), 0) << column.toStdString();
}

TEST_P(JobSearchTest, ContractorChoicesListCompaniesThenFamilyNames)
{
    for (auto [lname, company] : {std::pair{"کريمي", ""}, {"احمدي", "پارس"}, {"", "آبادگران"}, {"احمدي", ""}})
        db().exec("INSERT INTO sabti_peyman (typ, fname, lname, company) VALUES ('حقيقي', 'x', ?, ?)",
                  {QString::fromUtf8(lname), QString::fromUtf8(company)});
    db().exec("INSERT INTO sabti_peyman (typ) VALUES ('حقيقي')");
    EXPECT_EQ(sabt::contractorItems(db()),
              (QStringList{QStringLiteral("آبادگران"), QStringLiteral("پارس"), QStringLiteral("احمدي"),
                           QStringLiteral("کريمي")}));
}

INSTANTIATE_TEST_SUITE_P(Engines, JobSearchTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

class RegistrationBrowserTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 3;
        size.villagesPerCounty = 6;
        size.contractors = 0;
        size.registrationContractors = 6;
        size.registrations = 40;
        size.projects = size.studies = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        admin = db().scalar("SELECT MIN(id) FROM users").toLongLong();
        std::map<QString, PageRights> rights;
        rights["sabt"] = {true, true, true, true};
        rights["zamaem_n"] = {true, true, true, true};
        saveRights(db(), admin, rights);
        session() = Session{"admin", "ostan", admin, {}};
        registerRegistrationPages();
    }

    // The browser as the main menu opens it; it keeps its filters between
    // openings, so each test unticks them first.
    sabt_src &opened()
    {
        sabt_src &w = windows::get<sabt_src>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        user().dialogs.push_back([](QDialog &) { return QDialog::Rejected; });
        EXPECT_TRUE(pages::open("N24", "sabt", db(), session()));
        return w;
    }
    // The spreadsheet the export item writes and opens; nullopt when none was opened.
    std::optional<SheetTable> exported(sabt_src &w)
    {
        user().opened.clear();
        w.N7->trigger();
        if (user().opened.size() != 1)
            return std::nullopt;
        std::optional<SheetTable> sheet = readSheet(user().opened.front());
        QFile::remove(user().opened.front());
        return sheet;
    }
    int count(const char *table, const QString &where = "1=1", const QVariantList &values = {})
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ").arg(table) + where, values).toInt();
    }

    qint64 admin = 0;
};

TEST_P(RegistrationBrowserTest, MainItemOpensSearchedWithItsRights)
{
    sabt_src &w = opened();
    EXPECT_EQ(user().shownDialogs, QStringList{"sabt_src"});
    EXPECT_EQ(w.cnt->text(), "40");
    EXPECT_EQ(w.DBGrid1->rowCount(), 40);
    EXPECT_TRUE(w.DBGrid1->isColumnHidden(w.DBGrid1->shownRows().columnIndex("id")));
    EXPECT_TRUE(w.DBGrid1->isColumnHidden(w.DBGrid1->shownRows().columnIndex("peymankar_id")));
    EXPECT_GT(w.city->count(), 0);
    EXPECT_GT(w.peymankar->count(), 0);
    EXPECT_TRUE(w.N1->isEnabled());

    std::map<QString, PageRights> rights;
    rights["sabt"] = {false, true, false, true};
    saveRights(db(), admin, rights);
    w.tamin_sal->setText("13");
    opened();
    EXPECT_EQ(w.tamin_sal->text(), "");
    EXPECT_FALSE(w.N1->isEnabled());
    EXPECT_TRUE(w.N2->isEnabled());
    EXPECT_FALSE(w.N3->isEnabled());
    EXPECT_TRUE(w.N5->isEnabled() && w.N6->isEnabled() && w.N8->isEnabled());

    rights["sabt"] = {true, true, true, false};
    saveRights(db(), admin, rights);
    user().clear();
    EXPECT_FALSE(pages::open("N24", "sabt", db(), session()));
    EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage});
    EXPECT_FALSE(w.N5->isEnabled());
}

TEST_P(RegistrationBrowserTest, FiltersCountAndDoubleClickAddsTheVillage)
{
    sabt_src &w = opened();
    w.list_city->check->setChecked(true);
    w.search();
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);

    const QString county = db().scalar("SELECT city FROM sabti ORDER BY id").toString();
    w.city->setEditText(QStringLiteral(" ") + county.left(3).replace(QChar(0x064A), QChar(0x06CC)) + QStringLiteral(" "));
    w.list_city->add->click();
    ASSERT_EQ(w.list_city->list->count(), 1);
    w.search();
    const int inCounty = count("sabti", "city LIKE ?", {"%" + county.left(3) + "%"});
    EXPECT_EQ(w.cnt->text(), QString::number(inCounty));
    EXPECT_GT(inCounty, 0);
    const QString year = w.DBGrid1->currentValue("tamin_sal").toString();
    w.CheckBox5->setChecked(true);
    w.tamin_sal->setText(year);
    w.search();
    EXPECT_EQ(w.cnt->text(), QString::number(count("sabti", "city LIKE ? AND tamin_sal LIKE ?",
                                                   {"%" + county.left(3) + "%", "%" + year + "%"})));
    for (const QString &y : shownColumn(*w.DBGrid1, "tamin_sal"))
        EXPECT_EQ(y, year);

    w.list_rosta->check->setChecked(true);
    const QString village = w.DBGrid1->currentValue("rosta").toString();
    emit w.DBGrid1->doubleClicked(w.DBGrid1->currentIndex());
    ASSERT_EQ(w.list_rosta->list->count(), 1);
    EXPECT_EQ(w.list_rosta->list->item(0)->text(), village);
    w.search();
    for (const QString &v : shownColumn(*w.DBGrid1, "rosta"))
        EXPECT_TRUE(v.contains(village));
}

TEST_P(RegistrationBrowserTest, DeleteAsksPasswordThenTellsTheLettersThatStay)
{
    sabt_src &w = opened();
    const qint64 job = db().scalar("SELECT MIN(sabti_id) FROM sabti_mokatebat").toLongLong();
    const int letters = count("sabti_mokatebat", "sabti_id = ?", {job});
    db().exec("INSERT INTO sabti_pic (sabti_id, cmt, pictyp, pic) VALUES (?, 'a', '.pdf', ?)", {job, QByteArray("x")});
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", job));
    const QString code = w.DBGrid1->currentValue("cod").toString();

    user().clear();
    user().inputs = {QString("wrong")};
    w.deleteJob();
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(count("sabti", "id = ?", {job}), 1);
    EXPECT_EQ(w.cnt->text(), "40");

    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", job));
    user().inputs = {QString("1234")};
    user().answers = {false};
    w.deleteJob();
    EXPECT_EQ(user().questions, QStringList{sabt::lettersStayQuestion(letters)});
    EXPECT_TRUE(user().questions.front().startsWith(QString::number(letters)));
    EXPECT_EQ(count("sabti", "id = ?", {job}), 1);

    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", job));
    user().clear();
    user().inputs = {QString("1234")};
    user().answers = {true};
    w.deleteJob();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("حذف شد")});
    EXPECT_EQ(count("sabti", "id = ?", {job}), 0);
    EXPECT_EQ(count("sabti_pic", "sabti_id = ?", {job}), 0);
    EXPECT_EQ(count("sabti_mokatebat", "sabti_id = ?", {job}), letters);
    EXPECT_EQ(count("log", "cmt = ?", {QStringLiteral(" حذف ثبتي ") + code + " admin"}), 1);
    EXPECT_EQ(w.cnt->text(), "39");
}

TEST_P(RegistrationBrowserTest, ExportHasTheFifteenHeadingsAndOneRowPerListedJob)
{
    sabt_src &w = opened();
    w.list_prot_no->check->setChecked(true);
    const QString contract = w.DBGrid1->currentValue("prot_no").toString();
    w.list_prot_no->append(contract);
    w.search();
    const int listed = w.DBGrid1->rowCount();
    ASSERT_GT(listed, 0);
    const std::optional<SheetTable> sheet = exported(w);
    ASSERT_TRUE(sheet);
    for (const QString &heading : sabt::jobExportHeadings())
        EXPECT_TRUE(sheet->columns.contains(heading)) << heading.toStdString();
    EXPECT_TRUE(sheet->columns.contains("zarib_k"));
    EXPECT_EQ(int(sheet->rows.size()), listed);
    const int column = int(sheet->columns.indexOf(QStringLiteral("شماره قرارداد")));
    for (const QStringList &row : sheet->rows)
        EXPECT_TRUE(row[column].contains(contract));
}

TEST_P(RegistrationBrowserTest, ALongListShowsItsFirstScreenAndExportsEveryJob)
{
    db().transaction([&] {
        for (int i = 0; i < sabt_src::firstScreenRows; ++i)
            db().exec("INSERT INTO sabti (city, rosta, tamin_sal) VALUES (?, ?, '1402')",
                      {QStringLiteral("طبس"), QStringLiteral("روستا %1").arg(i)});
    });
    const int total = 40 + sabt_src::firstScreenRows;
    sabt_src &w = opened();
    EXPECT_EQ(w.cnt->text().toInt(), total);
    EXPECT_EQ(w.DBGrid1->rowCount(), sabt_src::firstScreenRows);
    ASSERT_FALSE(w.DBGrid1->rowsComplete());
    const std::optional<SheetTable> sheet = exported(w);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(int(sheet->rows.size()), total);
    EXPECT_EQ(w.DBGrid1->rowCount(), total);
}

TEST_P(RegistrationBrowserTest, AttachmentsDocumentsAndPagesOpenFromTheMenu)
{
    sabt_src &w = opened();
    const qint64 job = w.DBGrid1->currentId().toLongLong();
    db().exec("INSERT INTO sabti_pic (sabti_id, cmt, pictyp, pic) VALUES (?, 'b', '.pdf', ?)", {job, QByteArray("x")});
    const int files = count("sabti_pic", "sabti_id = ?", {job});
    user().clear();
    int shown = -1;
    user().dialogs.push_back([&](QDialog &d) {
        shown = static_cast<AttachmentWindow &>(d).DBGrid1->rowCount();
        return QDialog::Rejected;
    });
    w.N4->trigger();
    EXPECT_EQ(user().shownDialogs, QStringList{"sabti_pic"});
    EXPECT_EQ(shown, files);

    user().clear();
    w.N10->trigger();
    EXPECT_EQ(user().shownDialogs, QStringList{"sabti_mostanadat"});

    // The letters of the current job, and the contractors.
    const qint64 writer = db().scalar("SELECT MIN(sabti_id) FROM sabti_mokatebat").toLongLong();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", writer));
    user().clear();
    QStringList letterJobs;
    user().dialogs.push_back([&](QDialog &d) {
        letterJobs = shownColumn(*static_cast<sabti_mokatebat &>(d).DBGrid1, "sabti_id");
        return QDialog::Rejected;
    });
    w.N9->trigger();
    EXPECT_EQ(user().shownDialogs, QStringList{"sabti_mokatebat"});
    EXPECT_EQ(letterJobs.size(), count("sabti_mokatebat", "sabti_id = ?", {writer}));
    EXPECT_EQ(letterJobs.count(QString::number(writer)), letterJobs.size());
    user().clear();
    w.N8->trigger();
    EXPECT_EQ(user().shownDialogs, QStringList{"sabti_peyman"});

    std::map<QString, PageRights> rights;
    rights["sabt"] = {true, true, true, true};
    saveRights(db(), admin, rights);
    user().clear();
    w.N4->trigger();
    EXPECT_TRUE(user().shownDialogs.isEmpty());
    EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage});

    user().clear();
    ASSERT_EQ(w.agreementItems.size(), 11);
    w.agreementItems[2]->trigger();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(user().documents.front().name, "sabt_gh3");
    EXPECT_TRUE(user().documents.front().text.contains("1.40"));
}

INSTANTIATE_TEST_SUITE_P(Engines, RegistrationBrowserTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
