// The manifold writer of the output: the manifold block rewritten as a
// product-line item with the design's values and settings as item keys, and
// with the list of every entity the output wrote.
#include "heating/design/model/CFHPipeNetwork.h"

#include "heating/design/output/CFHExtendedData.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHModelQueries.h"
#include "heating/design/output/CFHOutputContext.h"

#include "host/items/itemKeyTable.h"

#include <array>

namespace {

// The keys of the label settings, by label kind.
constexpr std::array<const char16_t*, CFHDescData::kStyleKindCount> kStyleKeys = {
    u"_PT_X_DSC_TXTSOPT", u"_PT_X_DSC_TXTSOR", u"_PT_X_DSC_TXTSCO", u"_PT_X_DSC_TXTSDOT"};
constexpr std::array<const char16_t*, CFHDescData::kTextKindCount> kHeightKeys = {
    u"_PT_X_DSC_TXTHOPT", u"_PT_X_DSC_TXTHDPP", u"_PT_X_DSC_TXTHOR", u"_PT_X_DSC_TXTHCO", u"_PT_X_DSC_TXTHDOT"};
constexpr std::array<const char16_t*, CFHDescData::kTextKindCount> kWidthFactorKeys = {
    u"_PT_X_DSC_TXTWFOPT", u"_PT_X_DSC_TXTWFDPP", u"_PT_X_DSC_TXTWFOR", u"_PT_X_DSC_TXTWFCO", u"_PT_X_DSC_TXTWFDOT"};
constexpr std::array<const char16_t*, CFHDescData::kStyleKindCount> kLayerKeys = {
    u"_PT_X_DSC_LOPT", u"_PT_X_DSC_LOR", u"_PT_X_DSC_LCO", u"_PT_X_DSC_DOT"};

// Keys a design never leaves on its manifold (the circuits hold them).
constexpr std::array<const char16_t*, 2> kCircuitOnlyKeys = {u"_PT_X_IN_T1", u"_PT_X_OUT_T2"};

void set(QevItem& item, const char16_t* key, const std::u16string& value) {
  itemArray::setText(item, key, value.c_str());
}

// The design's values and settings as the manifold's item keys, in order;
// then the circuits' keys go.
void setManifoldItemKeys(QevItem& item, const CFHPipeNetwork& network, const CFHModel& model) {
  const CFHZoneTotals zones = sumZoneVariantValues(model);
  const CFHCircuitTotals circuits = sumCircuitResults(model);
  set(item, u"RZ", network.mark.str());
  set(item, u"PRPD", network.firstDescription.str());
  set(item, u"PRPO", network.secondDescription.str());
  set(item, u"PRQC", formatVarValue(zones.output, 2));
  set(item, u"PRCD", formatVarValue(zones.length, 3));
  set(item, u"PRCP", formatVarValue(zones.area, 3));
  set(item, u"_PT_RZ_CELK_MHP", formatVarValue(circuits.flow, 3, kPerMinute));
  set(item, u"_PT_RZ_CELK_P", formatVarValue(circuits.pressureLoss, 3));
  set(item, u"_PT_RZ_MAX_P", formatRealValue(circuits.maxPressureLoss, 3));
  set(item, u"_PT_X_DSD_NC", formatFlagValue(network.autoNumberCircuits));
  set(item, u"_PT_X_DSD_NZ", formatFlagValue(network.autoNumberZones));
  set(item, u"_PT_X_DSD_NBC", formatIntValue(network.firstCircuitNumber));
  set(item, u"_PT_X_DSD_ZBC", formatIntValue(network.firstZoneNumber));
  set(item, u"_PT_X_DSD_CC", formatFlagValue(network.colourCircuits));
  set(item, u"_PT_X_DSD_MP", formatRealValue(network.manifoldDistance, 3));
  set(item, u"_PT_X_DSD_MMP", formatRealValue(network.manifoldMaxDistance, 3));
  const CFHDescData& desc = model.descData();
  for (int i = 0; i < CFHDescData::kStyleKindCount; ++i) set(item, kStyleKeys[i], desc.textStyles[i].str());
  for (int i = 0; i < CFHDescData::kTextKindCount; ++i) set(item, kHeightKeys[i], formatRealValue(desc.textHeights[i], 3));
  for (int i = 0; i < CFHDescData::kTextKindCount; ++i)
    set(item, kWidthFactorKeys[i], formatRealValue(desc.widthFactors[i], 3));
  for (int i = 0; i < CFHDescData::kStyleKindCount; ++i) set(item, kLayerKeys[i], desc.layers[i].str());
  set(item, u"_PT_X_DSC_MDPP", desc.descriptionMask.str());
  // An older drawing may hold a key more than once: each removal takes one.
  for (const char16_t* key : kCircuitOnlyKeys)
    for (std::size_t n = item.attributes.size() + 1; n > 0 && itemKeyList::removeKey(item, key); --n) {
    }
}

}  // namespace

bool CFHPipeNetwork::drawManifold(const HostExport2D* host, const XtGeMatrix2d&) {
  CFHOutputContext* context = owner_ != nullptr ? owner_->outputContext : nullptr;
  if (context == nullptr) return false;
  QevItem& item = manifoldItem;
  item.texts.setAt(1, mark.GetString());
  // A manifold the product database cannot read is left as it was.
  if (item.readDbAttributes(host, nullptr) != itemStatus::ok) return true;
  setManifoldItemKeys(item, *this, *owner_);
  ltEntProps props;
  item.toEntProps(props);
  if (!markManifoldAssociation(*context, props)) return false;
  item.props.handle = props.handle;
  item.setExtraApps(props.getTail());
  if (!item.writeXdata(host)) return false;
  return item.insertBlock(host, false, nullptr) == itemStatus::ok;
}
