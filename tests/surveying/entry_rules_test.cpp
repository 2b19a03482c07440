// The survey entry window's computations and look-ups as a person meets them:
// which figures each amount takes, when a computed box recomputes, what an
// edit shows, the study made with a project and the village and scale look-ups.
#include "admin_fixture.h"
#include "contractors.h"
#include "naghshe_ins.h"
#include "sample.h"
#include "schema_tables.h"
#include "windows.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

#include "monedit.h"

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

class EntryRulesTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 4;
        size.contractors = 0;
        size.projects = size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        village = db().rows("SELECT * FROM abadiha ORDER BY id").front();
        session() = Session{"admin", "ostan", 1, {}};
    }
    // The window in register mode with its village taken from the registry.
    naghshe_ins &fresh()
    {
        naghshe_ins &w = windows::get<naghshe_ins>();
        w.startNew();
        w.cod->setCurrentText(village["cod"].toString());
        return w;
    }
    Row village;
};

TEST_P(EntryRulesTest, ContractAmountTakesTheInitialFiguresAndFeeTheFinalOnes)
{
    naghshe_ins &w = fresh();
    w.zarib_mantaghe->setText("1.2");
    w.por_price->setText("1,000,000");
    w.khali_price->setText("200,000");
    w.tajhiz_mablagh->setText("3,000,000");
    w.gps_mablagh->setMoney(Money::fromWhole(500000));
    // Initial figures.
    w.masahat_por1->setText("10");
    w.masahat_khali1->setText("5");
    w.zarib_kochaki1->setText("1.10");
    w.zarib_sobat1->setText("1.5");
    // Final figures, each different, so that a mix-up changes the result.
    w.masahat_por->setText("20");
    w.masahat_khali->setText("7");
    w.zarib_kochaki->setText("1.05");
    w.zarib_sobat->setText("1");

    // ((10 × 1,000,000 × 1.10 + 5 × 200,000) × 1.2 × 1.5) + 3,000,000 + 500,000
    w.computeContractAmount();
    EXPECT_EQ(w.prot_mablagh->text(), "25100000");
    // ((20 × 1,000,000 × 1.05 + 7 × 200,000) × 1.2 × 1) + 3,000,000 + 500,000
    w.computeFee();
    EXPECT_EQ(w.pardakhti->text(), "30380000");
}

TEST_P(EntryRulesTest, ComputedBoxesRecomputeOnlyWhenThePersonEntersThem)
{
    naghshe_ins &w = fresh();
    w.masahat_por->setText("10");
    w.por_price->setText("1,000,000");
    w.zarib_kochaki->setText("1");
    w.zarib_mantaghe->setText("1");
    w.tajhiz_mablagh->setText("0");
    w.gps_mablagh->setMoney(Money());
    w.pardakhti->setText("999");
    w.prot_mablagh->setText("777");
    auto focusIn = [](QWidget *box, Qt::FocusReason reason) {
        QFocusEvent event(QEvent::FocusIn, reason);
        QApplication::sendEvent(box, &event);
    };
    // The window reactivated, or a picker or list closed: typed amounts stay.
    for (Qt::FocusReason back : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        focusIn(w.pardakhti, back);
        focusIn(w.prot_mablagh, back);
        focusIn(w.zarib_kochaki1, back);
    }
    EXPECT_EQ(w.pardakhti->text(), "999");
    EXPECT_EQ(w.prot_mablagh->text(), "777");
    EXPECT_EQ(w.zarib_kochaki1->text(), "0");
    // Entering the box computes it.
    focusIn(w.pardakhti, Qt::TabFocusReason);
    EXPECT_EQ(w.pardakhti->text(), "10000000");
    focusIn(w.zarib_kochaki1, Qt::MouseFocusReason);
    EXPECT_EQ(w.zarib_kochaki1->text(), "1.10");
}

TEST_P(EntryRulesTest, EditShowsStoredFiguresAsThePersonWouldTypeThem)
{
    naghshe_ins &w = windows::get<naghshe_ins>();
    Row project;
    for (const QString &c : survey::projectColumns())
        project[c] = QString();
    project["id"] = 41;
    project["ostan"] = village["ostan"];
    project["city"] = village["city"];
    // An older row: measures with "/" for the point, amounts as the server gives them.
    project["zarib_mantaghe"] = "1/05";
    project["masahat_por"] = "16/27";
    project["masahat_khali"] = "3/5";
    project["zarib_sobat"] = "1/1";
    project["zarib_kochaki"] = "1/10";
    project["prot_mablagh"] = "250000000.0000";
    project["por_price"] = "1200000.0000";
    project["gps_mablagh"] = "8000000.5000";
    project["prot_typ"] = QStringLiteral("قرارداد");
    w.startEdit(project);
    EXPECT_EQ(w.zarib_mantaghe->text(), "1.05");
    EXPECT_EQ(w.masahat_por->text(), "16.27");
    EXPECT_EQ(w.masahat_khali->text(), "3.5");
    EXPECT_EQ(w.zarib_sobat->text(), "1.1");
    EXPECT_EQ(w.zarib_kochaki->text(), "1.1");
    EXPECT_EQ(w.prot_mablagh->text(), "250000000");
    EXPECT_EQ(w.por_price->text(), "1200000");
    EXPECT_EQ(w.gps_mablagh->money().plain(), "8000000.5");
    EXPECT_EQ(w.prot_typ->currentText(), QStringLiteral("قرارداد"));

    // The next project has no kind: the previous one's is not shown.
    project["id"] = 42;
    project["prot_typ"] = QString();
    w.startEdit(project);
    EXPECT_EQ(w.prot_typ->currentIndex(), -1);
    EXPECT_EQ(w.prot_typ->currentText(), "");
}

