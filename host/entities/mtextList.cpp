#include "host/entities/mtextList.h"

#include <cmath>

#include "host/entities/commonProperties.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/entityListPairs.h"
#include "host/entities/finiteValues.h"
#include "host/entities/textChunks.h"

resbuf* entBuilder2D::mtext(const ltEntProps& props, const XtGePoint2d& insertion, double height, double width,
                            int attachment, int direction, std::u16string_view text, std::u16string_view style,
                            double rotation, int spacingStyle, double spacingFactor, std::int32_t fillFlags,
                            double fillScale, int fillColour, const resbuf* previous) {
  if (!allFinite({insertion.x, insertion.y, height, width, rotation, spacingFactor, fillScale}) || height <= 0.0 ||
      attachment < 1 || attachment > 9)
    return nullptr;
  if (direction != 1 && direction != 3 && direction != 5) direction = 1;
  entityListPairs pairs(props, u"MTEXT", previous);
  pairs.add(100, u"AcDbMText");
  pairs.addPoint(10, insertion.x, insertion.y);
  pairs.add(40, height);
  if (width >= 0.0) pairs.add(41, width);
  pairs.add(71, attachment);
  pairs.add(72, direction);
  appendTextChunks(pairs.pairs(), text, false);
  pairs.add(7, style);
  pairs.addKept(210, previous);
  pairs.addPoint(11, std::cos(rotation), std::sin(rotation));
  pairs.add(73, spacingStyle);
  pairs.add(44, spacingFactor);
  if (fillFlags != 0) {
    pairs.add(90, fillFlags);
    pairs.add(45, fillScale);
    pairs.add(63, fillColour);
  }
  return pairs.build(props);
}

int entReader2D::mtext(XtGePoint2d& insertion, double& height, double& width, int& attachment, int& direction,
                       std::u16string& text, std::u16string& style, double& rotation, int& spacingStyle,
                       double& spacingFactor, const resbuf* list, ltEntProps* props) {
  if (!isListOfType(list, {u"MTEXT"})) return 0;
  XtGePoint2d at;
  double h = 0.0, w = 0.0, angle = 0.0, factor = 1.0;
  int attach = 1, flow = 0, spacing = 1;
  std::u16string body;
  std::u16string styleName = u"STANDARD";
  XtGeVector2d axis;
  bool hasAxis = false, hasAngle = false, embedded = false;
  for (const resbuf* node = list; node != nullptr; node = node->next) {
    switch (node->code) {
      case 101: embedded = true; break;
      case 1:
      case 3:
        if (node->value.str != nullptr) body += node->value.str;
        break;
      case 7: styleName = node->value.str ? node->value.str : u"STANDARD"; break;
      case 10:
        if (embedded) axis = vector2dOf(node), hasAxis = true;
        else at = point2dOf(node);
        break;
      case 11:
        if (embedded) at = point2dOf(node);
        else axis = vector2dOf(node), hasAxis = true;
        break;
      case 72: flow = node->value.i16; break;
      default:
        if (embedded) break;
        if (node->code == 40) h = node->value.real;
        else if (node->code == 41) w = node->value.real;
        else if (node->code == 44) factor = node->value.real;
        else if (node->code == 50) angle = node->value.real, hasAngle = true;
        else if (node->code == 71) attach = node->value.i16;
        else if (node->code == 73) spacing = node->value.i16;
    }
  }
  if (!allFinite({at.x, at.y, h, w, angle, factor, axis.x, axis.y}) || h <= 0.0) return 0;
  insertion = at;
  height = h;
  width = w;
  attachment = attach;
  direction = flow;
  text = std::move(body);
  style = std::move(styleName);
  rotation = hasAxis ? axis.angle() : hasAngle ? angle : 0.0;
  spacingStyle = spacing;
  spacingFactor = factor;
  if (props != nullptr) entReader2D::commonProperties(*props, list, false);
  return 1;
}
