#include "consultants_fixture.h"
#include "dateedit.h"
#include "moshaveran_ins.h"
#include "moshaveran_ins2.h"
#include "moshaveran_steps.h"
#include "windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace bv;
using namespace bv::consultants;
using bv::test::ConsultantsTest;
using bv::test::user;

class ConsultantWindowTest : public ConsultantsTest {
protected:
    // A new job on village `v` typed into the window, nothing chosen in the steps.
    moshaveran_ins &typeJob(int v, const QString &contractDate = QStringLiteral("14020115"))
    {
        moshaveran_ins &w = windows::get<moshaveran_ins>();
        w.startNew();
        w.city->setEditText(villages[size_t(v)]["city"].toString());
        w.bakhsh->setEditText(villages[size_t(v)]["bakhsh"].toString());
        w.dehestan->setEditText(villages[size_t(v)]["dehestan"].toString());
        w.rosta->setEditText(villages[size_t(v)]["rosta"].toString());
        w.moshaver->setEditText(QStringLiteral("کريمي رضا"));
        w.moshaver_dat1->setText(contractDate);
        return w;
    }
    QStringList listed(const QListWidget *list, Qt::CheckState state)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == state)
                out << list->item(i)->text();
        return out;
    }
    int jobs() { return db().scalar("SELECT COUNT(*) FROM moshaveran").toInt(); }
};

TEST_P(ConsultantWindowTest, AStepLeftUnansweredStoresAStarAndReopensUnselected)
{
    moshaveran_ins &w = typeJob(0);
    EXPECT_EQ(w.cod->currentText(), villages[0]["cod"].toString());  // the village set the empty code
    EXPECT_GE(w.moshaver->findText(QStringLiteral("مهندسين مشاور آبادگران")), 0);
    EXPECT_GE(w.amel4_name->findText(QStringLiteral("جواد موسوي")), 0);
    EXPECT_TRUE(w.ins_btn->isVisibleTo(&w));
    EXPECT_FALSE(w.edit_btn->isVisibleTo(&w));
    w.dehyar->choice->yesButton->setChecked(true);
    w.dehyar->dat->setText("14020310");
    w.dehyar->tick->setChecked(true);
    w.shahr_map->choice->noButton->setChecked(true);
    w.harim->yesButton->setChecked(true);
    ASSERT_TRUE(w.registerJob());
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ثبت شد")});
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const qint64 id = db().scalar("SELECT id FROM moshaveran").toLongLong();
    const Row r = stored(id);
    EXPECT_EQ(r["bazdid"].toString(), "*");
    EXPECT_EQ(r["bazdid_dat"].toString(), emptyCompactDate);
    EXPECT_EQ(r["bazdid_t"].toString(), notApproved);
    EXPECT_EQ(r["dehyar"].toString(), yes);
    EXPECT_EQ(r["dehyar_dat"].toString(), "14020310");
    EXPECT_EQ(r["dehyar_t"].toString(), approved);
    EXPECT_EQ(r["shahr_map"].toString(), no);
    EXPECT_EQ(r["harim"].toString(), yes);
    EXPECT_EQ(r["tahvil_map"].toString(), "*");
    EXPECT_EQ(r["karbar"].toString(), "admin");

    // Reopened after another job was shown: every step as stored.
    w.startEdit(id);
    w.bazdid->choice->yesButton->setChecked(true);
    ASSERT_TRUE(w.startEdit(id));
    EXPECT_FALSE(w.ins_btn->isVisibleTo(&w));
    EXPECT_TRUE(w.edit_btn->isVisibleTo(&w));
    EXPECT_FALSE(w.bazdid->choice->yesButton->isChecked());
    EXPECT_FALSE(w.bazdid->choice->noButton->isChecked());
    EXPECT_EQ(w.bazdid->stored(), "*");
    EXPECT_TRUE(w.dehyar->choice->yesButton->isChecked());
    EXPECT_EQ(w.dehyar->date(), "14020310");
    EXPECT_TRUE(w.dehyar->tick->isChecked());
    EXPECT_TRUE(w.shahr_map->choice->noButton->isChecked());
    EXPECT_EQ(w.tahvil_map->stored(), "*");
    EXPECT_EQ(w.cod->currentText(), villages[0]["cod"].toString());
}

