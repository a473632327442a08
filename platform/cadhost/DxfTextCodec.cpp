#include "platform/cadhost/DxfTextCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/win/CodePage.h"

namespace cadhost {

namespace {

using ByteTable = std::array<char16_t, 256>;

const ByteTable& cp1250Table() {
  static const ByteTable table = [] {
    ByteTable t{};
    for (int b = 0; b < 256; ++b) t[b] = hvCp1250ToUnit(static_cast<unsigned char>(b));
    return t;
  }();
  return table;
}

const ByteTable& cp1252Table() {
  static const ByteTable table = [] {
    static constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    ByteTable t{};
    for (int b = 0; b < 256; ++b) t[b] = static_cast<char16_t>(b);
    for (int b = 0; b < 32; ++b) t[0x80 + b] = high[b];
    return t;
  }();
  return table;
}

// Units of the upper half of a single-byte table, sorted for the way back.
struct ReverseEntry {
  char16_t unit;
  unsigned char byte;
};

const std::array<ReverseEntry, 128>& reverseOf(const char16_t* table) {
  static const auto build = [](const ByteTable& t) {
    std::array<ReverseEntry, 128> r{};
    for (int b = 0; b < 128; ++b) r[b] = {t[0x80 + b], static_cast<unsigned char>(0x80 + b)};
    std::sort(r.begin(), r.end(), [](const ReverseEntry& a, const ReverseEntry& b) { return a.unit < b.unit; });
    return r;
  };
  static const auto r1250 = build(cp1250Table());
  static const auto r1252 = build(cp1252Table());
  return table == cp1250Table().data() ? r1250 : r1252;
}

int hexDigit(char16_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void appendEscape(char16_t unit, std::string& out) {
  static constexpr char digits[] = "0123456789ABCDEF";
  out += "\\U+";
  for (int shift = 12; shift >= 0; shift -= 4) out += digits[(unit >> shift) & 0xF];
}

}  // namespace

void DxfTextCodec::decodeEscapes(std::u16string& text, std::size_t from) {
  std::size_t pos = text.find(u"\\U+", from);
  if (pos == std::u16string::npos) return;
  std::size_t write = pos;
  std::size_t read = pos;
  while (read < text.size()) {
    if (text[read] == '\\' && read + 7 <= text.size() && text[read + 1] == 'U' && text[read + 2] == '+') {
      int value = 0;
      bool ok = true;
      for (int i = 3; i < 7 && ok; ++i) {
        int d = hexDigit(text[read + i]);
        ok = d >= 0;
        value = value * 16 + d;
      }
      if (ok) {
        text[write++] = static_cast<char16_t>(value);
        read += 7;
        continue;
      }
    }
    text[write++] = text[read++];
  }
  text.resize(write);
}

DxfTextCodec DxfTextCodec::utf8() { return DxfTextCodec("UTF-8", nullptr, false); }

DxfTextCodec DxfTextCodec::forCodePage(std::string_view dwgCodePage) {
  std::string upper(dwgCodePage);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (upper == "ANSI_1250") return DxfTextCodec("ANSI_1250", cp1250Table().data(), false);
  if (upper == "ANSI_1252" || upper.empty()) return DxfTextCodec("ANSI_1252", cp1252Table().data(), false);
  return DxfTextCodec(std::string(dwgCodePage), nullptr, true);
}

DxfTextCodec DxfTextCodec::forDrawing(std::string_view acadVersion, std::string_view dwgCodePage) {
  if (acadVersion >= std::string_view("AC1021")) return utf8();
  return forCodePage(dwgCodePage);
}

bool DxfTextCodec::decode(std::string_view bytes, std::u16string& out, bool escapes) const {
  if (table_ || asciiOnly_) return decodeSingleByte(bytes, out, escapes);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  out.reserve(out.size() + bytes.size());
  while (p < end) {
    unsigned char b = *p;
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++p;
      continue;
    }
    // Length and smallest value of the sequence a lead byte starts.
    int length = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? (b <= 0xEF ? 3 : 0) : b >= 0xC2 ? 2 : 0;
    char32_t c = 0;
    if (length && end - p >= length) {
      c = length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
      for (int i = 1; i < length && length; ++i) {
        if ((p[i] & 0xC0) != 0x80) length = 0;
        else c = (c << 6) | (p[i] & 0x3F);
      }
      static constexpr char32_t minimum[5] = {0, 0, 0x80, 0x800, 0x10000};
      if (length && (c < minimum[length] || c > 0x10FFFF)) length = 0;
    } else {
      length = 0;
    }
    if (!length) {
      // Not UTF-8: keep the byte as a lone surrogate.
      out += static_cast<char16_t>(0xDC00 + b);
      ++p;
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);  // encoded surrogates come back as they were
    }
    p += length;
  }
  return true;
}

void DxfTextCodec::encode(std::u16string_view text, std::string& out) const {
  if (table_ || asciiOnly_) return encodeSingleByte(text, out);
  out.reserve(out.size() + text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xDC80 && c <= 0xDCFF) {
      out += static_cast<char>(c - 0xDC00);  // a byte that was not UTF-8
      continue;
    }
    if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool DxfTextCodec::decodeSingleByte(std::string_view bytes, std::u16string& out, bool escapes) const {
  const std::size_t start = out.size();
  out.reserve(start + bytes.size());
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) out += static_cast<char16_t>(b);
    else if (table_) out += table_[b];
    else return false;
  }
  if (escapes) decodeEscapes(out, start);
  return true;
}

void DxfTextCodec::encodeSingleByte(std::u16string_view text, std::string& out) const {
  out.reserve(out.size() + text.size());
  for (char16_t unit : text) {
    if (unit < 0x80) {
      out += static_cast<char>(unit);
      continue;
    }
    if (table_) {
      const auto& reverse = reverseOf(table_);
      auto it = std::lower_bound(reverse.begin(), reverse.end(), unit,
                                 [](const ReverseEntry& e, char16_t u) { return e.unit < u; });
      if (it != reverse.end() && it->unit == unit) {
        out += static_cast<char>(it->byte);
        continue;
      }
    }
    appendEscape(unit, out);
  }
}

}  // namespace cadhost
