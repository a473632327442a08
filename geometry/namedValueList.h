// A list of named value lists whose holders are shared by reference count:
// whoever took a holder (holder()) keeps its name and values alive after the
// list has replaced or removed it. Holders never change once made.
//
// A list belongs to one thread; holders taken from it may be read anywhere.
#pragma once

#include <memory>
#include <vector>

#include "platform/win/CString.h"
#include "platform/win/FrameworkArrays.h"

struct namedValue {
  CString name;
  CStringArray values;
};

class namedValueList {
 public:
  // The values of the holder of exactly that name; null when none (or for a
  // null name).
  const CStringArray* find(const char16_t* name) const;
  // The holder itself, sharing a reference; null when none.
  std::shared_ptr<const namedValue> holder(const char16_t* name) const;
  // Replaces the holder of that name, in its place, by a new one holding a
  // copy of the values (the old one loses the list's reference), or appends
  // it. False for a null name.
  bool set(const char16_t* name, const CStringArray& values);
  // Drops the holder of that name; false when there is none.
  bool remove(const char16_t* name);

  int count() const { return static_cast<int>(holders_.size()); }

 private:
  std::vector<std::shared_ptr<const namedValue>>::const_iterator findHolder(const char16_t* name) const;

  std::vector<std::shared_ptr<const namedValue>> holders_;
};
