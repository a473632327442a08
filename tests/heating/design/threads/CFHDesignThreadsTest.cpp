// The design model's thread rules, with fake design jobs.
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/DrawingUnitFactor.h"

#include "geometry/FailureNotice.h"

#include "tests/heating/design/threads/JobsUntilStopped.h"

#include "platform/win/Events.h"
#include "platform/win/KernelObject.h"
#include "platform/win/ThreadId.h"
#include "platform/win/Threads.h"
#include "platform/win/WindowMessages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kLong = 20000;

// Until its circuit asks it to stop (checked before each zone), reads its
// zones' inputs, busy, making and destroying heating curves. It never ends
// on its own before the deadline, so a test may count on it running.
struct FakeJob {
  CFHCircuit* circuit = nullptr;
  std::atomic<int> rounds{0};
  std::atomic<bool> ended{false};
  double seen = 0.0;
};

DWORD runFakeJob(LPVOID parameter) {
  auto* job = static_cast<FakeJob*>(parameter);
  const auto deadline = std::chrono::steady_clock::now() + jobs_test::kDeadline;
  while (std::chrono::steady_clock::now() < deadline) {
    for (CFHZoneEntry* zone : job->circuit->zones()) {
      if (job->circuit->stopRequested()) {
        job->ended = true;
        return 0;
      }
      CFHZoneDesign& design = *zone->design();
      CFHZoneDesign::BusyScope busy(design);
      job->seen += design.spacing() + design.circuitShape() + zone->calc.pipePitch;
      CFloorHeatingLine piece(XtGePoint2d(0, 0), XtGePoint2d(design.spacing(), 0), nullptr, 3);
    }
    ++job->rounds;
  }
  job->ended = true;
  return 0;
}

