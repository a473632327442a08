#include "host/items/QevItem.h"

#include <string>

#include "host/XdataAppNames.h"
#include "host/items/itemPropertyKeys.h"
#include "host/items/itemXdataApps.h"
#include "platform/win/StringCompare.h"

namespace {

// The longest property-dialog text.
constexpr std::size_t kMaxDialogText = 2047;

std::u16string decimal(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

void appendEntry(std::u16string& text, const std::u16string& entry) {
  if (!text.empty()) text += u'/';
  text += entry;
}

std::size_t joinedLength(const std::u16string& text, const std::u16string& entry) {
  return text.size() + (text.empty() ? 0 : 1) + entry.size();
}

bool isItemOwnApp(std::u16string_view app) {
  return hvCompareNoCaseLetters(app, qevDataAppName) == 0 || hvCompareNoCaseLetters(app, qevInsPointAppName) == 0;
}

}  // namespace

void QevItem::reset() { *this = QevItem(); }

void QevItem::attributeTexts(std::u16string& names, std::u16string& values, std::u16string& statuses) const {
  names.clear();
  values.clear();
  statuses.clear();
  for (const itemAttribute& attribute : attributes) {
    if (attribute.key.empty() || attribute.value.empty() || (attribute.flags & 1u) != 0) continue;
    const std::u16string name = u"#" + attribute.key;
    std::u16string value;
    for (char16_t c : attribute.value) {
      if (c == u'/') value += u'\\';
      value += c;
    }
    const std::u16string status = decimal(attribute.status);
    if (joinedLength(names, name) > kMaxDialogText || joinedLength(values, value) > kMaxDialogText ||
        joinedLength(statuses, status) > kMaxDialogText)
      return;
    appendEntry(names, name);
    appendEntry(values, value);
    appendEntry(statuses, status);
  }
}

std::vector<std::uint8_t> QevItem::propertyFlags(const HostExport2D* host) const {
  const std::int32_t count = std::max<std::int32_t>(4, texts.count());
  std::vector<std::uint8_t> flags(static_cast<std::size_t>(count), 0);
  for (std::int32_t i = 0; i < count; ++i)
    flags[static_cast<std::size_t>(i)] =
        i < 4 || !texts.getAt(i).IsEmpty() || !itemPropertyKey(host, profession(), i).empty();
  return flags;
}

void QevItem::toEntProps(ltEntProps& out) const {
  out = props;
  out.setTail(nullptr);
  out.setReactors(nullptr);
}

void QevItem::setExtraApps(const resbuf* groups) {
  for (resbuf* block : copyXdataAppBlocks(groups)) {
    itemListHolder held = itemListHolder::owning(block);
    const std::u16string_view app = xdataAppName(held.list());
    if (isItemOwnApp(app)) continue;
    bool replaced = false;
    for (itemListHolder& existing : extraApps) {
      if (hvCompareNoCaseLetters(xdataAppName(existing.list()), app) == 0) {
        existing = held;
        replaced = true;
        break;
      }
    }
    if (!replaced) extraApps.push_back(std::move(held));
  }
}

namespace itemData {

void setProperties(QevItem& item, const ltEntProps& props) {
  item.props = props;
  item.props.setTail(nullptr);
  item.props.setReactors(nullptr);
}

}  // namespace itemData