TEST_P(ConsultantWindowTest, ACityLevelUserRecordsStepsButCannotApprove)
{
    session() = Session{"arak", "city", 2, {}};
    moshaveran_ins &w = typeJob(0);
    for (StepRow *row : {w.bazdid, w.estelam, w.dehyar, w.shahr_map, w.shahr_jalase, w.behengam, w.fani})
        EXPECT_FALSE(row->tick->isEnabled());
    w.bazdid->choice->yesButton->setChecked(true);
    ASSERT_TRUE(w.registerJob());
    const qint64 id = db().scalar("SELECT id FROM moshaveran").toLongLong();
    const Row r = stored(id);
    for (const Step &s : stepsOf(false))
        EXPECT_EQ(r[s.approvalColumn()].toString(), notApproved) << s.column.toStdString();
    EXPECT_EQ(r["karbar"].toString(), "arak");

    moshaveran_ins2 &later = windows::get<moshaveran_ins2>();
    ASSERT_TRUE(later.startLater(id));
    EXPECT_FALSE(later.nazar_cmt->isEnabled());
    EXPECT_FALSE(later.eblagh->tick->isEnabled());
    // Another user in the same run gets the boxes back.
    session() = Session{"admin", "ostan", 1, {}};
    ASSERT_TRUE(later.startLater(id));
    EXPECT_TRUE(later.nazar_cmt->isEnabled());
    EXPECT_TRUE(later.eblagh->tick->isEnabled());
    ASSERT_TRUE(w.startEdit(id));
    EXPECT_TRUE(w.fani->tick->isEnabled());
}

TEST_P(ConsultantWindowTest, AHalfTypedDateIsRefusedByName)
{
    moshaveran_ins &w = typeJob(0);
    w.behengam->dat->setText("140203");
    EXPECT_FALSE(w.registerJob());
    EXPECT_EQ(user().messageTexts(),
              QStringList{invalidDateMessage(QStringLiteral("به هنگام سازي نقشه پايه (ارزيابي نقشه پايه توسط مشاور)"))});
    w.behengam->dat->setText("");
    w.amel4_dat->setText("14021230");  // no 30th of Esfand in 1402
    EXPECT_FALSE(w.registerJob());
    EXPECT_EQ(user().lastMessage(), invalidDateMessage(QStringLiteral("تاريخ قرارداد عامل چهارم")));
    EXPECT_EQ(jobs(), 0);
    EXPECT_EQ(logRows(QStringLiteral("ثبت مشاوران")), 0);

    w.amel4_dat->setText("");
    ASSERT_TRUE(w.registerJob());
    moshaveran_ins2 &later = windows::get<moshaveran_ins2>();
    const qint64 id = db().scalar("SELECT id FROM moshaveran").toLongLong();
    ASSERT_TRUE(later.startLater(id));
    later.albom->dat->setText("1403");
    EXPECT_FALSE(later.saveLater());
    EXPECT_EQ(stored(id)["albom_dat"].toString(), "");
}

TEST_P(ConsultantWindowTest, TheSameJobInAnotherDistrictIsADuplicate)
{
    ASSERT_TRUE(typeJob(0).registerJob());
    user().clear();
    moshaveran_ins &w = typeJob(0);
    w.bakhsh->setEditText(QStringLiteral("بخش ديگر"));
    EXPECT_FALSE(w.registerJob());
    EXPECT_EQ(user().messageTexts(),
              QStringList{QStringLiteral("خطا! شهرستان و روستا و نام مشاور طرح و نقشه و سال اعتبار تکراري است")});
    EXPECT_EQ(jobs(), 1);
    w.moshaver_dat1->setText("14030115");
    EXPECT_TRUE(w.registerJob());
    EXPECT_EQ(jobs(), 2);
}

