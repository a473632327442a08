#include "heating/design/commands/FloorOffsetTest.h"

#include "heating/design/settings/CFHDataFiles.h"
#include "heating/design/zones/CFHZoneChaining.h"
#include "heating/design/commands/HeatingCommandScope.h"
#include "heating/design/commands/HostCaption.h"

#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/layout/offsets/DeleteAndClear.h"

#include "heating/curves/CFHZoneBoundary.h"
#include "heating/curves/HeatingCurvesFromDrawing.h"

#include "host/CodePageText.h"
#include "host/HostExport.h"
#include "host/HostSelection.h"
#include "host/KeywordList.h"
#include "host/MessageBoxRes.h"
#include "host/entities/ltPolyline2D.h"
#include "host/entities/lwPolylineList.h"
#include "host/entities/ownedChain.h"

#include "geometry/Tolerances.h"

#include "platform/cadhost/HostStatus.h"

#include "resources/LiteralTexts.h"
#include "resources/ModuleStrings.h"

#include <cstdint>
#include <vector>

namespace {

// The selection's filter argument of this command.
constexpr int kSelectionFilter = 3;
// More selected entities than this end the reading (the rest is not looked at).
constexpr int kMaxSelectedEntities = 1000000;

enum OffsetType : int { kNormal = 0, kIncremental = 1, kHalfZones = 2 };

struct OffsetRequest {
  double firstOffset = 0.0;
  double furtherOffsets = 0.0;
  std::vector<double> halfRanges;
};

void refuse(UINT textId) {
  const std::string caption = hvWideToMb(GetHostCaption().view());
  messageBoxRes(caption.c_str(), textId, MB_ICONERROR);
}

// Reads the selected entities into the chaining: 0, or the refusal.
UINT chainSelection(CFHZoneChaining& chaining) {
  for (int n = 0; n < kMaxSelectedEntities; ++n) {
    const ownedChain list(nextSelectedEntity());
    if (list == nullptr) break;
    int status = kHeatingEntityNone;
    classifyEntityType(list.get(), status, false);
    if (status != kHeatingEntityCurve) return IDS_ERR_WRONG_ENTITIES;
    // A curve without length gives none and is passed over.
    if (const UINT refusal = chaining.offer(curveFromResbuf(list.get()))) return refusal;
  }
  return chaining.finish();
}

bool askDistance(const char16_t* prompt, double& value) {
  double answer = 0.0;
  if (callHostWord<198>(prompt, &answer).value_or(hostStatus::error) != hostStatus::normal) return false;
  value = answer;
  return true;
}

// The offset type and its distances; false when an input was cancelled or
// failed, or the type is not one of the list.
bool askOffsets(std::size_t curveCount, OffsetRequest& request) {
  KeywordList types;
  types.add(kNormal, HvText::kKeywordNormal, HvText::kKeywordNormal, HvText::kDisplayNormal);
  types.add(kIncremental, HvText::kKeywordIncremental, HvText::kKeywordIncremental, HvText::kDisplayIncremental);
  types.add(kHalfZones, HvText::kKeywordZones, HvText::kKeywordZones, HvText::kDisplayHalfZones);
  int index = -1;
  if (types.ask(HvText::kPromptOffsetType, index) != hostStatus::normal || index < 0) return false;
  const std::uint32_t type = types.valueAt(static_cast<std::size_t>(index));

  if (type == kNormal) return askDistance(HvText::kPromptOffsetDistance, request.firstOffset);
  if (!askDistance(HvText::kPromptFirstOffsetDistance, request.firstOffset) ||
      !askDistance(HvText::kPromptNextOffsetDistance, request.furtherOffsets))
    return false;
  if (type != kHalfZones) return true;
  for (std::size_t side = 1; side <= curveCount; ++side) {
    CString prompt;
    prompt.Format(HvText::kPromptHalfOffsetRange, static_cast<int>(side));
    double range = 0.0;
    if (!askDistance(prompt.GetString(), range)) return false;
    request.halfRanges.push_back(range);
  }
  return true;
}

// Each loop as a closed LWPOLYLINE with default properties, one output each.
void drawLevels(const std::vector<COffsetBuilder::Level*>& levels) {
  for (const COffsetBuilder::Level* level : levels) {
    for (const COffsetLoop* loop : *level) {
      const std::unique_ptr<XtGeCompositeCurve2d> composite = makeCompositeCurveOfLoop(*loop);
      if (composite == nullptr) continue;
      ltPolyline2D entity(*composite);
      if (entity.getUpdatedList(0) == nullptr) continue;
      // The builder repeats the first vertex last; the loop is drawn closed.
      resbuf* list = entity.editableList();
      isLwPolylineClosed(list);
      callHostWord<17>();
      callHostWord<114>(list, 0, 0);
      callHostWord<19>(1u);
    }
  }
}

// Frees the levels on every way out.
struct LevelsGuard {
  std::vector<COffsetBuilder::Level*> levels;
  ~LevelsGuard() { deleteLoopListsAndClear(levels); }
};

}  // namespace

void runFloorOffsetTest() {
  const HeatingCommandScope scope(CFHDataFiles::ofApplication().veziru);
  if (selectWithPrompt(HvText::kPromptSelectClosedCurve, kSelectionFilter) != hostStatus::normal) return;

  CFHBoundaryChain::Results paths;
  {
    CFHZoneChaining chaining;
    if (const UINT refusal = chainSelection(chaining)) {
      refuse(refusal);
      return;
    }
    paths = chaining.takePaths();
  }
  // No outline at all (nothing selected, or open curves only) is refused as
  // several outlines are: the command offsets exactly one.
  if (paths.size() != 1) {
    refuse(IDS_ERR_ZONE_NOT_CLOSED);
    return;
  }

  CFHZoneBoundary boundary;
  for (CFloorHeatingCurve::Ptr& curve : paths.front()->takeChainCurves()) boundary.addBoundaryCurve(std::move(curve));
  paths.clear();
  // Curves that chained but do not make one loop (a branch inside the
  // outline) would give offsets of a different outline.
  if (!boundary.prepareLoop(true)) {
    refuse(IDS_ERR_ZONE_NOT_CLOSED);
    return;
  }
  // The working loop stays unprepared: its arcs stay whole, and the builder
  // cuts them into chords of its own.
  boundary.workingLoop.copyFrom(boundary.asDrawnLoop);
  std::vector<CFloorHeatingCurve*> curves;
  boundary.copyItems(curves, false);

  OffsetRequest request;
  if (!askOffsets(curves.size(), request)) return;
  if (!(request.firstOffset >= workTol.equalPoint())) return;

  COffsetBuilder builder(curves, request.firstOffset, request.furtherOffsets);
  builder.setEdgeLimits(&request.halfRanges);  // kept only with one range per curve
  LevelsGuard built;
  builder.buildLoops(built.levels);
  drawLevels(built.levels);
}
