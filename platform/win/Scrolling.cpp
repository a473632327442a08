#include "platform/win/Scrolling.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

namespace {

struct ScrollState {
  int min = 0;
  int max = 0;
  UINT page = 0;
  int position = 0;
};

struct Scrolling {
  std::mutex lock;  // guards everything below
  std::map<std::pair<HWND, int>, ScrollState> bars;
  std::map<std::pair<HWND, int>, HWND> controls;
  std::map<HWND, std::vector<HvScrollAmount>> amounts;
};

Scrolling& scrolling() {
  static Scrolling instance;
  return instance;
}

// The position kept within what the range and the page allow.
int clampPosition(const ScrollState& s, int position) {
  const long long page = s.page > 0 ? static_cast<long long>(s.page) : 1;
  const long long highest = std::max<long long>(s.min, static_cast<long long>(s.max) - page + 1);
  return static_cast<int>(std::clamp<long long>(position, s.min, highest));
}

}  // namespace

BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info) {
  if (window == nullptr || info == nullptr) return FALSE;
  Scrolling& s = scrolling();
  std::lock_guard guard(s.lock);
  const auto it = s.bars.find({window, bar});
  if (it == s.bars.end()) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = it->second.min;
    info->nMax = it->second.max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = it->second.page;
  if (info->fMask & SIF_POS) info->nPos = info->nTrackPos = it->second.position;
  return TRUE;
}

int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL) {
  if (window == nullptr || info == nullptr) return 0;
  Scrolling& s = scrolling();
  std::lock_guard guard(s.lock);
  ScrollState& state = s.bars[{window, bar}];
  if (info->fMask & SIF_RANGE) {
    state.min = info->nMin;
    state.max = info->nMax;
  }
  if (info->fMask & SIF_PAGE) state.page = info->nPage;
  if (info->fMask & SIF_POS) state.position = info->nPos;
  state.position = clampPosition(state, state.position);
  return state.position;
}

BOOL ScrollWindow(HWND window, int dx, int dy, const void*, const void*) {
  if (window == nullptr) return FALSE;
  Scrolling& s = scrolling();
  std::lock_guard guard(s.lock);
  s.amounts[window].push_back(HvScrollAmount{dx, dy});
  return TRUE;
}

std::vector<HvScrollAmount> hvScrollAmounts(HWND window) {
  Scrolling& s = scrolling();
  std::lock_guard guard(s.lock);
  const auto it = s.amounts.find(window);
  return it == s.amounts.end() ? std::vector<HvScrollAmount>() : it->second;
}

void hvSetScrollBarControl(HWND window, int direction, HWND control) {
  Scrolling& s = scrolling();
  std::lock_guard guard(s.lock);
  if (control == nullptr)
    s.controls.erase({window, direction});
  else
    s.controls[{window, direction}] = control;
}

HWND hvScrollBarControl(HWND window, int direction) {
  Scrolling& s = scrolling();
  std::lock_guard guard(s.lock);
  const auto it = s.controls.find({window, direction});
  return it == s.controls.end() ? nullptr : it->second;
}

void hvForgetScrolling(HWND window) {
  Scrolling& s = scrolling();
  std::lock_guard guard(s.lock);
  std::erase_if(s.bars, [window](const auto& entry) { return entry.first.first == window; });
  std::erase_if(s.controls, [window](const auto& entry) { return entry.first.first == window; });
  s.amounts.erase(window);
}
