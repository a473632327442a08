// The holder through which copies of one drawing entity share its
// result-buffer list: a reference count and the list. Copies take a reference;
// a copy that is about to change the list makes its own first (copy on write).
// The count is a plain integer: holders are used on one thread at a time.
#pragma once

#include <cstdint>

#include "platform/cadhost/resbuf.h"

struct ltListRef {
  std::int32_t refCount = 1;
  resbuf* list = nullptr;
  bool narrowText = false;  // the list's texts are narrow (made by appendNarrow)

  // A new holder with count 1 owning the list (which may be null).
  static ltListRef* create(resbuf* list, bool narrowText = false);

  // Takes one more reference and answers the holder (null stays null).
  static ltListRef* share(ltListRef* holder);

  // Appends a copy of the chain (UTF-16, resp. narrow texts) to the list the
  // holder owns, copying a shared list first. An empty or missing list leaves
  // the caller with a new holder owning the copy (none when the copy is empty).
  // A chain whose texts are of the other kind than those of the holder's
  // list is not appended (nothing changes).
  static void append(ltListRef*& holder, const resbuf* chain);
  static void appendNarrow(ltListRef*& holder, const resbuf* chain);

  // Copy on write: when the list is shared, drops this reference and gives the
  // caller a holder of its own with a deep copy (texts copied as UTF-16 or
  // narrow, as the holder's list holds them). A shared empty list, or a copy
  // the heap cannot hold, leaves the caller with no holder.
  static void makeUnique(ltListRef*& holder);
};

// Drops one reference; the last one frees the list and the holder. The
// caller's pointer becomes null in either case. A null holder does nothing.
void releaseResbufHolder(ltListRef*& holder);
