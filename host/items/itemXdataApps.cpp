#include "host/items/itemXdataApps.h"

#include "host/ResbufChain.h"
#include "host/items/QevItem.h"
#include "platform/win/StringCompare.h"

namespace {

constexpr int kAppGroup = 1001;

bool isAppNamed(const resbuf* node, std::u16string_view app) {
  return node->code == kAppGroup && node->value.str && hvCompareNoCaseLetters(node->value.str, app) == 0;
}

// The last node of the block that begins at `block`.
resbuf* blockEnd(resbuf* block) {
  resbuf* last = block;
  while (last->next && last->next->code != kAppGroup) last = last->next;
  return last;
}

// A copy of the nodes of the chain that `keep` accepts, in order; null when
// none is accepted or the heap is exhausted (nothing leaks).
template <class Keep>
resbuf* copyNodesIf(const resbuf* chain, Keep keep) {
  resbuf* out = nullptr;
  resbuf** end = &out;
  for (const resbuf* node = chain; node; node = node->next) {
    if (!keep(node)) continue;
    resbuf* copy = copyResbufChainEx(node, false, true, true, nullptr, nullptr);
    if (copy == nullptr) {
      freeResbufChain(out, false);
      return nullptr;
    }
    *end = copy;
    end = &copy->next;
  }
  return out;
}

// A copy of the block that begins at `block` alone.
resbuf* copyBlock(const resbuf* block) {
  bool inBlock = true;
  return copyNodesIf(block, [&](const resbuf* node) {
    inBlock = inBlock && (node == block || node->code != kAppGroup);
    return inBlock;
  });
}

}  // namespace

std::u16string_view xdataAppName(const resbuf* block) {
  return block && block->code == kAppGroup && block->value.str ? std::u16string_view(block->value.str)
                                                               : std::u16string_view();
}

resbuf* findXdataAppBlock(resbuf* list, std::u16string_view app) {
  for (resbuf* node = list; node; node = node->next)
    if (isAppNamed(node, app)) return node;
  return nullptr;
}

const resbuf* findXdataAppBlock(const resbuf* list, std::u16string_view app) {
  return findXdataAppBlock(const_cast<resbuf*>(list), app);
}

std::vector<resbuf*> copyXdataAppBlocks(const resbuf* chain) {
  std::vector<resbuf*> blocks;
  for (const resbuf* node = chain; node; node = node->next) {
    if (node->code != kAppGroup) continue;
    resbuf* copy = copyBlock(node);
    if (copy == nullptr) {
      for (resbuf* block : blocks) freeResbufChain(block, false);
      return {};
    }
    blocks.push_back(copy);
  }
  return blocks;
}

bool replaceXdataApp(QevItem& item, std::size_t index, resbuf*& list) {
  if (index >= item.extraApps.size()) return false;
  const resbuf* held = item.extraApps[index].editableList();
  const std::u16string_view app = xdataAppName(held);
  if (app.empty()) return false;
  resbuf* before = nullptr;
  resbuf* old = list;
  while (old && !isAppNamed(old, app)) {
    before = old;
    old = old->next;
  }
  if (old == nullptr) return false;
  resbuf* copy = copyResbufChain(held, false);
  if (copy == nullptr) return false;
  resbuf* oldLast = blockEnd(old);
  lastResbufNode(copy)->next = oldLast->next;
  oldLast->next = nullptr;
  (before ? before->next : list) = copy;
  freeResbufChain(old, false);
  return true;
}

resbuf* copyWithoutAppsOf(const resbuf* groups, const resbuf* list) {
  bool keep = true;
  return copyNodesIf(groups, [&](const resbuf* node) {
    if (node->code == kAppGroup) keep = xdataAppName(node).empty() || !findXdataAppBlock(list, xdataAppName(node));
    return keep;
  });
}
