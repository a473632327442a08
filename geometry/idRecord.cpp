#include "geometry/idRecord.h"

#include <utility>

bool removeRecordById(std::vector<idRecord>& records, std::int32_t id) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].id != id) continue;
    if (i + 1 != records.size()) records[i] = std::move(records.back());
    records.pop_back();
    return true;
  }
  return false;
}
