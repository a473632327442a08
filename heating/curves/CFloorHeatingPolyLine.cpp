#include "heating/curves/CFloorHeatingPolyLine.h"

#include "heating/curves/CFHEntityRecord.h"
#include "heating/curves/CFHUnknownCurveKind.h"
#include "heating/curves/HeatingCurveIntersections.h"
#include "heating/curves/HeatingCurvePieces.h"

#include "geometry/Tolerances.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

const XtGeCompositeCurve2d& compositeOf(const CFHEntityRecord& record) {
  const XtGeCurve2d* geometry = record.geometry();
  if (record.kind() != CFHEntityRecord::kPolyline || geometry == nullptr ||
      geometry->type() != XtGe::kCompositeCrv2d)
    throw CFHUnknownCurveKind(record.kind());
  return static_cast<const XtGeCompositeCurve2d&>(*geometry);
}

XtGePoint2d startOf(const XtGeCurve2d& piece) {
  XtGePoint2d p;
  piece.hasStartPoint(p);
  return p;
}

XtGePoint2d endOf(const XtGeCurve2d& piece) {
  XtGePoint2d p;
  piece.hasEndPoint(p);
  return p;
}

// Keeps the hit nearest to `reference`.
class NearestHit {
 public:
  explicit NearestHit(const XtGePoint2d& reference) : reference_(reference) {}
  void offer(const XtGePoint2d& p) {
    const double d = p.distanceTo(reference_);
    if (d < distance_) {
      distance_ = d;
      hit_ = p;
    }
  }
  bool found(XtGePoint2d& hit) const {
    if (!(distance_ < std::numeric_limits<double>::infinity())) return false;
    hit = hit_;
    return true;
  }

 private:
  XtGePoint2d reference_;
  XtGePoint2d hit_;
  double distance_ = std::numeric_limits<double>::infinity();
};

}  // namespace

CFloorHeatingPolyLine::CFloorHeatingPolyLine(std::uint32_t tag) : CFloorHeatingCurve(kPolyline, tag) {}

CFloorHeatingPolyLine::CFloorHeatingPolyLine(const XtGeCompositeCurve2d& composite, std::uint32_t tag)
    : CFloorHeatingCurve(kPolyline, tag), composite_(composite) {
  readComposite();
}

CFloorHeatingPolyLine::CFloorHeatingPolyLine(const CFHEntityRecord& record, std::uint32_t tag)
    : CFloorHeatingCurve(kPolyline, tag, nullptr, &record), composite_(compositeOf(record)) {
  readComposite();
}

CFloorHeatingPolyLine::~CFloorHeatingPolyLine() = default;

std::unique_ptr<CFloorHeatingPolyLine> CFloorHeatingPolyLine::CFloorHeatingPolyLineFromComposite(
    const XtGeCompositeCurve2d& composite, std::uint32_t tag) {
  return std::make_unique<CFloorHeatingPolyLine>(composite, tag);
}

void CFloorHeatingPolyLine::readComposite() {
  vertices_.setLogicalLength(0);
  const int n = composite_.numCurves();
  if (n == 0) return;
  for (int i = 0; i < n; ++i) vertices_.append(startOf(*composite_.curveAt(i)));
  start_ = vertices_.first();
  end_ = endOf(*composite_.curveAt(n - 1));
  vertices_.append(end_);
}

void CFloorHeatingPolyLine::setComposite(XtGeCompositeCurve2d composite) {
  composite_ = std::move(composite);
  readComposite();
}

std::vector<std::unique_ptr<XtGeCurve2d>> CFloorHeatingPolyLine::simplePieceCopies() const {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  pieces.reserve(static_cast<std::size_t>(composite_.numCurves()));
  for (int i = 0; i < composite_.numCurves(); ++i) {
    const XtGeCurve2d& piece = *composite_.curveAt(i);
    if (isSimpleHeatingPiece(piece)) pieces.emplace_back(piece.copy());
  }
  return pieces;
}

double CFloorHeatingPolyLine::lengthBetween(const XtGePoint2d& from, const XtGePoint2d& to) const {
  const double a = composite_.paramOf(from);
  const double b = composite_.paramOf(to);
  return composite_.length(std::min(a, b), std::max(a, b));
}

