#include "admin_fixture.h"
#include "borvinat_fee.h"
#include "borvinat_ins.h"
#include "borvinat_record.h"
#include "browsergrid.h"
#include "contractor_filters.h"
#include "dateedit.h"
#include "peymankaran.h"
#include "peymankaran_list.h"
#include "villages.h"
#include "widgets.h"
#include "windows.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

namespace {
const QString ostanName = QStringLiteral("مرکزي");
const QString cityName = QStringLiteral("اراک");
const QString villageName = QStringLiteral("سنجان");
}  // namespace

class StudyEntryTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        const qint64 admin = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
        session() = Session{"admin", "admin", admin, {}};
        const QString insert = "INSERT INTO abadiha (ostan, city, bakhsh, dehestan, rosta, cod, khanevar, jamiyat, x, y, "
                               "zaribDori, zaribMantaghe) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        db().exec(insert, {ostanName, cityName, QStringLiteral("مرکزي"), QStringLiteral("امانيه"), villageName,
                           "1001234", 70, 250, "49.6", "34.1", 1, 1});
        db().exec(insert, {ostanName, QStringLiteral("ساوه"), "b", "d", QStringLiteral("آوه"), "2005678", 40, 180,
                           "50.1", "35.0", 1.1, 1.2});
        db().exec("INSERT INTO setting (component, cmt) VALUES (?, '1')", {QStringLiteral("ضريب تعديل")});
        db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("انواع طرح"), QStringLiteral("طرح هادي")});
    }

    borvinat_ins &newStudy()
    {
        borvinat_ins &w = windows::get<borvinat_ins>();
        w.startNew();
        w.ostan->setEditText(ostanName);
        w.cod->setEditText("1001234");  // fills the village
        w.etebar_sal->setText("1402");
        return w;
    }
    int studies() { return db().scalar("SELECT COUNT(*) FROM borvinat").toInt(); }
};

TEST_P(StudyEntryTest, NewStudyStoresTheMaskZerosAndNullsAndLogs)
{
    borvinat_ins &w = newStudy();
    EXPECT_TRUE(w.ins_btn->isVisibleTo(&w));
    EXPECT_FALSE(w.edit_btn->isVisibleTo(&w));
    EXPECT_EQ(w.peymankar_name->text(), "?");
    EXPECT_EQ(w.city->currentText(), cityName);
    EXPECT_EQ(w.rosta->currentText(), villageName);
    EXPECT_EQ(w.jamiyat->text(), "250");
    EXPECT_EQ(w.roshd->text(), "0");
    EXPECT_EQ(w.masahat->text(), "");
    EXPECT_EQ(w.status->count(), 2);
    w.tarh_prot_dat->setDate("1402/03/04");
    QSignalSpy saved(&w, &borvinat_ins::saved);
    ASSERT_TRUE(w.registerStudy());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ثبت شد"));
    ASSERT_EQ(saved.size(), 1);
    const Row r = db().rows("SELECT * FROM borvinat").front();
    EXPECT_EQ(saved.front().front().toLongLong(), r["id"].toLongLong());
    EXPECT_EQ(r["movafeghat_dat"].toString(), "    /  /  ");
    EXPECT_EQ(r["tamdid_dat"].toString(), "    /  /  ");
    EXPECT_EQ(r["tarh_prot_dat"].toString(), "1402/03/04");
    EXPECT_EQ(r["x"].toString(), "49.6");
    EXPECT_EQ(r["etebar_sal"].toString(), "1402");
    EXPECT_EQ(r["peymankar_id"].toInt(), 0);
    EXPECT_EQ(Decimal::fromVariant(r["roshd"]), Decimal(0));
    EXPECT_TRUE(r["ejra_emtiyaz"].isNull());
    EXPECT_TRUE(r["masahat"].isNull());
    EXPECT_EQ(r["status"].toString(), "");
    EXPECT_EQ(logRows(QStringLiteral(" ثبت مطالعه جديد  1001234 admin")), 1);

    // The same county, village and year again, even with another plan type.
    newStudy();
    w.tarh_typ->setEditText(QStringLiteral("طرح هادي"));
    EXPECT_FALSE(w.registerStudy());
    EXPECT_EQ(user().lastMessage(), study::duplicateStudyMessage);
    EXPECT_EQ(studies(), 1);
    w.etebar_sal->setText("1403");
    EXPECT_TRUE(w.registerStudy());
    EXPECT_EQ(studies(), 2);
}

