// One heating circuit: the zones that one pipe loop from the manifold feeds in
// turn, its calculation record, its connection at the manifold, its supply and
// return distribution pipes, and the design job that lays its zones out.
//
// Ownership: the circuit owns its calculation record, its supply and return
// pipes and its worker thread handle. The zones (listed in flow order), the
// centre line of its distribution connection and its label record are not
// owned (the model, the pipe network and the drawing I/O object own them).
//
// Threads (the design model's rules):
// - Only the command's thread changes the circuit; its job (on its own
//   thread) reads the zone list and designs those zones.
// - The worker handle is used only under lock_. It is set by setWorker and
//   stays until replaced or the circuit goes; the job leaves it, so the
//   worker runs while the handle is set and not signalled.
// - Before anything the job reads changes, the command's thread calls
//   stopWorker(): the job sees the stop request before its next zone (and
//   before the path) and ends; the caller waits for it with no lock held.
// - lock_ comes first in the model's lock order (circuit, zone design,
//   registry, state); nothing waits while holding it.
#pragma once

#include "heating/design/CFHCircuitCalc.h"

#include "heating/curves/CFloorHeatingCurve.h"

#include "host/entities/ownedChain.h"

#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/win/WinTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

class CFHDescData;
class CFHEntityInOut;
class CFHModel;
class CFHPipeNetwork;
class CFHPipeStyles;
class CFHZoneDesign;
class CFHZoneEntry;
class XtGeMatrix2d;
struct CFHLabelMeasure;
struct HostExport2D;

class CFHCircuit {
 public:
  // Number = index, colour index = index + 1; the calculation record from the
  // model's defaults.
  CFHCircuit(CFHModel* model, std::uint32_t index);
  // Stops and waits for the job, closes the worker handle, deletes the pipes.
  // The zones stay (their circuit pointer is the model's to clear).
  ~CFHCircuit();
  CFHCircuit(const CFHCircuit&) = delete;
  CFHCircuit& operator=(const CFHCircuit&) = delete;

  CFHModel* model() const { return model_; }

  // ---- Zones -----------------------------------------------------------------
  const std::vector<CFHZoneEntry*>& zones() const { return zones_; }
  // Appends the zone unless listed; either way the zone's circuit becomes
  // this one.
  void addZone(CFHZoneEntry* zone);
  // Takes the zone out of the list (its circuit pointer is left); true when
  // it was listed.
  bool removeZone(const CFHZoneEntry* zone);
  // Stops the job, then takes the last zone out of the list and clears its
  // circuit pointer; a circuit without zones is left as it is.
  void popLastZone();
  // Each zone's design takes its pipe pitch l x the model's drawing unit
  // factor as spacing, and its pipe diameter d x that factor. For a circuit
  // whose job does not run (before a job is made).
  void prepareDesignSpacing();

  // ---- Pipes -----------------------------------------------------------------
  CFloorHeatingCurve* supplyPipe() const { return supplyPipe_.get(); }
  CFloorHeatingCurve* returnPipe() const { return returnPipe_.get(); }
  void setPipes(CFloorHeatingCurve::Ptr supply, CFloorHeatingCurve::Ptr returnPipe);
  // Hands both pipes (supply, return) to the caller; the circuit keeps none.
  std::pair<CFloorHeatingCurve::Ptr, CFloorHeatingCurve::Ptr> takePipes() {
    return {std::move(supplyPipe_), std::move(returnPipe_)};
  }
  // Deletes both pipes.
  void clearPipes();
  // Doubles the distribution pipe `centreLine` (kept as the circuit's centre
  // line, not owned) into a supply pipe d/2 to its right and a return pipe
  // d/2 to its left, and sets the zone design's pipe ends from them (supply
  // pipe end 1, return pipe end 2). With trim, each pipe is cut where it
  // meets the zone's working loop nearest to `point` and runs from there to
  // its far end (the manifold), so its start is the pipe end (a pipe that
  // stops short of a slanted wall is first prolonged to it); without, each
  // pipe's end nearer the manifold outline is the pipe end (a zone round the
  // manifold). The old pipes are deleted first. False, no pipes, when the
  // line meets no outline segment (manifoldConnectionTol) or cannot be
  // offset. CFHCircuitConnection.cpp.
  bool connectPipe(CFloorHeatingCurve& centreLine, double d, const std::vector<XtGeLineSeg2d>& outline,
                   CFHZoneDesign& design, const XtGePoint2d& point, bool trim);

  // ---- Drawn design (CFHCircuitData.cpp, CFHPipeOutput.cpp, CFHLabelOutput.cpp) ----
  // The circuit list of the pipes' and the label's heating records (20
  // pairs, no application or identifier); null when the heap runs out.
  ownedChain buildDataList(const CFHPipeNetwork& network) const;
  // Writes the circuit's supply and return pipes, then its zones' border
  // hatches and dimensions, through the model's output context. Each side's
  // distribution pipe is joined to the laid run it meets in the first zone,
  // so that the supply is drawn from the manifold and the return back to it
  // (pipes that start inside their zone stay apart); the bends, the new one
  // included, are rounded after. True when both pipe sides were written.
  bool drawPipes(const HostExport2D* host, const XtGeMatrix2d& matrix, const CFHPipeStyles& graphics,
                 bool colourCircuits, const CFHDescData& desc);
  // Writes the circuit's number label; its position (world) is appended to
  // `labelPoints`. True when the host made it.
  bool drawLabel(const HostExport2D* host, const XtGeMatrix2d& matrix, const CFHPipeStyles& graphics,
                 const CFHDescData& desc, std::vector<XtGePoint2d>& labelPoints);

