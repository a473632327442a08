// The zone outline writer of the output: the zone's as-drawn boundary as one
// closed polyline with the properties of the curve the user drew.
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/design/drawing/CFHEntityInOut.h"
#include "heating/design/output/CFHExtendedData.h"
#include "heating/design/output/CFHLabelOutput.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/output/CFHOutputContext.h"
#include "heating/design/zones/CFHZoneDesign.h"

#include "host/entities/lwPolylineList.h"

#include "platform/ge/XtGeCompositeCurve2d.h"

namespace {

// The drawn curve behind the first boundary item that still has one (a line,
// a polyline or an arc), or none.
const CFHEntityInOut* drawnSource(const CFHBoundLoop& loop) {
  for (int i = 0; i < loop.itemCount(); ++i) {
    const CFHBoundLoopItem* item = loop.item(i);
    // A curve keeps its record's CFHEntityRecord part; only the design's
    // drawn-entity records carry a list to copy the properties from.
    const auto* record = item != nullptr && item->curve != nullptr
                             ? dynamic_cast<const CFHEntityInOut*>(item->curve->entityRecord())
                             : nullptr;
    if (record == nullptr || record->list() == nullptr) continue;
    const std::int32_t kind = record->kind();
    if (kind == CFHEntityInOut::kLine || kind == CFHEntityInOut::kPolyline || kind == CFHEntityInOut::kArc) return record;
  }
  return nullptr;
}

}  // namespace

bool CFHZoneEntry::drawOutline(const HostExport2D*, const XtGeMatrix2d& matrix) {
  CFHOutputContext* context = model_ != nullptr ? model_->outputContext : nullptr;
  const CFHZoneBoundary* boundary = design_ != nullptr ? design_->boundary() : nullptr;
  if (context == nullptr || boundary == nullptr) return false;
  XtGeCompositeCurve2d outline;
  if (!boundary->asDrawnLoop.toCompositeCurve(outline)) return false;
  ltEntProps props = replacedProperties(drawnSource(boundary->asDrawnLoop));
  if (!markOutputEntity(*context, props, nullptr)) return false;
  CFHDataChain data = CFHDataChain::record(hvRecordId::kZoneOutline);
  data.add(u"_PT_ZONA_CISLO", formatIntValue(static_cast<std::int32_t>(number)));
  if (data.failed()) return false;
  props.appendToTail(data.release());
  const ownedChain list(entBuilder2D::polyline(props, outline, matrix, nullptr, nullptr));
  // The outline is closed as the curve the user drew.
  if (list) isLwPolylineClosed(list.get());
  return context->makeEntity(list.get());
}
