#include "heating/design/model/CFHPipeStyles.h"

namespace {

CFHPipeStyle style(std::uint32_t colourIndex, const char16_t* linetype) {
  CFHPipeStyle made;
  made.colour = CFHPipeStyle::colourOfIndex(colourIndex);
  made.linetype = linetype;
  made.penWidth = 2;
  made.scale = 1;
  return made;
}

}  // namespace

CFHPipeStyles::CFHPipeStyles()
    : general(style(2, u"CONTINUOUS")),
      supply(style(1, u"CONTINUOUS")),
      returnStyle(style(5, u"DASHED")),
      furtherColours{CFHPipeStyle::colourOfIndex(94), CFHPipeStyle::colourOfIndex(251)} {}
