// A small module for the end-to-end runs of cadhost: each exported command
// calls host words the way the heating module does, with the module side's
// own list builder and free function, so that a run under AddressSanitizer
// checks that host and module agree on who allocates and frees what.
#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "host/HostExport.h"
#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/cadhost/ScriptedDialog.h"
#include "platform/cadhost/SiblingExports.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Modules.h"

#define TM_COMMAND extern "C" __attribute__((visibility("default"))) void

namespace {

// A line from (x, 0) to (x, 100) on the heating layer with extended data.
resbuf* lineList(double x, const std::u16string& handle = u"") {
  const double a[3] = {x, 0.0, 0.0};
  const double b[3] = {x, 100.0, 0.0};
  return buildResbufList({{0, u"LINE"},
                          {5, handle.empty() ? hvSkipText : handle.c_str()},
                          {100, u"AcDbEntity"},
                          {8, u"T-podlahove_vytapeni"},
                          {100, u"AcDbLine"},
                          {10, a},
                          {11, b},
                          {1001, u"QEV_DATA"},
                          {1000, u"Žluťoučký kůň"},
                          {1070, 272},
                          {1005, u""}});
}

int make(resbuf* list) {
  const int status = callHostWord<114>(list, 0, 0).value_or(hostStatus::error);
  freeResbufChain(list, false);
  return status;
}

// Selects with a prompt call and a selection call; answers the lists.
std::vector<resbuf*> selectLists(const char* prompt, int filter) {
  std::vector<resbuf*> lists;
  if (callHostWord<138>(prompt, 2, 0, 0, nullptr).value_or(0) != hostStatus::normal) return lists;
  if (callHostWord<138>(nullptr, 0, filter, 0, nullptr).value_or(0) != hostStatus::normal) return lists;
  for (int guard = 0; guard < 100000; ++guard) {
    resbuf* list = callHostWord<167>(0, 0).value_or(nullptr);
    if (list == nullptr) break;
    lists.push_back(list);
  }
  return lists;
}

std::vector<std::u16string> handlesOf(const std::vector<resbuf*>& lists) {
  std::vector<std::u16string> handles;
  for (const resbuf* list : lists)
    for (const resbuf* n = list; n != nullptr; n = n->next)
      if (n->code == 5 && n->value.str != nullptr) handles.emplace_back(n->value.str);
  return handles;
}

void freeAll(std::vector<resbuf*>& lists) {
  for (resbuf* list : lists) freeResbufChain(list, false);
  lists.clear();
}

void handOver(const std::vector<std::u16string>& handles) {
  std::vector<const char16_t*> texts;
  for (const std::u16string& h : handles) texts.push_back(h.c_str());
  texts.push_back(nullptr);
  callHostWord<142>(texts.data(), static_cast<int>(handles.size()), 1);
}

int acceptStep(void* context, const HvDialogStep* step) {
  auto* steps = static_cast<int*>(context);
  ++*steps;
  return step->kind >= hvDialogWait && step->kind <= hvDialogEnd ? hostStatus::normal : hostStatus::error;
}

}  // namespace

TM_COMMAND tmSelect() {
  std::vector<resbuf*> lists = selectLists("Vyberte rozd\xECl" "ova\xE8 a rozvody z rozd\xECl" "ova\xE8" "e:", 4);
  freeAll(lists);
}

TM_COMMAND tmMakeLine() {
  char16_t handle[50] = {};
  callHostWord<17>();
  callHostWord<164>(handle);
  make(lineList(5000.0, handle));
  callHostWord<19>(1u);
}

TM_COMMAND tmRollback() {
  callHostWord<17>();
  make(lineList(6000.0));
  callHostWord<19>(0x80000020u);
}

TM_COMMAND tmLeaveOpen() {
  callHostWord<17>();
  make(lineList(7000.0));
}

// Hands every selected list back unchanged, as held entities are released.
TM_COMMAND tmEcho() {
  std::vector<resbuf*> lists = selectLists("echo", 0);
  callHostWord<17>();
  for (resbuf* list : lists) callHostWord<114>(list, 0, 0);
  callHostWord<19>(1u);
  freeAll(lists);
}

TM_COMMAND tmHandOver() {
  std::vector<resbuf*> lists = selectLists("replace", 0);
  handOver(handlesOf(lists));
  freeAll(lists);
  callHostWord<17>();
  make(lineList(8000.0));
  callHostWord<19>(1u);
}

TM_COMMAND tmHandOverNoCommit() {
  std::vector<resbuf*> lists = selectLists("replace", 0);
  handOver(handlesOf(lists));
  freeAll(lists);
  callHostWord<17>();
  make(lineList(9000.0));
}

TM_COMMAND tmInputs() {
  int index = -1;
  const HostKeywordRecord records[] = {{32, 0, u"Normální", u"Normal", u"Normální"},
                                       {32, 1, u"Inkrementální", u"Incremental", u"Inkrementální"},
                                       {32, 2, u"Zónami", u"Zones", u"inkrementální se Zónami polovičních vah"}};
  const HostKeywordList keywords{32, 1, 3, records};
  callHostWord<127>(u"Zadejte typ offsetu %s:", &keywords, &index, 0);
  double point[3] = {};
  if (callHostWord<118>(0, u"Vyberte bod vložení:", point).value_or(0) == hostStatus::normal)
    callHostWord<35>(point, 0);
  double distance = 0.0;
  callHostWord<198>(u"Vzdálenost offsetu:", &distance);
  const HWND owner = hostMainWindow(getExport2D()).value_or(nullptr);
  MessageBoxW(owner, u"První zpráva", u"Test", MB_ICONWARNING);
  MessageBoxW(owner, u"Druhá zpráva", u"Test", MB_ICONQUESTION);
}

