// The text form of a point in the drawn-design data: "(x|y|0.00)" with two
// decimals, and its reader. Both use the "C" locale (a '.' decimal point)
// whatever the process locale is.
#pragma once

#include "platform/ge/XtGePoint2d.h"

#include <string>
#include <string_view>

// "(%.2f|%.2f|%.2f)" of x, y and 0.0; a coordinate that is not finite, or
// rounds to 0.00, is written 0.00 (never "-0.00").
std::u16string formatPoint(const XtGePoint2d& point);

// Reads a text of the form formatPoint writes. For a text beginning with
// "(": the characters after it up to, not including, the last character are
// split at each "|"; every non-empty part that ends at a "|" is read as a
// number (leading blanks skipped, reading stops at the first character that
// cannot continue it, no number reads 0), so the part after the last "|" is
// not read. The first number read becomes the point's x, the second its y;
// what is not read stays. A text not beginning with "(" leaves the point
// unchanged. Answers how many numbers were read (0, 1 or 2 are stored).
int parseNumberList(std::u16string_view text, XtGePoint2d& point);
