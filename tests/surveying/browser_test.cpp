#include "accounts.h"
#include "admin_fixture.h"
#include "attachment_window.h"
#include "browsergrid.h"
#include "dateedit.h"
#include "dates.h"
#include "filters.h"
#include "naghshe_ins.h"
#include "naghshe_search.h"
#include "naghshe_src.h"
#include "peymankar_list.h"
#include "sample.h"
#include "spreadsheetreader.h"
#include "windows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <functional>

using namespace bv;
using namespace bv::survey;
using bv::test::AdminTest;
using bv::test::user;

TEST(NaghsheRules, ContractEndTargetCountsThirtyDayMonths)
{
    EXPECT_EQ(contractEndTarget("1397/05/20", "45"), "1397/07/05");
    EXPECT_EQ(contractEndTarget("1397/05/20", "0"), "1397/05/20");
    EXPECT_EQ(contractEndTarget("1397/12/20", "15"), "1398/01/05");
    EXPECT_EQ(contractEndTarget("1397/05/20", "400"), "1398/06/25");
    EXPECT_EQ(contractEndTarget("1397/05/20", "abc"), "1397/05/20");
    EXPECT_EQ(contractEndTarget("1397/05/20", "-3"), "1397/05/20");
}

TEST(NaghsheRules, ColourAndFinalisedCount)
{
    EXPECT_EQ(rowShade("1396", 12), RowShade::Green);
    EXPECT_TRUE(finalised("1396", 12));
    EXPECT_EQ(rowShade("1396", 11), RowShade::Yellow);
    EXPECT_FALSE(finalised("1396", 11));
    EXPECT_EQ(rowShade("1394", 12), RowShade::Green);
    EXPECT_FALSE(finalised("1394", 12));
    EXPECT_EQ(rowShade("1395", 10), RowShade::Green);
    EXPECT_TRUE(finalised("1395", 10));
    EXPECT_EQ(rowShade("x", 0), RowShade::Normal);
    EXPECT_FALSE(finalised("x", 20));
    EXPECT_TRUE(finalised("1402", 12));
}