  // ---- Worker (see the header comment) -----------------------------------------
  // Takes the handle of the circuit's new job thread (the previous one is
  // closed) and clears the stop request and the outdated mark.
  void setWorker(HANDLE thread);
  // Whether a job runs: the handle is set and not signalled.
  bool isWorkerRunning() const;
  // The job asks this before each zone and before the path.
  bool stopRequested() const { return stopRequested_.load(std::memory_order_acquire); }
  // Asks the job to stop at its next check, without waiting.
  void requestStop() { stopRequested_.store(true, std::memory_order_release); }
  // Requests the stop, then waits for the job like waitForWorker.
  void stopWorker();
  // Waits until the job has ended, with no lock held. On the job's own
  // thread it reports a programming error and answers at once.
  void waitForWorker();
  // A reference of the caller's own to the running job's thread (closed by
  // the caller), or null when no job runs.
  HANDLE duplicateWorkerHandle() const;
  // A design input of one of its zones changed outside the dialog's own
  // restart (the free border width the calculation writes,
  // CFHZoneCalc::setBorderR): stops the job (T2) and marks the layouts
  // outdated until the next job is made (setWorker). Command's thread.
  void designInputChanged();
  // Whether its layouts were made before a design input of its zones
  // changed; OutdatedLayouts.h starts such circuits' jobs again.
  bool layoutsOutdated() const { return layoutsOutdated_; }

  // ---- Circuit path (CFHCircuitPath.cpp, CFHZoneLink.cpp) ------------------------
  // Rebuilds the segments of the whole circuit into its first zone's layouts
  // (CFHZoneDesign::walkPath), every zone of the circuit busy meanwhile; the
  // layouts of the other zones end without segments. The first zone's
  // display type decides the sides: 0 the first half of the main layout's
  // length is supply, the rest return; any other the same on its second
  // layout (the main layout of type 1 keeps the sides of its edges). On the
  // circuit's job thread, or on the command's thread while no job runs.
  void buildPath();
  // Joins the zone to the zone before it in this circuit at the zone's link
  // point (CFHZoneDesign::linkToPrevious), supply and return through the
  // wall the pipe network's pitch apart, but at least half of either zone's
  // spacing (zone pitch × unit factor). False for the first zone, a zone not
  // in the circuit or a failed link.
  bool linkToPreviousZone(CFHZoneEntry* zone);

  // ---- Calculation (CFHCircuitCalculation.cpp) ---------------------------------------
  // Warning bits that calculate() answers, ORed over the circuit's zones.
  static constexpr std::int32_t kWarnTpAboveTm = 2;       // TM valid and tp > TM
  static constexpr std::int32_t kWarnTiAboveTp = 4;       // ti > tp
  static constexpr std::int32_t kWarnReturnNotBelow = 8;  // t2 >= t1
  // Waits for the circuit's job, then sets LP of every zone to the length of
  // the supply and return pipes (m) and calculates each zone in list order
  // (CFHZoneEntry::calculate). Answers the warning bits. Command's thread.
  std::int32_t calculate();
  // Σ LH of the zones + LP of the first zone, m; 0 without zones.
  double totalLength() const;
  // totalLength() above the maximum loop length by more than 1e-9.
  bool isLengthExceeded() const;
  // With the maximum pressure check set: some zone's P equals the maximum
  // pressure loss within 0.0001.
  bool zoneReachesMaxPressure() const;

  // ---- Label (CFHModelQueries.cpp) ----------------------------------------------------
  // The position of the circuit's label of height h and width w beside its
  // connection: from the point h/4 along the way from the first connection
  // point to the second, shifted by the direction's quadrant (see the .cpp).
  XtGePoint2d labelPosition(double h, double w) const;
  // The same with the width measured first (see CFHLabelMeasure); the
  // width in drawing units is written into `width`.
  XtGePoint2d labelPosition(double h, const CFHLabelMeasure& measure, double& width) const;

  CFHCircuitCalc calc;
  std::uint32_t number;
  std::uint32_t colourIndex;
  std::uint32_t word = 0;
  // The distribution connection: its centre line (pipe network's), the far
  // end of that line and the point where it leaves the manifold.
  CFloorHeatingCurve* centreLine = nullptr;
  XtGePoint2d connectionPoints[2];
  // The drawn circuit label the edit command read (drawing I/O object's).
  const CFHEntityInOut* labelRecord = nullptr;

 private:
  CFHModel* model_;
  std::vector<CFHZoneEntry*> zones_;
  CFloorHeatingCurve::Ptr supplyPipe_;
  CFloorHeatingCurve::Ptr returnPipe_;
  std::atomic<bool> stopRequested_{false};
  mutable std::mutex lock_;
  HANDLE worker_ = nullptr;  // under lock_
  bool layoutsOutdated_ = false;  // command's thread only
};
