#include "geometry/namedValueList.h"

#include <algorithm>
#include <string_view>

std::vector<std::shared_ptr<const namedValue>>::const_iterator namedValueList::findHolder(const char16_t* name) const {
  if (name == nullptr) return holders_.end();
  const std::u16string_view wanted(name);
  return std::find_if(holders_.begin(), holders_.end(), [wanted](const auto& h) { return h->name.view() == wanted; });
}

const CStringArray* namedValueList::find(const char16_t* name) const {
  const auto it = findHolder(name);
  return it == holders_.end() ? nullptr : &(*it)->values;
}

std::shared_ptr<const namedValue> namedValueList::holder(const char16_t* name) const {
  const auto it = findHolder(name);
  return it == holders_.end() ? nullptr : *it;
}

bool namedValueList::set(const char16_t* name, const CStringArray& values) {
  if (name == nullptr) return false;
  auto made = std::make_shared<const namedValue>(namedValue{CString(name), values});
  const auto it = findHolder(name);
  if (it == holders_.end())
    holders_.push_back(std::move(made));
  else
    holders_[static_cast<std::size_t>(it - holders_.begin())] = std::move(made);
  return true;
}

bool namedValueList::remove(const char16_t* name) {
  const auto it = findHolder(name);
  if (it == holders_.end()) return false;
  holders_.erase(it);
  return true;
}
