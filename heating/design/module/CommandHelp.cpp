// What the module tells `cadhost --help` of its commands (CommandHelp.h):
// what each does and the order of its selections, and what a manifold needs
// to be read.
#include "platform/cadhost/CommandHelp.h"

#include <iterator>

namespace {

const HvCommandHelp kCommands[] = {
    {"dozidEzezOvedo",
     "The heating design. Its selections, in this order:\n"
     "  1. the heating manifold (a block reference) with the distribution pipes\n"
     "     that leave it (lines, arcs, polylines);\n"
     "  2. the closed outlines of the heating zones (closed polylines, or lines\n"
     "     and arcs that close).\n"
     "Then its dialog: dialog lines up to a `dialog end` (ok draws the design).\n"
     "A manifold is read only when its block reference carries QEV_DATA extended\n"
     "data naming its item, TOT0000-0023 or TOT0000-0001, whose item record is\n"
     "in the product file (<host-dir>/Dat/QevProducts.dat, or --products), and\n"
     "QEV_INSPT extended data, and its block's outline has 4 connection points\n"
     "or more (6 for TOT0000-0001): see cadhost --help manifold. The dialog's\n"
     "keys: cadhost --help dialog.\n"},
    {"dozidEzezOvedoEdit",
     "The edit of a drawn design. One selection: the drawn manifold with the\n"
     "entities it lists (select assoc H, H the manifold). Then the dialog, as\n"
     "for dozidEzezOvedo.\n"},
    {"floorOffsetTest",
     "The offset test. One selection: one closed outline (a closed polyline, or\n"
     "lines, arcs and polylines that chain into one). Then a keyword, the offset\n"
     "type (Normální, Inkrementální or Zónami), and distance lines: the offset\n"
     "(Normální); the first and the further offsets (Inkrementální); those and\n"
     "the half-offset range of every side (Zónami). Draws each offset loop.\n"},
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const HvCommandHelp* HvDescribeCommands(int* count) {
  if (count != nullptr) *count = static_cast<int>(std::size(kCommands));
  return kCommands;
}
