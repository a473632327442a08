// The block part of a multileader as the shared library passes it, with the
// properties a multileader may override of its style and the marks of the
// overridden ones.
//
// `block` gives the block name and the block scale; `texts` are the arrowhead
// block name and the text style name. Lengths, the vector and the block
// scale are stored multiplied by `unitFactor`. `style` is another record the
// caller keeps alive (not owned); `changed` holds the override bits of the
// DXF MULTILEADER entity for every property set differently from the style.
// Without a style every setter marks its bit.
//
// No locking: a record belongs to its caller's thread.
#pragma once

#include <cstdint>

#include "geometry/blockDescRec.h"
#include "geometry/hvObjArray.h"
#include "geometry/nameRec.h"
#include "platform/ge/XtGeVector2d.h"
#include "platform/win/CString.h"

struct multileaderRec {
  // Content types.
  static constexpr std::int32_t kBlockContent = 1;
  static constexpr std::int32_t kTextContent = 2;
  static constexpr std::uint32_t kColourByBlock = 0xC1000000u;
  // Override bits.
  static constexpr int kArrowheadBit = 8;
  static constexpr int kContentTypeBit = 10;
  static constexpr int kTextStyleBit = 11;
  static constexpr int kTextContentBit = 18;
  static constexpr int kBlockNameBit = 19;
  static constexpr int kBlockScaleBit = 21;
  static constexpr int kUnitFactorBit = 24;

  multileaderRec() { reset(); }

  blockDescRec block;
  CString texts[2];  // arrowhead block name, text style name
  hvObjArray<nameRec> names{0, 8};
  const multileaderRec* style = nullptr;
  std::uint32_t changed = 0;
  double unitFactor = 1.0;
  std::int32_t contentType = kTextContent;
  double lengths[3] = {0.0, 0.0, 0.0};
  XtGeVector2d vector;
  std::uint32_t flags = 0;
  std::uint32_t colour = kColourByBlock;

  // The defaults: no style, no marks, unit factor 1, block scale (1, 1, 1),
  // text content, zero lengths and vector, no flags, colour by block, empty
  // texts and names.
  void reset();
  // Resets the record, keeps `from` as its style and copies the style's
  // values (not its marks).
  void initFromStyle(const multileaderRec* from);

  // The setters store the value and mark it when it differs from the style.
  // An empty name is ignored.
  void setArrowheadName(const CString& name);            // bit 8, names compared without case
  void setContentType(std::int32_t type);                 // bit 10, and 18 for text content
  void setBlockName(const CString& name);                 // block content, bit 10; bit 19
  void setBlockScale(double scale);                       // (v, v, v) x unit factor, bit 21
  void setTextStyleName(const CString& name);             // bit 11
};

// Sets or clears bit (bit & 31) of the marks.
void propsSetChangedBit(multileaderRec& record, int bit, bool on);
// Bit `bit` of the marks; false outside 0 to 31.
bool propsTestChangedBit(const multileaderRec& record, int bit);

// Fills the record from `source`: the three lengths and the block scale
// multiplied by the source's unit factor, the three texts, content type,
// flags, colour and the unit factor itself.
void propsAssignScaled(multileaderRec& record, const multileaderRec& source);

// Changes the unit factor: the vector, the first two lengths and the block
// scale are divided by the old factor and multiplied by the new one (an old
// factor of 0 rescales nothing); bit 24 is set when there is no style or the
// style's factor differs from the new one by more than 1e-6, else cleared.
// False, record unchanged, for a factor that is not finite or not above 0.
bool propsSetUnitFactor(multileaderRec& record, double factor);
