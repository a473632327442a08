// The dialog's choices over the model's zones: which zones a display type
// and a circuit shape reach, with a selection and without.
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "tests/heating/design/DesignTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using zone_test::ZoneTest;

// Four zones whose designs start at display type 7 and shape 7, the listed
// ones selected.
struct FourZones {
  explicit FourZones(const std::vector<int>& selected) {
    for (std::uint32_t n = 1; n <= 4; ++n) {
      CFHZoneEntry* zone = model.addZone(n);
      zone->design()->setDisplayType(7);
      zone->design()->setCircuitShape(7);
    }
    for (int i : selected) model.selectedZones.push_back(model.zones()[static_cast<std::size_t>(i)].get());
  }
  // Per zone, whether the value reached it.
  template <typename Read>
  std::vector<bool> reached(Read read, std::uint32_t value) const {
    std::vector<bool> answer;
    for (const auto& zone : model.zones()) answer.push_back(read(*zone->design()) == value);
    return answer;
  }
  CFHModel model;
};

TEST_F(ZoneTest, ADisplayTypeForAllReachesEveryZoneWhateverIsSelected) {
  const struct {
    const char* name;
    std::vector<int> selected;
    bool all;
    std::vector<bool> reached;
  } cases[] = {
      {"all, two selected", {1, 3}, true, {true, true, true, true}},
      {"all, none selected", {}, true, {true, true, true, true}},
      {"the selection", {1, 3}, false, {false, true, false, true}},
      {"the selection, none selected", {}, false, {false, false, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FourZones zones(c.selected);
    zones.model.setDisplayType(2, c.all);
    EXPECT_EQ(zones.reached([](const CFHZoneDesign& d) { return d.displayType(); }, 2), c.reached);
    EXPECT_EQ(zones.model.selectedZones.size(), c.selected.size()) << "the selection stays";
  }
}

TEST_F(ZoneTest, ACircuitShapeReachesTheSelectionOrEveryZoneWhenNoneIsSelected) {
  for (const bool withSelection : {true, false}) {
    SCOPED_TRACE(withSelection ? "two selected" : "none selected");
    FourZones zones(withSelection ? std::vector<int>{0, 2} : std::vector<int>{});
    zones.model.setCircuitShape(1);
    const std::vector<bool> expected =
        withSelection ? std::vector<bool>{true, false, true, false} : std::vector<bool>{true, true, true, true};
    EXPECT_EQ(zones.reached([](const CFHZoneDesign& d) { return d.circuitShape(); }, 1), expected);
  }
}

}  // namespace
