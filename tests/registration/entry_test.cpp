#include "abadiha.h"
#include "admin_fixture.h"
#include "browsergrid.h"
#include "dateedit.h"
#include "filters.h"
#include "grid_rows.h"
#include "monedit.h"
#include "sabt_ins.h"
#include "sabti_contractors.h"
#include "sabti_peyman.h"
#include "sample.h"
#include "villages.h"
#include "widgets.h"
#include "windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace bv;
using bv::test::AdminTest;
using bv::test::selectRow;
using bv::test::user;

class RegistrationEntryTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 5;
        size.contractors = size.registrationContractors = 0;
        size.projects = size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        sabt::ContractorTexts c;
        for (const QString &col : sabt::contractorColumns())
            c[col] = QString();
        c["typ"] = sabt::naturalPerson;
        c["fname"] = "Ali";
        c["lname"] = "Ahmadi";
        c["company"] = "Pars";
        contractorId = sabt::insertContractor(db(), c, "admin");
        villages = db().rows("SELECT * FROM abadiha ORDER BY id");
        session() = Session{"admin", "ostan", 1, {}};
        hook = QObject::connect(&windows::get<sabt_ins>(), &sabt_ins::registered, [this](qint64) { ++refreshes; });
    }
    void TearDown() override
    {
        QObject::disconnect(hook);
        AdminTest::TearDown();
    }

    // A new job on the first village under `contract`, the contractor chosen in its window.
    sabt_ins &typeJob(const QString &contract)
    {
        sabt_ins &w = windows::get<sabt_ins>();
        w.startNew();
        w.cod->setEditText(villages.front()["cod"].toString());
        w.prot_no->setText(contract);
        user().dialogs.push_back([](QDialog &d) {
            static_cast<sabti_peyman &>(d).pickCurrent();
            return d.result();
        });
        w.chooseContractor();
        return w;
    }
    int jobs() { return db().scalar("SELECT COUNT(*) FROM sabti").toInt(); }

    qint64 contractorId = 0;
    std::vector<Row> villages;
    QMetaObject::Connection hook;
    int refreshes = 0;
};

TEST_P(RegistrationEntryTest, NewJobDefaults)
{
    sabt_ins &w = windows::get<sabt_ins>();
    w.startNew();
    EXPECT_EQ(w.tedad_gh->text(), "0");
    EXPECT_EQ(w.mablagh_gh->text(), "0");
    EXPECT_EQ(w.zarib_gh_s->currentText(), "1");
    EXPECT_EQ(w.mablagh_gh_1->text(), "0");
    EXPECT_EQ(w.tarh->currentText(), "0");
    EXPECT_EQ(w.peymankar_name->text(), "?");
    EXPECT_EQ(w.peymankar_id->text(), "0");
    EXPECT_EQ(w.tajhiz->money(), Money::fromWhole(20000000));
    EXPECT_EQ(w.tedad->text(), "");
    EXPECT_EQ(w.prot_dat1->date(), emptyDateMask);
    EXPECT_FALSE(w.gh_chek->isChecked());
    EXPECT_FALSE(w.hek_chek->isChecked());
    EXPECT_FALSE(w.tedad->isEnabled());
    EXPECT_FALSE(w.tedad_s->isEnabled());
    EXPECT_FALSE(w.masahat_s->isEnabled());
    EXPECT_TRUE(w.ins_btn->isVisibleTo(&w));
    EXPECT_FALSE(w.edit_btn->isVisibleTo(&w));
    w.hek_chek->setChecked(true);
    EXPECT_TRUE(w.masahat->isEnabled());
    EXPECT_TRUE(w.jarime->isEnabled());
    EXPECT_FALSE(w.tedad->isEnabled());
    // Plan kinds from their lookup list at each opening.
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("نوع طرح ثبتي"), "X"});
    w.startNew();
    EXPECT_GE(w.tarh->findText("X"), 0);
}

