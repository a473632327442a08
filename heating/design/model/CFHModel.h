// The design model of one run of a heating command: the manifold with its
// distribution pipes, the heating zones, the heating circuits that connect
// zones to the manifold, the defaults for new zones and circuits, the drawing
// and description settings, the dialog's selection, the synchronisation block
// of the design jobs and the registry of heating curves. The command builds it
// on its own stack and destroys it before it returns; while it exists it is
// the process's current model and the installed heating-curve observer, which
// every heating curve made or destroyed on any thread reports to
// (heating/curves/HeatingCurveObserver.h, HeatingCurveRegistration.h).
//
// Ownership: the model owns its zones, circuits, pipe network, description
// settings, pipe styles, synchronisation block, catalogues and registry. The
// selection, the current circuit, the join pair and the pending heating body
// point into its own zones and circuits (not owned); deleting a zone or a
// circuit clears every such pointer to it.
//
// Threads (the rules every part of the design follows):
// T1 Only the command's thread changes zones, circuits, network, settings and
//    selection. A circuit's job only links and designs its zones and builds
//    its path.
// T2 What a running job reads stays put: before changing it the command's
//    thread stops the job (CFHCircuit::stopWorker, stopDesignJobs for all).
//    A calculation that changes a design input (the free border width) also
//    marks the circuit for its job to run again (OutdatedLayouts.h).
// T3 A zone design's lock guards its busy flag and the right to read what it
//    produced (CFHZoneDesign::BusyScope, IdleAccess). Calculation, output and
//    read-back first wait for the circuit's job.
// T4 A circuit owns its job's thread handle; waiters watch references of
//    their own, which the synchronisation block owns.
// T5 The destructor clears the notify window, cancels the waiters, stops
//    every job and joins the waiters (so nothing is posted once it runs),
//    then stops being current and frees the rest.
// T6 Lock order: circuit, zone design, registry, state; the notify window's
//    lock alone. No thread waits while holding a lock; curves may be made or
//    destroyed under the first two, never under the last two. The registry
//    keeps one list set per thread with its own lock (CFHCurveRegistry.h);
//    the current-model pointer (and the curve observer, which is the current
//    model) is read under curveRegistryLock() held shared.
#pragma once

#include "heating/design/model/CFHCurveRegistry.h"
#include "heating/design/settings/CFHDataFiles.h"
#include "heating/design/settings/CFHDescData.h"
#include "heating/design/settings/CFHDesignDefaults.h"
#include "heating/design/settings/CFHHatchPattern.h"
#include "heating/design/readback/CFHKeptAsDrawn.h"
#include "heating/design/model/CFHPipeNetwork.h"
#include "heating/design/model/CFHPipeStyles.h"
#include "heating/design/settings/CFHStringPairTable.h"
#include "heating/design/jobs/CFHWorkerSync.h"

#include "heating/curves/HeatingCurveObserver.h"

#include "platform/cadhost/HostTables.h"
#include "platform/win/WinTypes.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

class CFHCircuit;
class CFHPropertyValueList;
class CFHZoneEntry;
class CFloorHeatingCurve;
class XtGePoint2d;
struct CFHOutputContext;

class CFHModel : private HeatingCurveObserver {
 public:
  // Builds every part with its defaults (drawing unit factor 1000 until the
  // settings are read) and becomes the current model, unless another model
  // is current already: that one stays current (there is only ever one) and
  // this one records no curves.
  CFHModel();
  ~CFHModel();
  CFHModel(const CFHModel&) = delete;
  CFHModel& operator=(const CFHModel&) = delete;

  // The current model, or null. Only a thread that the model outlives (the
  // command's thread, or a design job, which the model stops before it goes)
  // may use the answer.
  static CFHModel* current();
  bool isCurrent() const { return isCurrent_; }