TEST(NaghsheRules, HtmlListEscapesFields)
{
    ResultSet rows;
    rows.columns = {"rosta", "unknown_col"};
    rows.rows.push_back({QStringLiteral("ده <b>بالا</b> & پايين"), 1});
    const QString html = htmlList(rows, htmlTitle, htmlHeadings());
    EXPECT_TRUE(html.contains(QStringLiteral("<td>ده &lt;b&gt;بالا&lt;/b&gt; &amp; پايين</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>")));
    EXPECT_TRUE(html.contains(QStringLiteral("charset=\"utf-8\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("<th>روستا</th>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<th>unknown_col</th>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>1</td>")));
}

class BrowserTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 4;
        size.villagesPerCounty = 6;
        size.contractors = 6;
        size.projects = 120;
        size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        // These tests count attachments of their own.
        db().exec("DELETE FROM naghshe_pic");
        session() = Session{"admin", "admin", 1, {}};
        all = naghsheList(db(), naghsheConditions(db().dialect(), {}, session()));
    }

    // The browser keeps its filters between openings: each test starts with none ticked.
    naghshe_src &window()
    {
        naghshe_src &w = windows::get<naghshe_src>();
        for (FilterCheck *check : w.findChildren<FilterCheck *>())
            check->setChecked(false);
        return w;
    }

    // The ids a search lists, and the ids of all projects that `keep` accepts.
    QList<qint64> listed(const NaghsheFilters &f, const Session &who)
    {
        const Conditions c = naghsheConditions(db().dialect(), f, who);
        const ResultSet rows = naghsheList(db(), c);
        EXPECT_EQ(naghsheTotals(db(), c).count, rows.size());
        return ids(rows, [](const QVariantList &) { return true; });
    }
    QList<qint64> ids(const ResultSet &rows, const std::function<bool(const QVariantList &)> &keep)
    {
        QList<qint64> out;
        const int id = rows.columnIndex("id");
        for (const QVariantList &r : rows.rows)
            if (keep(r))
                out << r[id].toLongLong();
        std::sort(out.begin(), out.end());
        return out;
    }
    QList<qint64> expected(const std::function<bool(const QVariantList &)> &keep) { return ids(all, keep); }
    QString at(const QVariantList &row, const char *column) { return row[all.columnIndex(column)].toString(); }
    QList<qint64> sorted(QList<qint64> l)
    {
        std::sort(l.begin(), l.end());
        return l;
    }
    qint64 addProject(const QString &year, qint64 contract, qint64 fee, const QString &village = "ده نو")
    {
        return db().insert("INSERT INTO naghshe (ostan, city, rosta, tamin_sal, prot_mablagh, pardakhti, cod) "
                           "VALUES ('مرکزي', 'شهر آزمون', ?, ?, ?, ?, '12345678')",
                           {village, year, contract, fee});
    }
    void addPictures(qint64 project, int n)
    {
        for (int i = 0; i < n; ++i)
            db().exec("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)",
                      {project, QStringLiteral("ضميمه %1").arg(i), QByteArray("x")});
    }

    ResultSet all;
};

TEST_P(BrowserTest, ListFiltersMatchContainedTextAndNothingWhenEmpty)
{
    ASSERT_GT(all.size(), 50);
    NaghsheFilters f;
    f.city = QStringList{};
    EXPECT_TRUE(listed(f, session()).isEmpty());

    const QString county = at(all.rows.front(), "city");
    const QString part = county.left(county.size() - 1);
    f.city = QStringList{part};
    const QList<qint64> byPart = listed(f, session());
    EXPECT_EQ(byPart, expected([&](const QVariantList &r) { return at(r, "city").contains(part); }));
    EXPECT_FALSE(byPart.isEmpty());

    const QString village = at(all.rows.back(), "rosta");
    f.city.reset();
    f.rosta = QStringList{village, QStringLiteral("هيچ جا")};
    EXPECT_EQ(listed(f, session()), expected([&](const QVariantList &r) { return at(r, "rosta").contains(village); }));

    const QString contractor = at(all.rows[3], "peymankar");
    const QString source = at(all.rows[3], "tamin_loc");
    f.rosta.reset();
    f.peymankar = QStringList{contractor};
    f.tamin_loc = QStringList{source};
    EXPECT_EQ(listed(f, session()), expected([&](const QVariantList &r) {
                  return at(r, "peymankar").contains(contractor) && at(r, "tamin_loc").contains(source);
              }));
    f.prot_no = QStringList{};
    EXPECT_TRUE(listed(f, session()).isEmpty());
}

TEST_P(BrowserTest, SingleValueAndDateFilters)
{
    NaghsheFilters f;
    f.tamin_sal = "1399";
    EXPECT_EQ(listed(f, session()), expected([&](const QVariantList &r) { return at(r, "tamin_sal") == "1399"; }));

    f = {};
    f.ostan = at(all.rows.front(), "ostan").mid(1, 2);
    EXPECT_EQ(listed(f, session()).size(), all.size());
    f.ostan = "xyz";
    EXPECT_TRUE(listed(f, session()).isEmpty());

    f = {};
    const QString payment = at(all.rows[5], "status");
    f.status = payment;
    EXPECT_EQ(listed(f, session()), expected([&](const QVariantList &r) { return at(r, "status").contains(payment); }));

    f = {};
    f.contractDates = std::pair<QString, QString>{"1398/01/01", "1399/12/30"};
    EXPECT_EQ(listed(f, session()), expected([&](const QVariantList &r) {
                  return at(r, "prot_dat1") >= "1398/01/01" && at(r, "prot_dat1") <= "1399/12/30";
              }));

    const QString target = "1400/06/15", today = "1399/06/15";
    f = {};
    f.contractEnd = ContractEnd{target, EndCompare::Before, today};
    EXPECT_EQ(listed(f, session()), expected([&](const QVariantList &r) {
                  return at(r, "prot_dat2") < target && at(r, "prot_dat2") > today;
              }));
    f.contractEnd = ContractEnd{target, EndCompare::After, today};
    EXPECT_EQ(listed(f, session()), expected([&](const QVariantList &r) { return at(r, "prot_dat2") > target; }));
    const QString exact = at(all.rows[7], "prot_dat2");
    f.contractEnd = ContractEnd{exact, EndCompare::On, today};
    EXPECT_EQ(listed(f, session()), expected([&](const QVariantList &r) { return at(r, "prot_dat2") == exact; }));

    // A project without an end date never passes the contract-end filter.
    const qint64 blank = addProject("1399", 1, 1);
    db().exec("UPDATE naghshe SET prot_dat2 = '    /  /  ' WHERE id = ?", {blank});
    f.contractEnd = ContractEnd{"0000/00/00", EndCompare::Any, today};
    EXPECT_FALSE(listed(f, session()).contains(blank));
    f.contractEnd = ContractEnd{"0000/00/00", EndCompare::After, today};
    EXPECT_FALSE(listed(f, session()).contains(blank));

    f = {};
    // The sample's memoranda become contracts: this one alone is a memorandum.
    db().exec("UPDATE naghshe SET prot_typ = ? WHERE prot_typ = ?", {QStringLiteral("قرارداد"), QStringLiteral("تفاهمنامه")});
    db().exec("UPDATE naghshe SET prot_typ = ? WHERE id = ?", {QStringLiteral("تفاهمنامه"), blank});
    f.prot_typ = QStringLiteral("تفاهمنامه");
    EXPECT_EQ(listed(f, session()), QList<qint64>{blank});
}

TEST_P(BrowserTest, TypedFiltersFindStoredTextWhateverDigitsAndYehWereTyped)
{
    db().exec("DELETE FROM naghshe");
    const qint64 ali = addProject("1397", 1, 1, QStringLiteral("ده علي آباد"));
    const qint64 other = addProject("1397", 1, 1, QStringLiteral("باغ"));
    addProject("1396", 1, 1, QStringLiteral("ده نو"));
    naghshe_src &w = window();
    w.prepare();

    w.CheckBox5->setChecked(true);
    w.tamin_sal->setText(QStringLiteral("۱۳۹۷"));
    w.search();
    EXPECT_EQ(w.cnt->text(), "2");
    EXPECT_EQ(sorted(ids(w.DBGrid1->shownRows(), [](const QVariantList &) { return true; })),
              sorted({ali, other}));
    w.CheckBox5->setChecked(false);

    // Typed with the Persian yeh; stored with the Arabic one.
    w.rostaList->check->setChecked(true);
    w.rosta->setEditText(QStringLiteral(" علی "));
    w.rostaList->add->click();
    EXPECT_EQ(w.rostaList->list->item(0)->text(), QStringLiteral("علي"));
    w.search();
    EXPECT_EQ(w.cnt->text(), "1");
    EXPECT_EQ(w.DBGrid1->shownRows().value(0, "id").toLongLong(), ali);
}

TEST_P(BrowserTest, AHalfTypedFilterDateListsNothingNew)
{
    naghshe_src &w = window();
    w.prepare();
    const int before = w.cnt->text().toInt();
    w.CheckBox8->setChecked(true);
    w.prot_dat1_1->setDate("1398/01/01");
    w.prot_dat1_2->setText("13990");
    user().clear();
    w.search();
    EXPECT_EQ(user().messageTexts(), QStringList{invalidDateMessage(QStringLiteral("تاريخ قرارداد"))});
    EXPECT_EQ(w.cnt->text().toInt(), before);
    w.prot_dat1_2->setDate("1399/12/30");
    w.search();
    EXPECT_EQ(w.cnt->text().toInt(), expected([&](const QVariantList &r) {
                  return at(r, "prot_dat1") >= "1398/01/01" && at(r, "prot_dat1") <= "1399/12/30";
              }).size());
}

TEST_P(BrowserTest, CountyScopeOfNonAdministrators)
{
    const qint64 clerk = addUser("clerk", "x", QStringLiteral("فعال"), "city");
    const Session who{"clerk", "city", clerk, {}};
    EXPECT_TRUE(listed({}, who).isEmpty());

    const QString a = at(all.rows.front(), "city"), b = at(all.rows.back(), "city");
    ASSERT_NE(a, b);
    db().exec("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)", {clerk, a});
    db().exec("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)", {clerk, b});
    EXPECT_EQ(listed({}, who), expected([&](const QVariantList &r) { return at(r, "city") == a || at(r, "city") == b; }));
    // Another user's counties do not count.
    db().exec("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)", {clerk + 1, at(all.rows[40], "city")});
    EXPECT_EQ(listed({}, who), expected([&](const QVariantList &r) { return at(r, "city") == a || at(r, "city") == b; }));
}

TEST_P(BrowserTest, TotalsAndFinalisedCountThroughTheWindow)
{
    db().exec("DELETE FROM naghshe");
    const qint64 p1 = addProject("1396", 9000000, 600000);
    const qint64 p2 = addProject("1396", 876543, 54321);
    const qint64 p3 = addProject("1394", 0, 0);
    addPictures(p1, 12);
    addPictures(p2, 11);
    addPictures(p3, 12);

    naghshe_src &w = window();
    w.prepare();
    EXPECT_EQ(w.cnt->text(), "3");
    EXPECT_EQ(w.DBGrid1->rowCount(), 3);
    EXPECT_EQ(w.prot_mablagh->text(), "9,876,543");
    EXPECT_EQ(w.pardakhti->text(), "654,321");
    EXPECT_EQ(w.cnt_green1->text(), "1");
    EXPECT_EQ(w.lastSearch().totals.contractSum, Money::fromWhole(9876543));
    EXPECT_EQ(w.lastSearch().finalised, 1);

    const ResultSet shown = w.DBGrid1->shownRows();
    for (int r = 0; r < shown.size(); ++r) {
        const qint64 id = shown.value(r, "id").toLongLong();
        EXPECT_EQ(w.DBGrid1->rowColourAt(r), id == p2 ? QColor(Qt::yellow) : QColor(Qt::green)) << id;
    }

    db().exec("DELETE FROM naghshe WHERE id <> ?", {p3});
    db().exec("UPDATE naghshe SET prot_mablagh = 12 WHERE id = ?", {p3});
    w.search();
    EXPECT_EQ(w.prot_mablagh->text(), "12");
    EXPECT_EQ(w.cnt_green1->text(), "0");
}

TEST_P(BrowserTest, WindowListFilterNeedsAnEntry)
{
    naghshe_src &w = window();
    w.prepare();
    EXPECT_EQ(w.cnt->text().toInt(), all.size());
    w.cityList->check->setChecked(true);
    w.search();
    EXPECT_EQ(w.cnt->text(), "0");
    EXPECT_EQ(w.DBGrid1->rowCount(), 0);
    const QString county = at(all.rows.front(), "city");
    w.city->setCurrentText(county);
    w.cityList->add->click();
    w.search();
    EXPECT_EQ(w.DBGrid1->rowCount(), expected([&](const QVariantList &r) { return at(r, "city").contains(county); }).size());
    EXPECT_EQ(w.cnt->text().toInt(), w.DBGrid1->rowCount());
    // Unticking empties the list.
    w.cityList->check->setChecked(false);
    EXPECT_EQ(w.cityList->list->count(), 0);
    w.search();
    w.cityList->check->setChecked(true);
    w.addListedPlaces();
    EXPECT_EQ(w.cityList->list->count(), 4);
    EXPECT_EQ(w.rostaList->list->count(), listedPlaces(all).second.size());
}

TEST_P(BrowserTest, FirstScreenFirstThenTheWholeList)
{
    const int total = all.size() + 100;
    db().transaction([&] {
        for (int i = 0; i < 100; ++i)
            addProject("1396", 1000, 10, QStringLiteral("روستا %1").arg(i));
    });
    ASSERT_GT(total, naghshe_src::firstScreenRows);
    naghshe_src &w = window();
    w.prepare();
    EXPECT_EQ(w.cnt->text().toInt(), total);
    EXPECT_EQ(w.DBGrid1->rowCount(), naghshe_src::firstScreenRows);
    EXPECT_FALSE(w.DBGrid1->rowsComplete());
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(150, 1));
    const qint64 current = w.DBGrid1->currentId().toLongLong();

    // An export needs every listed row.
    QTemporaryDir dir;
    ASSERT_TRUE(w.exportHtml(dir.filePath("list.htm")));
    EXPECT_TRUE(w.DBGrid1->rowsComplete());
    EXPECT_EQ(w.DBGrid1->rowCount(), total);
    EXPECT_EQ(w.DBGrid1->currentId().toLongLong(), current);
    QFile html(dir.filePath("list.htm"));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(html.readAll()).count(QStringLiteral("<tr>")), total);
    EXPECT_EQ(user().opened, QStringList{dir.filePath("list.htm")});

    // Left alone, the window completes the list by itself.
    w.search();
    EXPECT_FALSE(w.DBGrid1->rowsComplete());
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.DBGrid1->rowsComplete());
    EXPECT_EQ(w.DBGrid1->rowCount(), total);
}

