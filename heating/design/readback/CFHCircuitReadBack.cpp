// Reading a circuit of a drawn design back (CFHCircuitReadBack.h).
#include "heating/design/readback/CFHCircuitReadBack.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/output/CFHExtendedData.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/readback/CircuitFlowOrder.h"
#include "heating/design/readback/RecordTagValues.h"

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CFloorHeatingPolyLine.h"
#include "heating/curves/CircuitPolyline.h"
#include "heating/curves/HeatingCurveEnds.h"
#include "heating/curves/HeatingCurveExplode.h"
#include "heating/curves/LeadCentreLine.h"
#include "heating/curves/VariantValue.h"

#include "host/items/itemKeyTable.h"

#include "resources/FixedTexts.h"

#include "geometry/Tolerances.h"

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeContext.h"
#include "platform/ge/XtGeLine2d.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Tags of the curves the reader makes: the drawn pipes, and the route.
constexpr std::uint32_t kPipeTag = 16;
constexpr std::uint32_t kRouteTag = 0x11;

// A drawn pipe record as a polyline: a LINE record as the polyline of its
// segment. Throws CFHUnknownCurveKind for a record of another kind.
std::unique_ptr<CFloorHeatingPolyLine> pipeCurve(const CFHEntityInOut& record) {
  if (const XtGeLineSeg2d* segment = record.kind() == CFHEntityInOut::kLine ? record.lineSeg() : nullptr) {
    std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
    pieces.push_back(std::make_unique<XtGeLineSeg2d>(*segment));
    auto curve = CFloorHeatingPolyLine::CFloorHeatingPolyLineFromComposite(XtGeCompositeCurve2d(std::move(pieces)),
                                                                          kPipeTag);
    curve->setEntityRecord(&record);
    return curve;
  }
  return std::make_unique<CFloorHeatingPolyLine>(record, kPipeTag);
}

std::unique_ptr<CFloorHeatingPolyLine> exactCopy(const CFloorHeatingPolyLine& curve) {
  return std::make_unique<CFloorHeatingPolyLine>(curve.composite(), curve.tag());
}

double paramOn(const CFloorHeatingPolyLine& curve, const XtGePoint2d& point) {
  return curve.composite().paramOf(point, workTolFine);
}

// The distance from the point to the nearest item of the loop.
double distanceToLoop(const CFHBoundLoop& loop, const XtGePoint2d& point) {
  double nearest = std::numeric_limits<double>::infinity();
  for (int i = 0; i < loop.itemCount(); ++i)
    if (const CFHBoundLoopItem* item = loop.item(i); item != nullptr && item->curve != nullptr)
      nearest = std::min(nearest, item->curve->distanceTo(point));
  return nearest;
}

// The two of the points nearest the loop. A point within workTol of one
// before it counts once (where the drawn supply ends and the return begins
// on a wall, both cross it there); distances within workTol of the least are
// equal, and the earlier point wins, so that noise in the drawing never
// picks another pair. None for fewer than two distinct points.
std::optional<std::pair<XtGePoint2d, XtGePoint2d>> nearestTwo(const std::vector<XtGePoint2d>& points,
                                                             const CFHBoundLoop& loop) {
  std::vector<XtGePoint2d> distinct;
  std::vector<double> distances;
  for (const XtGePoint2d& p : points)
    if (std::none_of(distinct.begin(), distinct.end(), [&](const XtGePoint2d& q) { return p.isEqualTo(q, workTol); })) {
      distinct.push_back(p);
      distances.push_back(distanceToLoop(loop, p));
    }
  const std::size_t none = distinct.size();
  const auto nearest = [&](std::size_t other) {
    double least = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < distinct.size(); ++i)
      if (i != other) least = std::min(least, distances[i]);
    for (std::size_t i = 0; i < distinct.size(); ++i)
      if (i != other && distances[i] <= least + workTol.equalPoint()) return i;
    return none;
  };
  const std::size_t first = nearest(none);
  const std::size_t second = first < none ? nearest(first) : none;
  if (second == none) return std::nullopt;
  return std::pair{distinct[first], distinct[second]};
}

