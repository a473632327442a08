// The texts with which cadhost says on standard error why a run did not do
// what its script says, and what the module showed: message boxes as they
// are shown, the input a command asks for when the script has none for it,
// selections that select nothing, saves after failed commands. Every text
// is UTF-8 (the module's own texts are Czech, converted from UTF-16).
#pragma once

#include <string>
#include <string_view>

#include "platform/cadhost/ScriptItem.h"

struct HvMessageBoxRecord;

namespace cadhost {

// The icon of a message box's flags: "error", "question", "warning",
// "information" or "none".
const char* messageBoxIconName(unsigned flags);

// "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"; else the number.
std::string messageBoxAnswerName(int answer);

// One message box: `message box (error) "Caption": [297] Text [answer: OK,
// by line 7]`, where [297] is the number of the module's string the text
// came from (left out for a text of no string) and `answeredBy` says what
// gave the answer (a script line, or "by default"). Line breaks of the text
// go on indented lines.
std::string messageBoxEcho(const HvMessageBoxRecord& record, std::string_view answeredBy);

// What an input request asks for: `a selection (word 138, "Vyberte ...")`,
// `a point (word 118)`, `the next dialog step`...; `prompt` may be empty.
std::string inputRequestText(ScriptKind kind, std::string_view requester, std::u16string_view prompt);

// The end codes a `dialog end` line names: ok, cancel, 599, 600, 601.
inline constexpr const char* dialogEndCodes = "dialog end ok, cancel, 599, 600 [join A B] or 601 body Z";

}  // namespace cadhost
