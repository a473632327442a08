// splitByCurve and splitByCurveBounded of every entity kind.
//
// Curve kinds are cut at the cutter (splitCurveAtCurve) and each piece
// becomes a copy of its own kind (curvesToEntities); a polyline's pieces
// are joined again between the cut points, so that a polyline cut at two
// points gives its two sides. Closed outlines (solids, image clips) are
// combined with the cutter as regions (combineClosedCurves). Points stay or
// go by their position. Texts, references and the catch-all are handed on
// whole; a multiline text is neither cut nor handed on.
//
// Tolerances: workTol throughout (the operations used decide with it).
// Host thread: the pieces share this copy's list holder.
#include <memory>
#include <vector>

#include "geometry/Tolerances.h"
#include "geometry/curveBoundBlock.h"
#include "geometry/curveClassification.h"
#include "geometry/curveOrientation.h"
#include "geometry/curveSplitting.h"
#include "geometry/cutFrameByCurve.h"
#include "geometry/regionCombination.h"
#include "geometry/segmentMerging.h"
#include "host/ResbufChain.h"
#include "host/entities/HatchBuilder.h"
#include "host/entities/curveEntities.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/ltAbscissa2D.h"
#include "host/entities/ltArc2D.h"
#include "host/entities/ltEllipse2D.h"
#include "host/entities/ltHatch2D.h"
#include "host/entities/ltImage2D.h"
#include "host/entities/ltLine2D.h"
#include "host/entities/ltMText2D.h"
#include "host/entities/ltPoint2D.h"
#include "host/entities/ltPolyline2D.h"
#include "host/entities/ltRay2D.h"
#include "host/entities/ltSolid2D.h"
#include "platform/ge/XtGeLineSeg2d.h"

namespace {

constexpr int kInsideBit = 2;

using pieceList = std::vector<std::unique_ptr<XtGeCurve2d>>;

bool isFiniteBlock(const XtGeBoundBlock2d& block) {
  return !block.isEmpty() && block.minPoint().isFinite() && block.maxPoint().isFinite();
}

// The curve a copy is cut by: the cutter itself, or with a reference point
// the region on the point's side of it within the bounds (the extents of
// the copy's shape and the cutter when none are given). Null when no
// region results: an unbounded shape or cutter without bounds, or a point
// on the cut.
class cuttingCurve {
 public:
  cuttingCurve(const XtGeCurve2d& shape, const XtGeCurve2d& cutter, const XtGePoint2d* referencePoint,
               const XtGeBoundBlock2d* bounds)
      : curve_(&cutter) {
    if (referencePoint == nullptr) return;
    curve_ = nullptr;
    XtGeBoundBlock2d block;
    if (bounds != nullptr) {
      block = *bounds;
    } else {
      curveBoundBlock(shape, block, false);
      curveBoundBlock(cutter, block, true);
    }
    if (!isFiniteBlock(block)) return;
    std::uint8_t side = 0;
    region_ = cutFrameByCurve(cutter, block, *referencePoint, side);
    curve_ = region_.get();
  }

  const XtGeCurve2d* get() const { return curve_; }

