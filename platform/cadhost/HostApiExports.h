// The exports of the host's drawing interface "DuZivaruReZuz2u.vev": the
// five host values and the slots modules call. Product kind 0, so the
// kind-bound slots stay unbound; slots that no module calls are not exported.
#pragma once

#include <vector>

#include "platform/win/Modules.h"

namespace cadhost {

std::vector<HvModuleExport> hostApiExports();

}  // namespace cadhost
