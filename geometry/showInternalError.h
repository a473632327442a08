// The plain "internal error" box of the shared library.
#pragma once

#include "platform/win/WinTypes.h"

// Shows "<title> - <text> [ <number> ] ( timestamp <timestamp> )" under the
// caption "internal error" with a stop icon and no owner, through the
// failure notice sink (so it never blocks a worker thread). A null title
// reads "Error", other null texts are empty. Answers the box's answer.
int showInternalError(LPCWSTR title, LPCWSTR text, int number, LPCWSTR timestamp);
