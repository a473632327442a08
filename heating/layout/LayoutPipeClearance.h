// Whether the pipe a layout step laid keeps clear of itself as the check of
// the drawn pipe judges it (PathSpacingCheck.h: no two of its points nearer
// than the pipe's outer diameter unless they are neighbours along it), so
// that the step can tell a pipe the design would refuse (warning 9005)
// before it hands it over, and lay it another way.
//
// The pieces are those of the layout's path without its leads
// (LayoutPathPieces.h): where and how the leads meet the first loop is the
// same in every arrangement of the runs, so it cannot decide between them.
//
// Threads: reads the layout; an object belongs to one thread (it keeps its
// work lists from one call to the next).
#pragma once

#include "heating/layout/LaidPathPiece.h"
#include "heating/layout/LayoutPathPieces.h"
#include "heating/layout/PathSpacingCheck.h"

#include <cstdint>
#include <vector>

struct CFHCircuitLayout;

class LayoutPipeClearance {
 public:
  // Whether the layout's pipe, its leads left out, comes nearer to itself
  // than its diameter (the record's pipeDiameter, else
  // spacing_rules::kDefaultPipeDiameterMetres) anywhere
  // but between neighbours along it; also true when its path cannot be
  // read or is too long to be checked.
  bool meetsItself(const CFHCircuitLayout& layout);

 private:
  std::vector<LayoutPathPiece> path_;
  std::vector<LaidPathPiece> pieces_;
  std::vector<std::uint8_t> faults_;
  PathSpacingCheck check_;
};
