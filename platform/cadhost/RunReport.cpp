#include "platform/cadhost/RunReport.h"

#include "platform/win/MessageBox.h"
#include "platform/win/Utf8.h"

namespace cadhost {

namespace {

// The text with its line breaks (CR LF, LF or CR) as indented lines.
std::string indentedLines(std::u16string_view text) {
  std::string out;
  const std::string utf8 = hvWideToUtf8(text);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c != '\r' && c != '\n') {
      out.push_back(c);
      continue;
    }
    if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    out += "\n    ";
  }
  return out;
}

}  // namespace

const char* messageBoxIconName(unsigned flags) {
  switch (flags & 0xF0u) {
    case 0x10: return "error";
    case 0x20: return "question";
    case 0x30: return "warning";
    case 0x40: return "information";
    default: return "none";
  }
}

std::string messageBoxAnswerName(int answer) {
  static const char* const names[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
  if (answer >= 1 && answer <= 7) return names[answer - 1];
  return std::to_string(answer);
}

std::string messageBoxEcho(const HvMessageBoxRecord& record, std::string_view answeredBy) {
  const std::string icon = messageBoxIconName(record.flags);
  const std::string number =
      record.stringNumber != 0 ? "[" + std::to_string(record.stringNumber) + "] " : std::string();
  return "message box (" + (icon == "none" ? std::string("no icon") : icon) + ") \"" + hvWideToUtf8(record.caption) +
         "\": " + number + indentedLines(record.text) + " [answer: " + messageBoxAnswerName(record.answer) + ", " +
         std::string(answeredBy) + "]";
}

std::string inputRequestText(ScriptKind kind, std::string_view requester, std::u16string_view prompt) {
  std::string what;
  switch (kind) {
    case ScriptKind::Select: what = "a selection"; break;
    case ScriptKind::Point: what = "a point"; break;
    case ScriptKind::Keyword: what = "a keyword"; break;
    case ScriptKind::Distance: what = "a distance"; break;
    case ScriptKind::FloorLib: what = "a floor structure"; break;
    case ScriptKind::Dialog: return "the next dialog step";
    default: what = std::string("a ") + scriptKindName(kind) + " line"; break;
  }
  what += " (" + std::string(requester);
  if (!prompt.empty()) what += ", \"" + hvWideToUtf8(prompt) + "\"";
  return what + ")";
}

}  // namespace cadhost
