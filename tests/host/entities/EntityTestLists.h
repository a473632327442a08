// Lists and list views shared by the entity tests.
#pragma once

#include <string>
#include <vector>

#include "host/entities/ownedChain.h"

// The group codes of a list, in order.
std::vector<int> codesOf(const resbuf* list);

// One line per node, "code=value", for comparing whole lists.
std::string describe(const resbuf* list);

// The text of the first node with the code ("" when none).
std::u16string textOf(const resbuf* list, int code);

// A DIMENSION as the host hands it over: name, type, handle, extension
// dictionary, reactors, owner, common groups, two subclasses, extended data.
ownedChain dimensionList();
