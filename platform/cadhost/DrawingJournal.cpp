#include "platform/cadhost/DrawingJournal.h"

namespace cadhost {

void DrawingJournal::close() {
  steps_.clear();
  open_ = false;
}

void DrawingJournal::rollback() {
  // Steps may not record new steps while undoing.
  open_ = false;
  for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) (*it)();
  steps_.clear();
}

void DrawingJournal::record(std::function<void()> undo) {
  if (open_) steps_.push_back(std::move(undo));
}

}  // namespace cadhost
