// Two clerks on two connections edit the same study.
#include "admin_fixture.h"
#include "borvinat_ins.h"
#include "borvinat_side.h"
#include "m_shakhes.h"
#include "rowguard.h"
#include "secondclerk.h"
#include "windows.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTableWidget>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

class TwoClerksStudyTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        session() = Session{"admin", "admin", 1, {}};
        db().exec("INSERT INTO abadiha (ostan, city, bakhsh, dehestan, rosta, cod, khanevar, jamiyat, x, y, zaribDori, "
                  "zaribMantaghe) VALUES (?, ?, 'b', 'd', ?, '1001234', 70, 250, '49.6', '34.1', 1, 1)",
                  {QStringLiteral("مرکزي"), QStringLiteral("اراک"), QStringLiteral("سنجان")});
        db().exec("INSERT INTO setting (component, cmt) VALUES (?, '1')", {QStringLiteral("ضريب تعديل")});
        borvinat_ins &w = windows::get<borvinat_ins>();
        w.startNew();
        w.ostan->setEditText(QStringLiteral("مرکزي"));
        w.cod->setEditText("1001234");
        w.etebar_sal->setText("1402");
        EXPECT_TRUE(w.registerStudy());
        id = db().scalar("SELECT id FROM borvinat").toLongLong();
        database->open(clerkB);
        user().clear();
    }
    void TearDown() override
    {
        clerkB.close();
        AdminTest::TearDown();
    }
    QString stored(const QString &column)
    {
        return clerkB.scalar("SELECT " + column + " FROM borvinat WHERE id = ?", {id}).toString();
    }

    Db clerkB{QStringLiteral("clerk_b")};
    qint64 id = 0;
};

TEST_P(TwoClerksStudyTest, AStudyChangedMeanwhileIsNamedThenReloadedOrOverwritten)
{
    borvinat_ins &a = windows::get<borvinat_ins>();
    a.startEdit(db().rows("SELECT * FROM borvinat WHERE id = ?", {id}).front());
    clerkB.exec("UPDATE borvinat SET naghshe_moshaver_name = ? WHERE id = ?", {"B", id});
    a.jamiyat->setText("300");
    user().answers = {true};
    EXPECT_FALSE(a.saveEdit());
    ASSERT_EQ(user().questions.size(), 1);
    EXPECT_TRUE(user().questions[0].contains(QStringLiteral("نام مشاور نقشه بردار")));
    EXPECT_EQ(stored("jamiyat"), "250");
    EXPECT_EQ(a.naghshe_moshaver_name->text(), "B");

    clerkB.exec("UPDATE borvinat SET naghshe_moshaver_name = ? WHERE id = ?", {"B2", id});
    a.jamiyat->setText("300");
    user().clear();
    user().answers = {false, true};
    EXPECT_TRUE(a.saveEdit());
    EXPECT_EQ(stored("jamiyat"), "300");
    EXPECT_EQ(stored("naghshe_moshaver_name"), "B");
}

TEST_P(TwoClerksStudyTest, AStudyDeletedMeanwhileIsNotWrittenAgain)
{
    borvinat_ins &a = windows::get<borvinat_ins>();
    a.startEdit(db().rows("SELECT * FROM borvinat WHERE id = ?", {id}).front());
    clerkB.exec("DELETE FROM borvinat WHERE id = ?", {id});
    EXPECT_FALSE(a.saveEdit());
    EXPECT_EQ(user().messageTexts(), QStringList{rowDeletedMessage});
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat").toInt(), 0);
}

