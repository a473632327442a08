// The zone design itself: the layouts of one zone, built on its circuit's
// job thread.
#include "heating/design/CFHZoneDesign.h"

#include "heating/design/CFHZoneEntry.h"
#include "heating/design/ZoneBandLimits.h"

#include "heating/layout/COffsetBuilder.h"

namespace {

// The layout step of a full layout: meander or spiral by the circuit shape;
// any other shape, or a zone whose pipe ends are missing, lays nothing.
void layOut(CFHCircuitLayout& layout, std::uint32_t shape, bool withEnds) {
  if (withEnds && shape == CFHCircuitLayout::kMeander)
    layout.layoutMeander();
  else if (withEnds && shape == CFHCircuitLayout::kSpiral)
    layout.layoutSpiral();
  else
    layout.skipJoin();
}

}  // namespace

void CFHZoneDesign::design() {
  BusyScope busy(*this);
  busy.replaceLayouts(nullptr, nullptr);
  if (!boundary_) return;

  CFHPipeEnd* end1 = busy.pipeEnd(0);
  CFHPipeEnd* end2 = busy.pipeEnd(1);
  const bool withEnds = end1 != nullptr && end2 != nullptr;
  const double endDistance = withEnds ? end1->point.distanceTo(end2->point) : 0.0;
  double spacing = spacing_;
  double runDistance = withEnds ? perpendicularDistance_ : 0.0;
  if (displayType_ == 0) runDistance = endDistance;
  if (displayType_ == 1) spacing = perpendicularDistance_;
  const double d0 = firstOffset();

  CFHBoundLoop& working = boundary_->workingLoop;
  CFHBoundLoopItem* base = working.itemById(static_cast<int>(meanderBaseId_));
  const auto fill = [&](CFHCircuitLayout& layout, CFHPipeEnd* start, CFHPipeEnd* end, std::uint32_t mode) {
    layout.value = layoutValue_;
    layout.pipeDiameter = pipeDiameter_;
    layout.pipesThroughZone = owner_->pipesRunInto;
    layout.boundary = boundary_.get();
    layout.startEnd = start;
    layout.endEnd = end;
    layout.exitEnd1 = busy.exitEnd(0);
    layout.exitEnd2 = busy.exitEnd(1);
    layout.layoutType = circuitShape_;
    layout.connectionMode = mode;
    layout.baseItem = base;
  };
  auto main = std::make_unique<CFHCircuitLayout>(d0, spacing, runDistance);
  fill(*main, end1, end2, displayType_);

  std::vector<CFloorHeatingCurve*> curves;
  boundary_->copyItems(curves, false);
  const std::vector<double> limits = zoneBandLimits(working, base, circuitShape_);

  // The full layout goes to the second layout when the main one carries
  // something else; it owns copies of the pipe ends.
  std::unique_ptr<CFHCircuitLayout> second;
  std::unique_ptr<CFHPipeEnd> secondEnds[2];
  if (displayType_ != 0) {
    if (withEnds) {
      secondEnds[0] = std::make_unique<CFHPipeEnd>(*end1);
      secondEnds[1] = std::make_unique<CFHPipeEnd>(*end2);
    }
    second = std::make_unique<CFHCircuitLayout>(d0, spacing_, endDistance);
    fill(*second, secondEnds[0].get(), secondEnds[1].get(), 0);
    COffsetBuilder full(curves, d0, spacing_);
    full.setEdgeLimits(&limits);
    second->clearOffsetLoops();
    full.buildLoops(second->levels);
    second->markAllSegments();
    layOut(*second, circuitShape_, withEnds);
  }

  COffsetBuilder builder(curves, d0, spacing);
  if (displayType_ == 0) builder.setEdgeLimits(&limits);
  main->clearOffsetLoops();
  main->clearSegments();
  builder.buildLoops(main->levels);
  main->markAllSegments();
  if (displayType_ == 0)
    layOut(*main, circuitShape_, withEnds);
  else if (displayType_ == 1 && withEnds)
    main->layoutConnectionRun();
  else
    main->skipJoin();

  busy.replaceLayouts(std::move(main), std::move(second), std::move(secondEnds[0]), std::move(secondEnds[1]));
}
