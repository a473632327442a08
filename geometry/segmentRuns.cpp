#include "geometry/segmentRuns.h"

#include "geometry/releasePtrArray.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <memory>
#include <utility>

segmentRun::segmentRun(segmentRun&& other) noexcept : kind(other.kind) { pieces.swap(other.pieces); }

segmentRun& segmentRun::operator=(segmentRun&& other) noexcept {
  if (this != &other) {
    releasePtrArray2(pieces);
    kind = other.kind;
    pieces.swap(other.pieces);
  }
  return *this;
}

segmentRun::~segmentRun() { releasePtrArray2(pieces); }

void splitIntoRuns(curvePtrArray& curves, std::vector<segmentRun>& runs, const XtGeTol& tol) {
  segmentRun current;
  bool open = false;
  XtGePoint2d lastEnd;
  for (XtGeCurve2d*& curve : curves) {
    if (curve == nullptr) continue;
    const bool isSegment = curve->isKindOf(XtGe::kLineSeg2d);
    const int kind = isSegment ? kRunOfSegments : kRunOfOtherCurves;
    XtGePoint2d start;
    const bool gap = isSegment && open && current.kind == kRunOfSegments &&
                     (!curve->hasStartPoint(start) || !start.isEqualTo(lastEnd, tol));
    if (open && (kind != current.kind || gap)) {
      runs.push_back(std::move(current));
      current = segmentRun();
      open = false;
    }
    if (!open) {
      current.kind = kind;
      open = true;
    }
    XtGeCurve2d* moved = curve;
    if (current.pieces.append(moved) < 0) continue;  // out of memory: stays in the list
    curve = nullptr;
    if (isSegment) moved->hasEndPoint(lastEnd);
  }
  if (open && !current.pieces.isEmpty()) runs.push_back(std::move(current));
  // Whatever could not be moved stays; the rest has left the list.
  curvePtrArray left;
  for (XtGeCurve2d* curve : curves)
    if (curve != nullptr) left.append(curve);
  curves.swap(left);
}

bool runToVertices(const segmentRun& run, std::vector<runVertex>& vertices) {
  vertices.clear();
  const int n = run.pieces.count();
  if (n < 2) return false;
  XtGePoint2d p;
  if (!run.pieces[0]->hasStartPoint(p)) return false;
  vertices.push_back({p, run.pieces[0], nullptr});
  for (int i = 0; i < n; ++i) {
    if (!run.pieces[i]->hasEndPoint(p)) {
      vertices.clear();
      return false;
    }
    vertices.push_back({p, run.pieces[i], i + 1 < n ? run.pieces[i + 1] : nullptr});
  }
  return true;
}

double pointToChordDistance(const XtGePoint2d& p, const XtGePoint2d& a, const XtGePoint2d& b,
                            const XtGeTol& tol) {
  if (a.isEqualTo(b, tol)) return p.distanceTo(a + 0.5 * (b - a));
  const XtGeVector2d ab = b - a;
  double f = (p - a).dotProduct(ab) / ab.lengthSqrd();
  f = f < 0.0 ? 0.0 : (f > 1.0 ? 1.0 : f);
  return p.distanceTo(a + ab * f);
}

void simplifyPolylineDP(std::vector<runVertex>& vertices, const XtGeTol& tol) {
  const int n = static_cast<int>(vertices.size());
  if (n < 3) return;
  std::vector<char> keep(static_cast<std::size_t>(n), 0);
  keep.front() = 1;
  keep.back() = 1;
  // Every range pushed is split strictly, so at most n ranges are ever pushed.
  std::vector<std::pair<int, int>> ranges;
  ranges.emplace_back(0, n - 1);
  while (!ranges.empty()) {
    const auto [first, last] = ranges.back();
    ranges.pop_back();
    if (last - first < 2) continue;
    int farthest = -1;
    double largest = -1.0;
    for (int k = first + 1; k < last; ++k) {
      const double d = pointToChordDistance(vertices[k].point, vertices[first].point,
                                            vertices[last].point, tol);
      if (d > largest) {
        largest = d;
        farthest = k;
      }
    }
    if (!(largest > tol.equalPoint())) continue;
    keep[farthest] = 1;
    ranges.emplace_back(farthest, last);
    ranges.emplace_back(first, farthest);
  }
  std::size_t w = 0;
  for (std::size_t k = 0; k < vertices.size(); ++k)
    if (keep[k]) vertices[w++] = vertices[k];
  vertices.resize(w);
}

void rebuildRunFromVertices(segmentRun& run, const std::vector<runVertex>& vertices) {
  curvePtrArray segments(static_cast<std::int32_t>(vertices.size()));
  for (std::size_t k = 0; k + 1 < vertices.size(); ++k) {
    auto segment = std::make_unique<XtGeLineSeg2d>(vertices[k].point, vertices[k + 1].point);
    if (segments.append(segment.get()) < 0) {
      releasePtrArray2(segments);
      return;  // out of memory: the run keeps its pieces
    }
    segment.release();
  }
  releasePtrArray2(run.pieces);
  run.pieces.swap(segments);
}

void simplifySegmentRuns(curvePtrArray& curves, const XtGeTol& tol) {
  if (curves.count() < 2) return;
  // The result never has more curves than the input: make its block first,
  // so that putting the pieces back cannot fail.
  curvePtrArray result(curves.count());
  if (result.capacity() < curves.count()) return;
  std::vector<segmentRun> runs;
  splitIntoRuns(curves, runs, tol);
  std::vector<runVertex> vertices;
  for (segmentRun& run : runs) {
    if (run.kind != kRunOfSegments || !runToVertices(run, vertices)) continue;
    const std::size_t before = vertices.size();
    simplifyPolylineDP(vertices, tol);
    if (vertices.size() < before) rebuildRunFromVertices(run, vertices);
  }
  // Curves that could not be moved into a run come first (only when memory
  // ran out), then the runs in order.
  result.append(curves);
  for (segmentRun& run : runs) {
    result.append(run.pieces);
    run.pieces.removeAll();
  }
  curves.swap(result);
}
