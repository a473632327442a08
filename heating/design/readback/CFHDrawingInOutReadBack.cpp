// Reading a drawn design back: the zones grouped by circuit, the model values
// the records keep, each zone with its calculation and design values, and
// what the circuits leave to do once they are all read. The circuits
// themselves: CFHCircuitReadBack.cpp.
#include "heating/design/drawing/CFHDrawingInOut.h"

#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/settings/DoubleArrayText.h"
#include "heating/design/readback/RecordTagValues.h"
#include "heating/design/zones/ZoneBoundarySegmentPoints.h"

#include "heating/layout/offsets/OffsetLevelSource.h"

#include "heating/curves/CFloorHeatingPolyLine.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <exception>
#include <map>
#include <set>
#include <utility>

namespace {

constexpr std::u16string_view kZoneNumberKey = u"_PT_ZONA_CISLO";
constexpr std::u16string_view kZoneCircuitKey = u"_PT_ZONA_C_OKRUHU";
// The tag of a zone boundary read from the drawing.
constexpr std::uint32_t kBoundaryTag = 15;

// A zone number of a record: absent when the key is missing or negative.
std::optional<std::int32_t> zoneNumberOf(const CFHEntityInOut& record) {
  const std::optional<std::int32_t> number = tagInt(record, kZoneNumberKey);
  if (!number || *number < 0) return std::nullopt;
  return number;
}

// The design command's rule: a zone whose as-drawn loop holds a segment point
// of the network's pipes is run into by them, and its boundary keeps the
// network.
void markPipesRunInto(CFHZoneEntry& zone, CFHZoneBoundary& boundary, const XtGePoint2dArray& points,
                      CFHPipeNetwork& network) {
  const bool entered = boundary.asDrawnLoop.classifyPoints(points, workTol) == CLoop::kInside;
  zone.pipesRunInto = entered ? 1 : 0;
  boundary.pipeNetwork = entered ? &network : nullptr;
}

// ---- The keys of a zone label, in the order they are read --------------------

// A key read as a whole number (flags, indexes) or as a decimal one.
enum class Reading { real, whole };

// The value of the key by its reading.
std::optional<double> readValue(const CFHEntityInOut& record, std::u16string_view key, Reading reading) {
  if (reading == Reading::real) return tagReal(record, key);
  const std::optional<std::int32_t> whole = tagInt(record, key);
  return whole ? std::optional<double>(*whole) : std::nullopt;
}

// A flag of the records: a whole number other than 0.
std::uint8_t flagOf(double value) { return value != 0.0 ? 1 : 0; }
// An index of the records; a negative one names nothing.
std::uint32_t indexOf(double value) { return value >= 0.0 ? static_cast<std::uint32_t>(value) : 0xFFFFFFFFu; }

template <class Target>
struct KeyRule {
  std::u16string_view key;
  Reading reading;
  void (*apply)(Target&, double);
};

// Inputs that go through the calculation record's setters.
constexpr KeyRule<CFHZoneCalc> kCalcInputs[] = {
    {u"_PT_ZONA_SPNS", Reading::real, [](CFHZoneCalc& c, double v) { c.setSpns(v); }},
    {u"_PT_ZONA_SPNN", Reading::real, [](CFHZoneCalc& c, double v) { c.setSpnn(v); }},
    {u"_PT_ZONA_LOSS_QC", Reading::real, [](CFHZoneCalc& c, double v) { c.setLossQc(v); }},
    {u"_PT_ZONA_TI", Reading::real, [](CFHZoneCalc& c, double v) { c.setTi(v); }},
    {u"_PT_ZONA_TP", Reading::real, [](CFHZoneCalc& c, double v) { c.setTp(v); }},
    {u"_PT_ZONA_TP_FIX", Reading::whole, [](CFHZoneCalc& c, double v) { c.setTpFixed(flagOf(v)); }},
    {u"_PT_ZONA_POTR_PRUMER", Reading::real, [](CFHZoneCalc& c, double v) { c.setPipeDiameter(v); }},
    {u"_PT_ZONA_L_ROZTEC", Reading::real, [](CFHZoneCalc& c, double v) { c.setPipePitch(v); }},
    {u"_PT_ZONA_TI2", Reading::real, [](CFHZoneCalc& c, double v) { c.setTi2(v); }},
    {u"_PT_ZONA_AP", Reading::real, [](CFHZoneCalc& c, double v) { c.setAlphaP(v); }},
    {u"_PT_ZONA_A2P", Reading::real, [](CFHZoneCalc& c, double v) { c.setAlphaP2(v); }},
    {u"_PT_ZONA_LVR", Reading::real, [](CFHZoneCalc& c, double v) { c.setLvr(v); }},
    {u"_PT_ZONA_TZ", Reading::real, [](CFHZoneCalc& c, double v) { c.setTz(v); }},
    {u"_PT_ZONA_R", Reading::real, [](CFHZoneCalc& c, double v) { c.setBorderR(v); }},
    {u"_PT_X_CLC_BFIX", Reading::whole, [](CFHZoneCalc& c, double v) { c.setBorderFixed(flagOf(v)); }},
};

// Results, stored as they were written: valid, or empty ("0").
constexpr std::pair<std::u16string_view, CFHZoneCalc::Result> kResults[] = {
    {u"_PT_ZONA_LA", CFHZoneCalc::kLA}, {u"_PT_ZONA_LB", CFHZoneCalc::kLB}, {u"_PT_ZONA_TM", CFHZoneCalc::kTM},
    {u"_PT_ZONA_QPC", CFHZoneCalc::kQPC}, {u"_PT_ZONA_M", CFHZoneCalc::kM},   {u"_PT_ZONA_QO", CFHZoneCalc::kQO},
    {u"_PT_ZONA_Q", CFHZoneCalc::kQ},     {u"_PT_ZONA_Q2", CFHZoneCalc::kQ2}, {u"_PT_ZONA_QP", CFHZoneCalc::kQP},
};

// Lengths stored as they are: the valid flag stays.
constexpr std::pair<std::u16string_view, double CFHZoneCalc::*> kLengths[] = {
    {u"_PT_ZONA_L_DELKA", &CFHZoneCalc::totalLength},
    {u"_PT_ZONA_LH_DELKA", &CFHZoneCalc::loopLength},
    {u"_PT_ZONA_LP_DELKA", &CFHZoneCalc::connectionLength},
};

// The zone design's values, in drawing units.
constexpr KeyRule<CFHZoneDesign> kDesignValues[] = {
    {u"_PT_X_ZDR_SHP", Reading::whole, [](CFHZoneDesign& d, double v) { d.setCircuitShape(indexOf(v)); }},
    {u"_PT_X_ZDR_DD", Reading::whole, [](CFHZoneDesign& d, double v) { d.setDisplayType(indexOf(v)); }},
    {u"_PT_X_ZDR_SPC", Reading::real, [](CFHZoneDesign& d, double v) { d.setSpacing(v); }},
    {u"_PT_X_ZDR_RADD", Reading::real, [](CFHZoneDesign& d, double v) { d.setDetailDistance(v); }},
    {u"_PT_X_ZDR_RADL", Reading::real, [](CFHZoneDesign& d, double v) { d.setPerimeterDistance(v); }},
    {u"_PT_X_ZDR_PERP", Reading::real, [](CFHZoneDesign& d, double v) { d.setPerpendicularDistance(v); }},
};

// Where each side of the drawn outline went in the as-drawn loop. The
// widths and the meander base are written by side of the drawn outline, and
// the loop's preparation may start the loop at another side (it chains a
// closed polyline's last side in front of its first) or turn it: side i is
// the item with the same two ends, either way round; -1 when none has them.
std::vector<int> drawnSidePositions(const CFHEntityInOut& record, const CFHBoundLoop& loop) {
  std::vector<int> positions;
  const auto* drawn = dynamic_cast<const XtGeCompositeCurve2d*>(record.geometry());
  for (int i = 0; drawn != nullptr && i < drawn->numCurves(); ++i) {
    XtGePoint2d s, e;
    const XtGeCurve2d* side = drawn->curveAt(i);
    int found = -1;
    if (side != nullptr && side->hasStartPoint(s) && side->hasEndPoint(e)) {
      for (int k = 0; k < loop.itemCount() && found < 0; ++k) {
        const CFloorHeatingCurve& curve = *loop.item(k)->curve;
        const bool same = (curve.startPoint().isEqualTo(s, workTol) && curve.endPoint().isEqualTo(e, workTol)) ||
                          (curve.startPoint().isEqualTo(e, workTol) && curve.endPoint().isEqualTo(s, workTol));
        if (same) found = k;
      }
    }
    positions.push_back(found);
  }
  return positions;
}

// Starts the as-drawn loop at the drawn outline's first side, when the loop
// runs the outline's way: the loop is then the one the design drew, side by
// side, and what depends on where it starts (the reference point the design
// keeps a side by, among points of equal claim) comes out as it did.
void startAtFirstDrawnSide(CFHZoneBoundary& boundary, const CFHEntityInOut& record) {
  CFHBoundLoop& loop = boundary.asDrawnLoop;
  const std::vector<int> positions = drawnSidePositions(record, loop);
  const int n = loop.itemCount();
  if (positions.empty() || positions.front() <= 0 || static_cast<int>(positions.size()) != n) return;
  for (int i = 0; i < n; ++i)
    if (positions[static_cast<std::size_t>(i)] != (positions.front() + i) % n) return;
  std::rotate(loop.elements.begin(), loop.elements.begin() + positions.front(), loop.elements.end());
  boundary.invalidateCachedPoint(true);
}

// The loop position of drawn side i: where its item went, else position i.
int loopPosition(const std::vector<int>& positions, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < positions.size() && positions[static_cast<std::size_t>(i)] >= 0
             ? positions[static_cast<std::size_t>(i)]
             : i;
}

// The border widths and the meander base the label gives the boundary's
// sides (by side of the drawn outline). A malformed width list keeps the
// widths; a base that names no side (the output writes -1 for none) leaves
// the zone without a base.
void readBoundaryValues(CFHZoneDesign& design, const CFHEntityInOut& boundaryRecord, const CFHEntityInOut& label) {
  const CFHBoundLoop& loop = design.boundary()->asDrawnLoop;
  const std::vector<int> positions = drawnSidePositions(boundaryRecord, loop);
  if (const std::optional<CString> text = tagText(label, u"_PT_X_ZDR_DARR")) {
    std::vector<double> drawn;
    if (doubleArrayFromText(*text, drawn)) {
      std::vector<double> widths(static_cast<std::size_t>(loop.itemCount()), 0.0);
      for (std::size_t i = 0; i < drawn.size(); ++i) {
        const int at = loopPosition(positions, static_cast<int>(i));
        if (at < loop.itemCount()) widths[static_cast<std::size_t>(at)] = drawn[i];
      }
      design.setBorderWidths(std::move(widths));
      design.applyBorderWidths();
    }
  }
  if (const std::optional<std::int32_t> position = tagInt(label, u"_PT_X_ZDR_MEBA")) {
    const int id = loop.itemIdAt(loopPosition(positions, *position));
    design.setMeanderBaseId(id > 0 ? static_cast<std::uint32_t>(id) : 0u);
  }
}

// The keys of the zone label, in the order of the drawn-design format.
void readLabelKeys(CFHZoneEntry& zone, const CFHEntityInOut& label) {
  CFHZoneCalc& calc = zone.calc;
  if (std::optional<CString> note = tagText(label, u"_PT_ZONA_POZNAMKA")) zone.note = std::move(*note);
  // S is the whole area when it is written; the reduced area SP then goes
  // with it (0 when absent). Older drawings have only SP, which was S.
  if (const std::optional<VARIANT> whole = tagValue(label, u"_PT_ZONA_SCELK")) {
    calc.results[CFHZoneCalc::kS] = *whole;
    calc.setReducedArea(tagReal(label, u"_PT_ZONA_SP").value_or(0.0));
  } else if (const std::optional<double> area = tagReal(label, u"_PT_ZONA_SP")) {
    calc.results[CFHZoneCalc::kS] = valueOf(*area);
  }
  calc.setPerimeter(tagReal(label, u"_PT_ZONA_OP").value_or(0.0));
  calc.setFloorStructure(tagText(label, u"_PT_ZONA_SKLADBA_OZN").value_or(CString()),
                         tagText(label, u"_PT_ZONA_SKLADBA_AKC").value_or(CString()), true);
  calc.setPlacementFromText(tagText(label, u"_PT_ZONA_PODL_UMISTENI").value_or(CString()));
  for (const KeyRule<CFHZoneCalc>& rule : kCalcInputs)
    if (const std::optional<double> value = readValue(label, rule.key, rule.reading)) rule.apply(calc, *value);
  for (const auto& [key, result] : kResults)
    if (const std::optional<VARIANT> value = tagValue(label, key)) calc.results[result] = *value;
  for (const auto& [key, field] : kLengths)
    if (const std::optional<double> value = tagReal(label, key)) calc.*field = *value;
  if (const std::optional<std::int32_t> word = tagInt(label, u"_PT_X_MD_DID")) zone.word = *word != 0 ? 1 : 0;
  for (const KeyRule<CFHZoneDesign>& rule : kDesignValues)
    if (const std::optional<double> value = readValue(label, rule.key, rule.reading)) rule.apply(*zone.design(), *value);
}

}  // namespace

