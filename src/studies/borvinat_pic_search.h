#pragma once
// The search over the attachments of every study, in every county, and the
// saving of the files it finds under names made of their study's place.
// No widgets.
#include "attachment_saving.h"
#include "conditions.h"
#include "db.h"

#include <optional>

namespace bv::studies {

// Each filter that is set narrows the list by contained text; the contract
// number and credit year are the study's `moshaver_prot_no` and `etebar_sal`.
struct PicFilters {
    std::optional<QString> cmt, city, rosta, tarh_moshaver_name, prot_no, tamin_sal;
};

Conditions picConditions(const Dialect &dialect, const PicFilters &filters);
QString picCountSql(const Conditions &conditions);
// The attachments with their study's columns, without the files: `id`,
// `borvinat_id`, `cmt`, `pictyp`, the study's place, then its other columns.
QString picListSql(const Conditions &conditions);
int countPics(const Db &db, const Conditions &conditions);
// Its first `limit` rows only when a limit is given.
ResultSet searchPics(const Db &db, const Conditions &conditions, int limit = 0);

// Row `number` saved under the chosen `prefix`: prefix + number +
// "city_rosta_cmt__" + extension, in the prefix's folder.
QString picSavedPath(const QString &prefix, int number, const QString &city, const QString &rosta, const QString &cmt,
                     const QString &extension);
SaveAllReport saveAllPics(const Db &db, const ResultSet &rows, const QString &prefix);

}  // namespace bv::studies
