// The manifold and the distribution pipes of a design model: the manifold's
// item identifier, mark and description texts, its options (numbering of
// circuits and zones, circuit colours, two distances), its outline as line
// segments with the line along which circuits connect, its label and
// reference points, the distribution-pipe pitch, and the list of
// distribution-pipe heating curves with their working geometry.
//
// Ownership: the network owns the curves of its list and its connection
// line; the model owns the network.
//
// Threads: the network is changed on the command's thread only, and only
// while no design job runs (they read the pitch and the pipes). The curve
// list is also read by the curve registry when any curve is destroyed, on any
// thread: it is therefore changed only under curveRegistryLock() (held
// exclusively), which the members below take; the command's thread may read
// it through pipeCurves() without the lock.
//
// Tolerances: the outline compares points under workTol's equal point; the
// working geometry chains under workTol and keeps closed chains under
// manifoldConnectionTol.
#pragma once

#include "heating/curves/CFHPipeSegmentSource.h"
#include "heating/curves/CFloorHeatingLine.h"

#include "host/items/QevItem.h"

#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/win/CString.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

class CFHDistributorInOut;
class CFHDescData;
class CFHEntityInOut;
class CFHModel;
class CFHPipeStyles;
class CFloorHeatingCurve;
class XtGeMatrix2d;

class CFHPipeNetwork : public CFHPipeSegmentSource {
 public:
  // The connection line's tag, and the tag of a chain of distribution pipes.
  static constexpr std::uint32_t kConnectionLineTag = 14;
  static constexpr std::uint32_t kPipeChainTag = 13;

  // Numbering options 1; pitch 0.2 × the process drawing unit factor (1 when
  // the host gives none); pitch limit +infinity.
  explicit CFHPipeNetwork(CFHModel* owner = nullptr);
  CFHPipeNetwork(const CFHPipeNetwork&) = delete;
  CFHPipeNetwork& operator=(const CFHPipeNetwork&) = delete;

  // Deletes the curves still in the list, outside every lock of the model.
  ~CFHPipeNetwork();

  CFHModel* owner() const { return owner_; }

  // ---- Distribution pipes ------------------------------------------------------
  // The network owns the curves of its list and deletes them when it goes.
  void appendPipeCurve(CFloorHeatingCurve* curve);
  // A selected distribution pipe, appended to the list.
  void addPipe(CFloorHeatingCurve::Ptr curve);
  // Takes the curve out of the list (the caller then owns it); false when the
  // list does not hold it.
  bool removePipeCurve(const CFloorHeatingCurve* curve);
  // Empties the list and hands its curves to the caller, in list order.
  std::vector<CFloorHeatingCurve*> takePipeCurves();
  // The list, for the command's thread only.
  const std::vector<CFloorHeatingCurve*>& pipeCurves() const { return pipeCurves_; }
  // True when the list holds the curve; takes the lock, so any thread may ask.
  bool holdsPipeCurve(const CFloorHeatingCurve* curve) const;
  // The end points of the pipes' line segments, for the zone side pass
  // (zoneBoundarySegmentPoints); any thread may ask.
  XtGePoint2dArray& segmentEndPoints(XtGePoint2dArray& points) const override;

  // Thins every polyline's runs of segments (rebuildFromParts), joins the
  // pipes into chains and drops open pipes that overlap themselves: the list
  // becomes one new polyline (tag kPipeChainTag) per chain of two or more
  // curves, in the order of their first members, then the curves of no chain
  // in their order. A curve joins a chain when its start meets the chain's
  // end or its end the chain's start (workTol); a curve drawn the other way
  // round does not join. Chain members and dropped polylines are deleted
  // after they left the list, so their destruction raises no state bit.
  void buildWorkingGeometry();

  // ---- Outline -----------------------------------------------------------------
  // Rebuilds the outline segments, the label point and the connection line
  // from the outline source points: a segment between consecutive points, a
  // closing one with more than two points and, for the item "TOT0000-0001"
  // (any case), one from the third point to the sixth. False (segments,
  // label point and line built as far as they go) when the outline has fewer
  // than 4 segments, or fewer than 6 points for "TOT0000-0001": the routing
  // then cannot use it.
  bool distributorOutline();
  // The point of the outline nearest to the curve: segment by segment, a
  // later segment wins only when nearer by more than workTol's equal point.
  // `onCurve` (when given) receives the curve's point of that pair. False,
  // nothing written, without segments.
  bool closestOutlinePoint(const CFloorHeatingCurve& curve, XtGePoint2d& onOutline,
                           XtGePoint2d* onCurve = nullptr) const;
  // False when some segment lies strictly nearer to b than the nearest
  // segment lies to a; true otherwise (also without segments).
  bool isNotNearer(const XtGePoint2d& a, const XtGePoint2d& b) const;

