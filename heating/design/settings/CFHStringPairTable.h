// A two-level table of texts: keys, each with its own list of values, without
// duplicates at either level (texts compared exactly). The design model's
// floor-structure catalogue is one (key: a structure's name, its action;
// values: the structure's marks), the floor structures used by the design
// another. Used on the command's thread only.
#pragma once

#include "platform/win/CString.h"

#include <memory>
#include <utility>
#include <vector>

class CFHStringPairTable {
 public:
  struct Entry {
    CString key;
    std::vector<CString> values;
  };

  // Adds the key when it is new, then the value to its list when it is new
  // there; answers whether the pair was new.
  bool add(const CString& key, const CString& value);
  // Adds the key when it is new (with no values); answers its entry.
  Entry& addKey(const CString& key);
  bool contains(const CString& key, const CString& value) const;
  // Empties the table: the keys and their value lists.
  void clear() { entries_.clear(); }

  bool empty() const { return entries_.empty(); }
  const std::vector<std::unique_ptr<Entry>>& entries() const { return entries_; }

 private:
  Entry* find(const CString& key) const;

  std::vector<std::unique_ptr<Entry>> entries_;
};

// True when either table holds the pair.
bool containsPairInEither(const CFHStringPairTable& first, const CFHStringPairTable& second,
                          const CString& key, const CString& value);