TEST_P(StudyEntryTest, UnreadableScoresAndUnknownCountiesStoreNothing)
{
    borvinat_ins &w = newStudy();
    w.tarh_emtiyaz->setText(QStringLiteral("خوب"));
    EXPECT_FALSE(w.registerStudy());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("مقدار «امتياز چک ليست شکلي و محتوايي طرح» عدد معتبر نيست"));
    w.tarh_emtiyaz->setText(QStringLiteral("۸۵٫۵"));
    w.khanevar->setText("70.5");
    EXPECT_FALSE(w.registerStudy());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("مقدار «تعداد خانوار موجود» عدد صحيح نيست"));
    w.khanevar->setText("70");
    w.city->setEditText(QStringLiteral("تهران"));
    EXPECT_FALSE(w.registerStudy());
    EXPECT_EQ(user().lastMessage(), provinceMessage);
    w.city->setEditText(cityName);
    w.komitefani_dat3->setText("1402/1");
    EXPECT_FALSE(w.registerStudy());
    EXPECT_EQ(studies(), 0);
    EXPECT_EQ(logRows(QStringLiteral("مطالعه")), 0);
    w.komitefani_dat3->setDate(emptyDateMask);
    // A fee shown with "/" as its point is stored with the point.
    w.prot_mablagh->setText("27/57");
    ASSERT_TRUE(w.registerStudy());
    const Row r = db().rows("SELECT tarh_emtiyaz, prot_mablagh FROM borvinat").front();
    EXPECT_EQ(Decimal::fromVariant(r["tarh_emtiyaz"]).plain(), "85.5");
    EXPECT_EQ(Money::fromVariant(r["prot_mablagh"]).plain(), "27.57");
}

TEST_P(StudyEntryTest, EditWritesTheOpenedStudyEvenIntoADuplicate)
{
    borvinat_ins &w = newStudy();
    ASSERT_TRUE(w.registerStudy());
    newStudy();
    w.etebar_sal->setText("1403");
    ASSERT_TRUE(w.registerStudy());
    const qint64 later = db().scalar("SELECT id FROM borvinat WHERE etebar_sal = '1403'").toLongLong();
    const qint64 contractor = study::insertContractor(db(), {{"typ", legalPerson}, {"lname", "Karimi"}, {"comp_name", "Pars"}},
                                                      study::readContractor({{"typ", legalPerson}, {"lname", "Karimi"},
                                                                             {"comp_name", "Pars"}}),
                                                      "admin");
    db().exec("UPDATE borvinat SET peymankar_id = ?, status = 'old stage', gis_emtiyaz2 = 9 WHERE id = ?", {contractor, later});
    const Row stored = db().rows("SELECT * FROM borvinat WHERE id = ?", {later}).front();
    w.startEdit(stored);
    EXPECT_FALSE(w.ins_btn->isVisibleTo(&w));
    EXPECT_EQ(w.peymankar_name->text(), "Karimi * Pars");
    EXPECT_EQ(w.peymankar_id->text(), QString::number(contractor));
    EXPECT_EQ(w.status->currentText(), "old stage");
    EXPECT_EQ(w.gis_emtiyaz2->text(), "9");
    w.etebar_sal->setText("1402");
    QSignalSpy saved(&w, &borvinat_ins::saved);
    ASSERT_TRUE(w.saveEdit());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ويرايش انجام شد"));
    EXPECT_EQ(saved.front().front().toLongLong(), later);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat WHERE etebar_sal = '1402'").toInt(), 2);
    EXPECT_EQ(db().scalar("SELECT status FROM borvinat WHERE id = ?", {later}).toString(), "old stage");
    EXPECT_EQ(logRows(QStringLiteral(" ويرايش مطالعه  1001234 admin")), 1);

    // A copy into a new year: the row but the new year's own fields.
    w.startCopy(db().rows("SELECT * FROM borvinat WHERE id = ?", {later}).front());
    EXPECT_TRUE(w.ins_btn->isVisibleTo(&w));
    EXPECT_EQ(w.ostan->currentText(), ostanName);
    EXPECT_EQ(w.gis_emtiyaz2->text(), "0");
    EXPECT_EQ(w.status->currentText(), "");
    EXPECT_EQ(w.tamdid_dat->date(), emptyDateMask);
    EXPECT_EQ(w.mojaz->text(), "");
    EXPECT_TRUE(w.etebar_sal->styleSheet().contains("yellow"));
    EXPECT_FALSE(w.registerStudy());
    EXPECT_EQ(user().lastMessage(), study::duplicateStudyMessage);
    w.etebar_sal->setText("1404");
    ASSERT_TRUE(w.registerStudy());
    const Row copy = db().rows("SELECT * FROM borvinat WHERE etebar_sal = '1404'").front();
    EXPECT_EQ(copy["peymankar_id"].toLongLong(), contractor);
    EXPECT_EQ(copy["status"].toString(), "");
    // The next new record shows no choice of the copied one.
    w.startNew();
    EXPECT_EQ(w.status->currentIndex(), -1);
    EXPECT_EQ(w.status->count(), 2);
}

