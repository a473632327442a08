// The heating curve: every geometric object of the floor-heating design (zone
// boundary pieces, distribution pipes, offset loops, laid pipe runs) is one of
// these. It wraps one curve of the geometry library, keeps its two end points
// at hand, remembers where it came from (the root curve it was derived from,
// the drawn-entity record it was read from, a creation tag) and answers the
// geometric operations the heating code needs, each kind in its own way:
//   CFloorHeatingLine      kind 0, an XtGeLineSeg2d
//   CFloorHeatingPolyLine  kind 1, an XtGeCompositeCurve2d of segments and arcs
//   CFloorHeatingArc       kind 3, an XtGeCircArc2d
//
// Ownership: a curve is owned by exactly one holder, which deletes it through
// this class (the destructor is virtual). Operations that make a curve return
// it as a std::unique_ptr; holders that keep raw pointers take it with
// release().
//
// Registration: every curve reports its construction and destruction, with
// its address and tag, to the installed heating-curve observer (the design
// model of the running heating command, HeatingCurveObserver.h); with none
// nothing happens. Never construct or destroy a curve while holding
// curveRegistryLock() or a lock of the model.
//
// Threads: a curve is used by one thread at a time; curves may be made and
// destroyed on any thread. The tolerances used are workTol and workTolFine
// (geometry/Tolerances.h, set by the command before threads start) and the
// calling thread's XtGeContext::gTol ("host tolerance").
//
// Names used elsewhere for the same operations, for readers who meet them:
// intersectWith(line/ray) = intersectWithLine/intersectWithRay,
// sideCopy = movedCopy, pointAtDistance = pointAtLength,
// overlapsItself = selfOverlaps, appendSimplePieces = appendGeCurveCopies.
#pragma once

#include "heating/curves/CFHEntity.h"

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGePoint2dArray.h"
#include "platform/ge/XtGeRay2d.h"

#include <cstdint>
#include <memory>
#include <vector>

class CFHEntityRecord;
class CFloorHeatingPolyLine;

class CFloorHeatingCurve : public CFHEntity {
 public:
  // The kinds. Kind 4 is read as an arc by the kind-pair intersections and
  // kind 5 is refused like an arc by the line's overlap test; no curve of
  // those kinds is ever made.
  enum Kind : int { kLine = 0, kPolyline = 1, kArc = 3 };

  using Ptr = std::unique_ptr<CFloorHeatingCurve>;
  using PtrVector = std::vector<std::unique_ptr<CFloorHeatingCurve>>;

  // The kind's destructor frees its geometry; this part then reports the
  // destruction (address and tag) to the heating-curve observer.
  virtual ~CFloorHeatingCurve();
  CFloorHeatingCurve(const CFloorHeatingCurve&) = delete;
  CFloorHeatingCurve& operator=(const CFloorHeatingCurve&) = delete;

  // ---- Fields ----------------------------------------------------------------

  // The end points, equal to the wrapped curve's end points.
  const XtGePoint2d& startPoint() const { return start_; }
  const XtGePoint2d& endPoint() const { return end_; }
  int kind() const { return kind_; }
  // The curve this one was derived from (not owned); null for a curve made
  // from drawing data or geometry.
  const CFloorHeatingCurve* source() const { return source_; }
  void setSource(const CFloorHeatingCurve* source) { source_ = source; }
  // The root a copy of this curve names as its source: this curve's source
  // when set, else this curve.
  const CFloorHeatingCurve* rootSource() const { return source_ != nullptr ? source_ : this; }
  // The drawn-entity record the curve was read from (not owned), or null.
  const CFHEntityRecord* entityRecord() const { return entityRecord_; }
  void setEntityRecord(const CFHEntityRecord* record) { entityRecord_ = record; }
  // The creation tag: names the family of code that made the curve; passed on
  // to every curve derived from this one.
  std::uint32_t tag() const { return tag_; }

  // ---- Operations --------------------------------------------------------------

