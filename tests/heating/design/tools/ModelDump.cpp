#include "tests/heating/design/tools/ModelDump.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/curves/CFloorHeatingPolyLine.h"
#include "heating/curves/CurveChains.h"

#include "platform/win/Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace model_dump {

namespace {

// The drawn-design formats: three and two decimals, the border width's four,
// the flow's three per minute, "%lf"; points of the records; geometry kept
// as drawn; values computed again.
constexpr Tol kReal3{5e-4, 0.0};
constexpr Tol kReal2{5e-3, 0.0};
constexpr Tol kBorder{5e-5, 0.0};
constexpr Tol kFlow{0.03, 0.0};
constexpr Tol kFull{5e-7, 0.0};
constexpr Tol kPoint{0.01, 0.0};
constexpr Tol kGeometry{1e-9, 1e-9};
constexpr Tol kAgain{1e-9, 1e-9};
constexpr Tol kSegment{1e-6, 0.0};

std::string narrow(const CString& text) { return hvWideToUtf8(text.view()); }

class Writer {
 public:
  explicit Writer(const XtGeMatrix2d& toWorld) : toWorld_(toWorld) {}

  void text(const std::string& path, const std::string& value) { dump.entries.push_back({path, value, {}}); }
  void number(const std::string& path, double value, Tol read, Tol again) {
    dump.entries.push_back({path, "", {value}, read, again});
  }
  void points(const std::string& path, std::vector<XtGePoint2d> work, Tol read, Tol again) {
    Entry entry{path, "", {}, read, again};
    for (XtGePoint2d& p : work) {
      p.transformBy(toWorld_);
      entry.numbers.push_back(p.x);
      entry.numbers.push_back(p.y);
    }
    if (entry.numbers.empty()) entry.text = "none";
    dump.entries.push_back(std::move(entry));
  }
  void value(const std::string& path, const VARIANT& v, Tol read, Tol again) {
    if (v.vt == VT_R8 && std::isfinite(v.dblVal)) number(path, v.dblVal, read, again);
    else dump.entries.push_back({path, "empty", {}, read, again});
  }
  // The items from the one that starts lowest-left (in world coordinates),
  // so that loops that start elsewhere compare side by side: each with its
  // band value, or all their ends as one entry.
  void loop(const std::string& path, const CFHBoundLoop& loop, Tol read, Tol again, bool values) {
    const int n = loop.itemCount();
    int first = 0;
    for (int i = 1; i < n; ++i) {
      const XtGePoint2d p = XtGePoint2d(loop.item(i)->curve->startPoint()).transformBy(toWorld_);
      const XtGePoint2d q = XtGePoint2d(loop.item(first)->curve->startPoint()).transformBy(toWorld_);
      if (p.x < q.x - 1e-6 || (p.x <= q.x + 1e-6 && p.y < q.y)) first = i;
    }
    std::vector<XtGePoint2d> ends;
    for (int k = 0; k < n; ++k) {
      const CFHBoundLoopItem& item = *loop.item((first + k) % n);
      ends.insert(ends.end(), {item.curve->startPoint(), item.curve->endPoint()});
      if (!values) continue;
      const std::string at = path + "/" + std::to_string(k);
      points(at, {item.curve->startPoint(), item.curve->endPoint()}, read, again);
      number(at + "/band", item.value, kFull, kFull);
    }
    if (!values) points(path, ends, read, again);
  }

  Dump dump;

