#include "tests/platform/cadhost/host/HostTestFixture.h"

#include <fstream>
#include <sstream>

#include "platform/cadhost/DxfReader.h"
#include "platform/win/Modules.h"
#include "platform/win/Utf8.h"

namespace cadhost::test {

std::string examplePath(const std::string& name) { return std::string(HV_SOURCE_DIR) + "/examples/" + name; }

RecordId liveRecord(const Drawing& drawing, Handle handle) {
  const RecordId id = drawing.findByHandle(handle);
  return id != kNoRecord && drawing.isLive(id) ? id : kNoRecord;
}

HostRun::HostRun(const std::string& drawing, const std::string& script, CadhostOptions options,
                 std::vector<std::pair<std::string, TestCommand>> commands) {
  const std::string path = drawing.find('/') == std::string::npos ? examplePath(drawing) : drawing;
  options.hostDir = folder_.path().string();
  options.logPath = (folder_.path() / "log.jsonl").string();
  options.outDir = folder_.path().string();
  options.echoMessageBoxes = false;
  host_ = std::make_unique<CadHost>(options, DxfReader::readFile(path), Script::parse(script, "test.script"));
  host_->registerTables();
  std::vector<HvModuleExport> exports;
  for (auto& [name, function] : commands) exports.push_back(hvExport(name, function));
  module_ = hvRegisterModule(hvUtf8ToWide((folder_.path() / "TestCommands.crx").string()), std::move(exports),
                             HvModuleLoad::now);
  host_->useModule(module_);
}

HostRun::~HostRun() {
  host_.reset();
  if (module_ != nullptr) hvUnregisterModule(module_);
}

std::vector<std::string> HostRun::log() const {
  std::ifstream in(folder_.path() / "log.jsonl");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> HostRun::logWith(std::initializer_list<std::string> parts) const {
  std::vector<std::string> out;
  for (const std::string& line : log()) {
    bool all = true;
    for (const std::string& part : parts) all = all && line.find(part) != std::string::npos;
    if (all) out.push_back(line);
  }
  return out;
}

}  // namespace cadhost::test
