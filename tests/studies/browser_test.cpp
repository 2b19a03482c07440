#include "admin_fixture.h"
#include "attachment_window.h"
#include "borvinat_barnameha.h"
#include "borvinat_ins.h"
#include "borvinat_search.h"
#include "borvinat_side.h"
#include "borvinat_src.h"
#include "browsergrid.h"
#include "filters.h"
#include "m_shakhes.h"
#include "peymankaran_list.h"
#include "sample.h"
#include "windows.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <functional>

using namespace bv;
using namespace bv::studies;
using bv::test::AdminTest;
using bv::test::user;

TEST(BorvinatRules, ColoursByAttachmentCount)
{
    EXPECT_EQ(rowShade(0), RowShade::Normal);
    EXPECT_EQ(rowShade(1), RowShade::Yellow);
    EXPECT_EQ(rowShade(3), RowShade::Yellow);
    EXPECT_EQ(rowShade(4), RowShade::Yellow);
    EXPECT_EQ(rowShade(5), RowShade::Aqua);
}

TEST(BorvinatRules, WebListShowsMarkupAsTextUnderExportTitles)
{
    ResultSet rows;
    rows.columns = {"rosta", "prot_mablagh", "masahat_t", "unknown_col"};
    rows.rows.push_back({QStringLiteral("<b>ده</b>"), 5, 1, 2});
    const QString html = htmlList(rows, htmlTitle, exportHeadings());
    EXPECT_TRUE(html.contains(QStringLiteral("<td>&lt;b&gt;ده&lt;/b&gt;</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>ليست مطالعات</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<th>مبلغ قرارداد(ميليون ريال)</th>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<th>مساحت کل اراضي زراعي-باغي تغييريافته</th>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<th>unknown_col</th>")));
}

class StudiesBrowserTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 4;
        size.villagesPerCounty = 6;
        size.contractors = 4;
        size.projects = 0;
        size.studies = 80;
        size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        admin = db().scalar("SELECT id FROM users WHERE us = 'admin'").toLongLong();
        session() = Session{"admin", "admin", admin, {}};
        all = borvinatList(db(), borvinatConditions(db().dialect(), {}, session()));
    }

    borvinat_src &window()
    {
        borvinat_src &w = windows::get<borvinat_src>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        return w;
    }
    void grant(const char *page, int rights = 1)
    {
        db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (?, ?, ?, ?, ?, 1)",
                  {admin, QString::fromLatin1(page), rights, rights, rights});
    }
    QList<qint64> ids(const ResultSet &rows, const std::function<bool(const QVariantList &)> &keep = {})
    {
        QList<qint64> out;
        const int id = rows.columnIndex("id");
        for (const QVariantList &r : rows.rows)
            if (!keep || keep(r))
                out << r[id].toLongLong();
        std::sort(out.begin(), out.end());
        return out;
    }
    QList<qint64> listed(const BorvinatFilters &f, const Session &who)
    {
        const Conditions c = borvinatConditions(db().dialect(), f, who);
        const ResultSet rows = borvinatList(db(), c);
        const BorvinatTotals t = borvinatTotals(db(), c);
        EXPECT_EQ(t.count, rows.size());
        Money sum;
        for (const QVariantList &r : rows.rows)
            sum = sum + Money::fromVariant(r[rows.columnIndex("prot_mablagh")]);
        EXPECT_EQ(t.contractSum, sum);
        return ids(rows);
    }
    QString at(const QVariantList &row, const char *column) { return row[all.columnIndex(column)].toString(); }
    qint64 addStudy(const QString &village, const QVariant &fee, const QString &city = QStringLiteral("شهر آزمون"))
    {
        return db().insert("INSERT INTO borvinat (ostan, city, rosta, cod, etebar_sal, prot_mablagh, tarh_moshaver_name) "
                           "VALUES ('مرکزي', ?, ?, '7654', '1401', ?, 'مشاور قديم')",
                           {city, village, fee});
    }
    void addPictures(qint64 study, int n)
    {
        for (int i = 0; i < n; ++i)
            db().exec("INSERT INTO borvinat_pic (borvinat_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)",
                      {study, QStringLiteral("ضميمه %1").arg(i), QByteArray("x")});
    }

    qint64 admin = 0;
    ResultSet all;
};