TM_COMMAND tmBlocks() {
  char16_t name[128] = u"*UMSHV90";
  const double base[3] = {0.0, 0.0, 0.0};
  callHostWord<17>();
  callHostWord<111>(0, name, nullptr, 1, base[0], base[1], base[2]);
  resbuf* line = lineList(0.0, u"1");  // a used handle: the host gives a fresh one
  callHostWord<111>(1, name, line, 0, 0.0, 0.0, 0.0);
  freeResbufChain(line, false);
  callHostWord<111>(2, name, nullptr, 0, 0.0, 0.0, 0.0);
  for (resbuf* list = callHostWord<113>(1).value_or(nullptr); list != nullptr;
       list = callHostWord<113>(0).value_or(nullptr))
    freeResbufChain(list, false);
  const double at[3] = {100.0, 200.0, 0.0};
  make(buildResbufList({{0, u"INSERT"}, {100, u"AcDbEntity"}, {8, u"0"}, {100, u"AcDbBlockReference"},
                        {2, std::u16string(name)}, {10, at}}));
  callHostWord<19>(1u);
}

// Design threads ask for the table and the unit factor while the command
// thread keeps calling the host.
TM_COMMAND tmThreads() {
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 6; ++t)
    threads.emplace_back([&wrong] {
      for (int i = 0; i < 200; ++i)
        if (hostUnitFactor().value_or(0) != 1000) ++wrong;
    });
  for (int i = 0; i < 200; ++i) callHostWord<178>();
  for (std::thread& t : threads) t.join();
  if (wrong != 0) throw std::runtime_error("a thread read a wrong unit factor");
}

TM_COMMAND tmDialog() {
  HMODULE hostModule = GetModuleHandleW(hostExecutableName);
  auto run = reinterpret_cast<HvRunScriptedDialogProc>(GetProcAddress(hostModule, hostScriptedDialogExport));
  int steps = 0;
  const int code = run ? run(u"CFloorHeatingDlgComplex", acceptStep, &steps) : hostStatus::error;
  callHostWord<19>(code == 1 ? 1u : 0x80000020u);
}

TM_COMMAND tmFloorLib() {
  HMODULE library = LoadLibraryW(u"VO_VUDE2RUR.EVO");
  auto proc = [library](const char* name) { return GetProcAddress(library, name); };
  auto init = reinterpret_cast<HvFloorLibInitProc>(proc("HV_FLOOR_LIB_INIT"));
  auto select = reinterpret_cast<HvFloorLibSelectProc>(proc("HV_FLOOR_LIB_SELECT"));
  auto actions = reinterpret_cast<HvFloorEnumActionProc>(proc("HV_FLOOR_ENUM_ACTION"));
  auto marks = reinterpret_cast<HvFloorEnumMarksProc>(proc("HV_FLOOR_ENUM_OZN"));
  auto layers = reinterpret_cast<HvFloorEnumDefProc>(proc("HV_FLOOR_ENUM_DEF"));
  auto done = reinterpret_cast<HvFloorLibDoneProc>(proc("HV_FLOOR_LIB_DONE"));
  if (!init || !select || !actions || !marks || !layers || !done) throw std::runtime_error("no floor library");
  init(nullptr);
  char** names = nullptr;
  const int n = actions(1, &names);
  for (int i = 0; i < n; ++i) {
    char** found = nullptr;
    const int m = marks(1, names[i], &found);
    for (int k = 0; k < m; ++k) std::free(found[k]);
    std::free(found);
    std::free(names[i]);
  }
  std::free(names);
  char mark[257] = {};
  char action[257] = {};
  if (select(nullptr, 3, mark, 256, action, 256, 0) == 1) {
    HvFloorLayer** list = nullptr;
    const int count = layers(1, mark, action, &list);
    for (int i = 0; i < count; ++i) std::free(list[i]);
    std::free(list);
    if (count == 0) throw std::runtime_error("the chosen structure has no layers");
  }
  done();
}

// The description formatter, as the heating output calls it.
TM_COMMAND tmDescFormat() {
  HMODULE library = LoadLibraryW(u"QEV_DESC.CRX");
  auto format = reinterpret_cast<HvFormatDescProc>(GetProcAddress(library, "FormatDescFromMask"));
  if (format == nullptr) throw std::runtime_error("no description formatter");
  resbuf* values = buildResbufList({{1001, u"QEV_DATA"}, {1000, u"TPV1000-0001"}, {1000, u"A"}, {1000, u"1"},
                                    {1000, u"B"}, {1000, u"Žár"}, {1000, u"A"}, {1000, u"9"}});
  std::vector<char16_t> buffer(descFormatterBufferSize, u'x');
  format(buffer.data(), values, u"%A%/%B%:%C%%%, %D", 0, 0);
  freeResbufChain(values, false);
  if (std::u16string(buffer.data()) != u"1/Žár:%, %D") throw std::runtime_error("the description is wrong");
}

TM_COMMAND tmThrow() { throw std::runtime_error("the test command failed on purpose"); }
