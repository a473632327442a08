#include "host/HostSelection.h"

#include <optional>
#include <string>

#include "host/CodePageText.h"
#include "host/HostExport.h"
#include "platform/cadhost/HostStatus.h"

namespace {

// One call of the selection word; nothing when the host has neither.
std::optional<int> selectionCall(const HostExport2D* host, const char* prompt, int mode, int filter) {
  if (auto select138 = hostWordOf<138>(host)) return select138(prompt, mode, filter, 0, nullptr);
  if (auto select37 = hostWordOf<37>(host)) return select37(prompt, mode, filter, 0);
  return std::nullopt;
}

}  // namespace

int selectWithPrompt(std::u16string_view prompt, int filter) {
  const HostExport2D* host = getExport2D();
  const std::string narrow = hvWideToMb(prompt);
  const std::optional<int> shown = selectionCall(host, narrow.c_str(), 2, 0);
  if (!shown) return hostStatus::error;
  if (*shown != hostStatus::normal) return *shown;
  return selectionCall(host, nullptr, 0, filter).value_or(hostStatus::error);
}

resbuf* nextSelectedEntity() {
  const HostExport2D* host = getExport2D();
  if (auto next167 = hostWordOf<167>(host)) return next167(0, 0);
  if (auto next112 = hostWordOf<112>(host)) return next112(0);
  return nullptr;
}
