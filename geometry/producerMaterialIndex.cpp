#include "geometry/producerMaterialIndex.h"

#include <algorithm>

#include "platform/win/StringCompare.h"

bool producerMaterialIndex::addOnce(entry& e, const char16_t* value) {
  if (std::find(e.values.begin(), e.values.end(), value) != e.values.end()) return false;
  e.values.emplace_back(value);
  return true;
}

producerMaterialIndex::entry& producerMaterialIndex::entryOf(std::int32_t id, const char16_t* name) {
  // The own entry carries the own id once that is settled.
  for (entry& e : entries_)
    if (e.id == id) return e;
  entries_.push_back(entry{id, name, {}});
  return entries_.back();
}

bool producerMaterialIndex::addValue(std::int32_t id, const char16_t* name, const char16_t* value) {
  if (name == nullptr || value == nullptr || name[0] == u'\0' || value[0] == u'\0') return false;
  if (hasOwn_ && ownId_ == -1 && _wcsicmp(name, ownName_.c_str()) == 0) {
    ownId_ = id;
    entries_.front().id = id;
  }
  bool added = false;
  if (hasOwn_ && id != ownId_) added = addOnce(entries_.front(), value);
  return addOnce(entryOf(id, name), value) || added;
}

std::int32_t producerMaterialIndex::build(const qevDatabase::Database& database, const char16_t* producerName) {
  entries_.clear();
  ownId_ = -1;
  hasOwn_ = producerName != nullptr && producerName[0] != u'\0';
  ownName_ = hasOwn_ ? producerName : u"";
  if (hasOwn_) entries_.push_back(entry{-1, ownName_, {}});
  const std::int32_t answer = database.EnumProducersMaterials(
      [this](std::int32_t id, const char16_t* producer, const char16_t* material) {
        if (!stop) addValue(id, producer, material);
      });
  if (answer != 0) return answer;
  if (!hasOwn_) return 0;
  entry& own = entries_.front();
  own.id = ownId_;
  own.name = ownName_;
  for (const qevDatabase::NameRow& row : database.EnumNames(u"MATR"))
    if (!row.name.empty()) addOnce(own, row.name.c_str());
  std::erase_if(entries_, [](const entry& e) { return e.values.empty(); });
  return 0;
}
