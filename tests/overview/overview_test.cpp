#include "admin_fixture.h"
#include "browsergrid.h"
#include "dates.h"
#include "main_window.h"
#include "nama_koli.h"
#include "borvinat_src.h"
#include "filters.h"
#include "naghshe_src.h"
#include "sabt_src.h"
#include "overview_charts.h"
#include "overview_data.h"
#include "overview_pages.h"
#include "sample.h"
#include "spreadsheetreader.h"
#include "windows.h"
#include "xlsxexport.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <map>

using namespace bv;
using namespace bv::overview;
using bv::test::AdminTest;
using bv::test::user;

namespace {
const QString firstStage = QStringLiteral("مرحله اول - 40%");
const QString finalStage = QStringLiteral("قطعي - 100%");
const QString today = QStringLiteral("1401/06/15");

using Key = std::pair<QString, QString>;
using Sums = std::map<Key, Decimal>;

// A chart's bars as (category, series name) -> value, zero bars left out.
Sums bars(const Chart &c)
{
    Sums out;
    for (int s = 0; s < c.seriesNames.size(); ++s)
        for (int k = 0; k < c.categories.size(); ++k)
            if (!c.value(s, k).isZero())
                out[{c.categories[k], c.seriesNames[s]}] = c.value(s, k);
    return out;
}

QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    // Arabic letters come out in their presentation forms.
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}
}  // namespace

TEST(OverviewRules, StagePercentReadsTheStagesPercentage)
{
    EXPECT_EQ(stagePercent(firstStage), Decimal(40));
    EXPECT_EQ(stagePercent(finalStage), Decimal(100));
    EXPECT_EQ(stagePercent(QStringLiteral("مرحله دوم - ۷۰٪")), Decimal(70));
    EXPECT_EQ(stagePercent(QStringLiteral("12.5 %")), Decimal::fromScaled(125, 1));
    EXPECT_TRUE(stagePercent(QStringLiteral("قطعي")).isZero());
    EXPECT_TRUE(stagePercent(QString()).isZero());
}

TEST(OverviewRules, PersianDigitsAndRightToLeftBars)
{
    EXPECT_EQ(persianDigits(QStringLiteral("1402 الف")), QStringLiteral("۱۴۰۲ الف"));
    Chart c;
    c.categories = {"a", "b", "c"};
    EXPECT_EQ(categoryAt(c, 0), 2);
    EXPECT_EQ(categoryAt(c, 2), 0);
}

class OverviewTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 4;
        size.villagesPerCounty = 5;
        size.contractors = 5;
        size.projects = 160;
        size.studies = 60;
        size.registrationContractors = 4;
        size.registrations = 50;
        size.contracts = 0;
        sample::fill(db(), nullptr, size);
        // Stages, unset and odd values, attachments and late contracts of our own.
        db().exec("DELETE FROM naghshe_pic");
        db().exec("UPDATE borvinat SET status = ? WHERE id % 3 = 0", {firstStage});
        db().exec("UPDATE borvinat SET status = ? WHERE id % 3 = 1", {finalStage});
        // Million rials with decimals: 40% of them needs five.
        db().exec("UPDATE borvinat SET prot_mablagh = ? WHERE id % 5 = 0", {QStringLiteral("123.4567")});
        db().exec("UPDATE naghshe SET status = NULL WHERE id % 11 = 0");
        db().exec("UPDATE naghshe SET tamin_sal = '1395' WHERE id % 13 = 0");
        db().exec("UPDATE naghshe SET tamin_sal = NULL WHERE id % 17 = 0");
        db().exec("UPDATE naghshe SET pardakhti = prot_mablagh / 3 WHERE id % 2 = 0");
        const ResultSet ids = db().select("SELECT id FROM naghshe ORDER BY id");
        for (int i = 0; i < ids.size(); i += 4)
            addPictures(ids.rows[size_t(i)][0].toLongLong(), i % 8 == 0 ? 12 : 10);
        db().exec("UPDATE naghshe SET prot_dat2 = '1400/01/10', tahvil_dat1 = ? WHERE id % 5 = 0", {emptyDateMask});
        db().exec("UPDATE naghshe SET prot_dat2 = ? WHERE id % 7 = 0", {emptyDateMask});
        db().exec("UPDATE sabti SET prot_dat2 = '1400/02/01', tahvil_dat = '' WHERE id % 4 = 0");
        db().exec("UPDATE sabti SET status = NULL WHERE id % 6 = 0");
        admin = Session{"admin", "admin", 1, {}};
        choice.today = today;
    }

    void addPictures(qint64 project, int n)
    {
        for (int i = 0; i < n; ++i)
            db().exec("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, '.jpg', ?)",
                      {project, QStringLiteral("ضميمه %1").arg(i), QByteArray("x")});
    }

    // A user of level "city" who sees `counties`, with the survey and
    // registration pages' rights.
    Session countyUser(const QStringList &counties, bool view = true)
    {
        const qint64 id = addUser("county", "x", QStringLiteral("فعال"), "city");
        for (const QString &c : counties)
            db().exec("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)", {id, c});
        for (const char *page : {"naghshe", "borvinat", "sabt"})
            db().exec("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) VALUES (?, ?, 0, 0, 0, ?)",
                      {id, page, view ? 1 : 0});
        return Session{"county", "city", id, {}};
    }

    // Every row of a table, read one by one: the reference the sums are checked against.
    ResultSet rowsOf(const QString &table, const QString &columns)
    {
        return db().select("SELECT " + columns + " FROM " + table);
    }
    static QString text(const ResultSet &r, const QVariantList &row, const char *column)
    {
        return row[r.columnIndex(column)].toString();
    }

    QStringList counties()
    {
        QStringList out;
        for (const QVariantList &r : db().select("SELECT DISTINCT city FROM naghshe ORDER BY city").rows)
            out << r[0].toString();
        return out;
    }

    Session admin;
    Choice choice;
};

TEST_P(OverviewTest, SurveyCountsMatchTheRows)
{
    const ResultSet r = rowsOf("naghshe", "id, city, status, tamin_sal, prot_dat2, tahvil_dat1, "
                                          "(SELECT COUNT(*) FROM naghshe_pic WHERE naghshe_id = naghshe.id) AS pics");
    Sums byStatus, byFinalised;
    for (const QVariantList &row : r.rows) {
        const QString status = text(r, row, "status");
        const Key key{text(r, row, "city"), status.isEmpty() ? QStringLiteral("بدون وضعيت") : status};
        byStatus[key] = byStatus[key] + 1;
        const bool done = survey::finalised(text(r, row, "tamin_sal"), row[r.columnIndex("pics")].toInt());
        const Key f{text(r, row, "city"), done ? QStringLiteral("نهايي شده") : QStringLiteral("نهايي نشده")};
        byFinalised[f] = byFinalised[f] + 1;
    }
    EXPECT_EQ(bars(readChart(db(), ChartId::SurveyPayment, choice, admin)), byStatus);
    const Chart finalised = readChart(db(), ChartId::SurveyFinalised, choice, admin);
    EXPECT_EQ(bars(finalised), byFinalised);
    // Both kinds occur, so the comparison means something.
    EXPECT_EQ(finalised.seriesNames.size(), 2);
    EXPECT_FALSE(finalised.value(0, 0).isZero() && finalised.value(0, 1).isZero());
}

TEST_P(OverviewTest, StagesOfStudiesAndRegistrationMatchTheRows)
{
    for (const auto &[table, chart] : {std::pair{"borvinat", readChart(db(), ChartId::StudiesStage, choice, admin)},
                                       std::pair{"sabti", readChart(db(), ChartId::RegistrationStage, choice, admin)}}) {
        const ResultSet r = rowsOf(table, "city, status");
        Sums expected;
        for (const QVariantList &row : r.rows) {
            const QString status = row[1].toString();
            const Key key{row[0].toString(), status.isEmpty() ? QStringLiteral("بدون وضعيت") : status};
            expected[key] = expected[key] + 1;
        }
        EXPECT_EQ(bars(chart), expected) << table;
        EXPECT_GE(chart.seriesNames.size(), 2) << table;
    }
}

