#include "admin_fixture.h"
#include "attachment_window.h"
#include "attachments.h"
#include "browsergrid.h"
#include "dateedit.h"
#include "filters.h"
#include "grid_rows.h"
#include "lookuplists.h"
#include "sabti_correspondence.h"
#include "sabti_mokatebat.h"
#include "windows.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace bv;
using bv::test::AdminTest;
using bv::test::selectRow;
using bv::test::shownColumn;
using bv::test::user;

class LettersTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        db().exec("INSERT INTO setting (component, cmt) VALUES (?, '4321')", {QStringLiteral("رمز حذف")});
        db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)",
                  {QStringLiteral("طرف هاي مکاتبه ثبتي"), QStringLiteral("اداره ثبت اسناد")});
        job = addJob("501");
        other = addJob("502");
        session() = Session{"admin", "ostan", 1, {}};
    }
    qint64 addJob(const QString &code)
    {
        return db().insert("INSERT INTO sabti (city, rosta, cod) VALUES ('c', 'r', ?)", {code});
    }
    qint64 letter(qint64 owner, const QString &number, const QString &date, const QString &subject = "s",
                  const QString &party = "p")
    {
        return sabt::addLetter(db(), owner, {number, date, party, QStringLiteral("وارده"), "post", subject});
    }
    void attach(qint64 owner, const QString &extension, const QByteArray &content)
    {
        db().exec("INSERT INTO sabti_mokatebat_pic (mokatebat_id, cmt, pictyp, pic) VALUES (?, 'scan', ?, ?)",
                  {owner, extension, content});
    }
    int letters(const QString &where = "1=1", const QVariantList &values = {})
    {
        return db().scalar("SELECT COUNT(*) FROM sabti_mokatebat WHERE " + where, values).toInt();
    }
    sabti_mokatebat &window(qint64 owner)
    {
        sabti_mokatebat &w = windows::get<sabti_mokatebat>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        w.load(owner);
        return w;
    }
    void type(sabti_mokatebat &w, const QString &number, const QString &subject, const QString &party)
    {
        w.paper_no->setText(number);
        w.paper_dat->setDate("1402/03/04");
        w.taraf->setEditText(party);
        w.typ->setCurrentIndex(1);
        w.post->setText(QStringLiteral("دهيار"));
        w.mozo->setText(subject);
    }

    qint64 job = 0, other = 0;
};

TEST_P(LettersTest, OpensOnTheJobsLettersWithEmptyInputsAndTodaysDates)
{
    letter(job, "1", "1402/01/01");
    letter(other, "2", "1402/01/01");
    sabti_mokatebat &w = windows::get<sabti_mokatebat>();
    w.paper_no->setText("old");
    w.mozo2->setText("old");
    w.cnt->setText("9");
    user().dialogs.push_back([](QDialog &) { return QDialog::Rejected; });
    w.openFor(job);
    EXPECT_EQ(user().shownDialogs, QStringList{"sabti_mokatebat"});
    EXPECT_EQ(w.paper_no->text(), "");
    EXPECT_EQ(w.mozo2->text(), "");
    EXPECT_EQ(w.paper_dat->date(), emptyDateMask);
    EXPECT_EQ(w.paper_dat1->date(), jalaliToday());
    EXPECT_EQ(w.paper_dat2->date(), jalaliToday());
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_EQ(w.typ->currentIndex(), -1);
    EXPECT_GE(w.taraf->findText(QStringLiteral("اداره ثبت اسناد")), 0);
    EXPECT_EQ(shownColumn(*w.DBGrid1, "paper_no"), QStringList{"1"});
}