  // ---- Curve registry and state word --------------------------------------------
  // The current model is the installed heating-curve observer: the curves'
  // reports (copyCurvePiecesLocked, copyCurvePiecesLockedFlag) record each
  // curve under the calling thread in its registry (the private overrides
  // below). A destroyed curve that the pipe network lists leaves the list and
  // raises kModelStateListedCurveDestroyed; a failed polyline offset raises
  // kModelStatePolylineOffsetFailed. An allocation failure drops the record,
  // never the state bit.
  // ORs bits into the state word of the current model, if any.
  static void setCurrentStateBits(std::uint32_t bits);

  void setStateBits(std::uint32_t bits);
  std::uint32_t stateBits() const;
  std::vector<CFHCurveRecord> curveRecords(DWORD threadId, std::uint8_t tagKey, CFHCurveEvent event) const;
  std::size_t recordingThreadCount() const;
  std::size_t curveRecordCount(CFHCurveEvent event) const { return curveRegistry_.recordCount(event); }

  // ---- Parts -------------------------------------------------------------------
  CFHPipeNetwork& pipeNetwork() { return pipeNetwork_; }
  const CFHPipeNetwork& pipeNetwork() const { return pipeNetwork_; }
  CFHDescData& descData() { return *descData_; }
  const CFHDescData& descData() const { return *descData_; }
  CFHPipeStyles& pipeStyles() { return *pipeStyles_; }
  const CFHPipeStyles& pipeStyles() const { return *pipeStyles_; }
  CFHWorkerSync& workerSync() { return *workerSync_; }
  CFHDesignDefaults& defaults() { return defaults_; }
  const CFHDesignDefaults& defaults() const { return defaults_; }
  const CFHDataFiles& dataFiles() const { return dataFiles_; }
  void setDataFiles(CFHDataFiles files) { dataFiles_ = std::move(files); }
  // Drawing units per metre: 1000 until loadSettings takes the process's
  // (1 when the host gives none, never 0).
  double unitFactor() const { return unitFactor_; }

  // ---- Zones and circuits (command's thread) -------------------------------------
  const std::vector<std::unique_ptr<CFHZoneEntry>>& zones() const { return zones_; }
  const std::vector<std::unique_ptr<CFHCircuit>>& circuits() const { return circuits_; }
  // A new zone at the end of the list.
  CFHZoneEntry* addZone(std::uint32_t number);
  // A new circuit at the end of the list (number index, colour index + 1).
  CFHCircuit* addCircuit(std::uint32_t index);
  // Deletes the model's zones: each leaves its circuit (whose job is stopped
  // first), the selection, the join pair and the pending heating body.
  void deleteZoneEntries();
  // The same for the zones of any vector of owned entries; the vector ends
  // empty.
  void deleteZoneVector(std::vector<std::unique_ptr<CFHZoneEntry>>& zones);
  // Deletes every circuit (each stops its job first); their zones stay, with
  // no circuit, and the current circuit is cleared.
  void deleteCircuits();
  // Requests every circuit's job to stop, then waits for each (T2, T5).
  void stopDesignJobs();
  // Appends a circuit made elsewhere (the routing's); answers it.
  CFHCircuit* appendCircuit(std::unique_ptr<CFHCircuit> circuit);
  // Appends a zone made elsewhere (the edit command's read-back); answers it.
  CFHZoneEntry* appendZone(std::unique_ptr<CFHZoneEntry> zone);

  // ---- Numbering and order (CFHModelNumbering.cpp) -------------------------------
  // The first circuit numbered n becomes the current circuit; nothing changes
  // when there is none.
  void selectCircuitByNumber(std::uint32_t n);
  // With automatic circuit numbering on: the circuits in list order get
  // consecutive numbers from the first circuit number (1 when it is lower;
  // lower where the last would pass kMaxCircuitNumber), then the heating
  // bodies are numbered again. Off: nothing changes.
  void renumberCircuits();
  // With automatic zone numbering on: the zones in list order get
  // consecutive numbers from the first zone number (1 when it is lower).
  void renumberZones();
  // Each circuit in order gives its number to its first zone; a zone that
  // had that number takes the first zone's old number.
  void numberZonesByCircuits();
  // The heating bodies get the numbers after the highest circuit number (a
  // circuit left as drawn counted too, and its bodies' numbers passed
  // over): the circuits by number, each circuit's zones in order, a zone with a body
  // taking the next number.
  void renumberHeatingBodies();
  // Stable sorts by ascending number: equal numbers keep their order.
  void sortCircuitsByNumber();
  void sortZonesByNumber();

