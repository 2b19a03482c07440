#pragma once
// Whole rial amounts spelled in Persian for the contract pages. The table
// words carry their own spaces, so results hold doubled spaces; printed as
// they are.
#include <QString>
#include <cstdint>
#include <optional>

namespace bv::study {

// The table word with a space on each side: units 0..19, tens 2..9 (20..90),
// hundreds 1..9 (100..900). Empty outside the table.
QString Get1nd(int n);
QString Get2nd(int n);
QString Get3nd(int n);
// One group of three digits, 0..999 (0 is "صفر"); empty outside that range.
QString GetTree(int n);

// Amounts from here on have no group name and are spelled by the user.
inline constexpr std::int64_t spelledLimit = 1'000'000'000'000;
// The amount in words followed by " ريال"; zero groups are skipped, so 0 and
// negative amounts give " ريال" alone. nullopt from spelledLimit on.
std::optional<QString> GetNum(std::int64_t n);

}  // namespace bv::study
