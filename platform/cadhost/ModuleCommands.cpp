#include "platform/cadhost/ModuleCommands.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "platform/cadhost/CommandHelp.h"
#include "platform/cadhost/HelpTopics.h"
#include "platform/win/Modules.h"
#include "platform/win/SharedObjectExports.h"
#include "platform/win/Utf8.h"

namespace cadhost {

namespace {

// Descriptions beyond this many are not read.
constexpr int kMaxDescriptions = 1000;

// The module, loaded (or the one loaded already); null when it does not load.
HMODULE loadedModule(const std::string& path) {
  const std::u16string file = hvUtf8ToWide(path);
  if (HMODULE m = GetModuleHandleW(file.c_str())) return m;
  return hvRegisterSharedObject(file, path, {}, HvModuleLoad::now);
}

}  // namespace

std::vector<std::string> moduleCommandNames(const std::string& modulePath) {
  std::vector<std::string> names = hvSharedObjectPlainExports(modulePath);
  // The host protocol's exports are not commands.
  std::erase_if(names, [](const std::string& name) { return name == hostDescribeCommandsExport; });
  return names;
}

std::string moduleCommandsHelp(const std::string& modulePath) {
  std::string text = "Commands of the module " + modulePath + ":\n";
  std::error_code error;
  if (!std::filesystem::is_regular_file(modulePath, error)) return text + "  (the file does not exist)\n";
  std::vector<std::string> undescribed = moduleCommandNames(modulePath);
  const HMODULE module = loadedModule(modulePath);
  const auto describe =
      module != nullptr ? reinterpret_cast<HvDescribeCommandsProc>(GetProcAddress(module, hostDescribeCommandsExport))
                        : nullptr;
  int count = 0;
  const HvCommandHelp* commands = describe != nullptr ? describe(&count) : nullptr;
  for (int i = 0; commands != nullptr && i < std::min(count, kMaxDescriptions); ++i) {
    if (commands[i].name == nullptr) continue;
    text += "  " + std::string(commands[i].name) + "\n";
    if (commands[i].text != nullptr) text += indented(commands[i].text, "      ");
    std::erase(undescribed, std::string(commands[i].name));
  }
  if (module == nullptr) text += "  (the module does not load)\n";
  for (const std::string& name : undescribed) text += "  " + name + "\n";
  return text;
}

bool loadModuleForHelp(const std::string& modulePath) {
  std::error_code error;
  return std::filesystem::is_regular_file(modulePath, error) && loadedModule(modulePath) != nullptr;
}

}  // namespace cadhost
