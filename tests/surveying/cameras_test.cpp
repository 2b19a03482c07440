#include "admin_fixture.h"
#include "browsergrid.h"
#include "cameras.h"
#include "dateedit.h"
#include "dorbin_ins.h"
#include "dorbin_savabegh.h"
#include "dorbin_src.h"
#include "filters.h"
#include "grid_rows.h"
#include "sample.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace bv;
using namespace bv::survey;
using bv::test::AdminTest;
using bv::test::user;

class CamerasTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 3;
        size.villagesPerCounty = 3;
        size.contractors = 3;
        size.projects = 6;
        size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        session() = Session{"admin", "admin", 1, {}};
    }
    void grant(int darj, int virayesh, int hazf, int namayesh)
    {
        db().exec("DELETE FROM dastrasi WHERE page_name = 'dorbin'");
        db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (1, 'dorbin', ?, ?, ?, ?)",
                  {darj, virayesh, hazf, namayesh});
    }
    int cameras() { return db().scalar("SELECT COUNT(*) FROM dorbin").toInt(); }
    int events(qint64 camera) { return eventsOfCamera(db(), camera); }
    // Registers through the entry window.
    bool enter(const QString &city, const QString &typ, const QString &cod)
    {
        dorbin_ins &w = windows::get<dorbin_ins>();
        w.startNew();
        w.city->setEditText(city);
        w.typ->setText(typ);
        w.cod->setText(cod);
        w.prs->setText(QStringLiteral("علي رضايي"));
        return w.insert();
    }
    qint64 idOf(const QString &city, const QString &cod)
    {
        return db().scalar("SELECT id FROM dorbin WHERE city = ? AND cod = ?", {city, cod}).toLongLong();
    }
    dorbin_src &browser()
    {
        dorbin_src &w = windows::get<dorbin_src>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        return w;
    }
};

TEST_P(CamerasTest, DuplicatesByCountyModelAndCodeOnlyWhenRegistering)
{
    const int before = cameras();
    ASSERT_TRUE(enter(QStringLiteral("اراک"), QStringLiteral("لايکا TS06"), "9001"));
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ثبت شد"));
    EXPECT_EQ(logRows(QStringLiteral(" ثبت دوربين جديد  9001 admin")), 1);
    ASSERT_TRUE(enter(QStringLiteral("ساوه"), QStringLiteral("لايکا TS06"), "9001"));
    EXPECT_FALSE(enter(QStringLiteral("اراک"), QStringLiteral("لايکا TS06"), " 9001 "));
    EXPECT_EQ(user().lastMessage(), QStringLiteral("خطا! نام شهرستان و نوع دوربين و کد تکراريست"));
    EXPECT_EQ(cameras(), before + 2);

    // An edit writes to the instrument captured on opening, and may repeat another one.
    const qint64 saveh = idOf(QStringLiteral("ساوه"), "9001");
    dorbin_ins &w = windows::get<dorbin_ins>();
    w.startEdit(saveh, db().rows("SELECT * FROM dorbin WHERE id = ?", {saveh}).front());
    EXPECT_EQ(w.city->currentText(), QStringLiteral("ساوه"));
    EXPECT_EQ(w.cod->text(), "9001");
    w.startNew();  // another window's later use does not move the edit
    w.startEdit(saveh, db().rows("SELECT * FROM dorbin WHERE id = ?", {saveh}).front());
    w.city->setEditText(QStringLiteral("اراک"));
    w.cmt->setText(QStringLiteral("منتقل شد"));
    ASSERT_TRUE(w.edit());
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ويرايش انجام شد"));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM dorbin WHERE city = ? AND cod = '9001'", {QStringLiteral("اراک")}).toInt(), 2);
    EXPECT_EQ(db().scalar("SELECT cmt FROM dorbin WHERE id = ?", {saveh}).toString(), QStringLiteral("منتقل شد"));
    EXPECT_EQ(logRows(QStringLiteral(" ويرايش دوربين  9001 admin")), 1);
}