  // ---- Routing (CFHPipeNetworkRouting.cpp) ---------------------------------------
  // The answers of route; the command shows 281, 282 and 319 for 1 to 3.
  enum RouteResult : int { kRouted = 0, kNotAtManifold = 1, kReachesNoZone = 2, kZoneFedTwice = 3 };
  // Makes one circuit per distribution pipe of the list and connects it to
  // the zone the pipe reaches, over the owner model's zones, appending the
  // circuits to the model. Every job is stopped first. In order:
  // - The reference point: the midpoint of the second outline segment when
  //   the fourth runs at an angle <= 3 pi/4 or > 7 pi/4, else of the fourth.
  //   Fewer than four segments: kNotAtManifold.
  // - Per pipe: X, where it meets the outline (workTol, else
  //   manifoldConnectionTol); none: kNotAtManifold. The pipe end within
  //   manifoldConnectionTol of X and nearer to it than the other end moves
  //   onto X. The outlet is where a prolongation of the pipe beyond its start
  //   (else its end) by manifoldConnectionTol meets a segment the pipe does
  //   not meet (the nearer to X when both do), else X.
  // - The pipes are ordered by the distance of X from the reference point
  //   (stable). With two or more, h = half the distance of the first two;
  //   when h > workTol it caps the pitch and becomes the pitch limit.
  // - Pipe i gets circuit i + 1: the first zone whose as-drawn loop holds an
  //   end of the pipe (isOnLoop, which snaps that end onto it) takes it; when
  //   the pipe then touches the zone's working loop nowhere, that end is cut
  //   back to where the pipe meets the working loop nearest to it; the pipe
  //   is connected with trimming. Else the first zone flagged as entered by
  //   the pipes that holds one end inside and none outside takes it,
  //   connected without trimming. A zone already reached: kZoneFedTwice; no
  //   zone: kReachesNoZone; a connection that fails: kNotAtManifold. Each is
  //   tested before the pipe or the zone changes; the circuit in hand is
  //   dropped, those made before stay in the model.
  // - Finally the pipes are applied to every zone (applyPipesToZones), the
  //   first zone of each circuit takes its number and the zones are sorted
  //   by number.
  // The circuit's connection points are the pipe end farther from the
  // outlet (in the zone) and the outlet.
  int route();
  // The reference point of the first step; false with fewer than four
  // segments.
  bool outlineReferencePoint(XtGePoint2d& point) const;

  // ---- Distribution pipe pitch (CFHPipeNetworkPitch.cpp) ---------------------------
  // A new pitch (drawing units), capped at pipePitchLimit: every job is
  // stopped, every circuit with a zone and a centre line is connected again
  // with the new pitch (connectPipe at its first connection point, with
  // trimming when that point lies on its first zone's as-drawn loop, the way
  // the routing connected it), then every zone's working loop is rebuilt
  // around the new pipes (applyPipesToZones). All circuits or none: when one
  // cannot be connected, every circuit's pipes, its first zone's pipe ends
  // and the pitch are as before and the answer is false. A value that is not
  // a positive finite number is refused (false); one whose capped pitch
  // equals the pitch changes nothing (true). The caller starts the jobs again.
  bool setPipePitch(double value);

  // ---- Manifold item (CFHPipeNetworkManifold.cpp) -------------------------------
  // Reads the product-line item of the selected manifold block into
  // manifoldItem (through the host's current table and its product
  // database). True only for the items "TOT0000-0023" and "TOT0000-0001"
  // (any case): then the identifier is kept, a non-empty label (text 1)
  // becomes the mark and the item's insertion point the reference point.
  bool readManifoldItem(const resbuf* entityList);
  // Takes the options, description texts and the owner model's description
  // settings back from the item's named values. A key the item does not hold,
  // or holds empty, leaves its field: a manifold that no design was written
  // to keeps the model's settings. Numbers read as their leading number.
  void readManifoldSettings();
  // Reads the drawn manifold: keeps the record (not owned; the drawing I/O
  // object's) and its connection points as the outline source, reads the
  // item (readManifoldItem), brings the reference point into work
  // coordinates (the drawing I/O object's workMatrix after updateUcs) and,
  // when the item was read and `finish` is set, the settings stored on it.
  // False (the command refuses the block) when the item is none the design
  // knows, or the block has fewer connection points than its outline needs
  // (4; 6 for "TOT0000-0001").
  bool readManifold(const CFHDistributorInOut& record, bool finish);
  // The drawn manifold readManifold kept, or null.
  const CFHDistributorInOut* manifoldRecord() const { return manifoldRecord_; }

