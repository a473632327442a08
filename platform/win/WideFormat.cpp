#include "platform/win/WideFormat.h"

#include "platform/win/CodePage.h"
#include "platform/win/NumberParse.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// Widths and precisions beyond this are refused rather than allocated.
constexpr int kMaxField = 100000;

using Kind = HvFormatArg::Kind;

enum class Size { Default, Char, Short, Long, LongLong, Wide };

struct Spec {
  bool left = false, plus = false, space = false, alt = false, zero = false;
  int width = 0;
  int precision = -1;  // -1: none given
  Size size = Size::Default;
  char16_t conversion = 0;
};

// Sets the "C" locale on this thread for the lifetime of the object.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(hvCLocale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_;
};

class Formatter {
 public:
  Formatter(LPCWSTR format, std::span<const HvFormatArg> args) : p_(format), args_(args) {}

  std::optional<std::u16string> run() {
    if (!p_) return std::nullopt;
    while (*p_) {
      if (*p_ != u'%') {
        out_ += *p_++;
        continue;
      }
      ++p_;
      Spec spec;
      if (!parseSpec(spec) || !convert(spec)) return std::nullopt;
    }
    return std::move(out_);
  }

 private:
  const HvFormatArg* next() { return used_ < args_.size() ? &args_[used_++] : nullptr; }

  bool readNumber(int& value) {
    long long v = 0;
    while (*p_ >= u'0' && *p_ <= u'9') {
      v = v * 10 + (*p_++ - u'0');
      if (v > kMaxField) return false;
    }
    value = static_cast<int>(v);
    return true;
  }

  bool starArgument(int& value) {
    const HvFormatArg* a = next();
    if (!a) return false;
    long long v;
    if (a->kind() == Kind::Signed) v = static_cast<int>(a->asSigned());
    else if (a->kind() == Kind::Unsigned) v = static_cast<int>(a->asUnsigned());
    else return false;
    if (v > kMaxField || v < -kMaxField) return false;
    value = static_cast<int>(v);
    return true;
  }

  bool parseSpec(Spec& s) {
    for (;; ++p_) {
      if (*p_ == u'-') s.left = true;
      else if (*p_ == u'+') s.plus = true;
      else if (*p_ == u' ') s.space = true;
      else if (*p_ == u'#') s.alt = true;
      else if (*p_ == u'0') s.zero = true;
      else break;
    }
    if (*p_ == u'*') {
      ++p_;
      if (!starArgument(s.width)) return false;
      if (s.width < 0) {
        s.left = true;
        s.width = -s.width;
      }
    } else if (!readNumber(s.width)) {
      return false;
    }
    if (*p_ == u'.') {
      ++p_;
      if (*p_ == u'*') {
        ++p_;
        if (!starArgument(s.precision)) return false;
        if (s.precision < 0) s.precision = -1;
      } else {
        s.precision = 0;
        if (!readNumber(s.precision)) return false;
      }
    }
    parseSize(s);
    s.conversion = *p_;
    if (s.conversion == 0) return false;  // the format ends inside a conversion
    ++p_;
    return true;
  }

  void parseSize(Spec& s) {
    const std::u16string_view rest(p_);
    const auto take = [&](std::u16string_view prefix, Size size) {
      if (!rest.starts_with(prefix)) return false;
      p_ += prefix.size();
      s.size = size;
      return true;
    };
    take(u"I64", Size::LongLong) || take(u"I32", Size::Default) || take(u"ll", Size::LongLong) ||
        take(u"hh", Size::Char) || take(u"h", Size::Short) || take(u"l", Size::Long) ||
        take(u"L", Size::LongLong) || take(u"w", Size::Wide) || take(u"I", Size::LongLong) ||
        take(u"z", Size::LongLong) || take(u"j", Size::LongLong) || take(u"t", Size::LongLong);
  }

  void pad(const Spec& s, std::size_t length, char16_t fill = u' ') {
    if (static_cast<std::size_t>(s.width) > length) out_.append(s.width - length, fill);
  }

  void appendPadded(const Spec& s, std::u16string_view text) {
    if (!s.left) pad(s, text.size());
    out_ += text;
    if (s.left) pad(s, text.size());
  }

  // Prints one number with the C library in the "C" locale; `length` is the
  // length modifier the value needs ("ll" or "").
  template <typename T>
  bool printNumber(const Spec& s, const char* length, char conversion, T value) {
    char spec[16];
    char* q = spec;
    *q++ = '%';
    if (s.left) *q++ = '-';
    if (s.plus) *q++ = '+';
    if (s.space) *q++ = ' ';
    if (s.alt) *q++ = '#';
    if (s.zero) *q++ = '0';
    *q++ = '*';
    *q++ = '.';
    *q++ = '*';
    for (const char* l = length; *l; ++l) *q++ = *l;
    *q++ = conversion;
    *q = 0;
    std::string text(64, '\0');
    CLocaleScope cLocale;
    int n = std::snprintf(text.data(), text.size(), spec, s.width, s.precision, value);
    if (n < 0) return false;
    if (static_cast<std::size_t>(n) >= text.size()) {
      text.assign(static_cast<std::size_t>(n) + 1, '\0');
      n = std::snprintf(text.data(), text.size(), spec, s.width, s.precision, value);
      if (n < 0) return false;
    }
    for (int i = 0; i < n; ++i) out_ += static_cast<char16_t>(static_cast<unsigned char>(text[i]));
    return true;
  }

