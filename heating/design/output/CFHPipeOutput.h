// The pipe writers of the output: a circuit's laid pipe as polylines with its
// heating records, and the border hatches and border-width dimensions of its
// zones (CFHCircuit::drawPipes uses them; the output driver runs it).
//
// Every entity is written through the output context (a handle and the
// manifold association first, then host word 114). The command's thread only.
#pragma once

#include "heating/curves/CurveChains.h"

#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/win/CString.h"

#include <vector>

class CFHZoneEntry;
struct CFHOutputContext;

// The layer of border hatches and the layer and style of border-width
// dimensions.
inline constexpr const char16_t* kBorderHatchLayer = u"T-podlahove_vytapeni";
inline constexpr const char16_t* kBorderDimensionLayer = u"HVKOTY";
inline constexpr const char16_t* kBorderDimensionStyle = u"havlen";

// `writePipeCurves`: each run, in order, as one LWPOLYLINE transformed by the
// matrix, with a new handle and the manifold association, the layer and the
// linetype when they are not empty, the colour (256: by layer) and a copy of
// the data chain. False at once when the host refuses one (or has no word
// 114); the runs are used up either way.
bool writePipeCurves(std::vector<CurveChain>& runs, const CString& layer, const CString& linetype, int colour,
                     const resbuf* dataChain, CFHOutputContext& context, const XtGeMatrix2d& matrix);

// The border hatch of a zone drawn as levels (display type 2) and a
// dimension of every as-drawn boundary item with a border width above 0.
// The host's answers do not count: a refused entity's handle only leaves the
// new-handle list, so the manifold lists entities that exist.
void writeBorderEntities(const CFHZoneEntry& zone, CFHOutputContext& context, const XtGeMatrix2d& matrix);
