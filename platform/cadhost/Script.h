// Reads a host script (UTF-8 text, one statement or input per line; blank
// lines and lines starting with '#' are ignored; a value with blanks is
// written in double quotes). Every mistake is a ScriptError naming the file
// and the line. The language is described by scriptLanguageHelp().
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cadhost/ScriptItem.h"

namespace cadhost {

class ScriptError : public std::runtime_error {
 public:
  ScriptError(const std::string& file, std::size_t line, const std::string& message)
      : std::runtime_error(file + (line ? ":" + std::to_string(line) : std::string()) + ": " + message) {}
};

class Script {
 public:
  static Script readFile(const std::string& path);
  static Script parse(std::string_view text, const std::string& name);

  const std::string& name() const { return name_; }
  const std::vector<ScriptItem>& items() const { return items_; }

 private:
  std::string name_;
  std::vector<ScriptItem> items_;
};

// Parses one line (without its line end); throws ScriptError.
ScriptItem parseScriptLine(std::string_view line, const std::string& file, std::size_t lineNumber);

// The description of the script language for --help.
const char* scriptLanguageHelp();

}  // namespace cadhost
