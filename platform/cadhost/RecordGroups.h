// The handle and owner groups of a record list. The owner is the first 330
// outside the {ACAD_REACTORS ...} and {ACAD_XDICTIONARY ...} groups, placed
// after group 5 and those groups, as files have it.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/cadhost/DxfNumber.h"
#include "platform/cadhost/Group.h"

namespace cadhost {

// Sets the handle group `code` (5, or 105 for DIMSTYLE), inserting it after
// group 0 when missing.
void setHandleGroup(GroupList& list, Handle handle, int code);

// Index of the owner group, or the place where it belongs when missing
// (`found` tells which).
std::size_t ownerGroupIndex(const GroupList& list, bool& found);
std::optional<Handle> ownerHandle(const GroupList& list);
void setOwnerGroup(GroupList& list, Handle owner);

}  // namespace cadhost
