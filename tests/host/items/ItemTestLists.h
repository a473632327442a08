// Lists and readers shared by the item record tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/ResbufBuilder.h"
#include "host/entities/ownedChain.h"

namespace itemtest {

using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;

// An INSERT of block "B" with item data: (1001 "QEV_DATA")(1000 header)
// and the pairs, then (1001 "QEV_INSPT") with the given 1070 and pairs of
// (point, point + direction), then the extra groups.
ownedChain itemInsert(const std::u16string& header, const Pairs& pairs, std::vector<std::pair<double, double>> points,
                      std::vector<ResbufPair> extra = {});

// The (key, value) pairs of the list's "QEV_DATA" block after its header.
Pairs dataPairs(const resbuf* list);
// How many 1001 groups of the application the list holds.
int appCount(const resbuf* list, const char16_t* app);
// The list's nodes of an application block, as "code:text" lines.
std::vector<std::string> appBlock(const resbuf* list, const char16_t* app);

}  // namespace itemtest