 private:
  std::unique_ptr<XtGeCurve2d> region_;
  const XtGeCurve2d* curve_;
};

pieceList splitPieces(const XtGeCurve2d& curve, const XtGeCurve2d& cutter) {
  ownedCurveList split;
  splitCurveAtCurve(curve, cutter, split.list);
  pieceList pieces;
  for (XtGeCurve2d*& piece : split.list) {
    pieces.emplace_back(piece);
    piece = nullptr;
  }
  return pieces;
}

// Pieces that share no bit with the selector are dropped (left null).
bool dropBySide(pieceList& pieces, const XtGeCurve2d& cutter, int selector) {
  bool dropped = false;
  for (auto& piece : pieces) {
    if (piece && (classifyCurveInCurve(*piece, cutter) & selector) == 0) {
      piece.reset();
      dropped = true;
    }
  }
  return dropped;
}

// The pieces of a polyline (in order along it, dropped ones null) joined
// into chains: a chain runs on while the pieces follow each other and their
// joint is no cut point (it does not lie on the cutter); a closed
// polyline's last chain goes on into its first across the start.
void joinBetweenCuts(pieceList& pieces, const XtGeCurve2d& cutter, bool closed, curvePtrArray& chains) {
  const std::size_t n = pieces.size();
  std::vector<bool> joinsNext(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t next = (i + 1) % n;
    XtGePoint2d joint;
    joinsNext[i] = (closed || next != 0) && pieces[i] && pieces[next] && pieces[i]->hasEndPoint(joint) &&
                   !cutter.isOn(joint, workTol);
  }
  // Start behind a break, so that a chain across a closed polyline's start
  // stays one; without any break the whole polyline is one chain.
  std::size_t first = 0;
  while (first < n && joinsNext[(first + n - 1) % n]) ++first;
  if (first == n) first = 0;
  ownedCurveList run;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = (first + k) % n;
    if (pieces[i]) appendOwnedCurve(run.list, std::move(pieces[i]));
    if (k + 1 < n && joinsNext[i]) continue;
    curveList::joinAll(run.list, true, false);
    for (XtGeCurve2d*& chain : run.list) {
      appendOwnedCurve(chains, std::unique_ptr<XtGeCurve2d>(chain));
      chain = nullptr;
    }
    run.list.removeAll();
  }
}

// The pieces handed to curvesToEntities; the answer is the number that did
// not become copies (deleted with the list).
int piecesToCopies(ownedCurveList& pieces, const ltEnt2D& source, ltEntArray& out) {
  entMisc2D::curvesToEntities(pieces.list, out, source.getHolder(), source.getProps());
  int remaining = 0;
  for (const XtGeCurve2d* piece : pieces.list)
    if (piece != nullptr) ++remaining;
  return remaining;
}

void appendPieces(pieceList& pieces, curvePtrArray& list) {
  for (auto& piece : pieces)
    if (piece) appendOwnedCurve(list, std::move(piece));
}

// splitByCurve of a curve kind.
template <class Kind>
int splitCurveKind(Kind& self, const XtGeCurve2d& cutter, ltEntArray& out) {
  pieceList pieces = splitPieces(self.geometry(), cutter);
  if (pieces.empty()) {
    out.push_back(self.clone());
    return 0;
  }
  ownedCurveList list;
  if constexpr (std::is_same_v<Kind, ltPolyline2D>)
    joinBetweenCuts(pieces, cutter, self.geometry().xtIsClosed(workTol), list.list);
  else
    appendPieces(pieces, list.list);
  return piecesToCopies(list, self, out);
}

// splitByCurveBounded of a curve kind.
template <class Kind>
int splitCurveKindBounded(Kind& self, const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                          const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) {
  if (inside) *inside = false;
  const cuttingCurve by(self.geometry(), cutter, referencePoint, bounds);
  if (by.get() == nullptr) return 0;
  pieceList pieces = splitPieces(self.geometry(), *by.get());
  const bool dropped = dropBySide(pieces, *by.get(), selector);
  if (inside) *inside = dropped;
  ownedCurveList list;
  if constexpr (std::is_same_v<Kind, ltPolyline2D>) {
    if (self.rejoinWord != 0) joinBetweenCuts(pieces, *by.get(), self.geometry().xtIsClosed(workTol), list.list);
    else appendPieces(pieces, list.list);
  } else {
    if constexpr (std::is_same_v<Kind, ltLine2D>) {
      // Inside a region an unbounded line keeps only its segments.
      if (selector & kInsideBit)
        for (auto& piece : pieces)
          if (piece && piece->type() != XtGe::kLineSeg2d) piece.reset();
    }
    appendPieces(pieces, list.list);
    mergeCollinearSegments(list.list);
  }
  return piecesToCopies(list, self, out);
}