// The first zone's MHP of a circuit list, which writes it per minute: in
// kg/h (an empty value stays empty).
std::optional<VARIANT> drawnFlow(const CFHEntityInOut& supply) {
  const std::optional<VARIANT> value = tagValue(supply, u"_PT_X_CD_MHP");
  if (value && variantValueIsValid(*value)) return valueOf(value->dblVal / kPerMinute);
  return value;
}

// One circuit read: the steps of readCircuitFields over the state they share.
// What a failure must undo is undone by the destructor unless the reading
// came through.
class CircuitReader {
 public:
  CircuitReader(CFHCircuit& circuit, const CFHEntityInOut* label, const CFHEntityInOut& supply,
                const CFHEntityInOut& returnPipe)
      : circuit_(circuit),
        model_(*circuit.model()),
        network_(model_.pipeNetwork()),
        label_(label),
        supplyRecord_(supply),
        returnRecord_(returnPipe) {}
  CircuitReader(const CircuitReader&) = delete;
  CircuitReader& operator=(const CircuitReader&) = delete;

  ~CircuitReader() {
    for (CFHZoneEntry* zone : circuit_.zones()) zone->crossings() = CFHZoneCrossings{};
    if (done_) return;
    for (CFHZoneEntry* zone : circuit_.zones()) zone->circuit = nullptr;
    // The pipes point into no route once it goes.
    circuit_.clearPipes();
    circuit_.centreLine = nullptr;
    if (addedRoute_ != nullptr && network_.removePipeCurve(addedRoute_)) delete addedRoute_;
  }

  bool read() {
    supply_ = pipeCurve(supplyRecord_);
    returnCurve_ = pipeCurve(returnRecord_);
    drawnSupply_ = exactCopy(*supply_);
    drawnReturn_ = exactCopy(*returnCurve_);
    if (!manifoldEnd(*supply_, a_) || !manifoldEnd(*returnCurve_, b_)) return false;
    orderZones();
    setCrossingRecords(*supply_);
    if (first().crossings().points.empty()) return false;
    if (!findEnds() || !trimSides()) return false;
    leadRoute_ = centreOfLeads();
    std::unique_ptr<CFloorHeatingPolyLine> path = joinSides();
    if (!path) return false;
    setCrossingRecords(*path);
    const std::vector<CFHZoneCrossing>& crossings = first().crossings().points;
    if (crossings.empty()) return false;
    firstCrossing_ = crossings.front().point;
    lastCrossing_ = crossings.back().point;
    if (!connect(*path) || !setFirstPipeEnds() || !linkZones()) return false;
    readKeys();
    done_ = true;
    return true;
  }

 private:
  CFHZoneEntry& first() const { return *circuit_.zones().front(); }
  CFHZoneDesign& firstDesign() const { return *first().design(); }
  const CFHZoneBoundary& firstBoundary() const { return *firstDesign().boundary(); }
  double bendDistance() const { return firstDesign().detailDistance(); }

  // Step 4: the first zone, where the circuit's route meets it (its
  // connection point), else the first the water reaches; then the others in
  // the order the water reaches them beyond the leads to the first zone
  // (CircuitFlowOrder.h).
  void orderZones() {
    const std::vector<CFHZoneEntry*> drawn = circuit_.zones();
    if (drawn.size() < 2) return;
    DrawnCircuitSide supply{supply_.get(), paramOn(*supply_, a_)};
    DrawnCircuitSide returnSide{returnCurve_.get(), paramOn(*returnCurve_, b_)};
    const std::vector<CFHZoneEntry*> flow = zonesInFlowOrder(drawn, supply, returnSide);
    CFHZoneEntry* first = nullptr;
    if (const auto connection = tagLocalPoint(supplyRecord_, u"_PT_X_CD_DINS1", network_))
      first = zoneAtConnection(flow, *connection);
    if (first == nullptr) first = flow.front();
    std::vector<CFHZoneEntry*> rest;
    for (CFHZoneEntry* zone : drawn)
      if (zone != first) rest.push_back(zone);
    const CFHZoneBoundary& boundary = *first->design()->boundary();
    if (const auto end = leadWallEnd(boundary, *supply_, a_)) supply.lead = std::abs(end->param - supply.manifoldEnd);
    if (const auto end = leadWallEnd(boundary, *returnCurve_, b_))
      returnSide.lead = std::abs(end->param - returnSide.manifoldEnd);
    rest = zonesInFlowOrder(std::move(rest), supply, returnSide);
    for (CFHZoneEntry* zone : drawn) circuit_.removeZone(zone);
    circuit_.addZone(first);
    for (CFHZoneEntry* zone : rest) circuit_.addZone(zone);
  }

