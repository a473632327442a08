// A curve made of a list of pieces (segments, arcs, ellipse arcs or nested
// composites), run one after the other: polylines, zone loops, offset
// levels and region outlines.
//
// Parameter: t in [0, 1] proportional to arc length. Piece i covers
// [s_i, s_i+1] with s_i = (length of the pieces before i) / total length;
// inside a piece t maps linearly onto the piece's own interval (exactly
// proportional to length for segments and arcs). A composite of total
// length 0 (or an empty one) has the interval [0, 0]. Evaluation outside
// [0, 1] extrapolates the first or last piece. Derivatives are taken in t,
// so their length is the total length for segments.
//
// No continuity is checked: the start is the first piece's start, the end
// the last piece's end, and a gap between pieces only makes the parameter
// jump. Zero-length pieces take no parameter range. Unbounded pieces (lines,
// rays) take none either and are left out of every query; they are still
// held and handed out.
//
// The parameter table and a box tree over the pieces are built whenever the
// composite changes, never lazily, so const members may run on several
// threads at once. The pieces handed out by getCurveList and explode are
// borrowed: valid until the composite changes, and they must not be changed
// through those pointers (set a new list instead).
#pragma once

#include "platform/ge/XtGeCurve2d.h"
#include "platform/ge/internal/GeLeafTree.h"

#include <memory>
#include <vector>

class XtGeCompositeCurve2d : public XtGeCurve2d {
public:
  using XtGeCurve2d::closestPointTo;
  using XtGeCurve2d::distanceTo;
  using XtGeCurve2d::getSamplePoints;
  using XtGeCurve2d::isOn;

  // An empty composite.
  XtGeCompositeCurve2d();
  // Stores deep copies of the curves.
  explicit XtGeCompositeCurve2d(const XtGeCurve2dPtrArray& curves);
  // As setCurveList(curves, ownershipFlags).
  XtGeCompositeCurve2d(const XtGeCurve2dPtrArray& curves, const XtGeIntArray& ownershipFlags);
  // Takes the pieces over.
  explicit XtGeCompositeCurve2d(std::vector<std::unique_ptr<XtGeCurve2d>> curves);
  XtGeCompositeCurve2d(const XtGeCompositeCurve2d& other);
  XtGeCompositeCurve2d(XtGeCompositeCurve2d&& other) noexcept;
  XtGeCompositeCurve2d& operator=(const XtGeCompositeCurve2d& other);
  XtGeCompositeCurve2d& operator=(XtGeCompositeCurve2d&& other) noexcept;
  ~XtGeCompositeCurve2d() override;

  // Replaces the pieces by deep copies of the curves (null entries are
  // skipped).
  XtGeCompositeCurve2d& setCurveList(const XtGeCurve2dPtrArray& curves);
  // Replaces the pieces: a curve flagged 1 is handed over (the composite
  // deletes it), any other flag (or a missing one) stores a deep copy and
  // leaves the curve with the caller. A curve handed over twice, or the
  // composite itself, is copied instead. The old pieces are deleted unless
  // they are handed over again.
  XtGeCompositeCurve2d& setCurveList(const XtGeCurve2dPtrArray& curves,
                                     const XtGeIntArray& ownershipFlags);
  // Replaces the pieces by the given ones.
  XtGeCompositeCurve2d& setCurveList(std::vector<std::unique_ptr<XtGeCurve2d>>&& curves);

  // The pieces, borrowed (the array is emptied first).
  void getCurveList(XtGeCurve2dPtrArray& curves) const;
  int numCurves() const { return static_cast<int>(m_pieces.size()); }
  // The piece at index i (borrowed), or null for a bad index.
  const XtGeCurve2d* curveAt(int i) const;
  // Index of the piece that evaluates the parameter t (see xtEvalPoint); -1
  // when the composite is empty.
  int pieceIndexAt(double t) const;
  // The composite's parameter range [start, end] covered by piece i.
  bool getPieceRange(int i, double& start, double& end) const;
  // The own parameter of piece i at the composite parameter t (linear, also
  // outside the piece's range); NaN for a bad index.
  double pieceParam(int i, double t) const;
  // The total length (sum of the bounded pieces' lengths).
  double totalLength() const { return m_totalLength; }

  // The flattened simple pieces with their box tree (for the library's own
  // pair algorithms).
  const GeKernel::LeafTree& leafTree() const { return m_leafTree; }

