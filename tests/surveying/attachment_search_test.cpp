#include "admin_fixture.h"
#include "browsergrid.h"
#include "filters.h"
#include "grid_rows.h"
#include "naghshe_evaluation.h"
#include "naghshe_pic__src.h"
#include "naghshe_pic_search.h"
#include "sample.h"
#include "windows.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

using namespace bv;
using namespace bv::survey;
using bv::test::AdminTest;
using bv::test::user;

TEST(AttachmentSearchRules, SavedNamesStayInTheChosenFolder)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath("Z");
    EXPECT_EQ(savedAllPath(prefix, 3, "A", "B", "C", "42", ".jpg"), dir.filePath("Z3A_B_C_42_.jpg"));
    EXPECT_EQ(savedAllPath(prefix, 12, "A", "B", "C", "", ".pdf"), dir.filePath("Z12A_B_C__.pdf"));
    EXPECT_EQ(clickedFileName("C", ""), "C_");
    EXPECT_EQ(clickedFileName("C", "42"), "C_42");
    EXPECT_EQ(listedFileName("A", "B", "C", "42"), "A_B_C_42");

    // Separators in stored texts and a stored extension that is no extension.
    const QString escaped = savedAllPath(prefix, 1, "../../etc", "B\\..", "C/../../x", "7", "/../.sh");
    EXPECT_EQ(QFileInfo(escaped).absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_TRUE(QFileInfo(escaped).fileName().startsWith("Z1"));
    EXPECT_TRUE(escaped.endsWith("_7_")) << escaped.toStdString();
}

TEST(AttachmentSearchRules, ListsNeverSelectTheFiles)
{
    const std::unique_ptr<Dialect> dialect = makeDialect(Engine::PostgreSQL);
    AttachmentFilters all;
    all.cmt = all.city = all.rosta = all.peymankar = all.prot_no = all.tamin_sal = QStringLiteral("x");
    const Session clerk{"clerk", "city", 5, {}};
    for (const AttachmentFilters &f : {AttachmentFilters{}, all}) {
        const Conditions c = attachmentConditions(*dialect, f, clerk);
        static const QRegularExpression file(QStringLiteral("(^|[^\\w])pic([^\\w]|$)"));
        EXPECT_FALSE(file.match(attachmentListSql(c)).hasMatch()) << attachmentListSql(c).toStdString();
        EXPECT_FALSE(file.match(attachmentCountSql(c)).hasMatch());
    }
    // Every filter's text is bound, in the order of the filters, after the county scope.
    const Conditions c = attachmentConditions(*dialect, all, clerk);
    EXPECT_EQ(c.values().size(), 7);
    EXPECT_EQ(c.values().value(0).toLongLong(), 5);
    EXPECT_EQ(c.values().value(1).toString(), "%x%");
}

class AttachmentSearchTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 4;
        size.contractors = 4;
        size.projects = 40;
        size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        session() = Session{"admin", "admin", 1, {}};
    }
    naghshe_pic__src &window()
    {
        naghshe_pic__src &w = windows::get<naghshe_pic__src>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        user().dialogs.push_back([](QDialog &) { return 0; });
        w.open();
        return w;
    }
    qint64 addFile(qint64 project, const QString &cmt, const QByteArray &content)
    {
        return db().insert("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)",
                           {project, cmt, content});
    }
    QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
};

TEST_P(AttachmentSearchTest, MapPicturesOfEveryProjectWithoutTheirContents)
{
    naghshe_pic__src &w = window();
    EXPECT_EQ(user().shownDialogs, QStringList{"naghshe_pic__src"});
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_TRUE(w.cmt->currentText().isEmpty());
    EXPECT_TRUE(w.cmt->findText(QStringLiteral("تصوير نقشه")) >= 0);
    EXPECT_GT(w.city->count(), 0);

    const QString map = QStringLiteral("تصوير نقشه");
    w.CheckBox1->setChecked(true);
    w.cmt->setEditText(map);
    w.search();
    QSet<qint64> expected;
    for (const QVariantList &r : db().select("SELECT naghshe_id FROM naghshe_pic WHERE cmt = ?", {map}).rows)
        expected.insert(r[0].toLongLong());
    ASSERT_FALSE(expected.isEmpty());
    const ResultSet shown = w.DBGrid1->shownRows();
    QSet<qint64> listed;
    for (int r = 0; r < shown.size(); ++r) {
        listed.insert(shown.value(r, "naghshe_id").toLongLong());
        EXPECT_EQ(shown.value(r, "cmt").toString(), map);
    }
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(w.cnt->text().toInt(), shown.size());
    EXPECT_FALSE(shown.columns.contains("pic"));
    EXPECT_EQ(QSet<QString>(shown.columns.begin(), shown.columns.end()).size(), shown.columns.size());
    EXPECT_EQ(shown.columns.mid(0, 8),
              QStringList({"id", "naghshe_id", "cmt", "pictyp", "city", "bakhsh", "dehestan", "rosta"}));
    for (const char *column : {"prot_no", "peymankar", "tamin_sal", "ostan"})
        EXPECT_TRUE(shown.columns.contains(column)) << column;

    // A second filter narrows the list; the count follows.
    const QString county = shown.value(0, "city").toString();
    w.CheckBox2->setChecked(true);
    w.city->setEditText(county);
    w.search();
    const int inCounty = db().scalar("SELECT COUNT(*) FROM naghshe_pic p JOIN naghshe n ON p.naghshe_id = n.id "
                                     "WHERE p.cmt = ? AND n.city = ?",
                                     {map, county})
                             .toInt();
    EXPECT_EQ(w.DBGrid1->rowCount(), inCounty);
    EXPECT_EQ(w.cnt->text().toInt(), inCounty);

    // A clerk sees the attachments of the counties given.
    Session clerk{"clerk", "city", 77, {}};
    db().exec("INSERT INTO dastrasi2 (user_id, cmt) VALUES (77, ?)", {county});
    AttachmentFilters none;
    const Conditions scoped = attachmentConditions(db().dialect(), none, clerk);
    const ResultSet clerkRows = searchAttachments(db(), scoped);
    for (int r = 0; r < clerkRows.size(); ++r)
        EXPECT_EQ(clerkRows.value(r, "city").toString(), county);
    EXPECT_EQ(countAttachments(db(), scoped), clerkRows.size());
    EXPECT_GT(clerkRows.size(), 0);
}

