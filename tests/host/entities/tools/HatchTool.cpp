// Hatches through the stand-in host, for the ezdxf checks of hatches.py.
//
// write IN.dxf OUT.dxf: builds the module's hatches (extended data names
//   each), hands them to the host (word 114) and saves. One JSON line per
//   hatch: {"name", "area" (hatchTreeArea of its boundaries' even-odd tree),
//   "loops", "lines", "ends" (start and end of each elliptical piece built)}.
// read IN.dxf [OUT.dxf]: one JSON line per model-space entity (word 167):
//   {"handle", "name", "kind" (of entReader2D::anyEntity), "entity" (whether
//   entReader2D::entity took it), "loops", "lines"}. A hatch named like one
//   of the module's is compared with a fresh build: loops within 1e-9 (1e-6
//   near 1e7) both ways and by length, pattern lines within 1e-12. With OUT
//   each hatch copy's rewritten list is handed back and the drawing saved.
//
// Loops: {"points": 256 samples, "length"}; lines: [angle, base x, y,
// offset x, y, [dashes]]. Exit code 0 when every step and comparison held.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "geometry/boundaryTreeQueries.h"
#include "host/HostExport.h"
#include "host/ResbufBuilder.h"
#include "host/Tolerances.h"
#include "host/entities/HatchBuilder.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/ltHatch2D.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/win/Utf8.h"
#include "tests/host/entities/CurveListSupport.h"
#include "tests/host/entities/HatchShapes.h"
#include "tests/host/entities/tools/ToolSupport.h"

namespace {

using namespace hatchShapes;
constexpr double kPi = XtGe::kPi;
using toolSupport::fail;
bool g_rewrite = false;

std::string num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// "[a, b, ...]" of each item's JSON.
template <class Items, class Each>
std::string json(const Items& items, Each each) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : ", ") + each(item);
  return "[" + out + "]";
}

std::string xy(const XtGePoint2d& p) { return num(p.x) + ", " + num(p.y); }

double at(const XtGeCurve2d& curve, int i, int n) {
  XtGeInterval range;
  curve.getInterval(range);
  return range.lowerBound() + (range.upperBound() - range.lowerBound()) * i / n;
}

std::string loopsJson(const ltHatch2D& hatch) {
  return json(hatch.loops(), [](const ltHatchLoop& loop) {
    std::string points;
    for (int i = 0; i < 256; ++i) points += (i ? ", [" : "[") + xy(loop.curve.xtEvalPoint(at(loop.curve, i, 256))) + "]";
    return "{\"points\": [" + points + "], \"length\": " + num(loop.curve.totalLength()) + "}";
  });
}

std::string linesJson(const ltHatch2D& hatch) {
  return json(hatch.patternLines(), [](const ltHatchPatternLine& l) {
    return "[" + num(l.angle) + ", " + xy(l.base) + ", " + num(l.offset.x) + ", " + num(l.offset.y) + ", " +
           json(l.dashes, num) + "]";
  });
}

const HostHatchPattern* hostPattern(const char* name) {
  const unsigned char* records = nullptr;
  int count = 0;
  callHostWord<77>(0, &records, &count, 0);
  for (int i = 0; i < count; ++i)
    if (std::strcmp(reinterpret_cast<const char*>(records + 80 * i), name) == 0)
      return reinterpret_cast<const HostHatchPattern*>(records + 80 * i);
  fail(std::string("the host has no ") + name);
  return nullptr;
}

struct moduleHatch {
  std::string name;
  ownedChain list;
  double area = 0.0;
  std::string ends;
};

