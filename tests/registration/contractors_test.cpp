#include "accounts.h"
#include "admin_fixture.h"
#include "attachment_window.h"
#include "attachments.h"
#include "browsergrid.h"
#include "dateedit.h"
#include "filters.h"
#include "grid_rows.h"
#include "sabti_contractors.h"
#include "sabti_peyman.h"
#include "sabti_peyman_ins.h"
#include "windows.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace bv;
using bv::test::AdminTest;
using bv::test::selectRow;
using bv::test::user;

namespace {
sabt::ContractorTexts contractor(const QString &kind, const QString &fname, const QString &lname,
                                 const QString &company = {})
{
    sabt::ContractorTexts t;
    for (const QString &c : sabt::contractorColumns())
        t[c] = QString();
    t["typ"] = kind;
    t["fname"] = fname;
    t["lname"] = lname;
    t["company"] = company;
    t["birthday"] = t["comp_dat"] = emptyDateMask;
    return t;
}
}  // namespace

class RegistrationContractorTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        const qint64 admin = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
        session() = Session{"admin", "ostan", admin, {}};
    }

    sabti_peyman_ins &typeNew(const QString &fname, const QString &lname, const QString &company)
    {
        sabti_peyman_ins &w = windows::get<sabti_peyman_ins>();
        w.startNew();
        w.fname->setText(fname);
        w.lname->setText(lname);
        w.company->setText(company);
        return w;
    }

    int contractors() { return db().scalar("SELECT COUNT(*) FROM sabti_peyman").toInt(); }

    // Opens the contractors window for browsing and runs `inside` while it is shown.
    void browse(const std::function<void(sabti_peyman &)> &inside)
    {
        user().dialogs.push_back([&](QDialog &d) {
            inside(static_cast<sabti_peyman &>(d));
            return 0;
        });
        windows::get<sabti_peyman>().browse(QStringLiteral("1001"));
    }
};

TEST_P(RegistrationContractorTest, RegisterRefusesOnlyTheSameThreeNames)
{
    const QString company = QStringLiteral("پارس نقشه");
    ASSERT_TRUE(typeNew("Ali", "Karimi", company).insert());
    EXPECT_TRUE(typeNew("Ali", "Karimi", QStringLiteral("کاوش زمين")).insert());
    EXPECT_FALSE(typeNew("Ali", "Karimi", company).insert());
    EXPECT_EQ(user().messageTexts(), (QStringList{QStringLiteral("ثبت شد"), QStringLiteral("ثبت شد"),
                                                  QStringLiteral("خطا! شهرستان و روستا و نام پيمانکار و شماره قرارداد تکراري است")}));
    EXPECT_EQ(contractors(), 2);
    // No kind chosen stores an empty kind; empty dates store the empty mask.
    const Row stored = db().rows("SELECT * FROM sabti_peyman ORDER BY id").front();
    EXPECT_EQ(stored["typ"].toString(), "");
    EXPECT_EQ(stored["birthday"].toString(), emptyDateMask);
    EXPECT_EQ(stored["comp_dat"].toString(), emptyDateMask);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?", {QStringLiteral(" ثبت پيمانکار ثبتي جديد  Karimi admin")})
                  .toInt(),
              2);
}

TEST_P(RegistrationContractorTest, TypedTextIsNormalisedButThePortalPasswordKeptAsTyped)
{
    sabti_peyman_ins &w = typeNew(QStringLiteral("علی"), QStringLiteral("کريمی"), QString());
    w.hoghoghi->setChecked(true);
    w.nation->setText(QStringLiteral("۰۰۱۲۳۴۵۶۷۸"));
    w.cod_karbari->setText(QStringLiteral(" رمز۱۲ی "));
    w.tamin_shahr->setEditText(QStringLiteral("اراک"));
    w.madrak->setEditText(QStringLiteral("کارشناسی"));
    w.birthday->setDate("1360/05/04");
    ASSERT_TRUE(w.insert());
    const Row c = db().rows("SELECT * FROM sabti_peyman").front();
    EXPECT_EQ(c["typ"].toString(), sabt::legalPerson);
    EXPECT_EQ(c["fname"].toString(), QStringLiteral("علي"));
    EXPECT_EQ(c["lname"].toString(), QStringLiteral("کريمي"));
    EXPECT_EQ(c["nation"].toString(), "0012345678");
    EXPECT_EQ(c["cod_karbari"].toString(), QStringLiteral(" رمز۱۲ی "));
    EXPECT_EQ(c["madrak"].toString(), QStringLiteral("کارشناسي"));
    EXPECT_EQ(c["birthday"].toString(), "1360/05/04");
}

