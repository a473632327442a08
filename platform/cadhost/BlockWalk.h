// The walk over all block definitions that the module's word 113 answers:
// one flat sequence of lists, for each block except *Model_Space and the
// *Paper_Space layouts its BLOCK header (-1, 0 "BLOCK", 5, 2 name, 70 flags,
// 10 base point, 4 description, 1 xref path), then its live entities in block
// coordinates (handed out with -1 and 5), then its ENDBLK.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/cadhost/Drawing.h"

namespace cadhost {

class BlockWalk {
 public:
  explicit BlockWalk(const Drawing& drawing) : d_(drawing) {}

  void rewind() {
    block_ = 0;
    step_ = 0;
  }
  // The next list, or none at the end of the walk.
  std::optional<GroupList> next();

 private:
  GroupList header(std::size_t block) const;

  const Drawing& d_;
  std::size_t block_ = 0;
  std::size_t step_ = 0;  // 0: header; 1..n: entity n-1; n+1: ENDBLK
};

}  // namespace cadhost
