// The zone design of one heating zone: what the pipe layout of the zone needs
// (circuit shape, display type, spacings and distances, the zone boundary,
// the meander base edge, the per-edge border widths, the two pipe ends, the
// exit points toward the next zone, the link point), the layouts the last
// design produced, and the busy flag of a design that runs. Made by its zone
// entry, deleted with it.
//
// Ownership: the design owns its boundary, both layouts, its pipe ends and
// exit points, and the copies of the pipe ends that the second layout points
// to. The owner entry is not owned.
//
// Threads (the design model's rules):
// - The inputs are changed on the command's thread only, and only while no
//   design job of the zone's circuit runs: every input setter that changes
//   a value, and every operation that changes the boundary's bands or
//   working loop, first stops that job (CFHCircuit::stopWorker). Calling one
//   on the job's own thread is a programming error (reported, and the value
//   is still stored).
// - lock_ guards busy and the right to read what a design produces. A
//   design (the writer) holds a BusyScope: busy is set under the lock, the
//   work runs unlocked, busy is cleared under the lock at the end of the
//   scope, also when an exception leaves it. A reader holds an IdleAccess for
//   its whole read; it holds the lock, so no design can start meanwhile, and
//   answers whether the zone was idle when it was taken.
// - The layouts are replaced only by the writer, through its BusyScope, and
//   read only through an IdleAccess.
// - The pipe ends, exit points and link point, which the job stores while
//   linking the zone to its neighbours (and the routing before any job), are
//   stored under the lock, and only while the zone is not busy.
// - lock_ comes after the circuit's lock in the model's lock order; never
//   hold two zone designs' locks at once.
//
// Lengths are drawing units (the model's defaults in millimetres × 0.001 ×
// the model's drawing unit factor).
#pragma once

#include "heating/curves/CFHZoneBoundary.h"
#include "heating/layout/CFHCircuitLayout.h"
#include "heating/layout/CFHPipeEnd.h"
#include "heating/layout/CFHPipeStyle.h"

#include "platform/ge/XtGePoint2d.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace GDI {
class canvas;
}
class CFHZoneCalc;
class CFHZoneEntry;

class CFHZoneDesign {
 public:
  // The model's defaults (shape, display type, the three distances), pipe
  // spacing 0.2 × the unit factor, no boundary, not busy.
  explicit CFHZoneDesign(CFHZoneEntry* owner);
  ~CFHZoneDesign();
  CFHZoneDesign(const CFHZoneDesign&) = delete;
  CFHZoneDesign& operator=(const CFHZoneDesign&) = delete;

  CFHZoneEntry* owner() const { return owner_; }

  // ---- Inputs ------------------------------------------------------------------
  // 0 meander, 1 spiral; other values lay out nothing ("_PT_X_ZDR_SHP").
  std::uint32_t circuitShape() const { return circuitShape_; }
  // 0 full layout, 1 connection run plus full layout, else levels plus full
  // layout ("_PT_X_ZDR_DD").
  std::uint32_t displayType() const { return displayType_; }
  double layoutValue() const { return layoutValue_; }
  // The word beside the layout value: whether the value is set (non-zero).
  // The pages' own; no design reads it, so setting it stops no job.
  std::uint32_t layoutFlag() const { return reserved_; }
  void setLayoutFlag(std::uint32_t flag) { reserved_ = flag; }
  double perpendicularDistance() const { return perpendicularDistance_; }  // "_PT_X_ZDR_PERP"
  double detailDistance() const { return detailDistance_; }                // "_PT_X_ZDR_RADD"
  double perimeterDistance() const { return perimeterDistance_; }          // "_PT_X_ZDR_RADL"
  double spacing() const { return spacing_; }                              // "_PT_X_ZDR_SPC"
  // The pipe's outer diameter in drawing units (0: not given): the layouts
  // keep their pipe this clear of itself.
  double pipeDiameter() const { return pipeDiameter_; }
  std::uint32_t meanderBaseId() const { return meanderBaseId_; }          // "_PT_X_ZDR_MEBA"
  const std::vector<double>& borderWidths() const { return borderWidths_; }  // "_PT_X_ZDR_DARR"
  const std::vector<std::uint32_t>& selectedEdgeIds() const { return selectedEdgeIds_; }
  CFHZoneBoundary* boundary() const { return boundary_.get(); }
  XtGePoint2d linkPoint() const;

