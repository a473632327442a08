// Offsets the outlines it reads from standard input with the library's
// chain offsets and prints what they give, for the comparison with GEOS in
// chain_offset_check.py. One outline per line:
//   unitFactor closed d n x0 y0 bulge0 ... x(n-1) y(n-1) bulge(n-1)
// (bulge i for the edge from vertex i; an open outline has n - 1 edges).
// One JSON object per line back: the joined offset's vertices ("joined",
// null when none), for closed straight outlines the vertices of the
// variable-distance chain with every distance d ("chain"), and for closed
// outlines the area by both area rules ("area", "triangles"; null when a
// rule refuses). Exits 2 on a malformed line.
#include "geometry/Tolerances.h"
#include "geometry/curveArea.h"
#include "geometry/curveChainOffset.h"
#include "geometry/releasePtrArray.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct outlineInput {
  double unitFactor = 1.0;
  bool closed = true;
  double d = 0.0;
  std::vector<XtGePoint2d> points;
  std::vector<double> bulges;
};

bool parse(const std::string& line, outlineInput& in) {
  std::istringstream s(line);
  int closed = 0;
  int n = 0;
  if (!(s >> in.unitFactor >> closed >> in.d >> n) || n < 2) return false;
  in.closed = closed != 0;
  for (int i = 0; i < n; ++i) {
    double x = 0.0;
    double y = 0.0;
    double b = 0.0;
    if (!(s >> x >> y >> b)) return false;
    in.points.emplace_back(x, y);
    in.bulges.push_back(b);
  }
  return true;
}

std::unique_ptr<XtGeCurve2d> edge(const outlineInput& in, std::size_t i) {
  const XtGePoint2d& a = in.points[i];
  const XtGePoint2d& b = in.points[(i + 1) % in.points.size()];
  if (in.bulges[i] == 0.0) return std::make_unique<XtGeLineSeg2d>(a, b);
  return std::make_unique<XtGeCircArc2d>(a, b, in.bulges[i]);
}

std::string point(const XtGePoint2d& p) {
  char text[80];
  std::snprintf(text, sizeof text, "[%.17g, %.17g]", p.x, p.y);
  return text;
}

// The start of every piece and the end of the last, as a JSON list.
template <typename Pieces>
std::string vertexList(const Pieces& pieces) {
  std::string out = "[";
  XtGePoint2d p;
  for (const XtGeCurve2d* piece : pieces) {
    if (out.size() > 1) out += ", ";
    piece->hasStartPoint(p);
    out += point(p);
  }
  if (!pieces.empty()) {
    pieces.back()->hasEndPoint(p);
    out += ", " + point(p);
  }
  return out + "]";
}

std::string number(bool ok, double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return ok ? text : "null";
}

std::string answer(const outlineInput& in) {
  workTol = XtGeTol(in.unitFactor * 1e-6, in.unitFactor * 1e-8);
  workTolFine = XtGeTol(in.unitFactor * 1e-9, in.unitFactor * 1e-11);
  const std::size_t edges = in.closed ? in.points.size() : in.points.size() - 1;
  bool straight = true;
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (std::size_t i = 0; i < edges; ++i) {
    straight = straight && in.bulges[i] == 0.0;
    pieces.push_back(edge(in, i));
  }
  const XtGeCompositeCurve2d outline(std::move(pieces));
  std::string out = "{\"joined\": ";
  const int options = in.closed ? kOffsetClosed | kOffsetCornerByTangents : kOffsetCornerByTangents;
  const std::unique_ptr<XtGeCurve2d> joined = offsetCurveJoined(&outline, in.d, options);
  if (joined && joined->type() == XtGe::kCompositeCrv2d) {
    const auto& c = static_cast<const XtGeCompositeCurve2d&>(*joined);
    std::vector<const XtGeCurve2d*> list;
    for (int i = 0; i < c.numCurves(); ++i) list.push_back(c.curveAt(i));
    out += vertexList(list);
  } else {
    out += "null";
  }
  if (in.closed && straight) {
    curvePtrArray curves;
    for (std::size_t i = 0; i < edges; ++i) curves.append(edge(in, i).release());
    const std::vector<double> distances(edges, in.d);
    curvePtrArray chain;
    chainSourceArray sources;
    const int made = offsetChainVariable(curves, distances, chain, sources, false);
    std::vector<const XtGeCurve2d*> list(chain.begin(), chain.end());
    out += ", \"chain\": " + (made == 1 ? vertexList(list) : std::string("null"));
    releasePtrArray(chain);
    releasePtrArray(curves);
  }
  if (in.closed) {
    double area = 0.0;
    double triangles = 0.0;
    const bool hasArea = getCurveArea(outline, area);
    const bool hasTriangles = getCurveAreaByTriangles(outline, triangles);
    out += ", \"area\": " + number(hasArea, area) + ", \"triangles\": " + number(hasTriangles, triangles);
  }
  return out + "}";
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.empty()) continue;
    outlineInput in;
    if (!parse(line, in)) {
      std::cerr << "malformed outline: " << line << "\n";
      return 2;
    }
    std::cout << answer(in) << "\n";
  }
  return 0;
}
