#include "platform/win/CodePage.h"

#include "platform/win/LastError.h"
#include "platform/win/Utf8.h"

#include <array>
#include <cstring>

namespace {

// System error codes this file reports.
constexpr DWORD kInvalidParameter = 87;          // ERROR_INVALID_PARAMETER
constexpr DWORD kInsufficientBuffer = 122;       // ERROR_INSUFFICIENT_BUFFER
constexpr DWORD kNoUnicodeTranslation = 1113;  // ERROR_NO_UNICODE_TRANSLATION

// Bytes 0x80-0xFF of code page 1250. The bytes the code page leaves
// undefined map to the control character of the same value.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// Reverse table over all UTF-16 units: byte + 1, or 0 when there is none.
const std::array<std::uint8_t, 0x10000>& reverseTable() {
  static const auto table = [] {
    std::array<std::uint8_t, 0x10000> t{};
    for (unsigned b = 0; b < 0x80; ++b) t[b] = static_cast<std::uint8_t>(b + 1);
    // 0xFF + 1 does not fit a byte, so byte 0xFF is handled apart.
    for (unsigned b = 0x80; b < 0xFF; ++b) t[kUpperHalf[b - 0x80]] = static_cast<std::uint8_t>(b + 1);
    return t;
  }();
  return table;
}

bool isCp1250(UINT codePage) { return codePage == CP_1250 || codePage == CP_ACP; }

int fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Copies a converted result to the caller's buffer, or reports its size.
template <typename Char, typename String>
int deliver(const String& result, Char* out, int outSize) {
  if (result.size() > static_cast<std::size_t>(INT32_MAX)) return fail(kInvalidParameter);
  const int size = static_cast<int>(result.size());
  if (outSize == 0) return size;
  if (size > outSize) return fail(kInsufficientBuffer);
  std::memcpy(out, result.data(), result.size() * sizeof(Char));
  return size;
}

}  // namespace

char16_t hvCp1250ToUnit(unsigned char byte) {
  return byte < 0x80 ? static_cast<char16_t>(byte) : kUpperHalf[byte - 0x80];
}

int hvCp1250FromUnit(char16_t unit) {
  if (unit == kUpperHalf[0xFF - 0x80]) return 0xFF;
  const std::uint8_t entry = reverseTable()[unit];
  return entry == 0 ? -1 : entry - 1;
}

std::u16string hvCp1250ToWide(std::string_view bytes) {
  std::u16string out(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = hvCp1250ToUnit(static_cast<unsigned char>(bytes[i]));
  return out;
}

std::string hvWideToCp1250(std::u16string_view text, bool* usedDefault, char defaultChar) {
  std::string out(text.size(), '\0');
  bool used = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int b = hvCp1250FromUnit(text[i]);
    if (b < 0) {
      used = true;
      out[i] = defaultChar;
    } else {
      out[i] = static_cast<char>(b);
    }
  }
  if (usedDefault) *usedDefault = used;
  return out;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR in, int inBytes, LPWSTR out,
                        int outUnits) {
  if (!in || inBytes == 0 || inBytes < -1 || outUnits < 0 || (outUnits > 0 && !out))
    return fail(kInvalidParameter);
  const std::string_view bytes(in, inBytes == -1 ? std::strlen(in) + 1 : static_cast<std::size_t>(inBytes));
  if (isCp1250(codePage)) return deliver(hvCp1250ToWide(bytes), out, outUnits);
  if (codePage == CP_UTF8) {
    if ((flags & MB_ERR_INVALID_CHARS) && !hvIsValidUtf8(bytes)) return fail(kNoUnicodeTranslation);
    return deliver(hvUtf8ToWide(bytes), out, outUnits);
  }
  return fail(kInvalidParameter);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR in, int inUnits, LPSTR out,
                        int outBytes, LPCSTR defaultChar, BOOL* usedDefault) {
  if (!in || inUnits == 0 || inUnits < -1 || outBytes < 0 || (outBytes > 0 && !out))
    return fail(kInvalidParameter);
  const std::u16string_view text(
      in, inUnits == -1 ? std::char_traits<char16_t>::length(in) + 1 : static_cast<std::size_t>(inUnits));
  if (isCp1250(codePage)) {
    bool used = false;
    const std::string result = hvWideToCp1250(text, &used, defaultChar ? *defaultChar : '?');
    const int written = deliver(result, out, outBytes);
    if (usedDefault && written > 0) *usedDefault = used ? TRUE : FALSE;
    return written;
  }
  if (codePage == CP_UTF8) {
    if (defaultChar || usedDefault) return fail(kInvalidParameter);
    if ((flags & WC_ERR_INVALID_CHARS) && !hvIsWellFormedUtf16(text)) return fail(kNoUnicodeTranslation);
    return deliver(hvWideToUtf8(text), out, outBytes);
  }
  return fail(kInvalidParameter);
}
