#include "host/entities/textList.h"

#include <cmath>

#include "host/entities/commonProperties.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/finiteValues.h"
#include "platform/win/StringCompare.h"

bool isWritableText(const textValues& v) {
  return allFinite({v.insertion.x, v.insertion.y, v.alignment.x, v.alignment.y, v.height, v.rotation, v.widthFactor,
                    v.oblique}) &&
         v.height > 0.0;
}

void appendTextBody(entityListPairs& pairs, const textValues& v, std::u16string_view value) {
  pairs.addPoint(10, v.insertion.x, v.insertion.y);
  pairs.add(40, v.height);
  pairs.add(1, value);
  pairs.add(50, v.rotation);
  pairs.add(41, v.widthFactor);
  pairs.add(51, v.oblique);
  pairs.add(7, v.style);
  pairs.add(71, v.generationFlags);
  pairs.add(72, v.hJust);
  pairs.addPoint(11, v.alignment.x, v.alignment.y);
}

resbuf* entBuilder2D::text(const ltEntProps& props, const textValues& values, const resbuf* previous) {
  if (!isWritableText(values)) return nullptr;
  entityListPairs pairs(props, u"TEXT", previous);
  pairs.add(100, u"AcDbText");
  pairs.addKept(39, previous);
  appendTextBody(pairs, values, values.value);
  pairs.addKept(210, previous);
  pairs.add(100, u"AcDbText");
  pairs.add(73, values.vJust);
  return pairs.build(props);
}

bool entReader2D::text(textValues& values, const resbuf* list, ltEntProps* props, std::u16string_view typeName) {
  if (!isListOfType(list, {typeName})) return false;
  const bool isText = hvCompareNoCaseAscii(typeName, u"TEXT") == 0;
  enum class part { none, text, attribute, other } current = part::none;
  textValues read;
  for (const resbuf* node = list; node != nullptr && node->code != 101; node = node->next) {
    if (node->code == 100) {
      const std::u16string_view marker = node->value.str ? node->value.str : u"";
      current = marker == u"AcDbText"                                                       ? part::text
                : marker == u"AcDbAttribute" || marker == u"AcDbAttributeDefinition" ? part::attribute
                                                                                            : part::other;
      continue;
    }
    if (current == part::attribute && node->code == 74) read.vJust = node->value.i16;
    if (current != part::text) continue;
    switch (node->code) {
      case 1: read.value = node->value.str ? node->value.str : u""; break;
      case 7: read.style = node->value.str ? node->value.str : u"STANDARD"; break;
      case 10: read.insertion = point2dOf(node); break;
      case 11: read.alignment = point2dOf(node); break;
      case 40: read.height = node->value.real; break;
      case 41: read.widthFactor = node->value.real; break;
      case 50: read.rotation = node->value.real; break;
      case 51: read.oblique = node->value.real; break;
      case 71: read.generationFlags = node->value.i16; break;
      case 72: read.hJust = node->value.i16; break;
      case 73:
        if (isText) read.vJust = node->value.i16;
        break;
      default: break;
    }
  }
  if (!isWritableText(read)) return false;
  values = std::move(read);
  if (props != nullptr) entReader2D::commonProperties(*props, list, false);
  return true;
}
