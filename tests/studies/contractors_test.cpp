#include "admin_fixture.h"
#include "browsergrid.h"
#include "contractor_filters.h"
#include "dateedit.h"
#include "filters.h"
#include "grid_rows.h"
#include "peymankaran.h"
#include "peymankaran_ins.h"
#include "peymankaran_list.h"
#include "peymankaran_src.h"
#include "windows.h"
#include "xlsxreader.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

namespace {
qint64 addContractor(const Db &db, const QString &kind, const QString &fname, const QString &lname,
                     const QString &company = {}, const QString &nation = {})
{
    TypedTexts t;
    t["typ"] = kind;
    t["fname"] = fname;
    t["lname"] = lname;
    t["comp_name"] = company;
    t["nation"] = nation;
    return study::insertContractor(db, t, study::readContractor(t), "admin");
}

void addAttachments(const Db &db, qint64 owner, int n)
{
    for (int i = 0; i < n; ++i)
        db.exec("INSERT INTO peymankaran_pic (peymankar_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)",
                {owner, QString("doc %1").arg(i), QByteArray("x")});
}
}  // namespace

class StudyContractorTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        const qint64 admin = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
        session() = Session{"admin", "admin", admin, {}};
        db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (?, 'peymankaran', 1, 1, 1, 1)",
                  {admin});
    }
    peymankaran_src &openBrowser()
    {
        peymankaran_src &browser = windows::get<peymankaran_src>();
        user().dialogs.push_back([](QDialog &) { return 0; });
        EXPECT_TRUE(browser.openChecked());
        return browser;
    }
    int count(const QString &table) { return db().scalar("SELECT COUNT(*) FROM " + table).toInt(); }
};

TEST_P(StudyContractorTest, RegisterRefusesDuplicateNamesByKind)
{
    addContractor(db(), legalPerson, QStringLiteral("علي"), QStringLiteral("احمدي"), QStringLiteral("پارس طرح"));
    peymankaran_ins &entry = windows::get<peymankaran_ins>();
    entry.startNew();
    EXPECT_TRUE(entry.haghighi->isChecked());
    // The company's representative has these names: a natural person with them is refused.
    entry.fname->setText(QStringLiteral("علی"));
    entry.lname->setText(QStringLiteral("احمدی"));
    EXPECT_FALSE(entry.insert());
    EXPECT_EQ(user().lastMessage(), study::duplicateContractorMessage);
    EXPECT_EQ(count("peymankaran"), 1);
    // A company is compared by its name only.
    entry.hoghoghi->setChecked(true);
    entry.comp_name->setText(QStringLiteral("پارس طرح"));
    EXPECT_FALSE(entry.insert());
    entry.comp_name->setText(QStringLiteral("نقش جهان"));
    entry.comp_dat->setDate("1390/02/03");
    entry.comp_rotbe->setText(QStringLiteral("۲"));
    EXPECT_TRUE(entry.insert());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ثبت شد"));
    const Row c = db().rows("SELECT * FROM peymankaran WHERE comp_name = ?", {QStringLiteral("نقش جهان")}).front();
    EXPECT_EQ(c["typ"].toString(), legalPerson);
    EXPECT_EQ(c["comp_rotbe"].toInt(), 2);
    EXPECT_EQ(c["comp_dat"].toString(), "1390/02/03");
    EXPECT_EQ(c["birthday"].toString(), emptyDateMask);
    // The first contractor's row and the company's, whose family name was typed with the Persian yeh.
    EXPECT_EQ(logRows(QStringLiteral(" ثبت پيمانکار جديد مطالعات ") + QStringLiteral("احمدي admin")), 2);
}

TEST_P(StudyContractorTest, AGradeThatIsNoNumberStoresNothing)
{
    peymankaran_ins &entry = windows::get<peymankaran_ins>();
    entry.startNew();
    entry.lname->setText("Ahmadi");
    entry.comp_rotbe->setText("A");
    EXPECT_FALSE(entry.insert());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("مقدار «رتبه مشاور» عدد صحيح نيست"));
    EXPECT_EQ(count("peymankaran"), 0);
    EXPECT_EQ(logRows(QStringLiteral("پيمانکار")), 0);
}