TEST_P(RegistrationContractorTest, HalfTypedDateWritesNothing)
{
    sabti_peyman_ins &w = typeNew("Ali", "Karimi", "");
    w.comp_dat->setText("1397");
    EXPECT_FALSE(w.insert());
    EXPECT_EQ(contractors(), 0);
    EXPECT_EQ(logRows("پيمانکار ثبتي"), 0);
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_TRUE(user().lastMessage().contains(QStringLiteral("تاريخ ثبت")));
}

TEST_P(RegistrationContractorTest, SearchFiltersAndTheGridAfterItsOwnEntries)
{
    sabt::insertContractor(db(), contractor(sabt::naturalPerson, "Ali", "Ahmadi"), "admin");
    sabt::insertContractor(db(), contractor(sabt::legalPerson, "Reza", "Bahrami", "Pars"), "admin");
    browse([&](sabti_peyman &w) {
        EXPECT_EQ(w.DBGrid1->rowCount(), 2);
        const int password = w.DBGrid1->shownRows().columnIndex("cod_karbari");
        ASSERT_GE(password, 0);
        EXPECT_TRUE(w.DBGrid1->isColumnHidden(password));
        w.typ->setCurrentIndex(1);
        w.search();
        ASSERT_EQ(w.DBGrid1->rowCount(), 1);
        EXPECT_EQ(w.DBGrid1->currentValue("company").toString(), "Pars");
        w.typ->setCurrentIndex(2);
        w.CheckBox1->setChecked(true);
        w.lname->setText("hma");
        w.search();
        ASSERT_EQ(w.DBGrid1->rowCount(), 1);
        EXPECT_EQ(w.DBGrid1->currentValue("fname").toString(), "Ali");
        w.CheckBox1->setChecked(false);
        w.CheckBox2->setChecked(true);
        w.company->setText("ar");
        w.search();
        EXPECT_EQ(w.DBGrid1->rowCount(), 1);
        w.CheckBox2->setChecked(false);
        w.search();

        // The grid lists again after a register and after an edit in the entry window.
        user().dialogs.push_back([](QDialog &d) {
            auto &entry = static_cast<sabti_peyman_ins &>(d);
            entry.fname->setText("Sara");
            entry.lname->setText("Karimi");
            entry.insert();
            return 0;
        });
        w.newContractor();
        EXPECT_EQ(w.DBGrid1->rowCount(), 3);
        ASSERT_TRUE(selectRow(*w.DBGrid1, "lname", "Ahmadi"));
        user().dialogs.push_back([](QDialog &d) {
            auto &entry = static_cast<sabti_peyman_ins &>(d);
            EXPECT_TRUE(entry.haghighi->isChecked());
            EXPECT_EQ(entry.lname->text(), "Ahmadi");
            entry.lname->setText("Ahmadi-Rad");
            entry.edit();
            return 0;
        });
        w.editContractor();
        EXPECT_EQ(w.DBGrid1->shownRows().value(0, "lname").toString(), "Ahmadi-Rad");
    });
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ويرايش شد"));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?",
                          {QStringLiteral("ويرايش پيمانکار ثبتي   Ahmadi-Rad admin")})
                  .toInt(),
              1);
}

TEST_P(RegistrationContractorTest, BothOpeningsEmptyTheNamesAndSearch)
{
    sabt::insertContractor(db(), contractor(sabt::naturalPerson, "Ali", "Ahmadi"), "admin");
    sabti_peyman &w = windows::get<sabti_peyman>();
    w.CheckBox1->setChecked(true);
    w.lname->setText("nobody");
    w.company->setText("nothing");
    user().dialogs.push_back([](QDialog &d) {
        auto &list = static_cast<sabti_peyman &>(d);
        EXPECT_EQ(list.lname->text(), "");
        EXPECT_EQ(list.company->text(), "");
        EXPECT_EQ(list.DBGrid1->rowCount(), 1);
        list.pickCurrent();  // a double click while browsing picks nothing
        return 0;
    });
    w.browse(QString());
    EXPECT_EQ(user().shownDialogs, QStringList{"sabti_peyman"});
}

