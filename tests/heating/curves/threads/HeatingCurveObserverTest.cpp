// The heating-curve observer hook on its own, with no design model: what
// reaches an installed observer, in which lock mode, and that nothing reaches
// one once it is removed while other threads keep reporting.
#include "heating/curves/CurveRegistryLock.h"
#include "heating/curves/HeatingCurveObserver.h"

#include "../CurveTestSupport.h"

#include <array>
#include <atomic>
#include <mutex>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using curve_test::HeatingCurveTest;

// Stand-ins for heating curves: the hook only passes their addresses on.
std::array<char, 64> g_curveSlots;
const CFloorHeatingCurve* fakeCurve(std::size_t i) {
  return reinterpret_cast<const CFloorHeatingCurve*>(&g_curveSlots.at(i));
}

// Counts what reaches it; `removed` is set once it is taken out, after which
// every call is a late one.
class CountingObserver : public HeatingCurveObserver {
 public:
  void recordCurveConstruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept override {
    note(made, curve, tag);
  }
  void recordCurveDestruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept override {
    note(destroyed, curve, tag);
  }
  bool listsCurve(const CFloorHeatingCurve* curve) const noexcept override { return curve == listed.load(); }
  void forgetDestroyedCurve(const CFloorHeatingCurve* curve) noexcept override {
    if (curve == listed.load()) listed = nullptr;
    ++forgotten;
  }
  void polylineOffsetFailed(const XtGeCompositeCurve2d& source, const XtGeCompositeCurve2d&, double distance,
                            const XtGeTol&) override {
    failedOffset = source.numCurves() * 1000.0 + distance;
  }

  std::atomic<int> made{0}, destroyed{0}, forgotten{0}, late{0};
  std::atomic<const CFloorHeatingCurve*> last{nullptr}, listed{nullptr};
  std::atomic<std::uint32_t> lastTag{0};
  std::atomic<bool> removed{false};
  double failedOffset = 0.0;

 private:
  void note(std::atomic<int>& count, const CFloorHeatingCurve* curve, std::uint32_t tag) {
    if (removed) ++late;
    ++count;
    last = curve;
    lastTag = tag;
  }
};

bool install(CountingObserver& observer) {
  std::lock_guard lock(curveRegistryLock());
  return installHeatingCurveObserverLocked(observer);
}

void remove(CountingObserver& observer) {
  std::lock_guard lock(curveRegistryLock());
  removeHeatingCurveObserverLocked(observer);
  observer.removed = true;
}

using HeatingCurveObserverTest = HeatingCurveTest;

TEST_F(HeatingCurveObserverTest, ReportsReachTheOneInstalledObserverOnly) {
  CountingObserver first, second;
  copyCurvePiecesLocked(fakeCurve(1), 5);  // none installed: nothing, no failure
  ASSERT_TRUE(install(first));
  EXPECT_FALSE(install(second)) << "one observer at a time";
  {
    std::lock_guard lock(curveRegistryLock());
    removeHeatingCurveObserverLocked(second);  // not the installed one: nothing changes
  }

  {
    const auto line = curve_test::line({0, 0}, {1, 0}, 0x307);
    EXPECT_EQ(std::tuple(first.made.load(), first.last.load(), first.lastTag.load()),
              std::tuple(1, static_cast<const CFloorHeatingCurve*>(line.get()), 0x307u));
  }
  EXPECT_EQ(first.destroyed, 1);

  // A listed curve is handed over before its destruction is recorded.
  first.listed = fakeCurve(2);
  copyCurvePiecesLockedFlag(fakeCurve(3), 1);
  copyCurvePiecesLockedFlag(fakeCurve(2), 1);
  EXPECT_EQ(std::tuple(first.forgotten.load(), first.listed.load(), first.destroyed.load()),
            std::tuple(1, nullptr, 3));

  // A polyline offset that leaves nothing (6 inside a 10 x 10 square).
  EXPECT_FALSE(curve_test::rectangle(0, 0, 10, 10)->offsetCopy(6.0));
  EXPECT_DOUBLE_EQ(first.failedOffset, 4006.0);

  remove(first);
  copyCurvePiecesLocked(fakeCurve(1), 5);
  copyCurvePiecesLockedFlag(fakeCurve(1), 5);
  EXPECT_EQ(first.late, 0);
  EXPECT_EQ(second.made + second.destroyed, 0);
  // The hook is free again for the next owner.
  ASSERT_TRUE(install(second));
  remove(second);
}

TEST(HeatingCurveObserverThreads, NoReportReachesAnObserverOnceItIsRemoved) {
  constexpr int kThreads = 3;
  constexpr int kObservers = 200;
  std::atomic<bool> stop{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &stop] {
      for (int i = 0; !stop && i < 10'000'000; ++i) {
        copyCurvePiecesLocked(fakeCurve(static_cast<std::size_t>(t)), 1);
        copyCurvePiecesLockedFlag(fakeCurve(static_cast<std::size_t>(t)), 1);
      }
    });
  }
  // Each observer is freed right after its removal: a report reaching it
  // late is a use after free in the sanitizer builds and counted here.
  int lateCalls = 0;
  for (int o = 0; o < kObservers; ++o) {
    auto observer = std::make_unique<CountingObserver>();
    observer->listed = fakeCurve(static_cast<std::size_t>(o % kThreads));
    if (!install(*observer)) {
      ADD_FAILURE() << "observer " << o << " was not installed";
      break;
    }
    std::this_thread::yield();
    remove(*observer);
    lateCalls += observer->late;
  }
  stop = true;
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(lateCalls, 0);
}

}  // namespace
