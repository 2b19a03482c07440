#pragma once
// How a list shows its columns and cells, on screen and in its spreadsheet.
#include "money.h"

#include <QCollatorSortKey>
#include <QHash>
#include <QString>
#include <QVariant>
#include <optional>

namespace bv {

// Column name -> heading of a list; a column not in the map is headed by its name.
using Headings = QHash<QString, QString>;

QString headingOf(const Headings &headings, const QString &column);

// The text of a cell, trimmed: empty for null; money as grouped digits
// ("1,250,000"); server times as "2024-03-01 14:05:09" on every engine.
QString cellText(const QVariant &value, bool money = false);

// The place of a cell in a title-click sort: empty cells first, then numbers
// by value, then texts in Persian alphabetical order (digit runs by value).
class SortKey {
public:
    explicit SortKey(const QVariant &value);
    // Negative, zero or positive as `a` sorts before, with or after `b`.
    static int compare(const SortKey &a, const SortKey &b);

private:
    enum class Kind { Empty, Number, Text } kind_ = Kind::Empty;
    Decimal number_;
    std::optional<QCollatorSortKey> text_;
};

}  // namespace bv
