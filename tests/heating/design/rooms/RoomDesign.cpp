#include "RoomDesign.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

#include "heating/curves/CFloorHeatingLine.h"
#include "heating/curves/CFloorHeatingPolyLine.h"
#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHJobs.h"
#include "heating/design/output/CFHPipeFillets.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneChaining.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"
#include "heating/design/jobs/LaidPipeSoundness.h"
#include "heating/design/jobs/OutdatedLayouts.h"
#include "heating/layout/record/CFHCircuitSegment.h"
#include "heating/layout/checks/LaidPipeLength.h"
#include "heating/layout/offsets/OffsetLevelSource.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "tests/heating/layout/LayoutCheckAdapters.h"

namespace room_design {

namespace {

using random_rooms::Room;

// The zone-bound tolerance of a millimetre drawing: sides shorter than this
// are jogs the zone straightens.
constexpr double kZoneBoundsTol = 25.0;
// The slack of the reflex-corner allowance, millimetres.
constexpr double kCornerSlack = 2.0;
// A stub: less than kStub x the heated area / s. A sound layout lays
// [kLengthLow, kLengthHigh] x the area it heats / s.
constexpr double kStub = 0.25;
constexpr double kLengthLow = 0.75;
constexpr double kLengthHigh = 1.25;
// The pipe enters and leaves the zone by the same wall, so every line across
// the zone between its entry and the far end is crossed an even number of
// times: where the zone's depth holds an odd number of runs side by side,
// one of them cannot be laid along it. Across at most kEvenRunsFew runs that
// run is a share the bounds above do not absorb (4 of 5.33 is 0.75), and
// the expectation counts the even number that can be laid instead. Only in
// a band entered by its end: its width across the way in within
// kEvenBandSlack s of twice its depth and its extent along the way in at
// least kEvenBandLength times that width (a corridor, not a room narrowing
// away from its entry, nor a squat room, nor one entered by its long wall,
// whose runs stand across that line and are bound by the plain expectation).
constexpr int kEvenRunsFew = 5;
constexpr double kEvenBandSlack = 0.5;
constexpr double kEvenBandLength = 2.0;
// A loop fits where a point lies d0 + kFits s from every wall (a hairpin
// 1.1 s across); none fits where no point lies d0 + kNoLoop s from them (a
// loop's sides would come nearer than 0.9 s). Between the two either answer
// is sound.
constexpr double kFits = 0.55;
constexpr double kNoLoop = 0.45;
// Coverage: no point of the heated area farther than kCoverage s from the
// pipe, but in the parts narrower than 2 kFits s beyond it.
constexpr double kCoverage = 1.5;

std::string words(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

std::unique_ptr<XtGeCurve2d> geSide(const random_rooms::Vertex& from, const XtGePoint2d& to) {
  if (from.bulge == 0.0) return std::make_unique<XtGeLineSeg2d>(from.at, to);
  return std::make_unique<XtGeCircArc2d>(from.at, to, from.bulge);
}

// The outline as one closed polyline, as a picked LWPOLYLINE becomes.
CFloorHeatingCurve::Ptr outlineCurve(const Room& room) {
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  for (std::size_t i = 0; i < room.outline.size(); ++i)
    sides.push_back(geSide(room.outline[i], room.outline[(i + 1) % room.outline.size()].at));
  return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(sides)), 9);
}

CFloorHeatingCurve::Ptr pipeCurve(const Room& room) {
  if (room.pipe.size() == 2) return std::make_unique<CFloorHeatingLine>(room.pipe[0], room.pipe[1], nullptr, 9);
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (std::size_t i = 0; i + 1 < room.pipe.size(); ++i)
    pieces.push_back(std::make_unique<XtGeLineSeg2d>(room.pipe[i], room.pipe[i + 1]));
  return std::make_unique<CFloorHeatingPolyLine>(XtGeCompositeCurve2d(std::move(pieces)), 9);
}

// The zone of the outline as the design command's zone step makes it.
bool addRoomZone(CFHModel& model, const Room& room) {
  CFHZoneChaining chaining;
  if (chaining.offer(outlineCurve(room)) != 0 || chaining.finish() != 0) return false;
  CFHBoundaryChain::Results paths = chaining.takePaths();
  if (paths.size() != 1) return false;
  CFHZoneEntry* zone = model.addZone(1);
  auto boundary = std::make_unique<CFHZoneBoundary>(&layoutOffsetLevelSource());
  for (CFloorHeatingCurve::Ptr& curve : paths.front()->takeChainCurves()) boundary->addBoundaryCurve(std::move(curve));
  boundary->prepareLoop(true);
  boundary->workingLoop.copyFrom(boundary->asDrawnLoop);
  zone->design()->setBoundary(std::move(boundary));
  return true;
}

// What a design job does for the circuit, on this thread.
void designCircuit(CFHCircuit& circuit) {
  const CFHDesignSteps& steps = modelDesignSteps();
  steps.prepareCircuit(circuit);
  for (CFHZoneEntry* zone : circuit.zones()) steps.designZone(*zone);
  steps.buildPath(circuit);
}

layout_check::Zone checkZoneOf(const Room& room, double d0, double s, const CFHCircuitLayout* layout) {
  layout_check::Zone zone;
  for (std::size_t i = 0; i < room.outline.size(); ++i)
    zone.outline.push_back(layout_check::Piece::bulged(
        room.outline[i].at, room.outline[(i + 1) % room.outline.size()].at, room.outline[i].bulge));
  zone.d0 = d0;
  zone.s = s;
  if (layout != nullptr && layout->startEnd != nullptr) zone.start = layout->startEnd->point;
  if (layout != nullptr && layout->endEnd != nullptr) zone.end = layout->endEnd->point;
  return zone;
}

// Supply and return as the circuit path split them: the supply first, then
// the return, the supply the longer by less than one segment on either side
// of the half (so by less than two segments), and the segments add up to
// the laid pipe.
void judgeSplit(const CFHCircuitLayout& layout, double laid, double s, Verdict& verdict) {
  double supply = 0.0, back = 0.0, longest = 0.0;
  int switches = 0;
  std::uint8_t side = 1;
  for (const CFHCircuitSegment* segment : layout.segments) {
    const double length = segment->curve->length();
    (segment->side != 0 ? supply : back) += length;
    longest = std::max(longest, length);
    if (segment->side != side) ++switches;
    side = segment->side;
  }
  const double total = supply + back;
  std::string fault;
  if (layout.segments.empty())
    fault = "no segments";
  else if (switches > 1)
    fault = "supply and return alternate along the path";
  else if (supply + 1e-6 * total < back)
    fault = "the return is longer than the supply";
  else if (supply - back > 2.0 * longest + 1e-6 * total)
    fault = "more than a segment longer than half";
  else if (std::fabs(total - laid) > 0.01 * s)
    fault = "the segments add up to " + words(total) + " but " + words(laid) + " is laid";
  if (!fault.empty())
    verdict.broken.push_back({"split", fault + " (supply " + words(supply) + ", return " + words(back) + ")"});
}

// The pipe as drawn with its bends: the layout's supply and return chained
// and their corners rounded with the radius the zone draws them with
// (display type 0), as the output draws them, keeps d0 from the walls but
// at the located allowances. The leads, where the pipe comes in through the
// border, and the bends that join them to the runs are not judged.
void judgeBends(const CFHCircuitLayout& layout, const CFHZoneDesign& design, const layout_check::Zone& zone,
                const layout_check::Options& options, Verdict& verdict) {
  const double radius = design.connectionDistance();
  std::vector<CurveChain> supply, returns;
  if (radius <= 0.0 || !layout.chainSegmentCurvesBothSides(supply, returns)) return;
  // A millimetre drawing: 1000 units to the metre.
  filletPipeCorners(supply, radius, 1000.0);
  filletPipeCorners(returns, radius, 1000.0);
  std::vector<layout_check::Piece> leads;
  for (const CFHCircuitSegment* segment : layout.segments) {
    layout_check::Piece piece;
    if (segment->part != CFHCircuitSegment::Part::kRun && layout_check::pieceOf(*segment->curve, piece))
      leads.push_back(piece);
  }
  const double tol = 1e-4 * zone.s;
  const auto onLead = [&](const XtGePoint2d& p) {
    return std::any_of(leads.begin(), leads.end(), [&](const layout_check::Piece& lead) { return lead.distanceTo(p) <= tol; });
  };
  std::vector<layout_check::Piece> body;
  for (std::vector<CurveChain>* side : {&supply, &returns}) {
    for (CurveChain& run : *side) {
      for (const layout_check::Piece& piece : layout_check::piecesAlong(run.release())) {
        const bool lead = piece.isArc ? onLead(piece.start) || onLead(piece.end) : onLead(piece.at(0.5 * piece.length()));
        if (!lead) body.push_back(piece);
      }
    }
  }
  layout_check::Options bends = options;
  bends.coverage = false;
  bends.leadIn = bends.leadOut = 0;
  const layout_check::Report report = layout_check::checkLayout(zone, body, bends);
  if (!report.inside.ok && report.inside.value >= 0.0)
    verdict.broken.push_back({"bend", "with bends of radius " + words(radius) + ": " + report.inside.text});
}

// The zone's extent along the direction.
double extentAlong(const layout_check::Zone& zone, const XtGeVector2d& direction) {
  constexpr int kSamples = 8;
  const double ux = direction.x / direction.length(), uy = direction.y / direction.length();
  double low = std::numeric_limits<double>::infinity(), high = -low;
  for (const layout_check::Piece& piece : zone.outline) {
    for (int k = 0; k <= kSamples; ++k) {
      const XtGePoint2d p = piece.at(piece.length() * k / kSamples);
      low = std::min(low, p.x * ux + p.y * uy);
      high = std::max(high, p.x * ux + p.y * uy);
    }
  }
  return high - low;
}

void judgeLayout(const Room& room, const CFHZoneDesign& design, Verdict& verdict) {
  const CFHZoneDesign::IdleAccess access(design);
  const CFHCircuitLayout* layout = access.fullLayoutIfIdle();
  verdict.d0 = design.firstOffset();
  verdict.spacing = design.spacing();
  const double d0 = verdict.d0, s = verdict.spacing;
  layout_check::Zone zone = checkZoneOf(room, d0, s, layout);
  const layout_check::ZoneMeasure measure = layout_check::measureZone(zone, 0.25 * s, 2.0 * kFits * s);
  const bool fits = measure.deepest >= d0 + kFits * s;
  const bool noLoop = measure.deepest < d0 + kNoLoop * s;
  const bool laid = layout != nullptr && layout->firstEdge != nullptr &&
                    (layout->outcome == LayoutOutcome::kLaid || layout->outcome == LayoutOutcome::kRegionsLeftOut ||
                     layout->outcome == LayoutOutcome::kPathsCross);
  // What the command draws; a stub at the entry it names by 9002 instead.
  const bool drawn = laid && !laysOnlyStub(*layout);
  verdict.nothingFits = !fits;
  if (!drawn) {
    if (fits)
      verdict.broken.push_back({"laid", std::string(laid ? "only a stub is laid (9002)" : "nothing laid (") +
                                            (laid               ? ""
                                             : layout != nullptr ? layoutOutcomeName(layout->outcome)
                                                                 : "no layout") +
                                            (laid ? "" : ")") + " though a loop fits: a point lies " +
                                            words(measure.deepest) + " from the walls"});
    return;
  }
  if (noLoop)
    verdict.broken.push_back({"laid", "a circuit is drawn though no loop fits (9002 expected): no point lies more than " +
                                          words(measure.deepest) + " from the walls"});
  for (const CFHCircuitLayout::Level* level : layout->levels)
    verdict.levelLoops.push_back(level != nullptr ? static_cast<int>(level->size()) : 0);
  const layout_check::GraphPath path = layout_check::walkLayoutGraph(*layout);
  if (!path.faults.empty()) verdict.broken.push_back({"path", path.faults.front()});

  layout_check::Options options(0.0, 1e300, kCoverage, fits);
  options.narrowWidth = 2.0 * kFits * s;
  layout_check::setLeads(*layout, options);
  if (room.shapeOfCircuit == 1) layout_check::addSpiralAllowances(*layout, zone, options);
  layout_check::addReflexCornerAllowances(zone, kCornerSlack, options);
  layout_check::addJogAllowances(zone, kZoneBoundsTol, options);
  if (room.shapeOfCircuit == 0 && path.pieces.size() > static_cast<std::size_t>(options.leadIn + options.leadOut)) {
    // The middle gap is none that a jog beside it explains.
    const std::vector<layout_check::Piece> body(path.pieces.begin() + options.leadIn,
                                                path.pieces.end() - options.leadOut);
    if (const auto gap = layout_check::meanderMiddleGap(body, room.inward, s, options.allowances))
      options.allowances.push_back(*gap);
  }
  const layout_check::Report report = layout_check::checkLayout(zone, path.pieces, options);
  verdict.laidLength = report.inZoneLength;
  if (!report.continuous.ok || !report.ends.ok)
    verdict.broken.push_back({"path", report.continuous.ok ? report.ends.text : report.continuous.text});
  if (!report.simple.ok) verdict.broken.push_back({"crosses", report.simple.text});
  if (!report.inside.ok && report.inside.value < 0.0) verdict.broken.push_back({"outside", report.inside.text});
  if (!report.inside.ok && report.inside.value >= 0.0) verdict.broken.push_back({"wall", report.inside.text});
  if (report.inside.ok) judgeBends(*layout, design, zone, options, verdict);
  if (!report.spacing.ok) verdict.broken.push_back({"spacing", report.spacing.text, report.spacing.value / s});
  if (!report.coverage.ok) verdict.broken.push_back({"coverage", report.coverage.text, report.coverage.value / s});

  const double length = report.inZoneLength;
  if (length < kStub * measure.heatedArea / s) {
    verdict.broken.push_back({"laid", "only a stub is drawn as the circuit: " + words(length) +
                                          " against a heated area of " + words(measure.heatedArea) + " / s"});
  } else {
    // The area a pipe heats counts runs d0 + k s from the walls as if a part
    // of one stood in the remainder of the zone's depth: across its narrowest
    // middle, 2 (deepest - d0) / s + 1 runs.
    const double across = measure.deepest > d0 ? 2.0 * (measure.deepest - d0) / s + 1.0 : 1.0;
    const int runsFit = static_cast<int>(std::floor(across));
    const double width = extentAlong(zone, room.inward.perpVector());
    const bool band = std::fabs(width - 2.0 * measure.deepest) <= kEvenBandSlack * s &&
                      extentAlong(zone, room.inward) >= kEvenBandLength * width;
    const double even =
        band && runsFit % 2 == 1 && runsFit > 1 && runsFit <= kEvenRunsFew ? across / (runsFit - 1) : 1.0;
    const double ratio = measure.pipeArea > 0.0 ? length / (measure.pipeArea / s) : 0.0;
    const double shallower = measure.pipeAreaShallower > 0.0 ? length / (measure.pipeAreaShallower / s) : 0.0;
    // The parts narrower than a hairpin 2 kFits s across (a stem or a tip
    // where no loop fits, the coverage's own narrow parts) hold at most the
    // leads, which the laid length leaves out: judged without them too. A
    // zone where no loop need fit (9002 as sound as a circuit) may lay a
    // hairpin as far as it keeps s, short of the area: only too much is
    // judged there.
    const double wide = measure.pipeAreaWide > 0.0 ? length / (measure.pipeAreaWide / s) : 0.0;
    const auto within = [&](double r) { return (r >= kLengthLow || !fits) && r <= kLengthHigh; };
    if (!within(ratio) && !within(shallower) && !within(wide) && !within(even * ratio))
      verdict.broken.push_back({"length", "laid " + words(length) + " against the area it heats " +
                                              words(measure.pipeArea) + " / s: ratio " + words(ratio) +
                                              " (" + words(wide) + " without the narrow parts)"});
  }
  judgeSplit(*layout, report.pipeLength, s, verdict);
}

}  // namespace

