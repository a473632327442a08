// Long texts in entity lists: MTEXT text and the embedded text of multiline
// attributes travel as chunks of at most 250 UTF-16 units, the first under
// group 1 and every further one under group 3, in text order. A chunk never
// ends between the two halves of a surrogate pair. Host thread only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/ResbufBuilder.h"

inline constexpr std::size_t textChunkLength = 250;

// The chunks of a text in order (views into `text`); none for an empty text.
std::vector<std::u16string_view> splitTextChunks(std::u16string_view text);

// At most `length` units of the front of the text, one unit less when the cut
// would part a surrogate pair.
std::u16string_view cutTextAt(std::u16string_view text, std::size_t length);

// Appends the chunk pairs (1, then 3 ...) of the text; an empty text gives one
// empty group 1 when `atLeastOne`, else nothing. The pairs view `text`.
void appendTextChunks(std::vector<ResbufPair>& pairs, std::u16string_view text, bool atLeastOne);

// The texts of the groups 1 and 3 from `first` up to, not including, `end`
// (null: the end of the list), joined in list order; false when there is none.
bool joinTextChunks(const resbuf* first, const resbuf* end, std::u16string& text);