  // Steps 3 and 9: every zone's crossing record with the curve, sorted.
  void setCrossingRecords(const CFloorHeatingPolyLine& curve) {
    for (CFHZoneEntry* zone : circuit_.zones()) {
      zone->setCrossingPoints(curve);
      zoneOrderKey(zone->crossings());
    }
  }

  // Step 6: where the sides leave the manifold and enter the first zone.
  bool findEnds() {
    // Pipes that start inside their zone reach it from within: the first
    // crossing would be a further zone's.
    if (firstBoundary().asDrawnLoop.classifyPoint(a_, workTol) == CLoop::kInside) return false;
    const auto p0 = leadWallEnd(firstBoundary(), *supply_, a_);
    const auto q0 = leadWallEnd(firstBoundary(), *returnCurve_, b_);
    p0_ = p0 ? p0->point : first().crossings().points.front().point;
    q0_ = q0 ? q0->point : returnCurve_->closestPointTo(p0_);
    // The pitch the sides were drawn with; routing may have lowered the
    // profile's, which would put every pipe off its drawn place.
    if (network_.pipeCurves().empty()) {
      const double pitch = returnCurve_->distanceTo(a_);
      if (pitch > workTol.equalPoint()) network_.pipePitch = pitch;
    }
    return true;
  }

  // Where the side leaves the manifold: the point of it nearest the
  // manifold's outline, or the end of it nearest the outline when that end
  // comes as near: the output draws each side from the manifold, and a
  // side that passes by the manifold again further on (a link from zone to
  // zone through the hall) must not start its lead there.
  bool manifoldEnd(const CFloorHeatingPolyLine& side, XtGePoint2d& at) const {
    XtGePoint2d onOutline;
    if (!network_.closestOutlinePoint(side, onOutline, &at)) return false;
    const std::vector<XtGeLineSeg2d>& outline = network_.outlineSegments;
    double gap = distanceToOutline(outline, at) + workTol.equalPoint();
    for (const XtGePoint2d& end : {side.startPoint(), side.endPoint()}) {
      const double distance = distanceToOutline(outline, end);
      if (distance > gap) continue;
      gap = distance;
      at = end;
    }
    return true;
  }

  // Where the side's lead enters the zone: of its crossings of the zone's
  // wall, the one nearest its manifold end along it.
  static std::optional<CFHZoneCrossing> leadWallEnd(const CFHZoneBoundary& boundary, const CFloorHeatingPolyLine& side,
                                                    const XtGePoint2d& atManifold) {
    std::vector<CFHZoneCrossing> crossings;
    boundary.curveCrossings(side, crossings);
    const double from = paramOn(side, atManifold);
    std::optional<CFHZoneCrossing> nearest;
    double gap = std::numeric_limits<double>::infinity();
    for (const CFHZoneCrossing& crossing : crossings) {
      if (std::abs(crossing.param - from) >= gap) continue;
      gap = std::abs(crossing.param - from);
      nearest = crossing;
    }
    return nearest;
  }

