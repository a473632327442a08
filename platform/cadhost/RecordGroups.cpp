#include "platform/cadhost/RecordGroups.h"

namespace cadhost {

void setHandleGroup(GroupList& list, Handle handle, int code) {
  for (Group& g : list) {
    if (g.code() == code) {
      g.setText(handleText(handle));
      return;
    }
    if (g.code() == 100 || g.code() >= 1000) break;
  }
  list.insert(list.begin() + (list.empty() ? 0 : 1), Group::text(code, handleText(handle)));
}

std::size_t ownerGroupIndex(const GroupList& list, bool& found) {
  // Where the owner belongs: after group 5 and the brace groups.
  std::size_t place = list.empty() ? 0 : 1;
  bool placeFixed = false;
  for (std::size_t at = place; at < list.size();) {
    const Group& g = list[at];
    if (g.code() == 100 || g.code() >= 1000) break;
    if (g.code() == 330) {
      found = true;
      return at;
    }
    if (g.code() == 102 && g.asText().starts_with(u"{")) {
      while (at < list.size() && !(list[at].code() == 102 && list[at].asText() == u"}")) ++at;
      if (at < list.size()) ++at;
    } else {
      if (g.code() != 5 && g.code() != 105) placeFixed = true;
      ++at;
    }
    if (!placeFixed) place = at;
  }
  found = false;
  return place;
}

std::optional<Handle> ownerHandle(const GroupList& list) {
  bool found = false;
  std::size_t at = ownerGroupIndex(list, found);
  if (!found) return std::nullopt;
  return parseHandle(list[at].asText());
}

void setOwnerGroup(GroupList& list, Handle owner) {
  bool found = false;
  std::size_t at = ownerGroupIndex(list, found);
  if (found) list[at].setText(handleText(owner));
  else list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), Group::text(330, handleText(owner)));
}

}  // namespace cadhost
