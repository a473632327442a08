// The offset of a single curve, and the joined offset of a whole curve with
// its gap closing and its clean-up of open chains.
#include "geometry/curveChainOffset.h"
#include "geometry/curveChainOffsetDetail.h"

#include "geometry/Tolerances.h"
#include "geometry/curveChainJoin.h"
#include "geometry/curveCopying.h"
#include "geometry/curveEdits.h"
#include "geometry/forEachSimplePiece.h"
#include "geometry/removeZeroLengthCurves.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"

#include <cmath>
#include <limits>

using namespace chainOffsetDetail;

namespace {

constexpr int kExtensionTries = 10;

// The pieces the corner edits work on (resizing and trimming).
bool isEditable(const XtGeCurve2d& curve) {
  return curve.type() == XtGe::kLineSeg2d || curve.type() == XtGe::kCircArc2d;
}

// The point and direction of travel at the curve's end (atEnd) or start.
bool tangentAt(const XtGeCurve2d& curve, bool atEnd, XtGePoint2d& point, XtGeVector2d& direction) {
  XtGeInterval iv(XtGe::kIntervalTol);
  curve.getInterval(iv);
  if (atEnd ? !iv.isBoundedAbove() : !iv.isBoundedBelow()) return false;
  XtGeVector2d second;
  return curve.xtEvalDerivs(atEnd ? iv.upperBound() : iv.lowerBound(), point, direction, second) &&
         point.isFinite() && direction.lengthSqrd() > 0.0 && std::isfinite(direction.lengthSqrd());
}

// The common point of the two curves that comes first along the second
// (byFirst false) or the first curve (byFirst true; last along it when last
// is set). False when they do not meet.
bool orderedHit(const XtGeCurve2d& first, const XtGeCurve2d& second, bool byFirst, bool last,
                XtGePoint2d& point) {
  const XtGeCurveCurveInt2d hits(first, second, XtGeContext::gTol);
  int chosen = -1;
  double best = 0.0;
  for (int i = 0; i < hits.numIntPoints(); ++i) {
    double t1 = 0.0;
    double t2 = 0.0;
    if (!hits.getIntParams(i, t1, t2)) continue;
    const double t = byFirst ? t1 : t2;
    if (chosen < 0 || (last ? t > best : t < best)) {
      chosen = i;
      best = t;
    }
  }
  if (chosen < 0) return false;
  point = hits.intPoint(chosen);
  return point.isFinite();
}

// Gap closing of one pair: a the piece before the gap, b the one after.
class gapCloser {
 public:
  gapCloser(ownedChain& chain, double distance, int options)
      : m_chain(chain), m_step(2.0 * std::fabs(distance)), m_options(options) {}

  // Closes the gap before piece i (the last piece before it for i = 0).
  // Answers false when it stays open; else true, with i moved past the
  // segments inserted before piece i.
  bool close(std::size_t& i) {
    const std::size_t ia = i == 0 ? m_chain.size() - 1 : i - 1;
    if (ia == i) return false;  // a single piece cannot close onto itself
    XtGeCurve2d& a = *m_chain[ia];
    XtGeCurve2d& b = *m_chain[i];
    if (!isEditable(a) || !isEditable(b)) return false;
    if (extend(a, b)) return true;
    if ((m_options & kOffsetCornerByTangents) != 0 && buildCorner(ia, i)) return true;
    return connect(a, b, i);
  }

 private:
  // Lengthens a's end and b's start by 2|d|k until they meet; each try that
  // finds nothing is undone (only as far as it was done).
  bool extend(XtGeCurve2d& a, XtGeCurve2d& b) {
    for (int k = 0; k < kExtensionTries; ++k) {
      const double grow = m_step * k;
      const bool grewA = k > 0 && entMisc2D::resizeCurve(&a, grow, false);
      const bool grewB = k > 0 && entMisc2D::resizeCurve(&b, grow, true);
      XtGePoint2d x;
      if (orderedHit(a, b, false, false, x)) {
        entMisc2D::trimCurve(&a, x, false);
        entMisc2D::trimCurve(&b, x, true);
        return true;
      }
      if (grewA) entMisc2D::resizeCurve(&a, -grow, false);
      if (grewB) entMisc2D::resizeCurve(&b, -grow, true);
    }
    return false;
  }

  // The corner where a's end tangent meets b's start tangent (drawn back):
  // a.end -> K -> b.start, each segment merged into its neighbour when they
  // run on in one direction (kOffsetMergeCorners).
  bool buildCorner(std::size_t ia, std::size_t& i) {
    XtGePoint2d aEnd;
    XtGePoint2d bStart;
    XtGeVector2d ta;
    XtGeVector2d tb;
    if (!tangentAt(*m_chain[ia], true, aEnd, ta) || !tangentAt(*m_chain[i], false, bStart, tb)) return false;
    XtGePoint2d corner;
    if (!orderedHit(XtGeRay2d(aEnd, ta), XtGeRay2d(bStart, -tb), true, false, corner)) return false;
    auto toCorner = std::make_unique<XtGeLineSeg2d>(aEnd, corner);
    auto fromCorner = std::make_unique<XtGeLineSeg2d>(corner, bStart);
    const bool merge = (m_options & kOffsetMergeCorners) != 0;
    if (auto merged = merge ? mergeSameDirectionSegments(m_chain[ia].get(), toCorner.get()) : nullptr) {
      m_chain[ia] = std::move(merged);
    } else {
      m_chain.insert(m_chain.begin() + static_cast<std::ptrdiff_t>(i++), std::move(toCorner));
    }
    if (auto merged = merge ? mergeSameDirectionSegments(fromCorner.get(), m_chain[i].get()) : nullptr) {
      m_chain[i] = std::move(merged);
    } else {
      m_chain.insert(m_chain.begin() + static_cast<std::ptrdiff_t>(i++), std::move(fromCorner));
    }
    return true;
  }

