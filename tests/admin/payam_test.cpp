#include "accounts.h"
#include "admin_fixture.h"
#include "browsergrid.h"
#include "dates.h"
#include "exchange_pages.h"
#include "login.h"
#include "main_window.h"
#include "messages.h"
#include "payam.h"
#include "windows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

namespace {
// "سلام، گزارش پيمانکار آماده است؟" as an older client stored it.
const QByteArray oldBytes("\xD3\xE1\xC7\xE3\xA1\x20\x90\xD2\xC7\xD1\xD4\x20\x81\xED\xE3\xC7\xE4\x98\xC7\xD1\x20\xC2\xE3"
                          "\xC7\xCF\xE5\x20\xC7\xD3\xCA\xBF");
const QString oldText = QStringLiteral("سلام، گزارش پيمانکار آماده است؟");

void tick(payam &w, qint64 userId)
{
    for (int i = 0; i < w.prs_list->count(); ++i)
        if (w.prs_list->item(i)->data(Qt::UserRole).toLongLong() == userId)
            w.prs_list->item(i)->setCheckState(Qt::Checked);
}

// Selects the shown rows of the given message ids.
void select(payam &w, const QList<qint64> &ids)
{
    const ResultSet shown = w.DBGrid1->shownRows();
    w.DBGrid1->clearSelection();
    for (int r = 0; r < shown.size(); ++r)
        if (ids.contains(shown.value(r, "id").toLongLong()))
            w.DBGrid1->selectionModel()->select(w.DBGrid1->model()->index(r, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
}  // namespace

TEST(MessageText, NewTextsRoundTripAndOldRowsReadAsCodePage1256)
{
    const QString text = QStringLiteral("پيام با «گيومه»، رقم ۱۲ و 😀");
    const QByteArray stored = encodeMessageText(text);
    EXPECT_TRUE(stored.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(decodeMessageText(stored), text);
    EXPECT_EQ(decodeMessageText(oldBytes), oldText);
    EXPECT_EQ(decodeMessageText("plain ascii"), "plain ascii");
    EXPECT_EQ(decodeMessageText({}), "");
    // Every byte of the code page decodes to one character; the two ends of its table.
    EXPECT_EQ(decodeMessageText("\x80\xFF"), QString(QChar(0x20AC)) + QChar(0x06D2));
}

TEST(MessageText, Reports)
{
    EXPECT_EQ(sendReport({2, 0}), QStringLiteral("ارسال انجام شد\nتعداد پيام ارسال شده: 2"));
    EXPECT_EQ(sendReport({1, 1}),
              QStringLiteral("ارسال انجام شد\nتعداد پيام ارسال شده: 1\nتکراري امروز که ارسال نشد: 1"));
    EXPECT_EQ(sendReport({0, 2}), QStringLiteral("پيامي ارسال نشد\nتکراري امروز که ارسال نشد: 2"));
    EXPECT_EQ(sendReport({0, 0}), QStringLiteral("پيامي ارسال نشد؛ گيرنده اي انتخاب نشده است"));
    EXPECT_EQ(recipientLabel("arak", "city", QVariant(), QStringLiteral("علي")), QStringLiteral("arak*city**علي"));
}

class MessagesTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        adminId = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
        registerExchangePages();
    }
    // Opens the messages window as the menu does and runs `inside` while it is shown.
    void openMessages(const std::function<void(payam &)> &inside)
    {
        user().dialogs.push_back([inside](QDialog &d) {
            inside(static_cast<payam &>(d));
            d.reject();
            return 0;
        });
        windows::get<main>().trigger("N11");
    }
    int messages(const QString &where = "1=1", const QVariantList &values = {})
    {
        return db().scalar("SELECT COUNT(*) FROM payamha WHERE " + where, values).toInt();
    }
    qint64 store(qint64 from, qint64 to, const QString &subject, const QString &shown = {})
    {
        return db().insert("INSERT INTO payamha (send_prs_id, rec_prs_id, send_dat, show_dat, mozo, cmt) "
                           "VALUES (?, ?, '1403/01/01', ?, ?, ?)",
                           {from, to, shown, subject, encodeMessageText(subject)});
    }
    qint64 adminId = 0;
};

TEST_P(MessagesTest, SendingGoesToTheTickedUsersByIdOncePerDay)
{
    // Two users with the same label, one without a group.
    const qint64 a = addUser("a-user", hashPassword("pw"));
    const qint64 b = addUser("b-user", hashPassword("pw"));
    db().exec("UPDATE users SET nam = 'same', ostan = NULL, semat = NULL WHERE id IN (?, ?)", {a, b});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("موضوع پيام"), "meeting"});
    session() = Session{"admin", "ostan", adminId, {}};
    openMessages([&](payam &w) {
        EXPECT_EQ(w.prs_list->count(), 3);
        EXPECT_EQ(w.mozo->count(), 1);
        EXPECT_TRUE(w.girande->isEnabled());
        tick(w, a);
        tick(w, b);
        w.mozo->setEditText("meeting");
        w.cmt->setPlainText(QStringLiteral("متن پیام'"));  // Persian yeh typed
        w.send();
        w.send();  // the same subject again today
        w.mozo->setEditText("other");
        w.CheckBox1->setChecked(true);
        w.CheckBox1->setChecked(false);
        w.send();  // nobody ticked
    });
    EXPECT_EQ(user().messageTexts(), (QStringList{sendReport({2, 0}), sendReport({0, 2}), sendReport({0, 0})}));
    EXPECT_EQ(messages(), 2);
    EXPECT_EQ(messages("rec_prs_id = ?", {a}), 1);
    EXPECT_EQ(messages("rec_prs_id = ?", {b}), 1);
    const auto rows = db().rows("SELECT send_prs_id, send_dat, show_dat, cmt FROM payamha");
    for (const Row &r : rows) {
        EXPECT_EQ(r["send_prs_id"].toLongLong(), adminId);
        EXPECT_EQ(r["send_dat"].toString(), jalaliToday());
        EXPECT_EQ(r["show_dat"].toString(), "");
        EXPECT_EQ(decodeMessageText(r["cmt"].toByteArray()), QStringLiteral("متن پيام'"));
    }
    EXPECT_EQ(unreadMessages(db(), a), 1);
}

