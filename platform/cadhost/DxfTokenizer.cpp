#include "platform/cadhost/DxfTokenizer.h"

#include <charconv>
#include <cstring>

#include "platform/cadhost/DxfError.h"

namespace cadhost {

namespace {
std::string quoted(std::string_view text) {
  std::string out = "'";
  for (char c : text.substr(0, 40)) out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  if (text.size() > 40) out += "...";
  return out + "'";
}
}  // namespace

DxfTokenizer::DxfTokenizer(std::string_view data, std::string fileName)
    : data_(data), fileName_(std::move(fileName)) {}

void DxfTokenizer::fail(std::size_t line, const std::string& message) const {
  throw DxfError(fileName_, line, message);
}

bool DxfTokenizer::readLine(std::string_view& line) {
  if (pos_ >= data_.size()) return false;
  const std::size_t left = data_.size() - pos_;
  const std::size_t window = left < kMaxLineLength + 1 ? left : kMaxLineLength + 1;
  const char* start = data_.data() + pos_;
  const void* nl = std::memchr(start, '\n', window);
  std::size_t length;
  if (nl) {
    length = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
    pos_ += length + 1;
  } else if (left > kMaxLineLength) {
    fail(line_ + 1, "line longer than " + std::to_string(kMaxLineLength) + " bytes");
  } else {
    length = left;
    pos_ = data_.size();
  }
  ++line_;
  if (length > kMaxLineLength) fail(line_, "line longer than " + std::to_string(kMaxLineLength) + " bytes");
  if (length > 0 && start[length - 1] == '\r') --length;
  line = std::string_view(start, length);
  return true;
}

void DxfTokenizer::fill() {
  // Comments (999) may stand anywhere and are skipped.
  while (!haveAhead_) {
    if (!readPair()) return;
    if (ahead_.code == 999) haveAhead_ = false;
  }
}

bool DxfTokenizer::readPair() {
  std::string_view codeLine;
  if (!readLine(codeLine)) return false;
  const std::size_t codeLineNo = line_;
  std::string_view trimmed = codeLine;
  while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t')) trimmed.remove_prefix(1);
  while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.remove_suffix(1);
  int code = 0;
  auto r = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), code);
  const bool wholeLine = !trimmed.empty() && r.ptr == trimmed.data() + trimmed.size();
  if (wholeLine && r.ec == std::errc::result_out_of_range)
    // All digits (with a sign): shown as written, cut after 40.
    fail(codeLineNo, "group code out of range: " + std::string(trimmed.substr(0, 40)) + (trimmed.size() > 40 ? "..." : ""));
  if (!wholeLine || r.ec != std::errc()) fail(codeLineNo, "group code is not a number: " + quoted(codeLine));
  if (code < 0 || code > 32767) fail(codeLineNo, "group code out of range: " + std::to_string(code));
  std::string_view value;
  if (!readLine(value))
    fail(codeLineNo, "group code " + std::to_string(code) + " has no value line (the file is cut short)");
  ahead_ = DxfToken{code, value, codeLineNo};
  haveAhead_ = true;
  return true;
}

bool DxfTokenizer::atEnd() {
  fill();
  return !haveAhead_;
}

const DxfToken& DxfTokenizer::peek() {
  fill();
  if (!haveAhead_) fail(line_, "unexpected end of the file");
  return ahead_;
}

DxfToken DxfTokenizer::next() {
  peek();
  haveAhead_ = false;
  return ahead_;
}

}  // namespace cadhost
