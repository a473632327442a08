#include "geometry/multileaderRec.h"

#include <cmath>

#include "platform/win/StringCompare.h"

namespace {

constexpr double kScaleTolerance = 1e-6;

// True when there is no style or `value` differs from the style's text
// `styleText` gives, without regard to case.
template <typename StyleText>
bool differsFromStyle(const multileaderRec& record, const CString& value, StyleText styleText) {
  return record.style == nullptr || hvCompareNoCaseLetters(value.view(), styleText(*record.style).view()) != 0;
}

}  // namespace

void multileaderRec::reset() {
  block = blockDescRec();
  texts[0].Empty();
  texts[1].Empty();
  names = hvObjArray<nameRec>(0, 8);
  style = nullptr;
  changed = 0;
  unitFactor = 1.0;
  contentType = kTextContent;
  lengths[0] = lengths[1] = lengths[2] = 0.0;
  vector = XtGeVector2d();
  flags = 0;
  colour = kColourByBlock;
}

void multileaderRec::initFromStyle(const multileaderRec* from) {
  reset();
  if (from == nullptr) return;
  block = from->block;
  texts[0] = from->texts[0];
  texts[1] = from->texts[1];
  names = from->names;
  unitFactor = from->unitFactor;
  contentType = from->contentType;
  for (int i = 0; i < 3; ++i) lengths[i] = from->lengths[i];
  vector = from->vector;
  flags = from->flags;
  colour = from->colour;
  style = from;
}

void multileaderRec::setArrowheadName(const CString& name) {
  if (name.IsEmpty()) return;
  texts[0] = name;
  if (differsFromStyle(*this, name, [](const multileaderRec& s) -> const CString& { return s.texts[0]; }))
    propsSetChangedBit(*this, kArrowheadBit, true);
}

void multileaderRec::setContentType(std::int32_t type) {
  contentType = type;
  if (style != nullptr && style->contentType == type) return;
  propsSetChangedBit(*this, kContentTypeBit, true);
  if (type == kTextContent) propsSetChangedBit(*this, kTextContentBit, true);
}

void multileaderRec::setBlockName(const CString& name) {
  if (name.IsEmpty()) return;
  contentType = kBlockContent;
  block.blockName = name;
  propsSetChangedBit(*this, kContentTypeBit, true);
  if (differsFromStyle(*this, name, [](const multileaderRec& s) -> const CString& { return s.block.blockName; }))
    propsSetChangedBit(*this, kBlockNameBit, true);
}

void multileaderRec::setBlockScale(double scale) {
  const double stored = scale * unitFactor;
  block.scale = XtGeScale3d(stored, stored, stored);
  bool differs = style == nullptr;
  if (!differs) {
    // The style's scale as it was given: its stored scale over its factor.
    const double given = style->unitFactor != 0.0 ? style->block.scale.sx / style->unitFactor : style->block.scale.sx;
    differs = !(std::fabs(scale - given) <= kScaleTolerance);
  }
  if (differs) propsSetChangedBit(*this, kBlockScaleBit, true);
}

void multileaderRec::setTextStyleName(const CString& name) {
  if (name.IsEmpty()) return;
  texts[1] = name;
  if (differsFromStyle(*this, name, [](const multileaderRec& s) -> const CString& { return s.texts[1]; }))
    propsSetChangedBit(*this, kTextStyleBit, true);
}

void propsSetChangedBit(multileaderRec& record, int bit, bool on) {
  const std::uint32_t mask = 1u << (static_cast<unsigned>(bit) & 31u);
  record.changed = on ? record.changed | mask : record.changed & ~mask;
}

bool propsTestChangedBit(const multileaderRec& record, int bit) {
  return bit >= 0 && bit <= 31 && (record.changed >> bit & 1u) != 0;
}

void propsAssignScaled(multileaderRec& record, const multileaderRec& source) {
  const double f = source.unitFactor;
  for (int i = 0; i < 3; ++i) record.lengths[i] = source.lengths[i] * f;
  record.block.scale = XtGeScale3d(source.block.scale.sx * f, source.block.scale.sy * f, source.block.scale.sz * f);
  record.texts[0] = source.texts[0];
  record.texts[1] = source.texts[1];
  record.block.blockName = source.block.blockName;
  record.contentType = source.contentType;
  record.flags = source.flags;
  record.colour = source.colour;
  record.unitFactor = f;
}

bool propsSetUnitFactor(multileaderRec& record, double factor) {
  if (!std::isfinite(factor) || factor <= 0.0) return false;
  const double old = record.unitFactor;
  if (old != 0.0 && std::isfinite(old)) {
    const double k = factor / old;
    record.vector *= k;
    record.lengths[0] *= k;
    record.lengths[1] *= k;
    const XtGeScale3d& s = record.block.scale;
    record.block.scale = XtGeScale3d(s.sx * k, s.sy * k, s.sz * k);
  }
  record.unitFactor = factor;
  const bool differs = record.style == nullptr || !(std::fabs(record.style->unitFactor - factor) <= kScaleTolerance);
  propsSetChangedBit(record, multileaderRec::kUnitFactorBit, differs);
  return true;
}