TEST_P(StudyEntryTest, VillageCodeAndNameFillTheVillage)
{
    borvinat_ins &w = windows::get<borvinat_ins>();
    w.startNew();
    w.ostan->setEditText(ostanName);
    w.cod->setEditText("1001234");
    EXPECT_EQ(w.city->currentText(), cityName);
    EXPECT_EQ(w.khanevar->text(), "70");
    EXPECT_EQ(w.y->text(), "34.1");
    // A partial code empties the county down to the latitude; the province stays.
    w.cod->setEditText("100123");
    for (QComboBox *c : {w.city, w.bakhsh, w.dehestan, w.rosta})
        EXPECT_EQ(c->currentText(), "");
    for (QLineEdit *e : {w.khanevar, w.jamiyat, w.x, w.y})
        EXPECT_EQ(e->text(), "");
    EXPECT_EQ(w.ostan->currentText(), ostanName);
    // The village name fills the code only while it is empty.
    w.cod->setEditText("");
    w.city->setEditText(QStringLiteral("ساوه"));
    w.bakhsh->setEditText("b");
    w.dehestan->setEditText("d");
    EXPECT_TRUE(w.rosta->findText(QStringLiteral("آوه")) >= 0);
    w.rosta->setEditText(QStringLiteral("آوه"));
    EXPECT_EQ(w.cod->currentText(), "2005678");
    EXPECT_EQ(w.jamiyat->text(), "180");
    w.jamiyat->setText("999");
    w.rosta->setEditText(QStringLiteral("آوه "));
    EXPECT_EQ(w.jamiyat->text(), "999");
}

