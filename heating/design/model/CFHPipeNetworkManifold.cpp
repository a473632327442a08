// The manifold as a product-line item: which item it is, and the options and
// description settings a design wrote to it.
#include "heating/design/model/CFHPipeNetwork.h"

#include "heating/design/drawing/CFHDistributorInOut.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/model/CFHModel.h"

#include "host/HostExport.h"
#include "host/items/itemKeyTable.h"

#include "platform/win/NumberParse.h"

namespace {

// The manifold items the heating design works with.
constexpr const char16_t* kManifoldItems[] = {u"TOT0000-0023", u"TOT0000-0001"};
// The item whose outline needs six points (it has an inner segment).
constexpr const char16_t* kSixPointManifold = u"TOT0000-0001";

// The item's value of the key when it holds a non-empty one.
const std::u16string* valueOf(const QevItem& item, const char16_t* key) {
  const std::u16string* value = itemArray::itemAt(item, key);
  return value != nullptr && !value->empty() ? value : nullptr;
}

void readText(const QevItem& item, const char16_t* key, CString& field) {
  if (const std::u16string* value = valueOf(item, key)) field = CString(*value);
}

void readInt(const QevItem& item, const char16_t* key, std::int32_t& field) {
  if (const std::u16string* value = valueOf(item, key)) field = _wtoi(value->c_str());
}

// A flag: set when the number is above 0.
void readFlag(const QevItem& item, const char16_t* key, std::uint32_t& field) {
  if (const std::u16string* value = valueOf(item, key)) field = _wtoi(value->c_str()) > 0 ? 1 : 0;
}

// The value's leading number, when the item holds the key.
bool readNumber(const QevItem& item, const char16_t* key, double& number) {
  const std::u16string* value = valueOf(item, key);
  if (value == nullptr) return false;
  number = _wtof(value->c_str());
  return true;
}

}  // namespace

bool CFHPipeNetwork::readManifoldItem(const resbuf* entityList) {
  const HostExport2D* host = getExport2D();
  itemData::readFromEntity(manifoldItem, entityList, host);
  const CString id(manifoldItem.id);
  bool known = false;
  for (const char16_t* item : kManifoldItems) known = known || id.CompareNoCase(item) == 0;
  if (!known) return false;
  itemId = id;
  const CString label = manifoldItem.texts.getAt(1);
  if (!label.IsEmpty()) mark = label;
  referencePoint = manifoldItem.position();
  return true;
}

bool CFHPipeNetwork::readManifold(const CFHDistributorInOut& record, bool finish) {
  manifoldRecord_ = &record;
  outlineSource = record.connectionPoints;
  if (!readManifoldItem(record.list())) return false;
  CFHDrawingInOut& io = CFHDrawingInOut::instance();
  io.updateUcs();
  referencePoint.transformBy(io.workMatrix());
  const std::size_t needed = itemId.CompareNoCase(kSixPointManifold) == 0 ? 6 : 4;
  if (outlineSource.size() < needed) return false;
  if (finish) readManifoldSettings();
  return true;
}

void CFHPipeNetwork::readManifoldSettings() {
  const QevItem& item = manifoldItem;
  readText(item, u"PRPD", firstDescription);
  readText(item, u"PRPO", secondDescription);
  readFlag(item, u"_PT_X_DSD_NC", autoNumberCircuits);
  readFlag(item, u"_PT_X_DSD_NZ", autoNumberZones);
  readInt(item, u"_PT_X_DSD_NBC", firstCircuitNumber);
  readInt(item, u"_PT_X_DSD_ZBC", firstZoneNumber);
  readFlag(item, u"_PT_X_DSD_CC", colourCircuits);
  readNumber(item, u"_PT_X_DSD_MP", manifoldDistance);
  readNumber(item, u"_PT_X_DSD_MMP", manifoldMaxDistance);
  if (owner_ == nullptr) return;

  CFHDescData& desc = owner_->descData();
  // The heating bodies' style has a key of its own in newer drawings; older
  // ones keep it with the circuit labels'.
  const char16_t* styleKeys[] = {u"_PT_X_DSC_TXTSOPT", u"_PT_X_DSC_TXTSOR", u"_PT_X_DSC_TXTSCO",
                                 valueOf(item, u"_PT_X_DSC_TXTSDOT") ? u"_PT_X_DSC_TXTSDOT" : u"_PT_X_DSC_TXTSCO"};
  for (int i = 0; i < CFHDescData::kStyleKindCount; ++i) {
    if (const std::u16string* style = valueOf(item, styleKeys[i])) desc.textStyles[i] = desc.resolveTextStyle(CString(*style));
  }
  static constexpr const char16_t* kinds[] = {u"OPT", u"DPP", u"OR", u"CO", u"DOT"};
  for (int i = 0; i < CFHDescData::kTextKindCount; ++i) {
    double number = 0.0;
    if (readNumber(item, (std::u16string(u"_PT_X_DSC_TXTH") + kinds[i]).c_str(), number))
      CFHDescData::setTextHeightChecked(number, desc.textHeights[i]);
    if (readNumber(item, (std::u16string(u"_PT_X_DSC_TXTWF") + kinds[i]).c_str(), number))
      CFHDescData::setWidthFactorChecked(number, desc.widthFactors[i]);
  }
  static constexpr const char16_t* layerKeys[] = {u"_PT_X_DSC_LOPT", u"_PT_X_DSC_LOR", u"_PT_X_DSC_LCO",
                                                  u"_PT_X_DSC_DOT"};
  for (int i = 0; i < CFHDescData::kStyleKindCount; ++i) {
    if (const std::u16string* layer = valueOf(item, layerKeys[i]))
      desc.setLayerOrDefault(CString(*layer), desc.layers[i], desc.useDefaultLayer[i]);
  }
  readText(item, u"_PT_X_DSC_MDPP", desc.descriptionMask);
}
