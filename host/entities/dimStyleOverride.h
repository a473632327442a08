// Dimension-style overrides: extended data of the application "ACAD" with a
// "DSTYLE" section, (1001 "ACAD")(1000 "DSTYLE")(1002 "{"), pairs of
// (1070 variable number) and its value (1040 real, 1070 integer, 1000 text
// or 1005 handle), (1002 "}"). Host thread only.
#pragma once

#include <string_view>

#include "platform/cadhost/resbuf.h"

// Sets one override in the list (owned by the caller; it may be null) and
// answers the list's head. Without "ACAD" data the whole block is appended.
// Within it, an existing pair of the variable gets the new value (of any
// kind); otherwise the pair goes before the section's closing "}"; an "ACAD"
// block without a DSTYLE section gets one at its end. `value` is copied; the
// list is unchanged (and answered) when its code is none of 1040, 1070,
// 1000 and 1005, or when the heap runs out.
resbuf* setDimStyleOverride(resbuf* list, int variable, const resbuf& value);
resbuf* setDimStyleOverrideReal(resbuf* list, int variable, double value);
resbuf* setDimStyleOverrideInt(resbuf* list, int variable, int value);
resbuf* setDimStyleOverrideString(resbuf* list, int variable, std::u16string_view value);

// The value node of the variable's pair in the list's "ACAD" DSTYLE
// section; null when there is none.
const resbuf* findDimStyleOverride(const resbuf* list, int variable);