// The results of combining the outline (A) with the cutter (B) as regions,
// each as a composite: keepA by the selector's inside bit. `cut` tells
// whether the result differs from the outline: a piece of it was dropped,
// or the cutter made a hole in it (the outline then survives whole beside
// the hole, which the combination's own changed flag does not tell).
// `dropped` (may be null) receives that flag alone: a piece of the outline
// was dropped.
std::vector<XtGeCompositeCurve2d> combinedOutlines(const XtGeCurve2d& outline, const XtGeCurve2d& cutter,
                                                   int selector, bool dropB, bool& cut, bool* dropped = nullptr) {
  ownedCurveList results;
  bool changed = false;
  combineClosedCurves(outline, cutter, results.list, (selector & kInsideBit) != 0, &changed, dropB);
  cut = changed || results.list.count() != 1;
  if (dropped) *dropped = changed;
  std::vector<XtGeCompositeCurve2d> outlines;
  for (XtGeCurve2d* result : results.list) {
    if (result == nullptr) continue;
    if (result->type() == XtGe::kCompositeCrv2d) {
      outlines.push_back(static_cast<const XtGeCompositeCurve2d&>(*result));
    } else {
      std::vector<std::unique_ptr<XtGeCurve2d>> one;
      one.emplace_back(result->copy());
      outlines.emplace_back(std::move(one));
    }
  }
  return outlines;
}

// Appends a dirty clone of the copy, changed by `edit` first.
template <class Kind, class Edit>
void appendEditedClone(const Kind& source, ltEntArray& out, Edit&& edit) {
  auto copy = source.clone();
  edit(static_cast<Kind&>(*copy));
  copy->markDirty();
  out.push_back(std::move(copy));
}

bool onlySegments(const XtGeCompositeCurve2d& outline) {
  for (int i = 0; i < outline.numCurves(); ++i)
    if (outline.curveAt(i)->type() != XtGe::kLineSeg2d) return false;
  return outline.numCurves() > 0;
}

// The pieces of a closed loop, copied, in its own direction or reversed.
void appendLoopPieces(const XtGeCompositeCurve2d& loop, bool reversed, std::vector<std::unique_ptr<XtGeCurve2d>>& out) {
  XtGeCompositeCurve2d copy = loop;
  if (reversed) copy.reverseParam();
  for (int i = 0; i < copy.numCurves(); ++i) out.emplace_back(copy.curveAt(i)->copy());
}

// Two loops of which one holds the other become one boundary: the outer
// loop, a segment to the inner loop's start, the inner loop running the
// other way round, and the segment back.
bool keyholeBoundary(std::vector<XtGeCompositeCurve2d>& loops) {
  if (loops.size() != 2) return false;
  XtGePoint2d s0, s1;
  if (!loops[0].hasStartPoint(s0) || !loops[1].hasStartPoint(s1)) return false;
  int outer = -1;
  if (classifyPointInCurve(s1, loops[0]) == kPositionInside) outer = 0;
  else if (classifyPointInCurve(s0, loops[1]) == kPositionInside) outer = 1;
  if (outer < 0) return false;
  const XtGeCompositeCurve2d& a = loops[outer];
  const XtGeCompositeCurve2d& b = loops[1 - outer];
  bool aClockwise = false, bClockwise = false;
  if (!curveIsClockwise(a, aClockwise) || !curveIsClockwise(b, bClockwise)) return false;
  XtGePoint2d aStart, bStart;
  a.hasStartPoint(aStart);
  b.hasStartPoint(bStart);
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  appendLoopPieces(a, false, pieces);
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(aStart, bStart));
  appendLoopPieces(b, aClockwise == bClockwise, pieces);
  pieces.push_back(std::make_unique<XtGeLineSeg2d>(bStart, aStart));
  XtGeCompositeCurve2d joined(std::move(pieces));
  loops.clear();
  loops.push_back(std::move(joined));
  return true;
}

}  // namespace

// Kinds that are not cut hand on a whole copy.
int ltEnt2D::splitByCurve(const XtGeCurve2d&, ltEntArray& out) {
  out.push_back(clone());
  return 1;
}

int ltEnt2D::splitByCurveBounded(const XtGeCurve2d&, ltEntArray& out, int, bool* inside, const XtGePoint2d*,
                                 const XtGeBoundBlock2d*) {
  if (inside) *inside = false;
  out.push_back(clone());
  return 1;
}

#define HV_CURVE_KIND_CUTS(Kind)                                                                                  \
  int Kind::splitByCurve(const XtGeCurve2d& cutter, ltEntArray& out) { return splitCurveKind(*this, cutter, out); } \
  int Kind::splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,           \
                                const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) {              \
    return splitCurveKindBounded(*this, cutter, out, selector, inside, referencePoint, bounds);                  \
  }

