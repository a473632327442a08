// The observer of heating curves: the one object, process-wide, that every
// heating curve reports to when it is made or destroyed on any thread, and
// every polyline reports a failed offset to. The design model of the running
// heating command installs itself here (so the curves never reach up into the
// design); with none installed the reports do nothing.
//
// Ownership: the installer owns its observer and removes it before the
// observer goes; at most one is installed at a time.
//
// Locking: the installed pointer lives under curveRegistryLock()
// (CurveRegistryLock.h). Installing and removing hold it exclusively; every
// report reads the pointer and calls the observer with it held shared (only
// the hand-over of a listed curve, below, holds it exclusively). A report
// therefore either reaches a whole observer or none, and once the remover's
// exclusive hold ends no report reaches the removed observer: the hook never
// dangles. The installer may keep state of its own under the same lock (the
// design model keeps its current-model pointer and its pipe list there), set
// together with the observer in one exclusive hold. The lock is not
// recursive: an observer's calls never take it, never make or destroy a
// heating curve and never wait for another thread.
#pragma once

#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeTol.h"

#include <cstdint>

class CFloorHeatingCurve;

class HeatingCurveObserver {
 public:
  // `curve` with `tag` was made on the calling thread (the constructor has
  // set the base fields). Under curveRegistryLock() held shared.
  virtual void recordCurveConstruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept = 0;
  // `curve` with `tag` is being destroyed on the calling thread (nothing is
  // torn down yet). Under curveRegistryLock() held shared, after any
  // hand-over of the curve (forgetDestroyedCurve).
  virtual void recordCurveDestruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept = 0;
  // Whether the observer keeps `curve` in a list of curves it will delete
  // itself. Under curveRegistryLock() held shared.
  virtual bool listsCurve(const CFloorHeatingCurve* curve) const noexcept = 0;
  // A listed curve is being destroyed by another owner: the observer lets go
  // of it, so it never deletes it a second time. Under curveRegistryLock()
  // held exclusively, before recordCurveDestruction.
  virtual void forgetDestroyedCurve(const CFloorHeatingCurve* curve) noexcept = 0;
  // The trimmed offset of `source` at `distance` gave no curve with any joint
  // extension; `copy` stands for the copy the offset was to become (neither
  // is changed). Under curveRegistryLock() held shared; may throw
  // std::bad_alloc to the polyline that reported it.
  virtual void polylineOffsetFailed(const XtGeCompositeCurve2d& source, const XtGeCompositeCurve2d& copy,
                                    double distance, const XtGeTol& tolerance) = 0;

 protected:
  ~HeatingCurveObserver() = default;
};

// Installs `observer` (not owned): true, or false (nothing changes) when
// another one is installed. The caller holds curveRegistryLock() exclusively.
bool installHeatingCurveObserverLocked(HeatingCurveObserver& observer);

// Removes `observer` when it is the installed one; nothing otherwise. The
// caller holds curveRegistryLock() exclusively; once it lets go, no report
// reaches the observer.
void removeHeatingCurveObserverLocked(const HeatingCurveObserver& observer);

// ---- The reports (the heating curves call these) -----------------------------
// Safe on any thread; nothing while no observer is installed; never while
// holding curveRegistryLock().

// Reports that `curve` with `tag` was made on the calling thread.
void copyCurvePiecesLocked(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept;

// Reports that `curve` with `tag` is being destroyed on the calling thread.
// A curve the observer lists is first handed over (forgetDestroyedCurve),
// under the lock held exclusively; the destruction is then recorded when the
// same observer is still installed.
void copyCurvePiecesLockedFlag(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept;

// Reports that the offset of a polyline failed with every joint extension.
void reportFailedPolylineOffset(const XtGeCompositeCurve2d& source, const XtGeCompositeCurve2d& copy,
                                double distance, const XtGeTol& tolerance);
