// Narrow texts exchanged with modules: code page 1250, with "\U+xxxx" escapes
// for the UTF-16 units the code page cannot hold.
#pragma once

#include <string>
#include <string_view>

namespace cadhost {

// A null text reads as empty.
std::u16string narrowToWide(const char* text);
std::u16string narrowToWide(std::string_view text);
std::string wideToNarrow(std::u16string_view text);

}  // namespace cadhost
