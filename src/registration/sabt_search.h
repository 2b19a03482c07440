#pragma once
// The registration browser's search: its filters turned into one set of
// conditions shared by the count and the list, the drop-down choices, the
// deletion of a job and the export headings. No county scope: the office sees
// every job. No widgets.
#include "conditions.h"
#include "db.h"
#include "listtext.h"

#include <optional>

namespace bv::sabt {

// An exact selection another window hands to the browser, such as a bar of the
// overview: every part that is set compares stored values as stored (a NULL as
// the empty text), so the browser lists exactly what that window counted.
struct JobSelection {
    QString caption;  // how the browser names it
    std::optional<QStringList> city, tamin_sal, status;
    // Overdue on this date: the contract ended before it, with no handover.
    std::optional<QString> overdueOn;
};

// Each filter that is set narrows the list; a list filter matches any of its
// entries as contained text, and nothing while its list is empty.
struct JobFilters {
    std::optional<QStringList> city, rosta, peymankar, prot_no;
    std::optional<QString> tamin_sal;
    std::optional<JobSelection> selection;
};

Conditions jobConditions(const Dialect &dialect, const JobFilters &filters);
QString jobCountSql(const Conditions &conditions);
QString jobListSql(const Conditions &conditions);
int jobCount(const Db &db, const Conditions &conditions);
// The grid's columns in the order shown (`status` twice, the second as
// `status_s`), then the hidden key columns and the rest of the job.
ResultSet jobList(const Db &db, const Conditions &conditions);
// The list's first `limit` rows, for the first screen.
ResultSet jobListPage(const Db &db, const Conditions &conditions, int limit);

// The grid's headings, and its hidden and money columns.
const Headings &jobHeadings();
const QStringList &hiddenJobColumns();
const QSet<QString> &jobMoneyColumns();
// The spreadsheet's fifteen headings; other columns keep their names.
const Headings &jobExportHeadings();

// The drop-downs: counties and villages of the registry, and the non-empty
// companies then the non-empty family names of the registration contractors.
QStringList countyItems(const Db &db);
QStringList villageItems(const Db &db);
QStringList contractorItems(const Db &db);

// Letters of the job, which its deletion keeps.
int lettersOfJob(const Db &db, qint64 id);
// Deletes the job and its attachments and logs " حذف ثبتي " + code + " " +
// user, in one transaction. Throws DbError.
// False, with nothing written, when the row was already gone.
bool deleteJob(const Db &db, qint64 id, const QString &user);
QString lettersStayQuestion(int letters);

}  // namespace bv::sabt
