#include "catalogues.h"

#include "money.h"
#include "text.h"

#include <QSqlQuery>
#include <algorithm>
#include <map>

namespace bv {

const CatalogueField *CatalogueTable::field(const QString &column) const
{
    for (const CatalogueField &f : fields)
        if (column == QLatin1String(f.column))
            return &f;
    return nullptr;
}

namespace {
const QString duplicate = QStringLiteral("تکراريست");
const CatalogueField itemName{"cmt", QStringLiteral("نام آيتم")};
const CatalogueField maxScore{"emtiyaz", QStringLiteral("حداکثر امتياز:"), CatalogueInput::Score};
const CatalogueField heading{"kol", QStringLiteral("آيتم کلي")};
const CatalogueField detail{"joz", QStringLiteral("آيتم جزئي")};

const std::map<CatalogueId, CatalogueTable> &tables()
{
    static const std::map<CatalogueId, CatalogueTable> all = {
        {CatalogueId::arzyabi_items,
         {"arzyabi_items", QStringLiteral("آيتم هاي ارزيابي نقشه برداري"), "arzyabi", {itemName, maxScore}, {"cmt"},
          duplicate, true, {"cmt"}}},
        {CatalogueId::arzyabi_items_gis,
         {"arzyabi_items_gis", QStringLiteral("آيتم هاي ارزيابي جي آي اس"), "arzyabi_gis", {itemName, maxScore},
          {"cmt"}, duplicate, true, {}}},
        {CatalogueId::arzyabi_item_tarh,
         {"arzyabi_item_tarh", QStringLiteral("آيتم هاي ارزيابي شکلي و محتوايي طرح هادي"), "arzyabi_tarh",
          {heading, detail, maxScore}, {"kol", "joz"}, duplicate, true, {}}},
        {CatalogueId::arzyabi_item_tafsili,
         {"arzyabi_item_tafsili", QStringLiteral("آيتم هاي ارزيابي طرح هاي تفصيلي"), "arzyabi_item_tafsili",
          {heading, detail, maxScore}, {"kol", "joz"}, duplicate, true, {"kol", "joz"}}},
        {CatalogueId::arzyabi_item_naghshe,
         {"arzyabi_item_naghshe", QStringLiteral("آيتم هاي ارزيابي نقشه پايه"), "arzyabi_naghshe", {itemName},
          {"cmt"}, duplicate, false, {"cmt"}}},
        {CatalogueId::arzyabi_item_moshaver,
         {"arzyabi_item_moshaver", QStringLiteral("آيتم ها و سوالات ارزيابي مشاور و عامل چهارم"),
          "arzyabi_moshaver", {itemName}, {"cmt"}, duplicate, false, {}}},
        {CatalogueId::naghshe_cheklist,
         {"naghshe_cheklist",
          QStringLiteral("آيتم هاي چک ليست تامين اعتبار حقيقي نقشه برداري"),
          "naghshe_cheklist",
          {{"typ", QStringLiteral("نوع"), CatalogueInput::Choice, {QStringLiteral("حقيقي"), QStringLiteral("حقوقي")}},
           {"mozo", QStringLiteral("موضوع")},
           {"bale", QStringLiteral("بله"), CatalogueInput::Tick},
           {"kheyr", QStringLiteral("خير"), CatalogueInput::Tick},
           {"cmt", QStringLiteral("توضيحات")}},
          {"mozo", "typ"},
          duplicate,
          false,
          {"cmt"}}},
        {CatalogueId::naghshe_meghyas,
         {"naghshe_meghyas",
          QStringLiteral("انواع مقياس نقشه برداري"),
          "naghshe_meghyas",
          {{"scale", QStringLiteral("مقياس"), CatalogueInput::Whole},
           {"khali_price", QStringLiteral("قيمت بافت خالي"), CatalogueInput::Amount},
           {"por_price", QStringLiteral("قيمت بافت پر"), CatalogueInput::Amount}},
          {"scale"},
          QStringLiteral("خطا! اين مقياس تکراريست"),
          false,
          {},
          false}},
    };
    return all;
}

// The bound value of a typed input; invalid when a number cannot be read.
QVariant storedValue(const CatalogueField &field, const QString &typed)
{
    switch (field.input) {
    case CatalogueInput::Text: return normalizeYeh(typed);
    case CatalogueInput::Choice:
    case CatalogueInput::Tick: return typed;
    case CatalogueInput::Score: {
        const NumberReading r = readNumber(typed, Grouping::Refused);
        if (r.fault == NumberReading::Fault::Empty)
            return 0;
        return r.ok() ? r.value.toSql() : QVariant();
    }
    case CatalogueInput::Whole: {
        const NumberReading r = readNumber(typed, Grouping::Allowed);
        if (r.fault == NumberReading::Fault::Empty)
            return 0;
        const std::optional<std::int64_t> n = r.ok() ? r.value.wholeValue() : std::nullopt;
        return n ? QVariant(qlonglong(*n)) : QVariant();
    }
    case CatalogueInput::Amount:
        if (const auto m = Money::parse(typed))
            return m->toSql();
        return {};
    }
    return {};
}

QString table(const CatalogueTable &t)
{
    return QString::fromLatin1(t.table);
}
}  // namespace

const CatalogueTable &catalogueTable(CatalogueId id)
{
    return tables().at(id);
}

CatalogueAdd addCatalogueItem(const Db &db, const CatalogueTable &t, const CatalogueInputs &inputs)
{
    QStringList columns;
    QVariantList values;
    std::map<QString, QVariant> byColumn;
    for (const CatalogueField &field : t.fields) {
        const QString column = QString::fromLatin1(field.column);
        const QString typed = inputs.value(column);
        const bool isKey = std::find_if(t.key.begin(), t.key.end(),
                                        [&](const char *k) { return column == QLatin1String(k); })
            != t.key.end();
        if (isKey && typed.trimmed().isEmpty())
            return {CatalogueAddResult::Empty, column};
        const QVariant value = storedValue(field, typed);
        if (!value.isValid())
            return {CatalogueAddResult::BadNumber, column};
        columns << column;
        values << value;
        byColumn[column] = value;
    }

    QStringList keyTerms;
    QVariantList keyValues;
    for (const char *k : t.key) {
        keyTerms << QString::fromLatin1(k) + QStringLiteral(" = ?");
        keyValues << byColumn.at(QString::fromLatin1(k));
    }
    CatalogueAdd result;
    db.transaction([&] {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table(t) + QStringLiteral(" WHERE ")
                          + keyTerms.join(QStringLiteral(" AND ")),
                      keyValues)
                .toInt()
            > 0) {
            result.result = CatalogueAddResult::Duplicate;
            return;
        }
        db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(table(t), columns.join(QStringLiteral(", ")),
                         QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "))),
                values);
    });
    return result;
}