TEST_P(BrowserTest, DeleteNeedsThePasswordAndRemovesEverything)
{
    db().exec("DELETE FROM setting WHERE component = ?", {QStringLiteral("رمز حذف")});
    db().exec("INSERT INTO setting (component, cmt) VALUES (?, 'secret')", {QStringLiteral("رمز حذف")});
    db().exec("DELETE FROM naghshe");
    db().exec("DELETE FROM naghshe_arzyabi");  // the sample's evaluations of the projects gone
    const qint64 keep = addProject("1396", 1, 1, "الف");
    const qint64 gone = addProject("1396", 1, 1, "ب");
    addPictures(gone, 2);
    addPictures(keep, 1);
    db().exec("INSERT INTO naghshe_arzyabi (naghshe_id, cmt) VALUES (?, 'x')", {gone});

    naghshe_src &w = window();
    w.prepare();
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(1, 1));
    ASSERT_EQ(w.DBGrid1->currentId().toLongLong(), gone);
    user().inputs.push_back(QStringLiteral("wrong"));
    w.deleteProject();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe").toInt(), 2);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe_pic").toInt(), 3);
    EXPECT_TRUE(user().messages.empty());

    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(1, 1));
    user().inputs.push_back(QStringLiteral("secret"));
    w.deleteProject();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("حذف شد"));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe WHERE id = ?", {gone}).toInt(), 0);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe_pic WHERE naghshe_id = ?", {gone}).toInt(), 0);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe_pic").toInt(), 1);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe_arzyabi").toInt(), 0);
    EXPECT_EQ(logRows(QStringLiteral(" حذف نقشه 12345678 admin")), 1);
    EXPECT_EQ(w.cnt->text(), "1");
}

