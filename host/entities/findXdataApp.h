// Whether a list (UTF-16 texts) carries extended data of an application.
#pragma once

#include "platform/cadhost/resbuf.h"

// 0 when the list has no group 1001; 1 when it has extended data of other
// applications only; 2 when a 1001 group equals the name, ignoring the letter
// case.
int findXdataApp(const resbuf* list, const char16_t* name);
