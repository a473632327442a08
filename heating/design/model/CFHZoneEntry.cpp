#include "heating/design/model/CFHZoneEntry.h"

#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"

CFHZoneEntry::CFHZoneEntry(CFHModel* model, std::uint32_t zoneNumber)
    : number(zoneNumber),
      note(model->defaults().zoneNote),
      calc(this, model->defaults()),
      model_(model),
      design_(std::make_unique<CFHZoneDesign>(this)) {}

CFHZoneEntry::~CFHZoneEntry() = default;

void CFHZoneEntry::setCrossingPoints(const CFloorHeatingCurve& curve) {
  crossings_ = CFHZoneCrossings{};
  if (design_ == nullptr || design_->boundary() == nullptr) return;
  design_->boundary()->curveCrossings(curve, crossings_.points);
}

bool zoneCrossingLess(CFHZoneEntry& a, CFHZoneEntry& b) {
  return zoneOrderKey(a.crossings()) < zoneOrderKey(b.crossings());
}
