// The drawing I/O object: the one process-wide holder of what a heating
// command took from the drawing, and of the work frame the design is
// computed in.
//
// Work frame: the drawing's user coordinate system (UCS) shifted so that the
// manifold's first connection point is the origin. After updateUcs,
// workMatrix maps a world point to its user coordinates plus `offset`; the
// output maps back with its inverse. readUcs takes the UCS from the host
// (system variables "UCSORG" and "UCSXDIR"); a missing host, word or answer
// leaves the world system.
//
// Records: each list owns its records in filing order; the manifold and the
// auxiliary record are single. fileRecord sorts a record by its kind and its
// record identifier (the tag "QEV_DATA"). Held entities are host lists (in
// their shared holders) that a command keeps until releaseHeldEntities hands
// them back to the host.
//
// The host table is fetched afresh whenever it is needed, as every caller of
// the host does. Lifetime: made on first use and kept until the module
// unloads; the commands clear it at their start and end. Heating curves keep
// pointers to the records, so design jobs are stopped before a clear.
// Threads: the command's thread only; nothing here locks.
#pragma once

#include "heating/design/drawing/CFHDistributorInOut.h"
#include "heating/design/drawing/CFHEntityInOut.h"
#include "heating/design/readback/CFHZoneGroup.h"

#include "host/ltListRef.h"

#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CFHCircuit;
class CFHModel;
class CFHZoneEntry;
struct CFHKeptAsDrawn;

class CFHDrawingInOut {
 public:
  using RecordPtr = std::unique_ptr<CFHEntityInOut>;
  using RecordList = std::vector<RecordPtr>;

  static CFHDrawingInOut& instance();

  // A new record of the kind the DXF entity name (any letter case) maps to:
  // "LINE", "LWPOLYLINE", "ARC", "TEXT", "MTEXT", "HATCH", "DIMENSION" (a
  // plain record) or "INSERT" (the manifold); null for any other name. A
  // record whose reading failed is still made, with valid() false.
  static RecordPtr createRecord(std::u16string_view typeName, const resbuf* list);

  // ---- the work frame
  // Reads the UCS: the world axes first (the origin kept), then with the
  // host's word 28 "UCSORG" and "UCSXDIR" (wanted type 5009): an answer of
  // that type sets the origin, resp. the X direction (made unit length),
  // from its first two coordinates; a zero X direction (XtGeContext::gTol)
  // is world X. Y is X turned a quarter left. workMatrix becomes the user to
  // world alignment.
  void readUcs();
  // readUcs, then workMatrix = translation by offset x the alignment from
  // the UCS to the world system.
  void updateUcs();
  const XtGeMatrix2d& workMatrix() const { return workMatrix_; }
  // Inverts workMatrix in place: it then maps work points to the world, and
  // transformAllToWork brings the records back into the world (the output).
  void invertWorkMatrix() { workMatrix_ = workMatrix_.inverse(); }
  // Brings the manifold and every record of the lists (not the auxiliary
  // record) into the work frame, in list order.
  void transformAllToWork();
  // The counter-clockwise angle from the UCS X direction to world X, in
  // [0, 2 pi).
  double ucsAngle() const;
  // A world point in the UCS (readUcs first).
  XtGePoint2d worldToUser(const XtGePoint2d& world);

  double elevation() const { return elevation_; }
  const XtGeVector2d& offset() const { return offset_; }
  const XtGePoint2d& ucsOrigin() const { return ucsOrigin_; }
  const XtGeVector2d& ucsXDir() const { return ucsXDir_; }
  const XtGeVector2d& ucsYDir() const { return ucsYDir_; }

  // ---- held host entities
  // Keeps the holder (the object takes the caller's reference) and answers
  // its position.
  std::int32_t holdEntity(ltListRef* holder);
  std::size_t heldCount() const { return held_.size(); }
  // Hands the held entities back: without includeManifold the manifold's
  // held entry (at its heldIndex, when valid) is first dropped with nothing
  // sent; then host word 17, each remaining held list to word 114 (list, 0,
  // 0), front first, each holder released; then word 19 with 1. Missing
  // words are skipped; the held array ends empty.
  void releaseHeldEntities(bool includeManifold);

