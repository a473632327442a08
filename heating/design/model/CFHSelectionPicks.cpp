// The dialog's selection as keys, and how picks in the preview change it.
//
// A pick hands over the keys picked. Against the previous selection they
// split into kept keys (picked and selected before), new keys (picked, not
// selected before) and dropped keys (selected before, not picked). Dropped
// keys take what they brought with them out of the kept keys; new keys are
// added, in the replacing modes (0, 3) with what belongs to them, and in the
// widening modes (1, 3) every picked key is added again with its zone's
// sides, its circuit or its first zone. Duplicates are kept on purpose: a key
// brought twice leaves only when both reasons for it are gone.
#include "heating/design/model/CFHModel.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include <algorithm>
#include <limits>

namespace {

using Keys = std::vector<std::uint64_t>;

bool contains(const Keys& keys, std::uint64_t key) { return std::find(keys.begin(), keys.end(), key) != keys.end(); }

void removeAll(Keys& keys, std::uint64_t key) { std::erase(keys, key); }

void removeOnce(Keys& keys, std::uint64_t key) {
  const auto found = std::find(keys.begin(), keys.end(), key);
  if (found != keys.end()) keys.erase(found);
}

void removeEach(Keys& keys, const Keys& gone) {
  for (const std::uint64_t key : gone) removeAll(keys, key);
}

void append(Keys& keys, const Keys& more) { keys.insert(keys.end(), more.begin(), more.end()); }

}  // namespace

int CFHModel::selectionKeyKind(std::uint64_t key) {
  if (key < kZoneKeyFactor) return kKeyCircuit;
  return key % kZoneKeyFactor > 0 ? kKeyPart : kKeyZone;
}

CFHZoneEntry* CFHModel::zoneOfKey(std::uint64_t key) const {
  const int kind = selectionKeyKind(key);
  const std::uint64_t number = key / kZoneKeyFactor;
  if (kind == kKeyCircuit || number > std::numeric_limits<std::uint32_t>::max()) return nullptr;
  CFHZoneEntry* zone = zoneByNumber(static_cast<std::uint32_t>(number));
  if (zone == nullptr || kind == kKeyZone) return zone;
  const CFHZoneBoundary* boundary = zone->design()->boundary();
  const auto id = static_cast<int>(key % kZoneKeyFactor);
  return boundary != nullptr && boundary->asDrawnLoop.indexOfId(id) >= 0 ? zone : nullptr;
}

bool CFHModel::keyNamesItem(std::uint64_t key) const {
  if (selectionKeyKind(key) == kKeyCircuit) return circuitByNumber(static_cast<std::uint32_t>(key)) != nullptr;
  return zoneOfKey(key) != nullptr;
}

std::vector<std::uint64_t> CFHModel::partKeysOf(const CFHZoneEntry& zone) {
  Keys keys;
  const CFHZoneBoundary* boundary = zone.design()->boundary();
  if (boundary == nullptr) return keys;
  const CFHBoundLoop& sides = boundary->asDrawnLoop;
  for (int i = 0; i < sides.itemCount(); ++i) {
    const int id = sides.item(i)->id;
    // An id of 0 would be the zone's own key, one of 1000000 or more another zone's.
    if (id > 0 && static_cast<std::uint64_t>(id) < kZoneKeyFactor) keys.push_back(zone.design()->edgeKey(static_cast<std::uint32_t>(id)));
  }
  return keys;
}

