// One closed zone outline being put together from the loose curves the user
// selected (lines, polylines, arcs): curves that meet end to end are chained,
// a curve that crosses a chain curve cuts it and is itself split there, and
// curves that touch nothing yet wait until the chain reaches them.
//
// A path holds three lists of curves:
//   chain   the curves of the outline so far;
//   rest    curves offered that touch no chain curve yet;
//   pieces  the parts of a curve split where it crossed a chain curve, each
//           with its crossing point and its far end; a piece joins the chain
//           when the chain reaches its far end or when it crosses another
//           curve (the part beyond is an overshoot and is dropped); pieces
//           that never join (overshoots) are dropped with the path.
// and the junctions (points where two chain curves meet) and crossings.
//
// Ownership: every curve is in exactly one list of one path, which owns it;
// a curve that moves between lists moves. The finished paths are owned by
// one results list, shared by all paths of one selection (a closed curve
// offered to a non-empty path becomes a path of its own there). On success
// the chain curves are taken out for the zone boundary (takeChainCurves);
// destroying a path frees whatever it still holds.
//
// Tolerances: two points are the same when they are equal under zoneBoundsTol
// (the zone-bound setting); intersections are found with workTol. Threads:
// the command's thread only.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include <memory>
#include <vector>

class CFHBoundaryChain {
 public:
  using Results = std::vector<std::unique_ptr<CFHBoundaryChain>>;

  // The answers of addCurve.
  enum Answer : int {
    kRefused = 0,  // a branch: the curve meets a point where two curves already meet
    kJoined = 1,   // the curve joined the path (or started it, or became a path of its own)
    kRest = 2,     // the curve touches nothing of the path yet
  };

  explicit CFHBoundaryChain(Results* results) : results_(results) {}
  ~CFHBoundaryChain();
  CFHBoundaryChain(const CFHBoundaryChain&) = delete;
  CFHBoundaryChain& operator=(const CFHBoundaryChain&) = delete;

  // Offers the curve to a path being built. The path takes the curve (leaving
  // `curve` empty) unless the answer is kRefused at once; after kRefused the
  // curve may still be in hand. kJoined: placed (a closed curve offered to a
  // non-empty path becomes a new path appended to the results); kRest: kept
  // on the rest list. After a curve joined, the rest list is offered again
  // (and waiting pieces tried); a branch met there answers kRefused.
  int addCurve(CFloorHeatingCurve::Ptr& curve);

  // Offers the curve to a finished (closed) path: a closed curve becomes a
  // new path as in addCurve (kJoined); any other curve is only tested: kRest,
  // curve still in hand, when it touches nothing of the path, else kRefused
  // (it would touch another zone's outline).
  int offerToFinished(CFloorHeatingCurve::Ptr& curve);

  // Not empty, and every chain curve's start and end each are a junction.
  bool isClosed() const;

  // A curve whose ends are one point under zoneBoundsTol although it is no
  // closed curve: it is too short (at most twice the tolerance) to run round
  // anything, like a wall jog shorter than the tolerance. The chaining cannot
  // place it, as both its ends are the same point there; it belongs in the
  // corner of the outline where it lies (takeIntoCorner).
  static bool isWithinTolerance(const CFloorHeatingCurve& curve);
  // Takes such a curve into the chain when each of its ends is an end of a
  // chain curve (workTol): it fills a corner of this outline. False, the
  // curve still in hand, otherwise (a stray piece, or a spur off a corner).
  bool takeIntoCorner(CFloorHeatingCurve::Ptr& curve);
  bool empty() const { return chain_.empty(); }
  bool hasRest() const { return !rest_.empty(); }
  const CFloorHeatingCurve::PtrVector& chainCurves() const { return chain_; }
  // Moves the chain curves out (the path keeps its other lists).
  CFloorHeatingCurve::PtrVector takeChainCurves();

  // Finishes the closed path `path`: appends it to its results, then, while
  // the last appended path has curves on its rest list, offers them in order
  // to a new path, which is appended when it closes. `path` receives the
  // first new path that does not close, or a new empty path when every one
  // closed. Answers kJoined, or kRefused when a re-offered curve met a branch
  // (that path then becomes `path`).
  static int collectClosedPaths(std::unique_ptr<CFHBoundaryChain>& path);

 private:
  struct Piece {
    CFloorHeatingCurve::Ptr curve;
    XtGePoint2d crossing;  // where the curve was split off a crossing curve
    XtGePoint2d farEnd;    // its other end
  };

  int place(CFloorHeatingCurve::Ptr& curve, bool reoffer);
  // The parts of a curve split at its crossings: into the chain, or to the
  // pieces while their outer end is free.
  void placeSplit(CFloorHeatingCurve::Ptr curve, std::vector<XtGePoint2d>& splits, bool startJoined,
                  bool endJoined);
  // Offers the rest list again and joins pieces, pass after pass while
  // something is placed (at most as many passes as curves and pieces).
  int reofferRest();
  // One pass of joining pieces; true when a piece moved into the chain.
  bool joinPieces();
  bool joinPieceAtFreeEnd();
  bool joinPieceCrossing(CFloorHeatingCurve::PtrVector& others, bool othersInChain);
  bool joinCrossingPieces();

  bool isJunction(const XtGePoint2d& p) const;
  bool isKnownPoint(const XtGePoint2d& p) const;  // a junction or a crossing
  void addJunction(const XtGePoint2d& p);
  // Cuts c at x, keeping the part held by a junction or else the part away
  // from `other`; false (nothing cut) when both ends of c are junctions.
  bool cutAt(CFloorHeatingCurve& c, const XtGePoint2d& x, const CFloorHeatingCurve& other) const;
  // The first intersection of a and b that is no junction and no crossing.
  bool newCrossing(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, XtGePoint2d& x) const;
  void movePieceIn(std::size_t i, const XtGePoint2d& newEnd);

  Results* results_;
  CFloorHeatingCurve::PtrVector chain_;
  CFloorHeatingCurve::PtrVector rest_;
  std::vector<Piece> pieces_;
  std::vector<XtGePoint2d> junctions_;
  std::vector<XtGePoint2d> crossings_;
};
