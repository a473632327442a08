// Records kept by number: an id, a text and a value.
#pragma once

#include "platform/win/CString.h"

#include <cstdint>
#include <vector>

struct idRecord {
  std::int32_t id = 0;
  CString text;
  std::int32_t value = 0;
};

// Removes the first record with `id` by overwriting it with the last record
// and dropping the last (the order is not kept). False when the vector is
// empty or holds no such id.
bool removeRecordById(std::vector<idRecord>& records, std::int32_t id);