XtGePoint2d CFloorHeatingPolyLine::midPoint() const {
  const int n = vertices_.length();
  if (n == 0) return start_;
  double x = 0.0;
  double y = 0.0;
  for (const XtGePoint2d& v : vertices_) {
    x += v.x;
    y += v.y;
  }
  return {x / n, y / n};
}

bool CFloorHeatingPolyLine::intersectWithLine(const XtGeLine2d& line, XtGePoint2d& hit) const {
  NearestHit nearest(midPoint());
  for (int i = 0; i < composite_.numCurves(); ++i) {
    XtGePoint2d p;
    if (pieceHitsLine(*composite_.curveAt(i), line, p)) nearest.offer(p);
  }
  return nearest.found(hit);
}

bool CFloorHeatingPolyLine::intersectWithRay(const XtGeRay2d& ray, XtGePoint2d& hit, const XtGeTol& tol) const {
  XtGePoint2d rayStart = ray.pointOnLine();
  ray.hasStartPoint(rayStart);
  NearestHit nearest(rayStart);
  for (int i = 0; i < composite_.numCurves(); ++i) {
    XtGePoint2d p;
    if (pieceHitsRay(*composite_.curveAt(i), ray, p, tol)) nearest.offer(p);
  }
  return nearest.found(hit);
}

XtGeLine2d CFloorHeatingPolyLine::perpLineAtMid() const { return XtGeLine2d(midPoint(), direction()); }

CFloorHeatingCurve::Ptr CFloorHeatingPolyLine::extendedCopyAt(const XtGePoint2d& p, double) const {
  auto copy = std::make_unique<CFloorHeatingPolyLine>(composite_, tag());
  passOriginTo(*copy);
  copy->translateBy(p - midPoint());
  return copy;
}

XtGeVector2d CFloorHeatingPolyLine::direction() const {
  const int n = vertices_.length();
  if (n < 2) return XtGeVector2d::kIdentity;
  double x = 0.0;
  double y = 0.0;
  for (int i = 0; i + 1 < n; ++i) {
    x += (vertices_[i].x + vertices_[i + 1].x) * 0.5;
    y += (vertices_[i].y + vertices_[i + 1].y) * 0.5;
  }
  return XtGePoint2d(x / (n - 1), y / (n - 1)) - midPoint();
}

XtGePoint2d CFloorHeatingPolyLine::pointAtLength(double length) const {
  if (composite_.numCurves() == 0) return start_;
  XtGeInterval range;
  composite_.getInterval(range);
  return composite_.evalPoint(composite_.paramAtLength(range.lowerBound(), length, true, workTolFine));
}

bool CFloorHeatingPolyLine::isOn(const XtGePoint2d& p) const { return composite_.isOn(p, workTolFine); }

XtGePoint2d CFloorHeatingPolyLine::closestPointTo(const XtGePoint2d& p) const {
  return composite_.closestPointTo(p, workTol);
}

void CFloorHeatingPolyLine::setEndPoints(const XtGePoint2d& newStart, const XtGePoint2d& newEnd) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces = simplePieceCopies();
  const int n = static_cast<int>(pieces.size());
  if (n == 0) {
    start_ = newStart;
    end_ = newEnd;
    return;
  }
  int first = 0;
  for (int i = 0; i < n; ++i) {
    if (pieceIsOn(*pieces[static_cast<std::size_t>(i)], newStart)) {
      first = i;
      break;
    }
  }
  if (first + 1 < n && endOf(*pieces[static_cast<std::size_t>(first)]).isEqualTo(newStart, workTolFine)) ++first;
  int last = n - 1;
  for (int i = n - 1; i >= first; --i) {
    if (pieceIsOn(*pieces[static_cast<std::size_t>(i)], newEnd)) {
      last = i;
      break;
    }
  }
  if (last > first && startOf(*pieces[static_cast<std::size_t>(last)]).isEqualTo(newEnd, workTolFine)) --last;

  XtGeCurve2d& head = *pieces[static_cast<std::size_t>(first)];
  setPieceEndPoints(head, newStart, endOf(head));
  XtGeCurve2d& tail = *pieces[static_cast<std::size_t>(last)];
  setPieceEndPoints(tail, startOf(tail), newEnd);

  std::vector<std::unique_ptr<XtGeCurve2d>> kept(std::make_move_iterator(pieces.begin() + first),
                                                 std::make_move_iterator(pieces.begin() + last + 1));
  composite_.setCurveList(std::move(kept));
  readComposite();
}

