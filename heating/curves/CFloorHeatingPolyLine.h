// The heating polyline (kind 1): an XtGeCompositeCurve2d of line segments and
// circular arcs, with its vertex list (the start of every piece, then the end
// of the last, so a closed polyline lists its first point again at the end).
//
// Its operations answer piece by piece with the line and arc rules
// (HeatingCurvePieces.h); pieces of other types are passed over.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

#include <vector>

class CLoop;

class CFloorHeatingPolyLine : public CFloorHeatingCurve {
 public:
  // An empty polyline.
  explicit CFloorHeatingPolyLine(std::uint32_t tag);
  // A copy of the composite.
  CFloorHeatingPolyLine(const XtGeCompositeCurve2d& composite, std::uint32_t tag);
  // The composite of a polyline record, which the curve keeps as its record.
  // Throws CFHUnknownCurveKind when the record holds no composite.
  CFloorHeatingPolyLine(const CFHEntityRecord& record, std::uint32_t tag);
  ~CFloorHeatingPolyLine() override;

  static std::unique_ptr<CFloorHeatingPolyLine> CFloorHeatingPolyLineFromComposite(
      const XtGeCompositeCurve2d& composite, std::uint32_t tag);

  const XtGeCompositeCurve2d& composite() const { return composite_; }
  const XtGePoint2dArray& vertices() const { return vertices_; }
  // Takes the composite over; end points and vertices follow it.
  void setComposite(XtGeCompositeCurve2d composite);

  // Length between the two points' parameters, in ascending order.
  double lengthBetween(const XtGePoint2d& from, const XtGePoint2d& to) const override;
  // The mean of the vertices (the start of an empty polyline).
  XtGePoint2d midPoint() const override;
  // Of the pieces' hits, the one nearest to midPoint().
  bool intersectWithLine(const XtGeLine2d& line, XtGePoint2d& hit) const override;
  // Of the pieces' hits, the one nearest to the ray's start.
  bool intersectWithRay(const XtGeRay2d& ray, XtGePoint2d& hit, const XtGeTol& tol) const override;
  XtGeLine2d perpLineAtMid() const override;
  Ptr extendedCopyAt(const XtGePoint2d& p, double extension = 0.0) const override;
  // The longest curve of offsetCopies.
  Ptr offsetCopy(double distance) const override;
  // The trimmed offset of the composite, asked with the joint extension
  // "extend", then "fillet", then "chamfer" until one gives curves (host
  // tolerance). Every curve it gives becomes a heating curve: a segment a
  // line, an arc an arc, anything else a polyline; longest first. When all
  // three give nothing the failure is reported to the heating-curve observer
  // (reportFailedPolylineOffset: the design model raises its state bit
  // kModelStatePolylineOffsetFailed) and the answer is false.
  bool offsetCopies(double distance, PtrVector& copies) const override;
  XtGeVector2d direction() const override;
  // Walks the length from the composite's start (workTolFine), stopping at its end.
  XtGePoint2d pointAtLength(double length) const override;
  const XtGeCurve2d& geCurve() const override { return composite_; }
  bool isOn(const XtGePoint2d& p) const override;
  XtGePoint2d closestPointTo(const XtGePoint2d& p) const override;
  // The first piece that holds newStart (else the first piece) is made to
  // start there and the last piece, not before it, that holds newEnd (else
  // the last piece) to end there; the pieces outside are dropped. A point at
  // the joint of two pieces starts (ends) the piece after (before) the joint,
  // so that no piece shrinks to nothing.
  void setEndPoints(const XtGePoint2d& newStart, const XtGePoint2d& newEnd) override;
  // With two segments at that end: the end vertex moves by a and the vertex
  // before it by a - b (both pieces follow); otherwise the base behaviour.
  // The end points stay in step with the composite.
  void moveEnd(const XtGeVector2d& a, const XtGeVector2d& b, bool atStart) override;
  bool intersectWithPolyline(const CFloorHeatingPolyLine& polyline, XtGePoint2dArray& hits,
                             const XtGeTol& tol) const override;
  bool intersectWithPolylineAt(const CFloorHeatingPolyLine& polyline, XtGePoint2d& hit,
                               const XtGeTol& tol) const override;
  XtGeLine2d startLine() const override;
  XtGeLine2d endLine() const override;
  // The normal ray of the first piece that holds p.
  bool normalRay(XtGeRay2d& ray, const XtGePoint2d& p, int side) const override;
  void reverse() override;
  // p is on the left when, at the nearest point c of the polyline (within the
  // range's part), (c - p) x (unit tangent at c) exceeds workTolFine's point
  // value. Beyond an open end of the part whose straight prolongation (a ray
  // along the end tangent) meets no other piece, a point nearer to that ray
  // than to the part is judged against the ray instead, and
  // *decidedByEndRay is set.
  bool sideTest(const XtGePoint2d& p, const XtGePoint2dArray* range = nullptr,
                bool* decidedByEndRay = nullptr) const override;
  void translateBy(const XtGeVector2d& v) override;
  bool selfOverlaps(const XtGeTol& pointTol, const XtGeTol& testTol) const override;
  // New copies of the composite's pieces.
  void appendGeCurveCopies(XtGeCurve2dPtrArray& copies) const override;

