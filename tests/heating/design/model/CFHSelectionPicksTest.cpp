// The dialog pages' selection, numbers and colours over four rooms: circuit
// 1 feeds zones 1 and 2, circuit 2 zone 3, zone 4 has no circuit.
#include "heating/design/model/CFHCircuit.h"

#include "ZoneDesignTestSupport.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <tuple>

namespace {

using Keys = std::vector<std::uint64_t>;

Keys cat(std::initializer_list<Keys> parts) {
  Keys all;
  for (const Keys& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct Rooms {
  Rooms() {
    for (std::uint32_t n = 1; n <= 4; ++n) {
      const double x = 5000.0 * n;
      zones.push_back(zone_design_test::addZone(
          model, n, zone_fixture::polygon("", {{x, 0}, {x + 3000, 0}, {x + 3000, 2000}, {x, 2000}})));
    }
    model.addCircuit(1)->addZone(zones[0]);
    model.circuits()[0]->addZone(zones[1]);
    model.addCircuit(2)->addZone(zones[2]);
  }
  Keys parts(int zone) const { return CFHModel::partKeysOf(*zones[static_cast<std::size_t>(zone - 1)]); }
  std::vector<std::uint32_t> selectedNumbers() const {
    std::vector<std::uint32_t> numbers;
    for (const CFHZoneEntry* zone : model.selectedZones) numbers.push_back(zone->number);
    return numbers;
  }
  std::uint32_t currentNumber() const { return model.currentCircuit ? model.currentCircuit->number : 0; }
  // Every design's selected sides are the part keys of its zone among the
  // keys, in side order.
  void expectSidesFollowKeys() const {
    for (const CFHZoneEntry* zone : zones) {
      Keys expected;
      for (const std::uint64_t key : CFHModel::partKeysOf(*zone))
        if (std::count(model.selectionKeys.begin(), model.selectionKeys.end(), key) > 0) expected.push_back(key);
      Keys selected;
      zone->design()->selectedEdgeKeys(selected);
      EXPECT_EQ(selected, expected) << "zone " << zone->number;
    }
  }
  CFHModel model;
  std::vector<CFHZoneEntry*> zones;
};

class Pages : public zone_design_test::DesignTest {};

TEST_F(Pages, PicksInEveryMode) {
  Rooms r;
  const Keys p1 = r.parts(1), p3 = r.parts(3), p4 = r.parts(4);
  ASSERT_EQ(p1.size(), 4u);
  const struct {
    const char* name;
    Keys before;  // picked first, in mode 0
    int mode, option;
    Keys picked, keys;
    std::vector<std::uint32_t> zones;
    std::uint32_t circuit;
    bool taken;
  } rows[] = {
      {"zone 2 brings its circuit", {}, 0, 0, {2000000}, {2000000, 1}, {2}, 1, true},
      {"zone 3 replaces zone 2", {2000000}, 0, 0, {3000000}, {3000000, 2}, {3}, 2, true},
      {"circuit 1 widens to its first zone", {3000000}, 1, 0, {1}, cat({{1, 1000000}, p1}), {1}, 1, true},
      {"widening keeps duplicates", {2000000}, 1, 0, {2000000, 1, 3000000},
       cat({{2000000, 1, 2000000}, r.parts(2), {1, 1, 1000000}, p1, {3000000}, p3, {2}}), {1, 2, 3}, 2, true},
      {"zones and sides together are refused", {2000000}, 3, 0, {3000000, p4[0]}, {2000000, 1}, {2}, 1, false},
      {"a zone without circuit", {}, 0, 0, {4000000}, {4000000}, {4}, 0, true},
      {"mode 2 clears", {2000000}, 2, 0, {3000000}, {}, {}, 0, true},
      {"option 6 forgets", {1}, 0, 6, {1000000, 2000000}, {1000000, 1, 2000000}, {1, 2}, 1, true},
      {"without option 6", {1}, 0, 0, {1000000, 2000000}, {2000000, 1}, {2}, 1, true},
      {"one side", {}, 0, 0, {p4[1]}, {p4[1]}, {4}, 0, true},
      {"a side widens to its zone", {}, 1, 0, {p3[0]}, cat({{2, 3000000}, p3}), {3}, 2, true},
      {"a zone replaces a side and widens", {p1[0]}, 3, 0, {1000000},
       cat({{1000000, 1, 1000000}, p1, {1, 1, 1000000}, p1, {1000000}, p1, {1}}), {1}, 1, true},
      {"mode 4 changes nothing", {2000000}, 4, 0, {3000000}, {2000000, 1}, {2}, 1, false},
  };
  for (const auto& row : rows) {
    Rooms m;
    // The rooms of `m` have side ids of their own: the table's side keys
    // (of `r`) are moved onto them.
    const auto own = [&](const Keys& keys) {
      Keys moved;
      for (std::uint64_t key : keys) {
        if (CFHModel::selectionKeyKind(key) == CFHModel::kKeyPart) {
          const int zone = static_cast<int>(key / 1000000);
          const Keys sides = r.parts(zone);
          key = m.parts(zone)[static_cast<std::size_t>(std::find(sides.begin(), sides.end(), key) - sides.begin())];
        }
        moved.push_back(key);
      }
      return moved;
    };
    Keys picked = own(row.before);
    ASSERT_TRUE(m.model.updateSelectionFromPicks(picked, 0, 0)) << row.name;
    picked = own(row.picked);
    EXPECT_EQ(m.model.updateSelectionFromPicks(picked, row.mode, row.option), row.taken) << row.name;
    const Keys expected = own(row.keys);
    EXPECT_EQ(m.model.selectionKeys, expected) << row.name;
    EXPECT_EQ(picked, expected) << row.name;
    EXPECT_EQ(m.selectedNumbers(), row.zones) << row.name;
    EXPECT_EQ(m.currentNumber(), row.circuit) << row.name;
    m.expectSidesFollowKeys();
  }
}

// Keys that name nothing: kept from before a renumbering, or of a circuit
// that lost its only zone, which then brings only itself.
TEST_F(Pages, StaleKeysAndEmptyCircuits) {
  Rooms r;
  Keys picked{3000000};
  r.model.updateSelectionFromPicks(picked, 0, 0);
  r.zones[2]->number = 7;
  r.model.circuits()[1]->number = 8;
  picked = {1000000};
  ASSERT_TRUE(r.model.updateSelectionFromPicks(picked, 1, 0));
  EXPECT_EQ(r.model.selectionKeys, cat({{1000000}, r.parts(1), {1}}));

  r.model.circuits()[0]->popLastZone();
  r.model.circuits()[0]->popLastZone();
  for (const int mode : {0, 1}) {
    picked = {1};
    ASSERT_TRUE(r.model.updateSelectionFromPicks(picked, mode, 6));
    EXPECT_EQ(r.model.selectionKeys, Keys{1}) << mode;
    EXPECT_TRUE(r.model.selectedZones.empty());
    EXPECT_EQ(r.currentNumber(), 1u);
  }
}

// Keys are 64 bits: zone 5000 is 5000000000 and its side 7 5000000007,
// which no other zone's or circuit's key meets.
TEST_F(Pages, KeysOfLargeZoneNumbers) {
  Rooms r;
  r.zones[3]->design()->boundary()->asDrawnLoop.item(0)->id = 7;
  r.zones[3]->number = 5000;
  EXPECT_EQ(r.zones[3]->selectionKey(), 5000000000u);
  EXPECT_EQ(r.parts(4).front(), 5000000007u);
  EXPECT_EQ(CFHModel::selectionKeyKind(5000000000u), CFHModel::kKeyZone);
  EXPECT_EQ(CFHModel::selectionKeyKind(5000000007u), CFHModel::kKeyPart);
  EXPECT_EQ(CFHModel::selectionKeyKind(999999u), CFHModel::kKeyCircuit);
  Keys picked{5000000007u};
  ASSERT_TRUE(r.model.updateSelectionFromPicks(picked, 0, 0));
  EXPECT_EQ(r.selectedNumbers(), std::vector<std::uint32_t>{5000});
  EXPECT_EQ(r.model.zoneOfKey(5000000007u), r.zones[3]);
  EXPECT_EQ(r.model.zoneOfKey(5000000008u), nullptr);
  EXPECT_EQ(r.model.zoneOfKey(std::numeric_limits<std::uint64_t>::max()), nullptr);
  // Zone 3 becomes 5000: its side 7 moves with it.
  r.zones[2]->design()->boundary()->asDrawnLoop.item(0)->id = 7;
  r.zones[3]->number = 4;
  picked = {3000007};
  r.model.updateSelectionFromPicks(picked, 1, 0);
  ASSERT_EQ(r.model.setCurrentZoneNumber(5000), 0);
  EXPECT_EQ(r.model.selectionKeys, cat({{2, 5000000000u}, r.parts(3)}));
  EXPECT_EQ(r.parts(3).front(), 5000000007u);
}

// Answers 1, 2 and 3 change nothing; 0 moves the keys with the numbers.
// Zone 6 and circuit 8 an edit left as drawn keep their numbers, and its
// heating body 10.
TEST_F(Pages, ZoneAndCircuitNumbers) {
  Rooms r;
  r.model.keptAsDrawn.zoneNumbers = {6};
  r.model.keptAsDrawn.circuitNumbers = {8};
  r.model.keptAsDrawn.bodyNumbers = {10};
  EXPECT_EQ(r.model.setCurrentZoneNumber(5), 1);  // no zone selected
  r.zones[2]->design()->boundary()->asDrawnLoop.item(1)->id = 7;
  r.zones[0]->heatingBody = std::make_unique<CFHHeatingBody>();
  r.zones[2]->heatingBody = std::make_unique<CFHHeatingBody>();
  Keys keys{3000000};
  r.model.updateSelectionFromPicks(keys, 1, 0);  // [2, 3000000, its sides]
  for (const auto& [zone, n, answer] :
       {std::tuple{true, 3ll, 1}, {true, 1ll, 2}, {true, 6ll, 2}, {true, 0ll, 3}, {true, 1ll << 32, 3},
        {false, 2ll, 1}, {false, 1ll, 2}, {false, 8ll, 2}, {false, 0ll, 3}, {false, 1000000ll, 3}}) {
    EXPECT_EQ(zone ? r.model.setCurrentZoneNumber(n) : r.model.setCurrentCircuitNumber(n), answer) << n;
    EXPECT_EQ(r.model.selectionKeys, keys);
  }
  ASSERT_EQ(r.model.setCurrentZoneNumber(5), 0);
  ASSERT_EQ(r.model.setCurrentCircuitNumber(7), 0);
  for (std::uint64_t& key : keys) key = key == 2 ? 7 : key + 2000000;
  EXPECT_EQ(r.model.selectionKeys, keys);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), 5000007u), 1);
  // Bodies after the highest number, circuit 8 left as drawn counted and
  // its body 10 passed over: circuit 1's zone 1, then circuit 7's.
  EXPECT_TRUE(r.zones[0]->heatingBody->number == 9u && r.zones[2]->heatingBody->number == 11u);
  r.model.currentCircuit = nullptr;
  EXPECT_EQ(r.model.setCurrentCircuitNumber(9), 1);
}

TEST_F(Pages, CircuitColours) {
  Rooms r;
  std::map<std::uint32_t, std::uint32_t> colours = r.model.collectCircuitColors();
  EXPECT_EQ(colours, (std::map<std::uint32_t, std::uint32_t>{{1, 2}, {2, 3}}));
  colours = {{1, 9}, {5, 4}};
  r.model.applyCircuitColors(colours);
  EXPECT_EQ(colours, (std::map<std::uint32_t, std::uint32_t>{{1, 9}, {2, 0}, {5, 4}}));
  EXPECT_EQ(r.model.circuits()[0]->colourIndex, 9u);
  EXPECT_EQ(r.model.circuits()[1]->colourIndex, 0u);
}

}  // namespace