  // ---- Distribution pipes and zone checks (CFHModelPipes.cpp) ---------------------
  // Exact copies (extendedCopyAt their midpoints) of the supply, then the
  // return pipe of every circuit in order, for the caller.
  std::vector<std::unique_ptr<CFloorHeatingCurve>> circuitPipeCopies() const;
  // Stops every job, then rebuilds every zone's working loop around a fresh
  // set of circuitPipeCopies (CFHZoneDesign::applyPipes), zone by zone in
  // list order.
  void applyPipesToZones();
  // Zones drawn twice on top of each other: for each zone not yet reported,
  // the later unreported zones whose as-drawn loops coincide with its own
  // (CFHBoundLoop::sharesEndPoint) form one text "1, 3, 4" of their
  // numbers, appended to `texts`. True when any was found.
  bool findDuplicateZones(std::vector<CString>& texts) const;

  // ---- Queries and calculation over all zones ------------------------------------
  // The first circuit (zone) with the number, or null (CFHModelQueries.cpp).
  CFHCircuit* circuitByNumber(std::uint32_t number) const;
  CFHZoneEntry* zoneByNumber(std::uint32_t number) const;
  // Before the dialog of a new design: the gross area A0 of every zone with a
  // boundary (CFHCircuitCalculation.cpp, as the rest of this group).
  void updateZoneAreas();
  // After a drawn design was read back: A0 of every zone with a boundary,
  // SP of those in a circuit, then their surface values
  // (CFHZoneCalc::recalculateSurface): what the calculation derives, for the
  // zones it calculates.
  void recalculateZones();
  // The numbers of the zones over their circuit's limits
  // (CFHZoneEntry::isOverLimits), as "1, 3", into `text`; false, text empty,
  // when there are none.
  bool zonesOverLimits(CString& text) const;

  // ---- The dialog's operations (command's thread) ----------------------------------
  // The zones a choice of the dialog applies to: the selected zones, or every
  // zone when none is selected (CFHModelSelectedZones.cpp, as the next four).
  std::vector<CFHZoneEntry*> zonesInScope() const;
  // Every zone of the model, in order.
  std::vector<CFHZoneEntry*> allZones() const;
  // The circuit shape of the zones in scope (each stops its circuit's job).
  void setCircuitShape(std::uint32_t shape);
  // The display type of every zone (all; whether or not zones are
  // selected) or of the selected zones only (none when none is).
  void setDisplayType(std::uint32_t type, bool all);
  // Adds the structure to the used structures (saved into the drawing with
  // the design) and gives it to the zones in scope
  // (CFHZoneCalc::setFloorStructure).
  void applyFloorStructure(const CString& mark, const CString& action, bool force);
  // The floor-structure library's choice (dialog code 599), offered with the
  // first selected zone's structure; applied with force when the library
  // answers 1. Answers whether it was applied.
  bool chooseFloorStructure();
  // Joins the zone without circuit of the join pair into the circuit of the
  // other (dialog code 600) at the point (work coordinates): the joining
  // zone records the point as its link point, joins the circuit after its
  // last zone, and stays there when it links to that zone; then the jobs are
  // started again. The pair is cleared in any case. False, nothing joined,
  // without both members, when the first has no circuit or is not its
  // circuit's last zone, when the second has one, or when the link fails
  // (CFHModelJoin.cpp).
  bool joinAtPoint(const XtGePoint2d& point);
  // The pending heating body (dialog code 601): picked, its insertion point
  // becomes the point and the bodies are numbered and placed again; not
  // picked, the body is deleted. The pending pointer is cleared in any case;
  // nothing happens without a pending body (CFHHeatingBodyPlacement.cpp).
  void placeHeatingBody(const XtGePoint2d& point, bool picked);
  // The connection points of the heating bodies along the manifold's
  // connection line, after the circuits' labels.
  void placeHeatingBodies();

