// The materials of each producer of floor structures, read from the
// product database: one entry per producer id with the producer's name and
// its materials, each once. Built for one producer of interest ("own"), the
// index also gathers into that producer's entry every material of the
// others and every material name of the database's table "MATR", so that a
// dialog offers the own producer every material it may choose.
//
// An index belongs to the thread that builds it (the host's).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/qevdb/Database.h"

class producerMaterialIndex {
 public:
  struct entry {
    std::int32_t id = -1;
    std::u16string name;
    std::vector<std::u16string> values;
  };

  // Clears the index and fills it from the database's producer-material
  // pairs (addValue each). With a producer name, the own entry comes first:
  // its id is that of the first pair whose producer equals the name
  // (_wcsicmp), -1 before; it takes the materials of the other producers and
  // the names of table "MATR", and entries left without materials are
  // removed. Answers 0, or the enumeration's non-zero answer unchanged (the
  // index then holds what was read so far).
  std::int32_t build(const qevDatabase::Database& database, const char16_t* producerName);

  // Adds `value` to the materials of producer `id` (its entry made with
  // `name` when missing), and first to the own entry when there is an own
  // producer of another id; a material already listed is not added twice.
  // Nothing for an empty or null name or value. False when nothing was added.
  bool addValue(std::int32_t id, const char16_t* name, const char16_t* value);

  const std::vector<entry>& entries() const { return entries_; }
  std::int32_t ownId() const { return ownId_; }

  // While set, the enumeration's callback does nothing (the caller's way to
  // cut a long read short); build keeps it.
  bool stop = false;

 private:
  entry& entryOf(std::int32_t id, const char16_t* name);
  static bool addOnce(entry& e, const char16_t* value);

  std::vector<entry> entries_;
  std::u16string ownName_;
  bool hasOwn_ = false;
  std::int32_t ownId_ = -1;
};