TEST_P(OverviewTest, AmountsPerYearMatchTheRowsExactly)
{
    const ResultSet s = rowsOf("naghshe", "tamin_sal, prot_mablagh, pardakhti");
    Sums survey;
    for (const QVariantList &row : s.rows) {
        const Key c{row[0].toString(), QStringLiteral("مبلغ قرارداد")}, p{row[0].toString(), QStringLiteral("مبلغ پرداختي")};
        survey[c] = survey[c] + Decimal(Money::fromVariant(row[1]));
        survey[p] = survey[p] + Decimal(Money::fromVariant(row[2]));
    }
    EXPECT_EQ(bars(readChart(db(), ChartId::SurveyAmounts, choice, admin)), survey);

    const ResultSet st = rowsOf("borvinat", "etebar_sal, prot_mablagh, status");
    Sums studies;
    for (const QVariantList &row : st.rows) {
        const Money fee = Money::fromVariant(row[1]);
        const Key c{row[0].toString(), QStringLiteral("مبلغ قرارداد")};
        const Key p{row[0].toString(), QStringLiteral("پرداختي بر پايه آخرين وضعيت")};
        studies[c] = studies[c] + Decimal(fee);
        const Decimal share = row[2].toString() == firstStage ? Decimal(40) : row[2].toString() == finalStage ? Decimal(100) : Decimal();
        if (!share.isZero())
            studies[p] = studies[p] + Decimal(fee) * share * Decimal::fromScaled(1, 2);
    }
    const Chart amounts = readChart(db(), ChartId::StudiesAmounts, choice, admin);
    EXPECT_EQ(bars(amounts), studies);
    EXPECT_EQ(amounts.unit, QStringLiteral("ميليون ريال"));
}

TEST_P(OverviewTest, OverdueContractsIgnoreUnsetDatesAndHandedOverOnes)
{
    Sums expected;
    const ResultSet s = rowsOf("naghshe", "city, prot_dat2, tahvil_dat1");
    for (const QVariantList &row : s.rows) {
        const QString end = row[1].toString(), handed = row[2].toString();
        if (!end.isEmpty() && end != emptyDateMask && end < today && (handed.isEmpty() || handed == emptyDateMask)) {
            const Key k{row[0].toString(), QStringLiteral("نقشه برداري")};
            expected[k] = expected[k] + 1;
        }
    }
    const ResultSet g = rowsOf("sabti", "city, prot_dat2, tahvil_dat");
    for (const QVariantList &row : g.rows) {
        const QString end = row[1].toString(), handed = row[2].toString();
        if (!end.isEmpty() && end != emptyDateMask && end < today && (handed.isEmpty() || handed == emptyDateMask)) {
            const Key k{row[0].toString(), QStringLiteral("ثبتي")};
            expected[k] = expected[k] + 1;
        }
    }
    const Chart overdue = readChart(db(), ChartId::Overdue, choice, admin);
    EXPECT_EQ(bars(overdue), expected);
    EXPECT_FALSE(expected.empty());
}