// The module's hatches, each over the curves of its boundaries' even-odd tree.
std::vector<moduleHatch> moduleHatches() {
  std::vector<moduleHatch> hatches;
  auto add = [&](const std::string& name, const std::vector<XtGeCompositeCurve2d>& boundaries,
                 const HostHatchPattern* pattern, double rotation, double scale) {
    moduleHatch& hatch = hatches.emplace_back();
    hatch.name = name;
    bndLevel tree;
    for (const XtGeCompositeCurve2d& b : boundaries) {
      if (boundBuilderAddBoundary(tree, b, kBoundaryEvenOdd) != kBoundaryAdded) fail(name + ": not in the tree");
      for (int i = 0; i < b.numCurves(); ++i)
        if (const auto* arc = dynamic_cast<const XtGeEllipArc2d*>(b.curveAt(i)))
          hatch.ends += (hatch.ends.empty() ? "[" : ", [") + xy(arc->startPoint()) + ", " + xy(arc->endPoint()) + "]";
    }
    hatch.ends = "[" + hatch.ends + "]";
    curvePtrArray curves;
    curveFlagArray flags;
    collectAllBoundaryCurves(tree, curves, flags, false);
    if (hatchTreeArea(tree, hatch.area) != 0) fail(name + ": no tree area");
    ltEntProps props;
    props.layer = u"T-podlahove_vytapeni";
    props.setTail(ownedChain(buildResbufList({{1001, u"QEV_DATA"}, {1000, hvUtf8ToWide(name)}})));
    hatch.list.reset(writeHatch(props, std::span(curves.begin(), curves.end()), pattern, rotation, scale));
    if (!hatch.list) fail(name + ": no list");
    releaseBoundaryLevel(tree);
  };
  const HostHatchPattern* ansi31 = hostPattern("ANSI31");
  add("solid", {roundedRectangle(0, 0)}, nullptr, 0.0, 1.0);
  add("solid far", {roundedRectangle(1e7, 1e7)}, nullptr, 0.0, 1.0);
  add("ansi37", {rectangle(0, 20, 10, 30), rectangle(2.5, 22.5, 7.5, 27.5), rectangle(4, 24, 6, 26)},
      hostPattern("ANSI37"), 0.0, 30.0);
  add("d", {letterD()}, ansi31, kPi / 6, 2.0);
  add("half ellipse", {halfEllipse()}, ansi31, kPi / 6, 2.0);
  add("cap", {ellipticalCap()}, ansi31, kPi / 6, 2.0);
  // Ratio 0.5, major axis at 30 degrees, both senses, and the minor radius
  // above the major one.
  const XtGeVector2d axis(std::cos(kPi / 6), std::sin(kPi / 6));
  for (bool clockwise : {false, true}) {
    const std::string sense = clockwise ? " cw" : " ccw";
    add("ellipse" + sense, {ellipticalSegment(20, 0, axis, 0.5, kPi / 4, 3 * kPi / 4, clockwise)}, ansi31, 0, 1);
    const XtGeEllipArc2d tall(XtGePoint2d(30, 0), axis, clockwise ? -axis.perpVector() : axis.perpVector(), 1.5, 3.0,
                              kPi / 4, 3 * kPi / 4);
    add("tall ellipse" + sense, {chain({tall.copy(), new XtGeLineSeg2d(tall.endPoint(), tall.startPoint())})},
        ansi31, 0, 1);
  }
  return hatches;
}

void write() {
  callHostWord<17>();
  for (const moduleHatch& hatch : moduleHatches()) {
    ltHatch2D copy;
    if (!hatch.list || callHostWord<114>(hatch.list.get(), 0, 0).value_or(0) != hostStatus::normal ||
        copy.setFromList(hatch.list.get(), true) != 0)
      fail(hatch.name + ": not made");
    std::printf("{\"name\": \"%s\", \"area\": %s, \"loops\": %s, \"lines\": %s, \"ends\": %s}\n",
                hatch.name.c_str(), num(hatch.area).c_str(), loopsJson(copy).c_str(), linesJson(copy).c_str(),
                hatch.ends.c_str());
  }
  callHostWord<19>(1u);
}

// Every sample of `a` lies within tol of `b`.
bool within(const XtGeCurve2d& a, const XtGeCurve2d& b, double tol) {
  for (int i = 0; i <= 256; ++i)
    if (b.distanceTo(a.xtEvalPoint(at(a, i, 256))) > tol) return false;
  return true;
}

