#pragma once
// Account passwords are stored as salted, slow hashes with a recognisable
// prefix; a plain-text value of an older database is recognised as such.
// A password is hashed and compared as typed text is stored (normalizeInput),
// so the yeh or the digits it was typed with do not matter.
#include <QString>

namespace bv {

QString hashPassword(const QString &plain);
// True when `stored` (a hash, or an old plain-text value) matches `plain`.
bool verifyPassword(const QString &plain, const QString &stored);
// True when `stored` is a hash made by hashPassword.
bool isPasswordHash(const QString &stored);

}  // namespace bv
