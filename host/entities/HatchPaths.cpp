#include "host/entities/HatchPaths.h"

#include <cmath>
#include <memory>

#include "geometry/Tolerances.h"
#include "geometry/curveCopying.h"
#include "host/ResbufBuilder.h"
#include "host/entities/entityHeader.h"
#include "host/entities/finiteValues.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

namespace {

constexpr double kTwoPi = XtGe::kTwoPi;
constexpr double kFourPi = 2.0 * XtGe::kTwoPi;
// Elliptical edges whose angles lie closer than this are left out.
constexpr double kDegenerateSweep = 1e-9;

enum edgeType : std::int16_t { lineEdge = 1, arcEdge = 2, ellipseEdge = 3 };

// ---- writing

// The simple pieces of a loop: borrowed from its composite, or owned when
// the explode had to make them.
struct loopPieces {
  curvePtrArray list;
  curveFlagArray flags;
  loopPieces() = default;
  loopPieces(const loopPieces&) = delete;
  loopPieces& operator=(const loopPieces&) = delete;
  ~loopPieces() { clear(); }
  void clear() {
    for (int i = 0; i < list.length(); ++i)
      if (i < flags.length() && flags[i] == kCurveOwned) delete list[i];
    list.removeAll();
    flags.removeAll();
  }
};

// a mod 2pi in [0, 2pi).
double inFirstTurn(double a) {
  const double r = std::fmod(a, kTwoPi);
  return r < 0.0 ? r + kTwoPi : r;
}

// a mod 2pi in [-pi, pi).
double nearZero(double a) { return inFirstTurn(a + XtGe::kPi) - XtGe::kPi; }

bool isFullCircle(const XtGeCircArc2d& arc) {
  const XtGePoint2d start = arc.startPoint();
  return start.isEqualTo(arc.endPoint(), workTol) &&
         !start.isEqualTo(arc.xtEvalPoint((arc.startAng() + arc.endAng()) / 2.0), workTol);
}

double signedBulge(double sweep, bool clockWise) {
  const double bulge = std::tan(sweep / 4.0);
  return clockWise ? -bulge : bulge;
}

void addPoint(std::vector<ResbufPair>& pairs, int code, const XtGePoint2d& p) {
  pairs.push_back({code, widenPointTo3d(p)});
}

bool addPolylineVertices(std::vector<ResbufPair>& pairs, const XtGeCurve2d& piece, int& count) {
  if (piece.type() == XtGe::kLineSeg2d) {
    const XtGePoint2d start = static_cast<const XtGeLineSeg2d&>(piece).startPoint();
    addPoint(pairs, 10, start);
    pairs.push_back({42, 0.0});
    ++count;
    return start.isFinite();
  }
  const auto& arc = static_cast<const XtGeCircArc2d&>(piece);
  const double sweep = arc.endAng() - arc.startAng();
  const XtGePoint2d start = arc.startPoint();
  if (isFullCircle(arc)) {
    const XtGePoint2d mid = arc.xtEvalPoint((arc.startAng() + arc.endAng()) / 2.0);
    const double half = signedBulge(sweep / 2.0, arc.isClockWise());
    addPoint(pairs, 10, start);
    pairs.push_back({42, half});
    addPoint(pairs, 10, mid);
    pairs.push_back({42, half});
    count += 2;
    return allFinite({start.x, start.y, mid.x, mid.y, half});
  }
  const double bulge = signedBulge(sweep, arc.isClockWise());
  addPoint(pairs, 10, start);
  pairs.push_back({42, bulge});
  ++count;
  return allFinite({start.x, start.y, bulge});
}

bool addArcEdge(std::vector<ResbufPair>& pairs, const XtGeCircArc2d& arc) {
  XtGeCircArc2d ccw(arc);
  const bool clockWise = arc.isClockWise();
  if (clockWise) ccw.reverseParam();
  const double reference = std::atan2(ccw.refVec().y, ccw.refVec().x);
  double start = reference + ccw.startAng();
  double end = reference + ccw.endAng();
  if (clockWise) {
    const double oldStart = start;
    start = kFourPi - end;
    end = kFourPi - oldStart;
  }
  const XtGePoint2d centre = ccw.center();
  pairs.push_back({72, arcEdge});
  addPoint(pairs, 10, centre);
  pairs.push_back({40, ccw.radius()});
  pairs.push_back({50, start});
  pairs.push_back({51, end});
  pairs.push_back({73, clockWise ? 0 : 1});
  return allFinite({centre.x, centre.y, ccw.radius(), start, end});
}

// The angle from the major axis of the point at parameter t of an ellipse
// with these radii, continuous in t (it stays in t's quadrant).
double angleAtParam(double t, double major, double minor) {
  return t + nearZero(std::atan2(minor * std::sin(t), major * std::cos(t)) - t);
}

// Appends the edge unless its angles lie too close; `written` tells which.
bool addEllipseEdge(std::vector<ResbufPair>& pairs, const XtGeEllipArc2d& arc, bool& written) {
  XtGeEllipArc2d ccw(arc);
  const bool clockWise = arc.isClockWise();
  if (clockWise) ccw.reverseParam();
  double major = ccw.majorRadius();
  double minor = ccw.minorRadius();
  XtGeVector2d axis = ccw.majorAxis();
  double from = ccw.startAng();
  double to = ccw.endAng();
  if (minor > major) {
    // The minor axis (the major one turned by +90 degrees on this
    // counter-clockwise copy) is written as the major one: angles from it
    // are a quarter turn smaller.
    std::swap(major, minor);
    axis = ccw.minorAxis();
    from -= XtGe::kHalfPi;
    to -= XtGe::kHalfPi;
  }
  double start = angleAtParam(from, major, minor);
  double end = angleAtParam(to, major, minor);
  const double turns = start - inFirstTurn(start);
  start -= turns;
  end -= turns;
  if (clockWise) {
    const double oldStart = start;
    start = kFourPi - end;
    end = kFourPi - oldStart;
    const double back = start - inFirstTurn(start);
    start -= back;
    end -= back;
  }
  written = end - start >= kDegenerateSweep;
  if (!written) return true;
  const XtGePoint2d centre = ccw.center();
  const XtGeVector2d majorAxis = axis * major;
  pairs.push_back({72, ellipseEdge});
  addPoint(pairs, 10, centre);
  pairs.push_back({11, widenPointTo3d(majorAxis)});
  pairs.push_back({40, minor / major});
  pairs.push_back({50, start});
  pairs.push_back({51, end});
  pairs.push_back({73, clockWise ? 0 : 1});
  return allFinite({centre.x, centre.y, majorAxis.x, majorAxis.y, minor / major, start, end});
}

bool addEdge(std::vector<ResbufPair>& pairs, const XtGeCurve2d& piece, int& count) {
  switch (piece.type()) {
    case XtGe::kLineSeg2d: {
      const auto& segment = static_cast<const XtGeLineSeg2d&>(piece);
      pairs.push_back({72, lineEdge});
      addPoint(pairs, 10, segment.startPoint());
      addPoint(pairs, 11, segment.endPoint());
      ++count;
      return segment.startPoint().isFinite() && segment.endPoint().isFinite();
    }
    case XtGe::kCircArc2d:
      ++count;
      return addArcEdge(pairs, static_cast<const XtGeCircArc2d&>(piece));
    default: {
      bool written = false;
      const bool ok = addEllipseEdge(pairs, static_cast<const XtGeEllipArc2d&>(piece), written);
      count += written ? 1 : 0;
      return ok;
    }
  }
}

// ---- reading

// Reads groups one after the other: each take succeeds only for the code
// that stands next.
struct groupCursor {
  const resbuf* at;

