// The values of a drawn design's heating records as the readers take them:
// a key's text, its whole number or its decimal number. A reading never
// fails: a value that is no number reads 0 ("C" locale, leading number, as
// "12abc" reads 12; "inf" and "nan" read 0). A key the record does not hold
// answers nothing, so the reader leaves its target as it was.
//
// Threads: the command's thread (the records are the drawing I/O object's).
#pragma once

#include "heating/design/drawing/CFHDrawingInOut.h"

#include "platform/ge/XtGePoint2d.h"
#include "platform/win/CString.h"
#include "platform/win/Variant.h"

#include <cstdint>
#include <optional>
#include <string_view>

class CFHPipeNetwork;

std::optional<CString> tagText(const CFHEntityInOut& record, std::u16string_view key);
std::optional<std::int32_t> tagInt(const CFHEntityInOut& record, std::u16string_view key);
std::optional<double> tagReal(const CFHEntityInOut& record, std::u16string_view key);
// A numeric value that may be empty, as the var rules write it: their empty
// form "0" (they write a value with its decimals) reads as an empty value,
// any other text as tagReal reads it, as a valid value.
std::optional<VARIANT> tagValue(const CFHEntityInOut& record, std::u16string_view key);
// A text read as tagReal reads a value: 0 for one that is no finite number.
double finiteNumber(LPCWSTR text);
// A point the records write relative to the manifold ("(x|y|0.00)",
// formatLocalPoint), back in work coordinates (manifoldToDrawing with the
// drawing I/O object's user-system angle). A text that does not begin with
// "(" reads as the local point (0, 0), the manifold's reference point; a
// coordinate that is no finite number reads 0.
std::optional<XtGePoint2d> tagLocalPoint(const CFHEntityInOut& record, std::u16string_view key,
                                         const CFHPipeNetwork& network);

// The first record of the list whose key reads as the number; null when none.
const CFHEntityInOut* recordNumbered(const CFHDrawingInOut::RecordList& records, std::u16string_view key,
                                     std::int32_t number);
