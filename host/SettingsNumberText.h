// Numbers as the settings stores keep them in text: integers in decimal,
// doubles with as few digits as still read back as the same double, and the
// readers that tell a whole number from one with characters after it.
// Always the "C" locale (decimal point '.').
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/win/CString.h"

// How much of a text a number reader took.
enum class NumberTextRead {
  none,     // no number at the start (also an empty text or one out of range)
  partial,  // a number followed by other characters
  whole,    // the whole text is the number
};

// A base-10 32-bit integer after optional leading white space. A number out
// of the 32-bit range counts as none, so a clamped value never passes for
// the stored one. `value` is set for partial and whole reads only.
NumberTextRead readIntText(std::u16string_view text, std::int32_t& value);

// A floating-point number after optional leading white space (decimal or
// hexadecimal forms, "inf" and "nan" as the C library reads them). A finite
// text whose value overflows counts as none.
NumberTextRead readDoubleText(std::u16string_view text, double& value);

// "%i".
CString formatIntText(std::int32_t value);

// "%g" when that reads back as the same double, else the fewest digits up
// to 17 that do: 0.2 stays "0.2", 2.0 / 3.0 gives "0.6666666666666666".
CString formatDoubleText(double value);
