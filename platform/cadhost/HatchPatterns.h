// The hatch patterns the host offers its modules (word 77): fixed 80-byte
// records that begin with the NUL-terminated narrow pattern name, followed by
// a description and the pattern's definition lines as pattern files give
// them: per line the dash count, the angle in degrees, the base point, the
// offset from one line to the next along and across the line, and the dash
// lengths, all at scale 1 and without the hatch's rotation. The module turns
// them into a HATCH's pattern lines (scaled and rotated, in drawing axes).
#pragma once

#include <cstddef>
#include <cstdint>

struct HostHatchPatternLine {
  std::int32_t dashCount;
  double angle;          // degrees
  double baseX;
  double baseY;
  double offsetAlong;    // from one line to the next, along the line
  double offsetAcross;   // and across it
  const double* dashes;  // dashCount lengths; negative: gaps
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
