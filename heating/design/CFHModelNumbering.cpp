// Numbers of the circuits, zones and heating bodies of a design model, and
// the order of its lists.
#include "heating/design/CFHModel.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHZoneEntry.h"

#include <algorithm>
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
  // Numbers start at 1: a start below it (a damaged manifold record) is 1.
  std::uint32_t next = static_cast<std::uint32_t>(std::max(network.firstCircuitNumber, 1));
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
  std::vector<const CFHCircuit*> byNumber;
  for (const auto& circuit : circuits_) byNumber.push_back(circuit.get());
  std::stable_sort(byNumber.begin(), byNumber.end(), [](const auto* a, const auto* b) { return a->number < b->number; });
  std::uint32_t counter = byNumber.empty() ? 0 : byNumber.back()->number;
  for (const CFHCircuit* circuit : byNumber) {
    for (CFHZoneEntry* zone : circuit->zones())
      if (zone->heatingBody != nullptr) zone->heatingBody->number = ++counter;
  }
}

void CFHModel::sortCircuitsByNumber() { stableSortByNumber(circuits_); }
void CFHModel::sortZonesByNumber() { stableSortByNumber(zones_); }