TEST_P(CamerasTest, DeleteTakesTheEventsAfterPasswordAndQuestion)
{
    ASSERT_TRUE(enter(QStringLiteral("اراک"), QStringLiteral("سوکيا"), "7007"));
    const qint64 id = idOf(QStringLiteral("اراک"), "7007");
    for (int i = 0; i < 3; ++i)
        addEvent(db(), id, {QStringLiteral("1401/0%1/01").arg(i + 1), QStringLiteral("تعمير"), {}, {}, {}});
    // Stored against the id as text.
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM dorbin_pic WHERE dorbin_id = ?", {QString::number(id)}).toInt(), 3);

    grant(1, 1, 1, 1);
    dorbin_src &w = browser();
    w.applyRights(*pageRights(db(), 1, "dorbin"));
    w.search();
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "id", id));
    EXPECT_EQ(w.DBGrid2->rowCount(), 3);

    user().clear();
    user().inputs.push_back(QStringLiteral("wrong"));
    w.N3->trigger();
    EXPECT_TRUE(user().messages.empty());
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(events(id), 3);

    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "id", id));
    user().inputs.push_back(QStringLiteral("1234"));
    user().answers.push_back(false);
    w.N3->trigger();
    ASSERT_EQ(user().questions.size(), 1);
    EXPECT_TRUE(user().questions[0].contains("3"));
    EXPECT_EQ(idOf(QStringLiteral("اراک"), "7007"), id);

    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "id", id));
    user().inputs.push_back(QStringLiteral("1234"));
    user().answers.push_back(true);
    w.N3->trigger();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_EQ(idOf(QStringLiteral("اراک"), "7007"), 0);
    EXPECT_EQ(events(id), 0);
    EXPECT_EQ(logRows(QStringLiteral(" حذف دوربين 7007 admin")), 1);
    EXPECT_FALSE(test::selectRow(*w.DBGrid1, "id", id));
}

TEST_P(CamerasTest, EventsWithAndWithoutDocuments)
{
    ASSERT_TRUE(enter(QStringLiteral("اراک"), QStringLiteral("نيکون"), "5005"));
    const qint64 id = idOf(QStringLiteral("اراک"), "5005");
    dorbin_savabegh &h = windows::get<dorbin_savabegh>();

    // The rights are read again: no row, or no view right, refuses.
    db().exec("DELETE FROM dastrasi WHERE page_name = 'dorbin'");
    EXPECT_FALSE(h.open(id));
    EXPECT_EQ(user().lastMessage(), QStringLiteral("شما دسترسي به اين صفحه را نداريد"));
    grant(1, 0, 0, 0);
    user().clear();
    EXPECT_FALSE(h.open(id));
    EXPECT_EQ(user().lastMessage(), QStringLiteral("شما دسترسي به اين صفحه را نداريد"));
    EXPECT_TRUE(user().shownDialogs.isEmpty());

    grant(1, 1, 1, 1);
    user().clear();
    QTemporaryDir dir;
    const QString scanned = dir.filePath("receipt.pdf");
    {
        QFile f(scanned);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF receipt");
    }
    // Two events registered in one opening; the window stays open between them.
    user().dialogs.push_back([&](QDialog &) {
        h.dat->setDate("1401/02/03");
        h.cmt->setText(QStringLiteral("کاليبراسيون"));
        h.sharh->setPlainText(QStringLiteral("دوربين پس از کاليبراسيون تحويل شد\nسطر دوم"));
        EXPECT_TRUE(h.registerEvent());
        EXPECT_EQ(user().lastMessage(), QStringLiteral("قبت شد"));
        h.dat->setDate("1401/05/06");
        h.cmt->setText(QStringLiteral("تعمير"));
        user().files.push_back(scanned);
        h.BitBtn1->click();
        EXPECT_EQ(h.Edit_filename->text(), scanned);
        EXPECT_TRUE(h.registerEvent());
        // An unreadable file stores nothing.
        h.Edit_filename->setText(dir.filePath("gone.pdf"));
        EXPECT_FALSE(h.registerEvent());
        EXPECT_TRUE(user().lastMessage().startsWith(QStringLiteral("فايل انتخاب شده خوانده نشد")));
        // A half-typed date is refused.
        h.Edit_filename->clear();
        h.dat->setText("1401/1");
        EXPECT_FALSE(h.registerEvent());
        return 0;
    });
    ASSERT_TRUE(h.open(id));
    EXPECT_EQ(events(id), 2);
    const ResultSet stored = db().select("SELECT dat, pictyp, pic FROM dorbin_pic WHERE dorbin_id = ? ORDER BY id",
                                         {QString::number(id)});
    EXPECT_EQ(stored.value(0, "dat").toString(), "1401/02/03");
    EXPECT_EQ(stored.value(0, "pictyp").toString(), QString());
    EXPECT_TRUE(stored.value(0, "pic").toByteArray().isEmpty());
    EXPECT_EQ(stored.value(1, "pictyp").toString(), ".pdf");
    EXPECT_EQ(stored.value(1, "pic").toByteArray(), QByteArray("%PDF receipt"));

    // The browser lists them with their long text; a click opens a private copy.
    dorbin_src &w = browser();
    w.search();
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "id", id));
    ASSERT_EQ(w.DBGrid2->rowCount(), 2);
    ASSERT_TRUE(test::selectRow(*w.DBGrid2, "cmt", QStringLiteral("کاليبراسيون")));
    EXPECT_EQ(w.sharh->toPlainText(), QStringLiteral("دوربين پس از کاليبراسيون تحويل شد\nسطر دوم"));
    user().clear();
    w.openEvent();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("اين سابقه مستندي ندارد"));
    EXPECT_TRUE(user().opened.isEmpty());
    ASSERT_TRUE(test::selectRow(*w.DBGrid2, "cmt", QStringLiteral("تعمير")));
    w.openEvent();
    ASSERT_EQ(user().opened.size(), 1);
    QFile copy(user().opened[0]);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("%PDF receipt"));
    EXPECT_TRUE(user().opened[0].endsWith(".pdf"));

    // Deleting an event asks first.
    user().answers.push_back(false);
    w.N7->trigger();
    EXPECT_EQ(events(id), 2);
    ASSERT_TRUE(test::selectRow(*w.DBGrid2, "cmt", QStringLiteral("تعمير")));
    user().answers.push_back(true);
    w.N7->trigger();
    EXPECT_EQ(events(id), 1);
    EXPECT_EQ(w.DBGrid2->rowCount(), 1);
}