// As the real start: suspended, handed to the circuit, resumed.
void startFakeJob(FakeJob& job, CFHCircuit& circuit) {
  job.circuit = &circuit;
  HANDLE thread = CreateThread(nullptr, 0, runFakeJob, &job, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  circuit.setWorker(thread);
  ResumeThread(thread);
}

bool waitForRounds(const FakeJob& job, int rounds) {
  return jobs_test::eventually([&] { return job.rounds >= rounds; });
}

// Watches its own references to the design threads and the cancel event.
struct FakeWaiter {
  CFHWorkerSync* sync = nullptr;
  std::vector<HANDLE> watched;
  std::uint32_t id = 0;
  std::atomic<bool> registered{false};
};

DWORD runFakeWaiter(LPVOID parameter) {
  auto* waiter = static_cast<FakeWaiter*>(parameter);
  while (!waiter->registered) std::this_thread::yield();
  std::vector<bool> done(waiter->watched.size(), false);
  for (std::size_t left = done.size(); left > 0;) {
    for (std::size_t i = 0; i < done.size(); ++i) {
      if (done[i]) continue;
      const HANDLE both[] = {waiter->watched[i], waiter->sync->cancelEvent()};
      const DWORD answer = WaitForMultipleObjects(2, both, FALSE, 1000);
      if (answer == WAIT_OBJECT_0) {
        done[i] = true;
        --left;
      } else if (answer != WAIT_TIMEOUT) {
        waiter->sync->waiterFinished(waiter->id, false, false);
        return answer;
      }
    }
  }
  waiter->sync->waiterFinished(waiter->id, true, true);
  return 0;
}

void startFakeWaiter(FakeWaiter& waiter, CFHModel& model, const std::vector<CFHCircuit*>& circuits) {
  waiter.sync = &model.workerSync();
  for (CFHCircuit* circuit : circuits) waiter.watched.push_back(circuit->duplicateWorkerHandle());
  HANDLE thread = CreateThread(nullptr, 0, runFakeWaiter, &waiter, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  waiter.id = model.workerSync().registerWaiter(thread, waiter.watched);
  waiter.registered = true;
  ResumeThread(thread);
}

class DesignThreads : public testing::Test {
 protected:
  DesignThreads() { drawingUnitFactor = 1000.0; }
  const std::size_t handlesBefore_ = hvOpenHandleCount();
};

TEST_F(DesignThreads, DestroyingTheModelStopsFourRunningJobsAndTheirWaiter) {
  std::vector<FakeJob> jobs(4);
  HWND dialog = hvCreateWindow();
  {
    FakeWaiter waiter;  // the real waiter job lives until its thread ends
    CFHModel model;
    model.workerSync().setNotifyWnd(dialog);
    std::vector<CFHCircuit*> circuits;
    for (std::uint32_t c = 0; c < 4; ++c) {
      CFHCircuit* circuit = model.addCircuit(c + 1);
      for (std::uint32_t z = 0; z < 3; ++z) circuit->addZone(model.addZone(c * 3 + z + 1));
      circuits.push_back(circuit);
    }
    for (std::size_t c = 0; c < 4; ++c) startFakeJob(jobs[c], *circuits[c]);
    startFakeWaiter(waiter, model, circuits);
    for (const FakeJob& job : jobs) EXPECT_TRUE(waitForRounds(job, 3));
    for (const CFHCircuit* circuit : circuits) EXPECT_TRUE(circuit->isWorkerRunning());
    EXPECT_EQ(model.workerSync().activeWaiterCount(), 1u);
  }
  for (const FakeJob& job : jobs) {
    EXPECT_TRUE(job.ended);
    EXPECT_GE(job.rounds, 3);
  }
  EXPECT_EQ(CFHModel::current(), nullptr);
  EXPECT_EQ(hvOpenHandleCount(), handlesBefore_);
  DestroyWindow(dialog);
}

TEST_F(DesignThreads, AChangeWaitsForTheRunningJobAndTheNextStartTakesTheCircuit) {
  CFHModel model;
  CFHCircuit* circuit = model.addCircuit(1);
  CFHZoneEntry* zone = model.addZone(1);
  circuit->addZone(zone);
  FakeJob first;
  startFakeJob(first, *circuit);
  EXPECT_TRUE(waitForRounds(first, 2));

  zone->design()->setCircuitShape(0);  // stops the job before it changes what the job reads
  EXPECT_TRUE(first.ended);
  EXPECT_FALSE(circuit->isWorkerRunning());
  EXPECT_EQ(zone->design()->circuitShape(), 0u);
  EXPECT_EQ(circuit->duplicateWorkerHandle(), nullptr);
  FakeJob second;  // a start takes a circuit whose job is not running
  startFakeJob(second, *circuit);
  EXPECT_FALSE(circuit->stopRequested());
  EXPECT_TRUE(waitForRounds(second, 2));
  model.stopDesignJobs();
  EXPECT_TRUE(second.ended);
  circuit->stopWorker();  // nothing left to wait for
}

TEST_F(DesignThreads, AJobWaitingForItselfIsReportedAndDoesNotHang) {
  std::atomic<int> reports{0};
  hvFailureNoticeSink previous = hvSetFailureNoticeSink([&](const hvFailureNotice&) { return ++reports; });
  {
    CFHModel model;
    CFHCircuit* circuit = model.addCircuit(1);
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID c) -> DWORD {
          static_cast<CFHCircuit*>(c)->waitForWorker();
          static_cast<CFHCircuit*>(c)->stopWorker();
          return 0;
        },
        circuit, CREATE_SUSPENDED, nullptr);
    circuit->setWorker(thread);
    ResumeThread(thread);
    circuit->waitForWorker();
  }
  hvSetFailureNoticeSink(previous);
  EXPECT_EQ(reports, 2);
  EXPECT_EQ(hvOpenHandleCount(), handlesBefore_);
}

