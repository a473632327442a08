#include "host/entities/auxEntityClass.h"

#include <algorithm>

#include "host/entities/entReaderSteps.h"
#include "platform/win/StringCompare.h"

namespace {

bool isDefpoints(const resbuf* node) {
  return node != nullptr && node->value.str != nullptr && hvCompareNoCaseAscii(node->value.str, u"DEFPOINTS") == 0;
}

bool isPlainColour(int colour) { return colour == 7 || colour == 256 || colour == -7 || colour == -256; }

void copyPoint(const resbuf* node, std::array<double, 3>* out) {
  if (out) std::copy(node->value.point, node->value.point + 3, out->begin());
}

}  // namespace

int entReader2D::classifyAuxEntity(const resbuf* list, std::array<double, 3>* point10,
                                   std::array<double, 3>* point11) {
  const resbuf* type = firstGroup(list, 0);
  if (type == nullptr) return 0;
  if (!isListOfType(type, {u"LINE"})) return isDefpoints(firstGroup(type->next, 8)) ? 1 : 0;

  bool layerSeen = false, onDefpoints = false, colourSeen = false, plain = false;
  bool found10 = point10 == nullptr, found11 = point11 == nullptr;
  for (const resbuf* node = type->next; node != nullptr && node->code != 0; node = node->next) {
    switch (node->code) {
      case 8:
        layerSeen = true;
        onDefpoints = isDefpoints(node);
        break;
      case 62:
        colourSeen = true;
        plain = isPlainColour(node->value.i16);
        break;
      case 10:
        copyPoint(node, point10);
        found10 = true;
        break;
      case 11:
        copyPoint(node, point11);
        found11 = true;
        break;
      default: continue;
    }
    if (!layerSeen || !colourSeen) continue;
    if (!plain) break;
    if (!onDefpoints) return 0;
    if (found10 && found11) return 2;
  }
  if (layerSeen && !onDefpoints) return 0;
  return !colourSeen || plain ? 2 : 1;
}
