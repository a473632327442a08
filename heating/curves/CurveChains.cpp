#include "heating/curves/CurveChains.h"

#include "heating/curves/HeatingCurveEnds.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>

namespace {

XtGePoint2d startOf(const XtGeCurve2d* curve) {
  XtGePoint2d p(std::nan(""), std::nan(""));
  if (curve != nullptr) curve->hasStartPoint(p);
  return p;
}

XtGePoint2d endOf(const XtGeCurve2d* curve) {
  XtGePoint2d p(std::nan(""), std::nan(""));
  if (curve != nullptr) curve->hasEndPoint(p);
  return p;
}

bool meet(const XtGePoint2d& p, const XtGePoint2d& q) {
  return p.isFinite() && q.isFinite() && p.isEqualTo(q, workTol);
}

}  // namespace

CurveChain::CurveChain(std::vector<std::unique_ptr<XtGeCurve2d>> owned) {
  curves.setPhysicalLength(static_cast<int>(owned.size()));
  for (std::unique_ptr<XtGeCurve2d>& curve : owned) curves.append(curve.release());
}

CurveChain& CurveChain::operator=(CurveChain&& other) noexcept {
  if (&other != this) {
    clear();
    curves = std::move(other.curves);
    other.curves.removeAll();
  }
  return *this;
}

CurveChain::~CurveChain() { clear(); }

std::vector<std::unique_ptr<XtGeCurve2d>> CurveChain::release() {
  std::vector<std::unique_ptr<XtGeCurve2d>> owned;
  owned.reserve(static_cast<std::size_t>(curves.length()));
  for (XtGeCurve2d* curve : curves) owned.emplace_back(curve);
  curves.removeAll();
  return owned;
}

void CurveChain::clear() {
  for (XtGeCurve2d* curve : curves) delete curve;
  curves.removeAll();
}

bool lastCurveStartsAtFirstEnd(const CurveChain& chain) {
  if (chain.curves.isEmpty()) return false;
  return meet(startOf(chain.curves.last()), endOf(chain.curves.first()));
}

void rotateAndPrependCurves(CurveChain& a, CurveChain& b, int k) {
  const int n = a.curves.length();
  if (n > 0) {
    std::rotate(a.curves.begin(), a.curves.begin() + ((k % n) + n) % n, a.curves.end());
  }
  XtGeCurve2dPtrArray joined(b.curves.length() + n);
  joined.append(b.curves);
  joined.append(a.curves);
  b.curves.removeAll();
  a.curves = std::move(joined);
}

int joinTwoCurveChains(CurveChain& a, CurveChain& b, bool flag) {
  const auto takeB = [&] {
    a.curves = std::move(b.curves);
    b.curves.removeAll();
  };
  for (int i = 0; i < a.curves.length(); ++i) {
    const XtGePoint2d aS = startOf(a.curves[i]);
    const XtGePoint2d aE = endOf(a.curves[i]);
    for (int j = 0; j < b.curves.length(); ++j) {
      const XtGePoint2d bS = startOf(b.curves[j]);
      const XtGePoint2d bE = endOf(b.curves[j]);
      if (flag && meet(aS, bE)) {
        rotateAndPrependCurves(a, b, i);
        return 1;
      }
      if (!flag && meet(aE, bS)) {
        rotateAndPrependCurves(b, a, j);
        takeB();
        return 1;
      }
      if (meet(aS, bS)) {
        if (flag) {
          reverseGeCurveChain(b.curves);
          rotateAndPrependCurves(a, b, i);
        } else {
          reverseGeCurveChain(a.curves);
          rotateAndPrependCurves(b, a, j);
          takeB();
        }
        return 1;
      }
      if (flag && meet(aE, bE)) break;
    }
  }
  return 0;
}

void joinCurveChains(std::vector<CurveChain>& chains) {
  for (std::size_t i = 0; i < chains.size(); ++i) {
    const bool f = lastCurveStartsAtFirstEnd(chains[i]);
    for (std::size_t j = i + 1; j < chains.size();) {
      if (lastCurveStartsAtFirstEnd(chains[j]) != f && joinTwoCurveChains(chains[i], chains[j], f) == 1)
        chains.erase(chains.begin() + static_cast<std::ptrdiff_t>(j));
      else
        ++j;
    }
  }
}
