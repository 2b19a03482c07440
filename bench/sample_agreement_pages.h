#pragma once
// Sample rows the study agreement pages print: the studies contractors' phone,
// postcode and bank account, the four program documents holding the rest of the
// agreement, and one study's selection-minutes picture.
#include "db.h"

namespace bv::sample {

// Call after the studies and their contractors exist, inside a transaction.
void fillAgreementPages(const Db &db, quint32 seed);

}  // namespace bv::sample