TEST_P(RegistrationEntryTest, RegisterRefusesTheSameJobAndAcceptsAnotherContract)
{
    sabt_ins &w = typeJob("401");
    EXPECT_EQ(w.peymankar_name->text(), "Ali Ahmadi");
    EXPECT_EQ(w.peymankar_id->text(), QString::number(contractorId));
    // Disabled boxes are written too.
    w.tedad->setText("120");
    w.mablagh_gh->setText("1,500,000");
    w.masahat->setText("16.27");
    ASSERT_TRUE(w.registerJob());
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ثبت شد")});
    const Row job = db().rows("SELECT * FROM sabti").front();
    const Row &v = villages.front();
    EXPECT_EQ(job["city"].toString(), v["city"].toString());
    EXPECT_EQ(job["rosta"].toString(), v["rosta"].toString());
    EXPECT_EQ(job["peymankar"].toString(), "Ali Ahmadi");
    EXPECT_EQ(job["peymankar_id"].toLongLong(), contractorId);
    EXPECT_EQ(job["tedad"].toLongLong(), 120);
    EXPECT_EQ(Money::fromVariant(job["mablagh_gh"]), Money::fromWhole(1500000));
    EXPECT_EQ(Decimal::fromVariant(job["masahat"]), Decimal::fromScaled(1627, 2));
    EXPECT_EQ(job["tarh"].toString(), "0");
    EXPECT_EQ(job["prot_dat1"].toString(), emptyDateMask);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?",
                          {QStringLiteral(" ثبت ثبتي جديد  ") + v["rosta"].toString() + " admin"})
                  .toInt(),
              1);

    user().clear();
    EXPECT_FALSE(typeJob("401").registerJob());
    EXPECT_EQ(user().messageTexts(),
              QStringList{QStringLiteral("خطا! شهرستان و روستا و نام پيمانکار و شماره قرارداد تکراري است")});
    EXPECT_EQ(jobs(), 1);
    EXPECT_TRUE(typeJob("402").registerJob());
    EXPECT_EQ(jobs(), 2);
    EXPECT_EQ(refreshes, 2);
}

TEST_P(RegistrationEntryTest, UnreadableNumbersAndHalfTypedDatesWriteNothing)
{
    sabt_ins &w = typeJob("401");
    w.tedad->setText("12a");
    EXPECT_FALSE(w.registerJob());
    EXPECT_TRUE(user().lastMessage().contains(QStringLiteral("تعداد قطعه")));
    w.tedad->setText("12");
    w.zarib_m->setEditText("1,5");
    EXPECT_FALSE(w.registerJob());
    EXPECT_TRUE(user().lastMessage().contains(QStringLiteral("ضريب صعوبت")));
    w.zarib_m->setEditText("1.5");
    w.prot_dat2->setText("1397/0");
    EXPECT_FALSE(w.registerJob());
    EXPECT_TRUE(user().lastMessage().contains(QStringLiteral("تاريخ خاتمه قرارداد")));
    EXPECT_EQ(user().messages.size(), 3u);
    EXPECT_EQ(jobs(), 0);
    EXPECT_EQ(logRows(QStringLiteral("ثبت ثبتي جديد")), 0);
    EXPECT_EQ(refreshes, 0);
    w.prot_dat2->setDate("1397/01/30");
    EXPECT_TRUE(w.registerJob());
    EXPECT_EQ(db().scalar("SELECT zarib_m FROM sabti").toDouble(), 1.5);
}

TEST_P(RegistrationEntryTest, VillageByCodeAndByNames)
{
    const Row &first = villages.front();
    const Row &other = villages.back();
    ASSERT_NE(first["city"], other["city"]);
    const Village a = *villageByCode(db(), first["cod"].toString());
    const Village b = *villageByCode(db(), other["cod"].toString());
    sabt_ins &w = windows::get<sabt_ins>();
    w.startNew();
    w.cod->setEditText(a.cod);
    EXPECT_EQ(w.city->currentText(), a.city);
    EXPECT_EQ(w.bakhsh->currentText(), a.bakhsh);
    EXPECT_EQ(w.dehestan->currentText(), a.dehestan);
    EXPECT_EQ(w.rosta->currentText(), a.rosta);
    EXPECT_EQ(w.zarib_man->text(), a.zarib);
    EXPECT_GE(w.rosta->findText(a.rosta), 0);  // the lists follow the names

    // Names chosen while a code is present change neither the code nor the coefficient.
    w.city->setEditText(b.city);
    w.bakhsh->setEditText(b.bakhsh);
    w.dehestan->setEditText(b.dehestan);
    w.rosta->setEditText(b.rosta);
    EXPECT_EQ(w.cod->currentText(), a.cod);
    EXPECT_EQ(w.zarib_man->text(), a.zarib);

    // Without a code, the village chosen by its names brings both.
    w.startNew();
    EXPECT_EQ(w.city->currentText(), "");
    w.city->setEditText(b.city);
    EXPECT_GE(w.bakhsh->findText(b.bakhsh), 0);
    w.bakhsh->setEditText(b.bakhsh);
    w.dehestan->setEditText(b.dehestan);
    EXPECT_GE(w.rosta->findText(b.rosta), 0);
    w.rosta->setEditText(b.rosta);
    EXPECT_EQ(w.cod->currentText(), b.cod);
    EXPECT_EQ(w.zarib_man->text(), b.zarib);

    // "- - -" takes the code from the registry's window, its name filters emptied.
    abadiha &registry = windows::get<abadiha>();
    registry.CheckBox1->setChecked(true);
    registry.city->setText("no such county");
    user().dialogs.push_back([&](QDialog &) {
        EXPECT_EQ(registry.city->text(), "");
        EXPECT_TRUE(selectRow(*registry.DBGrid1, "cod", a.cod));
        emit registry.DBGrid1->doubleClicked(registry.DBGrid1->currentIndex());
        return registry.result();
    });
    emit w.Label51->clicked();
    EXPECT_EQ(w.cod->currentText(), a.cod);
    EXPECT_EQ(w.rosta->currentText(), a.rosta);
    registry.CheckBox1->setChecked(false);

    // A code no village has empties the names.
    w.cod->setEditText("no such code");
    EXPECT_EQ(w.city->currentText(), "");
    EXPECT_EQ(w.rosta->currentText(), "");
    EXPECT_EQ(w.zarib_man->text(), "");
}

