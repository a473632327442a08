// System variables as the host answers them (word 28, slot 6, word 29,
// slot 8): the user coordinate system from the host, the view variables from
// the active viewport, everything else from the drawing's header.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/cadhost/Drawing.h"
#include "platform/cadhost/resbuf.h"

namespace cadhost {

class CadHost;

// The value as a group with a result-type code (5001 real, 5002 2D point,
// 5003 16-bit integer, 5005 text, 5009 3D point, 5010 32-bit integer);
// nothing for an unknown variable or a value that is not of the wanted type
// (0 wants any type). Names without the '$', any case.
std::optional<Group> variableValue(const CadHost& host, std::u16string_view name, int wantedType);

// The same as a one-node list owned by the caller, or null.
resbuf* variableList(const CadHost& host, std::u16string_view name, int wantedType);

// A text variable: CLAYER, else a header variable holding a text.
std::optional<std::u16string> textVariable(const Drawing& drawing, std::u16string_view name);

}  // namespace cadhost
