#include "platform/ge/internal/GeOffsetOfPieces.h"

#include "platform/ge/internal/GeOffsetChains.h"
#include "platform/ge/internal/GeOffsetKites.h"

#include <algorithm>
#include <cmath>

namespace GeKernel {

namespace {

double perimeterOf(const std::vector<OffsetPiece>& loop) {
  double sum = 0.0;
  for (const OffsetPiece& p : loop) sum += p.length;
  return sum;
}

// A point inside the longest piece of a loop.
XtGePoint2d samplePointOf(const std::vector<OffsetPiece>& loop) {
  const auto longest = std::max_element(
      loop.begin(), loop.end(),
      [](const OffsetPiece& a, const OffsetPiece& b) { return a.length < b.length; });
  return longest->eval(0.5 * (longest->lo + longest->hi));
}

// Keeps the loops that bound the offset region: the region lies where the
// loops wind once in the sense of the input (orientation +1 or -1), so a
// loop is kept when the winding of the others there, plus its own on its
// left, gives that on its left and 0 on its right. Loops without area go.
// (orientation 0: only the loops without area go.)
void selectLoops(std::vector<OffsetResult>& results, int orientation, double res) {
  std::vector<OffsetResult> loops;
  for (OffsetResult& r : results) {
    const double area = signedAreaOf(r.pieces);
    if (std::fabs(area) > res * perimeterOf(r.pieces)) loops.push_back(std::move(r));
  }
  results.clear();
  if (orientation == 0) {
    results = std::move(loops);
    return;
  }
  const int wanted = orientation > 0 ? 1 : 0;
  std::vector<bool> keep(loops.size(), false);
  for (size_t i = 0; i < loops.size(); ++i) {
    const XtGePoint2d p = samplePointOf(loops[i].pieces);
    int others = 0;
    for (size_t k = 0; k < loops.size(); ++k)
      if (k != i) others += windingNumberOf(loops[k].pieces, p);
    const int ownLeft = signedAreaOf(loops[i].pieces) > 0.0 ? 1 : 0;
    keep[i] = others + ownLeft == wanted;
  }
  for (size_t i = 0; i < loops.size(); ++i)
    if (keep[i]) results.push_back(std::move(loops[i]));
}

// Every fillet, or what is left of it, becomes its chord. A chord and its
// arc enclose only points nearer than |d| to the joint's vertex, which no
// other part of the offset reaches, so chords cross nothing.
void chamferFillets(OffsetResult& r, double res) {
  std::vector<OffsetPiece> pieces;
  pieces.reserve(r.pieces.size());
  for (OffsetPiece& p : r.pieces) {
    if (p.closureOf >= 0 && p.isArc()) {
      const int joint = p.closureOf;
      p = segmentPiece(p.start, p.end);
      p.closureOf = joint;
    }
    if (p.length > res) pieces.push_back(std::move(p));
  }
  r.pieces = std::move(pieces);
}

int orientationOf(const OffsetPath& path, double res) {
  if (!path.closed) return 0;
  const double area = signedAreaOf(path.pieces);
  if (!(std::fabs(area) > res * perimeterOf(path.pieces))) return 0;
  return area > 0.0 ? 1 : -1;
}

}  // namespace

OffsetStatus offsetOfPieces(const XtGeCurve2d* const* curves, int count, double d, int extType,
                            const XtGeTol& tol, std::vector<OffsetResult>& results) {
  results.clear();
  if (!std::isfinite(d) || extType < XtGe::kFillet || extType > XtGe::kExtend)
    return OffsetStatus::kUnsupported;
  OffsetPath path;
  const PathStatus flat = flattenOffsetPath(curves, count, path);
  if (flat == PathStatus::kUnsupported) return OffsetStatus::kUnsupported;
  if (flat == PathStatus::kEmpty) return OffsetStatus::kEmpty;
  const double dist = std::fabs(d);
  const double res = offsetResolution(tol, path.magnitude + dist);
  tidyOffsetPath(path, res);
  if (path.pieces.empty()) return OffsetStatus::kEmpty;

  if (dist <= res) {
    // Within the resolution of the input: the input itself.
    OffsetResult same;
    same.closed = path.closed;
    same.pieces = std::move(path.pieces);
    results.push_back(std::move(same));
    return OffsetStatus::kDone;
  }

  // The offset with fillets is decided by the distance alone. Chamfers are
  // the chords of its fillets; the extensions of a closed path with an
  // orientation are merged into it as kites.
  const int orientation = orientationOf(path, res);
  const bool kites = orientation != 0 && extType == XtGe::kExtend;
  const int closeBy = extType == XtGe::kExtend && !kites ? XtGe::kExtend : XtGe::kFillet;
  RawOffset raw;
  if (buildRawOffset(path, d, extType, closeBy, res, raw) == RawStatus::kNoExtension)
    return OffsetStatus::kNoExtension;
  OffsetGraph graph;
  splitCandidates(raw.candidates, raw.cutters, res, snapOf(res, d), graph);
  dropNearEdges(path, raw.candidates, dist - std::min(res, 0.5 * dist), graph);

  ChainOptions options;
  options.probe = kProbeShare * dist;
  options.closedPath = path.closed;
  options.glueGap = snapOf(res, d);
  std::vector<OffsetChain> chains;
  linkKeptEdges(graph, raw.candidates, options, chains);

  std::vector<OffsetResult> loops;
  for (const OffsetChain& chain : chains) {
    // An open input's loop cut off at a crossing of its own is dropped.
    if (!path.closed && chain.closed && chain.passesPairedNode) continue;
    OffsetResult r = resultOfChain(chain, graph, raw.candidates, res);
    if (extType == XtGe::kChamfer) chamferFillets(r, res);
    if (r.pieces.empty()) continue;
    if (path.closed)
      loops.push_back(std::move(r));
    else
      results.push_back(std::move(r));
  }
  if (!path.closed) return OffsetStatus::kDone;
  selectLoops(loops, orientation, res);
  if (kites) {
    std::vector<OffsetResult> merged;
    replaceFilletsByKites(loops, raw, d, orientation, res, merged);
    selectLoops(merged, 0, res);
    loops = std::move(merged);
  }
  for (OffsetResult& r : loops) results.push_back(std::move(r));
  return OffsetStatus::kDone;
}

}  // namespace GeKernel