  // ---- The dialog pages: selection, numbers, colours (command's thread) ----------
  // None of these touches anything a design job reads (T1): they may run
  // while the jobs run. Keys are 64 bits throughout, so every zone number
  // gives its own key.
  //
  // Selection keys: a circuit's number (below kZoneKeyFactor), a zone's
  // number x kZoneKeyFactor, or that plus the id of one item of the zone's
  // as-drawn loop (a part: one side of the zone, with its border width).
  enum SelectionKeyKind : int { kKeyZone = 0, kKeyCircuit = 1, kKeyPart = 2 };
  static constexpr std::uint64_t kZoneKeyFactor = 1000000;
  // The largest circuit number (the key space below the zone keys).
  static constexpr std::uint32_t kMaxCircuitNumber = 999999;
  // 1 below kZoneKeyFactor, 2 with a remainder, else 0.
  static int selectionKeyKind(std::uint64_t key);
  // The zone a zone or part key names (its number is key / kZoneKeyFactor),
  // or null; null for a circuit key. A part key whose id names no item of
  // the zone's as-drawn loop names nothing either.
  CFHZoneEntry* zoneOfKey(std::uint64_t key) const;
  // Whether the key names a zone, a side of a zone or a circuit of the model.
  bool keyNamesItem(std::uint64_t key) const;
  // The part keys of a zone: its key plus the id of each item of its
  // as-drawn loop, in loop order (none without a boundary).
  static std::vector<std::uint64_t> partKeysOf(const CFHZoneEntry& zone);

  // The selection after preview picks (CFHSelectionPicks.cpp): `picked` are
  // the keys picked (in), then the new selection (out); mode 0 replaces, 1
  // adds, 2 clears before it replaces, 3 replaces kind by kind and adds
  // (modes 1 and 3 widen: a zone brings its sides and circuit, a circuit
  // its first zone with its sides); option 6 forgets the previous selection.
  // Keys that name nothing, picked or kept from before (a renumbered zone),
  // are dropped first. Modes 0 and 3 refuse a pick whose new keys are of
  // different kinds: nothing changes. Then selectedZones (zone order),
  // every zone design's selected sides and currentCircuit (the last circuit
  // key; none without one) follow the keys. False, nothing changed, for a
  // mode outside 0-3 or a refused pick; `picked` then holds the selection
  // as it stays.
  bool updateSelectionFromPicks(std::vector<std::uint64_t>& picked, int mode, int option);

  // The number setters of the pages (CFHModelNumbering.cpp). Answers: 0
  // done; 1 no current circuit (selected zone), or it has n already; 2
  // another circuit (zone) has n, also one left as drawn; 3 n out of range (circuits 1 to
  // kMaxCircuitNumber, zones from 1 up to the largest u32). Only 0 changes
  // anything. A circuit's new number replaces its key in the selection and
  // the heating bodies are numbered again; a zone's new number moves its
  // key and its part keys (the ids stay) to the new number.
  int setCurrentCircuitNumber(std::int64_t n);
  int setCurrentZoneNumber(std::int64_t n);

  // Circuit colours (CFHCircuitColours.cpp): number -> colour index of every
  // circuit; applying gives each circuit its number's colour, entering a
  // number the map lacks with colour 0 (which the circuit then takes).
  std::map<std::uint32_t, std::uint32_t> collectCircuitColors() const;
  void applyCircuitColors(std::map<std::uint32_t, std::uint32_t>& colours);