TEST_P(EntryRulesTest, AVillageWithAStudyKeepsTheProjectAndSaysSo)
{
    naghshe_ins &w = fresh();
    w.tamin_sal->setText("1400");
    w.tarh_typ->setCurrentText(QStringLiteral("هادي"));
    db().exec("INSERT INTO borvinat (city, rosta, etebar_sal, khanevar, tarh_typ, cod) VALUES (?, ?, '1400', ?, ?, 'old')",
              {village["city"], village["rosta"], village["khanevar"], QStringLiteral("هادي")});
    user().answers = {true};
    ASSERT_TRUE(w.registerProject());
    EXPECT_EQ(user().messageTexts(), (QStringList{QStringLiteral("ثبت شد"), survey::duplicateStudyMessage}));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe").toInt(), 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat").toInt(), 1);
    EXPECT_EQ(logRows(QStringLiteral("ثبت نقشه جديد")), 1);
    EXPECT_EQ(logRows(QStringLiteral("ثبت مطالعه جديد از بخش نقشه")), 0);
}

TEST_P(EntryRulesTest, TheStudyMadeWithAProjectHoldsNoNulls)
{
    naghshe_ins &w = fresh();
    w.tamin_sal->setText("1401");
    user().answers = {true};
    ASSERT_TRUE(w.registerProject());
    ASSERT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat").toInt(), 1);
    const Row study = db().rows("SELECT * FROM borvinat").front();
    for (const schema::Column &c : schema::findTable("borvinat")->columns) {
        const QString name = QString::fromLatin1(c.name).toLower();
        const QVariant value = study.value(name);
        switch (c.type) {
        case schema::ColType::NVarChar:
        case schema::ColType::NText:
            EXPECT_FALSE(value.isNull()) << name.toStdString();
            break;
        case schema::ColType::Int:
        case schema::ColType::BigInt:
        case schema::ColType::Float:
        case schema::ColType::Real:
        case schema::ColType::Money:
        case schema::ColType::Bit:
            EXPECT_FALSE(value.isNull()) << name.toStdString();
            break;
        default: break;
        }
    }
    EXPECT_EQ(study.value("moshaver_prot_no").toString(), "");
    EXPECT_EQ(study.value("tarh_emtiyaz").toDouble(), 0.0);
    EXPECT_EQ(study.value("etebar_sal").toString(), "1401");
    EXPECT_EQ(study.value("cod").toString(), village["cod"].toString());
    EXPECT_EQ(study.value("x").toString(), village["x"].toString());
}

TEST_P(EntryRulesTest, VillageAndScaleLookUps)
{
    db().exec("INSERT INTO naghshe_meghyas (scale, por_price, khali_price) VALUES (750, 2000000, 900000)");
    naghshe_ins &w = windows::get<naghshe_ins>();
    w.startNew();
    // A village name fills the code and figures while the code is empty.
    const std::vector<Row> villages = db().rows("SELECT * FROM abadiha ORDER BY id");
    const Row &first = villages[0];
    w.ostan->setCurrentText(first["ostan"].toString());
    w.city->setCurrentText(first["city"].toString());
    w.bakhsh->setCurrentText(first["bakhsh"].toString());
    w.dehestan->setCurrentText(first["dehestan"].toString());
    w.rosta->setCurrentText(first["rosta"].toString());
    EXPECT_EQ(w.cod->currentText(), first["cod"].toString());
    EXPECT_EQ(w.khanevar->text(), first["khanevar"].toString());
    // With a code already there another village name changes nothing.
    const Row &other = villages[1];
    w.dehestan->setCurrentText(other["dehestan"].toString());
    w.rosta->setCurrentText(other["rosta"].toString());
    EXPECT_EQ(w.cod->currentText(), first["cod"].toString());
    EXPECT_EQ(w.khanevar->text(), first["khanevar"].toString());

    // A known code fills everything; an unknown one empties the fields.
    w.cod->setCurrentText(other["cod"].toString());
    EXPECT_EQ(w.rosta->currentText(), other["rosta"].toString());
    EXPECT_EQ(w.jamiyat->text(), other["jamiyat"].toString());
    w.cod->setCurrentText("99999999");
    for (QComboBox *box : {w.ostan, w.city, w.bakhsh, w.dehestan, w.rosta})
        EXPECT_EQ(box->currentText(), "") << box->objectName().toStdString();
    for (QLineEdit *box : {w.x, w.y, w.khanevar, w.jamiyat, w.zarib_mantaghe})
        EXPECT_EQ(box->text(), "") << box->objectName().toStdString();

    // A scale sets both prices.
    w.scale->setCurrentText("750");
    EXPECT_EQ(w.por_price->text(), "2000000");
    EXPECT_EQ(w.khali_price->text(), "900000");
    w.scale->setCurrentText("1");
    EXPECT_EQ(w.por_price->text(), "2000000");
}

INSTANTIATE_TEST_SUITE_P(Engines, EntryRulesTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
