#include "geometry/stringListRec.h"

stringListRec& stringListRec::operator=(const stringListRec& other) {
  if (this == &other) return *this;
  text = other.text;
  strings = other.strings ? std::make_unique<CStringArray>(*other.strings) : nullptr;
  return *this;
}
