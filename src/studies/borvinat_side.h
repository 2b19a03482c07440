#pragma once
// The programmes of executive agencies and the plan indicators of a study.
// No widgets.
#include "db.h"
#include "money.h"
#include "rowguard.h"

#include <optional>

namespace bv::studies {

// The programmes of a study, and the add that refuses the same name and agency twice.
ResultSet programmes(const Db &db, qint64 study);
enum class AddOutcome { Added, Duplicate };
AddOutcome addProgramme(const Db &db, qint64 study, const QString &cmt, const QString &org);
// False when another clerk had already deleted it.
bool deleteProgramme(const Db &db, qint64 id);

// An indicator value as typed: "/" and "٫" are decimal points; an empty
// value is no number either.
NumberReading indicatorValue(const QString &typed);

ResultSet indicators(const Db &db, qint64 study);
// One indicator; a name the study already has is refused.
AddOutcome addIndicator(const Db &db, qint64 study, const QString &cmt, const Decimal &mojod, const Decimal &ofogh);
// Replaces every indicator of the study by one row per name, with the same
// values, in one transaction with the study's row locked, so two clerks doing
// it at once end with one set. Returns how many rows it wrote; nullopt, with
// nothing written, when another clerk had deleted the study.
std::optional<int> registerAllIndicators(const Db &db, qint64 study, const QStringList &names, const Decimal &mojod,
                                         const Decimal &ofogh);
// The guard of a grid row's values, keyed by the indicator's id.
RowGuard indicatorGuard();
// The grid's edit of the row `guard` remembers, written only while the row
// still holds the values the grid read.
RowGuard::Outcome updateIndicator(const Db &db, RowGuard &guard, const Decimal &mojod, const Decimal &ofogh);

}  // namespace bv::studies