void removeCatalogueItem(const Db &db, const CatalogueTable &t, qint64 id)
{
    db.exec(QStringLiteral("DELETE FROM ") + table(t) + QStringLiteral(" WHERE id = ?"), {id});
}

ResultSet catalogueRows(const Db &db, const CatalogueTable &t)
{
    QStringList columns{QStringLiteral("id")};
    for (const CatalogueField &field : t.fields)
        columns << QString::fromLatin1(field.column);
    QStringList order;
    for (const char *column : t.order)
        order << db.dialect().persianOrder(QString::fromLatin1(column));
    order << QStringLiteral("id");
    return db.select(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                         .arg(columns.join(QStringLiteral(", ")), table(t), order.join(QStringLiteral(", "))));
}

Decimal catalogueTotal(const Db &db, const CatalogueTable &t)
{
    return Decimal::fromVariant(db.scalar(QStringLiteral("SELECT SUM(emtiyaz) FROM ") + table(t)));
}

QString catalogueInputText(const CatalogueField &field, const QVariant &stored)
{
    switch (field.input) {
    case CatalogueInput::Amount: return Money::fromVariant(stored).plain();
    case CatalogueInput::Score:
    case CatalogueInput::Whole: return Decimal::fromVariant(stored).plain();
    default: return stored.toString();
    }
}

}  // namespace bv
