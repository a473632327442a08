#include "platform/win/Modules.h"

#include "platform/win/LastError.h"
#include "platform/win/SystemErrors.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinPath.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <unordered_map>

#include <dlfcn.h>

namespace {

struct Module {
  std::u16string filePath;
  std::u16string nameKey;  // base name in lower case
  std::unordered_map<std::string, FARPROC> exports;
  std::string sharedObject;  // registered modules backed by a real file
  void* library = nullptr;   // dlopen handle while loaded
  unsigned references = 0;
  bool registered = false;  // false: loaded by path alone, forgotten when freed
  std::optional<HvModuleVersion> version;
};

// The registry. `loader` serialises loading and freeing and may be taken again
// by the same thread, because opening a shared object runs its static
// constructors, which bind further modules. `mutex` guards `modules` and is
// never held while a shared object opens or closes.
struct ModuleRegistry {
  std::recursive_mutex loader;
  std::mutex mutex;
  std::unordered_map<std::uintptr_t, Module> modules;
  std::uintptr_t next = 0x400000;
};

ModuleRegistry& registry() {
  // Never destroyed: shared objects closed at exit may still ask for modules.
  static ModuleRegistry* modules = new ModuleRegistry;
  return *modules;
}

std::uintptr_t key(HMODULE module) { return reinterpret_cast<std::uintptr_t>(module); }
HMODULE handleOf(std::uintptr_t value) { return reinterpret_cast<HMODULE>(value); }

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// The base name folded to lower case (ASCII letters only: module names are
// ASCII).
std::u16string nameKeyOf(std::u16string_view path) {
  std::size_t start = path.size();
  while (start > 0 && !isSeparator(path[start - 1])) --start;
  std::u16string name(path.substr(start));
  for (auto& c : name)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return name;
}

void* openSharedObject(const std::string& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    std::fprintf(stderr, "hv_win: cannot load %s: %s\n", path.c_str(), reason != nullptr ? reason : "unknown error");
  }
  return library;
}

// The module with that handle; the caller holds the mutex.
Module* findModule(ModuleRegistry& r, HMODULE module) {
  const auto it = r.modules.find(key(module));
  return it == r.modules.end() ? nullptr : &it->second;
}

// A module of that base name: a registered one first; with `loadedOnly`, only
// loaded ones. The caller holds the mutex.
std::uintptr_t findByName(ModuleRegistry& r, const std::u16string& nameKey, bool registeredOnly, bool loadedOnly) {
  std::uintptr_t fallback = 0;
  for (const auto& [value, module] : r.modules) {
    if (module.nameKey != nameKey || (loadedOnly && module.references == 0)) continue;
    if (module.registered) return value;
    if (!registeredOnly && fallback == 0) fallback = value;
  }
  return fallback;
}

