// The entity type names the heating readers sort a selection by: curves they
// accept and annotation they pass over. One table for every file.
#pragma once

#include <array>

inline constexpr std::array<const char16_t*, 7> hvEntityTypeNames = {
    u"LINE", u"LWPOLYLINE", u"ARC", u"TEXT", u"MTEXT", u"HATCH", u"DIMENSION"};

inline constexpr std::array<const char16_t*, 4> hvIgnoredEntityKinds = {
    u"HATCH", u"TEXT", u"MTEXT", u"DIMENSION"};