bool CFHDrawingInOut::groupZonesByCircuit(std::vector<CFHZoneGroup>& groups) const {
  groups.clear();
  std::map<std::int32_t, std::int32_t> circuitOfZone;
  for (const RecordPtr& label : zoneLabelRecords) {
    const std::optional<std::int32_t> zone = label ? zoneNumberOf(*label) : std::nullopt;
    if (!zone) continue;
    const std::optional<std::int32_t> circuit = tagInt(*label, kZoneCircuitKey);
    circuitOfZone[*zone] = circuit && *circuit >= 0 ? *circuit : -1;
  }
  std::set<std::int32_t> bounded;
  for (const RecordPtr& boundary : boundaryRecords)
    if (const std::optional<std::int32_t> zone = boundary ? zoneNumberOf(*boundary) : std::nullopt) bounded.insert(*zone);
  for (const auto& [zone, circuit] : circuitOfZone) {
    if (bounded.count(zone) == 0) continue;
    auto group = std::find_if(groups.begin(), groups.end(),
                              [circuit](const CFHZoneGroup& g) { return g.circuitNumber == circuit; });
    if (group == groups.end()) group = groups.insert(groups.end(), CFHZoneGroup{circuit, {}, {}});
    group->zoneNumbers.push_back(zone);
  }
  return !groups.empty() && !(groups.size() == 1 && groups.front().circuitNumber == -1);
}

