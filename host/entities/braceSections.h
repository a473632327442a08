// The brace sections at the head of an entity's list: the groups between a
// 102 "{NAME" and its 102 "}" that come before the first subclass marker,
// chiefly the reactors ("{ACAD_REACTORS", 330 groups) and the extension
// dictionary ("{ACAD_XDICTIONARY", a 360 group).
#pragma once

#include <string_view>

#include "host/entities/ownedChain.h"

inline constexpr std::u16string_view reactorSectionName = u"{ACAD_REACTORS";
inline constexpr std::u16string_view xdictionarySectionName = u"{ACAD_XDICTIONARY";

// A copy of the groups between the first 102 "{ACAD_REACTORS" of the list and
// its closing 102 "}" (to the end of the list when that is missing); null when
// the list has no reactor section or the section is empty.
ownedChain copyReactorChain(const resbuf* list);

// One brace section found at the head of a list.
struct braceSection {
  const char16_t* name = nullptr;   // the opening text, "{" included
  const resbuf* first = nullptr;    // the first group inside (may equal `end`)
  const resbuf* end = nullptr;      // the node after the last group inside
};

// Calls `visit(section)` for each brace section before the first 100 group
// (or extended data) of the list, in order. A section whose closing 102 is
// missing ends before that 100 group. Answers the number of sections.
template <class Visit>
int forEachHeadSection(const resbuf* list, Visit&& visit);

// ------------------------------------------------------------------------

bool isSectionOpening(const resbuf* node);
bool isSectionClosing(const resbuf* node);
bool endsListHead(const resbuf* node);

template <class Visit>
int forEachHeadSection(const resbuf* list, Visit&& visit) {
  int count = 0;
  const resbuf* node = list;
  while (node != nullptr && !endsListHead(node)) {
    if (!isSectionOpening(node)) {
      node = node->next;
      continue;
    }
    braceSection section{node->value.str, node->next, nullptr};
    const resbuf* inner = node->next;
    while (inner != nullptr && !isSectionClosing(inner) && !endsListHead(inner)) inner = inner->next;
    section.end = inner;
    visit(static_cast<const braceSection&>(section));
    ++count;
    node = inner != nullptr && isSectionClosing(inner) ? inner->next : inner;
  }
  return count;
}
