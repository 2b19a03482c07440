#pragma once
// Sample letters of registration jobs with their attachments, job attachments
// and the registration unit's documents.
#include "db.h"

namespace bv::sample {

// Fills from the jobs already in `db`, from a generator of its own so that the
// other tables stay the same for a seed.
void makeRegistrationPapers(const Db &db, quint32 seed);

}  // namespace bv::sample
