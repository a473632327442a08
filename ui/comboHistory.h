// The value history of a combo box: the current choice and the list of
// values chosen before, most recent first, kept in a settings store under
// the combo box's key: the choice under key + "_CB_ACT" as plain text (so
// the command settings read it with def_store::getString), the history
// under key + "_CB_HST" as a string array.
#pragma once

#include <vector>

#include "host/ini_store.h"
#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

class comboHistory {
 public:
  static constexpr int defaultMaxCount = 20;

  // A null or empty key makes loading and saving fail. `maxCount` below 1
  // counts as 1.
  explicit comboHistory(LPCWSTR key = nullptr, int maxCount = defaultMaxCount);

  // The store keys of a combo box's key.
  static CString currentKeyOf(LPCWSTR key);
  static CString historyKeyOf(LPCWSTR key);

  const CString& key() const { return key_; }
  void setKey(LPCWSTR key) { key_ = key; }
  int maxCount() const { return maxCount_; }

  const CString& current() const { return current_; }
  // Changes the choice only; the history stays as it is.
  void setCurrent(const CString& text) { current_ = text; }

  const std::vector<CString>& history() const { return history_; }
  // Makes `text` the current choice and puts it first in the history (an
  // equal entry further down is removed; the oldest entries beyond
  // maxCount are dropped). An empty text becomes the choice but does not
  // enter the history.
  void remember(const CString& text);
  void clearHistory() { history_.clear(); }

  // Reads the choice and the history from the store; what is absent stays
  // as it was. Empty entries and repeats are dropped from the history read,
  // and it is cut to maxCount. True when either value was read.
  bool loadHistory(ini_store& store);
  // Writes the choice and the history (an empty history as an empty list,
  // so that a cleared history stays cleared). True when both were written.
  bool saveHistory(ini_store& store) const;

 private:
  void addToHistory(const CString& text);

  CString key_;
  int maxCount_;
  CString current_;
  std::vector<CString> history_;
};