TEST_P(StudiesBrowserTest, ScopeListsAndTextFilters)
{
    ASSERT_GT(all.size(), 40);
    EXPECT_EQ(listed({}, session()), ids(all));

    const qint64 clerk = addUser("clerk", "x", QStringLiteral("فعال"), "city");
    const Session who{"clerk", "city", clerk, {}};
    EXPECT_TRUE(listed({}, who).isEmpty());
    const QString a = at(all.rows.front(), "city");
    db().exec("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)", {clerk, a});
    const QList<qint64> ofA = ids(all, [&](const QVariantList &r) { return at(r, "city") == a; });
    ASSERT_FALSE(ofA.isEmpty());
    EXPECT_EQ(listed({}, who), ofA);

    BorvinatFilters f;
    f.city = QStringList{};
    EXPECT_TRUE(listed(f, session()).isEmpty());
    const QString part = a.left(a.size() - 1);
    f.city = QStringList{part};
    EXPECT_EQ(listed(f, session()), ids(all, [&](const QVariantList &r) { return at(r, "city").contains(part); }));

    f = {};
    const QString village = at(all.rows.back(), "rosta");
    f.rosta = QStringList{QStringLiteral("هيچ جا"), village};
    EXPECT_EQ(listed(f, session()), ids(all, [&](const QVariantList &r) { return at(r, "rosta").contains(village); }));

    // An empty enabled text filter drops the rows without a value.
    f = {};
    const qint64 bare = all.rows.front()[all.columnIndex("id")].toLongLong();
    db().exec("UPDATE borvinat SET amel4 = NULL WHERE id = ?", {bare});
    db().exec("UPDATE borvinat SET amel4 = 'x' WHERE id <> ?", {bare});
    f.amel4 = QString();
    EXPECT_FALSE(listed(f, session()).contains(bare));
    EXPECT_EQ(listed(f, session()).size(), all.size() - 1);

    f = {};
    const QString consultant = at(all.rows[5], "tarh_moshaver_name");
    const QString year = at(all.rows[5], "etebar_sal");
    f.tarh_moshaver_name = consultant;
    f.etebar_sal = year;
    EXPECT_EQ(listed(f, session()), ids(all, [&](const QVariantList &r) {
                  return at(r, "tarh_moshaver_name").contains(consultant) && at(r, "etebar_sal").contains(year);
              }));
    f = {};
    f.moshaver_prot_no = at(all.rows[7], "moshaver_prot_no");
    f.tarh_typ = at(all.rows[7], "tarh_typ");
    f.ostan = at(all.rows[7], "ostan");
    EXPECT_TRUE(listed(f, session()).contains(all.rows[7][all.columnIndex("id")].toLongLong()));
}

TEST_P(StudiesBrowserTest, SampleStudiesShowColouredRowsAndATotal)
{
    borvinat_src &w = window();
    w.prepare();
    w.DBGrid1->completeRows();
    EXPECT_EQ(w.cnt->text().toInt(), all.size());
    EXPECT_NE(w.prot_mablagh->text(), "0");
    bool yellow = false, aqua = false;
    for (int r = 0; r < w.DBGrid1->rowCount(); ++r) {
        yellow = yellow || w.DBGrid1->rowColourAt(r) == QColor(Qt::yellow);
        aqua = aqua || w.DBGrid1->rowColourAt(r) == QColor(Qt::cyan);
    }
    EXPECT_TRUE(yellow);
    EXPECT_TRUE(aqua);
}

