#include "heating/dialogs/DialogPageSteps.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHModelQueries.h"
#include "heating/design/model/CFHPropertyValues.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "platform/cadhost/HostStatus.h"
#include "platform/win/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Keys = std::vector<std::uint64_t>;

std::u16string numberText(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.10g", value);
  return hvUtf8ToWide(buffer);
}

std::u16string wholeText(std::uint64_t value) { return hvUtf8ToWide(std::to_string(value)); }

// A key as a pick names it.
std::u16string keyWords(const CFHModel& model, std::uint64_t key) {
  switch (CFHModel::selectionKeyKind(key)) {
    case CFHModel::kKeyCircuit: return u"circuit " + wholeText(key);
    case CFHModel::kKeyZone: return u"zone " + wholeText(key / CFHModel::kZoneKeyFactor);
    default: break;
  }
  std::u16string words = u"edge " + wholeText(key / CFHModel::kZoneKeyFactor) + u" ";
  const CFHZoneEntry* zone = model.zoneOfKey(key);
  if (zone == nullptr) return words + u"?";
  const int id = static_cast<int>(key % CFHModel::kZoneKeyFactor);
  return words + wholeText(static_cast<std::uint64_t>(zone->design()->boundary()->asDrawnLoop.indexOfId(id) + 1));
}

// The key of a pick's item; when it names nothing the model has, why not.
std::u16string itemKeys(const CFHModel& model, const HvDialogStepItem& item, Keys& keys) {
  if (item.kind == hvDialogItemAll) {
    const Keys all = model.allSelectionKeys();
    keys.insert(keys.end(), all.begin(), all.end());
    return {};
  }
  const std::u16string number = hvUtf8ToWide(std::to_string(item.first));
  if (item.kind == hvDialogItemCircuit) {
    if (item.first < 1 || model.circuitByNumber(static_cast<std::uint32_t>(item.first)) == nullptr)
      return u"there is no circuit " + number;
    keys.push_back(static_cast<std::uint32_t>(item.first));
    return {};
  }
  const CFHZoneEntry* zone = item.first < 1 ? nullptr : model.zoneByNumber(static_cast<std::uint32_t>(item.first));
  if (zone == nullptr) return u"there is no zone " + number;
  if (item.kind == hvDialogItemZone) {
    keys.push_back(zone->selectionKey());
    return {};
  }
  if (item.kind != hvDialogItemEdge) return u"a pick names zones, circuits, edges or all";
  const CFHZoneBoundary* boundary = zone->design()->boundary();
  const int edges = boundary == nullptr ? 0 : boundary->asDrawnLoop.itemCount();
  if (item.second < 1 || item.second > edges)
    return u"zone " + number + u" has no edge " + hvUtf8ToWide(std::to_string(item.second)) + u" (it has " +
           hvUtf8ToWide(std::to_string(edges)) + u")";
  const int id = boundary->asDrawnLoop.item(item.second - 1)->id;
  if (id < 1 || static_cast<std::uint64_t>(id) >= CFHModel::kZoneKeyFactor)
    return u"edge " + hvUtf8ToWide(std::to_string(item.second)) + u" of zone " + number + u" cannot be picked";
  keys.push_back(zone->design()->edgeKey(static_cast<std::uint32_t>(id)));
  return {};
}

// Writes why the step was refused and answers the failure.
int refuseStep(const HvDialogStep& step, std::u16string_view why) {
  writeDialogReply(step, why);
  return hostStatus::error;
}

std::u16string selectionReply(const CFHModel& model) {
  std::u16string reply = u"keys:";
  for (const std::uint64_t key : model.selectionKeys) reply += u" " + keyWords(model, key);
  if (model.selectionKeys.empty()) reply += u" none";
  reply += u"; zones:";
  for (const CFHZoneEntry* zone : model.selectedZones) reply += u" " + wholeText(zone->number);
  if (model.selectedZones.empty()) reply += u" none";
  reply += u"; circuit: ";
  reply += model.currentCircuit != nullptr ? wholeText(model.currentCircuit->number) : u"none";
  return reply;
}

std::u16string valueText(const VARIANT& value) {
  switch (value.vt) {
    case VT_I4: return hvUtf8ToWide(std::to_string(value.lVal));
    case VT_R8: return numberText(value.dblVal);
    case VT_BSTR: return std::u16string(value.bstrVal, SysStringLen(value.bstrVal));
    default: return u"";
  }
}

}  // namespace

void writeDialogReply(const HvDialogStep& step, std::u16string_view text) {
  if (step.reply == nullptr || step.replyCapacity < 1) return;
  constexpr std::u16string_view kCut = u"[cut]";
  const auto room = static_cast<std::size_t>(step.replyCapacity - 1);
  std::u16string written(text);
  if (written.size() > room) {
    // The cut text keeps as much as leaves room for the mark.
    written.resize(room > kCut.size() ? room - kCut.size() : 0);
    written += kCut.substr(0, room - written.size());
  }
  std::copy(written.begin(), written.end(), step.reply);
  step.reply[written.size()] = u'\0';
}

