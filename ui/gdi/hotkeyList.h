// Finding an entry of a list by its hotkey character. The entries are the
// characters themselves or records with a `hotkey` member.
#pragma once

#include <concepts>
#include <cstdint>
#include <limits>

struct hotkeyList {
  // The index of the first entry whose hotkey is `ch`; when there is none
  // and `ch` is a letter, the first entry with the other letter case of
  // `ch`; -1 when nothing matches.
  template <typename Entries>
  static int findByChar(const Entries& entries, char16_t ch) {
    const int index = indexOf(entries, ch);
    if (index >= 0) return index;
    const char16_t other = otherLetterCase(ch);
    return other == ch ? -1 : indexOf(entries, other);
  }

  // The other case of a letter by the simple Unicode case mapping (upper for
  // lower, lower for upper and title case); any other unit unchanged.
  static char16_t otherLetterCase(char16_t ch);

 private:
  template <typename Entry>
  static char16_t hotkeyOf(const Entry& entry) {
    if constexpr (std::convertible_to<const Entry&, char16_t>)
      return static_cast<char16_t>(entry);
    else
      return static_cast<char16_t>(entry.hotkey);
  }

  template <typename Entries>
  static int indexOf(const Entries& entries, char16_t ch) {
    int index = 0;
    for (const auto& entry : entries) {
      if (index == std::numeric_limits<int>::max()) break;
      if (hotkeyOf(entry) == ch) return index;
      ++index;
    }
    return -1;
  }
};
