#include "tests/host/TempFolder.h"

#include <fstream>
#include <random>
#include <sstream>

#include "platform/win/Utf8.h"

TempFolder::TempFolder() {
  std::random_device seed;
  path_ = std::filesystem::path(HV_BINARY_DIR) / "test-tmp" /
          ("host-" + std::to_string(seed()) + "-" + std::to_string(seed()));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::u16string TempFolder::write(const std::string& name, const std::string& text) const {
  std::ofstream(path_ / name, std::ios::binary) << text;
  return hvUtf8ToWide((path_ / name).string());
}

std::string TempFolder::read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
