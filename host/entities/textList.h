// The TEXT list builder and the reader of TEXT, ATTDEF and ATTRIB lists (the
// text part they share). Texts are written without a transform, the value in
// one group 1. Lists hold UTF-16 texts; host thread only.
#pragma once

#include <string_view>
#include <vector>

#include "host/entities/entityListPairs.h"
#include "host/entities/ltEntProps.h"
#include "host/entities/textValues.h"

namespace entBuilder2D {

// Header "TEXT", (100 "AcDbText"), (39 kept), 10, 40, 1, 50, 41, 51, 7, 71, 72,
// 11, (210 kept), (100 "AcDbText"), 73, the extra groups. The kept groups come
// from `previous`. Null for a height of 0 or less or a value that is no
// finite number.
resbuf* text(const ltEntProps& props, const textValues& values, const resbuf* previous);

}  // namespace entBuilder2D

namespace entReader2D {

// Reads the text part of a list whose type is `typeName` ("TEXT", "ATTDEF" or
// "ATTRIB", any case) up to its first 101 group. Groups count from the first
// 100 on: within "AcDbText" 1, 7, 10, 11, 40, 41, 50, 51, 71, 72 and, for
// TEXT only, 73; within "AcDbAttribute" and "AcDbAttributeDefinition" 74.
// Later groups win; a null 1 gives an empty value, a null 7 "STANDARD".
// False, with `values` unchanged, for another type, a height of 0 or less or
// a value that is no finite number. Properties are parsed into `props` when
// given.
bool text(textValues& values, const resbuf* list, ltEntProps* props, std::u16string_view typeName);

}  // namespace entReader2D

// The groups 10, 40, 1, 50, 41, 51, 7, 71, 72, 11 of the values (the single
// line part every text list shares); `value` replaces the values' text.
void appendTextBody(entityListPairs& pairs, const textValues& values, std::u16string_view value);

// True when every real of the values is a finite number and the height is
// above 0: what the text builders write.
bool isWritableText(const textValues& values);
