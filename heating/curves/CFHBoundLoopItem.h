// One side piece of a zone boundary loop (CFHBoundLoop): a heating curve with
// the numbers that tie the pieces of the working loop to the side of the
// as-drawn loop they came from.
//
// Ownership: an item always owns its curve (ownsCurve is true) and, unlike a
// plain CLoopElement, also the source curves in `sources`: those are clones
// that mergeWith makes of the as-drawn pieces a merged side stands for. The
// destructor frees both. An item lives in one loop, which destroys it.
//
// Numbers: `value` is the side's band value (the border-zone width set by the
// zone design; -1.0 while unset). `id` names the as-drawn side and `serial`
// counts the appended curves; both are 0 until the loop gives them from two
// process-wide counters (assignId: 1, 2, 3 ...; assignSerial: 0, 1, 2 ...).
// Pieces cut or split from an item and copies of it carry its three numbers,
// so every working-loop piece of one as-drawn side shares that side's id.
//
// Threads: the counters are atomic, so boundaries may be built and cut on
// several threads at once; an item itself is used by one thread at a time.
#pragma once

#include "heating/curves/CLoopElement.h"

class CFHBoundLoopItem : public CLoopElement {
 public:
  // Takes the curve (may be null).
  explicit CFHBoundLoopItem(CFloorHeatingCurve::Ptr curve);
  // Owns a clone of the curve (cloneBoundaryCurve); the caller keeps its curve.
  explicit CFHBoundLoopItem(const CFloorHeatingCurve& curve);
  // A clone of the other's curve with its value, id and serial; no sources.
  CFHBoundLoopItem(const CFHBoundLoopItem& other);
  CFHBoundLoopItem& operator=(const CFHBoundLoopItem&) = delete;
  // Frees the source curves (the base frees the curve).
  ~CFHBoundLoopItem() override;

  // The next values of the process-wide counters.
  void assignId();
  void assignSerial();

  // Makes this item stand for the other as well (used when neighbouring
  // straight sides are merged). With A0, A1 this item's ends and B0, B1 the
  // other's, the curve is reset by the first matching case (workTol):
  // A1 = B0 to (A0, B1); A0 = B0 to (A1, B1); A0 = B1 to (B0, A1);
  // A1 = B1 to (A0, B0). The sources then list clones of the pieces merged:
  // a clone of this item's own curve first when it had none, then clones of
  // the other's sources (of its curve when it has none). False, nothing
  // changed, when no case matches or either item has no curve: the caller
  // must then keep the other item.
  bool mergeWith(const CFHBoundLoopItem& other);

  // Frees the source curves and empties the list.
  void releaseSources();

  double value = -1.0;
  int id = 0;
  int serial = 0;
};

// The copy a boundary item keeps of a curve: extendedCopyAt(midPoint(), 0.0)
// with its source cleared (the curve it was copied from may die first).
CFloorHeatingCurve::Ptr cloneBoundaryCurve(const CFloorHeatingCurve& curve);
