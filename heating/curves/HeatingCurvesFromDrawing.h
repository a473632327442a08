// Which drawing entities become heating curves, and making them: from the
// group-code list of a selected entity (the offset test) or from its
// drawn-entity record (the design command).
//
// Entity type names are the texts of group-0 nodes, compared without regard
// to case (the tables of host/EntityKinds.h). LINE, LWPOLYLINE and ARC become
// curves; TEXT, MTEXT, HATCH and DIMENSION are annotation the commands pass
// over; old-style POLYLINE and ELLIPSE are refused; INSERT is accepted where
// block references are expanded by the caller.
//
// Creation tags of the curves made here: 7 a line, 8 a polyline and 11 an
// arc from a list, 9 any curve from a record.
//
// Threads: no state; lists and records are read by the calling thread only.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

#include "platform/cadhost/resbuf.h"

#include <cstdint>

class CFHEntityRecord;

// The answers of classifyEntityType.
enum HeatingEntityClass : int {
  kHeatingEntityCurve = 0,        // LINE, LWPOLYLINE, ARC (or an allowed INSERT)
  kHeatingEntityNone = 1,         // no recognised type name (or an empty list)
  kHeatingEntityIgnored = 2,      // HATCH, TEXT, MTEXT, DIMENSION
  kHeatingEntityUnsupported = 3,  // POLYLINE, ELLIPSE
};

inline constexpr std::uint32_t kTagLineFromList = 7;
inline constexpr std::uint32_t kTagPolylineFromList = 8;
inline constexpr std::uint32_t kTagCurveFromRecord = 9;
inline constexpr std::uint32_t kTagArcFromList = 11;

// Walks the list from its head to the first group-0 node with a recognised
// type name and answers that name (a pointer to the list's own text, valid
// as long as the list) with `status` set to its HeatingEntityClass; other
// group-0 names (an INSERT when !allowInsert among them) are passed over.
// Unsupported entities answer null with status 3; a list that ends first
// (or is empty) answers null with status 1.
const char16_t* classifyEntityType(const resbuf* list, int& status, bool allowInsert);

// A new curve of the record's kind (line, polyline, arc) from its geometry,
// tag 9, keeping the record (which must outlive the curve). Throws
// CFHUnknownCurveKind for any other record kind (a manifold record is kind
// 2) and for a record whose geometry is not of its kind.
CFloorHeatingCurve::Ptr curveFromEntityRecord(const CFHEntityRecord& record);

// A new curve from the first LINE, LWPOLYLINE or ARC of the list (other
// group-0 nodes are passed over), read from the whole list:
// - LINE: from the last group-10 point to the last group-11 point (the
//   origin for one that is missing), tag 7;
// - LWPOLYLINE: the composite of the LWPOLYLINE reader (entReader2D::polyline,
//   without widths) from that name on, tag 8: its vertices are the pieces'
//   starts and the last end, so a closed polyline lists its first vertex
//   again last; equal neighbours are merged, and a polyline the reader
//   refuses (no 90, a count above its vertices) gives no curve;
// - ARC: the arc of readCircArc2d from that name on (clockwise under a
//   negative extrusion, so the drawn end points stay), tag 11.
// Null when the list is empty or holds none of these names, when the reader
// refuses it, or when the curve would be no longer than workTol's point
// value (a zero-length curve, a polyline of one vertex, is dropped).
CFloorHeatingCurve::Ptr curveFromResbuf(const resbuf* list);
