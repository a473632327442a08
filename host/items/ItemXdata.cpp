#include "host/items/ItemXdata.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/HeapText.h"
#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/XdataAppNames.h"
#include "platform/win/NumberParse.h"
#include "platform/win/StringCompare.h"

namespace {

constexpr int kAppGroup = 1001;
constexpr int kTextGroup = 1000;
// More digits than any list can hold nodes for.
constexpr int kMaxSizeDigits = 9;

std::u16string_view textOf(const resbuf* node) {
  return node && node->value.str ? std::u16string_view(node->value.str) : std::u16string_view();
}

bool isText(const resbuf* node) { return node && node->code == kTextGroup; }

bool isApp(const resbuf* node, LPCWSTR name) {
  return node && node->code == kAppGroup && node->value.str && hvCompareNoCaseLetters(textOf(node), name) == 0;
}

// Reads decimal digits at `at`; false when there are none or too many.
bool readDecimal(std::u16string_view text, std::size_t& at, std::size_t& value) {
  value = 0;
  const std::size_t first = at;
  while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
    if (at - first == kMaxSizeDigits) return false;
    value = value * 10 + static_cast<std::size_t>(text[at] - u'0');
    ++at;
  }
  return at > first;
}

template <typename Node>
Node* findApp(Node* list, LPCWSTR name) {
  for (Node* node = list; node; node = node->next)
    if (isApp(node, name)) return node;
  return nullptr;
}

// The node `count` nodes after `from` within its block, or null when the
// block (or the list) ends earlier.
template <typename Node>
Node* skipInBlock(Node* from, std::size_t count) {
  Node* node = from;
  for (std::size_t i = 0; i < count; ++i) {
    node = node->next;
    if (!node || node->code == kAppGroup) return nullptr;
  }
  return node;
}

template <typename Node>
Node* findItemXdataIn(Node* list, CString* id) {
  Node* header = findApp(list, qevDataAppName);
  if (!header) return nullptr;
  header = header->next;
  if (!isText(header) || !header->value.str) return nullptr;
  std::size_t cells = 0;
  const bool newForm = readItemHeader(textOf(header), cells);
  Node* last = skipInBlock(header, cells);
  if (!last) return nullptr;
  if (id) {
    *id = CString(textOf(header));
    if (newForm)
      if (const char16_t* value = xdataValueByKey(itemKey::id, last->next)) *id = value;
  }
  return last;
}

resbuf* textPair(LPCWSTR key, LPCWSTR value) {
  return buildResbufList({{kTextGroup, key}, {kTextGroup, value}});
}

// Frees a chain handed to a function that does not keep it.
struct ChainGuard {
  resbuf* chain;
  ~ChainGuard() {
    if (chain) freeResbufChain(chain, false);
  }
};

// Unlinks and frees `count` nodes after `before`.
void removeAfter(resbuf* before, std::size_t count) {
  resbuf* first = before->next;
  resbuf* last = first;
  for (std::size_t i = 1; i < count; ++i) last = last->next;
  before->next = last->next;
  last->next = nullptr;
  freeResbufChain(first, false);
}

}  // namespace

bool readItemHeader(std::u16string_view header, std::size_t& cells) {
  cells = 0;
  if (!header.starts_with(u"E@")) return false;
  std::size_t at = 2;
  std::size_t cols = 0;
  std::size_t rows = 0;
  if (readDecimal(header, at, cols) && at < header.size() && header[at] == u'x' && readDecimal(header, ++at, rows))
    cells = cols * rows;
  return true;
}

bool itemKeysEqual(const char16_t* a, const char16_t* b) {
  return hvCompareNoCaseLetters(a ? a : u"", b ? b : u"") == 0;
}

resbuf* findItemXdata(resbuf* list, CString* id) { return findItemXdataIn(list, id); }

const resbuf* findItemXdata(const resbuf* list, CString* id) { return findItemXdataIn(list, id); }

