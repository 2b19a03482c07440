#include "db.h"
#include "dm.h"
#include "errornet.h"
#include "money.h"
#include "scripted.h"
#include "test_db.h"

#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace bv;
using bv::test::TestDatabase;
using bv::test::user;

namespace {
// A window whose button runs what the test gives it, as a handler that forgot
// to catch would.
class Faulty : public QWidget {
public:
    Faulty()
    {
        button = new QPushButton(QStringLiteral("ثبت"), this);
        button->resize(80, 30);
        connect(button, &QPushButton::clicked, this, [this] { action(); });
    }
    // Pressed by the mouse, so the click is dispatched as the desktop would.
    void press() { QTest::mouseClick(button, Qt::LeftButton); }

    QPushButton *button;
    std::function<void()> action;
};
}  // namespace

class ErrorNet : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        BV_REQUIRE_ENGINE(GetParam());
        database = std::make_unique<TestDatabase>(GetParam());
        database->open(dm().main());
        db().exec("CREATE TABLE people (name VARCHAR(50))");
        window.show();
    }
    void TearDown() override { dm().main().close(); }
    const Db &db() { return dm().main(); }
    int people() { return db().scalar("SELECT COUNT(*) FROM people").toInt(); }
    void add(const QString &name) { db().exec("INSERT INTO people (name) VALUES (?)", {name}); }
    // The messages shown, each with its kind.
    QStringList errors()
    {
        QStringList out;
        for (const auto &m : user().messages)
            out << (m.kind == MessageKind::Error ? QStringLiteral("error: ") : QStringLiteral("other: ")) + m.text;
        return out;
    }

    std::unique_ptr<TestDatabase> database;
    Faulty window;
};

TEST_P(ErrorNet, AnEscapedDatabaseErrorIsShownRolledBackAndTheWindowGoesOn)
{
    bool fail = true;
    window.action = [&] {
        db().transaction([&] {
            add("first");
            if (fail)
                db().exec("INSERT INTO missing_table (name) VALUES (?)", {"x"});
        });
    };
    window.press();
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_EQ(user().messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(user().messages[0].text.contains("missing_table")) << user().lastMessage().toStdString();
    EXPECT_EQ(people(), 0);

    fail = false;
    window.press();
    EXPECT_EQ(user().messages.size(), 1u);
    EXPECT_EQ(people(), 1);

    // A dropped connection is an error like any other; once it is back, so is the window.
    dm().main().close();
    window.press();
    ASSERT_EQ(user().messages.size(), 2u);
    EXPECT_EQ(user().messages[1].text, QStringLiteral("اتصال به بانک اطلاعاتي برقرار نيست"));
    database->open(dm().main());
    window.press();
    EXPECT_EQ(people(), 2);
    EXPECT_EQ(user().messages.size(), 2u);
}

TEST_P(ErrorNet, ATransactionTheHandlerLeftOpenIsRolledBack)
{
    window.action = [&] {
        ASSERT_TRUE(db().handle().transaction());
        add("half");
        throw std::invalid_argument("bad argument");
    };
    window.press();
    EXPECT_EQ(errors(), QStringList{"error: bad argument"});
    EXPECT_EQ(people(), 0);
    // Nothing is left open: a transaction of the next action starts and commits.
    window.action = [&] { db().transaction([&] { add("next"); }); };
    window.press();
    EXPECT_EQ(people(), 1);
    EXPECT_EQ(errors().size(), 1);

    // The text of any other error, as the template engine's, is read as UTF-8.
    window.action = [] { throw std::runtime_error(QStringLiteral("خطا در محاسبه").toStdString()); };
    window.press();
    EXPECT_EQ(errors().last(), QStringLiteral("error: خطا در محاسبه"));

    // An overflow of exact money shows its own Persian message.
    window.action = [] { (void)Money::fromWhole(922337203685477).times(Decimal(100)); };
    window.press();
    EXPECT_EQ(errors().last(), QStringLiteral("error: ") + NumberError(NumberError::Kind::Overflow).text());
}

TEST_P(ErrorNet, AnErrorCaughtInsideARunningTransactionLeavesItToItsOwner)
{
    // As in a modal window opened by an action while its transaction runs.
    window.action = [] { throw std::runtime_error("inner"); };
    db().transaction([&] {
        add("before");
        window.press();
        add("after");
    });
    EXPECT_EQ(errors(), QStringList{"error: inner"});
    EXPECT_EQ(people(), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, ErrorNet, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
