// The host's entity selection as the heating commands use it: a prompt, a
// selection, then the selected entities one by one.
//
// Threads: the host's thread only.
#pragma once

#include <optional>
#include <string_view>

#include "platform/cadhost/resbuf.h"

// Shows the prompt through the selection word (138, else the older 37) with
// mode 2, then selects with the filter argument. Answers the status of the
// first call that does not answer 5100, else 5100; hostStatus::error when the
// host has neither word. The prompt goes to the host as code page 1250 text.
int selectWithPrompt(std::u16string_view prompt, int filter);

// The two calls of selectWithPrompt one by one, for commands that answer a
// refused prompt and a refused selection differently: the prompt shown with
// `mode` (2; the edit command shows its prompt with 1), then the selection
// with mode 0 and the filter, given the prompt again when there is one. Each
// answers the host's status, or nothing when the host has neither word.
std::optional<int> showSelectionPrompt(std::u16string_view prompt, int mode = 2);
std::optional<int> applySelection(int filter, std::u16string_view prompt = {});

// The next entity of the current selection (word 167, else 112) as a list the
// caller frees (freeResbufChain); null when none is left or the host has
// neither word.
resbuf* nextSelectedEntity();
