#include "admin_fixture.h"
#include "borvinat_src.h"
#include "browsergrid.h"
#include "dateedit.h"
#include "filters.h"
#include "grid_rows.h"
#include "jalasat.h"
#include "jalasat_guests.h"
#include "jalasat_src.h"
#include "rowguard.h"
#include "sample.h"
#include "templatecheck.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace bv;
using namespace bv::studies;
using bv::test::AdminTest;
using bv::test::fullyFilled;
using bv::test::user;

namespace {
// The row numbers a page prints, top to bottom.
QList<int> rowNumbers(const report::Page &page)
{
    std::vector<const report::Primitive *> cells;
    for (const report::Primitive &p : page.items)
        if (p.kind == report::Primitive::Kind::Text && p.name == QLatin1String("#"))
            cells.push_back(&p);
    std::sort(cells.begin(), cells.end(), [](auto *a, auto *b) { return a->rect.top() < b->rect.top(); });
    QList<int> out;
    for (const report::Primitive *p : cells)
        out << (p->lines.empty() ? 0 : p->lines.front().text.toInt());
    return out;
}
}  // namespace

TEST(MeetingRules, NextOfficeRunsOutAfterTheLast)
{
    EXPECT_EQ(nextEntry(-1, 3), 0);
    EXPECT_EQ(nextEntry(0, 3), 1);
    EXPECT_EQ(nextEntry(2, 3), -1);
    EXPECT_EQ(nextEntry(-1, 0), -1);
}

class MeetingsTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 3;
        size.contractors = 2;
        size.projects = 0;
        size.studies = 5;
        size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        session() = Session{"admin", "admin", 1, {}};
        study = db().scalar("SELECT MIN(id) FROM borvinat").toLongLong();
        other = db().scalar("SELECT MAX(id) FROM borvinat").toLongLong();
        db().exec("DELETE FROM jalasat");
        db().exec("DELETE FROM setting WHERE component = ?", {officesList});
        for (const char *office : {"بخشداري", "جهاد کشاورزي", "فرمانداري"})
            db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {officesList, QString::fromUtf8(office)});
        db().exec("UPDATE borvinat SET komitefani_dat1 = '1402/05/01', jalase_tasvib_dat = '1402/09/09' WHERE id = ?",
                  {study});
    }
    jalasat &opened()
    {
        jalasat &w = windows::get<jalasat>();
        w.prepare(study);
        return w;
    }
    int guestsOf(qint64 id, const QString &shakhs)
    {
        return db().scalar("SELECT COUNT(*) FROM jalasat WHERE borvinat_id = ? AND shakhs = ?", {id, shakhs}).toInt();
    }
    qint64 study = 0, other = 0;
};

