#include "geometry/hatchPreview.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kSameTolerance = 1e-5;
constexpr double kSnapDegrees = 1e-9;
constexpr double kCoordinateLimit = 2147483648.0;  // 2^31
constexpr double kMaxSteps = 100000.0;             // lines per family, repetitions per line

bool isUsable(double value) { return std::isfinite(value) && std::fabs(value) < kCoordinateLimit; }

bool isFull(const std::vector<XtGeLineSeg2d>& output, std::size_t limit) { return limit > 0 && output.size() > limit; }

bool insideBox(const XtGePoint2d& p, double size) { return p.x >= 0.0 && p.x <= size && p.y >= 0.0 && p.y <= size; }

// The length of a dash list along its line: the sum of the entries' magnitudes.
double dashListLength(const std::vector<double>& dashes) {
  double length = 0.0;
  for (const double d : dashes) length += std::fabs(d);
  return length;
}

// A family made ready for the walks, in pixels.
struct preparedFamily {
  double angle = 0.0;      // degrees in [0, 360), snapped
  bool vertical = false;
  double slope = 0.0;      // pixel slope; 0 for horizontal families
  double ux = 1.0, uy = 0.0;  // the family direction, y up
  double along = 0.0;      // the offset's part along the lines
  XtGePoint2d base;        // pixels
  XtGeVector2d offset;     // pixels
  XtGePoint2dArray intervals;
  double patternLength = 0.0;
  bool solid = true;
};

// The angle normalised into [0, 360) and snapped to the axes; nothing when
// it is not finite.
std::optional<double> normalisedAngle(double degrees) {
  if (!std::isfinite(degrees)) return std::nullopt;
  double a = std::fmod(degrees, 360.0);
  if (a < 0.0) a += 360.0;
  for (const double axis : {0.0, 90.0, 180.0, 270.0, 360.0})
    if (std::fabs(a - axis) <= kSnapDegrees) return axis == 360.0 ? 0.0 : axis;
  return a >= 360.0 ? 0.0 : a;
}

// The direction sign along x of a family: +1 for [0, 90) and (270, 360).
double directionSign(double angle) { return angle < 90.0 || angle > 270.0 ? 1.0 : -1.0; }

bool prepare(const hatchFamily& family, std::int32_t size, preparedFamily& out) {
  const auto angle = normalisedAngle(family.angle);
  if (!angle || size < 1) return false;
  if (!isUsable(family.base.x) || !isUsable(family.base.y) || !isUsable(family.offset.x) || !isUsable(family.offset.y))
    return false;
  out.angle = *angle;
  out.vertical = out.angle == 90.0 || out.angle == 270.0;
  const double radians = out.angle * std::numbers::pi / 180.0;
  if (out.angle == 0.0 || out.angle == 180.0) {
    out.ux = out.angle == 0.0 ? 1.0 : -1.0;
    out.uy = 0.0;
  } else if (out.vertical) {
    out.ux = 0.0;
    out.uy = out.angle == 90.0 ? 1.0 : -1.0;
  } else {
    out.ux = std::cos(radians);
    out.uy = std::sin(radians);
  }
  out.slope = out.vertical || out.uy == 0.0 ? 0.0 : -out.uy / out.ux;
  out.along = family.offset.x * out.ux + family.offset.y * out.uy;
  const double across = -family.offset.x * out.uy + family.offset.y * out.ux;
  if (!(across != 0.0) || !std::isfinite(out.along)) return false;
  out.base = XtGePoint2d(family.base.x, size - family.base.y);
  out.offset = XtGeVector2d(family.offset.x, -family.offset.y);
  // Vertical lines are walked along y by the dash length itself; sloped ones
  // along x by its projection.
  stepPointsLength(family.dashes.data(), static_cast<int>(family.dashes.size()), out.intervals, out.patternLength,
                   out.vertical ? 0.0 : std::atan2(out.uy, out.ux), out.vertical);
  const double fullLength = dashListLength(family.dashes);
  if (!std::isfinite(fullLength)) return false;
  out.solid = family.dashes.empty() || !(fullLength > 0.0) || !(out.patternLength > 0.0);
  return true;
}

void addSegment(std::vector<XtGeLineSeg2d>& output, const XtGePoint2d& a, const XtGePoint2d& b) {
  output.emplace_back(a, b);
}

