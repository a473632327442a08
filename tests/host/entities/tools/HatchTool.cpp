// Hatches through the stand-in host, for the ezdxf checks of hatches.py.
//
// write IN.dxf OUT.dxf: builds the module's hatches (each with extended data
//   naming it), hands them to the host (word 114) and saves. One JSON line
//   per hatch: {"name", "area" (hatchTreeArea of its boundaries' even-odd
//   tree), "loops", "lines", "ends" (start and end of each elliptical piece
//   as built)}.
// read IN.dxf [OUT.dxf]: one JSON line per model-space entity (word 167):
//   {"handle", "name", "kind" (of entReader2D::anyEntity), "entity" (whether
//   entReader2D::entity took it), "loops", "lines"}. A hatch named like one
//   of the module's is compared with a fresh build of it: loops within 1e-9
//   (1e-6 near 1e7), sampled both ways and by length, and pattern lines
//   within 1e-12. With OUT every hatch copy's rewritten list is handed back
//   (word 114) and the drawing saved.
//
// Loops: {"points": 256 samples, "length"}. Lines: [angle, base x, base y,
// offset x, offset y, [dashes]], angles in radians. Exit code 0 when every
// step and comparison held.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "geometry/boundaryTree.h"
#include "geometry/boundaryTreeQueries.h"
#include "geometry/curveArea.h"
#include "platform/ge/XtGeEllipArc2d.h"
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
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace {

using namespace hatchShapes;
int g_failures = 0;
std::string g_out;

void fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  ++g_failures;
}

std::string num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return std::isfinite(v) ? buf : "null";
}

std::string samples(const XtGeCurve2d& loop) {
  XtGeInterval range;
  loop.getInterval(range);
  std::string out = "[";
  for (int i = 0; i < 256; ++i) {
    const XtGePoint2d p = loop.xtEvalPoint(range.lowerBound() + (range.upperBound() - range.lowerBound()) * i / 256);
    out += (i ? ", [" : "[") + num(p.x) + ", " + num(p.y) + "]";
  }
  return out + "]";
}

std::string loopsJson(const ltHatch2D& hatch) {
  std::string out = "[";
  for (const ltHatchLoop& loop : hatch.loops())
    out += (out.size() > 1 ? ", " : "") + std::string("{\"points\": ") + samples(loop.curve) +
           ", \"length\": " + num(loop.curve.totalLength()) + "}";
  return out + "]";
}

std::string linesJson(const ltHatch2D& hatch) {
  std::string out = "[";
  for (const ltHatchPatternLine& l : hatch.patternLines()) {
    out += (out.size() > 1 ? ", [" : "[") + num(l.angle) + ", " + num(l.base.x) + ", " + num(l.base.y) + ", " +
           num(l.offset.x) + ", " + num(l.offset.y) + ", [";
    for (std::size_t i = 0; i < l.dashes.size(); ++i) out += (i ? ", " : "") + num(l.dashes[i]);
    out += "]]";
  }
  return out + "]";
}

// The name a hatch's extended data gives it ("" when none).
std::string nameOf(const resbuf* list) {
  for (const resbuf* n = list; n; n = n->next)
    if (n->code == 1000 && n->value.str) return hvWideToUtf8(n->value.str);
  return "";
}

const HostHatchPattern* hostPattern(const char* name) {
  const unsigned char* records = nullptr;
  int count = 0;
  callHostWord<77>(0, &records, &count, 0);
  for (int i = 0; i < count; ++i) {
    const auto* pattern = reinterpret_cast<const HostHatchPattern*>(records + 80 * i);
    if (std::strcmp(pattern->name, name) == 0) return pattern;
  }
  return nullptr;
}

struct moduleHatch {
  std::string name;
  ownedChain list;
  double area = 0.0;
  std::string ends;  // [start x, y, end x, y] of each elliptical piece, in loop order
};

std::string ellipticalEnds(const std::vector<XtGeCompositeCurve2d>& boundaries) {
  std::string out = "[";
  for (const XtGeCompositeCurve2d& b : boundaries)
    for (int i = 0; i < b.numCurves(); ++i)
      if (b.curveAt(i)->type() == XtGe::kEllipArc2d) {
        const auto& arc = static_cast<const XtGeEllipArc2d&>(*b.curveAt(i));
        out += (out.size() > 1 ? ", [" : "[") + num(arc.startPoint().x) + ", " + num(arc.startPoint().y) + ", " +
               num(arc.endPoint().x) + ", " + num(arc.endPoint().y) + "]";
      }
  return out + "]";
}

