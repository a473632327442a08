#include "geometry/segmentMerging.h"

#include "geometry/Tolerances.h"
#include "geometry/curveCopying.h"
#include "geometry/forEachSimplePiece.h"
#include "geometry/hvArrayEdit.h"
#include "geometry/removeZeroLengthCurves.h"
#include "platform/ge/XtGeLineSeg2d.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {

using pieceVector = std::vector<std::unique_ptr<XtGeCurve2d>>;

// Whether b lies on a's line, parallel to it and touching it.
bool mergesInto(const XtGeLineSeg2d& a, const XtGeLineSeg2d& b, const XtGeTol& parallelTol) {
  const XtGePoint2d s = a.startPoint();
  const XtGeVector2d along = a.endPoint() - s;
  if (!along.isParallelTo(b.endPoint() - b.startPoint(), parallelTol)) return false;
  const bool touching = a.isOn(b.startPoint(), workTol) || a.isOn(b.endPoint(), workTol) ||
                        b.isOn(s, workTol) || b.isOn(a.endPoint(), workTol);
  if (!touching) return false;
  // The widened parallel test alone would let a far end stray from the line.
  const XtGeVector2d u = along.normal(XtGeTol(0.0, 0.0));
  return std::fabs(u.crossProduct(b.startPoint() - s)) <= workTol.equalPoint() &&
         std::fabs(u.crossProduct(b.endPoint() - s)) <= workTol.equalPoint();
}

// a becomes the segment along its direction between the outermost ends.
void absorb(XtGeLineSeg2d& a, const XtGeLineSeg2d& b) {
  const XtGePoint2d s = a.startPoint();
  const XtGeVector2d along = a.endPoint() - s;
  const double length = along.length();
  const XtGeVector2d u = along / length;
  XtGePoint2d start = s;
  XtGePoint2d end = a.endPoint();
  double lowest = 0.0;
  double highest = length;
  for (const XtGePoint2d& p : {b.startPoint(), b.endPoint()}) {
    const double at = u.dotProduct(p - s);
    if (at < lowest) {
      lowest = at;
      start = p;
    }
    if (at > highest) {
      highest = at;
      end = p;
    }
  }
  a.set(start, end);
}

// Owned copies of the simple pieces; false when one cannot be made.
bool copyPieces(const XtGeCurve2d& curve, bool nested, ownedCurveList& copies) {
  bool ok = true;
  auto copyOne = [&](const XtGeCurve2d& piece) {
    ok = appendOwnedCurve(copies.list, std::unique_ptr<XtGeCurve2d>(copyCurve2d(&piece)));
    return ok;
  };
  if (nested) {
    forEachSimplePiece(curve, copyOne);
  } else if (curve.type() == XtGe::kCompositeCrv2d) {
    const auto& composite = static_cast<const XtGeCompositeCurve2d&>(curve);
    for (int i = 0; i < composite.numCurves() && ok; ++i)
      if (composite.curveAt(i) != nullptr) copyOne(*composite.curveAt(i));
  }
  return ok;
}

pieceVector takePieces(ownedCurveList& copies) {
  pieceVector pieces;
  pieces.reserve(static_cast<std::size_t>(copies.list.count()));
  for (XtGeCurve2d*& curve : copies.list) {
    pieces.emplace_back(curve);
    curve = nullptr;
  }
  return pieces;
}

bool isSegment(const std::unique_ptr<XtGeCurve2d>& curve) { return curve->type() == XtGe::kLineSeg2d; }

XtGeVector2d directionOf(const std::unique_ptr<XtGeCurve2d>& segment) {
  const auto& s = static_cast<const XtGeLineSeg2d&>(*segment);
  return s.endPoint() - s.startPoint();
}

}  // namespace

void mergeCollinearSegments(curvePtrArray& curves) {
  XtGeTol parallelTol = workTol;
  parallelTol.setEqualVector(workTol.equalVector() * 1000.0);
  // Every pass but the last removes a segment.
  const int passes = curves.count();
  for (int pass = 0; pass <= passes; ++pass) {
    std::vector<XtGeLineSeg2d*> segments;
    for (XtGeCurve2d* curve : curves)
      if (curve != nullptr && curve->type() == XtGe::kLineSeg2d)
        segments.push_back(static_cast<XtGeLineSeg2d*>(curve));
    if (segments.size() < 2) return;
    bool merged = false;
    for (std::size_t i = 0; i < segments.size(); ++i) {
      if (segments[i] == nullptr) continue;
      for (std::size_t j = i + 1; j < segments.size(); ++j) {
        if (segments[j] == nullptr || !mergesInto(*segments[i], *segments[j], parallelTol)) continue;
        absorb(*segments[i], *segments[j]);
        for (XtGeCurve2d*& curve : curves)
          if (curve == segments[j]) curve = nullptr;
        delete segments[j];
        segments[j] = nullptr;
        merged = true;
        break;
      }
    }
    hvArrayKeepIf(curves, [](const XtGeCurve2d* c) { return c != nullptr; });
    if (!merged) return;
  }
}

bool mergeCodirectionalNeighbours(XtGeCompositeCurve2d& composite, const XtGeTol& tol) {
  const bool closed = composite.xtIsClosed(tol);
  ownedCurveList copies;
  if (!copyPieces(composite, true, copies)) return false;
  const bool dropped = removeZeroLengthCurves(copies.list) > 0;
  pieceVector pieces = takePieces(copies);
  bool merged = false;
  // Each round merges away a piece or moves on by one.
  std::size_t i = 0;
  while (pieces.size() >= 2 && i < pieces.size()) {
    std::size_t next = i + 1;
    if (next == pieces.size()) {
      if (!closed) break;
      next = 0;
    }
    if (!isSegment(pieces[i]) || !isSegment(pieces[next]) ||
        !directionOf(pieces[i]).isCodirectionalTo(directionOf(pieces[next]), tol)) {
      ++i;
      continue;
    }
    auto& segment = static_cast<XtGeLineSeg2d&>(*pieces[i]);
    segment.set(segment.startPoint(), static_cast<const XtGeLineSeg2d&>(*pieces[next]).endPoint());
    pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(next));
    if (next < i) --i;
    merged = true;
  }
  if (merged || dropped) composite.setCurveList(std::move(pieces));
  return merged;
}

int removeCompositeZeroLengthPieces(XtGeCompositeCurve2d& composite) {
  ownedCurveList copies;
  if (!copyPieces(composite, false, copies)) return 0;
  const int removed = removeZeroLengthCurves(copies.list);
  if (removed > 0) composite.setCurveList(takePieces(copies));
  return removed;
}
