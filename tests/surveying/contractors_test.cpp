#include "accounts.h"
#include "admin_fixture.h"
#include "browsergrid.h"
#include "contractor_filters.h"
#include "contractors.h"
#include "dateedit.h"
#include "peymankar_ins.h"
#include "peymankar_list.h"
#include "peymankar_src.h"
#include "windows.h"

#include "filters.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

namespace {
survey::ContractorTexts contractor(const QString &kind, const QString &fname, const QString &lname,
                                   const QString &company = {})
{
    survey::ContractorTexts t;
    for (const QString &c : survey::contractorColumns())
        t[c] = QString();
    t["typ"] = kind;
    t["fname"] = fname;
    t["lname"] = lname;
    t["comp_name"] = company;
    t["birthday"] = "    /  /  ";
    return t;
}

void addAttachments(const Db &db, qint64 owner, int n)
{
    for (int i = 0; i < n; ++i)
        db.exec("INSERT INTO peymankar_pic (peymankar_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)",
                {owner, QString("doc %1").arg(i), QByteArray("x")});
}
}  // namespace

class ContractorTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        const qint64 admin = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
        session() = Session{"admin", "ostan", admin, {}};
    }
    void saveRightsForAdmin() { saveRights(db(), session().prsId, {{"peymankar", {true, true, true, true}}}); }
};

TEST_P(ContractorTest, DisplayNameByKind)
{
    Row natural{{"typ", survey::naturalPerson}, {"fname", "Ali"}, {"lname", "Karimi"}, {"comp_name", "X"}};
    EXPECT_EQ(contractorDisplayName(natural), "Ali Karimi");
    Row legal{{"typ", survey::legalPerson}, {"fname", "Ali"}, {"lname", "Karimi"}, {"comp_name", "Pars"}};
    EXPECT_EQ(contractorDisplayName(legal), "Pars");
    EXPECT_FALSE(contractorDisplayName(Row{{"typ", ""}}));
}

TEST_P(ContractorTest, DuplicatesCompareAllThreeNames)
{
    const QString company = QStringLiteral("پارس نقشه");
    survey::insertContractor(db(), contractor(survey::legalPerson, "Ali", "Karimi", company), "admin");
    EXPECT_TRUE(survey::contractorExists(db(), contractor(survey::legalPerson, "Ali", "Karimi", company)));
    EXPECT_FALSE(survey::contractorExists(db(), contractor(survey::legalPerson, "Reza", "Karimi", company)));

    peymankar_ins &entry = windows::get<peymankar_ins>();
    entry.startNew();
    entry.typ_hoghoghi->setChecked(true);
    entry.fname->setText("Reza");
    entry.lname->setText("Karimi");
    entry.comp_name->setText(company);
    EXPECT_TRUE(entry.insert());
    entry.startNew();
    entry.fname->setText("Reza");
    entry.lname->setText("Karimi");
    entry.comp_name->setText(company);
    EXPECT_FALSE(entry.insert());
    EXPECT_EQ(user().messageTexts(), (QStringList{QStringLiteral("ثبت شد"), survey::duplicateContractorMessage}));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM peymankar").toInt(), 2);
    EXPECT_EQ(db().scalar("SELECT birthday FROM peymankar WHERE fname = 'Reza'").toString(), "    /  /  ");
    EXPECT_EQ(logRows(QStringLiteral("ثبت پيمانکار جديد")), 2);
}

