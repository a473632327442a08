// The framework string: a value type over UTF-16 text. Instances are used on
// design threads; they share nothing, so copies may go to other threads.
//
// Positions and counts are `int`, as in the framework. Reads outside the text
// answer 0 and writes outside it do nothing; counts beyond the text are
// clamped, never a crash.
#pragma once

#include "platform/win/WideFormat.h"
#include "platform/win/WinTypes.h"

#include <compare>
#include <string>
#include <string_view>

class CString {
 public:
  CString() = default;
  CString(LPCWSTR text) : text_(text ? text : u"") {}  // NOLINT: implicit as in the framework
  CString(LPCWSTR text, int length);
  CString(WCHAR ch, int repeat = 1);
  CString(std::u16string text) : text_(std::move(text)) {}  // NOLINT
  explicit CString(std::u16string_view text) : text_(text) {}
  // Narrow text in the ANSI code page, which is 1250 on the systems the
  // module serves. Explicit, so that a UTF-8 literal is not decoded by
  // accident.
  explicit CString(LPCSTR narrow);

  CString& operator=(LPCWSTR text);
  CString& operator=(WCHAR ch);
  CString& operator+=(const CString& text) { text_ += text.text_; return *this; }
  CString& operator+=(LPCWSTR text) { if (text) text_ += text; return *this; }
  CString& operator+=(WCHAR ch) { text_ += ch; return *this; }

  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }

  WCHAR GetAt(int index) const;
  WCHAR operator[](int index) const { return GetAt(index); }
  void SetAt(int index, WCHAR ch);

  operator LPCWSTR() const { return text_.c_str(); }  // NOLINT: the framework's conversion
  LPCWSTR GetString() const { return text_.c_str(); }
  const std::u16string& str() const { return text_; }
  std::u16string_view view() const { return text_; }

  // A writable buffer of at least `minLength` units (plus a terminator).
  // After writing, ReleaseBuffer sets the length: to the first zero unit
  // when `newLength` is -1, else to `newLength` (clamped to the buffer).
  LPWSTR GetBuffer(int minLength = 0);
  LPWSTR GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);

  void SetString(LPCWSTR text, int length);
  void Append(LPCWSTR text) { *this += text; }
  void Append(LPCWSTR text, int length);
  void AppendChar(WCHAR ch) { text_ += ch; }

  // Ordinal comparison, and comparison folding A-Z only (as _wcsicmp).
  int Compare(LPCWSTR text) const;
  int CompareNoCase(LPCWSTR text) const;

  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString SpanIncluding(LPCWSTR set) const;
  CString SpanExcluding(LPCWSTR set) const;
  // The next token after `start` separated by any unit of `tokens`; `start`
  // moves past it, or becomes -1 (with an empty result) at the end.
  CString Tokenize(LPCWSTR tokens, int& start) const;

  int Find(WCHAR ch, int start = 0) const;
  int Find(LPCWSTR sub, int start = 0) const;
  int ReverseFind(WCHAR ch) const;
  int FindOneOf(LPCWSTR set) const;

  int Replace(WCHAR oldCh, WCHAR newCh);
  int Replace(LPCWSTR oldText, LPCWSTR newText);
  int Remove(WCHAR ch);
  int Insert(int index, WCHAR ch);
  int Insert(int index, LPCWSTR text);
  int Delete(int index, int count = 1);

  // Case changes of A-Z / a-z only, as the run time's "C" locale does.
  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();

  // White space is what the "C" locale calls so: blank, tab, CR, LF, VT, FF.
  CString& Trim();
  CString& Trim(WCHAR ch);
  CString& Trim(LPCWSTR set);
  CString& TrimLeft();
  CString& TrimLeft(WCHAR ch);
  CString& TrimLeft(LPCWSTR set);
  CString& TrimRight();
  CString& TrimRight(WCHAR ch);
  CString& TrimRight(LPCWSTR set);

  // The text of string resource `id`; false and an empty text when no
  // registered table holds it.
  bool LoadString(UINT id);

  // Formats as the wide printf (see WideFormat.h) into a temporary, so the
  // string itself may be an argument. On a malformed format or mismatched
  // arguments the string becomes empty and the answer is false.
  template <typename... Args>
  bool Format(LPCWSTR format, const Args&... args) {
    const std::array<HvFormatArg, sizeof...(Args)> list{HvFormatArg(args)...};
    return FormatArgs(format, list, false);
  }
  // The format is string resource `formatId`; a missing one fails the same way.
  template <typename... Args>
  bool Format(UINT formatId, const Args&... args) {
    CString format;
    if (!format.LoadString(formatId)) {
      Empty();
      return false;
    }
    return Format(format.GetString(), args...);
  }
  // Appends the formatted text; on failure the string is left unchanged.
  template <typename... Args>
  bool AppendFormat(LPCWSTR format, const Args&... args) {
    const std::array<HvFormatArg, sizeof...(Args)> list{HvFormatArg(args)...};
    return FormatArgs(format, list, true);
  }

  friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
  friend bool operator==(const CString& a, LPCWSTR b) { return a.text_ == (b ? b : u""); }
  friend std::strong_ordering operator<=>(const CString& a, const CString& b) {
    return a.text_ <=> b.text_;
  }
  friend std::strong_ordering operator<=>(const CString& a, LPCWSTR b) {
    return a.view() <=> std::u16string_view(b ? b : u"");
  }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.text_ + b.text_); }
  friend CString operator+(const CString& a, LPCWSTR b) { CString r(a); r += b; return r; }
  friend CString operator+(LPCWSTR a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, WCHAR b) { CString r(a); r += b; return r; }
  friend CString operator+(WCHAR a, const CString& b) { CString r(a); r += b; return r; }

 private:
  bool FormatArgs(LPCWSTR format, std::span<const HvFormatArg> args, bool append);

  std::u16string text_;
};

template <>
struct std::hash<CString> {
  std::size_t operator()(const CString& s) const noexcept { return std::hash<std::u16string>()(s.str()); }
};
