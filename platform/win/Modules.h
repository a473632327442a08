// Modules bound by name. A process-wide registry holds named modules: fakes
// that tests and the host register in-process (a file path and a table of
// exports), which may also be backed by a real shared object, and real shared
// objects loaded by path. Loading and freeing count references; only loaded
// modules have a handle. Module names match by their base name (the part
// after the last '\' or '/') without regard to case; export names match
// exactly. Handle values are never reused.
#pragma once

#include "platform/win/WinTypes.h"

#include <optional>
#include <string>
#include <vector>

struct HvModuleExport {
  std::string name;
  FARPROC procedure;
};

// Any function as an export.
template <typename Function>
HvModuleExport hvExport(std::string name, Function* function) {
  return HvModuleExport{std::move(name), reinterpret_cast<FARPROC>(function)};
}

// The version of a module's file and of its product, each as major, minor,
// build and revision: what the version resource (type 16, id 1) of a Windows
// module holds.
struct HvModuleVersion {
  WORD file[4] = {0, 0, 0, 0};
  WORD product[4] = {0, 0, 0, 0};
};

// Whether a registered module is loaded at once (as the host's executable is,
// which nobody loads) or only by LoadLibraryW. FreeLibrary can end either.
enum class HvModuleLoad { onRequest, now };

// Registers a module served from its export table. `filePath` is the module's
// file as the module sees it, e.g. u"C:\\Host\\REDUZUZI.EXE": GetModuleFileNameW
// answers it and its base name is the module's name. Null when the path has no
// base name or a module of that base name is registered already. `version`
// stands for the module's version resource; without it the module has none.
HMODULE hvRegisterModule(std::u16string filePath, std::vector<HvModuleExport> exports,
                         HvModuleLoad load = HvModuleLoad::onRequest,
                         std::optional<HvModuleVersion> version = std::nullopt);

// Registers a module backed by a real shared object (a file path in this
// system's form), opened with dlopen when the module loads and closed when it
// is unloaded; exports missing from the table come from it. Null as above, or
// when `load` asks to open a file that does not open.
HMODULE hvRegisterSharedObject(std::u16string filePath, std::string sharedObject,
                               std::vector<HvModuleExport> exports = {}, HvModuleLoad load = HvModuleLoad::onRequest,
                               std::optional<HvModuleVersion> version = std::nullopt);

// The version resource of a loaded module (what FindResource, LoadResource
// and VerQueryValue read on Windows). False for a module that is not loaded
// or was registered without a version.
bool hvGetModuleVersion(HMODULE module, HvModuleVersion& version);

// Removes a registered module whether loaded or not; its handle becomes invalid.
BOOL hvUnregisterModule(HMODULE module);

// References held on a loaded module; 0 when it is not loaded or unknown.
unsigned hvModuleReferenceCount(HMODULE module);

// The handle of a module that is loaded already; it never loads. Null for an
// unknown name or a module not loaded (ERROR_MOD_NOT_FOUND).
HMODULE GetModuleHandleW(LPCWSTR moduleName);

// Loads a module and adds a reference: first a registered module of that base
// name, else, for a name with '\' or '/', the shared object at that path, a
// Windows path mapped as the file services map it (hvLinuxPath). A bare name
// that is neither registered nor loaded gives null, as does a file that does
// not open (ERROR_MOD_NOT_FOUND; dlopen's reason on stderr).
HMODULE LoadLibraryW(LPCWSTR fileName);
inline HMODULE AfxLoadLibrary(LPCWSTR fileName) { return LoadLibraryW(fileName); }

// Drops a reference; the last one unloads the module (and closes its shared
// object). FALSE for a module that is not loaded.
BOOL FreeLibrary(HMODULE module);
inline BOOL AfxFreeLibrary(HMODULE module) { return FreeLibrary(module); }

// The export of that exact name, or null (ERROR_PROC_NOT_FOUND); null as well
// for a module that is not loaded or a name given as an ordinal.
FARPROC GetProcAddress(HMODULE module, LPCSTR procedureName);

// Copies the module's file path (null module: this program's file) into the
// buffer. Answers its length; when the buffer is too small the path is cut to
// size - 1 units, the answer is `size` and the error ERROR_INSUFFICIENT_BUFFER.
// 0 for a module that is not loaded.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
