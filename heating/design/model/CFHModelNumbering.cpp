// Numbers of the circuits, zones and heating bodies of a design model, and
// the order of its lists; the number setters of the dialog pages.
#include "heating/design/model/CFHModel.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHZoneEntry.h"

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

namespace {

template <typename Owned>
void stableSortByNumber(std::vector<Owned>& list) {
  std::stable_sort(list.begin(), list.end(), [](const Owned& a, const Owned& b) { return a->number < b->number; });
}

}  // namespace

CFHCircuit* CFHModel::appendCircuit(std::unique_ptr<CFHCircuit> circuit) {
  if (circuit == nullptr) return nullptr;
  circuits_.push_back(std::move(circuit));
  return circuits_.back().get();
}

void CFHModel::selectCircuitByNumber(std::uint32_t n) {
  const auto found = std::find_if(circuits_.begin(), circuits_.end(), [n](const auto& c) { return c->number == n; });
  if (found != circuits_.end()) currentCircuit = found->get();
}

void CFHModel::renumberCircuits() {
  const CFHPipeNetwork& network = pipeNetwork_;
  if (network.autoNumberCircuits == 0) return;
  // Numbers stay within 1 to kMaxCircuitNumber, below the zones' selection
  // keys: a start outside (a damaged manifold record) moves in.
  const auto count = static_cast<std::int64_t>(circuits_.size());
  const std::int64_t last = std::max<std::int64_t>(kMaxCircuitNumber - count + 1, 1);
  std::uint32_t next = static_cast<std::uint32_t>(std::clamp<std::int64_t>(network.firstCircuitNumber, 1, last));
  for (const auto& circuit : circuits_) circuit->number = next++;
  renumberHeatingBodies();
}

void CFHModel::renumberZones() {
  const CFHPipeNetwork& network = pipeNetwork_;
  if (network.autoNumberZones == 0) return;
  std::uint32_t next = static_cast<std::uint32_t>(std::max(network.firstZoneNumber, 1));
  for (const auto& zone : zones_) zone->number = next++;
}

void CFHModel::numberZonesByCircuits() {
  for (const auto& circuit : circuits_) {
    if (circuit->zones().empty()) continue;
    CFHZoneEntry* first = circuit->zones().front();
    for (const auto& zone : zones_) {
      if (zone.get() != first && zone->number == circuit->number) zone->number = first->number;
    }
    first->number = circuit->number;
  }
}

void CFHModel::renumberHeatingBodies() {
  const std::vector<CFHCircuit*> byNumber = sortedCircuits();
  const std::set<std::uint32_t>& kept = keptAsDrawn.circuitNumbers;
  std::uint32_t counter = std::max(byNumber.empty() ? 0u : byNumber.back()->number, kept.empty() ? 0u : *kept.rbegin());
  for (const CFHCircuit* circuit : byNumber) {
    for (CFHZoneEntry* zone : circuit->zones()) {
      if (zone->heatingBody == nullptr) continue;
      do ++counter;
      while (keptAsDrawn.bodyNumbers.count(counter) != 0);
      zone->heatingBody->number = counter;
    }
  }
}

int CFHModel::setCurrentCircuitNumber(std::int64_t n) {
  if (n < 1 || n > kMaxCircuitNumber) return 3;
  const auto number = static_cast<std::uint32_t>(n);
  if (currentCircuit == nullptr || currentCircuit->number == number) return 1;
  if (circuitByNumber(number) != nullptr || keptAsDrawn.circuitNumbers.count(number) != 0) return 2;
  const std::uint32_t old = currentCircuit->number;
  currentCircuit->number = number;
  std::replace(selectionKeys.begin(), selectionKeys.end(), static_cast<std::uint64_t>(old),
               static_cast<std::uint64_t>(number));
  renumberHeatingBodies();
  return 0;
}

int CFHModel::setCurrentZoneNumber(std::int64_t n) {
  if (n < 1 || n > std::numeric_limits<std::uint32_t>::max()) return 3;
  const auto number = static_cast<std::uint32_t>(n);
  CFHZoneEntry* zone = firstSelectedZone();
  if (zone == nullptr || zone->number == number) return 1;
  if (zoneByNumber(number) != nullptr || keptAsDrawn.zoneNumbers.count(number) != 0) return 2;
  const std::uint64_t oldKey = zone->selectionKey();
  zone->number = number;
  const std::uint64_t newKey = zone->selectionKey();
  // The zone's key and its part keys (the same zone number) move together.
  for (std::uint64_t& key : selectionKeys)
    if (selectionKeyKind(key) != kKeyCircuit && key / kZoneKeyFactor == oldKey / kZoneKeyFactor)
      key = newKey + key % kZoneKeyFactor;
  return 0;
}

void CFHModel::sortCircuitsByNumber() { stableSortByNumber(circuits_); }
void CFHModel::sortZonesByNumber() { stableSortByNumber(zones_); }
