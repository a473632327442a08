#include <string_view>

#include "host/entities/commonProperties.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/mleaderList.h"

namespace {

XtGePoint3d point3(const resbuf* n) { return {n->value.point[0], n->value.point[1], n->value.point[2]}; }
XtGeVector3d vector3(const resbuf* n) { return {n->value.point[0], n->value.point[1], n->value.point[2]}; }
std::u16string textOf(const resbuf* n) { return n->value.str ? n->value.str : u""; }
bool isSection(const resbuf* n, int code, std::u16string_view text) {
  return n != nullptr && n->code == code && n->value.str != nullptr && text == n->value.str;
}

// A leader section from its "LEADER{" to its "}"; answers the node after
// it, or null when the section does not close.
const resbuf* readLeader(const resbuf* node, mleaderLeader& leader) {
  for (node = node->next; node != nullptr; node = node->next) {
    switch (node->code) {
      case 303: return node->next;
      case 290: leader.hasLastLine = node->value.i16 != 0; break;
      case 291: leader.hasDogleg = node->value.i16 != 0; break;
      case 10: leader.lastPoint = point3(node); break;
      case 11: leader.doglegDirection = vector3(node); break;
      case 90: leader.index = node->value.i32; break;
      case 40: leader.doglegLength = node->value.real; break;
      case 271: leader.attachmentDirection = node->value.i16; break;
      case 304: {
        if (!isSection(node, 304, u"LEADER_LINE{")) return nullptr;
        mleaderLine& line = leader.lines.emplace_back();
        for (node = node->next; node != nullptr && node->code != 305; node = node->next) {
          if (node->code == 10) line.vertices.push_back(point3(node));
          else if (node->code == 91) line.index = node->value.i32;
        }
        if (node == nullptr) return nullptr;
        break;
      }
      default: break;
    }
  }
  return nullptr;
}

enum class contextPart { context, text, block };

// One group of the context data outside the leader sections.
void readContextGroup(const resbuf* node, mleaderContext& c, contextPart& current, int& matrixEntries) {
  const int code = node->code;
  if (code == 290) {
    c.hasText = node->value.i16 != 0;
    current = c.hasText ? contextPart::text : contextPart::context;
    return;
  }
  if (code == 296) {
    c.hasBlock = node->value.i16 != 0;
    current = c.hasBlock ? contextPart::block : contextPart::context;
    return;
  }
  if (code >= 110 && code <= 112) current = contextPart::context;
  if (current == contextPart::text) {
    switch (code) {
      case 304: c.text = textOf(node); break;
      case 11: c.textNormal = vector3(node); break;
      case 340: c.textStyleHandle = textOf(node); break;
      case 12: c.textLocation = point3(node); break;
      case 13: c.textDirection = vector3(node); break;
      case 42: c.textRotation = node->value.real; break;
      case 43: c.textWidth = node->value.real; break;
      case 44: c.textDefinedHeight = node->value.real; break;
      case 45: c.lineSpacingFactor = node->value.real; break;
      case 170: c.lineSpacingStyle = node->value.i16; break;
      case 90: c.textColour = static_cast<std::uint32_t>(node->value.i32); break;
      case 171: c.textAttachment = node->value.i16; break;
      case 172: c.flowDirection = node->value.i16; break;
      case 91: c.backgroundColour = static_cast<std::uint32_t>(node->value.i32); break;
      case 141: c.backgroundScale = node->value.real; break;
      case 92: c.backgroundTransparency = node->value.i32; break;
      case 291: c.backgroundOn = node->value.i16 != 0; break;
      case 292: c.windowColour = node->value.i16 != 0; break;
      case 173: c.columnType = node->value.i16; break;
      case 293: c.autoHeight = node->value.i16 != 0; break;
      case 142: c.columnWidth = node->value.real; break;
      case 143: c.columnGutter = node->value.real; break;
      case 294: c.flowReversed = node->value.i16 != 0; break;
      case 295: c.columnCount = node->value.i16 != 0; break;
      default: break;
    }
    return;
  }
  if (current == contextPart::block) {
    switch (code) {
      case 341: c.blockHandle = textOf(node); break;
      case 14: c.blockNormal = vector3(node); break;
      case 15: c.blockPosition = point3(node); break;
      case 16: c.blockScale.set(node->value.point[0], node->value.point[1], node->value.point[2]); break;
      case 46: c.blockRotation = node->value.real; break;
      case 93: c.blockColour = static_cast<std::uint32_t>(node->value.i32); break;
      case 47:
        if (matrixEntries < 16) c.blockMatrix[static_cast<std::size_t>(matrixEntries++)] = node->value.real;
        break;
      default: break;
    }
    return;
  }
  switch (code) {
    case 40: c.scale = node->value.real; break;
    case 10: c.contentBase = point3(node); break;
    case 41: c.textHeight = node->value.real; break;
    case 140: c.arrowSize = node->value.real; break;
    case 145: c.landingGap = node->value.real; break;
    case 174: c.leftAttachment = node->value.i16; break;
    case 175: c.rightAttachment = node->value.i16; break;
    case 176: c.textAlignment = node->value.i16; break;
    case 177: c.attachmentType = node->value.i16; break;
    case 110: c.planeOrigin = point3(node); break;
    case 111: c.planeXAxis = vector3(node); break;
    case 112: c.planeYAxis = vector3(node); break;
    case 297: c.normalReversed = node->value.i16 != 0; break;
    case 272: c.topAttachment = node->value.i16; break;
    case 273: c.bottomAttachment = node->value.i16; break;
    default: break;
  }
}

// The context data from its opening group to its 301; answers the node
// after the 301 (null at the end of the list), and sets `closed`.
const resbuf* readContext(const resbuf* node, mleaderContext& c, bool& closed) {
  closed = false;
  contextPart current = contextPart::context;
  int matrixEntries = 0;
  node = node->next;
  while (node != nullptr) {
    if (node->code == 301) {
      closed = true;
      return node->next;
    }
    if (node->code == 302) {
      if (!isSection(node, 302, u"LEADER{")) return nullptr;
      node = readLeader(node, c.leaders.emplace_back());
      current = contextPart::context;
      continue;
    }
    readContextGroup(node, c, current, matrixEntries);
    node = node->next;
  }
  return nullptr;
}

// The settings after the context data, up to the extended data.
void readSettings(const resbuf* node, mleaderStyle& r) {
  for (; node != nullptr && node->code < 1000; node = node->next) {
    switch (node->code) {
      case 340: r.styleHandle = textOf(node); break;
      case 90: r.overrideFlags = static_cast<std::uint32_t>(node->value.i32); break;
      case 170: r.leaderLineType = node->value.i16; break;
      case 91: r.leaderLineColour = static_cast<std::uint32_t>(node->value.i32); break;
      case 171: r.leaderLineWeight = node->value.i16; break;
      case 290: r.landing = node->value.i16 != 0; break;
      case 291: r.dogleg = node->value.i16 != 0; break;
      case 41: r.doglegLength = node->value.real; break;
      case 342: r.arrowHandle = textOf(node); break;
      case 42: r.arrowSize = node->value.real; break;
      case 172: r.contentType = node->value.i16; break;
      case 343: r.textStyleHandle = textOf(node); break;
      case 173: r.textLeftAttachment = node->value.i16; break;
      case 95: r.textRightAttachment = static_cast<std::int16_t>(node->value.i32); break;
      case 174: r.textAngleType = node->value.i16; break;
      case 175: r.textAlignment = node->value.i16; break;
      case 92: r.textColour = static_cast<std::uint32_t>(node->value.i32); break;
      case 292: r.textFrame = node->value.i16 != 0; break;
      case 344: r.blockHandle = textOf(node); break;
      case 10: r.blockScale.set(node->value.point[0], node->value.point[1], node->value.point[2]); break;
      case 330: r.attributes.push_back({textOf(node), 0, 0.0, {}}); break;
      case 177:
        if (!r.attributes.empty()) r.attributes.back().index = node->value.i16;
        break;
      case 44:
        if (!r.attributes.empty()) r.attributes.back().width = node->value.real;
        break;
      case 302:
        if (!r.attributes.empty()) r.attributes.back().text = textOf(node);
        break;
      case 45: r.overallScale = node->value.real; break;
      default: break;
    }
  }
  // The list holds these divided by the overall scale.
  r.doglegLength *= r.overallScale;
  r.arrowSize *= r.overallScale;
  r.blockScale = r.blockScale * XtGeScale3d(r.overallScale);
}

}  // namespace

bool entReader2D::mleader(mleaderStyle& record, const resbuf* list) {
  if (!isListOfType(list, {u"MULTILEADER"})) return false;
  const resbuf* node = list;
  while (node != nullptr && !isSection(node, 100, u"AcDbMLeader")) node = node->next;
  if (node == nullptr || node->next == nullptr || node->next->code != 270 || node->next->value.i16 != 2) return false;
  node = node->next->next;
  if (!isSection(node, 300, u"CONTEXT_DATA{")) return false;
  mleaderStyle read;
  bool closed = false;
  node = readContext(node, read.context, closed);
  if (!closed) return false;
  readSettings(node, read);
  record = std::move(read);
  return true;
}

const HvMLeaderStyle* entReader2D::mleaderWithStyle(mleaderStyle& record, ltEntProps& props, const resbuf* list,
                                                    const std::vector<HvMLeaderStyle>& styles,
                                                    std::u16string_view styleName) {
  if (!mleader(record, list)) return nullptr;
  props.reset(false);
  commonProperties(props, list, false);
  return findStyleRecordByName(styles, styleName);
}
