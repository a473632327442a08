// The list builders of attribute definitions (ATTDEF) and attributes
// (ATTRIB), single-line and multiline, and the attribute part that the ATTDEF
// and ATTRIB copies read and rewrite. Host thread only.
//
// Multiline attributes carry the value twice: group 1 of the text part holds
// the single-line form (each backslash-n or \P pair a blank, at most 250
// units), the embedded object after (101 "Embedded Object") the multiline
// form (backslash-n as "\P", "%%U" as "\L") in chunks (textChunks.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/entities/ltEntProps.h"
#include "host/entities/textValues.h"
#include "platform/ge/XtGeVector3d.h"

// The values of an attribute besides its text part (textValues: `value` is
// the attribute's value, or the default value of a definition).
struct attributeValues : textValues {
  std::u16string tag;               // 2
  std::u16string prompt;            // 3 (ATTDEF)
  std::u16string deviceTag;         // (1001 "HV_TAG_DEV")(1000 tag) when not empty (ATTRIB)
  std::int16_t attributeFlags = 0;  // 70
  std::int16_t lockFlag = 0;        // 280
  double thickness = 0.0;           // 39
  XtGeVector3d normal{0.0, 0.0, 1.0};  // 210
  // Multiline form only.
  std::int16_t multilineValue = 2;  // 71 of the attribute part (2 ATTRIB, 4 ATTDEF)
  std::int32_t fillFlags = 0;       // 90; the fill groups are written when not 0
  double fillScale = 1.0;           // 45
  std::int16_t fillColour = 0;      // 63
  double definedWidth = 0.0;        // not written
  std::int16_t attachment = -1;     // 71 of the embedded text, 1..9; -1 derived from the justification
  std::int16_t direction = 1;       // 72 of the embedded text: 1, 3 or 5 (others become 1)
  std::int16_t spacingStyle = 1;    // 73
  double spacingFactor = 1.0;       // 44
};

// Header "ATTDEF", (100 "AcDbText"), 39, 10, 40, 1, 50, 41, 51, 7, 71, 72, 11,
// 210, (100 "AcDbAttributeDefinition"), 3, 2, 70, 74, the extra groups.
resbuf* writeAttDef(const ltEntProps& props, const attributeValues& values);

// Header "ATTRIB", the text part as for ATTDEF, (100 "AcDbAttribute"), 2, 70,
// (73 0), 74, 280, the device tag, the extra groups.
resbuf* writeAttribSingle(const ltEntProps& props, const attributeValues& values);

// The multiline ATTRIB: the single-line part as writeAttribSingle without the
// device tag, then (71 multiline value), (72 0), (101 "Embedded Object"),
// 10 location, (11 1,0,0), 40, 71 attachment, 72 direction, the chunks (at
// least one group 1), 7, 210, 50, 73, 44; (90, 63, 45) when the fill flags
// are set; the device tag; the extra groups. The location is the insertion
// point for left-baseline text and the alignment point otherwise. Null for a
// derived attachment of a vertical justification outside 0..3, or values a
// list cannot hold.
resbuf* writeAttrib(const ltEntProps& props, const attributeValues& values);

// The multiline ATTDEF: as writeAttDef, then 280, (71 multiline value),
// (72 0), (11 alignment), (101 "Embedded Object"), 10 location, 40, 71, 72,
// the chunks, 7, 210, 50, 73, 44 and the fill groups; no device tag.
resbuf* writeAttDefMultiline(const ltEntProps& props, const attributeValues& values);

// The attachment of the embedded text derived from the justification: the
// column is the horizontal justification (above 2 counts as 1); vertical 0 or
// 1 gives column + 7, 2 column + 4, 3 column + 1; 0 for any other vertical
// justification.
int deriveAttachment(int hJust, int vJust);

// The two forms of an attribute value (see the file comment).
std::u16string singleLineAttributeText(std::u16string_view value);
std::u16string multilineAttributeText(std::u16string_view value);

// The tag of an ATTRIB list: the last 2 after the "AcDbAttribute" marker and
// before a 101 or the extended data; empty without the marker.
std::u16string readAttributeTag(const resbuf* list);

// The embedded text of an attribute list: the 1 and 3 groups after its 101,
// up to the extended data, joined; false when there is no 101 or no chunk.
bool readEmbeddedText(const resbuf* list, std::u16string& text);

// Rewrites an ATTDEF or ATTRIB list for its copy: the header of `type`, the
// text part from `values` (39 and 210 kept), then the attribute part of the
// previous list from its `subclass` marker up to the extended data with 74
// set to the vertical justification, 2 to `tag` when given, and the chunks
// after its 101 replaced by `embedded` when given (group 1 then holds the
// single-line form of it); last the extra groups. Without an attribute part
// in the previous list only an ATTRIB with a tag is written, with
// (2 tag)(70 0)(74). Null when it cannot be written.
resbuf* rewriteAttributeList(const ltEntProps& props, const textValues& values, std::u16string_view type,
                             std::u16string_view subclass, const resbuf* previous, const std::u16string* tag,
                             const std::u16string* embedded);
