#pragma once
// The combined report's search: one set of village filters applied to the
// survey projects and to the studies, each list by county and village. Only
// city-level users are restricted, to the counties containing their name.
// No widgets.
#include "attachments.h"
#include "conditions.h"
#include "db.h"
#include "listtext.h"
#include "session.h"

#include <optional>

namespace bv::reporting {

struct RepFilters {
    std::optional<QString> city;
    std::optional<QStringList> rosta;
    std::optional<QString> tamin_sal, peymankar, bakhsh, prot_no, dehestan;
};

enum class RepList { Survey, Studies };

Conditions repConditions(const Dialect &dialect, RepList list, const RepFilters &filters, const Session &user);

struct RepResult {
    qint64 surveyCount = 0, studiesCount = 0;
    ResultSet survey, studies;  // the first screen of each list, or the whole
};
// Counts both lists and reads their first `limit` rows (every row when limit < 0).
RepResult repSearch(const Db &db, const RepFilters &filters, const Session &user, int limit);
// One whole list.
ResultSet repList(const Db &db, RepList list, const RepFilters &filters, const Session &user);

// The studies list's spreadsheet headings.
const Headings &repStudiesHeadings();

// Opening a project's first attachment of a description through a private
// viewing copy.
enum class ViewOutcome { Missing, Opened, Failed };
ViewOutcome viewFirstAttachment(const Db &db, const AttachmentTable &table, qint64 owner, const QString &description);

inline const QString missingMessage = QStringLiteral("موجود نيست");
inline const QString impossibleMessage = QStringLiteral("خطا! امکانپذير نيست");

}  // namespace bv::reporting
