#include "activitylog.h"
#include "browsergrid.h"
#include "conditions.h"
#include "dates.h"
#include "dateedit.h"
#include "dm.h"
#include "filters.h"
#include "log.h"
#include "scripted.h"
#include "test_db.h"
#include "windows.h"
#include "xlsxreader.h"

#include <QComboBox>
#include <QFile>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace bv;
using bv::test::TestDatabase;
using bv::test::user;

TEST(ActivityLog, AddressAndTime)
{
    const QHostAddress lan("192.168.1.20"), wifi("10.0.0.7"), loop("127.0.1.1"), v6("fe80::1");
    EXPECT_EQ(pickIPv4({loop, lan, v6, wifi}), "10.0.0.7");
    EXPECT_EQ(pickIPv4({wifi, loop, v6}), "10.0.0.7");
    EXPECT_EQ(pickIPv4({QHostAddress("127.0.0.1"), v6}), "127.0.0.1");
    EXPECT_EQ(pickIPv4({v6}), "");
    EXPECT_EQ(logTime(QTime(9, 5, 3)), "09:05:03");
    EXPECT_EQ(logTime(QTime(23, 59, 59)), "23:59:59");
    // The identity is read once and kept; the host name is the machine's own,
    // never the answer of a network lookup.
    EXPECT_EQ(&machineIdentity(), &machineIdentity());
    EXPECT_EQ(machineIdentity().hostName, QHostInfo::localHostName());
    EXPECT_FALSE(machineIdentity().hostName.isEmpty());
}

TEST(Conditions, BoundTermsInOrder)
{
    const auto dialect = makeDialect(Engine::SQLite);
    Conditions c(*dialect);
    EXPECT_EQ(c.where(), " where 1=1");
    c.compare("karbar", Conditions::Op::NotEqual, "")
        .contains("cmt", "O'Brien")
        .range("tarikh", "1403/01/01", "1403/12/29")
        .containsAny("city", {})
        .containsAny("rosta", {"a", "b"})
        .fixed("city in (select cmt from dastrasi2 where user_id=?)", {7});
    EXPECT_EQ(c.sql(), "karbar<>? and cmt like ? and tarikh>=? and tarikh<=? and (1=0) and "
                       "(1=0 or rosta like ? or rosta like ?) and "
                       "(city in (select cmt from dastrasi2 where user_id=?))");
    EXPECT_EQ(c.values(), (QVariantList{"", "%O'Brien%", "1403/01/01", "1403/12/29", "%a%", "%b%", 7}));
    EXPECT_THROW(c.contains("cmt; drop table log", "x"), std::invalid_argument);
}

class LogTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        BV_REQUIRE_ENGINE(GetParam());
        database = std::make_unique<TestDatabase>(GetParam());
        database->open(dm().main());
        db().exec(db().dialect().createTable(*schema::findTable("log")));
    }
    void TearDown() override { dm().main().close(); }
    Db &db() { return dm().main(); }
    // The one log window, with every filter unticked and emptied.
    static bv::log &viewer()
    {
        auto &w = windows::get<bv::log>();
        for (FilterCheck *c : {w.CheckBox1, w.CheckBox2, w.CheckBox3, w.CheckBox4, w.CheckBox5})
            c->setChecked(false);
        w.resetFilters();
        return w;
    }

    void row(const QString &karbar, const QString &tarikh, const QString &when, const QString &cmt,
             const QString &host = "pc1", const QString &ip = "10.0.0.1")
    {
        db().exec("INSERT INTO log (karbar, ip, computer_name, saat, tarikh, cmt, saat_sys) VALUES (?, ?, ?, ?, ?, ?, ?)",
                  {karbar, ip, host, when.right(8), tarikh, cmt, when});
    }
    // The `cmt` of the listed rows, in order.
    static QStringList listed(const BrowserGrid &grid)
    {
        QStringList out;
        const ResultSet rows = grid.shownRows();
        for (int r = 0; r < rows.size(); ++r)
            out << rows.value(r, "cmt").toString();
        return out;
    }

    std::unique_ptr<TestDatabase> database;
};

TEST_P(LogTest, RowIsWrittenVerbatim)
{
    user().todayValue = QDate(2024, 3, 20);  // 1403/01/01
    const QString description = QStringLiteral(" حذف نقشه O'Brien \"12\"; -- ");
    writeLog(db(), QStringLiteral("0012345678"), description);
    writeLog(db(), "u", QString(600, QChar(0x0628)));
    const auto rows = db().rows("SELECT * FROM log ORDER BY id");
    ASSERT_EQ(rows.size(), 2u);
    const Row &r = rows[0];
    EXPECT_EQ(r["karbar"].toString(), "0012345678");
    EXPECT_EQ(r["cmt"].toString(), description);
    EXPECT_EQ(r["tarikh"].toString(), "1403/01/01");
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(r["saat"].toString()).hasMatch())
        << r["saat"].toString().toStdString();
    EXPECT_FALSE(r["saat_sys"].isNull());
    EXPECT_EQ(r["ip"].toString(), machineIdentity().ip);
    EXPECT_EQ(r["computer_name"].toString(), machineIdentity().hostName);
    EXPECT_EQ(rows[1]["cmt"].toString(), QString(500, QChar(0x0628)));  // cut to the column
}

