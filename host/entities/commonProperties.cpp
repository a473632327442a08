#include "host/entities/commonProperties.h"

#include <algorithm>

namespace {

// The first nodes of the codes the common properties are read from.
struct commonNodes {
  const resbuf* handle = nullptr;       // 5
  const resbuf* layer = nullptr;        // 8
  const resbuf* linetype = nullptr;     // 6
  const resbuf* color = nullptr;        // 62
  const resbuf* trueColor = nullptr;    // 420
  const resbuf* transparency = nullptr; // 440
  const resbuf* lineweight = nullptr;   // 370
  const resbuf* scale = nullptr;        // 48
  const resbuf* visibility = nullptr;   // 60
  const resbuf* paperSpace = nullptr;   // 67
  const resbuf* layout = nullptr;       // 410
  const resbuf* extra = nullptr;        // first code of 1000 or more
};

const resbuf** slotFor(commonNodes& nodes, int code) {
  switch (code) {
    case 5: return &nodes.handle;
    case 8: return &nodes.layer;
    case 6: return &nodes.linetype;
    case 62: return &nodes.color;
    case 420: return &nodes.trueColor;
    case 440: return &nodes.transparency;
    case 370: return &nodes.lineweight;
    case 48: return &nodes.scale;
    case 60: return &nodes.visibility;
    case 67: return &nodes.paperSpace;
    case 410: return &nodes.layout;
    default: return code >= 1000 ? &nodes.extra : nullptr;
  }
}

void takeText(std::u16string& field, const resbuf* node) {
  if (node != nullptr && node->value.str != nullptr) field = node->value.str;
}

}  // namespace

void decodeTransparency(std::int32_t value, std::int32_t& mode, std::int32_t& percent) {
  const std::uint32_t bits = static_cast<std::uint32_t>(value);
  const std::uint32_t kind = bits >> 24;
  if (kind == 0 || kind == 1) {
    mode = static_cast<std::int32_t>(kind);
    return;
  }
  // The range is checked after truncation: the alphas 1 and 2 that 99 percent
  // is written as (99.6 and 99.2 percent) read back as 99, not as by layer.
  const double p = 100.0 - static_cast<double>(bits & 0xFFu) * 100.0 / 255.0;
  const auto truncated = static_cast<std::int32_t>(p);
  if (truncated >= 1 && truncated <= 99) {
    mode = 2;
    percent = truncated;
  } else {
    mode = 0;
  }
}

std::int32_t encodeTransparency(std::int32_t mode, std::int32_t percent) {
  if (mode == 0) return 0;
  if (mode == 1) return 0x01000000;
  if (mode != 2 || percent >= 100) return 0x02000000;
  const std::int32_t shown = 100 - std::max(percent, 0);
  return 0x02000000 + shown * 255 / 100;
}

void entReader2D::commonProperties(ltEntProps& props, const resbuf* list, bool keep) {
  if (list == nullptr) return;
  commonNodes nodes;
  for (const resbuf* node = list; node != nullptr; node = node->next) {
    const resbuf** slot = slotFor(nodes, node->code);
    if (slot != nullptr && *slot == nullptr) *slot = node;
  }
  takeText(props.handle, nodes.handle);
  takeText(props.layer, nodes.layer);
  takeText(props.linetype, nodes.linetype);
  if (nodes.color) props.colorIndex = nodes.color->value.i16;
  if (nodes.trueColor) props.trueColor = static_cast<std::uint32_t>(nodes.trueColor->value.i32);
  props.hasTrueColor = nodes.trueColor != nullptr;
  if (nodes.transparency)
    decodeTransparency(nodes.transparency->value.i32, props.transparencyMode, props.transparencyPercent);
  if (nodes.lineweight) props.lineweight = nodes.lineweight->value.i16;
  if (nodes.scale) props.linetypeScale = nodes.scale->value.real;
  if (nodes.visibility) props.visibility = nodes.visibility->value.i16;
  if (nodes.paperSpace) props.paperSpace = nodes.paperSpace->value.i16;
  else if (!keep) props.paperSpace = 0;
  if (props.paperSpace != 0 && nodes.layout != nullptr && nodes.layout->value.str != nullptr)
    props.layoutName = nodes.layout->value.str;
  else if (!keep) props.layoutName.clear();
  if (nodes.extra) props.setTail(copyOwnedChain(nodes.extra));
}
