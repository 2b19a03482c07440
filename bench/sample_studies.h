#pragma once
// Sample studies contractors with their attachments, and the studies' workflow
// pointed at them: consultants, fees by the entry window's computation, dates,
// scores and payment stages.
#include "db.h"

namespace bv::sample {

// Call after the studies rows exist, inside a transaction.
void fillStudies(const Db &db, quint32 seed);

}  // namespace bv::sample