TEST_P(StudiesBrowserTest, TotalColoursAndSortThroughTheWindow)
{
    db().exec("DELETE FROM borvinat");
    const qint64 s1 = addStudy(QStringLiteral("الف"), 7000000);
    const qint64 s2 = addStudy(QStringLiteral("ب"), 654321);
    const qint64 s3 = addStudy(QStringLiteral("پ"), QVariant());
    addPictures(s1, 3);
    addPictures(s2, 5);
    borvinat_src &w = window();
    w.prepare();
    EXPECT_EQ(w.cnt->text(), "3");
    EXPECT_EQ(w.prot_mablagh->text(), "7,654,321");
    const ResultSet shown = w.DBGrid1->shownRows();
    for (int r = 0; r < shown.size(); ++r) {
        const qint64 id = shown.rows[r][shown.columnIndex("id")].toLongLong();
        const QColor expected = id == s1 ? QColor(Qt::yellow) : id == s2 ? QColor(Qt::cyan) : QColor();
        EXPECT_EQ(w.DBGrid1->rowColourAt(r), expected) << id;
    }
    EXPECT_TRUE(shown.rows[shown.size() - 1][shown.columnIndex("pic_count")].isNull() || s3 != ids(shown).back());
    // The status and attachment-count titles stand out; the others do not.
    auto titleColour = [&](const char *column) {
        return w.DBGrid1->model()->headerData(shown.columnIndex(column), Qt::Horizontal, Qt::BackgroundRole);
    };
    EXPECT_EQ(titleColour("pic_count").value<QColor>(), QColor(Qt::yellow));
    EXPECT_EQ(titleColour("status").value<QColor>(), QColor(Qt::yellow));
    EXPECT_FALSE(titleColour("rosta").isValid());

    // Decimals stay decimals; only the whole part is grouped.
    db().exec("UPDATE borvinat SET prot_mablagh = 57.65 WHERE id = ?", {s1});
    db().exec("UPDATE borvinat SET prot_mablagh = 0 WHERE id = ?", {s2});
    w.search();
    EXPECT_EQ(w.prot_mablagh->text(), "57.65");

    auto firstVillage = [&] { return w.DBGrid1->shownRows().value(0, "rosta").toString(); };
    w.DBGrid1->sortBy("rosta");
    EXPECT_EQ(firstVillage(), QStringLiteral("الف"));
    w.DBGrid1->sortBy("rosta");
    EXPECT_EQ(firstVillage(), QStringLiteral("پ"));
    w.DBGrid1->sortBy("rosta");
    EXPECT_EQ(firstVillage(), QStringLiteral("الف"));

    // A double click puts the row's village in the village list.
    w.CheckBox2->check->setChecked(true);
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(0, 1));
    emit w.DBGrid1->doubleClicked(w.DBGrid1->currentIndex());
    ASSERT_EQ(w.CheckBox2->list->count(), 1);
    EXPECT_EQ(w.CheckBox2->list->item(0)->text(), QStringLiteral("الف"));
}

TEST_P(StudiesBrowserTest, DeleteKeepsSideRowsAfterThePassword)
{
    db().exec("DELETE FROM setting WHERE component = ?", {QStringLiteral("رمز حذف")});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, 'secret')", {QStringLiteral("رمز حذف")});
    for (const char *table : {"borvinat", "borvinat_pic", "barnameha", "shakhes", "jalasat"})
        db().exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
    addStudy(QStringLiteral("الف"), 1);
    const qint64 gone = addStudy(QStringLiteral("ب"), 1);
    addPictures(gone, 2);
    db().exec("INSERT INTO barnameha (borvinat_id, cmt, org) VALUES (?, 'p', 'o')", {gone});
    db().exec("INSERT INTO shakhes (borvinat_id, cmt, mojod, ofogh) VALUES (?, 'c', 1, 2)", {gone});
    db().exec("INSERT INTO jalasat (borvinat_id) VALUES (?)", {gone});

    borvinat_src &w = window();
    w.prepare();
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(1, 1));
    ASSERT_EQ(w.DBGrid1->currentId().toLongLong(), gone);
    user().inputs.push_back(QStringLiteral("wrong"));
    w.deleteStudy();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat").toInt(), 2);
    EXPECT_TRUE(user().questions.isEmpty());

    // Told what stays, and answering no keeps the study.
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(1, 1));
    user().inputs.push_back(QStringLiteral("secret"));
    user().answers.push_back(false);
    w.deleteStudy();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat").toInt(), 2);
    EXPECT_EQ(user().questions.value(0), sideRowsWarning({2, 0, 1, 1, 1}));

    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(1, 1));
    user().inputs.push_back(QStringLiteral("secret"));
    user().answers.push_back(true);
    w.deleteStudy();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat WHERE id = ?", {gone}).toInt(), 0);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat_pic WHERE borvinat_id = ?", {gone}).toInt(), 2);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM barnameha").toInt(), 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM shakhes").toInt(), 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM jalasat").toInt(), 1);
    EXPECT_EQ(logRows(QStringLiteral(" حذف مطالعه  7654 admin")), 1);
    EXPECT_EQ(w.cnt->text(), "1");
}

