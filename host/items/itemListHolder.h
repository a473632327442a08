// An owning handle of one reference to a shared list holder (ltListRef.h):
// copies share the holder, the last reference frees the list. For records
// that keep lists beside other state (the item record's block definition,
// insert data and application blocks). Host thread only, like the holders.
#pragma once

#include <utility>

#include "host/ltListRef.h"

class itemListHolder {
 public:
  itemListHolder() = default;
  // Takes over one reference (null: none).
  explicit itemListHolder(ltListRef* reference) : holder_(reference) {}
  // A new holder owning the list (taken over; null: none).
  static itemListHolder owning(resbuf* list) { return itemListHolder(list ? ltListRef::create(list) : nullptr); }

  itemListHolder(const itemListHolder& other) : holder_(ltListRef::share(other.holder_)) {}
  itemListHolder(itemListHolder&& other) noexcept : holder_(std::exchange(other.holder_, nullptr)) {}
  itemListHolder& operator=(itemListHolder other) noexcept {
    std::swap(holder_, other.holder_);
    return *this;
  }
  ~itemListHolder() { releaseResbufHolder(holder_); }

  // The list; null without one.
  const resbuf* list() const { return holder_ ? holder_->list : nullptr; }
  // The list made this handle's own (copied when shared) for edits in place;
  // null without one.
  resbuf* editableList() {
    ltListRef::makeUnique(holder_);
    return holder_ ? holder_->list : nullptr;
  }
  // The holder pointer itself, for the holder operations (append, makeUnique).
  ltListRef*& holder() { return holder_; }
  ltListRef* get() const { return holder_; }
  explicit operator bool() const { return holder_ != nullptr && holder_->list != nullptr; }
  void reset() { releaseResbufHolder(holder_); }

 private:
  ltListRef* holder_ = nullptr;
};