TEST_P(BrowserTest, SavedProjectStaysCurrent)
{
    naghshe_src &w = window();
    w.prepare();
    w.DBGrid1->sortBy("rosta");
    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(37, 1));
    const qint64 id = w.DBGrid1->currentId().toLongLong();
    db().exec("UPDATE naghshe SET cmt = 'edited' WHERE id = ?", {id});
    emit windows::get<naghshe_ins>().saved(id);
    EXPECT_EQ(w.DBGrid1->currentId().toLongLong(), id);
    EXPECT_EQ(w.DBGrid1->currentValue("cmt").toString(), "edited");
}

TEST_P(BrowserTest, AssignContractorChecklistAndSystemExport)
{
    NaghsheFilters f;
    f.rosta = QStringList{at(all.rows[0], "rosta")};
    const ResultSet rows = naghsheList(db(), naghsheConditions(db().dialect(), f, session()));
    QList<qint64> chosen = ids(rows, [](const QVariantList &) { return true; });
    assignContractor(db(), chosen, 77, QStringLiteral("نام تازه"));
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe WHERE peymankar_id = 77 AND peymankar = ?",
                          {QStringLiteral("نام تازه")})
                  .toInt(),
              chosen.size());

    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)",
              {QStringLiteral("شرح ضمائم نقشه برداري"), QStringLiteral("تصوير نقشه")});
    db().exec("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp) VALUES (?, ?, '.jpg')",
              {chosen.front(), QStringLiteral("تصوير نقشه")});
    const ResultSet sheet = attachmentChecklist(db(), naghsheList(db(), naghsheConditions(db().dialect(), f, session())), checklistSource());
    ASSERT_EQ(sheet.size(), rows.size() + 1);
    EXPECT_EQ(sheet.rows[0][0].toString(), QStringLiteral("شهرستان"));
    EXPECT_EQ(sheet.rows[0].back().toString(), QStringLiteral("پيمانکار"));
    const int kind = int(sheet.rows[0].indexOf(QStringLiteral("تصوير نقشه")));
    ASSERT_GE(kind, 2);
    EXPECT_EQ(sheet.columns[kind], "z" + QString::number(kind - 1));
    int present = 0;
    for (int r = 1; r < sheet.size(); ++r)
        present += sheet.rows[r][kind].toString().toInt();
    EXPECT_EQ(present, 1);

    // The system export ignores the payment status.
    f.status = QStringLiteral("هيچ");
    const ResultSet system = systemExport(db(), f, session());
    EXPECT_EQ(system.size(), rows.size());
    EXPECT_EQ(system.columns.value(11), "masahat");
}

