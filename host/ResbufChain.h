// Primitives over result-buffer lists: deep copy, free, tail, insertion and
// search. Nodes and their strings live on the C heap (see resbuf.h).
#pragma once

#include <cstddef>

#include "platform/cadhost/resbuf.h"

// Frees every node of the list with its text or binary chunk. With
// keepPointers, the texts of pointer-like codes (-1, 330 to 369, 390 to 399) are
// left alone because the list only borrowed them. Answers the host's normal
// status 5100, also for a null list, so callers may return it directly.
int freeResbufChain(resbuf* list, bool keepPointers);

// A deep copy of the list with UTF-16 texts. The copy stops before the first
// node whose code has no type (outside -5 to 5023); a list that begins with such
// a node gives null. With keepPointers, texts of pointer-like codes are shared
// with the source instead of copied; free such a copy with keepPointers too.
// Null when the source is null or the heap is exhausted (nothing is leaked).
resbuf* copyResbufChain(const resbuf* list, bool keepPointers);

// The same for lists whose texts are narrow.
resbuf* copyResbufChainNarrow(const resbuf* list, bool keepPointers);

// The general copy. With firstOnly only the first node is copied; `wide`
// chooses UTF-16 or narrow texts. When arenaNext points at a non-null pointer,
// every node, text and chunk is taken from that arena (allocFromBuffer) instead
// of the heap, each block aligned for its contents; when the arena runs out the
// answer is null and the blocks already taken stay in the arena, which its
// owner frees as a whole. Never free an arena copy with freeResbufChain.
resbuf* copyResbufChainEx(const resbuf* list, bool keepPointers, bool firstOnly, bool wide,
                          char** arenaNext, std::size_t* arenaLeft);

// The last node of the list, null for an empty list.
resbuf* lastResbufNode(resbuf* list);

// The link that ends the list: the next field of its last node, or the head
// itself when the list is empty. Storing a chain there appends it.
resbuf** resbufEndLink(resbuf** head);

// Appends the chain to the list at *head (the head is set when it is empty).
void appendResbufChain(resbuf** head, resbuf* chain);

// Puts the chain between the node and its old successor and answers the node.
// A null node does nothing (and answers null); a null chain changes nothing.
resbuf* resbufInsertAfter(resbuf* node, resbuf* chain);

// Puts the chain in front of the list at *head: the list becomes the chain
// followed by the old list. Both are owned lists; neither is copied.
void prependResbufChain(resbuf** head, resbuf* chain);

// The first node with the group code whose UTF-16 text equals the text,
// ignoring case; null when there is none.
resbuf* findResbufText(resbuf* list, int code, const char16_t* text);
const resbuf* findResbufText(const resbuf* list, int code, const char16_t* text);