TEST_P(LettersTest, NumberOfAnotherJobAsksAndAnIdenticalLetterIsRefusedWithoutAQuestion)
{
    letter(other, "77/5", "1402/01/01", QStringLiteral("موضوع"), QStringLiteral("اداره ثبت اسناد"));
    sabti_mokatebat &w = window(job);

    type(w, "77/5", QStringLiteral("موضوع"), QStringLiteral("اداره ثبت اسناد"));
    user().answers = {false};
    w.addLetter();
    EXPECT_EQ(user().questions, QStringList{sabt::numberUsedQuestion});
    EXPECT_EQ(letters("sabti_id = ?", {job}), 0);

    user().clear();
    user().answers = {true};
    w.addLetter();
    EXPECT_EQ(user().questions, QStringList{sabt::numberUsedQuestion});
    ASSERT_EQ(letters("sabti_id = ?", {job}), 1);
    const Row stored = db().rows("SELECT * FROM sabti_mokatebat WHERE sabti_id = ?", {job}).front();
    EXPECT_EQ(stored["paper_dat"].toString(), "1402/03/04");
    EXPECT_EQ(stored["typ"].toString(), QStringLiteral("صادره"));
    EXPECT_EQ(stored["post"].toString(), QStringLiteral("دهيار"));
    EXPECT_EQ(w.DBGrid1->rowCount(), 1);

    // The same letter again, its subject typed with the Persian yeh: refused, no question.
    user().clear();
    user().answers = {true};
    type(w, "77/5", QStringLiteral("موضوع"), QStringLiteral("اداره ثبت اسناد").replace(QChar(0x064A), QChar(0x06CC)));
    w.addLetter();
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(user().messageTexts(), QStringList{sabt::sameLetterMessage});
    EXPECT_EQ(letters("sabti_id = ?", {job}), 1);

    user().clear();
    type(w, "78/5", QStringLiteral("موضوع"), QStringLiteral("اداره ثبت اسناد"));
    w.addLetter();
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_TRUE(user().messages.empty());
    EXPECT_EQ(letters("sabti_id = ?", {job}), 2);
}

TEST_P(LettersTest, HalfTypedDateIsRefusedNamingTheField)
{
    sabti_mokatebat &w = window(job);
    type(w, "9", "s", "p");
    w.paper_dat->setText("1402/1");
    w.addLetter();
    EXPECT_EQ(user().messageTexts(), QStringList{invalidDateMessage(QStringLiteral("تاريخ نامه"))});
    EXPECT_EQ(letters(), 0);
}

TEST_P(LettersTest, SearchCoversAllJobsWithBothDatesIncluded)
{
    const qint64 first = letter(job, "1", "1401/12/29");
    const qint64 from = letter(job, "2", "1402/01/01", QStringLiteral("تحويل نقشه"));
    const qint64 inside = letter(other, "3", "1402/02/10");
    const qint64 to = letter(other, "4", "1402/03/01", QStringLiteral("تحويل پلات"));
    letter(other, "5", "1402/03/02");
    sabti_mokatebat &w = window(job);
    w.CheckBox2->setChecked(true);
    w.paper_dat1->setDate("1402/01/01");
    w.paper_dat2->setDate("1402/03/01");
    w.search();
    EXPECT_EQ(w.cnt->text(), "3");
    EXPECT_EQ(shownColumn(*w.DBGrid1, "id"),
              (QStringList{QString::number(from), QString::number(inside), QString::number(to)}));

    w.CheckBox6->setChecked(true);
    w.mozo2->setText(QStringLiteral("تحويل"));
    w.search();
    EXPECT_EQ(shownColumn(*w.DBGrid1, "id"), (QStringList{QString::number(from), QString::number(to)}));

    w.CheckBox2->setChecked(false);
    w.CheckBox6->setChecked(false);
    w.CheckBox1->setChecked(true);
    w.paper_no2->setText("1");
    w.search();
    EXPECT_EQ(shownColumn(*w.DBGrid1, "id"), QStringList{QString::number(first)});

    // A half-typed end date does not search.
    w.CheckBox2->setChecked(true);
    w.paper_dat2->setText("1402");
    user().clear();
    w.search();
    EXPECT_EQ(user().messages.size(), 1u);
    EXPECT_EQ(w.cnt->text(), "1");
}

