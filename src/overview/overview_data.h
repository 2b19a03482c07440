#pragma once
// The overview's numbers: one aggregate statement per chart, within the
// user's county scope and the chosen credit years and counties, and the exact
// selection behind each bar. No widgets.
#include "conditions.h"
#include "db.h"
#include "money.h"
#include "borvinat_search.h"
#include "naghshe_search.h"
#include "sabt_search.h"
#include "session.h"

#include <optional>
#include <vector>

namespace bv::overview {

// What the overview counts. Stored values, compared as stored.
struct Choice {
    std::optional<QStringList> years;     // credit years; nullopt: every year
    std::optional<QStringList> counties;  // counties; nullopt: every county the user sees
    QString today;                        // Jalali date text, for overdue contracts
};

enum class ChartId { SurveyPayment, SurveyFinalised, StudiesStage, RegistrationStage, SurveyAmounts, StudiesAmounts, Overdue };

// Which table a chart counts, by its columns.
enum class Source { Survey, Studies, Registration };

struct Chart {
    ChartId id{};
    QString title;
    QString unit;             // what the values are: a count, rials or million rials
    QString categoryTitle;    // counties or credit years
    QStringList categories;   // stored values, in the order shown
    QStringList seriesNames;  // shown
    QStringList seriesKeys;   // stored values (statuses), or the chart's own keys
    std::vector<std::vector<Decimal>> values;  // [series][category]
    QStringList yearTexts;    // the credit-year texts met, for the finalised rule

    Decimal value(int series, int category) const { return values[size_t(series)][size_t(category)]; }
    bool empty() const { return categories.isEmpty(); }
};

// Texts shown for a stored empty value.
QString shownCategory(const QString &stored);

// One aggregate statement with its bound values.
struct Aggregate {
    QString sql;
    QVariantList values;
};

// The charts in the order of the window's pages.
const std::vector<ChartId> &chartIds();
// A chart's one statement, and the chart read from its rows.
Aggregate aggregate(ChartId id, const Dialect &dialect, const Choice &choice, const Session &user);
Chart chartOf(ChartId id, const ResultSet &rows);
Chart readChart(const Db &db, ChartId id, const Choice &choice, const Session &user);
std::vector<Chart> allCharts(const Db &db, const Choice &choice, const Session &user);

// The share of a study's contract fee its last payment stage has paid: the
// percentage the stage names ("مرحله اول - 40%"); 0 when it names none.
Decimal stagePercent(const QString &stage);

// The counties and credit years the user may choose from: the stored values of
// the survey, studies and registration rows within the user's scope.
QStringList choosableCounties(const Db &db, const Session &user);
QStringList choosableYears(const Db &db, const Session &user);

// The table a bar of `chart` counts (the overdue chart: by its series).
Source barSource(const Chart &chart, int series);

// The browsers' selections for their bars.
survey::NaghsheSelection surveySelection(const Chart &chart, int series, int category, const Choice &choice);
studies::StudySelection studiesSelection(const Chart &chart, int series, int category, const Choice &choice);
sabt::JobSelection registrationSelection(const Chart &chart, int series, int category, const Choice &choice);

// Every bar as a row: chart, category, series, value and unit, in chart order.
ResultSet numbersSheet(const std::vector<Chart> &charts);
const Headings &numbersHeadings();

}  // namespace bv::overview
