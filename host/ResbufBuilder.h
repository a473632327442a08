// Building result-buffer lists from {group code, value} pairs.
//
// Two forms: buildResbufList takes typed pairs; buildResbufListFor and
// buildResbufListV take the pairs as one flat argument sequence ending with a
// marker code, in the form the host's list functions use. Every value is
// checked against the value class of its group code (GroupCodeType.h); a value
// of the wrong kind, a binary code (310 to 319, 1004) or a code without a class
// makes the build fail: everything built so far is freed and the answer is null.
//
// Ownership: every list handed to a builder as a value (code -8, spliced in
// without copying) belongs to the builder call, also when the build fails.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/cadhost/resbuf.h"

// The text pointer that makes the builders leave its pair out (the value -1).
inline const char16_t* const hvSkipText =
    reinterpret_cast<const char16_t*>(~static_cast<std::uintptr_t>(0));

// The group code whose value is an existing list, spliced in.
inline constexpr int hvSpliceCode = -8;
// The end marker of buildResbufListFor and of buildResbufListV in mode 0.
inline constexpr int hvListEndCode = -9;

// One value of a builder call. Converts implicitly from what the group codes
// take: integers (and enumerations), reals, UTF-16 texts, points (a pointer to
// three doubles or an array of three), 16-byte names, and lists to splice.
class ResbufArg {
 public:
  enum class Kind : std::uint8_t { none, null, integer, real, text, skip, point, name, list };

  constexpr ResbufArg() = default;
  constexpr ResbufArg(std::nullptr_t) : kind_(Kind::null) {}
  template <class T>
    requires std::integral<T>
  constexpr ResbufArg(T v) : kind_(Kind::integer), integer_(static_cast<std::int64_t>(v)) {}
  template <class T>
    requires std::is_enum_v<T>
  constexpr ResbufArg(T v) : ResbufArg(static_cast<std::underlying_type_t<T>>(v)) {}
  template <class T>
    requires std::floating_point<T>
  constexpr ResbufArg(T v) : kind_(Kind::real), real_(static_cast<double>(v)) {}
  ResbufArg(const char16_t* text);
  ResbufArg(const std::u16string& text) : kind_(Kind::text), text_{text.data(), text.size()} {}
  ResbufArg(std::u16string_view text) : kind_(Kind::text), text_{text.data(), text.size()} {}
  ResbufArg(const double* point);
  ResbufArg(const std::array<double, 3>& point) : kind_(Kind::point), point_{point} {}
  ResbufArg(const resbufName* name);
  ResbufArg(const resbufName& name) : kind_(Kind::name), name_(name) {}
  ResbufArg(resbuf* list) : kind_(list ? Kind::list : Kind::null), list_(list) {}

  Kind kind() const { return kind_; }
  std::int64_t integer() const { return integer_; }
  double real() const { return real_; }
  // The text; empty unless the value is a text.
  std::u16string_view text() const {
    return kind_ == Kind::text ? std::u16string_view(text_.data, text_.size) : std::u16string_view();
  }
  const std::array<double, 3>& point() const { return point_; }
  const resbufName& name() const { return name_; }
  resbuf* list() const { return list_; }

 private:
  struct TextRef {
    const char16_t* data;
    std::size_t size;
  };
  Kind kind_ = Kind::none;
  union {
    std::int64_t integer_ = 0;
    double real_;
    TextRef text_;
    std::array<double, 3> point_;
    resbufName name_;
    resbuf* list_;
  };
};

// One {group code, value} pair; codes -3 and 5016 to 5018 take no value.
struct ResbufPair {
  int code;
  ResbufArg value = {};
};

// Builds a list from typed pairs; null for an empty result or on failure.
resbuf* buildResbufList(std::span<const ResbufPair> pairs);
resbuf* buildResbufList(std::initializer_list<ResbufPair> pairs);

// Builds a list from a flat sequence code, value, code, value, ... In mode 0
// the code -9 ends the list; in any other mode the codes 0 and 5000 end it and
// 5020 stands for group code 0. Codes -3 and 5016 to 5018 take no value. The end
// of the arguments also ends the list.
resbuf* buildResbufFromArgs(int mode, std::span<const ResbufArg> args);

// buildResbufListFor(1, u"A", -3, 1001, u"APP", -9): the plain form.
template <class... A>
resbuf* buildResbufListFor(A&&... args) {
  const std::array<ResbufArg, sizeof...(A)> list{ResbufArg(std::forward<A>(args))...};
  return buildResbufFromArgs(0, list);
}

// The form with a mode (see buildResbufFromArgs).
template <class... A>
resbuf* buildResbufListV(int mode, A&&... args) {
  const std::array<ResbufArg, sizeof...(A)> list{ResbufArg(std::forward<A>(args))...};
  return buildResbufFromArgs(mode, list);
}
