#include "platform/win/MessageBox.h"

#include "platform/win/CodePage.h"
#include "platform/win/StringTable.h"
#include "platform/win/ThreadId.h"
#include "platform/win/Utf8.h"

#include <cstdio>
#include <deque>
#include <mutex>

namespace {

constexpr std::size_t kLogLimit = 10000;

struct MessageLog {
  std::mutex mutex;
  std::deque<HvMessageBoxRecord> records;
  std::deque<int> answers;
  bool echo = true;
  std::function<void(const HvMessageBoxRecord&)> listener;
};

MessageLog& messageLog() {
  static MessageLog log;
  return log;
}

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags) {
  HvMessageBoxRecord record;
  record.threadId = GetCurrentThreadId();
  record.owner = owner;
  record.caption = caption ? caption : u"Error";
  record.text = text ? text : u"";
  record.flags = flags;
  record.stringNumber = hvLoadedStringNumber(record.text);

  MessageLog& log = messageLog();
  std::function<void(const HvMessageBoxRecord&)> listener;
  {
    std::lock_guard lock(log.mutex);
    record.answer = IDOK;
    if (!log.answers.empty()) {
      record.answer = log.answers.front();
      log.answers.pop_front();
    }
    log.records.push_back(record);
    if (log.records.size() > kLogLimit) log.records.pop_front();
    if (log.echo) {
      // One write per box, so that boxes of several threads do not mix.
      char head[96];
      std::snprintf(head, sizeof head, "[message box] thread %u, owner %p, flags 0x%X, caption \"",
                    static_cast<unsigned>(record.threadId), static_cast<void*>(owner), flags);
      const std::string number =
          record.stringNumber != 0 ? "[" + std::to_string(record.stringNumber) + "] " : std::string();
      const std::string line = head + hvWideToUtf8(record.caption) + "\": " + number + hvWideToUtf8(record.text) + "\n";
      std::fputs(line.c_str(), stderr);
    }
    listener = log.listener;
  }
  if (listener) listener(record);
  return record.answer;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  const std::u16string wideText = text ? hvCp1250ToWide(text) : std::u16string();
  const std::u16string wideCaption = caption ? hvCp1250ToWide(caption) : std::u16string();
  return MessageBoxW(owner, text ? wideText.c_str() : nullptr, caption ? wideCaption.c_str() : nullptr, flags);
}

std::vector<HvMessageBoxRecord> hvMessageBoxLog() {
  MessageLog& log = messageLog();
  std::lock_guard lock(log.mutex);
  return {log.records.begin(), log.records.end()};
}

void hvClearMessageBoxLog() {
  MessageLog& log = messageLog();
  std::lock_guard lock(log.mutex);
  log.records.clear();
  log.answers.clear();
}

void hvQueueMessageBoxAnswer(int answer) {
  MessageLog& log = messageLog();
  std::lock_guard lock(log.mutex);
  log.answers.push_back(answer);
}

void hvSetMessageBoxEcho(bool enabled) {
  MessageLog& log = messageLog();
  std::lock_guard lock(log.mutex);
  log.echo = enabled;
}

void hvSetMessageBoxListener(std::function<void(const HvMessageBoxRecord&)> listener) {
  MessageLog& log = messageLog();
  std::lock_guard lock(log.mutex);
  log.listener = std::move(listener);
}
