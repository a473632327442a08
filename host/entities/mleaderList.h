// The MULTILEADER list builder and reader, over the record of
// mleaderRecord.h. Host thread only.
#pragma once

#include "host/entities/ltEntProps.h"
#include "host/entities/mleaderRecord.h"
#include "host/entities/styleTables.h"

#include <string_view>
#include <vector>

// Header "MULTILEADER", (100 "AcDbMLeader"), (270 2), the context data
// ("CONTEXT_DATA{" ... 301 "}") with its text or block content, plane and
// leaders ("LEADER{" with their "LEADER_LINE{" sections), then the
// multileader's settings: 340 style handle, 90 override flags, 170, 91, 171,
// 290 landing (1 only for text content with a dogleg length above 0), 291,
// 41 dogleg length / overall scale, (342 arrow, 42 arrow size / scale) with an
// arrow handle, 172 content type, the text settings (343, 173, 95, 174, 175,
// 92, 292) for text content or the block settings (344, 10 scale / overall
// scale) for block content, (293 0), the block attributes (330, 177, 44,
// 302 each), 45 overall scale, the extra groups. On hosts of a type other
// than 3 an underlined text (an attachment of 8) gets "\L" in front.
// Null when the overrides 19 and 22 are both set without a style handle, for
// an overall scale of 0, or for a value that is no finite number.
resbuf* writeMLeader(const mleaderStyle& record, const ltEntProps& props);

namespace entReader2D {

// Reads a MULTILEADER list into the record (reset first): "AcDbMLeader" must
// be followed directly by (270 2), then the context data section with its
// leaders and lines, closed by 301; the groups after it fill the settings.
// False, with the record unchanged, for another type or a list that breaks
// that structure.
bool mleader(mleaderStyle& record, const resbuf* list);

// Reads a MULTILEADER list into the record (mleader) and its common
// properties into `props` (commonProperties, reset first), and answers the
// style named `styleName` among `styles` (as readMLeaderStyles fills them;
// findStyleRecordByName), or null. When mleader refuses the list, null with
// the record and the properties unchanged.
const HvMLeaderStyle* mleaderWithStyle(mleaderStyle& record, ltEntProps& props, const resbuf* list,
                                       const std::vector<HvMLeaderStyle>& styles, std::u16string_view styleName);

}  // namespace entReader2D