  // One connecting segment: from a's end to where its tangent ray meets b
  // (b then starts there), else from where b's start tangent, drawn back,
  // last meets a (a then ends there) to b's start.
  bool connect(XtGeCurve2d& a, XtGeCurve2d& b, std::size_t& i) {
    XtGePoint2d aEnd;
    XtGePoint2d bStart;
    XtGeVector2d ta;
    XtGeVector2d tb;
    if (!tangentAt(a, true, aEnd, ta) || !tangentAt(b, false, bStart, tb)) return false;
    XtGePoint2d x;
    std::unique_ptr<XtGeCurve2d> segment;
    if (orderedHit(XtGeRay2d(aEnd, ta), b, true, false, x)) {
      entMisc2D::trimCurve(&b, x, true);
      segment = std::make_unique<XtGeLineSeg2d>(aEnd, x);
    } else if (orderedHit(XtGeRay2d(bStart, -tb), a, true, true, x)) {
      entMisc2D::trimCurve(&a, x, false);
      segment = std::make_unique<XtGeLineSeg2d>(x, bStart);
    } else {
      return false;
    }
    m_chain.insert(m_chain.begin() + static_cast<std::ptrdiff_t>(i++), std::move(segment));
    return true;
  }

  ownedChain& m_chain;
  double m_step;
  int m_options;
};

// Two passes over the gaps; false when one stays open in the second.
bool closeGaps(ownedChain& chain, double distance, int options, bool closed) {
  gapCloser closer(chain, distance, options);
  for (int pass = 0; pass < 2; ++pass) {
    // Every step moves past one original pair (and what was inserted before
    // it), so the walk is bounded by the pieces.
    for (std::size_t i = closed ? 0 : 1; i < chain.size(); ++i) {
      const XtGeCurve2d& a = *chain[i == 0 ? chain.size() - 1 : i - 1];
      XtGePoint2d aEnd;
      XtGePoint2d bStart;
      if (endOf(a, aEnd) && startOf(*chain[i], bStart) && aEnd.isEqualTo(bStart, workTol)) continue;
      if (!closer.close(i) && pass == 1) return false;
    }
  }
  return true;
}

// The chain joined end to end into one composite (a chain of one piece is
// wrapped); null when nothing joins.
std::unique_ptr<XtGeCompositeCurve2d> joinIntoComposite(curvePtrArray& pieces) {
  return asComposite(curveChainJoin(pieces, false, false));
}

// (i) The first piece F, from the front, that meets a later piece G other
// than its neighbour (G sought from the back) ends where they first meet
// along G, G starts there, and every piece between them goes. A meeting at
// F's start or G's end would leave nothing of the two and is not taken.
void cutFirstLoop(ownedChain& chain) {
  const std::size_t n = chain.size();
  for (std::size_t f = 0; f < n; ++f) {
    XtGeBoundBlock2d boxF = chain[f]->xtOrthoBoundBlock();
    boxF.swell(workTol.equalPoint());
    XtGePoint2d fStart;
    if (!startOf(*chain[f], fStart)) continue;
    for (std::size_t g = n - 1; g >= f + 2 && g < n; --g) {
      if (boxF.isDisjoint(chain[g]->xtOrthoBoundBlock())) continue;
      const XtGeCurveCurveInt2d hits(*chain[f], *chain[g], workTol);
      XtGePoint2d gEnd;
      if (!endOf(*chain[g], gEnd)) continue;
      int chosen = -1;
      double best = 0.0;
      for (int k = 0; k < hits.numIntPoints(); ++k) {
        double tF = 0.0;
        double tG = 0.0;
        const XtGePoint2d x = hits.intPoint(k);
        if (!hits.getIntParams(k, tF, tG) || x.isEqualTo(fStart, workTol) || x.isEqualTo(gEnd, workTol)) continue;
        if (chosen < 0 || tG < best) {
          chosen = k;
          best = tG;
        }
      }
      if (chosen < 0) continue;
      const XtGePoint2d x = hits.intPoint(chosen);
      entMisc2D::trimCurve(chain[f].get(), x, false);
      entMisc2D::trimCurve(chain[g].get(), x, true);
      chain.erase(chain.begin() + static_cast<std::ptrdiff_t>(f + 1), chain.begin() + static_cast<std::ptrdiff_t>(g));
      return;
    }
  }
}

// (ii) A later piece with both ends on an earlier one goes; a piece marked
// to go takes no further part.
void dropCoveredPieces(ownedChain& chain) {
  const std::size_t n = chain.size();
  std::vector<bool> gone(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    if (gone[i]) continue;
    for (std::size_t j = i + 1; j < n; ++j) {
      XtGePoint2d s;
      XtGePoint2d e;
      if (gone[j] || !startOf(*chain[j], s) || !endOf(*chain[j], e)) continue;
      if (chain[i]->isOn(s, workTol) && chain[i]->isOn(e, workTol)) gone[j] = true;
    }
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (!gone[i]) chain[kept++] = std::move(chain[i]);
  chain.resize(kept);
}

// (iii) Copies of the pieces joined into one composite; while its ends and
// the chain's ends disagree at one end only, the piece that strays there
// goes and the join is tried again. Null when a retry would remove nothing
// or the chain runs empty.
std::unique_ptr<XtGeCompositeCurve2d> assembleOpenChain(ownedChain& chain) {
  const std::size_t tries = chain.size() + 1;
  for (std::size_t attempt = 0; attempt < tries && !chain.empty(); ++attempt) {
    XtGePoint2d first;
    XtGePoint2d last;
    if (!startOf(*chain.front(), first) || !endOf(*chain.back(), last)) return nullptr;
    ownedCurveList copies;
    for (const auto& piece : chain) appendOwnedCurve(copies.list, std::unique_ptr<XtGeCurve2d>(copyCurve2d(piece.get())));
    std::unique_ptr<XtGeCompositeCurve2d> joined = joinIntoComposite(copies.list);
    XtGePoint2d start;
    XtGePoint2d end;
    if (!joined || !startOf(*joined, start) || !endOf(*joined, end)) return nullptr;
    const bool startMatches = first.isEqualTo(start, workTol);
    const bool endMatches = last.isEqualTo(end, workTol);
    if (startMatches == endMatches) return joined;
    // The piece whose free end the composite took for its own.
    std::size_t stray = chain.size();
    for (std::size_t k = 0; k < chain.size() && stray == chain.size(); ++k) {
      XtGePoint2d p;
      if (startMatches ? endOf(*chain[k], p) && p.isEqualTo(end, workTol)
                       : startOf(*chain[k], p) && p.isEqualTo(start, workTol))
        stray = k;
    }
    if (stray == chain.size()) return nullptr;
    chain.erase(chain.begin() + static_cast<std::ptrdiff_t>(stray));
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<XtGeCompositeCurve2d> chainOffsetDetail::cleanOpenChain(ownedChain& chain) {
  cutFirstLoop(chain);
  curvePtrArray list;
  moveChainToList(chain, list);
  removeZeroLengthCurves(list);
  moveListToChain(list, chain);
  dropCoveredPieces(chain);
  return assembleOpenChain(chain);
}

bool offsetCurve(const XtGeCurve2d* curve, double distance, curvePtrArray& out, int extensionType,
                 const XtGeTol& tol) {
  if (curve == nullptr || !std::isfinite(distance)) return false;
  if (distance == 0.0) return appendOwnedCurve(out, std::unique_ptr<XtGeCurve2d>(copyCurve2d(curve)));
  XtGeCurve2dPtrArray pieces;
  curve->getTrimmedOffset(distance, pieces, extensionType, tol);
  bool appended = false;
  for (XtGeCurve2d* piece : pieces) appended = appendOwnedCurve(out, std::unique_ptr<XtGeCurve2d>(piece)) || appended;
  return appended;
}

std::unique_ptr<XtGeCurve2d> offsetCurveJoined(const XtGeCurve2d* curve, double distance, int options) {
  if (curve == nullptr || !std::isfinite(distance)) return nullptr;
  if (curve->type() != XtGe::kCompositeCrv2d) {
    ownedCurveList offsets;
    offsetCurve(curve, distance, offsets.list, XtGe::kExtend, workTol);
    if (offsets.list.count() != 1) return nullptr;
    std::unique_ptr<XtGeCurve2d> single(offsets.list[0]);
    offsets.list[0] = nullptr;
    return single;
  }
  const bool closed = (options & kOffsetClosed) != 0 && curve->xtIsClosed(workTol);
  ownedChain chain;
  forEachSimplePiece(*curve, [&](const XtGeCurve2d& piece) {
    // Pieces that offset to nothing (an arc whose radius would vanish, an
    // elliptical arc, a piece of no length) drop out.
    if (std::unique_ptr<XtGeCurve2d> offset = offsetCurveJoined(&piece, distance, options))
      chain.push_back(std::move(offset));
    return true;
  });
  if (chain.empty() || !closeGaps(chain, distance, options, closed)) return nullptr;

  curvePtrArray list;
  moveChainToList(chain, list);
  removeZeroLengthCurves(list);
  if (!closed && (options & kOffsetCleanOpenChain) != 0) {
    moveListToChain(list, chain);
    return cleanOpenChain(chain);
  }
  ownedCurveList pieces;
  pieces.list.swap(list);
  return joinIntoComposite(pieces.list);
}