TEST_P(CamerasTest, BrowserOpensWithTheViewRightAndFilters)
{
    dorbin_src &w = browser();
    db().exec("DELETE FROM dastrasi WHERE page_name = 'dorbin'");
    EXPECT_FALSE(w.open(QSize(800, 600)));
    EXPECT_EQ(user().lastMessage(), QStringLiteral("شما دسترسي به اين صفحه را نداريد"));
    grant(1, 0, 1, 0);
    user().clear();
    EXPECT_FALSE(w.open(QSize(800, 600)));
    EXPECT_EQ(user().lastMessage(), QStringLiteral("شما دسترسي به اين صفحه را نداريد"));
    EXPECT_FALSE(w.N4->isEnabled());
    EXPECT_TRUE(user().shownDialogs.isEmpty());

    grant(0, 1, 0, 1);
    user().clear();
    user().dialogs.push_back([](QDialog &) { return 0; });
    ASSERT_TRUE(w.open(QSize(800, 600)));
    EXPECT_FALSE(w.N1->isEnabled());
    EXPECT_TRUE(w.N2->isEnabled());
    EXPECT_FALSE(w.N3->isEnabled());
    EXPECT_EQ(w.width(), 770);
    const int all = cameras();
    ASSERT_GT(all, 0);
    EXPECT_EQ(w.cnt->text().toInt(), all);
    EXPECT_EQ(w.DBGrid1->rowCount(), all);

    const QString county = db().scalar("SELECT city FROM dorbin ORDER BY id").toString();
    w.CheckBox1->setChecked(true);
    w.city->setEditText(county);
    w.search();
    const int inCounty = db().scalar("SELECT COUNT(*) FROM dorbin WHERE city = ?", {county}).toInt();
    EXPECT_EQ(w.DBGrid1->rowCount(), inCounty);
    EXPECT_EQ(w.cnt->text().toInt(), inCounty);
    // A long list shows its first screen at once and the rest when the window is idle.
    db().transaction([&] {
        for (int i = 0; i < dorbin_src::firstScreenRows + 30; ++i)
            db().exec("INSERT INTO dorbin (city, typ, cod, prs, cmt) VALUES (?, 'x', ?, '', '')",
                      {county, QString::number(60000 + i)});
    });
    w.search();
    EXPECT_EQ(w.cnt->text().toInt(), inCounty + dorbin_src::firstScreenRows + 30);
    EXPECT_EQ(w.DBGrid1->rowCount(), dorbin_src::firstScreenRows);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.DBGrid1->rowCount(), inCounty + dorbin_src::firstScreenRows + 30);

    w.CheckBox2->setChecked(true);
    w.typ->setText("no such model");
    w.search();
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_EQ(w.DBGrid2->rowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, CamerasTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return test::engineName(info.param); });
