#include "platform/cadhost/EntitySelector.h"

#include <algorithm>

#include "platform/cadhost/EntityExtents.h"
#include "platform/cadhost/SymbolName.h"

namespace cadhost {

namespace {

std::string handleUtf8(Handle h) { return utf16ToUtf8(handleText(h)); }

bool matchesAny(std::u16string_view value, const std::vector<std::u16string>& wanted) {
  if (wanted.empty()) return true;
  return std::any_of(wanted.begin(), wanted.end(), [&](const std::u16string& w) { return sameSymbolName(value, w); });
}

}  // namespace

bool EntitySelector::selectable(RecordId id) const {
  if (!d_.isLive(id)) return false;
  const DrawingRecord& r = d_.record(id);
  return r.kind == RecordKind::Entity && r.block < 0 && !r.paperSpace;
}

void EntitySelector::byHandle(Handle handle, SelectionResult& out) const {
  const RecordId id = d_.findByHandle(handle);
  if (id == kNoRecord) {
    out.notes.push_back("no object has handle " + handleUtf8(handle));
  } else if (!selectable(id)) {
    out.notes.push_back("handle " + handleUtf8(handle) + " is not a live model-space entity");
  } else if (std::find(out.entities.begin(), out.entities.end(), id) == out.entities.end()) {
    out.entities.push_back(id);
  }
}

SelectionResult EntitySelector::select(const SelectSpec& spec) const {
  SelectionResult out;
  switch (spec.mode) {
    case SelectSpec::Mode::Handles:
      for (Handle h : spec.handles) byHandle(h, out);
      break;
    case SelectSpec::Mode::All:
      for (RecordId id : d_.modelSpace()) {
        if (!selectable(id)) continue;
        const GroupList& list = d_.record(id).list;
        if (matchesAny(d_.record(id).type(), spec.types) && matchesAny(groupText(list, 8), spec.layers))
          out.entities.push_back(id);
      }
      break;
    case SelectSpec::Mode::Window:
      for (RecordId id : d_.modelSpace()) {
        if (!selectable(id)) continue;
        auto box = entityExtents(d_, id);
        if (box && box->inside(spec.low, spec.high)) out.entities.push_back(id);
      }
      break;
    case SelectSpec::Mode::Assoc: {
      byHandle(spec.handles.front(), out);
      if (out.entities.empty()) break;
      for (Handle h : associatedHandles(d_.record(out.entities.front()).list)) byHandle(h, out);
      break;
    }
    case SelectSpec::Mode::Cancel:
    case SelectSpec::Mode::Fail:
      break;
  }
  return out;
}

std::vector<Handle> EntitySelector::associatedHandles(const GroupList& list) {
  std::vector<Handle> handles;
  bool inAssoc = false;
  for (std::size_t i = xdataStart(list); i < list.size(); ++i) {
    const Group& g = list[i];
    if (g.code() == 1001) {
      inAssoc = sameSymbolName(g.asText(), u"VE2R_ASSOC");
      continue;
    }
    if (!inAssoc || g.code() != 1070 || g.asInt() != 272 || i + 1 >= list.size()) continue;
    const Group& next = list[i + 1];
    if (next.code() != 1005) continue;
    if (auto h = parseHandle(next.asText()); h && *h != 0) handles.push_back(*h);
    ++i;
  }
  return handles;
}

}  // namespace cadhost
