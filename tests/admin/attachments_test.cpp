#include "accounts.h"
#include "admin_fixture.h"
#include "attachment_window.h"
#include "browsergrid.h"
#include "exchange_pages.h"
#include "main_window.h"
#include "windows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace bv;
using bv::test::AdminTest;
using bv::test::user;

namespace {
const QString deleted = QStringLiteral("حذف شد");
const QString wrongPassword = QStringLiteral("رمز حذف اشتباه بود");

QByteArray everyByte(int repeat)
{
    QByteArray bytes;
    for (int r = 0; r < repeat; ++r)
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b));
    return bytes;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Records the filters of the file choices and leaves the rest to the scripted user.
class FilterRecorder : public bv::test::ScriptedInteraction {
public:
    QStringList filters;
    QString openFileName(const QString &caption, const QString &filter) override
    {
        filters << filter;
        return user().openFileName(caption, filter);
    }
    void message(const QString &text, MessageKind kind) override { user().message(text, kind); }
    int execDialog(QDialog &dialog) override { return user().execDialog(dialog); }
};
}  // namespace

class AttachmentTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        // The owners 1 to 20 the tests attach files to, in every owner table,
        // numbered by the table itself so later rows number on from 21.
        for (const AttachmentTable *table : attachment::all()) {
            if (!table->ownerTable)
                continue;
            const QString add = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(QLatin1String(table->ownerTable));
            for (int id = 1; id <= 20; ++id)
                ASSERT_EQ(db().insert(add), id);
        }
        adminId = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
        session() = Session{"admin", "admin", adminId, {}};
        saveRights(db(), adminId,
                   {{"zamaem_n", {true, true, true, true}},
                    {"naghshe", {true, true, true, true}},
                    {"zamaem_m", {true, true, true, true}},
                    {"zamaem", {true, true, true, true}}});
    }
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    int rows(const QString &table, const QString &where = "1=1", const QVariantList &values = {})
    {
        return db().scalar("SELECT COUNT(*) FROM " + table + " WHERE " + where, values).toInt();
    }
    // Opens a window as its opener would, running `inside` while it is shown.
    bool open(const AttachmentTable &table, const AttachmentContext &context,
              const std::function<void(AttachmentWindow &)> &inside)
    {
        user().dialogs.push_back([inside](QDialog &d) {
            inside(static_cast<AttachmentWindow &>(d));
            return 0;
        });
        return openAttachments(table, context);
    }
    // Survey projects of these ids, for a file added to every listed one.
    QList<qint64> projects(qint64 from, qint64 to)
    {
        QList<qint64> ids;
        for (qint64 id = from; id <= to; ++id) {
            db().exec("INSERT INTO naghshe (id, rosta) VALUES (?, ?)", {id, QStringLiteral("روستا")});
            ids << id;
        }
        return ids;
    }
    void setDeletePassword(const QString &password)
    {
        db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("رمز حذف"), password});
    }

    qint64 adminId = 0;
    QTemporaryDir dir;
};

TEST_P(AttachmentTest, ListsNeverReadTheContents)
{
    for (const AttachmentTable *table : attachment::all()) {
        SCOPED_TRACE(table->table().toStdString());
        const QList<qint64> owners{5};
        for (const QString &d : {QStringLiteral("پ"), QStringLiteral("الف"), QStringLiteral("ب")})
            ASSERT_EQ(addAttachment(db(), *table, owners, {d, ".pdf", QByteArray(1000, 'x'), "sig-secret"}).outcome,
                      AddOutcome::Stored);
        const ResultSet list = listAttachments(db(), *table, 5);
        EXPECT_FALSE(list.columns.contains("pic"));
        ASSERT_EQ(list.size(), 3);
        // Numbered in alphabetical order of the descriptions.
        EXPECT_EQ(list.value(0, "cmt").toString(), QStringLiteral("الف"));
        EXPECT_EQ(list.value(1, "cmt").toString(), QStringLiteral("ب"));
        EXPECT_EQ(list.value(2, "cmt").toString(), QStringLiteral("پ"));
        if (table->kind == AttachmentKind::Program) {
            EXPECT_EQ(list.columns, (QStringList{"pk", "ramz", "cmt", "pictype"}));
            for (int r = 0; r < 3; ++r)
                EXPECT_EQ(list.value(r, "ramz").toString(), "*****");
        } else {
            EXPECT_EQ(list.value(0, "radif").toInt(), 1);
            EXPECT_EQ(list.value(2, "radif").toInt(), 3);
            EXPECT_EQ(list.value(0, "pictyp").toString(), ".pdf");
        }
        if (table->kind == AttachmentKind::Owned) {
            EXPECT_EQ(list.columns, (QStringList{"radif", "id", table->owner(), "cmt", "pictyp"}));
            EXPECT_TRUE(listAttachments(db(), *table, 6).empty());
        }
    }
    // The documents' search narrows by description.
    EXPECT_EQ(listAttachments(db(), attachment::mostanadat(), 0, QStringLiteral("الف")).size(), 1);
}

