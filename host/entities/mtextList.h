// The MTEXT list builder and reader. The text travels in chunks
// (textChunks.h); a line feed in it stays a line feed (the host writes it as
// "\P" in files, so a text read back from a file holds "\P"). Angles are
// radians. Host thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/entities/ltEntProps.h"
#include "platform/ge/XtGePoint2d.h"

namespace entBuilder2D {

// Header "MTEXT", (100 "AcDbMText"), 10, 40, (41 width) only when the width is
// 0 or more, 71 attachment, 72 direction (any value but 1, 3 and 5 written as
// 1), the chunks (none for an empty text), 7, (210 kept from `previous`), 11
// (the X axis turned by the rotation), 73, 44; when the fill flags are not 0
// (90 flags), (45 scale), (63 colour); the extra groups. Null for a height of
// 0 or less, an attachment outside 1..9, or a value that is no finite number.
resbuf* mtext(const ltEntProps& props, const XtGePoint2d& insertion, double height, double width, int attachment,
              int direction, std::u16string_view text, std::u16string_view style, double rotation,
              int spacingStyle, double spacingFactor, std::int32_t fillFlags, double fillScale, int fillColour,
              const resbuf* previous);

}  // namespace entBuilder2D

namespace entReader2D {

// Reads an MTEXT list (type "MTEXT", any case). Defaults: origin, height,
// width and direction 0, attachment 1, empty text, "STANDARD", rotation 0,
// spacing style 1, spacing factor 1.0 (the format's defaults: a rewrite of a
// list without them stays inside the format's ranges). A 101 group starts the embedded part.
// Outside it: 10 insertion, 11 direction vector, 40, 41, 44, 50, 71, 72, 73;
// inside it: 10 direction vector, 11 insertion, 72. Anywhere: 7, and the 1
// and 3 chunks joined in list order. Later groups win. The rotation is the
// angle of the direction vector, or the 50 when the list gives no direction.
// Answers 1, or 0 with the outputs unchanged for another type, a height of 0
// or less or a value that is no finite number. Properties are parsed into
// `props` when given.
int mtext(XtGePoint2d& insertion, double& height, double& width, int& attachment, int& direction,
          std::u16string& text, std::u16string& style, double& rotation, int& spacingStyle, double& spacingFactor,
          const resbuf* list, ltEntProps* props);

}  // namespace entReader2D
