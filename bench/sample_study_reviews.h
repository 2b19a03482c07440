#pragma once
// Sample evaluations of the studies against the five catalogues (filled when
// empty), the GIS expert's signature, and the guests of the studies' meetings.
#include "db.h"

namespace bv::sample {

// Call after the studies rows and lookup lists exist, inside a transaction.
void fillStudyReviews(const Db &db, quint32 seed);

}  // namespace bv::sample
