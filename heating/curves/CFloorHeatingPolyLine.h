// The heating polyline (kind 1): an XtGeCompositeCurve2d of line segments and
// circular arcs, with its vertex list (the start of every piece, then the end
// of the last, so a closed polyline lists its first point again at the end).
//
// Its operations answer piece by piece with the line and arc rules
// (HeatingCurvePieces.h); pieces of other types are passed over.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

class CFloorHeatingPolyLine : public CFloorHeatingCurve {
 public:
  // An empty polyline.
  explicit CFloorHeatingPolyLine(std::uint32_t tag);
  // A copy of the composite.
  CFloorHeatingPolyLine(const XtGeCompositeCurve2d& composite, std::uint32_t tag);
  // The composite of a polyline record, which the curve keeps as its record.
  // Throws CFHUnknownCurveKind when the record holds no composite.
  CFloorHeatingPolyLine(const CFHEntityInOut& record, std::uint32_t tag);
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
  // three give nothing the design model's state bit
  // kModelStatePolylineOffsetFailed is raised and the answer is false.
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

 private:
  // End points and vertices from the composite's pieces.
  void readComposite();
  // Copies of the composite's line and arc pieces, in order.
  std::vector<std::unique_ptr<XtGeCurve2d>> simplePieceCopies() const;

  XtGeCompositeCurve2d composite_;
  XtGePoint2dArray vertices_;
};