TEST_P(LogTest, ViewerListsNewestFirstWithItsCount)
{
    row("ali", "1403/01/05", "2024-03-24 09:00:00", "a");
    row("reza", "1403/01/06", "2024-03-25 10:00:00", "b");
    row("ali", "1403/01/06", "2024-03-25 10:00:00", "c");  // same second: later id first
    row("", "1403/01/07", "2024-03-26 08:00:00", "no user");
    auto &w = viewer();
    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(listed(*w.DBGrid1), (QStringList{"c", "b", "a"}));
    EXPECT_EQ(w.cnt->text(), "3");
    EXPECT_EQ(w.DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("نام کاربر"));
    EXPECT_TRUE(w.DBGrid1->isColumnHidden(0));  // id

    w.CheckBox2->setChecked(true);
    w.dat1->setDate("1403/01/06");
    w.dat2->setDate("1403/01/06");
    w.search();
    EXPECT_EQ(listed(*w.DBGrid1), (QStringList{"c", "b"}));
    EXPECT_EQ(w.cnt->text(), "2");

    w.dat1->setDate("1403/02/01");  // start after the end
    w.search();
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
    EXPECT_EQ(w.cnt->text(), "0");
}

TEST_P(LogTest, EachFilterNarrowsTheList)
{
    row("ali", "1403/01/05", "2024-03-24 09:00:00", QStringLiteral("ثبت نقشه روستاي 101"), "pc-a", "10.0.0.1");
    row("reza", "1403/01/06", "2024-03-25 10:00:00", QStringLiteral("حذف نقشه 102"), "pc-b", "10.0.0.2");
    auto &w = viewer();
    struct Case {
        FilterCheck *check;
        std::function<void()> type;
        QString expected;
    };
    const Case cases[] = {
        {w.CheckBox1, [&] { w.karbar->setCurrentText("rez"); }, QStringLiteral("حذف نقشه 102")},
        {w.CheckBox3, [&] { w.computer_name->setText("pc-a"); }, QStringLiteral("ثبت نقشه روستاي 101")},
        // Typed with the Persian yeh and digits, as the keyboard gives them.
        {w.CheckBox4, [&] { w.cmt->setText(QStringLiteral("روستا\u06cc ۱۰۱")); }, QStringLiteral("ثبت نقشه روستاي 101")},
        {w.CheckBox5, [&] { w.ip->setText(".0.2"); }, QStringLiteral("حذف نقشه 102")},
    };
    for (const Case &c : cases) {
        c.type();
        w.search();
        EXPECT_EQ(w.DBGrid1->rowCount(), 2) << "an unticked filter adds nothing";
        c.check->setChecked(true);
        w.search();
        EXPECT_EQ(listed(*w.DBGrid1), QStringList{c.expected});
        EXPECT_EQ(w.cnt->text(), "1");
        c.check->setChecked(false);
    }
    w.resetFilters();
    EXPECT_EQ(w.karbar->currentText(), "");
    EXPECT_EQ(w.computer_name->text(), "");
    EXPECT_EQ(w.cmt->text(), "");
    EXPECT_EQ(w.ip->text(), "");
}

TEST_P(LogTest, ViewerExportsTheListedRows)
{
    row("ali", "1403/01/05", "2024-03-24 09:00:00", "a");
    row("reza", "1403/01/06", "2024-03-25 10:00:00", "b");
    auto &w = viewer();
    w.search();
    w.DBGrid1->sortBy("karbar");
    QTest::mouseClick(w.SpeedButton1, Qt::LeftButton);
    ASSERT_EQ(user().opened.size(), 1);
    const auto sheet = bv::test::readXlsx(user().opened[0]);
    QFile::remove(user().opened[0]);
    EXPECT_EQ(sheet.rows, (QList<int>{1, 2, 3}));
    EXPECT_EQ(sheet.text("A1"), QStringLiteral("شناسه"));
    EXPECT_EQ(sheet.text("B1"), QStringLiteral("نام کاربري"));
    EXPECT_EQ(sheet.text("H1"), QStringLiteral("ساعت سرور"));
    EXPECT_EQ(sheet.text("B2"), "ali");  // in the order shown
    EXPECT_EQ(sheet.text("H2"), "2024-03-24 09:00:00");
}

TEST_P(LogTest, FailedSearchShowsItsError)
{
    db().exec("DROP TABLE log");
    viewer().search();
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_EQ(user().messages[0].kind, MessageKind::Error);
}

TEST_P(LogTest, EmptyListMatchesNothing)
{
    row("ali", "1403/01/05", "2024-03-24 09:00:00", "a");
    row("reza", "1403/01/06", "2024-03-25 10:00:00", "b");
    Conditions none(db().dialect());
    none.containsAny("karbar", {});
    EXPECT_EQ(db().scalar("select count(*) from log" + none.where(), none.values()).toInt(), 0);
    Conditions some(db().dialect());
    some.containsAny("karbar", {"li", "ez"});
    EXPECT_EQ(db().scalar("select count(*) from log" + some.where(), some.values()).toInt(), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, LogTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