// Adds a reference to a registered module, opening its shared object with the
// first one. The caller holds the loader lock.
HMODULE loadRegistered(ModuleRegistry& r, std::uintptr_t value) {
  std::string sharedObject;
  {
    std::lock_guard lock(r.mutex);
    Module& module = r.modules.at(value);
    if (module.references++ > 0 || module.sharedObject.empty()) return handleOf(value);
    sharedObject = module.sharedObject;  // loaded (and answering) while it opens
  }
  void* library = openSharedObject(sharedObject);
  std::lock_guard lock(r.mutex);
  Module* module = findModule(r, handleOf(value));
  if (library == nullptr || module == nullptr) {
    if (module != nullptr) module->references = 0;
    if (library != nullptr) dlclose(library);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  module->library = library;
  return handleOf(value);
}

// Loads a shared object by path; the caller holds the loader lock.
HMODULE loadByPath(ModuleRegistry& r, std::u16string_view fileName) {
  const std::string systemPath = hvLinuxPath(fileName).string();
  std::error_code error;
  if (!std::filesystem::is_regular_file(systemPath, error)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  void* library = openSharedObject(systemPath);
  if (library == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  std::unique_lock lock(r.mutex);
  for (auto& [value, module] : r.modules) {
    if (module.library == library) {  // the same object under another spelling
      ++module.references;
      lock.unlock();
      dlclose(library);
      return handleOf(value);
    }
  }
  const std::uintptr_t value = r.next;
  r.next += 0x10000;
  Module& module = r.modules[value];
  module.filePath = fileName;
  module.nameKey = nameKeyOf(fileName);
  module.library = library;
  module.references = 1;
  return handleOf(value);
}

}  // namespace

HMODULE hvRegisterSharedObject(std::u16string filePath, std::string sharedObject, std::vector<HvModuleExport> exports,
                               HvModuleLoad load, std::optional<HvModuleVersion> version) {
  const std::u16string nameKey = nameKeyOf(filePath);
  if (nameKey.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& r = registry();
  std::lock_guard loader(r.loader);
  std::uintptr_t value;
  {
    std::lock_guard lock(r.mutex);
    if (findByName(r, nameKey, true, false) != 0) {
      SetLastError(ERROR_ALREADY_EXISTS);
      return nullptr;
    }
    value = r.next;
    r.next += 0x10000;
    Module& module = r.modules[value];
    module.filePath = std::move(filePath);
    module.nameKey = nameKey;
    for (auto& entry : exports) module.exports[std::move(entry.name)] = entry.procedure;
    module.sharedObject = std::move(sharedObject);
    module.registered = true;
    module.version = version;
  }
  if (load == HvModuleLoad::now && loadRegistered(r, value) == nullptr) {
    std::lock_guard lock(r.mutex);
    r.modules.erase(value);
    return nullptr;
  }
  return handleOf(value);
}

HMODULE hvRegisterModule(std::u16string filePath, std::vector<HvModuleExport> exports, HvModuleLoad load,
                         std::optional<HvModuleVersion> version) {
  return hvRegisterSharedObject(std::move(filePath), std::string(), std::move(exports), load, version);
}

bool hvGetModuleVersion(HMODULE handle, HvModuleVersion& version) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  const Module* module = findModule(r, handle);
  if (module == nullptr || module->references == 0 || !module->version) return false;
  version = *module->version;
  return true;
}

BOOL hvUnregisterModule(HMODULE handle) {
  auto& r = registry();
  std::lock_guard loader(r.loader);
  void* library = nullptr;
  {
    std::lock_guard lock(r.mutex);
    Module* module = findModule(r, handle);
    if (module == nullptr || !module->registered) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return FALSE;
    }
    library = module->library;
    r.modules.erase(key(handle));
  }
  if (library != nullptr) dlclose(library);
  return TRUE;
}

unsigned hvModuleReferenceCount(HMODULE handle) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  const Module* module = findModule(r, handle);
  return module != nullptr ? module->references : 0;
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  if (moduleName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  const std::uintptr_t value = findByName(r, nameKeyOf(moduleName), false, true);
  if (value == 0) SetLastError(ERROR_MOD_NOT_FOUND);
  return handleOf(value);
}

HMODULE LoadLibraryW(LPCWSTR fileName) {
  if (fileName == nullptr || fileName[0] == u'\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::u16string_view name(fileName);
  const std::u16string nameKey = nameKeyOf(name);
  auto& r = registry();
  std::lock_guard loader(r.loader);
  std::uintptr_t value;
  {
    std::lock_guard lock(r.mutex);
    value = findByName(r, nameKey, true, false);
    if (value == 0 && nameKey.size() == name.size()) {
      // A bare name reaches a module already loaded by its path.
      value = findByName(r, nameKey, false, true);
      if (value == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
      }
      ++r.modules.at(value).references;
      return handleOf(value);
    }
  }
  return value != 0 ? loadRegistered(r, value) : loadByPath(r, name);
}

BOOL FreeLibrary(HMODULE handle) {
  auto& r = registry();
  std::lock_guard loader(r.loader);
  void* library = nullptr;
  {
    std::lock_guard lock(r.mutex);
    Module* module = findModule(r, handle);
    if (module == nullptr || module->references == 0) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return FALSE;
    }
    if (--module->references == 0) {
      library = module->library;
      module->library = nullptr;
      if (!module->registered) r.modules.erase(key(handle));
    }
  }
  if (library != nullptr) dlclose(library);
  return TRUE;
}

FARPROC GetProcAddress(HMODULE handle, LPCSTR procedureName) {
  // Names below 0x10000 are ordinals, which no module here has.
  if (reinterpret_cast<std::uintptr_t>(procedureName) < 0x10000) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  const Module* module = findModule(r, handle);
  if (module == nullptr || module->references == 0) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  FARPROC procedure = nullptr;
  if (const auto it = module->exports.find(procedureName); it != module->exports.end()) {
    procedure = it->second;
  } else if (module->library != nullptr) {
    procedure = reinterpret_cast<FARPROC>(dlsym(module->library, procedureName));
  }
  if (procedure == nullptr) SetLastError(ERROR_PROC_NOT_FOUND);
  return procedure;
}

DWORD GetModuleFileNameW(HMODULE handle, LPWSTR buffer, DWORD size) {
  if (buffer == nullptr && size > 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string path;
  if (handle == nullptr) {
    std::error_code error;
    path = hvUtf8ToWide(std::filesystem::read_symlink("/proc/self/exe", error).string());
  } else {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    const Module* module = findModule(r, handle);
    if (module == nullptr || module->references == 0) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return 0;
    }
    path = module->filePath;
  }
  if (path.size() < size) {
    path.copy(buffer, path.size());
    buffer[path.size()] = u'\0';
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
  }
  if (size > 0) {
    path.copy(buffer, size - 1);
    buffer[size - 1] = u'\0';
  }
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return size;
}