  // ---- XtGeCurve2d
  int type() const override { return XtGe::kCompositeCrv2d; }
  [[nodiscard]] XtGeCompositeCurve2d* copy() const override;
  // Every piece follows the transform; when one cannot (an arc under a
  // non-uniform scale), nothing changes and false is answered. Pieces keep
  // their addresses.
  bool transformBy(const XtGeMatrix2d& m) override;
  void getInterval(XtGeInterval& interval) const override;
  bool hasStartPoint(XtGePoint2d& p) const override;
  bool hasEndPoint(XtGePoint2d& p) const override;
  // Start vs end only; an empty composite is not closed.
  bool xtIsClosed(const XtGeTol& tol = XtGeContext::gTol) const override;
  // At a joint the later piece evaluates (the last one at t = 1). An empty
  // composite answers a NaN point.
  XtGePoint2d xtEvalPoint(double t) const override;
  bool xtEvalDerivs(double t, XtGePoint2d& p, XtGeVector2d& d1, XtGeVector2d& d2) const override;
  // The parameter of the closest point; a joint answers the joint parameter,
  // the seam of a closed composite answers 0. NaN when empty.
  double paramOf(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const override;
  bool isOn(const XtGePoint2d& p, double& t, const XtGeTol& tol = XtGeContext::gTol) const override;
  XtGePoint2d closestPointTo(const XtGePoint2d& p,
                             const XtGeTol& tol = XtGeContext::gTol) const override;
  double distanceTo(const XtGePoint2d& p, const XtGeTol& tol = XtGeContext::gTol) const override;
  // Exact for pieces of lines and arcs; a meeting point where the curves meet.
  XtGePoint2d closestPointTo(const XtGeCurve2d& other, XtGePoint2d& pntOnOther,
                             const XtGeTol& tol = XtGeContext::gTol) const override;
  double xtLength(double fromParam, double toParam,
                  const XtGeTol& tol = XtGeContext::gTol) const override;
  double xtParamAtLength(double datum, double len, bool forward = true,
                         const XtGeTol& tol = XtGeContext::gTol) const override;
  // Absolute area between the curve from fromParam to toParam and the chord
  // back, with exact arc and ellipse segments; a whole closed composite
  // gives its enclosed area.
  bool xtArea(double fromParam, double toParam, double& area,
              const XtGeTol& tol = XtGeContext::gTol) const override;
  // Composites [0, t] and [t, 1]: the piece holding t is split, the pieces
  // before and after are copied.
  void getSplitCurves(double t, XtGeCurve2d*& piece1, XtGeCurve2d*& piece2) const override;
  // Keeps the part [lower, upper] (the parameter then runs over [0, 1]
  // again). On a closed composite an interval reaching past 0 or 1 (at most
  // one turn long) wraps across the seam; on an open one the end pieces are
  // extended.
  bool setInterval(const XtGeInterval& interval) override;
  // Appends the direct pieces, borrowed (flag 0); false when empty.
  bool explode(XtGeCurve2dPtrArray& curves, XtGeIntArray& ownershipFlags) const override;
  void getSamplePoints(double fromParam, double toParam, double approxEps,
                       XtGePoint2dArray& points, XtGeDoubleArray& params) const override;
  XtGeBoundBlock2d xtOrthoBoundBlock() const override { return m_box; }
  // Reverses the order of the pieces and each piece.
  XtGeCompositeCurve2d& reverseParam() override;
  bool getTrimmedOffset(double d, XtGeCurve2dPtrArray& offsetCurves, int extType = XtGe::kFillet,
                        const XtGeTol& tol = XtGeContext::gTol) const override;

private:
  struct PieceRange {
    double g0 = 0.0;  // composite parameter range
    double g1 = 0.0;
    double lo = 0.0;  // the piece's own interval
    double hi = 0.0;
    double length = 0.0;
    double cumLength = 0.0;  // length of the pieces before
    bool bounded = false;
  };

  void rebuild();
  // Moves other's pieces and tables here, leaving other empty.
  void takeFrom(XtGeCompositeCurve2d& other) noexcept;
  double toCompositeParam(int i, double u) const;
  // As pieceIndexAt, but at a joint the piece ending there.
  int pieceIndexEndingAt(double t) const;
  // Signed length from the composite's start to t (negative before it).
  double lengthAt(double t) const;
  // Whether every piece can follow the transform.
  bool canTransformBy(const XtGeMatrix2d& m) const;
  // Copies of the pieces over [a, b] (a <= b), appended to out.
  void appendPart(double a, double b, std::vector<std::unique_ptr<XtGeCurve2d>>& out) const;

  std::vector<std::unique_ptr<XtGeCurve2d>> m_pieces;
  std::vector<PieceRange> m_ranges;
  double m_totalLength = 0.0;
  int m_firstWide = -1;  // first and last piece with a parameter range
  int m_lastWide = -1;
  XtGeBoundBlock2d m_box;
  GeKernel::LeafTree m_leafTree;
};
