// The design jobs and their waiter, with stub designs that hold their zone
// busy until the test lets them go (or their circuit asks them to stop).
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHJobs.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "platform/win/KernelObject.h"
#include "platform/win/Threads.h"
#include "platform/win/WindowMessages.h"

#include "tests/heating/design/threads/JobsUntilStopped.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// What the stub steps saw, per zone number (below 16).
std::atomic<bool> g_hold{false};
std::atomic<int> g_prepared{0};
std::atomic<int> g_links{0};
std::atomic<int> g_paths{0};
std::atomic<int> g_throwInZone{0};
std::array<std::atomic<int>, 16> g_designs{};
std::array<std::atomic<std::uint32_t>, 16> g_shapeSeen{};

void stubPrepare(CFHCircuit&) { ++g_prepared; }
void stubLink(CFHCircuit&, CFHZoneEntry&) { ++g_links; }
void stubPath(CFHCircuit&) { ++g_paths; }
void stubDesign(CFHZoneEntry& zone) {
  CFHZoneDesign::BusyScope busy(*zone.design());
  g_shapeSeen[zone.number] = zone.design()->circuitShape();
  busy.replaceLayouts(std::make_unique<CFHCircuitLayout>(1.0, 2.0, 3.0), nullptr);
  for (int i = 0; i < 20000 && g_hold && !zone.circuit->stopRequested(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (g_throwInZone == static_cast<int>(zone.number)) throw std::runtime_error("stub design failed");
  ++g_designs[zone.number];
}

constexpr CFHDesignSteps kStubSteps{stubPrepare, stubLink, stubDesign, stubPath};

using jobs_test::eventually;

std::vector<UINT> takeMessages(HWND window) {
  std::vector<UINT> messages;
  MSG message;
  while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) messages.push_back(message.message);
  return messages;
}

class DesignJobs : public testing::Test {
 protected:
  DesignJobs() {
    drawingUnitFactor = 1000.0;
    g_hold = false;
    g_prepared = g_links = g_paths = g_throwInZone = 0;
    for (auto& count : g_designs) count = 0;
  }
  ~DesignJobs() override { DestroyWindow(window_); }

  // Circuits of the given zone counts, zones numbered from 1 in order.
  void build(std::initializer_list<int> zoneCounts) {
    std::uint32_t number = 1;
    for (int count : zoneCounts) {
      CFHCircuit* circuit = model_->addCircuit(static_cast<std::uint32_t>(model_->circuits().size() + 1));
      for (int z = 0; z < count; ++z) circuit->addZone(model_->addZone(number++));
    }
  }
  std::size_t start() { return startDesignJobs(model_->workerSync(), model_->circuits(), kStubSteps); }
  bool waitersDone() { return eventually([&] { return model_->workerSync().activeWaiterCount() == 0; }); }

  const std::size_t handlesBefore_ = hvOpenHandleCount();
  HWND window_ = hvCreateWindow();
  std::unique_ptr<CFHModel> model_ = std::make_unique<CFHModel>();
};

TEST_F(DesignJobs, ThreeCircuitsTellTheWindowOnceWhenTheyAllEnd) {
  struct Case {
    const char* name;
    bool windowBefore;  // set before the start, or while the jobs run
    std::vector<UINT> expected;
  };
  const Case cases[] = {
      {"window set before", true, {CFHWorkerSync::kDesignsChanged, CFHWorkerSync::kDesignRunEnded}},
      {"window set while running", false, {CFHWorkerSync::kDesignsChanged}},
  };
  build({2, 1, 3});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_hold = true;
    g_prepared = 0;
    model_->workerSync().setNotifyWnd(c.windowBefore ? window_ : nullptr);
    EXPECT_EQ(start(), 3u);
    EXPECT_EQ(g_prepared, 3);
    if (!c.windowBefore) model_->workerSync().setNotifyWnd(window_);
    g_hold = false;
    ASSERT_TRUE(waitersDone());
    EXPECT_EQ(takeMessages(window_), c.expected);
    for (const auto& circuit : model_->circuits()) EXPECT_FALSE(circuit->isWorkerRunning());
  }
  for (int zone = 1; zone <= 6; ++zone) EXPECT_EQ(g_designs[zone], 2) << zone;
  EXPECT_EQ(g_links, 2 * 3);  // every zone but a circuit's first, per run
  EXPECT_EQ(g_paths, 2 * 3);
}

TEST_F(DesignJobs, JobsThatEndBeforeTheWindowExistsPostNothing) {
  build({1, 1});
  EXPECT_EQ(start(), 2u);
  ASSERT_TRUE(waitersDone());
  model_->workerSync().setNotifyWnd(window_);
  EXPECT_TRUE(takeMessages(window_).empty());
  EXPECT_EQ(g_designs[1] + g_designs[2], 2);
}