bool CFHModel::updateSelectionFromPicks(std::vector<std::uint64_t>& picked, int mode, int option) {
  if (mode < 0 || mode > 3) {
    picked = selectionKeys;
    return false;
  }
  const bool widening = mode == 1 || mode == 3;
  Keys previous;
  if (mode != 2 && option != 6) {
    // A key of a zone or circuit renumbered or gone since names nothing.
    for (const std::uint64_t key : selectionKeys)
      if (keyNamesItem(key)) previous.push_back(key);
  }
  Keys picks;
  if (mode != 2) {
    for (const std::uint64_t key : picked)
      if (keyNamesItem(key)) picks.push_back(key);
  }

  Keys kept;
  Keys added;
  for (const std::uint64_t key : picks) (contains(previous, key) ? kept : added).push_back(key);
  Keys dropped;
  for (const std::uint64_t key : previous)
    if (!contains(picks, key)) dropped.push_back(key);
  if (added.empty() && kept.size() == 1) added = kept;

  const bool addsParts = !added.empty() && selectionKeyKind(added.front()) == kKeyPart;
  // Whether a dropped zone takes its sides with it: the pick brings no new
  // side of its own.
  const bool partsGo = widening || added.empty() || !addsParts;
  // The circuit of a dropped zone leaves unless another zone of it stays.
  const auto dropCircuitOf = [&](const CFHZoneEntry& zone) {
    if (zone.circuit == nullptr) return;
    for (const CFHZoneEntry* other : zone.circuit->zones())
      if (other != &zone && contains(kept, other->selectionKey())) return;
    removeAll(kept, zone.circuit->number);
  };
  for (const std::uint64_t key : dropped) {
    switch (selectionKeyKind(key)) {
      case kKeyZone: {
        const CFHZoneEntry& zone = *zoneOfKey(key);
        dropCircuitOf(zone);
        if (partsGo) removeEach(kept, partKeysOf(zone));
        break;
      }
      case kKeyCircuit:
        for (const CFHZoneEntry* zone : circuitByNumber(static_cast<std::uint32_t>(key))->zones()) {
          removeAll(kept, zone->selectionKey());
          if (partsGo) removeEach(kept, partKeysOf(*zone));
        }
        break;
      default: {
        if (!(widening || added.empty() || addsParts)) break;
        const CFHZoneEntry& zone = *zoneOfKey(key);
        dropCircuitOf(zone);
        removeOnce(kept, zone.selectionKey());
        if (widening) removeEach(kept, partKeysOf(zone));
        break;
      }
    }
  }

  if (!added.empty()) {
    const int leading = selectionKeyKind(added.front());
    if (mode == 0 || mode == 3) {
      const bool oneKind = std::all_of(added.begin(), added.end(), [&](std::uint64_t k) { return selectionKeyKind(k) == leading; });
      if (!oneKind) {
        // A pick of zones and sides together is refused as a whole.
        picked = selectionKeys;
        return false;
      }
      for (const std::uint64_t key : added) {
        kept.push_back(key);
        if (leading == kKeyZone) {
          const CFHCircuit* circuit = zoneOfKey(key)->circuit;
          if (circuit != nullptr && !contains(kept, circuit->number)) kept.push_back(circuit->number);
        } else if (leading == kKeyCircuit) {
          // A circuit whose zones all left it brings only itself.
          const CFHCircuit& circuit = *circuitByNumber(static_cast<std::uint32_t>(key));
          if (!circuit.zones().empty()) kept.push_back(circuit.zones().front()->selectionKey());
        }
      }
      std::erase_if(kept, [&](std::uint64_t k) { return (selectionKeyKind(k) == kKeyPart) != (leading == kKeyPart); });
    }
    picks = kept;
    append(picks, added);
    if (widening) {
      for (const std::uint64_t key : picks) {
        const int kind = selectionKeyKind(key);
        if (kind == kKeyCircuit) {
          kept.push_back(key);
          const CFHCircuit& circuit = *circuitByNumber(static_cast<std::uint32_t>(key));
          if (circuit.zones().empty()) continue;
          kept.push_back(circuit.zones().front()->selectionKey());
          append(kept, partKeysOf(*circuit.zones().front()));
          continue;
        }
        const CFHZoneEntry& zone = *zoneOfKey(key);
        // A side is not added for itself: its zone's sides bring it.
        if (kind == kKeyZone) kept.push_back(key);
        if (kind == kKeyPart && zone.circuit != nullptr) kept.push_back(zone.circuit->number);
        if (kind == kKeyPart) kept.push_back(zone.selectionKey());
        append(kept, partKeysOf(zone));
        if (kind == kKeyZone && zone.circuit != nullptr) kept.push_back(zone.circuit->number);
      }
    }
  }

  picked = kept;
  selectionKeys = kept;
  selectedZones.clear();
  for (const auto& zone : zones_) {
    const std::uint32_t number = zone->number;
    const bool selected = std::any_of(kept.begin(), kept.end(), [&](std::uint64_t k) {
      return selectionKeyKind(k) != kKeyCircuit && k / kZoneKeyFactor == number;
    });
    if (selected) selectedZones.push_back(zone.get());
    zone->design()->selectEdgesByKeys(kept);
  }
  currentCircuit = nullptr;
  for (const std::uint64_t key : kept)
    if (selectionKeyKind(key) == kKeyCircuit) currentCircuit = circuitByNumber(static_cast<std::uint32_t>(key));
  return true;
}