  // Setters of the inputs: a value equal to the stored one changes nothing
  // and answers false; any other first stops the circuit's job, then is
  // stored, and the answer is true.
  bool setCircuitShape(std::uint32_t shape);
  bool setDisplayType(std::uint32_t type);
  bool setLayoutValue(double value);
  bool setPerpendicularDistance(double distance);
  bool setDetailDistance(double distance);
  bool setPerimeterDistance(double distance);
  // The design spacing: the zone's pipe pitch × the unit factor, written just
  // before the circuit's job is made.
  bool setSpacing(double spacing);
  // The zone's pipe diameter d × the unit factor, written with the spacing.
  bool setPipeDiameter(double diameter);
  bool setMeanderBaseId(std::uint32_t id);
  bool setBorderWidths(std::vector<double> widths);
  // The dialog's selected sides: no design reads them, so this stores them
  // without stopping the job (as selectEdgesByKeys).
  bool setSelectedEdgeIds(std::vector<std::uint32_t> ids);
  // Takes the boundary (the old one is deleted).
  bool setBoundary(std::unique_ptr<CFHZoneBoundary> boundary);

  // Stores the link point under the lock; for the job too. False, nothing
  // stored, while the zone is busy.
  bool setLinkPoint(const XtGePoint2d& point);

  // The supply (0) and return (1) ends of the zone's pipe, and its two exit
  // points toward the next zone of the circuit (0 and 1); null when unset.
  // The setters store under the lock, and a layout that pointed to the old
  // record then points to the new one; false, nothing stored, while the zone
  // is busy or for an index other than 0 and 1. The getters are for the
  // command's thread and the zone's own job.
  const CFHPipeEnd* pipeEnd(int index) const;
  const CFHPipeEnd* exitEnd(int index) const;
  bool setPipeEnd(int index, std::unique_ptr<CFHPipeEnd> end);
  bool setExitEnd(int index, std::unique_ptr<CFHPipeEnd> end);

  // ---- Zone design (CFHZoneDesignRun.cpp) ---------------------------------------
  // Lays the zone out, on its circuit's job thread (or the command's thread
  // while no job of the circuit runs), under a BusyScope: the old layouts go;
  // a main layout (first offset R x u, spacing, run distance: with display
  // type 0 the distance between the pipe ends, else the perpendicular
  // distance, which with display type 1 is also the spacing) gets the offset
  // levels of the working loop and its layout step: display type 0 the
  // meander (shape 0) or the spiral (shape 1), display type 1 the connection
  // run, otherwise nothing (skipJoin). With a display type other than 0 a
  // second layout (first offset, spacing, pipe-end distance; copies of the
  // pipe ends; connection mode 0) gets the levels with the band limits
  // (zoneBandLimits) and the meander or spiral; with display type 0 the main
  // layout's levels take the limits. Without both pipe ends (a failed link)
  // the run distance is 0 and the layouts get their levels and skipJoin
  // only. Without a boundary no layout is made. An exception leaves busy
  // clear and no half-made layout.
  void design();

  // ---- Operations (CFHZoneDesignOperations.cpp) -----------------------------------
  // u is the model's drawing unit factor, R the calculation's border width
  // (metres; empty counts as 0). Nothing happens, or 0 is answered, without
  // a boundary.

  // The first offset of the zone's pipe from its boundary: R x u, drawing
  // units (0 when R is empty or the product is not finite).
  double firstOffset() const;
  // A0 = area inside the boundary / u^2, SP = area inside the boundary
  // offset inward by R x u / u^2 and, unless skipPerimeter, OP = the length
  // of that offset / u, each through the record's setter.
  void updateCalcAreas(CFHZoneCalc& calc, bool skipPerimeter) const;
  // A0 only.
  void updateGrossArea(CFHZoneCalc& calc) const;
  // The area inside the boundary offset by R x k, / k^2; its length / k.
  double areaAtBorder(double k) const;
  double perimeterAtBorder(double k) const;