TEST_P(AttachmentTest, OneFileToTheCurrentOwnerOrToEveryListedOwner)
{
    const QList<qint64> listed = projects(101, 130);
    const QByteArray content = everyByte(40);
    user().files = {file("map.JPG", content), file("map.JPG", content)};

    ASSERT_TRUE(open(attachment::naghshe_pic(), {7, listed, AddMode::One, {}, {}}, [](AttachmentWindow &w) {
        EXPECT_EQ(w.one_or_all->text(), "1");
        w.cmt->setEditText(QStringLiteral("چک ليست نهايي"));
        w.add();
        EXPECT_EQ(w.Shape1->state(), StatusMarker::State::Green);
        EXPECT_EQ(w.DBGrid1->rowCount(), 1);
    }));
    EXPECT_EQ(rows("naghshe_pic", "naghshe_id = 7"), 1);
    EXPECT_TRUE(user().messages.empty());  // this member only turns its marker green

    ASSERT_TRUE(open(attachment::naghshe_pic(), {7, listed, AddMode::All, "naghshe", {}}, [](AttachmentWindow &w) {
        EXPECT_EQ(w.one_or_all->text(), "2");
        EXPECT_EQ(w.Shape1->state(), StatusMarker::State::Red);
        w.cmt->setEditText(QStringLiteral("تحويل قطعي"));
        w.add();
        EXPECT_EQ(w.Shape1->state(), StatusMarker::State::Green);
    }));
    EXPECT_EQ(rows("naghshe_pic", "cmt = ?", {QStringLiteral("تحويل قطعي")}), 30);
    EXPECT_EQ(rows("naghshe_pic", "naghshe_id BETWEEN 101 AND 130 AND pictyp = '.JPG'"), 30);
    for (const Row &r : db().rows("SELECT pic FROM naghshe_pic"))
        EXPECT_EQ(r["pic"].toByteArray(), content);

    // A member that says so after the last copy.
    user().clear();
    user().files = {file("p.pdf", "x")};
    saveRights(db(), adminId, {{"peymankar_pic", {true, false, false, true}}});
    ASSERT_TRUE(open(attachment::peymankar_pic(), {3, {3, 4}, AddMode::All, {}, {}}, [](AttachmentWindow &w) {
        w.cmt->setEditText("a");
        w.add();
    }));
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ثبت شد")});
    EXPECT_EQ(rows("peymankar_pic"), 2);
}