TEST_P(ContractorTest, BrowserColoursAndFilters)
{
    const qint64 natural = survey::insertContractor(db(), contractor(survey::naturalPerson, "Ali", "Ahmadi"), "admin");
    const qint64 legal = survey::insertContractor(db(), contractor(survey::legalPerson, "Reza", "Bahrami", "Pars"), "admin");
    addAttachments(db(), natural, 3);
    addAttachments(db(), legal, 4);
    saveRightsForAdmin();
    peymankar_src &browser = windows::get<peymankar_src>();
    user().dialogs.push_back([](QDialog &) { return 0; });
    ASSERT_TRUE(browser.openChecked());
    EXPECT_EQ(browser.cnt->text(), "2");
    ASSERT_EQ(browser.DBGrid1->rowCount(), 2);
    EXPECT_EQ(browser.DBGrid1->currentValue("lname").toString(), "Ahmadi");
    EXPECT_EQ(browser.DBGrid1->rowColourAt(0), QColor(Qt::green));  // natural person, 3 files
    EXPECT_EQ(browser.DBGrid1->rowColourAt(1), QColor(Qt::white));  // legal person, 4 files

    browser.filters->typ->setCurrentText(survey::legalPerson);
    browser.search();
    EXPECT_EQ(browser.cnt->text(), "1");
    browser.filters->typ->setCurrentIndex(2);
    browser.filters->CheckBox3->setChecked(true);
    browser.filters->lname->setText("hmad");
    browser.search();
    EXPECT_EQ(browser.DBGrid1->rowCount(), 1);
    EXPECT_EQ(browser.DBGrid1->currentValue("fname").toString(), "Ali");
}

TEST_P(ContractorTest, DeletingAContractorInUseAsksFirst)
{
    const qint64 id = survey::insertContractor(db(), contractor(survey::naturalPerson, "Ali", "Ahmadi"), "admin");
    db().exec("INSERT INTO naghshe (rosta, peymankar_id) VALUES ('r', ?)", {id});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, '1234')", {QStringLiteral("رمز حذف")});
    saveRightsForAdmin();
    peymankar_src &browser = windows::get<peymankar_src>();
    user().dialogs.push_back([](QDialog &) { return 0; });
    browser.openChecked();
    user().inputs = {QString("1234"), QString("1234")};
    user().answers = {false, true};
    browser.deleteContractor();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM peymankar").toInt(), 1);
    ASSERT_EQ(user().questions.size(), 1);
    EXPECT_TRUE(user().questions[0].startsWith("1 "));
    browser.deleteContractor();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM peymankar").toInt(), 0);
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_EQ(logRows(QStringLiteral("حذف پيمانکار نقشه برداري")), 1);
}

TEST_P(ContractorTest, PickerReturnsNameAndId)
{
    survey::insertContractor(db(), contractor(survey::legalPerson, "Reza", "Bahrami", "Pars"), "admin");
    const qint64 ali = survey::insertContractor(db(), contractor(survey::naturalPerson, "Ali", "Ahmadi"), "admin");
    user().dialogs.push_back([](QDialog &d) {
        static_cast<peymankar_list &>(d).pickCurrent();
        return d.result();
    });
    const auto picked = windows::get<peymankar_list>().pick();
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->id, ali);
    EXPECT_EQ(picked->name, "Ali Ahmadi");
}

TEST_P(ContractorTest, AHalfTypedBirthdayIsRefused)
{
    peymankar_ins &entry = windows::get<peymankar_ins>();
    entry.startNew();
    entry.fname->setText("Ali");
    entry.lname->setText("Ahmadi");
    entry.birthday->setText("1360");
    EXPECT_FALSE(entry.insert());
    EXPECT_EQ(user().messageTexts(), QStringList{invalidDateMessage(QStringLiteral("تاريخ تولد"))});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM peymankar").toInt(), 0);
    entry.birthday->setDate(QStringLiteral("1360/1/9"));
    entry.nation->setText(QStringLiteral("۰۰۱۲"));
    EXPECT_TRUE(entry.insert());
    const Row c = db().rows("SELECT birthday, nation FROM peymankar").front();
    EXPECT_EQ(c["birthday"].toString(), "1360/01/09");
    EXPECT_EQ(c["nation"].toString(), "0012");
}

INSTANTIATE_TEST_SUITE_P(Engines, ContractorTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
