// The topics of `cadhost --help TOPIC` beyond the options and the script
// language: what a manifold block reference needs (manifold), the keys of
// the scripted dialog (dialog, DialogKeys.h) and the module's message boxes
// by the number of their text (messages).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cadhost {

enum class HelpTopic { kManifold, kDialog, kMessages };

// The topic of that name; none for another word (a file name, say).
std::optional<HelpTopic> helpTopicNamed(std::string_view name);

// The line of the general help that names the topics.
inline constexpr const char* helpTopicsLine =
    "More: cadhost --help manifold (what a manifold block reference needs, with a\n"
    "worked example), --help dialog (every `dialog set` key), --help messages\n"
    "(the module's message boxes by number).\n";

// What a manifold block reference needs, with a worked example of its
// extended data.
std::string manifoldHelp();

// The message boxes of the heating module by the number of their text, each
// with what it means and, from the module's string table when the module is
// loaded, the start of its Czech text; then the boxes whose text comes from
// no string.
std::string messagesHelp();

// The text with every line (ended by '\n' or by its end) indented.
std::string indented(std::string_view text, std::string_view indent);

}  // namespace cadhost