TEST_P(RegistrationContractorTest, DoubleClickPicksNameAndIdByKind)
{
    const qint64 legal = sabt::insertContractor(db(), contractor(sabt::legalPerson, "Reza", "Bahrami", "Pars"), "admin");
    const qint64 natural = sabt::insertContractor(db(), contractor(sabt::naturalPerson, "Ali", "Ahmadi"), "admin");
    const qint64 none = sabt::insertContractor(db(), contractor("", "Sara", "Nouri", "Kavosh"), "admin");
    auto pickRow = [](qint64 id) {
        user().dialogs.push_back([id](QDialog &d) {
            auto &list = static_cast<sabti_peyman &>(d);
            EXPECT_TRUE(selectRow(*list.DBGrid1, "id", id));
            list.pickCurrent();
            return d.result();
        });
        return windows::get<sabti_peyman>().pick(QString());
    };
    const auto firm = pickRow(legal);
    ASSERT_TRUE(firm);
    EXPECT_EQ(firm->id, legal);
    EXPECT_EQ(firm->name, "Pars");
    const auto person = pickRow(natural);
    ASSERT_TRUE(person);
    EXPECT_EQ(person->id, natural);
    EXPECT_EQ(person->name, "Ali Ahmadi");
    const auto other = pickRow(none);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->id, none);
    EXPECT_FALSE(other->name);
    user().dialogs.push_back([](QDialog &) { return 0; });
    EXPECT_FALSE(windows::get<sabti_peyman>().pick(QString()));
}

TEST_P(RegistrationContractorTest, DeletingOneInUseWarnsWithTheJobCount)
{
    const qint64 id = sabt::insertContractor(db(), contractor(sabt::naturalPerson, "Ali", "Ahmadi"), "admin");
    for (const char *village : {"a", "b"})
        db().exec("INSERT INTO sabti (rosta, peymankar, peymankar_id) VALUES (?, 'Ali Ahmadi', ?)", {village, id});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, '1234')", {QStringLiteral("رمز حذف")});
    browse([&](sabti_peyman &w) {
        user().inputs = {QString("12345")};
        w.deleteContractor();
        EXPECT_TRUE(user().questions.isEmpty());
        EXPECT_EQ(contractors(), 1);

        user().inputs = {QString("1234")};
        user().answers = {false};
        w.deleteContractor();
        ASSERT_EQ(user().questions.size(), 1);
        EXPECT_TRUE(user().questions[0].startsWith("2 "));
        EXPECT_EQ(contractors(), 1);

        user().inputs = {QString("1234")};
        user().answers = {true};
        w.deleteContractor();
        EXPECT_EQ(contractors(), 0);
        EXPECT_EQ(w.DBGrid1->rowCount(), 0);
    });
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("حذف شد")});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?", {QStringLiteral(" حذف پيمانکار ثبتي  Ahmadi admin")})
                  .toInt(),
              1);
    // The jobs keep the contractor's name and key.
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM sabti WHERE peymankar_id = ?", {id}).toInt(), 2);
}

TEST_P(RegistrationContractorTest, AttachmentsBelongToTheContractorAndTheirDeleteLogNamesTheJob)
{
    const qint64 id = sabt::insertContractor(db(), contractor(sabt::naturalPerson, "Ali", "Ahmadi"), "admin");
    addAttachment(db(), attachment::sabti_peyman_pic(), {id}, {QStringLiteral("کارت ملي"), ".jpg", "x", {}});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, '1234')", {QStringLiteral("رمز حذف")});
    saveRights(db(), session().prsId, {{"zamaem_n", {true, true, true, true}}});
    browse([&](sabti_peyman &w) {
        user().dialogs.push_back([](QDialog &d) {
            auto &pics = static_cast<AttachmentWindow &>(d);
            EXPECT_EQ(pics.DBGrid1->rowCount(), 1);
            user().inputs = {QString("1234")};
            pics.deleteCurrent();
            return 0;
        });
        w.attachments();
    });
    EXPECT_EQ(user().shownDialogs, (QStringList{"sabti_peyman", "sabti_peyman_pic"}));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM sabti_peyman_pic").toInt(), 0);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?",
                          {QStringLiteral(" حذف ضمائم  پيمانکاران ثبتي 1001 admin")})
                  .toInt(),
              1);
}

INSTANTIATE_TEST_SUITE_P(Engines, RegistrationContractorTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