// The even-odd tree of the boundaries, its curves (borrowed from the tree)
// and its area.
struct evenOddTree {
  bndLevel root;
  curvePtrArray curves;
  curveFlagArray flags;
  double area = 0.0;
  explicit evenOddTree(const std::vector<XtGeCompositeCurve2d>& boundaries) {
    for (const XtGeCompositeCurve2d& b : boundaries)
      if (boundBuilderAddBoundary(root, b, kBoundaryEvenOdd) != kBoundaryAdded) fail("a boundary left the tree");
    collectAllBoundaryCurves(root, curves, flags, false);
    if (hatchTreeArea(root, area) != 0) fail("no tree area");
  }
  ~evenOddTree() { releaseBoundaryLevel(root); }
};

std::vector<moduleHatch> moduleHatches() {
  std::vector<moduleHatch> hatches;
  auto add = [&](const std::string& name, const std::vector<XtGeCompositeCurve2d>& boundaries,
                 const HostHatchPattern* pattern, double rotation, double scale) {
    ltEntProps props;
    props.layer = u"T-podlahove_vytapeni";
    props.setTail(ownedChain(buildResbufList({{1001, u"QEV_DATA"}, {1000, hvUtf8ToWide(name)}})));
    evenOddTree tree(boundaries);
    moduleHatch& hatch = hatches.emplace_back();
    hatch.name = name;
    hatch.area = tree.area;
    hatch.ends = ellipticalEnds(boundaries);
    hatch.list.reset(writeHatch(props, std::span(tree.curves.begin(), tree.curves.end()), pattern, rotation, scale));
    if (!hatch.list) fail(name + ": no list");
  };
  const HostHatchPattern* ansi31 = hostPattern("ANSI31");
  const HostHatchPattern* ansi37 = hostPattern("ANSI37");
  if (!ansi31 || !ansi37) fail("the host has no ANSI31 or ANSI37");
  add("solid", {roundedRectangle(0, 0)}, nullptr, 0.0, 1.0);
  add("solid far", {roundedRectangle(1e7, 1e7)}, nullptr, 0.0, 1.0);
  add("ansi37", {rectangle(0, 20, 10, 30), rectangle(2.5, 22.5, 7.5, 27.5), rectangle(4, 24, 6, 26)}, ansi37, 0.0,
      30.0);
  add("d", {letterD()}, ansi31, XtGe::kPi / 6, 2.0);
  add("half ellipse", {halfEllipse()}, ansi31, XtGe::kPi / 6, 2.0);
  add("cap", {ellipticalCap()}, ansi31, XtGe::kPi / 6, 2.0);
  // Elliptical edges of ratio 0.5 with the major axis at 30 degrees, both
  // senses, and with the minor radius above the major one.
  const XtGeVector2d axis(std::cos(XtGe::kPi / 6), std::sin(XtGe::kPi / 6));
  for (bool clockwise : {false, true}) {
    const std::string sense = clockwise ? " cw" : " ccw";
    add("ellipse" + sense, {ellipticalSegment(20, 0, axis, 0.5, XtGe::kPi / 4, 3 * XtGe::kPi / 4, clockwise)}, ansi31,
        0.0, 1.0);
    const XtGeVector2d minor = clockwise ? -axis.perpVector() : axis.perpVector();
    const XtGeEllipArc2d tall(XtGePoint2d(30, 0), axis, minor, 1.5, 3.0, XtGe::kPi / 4, 3 * XtGe::kPi / 4);
    add("tall ellipse" + sense, {chain({tall.copy(), new XtGeLineSeg2d(tall.endPoint(), tall.startPoint())})}, ansi31,
        0.0, 1.0);
  }
  return hatches;
}

void write() {
  callHostWord<17>();
  for (const moduleHatch& hatch : moduleHatches()) {
    if (!hatch.list) continue;
    if (callHostWord<114>(hatch.list.get(), 0, 0).value_or(0) != hostStatus::normal) fail(hatch.name + ": not made");
    ltHatch2D copy;
    if (copy.setFromList(hatch.list.get(), true) != 0) fail(hatch.name + ": its own list was refused");
    std::printf("{\"name\": \"%s\", \"area\": %s, \"loops\": %s, \"lines\": %s, \"ends\": %s}\n",
                hatch.name.c_str(), num(hatch.area).c_str(), loopsJson(copy).c_str(), linesJson(copy).c_str(),
                hatch.ends.c_str());
  }
  callHostWord<19>(1u);
}