  // Step 7: each side keeps its lead, from the manifold to the wall of the
  // first zone, as it was laid before the output rounded its corners with
  // the first zone's bend radius: the bend into the zone makes way for the
  // lead's straight run to the wall, every rounded corner for the corner.
  // The two leads are then the route's offsets, whose corners pair up into
  // the route's own corners.
  bool trimSides() {
    const CLoop& loop = firstBoundary().workingLoop;
    const double r = firstDesign().connectionDistance();
    supplyFromZone_ = paramOn(*supply_, p0_) <= paramOn(*supply_, a_);
    returnFromZone_ = paramOn(*returnCurve_, q0_) <= paramOn(*returnCurve_, b_);
    const bool supplyTrimmed = supplyFromZone_ ? supply_->trimLeadAtWall(p0_, a_, true, r, loop)
                                               : supply_->trimLeadAtWall(a_, p0_, false, r, loop);
    const bool returnTrimmed = returnFromZone_ ? returnCurve_->trimLeadAtWall(q0_, b_, true, r, loop)
                                               : returnCurve_->trimLeadAtWall(b_, q0_, false, r, loop);
    return supplyTrimmed && returnTrimmed;
  }

  // The route the leads were laid along (leadCentreLine), or null when the
  // leads are not its offsets: a piece of either is no straight one, or the
  // corners do not fit.
  std::unique_ptr<CFloorHeatingPolyLine> centreOfLeads() const {
    std::vector<XtGePoint2d> leads[2];
    const std::pair<const CFloorHeatingPolyLine*, bool> sides[2] = {{supply_.get(), supplyFromZone_},
                                                                     {returnCurve_.get(), returnFromZone_}};
    for (int k = 0; k < 2; ++k) {
      const auto& [lead, fromZone] = sides[k];
      for (int i = 0; i < lead->composite().numCurves(); ++i)
        if (lead->composite().curveAt(i)->type() != XtGe::kLineSeg2d) return nullptr;
      const XtGePoint2dArray& vertices = lead->vertices();
      for (int i = 0; i < vertices.length(); ++i) leads[k].push_back(vertices[fromZone ? vertices.length() - 1 - i : i]);
    }
    return leadCentreLine(leads[0], leads[1], firstBoundary().workingLoop, kRouteTag);
  }

  // Step 8: return, the line between the sides' zone ends (which the
  // trimming may have moved from p0 and q0), supply: one path from the
  // manifold to the zone and back.
  std::unique_ptr<CFloorHeatingPolyLine> joinSides() {
    const XtGePoint2d supplyEnd = supplyFromZone_ ? supply_->startPoint() : supply_->endPoint();
    const XtGePoint2d returnEnd = returnFromZone_ ? returnCurve_->startPoint() : returnCurve_->endPoint();
    std::unique_ptr<CFloorHeatingPolyLine> path = supplyFromZone_ ? std::move(returnCurve_) : std::move(supply_);
    const CFloorHeatingPolyLine& rest = supplyFromZone_ ? *supply_ : *returnCurve_;
    if (!supplyEnd.isEqualTo(returnEnd, workTol)) {
      const CFloorHeatingLine line = supplyFromZone_ ? CFloorHeatingLine(returnEnd, supplyEnd, nullptr, kPipeTag)
                                                     : CFloorHeatingLine(supplyEnd, returnEnd, nullptr, kPipeTag);
      if (!path->joinCurve(line)) return nullptr;
    }
    if (!path->joinCurve(rest)) return nullptr;
    return path;
  }

  // Step 10: the route from the manifold to the first zone, into the network.
  // The route of the leads when they give one, else the centre line of the
  // path's two runs, whose corners the pairing cuts short (the chamfers go).
  bool connect(const CFloorHeatingPolyLine& path) {
    const double pitch = network_.pipePitch;
    std::unique_ptr<CFloorHeatingPolyLine> route = std::move(leadRoute_);
    const bool paired = route != nullptr;
    if (!paired)
      route = buildCircuitPolyline(path, path.startPoint(), firstCrossing_, lastCrossing_, path.endPoint(), pitch,
                                   kRouteTag);
    if (!route || route->vertices().length() < 2) return false;
    // connectPipe lays the supply on the route's right: a route drawn from
    // the zone to the manifold keeps the drawn sides.
    const XtGePoint2d& start = route->vertices()[0];
    if ((route->vertices()[1] - start).crossProduct(a_ - start) > 0.0) route->reverse();
    std::unique_ptr<CFloorHeatingPolyLine> asBuilt = exactCopy(*route);
    if (!paired) removeShortMiddleSegments(*route, bendDistance());
    for (std::unique_ptr<CFloorHeatingPolyLine>* tried : {&route, &asBuilt}) {
      if (circuit_.connectPipe(**tried, pitch, network_.outlineSegments, firstDesign(), firstCrossing_, true)) {
        addedRoute_ = tried->get();
        network_.addPipe(std::move(*tried));
        return true;
      }
      // A failed connection may have left the pipes and the centre line on
      // this route: they go before it does.
      circuit_.clearPipes();
      circuit_.centreLine = nullptr;
    }
    return false;
  }

