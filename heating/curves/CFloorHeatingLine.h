// The straight heating curve (kind 0), wrapping one XtGeLineSeg2d.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include "platform/ge/XtGeLineSeg2d.h"

class CFloorHeatingLine : public CFloorHeatingCurve {
 public:
  // From start to end; the source curve (may be null) is kept as given and
  // its drawn-entity record copied.
  CFloorHeatingLine(const XtGePoint2d& start, const XtGePoint2d& end, const CFloorHeatingCurve* source,
                    std::uint32_t tag);
  // A copy of the segment; no source, no record.
  CFloorHeatingLine(const XtGeLineSeg2d& segment, std::uint32_t tag);
  // The segment of a line record, which the curve keeps as its record.
  // Throws CFHUnknownCurveKind when the record holds no line segment.
  CFloorHeatingLine(const CFHEntityRecord& record, std::uint32_t tag);
  ~CFloorHeatingLine() override;

  static std::unique_ptr<CFloorHeatingLine> CFloorHeatingLineFromSeg(const XtGeLineSeg2d& segment,
                                                                      std::uint32_t tag);

  const XtGeLineSeg2d& segment() const { return segment_; }

  double lengthBetween(const XtGePoint2d& from, const XtGePoint2d& to) const override;
  XtGePoint2d midPoint() const override;
  bool intersectWithLine(const XtGeLine2d& line, XtGePoint2d& hit) const override;
  bool intersectWithRay(const XtGeRay2d& ray, XtGePoint2d& hit, const XtGeTol& tol) const override;
  XtGeLine2d perpLineAtMid() const override;
  // Translated so that its midpoint lies on p, then `extension` longer at
  // each end (a line of zero length is only translated).
  Ptr extendedCopyAt(const XtGePoint2d& p, double extension = 0.0) const override;
  // Both ends moved by distance along the unit direction turned by +pi/2;
  // null for a line of zero length (it has no direction to offset from).
  Ptr offsetCopy(double distance) const override;
  XtGeVector2d direction() const override;
  // The point at parameter length / (segment length): beyond the ends the
  // line is prolonged; a line of zero length answers its start.
  XtGePoint2d pointAtLength(double length) const override;
  const XtGeCurve2d& geCurve() const override { return segment_; }
  bool isOn(const XtGePoint2d& p) const override;
  XtGePoint2d closestPointTo(const XtGePoint2d& p) const override;
  void setEndPoints(const XtGePoint2d& newStart, const XtGePoint2d& newEnd) override;
  bool setStartOnCurve(const XtGePoint2d& p, bool& degenerate, const XtGeTol& tol) override;
  bool setEndOnCurve(const XtGePoint2d& p, bool& degenerate, const XtGeTol& tol) override;
  // Set the end (start) point as given and rebuild the segment from the two
  // ends, with no check at all: for the offset loops, which move ends they
  // have already placed.
  void setEndRaw(const XtGePoint2d& p);
  void setStartRaw(const XtGePoint2d& p);
  bool intersectWithPolyline(const CFloorHeatingPolyLine& polyline, XtGePoint2dArray& hits,
                             const XtGeTol& tol) const override;
  bool intersectWithPolylineAt(const CFloorHeatingPolyLine& polyline, XtGePoint2d& hit,
                               const XtGeTol& tol) const override;
  XtGeLine2d startLine() const override;
  XtGeLine2d endLine() const override;
  bool normalRay(XtGeRay2d& ray, const XtGePoint2d& p, int side) const override;
  void reverse() override;
  // (end - start) x (p - start) >= 0.
  bool sideTest(const XtGePoint2d& p, const XtGePoint2dArray* range = nullptr,
                bool* decidedByEndRay = nullptr) const override;
  void translateBy(const XtGeVector2d& v) override;
  // Against a line: the common stretch of the two on this line's chord line
  // when they are colinear (tol), at least tol's point value long. Against an
  // arc (kind 3 or 5): none. Against anything else: the sampled test with
  // workTolFine.
  bool collinearOverlaps(const CFloorHeatingCurve& other, PtrVector& pieces, const XtGeTol& tol) const override;

 private:
  void resetSegment();
  // Moves start_ or end_ (movedEnd) to p when p lies on the segment.
  bool moveEndOnCurve(XtGePoint2d& movedEnd, const XtGePoint2d& p, bool& degenerate, const XtGeTol& tol);

  XtGeLineSeg2d segment_;
};