TEST_P(MessagesTest, UsersSeeTheirOwnMessagesAndTheAdministratorAll)
{
    const qint64 a = addUser("a-user", hashPassword("pw"));
    const qint64 b = addUser("b-user", hashPassword("pw"));
    store(adminId, a, "to a");
    store(adminId, b, "to b");
    const qint64 old = db().insert("INSERT INTO payamha (send_prs_id, rec_prs_id, send_dat, show_dat, mozo, cmt) "
                                   "VALUES (?, ?, '1402/12/29', '', 'old', ?)",
                                   {b, a, oldBytes});
    session() = Session{"a-user", "ostan", a, {}};
    openMessages([&](payam &w) {
        EXPECT_FALSE(w.girande->isEnabled());
        ASSERT_EQ(w.DBGrid1->rowCount(), 2);
        EXPECT_EQ(w.DBGrid1->currentValue("mozo").toString(), "to a");  // newest first
        EXPECT_EQ(w.DBMemo1->toPlainText(), "to a");
        w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(1, 3));
        EXPECT_EQ(w.DBGrid1->currentId().toLongLong(), old);
        EXPECT_EQ(w.DBMemo1->toPlainText(), oldText);
        EXPECT_EQ(w.DBGrid1->currentValue("ferestande").toString(), "b-user");
        w.showSender();
        w.showRecipient();
    });
    EXPECT_EQ(user().messageTexts(), (QStringList{QStringLiteral("*ostan**کاربر b-user"),
                                                  QStringLiteral("*ostan**کاربر a-user")}));

    user().clear();
    session() = Session{"admin", "ostan", adminId, {}};
    openMessages([&](payam &w) {
        EXPECT_EQ(w.DBGrid1->rowCount(), 3);
        w.girande->setCurrentIndex(w.girande->findData(b));
        w.filterByRecipient();
        EXPECT_EQ(w.DBGrid1->rowCount(), 1);
        w.girande->setCurrentIndex(0);
        w.filterByRecipient();
        EXPECT_EQ(w.DBGrid1->rowCount(), 3);
    });
}

TEST_P(MessagesTest, OnlyTheAdministratorDeletes)
{
    const qint64 a = addUser("a-user", hashPassword("pw"));
    const qint64 read1 = store(adminId, a, "1", "1403/01/02");
    const qint64 read2 = store(adminId, a, "2", "1403/01/02");
    const qint64 unread = store(adminId, a, "3");
    store(a, adminId, "4", "1403/01/03");

    session() = Session{"a-user", "admin", a, {}};  // the level does not matter, the name does
    openMessages([&](payam &w) {
        select(w, {read1, read2, unread});
        w.N2->trigger();
        w.N5->trigger();
        w.N6->trigger();
    });
    EXPECT_EQ(user().messageTexts(), QStringList(3, adminOnlyMessage));
    EXPECT_EQ(messages(), 4);

    user().clear();
    session() = Session{"admin", "ostan", adminId, {}};
    openMessages([&](payam &w) {
        select(w, {read1, read2, unread});
        w.deleteSelected();
        EXPECT_EQ(w.DBGrid1->rowCount(), 2);
    });
    EXPECT_EQ(messages(), 2);
    EXPECT_EQ(messages("id = ?", {unread}), 1);

    openMessages([&](payam &w) { w.deleteAllRead(); });
    EXPECT_EQ(messages(), 1);
    openMessages([&](payam &w) { w.deleteCurrent(); });
    EXPECT_EQ(messages(), 0);
    EXPECT_EQ(user().messageTexts(), QStringList(3, QStringLiteral("حذف شد")));
}

TEST_P(MessagesTest, UnreadMessagesStarTheMenuUntilRead)
{
    addUser("clerk", hashPassword("pw"));
    const qint64 clerk = db().scalar("SELECT id FROM users WHERE us = 'clerk'").toLongLong();
    sendMessage(db(), adminId, {clerk}, "hello", "text", "1403/02/02");
    login &l = windows::get<login>();
    l.us->setText("clerk");
    l.ps->setText("pw");
    ASSERT_TRUE(l.logIn());
    main &menu = windows::get<main>();
    EXPECT_EQ(menu.N11->text(), QStringLiteral("پيام*"));

    openMessages([](payam &) {});  // looked at, not marked
    EXPECT_EQ(menu.N11->text(), QStringLiteral("پيام*"));
    openMessages([](payam &w) { w.N1->trigger(); });
    EXPECT_EQ(menu.N11->text(), QStringLiteral("پيام"));
    EXPECT_EQ(db().scalar("SELECT show_dat FROM payamha").toString(), jalaliToday());
    EXPECT_EQ(unreadMessages(db(), clerk), 0);
    menu.hide();
}

INSTANTIATE_TEST_SUITE_P(Engines, MessagesTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
