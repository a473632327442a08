// Offset loop parts and narrow sections: where an offset loop comes back
// within one pipe spacing of itself (a neck, a thin tongue of the zone), the
// loop is cut into closed parts that each have room for a pipe, and the
// pieces lying in the necks become narrow loop sections, which the spiral
// reaches later by detours. With them go the small loop services the spiral
// needs: closing the gaps between successive sections, deep copies of
// sections, loops and levels, and the section join that steps a part over a
// neck from one run of sections to the next.
//
// The examination of one loop at spacing s (splitOffsetLoop):
//   1. the gaps of the loop are closed (closeLoopGaps);
//   2. the working table (fillLoopPartTable): per section the sections that
//      pass within s of its start and of its end (never its two neighbours,
//      nor, at either end, a section met over an open corner cut by
//      sections shorter together than 2 s: their legs draw apart),
//      the sections it faces, and its flags;
//   3. a loop without any such place is passed on as one copy; a loop that
//      is nothing but neck becomes one narrow loop section when a section is
//      shorter than kAllNeckShortFactor x s, else one copy;
//   4. otherwise runs of sections between the necks are closed into parts
//      (formLoopParts), each across the neck that ends it: case A (the run's
//      first section faces its last), case B (the first is near the last's
//      end, mirrored when the last faces the first), case C (first and last
//      are near one partner section) and case D (runs chained over further
//      necks by the section join until one closes the part);
//   5. what of the loop no part took whole becomes narrow loop sections
//      (collectNarrowSections).
//
// Ownership: parts, narrow sections and copies are new objects owned by the
// caller's lists (raw owning pointers, freed with deleteOffsetLoopsAndFree);
// they hold clones of the loop's curves and new CFloorHeatingLines. The
// examined loop changes only by its gap closing; its sections' node lists
// are never copied (nodes link the sections they lie on, not copies).
//
// Tolerances: points coincide under workTol ("heating tolerance"); the
// proximity pass's "differs from an end", the join's trim tests and its
// collinearity, and case C's tests against its partner section use the
// calling thread's XtGeContext::gTol ("global tolerance"); the collinearity
// of the closing lines of cases A, B, C and D uses workTol.
//
// Bounds: every walk passes each section at most once (a walk that comes
// round makes no part); chaining stops when it has walked the loop's count.
// The proximity pass and the narrow-section walk are quadratic in the
// section count (levels hold up to about a hundred).
//
// Failure: nothing throws (but allocation) and nothing keeps state; an index
// out of range, or a table that does not match the loop, makes nothing.
// Threads: one loop and its outputs belong to one design thread.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "heating/layout/offsets/COffsetLoop.h"

class COffsetNarrowLoopSection;

// ---- Copies ---------------------------------------------------------------------

// A new section over an exact copy of the section's curve (extendedCopyAt
// its own midpoint, no lengthening) with a copy of its source-curve list.
// The node list is not copied: the nodes link the original only.
std::unique_ptr<COffsetSection> copyOffsetSection(const COffsetSection& section);
// A new loop of copies of the loop's sections, in order (sections without a
// curve are passed over).
std::unique_ptr<COffsetLoop> copyOffsetLoop(const COffsetLoop& loop);

// Frees a level made by copyOffsetLevel: its loops, then the list.
struct OffsetLevelDelete {
  void operator()(std::vector<COffsetLoop*>* level) const;
};
using OffsetLevelPtr = std::unique_ptr<std::vector<COffsetLoop*>, OffsetLevelDelete>;
// A new level with a copy of every loop of the level, in order (null loops
// passed over). release() hands it to a level vector.
OffsetLevelPtr copyOffsetLevel(const std::vector<COffsetLoop*>& level);

// ---- Gap closing ------------------------------------------------------------------

// Closes the gaps between successive sections (workTol), comparing section
// i-1 with section i from i = 1:
//   1. two sections starting at one point: the shorter leaves the loop (the
//      earlier one on equal length) and the comparison stays at i;
//   2. otherwise, when section i-1 does not end where section i starts, it is
//      made to end there (its start kept);
//   3. the closing pair: a last section starting where the first starts
//      leaves the loop, and the first keeps its start and ends where the
//      second starts; otherwise a last section not ending at the first's
//      start is made to end there;
//   4. sections shorter than workTol's point value leave the loop;
//   5. successive codirectional lines merge (mergeCollinearSections).
// Removed sections are deleted. False, nothing changed, for a loop of fewer
// than three sections; true otherwise (the loop may end with fewer).
bool closeLoopGaps(COffsetLoop& loop);

// ---- The working table ------------------------------------------------------------

// Flags of a section in the working table.
inline constexpr std::uint32_t kPartStartNear = 1;  // its start lies within s of another section
inline constexpr std::uint32_t kPartEndNear = 2;    // its end lies within s of another section
inline constexpr std::uint32_t kPartShort = 4;      // it is shorter than s
inline constexpr std::uint32_t kPartFaced = 8;      // another section's end projects inside it

// The all-neck test's factor: the double nearest 0.666667 (not 2/3).
inline constexpr double kAllNeckShortFactor = 0.666667;

// One section's record, at the section's position in the loop.
struct LoopPartRecord {
  // Positions of the sections passing within s of this section's start
  // (end), in the order found.
  std::vector<int> nearStart;
  std::vector<int> nearEnd;
  // Positions of the sections with an end within s of this section whose
  // closest point lies strictly inside it (each listed once).
  std::vector<int> facing;
  std::uint32_t flags = 0;
  // Taken into a part.
  std::uint8_t visited = 0;
};
using LoopPartTable = std::vector<LoopPartRecord>;

