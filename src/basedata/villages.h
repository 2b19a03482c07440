#pragma once
// The village registry (table `abadiha`) as plain code: searching, the
// province → county → district → rural district → village lists, look-ups,
// register, edit, delete, the county rename, the spreadsheet import and the
// upkeep of `abadiha_xy`. Survey and registration entry windows use the
// look-ups and lists to take their village from the registry.
#include "db.h"
#include "listtext.h"
#include "spreadsheetreader.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace bv {

// The thirteen columns every whole-row statement writes, in its order; the
// browser shows them in this order and an import sheet has exactly these.
const QStringList &villageColumns();

// A village as the windows show it: every value as text ("" when not set).
struct Village {
    qint64 id = 0;
    QString ostan, city, bakhsh, dehestan, rosta, khanevar, zarib, x, y, cod, jamiyat, zaribMantaghe, zaribDori;

    // The thirteen values in villageColumns() order, and back.
    QStringList values() const;
    static Village fromValues(const QStringList &values, qint64 id = 0);
    // The village of row `row` of a result holding the registry's columns.
    static Village fromRow(const ResultSet &rows, int row);
};

// The county must be one of the province's counties in the village registry.
bool provinceKnown(const Db &db, const QString &ostan, const QString &city);
inline const QString provinceMessage = QStringLiteral(
    "خطا! نام استان و شهرستان را مي بايست از ليست انتخاب نماييد و مجاز به تايپ نيستيد. درصورتيکه نام استان/شهرستان "
    "مورد نظر شما در ليست نيست، جهت افزودن مکاتبه نماييد");

// Where in the hierarchy: each level that is set must match exactly.
struct VillagePlace {
    std::optional<QString> ostan = {}, city = {}, bakhsh = {}, dehestan = {}, rosta = {}, cod = {};
};

enum class VillageLevel { Province, County, District, RuralDistrict, Village, Code };

// The distinct names (or codes) of `level` among the villages at `within`, in
// Persian alphabetical order, without empty ones.
QStringList villageChoices(const Db &db, VillageLevel level, const VillagePlace &within = {});

// The first registered village at `place`; nullopt when none is there.
std::optional<Village> firstVillage(const Db &db, const VillagePlace &place);
inline std::optional<Village> villageByCode(const Db &db, const QString &cod)
{
    return firstVillage(db, {.cod = cod});
}

// The browser's filters: each one that is set keeps the villages whose column
// contains its text.
struct VillageFilters {
    std::optional<QString> ostan = {}, cod = {}, city = {}, rosta = {};
};

int countVillages(const Db &db, const VillageFilters &filters);
// id and the thirteen columns, by county, district, rural district, village.
ResultSet searchVillages(const Db &db, const VillageFilters &filters);

// Why a value cannot be stored in `column` (one of villageColumns()); empty
// when it can.
QString villageFieldError(const QString &column, const QString &text);
// Why the values cannot be stored (a number that is not one, a text longer
// than its column); empty when they can. `row` > 0 names a spreadsheet row.
QString villageValueError(const QStringList &values, int row = 0);

// The refusals of register and edit.
inline const QString duplicateVillageMessage = QStringLiteral("خطا! شهرستان و روستا و استان و کدآبادي تکراري است");
inline const QString duplicateCodeOnRegister = QStringLiteral("خطا! کد آبادي تکراريست");
inline const QString duplicateCodeOnEdit = QStringLiteral("خطا! کد آبادي تکراري است");
inline const QString villageGoneMessage = QStringLiteral("اين آبادي ديگر در فهرست آبادي ها نيست");

// Registers a village and its log row for `user`; returns the refusal shown
// instead, empty when registered. Throws DbError.
QString registerVillage(const Db &db, const Village &village, const QString &user);
// Rewrites the village `id` with `village`; a code other than the row's own
// must not exist. Returns the refusal, empty when saved.
QString editVillage(const Db &db, qint64 id, const Village &village, const QString &user);
// Deletes the village `id` with its log row.
// False, with nothing written, when the row was already gone.
bool removeVillage(const Db &db, qint64 id, const QString &user);

// Gives the villages `ids` the county `name` in one transaction; returns how
// many were changed.
int renameCounty(const Db &db, const QList<qint64> &ids, const QString &name);

// The import's messages.
inline const QString sheetReadError =
    QStringLiteral("خطا در خواندن فايل اکسل! لطفا فايل را ببنديد و يا از نام شيت آن مطمئن شويد Sheet1 ");
inline const QString columnCountError = QStringLiteral("خطا! تعداد ستون ها برابر نيست");

// Replaces the whole registry by the sheet's rows, in one transaction with one
// prepared statement: a sheet that is not 13 columns wide, or a row that
// cannot be stored, leaves the registry as it was. Rows whose cells are all
// empty are skipped. `progress` hears the number of rows done. Returns the
// error shown, empty when replaced.
QString replaceVillages(const Db &db, const SheetTable &sheet, const std::function<void(int)> &progress = {});

// Headings of the registry's spreadsheet export (also used for `abadiha_xy`).
const Headings &villageExportHeadings();
// The export: the listed villages' thirteen columns, so the file can be
// imported back as it is.
ResultSet villageExportRows(const ResultSet &listed);

// Refreshes every row of `abadiha_xy` from the first village with its code;
// rows whose code no village has are left alone. Returns the rows refreshed.
int refreshVillageCoordinates(const Db &db);
// The rows of `abadiha_xy` for their export.
ResultSet villageCoordinateRows(const Db &db);

}  // namespace bv
