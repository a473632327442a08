// What an edit leaves as drawn: the circuits it cannot read back (warning
// 9004: pipes that start inside a zone, a side drawn in several pieces, a
// circuit drawn by hand) and their zones stay in the drawing as they are,
// and stay part of the manifold's design: the manifold keeps listing their
// entities after those the output writes, and its totals (and the totals
// every zone description repeats) keep counting their drawn values, so that
// an edit that changes nothing writes the totals the design wrote. Their
// numbers stay taken: the dialog gives no other zone or circuit one of them,
// and the heating bodies are numbered round theirs.
//
// The edit command fills it once, while it reads the drawn design back; the
// design command leaves it empty. The command's thread only.
#pragma once

#include "heating/design/model/CFHModelQueries.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

struct CFHKeptAsDrawn {
  // The handles of the entities left as drawn that the picked manifold's
  // association names, in filing order.
  std::vector<std::u16string> handles;
  std::set<std::uint32_t> zoneNumbers;
  std::set<std::uint32_t> circuitNumbers;
  // The numbers of their zones' heating bodies, which no other body takes.
  std::set<std::uint32_t> bodyNumbers;
  // Their drawn values: each zone's LH, output with its heating body's and
  // S (as its description holds them), each circuit's first-zone LP; each
  // circuit's first-zone MHP and P (as its supply holds them).
  CFHZoneTotals zones;
  CFHCircuitTotals circuits;
};
