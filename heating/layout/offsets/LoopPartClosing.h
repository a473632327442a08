// The small steps with which loop parts are built and closed across a neck,
// shared by the part cases (OffsetLoopPartsForm.cpp) and the section join
// (OffsetLoopPartsJoin.cpp). See OffsetLoopParts.h for the whole.
//
// Curves are moved by setEndPoints with the other end kept; the points are
// copied first, so a curve may be given its own end point. Lines of no
// length (workTol) are never collinear with anything and are never added.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "heating/layout/offsets/OffsetLoopParts.h"
#include "platform/ge/XtGeTol.h"

// Whether the two chord lines are collinear under the tolerance.
bool chordsCollinear(const CFloorHeatingCurve& a, const CFloorHeatingCurve& b, const XtGeTol& tol);
// The curve made to start (end) at the point, its other end kept.
void setCurveStart(CFloorHeatingCurve& curve, const XtGePoint2d& start);
void setCurveEnd(CFloorHeatingCurve& curve, const XtGePoint2d& end);
// A new section over a new line (no source) with the tag.
std::unique_ptr<COffsetSection> lineSection(const XtGePoint2d& from, const XtGePoint2d& to, std::uint32_t tag);

// Whether the table has one record per section of the loop, and whether a
// position lies in the loop.
bool tableMatches(const COffsetLoop& loop, const LoopPartTable& table);
bool isLoopPosition(const COffsetLoop& loop, int i);
bool listHas(const std::vector<int>& list, int i);

// Appends the item to a list of owning raw pointers; room is made first, so
// that a failed allocation leaves nothing unowned.
template <typename T>
void appendOwned(std::vector<T*>& list, std::unique_ptr<T> item) {
  list.reserve(list.size() + 1);
  list.push_back(item.release());
}

// Appends a copy of the section at position i to the part and marks it
// visited (nothing for a section without a curve).
void appendSectionCopy(const COffsetLoop& loop, int i, COffsetLoop& part, LoopPartTable& table);

// A line L running from `before`'s end to `after`'s start taken into one of
// them when collinear with it (workTol): `after` drawn back to start at L's
// start, or `before` reaching on to L's end, tried in that order (the other
// order unless afterFirst). False when L is collinear with neither.
bool absorbLine(const CFloorHeatingCurve& line, CFloorHeatingCurve& before, CFloorHeatingCurve& after, bool afterFirst);

// Closes the gap from the part's last end to its first start (nothing when
// they coincide, workTol) by a line L tagged like the last section: L is
// absorbed into the first section (its start drawn back to L's start) when
// collinear with it, else into the last section (its end moved to L's end)
// when collinear with that, else appended.
void closePartGap(COffsetLoop& part);

// Closes the part with a last section E (its copy starting at `start` when
// given): when E's chord is collinear with the first section's (workTol),
// the first section is drawn back to start where E's copy starts; otherwise
// E's copy (ending at its closest point to the first section's start when
// trimToFirst) is appended, the first section made to start at its closest
// point to E's end when firstToLast, and the gap closed (closePartGap). The
// part must hold a section.
void closePartWith(COffsetLoop& part, const COffsetSection& last, bool trimToFirst, const XtGePoint2d* start,
                   bool firstToLast = false);
