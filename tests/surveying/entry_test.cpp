#include "admin_fixture.h"
#include "contractors.h"
#include "dateedit.h"
#include "money.h"
#include "monedit.h"
#include "naghshe_ins.h"
#include "peymankar_list.h"
#include "sample.h"
#include "windows.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace bv;
using bv::test::AdminTest;
using bv::test::TestDatabase;
using bv::test::user;

class EntryTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        contractsDb = std::make_unique<TestDatabase>(GetParam());
        contractsDb->open(dm().contracts());
        sample::createContractsRegister(dm().contracts());
        dm().contracts().exec("INSERT INTO prot (num, pdate, mablagh, name, ptime, engheza, etebar, salemali) "
                              "VALUES ('97/1001', '1397/07/01', '250000000', 'register name', '6', '1398/01/01', ?, '97')",
                              {QStringLiteral("استاني")});
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 5;
        size.contractors = 0;
        size.projects = size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        survey::ContractorTexts c;
        for (const QString &col : survey::contractorColumns())
            c[col] = QString();
        c["typ"] = survey::naturalPerson;
        c["fname"] = "Ali";
        c["lname"] = "Ahmadi";
        contractorId = survey::insertContractor(db(), c, "admin");
        village = db().rows("SELECT * FROM abadiha ORDER BY id").front();
        session() = Session{"admin", "ostan", 1, {}};
    }
    void TearDown() override
    {
        dm().contracts().close();
        AdminTest::TearDown();
    }

    // Fills the window as a person would in register mode.
    naghshe_ins &typeProject()
    {
        naghshe_ins &w = windows::get<naghshe_ins>();
        w.startNew();
        w.cod->setCurrentText(village["cod"].toString());
        w.prot_no->setCurrentText("97/1001");
        user().dialogs.push_back([](QDialog &d) {
            auto &picker = static_cast<peymankar_list &>(d);
            picker.pickCurrent();
            return d.result();
        });
        w.chooseContractor();
        w.masahat_por->setText("10");
        w.masahat_khali->setText("5");
        w.por_price->setText("1,000,000");
        w.khali_price->setText("200,000");
        w.zarib_mantaghe->setText("1.2");
        w.zarib_sobat->setText("1");
        w.tajhiz_mablagh->setText("3,000,000");
        w.gps_mablagh->setText("0");
        w.computeSmallness(false);
        w.computeFee();
        return w;
    }

    std::unique_ptr<TestDatabase> contractsDb;
    qint64 contractorId = 0;
    Row village;
};

TEST_P(EntryTest, RegisteringAProjectFromTheRegistryTheContractsAndThePicker)
{
    naghshe_ins &w = typeProject();
    EXPECT_EQ(w.city->currentText(), village["city"].toString());
    EXPECT_EQ(w.rosta->currentText(), village["rosta"].toString());
    EXPECT_EQ(w.prot_dat1->date(), "1397/07/01");
    EXPECT_EQ(w.tamin_sal->text(), "1397");
    EXPECT_EQ(w.prot_mablagh->text(), "250000000");
    EXPECT_EQ(w.peymankar_name->text(), "Ali Ahmadi");
    EXPECT_EQ(w.peymankar_id->text(), QString::number(contractorId));
    EXPECT_EQ(w.zarib_kochaki->text(), "1.10");
    EXPECT_EQ(w.pardakhti->text(), "17400000");

    user().answers = {false};
    ASSERT_TRUE(w.registerProject());
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ثبت شد")});
    const Row p = db().rows("SELECT * FROM naghshe").front();
    EXPECT_EQ(Money::fromVariant(p["por_price"]).plain(), "1000000");
    EXPECT_EQ(Money::fromVariant(p["pardakhti"]).plain(), "17400000");
    EXPECT_EQ(p["peymankar"].toString(), "Ali Ahmadi");
    EXPECT_EQ(p["peymankar_id"].toLongLong(), contractorId);
    EXPECT_EQ(p["tahvil_dat1"].toString(), emptyDateMask);
    EXPECT_EQ(p["tahvil_dat2"].toString(), emptyDateMask);
    EXPECT_EQ(p["tamin_loc"].toString(), QStringLiteral("استاني"));
    EXPECT_EQ(p["cod"].toString(), village["cod"].toString());

    // The same county, village, contract and contractor again.
    user().clear();
    naghshe_ins &again = typeProject();
    EXPECT_FALSE(again.registerProject());
    EXPECT_EQ(user().messageTexts(), QStringList{survey::duplicateProjectMessage});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe").toInt(), 1);
}