bool CFHDrawingInOut::readModelValues(CFHModel& model) const {
  const CFHDescData& desc = model.descData();
  constexpr std::u16string_view kLayerKeys[] = {u"_PT_X_CD_LIN", u"_PT_X_CD_LOUT"};
  for (const RecordPtr& supply : supplyRecords) {
    if (!supply) continue;
    for (std::size_t side = 0; side < 2; ++side)
      if (const std::optional<CString> layer = tagText(*supply, kLayerKeys[side]))
        desc.setLayerOrDefault(*layer, model.loopLayers[side], model.loopLayerUseDefault[side]);
  }
  // The labels write the distances in drawing units; the defaults are
  // millimetres.
  const double perMillimetre = model.unitFactor() * 0.001;
  CFHDesignDefaults& defaults = model.defaults();
  const std::pair<std::u16string_view, double*> distances[] = {{u"_PT_X_ZDR_RADD", &defaults.detailRadius},
                                                               {u"_PT_X_ZDR_RADL", &defaults.perimeterRadius},
                                                               {u"_PT_X_ZDR_PERP", &defaults.perimeterPitch}};
  for (const RecordPtr& label : zoneLabelRecords) {
    if (!label) continue;
    for (const auto& [key, field] : distances)
      if (const std::optional<double> value = tagReal(*label, key)) *field = *value / perMillimetre;
  }
  return true;
}