void compare(const std::string& name, const ltHatch2D& read, const ltHatch2D& built) {
  if (read.loops().size() != built.loops().size() || read.patternLines().size() != built.patternLines().size())
    return fail(name + ": loops or lines lost");
  for (std::size_t i = 0; i < read.loops().size(); ++i) {
    const XtGeCompositeCurve2d &a = read.loops()[i].curve, &b = built.loops()[i].curve;
    XtGePoint2d start;
    const double tol = b.hasStartPoint(start) && std::fabs(start.x) > 1e6 ? 1e-6 : 1e-9;
    if (!within(a, b, tol) || !within(b, a, tol) || std::fabs(a.totalLength() - b.totalLength()) > tol)
      fail(name + ": loop " + std::to_string(i) + " moved");
  }
  for (std::size_t i = 0; i < read.patternLines().size(); ++i) {
    const ltHatchPatternLine &a = read.patternLines()[i], &b = built.patternLines()[i];
    bool same = a.dashes.size() == b.dashes.size() && std::fabs(a.angle - b.angle) <= 1e-12 &&
                a.base.distanceTo(b.base) <= 1e-12 && (a.offset - b.offset).length() <= 1e-12;
    for (std::size_t k = 0; same && k < a.dashes.size(); ++k) same = std::fabs(a.dashes[k] - b.dashes[k]) <= 1e-12;
    if (!same) fail(name + ": pattern line " + std::to_string(i) + " changed");
  }
}

void read() {
  const std::vector<moduleHatch> built = moduleHatches();
  callHostWord<17>();
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) fail("nothing selected");
  while (resbuf* given = callHostWord<167>(0, 0).value_or(nullptr)) {
    ownedChain list(given);
    auto copy = entReader2D::anyEntity(list.get());
    std::string name;
    for (const resbuf* n = list.get(); n && name.empty(); n = n->next)
      if (n->code == 1000 && n->value.str) name = hvWideToUtf8(n->value.str);
    std::string out = "{\"handle\": \"" + hvWideToUtf8(textOf(list.get(), 5)) + "\", \"name\": \"" + name +
                      "\", \"kind\": " + std::to_string(static_cast<int>(copy->entType())) +
                      ", \"entity\": " + (entReader2D::entity(list.get()) ? "true" : "false");
    if (copy->entType() == ltEntKind::hatch) {
      auto& hatch = static_cast<ltHatch2D&>(*copy);
      out += ", \"loops\": " + loopsJson(hatch) + ", \"lines\": " + linesJson(hatch);
      for (const moduleHatch& own : built) {
        ltHatch2D fresh;
        if (own.name == name && own.list && fresh.setFromList(own.list.get(), true) == 0) compare(name, hatch, fresh);
      }
      const resbuf* rewritten = g_rewrite ? hatch.getUpdatedList(2) : nullptr;
      if (g_rewrite && (!rewritten || callHostWord<114>(rewritten, 0, 0).value_or(0) != hostStatus::normal))
        fail(name + ": not rewritten");
    }
    std::printf("%s}\n", out.c_str());
  }
  callHostWord<19>(1u);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if ((mode != "write" || argc != 4) && (mode != "read" || (argc != 3 && argc != 4))) {
    std::fprintf(stderr, "usage: %s write IN.dxf OUT.dxf | read IN.dxf [OUT.dxf]\n", argv[0]);
    return 2;
  }
  g_rewrite = mode == "read" && argc == 4;
  const GeometryToleranceScope tolerances(1);
  toolSupport::runHost(argv[2],
                       "command " + mode + (mode == "read" ? "\nselect all\n" : "\n") +
                           (argc == 4 ? "save saved.dxf\n" : ""),
                       {{"write", write}, {"read", read}}, "saved.dxf", argc == 4 ? argv[3] : nullptr);
  return toolSupport::finish();
}