  bool integer(const Spec& s) {
    const HvFormatArg* a = next();
    if (!a || (a->kind() != Kind::Signed && a->kind() != Kind::Unsigned)) return false;
    const unsigned long long bits =
        a->kind() == Kind::Signed ? static_cast<unsigned long long>(a->asSigned()) : a->asUnsigned();
    const bool isSigned = s.conversion == u'd' || s.conversion == u'i';
    long long sv;
    unsigned long long uv;
    switch (s.size) {
      case Size::Char: sv = static_cast<signed char>(bits); uv = static_cast<unsigned char>(bits); break;
      case Size::Short: sv = static_cast<short>(bits); uv = static_cast<unsigned short>(bits); break;
      case Size::LongLong: sv = static_cast<long long>(bits); uv = bits; break;
      default: sv = static_cast<int>(bits); uv = static_cast<unsigned>(bits); break;
    }
    const char conversion = static_cast<char>(s.conversion);
    return isSigned ? printNumber(s, "ll", 'd', sv) : printNumber(s, "ll", conversion, uv);
  }

  bool floating(const Spec& s) {
    const HvFormatArg* a = next();
    if (!a || a->kind() != Kind::Double) return false;
    return printNumber(s, "", static_cast<char>(s.conversion), a->asDouble());
  }

  bool pointer(const Spec& s) {
    const HvFormatArg* a = next();
    if (!a || (a->kind() != Kind::Pointer && a->kind() != Kind::Null)) return false;
    char text[32];
    std::snprintf(text, sizeof text, "%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(a->asPointer())));
    std::u16string wide(text, text + std::strlen(text));
    appendPadded(s, wide);
    return true;
  }

  bool character(const Spec& s, bool narrow) {
    const HvFormatArg* a = next();
    if (!a || (a->kind() != Kind::Signed && a->kind() != Kind::Unsigned)) return false;
    const unsigned long long bits =
        a->kind() == Kind::Signed ? static_cast<unsigned long long>(a->asSigned()) : a->asUnsigned();
    const char16_t unit = narrow ? hvCp1250ToUnit(static_cast<unsigned char>(bits & 0xFF))
                                 : static_cast<char16_t>(bits & 0xFFFF);
    appendPadded(s, std::u16string_view(&unit, 1));
    return true;
  }

  bool string(const Spec& s, bool narrow) {
    const HvFormatArg* a = next();
    if (!a) return false;
    std::u16string_view text;
    std::u16string converted;
    if (a->kind() == Kind::Null) {
      text = u"(null)";
    } else if (narrow && a->kind() == Kind::Narrow) {
      std::string_view bytes(a->narrow());
      if (s.precision >= 0 && bytes.size() > static_cast<std::size_t>(s.precision))
        bytes = bytes.substr(0, s.precision);
      converted = hvCp1250ToWide(bytes);
      text = converted;
    } else if (!narrow && a->kind() == Kind::Wide) {
      text = a->wide();
    } else {
      return false;
    }
    if (s.precision >= 0 && text.size() > static_cast<std::size_t>(s.precision))
      text = text.substr(0, s.precision);
    appendPadded(s, text);
    return true;
  }

  bool convert(const Spec& s) {
    const bool explicitNarrow = s.size == Size::Short;
    const bool explicitWide = s.size == Size::Long || s.size == Size::Wide;
    switch (s.conversion) {
      case u'%': out_ += u'%'; return true;
      case u'd': case u'i': case u'u': case u'o': case u'x': case u'X': return integer(s);
      case u'f': case u'F': case u'e': case u'E': case u'g': case u'G': case u'a': case u'A':
        return floating(s);
      case u'p': return pointer(s);
      case u'c': return character(s, explicitNarrow);
      case u'C': return character(s, !explicitWide);
      case u's': return string(s, explicitNarrow);
      case u'S': return string(s, !explicitWide);
      default: return false;  // %n and anything unknown
    }
  }

  LPCWSTR p_;
  std::span<const HvFormatArg> args_;
  std::size_t used_ = 0;
  std::u16string out_;
};

}  // namespace

std::optional<std::u16string> hvFormatArgs(LPCWSTR format, std::span<const HvFormatArg> args) {
  return Formatter(format, args).run();
}

int hvFormatArgsInto(WCHAR* buffer, std::size_t capacity, LPCWSTR format,
                     std::span<const HvFormatArg> args) {
  if (!buffer || capacity == 0) return -1;
  const std::optional<std::u16string> text = hvFormatArgs(format, args);
  if (!text || text->size() >= capacity || text->size() > static_cast<std::size_t>(INT_MAX)) {
    buffer[0] = 0;
    return -1;
  }
  std::char_traits<char16_t>::copy(buffer, text->data(), text->size());
  buffer[text->size()] = 0;
  return static_cast<int>(text->size());
}
