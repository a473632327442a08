#include "heating/design/CFHPipeOutput.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHDrawingInOut.h"
#include "heating/design/CFHExtendedData.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHOutputContext.h"
#include "heating/design/BendClearance.h"
#include "heating/design/CFHPipeFillets.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"

#include "heating/curves/HeatingCurveEnds.h"
#include "heating/curves/VariantValue.h"

#include "host/entities/HatchBuilder.h"
#include "host/entities/dimensionList.h"
#include "host/entities/lwPolylineList.h"

#include "resources/FixedTexts.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeInterval.h"

#include <bit>
#include <numbers>
#include <cmath>
#include <optional>

namespace {

// The colour of a circuit's pipes: its colour index (0, by block, is no
// circuit's: white), or 256 (by layer) when circuits are not coloured or the
// index is none a drawing knows (a drawn design without a colour reads -1).
int pipeColour(std::uint32_t colourIndex, bool colourCircuits) {
  if (!colourCircuits || colourIndex > 256) return 256;
  return colourIndex == 0 ? 7 : static_cast<int>(colourIndex);
}

// Joins the circuit's distribution pipe of one side onto the run of that
// side that meets it in the zone, so that the side is drawn as one polyline
// from the manifold: the supply pipe in front of the supply run, which then
// begins at the manifold, the return pipe after the return run, which then
// ends there (a run that meets the pipe the other way round is turned). A
// pipe that meets no run's end (one that starts inside its zone) leaves the
// runs as they are.
void joinDistributionPipe(std::vector<CurveChain>& runs, const CFloorHeatingCurve* pipe,
                          const std::vector<XtGeLineSeg2d>& outline, bool supply) {
  if (pipe == nullptr) return;
  const bool startInZone =
      distanceToOutline(outline, pipe->startPoint()) > distanceToOutline(outline, pipe->endPoint());
  const XtGePoint2d& zoneEnd = startInZone ? pipe->startPoint() : pipe->endPoint();
  for (CurveChain& run : runs) {
    const int n = run.curves.length();
    XtGePoint2d first, last;
    if (n == 0 || run.curves[0] == nullptr || run.curves[n - 1] == nullptr || !run.curves[0]->hasStartPoint(first) ||
        !run.curves[n - 1]->hasEndPoint(last))
      continue;
    const bool begins = first.isEqualTo(zoneEnd, workTol);
    const bool ends = last.isEqualTo(zoneEnd, workTol);
    if (!begins && !ends) continue;
    if (supply ? !begins : !ends) reverseGeCurveChain(run.curves);
    CurveChain connection;
    pipe->appendGeCurveCopies(connection.curves);
    // The supply runs from the manifold into the zone, the return back.
    if (startInZone == supply) reverseGeCurveChain(connection.curves);
    if (supply) {
      connection.curves.append(run.curves);
      run.curves.removeAll();
      run = std::move(connection);
    } else {
      run.curves.append(connection.curves);
      connection.curves.removeAll();
    }
    return;
  }
}

// The layout the circuit's pipe is drawn from: the first zone's main layout,
// or for display types beyond 1 (whose main layout holds levels only) its
// second, full layout. Both sides chained; false when a side has nothing.
bool chainFirstZone(const CFHZoneEntry& zone, std::vector<CurveChain>& supply, std::vector<CurveChain>& returns) {
  const CFHZoneDesign* design = zone.design();
  if (design == nullptr) return false;
  CFHZoneDesign::IdleAccess access(*design);
  const CFHCircuitLayout* layout = design->displayType() <= 1 ? access.layoutIfIdle() : access.secondLayoutIfIdle();
  return layout != nullptr && layout->chainSegmentCurvesBothSides(supply, returns);
}

// A pipe record: the identifier, the three label pairs and the circuit list.
ownedChain pipeRecord(std::u16string_view id, const std::u16string& label, const CFHCircuit& circuit,
                      const CFHZoneEntry& first, const resbuf* circuitList) {
  CFHDataChain chain = CFHDataChain::record(id);
  chain.add(HvText::pipeLabelName(), label);
  chain.add(HvText::pipeLabelMaterial(), circuit.calc.pipeMaterial.view());
  chain.add(HvText::kPipeLabelDimension, formatRealValue(first.calc.pipeDiameter, 3));
  chain.appendCopy(circuitList);
  return chain.release();
}

// Writes one entity whose refusal the output passes over: on a refusal its
// handle leaves the new-handle list.
void writePassable(CFHOutputContext& context, const ltEntProps& props, ownedChain list) {
  if (!list || !context.makeEntity(list.get())) context.dropHandle(props.handle);
}

void writeBorderHatch(const CFHZoneEntry& zone, const CFHZoneBoundary& boundary, CFHOutputContext& context,
                      const XtGeMatrix2d& matrix) {
  const CFHModel& model = *zone.model();
  const double distance = variantValueToDouble(zone.calc.borderR) * model.unitFactor();
  std::unique_ptr<XtGeCompositeCurve2d> curve;
  XtGePoint2d endPoint;
  bool hasEndPoint = false;
  if (!boundary.trimmedOffset(distance, curve, endPoint, hasEndPoint, false) || !curve ||
      !curve->transformBy(matrix))
    return;
  std::optional<HostHatchPattern> pattern;
  if (model.hatchPattern >= 0 && static_cast<std::size_t>(model.hatchPattern) < model.hatchPatterns.size())
    pattern = std::bit_cast<HostHatchPattern>(model.hatchPatterns[static_cast<std::size_t>(model.hatchPattern)].bytes);
  ltEntProps props;
  props.layer = kBorderHatchLayer;
  if (!markOutputEntity(context, props, nullptr)) return;
  const XtGeCurve2d* boundaries[] = {curve.get()};
  const double angle = model.hatchAngle * std::numbers::pi / 180.0;
  writePassable(context, props,
                ownedChain(writeHatch(props, boundaries, pattern ? &*pattern : nullptr, angle, model.hatchScale)));
}

// The dimension of a boundary item's border width: along the item's inner
// normal at its start, from the boundary to the band's inner edge.
void writeBorderDimension(const CFHBoundLoopItem& item, const CFHDescData& desc, CFHOutputContext& context,
                          const XtGeMatrix2d& matrix, double ucsAngle) {
  if (item.curve == nullptr) return;
  const XtGeCurve2d& curve = item.curve->geCurve();
  XtGeInterval interval;
  curve.getInterval(interval);
  XtGePoint2d start;
  XtGeVector2d tangent, second;
  if (!interval.isBoundedBelow() || !curve.xtEvalDerivs(interval.lowerBound(), start, tangent, second) ||
      tangent.length() <= 0.0)
    return;
  // The loops run counter-clockwise: the zone lies to the left.
  const XtGeVector2d inward = XtGeVector2d(-tangent.y, tangent.x).normal();
  XtGePoint2d first = start;
  XtGePoint2d band = start + inward * item.value;
  first.transformBy(matrix);
  band.transformBy(matrix);
  const double rotation = std::atan2(inward.y, inward.x) - ucsAngle;
  ltEntProps props;
  props.layer = kBorderDimensionLayer;
  if (!markOutputEntity(context, props, nullptr)) return;
  props.appendToTail(dimensionStyleData());
  props.appendToTail(annotativeData(desc.annotative != 0, desc.annotativeSecond != 0));
  writePassable(context, props,
                ownedChain(writeDimension(props, first, band, band, kBorderDimensionStyle, rotation, 0.0, u"", false)));
}

// The walls the circuit's bends keep clear of: every zone's outline as
// drawn, with its border width; 0.1 mm of tolerance.
BendClearance bendWalls(const std::vector<CFHZoneEntry*>& zones, double unitFactor) {
  BendClearance walls(1e-4 * unitFactor);
  for (const CFHZoneEntry* zone : zones) {
    const CFHZoneDesign* design = zone != nullptr ? zone->design() : nullptr;
    if (design != nullptr && design->boundary() != nullptr)
      walls.addZone(design->boundary()->asDrawnLoop, design->firstOffset());
  }
  return walls;
}

}  // namespace