TEST_P(EntryTest, RefusalsWriteNothing)
{
    naghshe_ins &w = typeProject();
    w.jarime->setText("12x");
    EXPECT_FALSE(w.registerProject());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("مقدار «جريمه تاخير» مبلغ معتبر نيست"));
    w.jarime->setText("0");
    // An area never reads "1,2" as 12.
    w.masahat_por->setText("1,2");
    EXPECT_FALSE(w.registerProject());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("در «مساحت بافت پر» ويرگول پذيرفته نيست؛ اعشار را با نقطه بنويسيد"));
    w.masahat_por->setText("10");
    // A fee beyond what an amount holds is refused with a message; the field keeps its value.
    w.por_price->setText("922337203685477");
    user().clear();
    w.computeFee();
    EXPECT_EQ(user().messageTexts(), QStringList{NumberError(NumberError::Kind::Overflow).text()});
    EXPECT_EQ(w.pardakhti->text(), "17400000");
    w.por_price->setText("1,000,000");
    w.city->setCurrentText(QStringLiteral("ناموجود"));
    EXPECT_FALSE(w.registerProject());
    EXPECT_EQ(user().lastMessage(), survey::provinceMessage);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe").toInt(), 0);
}

TEST_P(EntryTest, EditKeepsTheStoredContractorAndIgnoresTheRegister)
{
    naghshe_ins &w = typeProject();
    user().answers = {true};
    ASSERT_TRUE(w.registerProject());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("نقشه در بخش مطالعات نيز ثبت شد"));
    db().exec("DELETE FROM peymankar");
    Row stored = db().rows("SELECT * FROM naghshe").front();
    w.startEdit(stored);
    EXPECT_EQ(w.peymankar_name->text(), "Ali Ahmadi");
    EXPECT_EQ(w.por_price->text(), "1000000");
    w.prot_dat1->setDate("1400/01/01");
    w.prot_no->setCurrentText("97/1001");  // edit mode: nothing is filled from the register
    EXPECT_EQ(w.prot_dat1->date(), "1400/01/01");
    w.masahat_por->setText("42");
    user().clear();
    ASSERT_TRUE(w.saveEdit());
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ويرايش انجام شد")});
    stored = db().rows("SELECT * FROM naghshe").front();
    EXPECT_EQ(stored["peymankar"].toString(), "Ali Ahmadi");
    EXPECT_EQ(stored["prot_dat1"].toString(), "1400/01/01");
    EXPECT_DOUBLE_EQ(db().scalar("SELECT masahat FROM borvinat").toDouble(), 42.0);
}

TEST_P(EntryTest, DefaultDatesAndLookupDefaults)
{
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, '15000000')", {QStringLiteral("مبلغ تجهيز")});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, '8000000')", {QStringLiteral("مبلغ جي پي اس")});
    naghshe_ins &w = windows::get<naghshe_ins>();
    w.startNew();
    EXPECT_EQ(w.tajhiz_mablagh->text(), "15000000");
    EXPECT_EQ(w.gps_mablagh->money(), Money::fromWhole(8000000));
    EXPECT_EQ(w.x->text(), "X");
    EXPECT_EQ(w.zarib_sobat->text(), "1");
    EXPECT_EQ(w.peymankar_name->text(), "?");
    w.show();
    QApplication::setActiveWindow(&w);
    w.tahvil_dat1->setFocus();
    w.tahvil_dat1->setDate("1397/06/30");
    w.cmt->setFocus();
    EXPECT_EQ(w.checklist_dat->date(), "1397/07/01");
    w.prot_dat2->setFocus();
    w.prot_dat2->setDate("1398/02/02");
    w.cmt->setFocus();
    EXPECT_EQ(w.tahvil_dat2->date(), "1398/02/02");
    w.hide();
}

TEST_P(EntryTest, AHalfTypedDateIsRefusedAndNothingIsWritten)
{
    naghshe_ins &w = typeProject();
    w.prot_dat1->setText("13970");  // "1397/0 /  "
    EXPECT_FALSE(w.registerProject());
    EXPECT_EQ(user().lastMessage(), invalidDateMessage(QStringLiteral("تاريخ قرارداد")));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe").toInt(), 0);

    w.prot_dat1->setDate("1397/07/01");
    user().answers = {false};
    ASSERT_TRUE(w.registerProject());
    const Row stored = db().rows("SELECT * FROM naghshe").front();
    w.startEdit(stored);
    w.masahat_por->setText("42");
    w.prot_dat1->setText("13970");
    user().clear();
    EXPECT_FALSE(w.saveEdit());
    EXPECT_EQ(user().messageTexts(), QStringList{invalidDateMessage(QStringLiteral("تاريخ قرارداد"))});
    // A date that does not exist: Mehr has thirty days.
    w.prot_dat1->setDate("1397/07/01");
    w.tahvil_dat1->setDate("1397/07/31");
    EXPECT_FALSE(w.saveEdit());
    EXPECT_EQ(user().lastMessage(), invalidDateMessage(QStringLiteral("تاريخ تحويل اوليه")));
    EXPECT_EQ(db().rows("SELECT * FROM naghshe").front(), stored);
    EXPECT_EQ(logRows(QStringLiteral("ويرايش نقشه")), 0);
}

