#pragma once
// Sample consultant jobs spread over their workflow, with their inquiry
// offices, and surveying estimate requests in all three stages.
#include "db.h"

namespace bv::sample {

// Draws on the villages, studies contractors and lookup lists already in `db`.
void fillConsultants(const Db &db, int jobs, int requests, quint32 seed);

}  // namespace bv::sample