TEST_P(AttachmentTest, AFailureMidwayStoresNothing)
{
    if (GetParam() == Engine::SQLite) {
        db().exec("CREATE TRIGGER fail_tenth BEFORE INSERT ON naghshe_pic WHEN NEW.naghshe_id = 110 "
                  "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    } else {
        db().exec("CREATE FUNCTION fail_tenth() RETURNS trigger AS $$ BEGIN "
                  "IF NEW.naghshe_id = 110 THEN RAISE EXCEPTION 'injected failure'; END IF; RETURN NEW; END $$ "
                  "LANGUAGE plpgsql");
        db().exec("CREATE TRIGGER fail_tenth BEFORE INSERT ON naghshe_pic FOR EACH ROW EXECUTE FUNCTION fail_tenth()");
    }
    const QList<qint64> listed = projects(101, 130);
    user().files = {file("a.pdf", "content")};
    ASSERT_TRUE(open(attachment::naghshe_pic(), {101, listed, AddMode::All, {}, {}}, [](AttachmentWindow &w) {
        w.cmt->setEditText("x");
        w.add();
        EXPECT_EQ(w.Shape1->state(), StatusMarker::State::Red);
    }));
    ASSERT_EQ(user().messages.size(), 1u);
    EXPECT_TRUE(user().messages[0].text.startsWith(addFailedMessage));
    EXPECT_TRUE(user().messages[0].text.contains("injected failure"));
    EXPECT_EQ(rows("naghshe_pic"), 0);

    EXPECT_THROW(addAttachment(db(), attachment::naghshe_pic(), listed, {"y", "", "c", {}}), DbError);
    EXPECT_EQ(rows("naghshe_pic"), 0);
}

TEST_P(AttachmentTest, EveryListedOwnerSkipsThoseAnotherClerkDeleted)
{
    const QList<qint64> listed = projects(201, 210);
    // Deleted after the browser listed them.
    db().exec("DELETE FROM naghshe WHERE id IN (203, 207, 208)");
    user().files = {file("m.pdf", "minutes")};
    ASSERT_TRUE(open(attachment::naghshe_pic(), {201, listed, AddMode::All, "naghshe", {}}, [](AttachmentWindow &w) {
        w.cmt->setEditText("x");
        w.add();
        EXPECT_EQ(w.Shape1->state(), StatusMarker::State::Green);
    }));
    EXPECT_EQ(user().messageTexts(), QStringList{skippedOwnersMessage + "3"});
    EXPECT_EQ(rows("naghshe_pic"), 7);
    EXPECT_EQ(rows("naghshe_pic", "naghshe_id IN (203, 207, 208)"), 0);

    // Studies too, after the one message of their table; none skipped, nothing more said.
    user().clear();
    EXPECT_EQ(addAttachment(db(), attachment::borvinat_pic(), {5, 26}, {"y", ".pdf", "c", {}}).skippedOwners, 1);
    EXPECT_EQ(rows("borvinat_pic", "borvinat_id = 5"), 1);
    EXPECT_EQ(rows("borvinat_pic", "borvinat_id = 26"), 0);
    user().files = {file("n.pdf", "note")};
    ASSERT_TRUE(open(attachment::borvinat_pic(), {5, {5}, AddMode::All, {}, {}}, [](AttachmentWindow &w) {
        w.cmt->setEditText("z");
        w.add();
    }));
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("ثبت شد")});

    // One study, deleted while its window was open: nothing stored, nor said to be.
    user().clear();
    user().files = {file("o.pdf", "other")};
    ASSERT_TRUE(open(attachment::borvinat_pic(), {26, {}, AddMode::One, {}, {}}, [](AttachmentWindow &w) {
        w.cmt->setEditText("w");
        w.add();
        EXPECT_NE(w.Shape1->state(), StatusMarker::State::Green);
    }));
    EXPECT_EQ(user().messageTexts(), QStringList{skippedOwnersMessage + "1"});
    EXPECT_EQ(rows("borvinat_pic", "borvinat_id = 26"), 0);
}

