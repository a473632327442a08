#include "platform/win/CString.h"

#include "platform/win/CodePage.h"
#include "platform/win/StringCompare.h"
#include "platform/win/StringTable.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::u16string_view kWhiteSpace = u" \t\r\n\v\f";

std::u16string_view viewOf(LPCWSTR text) { return text ? std::u16string_view(text) : std::u16string_view(); }

// A count clamped to [0, limit].
std::size_t clampCount(int value, std::size_t limit) {
  return value <= 0 ? 0 : std::min(static_cast<std::size_t>(value), limit);
}

int toInt(std::size_t pos) {
  return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

}  // namespace

CString::CString(LPCWSTR text, int length) {
  if (text && length > 0) text_.assign(text, static_cast<std::size_t>(length));
}

CString::CString(WCHAR ch, int repeat) : text_(repeat > 0 ? static_cast<std::size_t>(repeat) : 0, ch) {}

CString::CString(LPCSTR narrow) {
  if (narrow) text_ = hvCp1250ToWide(narrow);
}

CString& CString::operator=(LPCWSTR text) {
  // The text may point into this string.
  text_ = std::u16string(viewOf(text));
  return *this;
}

CString& CString::operator=(WCHAR ch) {
  text_.assign(1, ch);
  return *this;
}

WCHAR CString::GetAt(int index) const {
  return index >= 0 && index < GetLength() ? text_[static_cast<std::size_t>(index)] : WCHAR(0);
}

void CString::SetAt(int index, WCHAR ch) {
  if (index >= 0 && index < GetLength()) text_[static_cast<std::size_t>(index)] = ch;
}

LPWSTR CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) text_.resize(static_cast<std::size_t>(minLength));
  return text_.data();
}

LPWSTR CString::GetBufferSetLength(int length) {
  text_.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text_.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    text_.resize(std::char_traits<char16_t>::length(text_.c_str()));
  } else {
    text_.resize(clampCount(newLength, text_.size()));
  }
}

void CString::SetString(LPCWSTR text, int length) { *this = CString(text, length); }

void CString::Append(LPCWSTR text, int length) {
  if (text && length > 0) text_.append(text, static_cast<std::size_t>(length));
}

int CString::Compare(LPCWSTR text) const {
  const int c = view().compare(viewOf(text));
  return (c > 0) - (c < 0);
}

int CString::CompareNoCase(LPCWSTR text) const { return hvCompareNoCaseAscii(view(), viewOf(text)); }

CString CString::Left(int count) const { return CString(text_.substr(0, clampCount(count, text_.size()))); }

CString CString::Right(int count) const {
  const std::size_t n = clampCount(count, text_.size());
  return CString(text_.substr(text_.size() - n));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  const std::size_t start = clampCount(first, text_.size());
  return CString(text_.substr(start, clampCount(count, text_.size() - start)));
}

CString CString::SpanIncluding(LPCWSTR set) const {
  const int stop = toInt(text_.find_first_not_of(viewOf(set)));
  return Left(stop < 0 ? GetLength() : stop);
}

CString CString::SpanExcluding(LPCWSTR set) const {
  const int stop = toInt(text_.find_first_of(viewOf(set)));
  return Left(stop < 0 ? GetLength() : stop);
}

CString CString::Tokenize(LPCWSTR tokens, int& start) const {
  if (start < 0 || start >= GetLength()) {
    start = -1;
    return CString();
  }
  const std::u16string_view set = viewOf(tokens);
  if (set.empty()) {
    // The rest is one token; the next call ends the walk.
    CString rest = Mid(start);
    start = GetLength();
    return rest;
  }
  const std::size_t begin = text_.find_first_not_of(set, static_cast<std::size_t>(start));
  if (begin == std::u16string::npos) {
    start = -1;
    return CString();
  }
  std::size_t end = text_.find_first_of(set, begin);
  if (end == std::u16string::npos) end = text_.size();
  start = static_cast<int>(end) + 1;
  return CString(text_.substr(begin, end - begin));
}

int CString::Find(WCHAR ch, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  return toInt(text_.find(ch, static_cast<std::size_t>(start)));
}

int CString::Find(LPCWSTR sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  return toInt(text_.find(sub, static_cast<std::size_t>(start)));
}

int CString::ReverseFind(WCHAR ch) const { return toInt(text_.rfind(ch)); }

int CString::FindOneOf(LPCWSTR set) const {
  return viewOf(set).empty() ? -1 : toInt(text_.find_first_of(viewOf(set)));
}

int CString::Replace(WCHAR oldCh, WCHAR newCh) {
  int n = 0;
  for (char16_t& c : text_) {
    if (c == oldCh) {
      c = newCh;
      ++n;
    }
  }
  return n;
}

int CString::Replace(LPCWSTR oldText, LPCWSTR newText) {
  const std::u16string from(viewOf(oldText));
  const std::u16string to(viewOf(newText));
  if (from.empty()) return 0;
  std::u16string result;
  int n = 0;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text_.find(from, pos)) != std::u16string::npos; pos = hit + from.size()) {
    result.append(text_, pos, hit - pos);
    result += to;
    ++n;
  }
  if (n > 0) {
    result.append(text_, pos);
    text_ = std::move(result);
  }
  return n;
}

int CString::Remove(WCHAR ch) {
  const std::size_t before = text_.size();
  std::erase(text_, ch);
  return static_cast<int>(before - text_.size());
}

int CString::Insert(int index, WCHAR ch) { return Insert(index, std::u16string(1, ch).c_str()); }

int CString::Insert(int index, LPCWSTR text) {
  const std::u16string piece(viewOf(text));
  text_.insert(clampCount(index, text_.size()), piece);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index >= 0 && index < GetLength() && count > 0) {
    text_.erase(static_cast<std::size_t>(index), clampCount(count, text_.size() - index));
  }
  return GetLength();
}

CString& CString::MakeUpper() {
  for (char16_t& c : text_) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
  }
  return *this;
}

CString& CString::MakeLower() {
  for (char16_t& c : text_) c = hvFoldAscii(c);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(text_.begin(), text_.end());
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(WCHAR ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(LPCWSTR set) { return TrimRight(set).TrimLeft(set); }
CString& CString::TrimLeft() { return TrimLeft(std::u16string(kWhiteSpace).c_str()); }
CString& CString::TrimRight() { return TrimRight(std::u16string(kWhiteSpace).c_str()); }

CString& CString::TrimLeft(WCHAR ch) {
  const WCHAR set[2] = {ch, 0};
  return TrimLeft(set);
}

CString& CString::TrimRight(WCHAR ch) {
  const WCHAR set[2] = {ch, 0};
  return TrimRight(set);
}

CString& CString::TrimLeft(LPCWSTR set) {
  const std::size_t begin = text_.find_first_not_of(viewOf(set));
  text_.erase(0, begin == std::u16string::npos ? text_.size() : begin);
  return *this;
}

CString& CString::TrimRight(LPCWSTR set) {
  const std::size_t last = text_.find_last_not_of(viewOf(set));
  text_.erase(last == std::u16string::npos ? 0 : last + 1);
  return *this;
}

bool CString::LoadString(UINT id) {
  std::optional<std::u16string> text = hvLoadString(id);
  text_ = text ? std::move(*text) : std::u16string();
  return text.has_value();
}

bool CString::FormatArgs(LPCWSTR format, std::span<const HvFormatArg> args, bool append) {
  std::optional<std::u16string> text = hvFormatArgs(format, args);
  if (!text) {
    if (!append) text_.clear();
    return false;
  }
  if (append) {
    text_ += *text;
  } else {
    text_ = std::move(*text);
  }
  return true;
}
