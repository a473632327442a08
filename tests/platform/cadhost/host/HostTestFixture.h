// A cadhost over an example drawing and a script, run in-process: its tables
// are registered, and test commands (plain functions) form an in-process
// module. Commands reach the host as a module does (getExport2D and the
// typed words of host/HostExport.h).
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/cadhost/CadHost.h"
#include "platform/cadhost/DxfNumber.h"
#include "tests/support/TestFolder.h"

namespace cadhost::test {

using TestCommand = void (*)();

class HostRun {
 public:
  // `drawing` is a path (the examples folder for a bare name).
  HostRun(const std::string& drawing, const std::string& script, CadhostOptions options = {},
          std::vector<std::pair<std::string, TestCommand>> commands = {});
  ~HostRun();

  CadHost& host() { return *host_; }
  Drawing& drawing() { return host_->drawing(); }
  int run() { return host_->run(); }
  // The run's host, output and log folder (kept when the test fails).
  const std::filesystem::path& folder() const { return folder_.path(); }

  // The log lines so far; those that contain every one of `parts`.
  std::vector<std::string> log() const;
  std::vector<std::string> logWith(std::initializer_list<std::string> parts) const;

 private:
  TestFolder folder_;
  std::unique_ptr<CadHost> host_;
  HMODULE module_ = nullptr;
};

// The examples folder of the source tree.
std::string examplePath(const std::string& name);
// The live record of a handle; kNoRecord otherwise.
RecordId liveRecord(const Drawing& drawing, Handle handle);

}  // namespace cadhost::test
