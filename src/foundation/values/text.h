#pragma once
// Normalisation of text typed by users before it is stored or compared.
#include <QString>

namespace bv {

// Persian yeh (U+06CC) and the final-form variants become the Arabic yeh (U+064A)
// that every stored word of the system uses.
QString normalizeYeh(const QString &text);

// Persian (U+06F0..) and Arabic-Indic (U+0660..) digits become ASCII digits;
// the Arabic decimal and thousands separators become "." and ",".
QString asciiDigits(const QString &text);

// What every text a person types goes through before it is stored, searched,
// compared or used as a key: yeh and digits as above, outer spaces trimmed.
// The kafs stay as typed.
QString normalizeInput(const QString &text);

// Folding for searches that must find a word whichever kaf or yeh it was typed
// with: both kafs become the Arabic kaf, both yehs the Arabic yeh.
QString searchFold(const QString &text);

}  // namespace bv
