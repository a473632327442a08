// The host's call log: one JSON object per line, written as each event
// happens and flushed at once, so that a log of a run that crashed still
// holds everything up to the crash. Safe to write from any thread; lines
// written by threads other than the command thread carry "thread":"worker".
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "platform/cadhost/JsonLine.h"

namespace cadhost {

class HostLog {
 public:
  HostLog() = default;
  ~HostLog();
  HostLog(const HostLog&) = delete;
  HostLog& operator=(const HostLog&) = delete;

  // "-" writes to standard output; an empty path writes nothing. False when
  // the file cannot be opened.
  bool open(const std::string& path);
  // The calling thread becomes the command thread.
  void setCommandThread() { commandThread_ = std::this_thread::get_id(); }

  void write(const JsonLine& line);
  // Lines written so far.
  std::size_t lines() const;

 private:
  mutable std::mutex mutex_;
  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  std::size_t lines_ = 0;
  std::thread::id commandThread_ = std::this_thread::get_id();
};

}  // namespace cadhost