int pickStep(CFHModel& model, const HvDialogStep& step) {
  Keys picked;
  for (std::int32_t i = 0; i < step.itemCount; ++i) {
    if (step.items == nullptr) return refuseStep(step, u"the pick's keys are missing");
    if (const std::u16string why = itemKeys(model, step.items[i], picked); !why.empty()) return refuseStep(step, why);
  }
  // Zones and sides picked together change nothing: the reply says so.
  model.updateSelectionFromPicks(picked, step.mode, step.option);
  writeDialogReply(step, selectionReply(model));
  return hostStatus::normal;
}

int numberStep(CFHModel& model, const HvDialogStep& step) {
  const int answer = step.target == hvDialogTargetZone      ? model.setCurrentZoneNumber(step.targetIndex)
                     : step.target == hvDialogTargetCircuit ? model.setCurrentCircuitNumber(step.targetIndex)
                                                            : 3;
  std::u16string reply = wholeText(static_cast<std::uint64_t>(answer));
  const std::u16string kind = step.target == hvDialogTargetCircuit ? u"circuit" : u"zone";
  const std::u16string number = hvUtf8ToWide(std::to_string(step.targetIndex));
  if (answer == 2) reply += u": another " + kind + u" has number " + number;
  if (answer == 3) reply += u": " + number + u" is not a " + kind + u" number";
  writeDialogReply(step, reply);
  return answer == 2 || answer == 3 ? hostStatus::error : hostStatus::normal;
}

int colorsStep(CFHModel& model, const HvDialogStep& step) {
  std::map<std::uint32_t, std::uint32_t> colours = model.collectCircuitColors();
  for (std::int32_t i = 0; i < step.itemCount; ++i) {
    const HvDialogStepItem* item = step.items != nullptr ? &step.items[i] : nullptr;
    if (item == nullptr) return refuseStep(step, u"the colours are missing");
    if (item->first < 1 || model.circuitByNumber(static_cast<std::uint32_t>(item->first)) == nullptr)
      return refuseStep(step, u"there is no circuit " + hvUtf8ToWide(std::to_string(item->first)));
    if (item->second < 0) return refuseStep(step, u"a colour index is 0 or more");
    colours[static_cast<std::uint32_t>(item->first)] = static_cast<std::uint32_t>(item->second);
  }
  model.applyCircuitColors(colours);
  std::u16string reply;
  for (const auto& [number, colour] : model.collectCircuitColors())
    reply += (reply.empty() ? u"" : u" ") + wholeText(number) + u"=" + wholeText(colour);
  writeDialogReply(step, reply);
  return hostStatus::normal;
}

int showStep(const CFHModel& model, const HvDialogStep& step) {
  std::vector<int> ids;
  for (std::int32_t i = 0; i < step.itemCount && step.items != nullptr; ++i) ids.push_back(step.items[i].first);
  if (ids.empty())
    for (int id = CFHPropertyValueList::kFirstId; id <= CFHPropertyValueList::kLastId; ++id) ids.push_back(id);
  std::u16string reply;
  CFHPropertyValueList values;
  for (const int id : ids) {
    model.collectPropertyValues(id, values);
    reply += wholeText(static_cast<std::uint64_t>(std::max(id, 0))) + u": ";
    reply += values.empty() ? u"none" : values.size() > 1 ? u"differs" : valueText(values[0]);
    reply += u"; ";
  }
  std::vector<double> widths;
  reply += u"border: " + wholeText(static_cast<std::uint64_t>(model.combinedZoneState(widths))) + u" widths";
  scaleValueList(widths, model.unitFactor(), true);
  for (const double width : widths) reply += u" " + numberText(width);
  reply += u"; display: " + wholeText(model.firstZoneDisplayType());
  reply += u"; shape: " + wholeText(model.firstSelectedZoneCircuitShape());
  std::vector<double> layoutValues;
  reply += u"; layout value: " + numberText(model.selectedZonesValueList(layoutValues));
  const CFHZoneEntry* zone = model.firstSelectedZone();
  if (zone == nullptr && !model.zones().empty()) zone = model.zones().front().get();
  reply += u"; P: ";
  reply += zone != nullptr ? numberText(zone->pressureLossForDisplay()) + u" " +
                                 std::u16string(pressureUnitText(model).view())
                           : u"none";
  writeDialogReply(step, reply);
  return hostStatus::normal;
}

bool canJoin(const CFHZoneEntry* inCircuit, const CFHZoneEntry* joining) {
  return inCircuit != nullptr && joining != nullptr && inCircuit->circuit != nullptr &&
         lastItemEquals(inCircuit->circuit->zones(), inCircuit) && joining->circuit == nullptr;
}

bool joinSelectedZones(CFHModel& model) {
  if (model.resolveJoinSelection() && canJoin(model.joinPair[0], model.joinPair[1])) return true;
  model.joinPair[0] = model.joinPair[1] = nullptr;
  return false;
}
