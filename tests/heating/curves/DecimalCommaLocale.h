// A process locale with a decimal comma, for the tests of texts that must
// keep a decimal point whatever the locale is.
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

// Switches LC_NUMERIC to a locale with a decimal comma for its lifetime. When
// the machine has none installed, one is compiled from the system's locale
// sources into the build tree.
class DecimalCommaLocale {
 public:
  DecimalCommaLocale() : saved_(std::setlocale(LC_NUMERIC, nullptr)) {
    if (std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
      active_ = true;
      return;
    }
    const std::filesystem::path dir = std::filesystem::path(HV_BINARY_DIR) / "test-locales";
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    const std::string compile =
        "localedef -i cs_CZ -f UTF-8 '" + (dir / "cs_CZ.UTF-8").string() + "' >/dev/null 2>&1";
    if (!std::filesystem::exists(dir / "cs_CZ.UTF-8" / "LC_NUMERIC") && std::system(compile.c_str()) != 0) return;
    ::setenv("LOCPATH", dir.c_str(), 1);
    active_ = std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") != nullptr;
  }
  ~DecimalCommaLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  bool active() const { return active_ && *std::localeconv()->decimal_point == ','; }

 private:
  std::string saved_;
  bool active_ = false;
};