TEST_P(OverviewTest, ChosenYearsAndCountiesAndTheCountyScopeLimitEveryChart)
{
    const QStringList all = counties();
    ASSERT_GE(all.size(), 3);
    const QStringList mine = {all[0], all[2]};
    const Session clerk = countyUser(mine);
    QStringList offered = choosableCounties(db(), clerk);
    offered.sort();
    QStringList sortedMine = mine;
    sortedMine.sort();
    EXPECT_EQ(offered, sortedMine);

    auto countIn = [&](const QString &table, const QString &where, const QVariantList &values) {
        return db().scalar("SELECT COUNT(*) FROM " + table + " WHERE " + where, values).toLongLong();
    };
    auto total = [](const Chart &c) {
        Decimal t;
        for (const auto &[key, value] : bars(c))
            t = t + value;
        return t;
    };
    const std::vector<Chart> charts = allCharts(db(), choice, clerk);
    for (const Chart &c : charts) {
        if (c.id == ChartId::SurveyAmounts || c.id == ChartId::StudiesAmounts)
            continue;
        for (const QString &category : c.categories)
            EXPECT_TRUE(mine.contains(category)) << c.title.toStdString() << " " << category.toStdString();
    }
    EXPECT_EQ(total(charts[0]), Decimal(countIn("naghshe", "city IN (?, ?)", {mine[0], mine[1]})));
    EXPECT_EQ(total(charts[2]), Decimal(countIn("borvinat", "city IN (?, ?)", {mine[0], mine[1]})));
    EXPECT_EQ(total(charts[3]), Decimal(countIn("sabti", "city IN (?, ?)", {mine[0], mine[1]})));

    // Chosen years and one county, a NULL year counting as the empty one.
    Choice narrow = choice;
    narrow.years = QStringList{"1395", "", "1399"};
    narrow.counties = QStringList{mine[1]};
    EXPECT_EQ(total(readChart(db(), ChartId::SurveyPayment, narrow, clerk)),
              Decimal(countIn("naghshe", "city = ? AND (tamin_sal IN ('1395', '1399') OR tamin_sal IS NULL)", {mine[1]})));
    EXPECT_GT(countIn("naghshe", "city = ? AND tamin_sal IS NULL", {mine[1]}) + countIn("naghshe", "city = ? AND tamin_sal = '1395'", {mine[1]}), 0);

    // A user without counties sees nothing.
    const qint64 none = addUser("nobody", "x");
    for (const Chart &c : allCharts(db(), choice, Session{"nobody", "ostan", none, {}}))
        EXPECT_TRUE(c.empty()) << c.title.toStdString();
}

