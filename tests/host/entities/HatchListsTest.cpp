// HATCH lists: the groups the builders and path writer write, elliptical
// edges read back as written, the rewrite of a hatch copy and what it keeps,
// and lists the reader refuses. (Whole drawings go through the stand-in host
// in hatches.py.)
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "host/Tolerances.h"
#include "host/entities/HatchBuilder.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/ltHatch2D.h"
#include "host/entities/ltSolid2D.h"
#include "tests/host/entities/CurveListSupport.h"
#include "tests/host/entities/HatchShapes.h"

namespace {

using namespace hatchShapes;

std::vector<int> intsOf(const resbuf* list, int code) {
  std::vector<int> values;
  for (const resbuf* n : nodesOf(list, code)) values.push_back(code >= 90 && code < 100 ? n->value.i32 : n->value.i16);
  return values;
}

// A host pattern record of one dashed line at 45 degrees.
const double kDashes[] = {1.0, -0.5};
const HostHatchPatternLine kLine45{2, 45.0, 1.0, 0.0, 0.0, 3.175, kDashes};
HostHatchPattern patternNamed(const char* name) {
  HostHatchPattern pattern{};
  std::snprintf(pattern.name, sizeof pattern.name, "%s", name);
  pattern.lineCount = 1;
  pattern.lines = &kLine45;
  return pattern;
}

// The square [0,10]^2 as an edge path with one source handle.
std::vector<ResbufPair> squareEdges(int count = 4, int type = 1) {
  std::vector<ResbufPair> path{{92, 1}, {93, count}};
  const double c[5][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
  for (int i = 0; i < 4; ++i)
    path.insert(path.end(), {{72, type}, {10, xyz(c[i][0], c[i][1])}, {11, xyz(c[i + 1][0], c[i + 1][1])}});
  path.insert(path.end(), {{97, 1}, {330, u"2B"}});
  return path;
}

// A HATCH as a drawing holds it: the given paths, an ANSI31 line, a seed
// and extended data, with the common groups a rewrite writes.
ownedChain hatchList(const std::vector<ResbufPair>& paths, int pathCount) {
  std::vector<ResbufPair> pairs{{0, u"HATCH"}, {5, u"4A"},         {100, u"AcDbEntity"}, {8, u"ZONY"},
                                {6, u"BYLAYER"}, {62, 256},         {370, -1},            {48, 1.0},
                                {100, u"AcDbHatch"}, {10, xyz(0, 0)}, {210, xyz(0, 0, 1)}, {2, u"ANSI31"},
                                {70, 0},        {71, 1},            {91, pathCount}};
  pairs.insert(pairs.end(), paths.begin(), paths.end());
  pairs.insert(pairs.end(), {{75, 1},   {76, 1},   {52, 0.0},  {41, 2.0},  {77, 0},          {78, 1},
                             {53, 0.7}, {43, 0.0}, {44, 0.0},  {45, -4.0}, {46, 4.0},        {79, 0},
                             {47, 0.5}, {98, 1},   {10, xyz(5, 5)}, {1001, u"QEV_DATA"}, {1000, u"ZONE 1"}});
  return ownedChain(buildResbufList(pairs));
}

class HatchLists : public ::testing::Test {
 protected:
  GeometryToleranceScope tolerances{1};
  ltEntProps props;
};

TEST_F(HatchLists, SolidPatternsInAnyCaseAreSolidFillsAndOpenLoopsAreRefused) {
  const XtGeCompositeCurve2d square = rectangle(0, 0, 10, 10);
  const XtGeCurve2d* const boundaries[] = {&square};
  // The solid fill's groups are checked by hatches.py; a pattern named SOLID
  // in any case gives the same list.
  ownedChain solid(writeHatch(props, boundaries, nullptr, 0.0, 1.0));
  EXPECT_EQ(textOf(solid.get(), 470), u"LINEAR");
  const HostHatchPattern upper = patternNamed("SOLID"), lower = patternNamed("solid");
  EXPECT_EQ(describe(ownedChain(writeHatch(props, boundaries, &upper, 0.5, 2.0)).get()), describe(solid.get()));

  const XtGeCompositeCurve2d open = chain({new XtGeLineSeg2d({0, 0}, {1, 0})});
  const XtGeCurve2d* const withOpen[] = {&square, &open};
  EXPECT_EQ(writeHatch(props, withOpen, &lower, 0, 1), nullptr);
  EXPECT_EQ(entBuilder2D::solidHatch(props, withOpen), nullptr);
  EXPECT_EQ(writeHatch(props, {}, nullptr, 0, 1), nullptr);
  EXPECT_EQ(writeHatch(props, boundaries, &lower, 0, 0), nullptr);  // scale 0
  EXPECT_EQ(writeHatchLoop({open, 0, {}}), nullptr);
  EXPECT_EQ(writeHatchLoop({XtGeCompositeCurve2d(), 0, {}}), nullptr);
}

TEST_F(HatchLists, CopiesRewriteWhatTheyOwnAndKeepTheRest) {
  ownedChain list = hatchList(squareEdges(), 1);
  auto copy = entReader2D::entity(list.get());
  ASSERT_TRUE(copy && copy->entType() == ltEntKind::hatch);
  auto& hatch = static_cast<ltHatch2D&>(*copy);
  EXPECT_EQ(hatch.patternLines().size(), 1u);
  EXPECT_EQ(describe(hatch.getUpdatedList(2)), describe(list.get()));

  // Associative only while every loop names its sources.
  hatch.loops().push_back({circle(5, 5, 1), 1, {u"3C"}});
  EXPECT_EQ(intsOf(hatch.getUpdatedList(2), 71), std::vector<int>{1});
  EXPECT_EQ(intsOf(hatch.getList(), 91), std::vector<int>{2});
  hatch.loops().back().handles.clear();
  EXPECT_EQ(intsOf(hatch.getUpdatedList(2), 71), std::vector<int>{0});

  // A loop that cannot be written keeps list, handle and extended data.
  hatch.loops().back().curve = chain({new XtGeLineSeg2d({0, 0}, {1, 0})});
  const std::string before = describe(hatch.getList());
  EXPECT_EQ(hatch.getUpdatedList(2), nullptr);
  EXPECT_TRUE(hatch.isDirty());
  EXPECT_EQ(describe(hatch.getList()), before);
  EXPECT_EQ(hatch.getProps().handle, u"4A");
  EXPECT_EQ(describe(hatch.getProps().getTail()), "1001=QEV_DATA\n1000=ZONE 1\n");
}

TEST_F(HatchLists, ReaderRefusesBrokenListsAndDropsDegenerateLoops) {
  std::vector<ResbufPair> noFlags = squareEdges();
  noFlags.erase(noFlags.begin());
  const std::pair<std::vector<ResbufPair>, int> broken[] = {
      {squareEdges(5), 1},  {squareEdges(std::numeric_limits<std::int32_t>::max()), 1}, {squareEdges(4, 4), 1},
      {squareEdges(-1), 1}, {noFlags, 1},                                               {squareEdges(), 2}};
  for (const auto& [paths, count] : broken) {
    ltHatch2D hatch;
    hatch.loops().push_back({circle(0, 0, 1), 1, {}});
    ownedChain list = hatchList(paths, count);
    EXPECT_EQ(hatch.setFromList(list.get(), true), ltListRefused) << describe(list.get());
    EXPECT_EQ(hatch.loops().size(), 1u);
    EXPECT_EQ(hatch.getList(), nullptr);
    EXPECT_EQ(entReader2D::anyEntity(list.get())->entType(), ltEntKind::unknown);
  }
  for (auto [code, value] : {std::pair{44, 43}, std::pair{79, -1}}) {  // pattern groups out of order, 79 < 0
    ownedChain list = hatchList(squareEdges(), 1);
    resbuf* node = list.get();
    while (node->code != code) node = node->next;
    if (code == 79) node->value.i16 = static_cast<std::int16_t>(value);
    else node->code = static_cast<std::int16_t>(value);
    ltHatch2D hatch;
    EXPECT_EQ(hatch.setFromList(list.get(), true), ltListRefused) << describe(list.get());
  }

  // A path there and back is dropped: no loops, and no list written.
  ownedChain degenerate =
      hatchList({{92, 2}, {72, 0}, {73, 1}, {93, 2}, {10, xyz(0, 0)}, {10, xyz(5, 0)}, {97, 0}}, 1);
  ltHatch2D hatch;
  ASSERT_EQ(hatch.setFromList(degenerate.get(), true), 0);
  EXPECT_TRUE(hatch.loops().empty());
  EXPECT_EQ(hatch.getUpdatedList(2), nullptr);
}

TEST_F(HatchLists, PolylinePathsAndPatternLinesReadTheirCounts) {
  // A closed path that repeats its first vertex gets no zero-length piece.
  ownedChain path(buildResbufList({{92, 3}, {72, 1}, {73, 1}, {93, 5}, {10, xyz(0, 0)}, {42, 0.0}, {10, xyz(4, 0)},
                                   {42, 1.0}, {10, xyz(4, 4)}, {10, xyz(0, 4)}, {10, xyz(0, 0)}, {97, 0}, {53, 0.0}}));
  ltHatchLoop loop;
  const resbuf* after = readHatchBoundaryPath(loop, path.get());
  ASSERT_TRUE(after && after->code == 53);
  EXPECT_EQ(loop.curve.numCurves(), 4);
  EXPECT_EQ(loop.curve.curveAt(1)->type(), XtGe::kCircArc2d);

  // A line with 79 = 0 ends after its 79; the 49s that follow are not its own.
  ownedChain line(buildResbufList({{53, 0.5}, {43, 1.0}, {44, 2.0}, {45, 3.0}, {46, 4.0}, {79, 0}, {49, 1.0}}));
  ltHatchPatternLine read;
  EXPECT_EQ(readHatchPatternLine(read, line.get()), lastResbufNode(line.get()));
  EXPECT_TRUE(read.dashes.empty());
  line.get()->next->next->next->next->next->value.i16 = 2;  // two dashes counted, one given
  EXPECT_EQ(readHatchPatternLine(read, line.get()), line.get());
}

TEST_F(HatchLists, SeededDropsAndSwapsAreReadOrRefusedWhole) {
  std::mt19937 random(22);
  ownedChain base = hatchList(squareEdges(), 1);
  std::vector<const resbuf*> nodes;
  for (const resbuf* n = base.get(); n; n = n->next) nodes.push_back(n);
  for (int round = 0; round < 400; ++round) {
    std::vector<const resbuf*> order = nodes;
    for (int step = 1 + static_cast<int>(random() % 3); step > 0; --step) {
      const auto at = order.begin() + 1 + static_cast<std::ptrdiff_t>(random() % (order.size() - 1));
      if (random() % 2) order.erase(at);
      else std::iter_swap(at, order.begin() + 1 + static_cast<std::ptrdiff_t>(random() % (order.size() - 1)));
    }
    resbuf* head = nullptr;
    for (const resbuf* n : order) appendResbufChain(&head, copyResbufChainEx(n, false, true, true, nullptr, nullptr));
    ownedChain mutated(head);
    ltHatch2D hatch;
    hatch.loops().push_back({circle(0, 0, 1), 1, {}});
    const int status = hatch.setFromList(mutated.get(), true);
    ASSERT_TRUE(status == 0 || status == ltListRefused);
    if (status != 0) {
      EXPECT_EQ(hatch.loops().size(), 1u);
    } else if (const resbuf* rewritten = hatch.getUpdatedList(2)) {
      EXPECT_EQ(ltHatch2D().setFromList(rewritten, true), 0);
    }
  }
}

TEST_F(HatchLists, SolidsThatAreNoQuadrilateralsWriteThemselvesAsHatches) {
  ltSolid2D rounded(roundedRectangle(0, 0));
  const resbuf* list = rounded.getUpdatedList(0);
  EXPECT_EQ(textOf(list, 0), u"HATCH");
  EXPECT_EQ(realsOf(list, 42).size(), 8u);
  EXPECT_EQ(ltSolid2D(chain({new XtGeLineSeg2d({0, 0}, {4, 0})})).getUpdatedList(0), nullptr);  // open
}

}  // namespace
