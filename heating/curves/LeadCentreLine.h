// The route a circuit's two leads were laid along, given back from the
// leads as drawn.
//
// The output lays a circuit's supply and return as the offsets of its route
// at half the pipe pitch on either side, cut where they meet the wall of the
// first zone. Read back with the corners the output rounded made sharp again
// (CFloorHeatingPolyLine::trimLeadAtWall), each lead is a polyline of straight
// pieces from the manifold to that wall, and the route is found from them
// exactly:
// - it starts midway between the leads' first points (both on the manifold);
// - its corners are the midpoints of the leads' paired corners when the
//   leads have as many; when one has fewer (a short piece of the route
//   vanishes from the offset on the inside of its turns), the lines of the
//   other lead's pieces moved half the pitch (the distance between the
//   leads' first pieces) towards it, meeting where they cross;
// - it ends where the line from its last corner, along the lead whose last
//   piece is shorter, meets the wall: that lead lies on the wall's side of
//   the route and was cut at the wall as an offset, while the other, whose
//   offset would meet the wall beyond the route's end when the route meets
//   it at a grazing angle, was bent to the route's end.
// Every piece of both leads (but the bent last one) must run beside a piece
// of the route, parallel to it and half the pitch from it (within 10 x
// workTol), and every piece of the route beside a piece of a lead; otherwise
// the leads are not the offsets of one route and the answer is null. Points
// repeated in a lead count once.
//
// Threads: any; the loop is only read.
#pragma once

#include "heating/curves/CFloorHeatingPolyLine.h"

#include "platform/ge/XtGePoint2d.h"

#include <cstdint>
#include <memory>
#include <vector>

class CLoop;

// The leads' points run from the manifold to the wall; `wall` is the first
// zone's loop. A new polyline with the tag, or null (fewer than two points
// in a lead, leads that start together, or leads that are not offsets of one
// route).
std::unique_ptr<CFloorHeatingPolyLine> leadCentreLine(const std::vector<XtGePoint2d>& first,
                                                      const std::vector<XtGePoint2d>& second, const CLoop& wall,
                                                      std::uint32_t tag);
