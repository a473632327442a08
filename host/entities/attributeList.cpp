#include "host/entities/attributeList.h"

#include <cmath>

#include "host/ResbufChain.h"
#include "host/entities/entityListPairs.h"
#include "host/entities/finiteValues.h"
#include "host/entities/textChunks.h"
#include "host/entities/textList.h"

namespace {

constexpr std::u16string_view embeddedMarker = u"Embedded Object";

bool isWritableAttribute(const attributeValues& v) {
  return isWritableText(v) && allFinite({v.thickness, v.normal.x, v.normal.y, v.normal.z, v.fillScale, v.spacingFactor});
}

std::array<double, 3> normalOf(const attributeValues& v) { return {v.normal.x, v.normal.y, v.normal.z}; }

// (100 "AcDbText"), 39, the body, 210.
void appendAttributeText(entityListPairs& pairs, const attributeValues& v, std::u16string_view value) {
  pairs.add(100, u"AcDbText");
  pairs.add(39, v.thickness);
  appendTextBody(pairs, v, value);
  pairs.add(210, normalOf(v));
}

void appendDeviceTag(entityListPairs& pairs, const attributeValues& v) {
  if (v.deviceTag.empty()) return;
  pairs.add(1001, u"HV_TAG_DEV");
  pairs.add(1000, v.deviceTag);
}

// The embedded object from 101 through 44 and the fill groups; `chunks` is
// the multiline text, which the pairs view.
bool appendEmbedded(entityListPairs& pairs, const attributeValues& v, const std::u16string& chunks) {
  int attachment = v.attachment;
  if (attachment == -1) attachment = deriveAttachment(v.hJust, v.vJust);
  if (attachment < 1 || attachment > 9) return false;
  const int direction = v.direction == 1 || v.direction == 3 || v.direction == 5 ? v.direction : 1;
  const bool leftBaseline = v.hJust == 0 && v.vJust == 0;
  const XtGePoint2d& location = leftBaseline ? v.insertion : v.alignment;
  pairs.add(101, embeddedMarker);
  pairs.addPoint(10, location.x, location.y);
  pairs.addPoint(11, 1.0, 0.0);
  pairs.add(40, v.height);
  pairs.add(71, attachment);
  pairs.add(72, direction);
  appendTextChunks(pairs.pairs(), chunks, true);
  pairs.add(7, v.style);
  pairs.add(210, normalOf(v));
  pairs.add(50, v.rotation);
  pairs.add(73, v.spacingStyle);
  pairs.add(44, v.spacingFactor);
  if (v.fillFlags != 0) {
    pairs.add(90, v.fillFlags);
    pairs.add(63, v.fillColour);
    pairs.add(45, v.fillScale);
  }
  return true;
}

// (100 "AcDbAttribute"), 2, 70, (73 0), 74, 280.
void appendAttribPart(entityListPairs& pairs, const attributeValues& v) {
  pairs.add(100, u"AcDbAttribute");
  pairs.add(2, v.tag);
  pairs.add(70, v.attributeFlags);
  pairs.add(73, 0);
  pairs.add(74, v.vJust);
  pairs.add(280, v.lockFlag);
}

// (100 "AcDbAttributeDefinition"), 3, 2, 70, 74.
void appendAttDefPart(entityListPairs& pairs, const attributeValues& v) {
  pairs.add(100, u"AcDbAttributeDefinition");
  pairs.add(3, v.prompt);
  pairs.add(2, v.tag);
  pairs.add(70, v.attributeFlags);
  pairs.add(74, v.vJust);
}

void replaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  for (std::size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

const resbuf* extendedDataOf(const resbuf* list) {
  while (list != nullptr && list->code < 1000) list = list->next;
  return list;
}

// The first node after `from` whose code is 100 with the text; null when
// none comes before `end`.
const resbuf* findMarker(const resbuf* from, const resbuf* end, std::u16string_view text) {
  for (const resbuf* node = from; node != nullptr && node != end; node = node->next)
    if (node->code == 100 && node->value.str != nullptr && node->value.str == text) return node;
  return nullptr;
}

const resbuf* findCode(const resbuf* from, const resbuf* end, int code) {
  for (const resbuf* node = from; node != nullptr && node != end; node = node->next)
    if (node->code == code) return node;
  return nullptr;
}

}  // namespace

int deriveAttachment(int hJust, int vJust) {
  const int column = hJust > 2 ? 1 : hJust;
  switch (vJust) {
    case 0:
    case 1: return column + 7;
    case 2: return column + 4;
    case 3: return column + 1;
    default: return 0;
  }
}

std::u16string singleLineAttributeText(std::u16string_view value) {
  std::u16string text(value);
  replaceAll(text, u"\\n", u" ");
  replaceAll(text, u"\\P", u" ");
  return std::u16string(cutTextAt(text, textChunkLength));
}

std::u16string multilineAttributeText(std::u16string_view value) {
  std::u16string text(value);
  replaceAll(text, u"\\n", u"\\P");
  replaceAll(text, u"%%U", u"\\L");
  replaceAll(text, u"%%u", u"\\L");
  return text;
}

resbuf* writeAttDef(const ltEntProps& props, const attributeValues& v) {
  if (!isWritableAttribute(v)) return nullptr;
  entityListPairs pairs(props, u"ATTDEF");
  appendAttributeText(pairs, v, v.value);
  appendAttDefPart(pairs, v);
  return pairs.build(props);
}

resbuf* writeAttribSingle(const ltEntProps& props, const attributeValues& v) {
  if (!isWritableAttribute(v)) return nullptr;
  entityListPairs pairs(props, u"ATTRIB");
  appendAttributeText(pairs, v, v.value);
  appendAttribPart(pairs, v);
  appendDeviceTag(pairs, v);
  return pairs.build(props);
}

resbuf* writeAttrib(const ltEntProps& props, const attributeValues& v) {
  if (!isWritableAttribute(v)) return nullptr;
  const std::u16string single = singleLineAttributeText(v.value);
  const std::u16string multiline = multilineAttributeText(v.value);
  entityListPairs pairs(props, u"ATTRIB");
  appendAttributeText(pairs, v, single);
  appendAttribPart(pairs, v);
  pairs.add(71, v.multilineValue);
  pairs.add(72, 0);
  if (!appendEmbedded(pairs, v, multiline)) return nullptr;
  appendDeviceTag(pairs, v);
  return pairs.build(props);
}

resbuf* writeAttDefMultiline(const ltEntProps& props, const attributeValues& v) {
  if (!isWritableAttribute(v)) return nullptr;
  const std::u16string single = singleLineAttributeText(v.value);
  const std::u16string multiline = multilineAttributeText(v.value);
  entityListPairs pairs(props, u"ATTDEF");
  appendAttributeText(pairs, v, single);
  appendAttDefPart(pairs, v);
  pairs.add(280, v.lockFlag);
  pairs.add(71, v.multilineValue);
  pairs.add(72, 0);
  pairs.addPoint(11, v.alignment.x, v.alignment.y);
  if (!appendEmbedded(pairs, v, multiline)) return nullptr;
  return pairs.build(props);
}

std::u16string readAttributeTag(const resbuf* list) {
  const resbuf* end = extendedDataOf(list);
  const resbuf* marker = findMarker(list, end, u"AcDbAttribute");
  std::u16string tag;
  if (marker == nullptr) return tag;
  for (const resbuf* node = marker->next; node != end && node->code != 101; node = node->next)
    if (node->code == 2) tag = node->value.str ? node->value.str : u"";
  return tag;
}

bool readEmbeddedText(const resbuf* list, std::u16string& text) {
  const resbuf* end = extendedDataOf(list);
  const resbuf* embedded = findCode(list, end, 101);
  return embedded != nullptr && joinTextChunks(embedded->next, end, text);
}

resbuf* rewriteAttributeList(const ltEntProps& props, const textValues& values, std::u16string_view type,
                             std::u16string_view subclass, const resbuf* previous, const std::u16string* tag,
                             const std::u16string* embedded) {
  if (!isWritableText(values)) return nullptr;
  const resbuf* end = extendedDataOf(previous);
  const resbuf* marker = findMarker(previous, end, subclass);
  const bool isAttrib = type == u"ATTRIB";
  if (marker == nullptr && !(isAttrib && tag != nullptr && !tag->empty())) return nullptr;
  const resbuf* object = marker ? findCode(marker, end, 101) : nullptr;
  const bool newChunks = object != nullptr && embedded != nullptr;
  const std::u16string single = newChunks ? singleLineAttributeText(*embedded) : std::u16string();

  entityListPairs pairs(props, type, previous);
  pairs.add(100, u"AcDbText");
  pairs.addKept(39, previous);
  appendTextBody(pairs, values, newChunks ? std::u16string_view(single) : std::u16string_view(values.value));
  pairs.addKept(210, previous);
  if (marker == nullptr) {
    pairs.add(100, subclass);
    pairs.add(2, *tag);
    pairs.add(70, 0);
    pairs.add(74, values.vJust);
    return pairs.build(props);
  }
  bool inObject = false;
  bool chunksWritten = false;
  for (const resbuf* node = marker; node != end; node = node->next) {
    inObject = inObject || node->code == 101;
    if (!inObject && node->code == 74) {
      pairs.add(74, values.vJust);
      continue;
    }
    if (!inObject && node->code == 2 && tag != nullptr) {
      pairs.add(2, *tag);
      continue;
    }
    if (inObject && newChunks && (node->code == 1 || node->code == 3)) {
      // The new chunks stand where the first old one stood.
      if (!chunksWritten) appendTextChunks(pairs.pairs(), *embedded, true);
      chunksWritten = true;
      continue;
    }
    pairs.splice(copyResbufChainEx(node, false, true, true, nullptr, nullptr));
  }
  if (newChunks && !chunksWritten) appendTextChunks(pairs.pairs(), *embedded, true);
  return pairs.build(props);
}