  // Step 11, first zone: its pipe ends where the new sides meet its wall.
  bool setFirstPipeEnds() {
    const CFHZoneBoundary& boundary = firstBoundary();
    XtGePoint2d ends[2];
    if (circuit_.supplyPipe() == nullptr || circuit_.returnPipe() == nullptr ||
        !boundary.nearestIntersection(*circuit_.supplyPipe(), firstCrossing_, ends[0], false) ||
        !boundary.nearestIntersection(*circuit_.returnPipe(), lastCrossing_, ends[1], false))
      return false;
    return firstDesign().setPipeEnd1(ends[0]) && firstDesign().setPipeEnd2(ends[1]);
  }

  // The crossings of the zone's working loop by a drawn side beyond its
  // point at the first zone (away from the manifold, where the pipe runs
  // from zone to zone), appended to `out`.
  static void crossingsBeyond(const CFHZoneBoundary& boundary, const CFloorHeatingPolyLine& side,
                              const XtGePoint2d& atFirstZone, const XtGePoint2d& atManifold,
                              std::vector<XtGePoint2d>& out) {
    std::vector<CFHZoneCrossing> crossings;
    boundary.curveCrossings(side, crossings);
    const double from = paramOn(side, atFirstZone);
    const bool forward = from >= paramOn(side, atManifold);
    for (const CFHZoneCrossing& crossing : crossings)
      if (forward ? crossing.param > from : crossing.param < from) out.push_back(crossing.point);
  }

  // Where the zone is linked to the one before it: between the two drawn
  // crossings of its wall, beyond the first zone, nearest that zone's wall
  // (the link pieces pass there; a distribution pipe through the zone never
  // counts; nearestTwo). With fewer than two, between the first and last
  // crossing of the path, else the zone's reference point.
  XtGePoint2d linkPointOf(CFHZoneEntry& zone, const CFHZoneEntry& previous) const {
    const CFHZoneBoundary& boundary = *zone.design()->boundary();
    std::vector<XtGePoint2d> points;
    crossingsBeyond(boundary, *drawnSupply_, p0_, a_, points);
    crossingsBeyond(boundary, *drawnReturn_, q0_, b_, points);
    if (const auto pair = nearestTwo(points, previous.design()->boundary()->asDrawnLoop))
      return midPoint2d(pair->first, pair->second);
    const std::vector<CFHZoneCrossing>& onPath = zone.crossings().points;
    if (onPath.size() >= 2) return midPoint2d(onPath.front().point, onPath.back().point);
    return boundary.cachedPoint(true);
  }

  // Step 11, further zones: each linked to the one before it, at the link
  // point kept for the design jobs.
  bool linkZones() {
    const std::vector<CFHZoneEntry*>& zones = circuit_.zones();
    for (std::size_t i = 1; i < zones.size(); ++i) {
      CFHZoneEntry& zone = *zones[i];
      CFHZoneDesign& design = *zone.design();
      const XtGePoint2d tries[2] = {linkPointOf(zone, *zones[i - 1]), design.boundary()->cachedPoint(true)};
      bool linked = false;
      for (const XtGePoint2d& point : tries) {
        if (linked || !design.setLinkPoint(point)) continue;
        linked = circuit_.linkToPreviousZone(&zone);
      }
      if (!linked) return false;
    }
    return true;
  }