TEST_P(BrowserTest, OneContractorForTheWholeListAfterAnExplicitChoice)
{
    saveRights(db(), 1, {{"naghshe", {false, true, false, true}}});
    naghshe_src &w = window();
    w.prepare();
    w.rostaList->check->setChecked(true);
    w.rostaList->append(at(all.rows[0], "rosta"));
    w.search();
    const QList<qint64> listedIds = ids(w.DBGrid1->shownRows(), [](const QVariantList &) { return true; });
    const auto before = db().select("SELECT id, peymankar_id, peymankar FROM naghshe ORDER BY id").rows;

    // Closed without a choice: nothing asked, nothing written.
    w.assignContractorToAll();
    EXPECT_TRUE(user().questions.isEmpty());
    EXPECT_EQ(db().select("SELECT id, peymankar_id, peymankar FROM naghshe ORDER BY id").rows, before);

    qint64 chosen = 0;
    user().dialogs.push_back([&](QDialog &d) {
        auto &picker = static_cast<peymankar_list &>(d);
        chosen = picker.DBGrid1->currentId().toLongLong();
        picker.pickCurrent();
        return d.result();
    });
    user().answers.push_back(true);
    w.assignContractorToAll();
    const Row contractor = db().rows("SELECT lname, comp_name, fname, typ FROM peymankar WHERE id = ?", {chosen}).front();
    EXPECT_EQ(user().questions.value(0).toStdString(), (QStringLiteral("از انتخاب اين پيمانکار اطمينان داريد؟")
                                             + contractor["lname"].toString() + " * " + contractor["comp_name"].toString()).toStdString());
    EXPECT_TRUE(user().lastMessage().startsWith(QStringLiteral("انجام شد")));
    EXPECT_TRUE(user().lastMessage().endsWith(QString::number(listedIds.size())));
    for (qint64 project : listedIds)
        EXPECT_EQ(db().scalar("SELECT peymankar_id FROM naghshe WHERE id = ?", {project}).toLongLong(), chosen);
    // Projects outside the list keep their contractor.
    const auto after = db().select("SELECT id, peymankar_id, peymankar FROM naghshe ORDER BY id").rows;
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i)
        if (!listedIds.contains(after[i][0].toLongLong())) {
            EXPECT_EQ(after[i], before[i]);
        }
}