HV_CURVE_KIND_CUTS(ltAbscissa2D)
HV_CURVE_KIND_CUTS(ltArc2D)
HV_CURVE_KIND_CUTS(ltEllipse2D)
HV_CURVE_KIND_CUTS(ltLine2D)
HV_CURVE_KIND_CUTS(ltRay2D)
HV_CURVE_KIND_CUTS(ltPolyline2D)
#undef HV_CURVE_KIND_CUTS

int ltPoint2D::splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                                   const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) {
  if (inside) *inside = false;
  const XtGeLineSeg2d spot(geometry(), geometry());
  const cuttingCurve by(spot, cutter, referencePoint, bounds);
  if (by.get() != nullptr && (classifyPointInCurve(geometry(), *by.get()) & selector) != 0) out.push_back(clone());
  return 1;
}

int ltMText2D::splitByCurve(const XtGeCurve2d&, ltEntArray&) { return -1; }

int ltMText2D::splitByCurveBounded(const XtGeCurve2d&, ltEntArray&, int, bool* inside, const XtGePoint2d*,
                                   const XtGeBoundBlock2d*) {
  if (inside) *inside = false;
  return -1;
}

int ltImage2D::splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                                   const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) {
  if (inside) *inside = false;
  const cuttingCurve by(clipBoundary, cutter, referencePoint, bounds);
  if (by.get() == nullptr) return 1;
  bool changed = false;
  std::vector<XtGeCompositeCurve2d> boundaries = combinedOutlines(clipBoundary, *by.get(), selector, false, changed);
  if (inside) *inside = changed;
  keyholeBoundary(boundaries);
  for (XtGeCompositeCurve2d& boundary : boundaries)
    appendEditedClone(*this, out, [&](ltImage2D& image) { image.clipBoundary = std::move(boundary); });
  return 1;
}

int ltSolid2D::splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                                   const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) {
  if (inside) *inside = false;
  const cuttingCurve by(geometry(), cutter, referencePoint, bounds);
  if (by.get() == nullptr) return 1;
  bool cut = false;
  std::vector<XtGeCompositeCurve2d> outlines = combinedOutlines(geometry(), *by.get(), selector, false, cut);
  if (inside) *inside = cut;
  if (!cut) {
    appendEditedClone(*this, out, [](ltSolid2D&) {});
    return 1;
  }
  for (XtGeCompositeCurve2d& outline : outlines) {
    if (onlySegments(outline)) {
      appendEditedClone(*this, out, [&](ltSolid2D& solid) { solid.geometry() = std::move(outline); });
      continue;
    }
    resbuf* list = entBuilder2D::solidHatchOne(getProps(), outline);
    if (list == nullptr) continue;
    if (auto hatch = entReader2D::entity(list)) out.push_back(std::move(hatch));
    freeResbufChain(list, false);
  }
  return 1;
}

int ltHatch2D::splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                                   const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds) {
  if (inside) *inside = false;
  if (loops_.empty()) {
    out.push_back(clone());
    return 1;
  }
  // The region of an open cutter reaches over the whole hatch.
  XtGeBoundBlock2d block;
  if (referencePoint != nullptr && bounds == nullptr) {
    getExtents(block, false);
    curveBoundBlock(cutter, block, true);
    bounds = &block;
  }
  const cuttingCurve by(cutter, cutter, referencePoint, bounds);
  if (by.get() == nullptr) return 1;
  const bool keepsUntouched = cutDropWord != 0;
  std::vector<ltHatchLoop> loops;
  bool anyCut = false;
  for (const ltHatchLoop& loop : loops_) {
    bool cut = false, dropped = false;
    std::vector<XtGeCompositeCurve2d> results =
        combinedOutlines(loop.curve, *by.get(), selector, keepsUntouched, cut, &dropped);
    if (keepsUntouched && !dropped) {
      loops.push_back(loop);
      continue;
    }
    anyCut = anyCut || cut;
    for (XtGeCompositeCurve2d& result : results) loops.push_back({std::move(result), loop.flags, {}});
  }
  if (inside) *inside = anyCut;
  if (!loops.empty()) appendEditedClone(*this, out, [&](ltHatch2D& hatch) { hatch.loops_ = std::move(loops); });
  return 1;
}