bool writePipeCurves(std::vector<CurveChain>& runs, const CString& layer, const CString& linetype, int colour,
                     const resbuf* dataChain, CFHOutputContext& context, const XtGeMatrix2d& matrix) {
  for (CurveChain& run : runs) {
    const XtGeCompositeCurve2d curve(takeSimplePieces(run));
    ltEntProps props;
    if (!markOutputEntity(context, props, nullptr)) return false;
    if (!layer.IsEmpty()) props.layer = layer.str();
    if (!linetype.IsEmpty()) props.linetype = linetype.str();
    props.colorIndex = static_cast<std::int16_t>(colour);
    props.appendToTail(copyOwnedChain(dataChain));
    const ownedChain list(entBuilder2D::polyline(props, curve, matrix, nullptr, nullptr));
    if (!context.makeEntity(list.get())) return false;
  }
  return true;
}

void writeBorderEntities(const CFHZoneEntry& zone, CFHOutputContext& context, const XtGeMatrix2d& matrix) {
  const CFHZoneDesign* design = zone.design();
  if (design == nullptr || design->boundary() == nullptr) return;
  const CFHZoneBoundary& boundary = *design->boundary();
  {
    CFHZoneDesign::IdleAccess access(*design);
    if (access.layoutIfIdle() == nullptr && access.secondLayoutIfIdle() == nullptr) return;
  }
  if (design->displayType() == 2) writeBorderHatch(zone, boundary, context, matrix);
  const double ucsAngle = CFHDrawingInOut::instance().ucsAngle();
  const CFHDescData& desc = zone.model()->descData();
  const CFHBoundLoop& loop = boundary.asDrawnLoop;
  for (int i = 0; i < loop.itemCount(); ++i) {
    const CFHBoundLoopItem* item = loop.item(i);
    if (item != nullptr && item->value > 0.0) writeBorderDimension(*item, desc, context, matrix, ucsAngle);
  }
}