TEST_F(DesignThreads, TheLastWaiterToFinishTellsTheWindowOnce) {
  HWND dialog = hvCreateWindow();
  HANDLE gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto gatedThread = [gate] {
    return CreateThread(nullptr, 0, [](LPVOID g) -> DWORD { return WaitForSingleObject(static_cast<HANDLE>(g), kLong); }, gate, 0,
                        nullptr);
  };
  auto copyOf = [](HANDLE h) {
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
    return copy;
  };
  {
    CFHWorkerSync sync;
    sync.setNotifyWnd(dialog);
    HANDLE first = gatedThread();
    const std::uint32_t a = sync.registerWaiter(first, {copyOf(first)});
    const std::uint32_t b = sync.registerWaiter(gatedThread(), {});
    EXPECT_EQ(sync.activeWaiterCount(), 2u);
    EXPECT_FALSE(sync.waiterFinished(a, true, true));  // b's jobs still run
    EXPECT_EQ(hvPendingMessageCount(dialog), 0u);
    EXPECT_FALSE(sync.waiterFinished(a, true, true));  // once only
    EXPECT_TRUE(sync.waiterFinished(b, true, true));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, dialog, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, CFHWorkerSync::kDesignsChanged);
    ASSERT_TRUE(PeekMessageW(&message, dialog, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, CFHWorkerSync::kDesignRunEnded);

    // Once their threads ended, a new registration drops them.
    SetEvent(gate);
    sync.joinWaiters();
    EXPECT_EQ(sync.waiterCount(), 0u);
    ResetEvent(gate);
    const std::uint32_t c = sync.registerWaiter(gatedThread(), {});
    EXPECT_EQ(sync.waiterCount(), 1u);
    // A waiter that gave up, or one without a window, posts nothing.
    EXPECT_FALSE(sync.waiterFinished(c, false, true));
    sync.setNotifyWnd(nullptr);
    const std::uint32_t d = sync.registerWaiter(gatedThread(), {});
    EXPECT_FALSE(sync.waiterFinished(d, true, false));
    EXPECT_EQ(hvPendingMessageCount(dialog), 0u);
    SetEvent(gate);
  }
  CloseHandle(gate);
  EXPECT_EQ(hvOpenHandleCount(), handlesBefore_);
  DestroyWindow(dialog);
}

// Layouts are read only under an IdleAccess that found the zone idle; the
// sanitizers check that no reader holds a layout a design replaces.
TEST_F(DesignThreads, ReadersNeverHoldALayoutThatADesignReplaces) {
  CFHModel model;
  CFHZoneDesign& design = *model.addZone(1)->design();
  std::atomic<bool> done{false};
  std::atomic<int> idleReads{0};
  std::thread writer([&] {
    for (int round = 1; round <= 100000 && idleReads < 50; ++round) {
      {
        CFHZoneDesign::BusyScope busy(design);
        const double d = round;
        busy.replaceLayouts(std::make_unique<CFHCircuitLayout>(d, 2 * d, 3 * d),
                            std::make_unique<CFHCircuitLayout>(d, d, d));
      }
      std::this_thread::yield();
    }
    done = true;
  });
  while (!done) {
    {
      CFHZoneDesign::IdleAccess access(design);
      if (const CFHCircuitLayout* layout = access.layoutIfIdle()) {
        ++idleReads;
        EXPECT_EQ(layout->spacing, 2 * layout->firstOffset);  // never half made, never freed
        EXPECT_EQ(access.secondLayoutIfIdle()->runDistance, layout->firstOffset);
      }
    }
    std::this_thread::yield();  // on one core the writer needs its turns
  }
  writer.join();
  EXPECT_GT(idleReads, 0);

  // An exception leaving a design still clears busy.
  EXPECT_THROW(
      {
        CFHZoneDesign::BusyScope busy(design);
        EXPECT_TRUE(design.isBusy());
        EXPECT_FALSE(design.setLinkPoint(XtGePoint2d(1, 1)));
        EXPECT_FALSE(design.setPipeEnd(0, std::make_unique<CFHPipeEnd>()));
        EXPECT_EQ(CFHZoneDesign::IdleAccess(design).layoutIfIdle(), nullptr);
        throw std::runtime_error("design failed");
      },
      std::runtime_error);
  EXPECT_FALSE(design.isBusy());
  EXPECT_TRUE(design.setLinkPoint(XtGePoint2d(1, 1)));
  EXPECT_EQ(design.linkPoint(), XtGePoint2d(1, 1));
}

}  // namespace