TEST_P(TwoClerksStudyTest, AnIndicatorCellIsWrittenOnlyOverTheValuesTheGridShowed)
{
    for (const char *name : {"first", "second", "third"})
        studies::addIndicator(db(), id, name, Decimal::fromScaled(1, 0), Decimal::fromScaled(2, 0));
    const auto ofogh = [&](int row) {
        return clerkB.scalar("SELECT ofogh FROM shakhes WHERE cmt = ?", {QStringList{"first", "second", "third"}[row]})
            .toString();
    };
    m_shakhes &a = windows::get<m_shakhes>();
    a.prepare(id);
    ASSERT_EQ(a.DBGrid1->rowCount(), 3);

    // B changes the first row's present value; A's horizon there is refused.
    clerkB.exec("UPDATE shakhes SET mojod = ? WHERE cmt = ?", {9, "first"});
    a.DBGrid1->setCurrentCell(0, 2);
    a.DBGrid1->item(0, 2)->setText("30");
    a.DBGrid1->setCurrentCell(1, 2);
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_TRUE(user().messages[0].text.contains(QStringLiteral("وضع موجود")));
    EXPECT_FALSE(user().messages[0].text.contains(QStringLiteral("افق طرح")));
    EXPECT_EQ(Decimal::fromVariant(clerkB.scalar("SELECT ofogh FROM shakhes WHERE cmt = 'first'")),
              Decimal::fromScaled(2, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(a.DBGrid1->item(0, 1)->text(), "9");
    EXPECT_EQ(a.DBGrid1->item(0, 2)->text(), "2");

    // Now that the grid shows B's value, A's edit goes through, twice in a row.
    user().clear();
    a.DBGrid1->setCurrentCell(0, 2);
    a.DBGrid1->item(0, 2)->setText("30");
    a.DBGrid1->setCurrentCell(1, 2);
    a.DBGrid1->item(1, 2)->setText("40");
    a.DBGrid1->setCurrentCell(0, 2);
    a.DBGrid1->item(0, 2)->setText("31");
    a.DBGrid1->setCurrentCell(1, 2);
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(Decimal::fromVariant(ofogh(0)), Decimal::fromScaled(31, 0));
    EXPECT_EQ(Decimal::fromVariant(ofogh(1)), Decimal::fromScaled(40, 0));

    // B deletes the third row: A's edit of it is reported and writes nothing.
    clerkB.exec("DELETE FROM shakhes WHERE cmt = ?", {"third"});
    a.DBGrid1->setCurrentCell(2, 2);
    a.DBGrid1->item(2, 2)->setText("50");
    a.DBGrid1->setCurrentCell(0, 2);
    EXPECT_EQ(user().messageTexts(), QStringList{rowDeletedMessage});
    EXPECT_EQ(clerkB.scalar("SELECT COUNT(*) FROM shakhes").toInt(), 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(a.DBGrid1->rowCount(), 2);
    a.reject();
}

TEST_P(TwoClerksStudyTest, RegisterAllCountsItsRowsAndWritesNothingForADeletedStudy)
{
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?), (?, ?)",
              {QStringLiteral("شاخص ها"), "a", QStringLiteral("شاخص ها"), "b"});
    studies::addIndicator(db(), id, "old", Decimal::fromScaled(1, 0), Decimal::fromScaled(2, 0));
    m_shakhes &a = windows::get<m_shakhes>();
    a.prepare(id);
    a.mojod->setText("3");
    a.ofogh->setText("4");
    a.registerAll();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("انجام شد\n اين تعداد تغيير يافتند 2")});
    EXPECT_EQ(clerkB.scalar("SELECT COUNT(*) FROM shakhes WHERE borvinat_id = ?", {id}).toInt(), 2);

    clerkB.exec("DELETE FROM borvinat WHERE id = ?", {id});
    clerkB.exec("DELETE FROM shakhes WHERE borvinat_id = ?", {id});
    user().clear();
    a.registerAll();
    EXPECT_EQ(user().messageTexts(), QStringList{rowDeletedMessage});
    EXPECT_EQ(clerkB.scalar("SELECT COUNT(*) FROM shakhes").toInt(), 0);
    a.reject();
}

// Two clerks register all indicators of one study at the same moment: the
// second waits for the first and replaces its rows, so the study ends with one set.
TEST_P(TwoClerksStudyTest, RegisterAllTwiceAtOnceLeavesOneSet)
{
    if (GetParam() != Engine::PostgreSQL)
        GTEST_SKIP() << "SQLite lets one writer at a time in";
    const QStringList names{"a", "b", "c"};
    studies::addIndicator(db(), id, "old", Decimal::fromScaled(1, 0), Decimal::fromScaled(1, 0));
    std::optional<int> secondCount;
    bv::test::SecondClerk other(
        database->params(), [](const Db &) {},
        [&](const Db &b) {
            secondCount = studies::registerAllIndicators(b, id, names, Decimal::fromScaled(2, 0), Decimal::fromScaled(2, 0));
        });
    bool waited = false;
    db().transaction([&] {
        EXPECT_EQ(studies::registerAllIndicators(db(), id, names, Decimal::fromScaled(3, 0), Decimal::fromScaled(3, 0)),
                  3);
        waited = other.actNow(clerkB);
    });
    other.join();
    EXPECT_EQ(other.error(), QString());
    EXPECT_TRUE(waited);
    EXPECT_EQ(secondCount, 3);
    EXPECT_EQ(clerkB.scalar("SELECT COUNT(*) FROM shakhes WHERE borvinat_id = ?", {id}).toInt(), 3);
    EXPECT_EQ(clerkB.scalar("SELECT COUNT(*) FROM shakhes WHERE mojod = 2").toInt(), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, TwoClerksStudyTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
