#include "admin_fixture.h"
#include "borvinat_pic__src.h"
#include "borvinat_pic_search.h"
#include "borvinat_src.h"
#include "browsergrid.h"
#include "filters.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

using namespace bv;
using namespace bv::studies;
using bv::test::AdminTest;
using bv::test::user;

TEST(StudyPicSearchRules, SavedNamesAndStatements)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath("Z");
    EXPECT_EQ(picSavedPath(prefix, 1, "A", "B", "C", ".jpg"), dir.filePath("Z1A_B_C__.jpg"));
    EXPECT_EQ(picSavedPath(prefix, 12, "A", "", "C", ".pdf"), dir.filePath("Z12A__C__.pdf"));
    const QString escaped = picSavedPath(prefix, 2, "../../etc", "B/..", "C\\..\\x", "/../.sh");
    EXPECT_EQ(QFileInfo(escaped).absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_TRUE(QFileInfo(escaped).fileName().startsWith("Z2"));

    // Every filter bound in order, none for the user's counties; the list and
    // the count never carry the files.
    const std::unique_ptr<Dialect> dialect = makeDialect(Engine::PostgreSQL);
    PicFilters all;
    all.cmt = all.city = all.rosta = all.tarh_moshaver_name = all.prot_no = all.tamin_sal = QStringLiteral("x");
    const Conditions c = picConditions(*dialect, all);
    EXPECT_EQ(c.values().size(), 6);
    EXPECT_EQ(c.values().value(0).toString(), "%x%");
    EXPECT_TRUE(c.sql().contains("borvinat.moshaver_prot_no")) << c.sql().toStdString();
    EXPECT_TRUE(c.sql().contains("borvinat.etebar_sal"));
    EXPECT_FALSE(c.sql().contains("dastrasi2"));
    static const QRegularExpression file(QStringLiteral("(^|[^\\w])pic([^\\w]|$)"));
    EXPECT_FALSE(file.match(picListSql(c)).hasMatch()) << picListSql(c).toStdString();
    EXPECT_FALSE(file.match(picCountSql(c)).hasMatch());
}

class StudyPicSearchTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        // A clerk of no county: the search still finds every county's files.
        session() = Session{"clerk", "city", 77, {}};
        north = addStudy(QStringLiteral("شمال"), QStringLiteral("آباد"), "P-100", "1399", QStringLiteral("مشاور يک"));
        south = addStudy(QStringLiteral("جنوب"), QStringLiteral("ده نو"), "P-200", "1401", QStringLiteral("مشاور دو"));
        addFile(north, QStringLiteral("نقشه"), "n1");
        addFile(north, QStringLiteral("گزارش"), "n2");
        addFile(south, QStringLiteral("نقشه"), "s1");
        db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)",
                  {QStringLiteral("شرح ضمائم مطالعات"), QStringLiteral("نقشه")});
    }
    qint64 addStudy(const QString &city, const QString &rosta, const char *prot, const char *year, const QString &name)
    {
        return db().insert("INSERT INTO borvinat (ostan, city, rosta, moshaver_prot_no, etebar_sal, tarh_moshaver_name) "
                           "VALUES ('x', ?, ?, ?, ?, ?)",
                           {city, rosta, QString::fromLatin1(prot), QString::fromLatin1(year), name});
    }
    qint64 addFile(qint64 study, const QString &cmt, const QByteArray &content)
    {
        return db().insert("INSERT INTO borvinat_pic (borvinat_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)",
                           {study, cmt, content});
    }
    borvinat_pic__src &window()
    {
        borvinat_pic__src &w = windows::get<borvinat_pic__src>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        user().dialogs.push_back([](QDialog &) { return 0; });
        w.open();
        return w;
    }
    QList<qint64> listedStudies(const borvinat_pic__src &w)
    {
        QList<qint64> out;
        const ResultSet shown = w.DBGrid1->shownRows();
        for (int r = 0; r < shown.size(); ++r)
            out << shown.value(r, "borvinat_id").toLongLong();
        return out;
    }
    QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
    qint64 north = 0, south = 0;
};

