#include "host/ModuleLog.h"

#include <cstdio>
#include <string>

#include "platform/win/Utf8.h"

void hvLogFailure(std::u16string_view message) {
  const std::string text = "Qev_Heating: " + hvWideToUtf8(message) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}