bool CFHCircuit::drawPipes(const HostExport2D*, const XtGeMatrix2d& matrix, const CFHPipeStyles& graphics,
                           bool colourCircuits, const CFHDescData&) {
  CFHOutputContext* context = model_ != nullptr ? model_->outputContext : nullptr;
  if (context == nullptr || zones_.empty()) return false;
  const CFHZoneEntry& first = *zones_.front();
  std::vector<CurveChain> supply, returns;
  if (!chainFirstZone(first, supply, returns)) return false;
  const std::vector<XtGeLineSeg2d>& outline = model_->pipeNetwork().outlineSegments;
  joinDistributionPipe(supply, supplyPipe_.get(), outline, true);
  joinDistributionPipe(returns, returnPipe_.get(), outline, false);
  // The bend radius: "_PT_X_ZDR_RADD" when drawn in full, "_PT_X_ZDR_RADL"
  // with the connection run, none otherwise.
  const double radius = first.design()->connectionDistance();
  const BendClearance walls = bendWalls(zones_, model_->unitFactor());
  filletPipeCorners(supply, radius, model_->unitFactor(), &walls);
  filletPipeCorners(returns, radius, model_->unitFactor(), &walls);

  const CFHPipeNetwork& network = model_->pipeNetwork();
  const ownedChain circuitList = buildDataList(network);
  const ownedChain supplyData = pipeRecord(hvRecordId::kSupplyPipe, HvText::pipeLabelSupply(), *this, first, circuitList.get());
  const ownedChain returnData = pipeRecord(hvRecordId::kReturnPipe, HvText::pipeLabelReturn(), *this, first, circuitList.get());
  const int colour = pipeColour(colourIndex, colourCircuits);
  // A refused pipe stops the output: nothing more is written.
  if (!circuitList || !supplyData || !returnData ||
      !writePipeCurves(supply, model_->loopLayers[0], graphics.supply.linetype, colour, supplyData.get(), *context,
                       matrix) ||
      !writePipeCurves(returns, model_->loopLayers[1], graphics.returnStyle.linetype, colour, returnData.get(),
                       *context, matrix))
    return false;
  for (CFHZoneEntry* zone : zones_) writeBorderEntities(*zone, *context, matrix);
  return true;
}
