#pragma once
// The search over the attachments of every survey project and the saving of
// the files it finds under names made of their project's place and score.
// No widgets.
#include "attachment_saving.h"
#include "conditions.h"
#include "db.h"
#include "session.h"

#include <optional>

namespace bv::survey {

// Each filter that is set narrows the list by contained text.
struct AttachmentFilters {
    std::optional<QString> cmt, city, rosta, peymankar, prot_no, tamin_sal;
};

// The filters in their order, within the user's counties.
Conditions attachmentConditions(const Dialect &dialect, const AttachmentFilters &filters, const Session &user);
int countAttachments(const Db &db, const Conditions &conditions);
// The statements of the count and the list.
QString attachmentCountSql(const Conditions &conditions);
QString attachmentListSql(const Conditions &conditions);
// The attachments with their project's columns, without the files: `id`,
// `naghshe_id`, `cmt`, `pictyp`, then the project's columns but its id and remarks.
// Its first `limit` rows only when a limit is given.
ResultSet searchAttachments(const Db &db, const Conditions &conditions, int limit = 0);

// The distinct counties or villages of the village registry in Persian
// alphabetical order, as the filters offer them.
enum class Place { County, Village };
QStringList placeChoices(const Db &db, Place place);

// The sum of the project's evaluation scores; empty when it has none.
QString projectScore(const Db &db, qint64 project);

// Proposed names: a click "cmt_S", the context item "city_rosta_cmt_S".
QString clickedFileName(const QString &cmt, const QString &score);
QString listedFileName(const QString &city, const QString &rosta, const QString &cmt, const QString &score);
// The path of row `number` when all are saved under the chosen path `prefix`
// (a folder and the start of a name): prefix + number + "city_rosta_cmt_S_" +
// extension, in the prefix's folder whatever the stored texts hold.
QString savedAllPath(const QString &prefix, int number, const QString &city, const QString &rosta,
                     const QString &cmt, const QString &score, const QString &extension);

// Saves the file of every row, read by its id, numbered from 1 in list order;
// a row that fails is counted and the others go on.
SaveAllReport saveAllAttachments(const Db &db, const ResultSet &rows, const QString &prefix);

}  // namespace bv::survey
