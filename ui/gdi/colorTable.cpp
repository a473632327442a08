#include "ui/gdi/colorTable.h"

namespace {

template <typename Table>
bool fillTable(Table& table, std::int32_t mode) {
  if (mode != 0 && mode != 1) return false;
  table.kind = mode;
  using Colour = typename decltype(table.colours)::value_type;
  if (mode == 1)
    for (int i = 0; i < HV_COLOR_INDEX_COUNT; ++i)
      table.colours[static_cast<std::size_t>(i)] = static_cast<Colour>(colorIndexRgb(i));
  return true;
}

}  // namespace

bool colorTable::fill(std::int32_t mode) { return fillTable(*this, mode); }

bool signedColorTable::fill(std::int32_t mode) { return fillTable(*this, mode); }