const char16_t* xdataValueByKey(LPCWSTR key, const resbuf* node) {
  for (; isText(node) && isText(node->next); node = node->next->next)
    if (itemKeysEqual(node->value.str, key)) return node->next->value.str ? node->next->value.str : u"";
  return nullptr;
}

int setItemXdataValue(LPCWSTR name, LPCWSTR value, resbuf* list) {
  resbuf* last = findItemXdata(list);
  if (!last || !name) return 0;
  for (resbuf* key = last->next; isText(key) && isText(key->next); key = last->next) {
    resbuf* old = key->next;
    if (itemKeysEqual(key->value.str, name)) {
      if (!value) {
        removeAfter(last, 2);
        return 1;
      }
      char16_t* copy = hvWcsDup(value);
      if (!copy) return 0;
      std::free(old->value.str);
      old->value.str = copy;
      return 1;
    }
    last = old;
  }
  if (!value) return 2;
  resbuf* pair = textPair(name, value);
  if (!pair) return 0;
  resbufInsertAfter(last, pair);
  return 2;
}

bool setItemHeader(resbuf** list, resbuf* header) {
  ChainGuard guard{header};
  if (!list || !header) return false;
  if (isApp(header, qevDataAppName)) {
    guard.chain = header->next;
    header->next = nullptr;
    freeResbufChain(header, false);
    header = guard.chain;
  }
  if (!isText(header) || !textOf(header).starts_with(u"E@")) return false;

  resbuf* app = findApp(*list, qevDataAppName);
  resbuf* oldHeader = app ? app->next : nullptr;
  std::size_t removed = 0;
  CString oldId;
  if (isText(oldHeader) && oldHeader->value.str) {
    std::size_t cells = 0;
    if (!readItemHeader(textOf(oldHeader), cells)) oldId = CString(textOf(oldHeader));
    if (!skipInBlock(oldHeader, cells)) return false;
    removed = cells + 1;
  }
  if (!app) {
    bool marked = false;
    for (const resbuf* node = *list; node && !marked; node = node->next)
      marked = node->code == -3 || node->code == kAppGroup;
    resbuf* block = marked ? buildResbufList({{kAppGroup, qevDataAppName}})
                           : buildResbufList({{-3}, {kAppGroup, qevDataAppName}});
    if (!block) return false;
    appendResbufChain(list, block);
    app = lastResbufNode(block);
  }
  if (removed) removeAfter(app, removed);
  guard.chain = nullptr;
  lastResbufNode(header)->next = app->next;
  app->next = header;
  if (!oldId.IsEmpty()) setItemXdataValue(itemKey::id, oldId, *list);
  return true;
}

bool isItemInsert(const resbuf* list, WCHAR letter, int typeMask, CString* id, int* type, bool exact) {
  const resbuf* entityType = list;
  while (entityType && entityType->code != 0) entityType = entityType->next;
  if (!entityType || hvCompareNoCaseAscii(textOf(entityType), u"INSERT") != 0) return false;
  CString itemId;
  const resbuf* last = findItemXdata(list, &itemId);
  if (!last) return false;
  if (letter && (itemId.IsEmpty() || hvFoldLetters(itemId[0]) != hvFoldLetters(letter))) return false;
  const char16_t* typeText = xdataValueByKey(itemKey::type, last->next);
  int itemType = 0;
  if (!typeText) {
    if (typeMask != 0) return false;
  } else {
    itemType = _wtoi(typeText);
    const bool passes = typeMask == 0 || (exact ? itemType == typeMask : (itemType & typeMask) == typeMask);
    if (!passes) return false;
  }
  if (id) *id = itemId;
  if (type && typeText) *type = itemType;
  return true;
}

bool isItemInsert(const resbuf* list, WCHAR letter, int typeMask, CString* id, int* type) {
  return isItemInsert(list, letter, typeMask, id, type, true);
}
