// A random room (RandomRooms.h) designed in-process as the design command
// designs it, and judged by the engineering rules of a laid circuit.
//
// The room's outline becomes one zone the way the command makes zones of the
// picked curves (chained, as-drawn and working loops), the manifold's outline
// and the distribution pipe make the pipe network, which routes the pipe to
// the zone; then the circuit is laid out with the command's design steps, its
// path built and calculated, and laid out again while the calculation
// changes the free border width, as the command does before it draws.
//
// The verdict names each rule the full layout breaks (the layout that
// carries the zone's pipe: the main one for display type 0, the second for
// display type 2), judged by the independent layout checker against the
// room's own outline:
//   route     the pipe reaches the zone
//   laid      a loop fits (a point of the zone lies d0 + 0.55 s from every
//             wall) but nothing, or only a stub (less than a quarter of the
//             heated area / s, by the command's rule or the judge's), is
//             drawn; or a circuit is drawn where no loop fits (no point lies
//             d0 + 0.45 s from every wall), which the command names by 9002
//   path      the layout's graph is not one path from pipe end to pipe end
//   crosses   the pipe meets or overlaps itself
//   outside   a sample of the pipe lies outside the zone
//   wall      the pipe comes nearer the wall than d0 (but at the located
//             allowances: reflex corners, the walls beside a jog)
//   bend      the same with the pipe's corners rounded as the design draws
//             them (display type 0): a bend nearer the wall than d0
//   spacing   neighbouring runs nearer than s (but at the located allowances)
//   coverage  a point of the heated area (inside, d0 or more from the walls)
//             farther than 1.5 s from the pipe, but in the parts narrower
//             than 1.1 s beyond it (a tip past the last run that fits, a
//             sliver), whose farthest point is located
//   length    the laid length out of bounds against the area it heats (the
//             points within s/2 of a place at least d0 from the walls:
//             beside a wall those at least d0 - s/2 from it, in a
//             narrowing tip only up to s/2 beyond where runs fit) / s,
//             with or without a deepest run that fits only to within s/1000
//   split     supply and return are not the two halves of the drawn length
//   unsound   the command's own check of the laid pipe names it (warning
//             9005), so that the judge is never looser than what a user is
//             refused for
// Several may hold at once; `first` is the first found.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RandomRooms.h"

namespace room_design {

inline constexpr const char* kRules[] = {"route",   "laid",     "path",   "crosses", "outside", "wall",
                                         "bend",    "spacing",  "coverage", "length", "split",   "unsound"};

struct Verdict {
  // The broken rules, each with its finding in words (for spacing also the
  // worst pair's distance in s).
  struct Broken {
    std::string rule;
    std::string text;
    double inSpacings = 0.0;
  };
  std::vector<Broken> broken;
  // No loop fits (no point lies d0 + 0.55 s from every wall).
  bool nothingFits = false;
  double d0 = 0.0;
  double spacing = 0.0;
  double laidLength = 0.0;  // the full layout's pipe in the zone, leads excepted
  // The full layout's offset levels and the loops of each (empty when
  // nothing is laid).
  std::vector<int> levelLoops;
  // The command's own check names the zone's laid pipe as crossing or
  // leaving the zone (warning 9005, LaidPipeSoundness.h).
  bool namedUnsound = false;

  bool ok() const { return broken.empty(); }
  bool breaks(const std::string& rule) const;
  // No rule broken but perhaps this one.
  bool okApartFrom(const std::string& rule) const;
  std::string first() const { return broken.empty() ? std::string() : broken.front().rule; }
  std::string summary() const;
};

// The room designed with the circuit shape (0 meander, 1 double spiral) and
// the display type (0 or 2), and judged. The caller holds the tolerances of
// a millimetre drawing (zone_design_test::UnitScope(1000)).
Verdict designAndJudge(const random_rooms::Room& room, std::uint32_t shape, std::uint32_t displayType);

}  // namespace room_design
