#include "heating/design/settings/CFHStringPairTable.h"

#include <algorithm>

CFHStringPairTable::Entry* CFHStringPairTable::find(const CString& key) const {
  for (const auto& entry : entries_) {
    if (entry->key.Compare(key) == 0) return entry.get();
  }
  return nullptr;
}

CFHStringPairTable::Entry& CFHStringPairTable::addKey(const CString& key) {
  if (Entry* found = find(key)) return *found;
  entries_.push_back(std::make_unique<Entry>(Entry{key, {}}));
  return *entries_.back();
}

bool CFHStringPairTable::add(const CString& key, const CString& value) {
  Entry& entry = addKey(key);
  const bool known = std::any_of(entry.values.begin(), entry.values.end(),
                                 [&](const CString& v) { return v.Compare(value) == 0; });
  if (known) return false;
  entry.values.push_back(value);
  return true;
}

bool CFHStringPairTable::contains(const CString& key, const CString& value) const {
  const Entry* entry = find(key);
  return entry != nullptr && std::any_of(entry->values.begin(), entry->values.end(),
                                         [&](const CString& v) { return v.Compare(value) == 0; });
}

bool containsPairInEither(const CFHStringPairTable& first, const CFHStringPairTable& second,
                          const CString& key, const CString& value) {
  return first.contains(key, value) || second.contains(key, value);
}