TEST_P(AttachmentSearchTest, SaveOneOrAllUnderPlaceAndScore)
{
    const qint64 scored = db().scalar("SELECT MIN(id) FROM naghshe").toLongLong();
    const qint64 unscored = db().scalar("SELECT MAX(id) FROM naghshe").toLongLong();
    db().exec("DELETE FROM naghshe_arzyabi WHERE naghshe_id IN (?, ?)", {scored, unscored});
    db().exec("UPDATE naghshe SET city = 'A', rosta = 'B' WHERE id = ?", {scored});
    db().exec("UPDATE naghshe SET city = '../up', rosta = 'B' WHERE id = ?", {unscored});
    for (int score : {30, 12})
        db().exec("INSERT INTO naghshe_arzyabi (naghshe_id, cmt, emtiyaz_top, emtiyaz) VALUES (?, 'x', 40, ?)",
                  {scored, score});
    const QString kind = QStringLiteral("ضميمه آزمون");
    addFile(scored, kind, "one");
    addFile(scored, kind, "two");
    addFile(scored, kind, "three");
    const qint64 last = addFile(unscored, kind, "four");
    EXPECT_EQ(projectScore(db(), scored), "42");
    EXPECT_EQ(clickedFileName(kind, projectScore(db(), unscored)), kind + "_");

    naghshe_pic__src &w = window();
    w.CheckBox1->setChecked(true);
    w.cmt->setEditText(kind);
    w.search();
    ASSERT_EQ(w.DBGrid1->rowCount(), 4);

    QTemporaryDir dir;
    // A list longer than the first screen is saved whole.
    {
        QTemporaryDir many;
        const QString other = QStringLiteral("ضميمه بسيار");
        db().transaction([&] {
            for (int i = 0; i < naghshe_pic__src::firstScreenRows + 5; ++i)
                addFile(scored, other, "x");
        });
        w.cmt->setEditText(other);
        w.search();
        EXPECT_EQ(w.DBGrid1->rowCount(), naghshe_pic__src::firstScreenRows);
        user().files.push_back(many.filePath("M"));
        w.saveAll();
        EXPECT_EQ(QDir(many.path()).entryList(QDir::Files).size(), naghshe_pic__src::firstScreenRows + 5);
        user().clear();
        w.cmt->setEditText(kind);
        w.search();
    }
    // A cancelled dialog saves nothing.
    w.saveAll();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(user().messages.empty());

    // The last row's file went away after the search: the others are saved and counted.
    db().exec("DELETE FROM naghshe_pic WHERE id = ?", {last});
    user().files.push_back(dir.filePath("Z"));
    w.saveAll();
    EXPECT_EQ(read(dir.filePath("Z1A_B_" + kind + "_42_.jpg")), "one");
    EXPECT_EQ(read(dir.filePath("Z3A_B_" + kind + "_42_.jpg")), "three");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    EXPECT_EQ(user().lastMessage(), saveAllMessage(SaveAllReport{3, 1, {}}));

    // "../" in a county stays in the folder.
    addFile(unscored, kind, "five");
    w.search();
    user().files.push_back(dir.filePath("P"));
    w.saveAll();
    EXPECT_EQ(read(dir.filePath("P4.._up_B_" + kind + "__.jpg")), "five");
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).absoluteFilePath("../up_B_" + kind + "__.jpg")));

    // A click saves the current file and opens it while the description filter is ticked.
    ASSERT_TRUE(test::selectRow(*w.DBGrid1, "naghshe_id", scored));
    user().files.push_back(dir.filePath("clicked"));
    w.saveCurrent(false);
    EXPECT_EQ(read(dir.filePath("clicked.jpg")), "one");
    EXPECT_EQ(user().opened, QStringList{dir.filePath("clicked.jpg")});
    // The context item saves without opening.
    user().files.push_back(dir.filePath("listed"));
    w.saveCurrent(true);
    EXPECT_EQ(read(dir.filePath("listed.jpg")), "one");
    EXPECT_EQ(user().opened.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, AttachmentSearchTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return test::engineName(info.param); });
