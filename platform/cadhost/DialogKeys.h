// The settings the heating module's scripted dialog takes (`dialog set KEY
// VALUE [zone N|circuit N]`), as `cadhost --help dialog` lists them: what
// each means, its unit, the values the dialog takes, its default (the
// shipped heating file's), its target and whether it is a design input.
//
// Three lengths are also checked by the host before the dialog sees them:
// the pipe spacing CB_PIPE_PITCH (0.03 to 1 m), the border width
// CB_BORDER_R (0 to 1 m) and the distribution-pipe pitch PIPE_PITCH (0.01 to
// 1 m). The dialog takes any positive spacing, so a spacing typed in
// centimetres or millimetres (15 or 150 for 0.15) would be laid as 15 m;
// the host refuses it with its reason as for any refused step.
//
// The dialog has its own table of keys (heating/dialogs/DialogSettings.cpp);
// tests/heating/dialogs/DialogSettingsTest.cpp holds the two together.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace cadhost {

enum class DialogKeyTarget {
  kZone,      // zone N; without it every zone of the dialog's scope
  kCircuit,   // circuit N; without it every circuit
  kManifold,  // no target
};

// The values the dialog takes.
enum class DialogKeyValue {
  kNumber,     // any number
  kPositive,   // a number above 0
  kNotBelow0,  // a number of 0 or more
  kIndex,      // a whole number from 0 to maxIndex
  kText,       // any text
  kLength,     // metres from least to most: the host refuses the others
};

struct DialogKey {
  const char* key;
  DialogKeyTarget target;
  DialogKeyValue value;
  int maxIndex;         // kIndex
  double least;         // kLength
  double most;          // kLength
  const char* unit;     // empty for indexes, flags and texts
  const char* fallback; // the default, as written in a script
  bool designInput;     // the zone is laid out again when it changes
  const char* meaning;  // lines ended by '\n'
};

// Every key, zones' first, then circuits' and the manifold's.
std::span<const DialogKey> dialogKeys();

// The key of that name (exact, as the dialog compares), or null.
const DialogKey* findDialogKey(std::u16string_view name);

// Why the host refuses the value of a `dialog set` step: a length outside
// its key's range ("CB_PIPE_PITCH is in metres from 0.03 to 1, not 15: for
// 15 cm write 0.15"); empty when the host leaves the step to the dialog.
std::string hostDialogRefusal(std::u16string_view key, std::u16string_view value);

// `cadhost --help dialog`.
std::string dialogKeysHelp();

}  // namespace cadhost