TEST_P(BrowserTest, TransferToStudiesInsertsOrRefreshes)
{
    db().exec("DELETE FROM naghshe");
    db().exec("DELETE FROM borvinat");
    const qint64 id = addProject("1399", 5, 5);
    db().exec("UPDATE naghshe SET khanevar = 40, tarh_typ = ?, masahat_por = 12.5, peymankar = ? WHERE id = ?",
              {QStringLiteral("هادي"), QStringLiteral("مهندس الف"), id});
    saveRights(db(), 1, {{"borvinat", {true, false, false, false}}});
    naghshe_src &w = window();
    w.prepare();
    w.transferToStudies();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("نقشه در بخش مطالعات نيز ثبت شد"));
    const Row study = db().rows("SELECT * FROM borvinat").front();
    EXPECT_EQ(study["etebar_sal"].toString(), "1399");
    EXPECT_EQ(study["cod"].toString(), "12345678");
    EXPECT_EQ(logRows(QStringLiteral(" ثبت مطالعه جديد از بخش نقشه 12345678 admin")), 1);

    db().exec("UPDATE naghshe SET masahat_por = 20, peymankar = ? WHERE id = ?", {QStringLiteral("مهندس ب"), id});
    w.search();
    user().answers.push_back(false);
    w.transferToStudies();
    EXPECT_EQ(db().scalar("SELECT naghshe_moshaver_name FROM borvinat").toString(), QStringLiteral("مهندس الف"));
    user().answers.push_back(true);
    w.transferToStudies();
    EXPECT_TRUE(user().questions.value(1).endsWith(QStringLiteral("کد آبادي 12345678")));
    EXPECT_EQ(user().lastMessage(), QStringLiteral("بروز رساني انجام شد"));
    EXPECT_EQ(db().scalar("SELECT naghshe_moshaver_name FROM borvinat").toString(), QStringLiteral("مهندس ب"));
    EXPECT_DOUBLE_EQ(db().scalar("SELECT masahat FROM borvinat").toDouble(), 20.0);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM borvinat").toInt(), 1);
}