TEST_P(OverviewTest, ABarOpensTheSurveyBrowserOnExactlyTheProjectsItCounted)
{
    const QStringList all = counties();
    const Session clerk = countyUser({all[1], all[3]});
    session() = clerk;
    nama_koli &w = windows::get<nama_koli>();
    w.prepare();
    ASSERT_EQ(w.charts().size(), 7u);

    // The browser as the scripted user finds it when it opens.
    QList<qint64> listed;
    QString shownCaption;
    auto capture = [&](QDialog &d) {
        auto &browser = dynamic_cast<naghshe_src &>(d);
        browser.DBGrid1->completeRows();
        const ResultSet rows = browser.DBGrid1->shownRows();
        listed.clear();
        for (const QVariantList &r : rows.rows)
            listed << r[rows.columnIndex("id")].toLongLong();
        std::sort(listed.begin(), listed.end());
        shownCaption = browser.selectionCheck->text();
        EXPECT_EQ(browser.cnt->text().toLongLong(), rows.size());
        return int(QDialog::Rejected);
    };
    auto ids = [&](const QString &where, const QVariantList &values) {
        QList<qint64> out;
        for (const QVariantList &r : db().select("SELECT id FROM naghshe WHERE " + where + " ORDER BY id", values).rows)
            out << r[0].toLongLong();
        return out;
    };
    // Clicks the bar of `category` in series `series` as the chart draws it.
    auto click = [&](int chart, int series, int category) {
        auto *bars = static_cast<QBarSeries *>(w.view(chart)->chart()->series().front());
        QBarSet *set = bars->barSets()[series];
        emit set->clicked(categoryAt(w.charts()[size_t(chart)], category));
    };

    // Payment status, a stored status of the second county.
    const Chart &payment = w.charts()[0];
    for (const QString &c : payment.categories)
        EXPECT_TRUE(c == all[1] || c == all[3]);
    const int county = int(payment.categories.indexOf(all[3]));
    ASSERT_GE(county, 0);
    int series = 0;
    while (series < payment.seriesKeys.size() && payment.value(series, county).isZero())
        ++series;
    ASSERT_LT(series, payment.seriesKeys.size());
    user().dialogs.push_back(capture);
    click(0, series, county);
    const QString status = payment.seriesKeys[series];
    EXPECT_EQ(listed, ids("city = ? AND COALESCE(status, '') = ?", {all[3], status}));
    EXPECT_EQ(Decimal(qint64(listed.size())), payment.value(series, county));
    EXPECT_TRUE(shownCaption.contains(all[3]));

    // Finalised and not, in the first county.
    const Chart &finalised = w.charts()[1];
    const int first = int(finalised.categories.indexOf(all[1]));
    QList<qint64> both;
    for (int s = 0; s < 2; ++s) {
        user().dialogs.push_back(capture);
        click(1, s, first);
        EXPECT_EQ(Decimal(qint64(listed.size())), finalised.value(s, first)) << s;
        for (qint64 id : listed) {
            const Row r = db().rows("SELECT tamin_sal, (SELECT COUNT(*) FROM naghshe_pic WHERE naghshe_id = naghshe.id) AS pics "
                                    "FROM naghshe WHERE id = ?", {id}).front();
            EXPECT_EQ(survey::finalised(r["tamin_sal"].toString(), r["pics"].toInt()), s == 0) << id;
        }
        both << listed;
    }
    std::sort(both.begin(), both.end());
    EXPECT_EQ(both, ids("city = ?", {all[1]}));

    // Overdue survey contracts of the second county: today's date of the window.
    const Chart &overdue = w.charts()[6];
    const int late = int(overdue.categories.indexOf(all[3]));
    if (late >= 0 && !overdue.value(0, late).isZero()) {
        user().dialogs.push_back(capture);
        click(6, 0, late);
        EXPECT_EQ(Decimal(qint64(listed.size())), overdue.value(0, late));
    }

    // Registration bars open the registration browser on exactly their jobs.
    QList<qint64> jobs;
    QString jobsCaption;
    auto captureJobs = [&](QDialog &d) {
        auto &browser = dynamic_cast<sabt_src &>(d);
        browser.DBGrid1->completeRows();
        const ResultSet rows = browser.DBGrid1->shownRows();
        jobs.clear();
        for (const QVariantList &r : rows.rows)
            jobs << r[rows.columnIndex("id")].toLongLong();
        std::sort(jobs.begin(), jobs.end());
        jobsCaption = browser.selectionCheck->text();
        EXPECT_EQ(browser.cnt->text().toLongLong(), rows.size());
        return int(QDialog::Rejected);
    };
    auto jobIds = [&](const QString &where, const QVariantList &values) {
        QList<qint64> out;
        for (const QVariantList &r : db().select("SELECT id FROM sabti WHERE " + where + " ORDER BY id", values).rows)
            out << r[0].toLongLong();
        return out;
    };
    const Chart &stages = w.charts()[3];
    ASSERT_FALSE(stages.empty());
    QList<qint64> everyStage;
    for (int s = 0; s < stages.seriesKeys.size(); ++s) {
        if (stages.value(s, 0).isZero())
            continue;
        user().dialogs.push_back(captureJobs);
        click(3, s, 0);
        EXPECT_EQ(Decimal(qint64(jobs.size())), stages.value(s, 0)) << s;
        // A null text would be bound as NULL.
        const QString stage = stages.seriesKeys[s].isNull() ? QStringLiteral("") : stages.seriesKeys[s];
        EXPECT_EQ(jobs, jobIds("city = ? AND COALESCE(status, '') = ?", {stages.categories[0], stage}));
        EXPECT_TRUE(jobsCaption.contains(stages.seriesNames[s]));
        everyStage << jobs;
    }
    // The sample's jobs without a status are among them.
    std::sort(everyStage.begin(), everyStage.end());
    EXPECT_EQ(everyStage, jobIds("city = ?", {stages.categories[0]}));
    int lateJobs = 0;
    while (lateJobs < overdue.categories.size() && overdue.value(1, lateJobs).isZero())
        ++lateJobs;
    ASSERT_LT(lateJobs, overdue.categories.size());
    user().dialogs.push_back(captureJobs);
    click(6, 1, lateJobs);
    EXPECT_EQ(Decimal(qint64(jobs.size())), overdue.value(1, lateJobs));
    EXPECT_EQ(jobs, jobIds("city = ? AND prot_dat2 < ? AND prot_dat2 NOT IN ('', ?) AND COALESCE(tahvil_dat, '') IN ('', ?)",
                           {overdue.categories[lateJobs], jalaliToday(), emptyDateMask, emptyDateMask}));

    // A studies bar opens the studies browser on exactly the studies it counted.
    const Chart &studies = w.charts()[2];
    ASSERT_FALSE(studies.empty());
    QList<qint64> studiesListed;
    QString studiesCaption;
    auto captureStudies = [&](QDialog &d) {
        auto &browser = dynamic_cast<borvinat_src &>(d);
        browser.DBGrid1->completeRows();
        const ResultSet rows = browser.DBGrid1->shownRows();
        studiesListed.clear();
        for (const QVariantList &r : rows.rows)
            studiesListed << r[rows.columnIndex("id")].toLongLong();
        std::sort(studiesListed.begin(), studiesListed.end());
        studiesCaption = browser.selectionCheck->text();
        EXPECT_EQ(browser.cnt->text().toLongLong(), rows.size());
        return int(QDialog::Rejected);
    };
    auto studyIds = [&](const QString &where, const QVariantList &values) {
        QList<qint64> out;
        for (const QVariantList &r : db().select("SELECT id FROM borvinat WHERE " + where + " ORDER BY id", values).rows)
            out << r[0].toLongLong();
        return out;
    };
    QList<qint64> everyStudyStage;
    for (int s = 0; s < studies.seriesKeys.size(); ++s) {
        if (studies.value(s, 0).isZero())
            continue;
        user().dialogs.push_back(captureStudies);
        click(2, s, 0);
        EXPECT_EQ(Decimal(qint64(studiesListed.size())), studies.value(s, 0)) << s;
        const QString stage = studies.seriesKeys[s].isNull() ? QStringLiteral("") : studies.seriesKeys[s];
        EXPECT_EQ(studiesListed, studyIds("city = ? AND COALESCE(status, '') = ?", {studies.categories[0], stage}));
        EXPECT_TRUE(studiesCaption.contains(studies.seriesNames[s]));
        everyStudyStage << studiesListed;
    }
    std::sort(everyStudyStage.begin(), everyStudyStage.end());
    EXPECT_EQ(everyStudyStage, studyIds("city = ?", {studies.categories[0]}));
    // A year of the amounts chart lists that year's studies.
    const Chart &amounts = w.charts()[5];
    ASSERT_FALSE(amounts.empty());
    user().dialogs.push_back(captureStudies);
    click(5, 0, 0);
    EXPECT_EQ(studiesListed, studyIds("city IN (?, ?) AND COALESCE(etebar_sal, '') = ?",
                               {all[1], all[3], amounts.categories[0].isNull() ? QString("") : amounts.categories[0]}));

    // The browser opened from the main menu forgets the bar.
    naghshe_src &browser = windows::get<naghshe_src>();
    browser.prepare();
    EXPECT_FALSE(browser.filters().selection.has_value());
    sabt_src &registration = windows::get<sabt_src>();
    registration.prepare();
    EXPECT_FALSE(registration.filters().selection.has_value());
    borvinat_src &studiesBrowser = windows::get<borvinat_src>();
    studiesBrowser.prepare();
    EXPECT_FALSE(studiesBrowser.filters().selection.has_value());
}