TEST_P(RegistrationEntryTest, PricesFollowTheMethod)
{
    sabt_ins &w = windows::get<sabt_ins>();
    w.startNew();
    w.ravesh->setEditText("PPK");
    EXPECT_EQ(w.mablagh_gh->money(), Money::fromWhole(450000));
    w.ravesh_s->setEditText("RTK");
    EXPECT_EQ(w.mablagh_gh_s->money(), Money::fromWhole(520000));
    w.ravesh2->setEditText("PPK");
    EXPECT_EQ(w.zarib_p->text(), "2500000");
    w.ravesh_s_h->setEditText("RTK");
    EXPECT_EQ(w.zarib_p_s->text(), "2900000");
    w.ravesh->setEditText("GPS");
    EXPECT_EQ(w.mablagh_gh->text(), "");
    w.ravesh2->setEditText("ppk");
    EXPECT_EQ(w.zarib_p->text(), "");
}

TEST_P(RegistrationEntryTest, ComputedFieldsAndWhenTheyRun)
{
    sabt_ins &w = windows::get<sabt_ins>();
    w.startNew();
    w.tedad->setText("120");
    w.mablagh_gh->setText("1,500,000");
    w.zarib_gh_s->setEditText("1.5");
    w.computeParcelEstimate();
    EXPECT_EQ(w.mablagh_gh_1->text(), "270,000,000");
    w.tedad->setText("");
    w.computeParcelEstimate();
    EXPECT_EQ(w.mablagh_gh_1->text(), "0");

    w.tedad_s->setText("3");
    w.mablagh_gh_s->setText("3");
    w.zarib_s_s->setEditText("1.5");
    w.computeParcelCost();
    EXPECT_EQ(w.hazine_map->money(), Money::fromWhole(14));  // 13.5 to even

    w.masahat->setText("10");
    w.tedad_gh->setText("161");
    w.zarib_t->setText("keep");
    w.computeDensity();
    EXPECT_EQ(w.zarib_t->text(), "1.1");
    w.tedad_gh->setText("160");
    w.computeDensity();
    EXPECT_EQ(w.zarib_t->text(), "1.1");  // in the gap: left as it was
    w.computeSmallness();
    EXPECT_EQ(w.zarib_k->text(), "1.1");
    w.zarib_p->setText("2,500,000");
    w.zarib_t->setText("1.05");
    w.zarib_m->setEditText("1");
    w.zarib_man->setText("1");
    w.tajhiz->setText("25,000,000");
    w.computeHectareEstimate();
    EXPECT_EQ(w.mablagh_m_1->money(), Money::fromWhole(28875000 + 25000000));
    w.zarib_man->setText("");
    w.computeHectareEstimate();
    EXPECT_EQ(w.mablagh_m_1->text(), "0");
    // An amount beyond the range: its message and the fallback.
    w.zarib_man->setText("1");
    w.masahat->setText("99999999999999");
    w.computeHectareEstimate();
    EXPECT_EQ(w.mablagh_m_1->text(), "0");
    EXPECT_EQ(user().messages.size(), 1u);

    // Entering a computed field computes it.
    w.masahat->setText("4.99");
    w.hek_chek->setChecked(true);
    w.show();
    QApplication::setActiveWindow(&w);
    w.zarib_k->setFocus();
    EXPECT_EQ(w.zarib_k->text(), "1.2");
    w.masahat->setFocus();
    w.hide();
}

