#include "platform/ge/internal/GeOffsetJoints.h"

#include "platform/ge/internal/GeSimpleIntersect.h"

#include <cmath>
#include <limits>

namespace GeKernel {

namespace {

// |sin| of the turn below which a reversal of direction counts as a cusp.
constexpr double kCuspSine = 1e-14;

// Where the offsets of the two pieces around a path vertex meet.
struct Joint {
  XtGePoint2d vertex;
  XtGePoint2d a1;  // end of the offset of the piece before
  XtGePoint2d b0;  // start of the offset of the piece after
  XtGeVector2d nA;  // left normals of travel at the vertex, before and after
  XtGeVector2d nB;
  bool smooth = false;   // the offsets meet already (a tangent joint)
  bool parting = false;  // the offsets part: a convex joint seen from the offset side
  XtGePoint2d meet;      // where the extensions meet (extension type only)
};

Joint jointBetween(const OffsetPiece& a, const OffsetPiece& b, double d, double res) {
  Joint j;
  j.vertex = a.end;
  const XtGeVector2d tA = a.endTangent();
  const XtGeVector2d tB = b.startTangent();
  j.nA = tA.perpVector();
  j.nB = tB.perpVector();
  j.a1 = a.end + j.nA * d;
  j.b0 = b.start + j.nB * d;
  j.smooth = j.a1.distanceTo(j.b0) <= res;
  if (j.smooth) return j;
  const double turn = tA.crossProduct(tB);
  if (std::fabs(turn) <= kCuspSine)
    j.parting = tA.dotProduct(tB) < 0.0;  // a reversal: the offsets lie on both sides
  else
    j.parting = d > 0.0 ? turn < 0.0 : turn > 0.0;
  return j;
}

// The meeting point of the tangent lines of both offsets at a parting joint:
// both lie at distance |d| from the vertex, along the normals nA and nB.
bool extensionMeet(Joint& j, double d, double res) {
  const double denom = 1.0 + j.nA.dotProduct(j.nB);
  if (!(denom > 0.0)) return false;
  j.meet = j.vertex + (j.nA + j.nB) * (d / denom);
  if (!j.meet.isFinite() || j.meet.distanceTo(j.vertex) > kMaxExtension * std::fabs(d))
    return false;
  // The meeting point must lie ahead of the first offset and behind the
  // second, along their directions of travel.
  const XtGeVector2d tA = -j.nA.perpVector();
  const XtGeVector2d tB = -j.nB.perpVector();
  return (j.meet - j.a1).dotProduct(tA) >= -res && (j.meet - j.b0).dotProduct(tB) <= res;
}

bool addCandidate(RawOffset& raw, OffsetPiece&& piece, int joint, double res) {
  if (!piece.curve || !(piece.length > res)) return false;
  piece.closureOf = joint;
  raw.candidates.push_back(std::move(piece));
  return true;
}

// The pieces closing a parting joint.
void addClosure(RawOffset& raw, const Joint& j, int index, const OffsetPiece& a,
                const OffsetPiece& b, double d, int closeBy, double res) {
  PartingJoint p;
  p.joint = index;
  p.vertex = j.vertex;
  p.a1 = j.a1;
  p.b0 = j.b0;
  p.meet = j.meet;
  // Turning away from the offset side: clockwise for offsets to the left.
  p.sweep = std::atan2(std::fabs(j.nA.crossProduct(j.nB)), j.nA.dotProduct(j.nB));
  p.clockWise = d > 0.0;
  raw.parting.push_back(p);
  switch (closeBy) {
    case XtGe::kExtend:
      // Segments are extended themselves; arcs get tangent segments.
      if (a.isArc()) addCandidate(raw, segmentPiece(j.a1, j.meet), index, res);
      if (b.isArc()) addCandidate(raw, segmentPiece(j.meet, j.b0), index, res);
      break;
    default:
      addCandidate(raw, filletOf(p, d), index, res);
      break;
  }
}

// Where the offsets around a joint cross, both are cut at the crossing
// nearest the joint (least length cut off the two), so that they meet in one
// point even where they cross at a glancing angle. Left as they are when
// they do not cross or one would vanish.
void trimAtCrossing(RawOffset& raw, int a, int b, double res) {
  if (a < 0 || b < 0 || a == b) return;
  const OffsetPiece& pa = raw.candidates[a];
  const OffsetPiece& pb = raw.candidates[b];
  SimpleIntersection hits;
  if (!intersectSimpleCurves(*pa.curve, *pb.curve, XtGeTol(res, 1e-12), hits)) return;
  const double sa = pa.speed();
  const double sb = pb.speed();
  int best = -1;
  double bestCut = std::numeric_limits<double>::infinity();
  for (int i = 0; i < hits.numHits; ++i) {
    const double ta = pa.clampParam(hits.hits[i].t1);
    const double tb = pb.clampParam(hits.hits[i].t2);
    if ((ta - pa.lo) * sa <= res || (pb.hi - tb) * sb <= res) continue;
    const double cut = (pa.hi - ta) * sa + (tb - pb.lo) * sb;
    if (cut < bestCut) {
      best = i;
      bestCut = cut;
    }
  }
  if (best < 0) return;
  const CurveHit& h = hits.hits[best];
  const double ta = pa.clampParam(h.t1);
  const double tb = pb.clampParam(h.t2);
  OffsetPiece na;
  OffsetPiece nb;
  OffsetPiece tailA;
  OffsetPiece tailB;
  if (!partOfPiece(pa, pa.lo, ta, pa.start, h.point, na) ||
      !partOfPiece(pb, tb, pb.hi, h.point, pb.end, nb))
    return;
  // The cut-off tails still mark where the distance to the path reaches
  // the offset distance.
  if ((pa.hi - ta) * sa > res && partOfPiece(pa, ta, pa.hi, h.point, pa.end, tailA))
    raw.cutters.push_back(std::move(tailA));
  if ((tb - pb.lo) * sb > res && partOfPiece(pb, pb.lo, tb, pb.start, h.point, tailB))
    raw.cutters.push_back(std::move(tailB));
  raw.candidates[a] = std::move(na);
  raw.candidates[b] = std::move(nb);
}

void addCutters(const OffsetPath& path, double d, double res, RawOffset& raw) {
  // (The candidates themselves, and the tails cut off them, are the rest.)
  const double r = std::fabs(d);
  for (const OffsetPiece& piece : path.pieces) {
    OffsetPiece other;
    if (offsetPieceOf(piece, -d, res, other)) raw.cutters.push_back(std::move(other));
  }
  auto circleAbout = [&](const XtGePoint2d& c) {
    raw.cutters.push_back(arcPiece(c, r, XtGeVector2d::kXAxis, XtGe::kTwoPi, false));
  };
  for (const XtGePoint2d& v : raw.jointVertex) circleAbout(v);
  if (!path.closed) {
    circleAbout(path.pieces.front().start);
    circleAbout(path.pieces.back().end);
  }
}

}  // namespace

OffsetPiece filletOf(const PartingJoint& j, double d, bool reversed) {
  return arcPiece(j.vertex, std::fabs(d), (reversed ? j.b0 : j.a1) - j.vertex, j.sweep,
                  reversed != j.clockWise);
}

RawStatus buildRawOffset(const OffsetPath& path, double d, int extType, int closeBy, double res,
                         RawOffset& raw) {
  raw = RawOffset();
  const int n = static_cast<int>(path.pieces.size());
  const int numJoints = path.closed ? n : n - 1;
  raw.candidates.reserve(3 * n);
  raw.cutters.reserve(2 * n + 2);
  std::vector<Joint> joints;
  joints.reserve(numJoints > 0 ? numJoints : 0);
  for (int j = 0; j < numJoints; ++j) {
    joints.push_back(jointBetween(path.pieces[j], path.pieces[(j + 1) % n], d, res));
    if (extType == XtGe::kExtend && joints.back().parting && !extensionMeet(joints.back(), d, res))
      return RawStatus::kNoExtension;
    raw.jointVertex.push_back(joints.back().vertex);
  }
  const bool extend = closeBy == XtGe::kExtend;
  std::vector<int> offsetIndex(n, -1);  // the candidate of each piece's offset
  for (int i = 0; i < n; ++i) {
    const OffsetPiece& piece = path.pieces[i];
    OffsetPiece moved;
    if (offsetPieceOf(piece, d, res, moved)) {
      const Joint* before = i > 0 || path.closed ? &joints[(i + numJoints - 1) % numJoints] : nullptr;
      const Joint* after = i < numJoints ? &joints[i] : nullptr;
      const bool stretchStart = extend && !piece.isArc() && before && before->parting;
      const bool stretchEnd = extend && !piece.isArc() && after && after->parting;
      if (stretchStart || stretchEnd)
        moved = segmentPiece(stretchStart ? before->meet : moved.start,
                             stretchEnd ? after->meet : moved.end);
      if (addCandidate(raw, std::move(moved), -1, res))
        offsetIndex[i] = static_cast<int>(raw.candidates.size()) - 1;
    }
    if (i < numJoints && joints[i].parting)
      addClosure(raw, joints[i], i, piece, path.pieces[(i + 1) % n], d, closeBy, res);
  }
  for (int j = 0; j < numJoints; ++j)
    if (!joints[j].smooth && !joints[j].parting)
      trimAtCrossing(raw, offsetIndex[j], offsetIndex[(j + 1) % n], res);
  addCutters(path, d, res, raw);
  return RawStatus::kOk;
}

}  // namespace GeKernel