bool CFHDrawingInOut::readZone(CFHZoneEntry& zone, std::int32_t number) const {
  try {
    const CFHEntityInOut* label = recordNumbered(zoneLabelRecords, kZoneNumberKey, number);
    const CFHEntityInOut* boundary = recordNumbered(boundaryRecords, kZoneNumberKey, number);
    if (!readZoneFields(zone, boundary, label)) return false;
    // A zone without a drawn heating body simply has none.
    zone.readHeatingBodyData(recordNumbered(heatingBodyRecords, kZoneNumberKey, number),
                             recordNumbered(heatingBodyNumberRecords, kZoneNumberKey, number));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool CFHDrawingInOut::readZoneFields(CFHZoneEntry& zone, const CFHEntityInOut* boundaryRecord,
                                     const CFHEntityInOut* label) {
  if (boundaryRecord == nullptr || zone.design() == nullptr) return false;
  try {
    CFHZoneDesign& design = *zone.design();
    auto boundary = std::make_unique<CFHZoneBoundary>(&layoutOffsetLevelSource());
    boundary->addBoundaryCurve(std::make_unique<CFloorHeatingPolyLine>(*boundaryRecord, kBoundaryTag));
    boundary->prepareLoop(true);
    startAtFirstDrawnSide(*boundary, *boundaryRecord);
    // Routes of circuits read before this zone may run into it; in an edit
    // none is read yet, and finishCircuits decides again for every zone.
    CFHPipeNetwork& network = zone.model()->pipeNetwork();
    XtGePoint2dArray points;
    markPipesRunInto(zone, *boundary, zoneBoundarySegmentPoints(network, points), network);
    boundary->workingLoop.copyFrom(boundary->asDrawnLoop);
    design.setBoundary(std::move(boundary));
    if (label == nullptr) return true;
    zone.labelRecord = label;
    readBoundaryValues(design, *boundaryRecord, *label);
    readLabelKeys(zone, *label);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void CFHDrawingInOut::finishCircuits(CFHModel& model) {
  model.stopDesignJobs();
  CFHPipeNetwork& network = model.pipeNetwork();
  // The pitch limit as routing sets it, from the routes read: no circuit's
  // pipes may come nearer to its neighbour's than they were drawn.
  const std::vector<CFloorHeatingCurve*>& routes = network.pipeCurves();
  XtGePoint2d reference;
  if (routes.size() >= 2 && network.outlineReferencePoint(reference)) {
    std::vector<std::pair<double, const CFloorHeatingCurve*>> byDistance;
    for (const CFloorHeatingCurve* route : routes) {
      const XtGePoint2d& start = route->startPoint();
      const XtGePoint2d& end = route->endPoint();
      const bool startAtManifold =
          distanceToOutline(network.outlineSegments, start) <= distanceToOutline(network.outlineSegments, end);
      byDistance.emplace_back((startAtManifold ? start : end).distanceTo(reference), route);
    }
    std::stable_sort(byDistance.begin(), byDistance.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const double h = 0.5 * byDistance[0].second->distanceToCurve(*byDistance[1].second);
    if (h > workTol.equalPoint()) {
      network.pipePitchLimit = h;
      network.pipePitch = std::min(network.pipePitch, h);
    }
  }
  XtGePoint2dArray points;
  zoneBoundarySegmentPoints(network, points);
  for (const auto& zone : model.zones())
    if (CFHZoneBoundary* boundary = zone->design() != nullptr ? zone->design()->boundary() : nullptr)
      markPipesRunInto(*zone, *boundary, points, network);
}