TEST_P(StudiesBrowserTest, OneContractorForTenListedStudies)
{
    db().exec("DELETE FROM borvinat");
    for (int i = 0; i < 10; ++i)
        addStudy(QStringLiteral("ده %1").arg(i), 1);
    const qint64 other = addStudy(QStringLiteral("بيرون"), 1, QStringLiteral("جاي ديگر"));
    borvinat_src &w = window();
    w.prepare();
    w.CheckBox1->check->setChecked(true);
    w.CheckBox1->append(QStringLiteral("شهر آزمون"));
    w.search();
    ASSERT_EQ(w.cnt->text(), "10");
    const auto before = db().select("SELECT id, peymankar_id, tarh_moshaver_name FROM borvinat ORDER BY id").rows;

    // Without the edit right nothing is asked or written.
    w.assignContractorToAll();
    EXPECT_EQ(user().lastMessage(), noAccessMessage);
    EXPECT_TRUE(user().shownDialogs.isEmpty());

    grant("borvinat");
    // Closed without a choice: nothing asked, nothing written.
    w.assignContractorToAll();
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(db().select("SELECT id, peymankar_id, tarh_moshaver_name FROM borvinat ORDER BY id").rows, before);

    qint64 chosen = 0;
    user().dialogs.push_back([&](QDialog &d) {
        auto &picker = static_cast<peymankaran_list &>(d);
        chosen = picker.DBGrid1->currentId().toLongLong();
        picker.pickCurrent();
        return d.result();
    });
    user().answers.push_back(true);
    w.assignContractorToAll();
    ASSERT_NE(chosen, 0);
    const Row contractor = db().rows("SELECT lname, comp_name FROM peymankaran WHERE id = ?", {chosen}).front();
    EXPECT_EQ(user().questions.value(0), QStringLiteral("از انتخاب اين پيمانکار اطمينان داريد؟")
                                             + contractor["lname"].toString() + " * " + contractor["comp_name"].toString());
    EXPECT_TRUE(user().lastMessage().startsWith(QStringLiteral("انجام شد")));
    EXPECT_TRUE(user().lastMessage().endsWith(
        db().scalar("SELECT COUNT(*) FROM borvinat WHERE peymankar_id = ?", {chosen}).toString()));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat WHERE peymankar_id = ? AND tarh_moshaver_name = ?",
                          {chosen, QStringLiteral("مشاور قديم")})
                  .toInt(),
              10);
    EXPECT_NE(db().scalar("SELECT peymankar_id FROM borvinat WHERE id = ?", {other}).toLongLong(), chosen);
}

TEST_P(StudiesBrowserTest, CopyNeedsTheInsertRight)
{
    borvinat_src &w = window();
    w.prepare();
    w.copyToNewYear();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("شما دسترسي ثبت نداريد"));
    EXPECT_TRUE(user().shownDialogs.isEmpty());
    grant("borvinat");
    w.copyToNewYear();
    EXPECT_EQ(user().shownDialogs.value(0), "borvinat_ins");
}