TEST_P(StudyContractorTest, EditKeepsAnotherKindAndNewEmptiesEveryInput)
{
    const qint64 odd = addContractor(db(), QStringLiteral("نامعلوم"), "Ali", "Ahmadi", "Pars");
    db().exec("UPDATE peymankaran SET comp_dat = '1399/01/05' WHERE id = ?", {odd});
    peymankaran_src &browser = openBrowser();
    user().dialogs.push_back([](QDialog &) { return 0; });
    browser.editContractor();
    peymankaran_ins &entry = windows::get<peymankaran_ins>();
    EXPECT_FALSE(entry.haghighi->isChecked() || entry.hoghoghi->isChecked());
    EXPECT_EQ(entry.comp_dat->date(), "1399/01/05");
    EXPECT_FALSE(entry.ins_btn->isVisibleTo(&entry));
    entry.father->setText("Hasan");
    EXPECT_TRUE(entry.edit());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ويرايش انجام شد"));
    EXPECT_EQ(db().scalar("SELECT typ FROM peymankaran WHERE id = ?", {odd}).toString(), QStringLiteral("نامعلوم"));
    EXPECT_EQ(db().scalar("SELECT father FROM peymankaran WHERE id = ?", {odd}).toString(), "Hasan");
    EXPECT_EQ(logRows(QStringLiteral(" ويرايش پيمانکار  Ahmadi admin")), 1);

    user().dialogs.push_back([](QDialog &) { return 0; });
    browser.newContractor();
    EXPECT_TRUE(entry.haghighi->isChecked());
    EXPECT_EQ(entry.comp_dat->date(), emptyDateMask);
    EXPECT_EQ(entry.father->text(), "");
    EXPECT_EQ(entry.comp_name->text(), "");
    EXPECT_TRUE(entry.ins_btn->isVisibleTo(&entry));
}

TEST_P(StudyContractorTest, BrowserColoursFiltersAndExport)
{
    const qint64 two = addContractor(db(), naturalPerson, "Ali", "Ahmadi");
    const qint64 three = addContractor(db(), naturalPerson, "Reza", "Bahrami");
    const qint64 four = addContractor(db(), legalPerson, "Hadi", "Cheraghi", "Pars");
    const qint64 five = addContractor(db(), legalPerson, "Taha", "Daneshi", "Tarh");
    addContractor(db(), QStringLiteral("نامعلوم"), "Omid", "Emami");
    addAttachments(db(), two, 2);
    addAttachments(db(), three, 3);
    addAttachments(db(), four, 4);
    addAttachments(db(), five, 5);
    peymankaran_src &browser = openBrowser();
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("پيمانکاران مطالعات"));
    EXPECT_EQ(browser.cnt->text(), "5");
    ASSERT_EQ(browser.DBGrid1->rowCount(), 5);
    EXPECT_EQ(bv::test::shownColumn(*browser.DBGrid1, "lname"),
              (QStringList{"Ahmadi", "Bahrami", "Cheraghi", "Daneshi", "Emami"}));
    EXPECT_EQ(browser.DBGrid1->rowColourAt(0), QColor(Qt::white));
    EXPECT_EQ(browser.DBGrid1->rowColourAt(1), QColor(Qt::green));
    EXPECT_EQ(browser.DBGrid1->rowColourAt(2), QColor(Qt::white));
    EXPECT_EQ(browser.DBGrid1->rowColourAt(3), QColor(Qt::green));
    EXPECT_FALSE(browser.DBGrid1->rowColourAt(4).isValid());

    // A click on a kind searches at once.
    browser.filters->typ->setCurrentIndex(1);
    emit browser.filters->typ->activated(1);
    EXPECT_EQ(browser.cnt->text(), "2");
    browser.filters->CheckBox1->setChecked(true);
    browser.filters->comp_name->setText("Pa");
    browser.search();
    EXPECT_EQ(browser.cnt->text(), "1");
    EXPECT_EQ(browser.DBGrid1->currentValue("comp_name").toString(), "Pars");

    browser.filters->reset();
    browser.filters->CheckBox1->setChecked(false);
    browser.filters->CheckBox3->setChecked(true);
    browser.filters->lname->setText("m");
    browser.search();
    ASSERT_EQ(browser.DBGrid1->rowCount(), 3);
    browser.exportList();
    ASSERT_EQ(user().opened.size(), 1);
    const bv::test::XlsxSheet sheet = bv::test::readXlsx(user().opened.front());
    EXPECT_EQ(sheet.text("A1"), QStringLiteral("شناسه"));
    EXPECT_EQ(sheet.text("C1"), QStringLiteral("فاميل"));
    EXPECT_TRUE(sheet.rightToLeft);
    for (int r = 2; r <= 4; ++r)
        EXPECT_EQ(sheet.cells.value("A" + QString::number(r)).border, "thin") << r;
    EXPECT_FALSE(sheet.has("A5"));
    // Columns without a heading of their own are headed by their names.
    QStringList headings;
    for (auto it = sheet.cells.begin(); it != sheet.cells.end(); ++it)
        if (it.key().endsWith(QLatin1Char('1')) && !it.key().endsWith(QLatin1String("11")))
            headings << it.value().text;
    EXPECT_TRUE(headings.contains("comp_rotbe"));
    EXPECT_TRUE(headings.contains("pic_count"));
}

