// The encodings of the text files the profile services read and write, and
// their line ends. A file is read as UTF-16LE when it starts with that byte
// order mark, else as UTF-8 when its bytes are well-formed UTF-8 (with or
// without a byte order mark), else as code page 1250.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class HvTextEncoding : std::uint8_t { Utf8, Utf8Bom, Utf16Le, Cp1250 };

struct HvDecodedText {
  HvTextEncoding encoding = HvTextEncoding::Utf8;
  std::u16string text;
};

HvDecodedText hvDecodeTextFile(std::string_view bytes);

// True when `text` can be written in `encoding` without loss.
bool hvCanEncode(std::u16string_view text, HvTextEncoding encoding);

// The bytes of `text` in `encoding`, byte order mark included. Units the
// encoding cannot hold become '?' (code page 1250) or U+FFFD (UTF-8); ask
// hvCanEncode first.
std::string hvEncodeTextFile(std::u16string_view text, HvTextEncoding encoding);
