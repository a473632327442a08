// Chains of bare geometry curves meant to run end to end (the drawn segments
// of a pipe circuit before they become polylines), and joining them.
//
// Ownership: a CurveChain owns every curve in `curves` and deletes them when
// it goes; whoever takes a pointer out of the array takes the curve. Joins
// move curves from one chain into the other, never share them, so a curve is
// in exactly one chain.
//
// Tolerance: workTol for equal points. Threads: a chain is used by one
// thread at a time. Every loop is bounded by the chains' lengths.
#pragma once

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGeCurve2dPtrArray.h"

#include <memory>
#include <vector>

class CurveChain {
 public:
  CurveChain() = default;
  // Takes the curves.
  explicit CurveChain(std::vector<std::unique_ptr<XtGeCurve2d>> owned);
  CurveChain(CurveChain&& other) noexcept : curves(std::move(other.curves)) { other.curves.removeAll(); }
  CurveChain& operator=(CurveChain&& other) noexcept;
  CurveChain(const CurveChain&) = delete;
  CurveChain& operator=(const CurveChain&) = delete;
  ~CurveChain();

  // Hands every curve over to the caller, in order; the chain is empty.
  std::vector<std::unique_ptr<XtGeCurve2d>> release();
  // Deletes every curve.
  void clear();

  XtGeCurve2dPtrArray curves;
};

// The chain test of joinCurveChains: the start of the chain's last curve
// equals the end of its first curve (workTol). False for an empty chain.
// (Not isChainClosed, which compares the first curve's start with the last
// curve's end.)
bool lastCurveStartsAtFirstEnd(const CurveChain& chain);

// A rotated left by k (its first k curves move one by one to its end), then
// every curve of B moved in front of A in B's order; B ends empty.
void rotateAndPrependCurves(CurveChain& a, CurveChain& b, int k);

// Joins B onto A at the first pair of curves a (index i) of A and b (index
// j) of B whose ends meet, each pair tested in this order (aS, aE the start
// and end of a; bS, bE those of b):
//   1. aS = bE, with `flag`:    rotateAndPrependCurves(A, B, i);
//   2. aE = bS, without `flag`: rotateAndPrependCurves(B, A, j), then A
//      takes B's curves;
//   3. aS = bS: without `flag` A is reversed as a chain and joined as in 2,
//      with `flag` B is reversed and joined as in 1;
//   4. aE = bE, with `flag`: a is tested against no further curve of B.
// Answers 1 when joined (B is then empty), else 0 (nothing changed).
int joinTwoCurveChains(CurveChain& a, CurveChain& b, bool flag);

// For each chain i in order, with f its chain test (lastCurveStartsAtFirstEnd,
// taken before it joins anything), every later chain whose test differs from
// f is offered to joinTwoCurveChains(chain i, that chain, f); a chain joined
// is removed, the next taking its index.
void joinCurveChains(std::vector<CurveChain>& chains);