TEST_P(AttachmentTest, SavingWritesTheExactBytesAndOpensWhenTicked)
{
    const QByteArray content = everyByte(4096);  // 1 MB
    addAttachment(db(), attachment::naghshe_pic(), {9}, {QStringLiteral("نقشه/اصلي"), ".dwg", content, {}});
    user().files = {dir.filePath("first"), dir.filePath("second.dwg")};
    ASSERT_TRUE(open(attachment::naghshe_pic(), {9, {}, AddMode::One, {}, {}}, [](AttachmentWindow &w) {
        w.CheckBox1->setChecked(true);
        w.saveCurrent();
        w.CheckBox1->setChecked(false);
        w.saveCurrent();
    }));
    EXPECT_EQ(readFile(dir.filePath("first.dwg")), content);
    EXPECT_EQ(readFile(dir.filePath("second.dwg")), content);  // the extension is not doubled
    EXPECT_EQ(user().opened, QStringList{dir.filePath("first.dwg")});

    // A cancelled save dialog writes and opens nothing.
    user().clear();
    ASSERT_TRUE(open(attachment::naghshe_pic(), {9, {}, AddMode::One, {}, {}},
                     [](AttachmentWindow &w) { w.saveCurrent(); }));
    EXPECT_TRUE(user().opened.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_P(AttachmentTest, ViewedFilesGoToAPrivateFolderUnderUniqueNames)
{
    addAttachment(db(), attachment::mostanadat(), {}, {QStringLiteral("../بخشنامه"), ".pdf", "%PDF-1", {}});
    const std::optional<StoredAttachment> stored = fetchAttachment(
        db(), attachment::mostanadat(), db().scalar("SELECT id FROM mostanadat").toLongLong());
    ASSERT_TRUE(stored);
    user().dialogs.push_back([](QDialog &d) {
        auto &w = static_cast<AttachmentWindow &>(d);
        w.search();
        w.saveCurrent();
        w.saveCurrent();
        return 0;
    });
    registerExchangePages();
    windows::get<main>().trigger("N22");
    ASSERT_EQ(user().opened.size(), 2);
    EXPECT_NE(user().opened[0], user().opened[1]);
    for (const QString &path : user().opened) {
        const QFileInfo info(path);
        EXPECT_EQ(readFile(path), QByteArray("%PDF-1"));
        EXPECT_TRUE(info.fileName().endsWith(".pdf"));
        EXPECT_TRUE(info.absolutePath().startsWith(QDir::tempPath()));
        EXPECT_EQ(QDir::cleanPath(path), path);
        EXPECT_EQ(QFile::permissions(info.absolutePath()) & (QFile::ReadOther | QFile::ReadGroup), 0);
    }
    EXPECT_TRUE(user().files.empty());  // no save dialog was needed
}

TEST_P(AttachmentTest, StoredExtensionsNeverSteerThePath)
{
    for (const QString &hostile : {QStringLiteral("../../x"), QStringLiteral(".exe;rm"), QStringLiteral("/etc/x")}) {
        SCOPED_TRACE(hostile.toStdString());
        const StoredAttachment file{QStringLiteral("../../نامه"), hostile, "bytes"};
        user().clear();
        user().files = {dir.filePath("saved")};
        EXPECT_EQ(saveAttachmentAs(file), dir.filePath("saved"));
        EXPECT_EQ(readFile(dir.filePath("saved")), QByteArray("bytes"));
        const QString viewed = writeViewingCopy(file);
        EXPECT_EQ(QDir::cleanPath(viewed), viewed);
        EXPECT_EQ(readFile(viewed), QByteArray("bytes"));
        EXPECT_EQ(QFileInfo(viewed).absolutePath(), QFileInfo(writeViewingCopy({"other", ".txt", "x"})).absolutePath());
        QFile::remove(dir.filePath("saved"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});

    // Extensions taken from chosen files.
    EXPECT_EQ(extensionOf("/home/u/نقشه.JPG", 10), ".JPG");
    EXPECT_EQ(extensionOf("/home/u/archive.tar.gz", 10), ".gz");
    EXPECT_EQ(extensionOf("/home/u/noext", 10), "");
    EXPECT_EQ(extensionOf("/home/u/a.exe;rm", 10), "");
    EXPECT_EQ(extensionOf("/home/u/a.verylongext", 10), "");  // would not fit the column
    EXPECT_EQ(extensionOf("/home/u/a.docx", 10), ".docx");
}

TEST_P(AttachmentTest, AFileWithoutExtensionComesBackWithoutOne)
{
    user().files = {file("README", "plain"), dir.filePath("out")};
    saveRights(db(), adminId, {{"zamaem_n", {true, true, true, true}}});
    ASSERT_TRUE(open(attachment::sabti_pic(), {4, {}, AddMode::One, {}, "123"}, [](AttachmentWindow &w) {
        w.cmt->setEditText("a");
        w.add();
        w.CheckBox1->setChecked(false);
        w.saveCurrent();
    }));
    EXPECT_EQ(db().scalar("SELECT pictyp FROM sabti_pic").toString(), "");
    EXPECT_EQ(readFile(dir.filePath("out")), QByteArray("plain"));
}

TEST_P(AttachmentTest, ExecutableTypesAreOpenedOnlyWhenTheUserAgrees)
{
    addAttachment(db(), attachment::zamaem(), {}, {QStringLiteral("آخرين نسخه نرم افزار"), ".exe", "MZ", {}});
    user().files = {dir.filePath("setup"), dir.filePath("setup2")};
    user().answers = {false, true};
    ASSERT_TRUE(open(attachment::zamaem(), {}, [](AttachmentWindow &w) {
        w.saveCurrent();
        w.saveCurrent();
    }));
    EXPECT_EQ(user().questions, (QStringList{executableQuestion, executableQuestion}));
    EXPECT_EQ(user().opened, QStringList{dir.filePath("setup2.exe")});
    EXPECT_EQ(readFile(dir.filePath("setup.exe")), QByteArray("MZ"));
    EXPECT_TRUE(isExecutableExtension(".BAT"));
    EXPECT_TRUE(isExecutableExtension("sh"));
    EXPECT_FALSE(isExecutableExtension(".pdf"));
}

TEST_P(AttachmentTest, ProgramDocumentsAreOpenedFromAPrivateCopy)
{
    const QString help = QStringLiteral("راهنمايي حل مشکل نمايش فونت ها");
    EXPECT_EQ(openProgramDocument(db(), help), ProgramDocumentOutcome::Missing);
    addAttachment(db(), attachment::zamaem(), {}, {help, ".pdf", "%PDF-first", {}});
    addAttachment(db(), attachment::zamaem(), {}, {QStringLiteral("آخرين نسخه نرم افزار"), ".exe", "MZ", {}});
    // The first registered of one description, written privately without a save dialog.
    db().exec("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '', '.pdf', ?)", {help, QByteArray("%PDF-2")});
    EXPECT_EQ(openProgramDocument(db(), help), ProgramDocumentOutcome::Opened);
    ASSERT_EQ(user().opened.size(), 1);
    EXPECT_EQ(readFile(user().opened[0]), QByteArray("%PDF-first"));
    EXPECT_TRUE(user().opened[0].endsWith(".pdf"));
    EXPECT_EQ(QFile::permissions(QFileInfo(user().opened[0]).absolutePath()) & (QFile::ReadOther | QFile::ReadGroup),
              0);
    EXPECT_TRUE(user().questions.isEmpty());
    // An executable type is opened only when the user agrees.
    user().answers = {false, true};
    EXPECT_EQ(openProgramDocument(db(), QStringLiteral("آخرين نسخه نرم افزار")), ProgramDocumentOutcome::NotOpened);
    EXPECT_EQ(user().opened.size(), 1);
    EXPECT_EQ(openProgramDocument(db(), QStringLiteral("آخرين نسخه نرم افزار")), ProgramDocumentOutcome::Opened);
    EXPECT_EQ(user().questions, (QStringList{executableQuestion, executableQuestion}));
    EXPECT_EQ(readFile(user().opened.last()), QByteArray("MZ"));
    // An empty document opens nothing.
    db().exec("UPDATE zamaem SET pic = ? WHERE cmt = ?", {QByteArray(), help});
    EXPECT_EQ(openProgramDocument(db(), help), ProgramDocumentOutcome::NotOpened);
    EXPECT_EQ(user().opened.size(), 2);
    EXPECT_TRUE(user().files.empty());
}

TEST_P(AttachmentTest, DocumentDescriptionsAreUnique)
{
    const QString described = QStringLiteral("بخشنامه شماره '12'");
    user().files = {file("a.pdf", "one"), file("b.pdf", "two"), file("c.pdf", "three")};
    ASSERT_TRUE(open(attachment::naghshe_mostanadat(), {}, [&](AttachmentWindow &w) {
        w.cmt->setEditText(described);
        w.add();
        EXPECT_EQ(w.Shape1->state(), StatusMarker::State::Green);
        w.add();
        EXPECT_EQ(w.Shape1->state(), StatusMarker::State::Red);
        w.cmt->setEditText(QStringLiteral("ديگر"));
        w.add();
    }));
    EXPECT_EQ(user().messageTexts(), QStringList{duplicateDescriptionMessage});
    EXPECT_EQ(rows("naghshe_mostanadat"), 2);
    EXPECT_EQ(db().scalar("SELECT pic FROM naghshe_mostanadat WHERE cmt = ?", {described}).toByteArray(), "one");
    // Owned attachments take the same description again.
    EXPECT_EQ(addAttachment(db(), attachment::naghshe_pic(), {1}, {described, "", "a", {}}).outcome, AddOutcome::Stored);
    EXPECT_EQ(addAttachment(db(), attachment::naghshe_pic(), {1}, {described, "", "b", {}}).outcome, AddOutcome::Stored);
    EXPECT_EQ(rows("naghshe_pic", "cmt = ?", {described}), 2);
}

TEST_P(AttachmentTest, DescriptionsAreNeededAndTheirListsOffered)
{
    for (const char *item : {"تصوير نقشه", "نقشه اتوکد", "چک ليست نهايي"})
        db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)",
                  {QStringLiteral("شرح ضمائم نقشه برداري"), QString::fromUtf8(item)});
    FilterRecorder recorder;
    Interaction *previous = setUi(&recorder);
    user().files = {file("m.bmp", "BM"), file("c.dwg", "AC")};
    open(attachment::naghshe_pic(), {1, {}, AddMode::One, {}, {}}, [](AttachmentWindow &w) {
        QStringList items;
        for (int i = 0; i < w.cmt->count(); ++i)
            items << w.cmt->itemText(i);
        EXPECT_EQ(items, (QStringList{QStringLiteral("تصوير نقشه"), QStringLiteral("چک ليست نهايي"),
                                      QStringLiteral("نقشه اتوکد")}));
        EXPECT_EQ(w.cmt->currentText(), "");
        w.add();
        w.cmt->setCurrentIndex(0);
        w.add();
        w.cmt->setCurrentIndex(2);
        w.add();
    });
    setUi(previous);
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("خطا! ابتدا شرح ضميمه را مشخص نماييد")});
    // Only the map picture is restricted to bitmaps.
    EXPECT_EQ(recorder.filters, (QStringList{"Bitmap Files (*.bmp)", ""}));
    EXPECT_EQ(rows("naghshe_pic"), 2);
}

