// The record of the manifold, a block reference (INSERT, kind 2): the
// connection points of its block, the elevation of its insertion point, and
// the offset that moves its first connection point (in user coordinates) to
// the origin of the work frame.
//
// The connection points are the start points of the curves of the block's
// entities in block order (every piece of a polyline gives its start), in
// world coordinates until transformToWork moves them into the work frame.
// Reading the block needs the host (its block walk); the record is read on
// the command's thread.
#pragma once

#include "heating/design/drawing/CFHEntityInOut.h"

#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

#include <cstdint>
#include <vector>

class CFHDistributorInOut final : public CFHEntityInOut {
 public:
  // Reads the list with parseManifold; `valid` is its answer.
  explicit CFHDistributorInOut(const resbuf* list);

  // Reads the block reference of the list: the z of its first group 10 is
  // the elevation; the block's entities (the host's block walk) give the
  // connection points, carried by the block transform (the block's base point
  // to the insertion point, turned and scaled, then from the reference's
  // plane, group 210, to the world); the offset is the first point, else
  // (0, 0), in user coordinates (host word 36, or without it the frame's
  // user system), negated. False, with the fields unchanged, when the list is
  // no block reference, has no group 10 or its block cannot be read.
  bool parseManifold(const resbuf* list);

  void transformToWork() override;

  // Position of the manifold's host entity among the held entities of the
  // drawing I/O object; -1 until the command that holds it sets it.
  std::int32_t heldIndex = -1;
  double elevation = 0.0;
  XtGeVector2d offset;
  std::vector<XtGePoint2d> connectionPoints;
};
