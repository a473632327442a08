#include "geometry/joinToComposite.h"

#include "geometry/curveCopying.h"

#include <new>
#include <vector>

int joinToComposite(std::unique_ptr<XtGeCompositeCurve2d>& out, const curvePtrArray& curves,
                    const hvArray<pieceRef>& refs) {
  out.reset();
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  for (const pieceRef ref : refs) {
    const std::uint32_t how = static_cast<std::uint32_t>(ref >> 32);
    const std::uint32_t index = static_cast<std::uint32_t>(ref & 0xFFFFFFFFu);
    if (how > 1 || index >= static_cast<std::uint32_t>(curves.count())) continue;
    std::unique_ptr<XtGeCurve2d> copy(copyCurve2d(curves[static_cast<std::int32_t>(index)]));
    if (!copy) continue;
    if (how == 1) copy->reverseParam();
    pieces.push_back(std::move(copy));
  }
  if (pieces.empty()) return 0;
  try {
    out = std::make_unique<XtGeCompositeCurve2d>(std::move(pieces));
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}
