// One zone boundary asked for its offsets by eight threads at once.
#include "heating/layout/offsets/OffsetLevelSource.h"

#include "heating/curves/CFHZoneBoundary.h"

#include "../LayoutTestSupport.h"
#include "../ZoneFixtures.h"

#include <barrier>
#include <map>
#include <thread>

namespace {

constexpr int kThreads = 8;

// The layout's levels, but every call waits until all threads have called:
// so all of them compute and all but one lose the race to store.
class RacingSource : public CFHOffsetLevelSource {
 public:
  void buildLevels(const std::vector<CFloorHeatingCurve*>& curves, double firstOffset, double spacing,
                   std::vector<Level>& levels) const override {
    layoutOffsetLevelSource().buildLevels(curves, firstOffset, spacing, levels);
    meeting_.arrive_and_wait();
  }

 private:
  mutable std::barrier<> meeting_{kThreads};
};

class ZoneBoundaryCacheThreads : public layout_test::LayoutTest {
 protected:
  // The 6 x 4 m rectangle, prepared.
  static void prepare(CFHZoneBoundary& zone) {
    for (auto& curve : zone_fixture::polygon("6 x 4 m", {{0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}}).curves)
      zone.addBoundaryCurve(std::move(curve));
    ASSERT_TRUE(zone.prepareLoop(true));
  }
};

TEST_F(ZoneBoundaryCacheThreads, LosersOfTheRaceAnswerTheStoredLoops) {
  const RacingSource source;
  CFHZoneBoundary zone(&source);
  prepare(zone);
  std::vector<std::vector<CFHBoundLoop*>> answers(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&zone, &answers, t] { zone.offsetLoops(150.0, answers[t]); });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(zone.offsetCacheSize(), 1u);
  ASSERT_EQ(answers[0].size(), 1u);
  for (const auto& answer : answers) EXPECT_EQ(answer, answers[0]);
}

TEST_F(ZoneBoundaryCacheThreads, EqualAndMixedDistancesGiveOneEntryEach) {
  CFHZoneBoundary zone(&layoutOffsetLevelSource());
  prepare(zone);
  const double distances[] = {100.0, 150.0, 250.0, 150.0};
  std::vector<std::map<double, std::vector<CFHBoundLoop*>>> seen(kThreads);
  std::vector<double> areas(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 4; ++round) {
        const double d = distances[(t + round) % 4];
        zone.offsetLoops(d, seen[t][d]);
      }
      areas[t] = zone.offsetArea(150.0);
      zone.cachedPoint(true);
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(zone.offsetCacheSize(), 3u);
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(seen[t], seen[0]);
    EXPECT_NEAR(areas[t], 5700.0 * 3700.0, 1e-3);
  }
  EXPECT_TRUE(zone.cachedPointValid(true));
}

}  // namespace