  // ---- Edits of the design model (CFloorHeatingPolyLineEdits.cpp) ------------

  // Joins the other curve (a line, arc or polyline) on end to end: the pair
  // of ends that meet (workTol) is found in the order this end / other's end
  // (the other runs reversed), this start / other's start (this runs
  // reversed), this start / other's end (both reversed), this end / other's
  // start; copies of the other's pieces then follow this polyline's pieces.
  // False, nothing changed, for another kind or when no pair of ends meets.
  bool joinCurve(const CFloorHeatingCurve& other);
  // Removes a doubled-back stretch: with i < j the first pair of pieces
  // whose starts are equal (tol), piece i is removed, and removed again (the
  // next piece taking its place) while the rest, joined, overlaps itself
  // (curveChainSelfOverlaps). At least one piece stays. Answers 1 when
  // pieces were removed, else 0 (nothing changed).
  int trimSelfOverlap(const XtGeTol& tol);
  // Thins runs of line segments of the pieces (simplifySegmentRuns, host
  // tolerance); arcs and the ends of every run stay where they are.
  void rebuildFromParts();
  // Makes the polyline the chain of copies of the curves' pieces (lines and
  // arcs as they are, polylines as their pieces), in order; null entries are
  // passed over. No curves give an empty polyline at the origin.
  void setFromCurves(const std::vector<CFloorHeatingCurve*>& curves);

  // ---- End trimming of a circuit's pipe path (CFloorHeatingPolyLineEndTrim.cpp)

  // Keeps the stretch from s to e (both on the polyline, workTol, s not
  // after e) and, when a bend at its front (A) or back (B) is shorter than
  // pi x r, drops it: walking the pieces from that end and adding their
  // lengths, the first piece that is itself pi x r long, or brings the sum
  // to pi x r, is taken; when it is a line segment longer than pi x r, the
  // ray from its outer end, pointing away from it, meets the loop
  // (CLoop::pickIntersection, workTol) and the segment is stretched back to
  // the hit nearest that end, the pieces before it (after it, for B) left
  // out. False, nothing changed, when s or e is not on the polyline or s
  // lies after e.
  bool circuitSegmentPassA(const XtGePoint2d& s, const XtGePoint2d& e, double r, const CLoop& loop);
  bool circuitSegmentPassB(const XtGePoint2d& s, const XtGePoint2d& e, double r, const CLoop& loop);
  // Keeps the stretch from s to e (as the passes above) of a drawn lead
  // whose end at s (wallAtStart) or at e lies on the loop, where the lead
  // enters its zone, and gives it back the corners it had before the output
  // rounded them with the bend radius r:
  // - when the piece at the wall is an arc (the bend into the zone, cut by
  //   the wall), the lead's straight run to the wall: the arc makes way for
  //   the line along its tangent at its other end, as far as the loop (a
  //   wall farther than half a turn of the arc leaves it), the lead's last
  //   straight piece running on when the line continues it;
  // - every arc of radius r between two straight pieces that it rounds (tangent
  //   to both, as far from their corner at either end) makes way for the
  //   corner; an arc tangent to one of them only, meeting the other at a
  //   sharp corner, rounded a corner with a piece it used up (as long as the
  //   rounding takes): the corner and that piece come back.
  // False, nothing changed, when s or e is not on the polyline, s lies after
  // e, or nothing would be left.
  bool trimLeadAtWall(const XtGePoint2d& s, const XtGePoint2d& e, bool wallAtStart, double r, const CLoop& loop);

 private:
  // End points and vertices from the composite's pieces.
  void readComposite();
  // Copies of the composite's line and arc pieces, in order.
  std::vector<std::unique_ptr<XtGeCurve2d>> simplePieceCopies() const;

  XtGeCompositeCurve2d composite_;
  XtGePoint2dArray vertices_;
};
