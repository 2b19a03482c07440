#pragma once
// The survey browser's search: every filter the browser offers, turned into one
// set of conditions shared by the count, the totals and the list, always within
// the user's counties. The last search (filters and totals) is what the letters
// of the browser read afterwards. No widgets.
#include "conditions.h"
#include "db.h"
#include "listexports.h"
#include "listtext.h"
#include "money.h"
#include "naghshe_project.h"
#include "session.h"

#include <optional>

namespace bv::survey {

// The contract-end filter: ">" ends between today and the target (both
// exclusive), "=" ends on the target, "<" ends after the target.
enum class EndCompare { Any, Before, On, After };

struct ContractEnd {
    QString target;  // Jalali date text
    EndCompare compare = EndCompare::Any;
    QString today;   // Jalali date text, for EndCompare::Before
};

// An exact selection another window hands to the browser, such as a bar of the
// overview: every part that is set compares stored values as stored (a NULL as
// the empty text), so the browser lists exactly what that window counted.
struct NaghsheSelection {
    QString caption;  // how the browser names it
    std::optional<QStringList> city, tamin_sal, status;
    // Finalised or not by finalised(); `yearTexts` are the credit-year texts
    // the rule is decided for (every stored one the selection can meet).
    std::optional<bool> finalised;
    QStringList yearTexts;
    // Overdue on this date: the contract ended before it, with no initial handover.
    std::optional<QString> overdueOn;
};

// The selection's conditions.
void addSelection(Conditions &conditions, const NaghsheSelection &selection);

// Each filter that is set narrows the list; a list filter matches any of its
// entries as contained text, and nothing while its list is empty.
struct NaghsheFilters {
    std::optional<QString> ostan;
    std::optional<QStringList> city, rosta, peymankar, prot_no, tamin_loc;
    std::optional<QString> tamin_sal;
    std::optional<ContractEnd> contractEnd;
    std::optional<std::pair<QString, QString>> contractDates;  // prot_dat1 from, to (inclusive)
    std::optional<QString> status, prot_typ;
    std::optional<NaghsheSelection> selection;
};

// The browser's conditions: the county scope of `user`, then every filter.
Conditions naghsheConditions(const Dialect &dialect, const NaghsheFilters &filters, const Session &user);
// The system export's conditions: the county scope of `user`, then the
// county, village, credit year, contractor, contract number, credit source and
// contract-end filters only.
Conditions systemExportConditions(const Dialect &dialect, const NaghsheFilters &filters, const Session &user);
// The statement cover sheet's conditions: the county, village, credit year,
// contractor, contract number and contract-end filters only.
Conditions coverSheetConditions(const Dialect &dialect, const NaghsheFilters &filters);

struct NaghsheTotals {
    qint64 count = 0;
    Money contractSum;  // sum of prot_mablagh
    Money feeSum;       // sum of pardakhti
    Decimal porArea, khaliArea;  // sums of the initial areas
};
// The statements of the totals and the list (ordered by county and village).
QString naghsheTotalsSql(const Conditions &conditions);
QString naghsheListSql(const Dialect &dialect, const Conditions &conditions);

NaghsheTotals naghsheTotals(const Db &db, const Conditions &conditions);

// The list: every project column and its attachment count `pic_count`, by county and village.
ResultSet naghsheList(const Db &db, const Conditions &conditions);

// The list's first rows only, for the first screen; `limit` rows at most.
QString naghsheListPageSql(const Dialect &dialect, const Conditions &conditions, int limit);
ResultSet naghsheListPage(const Db &db, const Conditions &conditions, int limit);

// Finalised: credit year 1395 with 10 or more attachments, or 1396 or later
// with 12 or more; a year that is not a whole number never counts.
bool finalised(const QString &creditYear, int attachments);
// The finalised projects among those the conditions select.
QString naghsheFinalisedSql(const Conditions &conditions);
int finalisedCount(const Db &db, const Conditions &conditions);

enum class RowShade { Normal, Yellow, Green };
// The row colour: the year is checked only for the 10-attachment rule.
RowShade rowShade(const QString &creditYear, int attachments);

// The target of the contract-end filter: `today` plus `days` counted as
// 365-day years and 30-day months; today itself when `days` is not a whole
// number of at least 0.
QString contractEndTarget(const QString &today, const QString &days);

// The last search of the browser, read by its letters.
struct NaghsheSearchState {
    NaghsheFilters filters;
    NaghsheTotals totals;
    int finalised = 0;
};

// Deletes a project with its attachments and evaluation rows and logs it, in one transaction.
// False, with nothing written, when the row was already gone.
bool deleteProject(const Db &db, qint64 id, const QString &user);

// Gives every project of `ids` still stored the contractor, in one
// transaction; returns how many it changed.
int assignContractor(const Db &db, const QList<qint64> &ids, qint64 contractorId, const QString &name);

// The transfer of a listed project to the studies: the project's row as typed
// texts, and the update of a matching study's area and surveyor.
QMap<QString, QString> projectTexts(const Row &project);
void refreshStudy(const Db &db, qint64 studyId, const Row &project);

// The distinct counties and villages of listed rows, in list order.
std::pair<QStringList, QStringList> listedPlaces(const ResultSet &rows);

// The export headings of the comprehensive spreadsheet, and of the HTML list.
const Headings &comprehensiveHeadings();
const Headings &htmlHeadings();

// The system spreadsheet's rows, within the counties `user` may see.
ResultSet systemExport(const Db &db, const NaghsheFilters &filters, const Session &user);
const Headings &systemHeadings();

// The HTML list's title, and where the attachment checklist finds its marks.
inline const QString htmlTitle = QStringLiteral("ليست نقشه ها");
ChecklistSource checklistSource();

}  // namespace bv::survey
