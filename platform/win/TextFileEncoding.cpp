#include "platform/win/TextFileEncoding.h"

#include "platform/win/CodePage.h"
#include "platform/win/Utf8.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

}  // namespace

HvDecodedText hvDecodeTextFile(std::string_view bytes) {
  HvDecodedText decoded;
  if (bytes.starts_with(kUtf16LeBom)) {
    decoded.encoding = HvTextEncoding::Utf16Le;
    bytes.remove_prefix(kUtf16LeBom.size());
    decoded.text.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < decoded.text.size(); ++i) {
      decoded.text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                              static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
  } else if (bytes.starts_with(kUtf8Bom) && hvIsValidUtf8(bytes.substr(kUtf8Bom.size()))) {
    decoded.encoding = HvTextEncoding::Utf8Bom;
    decoded.text = hvUtf8ToWide(bytes.substr(kUtf8Bom.size()));
  } else if (hvIsValidUtf8(bytes)) {
    decoded.encoding = HvTextEncoding::Utf8;
    decoded.text = hvUtf8ToWide(bytes);
  } else {
    decoded.encoding = HvTextEncoding::Cp1250;
    decoded.text = hvCp1250ToWide(bytes);
  }
  return decoded;
}

bool hvCanEncode(std::u16string_view text, HvTextEncoding encoding) {
  switch (encoding) {
    case HvTextEncoding::Utf16Le: return true;
    case HvTextEncoding::Cp1250: {
      bool usedDefault = false;
      hvWideToCp1250(text, &usedDefault);
      return !usedDefault;
    }
    default: return hvIsWellFormedUtf16(text);
  }
}

std::string hvEncodeTextFile(std::u16string_view text, HvTextEncoding encoding) {
  switch (encoding) {
    case HvTextEncoding::Utf16Le: {
      std::string bytes(kUtf16LeBom);
      bytes.reserve(bytes.size() + 2 * text.size());
      for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
      }
      return bytes;
    }
    case HvTextEncoding::Cp1250: return hvWideToCp1250(text);
    case HvTextEncoding::Utf8Bom: return std::string(kUtf8Bom) + hvWideToUtf8(text);
    default: return hvWideToUtf8(text);
  }
}
