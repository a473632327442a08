// Tests of the laid pipe against itself and against new lines: whether the
// paths of a layout's edges cross, whether a line comes near them, whether
// a curve comes near any curve of a list, and where a ray first meets them.
// The spiral runs them after each attempt (the crossing check), for every
// connector of a detour and for the ray tests that move a detour's ends.
//
// The path pieces are those of offsetEdgePathAlongLoop: straight lines from
// vertex to vertex. EdgePathIndex keeps them as segments in a uniform grid,
// so that each test looks only at the pieces near it and gives the same
// answer as a test of every piece.
//
// Tolerances: as each operation says. Threads: an index belongs to the
// design thread that builds it; the graph is only read.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeTol.h"

#include <cstdint>
#include <vector>

struct CFHCircuitLayout;
struct COffsetEdge;

class EdgePathIndex {
 public:
  EdgePathIndex() = default;
  // The pieces of the paths of the edges (null edges and edges without
  // ends give none). `cell` is the grid's cell size; a cell that is not a
  // positive finite number, or one too small for the extent, is enlarged
  // so that the grid has at most 512 cells a side.
  EdgePathIndex(const std::vector<COffsetEdge*>& edges, double cell);
  void rebuild(const std::vector<COffsetEdge*>& edges, double cell);

  // Whether two pieces meet anywhere but at an end of both (`tol`: a meeting
  // point equal to an end of the first piece and to an end of the second is
  // a shared end). Pieces of one edge are tested against each other too, a
  // piece never against itself; pieces that lie over each other for more
  // than tol's point value meet, and so do two pieces that leave a shared
  // end with an inside angle below 10 degrees (the pipe folds back onto
  // itself). Meetings are found with workTolFine.
  bool anyCrossing(const XtGeTol& tol) const;

  // Whether a piece comes nearer the segment from -> to than the limit:
  // closer than limit - workTol's point value. With a foot, the points of
  // the pieces within the limit of the foot are left out (the segment
  // leaves the path there).
  bool meetsSegment(const XtGePoint2d& from, const XtGePoint2d& to, double limit, const XtGePoint2d* foot) const;
  // Whether a piece comes nearer the point than the limit (less workTol's
  // point value), as meetsSegment for a segment of no length, the point's
  // own cell looked at first.
  bool nearPoint(const XtGePoint2d& p, double limit) const;

  // The nearest place, at a distance strictly between `least` and `most`
  // from `from`, where the ray from `from` along the unit direction meets a
  // piece (a meeting within tol's point value of a piece counts; a piece
  // crossed is met where the ray meets its line, a piece along the ray, both
  // its ends within tol of the ray's line, at its nearer end), into
  // `distance`. False,
  // distance untouched, when there is none.
  bool nearestRayHit(const XtGePoint2d& from, const XtGeVector2d& unit, double least, double most,
                     const XtGeTol& tol, double& distance) const;
  // A distance from the point beyond which no piece lies: the farthest
  // corner of the grid's box; 0 without pieces.
  double reachFrom(const XtGePoint2d& p) const;

 private:
  struct Segment {
    XtGePoint2d a;
    XtGePoint2d b;
  };
  // Calls visit(i) once for every piece whose box meets the box
  // (x0, y0)-(x1, y1); visit answers true to stop.
  template <typename Visit>
  bool forNear(double x0, double y0, double x1, double y1, Visit visit) const;
  long column(double x) const;
  long row(double y) const;

  std::vector<Segment> segments_;
  double x0_ = 0.0;
  double y0_ = 0.0;
  double cell_ = 1.0;
  long nx_ = 0;
  long ny_ = 0;
  std::vector<std::size_t> start_;  // cell -> first entry in cellPieces_ (counting sort)
  std::vector<std::size_t> cellPieces_;
  // The query's stamp per piece, so that a piece in several cells is visited once.
  mutable std::vector<std::uint32_t> seen_;
  mutable std::uint32_t stamp_ = 0;
};

// Whether the paths of two edges of the layout cross (EdgePathIndex::
// anyCrossing, `tol` for the shared ends): the spiral's check of its pipe.
bool offsetEdgePathsCross(const CFHCircuitLayout& layout, const XtGeTol& tol);

// Whether a piece of the edges' paths comes nearer the straight curve than
// the limit (EdgePathIndex::meetsSegment, with the foot when given). A
// curve that is not a line is taken by its chord.
bool offsetEdgePathsMeetCurve(const std::vector<COffsetEdge*>& edges, const CFloorHeatingCurve& curve, double limit,
                              const XtGePoint2d* foot);

// Whether the curve-to-curve distance from the curve to any curve of the
// list (CFloorHeatingCurve::distanceToCurve) is not above the limit. Null
// curves are passed over; false for an empty list.
bool curveNearAnyCurve(const CFloorHeatingCurve& curve, const std::vector<const CFloorHeatingCurve*>& curves,
                       double limit);