TEST_P(StudyEntryTest, ContractorPickAndRemoval)
{
    const auto add = [this](const QString &kind, const QString &fname, const QString &lname, const QString &company) {
        const TypedTexts t{{"typ", kind}, {"fname", fname}, {"lname", lname}, {"comp_name", company}};
        return study::insertContractor(db(), t, study::readContractor(t), "admin");
    };
    const qint64 ali = add(naturalPerson, "Ali", "Ahmadi", "");
    const qint64 odd = add(QStringLiteral("نامعلوم"), "Omid", "Zamani", "");
    borvinat_ins &w = newStudy();
    windows::get<peymankaran_list>().filters->typ->setCurrentIndex(2);
    auto pickRow = [](const QString &lname) {
        user().dialogs.push_back([lname](QDialog &d) {
            auto &p = static_cast<peymankaran_list &>(d);
            const ResultSet shown = p.DBGrid1->shownRows();
            for (int r = 0; r < shown.size(); ++r)
                if (shown.value(r, "lname").toString() == lname)
                    p.DBGrid1->setCurrentIndex(p.DBGrid1->model()->index(r, 1));
            p.pickCurrent();
            return d.result();
        });
    };
    pickRow("Ahmadi");
    w.chooseContractor();
    EXPECT_EQ(w.tarh_moshaver_name->text(), "Ali Ahmadi");
    EXPECT_EQ(w.peymankar_id->text(), QString::number(ali));
    pickRow("Zamani");
    w.chooseContractor();
    EXPECT_EQ(w.tarh_moshaver_name->text(), "Ali Ahmadi");
    EXPECT_EQ(w.peymankar_id->text(), QString::number(odd));
    ASSERT_TRUE(w.registerStudy());
    const Row r = db().rows("SELECT tarh_moshaver_name, peymankar_id FROM borvinat").front();
    EXPECT_EQ(r["tarh_moshaver_name"].toString(), "Ali Ahmadi");
    EXPECT_EQ(r["peymankar_id"].toLongLong(), odd);
    w.clearContractor();
    EXPECT_EQ(w.tarh_moshaver_name->text(), "");
    EXPECT_EQ(w.peymankar_id->text(), "0");
    EXPECT_EQ(w.peymankar_name->text(), "?");
}

TEST_P(StudyEntryTest, FeesComputedOnEnteringTheirFields)
{
    borvinat_ins &w = newStudy();
    w.masahat->setText("30");
    const auto enter = [](QWidget *field) {
        QFocusEvent in(QEvent::FocusIn);
        QCoreApplication::sendEvent(field, &in);
    };
    enter(w.prot_mablagh);
    EXPECT_EQ(w.prot_mablagh->text(), "27.57");
    enter(w.prot_mablagh_binofoz);
    EXPECT_EQ(w.prot_mablagh_binofoz->text(), "23.34");
    // Another field entered computes nothing.
    w.prot_mablagh->setText("1");
    enter(w.amel4);
    EXPECT_EQ(w.prot_mablagh->text(), "1");
    w.masahat->setText("12.5");
    user().clear();
    w.computeFee(w.prot_mablagh);
    EXPECT_EQ(user().lastMessage(), study::feeErrorMessage);
    EXPECT_EQ(w.prot_mablagh->text(), "1");
    // The adjustment coefficient comes from its lookup list.
    db().exec("UPDATE setting SET cmt = '2' WHERE component = ?", {QStringLiteral("ضريب تعديل")});
    w.masahat->setText("30");
    w.computeFee(w.prot_mablagh);
    EXPECT_EQ(w.prot_mablagh->text(), "55.14");
}

TEST_P(StudyEntryTest, EnterMovesAlongTheChainAndFocusColoursYellow)
{
    borvinat_ins &w = newStudy();
    w.show();
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    const auto press = [](QWidget *target) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QCoreApplication::processEvents();
    };
    w.cod->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.cod->styleSheet().contains("yellow"));
    press(w.cod->lineEdit());
    EXPECT_TRUE(w.x->hasFocus());
    EXPECT_FALSE(w.cod->styleSheet().contains("yellow"));
    EXPECT_TRUE(w.x->styleSheet().contains("yellow"));
    w.roshd->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.roshd->styleSheet().contains("yellow"));  // not one of the coloured fields
    press(w.roshd);
    EXPECT_TRUE(w.etebar_sal->hasFocus());
    press(w.etebar_sal);
    EXPECT_TRUE(w.tamin_loc->hasFocus());
    w.hide();
}

INSTANTIATE_TEST_SUITE_P(Engines, StudyEntryTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