 private:
  const XtGeMatrix2d& toWorld_;
};

// A zone without circuit is never calculated; the edit's recalculation of
// the areas still reaches it.
void writeCalc(Writer& w, const std::string& at, const CFHZoneCalc& calc, bool first, bool calculated) {
  const Tol again = calculated ? kAgain : kSkip;
  w.number(at + "A0", calc.area, kSkip, again);
  for (const auto& [name, value] : {std::pair{"SP", calc.reducedArea}, {"OP", calc.perimeter},
                                    {"LH", calc.loopLength}, {"LP", calc.connectionLength}, {"L", calc.totalLength}})
    w.number(at + name, value, kReal3, again);
  const std::pair<const char*, double> inputs[] = {
      {"spns", calc.spns}, {"spnn", calc.spnn}, {"Qc", calc.lossQc}, {"ti", calc.ti},   {"tp", calc.tp},
      {"d", calc.pipeDiameter}, {"l", calc.pipePitch}, {"ti2", calc.ti2}, {"ap", calc.alphaP},
      {"a2p", calc.alphaP2}, {"lvr", calc.lvr}, {"c", calc.c}, {"tz", calc.tz}, {"Rz", calc.soilRz}};
  for (const auto& [name, value] : inputs) w.number(at + name, value, kReal3, kReal3);
  w.text(at + "flags", std::to_string(calc.tpFixed) + " " + std::to_string(calc.borderFixed) + " " +
                           std::to_string(calc.placement));
  w.text(at + "structure", narrow(calc.floorStructureMark) + " | " + narrow(calc.floorStructureAction));
  std::vector<double> layers;
  for (const auto* list : {&calc.upperLayers, &calc.lowerLayers}) {
    layers.push_back(static_cast<double>(list->size()));
    for (const CFHFloorLayer& layer : *list) layers.insert(layers.end(), {layer.thickness, layer.value});
  }
  w.dump.entries.push_back({at + "layers", "", layers});
  w.value(at + "R", calc.borderR, kBorder, kBorder);
  // Results written with three decimals, those of the circuit list with
  // two (W, TS, R2, KV), the flow per minute; the rest is not written.
  using R = CFHZoneCalc;
  const std::pair<const char*, Tol> written[R::kResultCount] = {
      {"LA", kReal3}, {"LB", kReal3}, {"TM", kReal3}, {"QPC", kReal3}, {"S", kReal3}, {"M", kReal3},
      {"QO", kReal3}, {"Q", kReal3}, {"Q2", kReal3}, {"QP", kReal3}, {"QP+QO", kSkip}, {"475", kSkip},
      {"tw", kSkip},  {"P", kReal3}, {"MHP", kFlow}, {"W", kReal2},  {"KV", kReal2}, {"TS", kReal2},
      {"R2", kReal2}, {"tp-ti", kSkip}, {"theta", kSkip}};
  // The circuit list gives every zone of a circuit its first zone's.
  const auto ofCircuit = [](int r) { return r == R::kP || r == R::kMHP || r == R::kW || r == R::kKV || r == R::kTS || r == R::kR2; };
  for (int r = 0; r < R::kResultCount; ++r)
    w.value(at + written[r].first, calc.results[r], !first && ofCircuit(r) ? kSkip : written[r].second, again);
}

void writeZone(Writer& w, const CFHZoneEntry& zone, bool first, const Limits& limits) {
  const std::string at = "zone " + std::to_string(zone.number) + "/";
  w.text(at + "circuit", zone.circuit != nullptr ? std::to_string(zone.circuit->number) : "-1");
  w.text(at + "note word", narrow(zone.note) + " | " + std::to_string(zone.word));
  w.text(at + "pipes run into", std::to_string(zone.pipesRunInto));
  writeCalc(w, at, zone.calc, first, zone.circuit != nullptr);
  const CFHZoneDesign& d = *zone.design();
  w.text(at + "shape display", std::to_string(d.circuitShape()) + " " + std::to_string(d.displayType()));
  for (const auto& [name, value] : {std::pair{"spacing", d.spacing()}, {"perp", d.perpendicularDistance()},
                                    {"radd", d.detailDistance()}, {"radl", d.perimeterDistance()}})
    w.number(at + name, value, kFull, kFull);
  const Tol ends{first ? limits.pipeEnd : limits.linkedEnd, 0.0};
  for (int i = 0; i < 2; ++i) {
    const std::string n = std::to_string(i + 1);
    w.points(at + "pipe end " + n, d.pipeEnd(i) ? std::vector{d.pipeEnd(i)->point} : std::vector<XtGePoint2d>{},
             ends, first ? kSegment : ends);
    w.points(at + "exit " + n, d.exitEnd(i) ? std::vector{d.exitEnd(i)->point} : std::vector<XtGePoint2d>{},
             Tol{limits.linkedEnd, 0.0}, Tol{limits.linkedEnd, 0.0});
  }
  if (const CFHZoneBoundary* boundary = d.boundary()) {
    w.text(at + "network", boundary->pipeNetwork != nullptr ? "yes" : "no");
    w.loop(at + "side", boundary->asDrawnLoop, kGeometry, kGeometry, true);
    const CFHBoundLoopItem* base = boundary->asDrawnLoop.itemById(static_cast<int>(d.meanderBaseId()));
    w.points(at + "base", base ? std::vector{base->curve->startPoint(), base->curve->endPoint()} : std::vector<XtGePoint2d>{},
             kGeometry, kGeometry);
    w.loop(at + "working", boundary->workingLoop, kSkip, kSegment, false);
  }
  if (const CFHHeatingBody* body = zone.heatingBody.get()) {
    w.text(at + "body", std::to_string(body->number));
    w.number(at + "body output", body->output, Tol{1.0, 0.0}, Tol{1.0, 0.0});
    w.points(at + "body points", {body->insertionPoint, body->connectionPoint}, kPoint, kPoint);
  }
}

void writeCircuit(Writer& w, const CFHCircuit& circuit, const Limits& limits) {
  const std::string at = "circuit " + std::to_string(circuit.number) + "/";
  std::string zones;
  for (const CFHZoneEntry* zone : circuit.zones()) zones += std::to_string(zone->number) + " ";
  w.text(at + "zones", zones);
  const CFHCircuitCalc& c = circuit.calc;
  w.text(at + "colour material", std::to_string(static_cast<std::int32_t>(circuit.colourIndex)) + " | " +
                                     narrow(c.pipeMaterial) + " | " + std::to_string(c.checkMaxPressure));
  for (const auto& [name, value] : {std::pair{"lmax", c.maxLoopLength}, {"pmax", c.maxPressure}, {"t1", c.t1},
                                    {"t2", c.t2}})
    w.number(at + name, value, kReal3, kReal3);
  w.points(at + "connection", {circuit.connectionPoints[0], circuit.connectionPoints[1]}, kPoint, kPoint);
  w.number(at + "centre line", circuit.centreLine != nullptr ? circuit.centreLine->length() : -1.0, kPoint, kPoint);
  const Tol pipe{4.0 * limits.pipeEnd, 1e-9};
  for (const auto& [name, curve] : {std::pair{"supply", circuit.supplyPipe()}, {"return", circuit.returnPipe()}}) {
    w.number(at + name + " length", curve != nullptr ? curve->length() : -1.0, pipe, pipe);
    std::vector<XtGePoint2d> vertices;
    if (const auto* polyline = dynamic_cast<const CFloorHeatingPolyLine*>(curve))
      for (int i = 0; i < polyline->vertices().length(); ++i) vertices.push_back(polyline->vertices()[i]);
    else if (curve != nullptr)
      vertices = {curve->startPoint(), curve->endPoint()};
    w.points(at + name + " pipe", vertices, Tol{4.0 * limits.pipeEnd, 0.0}, Tol{4.0 * limits.pipeEnd, 0.0});
  }
  if (circuit.zones().empty()) return;
  // The laid pipe of the circuit, both sides as the output chains them.
  const CFHZoneDesign& first = *circuit.zones().front()->design();
  const CFHZoneDesign::IdleAccess access(first);
  const CFHCircuitLayout* layout = first.displayType() <= 1 ? access.layoutIfIdle() : access.secondLayoutIfIdle();
  std::vector<CurveChain> sides[2];
  if (layout != nullptr) layout->chainSegmentCurvesBothSides(sides[0], sides[1]);
  for (int s = 0; s < 2; ++s) {
    std::vector<XtGePoint2d> vertices;
    for (const CurveChain& run : sides[s])
      for (int i = 0; i < run.curves.length(); ++i) {
        XtGePoint2d p;
        if (run.curves[i] != nullptr && run.curves[i]->hasStartPoint(p)) vertices.push_back(p);
        if (i + 1 == run.curves.length() && run.curves[i] != nullptr && run.curves[i]->hasEndPoint(p))
          vertices.push_back(p);
      }
    w.points(at + (s == 0 ? "laid supply" : "laid return"), vertices, kSkip, kSegment);
  }
}

bool near(double a, double b, Tol tol) {
  return std::fabs(a - b) <= std::max(tol.abs, tol.rel * std::max(std::fabs(a), std::fabs(b)));
}

std::string numbersText(const std::vector<double>& numbers) {
  std::string text;
  char buffer[40];
  for (double n : numbers) {
    std::snprintf(buffer, sizeof buffer, " %.17g", n);
    text += buffer;
  }
  return text;
}

}  // namespace

