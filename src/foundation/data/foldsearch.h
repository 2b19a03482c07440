#pragma once
// Searches that find a word whichever kaf or yeh it was stored or typed with:
// the column is folded in SQL the way searchFold() folds the typed text, so a
// name stored with either kaf is found by either.
#include "conditions.h"

namespace bv {

// The column's text folded like searchFold(), as an SQL expression; the
// characters it replaces are appended to `values` as bound parameters.
QString foldedColumn(const QString &column, QVariantList &values);

// Adds "folded column like %folded text%" to `conditions`.
void containsFolded(Conditions &conditions, const QString &column, const QString &text);

}  // namespace bv
