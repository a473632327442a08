#include "heating/design/drawing/CFHEntityInOut.h"

#include "heating/design/drawing/CFHDrawingInOut.h"

#include "host/entities/entReaderSteps.h"

namespace {

constexpr std::int16_t kXdataApp = 1001;
constexpr std::int16_t kXdataText = 1000;
constexpr std::u16string_view kHeatingApp = u"QEV_DATA";

bool isTagCode(const resbuf* node) { return node->code == kXdataText || node->code == kXdataApp; }

std::u16string_view textOf(const resbuf* node) {
  return node->value.str != nullptr ? std::u16string_view(node->value.str) : std::u16string_view();
}

}  // namespace

CFHEntityInOut::CFHEntityInOut(const resbuf* list) : CFHEntityInOut(kPlain, list) { valid_ = true; }

CFHEntityInOut::CFHEntityInOut(Kind kind, const resbuf* list) : CFHEntityRecord(kind), list_(copyOwnedChain(list)) {
  readTags();
}

const char16_t* CFHEntityInOut::handle() const {
  const resbuf* node = entReader2D::firstGroup(list_.get(), 5);
  return node != nullptr ? node->value.str : nullptr;
}

void CFHEntityInOut::readTags() {
  tags_.clear();
  const resbuf* node = list_.get();
  while (node != nullptr && !(node->code == kXdataApp && textOf(node) == kHeatingApp)) node = node->next;
  // Pairs while the codes stay 1000 or 1001; the walk ends with the list.
  while (node != nullptr && isTagCode(node)) {
    const resbuf* value = node->next;
    if (value == nullptr || !isTagCode(value)) break;
    tags_.emplace_back(textOf(node), textOf(value));
    node = value->next;
  }
}

bool CFHEntityInOut::findTag(std::u16string_view key, CString& out) const {
  for (const Tag& tag : tags_) {
    if (tag.first != key) continue;
    out = CString(tag.second.data(), static_cast<int>(tag.second.size()));
    return true;
  }
  return false;
}

const XtGeMatrix2d& CFHEntityInOut::workMatrix() { return CFHDrawingInOut::instance().workMatrix(); }
