#pragma once
// Sample rows of the survey evaluations, checklist items, attachments and
// documents, and of the surveying instruments with their events.
#include "db.h"

namespace bv::sample {

// Fills them for the projects and villages already in `main`, in one
// transaction, from a generator of its own seeded by `seed`.
void fillEvaluationsAndCameras(const Db &main, quint32 seed);

}  // namespace bv::sample
