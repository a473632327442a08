// The dialog's choices that apply to the selected zones (or to every zone
// when none is selected): circuit shape, display type and floor structure.
#include "heating/design/model/CFHModel.h"

#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "host/CodePageText.h"
#include "host/HostExport.h"
#include "host/SiblingModules.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace {

// The library's text buffers: 256 bytes and the terminator.
constexpr int kFloorTextSize = 256;

void copyNarrow(const CString& text, std::array<char, kFloorTextSize + 1>& buffer) {
  const std::string narrow = hvWideToMb(text.view());
  const std::size_t n = std::min(narrow.size(), static_cast<std::size_t>(kFloorTextSize));
  std::memcpy(buffer.data(), narrow.data(), n);
  buffer[n] = '\0';
}

}  // namespace

std::vector<CFHZoneEntry*> CFHModel::allZones() const {
  std::vector<CFHZoneEntry*> all;
  all.reserve(zones_.size());
  for (const auto& zone : zones_) all.push_back(zone.get());
  return all;
}

std::vector<CFHZoneEntry*> CFHModel::zonesInScope() const {
  return selectedZones.empty() ? allZones() : selectedZones;
}

void CFHModel::setCircuitShape(std::uint32_t shape) {
  for (CFHZoneEntry* zone : zonesInScope())
    if (zone->design() != nullptr) zone->design()->setCircuitShape(shape);
}

void CFHModel::setDisplayType(std::uint32_t type, bool all) {
  // Every zone means every zone, whatever is selected; without `all` only
  // the selection, which may be empty.
  for (CFHZoneEntry* zone : all ? allZones() : selectedZones)
    if (zone->design() != nullptr) zone->design()->setDisplayType(type);
}

void CFHModel::applyFloorStructure(const CString& mark, const CString& action, bool force) {
  usedFloorStructures.add(action, mark);
  for (CFHZoneEntry* zone : zonesInScope()) zone->calc.setFloorStructure(mark, action, force);
}

bool CFHModel::chooseFloorStructure() {
  if (hvSiblings.floorLibSelect == nullptr) return false;
  std::array<char, kFloorTextSize + 1> mark{};
  std::array<char, kFloorTextSize + 1> action{};
  if (!selectedZones.empty()) {
    copyNarrow(selectedZones.front()->calc.floorStructureMark, mark);
    copyNarrow(selectedZones.front()->calc.floorStructureAction, action);
  }
  const HWND owner = hostMainWindow(hostTable).value_or(nullptr);
  if (hvSiblings.floorLibSelect(owner, 3, mark.data(), kFloorTextSize, action.data(), kFloorTextSize, 0) != 1)
    return false;
  // The library may fill a buffer to its end.
  mark.back() = action.back() = '\0';
  applyFloorStructure(CString(hvMbToWide(mark.data())), CString(hvMbToWide(action.data())), true);
  return true;
}