  // ---- records
  // Releases every record and empties the held array without calling the
  // host. The frame (UCS, offset, matrix) stays as it is.
  void clear();
  // Files the record (valid, tags read) by kind and identifier.
  void fileRecord(RecordPtr record);
  // Keeps the manifold (a previous one released) and takes its offset and
  // elevation.
  void setManifold(std::unique_ptr<CFHDistributorInOut> record);
  // Keeps the auxiliary record (the manifold label; a previous one released).
  void setAuxRecord(RecordPtr record);
  bool hasManifold() const { return manifold_ != nullptr; }
  CFHDistributorInOut* manifold() const { return manifold_.get(); }
  const CFHEntityInOut* auxRecord() const { return auxRecord_.get(); }
  // Whether any record of a drawn design was filed: boundaries, zone labels,
  // heating bodies, supply or return pipes, circuit labels, hatches, others.
  bool hasHeatingRecords() const;
  // The handles (new texts) of the records of the old design: supply,
  // return, circuit label, hatch, pipe, other, heating body, body number and
  // zone label records, then the manifold's and the auxiliary record's.
  void collectDesignHandles(std::vector<std::u16string>& handles) const;
  // The handles of the zone curves, then of the boundaries.
  void collectBoundaryHandles(std::vector<std::u16string>& handles) const;
  // The handles of the old design that an edit replaces, after the model's
  // zones and circuits were read (before they are sorted or renumbered): the
  // supply, return and circuit label records whose "_PT_CISLO_OKRUHU" names
  // a circuit of the model; the hatches and dimensions that the picked
  // manifold owns (a (1070 272)(1005 handle) pair of their "VE2R_ASSOC"
  // names it) and that lie in a zone of the model (a hatch's first boundary
  // point, a dimension's first definition point, inside or on the zone's
  // as-drawn loop in the work frame); the heating body, body number, zone
  // label and boundary records whose "_PT_ZONA_CISLO" names a zone of the
  // model; then the manifold label. Never the manifold (the output writes it
  // again under its handle), nor anything of a zone or circuit that was not
  // read, nor any other picked entity: the user's walls, texts and
  // dimensions stay.
  void collectEditHandles(const CFHModel& model, std::vector<std::u16string>& handles) const;
  // What the edit leaves as drawn of the manifold's design, after
  // collectEditHandles: appended to kept.handles, once each and none that
  // `replaced` holds, the handles the picked manifold's association lists
  // (its "VE2R_ASSOC" (1070 272)(1005 handle) pairs, in order), then those
  // of the filed records whose association names the manifold (the supply,
  // return, hatch, other, zone label, heating body, body number, boundary
  // and circuit label records in filing order). What the manifold listed
  // stays listed, picked or not.
  void collectKeptHandles(const std::vector<std::u16string>& replaced, CFHKeptAsDrawn& kept) const;
  // Appends the handle of every record of the list that has one.
  static void collectHandles(const RecordList& records, std::vector<std::u16string>& handles);

  // ---- reading a drawn design back (CFHDrawingInOutReadBack.cpp, CFHCircuitReadBack.cpp)
  // The edit command, on its thread and before any design job, after the
  // records are filed and brought into the work frame (updateUcs,
  // transformAllToWork), in this order: groupZonesByCircuit; the model's
  // loadSettings and loadProfileDefaults; the pipe network's readManifold
  // (finishing on) and distributorOutline; readModelValues; readZone for a
  // new zone entry of every number of every group; per group with a circuit
  // number, a new circuit given its zones in group order (CFHCircuit::addZone)
  // and readCircuit; the sorts of circuits and zones by number;
  // finishCircuits; then applyPipesToZones and recalculateZones. No
  // exception leaves a reader; numbers that are no numbers read 0.