TEST_P(BrowserTest, ProgramDocumentsOpenedFromAPrivateCopy)
{
    naghshe_src &w = window();
    w.programDocuments();
    EXPECT_EQ(user().lastMessage(), QStringLiteral("فايلي در بخش ضمائم با اين عنوان نيست"));

    db().exec("INSERT INTO zamaem (cmt, ramz, pictype, pic) VALUES (?, '', '.pdf', ?)",
              {QStringLiteral("مدارک اوراق نقشه برداري"), QByteArray("%PDF-1")});
    user().clear();
    w.programDocuments();
    // Opened from a private copy, without asking where to save it.
    ASSERT_EQ(user().opened.size(), 1);
    QFile saved(user().opened[0]);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("%PDF-1"));
    EXPECT_TRUE(user().opened[0].endsWith(".pdf"));
    EXPECT_TRUE(user().messages.empty());
}

TEST_P(BrowserTest, SpreadsheetExportsOfTheList)
{
    naghshe_src &w = window();
    w.prepare();
    w.rostaList->check->setChecked(true);
    w.rostaList->append(at(all.rows[0], "rosta"));
    w.search();
    const int listedRows = w.DBGrid1->rowCount();
    ASSERT_GT(listedRows, 0);

    w.exportComprehensive();
    ASSERT_EQ(user().opened.size(), 1);
    std::optional<SheetTable> sheet = readSheet(user().opened.back());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->columns.value(0), QStringLiteral("شناسه"));
    EXPECT_TRUE(sheet->columns.contains(QStringLiteral("تعداد ضمائم")));
    EXPECT_EQ(int(sheet->rows.size()), listedRows);

    w.exportSystem();
    ASSERT_EQ(user().opened.size(), 2);
    sheet = readSheet(user().opened.back());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->columns.value(11), QStringLiteral("مساحت"));
    EXPECT_EQ(int(sheet->rows.size()), listedRows);

    db().exec("INSERT INTO setting (component, cmt) VALUES (?, ?)",
              {QStringLiteral("شرح ضمائم نقشه برداري"), QStringLiteral("تصوير نقشه")});
    w.exportChecklist();
    ASSERT_EQ(user().opened.size(), 3);
    sheet = readSheet(user().opened.back());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->columns.value(0), "city");
    ASSERT_FALSE(sheet->rows.empty());
    EXPECT_EQ(sheet->rows[0].value(0), QStringLiteral("شهرستان"));
    EXPECT_EQ(int(sheet->rows.size()), listedRows + 1);
}

