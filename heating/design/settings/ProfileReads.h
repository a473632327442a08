// The checked reads of the heating commands' settings: a value replaces the
// caller's only when the store answers it as read (storeStatus::ok) and it
// passes the check; otherwise the caller's value (its default) stays. Each
// answers whether it replaced the value.
#pragma once

#include "host/ini_store2.h"

#include <cstdint>

// A finite double.
bool readFiniteDouble(ini_store2& store, LPCWSTR key, double& value);
// A finite double above 0 (pitches, spacings and tolerances: 0 or less would
// make the layout loop for ever or the comparisons meaningless).
bool readPositiveDouble(ini_store2& store, LPCWSTR key, double& value);
// An integer from 0 to count − 1 (a choice among count options).
bool readIndexBelow(ini_store2& store, LPCWSTR key, std::uint32_t count, std::uint32_t& value);
// Any integer as a flag: 1 when it is not 0.
bool readFlag(ini_store2& store, LPCWSTR key, std::uint8_t& value);
// A text (an empty one included).
bool readText(ini_store2& store, LPCWSTR key, CString& value);
