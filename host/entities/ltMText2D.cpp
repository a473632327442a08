#include "host/entities/ltMText2D.h"

#include <cmath>

#include "host/entities/entKindFactories.h"
#include "host/entities/mtextList.h"

std::unique_ptr<ltEnt2D> newMText2D() { return std::make_unique<ltMText2D>(); }

std::unique_ptr<ltEnt2D> ltMText2D::clone() const { return std::unique_ptr<ltEnt2D>(new ltMText2D(*this)); }

bool ltMText2D::readList(const resbuf* list) {
  ltMText2D read;
  if (entReader2D::mtext(read.insertion, read.height, read.width, read.attachment, read.direction, read.text,
                         read.style, read.rotation, read.spacingStyle, read.spacingFactor, list, nullptr) == 0)
    return false;
  // The fill groups of the main part (the embedded part has a 45 of its own).
  for (const resbuf* node = list; node != nullptr && node->code != 101 && node->code < 1000; node = node->next) {
    if (node->code == 90) read.fillFlags = node->value.i32;
    else if (node->code == 45) read.fillScale = node->value.real;
    else if (node->code == 63) read.fillColour = node->value.i16;
  }
  if (!std::isfinite(read.fillScale)) return false;
  insertion = read.insertion;
  height = read.height;
  width = read.width;
  attachment = read.attachment;
  direction = read.direction;
  text = std::move(read.text);
  style = std::move(read.style);
  rotation = read.rotation;
  spacingStyle = read.spacingStyle;
  spacingFactor = read.spacingFactor;
  fillFlags = read.fillFlags;
  fillScale = read.fillScale;
  fillColour = read.fillColour;
  return true;
}

void ltMText2D::writeList() {
  adoptWrittenList(entBuilder2D::mtext(getProps(), insertion, height, width, attachment, direction, text, style,
                                       rotation, spacingStyle, spacingFactor, fillFlags, fillScale, fillColour,
                                       getList()));
}