  // New records (the point, flag 1, value 0) for the pipe ends and the exit
  // points: stored under the lock, and put into the matching field of the
  // main and the second layout when they exist (startEnd, endEnd, exitEnd1,
  // exitEnd2); the old record is deleted after the lock is released. The
  // link calls them on the job thread. False, nothing stored, while the zone
  // is busy.
  bool setPipeEnd1(const XtGePoint2d& point);
  bool setPipeEnd2(const XtGePoint2d& point);
  bool setExitEnd1(const XtGePoint2d& point);
  bool setExitEnd2(const XtGePoint2d& point);

  // Makes the working item `id` the meander base when it runs roughly along
  // the boundary where pipe end 2 lies: the angle a from the direction of the
  // working loop at pipe end 2's projection to the item's direction must be
  // <= pi/2 + pi/100 or >= 3 pi/2 - pi/100; then the shape becomes 0 and the
  // base id `id` (the circuit's job stopped first) and the answer is true.
  // Without pipe end 2: true, nothing changed. False without a boundary, an
  // item with the id or a projection, or for another angle.
  bool setMeanderBase(std::uint32_t id);
  // Display type 0: the detail distance ("_PT_X_ZDR_RADD"); 1: the perimeter
  // distance ("_PT_X_ZDR_RADL"); otherwise 0.
  double connectionDistance() const;
  // With pipe end 1: the ids whose working item lies at an angle (as in
  // setMeanderBase, at pipe end 1's projection) <= pi/2 + pi/100 or >= 3 pi/2
  // - pi/100 are dropped; the rest becomes the selected list. Without pipe
  // end 1 (or a boundary) every id is kept.
  void filterEdgesByAngle(const std::vector<std::uint32_t>& ids);
  // Every item of both loops whose id is selected gets the band value.
  void setBorderWidthOfSelectedEdges(double width);
  // Side i of the as-drawn loop (and its working pieces) gets borderWidths()[i].
  void applyBorderWidths();
  // The selection key of a side: zone number x 1000000 + its id.
  std::uint64_t edgeKey(std::uint32_t id) const;
  // The selected list becomes the ids of the as-drawn sides whose key is
  // among the keys, in side order. The selected sides are the dialog's: no
  // design job reads them, so this stores them without stopping the job.
  void selectEdgesByKeys(const std::vector<std::uint64_t>& keys);
  // Appends the key of every selected id.
  void selectedEdgeKeys(std::vector<std::uint64_t>& keys) const;
  // Whether the selected sides (as-drawn loop, in order) agree on their
  // border width: `widths` gets the distinct positive widths in order of
  // appearance; 2 when no side is selected; else the last selected side
  // decides: a positive width gives 0 with one distinct width and 1 with
  // more; a width <= 0 gives 3 while no positive width was met, else 1.
  int selectedBorderState(std::vector<double>& widths) const;
  // The pipe length of the zone, drawing units: 0 without a main layout (or
  // while the zone is busy). Display type not 0 without a second layout: an
  // estimate from p, the length of the boundary offset by R x u, the spacing
  // s and the side count n: p + (p - 2ns) + (p - 4ns) + ... while the term is
  // >= 0 (only p when ns <= 0), plus ns. Otherwise the length of the segment
  // curves of the second layout (display type not 0) or the main one.
  double pipeLengthEstimate() const;
  // Rebuilds the working loop around the pipes (copies; the build destroys
  // those it does not cut along) from pipe end 1, else the as-drawn loop's
  // reference point: on success the working loop is prepared again, on
  // failure copied from the as-drawn loop again. The circuit's job is stopped
  // first, and the old layouts, which point into the old working loop, go.
  // False without a boundary or when the build failed.
  bool applyPipes(std::vector<CFloorHeatingCurve::Ptr>& pipes);

  // ---- Preview (CFHZoneDesignPreview.cpp) -------------------------------------------
  // Adds every item of the as-drawn loop, in order, to the canvas's base
  // layer with its selection key (edgeKey of its id) as the pass-on value:
  // with mode 1 a selected side in the second style of the pair, every other
  // item (and every item in other modes) in the first; colour, pen width and
  // linetype (code page 1250) from the style, no scale. Nothing without a
  // boundary. The as-drawn loop is not changed after it was prepared, so
  // this may run while the circuit's job runs.
  void drawBoundaryEdges(GDI::canvas& canvas, const std::pair<CFHPipeStyle, CFHPipeStyle>& styles, int mode) const;

