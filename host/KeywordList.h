// The keyword list of the host's keyword input (word 127): records of a value
// and three texts (local keyword, global keyword, display text), each record
// owning copies of its texts, handed to the host as the header and records of
// platform/cadhost/HostTables.h.
//
// Threads: used on the host's thread by one command at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cadhost/HostTables.h"

class KeywordList {
 public:
  // Appends a record (the texts are copied); the list grows by 8 records at a time.
  void add(std::uint32_t value, std::u16string_view local, std::u16string_view global, std::u16string_view display);
  std::size_t size() const { return entries_.size(); }
  std::uint32_t valueAt(std::size_t i) const { return entries_[i].value; }

  // Asks the host for a keyword (word 127) with the prompt ("%s" shows the
  // display texts). Answers the host status (hostStatus::error without the
  // word); `index` receives the chosen record's index only with 5100 and an
  // index inside the list.
  int ask(std::u16string_view prompt, int& index) const;

 private:
  struct Entry {
    std::uint32_t value;
    std::u16string local;
    std::u16string global;
    std::u16string display;
  };
  std::vector<Entry> entries_;
};
