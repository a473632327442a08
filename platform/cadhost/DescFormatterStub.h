// A stand-in of the description formatter "QEV_DESC.CRX": its
// "FormatDescFromMask" fills a mask's "%KEY%" fields from a list of key/value
// pairs, as the product line's formatter does for the heating design's zone
// descriptions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/cadhost/SiblingExports.h"
#include "platform/win/Modules.h"

namespace cadhost {

// The mask with every "%KEY%" replaced by the value of the first pair of
// `values` with that key (empty when there is none) and "%%" by one "%"; the
// rest is copied, a "%" without a closing one included. The pairs are the
// text nodes (1000 and 1001) of the list taken two by two from the first
// (1001 "QEV_DATA"), or from the list's first node when it has none, as the
// drawn design's readers take them; a key without a value is dropped.
std::u16string formatDescFromMask(const resbuf* values, std::u16string_view mask);

std::vector<HvModuleExport> descFormatterExports();

}  // namespace cadhost
