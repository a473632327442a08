// Sharing one entity list between copies: copy on write and the last release.
#include <gtest/gtest.h>

#include <string>

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/ltListRef.h"
#include "tests/host/ResbufTestUtil.h"

namespace {

TEST(ltListRef, AppendToASharedListCopiesFirst) {
  ltListRef* a = ltListRef::create(buildResbufListFor(0, u"LINE", 8, u"0", -9));
  ltListRef* b = ltListRef::share(a);
  ASSERT_EQ(a->refCount, 2);
  ListGuard xdata(buildResbufListFor(1001, u"QEV_DATA", 1000, u"x", -9));
  ltListRef::append(b, xdata.list);
  ASSERT_NE(a, b);
  EXPECT_EQ(a->refCount, 1);
  EXPECT_EQ(codesOf(a->list), (std::vector<int>{0, 8}));
  EXPECT_EQ(codesOf(b->list), (std::vector<int>{0, 8, 1001, 1000}));
  EXPECT_NE(b->list->next->next, xdata.list);  // a copy was appended
  releaseResbufHolder(a);
  releaseResbufHolder(b);
  EXPECT_TRUE(a == nullptr && b == nullptr);
  releaseResbufHolder(a);

  // Without a holder an append makes one (of nothing, none).
  ltListRef* h = nullptr;
  ltListRef::append(h, nullptr);
  EXPECT_EQ(h, nullptr);
  ltListRef::append(h, xdata.list);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(std::pair(h->refCount, codesOf(h->list)), std::pair(1, std::vector<int>{1001, 1000}));
  releaseResbufHolder(h);
}

TEST(ltListRef, MakeUniqueOfASharedEmptyListLeavesNoHolder) {
  ltListRef* a = ltListRef::create(nullptr);
  ltListRef* b = ltListRef::share(a);
  ltListRef::makeUnique(b);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(a->refCount, 1);
  ltListRef::makeUnique(a);  // not shared: unchanged
  ASSERT_NE(a, nullptr);
  releaseResbufHolder(a);
}

TEST(ltListRef, NarrowListsStayNarrowWhenMadeUnique) {
  char text[] = "a";
  resbuf node{};
  node.code = 1;
  node.value.narrow = text;
  ltListRef* a = nullptr;
  ltListRef::appendNarrow(a, &node);
  ltListRef* b = ltListRef::share(a);
  ltListRef::makeUnique(b);  // a UTF-16 copy of "a" would read past its end
  ASSERT_NE(b, nullptr);
  EXPECT_STREQ(b->list->value.narrow, "a");
  releaseResbufHolder(a);
  releaseResbufHolder(b);
}

// One list holds texts of one kind: a narrow chain is not mixed into a UTF-16
// list (a later copy would read its texts as UTF-16, past their end), nor the
// other way round.
TEST(ltListRef, ChainsOfTheOtherTextKindAreNotMixedIn) {
  char text[] = "a";
  resbuf narrowNode{};
  narrowNode.code = 1;
  narrowNode.value.narrow = text;
  ltListRef* wide = ltListRef::create(buildResbufListFor(0, u"LINE", -9));
  ltListRef::appendNarrow(wide, &narrowNode);
  EXPECT_EQ(codesOf(wide->list), (std::vector<int>{0}));
  ltListRef* shared = ltListRef::share(wide);
  ltListRef::makeUnique(shared);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(std::u16string(shared->list->value.str), u"LINE");

  ltListRef* narrow = nullptr;
  ltListRef::appendNarrow(narrow, &narrowNode);
  ListGuard wideChain(buildResbufListFor(8, u"0", -9));
  ltListRef::append(narrow, wideChain.list);
  EXPECT_EQ(codesOf(narrow->list), (std::vector<int>{1}));
  releaseResbufHolder(wide);
  releaseResbufHolder(shared);
  releaseResbufHolder(narrow);
}

}  // namespace