// The table of the loop at spacing s (steps 2 and 3 above): `table` becomes
// one record per section; sections shorter than s get kPartShort and take
// no part in the proximity pass. "Near" is strictly below s. True when the
// pass found any near place (the loop has necks). False, and an empty table,
// for a spacing that is not a positive finite number.
bool fillLoopPartTable(const COffsetLoop& loop, double spacing, LoopPartTable& table);

// Whether the table's loop is nothing but neck: every section is short or
// has both its ends within s of another section.
bool isAllNeck(const LoopPartTable& table);

// ---- The section join -------------------------------------------------------------

// Appends copies of the sections strictly between the positions `first` and
// `last`, walking forward cyclically, to `part` and marks them visited. A
// run of one section (first == last) has no interior: nothing is copied.
void copySectionsBetween(const COffsetLoop& loop, int first, int last, COffsetLoop& part, LoopPartTable& table);

// Answers of the join.
inline constexpr int kJoinPlain = 0;           // the connecting line stayed (or was absorbed into A)
inline constexpr int kJoinCollinearBoth = 16;  // A, the line and B became one line
inline constexpr int kJoinCollinearB = 32;     // B was drawn back along its line to A's end
// Bits of the join's code.
inline constexpr int kJoinPlaceA = 1;         // A's copy goes into the part
inline constexpr int kJoinPlaceB = 2;         // B's copy goes into the part
inline constexpr int kJoinStartACarried = 4;  // A's copy starts at the carried point

// Joins copies A of the section at `first` and B of the section at `second`
// over the gap between them, appending to `part`; both records are marked
// visited. With kJoinStartACarried A's copy starts at `carried`. Trim: when
// A's closest point to B's start differs from A's end (global tolerance), A
// is cut back to it; without kJoinPlaceA the part's last section stands for
// A and is cut back too; otherwise, when B's closest point to A's end
// differs from B's start, B is made to start there. The line L from A's end
// to B's start (A's tag) then decides, by its collinearity with A and with B
// (global tolerance):
//   neither  A (kJoinPlaceA), L, B (kJoinPlaceB); kJoinPlain
//   A only   L absorbed: A (or, without kJoinPlaceA, the part's last
//            section) lengthened to L's end; B (kJoinPlaceB); kJoinPlain
//   B only   B starts at A's end; A, B by their bits; kJoinCollinearB
//   both     with kJoinPlaceA one line from A's start to B's end goes in,
//            without it the part's last section is lengthened to B's end;
//            kJoinCollinearBoth
// `carried` becomes B's start (after trim or move). A line L of no length
// (workTol) is left out. The answer (0 and nothing done when a position is
// out of range or the table does not match the loop).
int joinSectionsCoded(const COffsetLoop& loop, int first, int second, COffsetLoop& part, LoopPartTable& table, int code,
                      XtGePoint2d& carried);
// The same, the code read and overwritten with the answer.
void joinSections(const COffsetLoop& loop, int first, int second, COffsetLoop& part, LoopPartTable& table, int& code,
                  XtGePoint2d& carried);
// The join with code kJoinPlaceA | kJoinPlaceB and a fresh carried point.
int joinSectionsPlain(const COffsetLoop& loop, int first, int second, COffsetLoop& part, LoopPartTable& table);

// ---- Parts and narrow sections ----------------------------------------------------

// A run of sections from position `first` to `last`, walking forward.
struct LoopRun {
  int first = 0;
  int last = 0;
};

// Case D: the runs, in loop order, made into one part. The first run's first
// section is copied on its own, each run's interior by copySectionsBetween,
// and each run is joined to the next by the section join; its code places
// every section once: A goes in unless it is in already (the first run of
// one section, or a run of one section that a join made one line with the
// run before), A starts at the carried point when the join before left it
// out, and B goes in unless its run is a single section (which the next join
// places). The last run's last section then closes the part as the last
// section closes cases A and B: the first section is drawn back to its start
// when the two are collinear (workTol); otherwise its copy (ending at its
// closest point to the part's first point when the first section is among
// its facing sections) and a closing line follow. False, nothing made, for
// no runs, a position out of range or a table that does not match.
bool joinRunsIntoPart(const COffsetLoop& loop, const std::vector<LoopRun>& runs, LoopPartTable& table,
                      COffsetLoop& part);

// Step 4 above over a filled table: the parts of more than one section,
// appended to `parts` in the order made. Each walk passes a section at most
// once; a walk that comes round makes no part.
void formLoopParts(const COffsetLoop& loop, double spacing, LoopPartTable& table, std::vector<COffsetLoop*>& parts);

// Step 5 above: from the loop section starting where the last section of
// the last part starts (else the first section), moved on past the first
// section from there that a part takes whole (so that no narrow loop
// section runs round the walk's start, wherever the loop starts), once
// round the loop, each section W against the sections of the parts: taken
// whole ends the running narrow loop section; else shortened at its end
// (whatever part shortens it at its start too) adds the line from the part
// section's end to W's end; shortened at its start adds the line from W's
// start to the part section's start while a narrow section runs; no match
// adds W's copy. New lines carry W's tag. Appended to `narrows`.
void collectNarrowSections(const COffsetLoop& loop, const std::vector<COffsetLoop*>& parts,
                           std::vector<COffsetNarrowLoopSection*>& narrows);

// The whole examination (above) of one loop at the spacing. A loop the gap
// closing leaves with fewer than three sections makes no part: its sections
// (when it has any) become one narrow loop section.
void splitOffsetLoop(COffsetLoop& loop, double spacing, std::vector<COffsetLoop*>& parts,
                     std::vector<COffsetNarrowLoopSection*>& narrows);