TEST_P(AttachmentTest, DeletingNeedsTheDeletePassword)
{
    setDeletePassword("secret");
    addAttachment(db(), attachment::naghshe_pic(), {2}, {"a", ".pdf", "x", {}});
    user().inputs = {std::nullopt, QString("?"), QString("wrong"), QString("secret")};
    ASSERT_TRUE(open(attachment::naghshe_pic(), {2, {}, AddMode::One, {}, {}}, [](AttachmentWindow &w) {
        for (int i = 0; i < 4; ++i)
            w.N1->trigger();
        EXPECT_EQ(w.DBGrid1->rowCount(), 0);
    }));
    EXPECT_EQ(user().messageTexts(), (QStringList{wrongPassword, wrongPassword, wrongPassword, deleted}));
    EXPECT_EQ(rows("naghshe_pic"), 0);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM log").toInt(), 0);

    // Registration members refuse silently and log their deletes with the job's code.
    addAttachment(db(), attachment::sabti_pic(), {3}, {"a", ".pdf", "x", {}});
    user().clear();
    user().inputs = {QString("wrong"), QString("secret")};
    ASSERT_TRUE(open(attachment::sabti_pic(), {3, {}, AddMode::One, {}, "1234"}, [](AttachmentWindow &w) {
        w.deleteCurrent();
        w.deleteCurrent();
    }));
    EXPECT_EQ(user().messageTexts(), QStringList{deleted});
    EXPECT_EQ(rows("sabti_pic"), 0);
    EXPECT_EQ(db().scalar("SELECT cmt FROM log").toString(), QStringLiteral(" حذف ضمائم ثبتي 1234 admin"));

    // Program attachments ask for no password.
    addAttachment(db(), attachment::zamaem(), {}, {"z", ".jpg", "x", "pw"});
    user().clear();
    ASSERT_TRUE(open(attachment::zamaem(), {}, [](AttachmentWindow &w) { w.deleteCurrent(); }));
    EXPECT_TRUE(user().prompts.isEmpty());
    EXPECT_EQ(user().messageTexts(), QStringList{deleted});
    EXPECT_EQ(rows("zamaem"), 0);
}

