#include "host/KeywordList.h"

#include "host/HostExport.h"
#include "platform/cadhost/HostStatus.h"

void KeywordList::add(std::uint32_t value, std::u16string_view local, std::u16string_view global,
                      std::u16string_view display) {
  if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.size() + 8);
  entries_.push_back({value, std::u16string(local), std::u16string(global), std::u16string(display)});
}

int KeywordList::ask(std::u16string_view prompt, int& index) const {
  // The records point into the entries, which stay unchanged during the call.
  std::vector<HostKeywordRecord> records;
  records.reserve(entries_.size());
  for (const Entry& e : entries_)
    records.push_back({sizeof(HostKeywordRecord), e.value, e.local.c_str(), e.global.c_str(), e.display.c_str()});
  const HostKeywordList list{sizeof(HostKeywordRecord), 1, static_cast<std::uint32_t>(records.size()),
                             records.empty() ? nullptr : records.data()};
  const std::u16string promptText(prompt);
  int chosen = -1;
  const int status = callHostWord<127>(promptText.c_str(), &list, &chosen, 0).value_or(hostStatus::error);
  if (status == hostStatus::normal && chosen >= 0 && static_cast<std::size_t>(chosen) < entries_.size())
    index = chosen;
  return status;
}