  // Groups the zones of the zone labels by their circuit: a zone is known by
  // a label with a zone number ("_PT_ZONA_CISLO", negative: no zone; the
  // last label of a number gives its circuit, "_PT_ZONA_C_OKRUHU", -1 when
  // absent or negative) and a boundary of that number. Zones ascending, one
  // group per circuit number in the order of its first zone. False, groups
  // empty or only the group -1, when no circuit can be read.
  bool groupZonesByCircuit(std::vector<CFHZoneGroup>& groups) const;
  // The model values the records keep: the pipe layers of the supply records
  // ("_PT_X_CD_LIN", "_PT_X_CD_LOUT") and the default distances of the zone
  // labels ("_PT_X_ZDR_RADD", "_RADL", "_PERP", drawing units, stored in
  // millimetres); the last record wins. True.
  bool readModelValues(CFHModel& model) const;
  // Reads zone `number` into the entry: the first label, boundary, heating
  // body description and body number of that number (readZoneFields, then
  // CFHZoneEntry::readHeatingBodyData). False when the fields cannot be read.
  // The pipe network must have read the manifold first (points are relative
  // to it).
  bool readZone(CFHZoneEntry& zone, std::int32_t number) const;
  // The zone's boundary from the boundary record (a new boundary with the
  // layouts' offset levels; the border widths "_PT_X_ZDR_DARR" applied to
  // its sides and the meander base "_PT_X_ZDR_MEBA" named, both by position
  // of the side in the drawn outline, wherever the loop's preparation put
  // that side), then,
  // with a label, the label record kept and its keys read through the
  // zone's setters. False without a boundary record or one that is no
  // polyline.
  static bool readZoneFields(CFHZoneEntry& zone, const CFHEntityInOut* boundary, const CFHEntityInOut* label);
  // Reads circuit `number` into the circuit, whose zones the caller has
  // given it: its first supply, return and circuit label record of that
  // number (readCircuitFields, CFHCircuitReadBack.h). False when the
  // circuit cannot be rebuilt; its zones then have no circuit, and nothing of
  // it is left in the pipe network.
  bool readCircuit(CFHCircuit& circuit, std::int32_t number) const;
  // A circuit that is not read stays as drawn (CFHKeptAsDrawn.h): its
  // number is kept, and its first supply record of that number gives its
  // first zone's LP ("_PT_X_CD_LP", 0 when absent), MHP ("_PT_X_CD_MHP",
  // per minute) and P ("_PT_X_CD_P") to the kept totals; no supply, no
  // values.
  void keepCircuit(std::int32_t number, CFHKeptAsDrawn& kept) const;
  // After the last readCircuit: the network's pitch limit from the routes
  // read (half the distance of the two whose manifold ends lie nearest the
  // outline's reference point; the pitch no larger), then every zone's
  // pipes-run-into flag and the boundary's network by the design command's
  // rule (a segment point of the routes inside the zone).
  static void finishCircuits(CFHModel& model);

  RecordList pipeRecords;               // distribution pipes picked by the design command
  RecordList zoneCurveRecords;          // zone curves picked by the design command
  RecordList boundaryRecords;           // "TPV2000-0001"
  RecordList zoneLabelRecords;          // "TPV1000-0001"
  RecordList heatingBodyRecords;        // "TPV1001-0001"
  RecordList heatingBodyNumberRecords;  // "TPV1001-0003"
  RecordList supplyRecords;             // "TP80000-0001"
  RecordList returnRecords;             // "TP90000-0001"
  RecordList circuitLabelRecords;       // "TPV1001-0002"
  RecordList hatchRecords;
  RecordList otherRecords;

 private:
  struct HolderRelease {
    void operator()(ltListRef* holder) const { releaseResbufHolder(holder); }
  };
  using HeldEntity = std::unique_ptr<ltListRef, HolderRelease>;

  CFHDrawingInOut();

  double elevation_ = 0.0;
  XtGeVector2d offset_;
  XtGeMatrix2d workMatrix_;
  XtGeVector2d ucsXDir_ = XtGeVector2d::kXAxis;
  XtGeVector2d ucsYDir_ = XtGeVector2d::kYAxis;
  XtGePoint2d ucsOrigin_;
  std::vector<HeldEntity> held_;

  std::unique_ptr<CFHDistributorInOut> manifold_;
  RecordPtr auxRecord_;
};
