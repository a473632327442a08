// The located allowance of a meander's middle gap for the layout checker,
// read from the laid pipe alone: the runs stacked from the two sides of the
// zone meet in the middle, where the last two may stand nearer than s
// (down to s/2). The middle gap is the narrowest gap under s between two
// straight pieces of the pipe along the runs (at least s long, within 1
// degree of the run direction) that face each other; a pair of samples
// both within it (half the gap plus s/2 of its middle line, along the
// stretch where the two face each other) passes down to s/2. None when
// every such gap keeps s.
#pragma once

#include "LayoutChecker.h"

#include "platform/ge/XtGeVector2d.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace meander_test {

inline std::optional<layout_check::Options::Allowance> middleGap(const std::vector<layout_check::Piece>& pipe,
                                                                 const XtGeVector2d& runs, double s) {
  const XtGeVector2d along = runs / runs.length();
  const XtGeVector2d across = along.perpVector();
  const XtGePoint2d origin;
  struct Run {
    double at, from, to;
  };
  std::vector<Run> found;
  for (const layout_check::Piece& piece : pipe) {
    const XtGeVector2d d = piece.end - piece.start;
    if (piece.isArc || d.length() < s || std::fabs(d.crossProduct(along)) > std::sin(std::numbers::pi / 180) * d.length())
      continue;
    const double a = (piece.start - origin).dotProduct(along);
    const double b = (piece.end - origin).dotProduct(along);
    found.push_back({(piece.start - origin).dotProduct(across), std::min(a, b), std::max(a, b)});
  }
  std::optional<layout_check::Options::Allowance> best;
  double narrowest = 0.99 * s;
  for (const Run& a : found)
    for (const Run& b : found) {
      const double gap = b.at - a.at;
      const double from = std::max(a.from, b.from), to = std::min(a.to, b.to);
      if (gap <= 0.01 * s || gap >= narrowest || to <= from) continue;
      narrowest = gap;
      const double middle = 0.5 * (a.at + b.at);
      const auto point = [&](double t) { return origin + across * middle + along * t; };
      best = layout_check::Options::Allowance{point(from), point(to), 0.5 * (gap + s), 0.5 * s, true,
                                              "meander middle gap"};
    }
  return best;
}

}  // namespace meander_test
