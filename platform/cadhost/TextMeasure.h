// The host's approximate text measure: a text box is as wide as its longest
// line has characters × height × 0.9 × width factor, after the formatting
// codes of multiline text are taken out; one line is as high as the height
// given, and every further line adds 5/3 of it (the line pitch).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cadhost {

// The lines of a multiline text as they show: paragraph and column breaks
// split lines, formatting codes and braces go, "\~" and "%%c"-style codes
// count as one character, stacked fractions as "a/b".
std::vector<std::u16string> plainTextLines(std::u16string_view text);

// Characters of the longest line (a surrogate pair counts once).
std::size_t longestLineLength(std::u16string_view text);

double measureTextWidth(std::u16string_view text, double height, double widthFactor);

// The height of the text's lines: (lines - 1) × 5/3 × height + height.
double measureTextHeight(std::u16string_view text, double height);

}  // namespace cadhost
