// An in-process stand-in of the host for the start-up tests: registers the
// host executable (with its "GetExport2D" table), the drawing interface
// module and the three sibling modules in the module registry, each as the
// options ask, and removes them again when destroyed. Uses only the platform,
// so tests that load the built module can use it too.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/cadhost/HostTables.h"
#include "platform/cadhost/SiblingExports.h"
#include "platform/win/WinTypes.h"

struct FakeHostOptions {
  const char16_t* hostName = hostExecutableName;       // null: no host executable
  std::u16string hostFile = u"C:\\Host\\REDUZUZI.EXE";  // the executable's file as modules see it
  bool exportsTable = true;                             // exports "GetExport2D"
  std::optional<std::u16string> folder = u"C:\\Host";   // word 109; none: the word is missing
  std::optional<int> unitFactor = 1000;                 // word 33
  std::optional<double> unitScale = 2.5;                // word 178
  bool mainWindow = true;                               // word 20 answers a window
  bool hostApi = true;                                  // "DuZivaruReZuz2u.vev" is loaded
  std::optional<unsigned> productKind = 0u;             // "GetExternProduct"; none: not exported
  std::optional<int> hostType = 3;                      // "GetAcadType"; none: not exported
  const char16_t* userDataPath = u"C:\\Users\\u\\AppData\\Roaming\\Havlen\\";
  std::set<int> missingSlots;                           // slot exports left out
  bool floorLibrary = true;                             // "VO_VUDE2RUR.EVO" can be loaded
  bool maskEditor = true;                               // "WIZARD.DLL"
  bool descFormatter = true;                            // "QEV_DESC.CRX"
  std::set<std::string> missingSiblingExports;          // sibling exports left out
};

class FakeHost {
 public:
  explicit FakeHost(FakeHostOptions options = {});
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  static FakeHost& current();

  const FakeHostOptions& options() const { return options_; }
  HostExport2D& table() { return table_; }
  HWND window() const { return window_; }

  // Calls counted by the fakes.
  int productCalls = 0;
  int slot6Calls = 0;

 private:
  FakeHostOptions options_;
  HostExport2D table_{};
  HWND window_ = nullptr;
  std::vector<HMODULE> modules_;
};

// The fake sibling functions, for comparing the bound pointers.
void fakeFloorLibInit(HWND);
void fakeFloorLibDone();
int fakeFormatDesc(char16_t* buffer, const resbuf* values, const char16_t* mask, int, int);
void fakeMaskEdit();
// The function every fake slot but slot 6 is bound to.
void fakeSlot();