TEST_F(DesignJobs, RunningCircuitsAreSkippedAndNoneTakenStartsNoWaiter) {
  build({1, 1});
  g_hold = true;
  EXPECT_EQ(start(), 2u);
  EXPECT_EQ(model_->workerSync().waiterCount(), 1u);
  EXPECT_EQ(start(), 0u);  // every circuit still runs
  EXPECT_EQ(model_->workerSync().waiterCount(), 1u);
  EXPECT_EQ(g_prepared, 2);

  model_->circuits()[0]->stopWorker();  // one ended: the next start takes it alone
  EXPECT_EQ(start(), 1u);
  EXPECT_EQ(model_->workerSync().waiterCount(), 2u);
  g_hold = false;
  ASSERT_TRUE(waitersDone());
}

// A redesign's waiter asks for no run end of its own; when a waiter that
// did finished first, while it still ran, the last one posts it for both.
TEST_F(DesignJobs, TheLastWaiterPostsTheRunEndThatAnEarlierOneOwed) {
  build({1, 1});
  model_->workerSync().setNotifyWnd(window_);
  g_hold = true;
  for (bool announce : {true, false})
    ASSERT_EQ(startDesignJobs(model_->workerSync(), {model_->circuits()[announce ? 0 : 1].get()}, kStubSteps, announce), 1u);
  model_->circuits()[0]->stopWorker();
  ASSERT_TRUE(eventually([&] { return model_->workerSync().activeWaiterCount() == 1; }));
  EXPECT_TRUE(takeMessages(window_).empty()) << "another waiter still watches";
  g_hold = false;
  ASSERT_TRUE(waitersDone());
  EXPECT_EQ(takeMessages(window_), (std::vector<UINT>{CFHWorkerSync::kDesignsChanged, CFHWorkerSync::kDesignRunEnded}));
}

TEST_F(DesignJobs, ACancelEndsTheWaiterWithinOnePassAndPostsNothing) {
  build({1, 2});
  model_->workerSync().setNotifyWnd(window_);
  g_hold = true;
  ASSERT_EQ(start(), 2u);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the waiter is inside a pass
  const auto cancelled = Clock::now();
  model_->workerSync().cancel();
  ASSERT_TRUE(waitersDone());
  EXPECT_LT(Clock::now() - cancelled, std::chrono::milliseconds(CFHJobWaitAll::kPassMilliseconds + 500));
  for (const auto& circuit : model_->circuits()) EXPECT_TRUE(circuit->isWorkerRunning());  // the jobs run on
  g_hold = false;
  model_->stopDesignJobs();
  EXPECT_TRUE(takeMessages(window_).empty());
}

TEST_F(DesignJobs, AnInputSetDuringItsCircuitsJobIsDesignedAfterIt) {
  build({2});
  CFHZoneEntry& second = *model_->zones()[1];
  second.design()->setCircuitShape(1);
  g_hold = true;
  ASSERT_EQ(start(), 1u);
  ASSERT_TRUE(eventually([] { return g_shapeSeen[1] == 1u; }));
  second.design()->setCircuitShape(0);  // stops the job, which ends before zone 2
  EXPECT_FALSE(model_->circuits()[0]->isWorkerRunning());
  g_hold = false;
  ASSERT_EQ(start(), 1u);
  ASSERT_TRUE(waitersDone());
  EXPECT_EQ(g_shapeSeen[2], 0u);
  EXPECT_EQ(g_designs[2], 1);
}

TEST_F(DesignJobs, AnExceptionEndsOnlyItsJobAndLeavesItsZonesIdleWithoutLayouts) {
  build({2, 1});
  model_->workerSync().setNotifyWnd(window_);
  g_throwInZone = 2;
  ASSERT_EQ(start(), 2u);
  ASSERT_TRUE(waitersDone());
  EXPECT_EQ(takeMessages(window_).front(), CFHWorkerSync::kDesignsChanged);
  EXPECT_EQ(g_designs[3], 1);
  EXPECT_EQ(g_paths, 1);  // only the circuit that did not fail
  for (int z = 0; z < 3; ++z) {
    CFHZoneDesign::IdleAccess access(*model_->zones()[z]->design());
    EXPECT_TRUE(access.idle());
    EXPECT_EQ(access.layoutIfIdle() != nullptr, z == 2) << z;
  }
}

TEST_F(DesignJobs, ACircuitWithoutZonesOnlyBuildsItsPath) {
  build({0});
  ASSERT_EQ(start(), 1u);
  ASSERT_TRUE(waitersDone());
  EXPECT_EQ(g_paths, 1);
  EXPECT_EQ(g_links, 0);
}

TEST_F(DesignJobs, DestroyingTheModelWhileJobsRunReturnsPromptlyAndPostsNothing) {
  build({3, 2, 1, 4});
  model_->workerSync().setNotifyWnd(window_);
  g_hold = true;
  ASSERT_EQ(start(), 4u);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const auto destroyed = Clock::now();
  model_.reset();
  EXPECT_LT(Clock::now() - destroyed, std::chrono::milliseconds(CFHJobWaitAll::kPassMilliseconds + 500));
  EXPECT_TRUE(takeMessages(window_).empty());
  EXPECT_EQ(CFHModel::current(), nullptr);
  EXPECT_EQ(hvOpenHandleCount(), handlesBefore_);
}

}  // namespace