TEST_P(OverviewTest, ABarNeedsItsBrowsersViewRight)
{
    const QStringList all = counties();
    session() = countyUser({all[0]}, false);
    nama_koli &w = windows::get<nama_koli>();
    w.prepare();
    ASSERT_FALSE(w.charts()[0].empty());
    ASSERT_FALSE(w.charts()[2].empty());
    ASSERT_FALSE(w.charts()[3].empty());
    w.openBar(0, 0, 0);
    w.openBar(2, 0, 0);
    w.openBar(3, 0, 0);
    EXPECT_EQ(user().messageTexts(), (QStringList{noAccessMessage, noAccessMessage, noAccessMessage}));
    EXPECT_TRUE(user().shownDialogs.isEmpty());
}

TEST_P(OverviewTest, EveryUserOpensItFromTheMainMenuOnTheirOwnCounties)
{
    registerOverviewPages();
    const QStringList all = counties();
    session() = countyUser({all[2]}, false);
    windows::get<bv::main>().trigger("N28");
    EXPECT_TRUE(user().messageTexts().isEmpty());
    EXPECT_EQ(user().shownDialogs, QStringList{"nama_koli"});
    const nama_koli &w = windows::get<nama_koli>();
    ASSERT_EQ(w.counties->count(), 1);
    EXPECT_EQ(w.counties->item(0)->data(Qt::UserRole).toString(), all[2]);
    EXPECT_EQ(w.charts()[0].categories, QStringList{all[2]});
}

