#include "host/entities/lwPolylineList.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "geometry/Tolerances.h"
#include "geometry/curveCopying.h"
#include "geometry/reportAssertion.h"
#include "host/entities/commonProperties.h"
#include "host/entities/curveListSteps.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityHeader.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeLineSeg2d.h"

namespace {

// A bulge below this magnitude (2^-23) is a straight segment.
constexpr double kLineBulge = 1.1920928955078125e-7;

// The simple pieces of a curve in order (nested composites flattened); the
// pieces are borrowed from the curve, or owned here when its explode made
// them.
class curvePieces {
 public:
  explicit curvePieces(const XtGeCurve2d& curve) {
    if (!explodeGeCurve(curve, pieces_, flags_) && curve.type() != XtGe::kCompositeCrv2d) pieces_.append(nullptr);
    single_ = &curve;
  }
  ~curvePieces() {
    for (int i = 0; i < flags_.length(); ++i)
      if (flags_[i] == kCurveOwned) delete pieces_[i];
  }
  curvePieces(const curvePieces&) = delete;
  curvePieces& operator=(const curvePieces&) = delete;

  int count() const { return pieces_.length(); }
  // A curve that does not explode is its own single piece.
  const XtGeCurve2d& operator[](int i) const { return pieces_[i] ? *pieces_[i] : *single_; }

 private:
  curvePtrArray pieces_;
  curveFlagArray flags_;
  const XtGeCurve2d* single_ = nullptr;
};

double signedBulge(double sweep, bool clockWise) {
  const double bulge = std::tan(sweep / 4.0);
  return clockWise ? -bulge : bulge;
}

// The widths of each segment as the builder writes them.
class segmentWidths {
 public:
  // False for a value that is not finite.
  bool init(const resbuf* previous, const std::vector<double>* widths) {
    const resbuf* kept = entReader2D::firstGroup(previous, 43);
    constant_ = kept ? kept->value.real : 0.0;
    if (widths != nullptr && !widths->empty()) {
      widths_ = widths;
      constant_ = widths->front();
      for (double w : *widths) {
        if (!std::isfinite(w)) return false;
        varies_ = varies_ || std::fabs(w - constant_) > workTol.equalPoint();
      }
    }
    return std::isfinite(constant_);
  }
  bool varies() const { return varies_; }
  double constant() const { return constant_; }

  // Segment i: the array's values 2i and 2i + 1, those of the segment before
  // when the array is too short.
  void of(int i, double& start, double& end) {
    if (varies_ && 2 * static_cast<std::size_t>(i) + 1 < widths_->size()) {
      last_ = {(*widths_)[2 * i], (*widths_)[2 * i + 1]};
    } else if (!varies_) {
      last_ = {constant_, constant_};
    }
    start = last_[0];
    end = last_[1];
  }

 private:
  const std::vector<double>* widths_ = nullptr;
  double constant_ = 0.0;
  bool varies_ = false;
  std::array<double, 2> last_{0.0, 0.0};
};

// One vertex: its point, widths and the bulge of the segment it starts.
void addVertex(std::vector<ResbufPair>& body, const XtGePoint2d& point, double start, double end, const double* bulge) {
  body.push_back({10, widenPointTo3d(point)});
  body.push_back({40, start});
  body.push_back({41, end});
  if (bulge) body.push_back({42, *bulge});
}

bool finitePoints(std::initializer_list<XtGePoint2d> points) {
  return std::all_of(points.begin(), points.end(), [](const XtGePoint2d& p) { return p.isFinite(); });
}

// Writes piece i as one vertex (two for a full circle); false for values that
// are not finite. `end` receives the piece's end point.
bool addPiece(std::vector<ResbufPair>& body, const XtGeCurve2d& piece, double startWidth, double endWidth,
              int& vertices, XtGePoint2d& end) {
  XtGePoint2d start;
  if (piece.type() == XtGe::kLineSeg2d) {
    const auto& line = static_cast<const XtGeLineSeg2d&>(piece);
    start = line.startPoint();
    end = line.endPoint();
    addVertex(body, start, startWidth, endWidth, nullptr);
  } else if (piece.type() == XtGe::kCircArc2d) {
    const auto& arc = static_cast<const XtGeCircArc2d&>(piece);
    start = arc.startPoint();
    end = arc.endPoint();
    const double sweep = arc.endAng() - arc.startAng();
    const XtGePoint2d middle = arc.xtEvalPoint(arc.startAng() + sweep / 2.0);
    if (start.isEqualTo(end, workTol) && !middle.isEqualTo(start, workTol)) {
      // A full circle: two half circles, the middle width halfway.
      const double half = signedBulge(sweep / 2.0, arc.isClockWise());
      const double middleWidth = (startWidth + endWidth) / 2.0;
      addVertex(body, start, startWidth, middleWidth, &half);
      addVertex(body, middle, middleWidth, endWidth, &half);
      ++vertices;
      if (!std::isfinite(half) || !middle.isFinite()) return false;
    } else {
      const double bulge = signedBulge(sweep, arc.isClockWise());
      addVertex(body, start, startWidth, endWidth, &bulge);
      if (!std::isfinite(bulge)) return false;
    }
  } else {
    // The format holds lines and circular arcs only: the chord keeps the
    // vertex count and the neighbours right.
    HV_REPORT_ASSERTION(u"geBaseW", 1895, u"entBuilder2D::polyline");
    if (!piece.hasStartPoint(start) || !piece.hasEndPoint(end)) return true;  // unbounded: nothing to write
    addVertex(body, start, startWidth, endWidth, nullptr);
  }
  ++vertices;
  return finitePoints({start, end});
}

}  // namespace

