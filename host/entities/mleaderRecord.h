// The values of one MULTILEADER as writeMLeader writes them and
// entReader2D::mleader reads them back: the multileader's own settings
// (overrides of its style) and its context data with the leaders. Handles
// are hexadecimal texts; colours are 32-bit values with the kind in the top
// byte (colorValue.h); angles are radians.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ge/XtGePoint3d.h"
#include "platform/ge/XtGeScale3d.h"
#include "platform/ge/XtGeVector3d.h"

inline constexpr std::uint32_t mleaderColourByBlock = 0xC1000000u;

struct mleaderLine {
  std::vector<XtGePoint3d> vertices;  // 10 each
  std::int32_t index = 0;             // 91
};

struct mleaderLeader {
  bool hasLastLine = true;                // 290
  bool hasDogleg = true;                  // 291
  XtGePoint3d lastPoint;                  // 10
  XtGeVector3d doglegDirection{1, 0, 0};  // 11
  std::int32_t index = 0;                 // 90
  double doglegLength = 0.0;              // 40
  std::vector<mleaderLine> lines;
  std::int16_t attachmentDirection = 0;  // 271
};

struct mleaderContext {
  double scale = 1.0;               // 40
  XtGePoint3d contentBase;          // 10
  double textHeight = 0.0;          // 41
  double arrowSize = 0.0;           // 140
  double landingGap = 0.0;          // 145
  std::int16_t leftAttachment = 1;  // 174
  std::int16_t rightAttachment = 1; // 175
  std::int16_t textAlignment = 0;   // 176
  std::int16_t attachmentType = 0;  // 177
  // Text content (290 1).
  bool hasText = false;
  std::u16string text;                        // 304
  XtGeVector3d textNormal{0, 0, 1};           // 11
  std::u16string textStyleHandle;             // 340, written when not empty
  XtGePoint3d textLocation;                   // 12
  XtGeVector3d textDirection{1, 0, 0};        // 13
  double textRotation = 0.0;                  // 42
  double textWidth = 0.0;                     // 43
  double textDefinedHeight = 0.0;             // 44
  double lineSpacingFactor = 1.0;             // 45
  std::int16_t lineSpacingStyle = 1;          // 170
  std::uint32_t textColour = mleaderColourByBlock;  // 90
  std::int16_t textAttachment = 1;            // 171
  std::int16_t flowDirection = 1;             // 172
  std::uint32_t backgroundColour = mleaderColourByBlock;  // 91
  double backgroundScale = 1.5;               // 141
  std::int32_t backgroundTransparency = 0;    // 92
  bool backgroundOn = false;                  // 291
  bool windowColour = false;                  // 292
  std::int16_t columnType = 0;                // 173
  bool autoHeight = false;                    // 293
  double columnWidth = 0.0;                   // 142
  double columnGutter = 0.0;                  // 143
  bool flowReversed = false;                  // 294
  bool columnCount = false;                   // 295
  // Block content (296 1).
  bool hasBlock = false;
  std::u16string blockHandle;                 // 341
  XtGeVector3d blockNormal{0, 0, 1};          // 14
  XtGePoint3d blockPosition;                  // 15
  XtGeScale3d blockScale;                     // 16
  double blockRotation = 0.0;                 // 46
  std::uint32_t blockColour = mleaderColourByBlock;  // 93
  std::array<double, 16> blockMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // 47 x 16
  XtGePoint3d planeOrigin;                    // 110
  XtGeVector3d planeXAxis{1, 0, 0};           // 111
  XtGeVector3d planeYAxis{0, 1, 0};           // 112
  bool normalReversed = false;                // 297
  std::vector<mleaderLeader> leaders;
  std::int16_t topAttachment = 9;             // 272
  std::int16_t bottomAttachment = 9;          // 273

  // Scale 1, points at the origin, normals Z, directions X, empty texts, no
  // content and no leaders.
  void reset() { *this = mleaderContext(); }
};

// An attribute of the block content.
struct mleaderAttribute {
  std::u16string definitionHandle;  // 330
  std::int16_t index = 0;           // 177
  double width = 0.0;               // 44
  std::u16string text;              // 302
};

// The multileader record.
struct mleaderStyle {
  double overallScale = 1.0;                         // 45
  std::u16string styleHandle;                        // 340
  std::uint32_t overrideFlags = 0;                   // 90, bits 0 to 30
  std::int16_t leaderLineType = 1;                   // 170
  std::uint32_t leaderLineColour = mleaderColourByBlock;  // 91
  std::int16_t leaderLineWeight = -2;                // 171
  bool landing = true;                               // 290 (written from the content, see writeMLeader)
  bool dogleg = true;                                // 291
  double doglegLength = 0.0;                         // 41, unscaled
  std::u16string arrowHandle;                        // 342, written when not empty
  double arrowSize = 0.0;                            // 42, unscaled
  std::int16_t contentType = 2;                      // 172: 1 block, 2 text
  std::u16string textStyleHandle;                    // 343
  std::int16_t textLeftAttachment = 1;               // 173
  std::int16_t textRightAttachment = 1;              // 95
  std::int16_t textAngleType = 1;                    // 174
  std::int16_t textAlignment = 0;                    // 175
  std::uint32_t textColour = mleaderColourByBlock;   // 92
  bool textFrame = false;                            // 292
  std::u16string blockHandle;                        // 344
  XtGeScale3d blockScale;                            // 10, unscaled
  std::vector<mleaderAttribute> attributes;
  mleaderContext context;

  // Every value to the defaults above (style handle none, colours by block,
  // lineweight -2, scale 1, empty texts and attributes, context reset).
  void reset() { *this = mleaderStyle(); }
};

// The numbers 0 to 30 whose override bit is set, in order.
std::vector<int> listMLeaderOverrides(const mleaderStyle& record);