TEST_P(AttachmentTest, RightsDecideWhatTheWindowAllows)
{
    saveRights(db(), adminId, {{"zamaem_n", {false, false, false, true}}, {"zamaem_m", {true, true, true, false}}});
    ASSERT_TRUE(open(attachment::naghshe_pic(), {1, {}, AddMode::One, {}, {}}, [](AttachmentWindow &w) {
        EXPECT_FALSE(w.ins_btn->isEnabled());
        EXPECT_FALSE(w.N1->isEnabled());
    }));
    user().dialogs.clear();
    EXPECT_FALSE(openAttachments(attachment::borvinat_pic(), {1, {}, AddMode::One, {}, {}}));
    EXPECT_FALSE(openAttachments(attachment::peymankaran_pic(), {1, {}, AddMode::One, {}, {}}));  // no row at all
    EXPECT_EQ(user().messageTexts(), (QStringList{noAccessMessage, noAccessMessage}));
    EXPECT_EQ(user().shownDialogs, QStringList{"naghshe_pic"});
    // The survey browser's "all" item opens the window with the rights of its own page.
    user().clear();
    saveRights(db(), adminId, {{"naghshe", {true, false, true, true}}});
    EXPECT_TRUE(open(attachment::naghshe_pic(), {1, {1, 2}, AddMode::All, "naghshe", {}}, [](AttachmentWindow &w) {
        EXPECT_TRUE(w.ins_btn->isEnabled());
        EXPECT_TRUE(w.N1->isEnabled());
    }));
}