std::string Dump::text() const {
  std::string out;
  for (const Entry& e : entries) out += e.path + " = " + e.text + numbersText(e.numbers) + "\n";
  return out;
}

Dump dumpModel(const CFHModel& model, const XtGeMatrix2d& toWorld, const Limits& limits) {
  Writer w(toWorld);
  const CFHPipeNetwork& network = model.pipeNetwork();
  w.number("network/pitch", network.pipePitch, kGeometry, kGeometry);
  w.number("network/limit", std::isfinite(network.pipePitchLimit) ? network.pipePitchLimit : -1.0, kGeometry,
           kGeometry);
  w.points("network/reference", {network.referencePoint}, kGeometry, kGeometry);
  w.text("network/pipes", std::to_string(network.pipeCurves().size()));
  for (std::size_t i = 0; i < network.outlineSegments.size(); ++i)
    w.points("network/outline " + std::to_string(i),
             {network.outlineSegments[i].startPoint(), network.outlineSegments[i].endPoint()}, kGeometry, kGeometry);
  for (const auto& zone : model.zones())
    writeZone(w, *zone, zone->circuit == nullptr || zone->circuit->zones().front() == zone.get(), limits);
  for (const auto& circuit : model.circuits()) writeCircuit(w, *circuit, limits);
  return std::move(w.dump);
}

