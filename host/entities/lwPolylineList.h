// The LWPOLYLINE entity: its list builder and reader, and closing a list
// whose last vertex repeats its first.
//
// List groups after the entity header: (100 "AcDbPolyline"), 90 vertex
// count, 70 flags (bit 1: closed), 43 constant width, (38, 39 kept); per
// vertex 10 point and, for every vertex but the last written, 40 start
// width, 41 end width and, for an arc segment, 42 bulge (tan of a quarter of
// the signed sweep, negative for clockwise); (210 (0, 0, 1)); then the
// properties' tail.
//
// Width arrays hold two doubles per segment (builder) or per vertex
// (reader): start and end width. Points are compared with workTol. Host
// thread only.
#pragma once

#include <vector>

#include "host/entities/ltEntProps.h"
#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeMatrix2d.h"

namespace entBuilder2D {

// A new LWPOLYLINE list of the curve (a composite, or one piece) transformed
// by the matrix, with 70 = 0: a closed curve repeats its first vertex.
// - Widths: the kept 43 (else 0) for every segment, or, with a width array of
//   at least one value, its first value; when another value differs from it
//   by more than workTol, segment i takes the array's values 2i and 2i + 1
//   (those of the segment before when the array is too short) and no 43 is
//   written but a kept one; otherwise 43 is that width.
// - A line segment is a vertex with bulge 0; a circular arc a vertex with
//   its bulge, a full circle two vertices of half circles (the middle width
//   halfway). A piece the format cannot hold (an elliptical arc) is written
//   as its chord, a vertex with bulge 0, and reported once (reportAssertion),
//   so the count and the neighbours stay right.
// - Two line segments, the second ending where the first starts, collapse
//   to the first.
// 90 is the number of vertices written. Null for an empty curve, widths or
// points that are not finite, or when the matrix cannot transform a piece.
resbuf* polyline(const ltEntProps& props, const XtGeCurve2d& curve, const XtGeMatrix2d& matrix,
                 const resbuf* previous, const std::vector<double>* widths);

}  // namespace entBuilder2D

namespace entReader2D {

// Reads an LWPOLYLINE list into `composite`. 90 (the count, a 32-bit value)
// is required; 70 (bit 1: closed) and 43 (the default width) optional. Each
// of the count vertices is the next 10 with the first 40, 41 and 42 before
// the 10 after it (widths default to 43, the bulge to 0). A closed list
// repeats the first point last (bulge 0, no widths); neighbours equal within
// workTol merge, the later staying. |bulge| < 2^-23 is a line segment, any
// other bulge an arc. A 210 with negative z mirrors the vertices about the Y
// axis. `widths` (when given) receives the start and end width of every
// remaining vertex that has them.
// Answers 1 with the composite set (one point: a single zero-length
// segment there, and no widths); 0 for a list of another type, without 90,
// with a count of zero or less or above the 10s it holds, or with a value
// that is not finite; then the outputs are unchanged.
int polyline(XtGeCompositeCurve2d& composite, const resbuf* list, ltEntProps* props, std::vector<double>* widths);

}  // namespace entReader2D

// True for an LWPOLYLINE list with 70 and 90 whose bit 1 of 70 is set, or
// whose last (count-th) vertex of at least three equals its first within
// workTol: such a list is closed in place, the last vertex's own groups (10,
// 40, 41, 42, 91) removed, 90 lowered by one and bit 1 of 70 set. Any other
// list answers false unchanged. The caller must own the list (never pass one
// a holder shares).
bool isLwPolylineClosed(resbuf* list);
