// The application blocks of extended data: each runs from its 1001 group up
// to the next 1001 group or the end of the list. Names compare without regard
// to case. Host thread only.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "platform/cadhost/resbuf.h"

class QevItem;

// The application name of a block's first node (a 1001 group); empty
// otherwise.
std::u16string_view xdataAppName(const resbuf* block);

// The first 1001 group of the application in the list; null when none.
resbuf* findXdataAppBlock(resbuf* list, std::u16string_view app);
const resbuf* findXdataAppBlock(const resbuf* list, std::u16string_view app);

// A copy of each application block of the chain (from its first 1001 on), in
// order, one list per block. Empty when the copies cannot be made.
std::vector<resbuf*> copyXdataAppBlocks(const resbuf* chain);

// Replaces, in `list`, the block of the application that the item's held
// block number `index` belongs to by a copy of that held block (made the
// item's own first). False, with `list` unchanged, when the index is outside
// the item's blocks, the list has no block of that application, or the copy
// cannot be made.
bool replaceXdataApp(QevItem& item, std::size_t index, resbuf*& list);

// A copy of `groups` without the blocks of the applications `list` holds.
// Nodes in front of the first 1001 group are kept.
resbuf* copyWithoutAppsOf(const resbuf* groups, const resbuf* list);
