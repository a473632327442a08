// UTF-16 text buffers shared with the product database module: an hvArray of
// UTF-16 units whose block is made and freed only through the database's
// shared allocator, so that either side may free a buffer the other made.
#pragma once

#include "geometry/hvArray.h"
#include "platform/qevdb/QevDatabaseAllocator.h"

using hvString = hvArray<char16_t, qevDatabase::Helper::hvArraySharedAllocator_UTF16>;
