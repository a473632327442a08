// printf-style formatting into UTF-16 text with the conventions of the
// Windows wide printf family: `%s` and `%c` take wide text (`%S`, `%hs`, `%C`
// and `%hc` narrow code page 1250 text), `%d`/`%u`/`%x` read 32 bits unless a
// size prefix (ll, I64, I, z) says otherwise, `%p` prints 16 upper-case hex
// digits, and numbers use the "C" locale whatever the process locale is.
//
// Arguments are passed as typed values, never through C varargs: a framework
// string, a std::u16string or a pointer is taken as the caller wrote it. A
// conversion whose argument is missing or of the wrong kind (a number for
// `%s`, a string for `%d`, a double for `%d`, an integer for `%f`, a narrow
// string for `%s`) makes the whole format fail instead of printing garbage.
#pragma once

#include "platform/win/WinTypes.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

// One argument of a format.
class HvFormatArg {
 public:
  enum class Kind { None, Signed, Unsigned, Double, Wide, Narrow, Pointer, Null };

  HvFormatArg() = default;
  template <std::integral T>
  HvFormatArg(T v) {  // NOLINT: implicit on purpose
    if constexpr (std::is_signed_v<T>) {
      kind_ = Kind::Signed;
      i_ = static_cast<long long>(v);
    } else {
      kind_ = Kind::Unsigned;
      u_ = static_cast<unsigned long long>(v);
    }
  }
  template <typename E>
    requires std::is_enum_v<E>
  HvFormatArg(E v) : HvFormatArg(static_cast<std::underlying_type_t<E>>(v)) {}
  template <std::floating_point T>
  HvFormatArg(T v) : kind_(Kind::Double), d_(static_cast<double>(v)) {}
  HvFormatArg(const WCHAR* s) : kind_(s ? Kind::Wide : Kind::Null), wide_(s) {}
  HvFormatArg(const char* s) : kind_(s ? Kind::Narrow : Kind::Null), narrow_(s) {}
  HvFormatArg(std::u16string_view s) : kind_(Kind::Wide), wide_(s.data()), length_(s.size()) {}
  HvFormatArg(const std::u16string& s) : HvFormatArg(std::u16string_view(s)) {}
  HvFormatArg(const void* p) : kind_(p ? Kind::Pointer : Kind::Null), pointer_(p) {}
  HvFormatArg(std::nullptr_t) : kind_(Kind::Null) {}

  Kind kind() const { return kind_; }
  long long asSigned() const { return i_; }
  unsigned long long asUnsigned() const { return u_; }
  double asDouble() const { return d_; }
  const void* asPointer() const { return pointer_; }
  // Wide text: the units and their count.
  std::u16string_view wide() const {
    return length_ == kUnknownLength ? std::u16string_view(wide_) : std::u16string_view(wide_, length_);
  }
  const char* narrow() const { return narrow_; }

 private:
  static constexpr std::size_t kUnknownLength = static_cast<std::size_t>(-1);
  Kind kind_ = Kind::None;
  union {
    long long i_;
    unsigned long long u_;
    double d_;
    const WCHAR* wide_;
    const char* narrow_;
    const void* pointer_ = nullptr;
  };
  std::size_t length_ = kUnknownLength;
};

// Formats `format` with `args`; empty when the format is null, malformed or
// does not match its arguments.
std::optional<std::u16string> hvFormatArgs(LPCWSTR format, std::span<const HvFormatArg> args);

// Formats into `buffer` of `capacity` units (terminator included). Answers
// the number of units written before the terminator, or -1 when the format
// fails or the text with its terminator does not fit; the buffer then holds
// an empty string (when capacity allows).
int hvFormatArgsInto(WCHAR* buffer, std::size_t capacity, LPCWSTR format,
                     std::span<const HvFormatArg> args);

template <typename... Args>
std::optional<std::u16string> hvFormat(LPCWSTR format, const Args&... args) {
  const std::array<HvFormatArg, sizeof...(Args)> list{HvFormatArg(args)...};
  return hvFormatArgs(format, list);
}

// The bounded wide printf: see hvFormatArgsInto.
template <typename... Args>
int hvSwprintf(WCHAR* buffer, std::size_t capacity, LPCWSTR format, const Args&... args) {
  const std::array<HvFormatArg, sizeof...(Args)> list{HvFormatArg(args)...};
  return hvFormatArgsInto(buffer, capacity, format, list);
}