TEST_P(BrowserTest, OneFileForEveryListedProjectOrForTheCurrentOne)
{
    for (const char *page : {"naghshe", "zamaem_n"})
        db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (1, ?, 1, 1, 1, 1)",
                  {QString::fromLatin1(page)});
    naghshe_src &w = window();
    w.prepare();
    w.rostaList->check->setChecked(true);
    w.rostaList->append(at(all.rows[0], "rosta"));
    w.search();
    const QList<qint64> listedIds = ids(w.DBGrid1->shownRows(), [](const QVariantList &) { return true; });
    ASSERT_GT(listedIds.size(), 1);

    QTemporaryDir dir;
    QFile file(dir.filePath("map.pdf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("map");
    file.close();
    auto addOne = [&](QDialog &d) {
        auto &a = static_cast<AttachmentWindow &>(d);
        a.cmt->setCurrentText(QStringLiteral("نقشه"));
        user().files.push_back(file.fileName());
        a.add();
        return 0;
    };
    user().dialogs.push_back(addOne);
    w.attachToAll();
    for (qint64 id : listedIds)
        EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe_pic WHERE naghshe_id = ?", {id}).toInt(), 1) << id;
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe_pic").toInt(), listedIds.size());
    // The list shows the new counts at once.
    EXPECT_EQ(w.DBGrid1->currentValue("pic_count").toInt(), 1);

    w.DBGrid1->setCurrentIndex(w.DBGrid1->model()->index(1, 1));
    const qint64 current = w.DBGrid1->currentId().toLongLong();
    user().dialogs.push_back(addOne);
    w.attachments();
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe_pic WHERE naghshe_id = ?", {current}).toInt(), 2);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM naghshe_pic").toInt(), listedIds.size() + 1);
    EXPECT_EQ(w.DBGrid1->currentId().toLongLong(), current);
    EXPECT_EQ(w.DBGrid1->currentValue("pic_count").toInt(), 2);
}

TEST_P(BrowserTest, ContractEndTargetFollowsTheDayCount)
{
    user().todayValue = gregorianOf("1397/05/20");
    naghshe_src &w = window();
    w.roz->setText("45");
    w.CheckBox6->setChecked(true);
    EXPECT_EQ(w.prot_dat2->date(), "1397/07/05");
    w.roz->setText("abc");
    EXPECT_EQ(w.prot_dat2->date(), "1397/05/20");
    w.roz->setText("15");
    EXPECT_EQ(w.prot_dat2->date(), "1397/06/05");
    w.prot_dat->setCurrentIndex(2);  // "<": ending after the target
    const NaghsheFilters f = w.filters();
    ASSERT_TRUE(f.contractEnd);
    EXPECT_EQ(f.contractEnd->compare, EndCompare::After);
    EXPECT_EQ(f.contractEnd->target, "1397/06/05");
    w.search();
    EXPECT_EQ(w.DBGrid1->rowCount(),
              expected([&](const QVariantList &r) { return at(r, "prot_dat2") > "1397/06/05"; }).size());
}

INSTANTIATE_TEST_SUITE_P(Engines, BrowserTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
