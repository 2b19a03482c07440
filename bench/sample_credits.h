#pragma once
// Sample credits for every county, year and source the sample projects and
// studies use, their contract, map and proposal files, and a city-level user
// named after a county.
#include "db.h"

namespace bv::sample {

// Call after the projects and studies exist, inside a transaction.
void fillCredits(const Db &db, quint32 seed);

}  // namespace bv::sample
