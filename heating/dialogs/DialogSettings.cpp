#include "heating/dialogs/DialogSettings.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/jobs/CFHJobs.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/dialogs/NearestKey.h"

#include "host/SettingsNumberText.h"

#include "platform/win/Utf8.h"

#include <algorithm>
#include <cmath>
#include <iterator>
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
// The border width, refused while it is calculated.
constexpr std::u16string_view kBorderRKey = u"CB_BORDER_R";

std::u16string wholeText(std::int64_t value) { return hvUtf8ToWide(std::to_string(value)); }

// Why a setting was refused; empty while it is not.
using Refusal = std::u16string;

// The whole text as a finite number.
bool readNumber(std::u16string_view text, double& number) {
  double read = 0.0;
  if (readDoubleText(text, read) != NumberTextRead::whole || !std::isfinite(read)) return false;
  number = read;
  return true;
}

Refusal notANumber(std::u16string_view text) {
  Refusal why = u"\"" + std::u16string(text) + u"\" is not a number";
  std::u16string pointed(text);
  std::replace(pointed.begin(), pointed.end(), u',', u'.');
  double read = 0.0;
  if (pointed != text && readNumber(pointed, read)) why += u": write a decimal point, " + pointed;
  return why;
}

// The number as a setting reads it, or why it does not.
Refusal readNumberAs(std::u16string_view key, ValueKind kind, std::uint32_t maxIndex, std::u16string_view text,
                     Value& value) {
  if (!readNumber(text, value.number)) return notANumber(text);
  const std::u16string named = std::u16string(key) + u" must be ";
  switch (kind) {
    case ValueKind::kPositive:
      return value.number > 0.0 ? Refusal() : named + u"above 0, not " + std::u16string(text);
    case ValueKind::kNotBelow0:
      return value.number >= 0.0 ? Refusal() : named + u"0 or more, not " + std::u16string(text);
    case ValueKind::kIndex:
      if (value.number != std::floor(value.number) || value.number < 0.0 || value.number > maxIndex)
        return named + u"a whole number from 0 to " + wholeText(maxIndex) + u", not " + std::u16string(text);
      value.index = static_cast<std::uint32_t>(value.number);
      return {};
    default: return {};
  }
}

Refusal readValue(const Setting& setting, std::u16string_view text, Value& value) {
  if (setting.kind != ValueKind::kText) return readNumberAs(setting.key, setting.kind, setting.maxIndex, text, value);
  value.text = CString(std::u16string(text));
  return {};
}

// The zones a zone setting goes to: the target zone, or the dialog's scope;
// refused for an unknown zone or a circuit target.
Refusal targetZones(const CFHModel& model, std::u16string_view key, HvDialogTarget target, std::int32_t number,
                    std::vector<CFHZoneEntry*>& zones) {
  if (target == hvDialogTargetCircuit)
    return std::u16string(key) + u" is a zone's setting: give it zone N, not circuit " + wholeText(number);
  if (target == hvDialogTargetNone) {
    zones = model.zonesInScope();
    return {};
  }
  CFHZoneEntry* zone = number > 0 ? model.zoneByNumber(static_cast<std::uint32_t>(number)) : nullptr;
  if (zone == nullptr) return u"there is no zone " + wholeText(number);
  zones = {zone};
  return {};
}

Refusal targetCircuits(const CFHModel& model, std::u16string_view key, HvDialogTarget target, std::int32_t number,
                       std::vector<CFHCircuit*>& circuits) {
  if (target == hvDialogTargetZone)
    return std::u16string(key) + u" is a circuit's setting: give it circuit N, not zone " + wholeText(number);
  if (target == hvDialogTargetNone) {
    for (const auto& circuit : model.circuits()) circuits.push_back(circuit.get());
    return {};
  }
  CFHCircuit* circuit = number > 0 ? model.circuitByNumber(static_cast<std::uint32_t>(number)) : nullptr;
  if (circuit == nullptr) return u"there is no circuit " + wholeText(number);
  circuits = {circuit};
  return {};
}

// The border width is taken only where it is fixed: elsewhere the
// calculation sets it.
Refusal borderWidthFixed(const std::vector<CFHZoneEntry*>& zones) {
  std::u16string calculated;
  for (const CFHZoneEntry* zone : zones)
    if (zone->calc.borderFixed == 0) calculated += (calculated.empty() ? u"" : u", ") + wholeText(zone->number);
  if (calculated.empty()) return {};
  const bool several = calculated.find(u',') != std::u16string::npos;
  return (several ? u"the border widths of zones " : u"the border width of zone ") + calculated +
         (several ? u" are" : u" is") + u" calculated (2.3 / M) while BORDER_FIXED is 0: set BORDER_FIXED 1 first";
}

