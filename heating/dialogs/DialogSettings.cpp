#include "heating/dialogs/DialogSettings.h"

#include "heating/design/CFHCircuit.h"
#include "heating/design/CFHJobs.h"
#include "heating/design/CFHModel.h"
#include "heating/design/CFHZoneDesign.h"
#include "heating/design/CFHZoneEntry.h"

#include "host/SettingsNumberText.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

// How a setting's text is read.
enum class ValueKind {
  kNumber,    // any finite number
  kPositive,  // a finite number above 0
  kNotBelow0, // a finite number of 0 or more
  kIndex,     // a whole number from 0 to maxIndex
  kText,      // the text as it is
};

struct Value {
  double number = 0.0;
  std::uint32_t index = 0;
  CString text;
};

using ZoneSetter = void (*)(CFHZoneEntry& zone, const Value& value);
using CircuitSetter = void (*)(CFHCircuit& circuit, const Value& value);

struct Setting {
  const char16_t* key;
  ValueKind kind;
  std::uint32_t maxIndex;
  bool designInput;
  ZoneSetter zone;        // a zone's setting, or null
  CircuitSetter circuit;  // a circuit's setting, or null
};

// The setters answer whether they changed the value; the dialog applies the
// value either way.
const Setting kSettings[] = {
    {u"CIRCUIT_SHAPE", ValueKind::kIndex, 1, true,
     [](CFHZoneEntry& z, const Value& v) { z.design()->setCircuitShape(v.index); }, nullptr},
    {u"DISPLAY_TYPE", ValueKind::kIndex, 2, true,
     [](CFHZoneEntry& z, const Value& v) { z.design()->setDisplayType(v.index); }, nullptr},
    {u"CB_PIPE_PITCH", ValueKind::kPositive, 0, true,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setPipePitch(v.number); }, nullptr},
    {u"CB_BORDER_R", ValueKind::kNotBelow0, 0, true,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setBorderR(v.number); }, nullptr},
    {u"BORDER_FIXED", ValueKind::kIndex, 1, true,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setBorderFixed(static_cast<std::uint8_t>(v.index)); }, nullptr},
    {u"CB_T_TI", ValueKind::kNumber, 0, false, [](CFHZoneEntry& z, const Value& v) { z.calc.setTi(v.number); },
     nullptr},
    {u"CB_T_TP", ValueKind::kNumber, 0, false, [](CFHZoneEntry& z, const Value& v) { z.calc.setTp(v.number); },
     nullptr},
    {u"T_TP_FIXED", ValueKind::kIndex, 1, false,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setTpFixed(static_cast<std::uint8_t>(v.index)); }, nullptr},
    {u"CB_T_TDI", ValueKind::kNumber, 0, false, [](CFHZoneEntry& z, const Value& v) { z.calc.setTi2(v.number); },
     nullptr},
    {u"CB_PIPE_DIAM", ValueKind::kPositive, 0, false,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setPipeDiameter(v.number); }, nullptr},
    {u"CB_PLACEMENT", ValueKind::kIndex, 2, false,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setPlacement(v.index); }, nullptr},
    {u"CB_ABOVE_AP", ValueKind::kNumber, 0, false,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setAlphaP(v.number); }, nullptr},
    {u"CB_T_ADP", ValueKind::kNumber, 0, false, [](CFHZoneEntry& z, const Value& v) { z.calc.setAlphaP2(v.number); },
     nullptr},
    {u"CB_T_LVR", ValueKind::kNumber, 0, false, [](CFHZoneEntry& z, const Value& v) { z.calc.setLvr(v.number); },
     nullptr},
    {u"CB_CAPACITY", ValueKind::kNumber, 0, false, [](CFHZoneEntry& z, const Value& v) { z.calc.setC(v.number); },
     nullptr},
    {u"CB_SOIL_RZ", ValueKind::kNumber, 0, false,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setSoilRz(v.number); }, nullptr},
    {u"CB_T_TZ", ValueKind::kNumber, 0, false, [](CFHZoneEntry& z, const Value& v) { z.calc.setTz(v.number); },
     nullptr},
    {u"CB_FURN_PLINTH", ValueKind::kNotBelow0, 0, false,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setSpns(v.number); }, nullptr},
    {u"CB_FURN_LEGS", ValueKind::kNotBelow0, 0, false,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setSpnn(v.number); }, nullptr},
    {u"LOSS_QC", ValueKind::kNotBelow0, 0, false,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setLossQc(v.number); }, nullptr},
    {u"AREA_FROM_LOSS", ValueKind::kIndex, 1, false,
     [](CFHZoneEntry& z, const Value& v) { z.calc.setComboIndexB(v.index); }, nullptr},
    {u"CB_IN_T1", ValueKind::kNumber, 0, false, nullptr,
     [](CFHCircuit& c, const Value& v) { c.calc.setSupplyTemperature(v.number); }},
    {u"CB_OUT_T2", ValueKind::kNumber, 0, false, nullptr,
     [](CFHCircuit& c, const Value& v) { c.calc.setReturnTemperature(v.number); }},
    {u"CB_MAX_LEN", ValueKind::kPositive, 0, false, nullptr,
     [](CFHCircuit& c, const Value& v) { c.calc.setMaxLoopLength(v.number); }},
    {u"PMAX_KPA", ValueKind::kPositive, 0, false, nullptr,
     [](CFHCircuit& c, const Value& v) { c.calc.setMaxPressure(v.number); }},
    {u"CHECK_PMAX", ValueKind::kIndex, 1, false, nullptr,
     [](CFHCircuit& c, const Value& v) { c.calc.setMaxPressureDefault(static_cast<std::uint8_t>(v.index)); }},
    {u"CB_PIPE_MAT", ValueKind::kText, 0, false, nullptr,
     [](CFHCircuit& c, const Value& v) { c.calc.setPipeMaterial(v.text); }},
};

