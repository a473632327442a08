// The common properties of a drawing entity copy: layer, linetype, colours,
// transparency, lineweight, linetype scale, visibility, paper space, layout,
// handle, reactors and the extra groups (chiefly extended data).
//
// Ownership: the block owns everything it holds. Texts are copies, and the
// extra-group chain and the reactor chain are deep copies of their own, so a
// block never points into a list that a holder shares with other copies;
// copying a block copies both chains. Writers append a copy of the extra
// groups last (getTail), so a caller that appends to them changes only the
// entity written from this block.
//
// Two default sets: by layer (layer "0", linetype "BYLAYER", colour 256,
// transparency by layer, lineweight -1) and by block (linetype "BYBLOCK",
// colour 0, transparency by block, lineweight -2). Everything else starts
// empty or zero, the linetype scale at 1.0.
//
// Threads: a block belongs to one copy and is used on the host's thread.
#pragma once

#include <cstdint>
#include <string>

#include "host/entities/ownedChain.h"

class ltEntProps {
 public:
  // The defaults by layer, or by block when `byBlock` is true.
  explicit ltEntProps(bool byBlock = false) { reset(byBlock); }
  ltEntProps(const ltEntProps& other);
  ltEntProps& operator=(const ltEntProps& other);
  ltEntProps(ltEntProps&&) noexcept = default;
  ltEntProps& operator=(ltEntProps&&) noexcept = default;
  ~ltEntProps() = default;

  // Every field to the defaults of the set; both chains are freed.
  void reset(bool byBlock);

  // The extra groups (any groups from the first code of 1000 or more of the
  // list the block was read from, chiefly extended data); null when none.
  // Not a copy: the block keeps it.
  const resbuf* getTail() const { return extraGroups_.get(); }
  // Replaces the extra groups (the block takes the chain).
  void setTail(ownedChain chain) { extraGroups_ = std::move(chain); }
  // Appends the chain to the extra groups (the block takes the chain).
  void appendToTail(ownedChain chain);
  // Puts the chain in front of the extra groups (the block takes the chain,
  // nothing is copied); an empty chain changes nothing.
  void prependTail(ownedChain chain);

  // Writes the block into an entity list in place, over its common groups
  // (from the "AcDbEntity" marker to the next subclass marker): 8, 6, 62,
  // 370, 48 and 60 where the list has them; 420 where it has one (removed
  // when the block has no true colour, inserted after the 62 when the block
  // has one and the list none); 440 where it has one, removed for
  // transparency by layer (DXF knows no 440 of 0). False when the list has
  // no "AcDbEntity" marker or the heap ran out (then some groups may be
  // written and others not).
  bool applyToList(resbuf* list) const;

  // The reactor groups (330) written between "{ACAD_REACTORS" and "}" by the
  // entity header; null when none. Reading a list never fills it.
  const resbuf* getReactors() const { return reactors_.get(); }
  void setReactors(ownedChain chain) { reactors_ = std::move(chain); }

  std::u16string layer;                 // 8
  std::u16string linetype;              // 6
  std::int16_t colorIndex = 256;        // 62: 256 by layer, 0 by block
  std::uint32_t trueColor = 0;          // 420: RGB in the low 24 bits
  bool hasTrueColor = false;            // a 420 is present
  std::int32_t transparencyMode = 0;    // 440: 0 by layer, 1 by block, 2 explicit
  std::int32_t transparencyPercent = 0; // 1..99 when the mode is 2
  std::int32_t lineweight = -1;         // 370: hundredths of a mm; -1 by layer, -2 by block
  double linetypeScale = 1.0;           // 48
  std::int16_t visibility = 0;          // 60: 1 invisible
  std::int32_t paperSpace = 0;          // 67
  std::u16string layoutName;            // 410, empty when none (read only in paper space)
  std::u16string handle;                // 5, empty when none

 private:
  ownedChain extraGroups_;
  ownedChain reactors_;
};
