// Insertion and connection points of product-line items, kept in the
// extended data of their block reference under "QEV_INSPT":
//
//   (1001 "QEV_INSPT")
//   (1070 value)                      handed through for the writer's caller
//   (1010 p - base)(1010 p - base + d)   for each point p with direction d,
//                                      as 3D points with z = 0
//
// The pair whose first point is (0, 0, 0) (each coordinate within 1e-10)
// marks the insertion point; its second point gives the insertion
// direction.
#pragma once

#include <cstdint>
#include <span>

#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGePoint2dArray.h"
#include "platform/ge/XtGePoint3d.h"
#include "platform/ge/XtGeVector2d.h"
#include "platform/ge/XtGeVector3d.h"

// Reads an item's insertion data from the entity's list; every output is
// optional and set only when the answer is true.
//   point      the entity's group 10 (required when asked for)
//   direction  the X axis turned by the entity's rotation (group 50), then
//              by the angle of the insertion pair's direction
//   normal     group 210, else the Z axis
//   value      the 1070 after the application name (0 when absent)
//   index      the number of the insertion pair (0 when there is none)
// False when there is no "QEV_INSPT" block (or no group 10 when the point is
// asked for).
bool readInsPointXdata(const resbuf* list, std::int16_t* value, int* index, XtGePoint3d* point,
                       XtGeVector3d* direction, XtGeVector3d* normal);

// The "QEV_INSPT" block of the points and their directions, relative to
// `base`. Null when the two spans differ in length or the heap is exhausted.
resbuf* writeInsPointXdata(std::span<const XtGePoint2d> points, std::span<const XtGeVector2d> directions,
                           std::int16_t value, const XtGePoint2d& base);

// Appends each pair of the list's "QEV_INSPT" block: its first point to
// `points` and the second minus the first to `vectors`, both transformed by
// `transform` when one is given (the vector by its linear part, so that
// point + vector stays the transformed second point). The pairs end at the
// next application or at a lone 1010. False when there is no such block.
bool readInsPointVectors(XtGePoint2dArray& points, XtGeVector2dArray& vectors, const resbuf* list,
                         const XtGeMatrix2d* transform);
