// Text of a DXF file to and from UTF-16. From AC1021 files are UTF-8; bytes
// that are not UTF-8 are kept as the lone surrogates U+DC80..U+DCFF and
// written back as the same bytes, so nothing is lost. Before AC1021 the text is
// in the drawing's $DWGCODEPAGE, and characters the code page cannot hold are
// written as \U+XXXX escapes.
#pragma once

#include <string>
#include <string_view>

namespace cadhost {

class DxfTextCodec {
 public:
  static DxfTextCodec utf8();
  // ANSI_1250 and ANSI_1252 are known; any other code page reads and writes
  // ASCII only (non-ASCII characters are then written as escapes).
  static DxfTextCodec forCodePage(std::string_view dwgCodePage);
  // The codec of a drawing of version `acadVersion` ("AC1015" ...).
  static DxfTextCodec forDrawing(std::string_view acadVersion, std::string_view dwgCodePage);

  bool isUtf8() const { return table_ == nullptr && !asciiOnly_; }
  const std::string& name() const { return name_; }

  // Appends the UTF-16 text of `bytes`. False when the code page has no
  // reading for a byte (only for an unknown code page). With `escapes` false
  // the \U+XXXX escapes of a code-page file stay as they are.
  bool decode(std::string_view bytes, std::u16string& out, bool escapes = true) const;
  // Replaces the \U+XXXX escapes of `text` from index `from` on.
  static void decodeEscapes(std::u16string& text, std::size_t from = 0);
  // Appends the file bytes of `text`.
  void encode(std::u16string_view text, std::string& out) const;

 private:
  DxfTextCodec(std::string name, const char16_t* table, bool asciiOnly)
      : name_(std::move(name)), table_(table), asciiOnly_(asciiOnly) {}

  bool decodeSingleByte(std::string_view bytes, std::u16string& out, bool escapes) const;
  void encodeSingleByte(std::u16string_view text, std::string& out) const;

  std::string name_;
  const char16_t* table_;  // 256 units of a single-byte code page, or null
  bool asciiOnly_;
};

}  // namespace cadhost
