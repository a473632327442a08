#include "host/entities/dimStyleOverride.h"

#include <string>

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/entities/ownedChain.h"
#include "platform/win/StringCompare.h"

namespace {

bool isText(const resbuf* node, int code, std::u16string_view text) {
  return node != nullptr && node->code == code && node->value.str != nullptr &&
         hvCompareNoCaseAscii(node->value.str, text) == 0;
}

// The parts of the "ACAD" block of a list: the node before its DSTYLE
// opening "{" (null without a section), the node before its closing "}" and
// the last node of the block.
struct acadBlock {
  resbuf* appName = nullptr;     // (1001 "ACAD")
  resbuf* last = nullptr;        // the block's last node
  resbuf* sectionOpen = nullptr; // (1002 "{") of DSTYLE
  resbuf* beforeClose = nullptr; // the node before the section's (1002 "}")
};

acadBlock findAcadBlock(resbuf* list) {
  acadBlock block;
  for (resbuf* node = list; node != nullptr; node = node->next)
    if (isText(node, 1001, u"ACAD")) {
      block.appName = node;
      break;
    }
  if (block.appName == nullptr) return block;
  block.last = block.appName;
  while (block.last->next != nullptr && block.last->next->code != 1001) block.last = block.last->next;
  for (resbuf* node = block.appName; node != block.last; node = node->next) {
    if (isText(node, 1000, u"DSTYLE") && isText(node->next, 1002, u"{")) {
      block.sectionOpen = node->next;
      break;
    }
  }
  if (block.sectionOpen == nullptr) return block;
  resbuf* before = block.sectionOpen;
  while (before != block.last && !isText(before->next, 1002, u"}")) before = before->next;
  block.beforeClose = before;
  return block;
}

bool isValueCode(int code) { return code == 1040 || code == 1070 || code == 1000 || code == 1005; }

}  // namespace

const resbuf* findDimStyleOverride(const resbuf* list, int variable) {
  // The search changes nothing; the block finder is shared with the setter.
  const acadBlock block = findAcadBlock(const_cast<resbuf*>(list));
  if (block.sectionOpen == nullptr) return nullptr;
  const resbuf* node = block.sectionOpen;
  while (node != block.beforeClose && node->next != block.beforeClose) {
    const resbuf* number = node->next;
    if (number->code == 1070 && number->value.i16 == variable) return number->next;
    node = number->next;
  }
  return nullptr;
}

resbuf* setDimStyleOverride(resbuf* list, int variable, const resbuf& value) {
  if (!isValueCode(value.code)) return list;
  ownedChain copy(copyResbufChainEx(&value, false, true, true, nullptr, nullptr));
  if (!copy) return list;
  acadBlock block = findAcadBlock(list);
  if (block.appName == nullptr || block.sectionOpen == nullptr) {
    ownedChain section(buildResbufList({{1000, u"DSTYLE"}, {1002, u"{"}, {1070, variable}}));
    ownedChain close(buildResbufList({{1002, u"}"}}));
    if (!section || !close) return list;
    resbuf* chain = section.release();
    appendResbufChain(&chain, copy.release());
    appendResbufChain(&chain, close.release());
    if (block.appName != nullptr) {
      resbufInsertAfter(block.last, chain);
      return list;
    }
    ownedChain app(buildResbufList({{1001, u"ACAD"}}));
    if (!app) {
      freeResbufChain(chain, false);
      return list;
    }
    app->next = chain;
    appendResbufChain(&list, app.release());
    return list;
  }
  // Pairs inside the section: (1070 variable) then its value.
  resbuf* node = block.sectionOpen;
  while (node != block.beforeClose && node->next != block.beforeClose) {
    resbuf* number = node->next;
    resbuf* old = number->next;
    if (number->code == 1070 && number->value.i16 == variable) {
      resbuf* fresh = copy.release();
      fresh->next = old->next;
      number->next = fresh;
      old->next = nullptr;
      freeResbufChain(old, false);
      return list;
    }
    node = old;
  }
  ownedChain number(buildResbufList({{1070, variable}}));
  if (!number) return list;
  number->next = copy.release();
  resbufInsertAfter(block.beforeClose, number.release());
  return list;
}

resbuf* setDimStyleOverrideReal(resbuf* list, int variable, double value) {
  resbuf node{};
  node.code = 1040;
  node.value.real = value;
  return setDimStyleOverride(list, variable, node);
}

resbuf* setDimStyleOverrideInt(resbuf* list, int variable, int value) {
  resbuf node{};
  node.code = 1070;
  node.value.i16 = static_cast<std::int16_t>(value);
  return setDimStyleOverride(list, variable, node);
}

resbuf* setDimStyleOverrideString(resbuf* list, int variable, std::u16string_view value) {
  std::u16string text(value);
  resbuf node{};
  node.code = 1000;
  node.value.str = text.data();
  return setDimStyleOverride(list, variable, node);
}
