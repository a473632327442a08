#include "heating/design/settings/CFHDescData.h"

#include "host/CodePageText.h"

#include <cmath>

CFHDescData::CFHDescData() { layers.fill(CString(u"0")); }

void CFHDescData::setLayerOrDefault(const CString& name, CString& layer, std::uint32_t& useDefault) const {
  if (name.IsEmpty() || name.Compare(u"*") == 0) {
    layer = defaultLayer;
    useDefault = 1;
    return;
  }
  layer = name;
  useDefault = 0;
}

namespace {

bool setSizeChecked(double value, double& field) {
  if (!std::isfinite(value) || value <= CFHDescData::kMinTextSize || value >= CFHDescData::kMaxTextSize)
    return false;
  field = value;
  return true;
}

}  // namespace

bool CFHDescData::setTextHeightChecked(double value, double& field) { return setSizeChecked(value, field); }

bool CFHDescData::setWidthFactorChecked(double value, double& field) { return setSizeChecked(value, field); }

CString CFHDescData::resolveTextStyle(const CString& name) const {
  if (drawingTextStyles.empty()) return CString(u"STANDARD");
  for (const CString& style : drawingTextStyles) {
    if (style.CompareNoCase(name) == 0) return style;
  }
  return drawingTextStyles.front();
}

void CFHDescData::readDefaultLayer(const HostExport2D* host) {
  if (auto layerState218 = hostWordOf<218>(host)) layerState218(u"HV_QEVHEATING", &layerState[0], &layerState[1]);

  if (auto styles59 = hostWordOf<59>(host)) {
    int count = 0;
    const char* const* names = styles59(&count);
    for (int i = 0; names != nullptr && i < count; ++i) {
      if (names[i] == nullptr) continue;
      const CString style(hvMbToWide(names[i]));
      drawingTextStyles.push_back(style);
    }
  }
  if (drawingTextStyles.empty()) drawingTextStyles.push_back(CString(u"Standard"));

  if (auto variable29 = hostWordOf<29>(host)) {
    const char* layer = variable29("CLAYER");
    defaultLayer = layer != nullptr ? CString(hvMbToWide(layer)) : CString();
  }
}

bool CFHDescData::descriptionTextByKind(int kind, CString& out) const {
  // The five label kinds share four styles: the zone's label and its
  // description lines take the zone's.
  static constexpr int kStyleOfKind[kTextKindCount] = {kStyleZone, kStyleZone, kStyleManifold, kStyleCircuit,
                                                       kStyleHeatingBody};
  if (kind < 0 || kind >= kTextKindCount) return false;
  const CString& style = textStyles[static_cast<std::size_t>(kStyleOfKind[kind])];
  if (style.IsEmpty()) return false;
  out = style;
  return true;
}
