// Names of the drawing's tables and blocks compare without regard to case:
// A to Z and the accented letters of code page 1250 (Czech included).
#pragma once

#include <string_view>

bool sameNameNoCase(std::u16string_view a, std::u16string_view b);
