// Finding the entry of a table by its hotkey character.
#pragma once

#include <span>

#include "ui/gdi/hotkeyList.h"

struct itemTable {
  // The entry whose `hotkey` member matches the key (trying the other letter
  // case once when none does); null when nothing matches.
  template <class Entry>
  static const Entry* findByKey(std::span<const Entry> entries, char16_t key) {
    const int index = hotkeyList::findByChar(entries, key);
    return index >= 0 && static_cast<std::size_t>(index) < entries.size() ? &entries[static_cast<std::size_t>(index)]
                                                                          : nullptr;
  }
};
