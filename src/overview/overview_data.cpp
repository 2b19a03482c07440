#include "overview_data.h"

#include "dates.h"

#include <QCollator>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <map>

namespace bv::overview {

namespace {
struct Table {
    QString name, year;
};

Table tableOf(Source source)
{
    switch (source) {
    case Source::Survey: return {QStringLiteral("naghshe"), QStringLiteral("tamin_sal")};
    case Source::Studies: return {QStringLiteral("borvinat"), QStringLiteral("etebar_sal")};
    case Source::Registration: return {QStringLiteral("sabti"), QStringLiteral("tamin_sal")};
    }
    return {};
}

// The user's counties, then the chosen years and counties.
Conditions base(const Dialect &dialect, const Choice &choice, const Session &user, Source source)
{
    Conditions c(dialect);
    addCountyScope(c, user);
    if (choice.years)
        c.anyOf(tableOf(source).year, *choice.years);
    if (choice.counties)
        c.anyOf(QStringLiteral("city"), *choice.counties);
    return c;
}

// A stored NULL and an empty text are one group: each reader adds them up.
using Key = std::pair<QString, QString>;

void sortPersian(QStringList &texts)
{
    const QCollator collator{QLocale(QLocale::Persian, QLocale::Iran)};
    std::sort(texts.begin(), texts.end(), [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
}

// One value per (category, series key), gathered before the chart is laid out.
struct Cells {
    std::map<Key, Decimal> sums;
    QStringList categories, keys;

    void add(const QString &category, const QString &key, const Decimal &value)
    {
        if (!categories.contains(category))
            categories << category;
        if (!keys.contains(key))
            keys << key;
        sums[{category, key}] = sums[{category, key}] + value;
    }
};

// Counties in Persian order; years in ascending order; the empty value last.
void orderCategories(QStringList &categories, bool years)
{
    if (years)
        std::sort(categories.begin(), categories.end());
    else
        sortPersian(categories);
    if (categories.removeAll(QString()) > 0)
        categories << QString();
}

const QString countiesTitle = QStringLiteral("شهرستان");
const QString yearsTitle = QStringLiteral("سال تامين اعتبار");
const QString countUnit = QStringLiteral("تعداد");
const QString noStatus = QStringLiteral("بدون وضعيت");

// Lays the cells out; `keys`/`names` fix the series, otherwise each stored key
// is a series named by itself, in Persian order.
Chart layOut(ChartId id, const QString &title, const QString &unit, bool byYear, Cells cells,
             QStringList keys = {}, QStringList names = {})
{
    Chart chart;
    chart.id = id;
    chart.title = title;
    chart.unit = unit;
    chart.categoryTitle = byYear ? yearsTitle : countiesTitle;
    chart.categories = cells.categories;
    orderCategories(chart.categories, byYear);
    if (keys.isEmpty()) {
        keys = cells.keys;
        orderCategories(keys, false);
        for (const QString &key : keys)
            names << (key.isEmpty() ? noStatus : key);
    }
    chart.seriesKeys = keys;
    chart.seriesNames = names;
    for (const QString &key : keys) {
        std::vector<Decimal> row;
        for (const QString &category : chart.categories) {
            const auto it = cells.sums.find({category, key});
            row.push_back(it == cells.sums.end() ? Decimal() : it->second);
        }
        chart.values.push_back(std::move(row));
    }
    return chart;
}

// Counts per county and stored status.
Aggregate byCountyAndStatus(const Dialect &dialect, const Choice &choice, const Session &user, Source source)
{
    const Conditions c = base(dialect, choice, user, source);
    const QString groups = QStringLiteral("city, status");
    return {QStringLiteral("SELECT ") + groups + QStringLiteral(", COUNT(*) FROM ") + tableOf(source).name + c.where()
                + QStringLiteral(" GROUP BY ") + groups,
            c.values()};
}

Chart countyAndStatusChart(ChartId id, const QString &title, const ResultSet &r)
{
    Cells cells;
    for (const QVariantList &row : r.rows)
        cells.add(row[0].toString(), row[1].toString(), Decimal::fromVariant(row[2]));
    return layOut(id, title, countUnit, false, std::move(cells));
}

const QString finalisedKey = QStringLiteral("1"), notFinalisedKey = QStringLiteral("0");
const QString surveyKey = QStringLiteral("naghshe"), registrationKey = QStringLiteral("sabti");
const QString contractKey = QStringLiteral("prot_mablagh"), paidKey = QStringLiteral("paid");
}  // namespace

QString shownCategory(const QString &stored)
{
    return stored.isEmpty() ? QStringLiteral("نامشخص") : stored;
}

Decimal stagePercent(const QString &stage)
{
    static const QRegularExpression percent(QStringLiteral("([0-9\\x{06F0}-\\x{06F9}\\x{0660}-\\x{0669}]+(?:[.\\x{066B}][0-9\\x{06F0}-\\x{06F9}\\x{0660}-\\x{0669}]+)?)\\s*[%\\x{066A}]"));
    const QRegularExpressionMatch m = percent.match(stage);
    if (!m.hasMatch())
        return {};
    const NumberReading n = readNumber(m.captured(1), Grouping::Refused);
    return n.ok() ? n.value : Decimal();
}

const std::vector<ChartId> &chartIds()
{
    static const std::vector<ChartId> ids = {ChartId::SurveyPayment,     ChartId::SurveyFinalised, ChartId::StudiesStage,
                                             ChartId::RegistrationStage, ChartId::SurveyAmounts,   ChartId::StudiesAmounts,
                                             ChartId::Overdue};
    return ids;
}

Aggregate aggregate(ChartId id, const Dialect &dialect, const Choice &choice, const Session &user)
{
    switch (id) {
    case ChartId::SurveyPayment: return byCountyAndStatus(dialect, choice, user, Source::Survey);
    case ChartId::StudiesStage: return byCountyAndStatus(dialect, choice, user, Source::Studies);
    case ChartId::RegistrationStage: return byCountyAndStatus(dialect, choice, user, Source::Registration);
    case ChartId::SurveyFinalised: {
        const Conditions c = base(dialect, choice, user, Source::Survey);
        // The database counts the projects per county and credit year, and
        // those with 10 or 12 attachments or more; finalised() decides, as in
        // the survey browser. Threshold 0 counts every project.
        return {QStringLiteral("SELECT city, tamin_sal, 0, COUNT(*) FROM naghshe") + c.where()
                    + QStringLiteral(" GROUP BY city, tamin_sal UNION ALL SELECT city, tamin_sal, "
                                     "CASE WHEN p.pics >= 12 THEN 12 ELSE 10 END, COUNT(*) FROM naghshe JOIN "
                                     "(SELECT naghshe_id, COUNT(*) AS pics FROM naghshe_pic GROUP BY naghshe_id "
                                     "HAVING COUNT(*) >= 10) p ON p.naghshe_id = naghshe.id")
                    + c.where()
                    + QStringLiteral(" GROUP BY city, tamin_sal, CASE WHEN p.pics >= 12 THEN 12 ELSE 10 END"),
                c.values() + c.values()};
    }
    case ChartId::SurveyAmounts: {
        const Conditions c = base(dialect, choice, user, Source::Survey);
        // Grouped by county too, in the order of the county index: no sort of
        // the whole table; the reader adds the counties up.
        return {QStringLiteral("SELECT city, tamin_sal, SUM(prot_mablagh), SUM(pardakhti) FROM naghshe") + c.where()
                    + QStringLiteral(" GROUP BY city, tamin_sal"),
                c.values()};
    }
    case ChartId::StudiesAmounts: {
        const Conditions c = base(dialect, choice, user, Source::Studies);
        return {QStringLiteral("SELECT city, etebar_sal, status, SUM(prot_mablagh) FROM borvinat") + c.where()
                    + QStringLiteral(" GROUP BY city, etebar_sal, status"),
                c.values()};
    }
    case ChartId::Overdue: {
        Conditions survey = base(dialect, choice, user, Source::Survey);
        survey.overdue(QStringLiteral("prot_dat2"), QStringLiteral("tahvil_dat1"), choice.today);
        Conditions registration = base(dialect, choice, user, Source::Registration);
        registration.overdue(QStringLiteral("prot_dat2"), QStringLiteral("tahvil_dat"), choice.today);
        return {QStringLiteral("SELECT 0, city, COUNT(*) FROM naghshe") + survey.where()
                    + QStringLiteral(" GROUP BY city UNION ALL SELECT 1, city, COUNT(*) FROM sabti")
                    + registration.where() + QStringLiteral(" GROUP BY city"),
                survey.values() + registration.values()};
    }
    }
    return {};
}

Chart chartOf(ChartId id, const ResultSet &r)
{
    switch (id) {
    case ChartId::SurveyPayment:
        return countyAndStatusChart(id, QStringLiteral("طرح هاي نقشه برداري بر حسب وضعيت پرداخت"), r);
    case ChartId::StudiesStage: return countyAndStatusChart(id, QStringLiteral("مطالعات بر حسب آخرين وضعيت"), r);
    case ChartId::RegistrationStage: return countyAndStatusChart(id, QStringLiteral("ثبتي ها بر حسب نوع وضعيت"), r);
    case ChartId::SurveyFinalised: {
        // Per county and year: every project, and those the rule finalises.
        std::map<Key, Decimal> all, done;
        QStringList years;
        for (const QVariantList &row : r.rows) {
            const QString year = row[1].toString();
            const Key key{row[0].toString(), year};
            if (!years.contains(year))
                years << year;
            const int threshold = row[2].toInt();
            if (threshold == 0)
                all[key] = all[key] + Decimal::fromVariant(row[3]);
            else if (survey::finalised(year, threshold))
                done[key] = done[key] + Decimal::fromVariant(row[3]);
        }
        Cells cells;
        for (const auto &[key, count] : all) {
            const Decimal finalised = done.count(key) ? done.at(key) : Decimal();
            cells.add(key.first, finalisedKey, finalised);
            cells.add(key.first, notFinalisedKey, count - finalised);
        }
        Chart chart = layOut(id, QStringLiteral("طرح هاي نقشه برداري نهايي شده و نشده"), countUnit, false,
                             std::move(cells), {finalisedKey, notFinalisedKey},
                             {QStringLiteral("نهايي شده"), QStringLiteral("نهايي نشده")});
        chart.yearTexts = years;
        return chart;
    }
    case ChartId::SurveyAmounts: {
        Cells cells;
        for (const QVariantList &row : r.rows) {
            cells.add(row[1].toString(), contractKey, Decimal(Money::fromVariant(row[2])));
            cells.add(row[1].toString(), paidKey, Decimal(Money::fromVariant(row[3])));
        }
        return layOut(id, QStringLiteral("مبلغ قرارداد و پرداختي نقشه برداري (ريال)"), QStringLiteral("ريال"), true,
                      std::move(cells), {contractKey, paidKey},
                      {QStringLiteral("مبلغ قرارداد"), QStringLiteral("مبلغ پرداختي")});
    }
    case ChartId::StudiesAmounts: {
        Cells cells;
        const Decimal hundredth = Decimal::fromScaled(1, 2);
        for (const QVariantList &row : r.rows) {
            const Decimal contracted(Money::fromVariant(row[3]));
            cells.add(row[1].toString(), contractKey, contracted);
            // Paid: the share of the fee the last payment stage names, exact,
            // so that the sum does not depend on how the rows were grouped.
            cells.add(row[1].toString(), paidKey, contracted * stagePercent(row[2].toString()) * hundredth);
        }
        return layOut(id, QStringLiteral("مبلغ قرارداد و پرداختي مطالعات (ميليون ريال)"), QStringLiteral("ميليون ريال"),
                      true, std::move(cells), {contractKey, paidKey},
                      {QStringLiteral("مبلغ قرارداد"), QStringLiteral("پرداختي بر پايه آخرين وضعيت")});
    }
    case ChartId::Overdue: {
        Cells cells;
        for (const QVariantList &row : r.rows)
            cells.add(row[1].toString(), row[0].toInt() == 0 ? surveyKey : registrationKey,
                      Decimal::fromVariant(row[2]));
        return layOut(id, QStringLiteral("قراردادهاي گذشته از تاريخ خاتمه بدون تحويل"), countUnit, false,
                      std::move(cells), {surveyKey, registrationKey},
                      {QStringLiteral("نقشه برداري"), QStringLiteral("ثبتي")});
    }
    }
    return {};
}

Chart readChart(const Db &db, ChartId id, const Choice &choice, const Session &user)
{
    const Aggregate a = aggregate(id, db.dialect(), choice, user);
    return chartOf(id, db.select(a.sql, a.values));
}

std::vector<Chart> allCharts(const Db &db, const Choice &choice, const Session &user)
{
    std::vector<Chart> charts;
    for (ChartId id : chartIds())
        charts.push_back(readChart(db, id, choice, user));
    return charts;
}

namespace {
QStringList distinctOverSources(const Db &db, const Session &user, bool years)
{
    QStringList parts;
    QVariantList values;
    for (Source source : {Source::Survey, Source::Studies, Source::Registration}) {
        Conditions c(db.dialect());
        addCountyScope(c, user);
        const QString column = years ? tableOf(source).year : QStringLiteral("city");
        parts << QStringLiteral("SELECT DISTINCT ") + column + QStringLiteral(" FROM ") + tableOf(source).name
                + c.where();
        values << c.values();
    }
    const ResultSet r = db.select(parts.join(QStringLiteral(" UNION ")), values);
    QStringList out;
    for (const QVariantList &row : r.rows)
        if (!out.contains(row[0].toString()))
            out << row[0].toString();
    orderCategories(out, years);
    return out;
}
}  // namespace

QStringList choosableCounties(const Db &db, const Session &user)
{
    return distinctOverSources(db, user, false);
}

QStringList choosableYears(const Db &db, const Session &user)
{
    return distinctOverSources(db, user, true);
}

Source barSource(const Chart &chart, int series)
{
    switch (chart.id) {
    case ChartId::SurveyPayment:
    case ChartId::SurveyFinalised:
    case ChartId::SurveyAmounts: return Source::Survey;
    case ChartId::StudiesStage:
    case ChartId::StudiesAmounts: return Source::Studies;
    case ChartId::RegistrationStage: return Source::Registration;
    case ChartId::Overdue: return chart.seriesKeys.value(series) == surveyKey ? Source::Survey : Source::Registration;
    }
    return Source::Survey;
}

namespace {
// How a browser names a bar: its category, its series and the chosen years.
QString barCaption(const Chart &chart, int series, int category, const Choice &choice)
{
    const bool byYear = chart.categoryTitle == yearsTitle;
    QStringList caption = {chart.categoryTitle + QLatin1Char(' ') + shownCategory(chart.categories.value(category))};
    if (chart.id != ChartId::SurveyAmounts && chart.id != ChartId::StudiesAmounts)
        caption << chart.seriesNames.value(series);
    if (!byYear && choice.years)
        caption << yearsTitle + QLatin1Char(' ') + choice.years->join(QStringLiteral("، "));
    return QStringLiteral("نماي کلي: ") + caption.join(QStringLiteral("، "));
}
}  // namespace

survey::NaghsheSelection surveySelection(const Chart &chart, int series, int category, const Choice &choice)
{
    survey::NaghsheSelection s;
    s.city = choice.counties;
    s.tamin_sal = choice.years;
    const QString at = chart.categories.value(category);
    if (chart.id == ChartId::SurveyAmounts)
        s.tamin_sal = QStringList{at};
    else
        s.city = QStringList{at};
    switch (chart.id) {
    case ChartId::SurveyPayment: s.status = QStringList{chart.seriesKeys.value(series)}; break;
    case ChartId::SurveyFinalised:
        s.finalised = chart.seriesKeys.value(series) == finalisedKey;
        s.yearTexts = chart.yearTexts;
        break;
    case ChartId::Overdue: s.overdueOn = choice.today; break;
    default: break;
    }
    s.caption = barCaption(chart, series, category, choice);
    return s;
}

sabt::JobSelection registrationSelection(const Chart &chart, int series, int category, const Choice &choice)
{
    sabt::JobSelection s;
    s.tamin_sal = choice.years;
    s.city = QStringList{chart.categories.value(category)};
    if (chart.id == ChartId::Overdue)
        s.overdueOn = choice.today;
    else
        s.status = QStringList{chart.seriesKeys.value(series)};
    s.caption = barCaption(chart, series, category, choice);
    return s;
}

studies::StudySelection studiesSelection(const Chart &chart, int series, int category, const Choice &choice)
{
    studies::StudySelection s;
    s.city = choice.counties;
    s.etebar_sal = choice.years;
    const QString at = chart.categories.value(category);
    if (chart.id == ChartId::StudiesAmounts) {
        s.etebar_sal = QStringList{at};
    } else {
        s.city = QStringList{at};
        s.status = QStringList{chart.seriesKeys.value(series)};
    }
    s.caption = barCaption(chart, series, category, choice);
    return s;
}

ResultSet numbersSheet(const std::vector<Chart> &charts)
{
    ResultSet sheet;
    sheet.columns = {QStringLiteral("chart"), QStringLiteral("category"), QStringLiteral("series"),
                     QStringLiteral("value"), QStringLiteral("unit")};
    for (const Chart &chart : charts)
        for (int s = 0; s < chart.seriesNames.size(); ++s)
            for (int k = 0; k < chart.categories.size(); ++k)
                sheet.rows.push_back({chart.title, shownCategory(chart.categories[k]), chart.seriesNames[s],
                                      chart.value(s, k).toSql(), chart.unit});
    return sheet;
}

const Headings &numbersHeadings()
{
    static const Headings headings = {
        {"chart", QStringLiteral("نمودار")}, {"category", QStringLiteral("شهرستان يا سال")},
        {"series", QStringLiteral("سري")},   {"value", QStringLiteral("مقدار")},
        {"unit", QStringLiteral("واحد")},
    };
    return headings;
}

}  // namespace bv::overview
