// The known key nearest to a mistyped one, so that a refusal can say what
// was probably meant: the fewest single-letter insertions, deletions and
// replacements, letters compared without regard to ASCII case.
#pragma once

#include <span>
#include <string_view>

// The nearest of `known` (the first of equally near ones); empty when
// `known` is empty. A typed text longer than kMaxTypedKey units is compared
// by its first kMaxTypedKey units.
inline constexpr std::size_t kMaxTypedKey = 64;
std::u16string_view nearestKey(std::u16string_view typed, std::span<const std::u16string_view> known);
