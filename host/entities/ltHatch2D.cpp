#include "host/entities/ltHatch2D.h"

#include <algorithm>
#include <initializer_list>

#include "geometry/curveListChecks.h"
#include "host/ResbufChain.h"
#include "host/entities/chainRange.h"
#include "host/entities/entKindFactories.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityListPairs.h"

std::unique_ptr<ltEnt2D> newHatch2D() { return std::make_unique<ltHatch2D>(); }

namespace {

// The extra groups (extended data ...) start at the first code of 1000 or
// more; the hatch's own groups lie before.
const resbuf* extraGroups(const resbuf* list) {
  while (list != nullptr && list->code < 1000) list = list->next;
  return list;
}

// The first node from `from` up to `end` whose code is one of `codes`.
const resbuf* findBefore(const resbuf* from, const resbuf* end, std::initializer_list<int> codes) {
  for (const resbuf* node = from; node != end && node != nullptr; node = node->next)
    if (std::find(codes.begin(), codes.end(), node->code) != codes.end()) return node;
  return nullptr;
}

bool isOneOf(int code, std::initializer_list<int> codes) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

resbuf* copyNode(const resbuf* node) { return copyResbufChainEx(node, false, true, true, nullptr, nullptr); }

// The node after the `count` paths that start at `node`; false when they
// cannot be read.
bool skipPaths(const resbuf*& node, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    ltHatchLoop scratch;
    const resbuf* next = readHatchBoundaryPath(scratch, node);
    if (next == node) return false;
    node = next;
  }
  return true;
}

}  // namespace

std::unique_ptr<ltEnt2D> ltHatch2D::clone() const { return std::unique_ptr<ltEnt2D>(new ltHatch2D(*this)); }

bool ltHatch2D::readList(const resbuf* list) {
  if (!entReader2D::isListOfType(list, {u"HATCH"})) return false;
  const resbuf* extra = extraGroups(list);
  const resbuf* count = findBefore(list, extra, {91});
  if (count == nullptr || count->value.i32 < 0) return false;

  std::vector<ltHatchLoop> loops;
  const resbuf* node = count->next;
  for (std::int32_t i = 0; i < count->value.i32; ++i) {
    ltHatchLoop loop;
    const resbuf* next = readHatchBoundaryPath(loop, node);
    if (next == node) return false;
    node = next;
    if (!isDegenerateLoop(loop.curve)) loops.push_back(std::move(loop));
  }

  std::vector<ltHatchPatternLine> lines;
  if (const resbuf* lineCount = findBefore(node, extra, {78})) {
    if (lineCount->value.i16 < 0) return false;
    node = lineCount->next;
    for (int i = 0; i < lineCount->value.i16; ++i) {
      ltHatchPatternLine line;
      const resbuf* next = readHatchPatternLine(line, node);
      if (next == node) return false;
      node = next;
      lines.push_back(std::move(line));
    }
  }
  loops_ = std::move(loops);
  patternLines_ = std::move(lines);
  return true;
}

void ltHatch2D::writeList() {
  if (loops_.empty()) return;
  const resbuf* old = getList();
  const resbuf* extra = extraGroups(old);
  const resbuf* body = findBefore(old, extra, {10});
  const resbuf* count = findBefore(body ? body : old, extra, {91});
  if (count == nullptr) return;

  entityListPairs pairs(getProps(), u"HATCH", old);
  pairs.add(100, u"AcDbHatch");
  // Associative only while every loop still names its source objects.
  const bool sourced =
      std::all_of(loops_.begin(), loops_.end(), [](const ltHatchLoop& loop) { return !loop.handles.empty(); });
  bool associativity = false;
  for (const resbuf* node = body ? body : count; node != count; node = node->next) {
    if (isOneOf(node->code, {10, 210, 2, 70, 63})) {
      pairs.splice(copyNode(node));
    } else if (node->code == 71 && !associativity) {
      pairs.add(71, node->value.i16 != 0 && sourced ? 1 : 0);
      associativity = true;
    }
  }
  if (!associativity) pairs.add(71, 0);
  pairs.add(91, static_cast<std::int64_t>(loops_.size()));
  for (const ltHatchLoop& loop : loops_) {
    resbuf* path = writeHatchLoop(loop);
    if (path == nullptr) return;
    pairs.splice(path);
  }

  // What follows the paths: the fill groups and the new pattern lines, then
  // the old list after its own pattern lines (seeds, gradient ...).
  const resbuf* rest = extra;
  if (const resbuf* fill = findBefore(count->next, extra, {75, 76})) {
    rest = fill;
    if (const resbuf* lineCount = findBefore(fill, extra, {78})) {
      for (const resbuf* node = fill; node != lineCount; node = node->next)
        if (isOneOf(node->code, {73, 75, 76, 77, 41, 52})) pairs.splice(copyNode(node));
      pairs.add(78, static_cast<std::int64_t>(patternLines_.size()));
      for (const ltHatchPatternLine& line : patternLines_) {
        resbuf* groups = writeHatchPatternLine(line);
        if (groups == nullptr) return;
        pairs.splice(groups);
      }
      rest = lineCount;
      while (rest != extra && isOneOf(rest->code, {43, 44, 45, 46, 49, 53, 78, 79})) rest = rest->next;
    }
  } else {
    const resbuf* afterPaths = count->next;
    if (skipPaths(afterPaths, count->value.i32)) rest = afterPaths;
  }
  bool copied = true;
  pairs.splice(copyChainRange(rest, extra, copied).release());
  if (!copied) return;
  adoptWrittenList(pairs.build(getProps()));
}
