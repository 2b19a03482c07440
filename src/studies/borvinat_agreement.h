#pragma once
// The contract fee the agreement pages print: every study of the last search
// summed, in rials, in digits and in words. No widgets.
#include "borvinat_search.h"
#include "db.h"
#include "money.h"

#include <optional>

namespace bv::studies {

// The studies a contract covers: the last search's county and village lists,
// credit year, contract number, consultant and plan type. County scope,
// province and fourth agent are not part of a contract.
Conditions agreementConditions(const Dialect &dialect, const BorvinatFilters &filters);

// `ba` and `bi` summed in million rials; nullopt when no study matches.
struct AgreementFee {
    std::optional<Money> withInfluence, withoutInfluence;
};
AgreementFee agreementFee(const Db &db, const BorvinatFilters &filters);

// Million rials to whole rials, exactly.
Money millionRials(Money amount);

// The fee as the pages print it: "57,650,000" and its words; words empty when
// the amount is beyond what GetNum spells.
struct FeeText {
    QString digits, words;
    bool spelled = false;
};
FeeText feeText(Money rials);

}  // namespace bv::studies