TEST_P(StudyContractorTest, DeleteAsksThePasswordAndWarnsOfStudies)
{
    const qint64 id = addContractor(db(), naturalPerson, "Ali", "Ahmadi");
    db().exec("INSERT INTO borvinat (rosta, peymankar_id) VALUES ('r1', ?)", {id});
    db().exec("INSERT INTO borvinat (rosta, peymankar_id) VALUES ('r2', ?)", {id});
    addAttachments(db(), id, 1);
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, '1234')", {QStringLiteral("رمز حذف")});
    peymankaran_src &browser = openBrowser();
    // A wrong password, and the built-in one of old, delete nothing and say nothing.
    user().inputs = {QString("9999"), QString("5917")};
    browser.deleteContractor();
    browser.deleteContractor();
    EXPECT_EQ(count("peymankaran"), 1);
    EXPECT_TRUE(user().messages.empty());
    EXPECT_TRUE(user().questions.isEmpty());
    // The right one warns with the count of studies; "خير" keeps it.
    user().inputs = {QString("1234"), QString("1234")};
    user().answers = {false, true};
    browser.deleteContractor();
    ASSERT_EQ(user().questions.size(), 1);
    EXPECT_TRUE(user().questions[0].startsWith("2 "));
    EXPECT_EQ(count("peymankaran"), 1);
    browser.deleteContractor();
    EXPECT_EQ(count("peymankaran"), 0);
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_EQ(logRows(QStringLiteral(" حذف پيمانکار مطالعات Ahmadi admin")), 1);
    // Studies and attachments stay.
    EXPECT_EQ(count("borvinat"), 2);
    EXPECT_EQ(count("peymankaran_pic"), 1);
    EXPECT_EQ(browser.cnt->text(), "0");
}

TEST_P(StudyContractorTest, PickerKindClickWaitsAndDoubleClickPicks)
{
    addContractor(db(), legalPerson, "Reza", "Bahrami", "Pars");
    const qint64 ali = addContractor(db(), naturalPerson, "Ali", "Ahmadi");
    peymankaran_list &picker = windows::get<peymankaran_list>();
    picker.filters->typ->setCurrentIndex(2);
    user().dialogs.push_back([](QDialog &d) {
        auto &p = static_cast<peymankaran_list &>(d);
        EXPECT_EQ(p.cnt->text(), "2");
        p.filters->typ->setCurrentIndex(1);
        emit p.filters->typ->activated(1);
        EXPECT_EQ(p.cnt->text(), "2");
        EXPECT_TRUE(p.DBGrid1->isColumnHidden(p.DBGrid1->shownRows().columnIndex("degree_dat")));
        p.pickCurrent();
        return d.result();
    });
    const auto picked = picker.pick();
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->id, ali);
    EXPECT_EQ(picked->name, "Ali Ahmadi");
    EXPECT_EQ(picked->row.value("lname").toString(), "Ahmadi");
}

TEST_P(StudyContractorTest, AccountsForEveryContractorOnceAndForAdministratorsOnly)
{
    addContractor(db(), naturalPerson, QStringLiteral("علي"), QStringLiteral("احمدي"), {}, "0012345678");
    addContractor(db(), legalPerson, "Reza", "Bahrami", "Pars", "1111");
    addContractor(db(), QStringLiteral("نامعلوم"), "Omid", "Emami", {}, "2222");
    addContractor(db(), naturalPerson, "", "", {}, "3333");
    peymankaran_src &browser = openBrowser();
    const int before = count("users");
    session().level = "ostan";
    browser.createAccounts();
    EXPECT_EQ(user().lastMessage(), noAccessMessage);
    EXPECT_EQ(count("users"), before);

    session().level = "admin";
    user().clear();
    browser.createAccounts();
    browser.createAccounts();
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(count("users"), before + 2);
    const std::vector<Row> made = db().rows("SELECT id, us, ps, ver, lev FROM users WHERE us IN (?, ?) ORDER BY id",
                                            {QStringLiteral("احمدي علي"), "Pars"});
    ASSERT_EQ(made.size(), 2u);
    EXPECT_TRUE(isPasswordHash(made[0]["ps"].toString()));
    EXPECT_TRUE(verifyPassword("0012345678", made[0]["ps"].toString()));
    EXPECT_EQ(made[0]["lev"].toString(), "city");
    EXPECT_EQ(made[0]["ver"].toString(), "");
    for (const Row &account : made) {
        const std::optional<PageRights> r = pageRights(db(), account["id"].toLongLong(), "zamaem_m");
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->insert && r->view && !r->edit && !r->remove);
        EXPECT_TRUE(pageRights(db(), account["id"].toLongLong(), "moshaveran"));
        EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM dastrasi WHERE prs_id = ?", {account["id"]}).toInt(), 2);
        EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM dastrasi2 WHERE user_id = ?", {account["id"]}).toInt(), 0);
    }
    EXPECT_EQ(logRows(QStringLiteral("احمدي علي")), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, StudyContractorTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
