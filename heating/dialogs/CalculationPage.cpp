#include "heating/dialogs/CalculationPage.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/commands/HostCaption.h"

#include "host/CodePageText.h"
#include "host/MessageBoxRes.h"

#include "resources/LiteralTexts.h"
#include "resources/ModuleStrings.h"

#include <string>

namespace {

std::string caption() { return hvWideToMb(GetHostCaption().view()); }

}  // namespace

std::int32_t runCalculationPage(CFHModel& model) {
  std::int32_t bits = 0;
  for (const auto& circuit : model.circuits()) bits |= circuit->calculate();
  const struct {
    std::int32_t bit;
    const char16_t* text;
  } warnings[] = {{CFHCircuit::kWarnTpAboveTm, HvText::kWarnTpAboveTm},
                  {CFHCircuit::kWarnTiAboveTp, HvText::kWarnTiAboveTp},
                  {CFHCircuit::kWarnReturnNotBelow, HvText::kWarnT2NotBelowT1}};
  for (const auto& warning : warnings)
    if ((bits & warning.bit) != 0) messageBoxText(caption().c_str(), CString(warning.text), MB_ICONWARNING);
  warnZonesOverLimits(model);
  return bits;
}

void recalculateCircuits(CFHModel& model) {
  for (const auto& circuit : model.circuits()) circuit->calculate();
}

bool warnZonesOverLimits(const CFHModel& model) {
  CString zones;
  if (!model.zonesOverLimits(zones)) return false;
  messageBoxResFormat(caption().c_str(), IDS_WARN_ZONES_OVER_MAXIMUM, MB_ICONWARNING, zones.GetString());
  return true;
}