resbuf* entBuilder2D::polyline(const ltEntProps& props, const XtGeCurve2d& curve, const XtGeMatrix2d& matrix,
                               const resbuf* previous, const std::vector<double>* widths) {
  std::unique_ptr<XtGeCurve2d> transformed;
  if (!curveLists::isExactIdentity(matrix)) {
    transformed.reset(curve.copy());
    if (!transformed || !transformed->transformBy(matrix)) return nullptr;
  }
  const curvePieces pieces(transformed ? *transformed : curve);
  segmentWidths rule;
  if (pieces.count() == 0 || !rule.init(previous, widths)) return nullptr;

  // Two line segments that go out and back are the first one alone.
  int count = pieces.count();
  XtGePoint2d firstStart, secondEnd;
  if (count == 2 && pieces[0].type() == XtGe::kLineSeg2d && pieces[1].type() == XtGe::kLineSeg2d &&
      pieces[0].hasStartPoint(firstStart) && pieces[1].hasEndPoint(secondEnd) &&
      secondEnd.isEqualTo(firstStart, workTol))
    count = 1;

  std::vector<ResbufPair> body;
  body.reserve(12 + 4 * static_cast<std::size_t>(count));
  body.push_back({100, u"AcDbPolyline"});
  const std::size_t countAt = body.size();
  body.push_back({90, 0});
  body.push_back({70, 0});
  if (rule.varies()) curveLists::addKept(body, 43, previous);
  else body.push_back({43, rule.constant()});
  curveLists::addKept(body, 38, previous);
  curveLists::addKept(body, 39, previous);

  int vertices = 0;
  XtGePoint2d end;
  bool finite = true;
  for (int i = 0; i < count && finite; ++i) {
    double startWidth = 0.0, endWidth = 0.0;
    rule.of(i, startWidth, endWidth);
    finite = addPiece(body, pieces[i], startWidth, endWidth, vertices, end);
  }
  if (!finite || vertices == 0) {
    for (ResbufPair& pair : body)
      if (pair.code == hvSpliceCode) freeResbufChain(pair.value.list(), false);
    return nullptr;
  }
  body.push_back({10, widenPointTo3d(end)});
  ++vertices;
  body[countAt].value = vertices;
  body.push_back({210, std::array<double, 3>{0.0, 0.0, 1.0}});
  return curveLists::assemble(props, u"LWPOLYLINE", previous, body);
}

namespace {

struct lwVertex {
  XtGePoint2d point;
  double bulge = 0.0;
  double startWidth = 0.0;
  double endWidth = 0.0;
  bool hasWidths = true;
};

// The first 40, 41 and 42 after the vertex's 10 and before the next 10 (or
// the end); answers that next 10. `bad` is set for a value that is not
// finite.
const resbuf* readVertexGroups(const resbuf* node, lwVertex& vertex, bool& bad) {
  bool start = false, end = false, bulge = false;
  for (; node != nullptr && node->code != 10; node = node->next) {
    double* field = nullptr;
    if (node->code == 40 && !start) field = &vertex.startWidth, start = true;
    else if (node->code == 41 && !end) field = &vertex.endWidth, end = true;
    else if (node->code == 42 && !bulge) field = &vertex.bulge, bulge = true;
    if (field == nullptr) continue;
    *field = node->value.real;
    bad = bad || !std::isfinite(*field);
  }
  return node;
}

// Appends the vertex; a vertex equal to the one before replaces it (the
// earlier goes with its bulge and widths).
void pushMerged(std::vector<lwVertex>& vertices, const lwVertex& vertex) {
  if (!vertices.empty() && vertices.back().point.isEqualTo(vertex.point, workTol)) vertices.back() = vertex;
  else vertices.push_back(vertex);
}

}  // namespace

