#include "host/CodePageText.h"

#include <cstdlib>
#include <cstring>

#include "platform/win/CodePage.h"

namespace {

constexpr std::size_t escapeLength = 7;  // '\', 'U', '+' and four digits

bool isCp1250(UINT codePage) { return codePage == CP_1250 || codePage == CP_ACP; }

// The bytes of code page 1250 that hold no character.
bool isUndefinedCp1250(unsigned byte) {
  return byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The unit of the escape at the start of `text`, or -1 when none is there.
int escapeAt(std::string_view text) {
  if (text.size() < escapeLength || text[0] != '\\' || text[1] != 'U' || text[2] != '+') return -1;
  int unit = 0;
  for (std::size_t i = 3; i < escapeLength; ++i) {
    const int d = hexDigit(text[i]);
    if (d < 0) return -1;
    unit = unit * 16 + d;
  }
  return unit;
}

void appendRun(std::u16string& out, std::string_view run, UINT codePage) {
  if (run.empty()) return;
  if (isCp1250(codePage)) {
    for (char c : run) {
      const auto byte = static_cast<unsigned char>(c);
      out += isUndefinedCp1250(byte) ? u'?' : hvCp1250ToUnit(byte);
    }
    return;
  }
  const int size = static_cast<int>(run.size());
  const int units = MultiByteToWideChar(codePage, 0, run.data(), size, nullptr, 0);
  if (units <= 0) {
    out.append(run.size(), u'?');
    return;
  }
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(units));
  if (MultiByteToWideChar(codePage, 0, run.data(), size, out.data() + at, units) != units) {
    out.resize(at);
    out.append(run.size(), u'?');
  }
}

// The byte of a unit in the code page, or -1 when it has none.
int byteOf(char16_t unit, UINT codePage) {
  if (isCp1250(codePage)) {
    const int byte = hvCp1250FromUnit(unit);
    return byte < 0 || isUndefinedCp1250(static_cast<unsigned>(byte)) ? -1 : byte;
  }
  char byte = 0;
  BOOL usedDefault = FALSE;
  const char zero = '\0';
  if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &unit, 1, &byte, 1, &zero, &usedDefault) != 1 ||
      usedDefault)
    return -1;
  return static_cast<unsigned char>(byte);
}

void appendEscape(std::string& out, char16_t unit) {
  static constexpr char digits[] = "0123456789abcdef";
  out += "\\U+";
  for (int shift = 12; shift >= 0; shift -= 4) out += digits[(unit >> shift) & 0xF];
}

template <class Char>
Char* heapCopy(const std::basic_string<Char>& text) {
  auto* copy = static_cast<Char*>(std::malloc((text.size() + 1) * sizeof(Char)));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), (text.size() + 1) * sizeof(Char));
  return copy;
}

}  // namespace

std::u16string hvMbToWide(std::string_view text, UINT codePage) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t runStart = 0;
  std::size_t i = 0;
  while (i + escapeLength <= text.size()) {
    const int unit = escapeAt(text.substr(i));
    if (unit < 0) {
      ++i;
      continue;
    }
    appendRun(out, text.substr(runStart, i - runStart), codePage);
    out += static_cast<char16_t>(unit);
    i += escapeLength;
    runStart = i;
  }
  appendRun(out, text.substr(runStart), codePage);
  return out;
}

std::string hvWideToMb(std::u16string_view text, UINT codePage) {
  std::string out;
  out.reserve(text.size());
  for (char16_t unit : text) {
    const int byte = byteOf(unit, codePage);
    if (byte < 0)
      appendEscape(out, unit);
    else
      out += static_cast<char>(byte);
  }
  return out;
}

char16_t* hvMbDupToWide(const char* text) {
  return heapCopy(text ? hvMbToWide(text, CP_1250) : std::u16string());
}

char* hvWideDupToMb(const char16_t* text) {
  return heapCopy(text ? hvWideToMb(text, CP_1250) : std::string());
}

CString& expandTextControlCodes(CString& out, LPCWSTR text) {
  std::u16string expanded;
  const std::u16string_view in = text ? std::u16string_view(text) : std::u16string_view();
  for (std::size_t i = 0; i < in.size() && expanded.size() < hvExpandedTextMax;) {
    if (in[i] == u'%' && i + 2 < in.size() && in[i + 1] == u'%') {
      const char16_t code = in[i + 2] | 0x20;  // ASCII letters to lower case
      const char16_t* replacement = code == u'd' ? u"°" : code == u'p' ? u"±" : code == u'c' ? u"O"
                                  : code == u'u' ? u"" : nullptr;
      if (replacement != nullptr) {
        expanded += replacement;
        i += 3;
        continue;
      }
    }
    expanded += in[i++];
  }
  if (expanded.size() > hvExpandedTextMax) expanded.resize(hvExpandedTextMax);
  out = CString(std::move(expanded));
  return out;
}
