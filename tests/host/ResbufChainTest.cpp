// Copies, frees, tails, insertion and search over lists, the arena copy, and a
// seeded randomised build/copy/free run (clean under AddressSanitizer and
// LeakSanitizer when it passes there).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "host/AllocFromBuffer.h"
#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/GroupCodeType.h"
#include "tests/host/ResbufTestUtil.h"

namespace {

// A node made by hand, as the host hands binary chunks and names to modules.
resbuf* binaryNode(std::initializer_list<unsigned char> bytes) {
  auto* node = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
  node->code = 310;
  node->value.binary.length = static_cast<std::int16_t>(bytes.size());
  node->value.binary.data = static_cast<unsigned char*>(std::malloc(bytes.size()));
  std::memcpy(node->value.binary.data, bytes.begin(), bytes.size());
  return node;
}

// Node-by-node equality of code and value (texts compared by contents).
void expectSameList(const resbuf* a, const resbuf* b) {
  for (; a != nullptr && b != nullptr; a = a->next, b = b->next) {
    ASSERT_EQ(a->code, b->code);
    const std::uint32_t type = hvGroupCodeType(a->code);
    switch (type & hvClassMask) {
      case hvClassString:
        EXPECT_EQ(std::u16string(a->value.str), std::u16string(b->value.str)) << a->code;
        break;
      case hvClassBinary:
        ASSERT_EQ(a->value.binary.length, b->value.binary.length);
        EXPECT_EQ(std::memcmp(a->value.binary.data, b->value.binary.data,
                              static_cast<std::size_t>(a->value.binary.length)), 0);
        break;
      default:
        EXPECT_EQ(std::memcmp(a->value.bytes, b->value.bytes, hvValueBytes(type)), 0) << a->code;
    }
  }
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(b, nullptr);
}

TEST(ResbufChain, CopyIsDeepAndFreesIndependently) {
  const double p[3] = {1, 2, 3};
  resbuf* list = buildResbufListFor(0, u"LINE", 8, u"Vrstva", 10, p, 62, 5, 330, u"1F", -9);
  appendResbufChain(&list, binaryNode({0xDE, 0xAD, 0xBE}));
  resbuf* copy = copyResbufChain(list, false);
  expectSameList(list, copy);
  EXPECT_NE(copy->value.str, list->value.str);
  EXPECT_NE(lastResbufNode(copy)->value.binary.data, lastResbufNode(list)->value.binary.data);
  EXPECT_EQ(freeResbufChain(list, false), 5100);
  EXPECT_EQ(std::u16string(copy->next->value.str), u"Vrstva");
  EXPECT_EQ(freeResbufChain(copy, false), 5100);
  EXPECT_EQ(freeResbufChain(nullptr, true), 5100);
  EXPECT_EQ(copyResbufChain(nullptr, false), nullptr);
}

TEST(ResbufChain, KeepPointersCopyOutlivesItsOriginalFreedFirst) {
  resbuf* list = buildResbufListFor(-1, u"<Entity 1>", 0, u"INSERT", 330, u"1F", 360, u"2A", 8, u"0", -9);
  resbuf* copy = copyResbufChain(list, true);
  const resbuf* owner = findResbufText(copy, 330, u"1f");
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(owner->value.str, findResbufText(list, 330, u"1F")->value.str);  // shared
  EXPECT_NE(copy->next->value.str, list->next->value.str);                   // owned
  freeResbufChain(list, false);  // frees the shared texts once
  EXPECT_EQ(freeResbufChain(copy, true), 5100);  // must not touch them again
}

TEST(ResbufChain, CopyStopsAtCodesWithoutType) {
  resbuf* list = buildResbufListFor(0, u"LINE", 8, u"0", -9);
  auto* odd = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
  odd->code = 5100;
  resbufInsertAfter(list, odd);
  ListGuard g(list);
  ListGuard copy(copyResbufChain(list, false));
  EXPECT_EQ(codesOf(copy.list), (std::vector<int>{0}));
  EXPECT_EQ(copyResbufChain(odd, false), nullptr);
}

TEST(ResbufChain, FirstOnlyAndNarrowCopies) {
  ListGuard wide(buildResbufListFor(1, u"Příliš", 62, 3, -9));
  ListGuard first(copyResbufChainEx(wide.list, false, true, true, nullptr, nullptr));
  ASSERT_EQ(codesOf(first.list), (std::vector<int>{1}));
  EXPECT_EQ(std::u16string(first.list->value.str), u"Příliš");

  char text[] = "\x8a\xe8";  // narrow text in code page 1250
  auto* node = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
  node->code = 1;
  node->value.narrow = text;
  ListGuard narrow(copyResbufChainNarrow(node, false));
  EXPECT_STREQ(narrow.list->value.narrow, text);
  EXPECT_NE(narrow.list->value.narrow, text);
  std::free(node);
}

TEST(ResbufChain, TailInsertAndPrepend) {
  resbuf* head = nullptr;
  EXPECT_EQ(lastResbufNode(head), nullptr);
  EXPECT_EQ(resbufEndLink(&head), &head);  // linking after the end of an empty list sets the head
  appendResbufChain(&head, buildResbufListFor(1, u"a", -9));
  appendResbufChain(&head, buildResbufListFor(3, u"c", -9));
  ASSERT_EQ(codesOf(head), (std::vector<int>{1, 3}));
  EXPECT_EQ(resbufInsertAfter(head, buildResbufListFor(2, u"b", 2, u"b2", -9)), head);
  EXPECT_EQ(codesOf(head), (std::vector<int>{1, 2, 2, 3}));
  EXPECT_EQ(resbufInsertAfter(nullptr, nullptr), nullptr);
  prependResbufChain(&head, buildResbufListFor(0, u"TEXT", -9));
  EXPECT_EQ(codesOf(head), (std::vector<int>{0, 1, 2, 2, 3}));
  EXPECT_EQ(lastResbufNode(head)->code, 3);
  freeResbufChain(head, false);
}

TEST(ResbufChain, FindTextIgnoresCase) {
  ListGuard g(buildResbufListFor(1001, u"ACAD", 1000, u"QEV_DATA", 1001, u"QEV_DATA", 1001, u"ŽLUŤOUČKÝ", -9));
  const resbuf* found = findResbufText(g.list, 1001, u"qev_data");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found, g.list->next->next);
  EXPECT_EQ(findResbufText(g.list, 1001, u"žluťoučký"), g.list->next->next->next);
  EXPECT_EQ(findResbufText(g.list, 1001, u"QEV"), nullptr);
  EXPECT_EQ(findResbufText(g.list, 62, u"ACAD"), nullptr);
}

