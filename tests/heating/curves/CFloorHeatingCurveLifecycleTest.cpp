// Ownership and registration of heating curves with the design model.
#include "heating/curves/CFloorHeatingCurve.h"

#include "heating/curves/CFHUnknownCurveKind.h"

#include "heating/design/drawing/CFHArcInOut.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/HeatingCurveRegistration.h"

#include "platform/win/ThreadId.h"

#include "CurveTestSupport.h"

using namespace curve_test;

namespace {

using LifecycleTest = HeatingCurveTest;

std::size_t recordCount(const CFHModel& model, std::uint8_t key, CFHCurveEvent event) {
  return model.curveRecords(GetCurrentThreadId(), key, event).size();
}

TEST_F(LifecycleTest, EveryCurveIsRecordedOnceWhenMadeAndOnceWhenDestroyed) {
  ASSERT_EQ(CFHModel::current(), nullptr);
  // Made before any model: nothing is recorded, and nothing fails.
  auto early = line({0, 0}, {1, 0}, 40);
  CFHModel model;
  {
    std::unique_ptr<CFloorHeatingCurve> curves[] = {
        line({0, 0}, {1, 0}, 41), arc({0, 0}, 1, 0, kPi, false, 41),
        std::make_unique<CFloorHeatingPolyLine>(composite({0, 0}, {{{1, 0}}, {{1, 1}, 0.5}}), 0x142)};
    EXPECT_EQ(recordCount(model, 41, CFHCurveEvent::constructed), 2u);
    EXPECT_EQ(recordCount(model, 0x42, CFHCurveEvent::constructed), 1u);
    EXPECT_EQ(model.curveRecords(GetCurrentThreadId(), 0x42, CFHCurveEvent::constructed)[0].tag, 0x142u);
    EXPECT_EQ(model.curveRecords(GetCurrentThreadId(), 0x42, CFHCurveEvent::constructed)[0].curve, curves[2].get());
    // Copies made by the operations are curves like any other.
    const auto offset = curves[0]->offsetCopy(1.0);
    EXPECT_EQ(recordCount(model, 41, CFHCurveEvent::constructed), 3u);
    EXPECT_EQ(recordCount(model, 41, CFHCurveEvent::destroyed), 0u);
  }
  EXPECT_EQ(recordCount(model, 41, CFHCurveEvent::destroyed), 3u);
  EXPECT_EQ(recordCount(model, 0x42, CFHCurveEvent::destroyed), 1u);
  early.reset();
  EXPECT_EQ(recordCount(model, 40, CFHCurveEvent::constructed), 0u);
  EXPECT_EQ(recordCount(model, 40, CFHCurveEvent::destroyed), 1u);
  EXPECT_EQ(model.stateBits(), 0u);
}

TEST_F(LifecycleTest, AConstructorThatThrowsStillRecordsAPair) {
  CFHModel model;
  const CFHArcInOut arcRecord(XtGeCircArc2d(XtGePoint2d(0, 0), 1.0));
  EXPECT_THROW(CFloorHeatingPolyLine(arcRecord, 9), CFHUnknownCurveKind);
  EXPECT_EQ(recordCount(model, 9, CFHCurveEvent::constructed), 1u);
  EXPECT_EQ(recordCount(model, 9, CFHCurveEvent::destroyed), 1u);
}

TEST_F(LifecycleTest, DestroyingACurveOfTheModelsListRaisesStateBitOne) {
  CFHModel model;
  auto listed = line({0, 0}, {5, 0}, 14);
  auto other = line({0, 0}, {5, 0}, 14);
  model.pipeNetwork().appendPipeCurve(listed.get());
  other.reset();
  EXPECT_EQ(model.stateBits(), 0u);
  const CFloorHeatingCurve* gone = listed.get();
  listed.reset();
  EXPECT_EQ(model.stateBits(), kModelStateListedCurveDestroyed);
  // The dead curve has left the list, so the network cannot delete it again
  // when the model goes (the sanitizer build would report a double free).
  EXPECT_FALSE(model.pipeNetwork().holdsPipeCurve(gone));
}

TEST_F(LifecycleTest, TheNetworkListsACurveOnceAndDeletesItOnce) {
  // The sanitizer build reports a double free if a curve appended twice is
  // deleted twice when the network goes.
  CFHModel model;
  auto pipe = line({0, 0}, {5, 0}, 14);
  model.pipeNetwork().appendPipeCurve(pipe.get());
  model.pipeNetwork().appendPipeCurve(pipe.get());
  model.pipeNetwork().appendPipeCurve(nullptr);
  pipe.release();  // the network owns it now
}

TEST_F(LifecycleTest, OwnersDeleteThroughTheBase) {
  // The sanitizer build reports a leak here unless deleting through the base
  // pointer frees each kind's geometry.
  CFloorHeatingCurve* curves[] = {
      new CFloorHeatingPolyLine(composite({0, 0}, {{{10, 0}}, {{10, 10}, 1}, {{0, 0}}}), 2),
      new CFloorHeatingArc(XtGeCircArc2d({0, 0}, 3), nullptr, 2),
      new CFloorHeatingLine(XtGePoint2d(0, 0), XtGePoint2d(1, 1), nullptr, 2)};
  for (CFloorHeatingCurve* curve : curves) delete curve;

  // The pipe network deletes the curves it still lists when the model goes.
  CFHModel model;
  model.pipeNetwork().appendPipeCurve(new CFloorHeatingLine(XtGePoint2d(0, 0), XtGePoint2d(1, 0), nullptr, 14));
  model.pipeNetwork().appendPipeCurve(new CFloorHeatingArc(5));
  EXPECT_EQ(model.pipeNetwork().pipeCurves().size(), 2u);
}

}  // namespace
