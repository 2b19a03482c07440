#pragma once
// Sample rows the survey agreement pages print: every contractor column of
// both kinds, the projects' agreement type, committee date and duration, and
// the agreement's fixed chapters as program documents.
#include "db.h"

namespace bv::sample {

void fillAgreements(const Db &db, quint32 seed);

}  // namespace bv::sample
