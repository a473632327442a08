// Heating curves made and destroyed on several threads at once, each
// reported to the design model under the calling thread's identifier.
#include "heating/curves/CFloorHeatingArc.h"
#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/design/model/CFHModel.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/win/ThreadId.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>
#include <vector>

namespace {

constexpr int kThreads = 4;
constexpr int kCycles = 10000;
constexpr int kTagsPerThread = 4;

// The tag of cycle i on thread t: its low byte (the registry's key) differs
// between threads, its high bits name the thread once more.
std::uint32_t tagOf(int t, int i) {
  return (static_cast<std::uint32_t>(t + 1) << 16) | static_cast<std::uint32_t>(1 + t * kTagsPerThread + i % kTagsPerThread);
}

std::unique_ptr<CFloorHeatingCurve> makeCurve(int i, std::uint32_t tag, const XtGeCompositeCurve2d& composite) {
  switch (i % 3) {
    case 0: return std::make_unique<CFloorHeatingLine>(XtGePoint2d(i, 0), XtGePoint2d(i, 1), nullptr, tag);
    case 1: return std::make_unique<CFloorHeatingArc>(XtGeCircArc2d(XtGePoint2d(i, 0), 1.0), nullptr, tag);
    default: return std::make_unique<CFloorHeatingPolyLine>(composite, tag);
  }
}

TEST(CFloorHeatingCurveThreads, FourThreadsRecordExactCountsPerThreadAndTag) {
  CFHModel model;
  ASSERT_TRUE(model.isCurrent());
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(XtGePoint2d(0, 0), XtGePoint2d(4, 0)));
  pieces.push_back(std::make_unique<XtGeCircArc2d>(XtGePoint2d(4, 0), XtGePoint2d(4, 4), 0.4));
  const XtGeCompositeCurve2d composite(std::move(pieces));

  std::array<DWORD, kThreads> ids{};
  std::array<double, kThreads> lengths{};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &ids, &lengths, &composite] {
      const auto slot = static_cast<std::size_t>(t);
      ids[slot] = GetCurrentThreadId();
      for (int i = 0; i < kCycles; ++i) {
        std::unique_ptr<CFloorHeatingCurve> curve = makeCurve(i, tagOf(t, i), composite);
        lengths[slot] += curve->length();  // each thread uses its curves, as the design threads do
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (const double length : lengths) EXPECT_GT(length, 0.0);

  EXPECT_EQ(model.recordingThreadCount(), static_cast<std::size_t>(kThreads));
  for (int t = 0; t < kThreads; ++t) {
    for (int key = 0; key < 1 + kThreads * kTagsPerThread; ++key) {
      SCOPED_TRACE(testing::Message() << "thread " << t << ", key " << key);
      const bool own = key > t * kTagsPerThread && key <= (t + 1) * kTagsPerThread;
      const std::size_t expected = own ? static_cast<std::size_t>(kCycles / kTagsPerThread) : 0u;
      const auto made = model.curveRecords(ids[static_cast<std::size_t>(t)], static_cast<std::uint8_t>(key),
                                           CFHCurveEvent::constructed);
      const auto gone = model.curveRecords(ids[static_cast<std::size_t>(t)], static_cast<std::uint8_t>(key),
                                           CFHCurveEvent::destroyed);
      ASSERT_EQ(made.size(), expected);
      ASSERT_EQ(gone.size(), expected);
      for (std::size_t j = 0; j < made.size(); ++j) {
        ASSERT_EQ(made[j].tag, static_cast<std::uint32_t>(t + 1) << 16 | static_cast<std::uint32_t>(key));
        ASSERT_EQ(made[j].curve, gone[j].curve);  // each curve goes before the next is made
      }
    }
  }
  EXPECT_EQ(model.stateBits(), 0u);
}

}  // namespace