  // ---- Busy flag and its scopes ------------------------------------------------
  bool isBusy() const;

  // The writer's scope: busy from construction to destruction. While it
  // lasts the writer may replace and work on the layouts.
  class BusyScope {
   public:
    explicit BusyScope(CFHZoneDesign& design);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    CFHCircuitLayout* mainLayout() const { return design_.mainLayout_.get(); }
    // The zone's pipe ends and exit points, for the layouts to point to.
    CFHPipeEnd* pipeEnd(int index) const { return index == 0 || index == 1 ? design_.pipeEnds_[index].get() : nullptr; }
    CFHPipeEnd* exitEnd(int index) const { return index == 0 || index == 1 ? design_.exitEnds_[index].get() : nullptr; }
    CFHCircuitLayout* secondLayout() const { return design_.secondLayout_.get(); }
    CFHZoneDesign& design() const { return design_; }
    // Releases and deletes the old layouts (and the pipe-end copies of the
    // old second layout), then takes the new ones; either may be null. The
    // copies are those the new second layout points to.
    void replaceLayouts(std::unique_ptr<CFHCircuitLayout> main, std::unique_ptr<CFHCircuitLayout> second,
                        std::unique_ptr<CFHPipeEnd> secondStart = nullptr,
                        std::unique_ptr<CFHPipeEnd> secondEnd = nullptr);

   private:
    CFHZoneDesign& design_;
  };

  // The reader's scope: holds the lock for its whole life.
  class IdleAccess {
   public:
    explicit IdleAccess(const CFHZoneDesign& design);
    IdleAccess(const IdleAccess&) = delete;
    IdleAccess& operator=(const IdleAccess&) = delete;
    // No design ran when the access was taken (none can start during it).
    bool idle() const { return idle_; }
    // The main layout when the zone is idle and its display type is 0 or 1
    // (the main layout then carries what is drawn), else null.
    const CFHCircuitLayout* layoutIfIdle() const;
    // The second layout when the zone is idle, else null.
    const CFHCircuitLayout* secondLayoutIfIdle() const;
    // The layout that carries the zone's full pipe when the zone is idle:
    // the main one for display type 0, else the second; null otherwise.
    const CFHCircuitLayout* fullLayoutIfIdle() const;
    // The length of fullLayoutIfIdle's segments (drawing units) into
    // `length`; false, `length` untouched, without that layout.
    bool laidPipeLength(double& length) const;

   private:
    const CFHZoneDesign& design_;
    std::unique_lock<std::mutex> lock_;
    bool idle_;
  };

  // ---- Circuit path (CFHCircuitPath.cpp) and link (CFHZoneLink.cpp) --------------

  // What one layout's walk measured: its total length (drawing units) and
  // the length of every segment in the order the segments were made.
  struct PathLengths {
    double total = 0.0;
    std::vector<double> lengths;
  };

  // Appends the segments of zones[position]'s layouts, and through its link
  // of the designs after it, to the matching layouts of the circuit's first
  // design zones[0]: the main layout's walk into its main layout, the second
  // layout's into its second (slot 0 and 1 of `lengths`). `zones` are the
  // busy scopes of the circuit's designs in list order (CFHCircuit::
  // buildPath holds them). A layout walk starts at its firstEdge and follows
  // the chain; with a link (this design has both exit points, the next one
  // both pipe ends, and both exits are found on the chain) it leaves the
  // chain at the point A nearest the one exit and comes back at the point B
  // nearest the other, A the earlier of the two along the chain: A → exit 1
  // → the next zone's pipe end 1, the next zone's walk (in the slot the
  // circuit is drawn from, the first zone's main layout for display types 0
  // and 1, else its second: the next zone's full layout; in the other slot
  // the same slot, its main layout when it has no second), its pipe end 2 →
  // exit 2 → B, each link piece a drawn supply line of tag 5. The stretch
  // from A to B carries no segment. Layouts of connection mode 2 are not
  // walked.
  static void walkPath(const std::vector<BusyScope*>& zones, std::size_t position, PathLengths (&lengths)[2]);

