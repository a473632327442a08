#include "platform/cadhost/HostLog.h"

#include <filesystem>

namespace cadhost {

HostLog::~HostLog() {
  if (ownsFile_ && file_ != nullptr) std::fclose(file_);
}

bool HostLog::open(const std::string& path) {
  std::lock_guard lock(mutex_);
  if (ownsFile_ && file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  ownsFile_ = false;
  if (path.empty()) return true;
  if (path == "-") {
    file_ = stdout;
    return true;
  }
  std::error_code error;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, error);
  file_ = std::fopen(path.c_str(), "w");
  ownsFile_ = file_ != nullptr;
  return file_ != nullptr;
}

void HostLog::write(const JsonLine& line) {
  std::string text = line.str();
  if (std::this_thread::get_id() != commandThread_) text.insert(text.size() - 1, text.size() > 2 ? ",\"thread\":\"worker\"" : "\"thread\":\"worker\"");
  text.push_back('\n');
  std::lock_guard lock(mutex_);
  ++lines_;
  if (file_ == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), file_);
  std::fflush(file_);
}

std::size_t HostLog::lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

}  // namespace cadhost
