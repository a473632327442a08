// The boundary tree: closed curves merged into non-crossing boundaries. The
// top level holds the outer boundaries of regions, their children are
// holes, the holes' children islands, and so on: nodes at even depth bound
// regions, nodes at odd depth holes. Every added curve is merged by one of
// four modes:
//   0 union        the curve's region is added
//   1 subtraction  the curve's region is cut away
//   2 nesting      the curve toggles the area it encloses, but only when it
//                  touches and crosses no boundary of the tree
//   3 even-odd     the curve toggles the area it encloses (the rule of hatch
//                  loops); crossings and touches are resolved
// Crossing and touching boundaries are resolved with combineClosedCurves,
// so a tree never holds two boundaries that cross: siblings lie outside one
// another (relation 1, or 5 where they touch) and children inside their
// parent (2, or 6 where they touch it).
//
// Ownership: a node owns its curve and its children; a level (the root
// included) is an array of owned node pointers, released with
// releaseBoundaryLevel. Added curves are copied; the caller keeps its own.
//
// Tolerances: closedness of added curves uses workTol; classifyCurveRelation
// and combineClosedCurves use theirs (the latter sets the calling thread's
// XtGeContext::gTol to workTol for its duration and puts it back). One
// thread works on one tree; nothing throws.
//
// Failures: an addition that fails leaves the tree exactly as it was (the
// work is done on a copy that replaces the tree on success). Unexpected
// relations met while merging are reported through the failure reporter
// (source "boundBuilder") and the merge goes on with its fallback.
#pragma once

#include "geometry/curveList.h"
#include "geometry/hvArray.h"

#include <cstdint>
#include <functional>
#include <vector>

struct bndNode;
using bndLevel = hvArray<bndNode*>;

struct bndNode {
  // The node takes the curve (may be null only while it is being built).
  explicit bndNode(XtGeCurve2d* ownedCurve = nullptr) : curve(ownedCurve) {}
  // Deletes the children with their subtrees (iteratively), then the curve.
  ~bndNode();
  bndNode(const bndNode&) = delete;
  bndNode& operator=(const bndNode&) = delete;

  XtGeCurve2d* curve;                                  // owned, closed
  bndLevel children{0, bndLevel::kDefaultGrowBy};      // owned nodes
};

// Deletes every node of the level with its subtree and empties the level.
// Deep trees do not deepen the stack.
void releaseBoundaryLevel(bndLevel& level);

// Replaces `copy` (released first) by a deep copy of the level. False, copy
// left empty, when a curve cannot be copied or an array cannot grow.
bool copyBoundaryLevel(const bndLevel& level, bndLevel& copy);

// The modes of an addition.
inline constexpr std::uint32_t kBoundaryUnion = 0;
inline constexpr std::uint32_t kBoundarySubtract = 1;
inline constexpr std::uint32_t kBoundaryNest = 2;
inline constexpr std::uint32_t kBoundaryEvenOdd = 3;

// Answers of the additions.
inline constexpr std::uint32_t kBoundaryAdded = 0;
inline constexpr std::uint32_t kBoundaryNotPlaced = 2;  // touches or crosses (no-intersect form)
inline constexpr std::uint32_t kBoundaryOpen = 3;       // the curve is not closed (workTol)
inline constexpr std::uint32_t kBoundaryFailed = 6;     // the merge failed or the mode is unknown

// Merges a copy of the closed curve into the tree by the mode: 0 on
// success, 3 for an open curve, 6 when the merge fails or the mode is not
// one of 0 to 3 (mode 2 fails for a curve that touches or crosses a
// boundary). On 3 and 6 the tree is unchanged.
std::uint32_t boundBuilderAddBoundary(bndLevel& root, const XtGeCurve2d& curve, std::uint32_t mode);

// Places a copy of the closed curve only when it touches and crosses no
// boundary of the tree: 0 on success, 3 for an open curve, 2 otherwise
// (also for a mode that is not one of 0 to 3); the tree is unchanged unless
// 0 is answered.
std::uint32_t boundBuilderAddBoundaryNoIntersect(bndLevel& root, const XtGeCurve2d& curve,
                                                 std::uint32_t mode);

// The touching pass of the merges: nodes whose children touch them. It acts
// only where the nodes of the level shrink (mode 0 at odd depth: holes of a
// union; mode 1 at even depth: regions of a subtraction) and answers true
// either way. For each node n of `nodes` (at `depth`) and each child h:
// - h inside n touching it (relation 6): n becomes n minus h. One curve:
//   it is n's curve, h's children (the level of n's parity) go to
//   `detached`, h is deleted. Several curves: each becomes a new node of
//   `nodes` taking n's other children that lie in it (2 or 6); a child
//   equal to a new curve cancels it (its children go to `detached`); a
//   child that fits in none leaves as under relation 5; h's children go to
//   `detached`; n and h are deleted. When n minus h keeps h as a hole (a
//   touch at isolated points), nothing changes.
// - h outside n touching it (relation 5), a state the tree should not
//   hold: n keeps its curve and h leaves; in mode 1 (h a hole outside its
//   region) h's children (islands) go to `detached`, in mode 0 (h an island
//   in the solid part around its hole) they go with h, the region covering
//   their area.
// The pass ends after a bounded number of changes (a few per node); what
// is left then stays as it is.
bool absorbTouchingChildren(bndLevel& nodes, bndLevel& detached, std::uint32_t mode, int depth);

namespace bndBuilder {

// The builder. Its relation function (by default classifyCurveRelation,
// answering 1 at once for curves whose boxes lie apart) may be replaced to
// drive unusual states. The members below work on the tree in place: a
// failure may leave it half merged, which the add functions above prevent
// by working on a copy.
class bndData {
 public:
  using relationFn = std::function<int(const XtGeCurve2d& curve, const XtGeCurve2d& closedCurve)>;

  bndData();
  explicit bndData(relationFn relation);

  // boundBuilderAddBoundary and boundBuilderAddBoundaryNoIntersect with
  // this builder's relation function.
  std::uint32_t addBoundary(bndLevel& root, const XtGeCurve2d& curve, std::uint32_t mode) const;
  std::uint32_t addBoundaryNoIntersect(bndLevel& root, const XtGeCurve2d& curve, std::uint32_t mode) const;

  // Merges a copy of the closed curve into the level (at `depth`, the
  // children of `parent`, null for the root). True on success.
  bool add_boundary_intersect(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode, int depth,
                              bndNode* parent) const;
  // Places a copy of the closed curve where it touches and crosses nothing:
  // it descends through the nodes that hold it and is placed beside the
  // nodes of the level it stops at. True when placed.
  bool add_boundary_no_intersect(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode,
                                 int depth) const;

  bool absorbTouchingChildren(bndLevel& nodes, bndLevel& detached, std::uint32_t mode, int depth) const;

  int relation(const XtGeCurve2d& curve, const XtGeCurve2d& closedCurve) const { return m_relation(curve, closedCurve); }

  // Deeper trees than this are refused (the addition fails).
  static constexpr int kMaxDepth = 200;

 private:
  enum class placement { placed, blocked, failed };
  placement placeWithoutCrossing(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode, int depth) const;
  bool mergeEqual(bndLevel& level, int index, std::uint32_t mode, int depth) const;
  bool mergingPath(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode, int depth) const;
  bool cuttingPath(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode, int depth,
                   bndNode* parent) const;
  bool uniteIntoLevel(bndLevel& level, const XtGeCurve2d& curve, std::uint32_t mode, int depth,
                      const std::vector<int>& relations) const;

  relationFn m_relation;
};

}  // namespace bndBuilder
