// The KV table of the heating constants from the settings.
#pragma once

#include "heating/design/calculation/CFHConstants.h"

#include "platform/win/CString.h"

// Reads "KV_TABLE" of the section "FH_CONSTANTS" of the heating file: a text
// "[a|b|...]" (doubleArrayFromText) or a list the settings store reads as
// doubles. With at least two numbers, all finite, the constants' KV curve
// becomes the points (a0, a1), (a2, a3), ... (an odd last number is left out)
// and the answer is true; otherwise the table stays and the answer is false.
bool loadKvTable(CFHConstants& constants, const CString& heatingFile);