  // Step 12: the keys of the supply record (the material from the label
  // records first).
  void readKeys() {
    const CFHEntityInOut& s = supplyRecord_;
    circuit_.number = static_cast<std::uint32_t>(std::max(tagInt(s, u"_PT_CISLO_OKRUHU").value_or(-1), -1));
    circuit_.colourIndex = static_cast<std::uint32_t>(tagInt(s, u"_PT_X_CD_CBC").value_or(-1));
    circuit_.connectionPoints[0] = tagLocalPoint(s, u"_PT_X_CD_DINS1", network_).value_or(XtGePoint2d());
    circuit_.connectionPoints[1] = tagLocalPoint(s, u"_PT_X_CD_DINS2", network_).value_or(XtGePoint2d());
    CFHCircuitCalc& calc = circuit_.calc;
    std::optional<CString> material;
    if (label_ != nullptr) material = tagText(*label_, u"_PT_ZONA_POTR_MATERIAL");
    if (!material && first().labelRecord != nullptr) material = tagText(*first().labelRecord, u"_PT_ZONA_POTR_MATERIAL");
    if (!material) material = tagText(s, HvText::pipeLabelMaterial());
    if (material) calc.setPipeMaterial(*material);
    circuit_.labelRecord = label_;
    if (const auto value = tagReal(s, u"_PT_X_CD_LMAX")) calc.setMaxLoopLength(*value);
    if (const auto value = tagInt(s, u"_PT_X_CD_PMAXD")) calc.setMaxPressureDefault(*value != 0 ? 1 : 0);
    if (const auto value = tagReal(s, u"_PT_X_CD_PMAX")) calc.setMaxPressure(*value);
    readTemperatures();
    readZoneResults();
  }

  // t1 and t2 from the supply, else from the manifold item (older drawings
  // kept them there; the product database lists both keys, empty, for every
  // manifold: an empty value is none); only both together.
  void readTemperatures() {
    double values[2] = {};
    const std::u16string_view keys[2] = {u"_PT_X_IN_T1", u"_PT_X_OUT_T2"};
    for (int i = 0; i < 2; ++i) {
      if (const std::optional<double> value = tagReal(supplyRecord_, keys[i])) {
        values[i] = *value;
      } else if (const std::u16string* text = itemArray::itemAt(network_.manifoldItem, keys[i]);
                 text != nullptr && !text->empty()) {
        values[i] = finiteNumber(text->c_str());
      } else {
        return;
      }
    }
    circuit_.calc.t1 = values[0];
    circuit_.calc.t2 = values[1];
  }

  // The first zone's results the circuit list carries, for every zone.
  void readZoneResults() {
    static constexpr std::pair<std::u16string_view, CFHZoneCalc::Result> kResults[] = {
        {u"_PT_X_CD_W", CFHZoneCalc::kW}, {u"_PT_X_CD_DT", CFHZoneCalc::kTS}, {u"_PT_X_CD_R", CFHZoneCalc::kR2},
        {u"_PT_X_CD_P", CFHZoneCalc::kP}, {u"_PT_X_CD_KV", CFHZoneCalc::kKV}};
    const CFHEntityInOut& s = supplyRecord_;
    for (CFHZoneEntry* zone : circuit_.zones()) {
      for (const auto& [key, result] : kResults)
        if (const auto value = tagValue(s, key)) zone->calc.results[result] = *value;
      if (const auto value = drawnFlow(s)) zone->calc.results[CFHZoneCalc::kMHP] = *value;
      if (const auto value = tagReal(s, u"_PT_X_CD_C")) zone->calc.setC(*value);
    }
  }

  CFHCircuit& circuit_;
  CFHModel& model_;
  CFHPipeNetwork& network_;
  const CFHEntityInOut* label_;
  const CFHEntityInOut& supplyRecord_;
  const CFHEntityInOut& returnRecord_;
  // The sides being trimmed into the path, and untouched copies of them.
  std::unique_ptr<CFloorHeatingPolyLine> supply_;
  std::unique_ptr<CFloorHeatingPolyLine> returnCurve_;
  std::unique_ptr<CFloorHeatingPolyLine> drawnSupply_;
  std::unique_ptr<CFloorHeatingPolyLine> drawnReturn_;
  // The route the leads give (centreOfLeads), until connect takes it.
  std::unique_ptr<CFloorHeatingPolyLine> leadRoute_;
  XtGePoint2d p0_, q0_, a_, b_;
  bool supplyFromZone_ = false;  // the supply runs from the zone to the manifold
  bool returnFromZone_ = false;
  XtGePoint2d firstCrossing_, lastCrossing_;
  // The route this reading put into the network (the network owns it).
  CFloorHeatingCurve* addedRoute_ = nullptr;
  bool done_ = false;
};

}  // namespace

