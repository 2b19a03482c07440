#pragma once
// Sample rows the study letters print: the signatures of the CD hand-over
// form under the default password, and the social-security branch of the
// studies contractors that are companies.
#include "db.h"

namespace bv::sample {

// Call after the studies contractors exist, inside a transaction.
void fillStudyLetters(const Db &db, quint32 seed);

}  // namespace bv::sample
