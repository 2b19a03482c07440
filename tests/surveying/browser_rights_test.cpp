// The survey browser for users who are not the administrator: what they may
// export, which mass actions their rights allow, and the filters' cascades.
#include "accounts.h"
#include "admin_fixture.h"
#include "attachment_window.h"
#include "browsergrid.h"
#include "filters.h"
#include "naghshe_search.h"
#include "naghshe_src.h"
#include "peymankar_list.h"
#include "sample.h"
#include "spreadsheetreader.h"
#include "windows.h"

#include <QComboBox>
#include <QListWidget>

using namespace bv;
using namespace bv::survey;
using bv::test::AdminTest;
using bv::test::user;

class BrowserRightsTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 3;
        size.villagesPerCounty = 5;
        size.contractors = 4;
        size.projects = 60;
        size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        clerk = addUser("clerk", hashPassword("pw"), QStringLiteral("فعال"), "city");
        county = db().scalar("SELECT MIN(city) FROM naghshe").toString();
        saveCounties(db(), clerk, {county});
        session() = Session{"clerk", "city", clerk, {}};
    }
    naghshe_src &window()
    {
        naghshe_src &w = windows::get<naghshe_src>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        w.prepare();
        return w;
    }
    // Everything the mass actions could change, as one text.
    QString snapshot()
    {
        QStringList parts;
        for (const char *sql : {"SELECT id, peymankar_id, peymankar FROM naghshe ORDER BY id",
                                "SELECT COUNT(*) FROM naghshe_pic", "SELECT COUNT(*) FROM borvinat"})
            for (const QVariantList &row : db().select(QString::fromLatin1(sql)).rows)
                for (const QVariant &v : row)
                    parts << v.toString();
        return parts.join('|');
    }

    qint64 clerk = 0;
    QString county;
};

TEST_P(BrowserRightsTest, SystemExportHoldsOnlyTheClerksCounties)
{
    const int inCounty = db().scalar("SELECT COUNT(*) FROM naghshe WHERE city = ?", {county}).toInt();
    ASSERT_GT(inCounty, 0);
    ASSERT_LT(inCounty, db().scalar("SELECT COUNT(*) FROM naghshe").toInt());

    const ResultSet rows = systemExport(db(), {}, session());
    EXPECT_EQ(rows.size(), inCounty);
    for (int r = 0; r < rows.size(); ++r)
        EXPECT_EQ(rows.value(r, "city").toString(), county);
    // The administrator exports every county.
    EXPECT_EQ(systemExport(db(), {}, Session{"admin", "admin", 1, {}}).size(),
              db().scalar("SELECT COUNT(*) FROM naghshe").toInt());

    naghshe_src &w = window();
    EXPECT_EQ(w.cnt->text().toInt(), inCounty);
    w.exportSystem();
    ASSERT_EQ(user().opened.size(), 1);
    const std::optional<SheetTable> sheet = readSheet(user().opened.back());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(int(sheet->rows.size()), inCounty);
    for (const QStringList &row : sheet->rows)
        EXPECT_EQ(row.value(0), county);
}

TEST_P(BrowserRightsTest, MassActionsNeedTheirRightsAndChangeNothingWithout)
{
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)",
              {QStringLiteral("شرح ضمائم نقشه برداري"), QStringLiteral("نقشه")});
    // The survey page may be viewed only; the studies page not at all.
    saveRights(db(), clerk, {{"naghshe", {true, false, true, true}}, {"borvinat", {false, true, true, true}}});
    naghshe_src &w = window();
    ASSERT_GT(w.DBGrid1->rowCount(), 1);
    const QString before = snapshot();

    w.assignContractorToAll();
    w.attachToAll();
    w.transferToStudies();
    EXPECT_EQ(user().messageTexts(), (QStringList{noAccessMessage, noAccessMessage, noAccessMessage}));
    EXPECT_TRUE(user().shownDialogs.isEmpty());  // neither the picker nor the attachment window
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(snapshot(), before);

    // With the rights each action goes ahead.
    saveRights(db(), clerk, {{"naghshe", {true, true, false, true}}, {"borvinat", {true, false, false, false}}});
    user().clear();
    qint64 chosen = 0;
    user().dialogs.push_back([&](QDialog &d) {
        auto &picker = static_cast<peymankar_list &>(d);
        chosen = picker.DBGrid1->currentId().toLongLong();
        picker.pickCurrent();
        return d.result();
    });
    user().answers.push_back(true);
    w.assignContractorToAll();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("انجام شد") + QLatin1Char('\n') + QStringLiteral(" اين تعداد تغيير يافتند ")
                                        + db().scalar("SELECT COUNT(*) FROM naghshe WHERE city = ?", {county}).toString());
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe WHERE city = ? AND peymankar_id <> ?", {county, chosen}).toInt(), 0);
    EXPECT_GT(db().scalar("SELECT COUNT(*) FROM naghshe WHERE city <> ? AND peymankar_id <> ?", {county, chosen}).toInt(), 0);

    user().clear();
    w.transferToStudies();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("نقشه در بخش مطالعات نيز ثبت شد"));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat").toInt(), 1);

    user().clear();
    user().dialogs.push_back([](QDialog &) { return 0; });
    w.attachToAll();
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(user().shownDialogs.size(), 1);
}

TEST_P(BrowserRightsTest, FilterCascadesAndDoubleClickAddTheVillage)
{
    session() = Session{"admin", "admin", 1, {}};
    naghshe_src &w = window();
    const QString province = db().scalar("SELECT MIN(ostan) FROM abadiha").toString();
    ASSERT_GE(w.ostan->findText(province), 0);

    // Province → its counties; county → its villages.
    w.ostan->setCurrentText(province);
    QStringList counties;
    for (int i = 0; i < w.city->count(); ++i)
        counties << w.city->itemText(i);
    counties.sort();
    QStringList expectedCounties;
    for (const QVariantList &r : db().select("SELECT DISTINCT city FROM abadiha WHERE ostan = ?", {province}).rows)
        expectedCounties << r[0].toString();
    expectedCounties.sort();
    EXPECT_EQ(counties, expectedCounties);

    w.city->setCurrentText(county);
    QStringList villages;
    for (int i = 0; i < w.rosta->count(); ++i)
        villages << w.rosta->itemText(i);
    villages.sort();
    QStringList expectedVillages;
    for (const QVariantList &r : db().select("SELECT DISTINCT rosta FROM abadiha WHERE ostan = ? AND city = ?",
                                             {province, county}).rows)
        expectedVillages << r[0].toString();
    expectedVillages.sort();
    EXPECT_EQ(villages, expectedVillages);
    // Another province has no counties here.
    w.ostan->setCurrentText(QStringLiteral("استان ديگر"));
    EXPECT_EQ(w.city->count(), 0);

    // A double click puts the row's village into the village filter's list.
    w.rostaList->check->setChecked(true);
    const QModelIndex second = w.DBGrid1->model()->index(1, 1);
    w.DBGrid1->setCurrentIndex(second);
    emit w.DBGrid1->doubleClicked(second);
    const QString village = w.DBGrid1->currentValue("rosta").toString();
    ASSERT_EQ(w.rostaList->list->count(), 1);
    EXPECT_EQ(w.rostaList->list->item(0)->text(), village);
    w.search();
    const int listed = w.DBGrid1->rowCount();
    EXPECT_EQ(listed, db().scalar("SELECT COUNT(*) FROM naghshe WHERE rosta LIKE ?", {"%" + village + "%"}).toInt());
}

INSTANTIATE_TEST_SUITE_P(Engines, BrowserRightsTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