bool readCircuitFields(CFHCircuit& circuit, const CFHEntityInOut* label, const CFHEntityInOut* supply,
                       const CFHEntityInOut* returnPipe) {
  bool readable = supply != nullptr && returnPipe != nullptr && !circuit.zones().empty() && circuit.model() != nullptr;
  for (const CFHZoneEntry* zone : circuit.zones())
    readable = readable && zone->design() != nullptr && zone->design()->boundary() != nullptr;
  if (!readable) {
    for (CFHZoneEntry* zone : circuit.zones()) zone->circuit = nullptr;
    return false;
  }
  try {
    CircuitReader reader(circuit, label, *supply, *returnPipe);
    return reader.read();
  } catch (const std::exception&) {
    return false;
  }
}

bool CFHDrawingInOut::readCircuit(CFHCircuit& circuit, std::int32_t number) const {
  constexpr std::u16string_view kKey = u"_PT_CISLO_OKRUHU";
  return readCircuitFields(circuit, recordNumbered(circuitLabelRecords, kKey, number),
                           recordNumbered(supplyRecords, kKey, number), recordNumbered(returnRecords, kKey, number));
}

void CFHDrawingInOut::keepCircuit(std::int32_t number, CFHKeptAsDrawn& kept) const {
  if (number >= 0) kept.circuitNumbers.insert(static_cast<std::uint32_t>(number));
  const CFHEntityInOut* supply = recordNumbered(supplyRecords, u"_PT_CISLO_OKRUHU", number);
  if (supply == nullptr) return;
  kept.zones.addConnection(tagReal(*supply, u"_PT_X_CD_LP").value_or(0.0));
  kept.circuits.addCircuit(drawnFlow(*supply).value_or(emptyValue()),
                           tagValue(*supply, u"_PT_X_CD_P").value_or(emptyValue()));
}

void removeShortMiddleSegments(CFloorHeatingPolyLine& route, double d) {
  CFloorHeatingCurve::PtrVector pieces = explodeCurve(route);
  if (pieces.size() < 3) return;
  const double near = workTol.equalPoint();
  const auto isLine = [](const CFloorHeatingCurve::Ptr& piece) {
    return piece != nullptr && piece->kind() == CFloorHeatingCurve::kLine;
  };
  for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
    if (!isLine(pieces[i]) || pieces[i]->length() > 1.8 * d) continue;
    CFloorHeatingCurve::Ptr& before = pieces[i - 1];
    CFloorHeatingCurve::Ptr& after = pieces[i + 1];
    if (!isLine(before) || !isLine(after) || before->length() < near || after->length() < near) continue;
    const XtGeVector2d u = before->endPoint() - before->startPoint();
    const XtGeVector2d v = after->endPoint() - after->startPoint();
    if (u.angleTo(v) < std::numbers::pi / 8) continue;
    XtGePoint2d corner;
    if (!XtGeLine2d(before->startPoint(), u).intersectWith(XtGeLine2d(after->startPoint(), v), corner, workTol) ||
        corner.isEqualTo(XtGePoint2d(), XtGeContext::gTol))
      continue;
    const double reach = 2.0 * near + d;
    if (before->distanceTo(corner) > reach || after->distanceTo(corner) > reach) continue;
    before->setEndPoints(before->startPoint(), corner);
    after->setEndPoints(corner, after->endPoint());
    pieces[i].reset();
  }
  std::vector<CFloorHeatingCurve*> kept;
  for (const CFloorHeatingCurve::Ptr& piece : pieces)
    if (piece) kept.push_back(piece.get());
  route.setFromCurves(kept);
}
