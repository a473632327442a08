#include "platform/cadhost/FloorLibraryStub.h"

#include <cstdlib>
#include <cstring>

#include "platform/cadhost/CadHost.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/cadhost/NarrowText.h"
#include "platform/cadhost/SymbolName.h"

namespace cadhost {

namespace {

CadHost& host() { return *CadHost::current(); }

JsonLine floorLine(const char* function) {
  JsonLine line;
  line.text("kind", "floorlib").text("function", function);
  return line;
}

char* heapNarrow(const std::u16string& text) {
  const std::string narrow = wideToNarrow(text);
  char* copy = static_cast<char*>(std::malloc(narrow.size() + 1));
  if (copy != nullptr) std::memcpy(copy, narrow.c_str(), narrow.size() + 1);
  return copy;
}

// A C-heap array of C-heap texts; the count, or 0 (and null) when empty or
// the heap is exhausted.
int heapTextArray(const std::vector<std::u16string>& texts, char*** out) {
  if (out == nullptr) return 0;
  *out = nullptr;
  if (texts.empty()) return 0;
  auto** array = static_cast<char**>(std::calloc(texts.size(), sizeof(char*)));
  if (array == nullptr) return 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    array[i] = heapNarrow(texts[i]);
    if (array[i] == nullptr) {
      for (std::size_t k = 0; k < i; ++k) std::free(array[k]);
      std::free(array);
      return 0;
    }
  }
  *out = array;
  return static_cast<int>(texts.size());
}

const FloorStructure* structureOf(const std::u16string& action, const std::u16string& mark) {
  for (const FloorStructure& s : floorCatalogue()) {
    if (!action.empty() && !sameSymbolName(s.action, action)) continue;
    for (const std::u16string& m : s.marks)
      if (sameSymbolName(m, mark)) return &s;
  }
  return nullptr;
}

void copyNarrow(const std::u16string& text, char* buffer, int size) {
  if (buffer == nullptr || size < 1) return;
  std::string narrow = wideToNarrow(text);
  const std::size_t n = std::min(narrow.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, narrow.data(), n);
  buffer[n] = '\0';
}

void libInit(HWND) { host().write(floorLine("HV_FLOOR_LIB_INIT")); }
void libDone() { host().write(floorLine("HV_FLOOR_LIB_DONE")); }

int libSelect(HWND, int mode, char* mark, int markSize, char* action, int actionSize, int) {
  JsonLine line = floorLine("HV_FLOOR_LIB_SELECT");
  line.integer("mode", mode).text("mark", narrowToWide(mark)).text("action", narrowToWide(action));
  const ScriptItem* item = host().takeInput(ScriptKind::FloorLib, "HV_FLOOR_LIB_SELECT");
  int answer = 0;
  if (item != nullptr && !item->cancel) {
    std::u16string chosenAction = item->action;
    if (chosenAction.empty())
      if (const FloorStructure* s = structureOf(u"", item->mark)) chosenAction = s->action;
    if (!structureOf(chosenAction, item->mark)) line.text("note", "not in the catalogue");
    copyNarrow(item->mark, mark, markSize);
    copyNarrow(chosenAction, action, actionSize);
    line.text("chosenMark", item->mark).text("chosenAction", chosenAction);
    answer = 1;
  }
  if (item != nullptr) line.integer("line", static_cast<std::int64_t>(item->line));
  host().write(line.integer("answer", answer));
  return answer;
}

int saveToDict(const char* name, const char* mark, int) {
  host().write(floorLine("HV_FLOOR_SAVE_FSTRUCT_TO_DICT").text("action", narrowToWide(name)).text("mark", narrowToWide(mark))
                   .integer("answer", hostStatus::normal));
  return hostStatus::normal;
}

int enumActions(int mode, char*** names) {
  std::vector<std::u16string> actions;
  for (const FloorStructure& s : floorCatalogue()) actions.push_back(s.action);
  const int n = heapTextArray(actions, names);
  host().write(floorLine("HV_FLOOR_ENUM_ACTION").integer("mode", mode).integer("answer", n));
  return n;
}

int enumMarks(int mode, const char* name, char*** marks) {
  const std::u16string action = narrowToWide(name);
  std::vector<std::u16string> found;
  for (const FloorStructure& s : floorCatalogue())
    if (sameSymbolName(s.action, action)) found = s.marks;
  const int n = heapTextArray(found, marks);
  host().write(floorLine("HV_FLOOR_ENUM_OZN").integer("mode", mode).text("action", action).integer("answer", n));
  return n;
}

int enumLayers(int mode, const char* mark, const char* action, HvFloorLayer*** layers) {
  const std::u16string m = narrowToWide(mark);
  const std::u16string a = narrowToWide(action);
  int n = 0;
  if (layers != nullptr) *layers = nullptr;
  const FloorStructure* s = structureOf(a, m);
  if (s != nullptr && layers != nullptr && !s->layers.empty()) {
    auto** array = static_cast<HvFloorLayer**>(std::calloc(s->layers.size(), sizeof(HvFloorLayer*)));
    bool ok = array != nullptr;
    for (std::size_t i = 0; ok && i < s->layers.size(); ++i) {
      array[i] = static_cast<HvFloorLayer*>(std::malloc(sizeof(HvFloorLayer)));
      ok = array[i] != nullptr;
      if (ok) *array[i] = s->layers[i];
    }
    if (ok) {
      *layers = array;
      n = static_cast<int>(s->layers.size());
    } else if (array != nullptr) {
      for (std::size_t i = 0; i < s->layers.size(); ++i) std::free(array[i]);
      std::free(array);
    }
  }
  host().write(floorLine("HV_FLOOR_ENUM_DEF").integer("mode", mode).text("mark", m).text("action", a).integer("answer", n));
  return n;
}

void deleteStructure() { host().write(floorLine("HV_FLOOR_DELETE_FSTRUCT")); }

}  // namespace

const std::vector<FloorStructure>& floorCatalogue() {
  static const std::vector<FloorStructure> catalogue = {
      {u"Anhydritová podlaha", {u"P1", u"P2"}, {{0, 10.0, 1.05}, {1, 50.0, 1.2}, {0, 30.0, 0.035}}},
      {u"Betonová podlaha", {u"P3"}, {{0, 15.0, 0.17}, {1, 65.0, 1.4}, {0, 40.0, 0.04}}},
  };
  return catalogue;
}

std::vector<HvModuleExport> floorLibraryExports() {
  return {
      hvExport("HV_FLOOR_LIB_INIT", HvFloorLibInitProc{libInit}),
      hvExport("HV_FLOOR_LIB_DONE", HvFloorLibDoneProc{libDone}),
      hvExport("HV_FLOOR_LIB_SELECT", HvFloorLibSelectProc{libSelect}),
      hvExport("HV_FLOOR_SAVE_FSTRUCT_TO_DICT", HvFloorSaveToDictProc{saveToDict}),
      hvExport("HV_FLOOR_ENUM_ACTION", HvFloorEnumActionProc{enumActions}),
      hvExport("HV_FLOOR_ENUM_OZN", HvFloorEnumMarksProc{enumMarks}),
      hvExport("HV_FLOOR_ENUM_DEF", HvFloorEnumDefProc{enumLayers}),
      hvExport("HV_FLOOR_DELETE_FSTRUCT", HvFloorDeleteProc{deleteStructure}),
  };
}

}  // namespace cadhost
