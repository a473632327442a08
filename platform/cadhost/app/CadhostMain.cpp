// cadhost: runs the module's commands on a DXF drawing, every user input
// taken from a script. See `cadhost --help`.
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "platform/cadhost/CadHost.h"
#include "platform/cadhost/CadhostOptions.h"
#include "platform/cadhost/DialogKeys.h"
#include "platform/cadhost/HelpTopics.h"
#include "platform/cadhost/DxfReader.h"
#include "platform/cadhost/ModuleCommands.h"
#include "platform/cadhost/Script.h"

#ifndef CADHOST_DEFAULT_MODULE
#define CADHOST_DEFAULT_MODULE ""
#endif
#ifndef CADHOST_DEFAULT_HOST_DIR
#define CADHOST_DEFAULT_HOST_DIR ""
#endif

int main(int argc, char** argv) {
  using namespace cadhost;
  const std::string defaultModule = CADHOST_DEFAULT_MODULE;
  const std::string defaultHostDir = CADHOST_DEFAULT_HOST_DIR;
  ParsedArguments parsed = parseArguments(argc, argv, defaultModule, defaultHostDir);
  if (parsed.outcome == ParsedArguments::Outcome::Help) {
    if (!parsed.helpTopic) {
      std::fputs(usageText(defaultModule, defaultHostDir).c_str(), stdout);
      std::fputs(("\n" + moduleCommandsHelp(parsed.options.modulePath)).c_str(), stdout);
    } else if (*parsed.helpTopic == HelpTopic::kManifold) {
      std::fputs(manifoldHelp().c_str(), stdout);
    } else if (*parsed.helpTopic == HelpTopic::kDialog) {
      std::fputs(dialogKeysHelp().c_str(), stdout);
    } else {
      // The texts' starts come from the module's string table.
      loadModuleForHelp(parsed.options.modulePath);
      std::fputs(messagesHelp().c_str(), stdout);
    }
    return 0;
  }
  if (parsed.outcome == ParsedArguments::Outcome::Error) {
    std::fprintf(stderr, "cadhost: %s\n", parsed.message.c_str());
    return 2;
  }
  CadhostOptions& options = parsed.options;
  std::unique_ptr<Drawing> drawing;
  std::optional<Script> script;
  try {
    drawing = DxfReader::readFile(options.drawingPath);
    script = Script::readFile(options.scriptPath);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cadhost: %s\n", e.what());
    return 2;
  }
  try {
    CadHost host(options, std::move(drawing), std::move(*script));
    host.registerTables();
    std::string error;
    if (!host.loadModule(options.modulePath, error)) {
      std::fprintf(stderr, "cadhost: %s\n", error.c_str());
      return 2;
    }
    return host.run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cadhost: %s\n", e.what());
    return 2;
  }
}
