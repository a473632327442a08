// The hatch patterns the host offers its modules (word 77): fixed 80-byte
// records that begin with the NUL-terminated narrow pattern name, followed by
// a description and the pattern's lines as a HATCH entity writes them (angle
// in radians, base point, offset between lines, dashes).
#pragma once

#include <cstddef>
#include <cstdint>

struct HostHatchPatternLine {
  double angle;       // radians
  double baseX;
  double baseY;
  double offsetX;     // from one line to the next, in drawing axes
  double offsetY;
  std::int32_t dashCount;
  const double* dashes;  // dash lengths; negative: gaps
};

struct HostHatchPattern {
  char name[32];         // NUL-terminated narrow name
  char description[32];  // NUL-terminated narrow description
  std::int32_t lineCount;  // 0: solid fill
  std::int32_t reserved;
  const HostHatchPatternLine* lines;
};

static_assert(sizeof(HostHatchPattern) == 80, "a pattern record is 80 bytes");

namespace cadhost {

// SOLID, ANSI31 and ANSI37 (the default pattern), in host storage.
const HostHatchPattern* hostHatchPatterns(std::size_t& count);

}  // namespace cadhost
