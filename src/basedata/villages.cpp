#include "villages.h"

#include "activitylog.h"
#include "conditions.h"
#include "money.h"
#include "schema_tables.h"
#include "text.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace bv {

namespace {

struct Field {
    QString column;
    QString label;
    schema::ColType type = schema::ColType::NVarChar;
    int width = 0;
};

// The written columns with their labels and their types from the schema, so a
// value is checked against the column it goes to.
const std::vector<Field> &fields()
{
    static const std::vector<Field> all = [] {
        const std::vector<std::pair<QString, QString>> labels = {
            {QStringLiteral("ostan"), QStringLiteral("استان")},
            {QStringLiteral("city"), QStringLiteral("شهرستان")},
            {QStringLiteral("bakhsh"), QStringLiteral("بخش")},
            {QStringLiteral("dehestan"), QStringLiteral("دهستان")},
            {QStringLiteral("rosta"), QStringLiteral("روستا")},
            {QStringLiteral("khanevar"), QStringLiteral("خانوار")},
            {QStringLiteral("zarib"), QStringLiteral("ضريب منطقه")},
            {QStringLiteral("x"), QStringLiteral("طول جغرافيايي (X)")},
            {QStringLiteral("y"), QStringLiteral("عرض جغرافيايي (Y)")},
            {QStringLiteral("cod"), QStringLiteral("کد آبادي")},
            {QStringLiteral("jamiyat"), QStringLiteral("جمعيت")},
            {QStringLiteral("zaribMantaghe"), QStringLiteral("ضريب استان")},
            {QStringLiteral("zaribDori"), QStringLiteral("ضريب دوري")},
        };
        const schema::Table *table = schema::findTable("abadiha");
        if (!table)
            throw std::logic_error("abadiha is not in the schema");
        std::vector<Field> out;
        for (const auto &[column, label] : labels) {
            Field f{column, label};
            for (const schema::Column &c : table->columns)
                if (column.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
                    f.type = c.type;
                    f.width = c.width;
                }
            out.push_back(f);
        }
        return out;
    }();
    return all;
}

const Field *fieldOf(const QString &column)
{
    for (const Field &f : fields())
        if (f.column.compare(column, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const QString selectColumns = QStringLiteral(
    "id, ostan, city, bakhsh, dehestan, rosta, khanevar, zarib, x, y, cod, jamiyat, zaribMantaghe, zaribDori");

// A number of the registry: no grouping commas ("1,5" is no number); an empty
// text is the 0 the server always stored.
NumberReading registryNumber(const QString &text)
{
    NumberReading r = readNumber(text, Grouping::Refused);
    if (r.fault == NumberReading::Fault::Empty)
        r.fault = NumberReading::Fault::None;
    return r;
}

QString levelColumn(VillageLevel level)
{
    switch (level) {
    case VillageLevel::Province: return QStringLiteral("ostan");
    case VillageLevel::County: return QStringLiteral("city");
    case VillageLevel::District: return QStringLiteral("bakhsh");
    case VillageLevel::RuralDistrict: return QStringLiteral("dehestan");
    case VillageLevel::Village: return QStringLiteral("rosta");
    case VillageLevel::Code: return QStringLiteral("cod");
    }
    return {};
}

void addPlace(Conditions &where, const VillagePlace &place)
{
    const std::pair<const std::optional<QString> *, VillageLevel> levels[] = {
        {&place.ostan, VillageLevel::Province},    {&place.city, VillageLevel::County},
        {&place.bakhsh, VillageLevel::District},   {&place.dehestan, VillageLevel::RuralDistrict},
        {&place.rosta, VillageLevel::Village},     {&place.cod, VillageLevel::Code}};
    for (const auto &[value, level] : levels)
        if (*value)
            where.compare(levelColumn(level), Conditions::Op::Equal, **value);
}

Conditions filterConditions(const Db &db, const VillageFilters &filters)
{
    Conditions where(db.dialect());
    const std::pair<const std::optional<QString> *, const char *> order[] = {
        {&filters.ostan, "ostan"}, {&filters.cod, "cod"}, {&filters.city, "city"}, {&filters.rosta, "rosta"}};
    for (const auto &[value, column] : order)
        if (*value)
            where.contains(QLatin1String(column), normalizeInput(**value));
    return where;
}

QString insertSql()
{
    QStringList marks;
    for (int i = 0; i < villageColumns().size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO abadiha (%1) VALUES (%2)")
        .arg(villageColumns().join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

// The value bound for a column; an empty number is stored as 0, as the
// server always stored it. Only call after villageFieldError() passed.
QVariant bound(const Field &field, const QString &text)
{
    switch (field.type) {
    case schema::ColType::Int:
    case schema::ColType::Float: return registryNumber(text).value.toSql();
    default: return text;
    }
}

QString fieldError(const Field &field, const QString &text)
{
    bool ok = true;
    switch (field.type) {
    case schema::ColType::Int: {
        const NumberReading r = registryNumber(text);
        const std::optional<std::int64_t> n = r.ok() ? r.value.wholeValue() : std::nullopt;
        ok = n && *n >= INT_MIN && *n <= INT_MAX;
        break;
    }
    case schema::ColType::Float: ok = registryNumber(text).ok(); break;
    default:
        if (field.width > 0 && text.size() > field.width)
            return QStringLiteral("«%1» حداکثر %2 حرف مي پذيرد: %3").arg(field.label).arg(field.width).arg(text);
        break;
    }
    return ok ? QString() : QStringLiteral("مقدار «%1» براي «%2» عدد نيست").arg(text, field.label);
}

// The thirteen normalised values as bound, or the first error.
QString boundValues(const QStringList &values, QVariantList &out)
{
    out.clear();
    const std::vector<Field> &all = fields();
    for (size_t i = 0; i < all.size(); ++i) {
        const QString text = normalizeInput(values.value(int(i)));
        const QString error = fieldError(all[i], text);
        if (!error.isEmpty())
            return error;
        out << bound(all[i], text);
    }
    return {};
}

QString rowError(int row, const QString &error)
{
    return QStringLiteral("خطا در رديف %1 فايل اکسل: %2").arg(row).arg(error);
}

QString storedCode(const Db &db, qint64 id, bool *found)
{
    const QVariant cod = db.scalar(QStringLiteral("SELECT cod FROM abadiha WHERE id = ?"), {id});
    *found = cod.isValid();
    return cod.toString();
}

}  // namespace

const QStringList &villageColumns()
{
    static const QStringList columns = [] {
        QStringList out;
        for (const Field &f : fields())
            out << f.column;
        return out;
    }();
    return columns;
}

QStringList Village::values() const
{
    return {ostan, city, bakhsh, dehestan, rosta, khanevar, zarib, x, y, cod, jamiyat, zaribMantaghe, zaribDori};
}

Village Village::fromValues(const QStringList &values, qint64 id)
{
    Village v;
    v.id = id;
    QString *targets[] = {&v.ostan, &v.city, &v.bakhsh, &v.dehestan, &v.rosta, &v.khanevar, &v.zarib,
                          &v.x,     &v.y,    &v.cod,    &v.jamiyat,  &v.zaribMantaghe, &v.zaribDori};
    for (int i = 0; i < 13; ++i)
        *targets[i] = values.value(i);
    return v;
}

Village Village::fromRow(const ResultSet &rows, int row)
{
    QStringList values;
    for (const QString &column : villageColumns())
        values << cellText(rows.value(row, column));
    return fromValues(values, rows.value(row, QStringLiteral("id")).toLongLong());
}

QStringList villageChoices(const Db &db, VillageLevel level, const VillagePlace &within)
{
    const QString column = levelColumn(level);
    Conditions where(db.dialect());
    addPlace(where, within);
    where.fixed(column + QStringLiteral(" IS NOT NULL"));
    where.compare(column, Conditions::Op::NotEqual, QString(QLatin1String("")));
    QStringList out;
    // GROUP BY rather than DISTINCT: the collated ORDER BY is not in the select list.
    for (const QVariantList &r : db.select(QStringLiteral("SELECT %1 FROM abadiha").arg(column) + where.where()
                                               + QStringLiteral(" GROUP BY %1 ORDER BY %2")
                                                     .arg(column, db.dialect().persianOrder(column)),
                                           where.values())
                                     .rows)
        out << r[0].toString();
    return out;
}

std::optional<Village> firstVillage(const Db &db, const VillagePlace &place)
{
    Conditions where(db.dialect());
    addPlace(where, place);
    const ResultSet rows = db.select(
        db.dialect().firstRows(QStringLiteral("SELECT ") + selectColumns + QStringLiteral(" FROM abadiha")
                                   + where.where() + QStringLiteral(" ORDER BY id"),
                               1),
        where.values());
    if (rows.empty())
        return std::nullopt;
    return Village::fromRow(rows, 0);
}

int countVillages(const Db &db, const VillageFilters &filters)
{
    const Conditions where = filterConditions(db, filters);
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM abadiha") + where.where(), where.values()).toInt();
}

ResultSet searchVillages(const Db &db, const VillageFilters &filters)
{
    const Conditions where = filterConditions(db, filters);
    const Dialect &d = db.dialect();
    return db.select(QStringLiteral("SELECT ") + selectColumns + QStringLiteral(" FROM abadiha") + where.where()
                         + QStringLiteral(" ORDER BY %1, %2, %3, %4, id")
                               .arg(d.persianOrder(QStringLiteral("city")), d.persianOrder(QStringLiteral("bakhsh")),
                                    d.persianOrder(QStringLiteral("dehestan")), d.persianOrder(QStringLiteral("rosta"))),
                     where.values());
}

QString villageFieldError(const QString &column, const QString &text)
{
    const Field *field = fieldOf(column);
    if (!field)
        throw std::invalid_argument("not a village column: " + column.toStdString());
    return fieldError(*field, normalizeInput(text));
}

QString villageValueError(const QStringList &values, int row)
{
    QVariantList unused;
    const QString error = boundValues(values, unused);
    return error.isEmpty() || row <= 0 ? error : rowError(row, error);
}

QString registerVillage(const Db &db, const Village &village, const QString &user)
{
    QVariantList values;
    const QString error = boundValues(village.values(), values);
    if (!error.isEmpty())
        return error;
    const QString ostan = normalizeInput(village.ostan), city = normalizeInput(village.city),
                  rosta = normalizeInput(village.rosta), cod = normalizeInput(village.cod);
    QString refusal;
    db.transaction([&] {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM abadiha WHERE city = ? AND rosta = ? AND ostan = ? AND cod = ?"),
                      {city, rosta, ostan, cod})
                .toInt()
            > 0) {
            refusal = duplicateVillageMessage;
            return;
        }
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM abadiha WHERE cod = ?"), {cod}).toInt() > 0) {
            refusal = duplicateCodeOnRegister;
            return;
        }
        db.exec(insertSql(), values);
        writeLog(db, user, QStringLiteral(" ثبت کدآبادي جديد  ") + cod + QStringLiteral(" ") + user);
    });
    return refusal;
}

QString editVillage(const Db &db, qint64 id, const Village &village, const QString &user)
{
    QVariantList values;
    const QString error = boundValues(village.values(), values);
    if (!error.isEmpty())
        return error;
    const QString cod = normalizeInput(village.cod);
    QString refusal;
    db.transaction([&] {
        bool found = false;
        const QString own = storedCode(db, id, &found);
        if (!found) {
            refusal = villageGoneMessage;
            return;
        }
        if (cod != own && db.scalar(QStringLiteral("SELECT COUNT(*) FROM abadiha WHERE cod = ?"), {cod}).toInt() > 0) {
            refusal = duplicateCodeOnEdit;
            return;
        }
        QStringList sets;
        for (const QString &column : villageColumns())
            sets << column + QStringLiteral(" = ?");
        values << id;
        db.exec(QStringLiteral("UPDATE abadiha SET ") + sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE id = ?"),
                values);
        writeLog(db, user, QStringLiteral(" ويرايش آبادي  ") + cod + QStringLiteral(" ") + user);
    });
    return refusal;
}

bool removeVillage(const Db &db, qint64 id, const QString &user)
{
    bool found = false;
    db.transaction([&] {
        const QString cod = storedCode(db, id, &found);
        if (!found)
            return;
        db.exec(QStringLiteral("DELETE FROM abadiha WHERE id = ?"), {id});
        writeLog(db, user, QStringLiteral(" حذف آبادي  ") + cod + QStringLiteral(" ") + user);
    });
    return found;
}

int renameCounty(const Db &db, const QList<qint64> &ids, const QString &name)
{
    int changed = 0;
    db.transaction([&] {
        Statement update = db.statement(QStringLiteral("UPDATE abadiha SET city = ? WHERE id = ?"));
        for (qint64 id : ids)
            changed += update.run({normalizeInput(name), id});
    });
    return changed;
}

QString replaceVillages(const Db &db, const SheetTable &sheet, const std::function<void(int)> &progress)
{
    if (sheet.columns.size() != villageColumns().size())
        return columnCountError;
    // Every row is checked before the registry is touched.
    std::vector<std::pair<int, QVariantList>> rows;
    rows.reserve(sheet.rows.size());
    for (size_t i = 0; i < sheet.rows.size(); ++i) {
        const QStringList &cells = sheet.rows[i];
        const int sheetRow = sheet.headingRow + 1 + int(i);
        if (std::all_of(cells.begin(), cells.end(), [](const QString &c) { return c.trimmed().isEmpty(); }))
            continue;
        QVariantList values;
        const QString error = boundValues(cells, values);
        if (!error.isEmpty())
            return rowError(sheetRow, error);
        rows.emplace_back(sheetRow, std::move(values));
    }
    int failedRow = 0;
    try {
        db.transaction([&] {
            db.exec(QStringLiteral("DELETE FROM abadiha"));
            Statement insert = db.statement(insertSql());
            int done = 0;
            for (const auto &[sheetRow, values] : rows) {
                failedRow = sheetRow;
                insert.run(values);
                if (progress)
                    progress(++done);
            }
            failedRow = 0;
        });
    } catch (const DbError &e) {
        return failedRow ? rowError(failedRow, e.text()) : e.text();
    }
    return {};
}

const Headings &villageExportHeadings()
{
    static const Headings headings = {
        {QStringLiteral("id"), QStringLiteral("شناسه")},
        {QStringLiteral("city"), QStringLiteral("شهرستان")},
        {QStringLiteral("bakhsh"), QStringLiteral("بخش")},
        {QStringLiteral("dehestan"), QStringLiteral("دهستان")},
        {QStringLiteral("rosta"), QStringLiteral("روستا")},
        {QStringLiteral("khanevar"), QStringLiteral("خانوار")},
        {QStringLiteral("jamiyat"), QStringLiteral("جمعيت")},
        {QStringLiteral("zarib"), QStringLiteral("ضريب منطقه")},
        {QStringLiteral("x"), QStringLiteral("X")},
        {QStringLiteral("y"), QStringLiteral("Y")},
        {QStringLiteral("cod"), QStringLiteral("کد آبادي")},
        // Unheaded columns keep their names as the database spells them.
        {QStringLiteral("zaribmantaghe"), QStringLiteral("zaribMantaghe")},
        {QStringLiteral("zaribdori"), QStringLiteral("zaribDori")},
    };
    return headings;
}

ResultSet villageExportRows(const ResultSet &listed)
{
    ResultSet out;
    std::vector<int> from;
    for (const QString &column : villageColumns()) {
        out.columns << column.toLower();
        from.push_back(listed.columnIndex(column));
    }
    out.rows.reserve(listed.rows.size());
    for (const QVariantList &row : listed.rows) {
        QVariantList values;
        for (int c : from)
            values << (c >= 0 ? row[c] : QVariant());
        out.rows.push_back(std::move(values));
    }
    return out;
}

int refreshVillageCoordinates(const Db &db)
{
    int refreshed = 0;
    db.transaction([&] {
        Statement update = db.statement(QStringLiteral(
            "UPDATE abadiha_xy SET x = ?, y = ?, khanevar = ?, zarib = ?, jamiyat = ?, zaribMantaghe = ?, zaribDori = ? "
            "WHERE cod = ?"));
        for (const QVariantList &xy : db.select(QStringLiteral("SELECT DISTINCT cod FROM abadiha_xy")).rows) {
            const ResultSet village = db.select(
                db.dialect().firstRows(QStringLiteral("SELECT x, y, khanevar, zarib, jamiyat, zaribMantaghe, zaribDori "
                                                      "FROM abadiha WHERE cod = ? ORDER BY id"),
                                       1),
                {xy[0]});
            if (village.empty())
                continue;
            refreshed += update.run(village.rows.front() + QVariantList{xy[0]});
        }
    });
    return refreshed;
}

ResultSet villageCoordinateRows(const Db &db)
{
    return db.select(QStringLiteral("SELECT * FROM abadiha_xy ORDER BY id"));
}

bool provinceKnown(const Db &db, const QString &ostan, const QString &city)
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM abadiha WHERE ostan = ? AND city = ?"), {ostan, city}).toInt() > 0;
}

}  // namespace bv