  // One field of the pages over the selected zones (all zones when none is
  // selected): its distinct values, or one total (CFHPropertyValues.cpp,
  // where the ids are listed). True when `values` holds anything.
  bool collectPropertyValues(int id, CFHPropertyValueList& values) const;

  // ---- The dialog pages' queries (CFHModelQueries.cpp) --------------------------------
  // The selected zones' border state: each zone's selectedBorderState; 2
  // without a selected zone; 3 when any zone is in state 3; 1 when they
  // differ; else the common state. `widths` gets the distinct positive
  // widths of the selected sides of all selected zones, in order (drawing
  // units).
  int combinedZoneState(std::vector<double>& widths) const;
  // The display type of the first zone; 0 without zones.
  std::uint32_t firstZoneDisplayType() const;
  // The circuit shape of the first selected zone, else of the first zone; 1
  // without zones.
  std::uint32_t firstSelectedZoneCircuitShape() const;
  CFHZoneEntry* firstSelectedZone() const;
  // The distinct circuits of the selected zones, in order.
  std::vector<CFHCircuit*> circuitsOfSelectedZones() const;
  // Every zone's key, then every circuit's number.
  std::vector<std::uint64_t> allSelectionKeys() const;
  // Exactly two selected zones, one in a circuit and one without: they become
  // the join pair (in that order) and the answer is true. Otherwise the pair
  // is cleared and the answer is false.
  bool resolveJoinSelection();
  // A selected circuit (a circuit key) is the circuit of a selected zone.
  bool selectionHasCircuitOfZone() const;
  // Whether `keys` holds a selected key (one of selectionKeys) other than `key`.
  bool selectionHasOtherKey(std::uint64_t key, const std::vector<std::uint64_t>& keys) const;
  // The circuits by ascending number, equal numbers in list order.
  std::vector<CFHCircuit*> sortedCircuits() const;
  // The selected zone designs' layout values: `values` gets the distinct
  // values; -2.0 without a selected zone, -1.0 when the values or their
  // flags (CFHZoneDesign::layoutFlag, set when non-zero) differ, -2.0 when
  // they agree with the flag clear, else the common value.
  double selectedZonesValueList(std::vector<double>& values) const;

  // ---- Floor structures ----------------------------------------------------------
  // The catalogue of the library's structures: key the structure's name (its
  // action), values its marks.
  CFHStringPairTable floorCatalogue;
  // The structures the design uses, saved into the drawing with it.
  CFHStringPairTable usedFloorStructures;
  // Whether either table holds the structure.
  bool hasFloorStructure(const CString& mark, const CString& action) const;
  // Empties the catalogue (not the used structures) and fills it again from
  // the floor-structure library.
  void reloadFloorCatalogue();

  // ---- Settings (CFHModelSettings.cpp) ---------------------------------------------
  // At command start: host table, drawing unit factor, caption, hatch
  // patterns, the tolerances, the KV table, the floor catalogue, the unit
  // choices and the drawing's current layer and text styles.
  void loadSettings(const HostExport2D* host);
  // After the first selection: the values the dialog pages stored last.
  void loadProfileDefaults();

  // ---- Output into the drawing (CFHDesignOutput.cpp) -----------------------------------
  // Stores the used floor structures in the drawing (the library's
  // "HV_FLOOR_SAVE_FSTRUCT_TO_DICT"), then empties both tables and reloads
  // the catalogue.
  void saveFloorStructures();
  // Draws the confirmed design: waits for every circuit's job, saves the
  // floor structures, opens the host's output (word 17) and writes pipes,
  // hatches, dimensions, labels, outlines and the manifold in their fixed
  // order; the first writer that fails stops it. True when every entity was
  // written and the output closed with word 19 (1); on false the output is
  // left open for the command to close (word 19 with 0x80000020).
  bool drawDesign();
  // The factor from the label heights (millimetres on paper) to drawing
  // units: the annotation scale (word 216) when the labels are annotative,
  // else the drawing scale (word 32), times the unit factor times 0.001; a
  // missing word counts as scale 1.
  double textScale(const HostExport2D* host) const;
  // The output running, for its writers; null outside drawDesign.
  CFHOutputContext* outputContext = nullptr;
  // What the edit read back leaves as drawn; empty in a new design.
  CFHKeptAsDrawn keptAsDrawn;