std::vector<std::string> compare(const Dump& designed, const Dump& read, bool again) {
  std::vector<std::string> failures;
  std::map<std::string, const Entry*> byPath;
  for (const Entry& e : read.entries) byPath.emplace(e.path, &e);
  for (const Entry& want : designed.entries) {
    const auto found = byPath.find(want.path);
    if (found == byPath.end()) {
      failures.push_back(want.path + ": missing");
      continue;
    }
    const Entry& got = *found->second;
    byPath.erase(found);
    const Tol tol = again ? want.designedAgain : want.readBack;
    if (tol.abs < 0.0) continue;
    // The records write an empty value as 0.
    const auto isZero = [](const Entry& e) { return e.numbers.size() == 1 && e.numbers[0] == 0.0; };
    if ((want.text == "empty" && isZero(got)) || (got.text == "empty" && isZero(want))) continue;
    bool same = want.text == got.text && want.numbers.size() == got.numbers.size();
    for (std::size_t i = 0; same && i < want.numbers.size(); ++i) same = near(want.numbers[i], got.numbers[i], tol);
    if (!same)
      failures.push_back(want.path + ": " + want.text + numbersText(want.numbers) + " read " + got.text +
                         numbersText(got.numbers));
  }
  for (const auto& [path, entry] : byPath) failures.push_back(path + ": not designed");
  return failures;
}

}  // namespace model_dump
