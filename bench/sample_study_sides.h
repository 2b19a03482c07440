#pragma once
// Sample side rows of the studies: agency programmes, the plan indicators the
// letters read, attachments (so that the browser colours its rows) and
// documents.
#include "db.h"

namespace bv::sample {

// Call after the studies rows exist, inside a transaction.
void fillStudySides(const Db &db, quint32 seed);

}  // namespace bv::sample