  // ---- Dialog state ----------------------------------------------------------------
  std::vector<CFHZoneEntry*> selectedZones;
  CFHCircuit* currentCircuit = nullptr;
  // A zone of a circuit and a zone without one, waiting for a joining point.
  CFHZoneEntry* joinPair[2] = {nullptr, nullptr};
  // The zone whose additional heating body waits for its insertion point.
  CFHZoneEntry* pendingHeatingBody = nullptr;
  // The selection as keys: a circuit's number, a zone's number × 1000000, or
  // that plus a part's identifier.
  std::vector<std::uint64_t> selectionKeys;
  std::uint8_t editFlag = 0;

  // ---- Drawing settings ------------------------------------------------------------
  std::vector<CFHHatchPattern> hatchPatterns;
  // The chosen pattern: an index into hatchPatterns, -1 for none.
  int hatchPattern = -1;
  double hatchScale = 1.0;
  double hatchAngle = 0.0;  // degrees
  // Supply and return pipe layers ("CB_LOOP_LAYER", "CB_LOOP_LAYER_OUT") and
  // whether each is the drawing's current layer.
  CString loopLayers[2] = {CString(u"0"), CString(u"0")};
  std::uint32_t loopLayerUseDefault[2] = {0, 0};
  CString manifoldTypeText;           // "CB_DISTR"
  std::uint32_t flowUnit = 0;         // "UNITS_MHP"
  std::uint32_t maxPressureUnit = 1;  // "UNITS_PMAX"
  std::uint32_t pressureUnit = 1;     // "UNITS_P"
  CString caption;
  // The tolerance settings, millimetres.
  double manifoldConnectionSetting = 25.0;  // "DozidEzezovedo.ManifoldConnection"
  double zoneBoundsSetting = 25.0;          // "DozidEzezovedo.ZoneBounds"
  const HostExport2D* hostTable = nullptr;

 private:
  // ---- HeatingCurveObserver (under curveRegistryLock(), as it says) --------------
  void recordCurveConstruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept override;
  void recordCurveDestruction(const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept override;
  bool listsCurve(const CFloorHeatingCurve* curve) const noexcept override;
  void forgetDestroyedCurve(const CFloorHeatingCurve* curve) noexcept override;
  void polylineOffsetFailed(const XtGeCompositeCurve2d& source, const XtGeCompositeCurve2d& copy, double distance,
                            const XtGeTol& tolerance) override;
  void record(CFHCurveEvent event, const CFloorHeatingCurve* curve, std::uint32_t tag) noexcept;
  // Takes a zone out of every list and pointer of the model and its circuit.
  void detachZone(const CFHZoneEntry* zone);

  CFHCurveRegistry curveRegistry_;
  mutable std::mutex stateLock_;
  std::uint32_t stateBits_ = 0;  // under stateLock_
  bool isCurrent_ = false;
  std::unique_ptr<CFHDescData> descData_;
  std::unique_ptr<CFHPipeStyles> pipeStyles_;
  std::unique_ptr<CFHWorkerSync> workerSync_;
  CFHPipeNetwork pipeNetwork_;
  CFHDesignDefaults defaults_;
  CFHDataFiles dataFiles_;
  double unitFactor_ = 1000.0;
  std::vector<std::unique_ptr<CFHZoneEntry>> zones_;
  std::vector<std::unique_ptr<CFHCircuit>> circuits_;
};