  const resbuf* take(int code) {
    if (at == nullptr || at->code != code) return nullptr;
    const resbuf* node = at;
    at = at->next;
    return node;
  }
  bool point(int code, XtGePoint2d& p) {
    const resbuf* node = take(code);
    if (node == nullptr || !allFinite({node->value.point[0], node->value.point[1]})) return false;
    p.set(node->value.point[0], node->value.point[1]);
    return true;
  }
  bool real(int code, double& value) {
    const resbuf* node = take(code);
    if (node == nullptr || !std::isfinite(node->value.real)) return false;
    value = node->value.real;
    return true;
  }
  bool count(int code, std::int32_t& value) {
    const resbuf* node = take(code);
    if (node == nullptr || node->value.i32 < 0) return false;
    value = node->value.i32;
    return true;
  }
  bool flag(int code, bool& value) {
    const resbuf* node = take(code);
    if (node == nullptr) return false;
    value = node->value.i16 != 0;
    return true;
  }
};

using pieceList = std::vector<std::unique_ptr<XtGeCurve2d>>;

std::unique_ptr<XtGeCurve2d> bulgedPiece(const XtGePoint2d& from, const XtGePoint2d& to, double bulge) {
  if (bulge == 0.0) return std::make_unique<XtGeLineSeg2d>(from, to);
  return std::make_unique<XtGeCircArc2d>(from, to, bulge);
}

bool readPolylinePath(groupCursor& c, pieceList& pieces) {
  bool closed = false;
  std::int32_t count = 0;
  if (!c.take(72) || !c.flag(73, closed) || !c.count(93, count)) return false;
  struct vertex {
    XtGePoint2d point;
    double bulge;
  };
  std::vector<vertex> vertices;  // grows with the groups read, not with the count
  for (std::int32_t i = 0; i < count; ++i) {
    vertex v{{}, 0.0};
    if (!c.point(10, v.point)) return false;
    if (c.at != nullptr && c.at->code == 42 && !c.real(42, v.bulge)) return false;
    vertices.push_back(v);
  }
  const std::size_t n = vertices.size();
  // Pieces between vertices that coincide are left out: among them the
  // closing piece of a path that repeats its first vertex last.
  const std::size_t last = closed ? n : (n == 0 ? 0 : n - 1);
  for (std::size_t i = 0; i < last; ++i) {
    const vertex& from = vertices[i];
    const XtGePoint2d& to = vertices[(i + 1) % n].point;
    if (from.point.isEqualTo(to, workTol)) continue;
    pieces.push_back(bulgedPiece(from.point, to, from.bulge));
  }
  return true;
}

bool readEdge(groupCursor& c, pieceList& pieces) {
  const resbuf* type = c.take(72);
  if (type == nullptr) return false;
  XtGePoint2d centre;
  switch (type->value.i16) {
    case lineEdge: {
      XtGePoint2d end;
      if (!c.point(10, centre) || !c.point(11, end)) return false;
      pieces.push_back(std::make_unique<XtGeLineSeg2d>(centre, end));
      return true;
    }
    case arcEdge: {
      double radius = 0.0, start = 0.0, end = 0.0;
      bool ccw = true;
      if (!c.point(10, centre) || !c.real(40, radius) || !c.real(50, start) || !c.real(51, end) ||
          !c.flag(73, ccw) || !(radius > 0.0))
        return false;
      if (ccw) {
        pieces.push_back(std::make_unique<XtGeCircArc2d>(centre, radius, start, end));
      } else {
        auto arc = std::make_unique<XtGeCircArc2d>(centre, radius, kTwoPi - end, kTwoPi - start);
        arc->reverseParam();
        pieces.push_back(std::move(arc));
      }
      return true;
    }
    case ellipseEdge: {
      XtGePoint2d axisEnd;
      double ratio = 0.0, start = 0.0, end = 0.0;
      bool ccw = true;
      if (!c.point(10, centre) || !c.point(11, axisEnd) || !c.real(40, ratio) || !c.real(50, start) ||
          !c.real(51, end) || !c.flag(73, ccw) || !(ratio > 0.0))
        return false;
      const XtGeVector2d axis(axisEnd.x, axisEnd.y);
      const double major = axis.length();
      if (!(major > 0.0) || !std::isfinite(major * ratio)) return false;
      if (!ccw) {
        const double oldStart = start;
        start = kTwoPi - end;
        end = kTwoPi - oldStart;
      }
      // Angles of the end points to parameters, in the angles' quadrants.
      const auto param = [ratio](double a) {
        return a + nearZero(std::atan2(std::sin(a) / ratio, std::cos(a)) - a);
      };
      const XtGeVector2d u = axis / major;
      auto arc = std::make_unique<XtGeEllipArc2d>(centre, u, u.perpVector(), major, major * ratio, param(start),
                                                  param(end));
      if (!ccw) arc->reverseParam();
      pieces.push_back(std::move(arc));
      return true;
    }
    default:
      return false;
  }
}

bool readEdgePath(groupCursor& c, pieceList& pieces) {
  std::int32_t count = 0;
  if (!c.count(93, count)) return false;
  for (std::int32_t i = 0; i < count; ++i)
    if (!readEdge(c, pieces)) return false;
  return true;
}

}  // namespace