TEST_P(StudyPicSearchTest, FiltersOverEveryCountyWithoutContents)
{
    // Opened from the browser's menu, emptied.
    borvinat_pic__src &w = windows::get<borvinat_pic__src>();
    w.tarh_moshaver_name->setText("old");
    w.cnt->setText("9");
    user().dialogs.push_back([](QDialog &) { return 0; });
    windows::get<borvinat_src>().N64->trigger();
    EXPECT_EQ(user().shownDialogs, QStringList{"borvinat_pic__src"});
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_TRUE(w.tarh_moshaver_name->text().isEmpty());
    EXPECT_GE(w.cmt->findText(QStringLiteral("نقشه")), 0);
    EXPECT_TRUE(w.cmt->currentText().isEmpty());

    window();
    w.search();
    EXPECT_EQ(w.cnt->text(), "3");
    EXPECT_EQ(listedStudies(w), (QList<qint64>{north, north, south}));
    const ResultSet shown = w.DBGrid1->shownRows();
    EXPECT_FALSE(shown.columns.contains("pic"));
    EXPECT_EQ(shown.columns.mid(0, 8),
              QStringList({"id", "borvinat_id", "cmt", "pictyp", "city", "bakhsh", "dehestan", "rosta"}));
    EXPECT_EQ(w.DBGrid1->model()->headerData(shown.columnIndex("cmt"), Qt::Horizontal).toString(),
              QStringLiteral("شرح ضميمه"));
    EXPECT_EQ(w.DBGrid1->model()->headerData(shown.columnIndex("tarh_moshaver_name"), Qt::Horizontal).toString(),
              QStringLiteral("نام مشاور تهيه طرح"));

    struct Case {
        FilterCheck *check;
        std::function<void(const QString &)> set;
        QString text;
        QList<qint64> expected;
    };
    const Case cases[] = {
        {w.CheckBox1, [&](const QString &t) { w.cmt->setEditText(t); }, QStringLiteral("نقشه"), {north, south}},
        {w.CheckBox2, [&](const QString &t) { w.city->setEditText(t); }, QStringLiteral("جنوب"), {south}},
        {w.CheckBox3, [&](const QString &t) { w.rosta->setEditText(t); }, QStringLiteral("آباد"), {north, north}},
        {w.CheckBox4, [&](const QString &t) { w.tarh_moshaver_name->setText(t); }, QStringLiteral("دو"), {south}},
        // The contract number and the credit year are the study's own columns.
        {w.CheckBox5, [&](const QString &t) { w.prot_no->setText(t); }, "P-1", {north, north}},
        {w.CheckBox7, [&](const QString &t) { w.tamin_sal->setText(t); }, "1401", {south}},
    };
    for (const Case &k : cases) {
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        k.check->setChecked(true);
        k.set(k.text);
        w.search();
        EXPECT_EQ(listedStudies(w), k.expected) << k.text.toStdString();
        EXPECT_EQ(w.cnt->text().toInt(), k.expected.size());
    }
}

TEST_P(StudyPicSearchTest, SaveAllNumbersFilesByPlaceAndDescription)
{
    borvinat_pic__src &w = window();
    w.search();
    ASSERT_EQ(w.DBGrid1->rowCount(), 3);

    QTemporaryDir dir;
    // Cancelled: nothing saved, nothing said.
    w.saveAll();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(user().messages.empty());

    user().files.push_back(dir.filePath("Z"));
    w.saveAll();
    EXPECT_EQ(read(dir.filePath(QStringLiteral("Z1شمال_آباد_نقشه__.jpg"))), "n1");
    EXPECT_EQ(read(dir.filePath(QStringLiteral("Z2شمال_آباد_گزارش__.jpg"))), "n2");
    EXPECT_EQ(read(dir.filePath(QStringLiteral("Z3جنوب_ده نو_نقشه__.jpg"))), "s1");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    EXPECT_EQ(user().lastMessage(), saveAllMessage(SaveAllReport{3, 0, {}}));

    // A file gone since the search is counted as not saved; the others are written.
    QTemporaryDir again;
    db().exec("DELETE FROM borvinat_pic WHERE borvinat_id = ?", {south});
    user().files.push_back(again.filePath("Y"));
    w.saveAll();
    EXPECT_EQ(QDir(again.path()).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(user().lastMessage(), saveAllMessage(SaveAllReport{2, 1, {}}));

    // A list longer than the first screen is saved whole.
    db().transaction([&] {
        for (int i = 0; i < borvinat_pic__src::firstScreenRows + 3; ++i)
            addFile(north, QStringLiteral("بسيار"), "x");
    });
    w.CheckBox1->setChecked(true);
    w.cmt->setEditText(QStringLiteral("بسيار"));
    w.search();
    EXPECT_EQ(w.DBGrid1->rowCount(), borvinat_pic__src::firstScreenRows);
    QTemporaryDir many;
    user().files.push_back(many.filePath("M"));
    w.saveAll();
    EXPECT_EQ(QDir(many.path()).entryList(QDir::Files).size(), borvinat_pic__src::firstScreenRows + 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, StudyPicSearchTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return test::engineName(info.param); });