int entReader2D::polyline(XtGeCompositeCurve2d& composite, const resbuf* list, ltEntProps* props,
                          std::vector<double>* widths) {
  const resbuf* countNode = firstGroup(list, 90);
  if (!isListOfType(list, {u"LWPOLYLINE"}) || countNode == nullptr || countNode->value.i32 <= 0) return 0;
  const std::int32_t count = countNode->value.i32;
  const resbuf* flags = firstGroup(list, 70);
  const bool closed = flags != nullptr && (flags->value.i16 & 1) != 0;
  double constantWidth = 0.0;
  bool bad = false;
  curveLists::finiteReal(list, 43, constantWidth, bad);
  const bool mirrored = curveLists::hasNegativeExtrusion(list);

  // The count may be anything the list holds: the vertices grow with the 10s
  // actually found, never with the count alone.
  std::vector<lwVertex> vertices;
  vertices.reserve(static_cast<std::size_t>(std::min<std::int32_t>(count, 1 << 16)) + 1);
  const resbuf* node = firstGroup(list, 10);
  for (std::int32_t i = 0; i < count; ++i) {
    lwVertex vertex;
    vertex.startWidth = vertex.endWidth = constantWidth;
    if (bad || !curveLists::finitePointOf(node, vertex.point)) return 0;  // also a list that ends first
    node = readVertexGroups(node->next, vertex, bad);
    if (mirrored) {
      vertex.point.x = -vertex.point.x;
      vertex.bulge = -vertex.bulge;
    }
    pushMerged(vertices, vertex);
  }
  if (bad) return 0;
  if (closed) {
    lwVertex closing;
    closing.point = vertices.front().point;
    closing.hasWidths = false;
    pushMerged(vertices, closing);
  }

  std::vector<std::unique_ptr<XtGeCurve2d>> pieces;
  if (vertices.size() == 1) {
    pieces.push_back(std::make_unique<XtGeLineSeg2d>(vertices[0].point, vertices[0].point));
  } else {
    pieces.reserve(vertices.size() - 1);
    for (std::size_t i = 0; i + 1 < vertices.size(); ++i) {
      const lwVertex& from = vertices[i];
      const XtGePoint2d& to = vertices[i + 1].point;
      if (std::fabs(from.bulge) < kLineBulge) pieces.push_back(std::make_unique<XtGeLineSeg2d>(from.point, to));
      else pieces.push_back(std::make_unique<XtGeCircArc2d>(from.point, to, from.bulge));
    }
  }
  composite.setCurveList(std::move(pieces));
  if (props) commonProperties(*props, list, false);
  if (widths) {
    widths->clear();
    if (vertices.size() > 1)
      for (const lwVertex& v : vertices)
        if (v.hasWidths) widths->insert(widths->end(), {v.startWidth, v.endWidth});
  }
  return 1;
}

bool isLwPolylineClosed(resbuf* list) {
  resbuf* flags = const_cast<resbuf*>(entReader2D::firstGroup(list, 70));
  resbuf* countNode = const_cast<resbuf*>(entReader2D::firstGroup(list, 90));
  if (!entReader2D::isListOfType(list, {u"LWPOLYLINE"}) || flags == nullptr || countNode == nullptr) return false;
  if ((flags->value.i16 & 1) != 0) return true;
  const std::int32_t count = countNode->value.i32;
  if (count < 3) return false;

  // The link to the count-th 10, and the first 10.
  resbuf** link = &list;
  const resbuf* first = nullptr;
  std::int32_t seen = 0;
  for (; *link != nullptr; link = &(*link)->next) {
    if ((*link)->code != 10) continue;
    if (first == nullptr) first = *link;
    if (++seen == count) break;
  }
  XtGePoint2d start, last;
  if (*link == nullptr || !curveLists::finitePointOf(first, start) || !curveLists::finitePointOf(*link, last) ||
      !last.isEqualTo(start, workTol))
    return false;

  // Only the vertex's own groups go: whatever follows (the extrusion, the
  // extended data) stays.
  resbuf* end = (*link)->next;
  while (end != nullptr && (end->code == 40 || end->code == 41 || end->code == 42 || end->code == 91)) end = end->next;
  resbuf* removed = *link;
  resbuf* tail = removed;
  while (tail->next != end) tail = tail->next;
  *link = end;
  tail->next = nullptr;
  freeResbufChain(removed, false);
  countNode->value.i32 = count - 1;
  flags->value.i16 = static_cast<std::int16_t>(flags->value.i16 | 1);
  return true;
}