TEST_P(AttachmentTest, ProgramAttachmentsFromTheMainMenu)
{
    registerExchangePages();
    main &menu = windows::get<main>();
    user().files = {file("sign.jpg", "JFIF")};
    user().dialogs.push_back([](QDialog &d) {
        auto &w = static_cast<AttachmentWindow &>(d);
        EXPECT_EQ(w.Combo_type->count(), 23);
        EXPECT_EQ(w.Combo_type->currentIndex(), -1);
        w.add();
        w.Combo_type->setCurrentText(QStringLiteral("تصوير امضا مديرکل"));
        w.ramz->setText("p'1");
        w.add();
        EXPECT_EQ(w.DBGrid1->rowCount(), 1);
        EXPECT_EQ(w.DBGrid1->currentValue("ramz").toString(), "*****");
        // Choosing a description lists its attachments only.
        addAttachment(dm().main(), attachment::zamaem(), {}, {QStringLiteral("آخرين نسخه نرم افزار"), ".zip", "PK", {}});
        w.Combo_type->setCurrentIndex(0);
        emit w.Combo_type->activated(0);
        EXPECT_EQ(w.DBGrid1->rowCount(), 1);
        EXPECT_EQ(w.DBGrid1->currentValue("cmt").toString(), QStringLiteral("آخرين نسخه نرم افزار"));
        w.Combo_type->setCurrentIndex(-1);
        emit w.Combo_type->activated(-1);
        EXPECT_EQ(w.DBGrid1->rowCount(), 2);
        return 0;
    });
    menu.trigger("N12");
    EXPECT_EQ(user().shownDialogs, QStringList{"zamaem"});
    EXPECT_EQ(user().messageTexts(),
              (QStringList{QStringLiteral("خطا، ابتدا شرح ضميمه را وارد نماييد"), QStringLiteral("ثبت شد")}));
    const auto stored = db().rows("SELECT cmt, ramz, pictype, pic FROM zamaem WHERE pictype = '.jpg'");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]["cmt"].toString(), QStringLiteral("تصوير امضا مديرکل"));
    EXPECT_EQ(stored[0]["ramz"].toString(), "p'1");
    EXPECT_EQ(stored[0]["pictype"].toString(), ".jpg");
    EXPECT_EQ(stored[0]["pic"].toByteArray(), "JFIF");

    // Without the page's row the menu refuses.
    const qint64 clerk = addUser("clerk", hashPassword("pw"));
    session() = Session{"clerk", "ostan", clerk, {}};
    user().clear();
    menu.trigger("N12");
    menu.trigger("N22");
    EXPECT_EQ(user().messageTexts(), (QStringList{noAccessMessage, noAccessMessage}));
    EXPECT_TRUE(user().shownDialogs.isEmpty());
}

