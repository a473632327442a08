// Reads hatch patterns from standard input and prints the preview segments of
// each family, for the independent check in hatch_preview_check.py.
//
// Input, one pattern per line: size familyCount, then per family: angle
// baseX baseY offsetX offsetY dashCount dash... (box units, y up).
// Output per pattern: "pattern <ok 0|1> <families>", then per family
// "family <count>" and its segments "x1 y1 x2 y2" in pixels. The whole
// pattern walked at once must give the families' segments in order;
// "mismatch" is printed when it does not.
#include "geometry/hatchPreview.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    int size = 0, familyCount = 0;
    if (!(in >> size >> familyCount) || familyCount < 0 || familyCount > 16) continue;
    std::vector<hatchFamily> families(static_cast<std::size_t>(familyCount));
    for (hatchFamily& f : families) {
      int dashCount = 0;
      in >> f.angle >> f.base.x >> f.base.y >> f.offset.x >> f.offset.y >> dashCount;
      for (int i = 0; i < dashCount && i < 64; ++i) {
        double d = 0.0;
        in >> d;
        f.dashes.push_back(d);
      }
    }
    std::vector<XtGeLineSeg2d> whole;
    const bool ok = hatchPreviewSegments(families, size, 0, whole);
    std::printf("pattern %d %d\n", ok ? 1 : 0, familyCount);
    std::size_t position = 0;
    bool same = true;
    for (const hatchFamily& f : families) {
      std::vector<XtGeLineSeg2d> segments;
      hatchPreviewSegments({f}, size, 0, segments);
      std::printf("family %zu\n", segments.size());
      for (const XtGeLineSeg2d& s : segments) {
        const XtGePoint2d a = s.startPoint(), b = s.endPoint();
        std::printf("%.17g %.17g %.17g %.17g\n", a.x, a.y, b.x, b.y);
        same = same && position < whole.size() && whole[position].startPoint() == a && whole[position].endPoint() == b;
        ++position;
      }
    }
    if (!same || position != whole.size()) std::printf("mismatch\n");
  }
  return 0;
}
