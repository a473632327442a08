// The drawing's text styles and multileader styles as records, read through
// the drawing interface, and the lookups of one record by name or handle.
// Names compare without regard to case (nameCompare.h). Host thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/entities/ownedChain.h"

// A text style: the record of table "STYLE".
struct HvTextStyle {
  std::u16string name;
  std::u16string handle;      // 5
  std::u16string owner;       // the -1 text, else the handle
  int flags = 0;              // 70
  double height = 0.0;        // 40
  double widthFactor = 1.0;   // 41
  double oblique = 0.0;       // 50, radians
  int generationFlags = 0;    // 71
  double lastHeight = 0.0;    // 42
  std::u16string fontFile;    // 3
  ownedChain afterFont;       // a copy of the groups after the 3 (big font, extended data ...)
};

// A multileader style: an entry of the dictionary "ACAD_MLEADERSTYLE".
struct HvMLeaderStyle {
  std::u16string name;    // the entry's name
  std::u16string handle;  // 5
  std::u16string owner;   // the -1 text, else the handle
  // The first occurrence of each of the style's groups (170, 171, 172, 90,
  // 40, 41, 173, 91, 340, 92, 290, 42, 291, 43, 3, 341, 44, 300, 342, 174,
  // 175, 176, 178, 93, 45, 292, 297, 46, 343, 94, 47, 49, 140, 293, 141, 294,
  // 177, 142, 295, 296, 143, 272, 273, 298), in the order of the object.
  ownedChain groups;

  // The group of the code, or null.
  const resbuf* group(int code) const;
};

// Empties the array and reads the styles: names through slot 27
// "GetTextStylesA" (code page 1250), each record through slot 72
// "TblSearchW" ("STYLE", name). Styles the host gives no record for are
// passed over; without the interface the array stays empty.
void readTextStyles(std::vector<HvTextStyle>& styles);

// Empties the array and reads the entries of "ACAD_MLEADERSTYLE" through
// slots 38, 39 and 41.
void readMLeaderStyles(std::vector<HvMLeaderStyle>& styles);

// The style of the name, else "Standard", else null.
const HvTextStyle* findTextStyle(const std::vector<HvTextStyle>& styles, std::u16string_view name);
// The style whose handle or owner text is `handle`, else findTextStyle with
// "Standard".
const HvTextStyle* findTextStyleByHandle(const std::vector<HvTextStyle>& styles, std::u16string_view handle);
// The multileader style of the handle (or owner text), resp. of the name;
// null when none matches.
const HvMLeaderStyle* findStyleRecord(const std::vector<HvMLeaderStyle>& styles, std::u16string_view handle);
const HvMLeaderStyle* findStyleRecordByName(const std::vector<HvMLeaderStyle>& styles, std::u16string_view name);
