// Building lists from pairs, with the marker codes, skipped texts, splices and
// values of the wrong kind. Run under AddressSanitizer, the failing builds also
// show that nothing leaks and nothing is freed twice.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "tests/host/ResbufTestUtil.h"

namespace {

std::u16string textOf(const resbuf* node) { return node->value.str; }

TEST(ResbufBuilder, PlainFormWithExtendedDataMarker) {
  ListGuard g(buildResbufListFor(1, u"A", -3, 1001, u"APP", 1000, u"x", -9));
  ASSERT_EQ(codesOf(g.list), (std::vector<int>{1, -3, 1001, 1000}));
  const resbuf* n = g.list;
  EXPECT_EQ(textOf(n), u"A");
  n = n->next;
  for (unsigned char b : n->value.bytes) EXPECT_EQ(b, 0);
  EXPECT_EQ(textOf(n->next), u"APP");
  EXPECT_EQ(textOf(n->next->next), u"x");
}

TEST(ResbufBuilder, SkippedNullAndMissingTexts) {
  ListGuard skipped(buildResbufListFor(8, hvSkipText, 62, 3, -9));  // the pair is left out
  ASSERT_EQ(codesOf(skipped.list), (std::vector<int>{62}));
  EXPECT_EQ(skipped.list->value.i16, 3);
  ListGuard g(buildResbufListFor(1, nullptr, 7, std::u16string(u"Standard")));  // no -9: the end ends it
  ASSERT_EQ(codesOf(g.list), (std::vector<int>{1, 7}));
  EXPECT_EQ(textOf(g.list), u"");
  EXPECT_EQ(textOf(g.list->next), u"Standard");
  EXPECT_EQ(buildResbufListFor(), nullptr);
  EXPECT_EQ(buildResbufListFor(-9), nullptr);
}

TEST(ResbufBuilder, MarkerModeEndsAtZeroOr5000AndMaps5020) {
  ListGuard a(buildResbufListV(1, 5020, u"LINE", 8, u"0", 0, 62, 1));
  ASSERT_EQ(codesOf(a.list), (std::vector<int>{0, 8}));
  EXPECT_EQ(textOf(a.list), u"LINE");
  ListGuard b(buildResbufListV(1, 40, 2.5, 5000, 62, 1));
  ASSERT_EQ(codesOf(b.list), (std::vector<int>{40}));
  // In mode 0, code 0 is an ordinary pair and 5020 has no value class.
  ListGuard c(buildResbufListV(0, 0, u"LINE", -9));
  ASSERT_EQ(codesOf(c.list), (std::vector<int>{0}));
  EXPECT_EQ(buildResbufListV(0, 5020, u"LINE", -9), nullptr);
}

TEST(ResbufBuilder, ValuesOfEveryClass) {
  const double p[3] = {1.5, -2.0, 3.25};
  const resbufName name{{0x1122334455667788ull, 42}};
  ListGuard g(buildResbufList({{10, p},
                               {11, std::array<double, 3>{4, 5, 0}},
                               {40, 7},  // an integer for a real
                               {50, 0.5},
                               {62, 256},
                               {70, 0xFFFF},  // 16 bits, read unsigned
                               {90, -7},
                               {160, std::int64_t{1} << 40},
                               {290, true},
                               {-2, name},
                               {5016},
                               {5017}}));
  ASSERT_EQ(codesOf(g.list), (std::vector<int>{10, 11, 40, 50, 62, 70, 90, 160, 290, -2, 5016, 5017}));
  std::vector<const resbuf*> n;
  for (const resbuf* r = g.list; r; r = r->next) n.push_back(r);
  EXPECT_EQ(std::tuple(n[0]->value.point[2], n[1]->value.point[1], n[2]->value.real, n[3]->value.real),
            std::tuple(3.25, 5.0, 7.0, 0.5));
  EXPECT_EQ(std::tuple(n[4]->value.i16, n[5]->value.i16, n[6]->value.i32, n[7]->value.i64, n[8]->value.i16),
            std::tuple(256, -1, -7, std::int64_t{1} << 40, 1));
  EXPECT_EQ(std::memcmp(&n[9]->value.name, &name, sizeof name), 0);
  EXPECT_EQ(std::tuple(n[10]->value.i16, n[11]->value.i16), std::tuple(std::int16_t{-1}, std::int16_t{-1}));
}

TEST(ResbufBuilder, WrongKindsAndBinaryCodesFail) {
  EXPECT_EQ(buildResbufListFor(1, u"A", 310, u"00FF", -9), nullptr);
  EXPECT_EQ(buildResbufListFor(1, u"A", 1004, nullptr, -9), nullptr);
  EXPECT_EQ(buildResbufListFor(1, 2.0, -9), nullptr);         // real for a text
  EXPECT_EQ(buildResbufListFor(10, u"x", -9), nullptr);       // text for a point
  EXPECT_EQ(buildResbufListFor(10, nullptr, -9), nullptr);    // no point at all
  EXPECT_EQ(buildResbufListFor(62, 1.5, -9), nullptr);        // real for an integer
  EXPECT_EQ(buildResbufListFor(62, 70000, -9), nullptr);      // does not fit 16 bits
  EXPECT_EQ(buildResbufListFor(90, std::int64_t{1} << 33, -9), nullptr);
  EXPECT_EQ(buildResbufListFor(-7, 1, -9), nullptr);          // a code without a class
  EXPECT_EQ(buildResbufListFor(u"1", u"A", -9), nullptr);     // a text where a code belongs
  EXPECT_EQ(buildResbufListFor(1), nullptr);                  // a code without its value
}

TEST(ResbufBuilder, SpliceTakesTheListOver) {
  resbuf* tail = buildResbufListFor(1000, u"a", 1070, 5, -9);
  ListGuard g(buildResbufListFor(1001, u"APP", -8, tail, 1000, u"z", -9));
  EXPECT_EQ(codesOf(g.list), (std::vector<int>{1001, 1000, 1070, 1000}));
  EXPECT_EQ(g.list->next, tail);
  ListGuard none(buildResbufListFor(1, u"A", -8, nullptr, -9));
  EXPECT_EQ(codesOf(none.list), (std::vector<int>{1}));
}

TEST(ResbufBuilder, BinaryPairAfterSpliceFreesTheSplicedListOnce) {
  resbuf* spliced = buildResbufListFor(330, u"1F", 1000, u"data", -9);
  ASSERT_NE(spliced, nullptr);
  EXPECT_EQ(buildResbufListFor(0, u"LINE", -8, spliced, 310, u"00", -9), nullptr);
  // A list handed over but never reached belongs to the failed call as well.
  resbuf* unreached = buildResbufListFor(1000, u"late", -9);
  EXPECT_EQ(buildResbufListFor(1, 2.0, -8, unreached, -9), nullptr);
  resbuf* pairSpliced = buildResbufListFor(1000, u"p", -9);
  EXPECT_EQ(buildResbufList({{-8, pairSpliced}, {310, nullptr}}), nullptr);
  resbuf* notUnderSplice = buildResbufListFor(1000, u"a", -9);
  EXPECT_EQ(buildResbufListFor(1, notUnderSplice, -9), nullptr);  // a list only under -8
}

}  // namespace
