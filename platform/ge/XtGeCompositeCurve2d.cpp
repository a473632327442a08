#include "platform/ge/XtGeCompositeCurve2d.h"

#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/internal/GeClosestPair.h"
#include "platform/ge/internal/GeCurveArea.h"
#include "platform/ge/internal/GeTrimmedOffset.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const XtGePoint2d kNaNPoint{kNaN, kNaN};

using PieceList = std::vector<std::unique_ptr<XtGeCurve2d>>;

PieceList copiesOf(const PieceList& pieces) {
  PieceList out;
  out.reserve(pieces.size());
  for (const auto& p : pieces) out.emplace_back(p->copy());
  return out;
}

void dropNulls(PieceList& pieces) {
  pieces.erase(std::remove(pieces.begin(), pieces.end(), nullptr), pieces.end());
}

// Whether the curve can follow the transform, tried on a copy (on the stack
// for the library's own kinds).
bool pieceCanTransformBy(const XtGeCurve2d& piece, const XtGeMatrix2d& m) {
  switch (piece.type()) {
    case XtGe::kLineSeg2d:
    case XtGe::kLine2d:
    case XtGe::kRay2d:
      return true;  // any finite matrix
    case XtGe::kCircArc2d: {
      XtGeCircArc2d trial(static_cast<const XtGeCircArc2d&>(piece));
      return trial.transformBy(m);
    }
    case XtGe::kEllipArc2d: {
      XtGeEllipArc2d trial(static_cast<const XtGeEllipArc2d&>(piece));
      return trial.transformBy(m);
    }
    default: {
      std::unique_ptr<XtGeCurve2d> trial(piece.copy());
      return trial->transformBy(m);
    }
  }
}

}  // namespace

XtGeCompositeCurve2d::XtGeCompositeCurve2d() = default;

XtGeCompositeCurve2d::XtGeCompositeCurve2d(const XtGeCurve2dPtrArray& curves) {
  setCurveList(curves);
}

XtGeCompositeCurve2d::XtGeCompositeCurve2d(const XtGeCurve2dPtrArray& curves,
                                           const XtGeIntArray& ownershipFlags) {
  setCurveList(curves, ownershipFlags);
}

XtGeCompositeCurve2d::XtGeCompositeCurve2d(std::vector<std::unique_ptr<XtGeCurve2d>> curves) {
  setCurveList(std::move(curves));
}

XtGeCompositeCurve2d::XtGeCompositeCurve2d(const XtGeCompositeCurve2d& other)
    : XtGeCurve2d(other), m_pieces(copiesOf(other.m_pieces)) {
  rebuild();
}

XtGeCompositeCurve2d::XtGeCompositeCurve2d(XtGeCompositeCurve2d&& other) noexcept
    : XtGeCurve2d(other) {
  takeFrom(other);
}

XtGeCompositeCurve2d& XtGeCompositeCurve2d::operator=(const XtGeCompositeCurve2d& other) {
  if (this != &other) {
    m_pieces = copiesOf(other.m_pieces);
    rebuild();
  }
  return *this;
}

XtGeCompositeCurve2d& XtGeCompositeCurve2d::operator=(XtGeCompositeCurve2d&& other) noexcept {
  if (this != &other) takeFrom(other);
  return *this;
}

void XtGeCompositeCurve2d::takeFrom(XtGeCompositeCurve2d& other) noexcept {
  // The pieces keep their addresses, so the moved tree stays valid.
  m_pieces = std::move(other.m_pieces);
  m_ranges = std::move(other.m_ranges);
  m_totalLength = other.m_totalLength;
  m_firstWide = other.m_firstWide;
  m_lastWide = other.m_lastWide;
  m_box = other.m_box;
  m_leafTree = std::move(other.m_leafTree);
  other.m_pieces.clear();
  other.m_ranges.clear();
  other.m_leafTree.clear();
  other.m_totalLength = 0.0;
  other.m_firstWide = other.m_lastWide = -1;
  other.m_box.setEmpty();
}