  // Joins `design` to `previous`, the zone before it in the circuit, near
  // the link point (pitch: how far apart the link's supply and return run
  // through the wall; CFHCircuit::linkToPreviousZone gives the distribution
  // pitch, but at least half of either zone's spacing): where the two
  // as-drawn boundaries face each other (layoutRayCast), clear of both
  // zones' border width at the walls' ends and of 2 × pitch around
  // distribution pipes and shortened by pitch / 2, the nearest facing points
  // P and Q to the link point are taken onto both working loops. When their
  // link (buildLink's) brings the two ways through the wall nearer than the
  // pitch (P and Q askew where the end of one zone's spans holds its point
  // back, or walls that do not run parallel), P with the point opposite it
  // and Q with the point opposite it are tried too: the first pair that
  // keeps the pitch as walked, then the first that keeps it widened, then
  // the one that comes nearest. When no pair gives a link and the two points
  // lie at different distances from their walls' ends, the normal ray from
  // the one nearer its wall's end onto the other zone gives a second pair.
  // True when the link was made. On the circuit's job thread before `design`
  // is laid out, or on the command's thread while no job runs; neither zone
  // may be busy.
  static bool linkToPrevious(CFHZoneDesign& previous, CFHZoneDesign& design, const XtGePoint2d& linkPoint,
                             double pitch);
  // From P on previous's working loop and Q on design's: the points half a
  // pitch either way from each along its loop, paired crosswise by distance,
  // become previous's exit points (exit 1 the one met first on the long way
  // from its pipe end 1 to its pipe end 2) and design's pipe ends (pipe end
  // 1 the partner of exit 1). Where the two ways through the wall (each exit
  // to its partner) come nearer each other than the pitch, the walk is
  // widened by what they lack, a few rounds, as long as every point stays on
  // the wall item of its P or Q. False, nothing changed, when previous lacks
  // a pipe end on its working loop, a walk fails, the pairing or the order
  // is undecided, a way through the wall comes nearer a distribution pipe
  // than half the network's pitch and half this pitch (two zones facing each
  // other across a hall the pipes run along), or either zone is busy.
  static bool buildLink(CFHZoneDesign& previous, const CLoopPoint& p, CFHZoneDesign& design, const CLoopPoint& q,
                        double pitch);

 private:
  void stopCircuitJob() const;
  // Stores the record under the lock unless the zone is busy. With a layout
  // field the new record is put into that field of both layouts; without
  // one, a layout field that pointed to the old record follows.
  bool storeEnd(std::unique_ptr<CFHPipeEnd>* ends, int index, std::unique_ptr<CFHPipeEnd> end,
                CFHPipeEnd* CFHCircuitLayout::*layoutField = nullptr);
  // R x scale as a double (an empty R gives 0).
  double borderOffset(double scale) const;
  // The model's drawing unit factor.
  double unitFactor() const;
  // Releases the layouts' contents, then deletes them and the second
  // layout's pipe-end copies.
  void deleteLayouts();
  // Unless the value equals the field: stops the circuit's job, then stores
  // the value; answers whether it did.
  template <typename T>
  bool changeInput(T& field, T value);

  CFHZoneEntry* owner_;
  std::uint32_t circuitShape_;
  double layoutValue_ = -1.0;
  std::uint32_t reserved_ = 0;  // the layout value's flag
  std::uint32_t displayType_;
  double perpendicularDistance_;
  double detailDistance_;
  double perimeterDistance_;
  double spacing_;
  double pipeDiameter_ = 0.0;
  std::uint32_t meanderBaseId_ = 0;
  std::unique_ptr<CFHZoneBoundary> boundary_;
  std::vector<double> borderWidths_;
  std::vector<std::uint32_t> selectedEdgeIds_;
  std::unique_ptr<CFHPipeEnd> pipeEnds_[2];          // stored under lock_
  std::unique_ptr<CFHPipeEnd> exitEnds_[2];          // stored under lock_
  std::unique_ptr<CFHPipeEnd> secondLayoutEnds_[2];  // the second layout's copies
  // Replaced only under a BusyScope, read only under an IdleAccess.
  std::unique_ptr<CFHCircuitLayout> mainLayout_;
  std::unique_ptr<CFHCircuitLayout> secondLayout_;
  XtGePoint2d linkPoint_;  // under lock_
  bool busy_ = false;      // under lock_
  mutable std::mutex lock_;
};