TEST_P(EntryTest, EachEditedProjectShowsItsOwnKind)
{
    naghshe_ins &w = typeProject();
    w.prot_typ->setCurrentText(QStringLiteral("قرارداد"));
    user().answers = {false};
    ASSERT_TRUE(w.registerProject());
    typeProject();
    w.prot_no->setEditText("97/2002");
    user().answers = {false};
    ASSERT_TRUE(w.registerProject());
    const std::vector<Row> rows = db().rows("SELECT * FROM naghshe ORDER BY id");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["prot_typ"].toString(), QStringLiteral("قرارداد"));
    EXPECT_EQ(rows[1]["prot_typ"].toString(), "");

    auto kindAfterEdit = [&](const Row &row) {
        w.startEdit(row);
        EXPECT_TRUE(w.saveEdit());
        return db().scalar("SELECT prot_typ FROM naghshe WHERE id = ?", {row["id"]}).toString();
    };
    EXPECT_EQ(kindAfterEdit(rows[0]), QStringLiteral("قرارداد"));
    EXPECT_EQ(w.prot_typ->currentIndex(), 1);
    EXPECT_EQ(kindAfterEdit(rows[1]), "");
    // A kind outside the list is shown and kept.
    db().exec("UPDATE naghshe SET prot_typ = 'other kind' WHERE id = ?", {rows[1]["id"]});
    EXPECT_EQ(kindAfterEdit(db().rows("SELECT * FROM naghshe ORDER BY id")[1]), "other kind");
    EXPECT_EQ(kindAfterEdit(rows[0]), QStringLiteral("قرارداد"));
    EXPECT_EQ(w.prot_typ->count(), 2);
}

TEST_P(EntryTest, TypedDigitsAreStoredAsAscii)
{
    naghshe_ins &w = typeProject();
    w.tamin_sal->setText(QStringLiteral("۱۴۰۲"));
    w.paper_no->setText(QStringLiteral(" ۱۲/ک "));
    user().answers = {false};
    ASSERT_TRUE(w.registerProject());
    const Row p = db().rows("SELECT tamin_sal, paper_no FROM naghshe").front();
    EXPECT_EQ(p["tamin_sal"].toString(), "1402");
    EXPECT_EQ(p["paper_no"].toString(), QStringLiteral("12/ک"));
}

TEST_P(EntryTest, StoredDecimalsSurviveLoadAndSave)
{
    naghshe_ins &w = typeProject();
    user().answers = {true};
    ASSERT_TRUE(w.registerProject());
    const qint64 id = db().scalar("SELECT id FROM naghshe").toLongLong();
    db().exec("UPDATE naghshe SET gps_mablagh = ?, jarime = ?, masahat_por = ?, zarib_mantaghe = ? WHERE id = ?",
              {QStringLiteral("1250000.5"), QStringLiteral("1250000.0000"), QStringLiteral("16.27"),
               QStringLiteral("1.05"), id});
    w.startEdit(db().rows("SELECT * FROM naghshe").front());
    EXPECT_EQ(w.gps_mablagh->text(), "1,250,000.5");
    EXPECT_EQ(w.jarime->text(), "1250000");
    EXPECT_EQ(w.masahat_por->text(), "16.27");
    EXPECT_EQ(w.zarib_mantaghe->text(), "1.05");
    // (16.27 × 1,000,000 × 1.10 + 5 × 200,000) × 1.05 × 1 + 3,000,000 + 1,250,000.5 = 24,091,850.5
    w.computeFee();
    EXPECT_EQ(w.pardakhti->text(), "24091850");
    user().clear();
    ASSERT_TRUE(w.saveEdit());
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ويرايش انجام شد")});
    Row stored = db().rows("SELECT * FROM naghshe").front();
    EXPECT_EQ(Money::fromVariant(stored["gps_mablagh"]).plain(), "1250000.5");
    EXPECT_EQ(Money::fromVariant(stored["jarime"]).plain(), "1250000");
    EXPECT_EQ(Money::fromVariant(stored["pardakhti"]).plain(), "24091850");
    EXPECT_EQ(Decimal::fromVariant(stored["masahat_por"]).plain(), "16.27");
    EXPECT_EQ(Decimal::fromVariant(stored["zarib_mantaghe"]).plain(), "1.05");
    EXPECT_EQ(Decimal::fromVariant(db().scalar("SELECT masahat FROM borvinat")).plain(), "16.27");

    // A whole amount as the server hands it over stays the same amount.
    db().exec("UPDATE naghshe SET gps_mablagh = ? WHERE id = ?", {QStringLiteral("1250000.0000"), id});
    w.startEdit(db().rows("SELECT * FROM naghshe").front());
    EXPECT_EQ(w.gps_mablagh->text(), "1,250,000");
    ASSERT_TRUE(w.saveEdit());
    EXPECT_EQ(Money::fromVariant(db().scalar("SELECT gps_mablagh FROM naghshe")).plain(), "1250000");
}

INSTANTIATE_TEST_SUITE_P(Engines, EntryTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