TEST_P(MeetingsTest, GuestsOncePerOfficeAndExpertWithTheirAttendance)
{
    jalasat &w = opened();
    EXPECT_EQ(w.komitefani_dat1->text(), "1402/05/01");
    EXPECT_EQ(w.jalase_tasvib_dat->text(), "1402/09/09");
    EXPECT_EQ(w.org->count(), 3);
    EXPECT_EQ(w.org->currentText(), QString());

    w.jalase_no->setCurrentText("1");
    w.title->setCurrentText(QStringLiteral("کميته فني"));
    w.dat->setDate("1402/05/01");
    w.org->setCurrentIndex(2);  // the last office
    w.shakhs->setText(QStringLiteral("علي احمدي"));
    ASSERT_TRUE(w.addOne());
    EXPECT_TRUE(w.shakhs->text().isEmpty());
    EXPECT_EQ(w.org->currentText(), QString());  // none after the last
    EXPECT_EQ(w.hozor_sum->text(), "1");
    EXPECT_EQ(w.dat->date(), "1402/05/01");  // kept for the next guest

    // The same office and expert in another meeting is refused; another expert passes.
    w.jalase_no->setCurrentText("2");
    w.org->setCurrentIndex(2);
    w.shakhs->setText(QStringLiteral("علي احمدي"));
    EXPECT_FALSE(w.addOne());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("خطا! تکراريست"));
    w.shakhs->setText(QStringLiteral("حسن رضايي"));
    ASSERT_TRUE(w.addOne());
    EXPECT_EQ(w.hozor_sum->text(), "2");
    // Another study may have the same pair.
    EXPECT_TRUE(addGuest(db(), other, {"", QStringLiteral("فرمانداري"), QStringLiteral("علي احمدي"), "1", ""}));

    // An empty expert: attendance 0, not counted; the next add uses an empty office.
    ASSERT_TRUE(w.addOne());
    EXPECT_EQ(db().scalar("SELECT hozor FROM jalasat WHERE borvinat_id = ? AND shakhs = ''", {study}).toInt(), 0);
    EXPECT_EQ(w.hozor_sum->text(), "2");
    EXPECT_EQ(w.org->currentIndex(), 0);

    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM jalasat WHERE borvinat_id = ? AND org = ''", {study}).toInt(), 1);

    // Every office twice with an empty expert: each once.
    w.BitBtn3->click();
    w.BitBtn3->click();
    EXPECT_EQ(guestsOf(study, QStringLiteral("")), 4);
    EXPECT_EQ(w.DBGrid1->rowCount(), 6);
    // With an expert named, offices that had him empty or not at all are added.
    w.shakhs->setText(QStringLiteral("حسن رضايي"));
    w.BitBtn3->click();
    EXPECT_EQ(guestsOf(study, QStringLiteral("حسن رضايي")), 3);
    EXPECT_EQ(w.hozor_sum->text(), "4");

    // Delete one puts office and expert back and recounts.
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "shakhs", QStringLiteral("علي احمدي")));
    w.N1->trigger();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_EQ(w.org->currentText(), QStringLiteral("فرمانداري"));
    EXPECT_EQ(w.shakhs->text(), QStringLiteral("علي احمدي"));
    EXPECT_EQ(w.hozor_sum->text(), "3");
    // A guest another clerk deleted first is reported so, and the list read again.
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "shakhs", QStringLiteral("حسن رضايي")));
    const QVariant gone = w.DBGrid1->currentId();
    db().exec("DELETE FROM jalasat WHERE id = ?", {gone});
    w.N1->trigger();
    EXPECT_EQ(user().lastMessage(), alreadyDeletedMessage);
    EXPECT_EQ(w.DBGrid1->rowCount(), 6);
    EXPECT_EQ(w.hozor_sum->text(), "2");
    // Delete all asks first.
    user().answers.push_back(false);
    w.N2->trigger();
    EXPECT_EQ(w.DBGrid1->rowCount(), 6);
    user().answers.push_back(true);
    w.N2->trigger();
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
    EXPECT_EQ(w.hozor_sum->text(), QString());
    EXPECT_EQ(guestsOf(other, QStringLiteral("علي احمدي")), 1);
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));

    // Every guest listed was deleted by another clerk first.
    ASSERT_TRUE(w.addOne());
    db().exec("DELETE FROM jalasat WHERE borvinat_id = ?", {study});
    user().answers.push_back(true);
    w.N2->trigger();
    EXPECT_EQ(user().lastMessage(), alreadyDeletedMessage);
}

TEST_P(MeetingsTest, EnterInTheExpertAddsAndTypedOfficesStayOutOfTheList)
{
    jalasat &w = opened();
    w.org->setCurrentText(QStringLiteral("اداره ثبت"));
    QTest::keyClick(w.org->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w.org->count(), 3);
    w.shakhs->setText(QStringLiteral("ناصر فرجي"));
    QTest::keyClick(w.shakhs, Qt::Key_Return);
    EXPECT_EQ(test::shownColumn(*w.DBGrid1, "org"), QStringList{QStringLiteral("اداره ثبت")});
    EXPECT_EQ(w.hozor_sum->text(), "1");
    // Adding every office leaves the typed one out.
    w.BitBtn3->click();
    EXPECT_EQ(w.DBGrid1->rowCount(), 4);
}

