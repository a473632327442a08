// The undo journal of a drawing transaction: each change made while it is
// open records how to take it back; rollback runs those steps newest first.
#pragma once

#include <functional>
#include <vector>

namespace cadhost {

class DrawingJournal {
 public:
  bool isOpen() const { return open_; }
  void open() { open_ = true; }
  // Keeps the changes.
  void close();
  // Takes every change back, newest first, and closes.
  void rollback();
  // Records an undo step; ignored while the journal is closed.
  void record(std::function<void()> undo);
  std::size_t size() const { return steps_.size(); }

 private:
  bool open_ = false;
  std::vector<std::function<void()>> steps_;
};

}  // namespace cadhost
