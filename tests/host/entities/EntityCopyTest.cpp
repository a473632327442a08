// Entity copies: the shared list and its owned properties, the catch-all
// kind's rewrite, getUpdatedList, a refused read, the dispatch and bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "host/ResbufBuilder.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/ltUnknown2D.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "tests/host/entities/EntityTestLists.h"

namespace {

std::unique_ptr<ltEnt2D> unknownOf(const resbuf* list) {
  auto copy = entReader2D::anyEntity(list);
  EXPECT_TRUE(copy && copy->entType() == ltEntKind::unknown);
  return copy;
}

TEST(EntityCopy, CloneKeepsItsOwnPropertiesWhenTheOriginalGoes) {
  ownedChain source = dimensionList();
  auto original = unknownOf(source.get());
  const std::string before = describe(original->getList());
  auto clone = original->clone();
  ASSERT_EQ(clone->getList(), original->getList());  // one shared list
  clone->getProps().appendToTail(ownedChain(buildResbufList({{1001, u"HV_TAG_DEV"}, {1000, u"x"}})));
  ASSERT_NE(clone->getUpdatedList(2), nullptr);
  EXPECT_EQ(describe(original->getList()), before);
  EXPECT_EQ(original->getHolder()->refCount, 1);
  original.reset();
  EXPECT_EQ(clone->getProps().layer, u"KOTY");
  const std::string rewritten = describe(clone->getList());
  EXPECT_NE(rewritten.find("1001=QEV_DATA\n1000=TPV1001-0001\n1070=7\n1001=HV_TAG_DEV\n1000=x\n"),
            std::string::npos);
}

TEST(EntityCopy, UpdatedListModesOnCleanDirtyAndListlessCopies) {
  ownedChain source = dimensionList();
  ownedChain onlyEntity(buildResbufList({{0, u"SPLINE"}, {100, u"AcDbEntity"}, {8, u"0"}, {71, 3}}));
  for (int mode : {0, 1, 2}) {
    auto dirty = unknownOf(source.get());  // a fresh read is dirty
    EXPECT_EQ(dirty->getUpdatedList(mode) == nullptr, mode == 1) << mode;
    EXPECT_EQ(dirty->isDirty(), mode == 1) << mode;

    auto clean = unknownOf(source.get());
    const resbuf* held = clean->getUpdatedList(2);
    EXPECT_EQ(clean->getUpdatedList(mode) == held, mode != 2) << mode;  // only mode 2 rewrites a clean copy

    EXPECT_EQ(ltUnknown2D().getUpdatedList(mode), nullptr) << mode;

    // Only the common subclass: nothing to rewrite; the list stays and the copy is clean.
    auto single = unknownOf(onlyEntity.get());
    single->getProps().colorIndex = 5;
    const resbuf* kept = single->getUpdatedList(mode == 1 ? 1 : mode);
    EXPECT_EQ(single->isDirty(), mode == 1) << mode;
    EXPECT_EQ(describe(kept), mode == 1 ? "" : describe(onlyEntity.get())) << mode;
  }
}

// A kind whose all-or-nothing reader takes lists of type STUB with a point 10.
class stubKind final : public ltEnt2D {
 public:
  stubKind() = default;
  double x = -1;
  ltEntKind entType() const override { return ltEntKind::point; }
  std::unique_ptr<ltEnt2D> clone() const override { return std::unique_ptr<ltEnt2D>(new stubKind(*this)); }
  int splitByCurveBounded(const XtGeCurve2d&, ltEntArray& out, int selector, bool* inside, const XtGePoint2d*,
                          const XtGeBoundBlock2d*) override {
    out.push_back(clone());
    out.push_back(clone());
    *inside = selector == 2;
    return 2;
  }

 protected:
  bool readList(const resbuf* list) override {
    const resbuf* point = entReader2D::firstGroup(list, 10);
    if (!entReader2D::isListOfType(list, {u"STUB"}) || !point) return false;
    x = point->value.point[0];
    return true;
  }

 private:
  stubKind(const stubKind&) = default;
};

TEST(EntityCopy, ARefusedReadChangesNothing) {
  const double at[3] = {4, 5, 0};
  ownedChain good(buildResbufList({{0, u"STUB"}, {8, u"A"}, {10, at}, {1001, u"APP"}}));
  ownedChain bad(buildResbufList({{0, u"STUB"}, {8, u"B"}, {1001, u"OTHER"}}));
  stubKind stub;
  ASSERT_EQ(stub.setFromList(good.get(), true), 0);
  const resbuf* held = stub.getList();
  EXPECT_EQ(stub.setFromList(bad.get(), true), ltListRefused);
  EXPECT_EQ(stub.getList(), held);
  EXPECT_TRUE(stub.isDirty());
  EXPECT_EQ(std::tuple(stub.x, stub.getProps().layer, textOf(stub.getProps().getTail(), 1001)),
            std::tuple(4.0, u"A", u"APP"));
  // Without parsing the list is attached and only the properties follow it.
  EXPECT_EQ(stub.setFromList(bad.get(), false), 0);
  EXPECT_EQ(std::tuple(stub.x, stub.getProps().layer, textOf(stub.getProps().getTail(), 1001)),
            std::tuple(4.0, u"B", u"OTHER"));
  ltListRef* narrow = ltListRef::create(nullptr, true);  // never read as UTF-16
  EXPECT_EQ(stub.setFromResbuf(narrow, false), ltListRefused);
  releaseResbufHolder(narrow);
}

TEST(EntityCopy, SplitByCurvesCutsThePiecesOfEachCurveWithTheNext) {
  stubKind whole;
  const XtGeLineSeg2d segment(XtGePoint2d(0, 0), XtGePoint2d(1, 0));
  const std::vector<const XtGeCurve2d*> cutters{&segment, nullptr, &segment, &segment};
  std::vector<const XtGeCurve2d*> cutting;
  ltEntArray out;
  EXPECT_EQ(whole.splitByCurves(cutters, out, std::vector<int>{1, 1, 2}, &cutting, nullptr, nullptr), 2);
  EXPECT_EQ(out.size(), 8u);
  EXPECT_EQ(cutting, std::vector<const XtGeCurve2d*>{&segment});
}

TEST(EntityDispatch, BadListsGiveNoCopyOrAnUntouchedOne) {
  EXPECT_EQ(entReader2D::entity(nullptr), nullptr);
  EXPECT_EQ(entReader2D::anyEntity(nullptr), nullptr);
  ownedChain noType(buildResbufList({{100, u"AcDbEntity"}, {8, u"0"}, {100, u"AcDbLine"}}));
  ownedChain nullType(buildResbufList({{0, u"LINE"}, {100, u"AcDbEntity"}, {100, u"AcDbLine"}}));
  std::free(nullType->value.str);
  nullType->value.str = nullptr;
  for (const resbuf* list : {noType.get(), nullType.get()}) {
    EXPECT_EQ(entReader2D::entity(list), nullptr);
    EXPECT_EQ(describe(unknownOf(list)->getUpdatedList(2)), describe(list));
  }
  // 200,000 nodes of extended data are read and rewritten whole.
  ownedChain list = dimensionList();
  resbuf* last = list.get();
  while (last->next) last = last->next;
  for (int i = 0; i < 200'000; ++i) last = last->next = buildResbufList({{1000, u"x"}});
  auto copy = unknownOf(list.get());
  const std::vector<int> codes = codesOf(copy->getUpdatedList(2));
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 1000), 200'001);
}

}  // namespace