Refusal applyBodyOutput(const CFHModel& model, std::u16string_view text, HvDialogTarget target, std::int32_t number,
                        PendingBodyOutputs& bodyOutputs) {
  Value read;
  std::vector<CFHZoneEntry*> zones;
  Refusal why = readNumberAs(kBodyOutputKey, ValueKind::kNotBelow0, 0, text, read);
  if (why.empty()) why = targetZones(model, kBodyOutputKey, target, number, zones);
  if (!why.empty()) return why;
  for (CFHZoneEntry* zone : zones) {
    if (zone->heatingBody != nullptr) zone->heatingBody->output = read.number;
    bodyOutputs[zone->number] = read.number;
  }
  return {};
}

Refusal applyPipePitch(CFHModel& model, std::u16string_view text, HvDialogTarget target) {
  if (target != hvDialogTargetNone) return u"PIPE_PITCH is the manifold's setting: it takes no zone or circuit";
  Value read;
  if (Refusal why = readNumberAs(kPipePitchKey, ValueKind::kPositive, 0, text, read); !why.empty()) return why;
  // setPipePitch stops the jobs, which read the pitch and the pipes, before
  // it changes them.
  if (model.pipeNetwork().setPipePitch(read.number * model.unitFactor())) return {};
  // Nothing changed, but the jobs were stopped: they go on.
  startDesignJobs(model.workerSync(), model.circuits());
  return u"the distribution pipes cannot be connected again " + std::u16string(text) + u" m apart";
}

Refusal unknownKey(std::u16string_view key) {
  return u"unknown setting " + std::u16string(key) + u"; the nearest known one is " +
         std::u16string(nearestKey(key, dialogSettingKeys()));
}

DialogSettingAnswer refused(Refusal why, std::u16string* refusal) {
  if (refusal != nullptr) *refusal = std::move(why);
  return DialogSettingAnswer::kRefused;
}

}  // namespace

std::vector<std::u16string_view> dialogSettingKeys() {
  std::vector<std::u16string_view> keys = {kBodyOutputKey, kPipePitchKey};
  for (const Setting& s : kSettings) keys.emplace_back(s.key);
  return keys;
}

DialogSettingAnswer applyDialogSetting(CFHModel& model, std::u16string_view key, std::u16string_view value,
                                       HvDialogTarget target, std::int32_t targetNumber,
                                       PendingBodyOutputs& bodyOutputs, std::u16string* refusal) {
  if (key == kBodyOutputKey) {
    Refusal why = applyBodyOutput(model, value, target, targetNumber, bodyOutputs);
    return why.empty() ? DialogSettingAnswer::kApplied : refused(std::move(why), refusal);
  }
  if (key == kPipePitchKey) {
    Refusal why = applyPipePitch(model, value, target);
    return why.empty() ? DialogSettingAnswer::kDesignInput : refused(std::move(why), refusal);
  }
  const Setting* setting = nullptr;
  for (const Setting& s : kSettings)
    if (key == s.key) setting = &s;
  if (setting == nullptr) return refused(unknownKey(key), refusal);
  Value read;
  if (Refusal why = readValue(*setting, value, read); !why.empty()) return refused(std::move(why), refusal);

  if (setting->circuit != nullptr) {
    std::vector<CFHCircuit*> circuits;
    if (Refusal why = targetCircuits(model, key, target, targetNumber, circuits); !why.empty())
      return refused(std::move(why), refusal);
    for (CFHCircuit* circuit : circuits) setting->circuit(*circuit, read);
    return DialogSettingAnswer::kApplied;
  }
  std::vector<CFHZoneEntry*> zones;
  Refusal why = targetZones(model, key, target, targetNumber, zones);
  if (why.empty() && key == kBorderRKey) why = borderWidthFixed(zones);
  if (!why.empty()) return refused(std::move(why), refusal);
  for (CFHZoneEntry* zone : zones) {
    // A running job must not read a value that changes under it, and must
    // not be running when the jobs restart, or the change is never designed.
    if (setting->designInput && zone->circuit != nullptr) zone->circuit->stopWorker();
    setting->zone(*zone, read);
  }
  return setting->designInput ? DialogSettingAnswer::kDesignInput : DialogSettingAnswer::kApplied;
}
