// Two clerks on two connections edit the same study.
#include "admin_fixture.h"
#include "borvinat_ins.h"
#include "rowguard.h"
#include "windows.h"

#include <QComboBox>
#include <QLineEdit>

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

INSTANTIATE_TEST_SUITE_P(Engines, TwoClerksStudyTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