// Every sample of `a` lies within tol of `b`.
bool within(const XtGeCurve2d& a, const XtGeCurve2d& b, double tol) {
  XtGeInterval range;
  a.getInterval(range);
  for (int i = 0; i <= 256; ++i)
    if (b.distanceTo(a.xtEvalPoint(range.lowerBound() + (range.upperBound() - range.lowerBound()) * i / 256)) > tol)
      return false;
  return true;
}

void compare(const std::string& name, const ltHatch2D& read, const ltHatch2D& built) {
  if (read.loops().size() != built.loops().size() || read.patternLines().size() != built.patternLines().size()) {
    fail(name + ": loops or lines lost");
    return;
  }
  for (std::size_t i = 0; i < read.loops().size(); ++i) {
    const XtGeCompositeCurve2d& a = read.loops()[i].curve;
    const XtGeCompositeCurve2d& b = built.loops()[i].curve;
    XtGePoint2d start;
    const double tol = b.hasStartPoint(start) && std::fabs(start.x) > 1e6 ? 1e-6 : 1e-9;
    if (!within(a, b, tol) || !within(b, a, tol) || std::fabs(a.totalLength() - b.totalLength()) > tol)
      fail(name + ": loop " + std::to_string(i) + " moved");
  }
  for (std::size_t i = 0; i < read.patternLines().size(); ++i) {
    const ltHatchPatternLine& a = read.patternLines()[i];
    const ltHatchPatternLine& b = built.patternLines()[i];
    bool same = a.dashes.size() == b.dashes.size() && std::fabs(a.angle - b.angle) <= 1e-12 &&
                a.base.distanceTo(b.base) <= 1e-12 && (a.offset - b.offset).length() <= 1e-12;
    for (std::size_t k = 0; same && k < a.dashes.size(); ++k) same = std::fabs(a.dashes[k] - b.dashes[k]) <= 1e-12;
    if (!same) fail(name + ": pattern line " + std::to_string(i) + " changed");
  }
}

void read() {
  std::vector<moduleHatch> built = moduleHatches();
  callHostWord<17>();
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) fail("nothing selected");
  std::vector<ownedChain> lists;
  while (resbuf* given = callHostWord<167>(0, 0).value_or(nullptr)) lists.emplace_back(given);
  for (const ownedChain& list : lists) {
    auto copy = entReader2D::anyEntity(list.get());
    const bool entity = entReader2D::entity(list.get()) != nullptr;
    const std::string name = nameOf(list.get());
    std::string out = "{\"handle\": \"" + hvWideToUtf8(textOf(list.get(), 5)) + "\", \"name\": \"" + name +
                      "\", \"kind\": " + std::to_string(static_cast<int>(copy->entType())) +
                      ", \"entity\": " + (entity ? "true" : "false");
    if (copy->entType() == ltEntKind::hatch) {
      auto& hatch = static_cast<ltHatch2D&>(*copy);
      out += ", \"loops\": " + loopsJson(hatch) + ", \"lines\": " + linesJson(hatch);
      for (const moduleHatch& own : built) {
        ltHatch2D fresh;
        if (own.name == name && own.list && fresh.setFromList(own.list.get(), true) == 0) compare(name, hatch, fresh);
      }
      if (!g_out.empty()) {
        const resbuf* rewritten = hatch.getUpdatedList(2);
        if (!rewritten || callHostWord<114>(rewritten, 0, 0).value_or(0) != hostStatus::normal)
          fail(name + ": not rewritten");
      }
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
  const bool saving = argc == 4;
  if (mode == "read" && saving) g_out = argv[3];
  const GeometryToleranceScope tolerances(1);
  {
    cadhost::test::HostRun run(std::filesystem::absolute(argv[2]).string(),
                               std::string("command ") + mode + (mode == "read" ? "\nselect all\n" : "\n") +
                                   (saving ? "save saved.dxf\n" : ""),
                               {}, {{"write", write}, {"read", read}});
    if (run.run() != 0) fail("the host run failed");
    std::error_code error;
    if (saving)
      std::filesystem::copy_file(run.folder() / "saved.dxf", argv[3], std::filesystem::copy_options::overwrite_existing,
                                 error);
    if (error) fail("no saved drawing: " + error.message());
  }
  return g_failures == 0 ? 0 : 1;
}