bool Verdict::breaks(const std::string& rule) const {
  return std::any_of(broken.begin(), broken.end(), [&](const Broken& b) { return b.rule == rule; });
}

bool Verdict::okApartFrom(const std::string& rule) const {
  return std::all_of(broken.begin(), broken.end(), [&](const Broken& b) { return b.rule == rule; });
}

std::string Verdict::summary() const {
  std::string text = "d0 " + words(d0) + ", s " + words(spacing) + (nothingFits ? ", no loop fits" : "");
  for (const Broken& b : broken) text += "\n  " + b.rule + ": " + b.text;
  return text;
}

Verdict designAndJudge(const Room& given, std::uint32_t shape, std::uint32_t displayType) {
  Room room = given;
  room.shapeOfCircuit = shape;
  room.displayType = displayType;
  Verdict verdict;
  CFHModel model;
  CFHPipeNetwork& network = model.pipeNetwork();
  network.outlineSource = room.manifold.corners();
  network.pipePitch = room.pipePitch * model.unitFactor();
  network.addPipe(pipeCurve(room));
  network.buildWorkingGeometry();
  network.distributorOutline();
  if (!addRoomZone(model, room)) {
    verdict.broken.push_back({"route", "the outline makes no zone"});
    return verdict;
  }
  const int routed = network.route();
  if (routed != CFHPipeNetwork::kRouted || model.circuits().size() != 1) {
    verdict.broken.push_back({"route", "the pipe is not routed to the zone (" + std::to_string(routed) + ")"});
    return verdict;
  }
  model.updateZoneAreas();
  CFHCircuit& circuit = *model.circuits().front();
  CFHZoneEntry& zone = *circuit.zones().front();
  CFHZoneDesign& design = *zone.design();
  zone.calc.setPipePitch(room.spacing);
  if (room.borderFixed) {
    zone.calc.setBorderFixed(1);
    zone.calc.setBorderR(room.borderR);
  }
  design.setCircuitShape(shape);
  design.setDisplayType(displayType);
  // As the command before it draws: laid out, calculated, and laid out
  // again while the calculation changes the free border width.
  designCircuit(circuit);
  circuit.calculate();
  for (int round = 0; round < kMaxRedesignRounds && circuit.layoutsOutdated(); ++round) {
    circuit.setWorker(nullptr);
    designCircuit(circuit);
    circuit.calculate();
  }
  judgeLayout(room, design, verdict);
  verdict.namedUnsound = !zonesWithUnsoundPipe(model).empty();
  if (verdict.namedUnsound)
    verdict.broken.push_back({"unsound", "the command's own check names the laid pipe unsound (9005)"});
  return verdict;
}

}  // namespace room_design
