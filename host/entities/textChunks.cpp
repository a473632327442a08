#include "host/entities/textChunks.h"

namespace {
bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }
}  // namespace

std::u16string_view cutTextAt(std::u16string_view text, std::size_t length) {
  if (text.size() <= length) return text;
  std::size_t end = length;
  if (end > 0 && isHighSurrogate(text[end - 1]) && isLowSurrogate(text[end])) --end;
  return text.substr(0, end);
}

std::vector<std::u16string_view> splitTextChunks(std::u16string_view text) {
  std::vector<std::u16string_view> chunks;
  chunks.reserve(text.size() / textChunkLength + 1);
  while (!text.empty()) {
    std::u16string_view chunk = cutTextAt(text, textChunkLength);
    if (chunk.empty()) chunk = text.substr(0, 1);  // only with a length below 2
    chunks.push_back(chunk);
    text.remove_prefix(chunk.size());
  }
  return chunks;
}

void appendTextChunks(std::vector<ResbufPair>& pairs, std::u16string_view text, bool atLeastOne) {
  const std::vector<std::u16string_view> chunks = splitTextChunks(text);
  if (chunks.empty() && atLeastOne) pairs.push_back({1, std::u16string_view()});
  for (std::size_t i = 0; i < chunks.size(); ++i) pairs.push_back({i == 0 ? 1 : 3, chunks[i]});
}

bool joinTextChunks(const resbuf* first, const resbuf* end, std::u16string& text) {
  bool found = false;
  text.clear();
  for (const resbuf* node = first; node != nullptr && node != end; node = node->next) {
    if (node->code != 1 && node->code != 3) continue;
    found = true;
    if (node->value.str != nullptr) text += node->value.str;
  }
  return found;
}