TEST_P(RegistrationEntryTest, EditWritesTheOpenedJobAndKeepsTheContractorText)
{
    ASSERT_TRUE(typeJob("401").registerJob());
    ASSERT_TRUE(typeJob("402").registerJob());
    const qint64 id = db().scalar("SELECT id FROM sabti WHERE prot_no = '401'").toLongLong();
    sabt_ins &w = windows::get<sabt_ins>();
    ASSERT_TRUE(w.startEdit(id));
    EXPECT_TRUE(w.gh_chek->isChecked());
    EXPECT_TRUE(w.hek_chek->isChecked());
    EXPECT_TRUE(w.edit_btn->isVisibleTo(&w));
    EXPECT_FALSE(w.ins_btn->isVisibleTo(&w));
    EXPECT_EQ(w.peymankar_name->text(), "Ahmadi * Pars");
    EXPECT_EQ(w.prot_no->text(), "401");
    EXPECT_EQ(w.rosta->currentText(), villages.front()["rosta"].toString());
    EXPECT_EQ(w.tarh->currentText(), "0");
    w.masahat->setText("12.5");
    w.status->setCurrentIndex(1);
    w.setResult(0);
    user().clear();
    ASSERT_TRUE(w.saveEdit());
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ويرايش انجام شد")});
    EXPECT_EQ(w.result(), 0);  // stays open
    EXPECT_EQ(refreshes, 2);   // an edit does not search the browser again
    Row job = sabt::jobRow(db(), id);
    EXPECT_EQ(job["peymankar"].toString(), "Ahmadi * Pars");
    EXPECT_EQ(job["status"].toString(), QStringLiteral("موقت"));
    EXPECT_EQ(Decimal::fromVariant(job["masahat"]), Decimal::fromScaled(125, 1));
    EXPECT_EQ(sabt::jobRow(db(), id + 1)["peymankar"].toString(), "Ali Ahmadi");
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt = ?",
                          {QStringLiteral(" ويرايش ثبتي  ") + villages.front()["rosta"].toString() + " admin"})
                  .toInt(),
              1);

    // Opened again, it shows what was saved; with its contractor gone the stored text stays.
    db().exec("DELETE FROM sabti_peyman");
    db().exec("UPDATE sabti SET peymankar = 'Ali Ahmadi' WHERE id = ?", {id});
    ASSERT_TRUE(w.startEdit(id));
    EXPECT_EQ(w.masahat->text(), "12.5");
    EXPECT_EQ(w.status->currentText(), QStringLiteral("موقت"));
    EXPECT_EQ(w.peymankar_name->text(), "Ali Ahmadi");
    ASSERT_TRUE(w.saveEdit());
    EXPECT_EQ(sabt::jobRow(db(), id)["peymankar"].toString(), "Ali Ahmadi");
    EXPECT_FALSE(w.startEdit(id + 100));
}

TEST_P(RegistrationEntryTest, LinksAndDateCaptions)
{
    sabt_ins &w = windows::get<sabt_ins>();
    w.startNew();
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(w.Label40, &enter);
    EXPECT_EQ(w.Label40->font().pointSize(), 10);
    EXPECT_TRUE(w.Label40->font().bold());
    EXPECT_EQ(w.Label40->palette().color(QPalette::WindowText), QColor(Qt::green));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.Label40, &leave);
    EXPECT_EQ(w.Label40->font().pointSize(), 8);
    EXPECT_FALSE(w.Label40->font().bold());
    QApplication::sendEvent(w.Label41, &enter);
    EXPECT_EQ(w.Label41->palette().color(QPalette::WindowText), QColor(Qt::red));

    w.peymankar_name->setText("x");
    w.peymankar_id->setText("5");
    emit w.Label41->clicked();
    EXPECT_EQ(w.peymankar_name->text(), "?");
    EXPECT_EQ(w.peymankar_id->text(), "0");

    w.status_dat_h->setDate("1400/02/03");
    w.prot_dat1->setDate("1400/02/03");
    int captions = 0;
    for (ClickLabel *caption : w.findChildren<ClickLabel *>()) {
        if (caption->text() == QStringLiteral("تاريخ وضعيت") || caption->text() == QStringLiteral("تاريخ قرارداد")) {
            emit caption->clicked();
            ++captions;
        }
    }
    EXPECT_EQ(captions, 3);
    EXPECT_EQ(w.status_dat_h->date(), emptyDateMask);
    EXPECT_EQ(w.prot_dat1->date(), emptyDateMask);
}

TEST_P(RegistrationEntryTest, AContractorOfNeitherKindKeepsTheLabel)
{
    db().exec("UPDATE sabti_peyman SET typ = ''");
    sabt_ins &w = typeJob("401");
    EXPECT_EQ(w.peymankar_name->text(), "?");
    EXPECT_EQ(w.peymankar_id->text(), QString::number(contractorId));
    EXPECT_EQ(user().shownDialogs, QStringList{"sabti_peyman"});
}

INSTANTIATE_TEST_SUITE_P(Engines, RegistrationEntryTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
