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

std::optional<int> showSelectionPrompt(std::u16string_view prompt, int mode) {
  const std::string narrow = hvWideToMb(prompt);
  return selectionCall(getExport2D(), narrow.c_str(), mode, 0);
}

std::optional<int> applySelection(int filter, std::u16string_view prompt) {
  const std::string narrow = hvWideToMb(prompt);
  return selectionCall(getExport2D(), prompt.empty() ? nullptr : narrow.c_str(), 0, filter);
}

int selectWithPrompt(std::u16string_view prompt, int filter) {
  const std::optional<int> shown = showSelectionPrompt(prompt);
  if (!shown) return hostStatus::error;
  if (*shown != hostStatus::normal) return *shown;
  return applySelection(filter).value_or(hostStatus::error);
}

resbuf* nextSelectedEntity() {
  const HostExport2D* host = getExport2D();
  if (auto next167 = hostWordOf<167>(host)) return next167(0, 0);
  if (auto next112 = hostWordOf<112>(host)) return next112(0);
  return nullptr;
}
