#pragma once
// The studies browser's search: its filters turned into one set of conditions
// shared by the count, the total and the list, always within the user's
// counties. The last search is what the letters, agreement pages and credits
// of the browser read afterwards. No widgets.
#include "conditions.h"
#include "db.h"
#include "listexports.h"
#include "listtext.h"
#include "money.h"
#include "session.h"

#include <optional>

namespace bv::studies {

// An exact selection another window hands to the browser, such as a bar of the
// overview: every part that is set compares stored values as stored (a NULL as
// the empty text), so the browser lists exactly what that window counted.
struct StudySelection {
    QString caption;  // how the browser names it
    std::optional<QStringList> city, etebar_sal, status;
};

// Each filter that is set narrows the list: a text filter by contained text
// (an empty text still drops rows without a value), a list filter by any of
// its entries contained, and nothing while its list is empty.
struct BorvinatFilters {
    std::optional<QString> ostan;
    std::optional<QStringList> city, rosta;
    std::optional<QString> etebar_sal, moshaver_prot_no, tarh_moshaver_name, tarh_typ, amel4;
    std::optional<StudySelection> selection;
};

Conditions borvinatConditions(const Dialect &dialect, const BorvinatFilters &filters, const Session &user);

struct BorvinatTotals {
    qint64 count = 0;
    Money contractSum;  // sum of prot_mablagh
};

QString borvinatTotalsSql(const Conditions &conditions);
// Every study column and its attachment count `pic_count` (null without
// attachments), by county and village.
QString borvinatListSql(const Dialect &dialect, const Conditions &conditions);

BorvinatTotals borvinatTotals(const Db &db, const Conditions &conditions);
ResultSet borvinatList(const Db &db, const Conditions &conditions);
// The list's first `limit` rows, for the first screen.
ResultSet borvinatListPage(const Db &db, const Conditions &conditions, int limit);

// The last search of the browser.
struct BorvinatSearchState {
    BorvinatFilters filters;
    BorvinatTotals totals;
};

enum class RowShade { Normal, Yellow, Aqua };
// 1 to 4 attachments yellow, more aqua.
RowShade rowShade(int attachments);

// How many rows of other tables refer to a study; they stay when it is deleted.
struct StudySideRows {
    int attachments = 0, evaluations = 0, meetings = 0, programmes = 0, indicators = 0;
};
StudySideRows sideRows(const Db &db, qint64 id);
// The warning shown before a delete.
QString sideRowsWarning(const StudySideRows &rows);

// Deletes the study row alone and logs it, in one transaction.
// False, with nothing written, when the row was already gone.
bool deleteStudy(const Db &db, qint64 id, const QString &user);

// Gives every study of `ids` the contractor, in one transaction; names stay.
// Returns how many of the listed studies, those still stored, it changed.
int assignContractor(const Db &db, const QList<qint64> &ids, qint64 contractorId);

// The grid's titles, the export titles, and the exports' sources.
const Headings &gridHeadings();
const Headings &exportHeadings();
inline const QString htmlTitle = QStringLiteral("ليست مطالعات");
ChecklistSource checklistSource();

}  // namespace bv::studies
