// Field codes of description templates: "#L.2" asks for the length with two
// decimals, "&_UNDERLINE_DESC" for a text field, "$#E12" for the value of
// extra field 12, and so on. parseFieldCode reads one code.
//
// Pure; any thread.
#pragma once

#include <cstdint>
#include <string>

struct fieldCodeRecord {
  bool dollar = false;          // "$" before the code
  bool field = false;           // "#": a field of the item
  bool text = false;            // "&": a text field
  bool height = false;          // "#H"
  bool slope = false;           // "#O"
  bool extra = false;           // "#E<digits>"
  bool row = false;             // "#R<digits>"
  bool precisionGiven = false;  // ".<digits>"
  bool underline = false;
  std::int32_t index = -1;      // the digits after E or R
  std::int32_t precision = 0;
  std::u16string name;
};

// Reads the code at the start of `text` into `record` (cleared first) and
// answers the position behind it; null for a null or empty text.
//  - "$" followed by "#" or "&" sets `dollar`; "#" sets `field`, "&" `text`.
//    Without either, the units up to the next "#" or "&" are the name and the
//    answer points at that "#" or "&" (or the end).
//  - After "#": 1 "_MATERIAL", 2 "_LABEL", 3 "_NAME", 4 "_DIM", A "_ANGLE",
//    C "_DESC", D "_DIAMETER", G "_GROUP", H "_HEIGHT" (and `height`),
//    L "_LENGTH", M "_MEASUREMENT", O "_SLOPE" (and `slope`), P "_QPROD",
//    S "_SUBSCRIPT", T "_QTYPE", W "_WEIGHT"; E and R set their flags and
//    take the digits after them as the name and the index (clamped to the
//    32-bit range; no digits leave the index at -1).
//  - A name still empty takes the letters, digits and "_" that follow.
//  - ".<digits>" gives the precision (and `precisionGiven`); else the
//    precision is 3 for "_LENGTH", 2 for any other field, 0 otherwise.
//  - `underline`: index 9 with a given precision, or a text field named
//    "_UNDERLINE_DESC".
const char16_t* parseFieldCode(const char16_t* text, fieldCodeRecord& record);
