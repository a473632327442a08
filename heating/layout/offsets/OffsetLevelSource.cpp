#include "heating/layout/offsets/OffsetLevelSource.h"

#include "heating/layout/offsets/COffsetBuilder.h"
#include "heating/layout/offsets/DeleteAndClear.h"

void OffsetLevelSource::buildLevels(const std::vector<CFloorHeatingCurve*>& curves, double firstOffset,
                                    double spacing, std::vector<Level>& levels) const {
  levels.clear();
  std::vector<COffsetBuilder::Level*> built;
  COffsetBuilder(curves, firstOffset, spacing).buildLoops(built);
  try {
    levels.reserve(built.size());
    for (COffsetBuilder::Level*& level : built) {
      Level& out = levels.emplace_back();
      out.reserve(level->size());
      for (COffsetLoop*& loop : *level) {
        out.emplace_back(loop);
        loop = nullptr;
      }
    }
  } catch (...) {
    deleteLoopListsAndClear(built);
    throw;
  }
  deleteLoopListsAndClear(built);
}

const CFHOffsetLevelSource& layoutOffsetLevelSource() {
  static const OffsetLevelSource source;
  return source;
}