TEST_P(StudiesBrowserTest, ChecklistInMemoryAndOneFileForTwelveStudies)
{
    db().exec("DELETE FROM borvinat");
    for (int i = 0; i < 12; ++i)
        addStudy(QStringLiteral("ده %1").arg(i, 2, 10, QLatin1Char('0')), 1);
    db().exec("DELETE FROM borvinat_pic");
    grant("borvinat");
    grant("zamaem_m");
    borvinat_src &w = window();
    w.prepare();
    ASSERT_EQ(w.cnt->text(), "12");

    QTemporaryDir dir;
    QFile file(dir.filePath("plan.pdf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plan");
    file.close();
    user().dialogs.push_back([&](QDialog &d) {
        auto &a = static_cast<AttachmentWindow &>(d);
        a.cmt->setCurrentText(QStringLiteral("طرح"));
        user().files.push_back(file.fileName());
        a.add();
        return 0;
    });
    w.attachToAll();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat_pic").toInt(), 12);
    EXPECT_EQ(user().messageTexts().count(QStringLiteral("ثبت شد")), 1);
    EXPECT_EQ(w.DBGrid1->currentValue("pic_count").toInt(), 1);

    db().exec("DELETE FROM setting WHERE component = ?", {QStringLiteral("شرح ضمائم مطالعات")});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("شرح ضمائم مطالعات"), QStringLiteral("طرح")});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)", {QStringLiteral("شرح ضمائم مطالعات"), QStringLiteral("الف")});
    const ResultSet sheet = attachmentChecklist(db(), w.DBGrid1->shownRows(), checklistSource());
    ASSERT_EQ(sheet.size(), 13);
    EXPECT_EQ(sheet.rows[0], (QVariantList{QStringLiteral("شهرستان"), QStringLiteral("روستا"), QStringLiteral("الف"),
                                           QStringLiteral("طرح"), QStringLiteral("مشاور تهيه طرح")}));
    EXPECT_EQ(sheet.columns, (QStringList{"city", "rosta", "z1", "z2", "tarh_moshaver_name"}));
    EXPECT_EQ(sheet.rows[1].value(2).toString(), "0");
    EXPECT_EQ(sheet.rows[1].value(3).toString(), "1");
    EXPECT_FALSE(db().tables().contains("borvinat_zamaem_cheklist", Qt::CaseInsensitive));
}

TEST_P(StudiesBrowserTest, WebListOfTheListedStudies)
{
    db().exec("DELETE FROM borvinat");
    addStudy(QStringLiteral("<b>ده</b>"), 1);
    borvinat_src &w = window();
    w.prepare();
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarvesholan.htm");
    ASSERT_TRUE(w.exportHtml(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;ده&lt;/b&gt;")));
    EXPECT_EQ(user().opened.value(0), path);
    EXPECT_FALSE(w.exportHtml(dir.filePath("missing/dir/x.htm")));
    EXPECT_EQ(user().messages.back().kind, MessageKind::Error);
}

INSTANTIATE_TEST_SUITE_P(Engines, StudiesBrowserTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });

TEST(BorvinatRules, IndicatorValuesReadSlashAndArabicPoint)
{
    EXPECT_EQ(indicatorValue("12/5").value, Decimal::fromScaled(125, 1));
    EXPECT_EQ(indicatorValue(QStringLiteral("۱۲٫۵")).value, Decimal::fromScaled(125, 1));
    EXPECT_TRUE(indicatorValue(" 7 ").ok());
    EXPECT_FALSE(indicatorValue("12a").ok());
    EXPECT_FALSE(indicatorValue("").ok());
    EXPECT_FALSE(indicatorValue("1,5").ok());
}

class StudySideRowsTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        study = db().insert("INSERT INTO borvinat (city, rosta) VALUES ('a', 'b')");
        db().exec("DELETE FROM setting WHERE component = ?", {QStringLiteral("شاخص ها")});
        for (const char *name : {"جمعيت (نفر)", "مساحت محدوده طرح(هكتار)", "تعداد شاغلين(نفر)",
                                 "سرانه کل کاربريها (متر مربع)", "سرانه مسکوني (متر مربع)"})
            db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)",
                      {QStringLiteral("شاخص ها"), QString::fromUtf8(name)});
    }
    int count(const char *table) { return db().scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt(); }
    qint64 study = 0;
};