TEST_P(AttachmentTest, ACompositeActionStoresItsRowAndItsAttachmentTogetherOrNeither)
{
    const NewAttachment scan{QStringLiteral("تحويل قطعي"), ".pdf", "scan", {}};
    // A project and its file in one action: both stay.
    qint64 project = 0;
    db().transaction([&] {
        project = db().insert("INSERT INTO naghshe (rosta) VALUES (?)", {"first"});
        ASSERT_EQ(addAttachment(db(), attachment::naghshe_pic(), {project}, scan).outcome, AddOutcome::Stored);
    });
    EXPECT_EQ(rows("naghshe", "rosta IS NOT NULL"), 1);
    EXPECT_EQ(rows("naghshe_pic", "naghshe_id = ?", {project}), 1);

    // A failure after the attachment was stored takes it back with the project.
    EXPECT_THROW(db().transaction([&] {
        const qint64 second = db().insert("INSERT INTO naghshe (rosta) VALUES (?)", {"second"});
        addAttachment(db(), attachment::naghshe_pic(), {second}, scan);
        db().exec("UPDATE missing_table SET x = 1");
    }),
                 DbError);
    EXPECT_EQ(rows("naghshe", "rosta IS NOT NULL"), 1);
    EXPECT_EQ(rows("naghshe_pic"), 1);

    // A failing attachment takes the project back.
    if (GetParam() == Engine::SQLite) {
        db().exec("CREATE TRIGGER refuse BEFORE INSERT ON naghshe_pic WHEN NEW.cmt = 'refused' "
                  "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    } else {
        db().exec("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN "
                  "IF NEW.cmt = 'refused' THEN RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END $$ "
                  "LANGUAGE plpgsql");
        db().exec("CREATE TRIGGER refuse BEFORE INSERT ON naghshe_pic FOR EACH ROW EXECUTE FUNCTION refuse()");
    }
    EXPECT_THROW(db().transaction([&] {
        const qint64 third = db().insert("INSERT INTO naghshe (rosta) VALUES (?)", {"third"});
        addAttachment(db(), attachment::naghshe_pic(), {third}, {"refused", ".pdf", "scan", {}});
    }),
                 DbError);
    EXPECT_EQ(rows("naghshe", "rosta IS NOT NULL"), 1);
    EXPECT_EQ(rows("naghshe_pic"), 1);

    // Deleting the project with its files and the log row: all of it or none.
    const qint64 file = db().scalar("SELECT id FROM naghshe_pic").toLongLong();
    const auto removeProject = [&](bool fail) {
        db().transaction([&] {
            deleteAttachment(db(), attachment::naghshe_pic(), file, "admin", QStringLiteral("حذف ضميمه 1"));
            db().exec(fail ? "DELETE FROM missing_table" : "DELETE FROM naghshe WHERE id = ?", fail ? QVariantList{}
                                                                                                   : QVariantList{project});
        });
    };
    EXPECT_THROW(removeProject(true), DbError);
    EXPECT_EQ(rows("naghshe", "rosta IS NOT NULL"), 1);
    EXPECT_EQ(rows("naghshe_pic"), 1);
    EXPECT_EQ(logRows(QStringLiteral("حذف ضميمه 1")), 0);
    removeProject(false);
    EXPECT_EQ(rows("naghshe", "rosta IS NOT NULL"), 0);
    EXPECT_EQ(rows("naghshe_pic"), 0);
    EXPECT_EQ(logRows(QStringLiteral("حذف ضميمه 1")), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, AttachmentTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
