// Lists of dimension names by entry (the dimension slots of a product's
// property dialog), each filled from the product database on first use: entry
// i takes the names of the database's table "DIM<i>". Host thread only.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/qevdb/Database.h"

class slotArray {
 public:
  // The names of entry `index` of the table, read from `database` when the
  // entry is still empty. Null for a negative index, or when the entry is
  // empty and the database is missing or has no such table (nothing is kept
  // then, so a later call may fill it).
  static const std::vector<std::u16string>* getOrCreate(slotArray& table, std::int32_t index,
                                                         const qevDatabase::Database* database);

 private:
  std::map<std::int32_t, std::vector<std::u16string>> slots_;
};