TEST_P(LettersTest, DeleteAsksPasswordAndTellsTheAttachmentsThatStay)
{
    const qint64 plain = letter(job, "1", "1402/01/01");
    const qint64 scanned = letter(job, "2", "1402/01/01");
    attach(scanned, ".pdf", "x");
    attach(scanned, ".jpg", "y");
    sabti_mokatebat &w = window(job);

    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", plain));
    user().inputs = {QString("1234")};
    w.deleteLetter();
    EXPECT_EQ(letters(), 2);
    EXPECT_TRUE(user().messages.empty());

    user().inputs = {QString("4321")};
    w.deleteLetter();
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("حذف شد")});
    EXPECT_EQ(letters(), 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log").toInt(), 0);

    user().clear();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", scanned));
    user().inputs = {QString("4321")};
    user().answers = {false};
    w.deleteLetter();
    EXPECT_EQ(user().questions, QStringList{sabt::attachmentsStayQuestion(2)});
    EXPECT_EQ(letters(), 1);
    user().inputs = {QString("4321")};
    user().answers = {true};
    w.deleteLetter();
    EXPECT_EQ(letters(), 0);
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
}

TEST_P(LettersTest, SavesEachListedAttachmentAsItsOwnFile)
{
    const qint64 a = letter(job, "1", "1402/01/01", QStringLiteral("نقشه/پلات"));
    const qint64 none = letter(job, "2", "1402/01/01", QStringLiteral("بدون ضميمه"));
    const qint64 b = letter(job, "3", "1402/01/01", "../up");
    attach(a, ".pdf", "one");
    attach(a, "../x", "two");
    attach(b, ".jpg", "three");
    Q_UNUSED(none);
    sabti_mokatebat &w = window(job);
    QTemporaryDir dir;

    user().files = {};
    w.saveListAttachments();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(user().messages.empty());

    user().files = {dir.filePath("Z")};
    w.saveListAttachments();
    const QStringList written = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(written, (QStringList{QStringLiteral("Z1نقشه_پلات_1.pdf"), QStringLiteral("Z1نقشه_پلات_2"),
                                    QStringLiteral("Z3.._up_1.jpg")}));
    QFile first(dir.filePath(QStringLiteral("Z1نقشه_پلات_1.pdf")));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), "one");
    EXPECT_EQ(user().messageTexts(), QStringList{sabt::savedMessage({2, 3, 0})});
}

TEST_P(LettersTest, AttachmentsOfAFoundLetterNameItsOwnJob)
{
    const qint64 mine = letter(job, "1", "1402/01/01");
    const qint64 theirs = letter(other, "1", "1402/01/01");
    attach(theirs, ".pdf", "x");
    sabti_mokatebat &w = window(job);
    w.CheckBox1->setChecked(true);
    w.paper_no2->setText("1");
    w.search();
    ASSERT_TRUE(selectRow(*w.DBGrid1, "id", theirs));

    w.attachments();
    EXPECT_EQ(user().messageTexts(), QStringList{noAccessMessage});
    EXPECT_TRUE(user().shownDialogs.isEmpty());

    db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (1, 'zamaem_n', 1, 1, 1, 1)");
    user().clear();
    int listed = -1;
    user().dialogs.push_back([&](QDialog &d) {
        listed = static_cast<AttachmentWindow &>(d).DBGrid1->rowCount();
        // Deleting the file logs the code of the letter's own job.
        user().inputs = {QString("4321")};
        static_cast<AttachmentWindow &>(d).deleteCurrent();
        return QDialog::Rejected;
    });
    w.attachments();
    EXPECT_EQ(user().shownDialogs, QStringList{"sabti_mokatebat_pic"});
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log WHERE cmt LIKE ?", {"%502%"}).toInt(), 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM sabti_mokatebat_pic").toInt(), 0);
    Q_UNUSED(mine);
}

INSTANTIATE_TEST_SUITE_P(Engines, LettersTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
