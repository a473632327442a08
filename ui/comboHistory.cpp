#include "ui/comboHistory.h"

#include <algorithm>

comboHistory::comboHistory(LPCWSTR key, int maxCount) : key_(key), maxCount_(std::max(maxCount, 1)) {}

CString comboHistory::currentKeyOf(LPCWSTR key) { return CString(key) + u"_CB_ACT"; }

CString comboHistory::historyKeyOf(LPCWSTR key) { return CString(key) + u"_CB_HST"; }

void comboHistory::addToHistory(const CString& text) {
  if (text.IsEmpty()) return;
  std::erase(history_, text);
  history_.insert(history_.begin(), text);
  if (history_.size() > static_cast<std::size_t>(maxCount_)) history_.resize(static_cast<std::size_t>(maxCount_));
}

void comboHistory::remember(const CString& text) {
  current_ = text;
  addToHistory(text);
}

bool comboHistory::loadHistory(ini_store& store) {
  if (key_.IsEmpty()) return false;
  CString text;
  const bool haveCurrent = store.getString(currentKeyOf(key_), text, u"$EMPTY$");
  if (haveCurrent) current_ = text;
  std::vector<CString> stored;
  const bool haveHistory = store.getStringArray(historyKeyOf(key_), stored);
  if (haveHistory) {
    history_.clear();
    for (const CString& entry : stored) {
      if (entry.IsEmpty() || std::find(history_.begin(), history_.end(), entry) != history_.end()) continue;
      if (history_.size() == static_cast<std::size_t>(maxCount_)) break;
      history_.push_back(entry);
    }
  }
  return haveCurrent || haveHistory;
}

bool comboHistory::saveHistory(ini_store& store) const {
  if (key_.IsEmpty()) return false;
  const bool wroteCurrent = store.writeString(currentKeyOf(key_), current_);
  const bool wroteHistory = store.writeStringArray(historyKeyOf(key_), history_);
  return wroteCurrent && wroteHistory;
}