TEST(AllocFromBuffer, AlignsAndRefusesWhatDoesNotFit) {
  alignas(64) char arena[256];
  char* next = arena + 1;
  std::size_t left = 255;
  void* a = allocFromBuffer(&next, &left, 10);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a) % hvArenaAlignment, 0u);
  EXPECT_EQ(static_cast<char*>(a) + 10, next);
  EXPECT_EQ(left, 255 - (hvArenaAlignment - 1) - 10);
  char* before = next;
  const std::size_t leftBefore = left;
  EXPECT_EQ(allocFromBuffer(&next, &left, 1000), nullptr);
  EXPECT_EQ(next, before);
  EXPECT_EQ(left, leftBefore);
  EXPECT_EQ(allocFromBuffer(nullptr, &left, 1), nullptr);
}

TEST(ResbufChain, ArenaCopyIsAlignedAndRunsOutCleanly) {
  const double p[3] = {0.1, 0.2, 0.3};
  ListGuard list(buildResbufListFor(1, u"odd", 10, p, 40, 2.5, 1000, u"xy", -9));
  alignas(16) static char arena[1024];
  char* next = arena + 3;  // a misaligned start
  std::size_t left = sizeof arena - 3;
  resbuf* copy = copyResbufChainEx(list.list, false, false, true, &next, &left);
  ASSERT_NE(copy, nullptr);
  expectSameList(list.list, copy);
  for (const resbuf* n = copy; n; n = n->next) {
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(n) % alignof(resbuf), 0u);
    EXPECT_GE(reinterpret_cast<const char*>(n), arena);
    EXPECT_LT(reinterpret_cast<const char*>(n), arena + sizeof arena);
  }
  // Too small an arena: null, and the arena's owner keeps what was taken.
  char* small = arena;
  std::size_t smallLeft = 100;
  EXPECT_EQ(copyResbufChainEx(list.list, false, false, true, &small, &smallLeft), nullptr);
  EXPECT_LE(smallLeft, 100u);
}

// Random lists over codes of every class, copied with and without kept
// pointers, spliced into each other and freed.
TEST(ResbufChain, RandomisedBuildCopyFree) {
  std::mt19937 rng(20240611);
  const int codes[] = {-1, 0, 1, 5, 8, 10, 40, 50, 62, 70, 90, 160, 290, 330, 340, 360, 390,
                       1000, 1001, 1005, 1010, 1040, 1070, 1071, -3, 5016, 5017, -2};
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto randomText = [&] {
    std::u16string s(static_cast<std::size_t>(pick(12)), u'a');
    for (char16_t& c : s) c = static_cast<char16_t>(0x20 + pick(0xD7FF - 0x20));
    return s;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<ResbufPair> pairs;
    std::vector<std::u16string> texts;
    texts.reserve(40);
    const int n = pick(40);
    for (int i = 0; i < n; ++i) {
      const int code = codes[pick(sizeof codes / sizeof codes[0])];
      switch (hvGroupCodeClass(code)) {
        case hvClassString: texts.push_back(randomText()); pairs.push_back({code, texts.back()}); break;
        case hvClassPoint: pairs.push_back({code, std::array<double, 3>{1.0 * pick(99), -2.0, 0}}); break;
        case hvClassReal: pairs.push_back({code, pick(1000) / 7.0}); break;
        case hvClassName: pairs.push_back({code, resbufName{{rng(), rng()}}}); break;
        case hvClassInt64: pairs.push_back({code, static_cast<std::int64_t>(rng()) << 20}); break;
        case hvClassInt32: pairs.push_back({code, static_cast<std::int32_t>(rng())}); break;
        default: pairs.push_back({code, pick(30000)}); break;
      }
    }
    if (pick(4) == 0) pairs.push_back({-8, buildResbufListFor(1000, randomText(), 1070, 2, -9)});
    const bool failing = pick(10) == 0;
    if (failing) pairs.insert(pairs.begin() + pick(static_cast<int>(pairs.size()) + 1), ResbufPair{310, nullptr});
    resbuf* list = buildResbufList(pairs);
    if (failing) {
      EXPECT_EQ(list, nullptr);
      continue;
    }
    const bool keep = pick(2) == 0;
    resbuf* copy = copyResbufChain(list, keep);
    expectSameList(list, copy);
    resbuf* again = copyResbufChain(copy, false);
    if (pick(2) == 0) {
      freeResbufChain(list, false);
      freeResbufChain(copy, keep);
    } else {
      freeResbufChain(copy, keep);
      freeResbufChain(list, false);
    }
    ListGuard g(again);
  }
}

}  // namespace
