#pragma once
// The evaluation item catalogues, the credit-checklist items and the map scales:
// small tables of items that one window edits, each described here as data.
#include "db.h"
#include "money.h"

#include <QHash>
#include <QStringList>
#include <vector>

namespace bv {

enum class CatalogueId {
    arzyabi_items,
    arzyabi_items_gis,
    arzyabi_item_tarh,
    arzyabi_item_tafsili,
    arzyabi_item_naghshe,
    arzyabi_item_moshaver,
    naghshe_cheklist,
    naghshe_meghyas,
};

enum class CatalogueInput {
    Text,    // free text
    Score,   // a number (a float column)
    Whole,   // a whole number (an int column)
    Amount,  // an amount (a money column)
    Choice,  // one of fixed texts
    Tick,    // a check box, stored as its caption when ticked and empty otherwise
};

struct CatalogueField {
    const char *column;
    QString label;
    CatalogueInput input = CatalogueInput::Text;
    QStringList choices = {};  // the items of a Choice
};

struct CatalogueTable {
    const char *window;                 // the window's name
    QString caption;
    const char *table;
    std::vector<CatalogueField> fields; // in insert order
    std::vector<const char *> key;      // the columns no two rows share
    QString duplicateMessage;
    bool scoreTotal = false;            // the window shows the sum of `emtiyaz`
    std::vector<const char *> order;    // text columns the grid is sorted by; empty: as registered
    bool confirms = true;               // "ثبت شد" and "حذف شد" are shown

    const CatalogueField *field(const QString &column) const;
};

const CatalogueTable &catalogueTable(CatalogueId id);

// The typed inputs of one row by column; a tick gives its caption or an empty text.
using CatalogueInputs = QHash<QString, QString>;

enum class CatalogueAddResult { Added, Empty, BadNumber, Duplicate };
struct CatalogueAdd {
    CatalogueAddResult result = CatalogueAddResult::Added;
    QString column;  // the empty key input or the unreadable number
};

// Registers a row unless a key input is empty, a number is unreadable or a row
// with the same key exists; nothing is written in those cases.
CatalogueAdd addCatalogueItem(const Db &db, const CatalogueTable &table, const CatalogueInputs &inputs);
void removeCatalogueItem(const Db &db, const CatalogueTable &table, qint64 id);
// The grid's rows: id and the entered columns.
ResultSet catalogueRows(const Db &db, const CatalogueTable &table);
// The sum of the maximum scores; 0 for an empty catalogue.
Decimal catalogueTotal(const Db &db, const CatalogueTable &table);
// The text an input shows for a stored value.
QString catalogueInputText(const CatalogueField &field, const QVariant &stored);

}  // namespace bv