TEST_P(StudySideRowsTest, ProgrammesRefuseTheSamePairTwice)
{
    borvinat_barnameha &w = windows::get<borvinat_barnameha>();
    w.prepare(study);
    w.cmt->setCurrentText(QStringLiteral("آبرساني"));
    w.org->setCurrentText(QStringLiteral("آب و فاضلاب"));
    w.add();
    w.org->setCurrentText(QStringLiteral("بنياد مسکن"));
    w.add();
    EXPECT_EQ(user().messageTexts(), (QStringList{QStringLiteral("ثبت شد"), QStringLiteral("ثبت شد")}));
    w.add();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("خطا! تکراريست"));
    EXPECT_EQ(count("barnameha"), 2);
    EXPECT_EQ(w.cmt->currentText(), QStringLiteral("آبرساني"));  // inputs kept

    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(0, 1));
    w.cmt->setCurrentText(QString());
    w.N1->trigger();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_EQ(w.cmt->currentText(), QStringLiteral("آبرساني"));
    EXPECT_EQ(w.org->currentText(), QStringLiteral("آب و فاضلاب"));
    EXPECT_EQ(count("barnameha"), 1);
    EXPECT_EQ(w.DBGrid1->rowCount(), 1);
}

TEST_P(StudySideRowsTest, IndicatorsByOneAllAtOnceAndInTheGrid)
{
    m_shakhes &w = windows::get<m_shakhes>();
    w.prepare(study);
    ASSERT_EQ(w.cmt->count(), 5);
    w.cmt->setCurrentText(w.cmt->itemText(0));
    w.mojod->setText("12/5");
    w.ofogh->setText("20");
    w.add();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("ثبت شد"));
    EXPECT_EQ(Decimal::fromVariant(db().scalar("SELECT mojod FROM shakhes")), Decimal::fromScaled(125, 1));
    w.add();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("تکراريست"));
    EXPECT_EQ(count("shakhes"), 1);
    w.mojod->setText("x");
    w.cmt->setCurrentText(w.cmt->itemText(1));
    w.add();
    EXPECT_EQ(user().messages.back().kind, MessageKind::Error);
    EXPECT_EQ(count("shakhes"), 1);

    // A refused value leaves the old indicators.
    w.registerAll();
    EXPECT_EQ(count("shakhes"), 1);
    user().clear();
    w.mojod->setText("3/25");
    w.registerAll();
    EXPECT_EQ(user().messageTexts(), QStringList{QStringLiteral("انجام شد\n اين تعداد تغيير يافتند 5")});
    EXPECT_EQ(count("shakhes"), 5);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM shakhes WHERE mojod = 3.25 AND ofogh = 20").toInt(), 5);
    ASSERT_EQ(w.DBGrid1->rowCount(), 5);

    // The grid writes a row when it is left; a non-number is refused.
    w.DBGrid1->setCurrentCell(0, 1);
    w.DBGrid1->item(0, 1)->setText("7/5");
    w.DBGrid1->setCurrentCell(1, 1);
    const qint64 first = w.DBGrid1->item(0, 0)->data(Qt::UserRole).toLongLong();
    EXPECT_EQ(Decimal::fromVariant(db().scalar("SELECT mojod FROM shakhes WHERE id = ?", {first})),
              Decimal::fromScaled(75, 1));
    w.DBGrid1->item(1, 2)->setText("abc");
    w.DBGrid1->setCurrentCell(2, 1);
    EXPECT_EQ(user().messages.back().kind, MessageKind::Error);
    EXPECT_EQ(w.DBGrid1->item(1, 2)->text(), "20");
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM shakhes WHERE ofogh = 20").toInt(), 5);

    // Closing leaves the row being edited: its change is kept.
    w.DBGrid1->item(2, 2)->setText("44");
    w.reject();
    const qint64 third = w.DBGrid1->item(2, 0)->data(Qt::UserRole).toLongLong();
    EXPECT_EQ(Decimal::fromVariant(db().scalar("SELECT ofogh FROM shakhes WHERE id = ?", {third})),
              Decimal::fromScaled(44, 0));

    w.N1->trigger();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("بي خيال"));
    EXPECT_EQ(count("shakhes"), 5);
}

INSTANTIATE_TEST_SUITE_P(Engines, StudySideRowsTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
