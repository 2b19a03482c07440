#pragma once
// The consultants browser's search, its headings and the progress report,
// as plain code. No widgets.
#include "conditions.h"
#include "db.h"
#include "document.h"
#include "listtext.h"
#include "session.h"

#include <optional>

namespace bv::consultants {

// Each filter that is set keeps the jobs whose column contains its text.
struct JobFilters {
    std::optional<QString> city, rosta, moshaver, amel4_name;
};

// A user of level "city" sees only the jobs they created; no county scope.
Conditions jobConditions(const Dialect &dialect, const JobFilters &filters, const Session &user);

// The list: `id`, the grid's columns in its order, then the others.
QString jobListSql(const Conditions &conditions);
ResultSet searchJobs(const Db &db, const Conditions &conditions);
// The list's first `limit` rows, for the first screen.
ResultSet searchJobsPage(const Db &db, const Conditions &conditions, int limit);
int countJobs(const Db &db, const Conditions &conditions);

// The grid's columns in their order, with their titles.
const QStringList &gridColumns();
const Headings &gridHeadings();
// The spreadsheet's headings: the grid's, "کد آبادي" for `cod`, "شناسه" for `id`.
const Headings &exportHeadings();

// The progress report of the listed jobs, dated `today`.
report::Document progressReport(const ResultSet &rows, const QString &today);

}  // namespace bv::consultants