TEST_P(OverviewTest, PdfHasOneLandscapePagePerChartSetWithPersianLabels)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    session() = admin;
    nama_koli &w = windows::get<nama_koli>();
    w.prepare();
    QTemporaryDir dir;
    const QString path = dir.filePath("overview.pdf");
    user().files.push_back(path);
    w.savePdf();
    ASSERT_TRUE(QFile::exists(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString raw = QString::fromLatin1(file.readAll());
    static const QRegularExpression box(QStringLiteral(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"));
    int pages = 0;
    for (auto it = box.globalMatch(raw); it.hasNext(); ++pages) {
        const auto m = it.next();
        EXPECT_NEAR(m.captured(1).toDouble(), 841.9, 1.0);
        EXPECT_NEAR(m.captured(2).toDouble(), 595.3, 1.0);
    }
    EXPECT_EQ(pages, int(chartSets().size()));
    const QString text = pdfText(path);
    // Labels whose glyphs the text extraction maps back whole (it drops some
    // medial forms, such as the teh of "شهرستان").
    for (const char *label : {"نقشه برداري", "مطالعات", "ثبتي", "تعداد", "بدون وضعيت", "ريال"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(label))) << label << "\n" << text.toStdString();
    // County names of the charts, and a credit year in Persian digits.
    int counties = 0;
    for (const QString &county : w.charts()[0].categories)
        counties += text.contains(county) ? 1 : 0;
    EXPECT_GT(counties, 0) << text.toStdString();
    EXPECT_TRUE(text.contains(persianDigits(w.charts()[4].categories.front()))) << text.toStdString();
    EXPECT_FALSE(text.contains(w.charts()[4].categories.front())) << text.toStdString();
}

TEST_P(OverviewTest, SpreadsheetHoldsTheNumbersOfTheCharts)
{
    session() = admin;
    nama_koli &w = windows::get<nama_koli>();
    w.prepare();
    w.exportNumbers();
    ASSERT_EQ(user().opened.size(), 1);
    const std::optional<SheetTable> sheet = readSheet(user().opened.front());
    QFile::remove(user().opened.front());
    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(sheet->columns, (QStringList{"نمودار", "شهرستان يا سال", "سري", "مقدار", "واحد"}));
    size_t i = 0;
    for (const Chart &c : w.charts())
        for (int s = 0; s < c.seriesNames.size(); ++s)
            for (int k = 0; k < c.categories.size(); ++k, ++i) {
                ASSERT_LT(i, sheet->rows.size());
                const QStringList &row = sheet->rows[i];
                EXPECT_EQ(row[0], c.title);
                EXPECT_EQ(row[1], shownCategory(c.categories[k]));
                EXPECT_EQ(row[2], c.seriesNames[s]);
                const NumberReading number = readNumber(row[3], Grouping::Allowed);
                EXPECT_TRUE(number.ok()) << row[3].toStdString();
                EXPECT_EQ(number.value, c.value(s, k)) << row[3].toStdString();
                EXPECT_EQ(row[4], c.unit);
            }
    EXPECT_EQ(i, sheet->rows.size());
}

INSTANTIATE_TEST_SUITE_P(Engines, OverviewTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         [](const auto &info) { return bv::test::engineName(info.param); });