TEST_P(MeetingsTest, SearchListsNewestFirstAndPrintsTheFoundRowsHeader)
{
    addGuest(db(), study, {"1402/01/10", QStringLiteral("فرمانداري"), QStringLiteral("علي احمدي"), "1", ""});
    addGuest(db(), study, {"1402/03/10", QStringLiteral("بخشداري"), QString(), "2", ""});
    addGuest(db(), other, {"1402/02/10", QStringLiteral("جهاد کشاورزي"), QStringLiteral("مينا صالحي"), "3", ""});
    session() = Session{"someone", "city", 1, {QStringLiteral("هيچ شهري")}};  // no user scope applies

    jalasat_src &w = windows::get<jalasat_src>();
    for (FilterCheck *c : w.findChildren<FilterCheck *>())
        c->setChecked(false);
    w.prepare();
    EXPECT_EQ(test::shownColumn(*w.DBGrid1, "dat"), (QStringList{"1402/03/10", "1402/02/10", "1402/01/10"}));
    EXPECT_EQ(w.cnt->text(), "3");

    w.CheckBox1->setChecked(true);
    w.dat1->setDate("1402/02/01");
    w.dat2->setDate("1402/03/10");
    w.search();
    EXPECT_EQ(w.cnt->text(), "2");
    w.CheckBox3->setChecked(true);
    w.shakhs->setText(QStringLiteral("صالحي"));
    w.search();
    EXPECT_EQ(test::shownColumn(*w.DBGrid1, "org"), QStringList{QStringLiteral("جهاد کشاورزي")});
    const QString village = db().scalar("SELECT rosta FROM borvinat WHERE id = ?", {other}).toString();
    w.CheckBox5->setChecked(true);
    w.rosta->setCurrentText(village);
    w.search();
    EXPECT_EQ(w.cnt->text(), "1");

    // The sheet: the found row's meeting and village, whatever was printed before.
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "org", QStringLiteral("جهاد کشاورزي")));
    w.BitBtn2->click();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_EQ(user().documents[0].name, "jalasat_frm");
    EXPECT_TRUE(user().documents[0].text.contains(village));
    EXPECT_TRUE(user().documents[0].text.contains(QStringLiteral("مينا صالحي")));

    const Row found = w.DBGrid1->currentRow();
    const report::Document sheet = attendanceSheet(w.DBGrid1->shownRows(), found, "3", "1402/02/10");
    EXPECT_EQ(sheet.label("rosta"), village);
    EXPECT_EQ(sheet.label("jalase_no"), "3");
    EXPECT_EQ(sheet.label("khanevar"), found.value("khanevar").toString());
}

TEST_P(MeetingsTest, AttendanceSheetNumbersEveryGuestFromOne)
{
    jalasat &w = opened();
    w.dat->setDate("1402/06/06");
    w.jalase_no->setCurrentText("2");
    w.shakhs->setText(QStringLiteral("کريم نادري"));
    w.BitBtn3->click();
    ASSERT_EQ(w.DBGrid1->rowCount(), 3);
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "org", QStringLiteral("بخشداري")));
    const report::Document doc =
        attendanceSheet(w.DBGrid1->shownRows(), studyRow(db(), study), "2", w.DBGrid1->currentValue("dat").toString());
    EXPECT_TRUE(fullyFilled(doc));
    EXPECT_EQ(doc.label("dat"), "1402/06/06");
    EXPECT_EQ(doc.label("rosta"), studyRow(db(), study).value("rosta").toString());
    const std::vector<report::Page> pages = doc.layout();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages.front().pageLayout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(pages.front().pageLayout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(rowNumbers(pages.front()), (QList<int>{1, 2, 3}));
    const QString text = doc.text();
    for (const char *office : {"بخشداري", "جهاد کشاورزي", "فرمانداري"})
        EXPECT_EQ(text.count(QString::fromUtf8(office)), 1) << office;
    EXPECT_EQ(text.count(QStringLiteral("کريم نادري")), 3);

    w.BitBtn2->click();
    ASSERT_EQ(user().documents.size(), 1u);
    EXPECT_TRUE(user().documents[0].text.contains("1402/06/06"));
}

INSTANTIATE_TEST_SUITE_P(Engines, MeetingsTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return test::engineName(info.param); });
