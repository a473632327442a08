// The geometry block of a DIMENSION that comes without one. Modules write
// dimensions without group 2 (the block that shows them): the host makes an
// anonymous "*D" block with the extension lines, the dimension line and the
// measurement text, and names it in group 2. Without that block readers
// drop the dimension. Linear dimensions (rotated and aligned) get their
// geometry; other kinds get an empty block.
//
// Sizes: DIMSCALE, DIMEXO (42), DIMEXE (44), DIMTXT (140) and DIMGAP (147)
// from the dimension's "ACAD" DSTYLE overrides, else from its dimension
// style, else the usual metric defaults (DIMSCALE from the header).
#pragma once

#include <string>
#include <vector>

#include "platform/cadhost/Drawing.h"

namespace cadhost {

class DimensionBlock {
 public:
  explicit DimensionBlock(Drawing& drawing) : d_(drawing) {}

  // For a DIMENSION list without a non-empty group 2: builds its block and
  // puts (2 name) after the "AcDbDimension" marker. `previous` is the list of
  // the dimension the list updates (null for a new one): when it names an
  // anonymous "*D" block, that block is redefined instead of a new one made.
  // Any other list is left alone. False when the block could not be made.
  bool attach(GroupList& list, const GroupList* previous);

  // The block's entities (block coordinates equal drawing coordinates).
  std::vector<GroupList> geometry(const GroupList& dimension) const;

 private:
  double sizeOf(const GroupList& dimension, int variable, double fallback) const;

  Drawing& d_;
};

}  // namespace cadhost
