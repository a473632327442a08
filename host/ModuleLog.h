// Failures of the module that the user is not told about (a host that gives
// no folder, for example), written as one line each to the standard error
// stream, where the host's log collects them.
#pragma once

#include <string_view>

void hvLogFailure(std::u16string_view message);
