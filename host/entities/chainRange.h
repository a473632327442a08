// Copying a stretch of a result-buffer chain.
#pragma once

#include "host/entities/ownedChain.h"

// A deep copy (UTF-16 texts) of the nodes from `first` up to, not including,
// `end` (null: to the end of the chain). Like copyResbufChain, the copy stops
// before a node whose code has no type. `ok` turns false when the heap ran out
// (the answer is then null and nothing leaks); an empty stretch answers null
// with `ok` true.
ownedChain copyChainRange(const resbuf* first, const resbuf* end, bool& ok);
