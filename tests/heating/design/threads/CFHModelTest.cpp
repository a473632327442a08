#include "heating/design/model/CFHModel.h"
#include "heating/design/model/HeatingCurveRegistration.h"

#include "platform/win/ThreadId.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// Stand-ins for heating curves: the registry only compares their addresses.
std::array<char, 64 * 1024> g_curveSlots;

CFloorHeatingCurve* fakeCurve(std::size_t i) {
  return reinterpret_cast<CFloorHeatingCurve*>(&g_curveSlots.at(i));
}

std::size_t recordCount(const CFHModel& model, DWORD thread, std::uint8_t key, CFHCurveEvent event) {
  return model.curveRecords(thread, key, event).size();
}
using Clock = std::chrono::steady_clock;

}  // namespace

TEST(CFHModel, IsCurrentForItsLifetimeAndASecondModelNeverTakesOver) {
  ASSERT_EQ(CFHModel::current(), nullptr);
  {
    CFHModel first;
    EXPECT_TRUE(first.isCurrent());
    EXPECT_EQ(CFHModel::current(), &first);
    {
      CFHModel second;
      EXPECT_FALSE(second.isCurrent());
      copyCurvePiecesLocked(fakeCurve(1), 7);
      EXPECT_EQ(recordCount(second, GetCurrentThreadId(), 7, CFHCurveEvent::constructed), 0u);
    }
    EXPECT_EQ(CFHModel::current(), &first);
    EXPECT_EQ(recordCount(first, GetCurrentThreadId(), 7, CFHCurveEvent::constructed), 1u);
  }
  EXPECT_EQ(CFHModel::current(), nullptr);
}

TEST(CFHModel, WithoutAModelNothingIsRecorded) {
  ASSERT_EQ(CFHModel::current(), nullptr);
  copyCurvePiecesLocked(fakeCurve(1), 3);
  copyCurvePiecesLockedFlag(fakeCurve(1), 3);
  setCurrentModelStateBits(kModelStatePolylineOffsetFailed);

  CFHModel model;
  EXPECT_EQ(model.recordingThreadCount(), 0u);
  EXPECT_EQ(model.stateBits(), 0u);
}

TEST(CFHModel, DestroyingAListedPipeCurveRaisesTheLowestStateBit) {
  CFHModel model;
  model.pipeNetwork().appendPipeCurve(fakeCurve(10));
  copyCurvePiecesLockedFlag(fakeCurve(11), 13);  // not listed
  EXPECT_EQ(model.stateBits(), 0u);

  // A design thread destroying the listed curve.
  std::thread([] { copyCurvePiecesLockedFlag(fakeCurve(10), 13); }).join();
  EXPECT_EQ(model.stateBits(), kModelStateListedCurveDestroyed);

  setCurrentModelStateBits(kModelStatePolylineOffsetFailed);
  EXPECT_EQ(model.stateBits(), 0x9u);
  setStateBitsLocked(nullptr, 0x2);  // no model given: nothing
  EXPECT_EQ(model.stateBits(), 0x9u);

  // The destroyed curve has already left the list.
  EXPECT_FALSE(model.pipeNetwork().holdsPipeCurve(fakeCurve(10)));
  EXPECT_FALSE(model.pipeNetwork().removePipeCurve(fakeCurve(10)));
  EXPECT_TRUE(model.pipeNetwork().takePipeCurves().empty());
}

TEST(CFHModel, FourThreadsRecordExactCountsPerThreadAndTag) {
  constexpr int kThreads = 4;
  constexpr int kCycles = 10000;
  constexpr int kKeys = 5;
  CFHModel model;
  std::array<DWORD, kThreads> ids{};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &ids] {
      ids[t] = GetCurrentThreadId();
      for (int i = 0; i < kCycles; ++i) {
        CFloorHeatingCurve* curve = fakeCurve(static_cast<std::size_t>(t * kCycles + i));
        const std::uint32_t tag = (static_cast<std::uint32_t>(t + 1) << 16) | static_cast<std::uint32_t>(i % kKeys);
        copyCurvePiecesLocked(curve, tag);
        copyCurvePiecesLockedFlag(curve, tag);
      }
    });
  }
  for (auto& thread : threads) thread.join();

  EXPECT_EQ(model.recordingThreadCount(), static_cast<std::size_t>(kThreads));
  for (int t = 0; t < kThreads; ++t) {
    for (int key = 0; key <= kKeys; ++key) {
      SCOPED_TRACE(testing::Message() << "thread " << t << ", key " << key);
      for (const CFHCurveEvent event : {CFHCurveEvent::constructed, CFHCurveEvent::destroyed}) {
        const auto records = model.curveRecords(ids[t], static_cast<std::uint8_t>(key), event);
        ASSERT_EQ(records.size(), key < kKeys ? static_cast<std::size_t>(kCycles / kKeys) : 0u);
        for (std::size_t j = 0; j < records.size(); ++j) {
          ASSERT_EQ(records[j].curve, fakeCurve(static_cast<std::size_t>(t * kCycles + key) + j * kKeys));
          ASSERT_EQ(records[j].tag, (static_cast<std::uint32_t>(t + 1) << 16) | static_cast<std::uint32_t>(key));
        }
      }
    }
  }
  EXPECT_EQ(model.stateBits(), 0u);
}

// Each model sees only its own lifetime's curves: never more destructions
// than constructions but the one pair its start cuts.
TEST(CFHModel, ModelsComeAndGoWhileOtherThreadsRegister) {
  constexpr int kThreads = 3;
  constexpr int kModels = 100;
  std::atomic<bool> stop{false};
  std::array<std::atomic<DWORD>, kThreads> ids{};
  std::vector<std::thread> threads;
  const auto deadline = Clock::now() + std::chrono::seconds(20);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &ids, &stop, deadline] {
      ids[t] = GetCurrentThreadId();
      for (int i = 0; !stop && i < 5'000'000 && Clock::now() < deadline; ++i) {
        CFloorHeatingCurve* curve = fakeCurve(static_cast<std::size_t>(100 + (i % 50)));
        copyCurvePiecesLocked(curve, static_cast<std::uint32_t>(t));
        copyCurvePiecesLockedFlag(curve, static_cast<std::uint32_t>(t));
      }
    });
  }
  for (auto& id : ids) {
    while (id.load() == 0 && Clock::now() < deadline) std::this_thread::yield();
  }

  int modelsThatSawCurves = 0;
  for (int m = 0; m < kModels; ++m) {
    CFHModel model;
    ASSERT_TRUE(model.isCurrent());
    model.pipeNetwork().appendPipeCurve(fakeCurve(100 + static_cast<std::size_t>(m % 50)));
    const auto wait = Clock::now() + std::chrono::seconds(1);
    while (model.recordingThreadCount() == 0 && Clock::now() < wait) std::this_thread::yield();
    model.pipeNetwork().takePipeCurves();
    if (model.recordingThreadCount() > 0) ++modelsThatSawCurves;
    for (int t = 0; t < kThreads; ++t) {
      const auto key = static_cast<std::uint8_t>(t);
      // The destructions first: the threads keep recording meanwhile.
      const std::size_t destroyed = recordCount(model, ids[t], key, CFHCurveEvent::destroyed);
      const std::size_t made = recordCount(model, ids[t], key, CFHCurveEvent::constructed);
      EXPECT_LE(destroyed, made + 1);
    }
  }
  stop = true;
  for (auto& thread : threads) thread.join();
  EXPECT_GT(modelsThatSawCurves, 0);
  EXPECT_EQ(CFHModel::current(), nullptr);
}