// The heating body's output, kept for a zone that has no body yet.
constexpr std::u16string_view kBodyOutputKey = u"BODY_OUTPUT";
// The distribution pipe pitch, m.
constexpr std::u16string_view kPipePitchKey = u"PIPE_PITCH";

// The whole text as a finite number.
bool readNumber(std::u16string_view text, double& number) {
  double read = 0.0;
  if (readDoubleText(text, read) != NumberTextRead::whole || !std::isfinite(read)) return false;
  number = read;
  return true;
}

bool readValue(const Setting& setting, std::u16string_view text, Value& value) {
  if (setting.kind == ValueKind::kText) {
    value.text = CString(std::u16string(text));
    return true;
  }
  if (!readNumber(text, value.number)) return false;
  switch (setting.kind) {
    case ValueKind::kPositive: return value.number > 0.0;
    case ValueKind::kNotBelow0: return value.number >= 0.0;
    case ValueKind::kIndex:
      if (value.number != std::floor(value.number) || value.number < 0.0 || value.number > setting.maxIndex)
        return false;
      value.index = static_cast<std::uint32_t>(value.number);
      return true;
    default: return true;
  }
}

// The zones a zone setting goes to: the target zone, or the dialog's scope;
// false for an unknown zone or a circuit target.
bool targetZones(const CFHModel& model, HvDialogTarget target, std::int32_t number, std::vector<CFHZoneEntry*>& zones) {
  if (target == hvDialogTargetCircuit) return false;
  if (target == hvDialogTargetNone) {
    zones = model.zonesInScope();
    return true;
  }
  CFHZoneEntry* zone = number > 0 ? model.zoneByNumber(static_cast<std::uint32_t>(number)) : nullptr;
  if (zone == nullptr) return false;
  zones = {zone};
  return true;
}

bool targetCircuits(const CFHModel& model, HvDialogTarget target, std::int32_t number,
                    std::vector<CFHCircuit*>& circuits) {
  if (target == hvDialogTargetZone) return false;
  if (target == hvDialogTargetNone) {
    for (const auto& circuit : model.circuits()) circuits.push_back(circuit.get());
    return true;
  }
  CFHCircuit* circuit = number > 0 ? model.circuitByNumber(static_cast<std::uint32_t>(number)) : nullptr;
  if (circuit == nullptr) return false;
  circuits = {circuit};
  return true;
}

DialogSettingAnswer applyBodyOutput(const CFHModel& model, std::u16string_view text, HvDialogTarget target,
                                    std::int32_t number, PendingBodyOutputs& bodyOutputs) {
  double output = 0.0;
  std::vector<CFHZoneEntry*> zones;
  if (!readNumber(text, output) || output < 0.0 || !targetZones(model, target, number, zones))
    return DialogSettingAnswer::kRefused;
  for (CFHZoneEntry* zone : zones) {
    if (zone->heatingBody != nullptr) zone->heatingBody->output = output;
    bodyOutputs[zone->number] = output;
  }
  return DialogSettingAnswer::kApplied;
}

DialogSettingAnswer applyPipePitch(CFHModel& model, std::u16string_view text, HvDialogTarget target) {
  double pitch = 0.0;
  if (target != hvDialogTargetNone || !readNumber(text, pitch) || !(pitch > 0.0)) return DialogSettingAnswer::kRefused;
  // setPipePitch stops the jobs, which read the pitch and the pipes, before
  // it changes them.
  if (model.pipeNetwork().setPipePitch(pitch * model.unitFactor())) return DialogSettingAnswer::kDesignInput;
  // Nothing changed, but the jobs were stopped: they go on.
  startDesignJobs(model.workerSync(), model.circuits());
  return DialogSettingAnswer::kRefused;
}

}  // namespace

DialogSettingAnswer applyDialogSetting(CFHModel& model, std::u16string_view key, std::u16string_view value,
                                       HvDialogTarget target, std::int32_t targetNumber,
                                       PendingBodyOutputs& bodyOutputs) {
  if (key == kBodyOutputKey) return applyBodyOutput(model, value, target, targetNumber, bodyOutputs);
  if (key == kPipePitchKey) return applyPipePitch(model, value, target);
  const Setting* setting = nullptr;
  for (const Setting& s : kSettings)
    if (key == s.key) setting = &s;
  Value read;
  if (setting == nullptr || !readValue(*setting, value, read)) return DialogSettingAnswer::kRefused;

  if (setting->circuit != nullptr) {
    std::vector<CFHCircuit*> circuits;
    if (!targetCircuits(model, target, targetNumber, circuits)) return DialogSettingAnswer::kRefused;
    for (CFHCircuit* circuit : circuits) setting->circuit(*circuit, read);
    return DialogSettingAnswer::kApplied;
  }
  std::vector<CFHZoneEntry*> zones;
  if (!targetZones(model, target, targetNumber, zones)) return DialogSettingAnswer::kRefused;
  for (CFHZoneEntry* zone : zones) {
    // A running job must not read a value that changes under it, and must
    // not be running when the jobs restart, or the change is never designed.
    if (setting->designInput && zone->circuit != nullptr) zone->circuit->stopWorker();
    setting->zone(*zone, read);
  }
  return setting->designInput ? DialogSettingAnswer::kDesignInput : DialogSettingAnswer::kApplied;
}