// The dash walk of one clipped line from `first` to `last` (coordinates
// along the walk's axis).
bool walkDashes(const hatchDashWalk& walk, double first, double last, std::int32_t size, std::size_t limit,
                std::vector<XtGeLineSeg2d>& output) {
  const XtGePoint2dArray& intervals = *walk.intervals;
  if (intervals.isEmpty()) return true;
  const double length = walk.patternLength;
  const double startRatio = walk.sign * (first - walk.origin) / length;
  const double repetitions = std::fabs(last - first) / length + 3.0;
  if (!(length > 0.0) || !isUsable(startRatio) || !(repetitions <= kMaxSteps)) return false;
  const double firstRepetition = std::floor(startRatio);
  const int count = static_cast<int>(repetitions);
  const double box = size;
  auto pointAt = [&walk](double along) {
    return walk.axis == 0 ? XtGePoint2d(along, (along - walk.xRef) * walk.slope + walk.yRef)
                          : XtGePoint2d(walk.xRef, along);
  };
  for (int r = 0; r < count; ++r) {
    const double begin = walk.origin + walk.sign * (firstRepetition + r) * length;
    for (const XtGePoint2d& interval : intervals) {
      const XtGePoint2d a = pointAt(begin + walk.sign * interval.x);
      const XtGePoint2d b = pointAt(begin + walk.sign * interval.y);
      if (r > 0 && !insideBox(a, box)) return true;
      const XtGePoint2d middle((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
      if (insideBox(a, box) || insideBox(b, box) || insideBox(middle, box)) {
        addSegment(output, a, b);
        if (isFull(output, limit)) return true;
      }
    }
  }
  return true;
}

// The pieces of one clipped line of a prepared family whose pattern starts
// at `origin` (pixels).
bool addLine(const preparedFamily& f, const XtGePoint2d& origin, const XtGePoint2d& start, const XtGePoint2d& end,
             std::int32_t size, std::size_t limit, std::vector<XtGeLineSeg2d>& output) {
  if (f.solid) {
    addSegment(output, start, end);
    return true;
  }
  hatchDashWalk walk;
  walk.intervals = &f.intervals;
  walk.patternLength = f.patternLength;
  walk.slope = f.slope;
  walk.xRef = origin.x;
  walk.yRef = origin.y;
  if (f.vertical) {
    walk.origin = origin.y;
    return dashClippedLine(walk, start, end, size, limit, output);
  }
  walk.axis = 0;
  walk.sign = directionSign(f.angle);
  walk.origin = origin.x;
  return hatchFamilySegments(walk, start, end, size, limit, output);
}

bool walkVertical(const preparedFamily& f, std::int32_t size, std::size_t limit, std::vector<XtGeLineSeg2d>& output) {
  const double step = f.offset.x;
  const double magnitude = std::fabs(step);
  const double box = size;
  // Move the intercept to the line at or just outside the box: `whole`
  // steps of the offset's magnitude, which is line n = whole of the family
  // (base + n offset) for a step >= 0 and line n = -whole for a step < 0.
  const double b = f.base.x;
  double whole = 0.0;
  if (step >= 0.0) {
    if (b < 0.0) {
      whole = std::trunc(-b / magnitude);
    } else if (b > 0.0) {
      whole = -(std::trunc(b / magnitude) + 1.0);
    }
  } else if (b < box) {
    whole = std::trunc((box - b) / magnitude) + 1.0;
  } else if (b > box) {
    whole = -std::trunc((b - box) / magnitude);
  }
  const double lines = box / magnitude + 3.0;
  if (!isUsable(whole) || !(lines <= kMaxSteps)) return false;
  const double first = b + whole * magnitude;
  const double firstLine = step >= 0.0 ? whole : -whole;
  const int count = static_cast<int>(lines);
  for (int i = 0; i < count; ++i) {
    const double x = first + i * step;
    XtGePoint2d start, end;
    if (!clipLineToBox(0.0, x, 0.0, size, f.angle, start, end)) {
      if (i > 0) break;
      continue;
    }
    // The pattern of line n starts at the pixel y of base + n offset.
    const double n = firstLine + i;
    const XtGePoint2d origin(x, f.base.y + n * f.offset.y);
    if (!addLine(f, origin, start, end, size, limit, output)) return false;
    if (isFull(output, limit)) break;
  }
  return true;
}

bool walkSloped(const preparedFamily& f, std::int32_t size, std::size_t limit, std::vector<XtGeLineSeg2d>& output) {
  // The change of the walked coordinate from line n to n + 1: x at a fixed y
  // for sloped families, y for horizontal ones.
  const bool horizontal = f.slope == 0.0;
  const double change = horizontal ? f.offset.y : f.offset.x - f.offset.y / f.slope;
  if (!std::isfinite(change) || change == 0.0) return false;
  const double spacing = std::fabs(change);
  const auto towardsSmaller = hatchLineIndexAt(f.slope, f.base.x, f.base.y, size, true, spacing, spacing);
  const auto towardsLarger = hatchLineIndexAt(f.slope, f.base.x, f.base.y, size, false, spacing, spacing);
  if (!towardsSmaller || !towardsLarger) return false;
  const double from = static_cast<double>(*towardsLarger) - 1.0;
  const double to = -static_cast<double>(*towardsSmaller) + 1.0;
  if (!(to - from + 1.0 <= kMaxSteps)) return false;
  const double s = change > 0.0 ? 1.0 : -1.0;
  const int count = static_cast<int>(to - from) + 1;
  for (int i = 0; i < count; ++i) {
    const double n = (from + i) * s;
    const XtGePoint2d origin(f.base.x + n * f.offset.x, f.base.y + n * f.offset.y);
    XtGePoint2d start, end;
    if (!clipLineToBox(f.slope, origin.x, origin.y, size, f.angle, start, end)) continue;
    if (!addLine(f, origin, start, end, size, limit, output)) return false;
    if (isFull(output, limit)) break;
  }
  return true;
}

}  // namespace

XtGePoint2d lineXAxisPoint(double slope, double x0, double y0) {
  if (slope == 0.0) return XtGePoint2d(-1.0, -1.0);
  return XtGePoint2d(x0 - y0 / slope, 0.0);
}

XtGePoint2d lineYAxisPoint(double slope, double x0, double y0) { return XtGePoint2d(0.0, y0 - slope * x0); }

XtGePoint2d lineXAtY(double slope, double x0, double y0, double y) {
  if (slope == 0.0) return XtGePoint2d(-1.0, -1.0);
  return XtGePoint2d((y - y0) / slope + x0, y);
}

XtGePoint2d lineYAtX(double slope, double x0, double y0, double x) { return XtGePoint2d(x, (x - x0) * slope + y0); }

bool clipLineToBox(double slope, double x0, double y0, std::int32_t size, double angle, XtGePoint2d& start,
                   XtGePoint2d& end) {
  const double box = size;
  if (angle == 90.0 || angle == 270.0) {
    if (!(x0 >= 0.0 && x0 <= box)) return false;
    start = XtGePoint2d(x0, angle == 90.0 ? box : 0.0);
    end = XtGePoint2d(x0, angle == 90.0 ? 0.0 : box);
    return true;
  }
  const XtGePoint2d candidates[4] = {lineXAxisPoint(slope, x0, y0), lineXAtY(slope, x0, y0, box),
                                     lineYAtX(slope, x0, y0, box), lineYAxisPoint(slope, x0, y0)};
  XtGePoint2d taken[2];
  int count = 0;
  for (const XtGePoint2d& p : candidates) {
    if (!insideBox(p, box)) continue;
    if (count > 0) {
      const XtGePoint2d& f = taken[0];
      const bool same = (p.x == f.x && std::fabs(p.y - f.y) <= kSameTolerance) ||
                        (p.y == f.y && std::fabs(p.x - f.x) <= kSameTolerance);
      if (same) continue;
    }
    taken[count++] = p;
    if (count == 2) break;
  }
  if (count < 2) return false;
  const bool smallerXFirst = directionSign(angle) > 0.0;
  const bool firstIsSmaller = taken[0].x <= taken[1].x;
  start = firstIsSmaller == smallerXFirst ? taken[0] : taken[1];
  end = firstIsSmaller == smallerXFirst ? taken[1] : taken[0];
  return true;
}

std::optional<std::int32_t> hatchLineIndexAt(double slope, double x0, double y0, std::int32_t size, bool flag,
                                             double spacingX, double spacingY) {
  const double box = size;
  double reference = 0.0, corner = 0.0, spacing = std::fabs(spacingX);
  if (slope > 0.0) {
    reference = flag ? lineXAxisPoint(slope, x0, y0).x : lineXAtY(slope, x0, y0, box).x;
    corner = flag ? box : 0.0;
  } else if (slope < 0.0) {
    reference = flag ? lineXAtY(slope, x0, y0, box).x : lineXAxisPoint(slope, x0, y0).x;
    corner = flag ? box : 0.0;
  } else {
    reference = y0;
    corner = flag ? box : 0.0;
    spacing = std::fabs(spacingY);
  }
  if (!(spacing > 0.0) || !std::isfinite(spacing)) return std::nullopt;
  const double whole = std::trunc(std::fabs(reference - corner) / spacing);
  if (!isUsable(whole) || whole >= kCoordinateLimit - 1.0) return std::nullopt;
  const auto k = static_cast<std::int32_t>(whole);
  if (reference == corner) return 0;
  const bool referenceLarger = reference > corner;
  return referenceLarger == flag ? k : -k - 1;
}

void stepPointsLength(const double* lengths, int count, XtGePoint2dArray& points, double& total, double angle,
                      bool noProjection) {
  points.removeAll();
  const double c = noProjection ? 1.0 : std::cos(angle);
  double s = 0.0;
  for (int i = 0; i < count && lengths != nullptr; ++i) {
    const double v = lengths[i];
    const double before = s;
    s += std::fabs(v * c);
    if (v > 0.0)
      points.append(XtGePoint2d(before, s));
    else if (v == 0.0)
      points.append(XtGePoint2d(s, s));
  }
  total = s;
}

void hatchLinePoints(double x0, double x1, double dx, double xRef, double yRef, double slope, XtGePoint2d& a,
                     XtGePoint2d& b) {
  a = lineYAtX(slope, xRef, yRef, x0 + dx);
  b = lineYAtX(slope, xRef, yRef, x1 + dx);
}

double hatchPatternExtents(const std::vector<hatchFamily>& families) {
  double extent = 0.0;
  for (const hatchFamily& f : families) extent = std::max({extent, f.offset.length(), dashListLength(f.dashes)});
  return extent;
}

bool hatchFamilySegments(const hatchDashWalk& walk, const XtGePoint2d& start, const XtGePoint2d& end,
                         std::int32_t size, std::size_t limit, std::vector<XtGeLineSeg2d>& output) {
  if (walk.intervals == nullptr) return false;
  hatchDashWalk alongX = walk;
  alongX.axis = 0;
  return walkDashes(alongX, start.x, end.x, size, limit, output);
}

bool dashClippedLine(hatchDashWalk walk, const XtGePoint2d& start, const XtGePoint2d& end, std::int32_t size,
                     std::size_t limit, std::vector<XtGeLineSeg2d>& output) {
  if (walk.intervals == nullptr) return false;
  walk.axis = 1;
  walk.xRef = start.x;
  walk.sign = end.y > start.y ? 1.0 : -1.0;
  return walkDashes(walk, start.y, end.y, size, limit, output);
}

bool hatchPatternInPolygon(const hatchFamily& family, std::int32_t size, std::size_t limit,
                           std::vector<XtGeLineSeg2d>& output) {
  preparedFamily f;
  if (!prepare(family, size, f) || !f.vertical) return false;
  const std::size_t before = output.size();
  if (walkVertical(f, size, limit, output)) return true;
  output.resize(before, XtGeLineSeg2d());
  return false;
}

bool hatchPreviewSegments(const std::vector<hatchFamily>& families, std::int32_t size, std::size_t limit,
                          std::vector<XtGeLineSeg2d>& output) {
  const std::size_t before = output.size();
  preparedFamily f;
  for (const hatchFamily& family : families) {
    if (isFull(output, limit)) break;
    const bool walked = prepare(family, size, f) &&
                        (f.vertical ? walkVertical(f, size, limit, output) : walkSloped(f, size, limit, output));
    if (!walked) {
      output.resize(before, XtGeLineSeg2d());
      return false;
    }
  }
  return true;
}