  // Length along the curve between two points on it (a line: their distance).
  virtual double lengthBetween(const XtGePoint2d& from, const XtGePoint2d& to) const = 0;
  // Line: the middle of the end points; arc: the point at the middle of its
  // parameter range; polyline: the mean of its vertices.
  virtual XtGePoint2d midPoint() const = 0;
  // The intersection with an unbounded line (a polyline: the hit nearest to
  // its midPoint). False when they do not meet.
  virtual bool intersectWithLine(const XtGeLine2d& line, XtGePoint2d& hit) const = 0;
  // The intersection with a ray nearest to the ray's start. False when none.
  virtual bool intersectWithRay(const XtGeRay2d& ray, XtGePoint2d& hit, const XtGeTol& tol) const = 0;
  // Line: its perpendicular through its midpoint; arc: the perpendicular
  // bisector of its chord (through the centre for a closed arc); polyline:
  // the line from its midPoint along its direction().
  virtual XtGeLine2d perpLineAtMid() const = 0;
  // A copy (same kind, tag, record; source = rootSource()) moved so that its
  // midPoint lies on p; a line is also lengthened by `extension` at both ends
  // (shortened when negative). extendedCopyAt(midPoint(), 0) is an exact copy.
  virtual Ptr extendedCopyAt(const XtGePoint2d& p, double extension = 0.0) const = 0;
  // extendedCopyAt(m + distance * u, extension) with m = midPoint() and u the
  // unit direction of normalRay(m, side). Null when that ray cannot be made.
  virtual Ptr movedCopy(int side, double distance, double extension) const;
  // The parallel copy at the signed distance, positive to the left of the
  // direction of travel (inward for a counter-clockwise loop); tag, record
  // and root source passed on. Null when no offset exists: an arc whose
  // radius would not stay positive, a line of zero length, a polyline whose
  // offset fails with every joint extension (which is also reported to the
  // heating-curve observer: the design model raises its state bit 8). A
  // polyline offset that splits answers its longest curve; offsetCopies
  // gives them all.
  virtual Ptr offsetCopy(double distance) const = 0;
  // Every curve of the offset at the distance, longest first, appended to
  // `copies`; false when there is none (as offsetCopy answers null).
  virtual bool offsetCopies(double distance, PtrVector& copies) const;
  // Line: its unit direction; arc: its chord (end - start); polyline: the
  // vector from midPoint() to the mean of its chords' midpoints.
  virtual XtGeVector2d direction() const = 0;
  // The point reached by walking `length` along the curve from its start.
  // A line extrapolates beyond its ends; arcs and polylines stop at theirs.
  virtual XtGePoint2d pointAtLength(double length) const = 0;
  // The wrapped geometry curve, owned by this curve.
  virtual const XtGeCurve2d& geCurve() const = 0;
  // Line and polyline within workTolFine, arc within workTol.
  virtual bool isOn(const XtGePoint2d& p) const = 0;
  // Line within workTolFine, arc and polyline within workTol.
  virtual XtGePoint2d closestPointTo(const XtGePoint2d& p) const = 0;
  // Makes the curve run from newStart to newEnd: a line takes them as they
  // are, an arc keeps its centre and radius when both lie on its circle (see
  // ArcRules.h for the other cases), a polyline is trimmed (or its end pieces
  // stretched) to them.
  virtual void setEndPoints(const XtGePoint2d& newStart, const XtGePoint2d& newEnd) = 0;
  // Moves the start (atStart) or the end by `a`. A polyline whose two end
  // pieces at that end are segments moves the end vertex by a and the vertex
  // before it by a - b; any other curve calls setEndPoints.
  virtual void moveEnd(const XtGeVector2d& a, const XtGeVector2d& b, bool atStart);
  // Lines only (others answer false): when p lies on the segment (tol), the
  // start (end) moves there and `degenerate` tells whether start and end now
  // coincide (tol); false and nothing changed otherwise.
  virtual bool setStartOnCurve(const XtGePoint2d& p, bool& degenerate, const XtGeTol& tol);
  virtual bool setEndOnCurve(const XtGePoint2d& p, bool& degenerate, const XtGeTol& tol);
  // Every intersection point with the polyline, each added once (workTol)
  // to `hits`; true when any was added.
  virtual bool intersectWithPolyline(const CFloorHeatingPolyLine& polyline, XtGePoint2dArray& hits,
                                     const XtGeTol& tol) const = 0;
  // One intersection point with the polyline: a line answers the hit of the
  // polyline's last piece it meets, an arc the hit nearest to its midPoint, a
  // polyline the hit of its first piece that meets the other.
  virtual bool intersectWithPolylineAt(const CFloorHeatingPolyLine& polyline, XtGePoint2d& hit,
                                       const XtGeTol& tol) const = 0;
  // The line the curve leaves its start (ends at its end) along: a line's own
  // line, an arc's tangent, a polyline's first (last) vertex chord.
  virtual XtGeLine2d startLine() const = 0;
  virtual XtGeLine2d endLine() const = 0;
  // The unbounded line through start and end.
  virtual XtGeLine2d chordLine() const;
  // The ray from p (a point of the curve) along the curve's normal: side +1
  // to the left of the direction of travel, -1 to the right (for an arc: side
  // +1 of a counter-clockwise arc points to its centre). False, ray
  // untouched, when no normal exists there (a polyline none of whose pieces
  // holds p, a curve of zero length).
  virtual bool normalRay(XtGeRay2d& ray, const XtGePoint2d& p, int side) const = 0;
  // Runs the curve the other way; the point set stays the same.
  virtual void reverse() = 0;
  // True when p lies to the left of the curve in its direction of travel
  // (lines and arcs: or on it). A polyline measures against the part of it
  // between the first and last point of `range` (when it holds two or more),
  // and sets *decidedByEndRay when the straight prolongation beyond an end of
  // that part decided; lines and arcs set it to false.
  virtual bool sideTest(const XtGePoint2d& p, const XtGePoint2dArray* range = nullptr,
                        bool* decidedByEndRay = nullptr) const = 0;
  // Moves the curve and its end points.
  virtual void translateBy(const XtGeVector2d& v) = 0;
  // The distance between the two wrapped curves (host tolerance).
  virtual double distanceToCurve(const CFloorHeatingCurve& other) const;
  // The distance between this curve's and the other's hits on
  // perpLineAtMid(); +infinity when either misses.
  virtual double distanceAlongMidNormal(const CFloorHeatingCurve& other) const;
  // The connector along perpLineAtMid() from this curve's hit to the other's
  // chord line: `ok` tells whether both hits exist; when they do, `connector`
  // receives a new line between them (no source, this curve's tag),
  // `otherHit` the hit on the other's chord line and `leftSide` whether it
  // lies on the left of (or on) this curve's chord; the answer is the
  // connector's length, else +infinity.
  virtual double connectorAlongMidNormal(const CFloorHeatingCurve& other, Ptr& connector, bool& leftSide,
                                         XtGePoint2d& otherHit, bool& ok) const;
  // Distance from the wrapped curve to p (host tolerance).
  virtual double distanceTo(const XtGePoint2d& p) const;
  // The length of the wrapped curve (host tolerance).
  virtual double length() const;
  // Reverses the parameter of the wrapped curve (an arc by its own rule, the
  // others as reverse()).
  virtual void reverseParam();
  // The stretches where this curve lies on the other, as new curves of this
  // curve's kind appended to `pieces` (emptied first); true when any. Two
  // lines are compared exactly; other pairs by samples every 0.0005 drawing
  // unit factor along this curve (at most kMaxOverlapSamples).
  virtual bool collinearOverlaps(const CFloorHeatingCurve& other, PtrVector& pieces, const XtGeTol& tol) const;
  // Polylines: whether two of its pieces overlap or cross (pointTol for
  // negligible lengths and equal points, testTol for the tests); lines and
  // arcs answer false.
  virtual bool selfOverlaps(const XtGeTol& pointTol, const XtGeTol& testTol) const;
  // Appends new copies (owned by the caller) of the wrapped curve's simple
  // pieces: the wrapped curve itself for lines and arcs.
  virtual void appendGeCurveCopies(XtGeCurve2dPtrArray& copies) const;

  // The most samples the overlap test takes along one curve.
  static constexpr int kMaxOverlapSamples = 100000;

 protected:
  // Sets the base fields and reports the construction: every curve is
  // reported exactly once, here, and its destruction once, in the destructor.
  CFloorHeatingCurve(int kind, std::uint32_t tag, const CFloorHeatingCurve* source = nullptr,
                     const CFHEntityRecord* record = nullptr);

  // Marks `copy` as derived from this curve: its source becomes rootSource()
  // and its record this curve's record.
  void passOriginTo(CFloorHeatingCurve& copy) const;

  XtGePoint2d start_;
  XtGePoint2d end_;
  int kind_;

 private:
  const CFloorHeatingCurve* source_;
  const CFHEntityRecord* entityRecord_;
  std::uint32_t tag_;
};
