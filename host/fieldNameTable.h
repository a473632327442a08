// The field names of description templates with the texts a product line
// gives them: a process-wide table of 19 entries ("_MATERIAL", "_LABEL",
// "_NAME", "_DIM", "_ANGLE", "_DESC", "_DIAMETER", "_GROUP", "_HEIGHT",
// "_QCATALOGUE", "_LENGTH", "_MEASUREMENT", "_SLOPE", "_QPROD",
// "_SUBGROUP", "_SUBSCRIPT", "_QTYPE", "_WEIGHT", "_QAPPENDIX"), each text
// of at most 1,023 units.
//
// Threads: one lock guards the texts; the filler holds it while it fills,
// and readers take copies under it, so any thread may fill or read.
#pragma once

#include <string>
#include <string_view>

#include "host/UserParams.h"

inline constexpr int fieldNameCount = 19;
inline constexpr std::size_t fieldTextMaxUnits = 1023;

// Name i in table order; null outside 0 to 18.
const char16_t* fieldNameAt(int i);

// A copy of the text of name i; empty outside 0 to 18.
std::u16string fieldTextAt(int i);

// Fills the texts once: only while the first text is empty, each name's
// text becomes the value of the first row of `table` of the source whose
// name equals it (empty when none), cut to 1,023 units. False, nothing
// changed, without a source or when the table is filled already.
bool fillFieldNameTable(const HvUserParamSource* source, std::u16string_view table);

// Empties every text (a new product line, or a test).
void clearFieldNameTable();