XtGeCompositeCurve2d::~XtGeCompositeCurve2d() = default;

XtGeCompositeCurve2d* XtGeCompositeCurve2d::copy() const { return new XtGeCompositeCurve2d(*this); }

// ---- Pieces ----------------------------------------------------------------

XtGeCompositeCurve2d& XtGeCompositeCurve2d::setCurveList(const XtGeCurve2dPtrArray& curves) {
  PieceList fresh;
  fresh.reserve(static_cast<std::size_t>(curves.length()));
  // Copies first: the curves may be this composite's own pieces.
  for (XtGeCurve2d* c : curves)
    if (c != nullptr) fresh.emplace_back(c->copy());
  return setCurveList(std::move(fresh));
}

XtGeCompositeCurve2d& XtGeCompositeCurve2d::setCurveList(const XtGeCurve2dPtrArray& curves,
                                                         const XtGeIntArray& ownershipFlags) {
  const int n = curves.length();
  // Which entries are handed over: flag 1, not null, not this composite, and
  // the first occurrence of the pointer.
  std::vector<std::pair<const XtGeCurve2d*, int>> handedOver;
  for (int i = 0; i < n; ++i) {
    const bool flagged = i < ownershipFlags.length() && ownershipFlags[i] == 1;
    if (flagged && curves[i] != nullptr && curves[i] != this) handedOver.emplace_back(curves[i], i);
  }
  std::sort(handedOver.begin(), handedOver.end());
  std::vector<char> adopt(static_cast<std::size_t>(n), 0);
  for (std::size_t k = 0; k < handedOver.size(); ++k)
    if (k == 0 || handedOver[k].first != handedOver[k - 1].first) adopt[handedOver[k].second] = 1;

  // All copies before anything is taken over, so that an allocation failure
  // leaves the caller's curves with the caller.
  PieceList fresh(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    if (curves[i] != nullptr && !adopt[i]) fresh[i].reset(curves[i]->copy());
  // Old pieces handed over again stay alive: release them from the old list.
  for (auto& old : m_pieces) {
    const auto it = std::lower_bound(handedOver.begin(), handedOver.end(),
                                     std::make_pair(static_cast<const XtGeCurve2d*>(old.get()), -1));
    if (it != handedOver.end() && it->first == old.get()) (void)old.release();
  }
  for (int i = 0; i < n; ++i)
    if (adopt[i]) fresh[i].reset(curves[i]);
  dropNulls(fresh);
  return setCurveList(std::move(fresh));
}

XtGeCompositeCurve2d& XtGeCompositeCurve2d::setCurveList(
    std::vector<std::unique_ptr<XtGeCurve2d>>&& curves) {
  PieceList fresh(std::move(curves));
  dropNulls(fresh);
  m_pieces.swap(fresh);
  rebuild();
  return *this;  // the old pieces go with fresh
}

void XtGeCompositeCurve2d::getCurveList(XtGeCurve2dPtrArray& curves) const {
  curves.setLogicalLength(0);
  curves.setPhysicalLength(std::max(curves.physicalLength(), numCurves()));
  for (const auto& p : m_pieces) curves.append(p.get());
}

const XtGeCurve2d* XtGeCompositeCurve2d::curveAt(int i) const {
  return (i >= 0 && i < numCurves()) ? m_pieces[i].get() : nullptr;
}

bool XtGeCompositeCurve2d::explode(XtGeCurve2dPtrArray& curves, XtGeIntArray& flags) const {
  for (const auto& p : m_pieces) {
    curves.append(p.get());
    flags.append(0);
  }
  return !m_pieces.empty();
}

// ---- Parameter table -------------------------------------------------------

void XtGeCompositeCurve2d::rebuild() {
  const int n = numCurves();
  m_ranges.assign(static_cast<std::size_t>(n), PieceRange());
  double total = 0.0;
  for (int i = 0; i < n; ++i) {
    PieceRange& r = m_ranges[i];
    XtGeInterval iv;
    m_pieces[i]->getInterval(iv);
    r.cumLength = total;
    if (iv.isBounded() && std::isfinite(iv.lowerBound()) && std::isfinite(iv.upperBound())) {
      r.bounded = true;
      r.lo = iv.lowerBound();
      r.hi = iv.upperBound();
      const double len = m_pieces[i]->xtLength(r.lo, r.hi);
      r.length = (len > 0.0 && std::isfinite(len)) ? len : 0.0;
    } else {
      // Unbounded: no range, evaluated (if ever) at its bounded end.
      r.lo = r.hi = iv.isBoundedBelow() ? iv.lowerBound()
                                        : (iv.isBoundedAbove() ? iv.upperBound() : 0.0);
    }
    total += r.length;
  }
  if (!std::isfinite(total)) {
    total = 0.0;  // lengths beyond double range: no parameter ranges at all
    for (PieceRange& r : m_ranges) r.length = 0.0;
  }
  m_totalLength = total;
  m_firstWide = m_lastWide = -1;
  for (int i = 0; i < n; ++i) {
    PieceRange& r = m_ranges[i];
    if (total > 0.0) {
      r.g0 = r.cumLength / total;
      r.g1 = (r.cumLength + r.length) / total;
    }
    if (r.length > 0.0 && total > 0.0) {
      if (m_firstWide < 0) m_firstWide = i;
      m_lastWide = i;
    }
  }
  if (m_firstWide >= 0) {
    m_ranges[m_firstWide].g0 = 0.0;
    for (int i = 0; i < m_firstWide; ++i) m_ranges[i].g0 = m_ranges[i].g1 = 0.0;
    m_ranges[m_lastWide].g1 = 1.0;
    for (int i = m_lastWide + 1; i < n; ++i) m_ranges[i].g0 = m_ranges[i].g1 = 1.0;
  }

  m_leafTree.clear();
  m_leafTree.reserve(static_cast<std::size_t>(n));
  // The box of the pieces, gathered as plain bounds (the common case is one
  // simple leaf per piece, whose box is already at hand).
  XtGePoint2d lo(kInf, kInf);
  XtGePoint2d hi(-kInf, -kInf);
  auto extend = [&](const XtGePoint2d& a, const XtGePoint2d& b) {
    lo.set(std::min(lo.x, a.x), std::min(lo.y, a.y));
    hi.set(std::max(hi.x, b.x), std::max(hi.y, b.y));
  };
  auto extendByBlock = [&](const XtGeBoundBlock2d& block) {
    XtGePoint2d a;
    XtGePoint2d b;
    if (block.getMinMaxPoints(a, b)) extend(a, b);
  };
  for (int i = 0; i < n; ++i) {
    const PieceRange& r = m_ranges[i];
    if (!r.bounded) continue;
    const XtGeCurve2d& piece = *m_pieces[i];
    if (piece.type() == XtGe::kCompositeCrv2d) {
      const auto* nested = dynamic_cast<const XtGeCompositeCurve2d*>(&piece);
      if (nested == nullptr) {
        extendByBlock(piece.xtOrthoBoundBlock());
        continue;
      }
      extendByBlock(nested->m_box);
      // The nested composite's [0, 1] maps onto [g0, g1].
      const double w = r.g1 - r.g0;
      for (GeKernel::CurveLeaf leaf : nested->m_leafTree.leaves()) {
        leaf.g0 = r.g0 + leaf.g0 * w;
        leaf.g1 = leaf.g1 >= 1.0 ? r.g1 : r.g0 + leaf.g1 * w;
        leaf.piece = i;
        m_leafTree.add(leaf);
      }
      continue;
    }
    GeKernel::CurveLeaf leaf;
    if (!GeKernel::describeLeaf(piece, leaf)) {
      extendByBlock(piece.xtOrthoBoundBlock());
      continue;
    }
    if (leaf.box.bounded) extend(leaf.box.lo, leaf.box.hi);
    leaf.g0 = r.g0;
    leaf.g1 = r.g1;
    leaf.piece = i;
    m_leafTree.add(leaf);
  }
  m_box.setEmpty();
  if (lo.x <= hi.x && lo.y <= hi.y) m_box.set(lo, hi);
  m_leafTree.build();
}

int XtGeCompositeCurve2d::pieceIndexAt(double t) const {
  if (m_pieces.empty()) return -1;
  if (m_firstWide < 0) return 0;
  if (!(t > 0.0)) return m_firstWide;  // also NaN
  if (t >= 1.0) return m_lastWide;
  // The first piece ending beyond t (it has a range, and starts at or before t).
  const auto it = std::upper_bound(m_ranges.begin(), m_ranges.end(), t,
                                   [](double v, const PieceRange& r) { return v < r.g1; });
  return static_cast<int>(std::min<std::ptrdiff_t>(it - m_ranges.begin(), m_lastWide));
}

int XtGeCompositeCurve2d::pieceIndexEndingAt(double t) const {
  const int i = pieceIndexAt(t);
  if (m_firstWide < 0 || i <= m_firstWide || !(t < 1.0) || m_ranges[i].g0 != t) return i;
  // At a joint: the piece before it (skipping zero-length ones).
  int k = i - 1;
  while (k > m_firstWide && !(m_ranges[k].g1 > m_ranges[k].g0)) --k;
  return k;
}

bool XtGeCompositeCurve2d::getPieceRange(int i, double& start, double& end) const {
  if (i < 0 || i >= numCurves()) return false;
  start = m_ranges[i].g0;
  end = m_ranges[i].g1;
  return true;
}

double XtGeCompositeCurve2d::pieceParam(int i, double t) const {
  if (i < 0 || i >= numCurves()) return kNaN;
  const PieceRange& r = m_ranges[i];
  if (!(r.g1 > r.g0)) return r.lo;
  if (t == r.g0) return r.lo;
  if (t == r.g1) return r.hi;
  return r.lo + (t - r.g0) / (r.g1 - r.g0) * (r.hi - r.lo);
}

double XtGeCompositeCurve2d::toCompositeParam(int i, double u) const {
  const PieceRange& r = m_ranges[i];
  if (!(r.hi > r.lo)) return r.g0;
  if (u == r.hi) return r.g1;
  return r.g0 + (u - r.lo) / (r.hi - r.lo) * (r.g1 - r.g0);
}

double XtGeCompositeCurve2d::lengthAt(double t) const {
  const int i = pieceIndexAt(t);
  if (i < 0) return 0.0;
  const PieceRange& r = m_ranges[i];
  if (!r.bounded) return r.cumLength;
  const double u = pieceParam(i, t);
  const double len = m_pieces[i]->xtLength(r.lo, u);
  return r.cumLength + (u < r.lo ? -len : len);
}

// ---- Evaluation ------------------------------------------------------------

void XtGeCompositeCurve2d::getInterval(XtGeInterval& interval) const {
  interval = XtGeInterval(0.0, m_totalLength > 0.0 ? 1.0 : 0.0, XtGe::kIntervalTol);
}

bool XtGeCompositeCurve2d::hasStartPoint(XtGePoint2d& p) const {
  if (m_pieces.empty()) return false;
  p = xtEvalPoint(0.0);
  return true;
}

bool XtGeCompositeCurve2d::hasEndPoint(XtGePoint2d& p) const {
  if (m_pieces.empty()) return false;
  p = xtEvalPoint(m_totalLength > 0.0 ? 1.0 : 0.0);
  return true;
}

bool XtGeCompositeCurve2d::xtIsClosed(const XtGeTol& tol) const {
  XtGePoint2d s;
  XtGePoint2d e;
  return hasStartPoint(s) && hasEndPoint(e) && s.isEqualTo(e, tol);
}

XtGePoint2d XtGeCompositeCurve2d::xtEvalPoint(double t) const {
  const int i = pieceIndexAt(t);
  if (i < 0 || std::isnan(t)) return kNaNPoint;
  return m_pieces[i]->xtEvalPoint(pieceParam(i, t));
}

bool XtGeCompositeCurve2d::xtEvalDerivs(double t, XtGePoint2d& p, XtGeVector2d& d1,
                                        XtGeVector2d& d2) const {
  const int i = pieceIndexAt(t);
  if (i < 0 || !std::isfinite(t)) return false;
  const PieceRange& r = m_ranges[i];
  if (!m_pieces[i]->xtEvalDerivs(pieceParam(i, t), p, d1, d2)) return false;
  if (r.g1 > r.g0) {
    // Chain rule: du/dt is constant over the piece.
    const double k = (r.hi - r.lo) / (r.g1 - r.g0);
    d1 *= k;
    d2 *= k * k;
  }
  return true;
}

// ---- Point queries ---------------------------------------------------------

namespace {

// The seam of a closed composite answers the lower bound.
double seamAdjusted(const XtGeCompositeCurve2d& c, const GeKernel::LeafPointHit& hit,
                    const XtGeTol& tol) {
  if (!(hit.g > 0.5)) return hit.g;
  XtGePoint2d s;
  if (c.xtIsClosed(tol) && c.hasStartPoint(s) && hit.point.distanceTo(s) <= tol.equalPoint())
    return 0.0;
  return hit.g;
}

}  // namespace

double XtGeCompositeCurve2d::paramOf(const XtGePoint2d& p, const XtGeTol& tol) const {
  if (m_pieces.empty() || !p.isFinite()) return kNaN;
  const GeKernel::LeafPointHit hit = GeKernel::closestLeafPoint(m_leafTree.view(), p);
  if (hit.leaf < 0) return 0.0;
  return seamAdjusted(*this, hit, tol);
}

bool XtGeCompositeCurve2d::isOn(const XtGePoint2d& p, double& t, const XtGeTol& tol) const {
  if (!p.isFinite()) return false;
  const GeKernel::LeafView view = m_leafTree.view();
  const GeKernel::LeafPointHit hit = GeKernel::closestLeafPoint(view, p);
  if (hit.leaf < 0) return false;
  const double ep = std::max(
      tol.equalPoint(),
      GeKernel::numericFloor(std::max({view.magnitude, std::fabs(p.x), std::fabs(p.y)})));
  if (!(hit.distance <= ep)) return false;
  t = seamAdjusted(*this, hit, tol);
  return true;
}

XtGePoint2d XtGeCompositeCurve2d::closestPointTo(const XtGePoint2d& p, const XtGeTol&) const {
  if (!p.isFinite()) return p;
  const GeKernel::LeafPointHit hit = GeKernel::closestLeafPoint(m_leafTree.view(), p);
  return hit.leaf < 0 ? kNaNPoint : hit.point;
}

double XtGeCompositeCurve2d::distanceTo(const XtGePoint2d& p, const XtGeTol&) const {
  if (!p.isFinite()) return kInf;
  return GeKernel::closestLeafPoint(m_leafTree.view(), p).distance;
}

XtGePoint2d XtGeCompositeCurve2d::closestPointTo(const XtGeCurve2d& other,
                                                 XtGePoint2d& pntOnOther,
                                                 const XtGeTol& tol) const {
  GeKernel::SingleLeaf storage;
  GeKernel::LeafView otherView;
  if (!GeKernel::leafViewOf(other, storage, otherView)) {
    XtGePoint2d onThis;
    GeKernel::closestPointsBySampling(*this, other, tol, onThis, pntOnOther);
    return onThis;
  }
  const GeKernel::LeafPairHit hit = GeKernel::closestLeafPair(m_leafTree.view(), otherView, tol);
  if (hit.leafA < 0) {
    pntOnOther = kNaNPoint;
    return kNaNPoint;
  }
  pntOnOther = hit.pointB;
  return hit.pointA;
}

// ---- Lengths and areas -------------------------------------------------------

double XtGeCompositeCurve2d::xtLength(double fromParam, double toParam, const XtGeTol&) const {
  if (std::isnan(fromParam) || std::isnan(toParam)) return kNaN;
  if (std::isinf(fromParam) || std::isinf(toParam)) return 0.0;
  return std::fabs(lengthAt(toParam) - lengthAt(fromParam));
}

double XtGeCompositeCurve2d::xtParamAtLength(double datum, double len, bool forward,
                                             const XtGeTol& tol) const {
  if (!std::isfinite(datum) || !std::isfinite(len)) return kNaN;
  if (m_firstWide < 0) return 0.0;
  const double target =
      std::clamp(lengthAt(datum) + (forward ? len : -len), 0.0, m_totalLength);
  // The first piece with a range whose end reaches the target.
  int i = m_firstWide;
  {
    const auto it = std::lower_bound(
        m_ranges.begin() + m_firstWide, m_ranges.begin() + m_lastWide + 1, target,
        [](const PieceRange& r, double v) { return r.cumLength + r.length < v; });
    i = static_cast<int>(std::min<std::ptrdiff_t>(it - m_ranges.begin(), m_lastWide));
  }
  while (i < m_lastWide && !(m_ranges[i].length > 0.0)) ++i;
  const PieceRange& r = m_ranges[i];
  const double u = m_pieces[i]->xtParamAtLength(r.lo, target - r.cumLength, true, tol);
  return std::clamp(toCompositeParam(i, u), 0.0, 1.0);
}

bool XtGeCompositeCurve2d::xtArea(double fromParam, double toParam, double& area,
                                  const XtGeTol&) const {
  if (!std::isfinite(fromParam) || !std::isfinite(toParam) || m_pieces.empty()) return false;
  const double a = std::min(fromParam, toParam);
  const double b = std::max(fromParam, toParam);
  double term = 0.0;
  if (!GeKernel::signedAreaTerm(*this, a, b, xtEvalPoint(a), term)) return false;
  area = std::fabs(term);
  return true;
}

// ---- Pieces ------------------------------------------------------------------

void XtGeCompositeCurve2d::getSplitCurves(double t, XtGeCurve2d*& piece1,
                                          XtGeCurve2d*& piece2) const {
  piece1 = piece2 = nullptr;
  if (std::isnan(t) || m_firstWide < 0) return;
  t = std::clamp(t, 0.0, 1.0);
  const double minLength = XtGeContext::gTol.equalPoint();
  const int i = pieceIndexAt(t);
  PieceList first;
  PieceList second;
  for (int j = 0; j < i; ++j) first.emplace_back(m_pieces[j]->copy());
  XtGeCurve2d* a = nullptr;
  XtGeCurve2d* b = nullptr;
  m_pieces[i]->getSplitCurves(pieceParam(i, t), a, b);
  std::unique_ptr<XtGeCurve2d> ownedA(a);
  std::unique_ptr<XtGeCurve2d> ownedB(b);
  if (ownedA) first.push_back(std::move(ownedA));
  if (ownedB) second.push_back(std::move(ownedB));
  for (int j = i + 1; j < numCurves(); ++j) second.emplace_back(m_pieces[j]->copy());
  const double before = lengthAt(t);
  std::unique_ptr<XtGeCompositeCurve2d> c1;
  std::unique_ptr<XtGeCompositeCurve2d> c2;
  if (t > XtGe::kIntervalTol && before > minLength && !first.empty())
    c1 = std::make_unique<XtGeCompositeCurve2d>(std::move(first));
  if (1.0 - t > XtGe::kIntervalTol && m_totalLength - before > minLength && !second.empty())
    c2 = std::make_unique<XtGeCompositeCurve2d>(std::move(second));
  piece1 = c1.release();
  piece2 = c2.release();
}

void XtGeCompositeCurve2d::appendPart(double a, double b, PieceList& out) const {
  const int i0 = pieceIndexAt(a);
  if (i0 < 0) return;
  // Both ends at one joint give a zero-length part of the later piece.
  const int i1 = std::max(i0, pieceIndexEndingAt(b));
  for (int j = i0; j <= i1; ++j) {
    std::unique_ptr<XtGeCurve2d> c(m_pieces[j]->copy());
    const PieceRange& r = m_ranges[j];
    if (r.bounded && (j == i0 || j == i1)) {
      const double ua = (j == i0) ? pieceParam(j, a) : r.lo;
      const double ub = (j == i1) ? pieceParam(j, b) : r.hi;
      c->setInterval(XtGeInterval(ua, std::max(ua, ub)));
    }
    out.push_back(std::move(c));
  }
}

bool XtGeCompositeCurve2d::setInterval(const XtGeInterval& interval) {
  if (!interval.isBounded() || m_pieces.empty()) return false;
  const double lo = interval.lowerBound();
  const double hi = interval.upperBound();
  if (!std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return false;
  if (m_firstWide < 0) return true;  // a single point stays a single point
  PieceList part;
  if (xtIsClosed() && (lo < 0.0 || hi > 1.0) && hi - lo <= 1.0 + XtGe::kIntervalTol) {
    // Across the seam: from a to the end, then from the start.
    const double shift = std::floor(lo);
    const double a = lo - shift;
    const double b = hi - shift;
    if (b <= 1.0) {
      appendPart(a, b, part);
    } else {
      appendPart(a, 1.0, part);
      appendPart(0.0, std::min(b - 1.0, a), part);
    }
  } else {
    appendPart(lo, hi, part);
  }
  if (part.empty()) return false;
  setCurveList(std::move(part));
  return true;
}

void XtGeCompositeCurve2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                           XtGePoint2dArray& points,
                                           XtGeDoubleArray& params) const {
  points.setLogicalLength(0);
  params.setLogicalLength(0);
  if (!std::isfinite(fromParam) || !std::isfinite(toParam) || m_pieces.empty()) return;
  const bool forward = fromParam <= toParam;
  const double a = forward ? fromParam : toParam;
  const double b = forward ? toParam : fromParam;
  const int i0 = pieceIndexAt(a);
  const int i1 = std::max(i0, pieceIndexEndingAt(b));
  XtGePoint2dArray piecePoints;
  XtGeDoubleArray pieceParams;
  const double noise = GeKernel::numericFloor(m_leafTree.view().magnitude);
  for (int k = 0; k <= i1 - i0; ++k) {
    const int j = forward ? i0 + k : i1 - k;
    const PieceRange& r = m_ranges[j];
    if (!r.bounded) continue;
    const double ua = (j == i0) ? pieceParam(j, a) : r.lo;
    const double ub = (j == i1) ? pieceParam(j, b) : r.hi;
    m_pieces[j]->getSamplePoints(forward ? ua : ub, forward ? ub : ua, approxEps, piecePoints,
                                 pieceParams);
    for (int m = 0; m < piecePoints.length(); ++m) {
      // A joint shared with the previous piece is listed once.
      if (m == 0 && !points.isEmpty() && points.last().distanceTo(piecePoints[m]) <= noise)
        continue;
      points.append(piecePoints[m]);
      params.append(toCompositeParam(j, pieceParams[m]));
    }
  }
}

// ---- Changing the curve ----------------------------------------------------------

bool XtGeCompositeCurve2d::canTransformBy(const XtGeMatrix2d& m) const {
  for (const auto& p : m_pieces)
    if (!pieceCanTransformBy(*p, m)) return false;
  return true;
}

bool XtGeCompositeCurve2d::transformBy(const XtGeMatrix2d& m) {
  if (!m.isFinite() || !canTransformBy(m)) return false;
  for (const auto& p : m_pieces) p->transformBy(m);
  rebuild();
  return true;
}

XtGeCompositeCurve2d& XtGeCompositeCurve2d::reverseParam() {
  std::reverse(m_pieces.begin(), m_pieces.end());
  for (const auto& p : m_pieces) p->reverseParam();
  rebuild();
  return *this;
}

bool XtGeCompositeCurve2d::getTrimmedOffset(double d, XtGeCurve2dPtrArray& offsetCurves,
                                            int extType, const XtGeTol& tol) const {
  return GeKernel::trimmedOffsetOfComposite(*this, d, offsetCurves, extType, tol);
}
