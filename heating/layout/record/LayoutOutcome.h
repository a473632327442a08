// Why the last layout step on a circuit layout left the zone as it did. Every
// layout step sets it on its record, and the tests read it. The design
// command names to the user (warning 9002) the zones whose layout laid no
// pipe: kRegionsLeftOut and kPathsCross still lay one, unless it is only a
// stub at the zone's entry (LaidPipeLength.h); a kPathsCross zone is named
// by warning 9005 (a laid pipe that crosses itself) instead.
#pragma once

#include <cstdint>

enum class LayoutOutcome : std::uint8_t {
  kNotRun = 0,           // no layout step has run on the record
  kLaid,                 // the step laid the pipe over the whole zone
  kLevelsOnly,           // the step lays nothing by design (the no-op join)
  kNoLevel,              // no offset level, or level 0 without loops
  kNoBaseItem,           // the meander has no base edge
  kNoPipeEndProjection,  // a pipe end could not be brought onto the first loop
  kNoMeanderRun,         // the zone is too small across the base for any run
  kNoSpiralPath,         // the spiral's graph is not one path from the start to the end pipe end
  kRegionsLeftOut,       // a path was laid, but parts of the zone are not covered
  kSpliceFailed,         // the pipe ends could not be joined into one path
  kNoBoundary,           // the boundary or a pipe end is missing
  kPathsCross,           // the spiral laid a pipe that crosses itself (kept after its second attempt)
};

// A short English name of the outcome, for reports and test messages.
const char* layoutOutcomeName(LayoutOutcome outcome);
