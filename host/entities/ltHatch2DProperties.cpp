// Measuring a hatch copy: its loops nested by the fill style into an
// even-odd boundary tree, the tree's area and the lengths of its curves.
#include <limits>

#include "geometry/boundarySet.h"
#include "geometry/boundaryTreeQueries.h"
#include "geometry/regionCombination.h"
#include "geometry/reportAssertion.h"
#include "host/entities/HatchBuilder.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/ltHatch2D.h"

namespace {

// The path flag of text-box loops, which a measure leaves out.
constexpr std::int32_t kTextBoxPath = 8;

struct ownedTree {
  bndLevel root;
  ownedTree() = default;
  ownedTree(const ownedTree&) = delete;
  ownedTree& operator=(const ownedTree&) = delete;
  ~ownedTree() { releaseBoundaryLevel(root); }
};

bool isKnownRelation(int relation) {
  return relation == 1 || relation == 2 || relation == 4 || relation == 5 || relation == 6 || relation == 8;
}

void reportAt(int line) { HV_REPORT_ASSERTION(u"geBaseW", line, u"ltHatch2D::getProperties"); }

}  // namespace

int ltHatch2D::getProperties(double& area, double& boundaryLength, std::vector<std::unique_ptr<XtGeCurve2d>>& curves,
                             double& totalLength) const {
  const resbuf* styleGroup = entReader2D::firstGroup(getList(), 75);
  const int style = styleGroup ? styleGroup->value.i16 : 0;
  if (style < 0 || style > 2) {
    reportAt(8565);
    return 0;
  }

  std::vector<const XtGeCurve2d*> taken;
  for (std::size_t i = 0; i < loops_.size(); ++i) {
    if ((loops_[i].flags & kTextBoxPath) != 0) continue;
    curves.push_back(copyBoundaryCurveAt(loops_, static_cast<std::ptrdiff_t>(i),
                                         [](const ltHatchLoop& loop) -> const XtGeCompositeCurve2d& { return loop.curve; }));
    taken.push_back(curves.back().get());
  }

  // The nesting level of a loop is the number of loops that hold it: the
  // outermost ones are at level 0, whatever else lies beside them.
  bool failed = false;
  const std::size_t n = taken.size();
  std::vector<std::size_t> level(n, 0);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < n; ++j) {
      if (i == j) continue;
      const int relation = classifyCurveRelation(*taken[i], *taken[j]);
      if (!isKnownRelation(relation)) {
        reportAt(8475);
        failed = true;
      }
      if (relation == 2 || relation == 6) ++level[i];
    }

  // Outermost first, by the even-odd rule: style 0 takes every level,
  // style 1 the two outermost, style 2 the outermost.
  const std::size_t deepest = style == 0 ? std::numeric_limits<std::size_t>::max() : style == 1 ? 1 : 0;
  ownedTree tree;
  for (std::size_t at = 0; at < n && at <= deepest; ++at)
    for (std::size_t i = 0; i < n; ++i)
      if (level[i] == at && boundBuilderAddBoundary(tree.root, *taken[i], kBoundaryEvenOdd) != kBoundaryAdded) {
        reportAt(8587);
        failed = true;
      }
  if (hatchTreeArea(tree.root, area) != 0) failed = true;
  sumCurveLengths(boundaryLength, tree.root, 0, true);
  sumCurveLengths(totalLength, tree.root, 0, false);
  return failed ? 0 : 1;
}