void CFloorHeatingPolyLine::moveEnd(const XtGeVector2d& a, const XtGeVector2d& b, bool atStart) {
  std::vector<std::unique_ptr<XtGeCurve2d>> pieces = simplePieceCopies();
  const std::size_t n = pieces.size();
  const auto isSegment = [&](std::size_t i) { return pieces[i]->type() == XtGe::kLineSeg2d; };
  if (n < 2 || (atStart ? !(isSegment(0) && isSegment(1)) : !(isSegment(n - 1) && isSegment(n - 2)))) {
    CFloorHeatingCurve::moveEnd(a, b, atStart);
    return;
  }
  if (atStart) {
    auto& first = static_cast<XtGeLineSeg2d&>(*pieces[0]);
    auto& second = static_cast<XtGeLineSeg2d&>(*pieces[1]);
    const XtGePoint2d p = first.startPoint() + a;
    const XtGePoint2d q = first.endPoint() + (a - b);
    first.set(p, q);
    second.set(q, second.endPoint());
  } else {
    auto& last = static_cast<XtGeLineSeg2d&>(*pieces[n - 1]);
    auto& before = static_cast<XtGeLineSeg2d&>(*pieces[n - 2]);
    const XtGePoint2d p = last.endPoint() + a;
    const XtGePoint2d q = last.startPoint() + (a - b);
    last.set(q, p);
    before.set(before.startPoint(), q);
  }
  composite_.setCurveList(std::move(pieces));
  readComposite();
}

bool CFloorHeatingPolyLine::intersectWithPolyline(const CFloorHeatingPolyLine& polyline, XtGePoint2dArray& hits,
                                                  const XtGeTol& tol) const {
  int added = 0;
  for (int i = 0; i < composite_.numCurves(); ++i)
    added += appendPieceCompositeHits(*composite_.curveAt(i), polyline.composite(), hits, tol);
  return added > 0;
}

bool CFloorHeatingPolyLine::intersectWithPolylineAt(const CFloorHeatingPolyLine& polyline, XtGePoint2d& hit,
                                                    const XtGeTol& tol) const {
  for (int i = 0; i < composite_.numCurves(); ++i)
    if (pieceCompositeHit(*composite_.curveAt(i), polyline.composite(), hit, tol)) return true;
  return false;
}

XtGeLine2d CFloorHeatingPolyLine::startLine() const {
  if (vertices_.length() < 2) return chordLine();
  return XtGeLine2d(vertices_[0], vertices_[1]);
}

XtGeLine2d CFloorHeatingPolyLine::endLine() const {
  const int n = vertices_.length();
  if (n < 2) return chordLine();
  return XtGeLine2d(vertices_[n - 2], vertices_[n - 1]);
}

bool CFloorHeatingPolyLine::normalRay(XtGeRay2d& ray, const XtGePoint2d& p, int side) const {
  for (int i = 0; i < composite_.numCurves(); ++i) {
    const XtGeCurve2d& piece = *composite_.curveAt(i);
    if (pieceIsOn(piece, p)) return pieceNormalRay(piece, p, side, ray);
  }
  return false;
}

void CFloorHeatingPolyLine::reverse() {
  std::swap(start_, end_);
  composite_.reverseParam();
  vertices_.reverse();
}

void CFloorHeatingPolyLine::translateBy(const XtGeVector2d& v) {
  composite_.translateBy(v);
  for (XtGePoint2d& vertex : vertices_) vertex += v;
  start_ += v;
  end_ += v;
}

void CFloorHeatingPolyLine::appendGeCurveCopies(XtGeCurve2dPtrArray& copies) const {
  for (int i = 0; i < composite_.numCurves(); ++i) {
    std::unique_ptr<XtGeCurve2d> copy(composite_.curveAt(i)->copy());
    copies.append(copy.get());
    copy.release();  // the array's owner has it now
  }
}