TEST_P(ConsultantWindowTest, OfficesAddedTwiceAreStoredOnceAndEditStoresThemAsTicked)
{
    moshaveran_ins &w = typeJob(0);
    EXPECT_EQ(listed(w.estelam_name, Qt::Unchecked).size(), 3);
    EXPECT_TRUE(listed(w.estelam_name, Qt::Checked).isEmpty());
    const QString typedOffice = QStringLiteral("اداره ميراث فرهنگ");
    w.estelam_n->setText(typedOffice);
    w.addOffice();
    w.estelam_n->setText(QStringLiteral("اداره ميراث فرهنگ "));
    w.addOffice();
    w.estelam_name->item(0)->setCheckState(Qt::Checked);  // the first office of the lookup list
    const QString listedOffice = w.estelam_name->item(0)->text();
    EXPECT_EQ(w.estelam_name->count(), 4);
    ASSERT_TRUE(w.registerJob());
    const qint64 id = db().scalar("SELECT id FROM moshaveran").toLongLong();
    QStringList expected{typedOffice, listedOffice};
    expected.sort();
    QStringList got = offices(id);
    got.sort();
    EXPECT_EQ(got, expected);

    // The later steps written meanwhile survive the edit.
    moshaveran_ins2 &later = windows::get<moshaveran_ins2>();
    ASSERT_TRUE(later.startLater(id));
    later.tasvib->choice->yesButton->setChecked(true);
    later.tasvib->dat->setText("14030101");
    later.nazar_cmt->setText(QStringLiteral("قابل قبول"));
    ASSERT_TRUE(later.saveLater());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ويرايش انجام شد"));

    session() = Session{"other", "ostan", 5, {}};
    ASSERT_TRUE(w.startEdit(id));
    EXPECT_EQ(listed(w.estelam_name, Qt::Checked).size(), 2);
    EXPECT_EQ(w.estelam_name->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(w.estelam_name->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(w.estelam_name->count(), 4);  // the lookup list's other two, unticked
    for (int i = 0; i < 2; ++i)
        if (w.estelam_name->item(i)->text() == typedOffice)
            w.estelam_name->item(i)->setCheckState(Qt::Unchecked);
    w.amel4_no->setText("4/77");
    ASSERT_TRUE(w.saveEdit());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ويرايش انجام شد"));
    const Row r = stored(id);
    EXPECT_EQ(r["amel4_no"].toString(), "4/77");
    EXPECT_EQ(r["karbar"].toString(), "admin");
    EXPECT_EQ(r["tasvib"].toString(), yes);
    EXPECT_EQ(r["tasvib_dat"].toString(), "14030101");
    EXPECT_EQ(r["kargoroh"].toString(), "*");
    EXPECT_EQ(r["nazar_cmt"].toString(), QStringLiteral("قابل قبول"));
    EXPECT_EQ(offices(id), QStringList{listedOffice});
    EXPECT_EQ(logRows(QStringLiteral(" ويرايش مشاوران  ") + villages[0]["cod"].toString() + " other"), 1);
}

TEST_P(ConsultantWindowTest, AVillageChosenWithACodeKeepsTheCode)
{
    moshaveran_ins &w = windows::get<moshaveran_ins>();
    w.startNew();
    w.cod->setEditText("12345");
    w.city->setEditText(villages[1]["city"].toString());
    w.bakhsh->setEditText(villages[1]["bakhsh"].toString());
    w.dehestan->setEditText(villages[1]["dehestan"].toString());
    EXPECT_GE(w.rosta->findText(villages[1]["rosta"].toString()), 0);  // the cascade lists the villages
    w.rosta->setEditText(villages[1]["rosta"].toString());
    EXPECT_EQ(w.cod->currentText(), "12345");
    w.cod->setEditText("");
    w.rosta->setEditText("");
    w.rosta->setEditText(villages[1]["rosta"].toString());
    EXPECT_EQ(w.cod->currentText(), villages[1]["cod"].toString());
}

INSTANTIATE_TEST_SUITE_P(Engines, ConsultantWindowTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
