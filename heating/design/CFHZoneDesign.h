// The zone design of one heating zone: what the pipe layout of the zone needs
// (circuit shape, display type, spacings and distances, the zone boundary,
// the meander base edge, the per-edge border widths, the link point) and the
// busy flag of a design that runs. Made by its zone entry, deleted with it.
//
// Ownership: the design owns its boundary. The owner entry is not owned.
//
// Threads (the design model's rules):
// - The inputs are changed on the command's thread only, and only while no
//   design job of the zone's circuit runs: every input setter first stops
//   that job (CFHCircuit::stopWorker). Calling one on the job's own thread is
//   a programming error (reported, and the value is still stored).
// - lock_ guards busy and the right to read what a design produces. A
//   design (the writer) holds a BusyScope: busy is set under the lock, the
//   work runs unlocked, busy is cleared under the lock at the end of the
//   scope, also when an exception leaves it. A reader holds an IdleAccess for
//   its whole read; it holds the lock, so no design can start meanwhile, and
//   answers whether the zone was idle when it was taken.
// - The link point, which the job stores while linking the zone to the
//   previous one, is stored under the lock while the zone is not busy.
// - lock_ comes after the circuit's lock in the model's lock order; never
//   hold two zone designs' locks at once.
//
// Lengths are drawing units (the model's defaults in millimetres × 0.001 ×
// the model's drawing unit factor).
#pragma once

#include "heating/curves/CFHZoneBoundary.h"

#include "platform/ge/XtGePoint2d.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

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
  double perpendicularDistance() const { return perpendicularDistance_; }  // "_PT_X_ZDR_PERP"
  double detailDistance() const { return detailDistance_; }                // "_PT_X_ZDR_RADD"
  double perimeterDistance() const { return perimeterDistance_; }          // "_PT_X_ZDR_RADL"
  double spacing() const { return spacing_; }                              // "_PT_X_ZDR_SPC"
  std::uint32_t meanderBaseId() const { return meanderBaseId_; }          // "_PT_X_ZDR_MEBA"
  const std::vector<double>& borderWidths() const { return borderWidths_; }  // "_PT_X_ZDR_DARR"
  const std::vector<std::uint32_t>& selectedEdgeIds() const { return selectedEdgeIds_; }
  CFHZoneBoundary* boundary() const { return boundary_.get(); }
  XtGePoint2d linkPoint() const;

  // Setters of the inputs; each first stops the circuit's job.
  void setCircuitShape(std::uint32_t shape);
  void setDisplayType(std::uint32_t type);
  void setLayoutValue(double value);
  void setPerpendicularDistance(double distance);
  void setDetailDistance(double distance);
  void setPerimeterDistance(double distance);
  // The design spacing: the zone's pipe pitch × the unit factor, written just
  // before the circuit's job is made.
  void setSpacing(double spacing);
  void setMeanderBaseId(std::uint32_t id);
  void setBorderWidths(std::vector<double> widths);
  void setSelectedEdgeIds(std::vector<std::uint32_t> ids);
  // Takes the boundary (the old one is deleted).
  void setBoundary(std::unique_ptr<CFHZoneBoundary> boundary);

  // Stores the link point under the lock; for the job too. False, nothing
  // stored, while the zone is busy.
  bool setLinkPoint(const XtGePoint2d& point);

  // ---- Busy flag and its scopes ------------------------------------------------
  bool isBusy() const;

  // The writer's scope: busy from construction to destruction.
  class BusyScope {
   public:
    explicit BusyScope(CFHZoneDesign& design);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

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

   private:
    std::unique_lock<std::mutex> lock_;
    bool idle_;
  };

 private:
  void stopCircuitJob() const;
  // Stops the circuit's job, then stores the value.
  template <typename T>
  void changeInput(T& field, T value);

  CFHZoneEntry* owner_;
  std::uint32_t circuitShape_;
  double layoutValue_ = -1.0;
  std::uint32_t reserved_ = 0;
  std::uint32_t displayType_;
  double perpendicularDistance_;
  double detailDistance_;
  double perimeterDistance_;
  double spacing_;
  std::uint32_t meanderBaseId_ = 0;
  std::unique_ptr<CFHZoneBoundary> boundary_;
  std::vector<double> borderWidths_;
  std::vector<std::uint32_t> selectedEdgeIds_;
  XtGePoint2d linkPoint_;  // under lock_
  bool busy_ = false;      // under lock_
  mutable std::mutex lock_;
};