  // ---- Drawn design (CFHExtendedData.cpp, CFHLabelOutput.cpp, CFHManifoldOutput.cpp) ----
  // A work point as the records write it: relative to the reference point,
  // in the axes of the drawing's user system, "(x|y|0.00)".
  std::u16string formatLocalPoint(const XtGePoint2d& point) const;
  // Writes the manifold's label (replacing `oldLabel` when one is given).
  bool drawManifoldLabel(const HostExport2D* host, const XtGeMatrix2d& matrix, const CFHPipeStyles& graphics,
                         const CFHDescData& desc, const CFHEntityInOut* oldLabel);
  // Rewrites the manifold block with the design's item keys and its
  // association with every entity written. A manifold whose database
  // attributes cannot be read is left as it is (true).
  bool drawManifold(const HostExport2D* host, const XtGeMatrix2d& matrix);

  // ---- Manifold record (fields in the drawn manifold's order) -----------------
  std::uint32_t autoNumberCircuits = 1;  // "_PT_X_DSD_NC"
  std::uint32_t autoNumberZones = 1;     // "_PT_X_DSD_NZ"
  std::int32_t firstCircuitNumber = 1;   // "_PT_X_DSD_NBC"
  std::int32_t firstZoneNumber = 1;      // "_PT_X_DSD_ZBC"
  CString mark = CString(u"RZ");
  CString secondDescription;             // "PRPO"
  CString firstDescription;              // "PRPD"
  std::uint32_t colourCircuits = 0;      // "_PT_X_DSD_CC"
  double manifoldDistance = 0.0;         // "_PT_X_DSD_MP"
  double manifoldMaxDistance = 0.0;      // "_PT_X_DSD_MMP"
  CString itemId;

  QevItem manifoldItem;

  std::vector<XtGeLineSeg2d> outlineSegments;
  std::vector<XtGePoint2d> outlineSource;  // the drawn block's outline points
  XtGePoint2d labelPoint;
  XtGePoint2d referencePoint;              // the manifold's insertion point
  const CFloorHeatingLine* connectionLine() const { return connectionLine_.get(); }

  // The distribution-pipe pitch (drawing units) and its upper limit.
  double pipePitch;
  double pipePitchLimit = std::numeric_limits<double>::infinity();

 private:
  friend class CFHModel;
  // The same with curveRegistryLock() already held.
  bool holdsPipeCurveLocked(const CFloorHeatingCurve* curve) const;
  // Takes a curve that is being destroyed out of the list, so the network
  // never deletes it a second time; true when the list held it. The caller
  // holds the registry lock exclusively.
  bool forgetPipeCurveLocked(const CFloorHeatingCurve* curve);
  // Replaces the (empty) list; under the lock.
  void setPipeCurves(std::vector<CFloorHeatingCurve*> curves);

  CFHModel* owner_;
  const CFHDistributorInOut* manifoldRecord_ = nullptr;
  std::vector<CFloorHeatingCurve*> pipeCurves_;
  std::unique_ptr<CFloorHeatingLine> connectionLine_;
};

// Where a pipe curve meets the manifold outline. The line the curve leaves
// its start (atStart) or its end along is taken. In midpoint mode: the
// midpoint of that line's first meeting with a segment and its next meeting
// with a later segment; false when there are not two. Otherwise: where the
// curve meets segment `index`, or else that segment's point nearest to the
// chosen end of the curve; false for an index outside the outline.
bool outlineConnectionPoint(const CFloorHeatingCurve& curve, const std::vector<XtGeLineSeg2d>& outline,
                            bool midpointMode, bool atStart, int index, XtGePoint2d& point);

// Where the curve first meets the outline under tol, segment by segment: the
// point on the segment. False when it meets none.
bool firstOutlineHit(const CFloorHeatingCurve& curve, const std::vector<XtGeLineSeg2d>& outline, const XtGeTol& tol,
                     XtGePoint2d& hit);
// The distance from the point to the nearest segment; +infinity without any.
double distanceToOutline(const std::vector<XtGeLineSeg2d>& outline, const XtGePoint2d& point);

// Orders the three parallel lists by ascending distance; equal distances
// keep their order. Lists of unequal length are left as they are.
void sortPointsByDistance(std::vector<CFloorHeatingCurve*>& pipes, std::vector<double>& distances,
                          std::vector<XtGePoint2d>& points);
