// Group lists in the node layout of the lists exchanged with modules
// (resbuf.h). Lists the host hands out are new lists owned by the caller:
// every node is a calloc block and every text (the -1 name included) and
// binary chunk a separate malloc block, so that the module frees them node by
// node with free(). Lists passed in stay the caller's; the host copies them.
#pragma once

#include <cstddef>
#include <string>

#include "platform/cadhost/Group.h"
#include "platform/cadhost/resbuf.h"

namespace cadhost {

// The most nodes a list passed in may have; a longer (or circular) list is refused.
constexpr std::size_t kMaxResbufNodes = 1'000'000;

// A new list; null for an empty list or an exhausted heap (nothing leaks).
// Groups without a type of their own and entity names are left out.
resbuf* newResbufList(const GroupList& list);

// Frees a list as modules free it: each text and chunk, then the node.
void freeResbufList(resbuf* list);

// Copies a list passed in. Entity-name nodes (-2, -3, 5006) and codes without
// a type of their own are skipped (`skipped` counts them). False with a reason
// for a list that is too long, holds a code outside the known range or holds a
// real or point that is not finite.
bool readResbufList(const resbuf* list, GroupList& out, std::string& error, std::size_t* skipped = nullptr);

}  // namespace cadhost