resbuf* writeHatchLoop(const ltHatchLoop& loop, bool* polylineForm) {
  if (polylineForm) *polylineForm = false;
  if (!loop.curve.xtIsClosed(workTol)) return nullptr;
  loopPieces pieces;
  if (!explodeGeCurve(loop.curve, pieces.list, pieces.flags) || pieces.list.length() == 0) {
    pieces.clear();
    pieces.list.append(const_cast<XtGeCompositeCurve2d*>(&loop.curve));
    pieces.flags.append(kCurveBorrowed);
  }
  int written = 0;  // pieces as the polyline form counts them
  bool elliptical = false;
  for (const XtGeCurve2d* piece : pieces.list) {
    if (piece == nullptr) return nullptr;
    const int type = piece->type();
    if (type != XtGe::kLineSeg2d && type != XtGe::kCircArc2d && type != XtGe::kEllipArc2d) return nullptr;
    elliptical = elliptical || type == XtGe::kEllipArc2d;
    written += type == XtGe::kCircArc2d && isFullCircle(*static_cast<const XtGeCircArc2d*>(piece)) ? 2 : 1;
  }
  const bool polyline = (loop.flags & kHatchPathPolyline) != 0 && written > 1 && !elliptical;

  std::vector<ResbufPair> pairs;
  pairs.push_back({92, polyline ? loop.flags | kHatchPathPolyline : loop.flags & ~kHatchPathPolyline});
  if (polyline) {
    pairs.push_back({72, 1});
    pairs.push_back({73, 1});
  }
  const std::size_t countAt = pairs.size();
  pairs.push_back({93, 0});
  int count = 0;
  for (const XtGeCurve2d* piece : pieces.list) {
    const bool ok = polyline ? addPolylineVertices(pairs, *piece, count) : addEdge(pairs, *piece, count);
    if (!ok) return nullptr;
  }
  pairs[countAt].value = count;
  pairs.push_back({97, static_cast<std::int64_t>(loop.handles.size())});
  for (const std::u16string& handle : loop.handles) pairs.push_back({330, handle});
  if (polylineForm) *polylineForm = polyline;
  return buildResbufList(pairs);
}

const resbuf* readHatchBoundaryPath(ltHatchLoop& loop, const resbuf* node) {
  groupCursor c{node};
  const resbuf* flags = c.take(92);
  if (flags == nullptr) return node;
  pieceList pieces;
  const bool read = (flags->value.i32 & kHatchPathPolyline) != 0 ? readPolylinePath(c, pieces)
                                                                  : readEdgePath(c, pieces);
  std::int32_t sources = 0;
  if (!read || !c.count(97, sources)) return node;
  std::vector<std::u16string> handles;
  for (std::int32_t i = 0; i < sources; ++i) {
    const resbuf* handle = c.take(330);
    if (handle == nullptr) return node;
    handles.emplace_back(handle->value.str ? handle->value.str : u"");
  }
  loop.curve.setCurveList(std::move(pieces));
  loop.flags = flags->value.i32;
  loop.handles = std::move(handles);
  return c.at;
}
