#include "platform/cadhost/DescFormatterStub.h"

#include <algorithm>
#include <utility>

#include "platform/cadhost/CadHost.h"

namespace cadhost {

namespace {

bool isText(const resbuf* node) { return node->code == 1000 || node->code == 1001; }

std::u16string_view textOf(const resbuf* node) {
  return node->value.str != nullptr ? std::u16string_view(node->value.str) : std::u16string_view();
}

// The pairs of the list: from the first (1001 "QEV_DATA"), else from the
// start, two text nodes at a time until a node of another code.
std::vector<std::pair<std::u16string_view, std::u16string_view>> pairsOf(const resbuf* values) {
  const resbuf* start = values;
  for (const resbuf* node = values; node != nullptr; node = node->next) {
    if (node->code == 1001 && textOf(node) == u"QEV_DATA") {
      start = node;
      break;
    }
  }
  std::vector<std::pair<std::u16string_view, std::u16string_view>> pairs;
  for (const resbuf* node = start; node != nullptr && isText(node) && node->next != nullptr && isText(node->next);
       node = node->next->next)
    pairs.emplace_back(textOf(node), textOf(node->next));
  return pairs;
}

int formatDesc(char16_t* buffer, const resbuf* values, const char16_t* mask, int, int) {
  const std::u16string text = formatDescFromMask(values, mask != nullptr ? std::u16string_view(mask) : u"");
  std::size_t written = 0;
  if (buffer != nullptr) {
    written = std::min(text.size(), static_cast<std::size_t>(descFormatterBufferSize - 1));
    std::copy_n(text.data(), written, buffer);
    buffer[written] = u'\0';
  }
  if (CadHost* host = CadHost::current()) {
    JsonLine line;
    line.text("kind", "desc").text("function", "FormatDescFromMask").text("mask", mask ? mask : u"").text("answer", text);
    if (written < text.size()) line.integer("cutAt", static_cast<std::int64_t>(written));
    host->write(line);
  }
  return static_cast<int>(written);
}

}  // namespace

std::u16string formatDescFromMask(const resbuf* values, std::u16string_view mask) {
  const auto pairs = pairsOf(values);
  std::u16string out;
  std::size_t at = 0;
  while (at < mask.size()) {
    const std::size_t open = mask.find(u'%', at);
    const std::size_t close = open == std::u16string_view::npos ? open : mask.find(u'%', open + 1);
    if (close == std::u16string_view::npos) {
      out.append(mask.substr(at));
      break;
    }
    out.append(mask.substr(at, open - at));
    const std::u16string_view key = mask.substr(open + 1, close - open - 1);
    if (key.empty()) {
      out.push_back(u'%');
    } else {
      const auto found = std::find_if(pairs.begin(), pairs.end(), [&](const auto& p) { return p.first == key; });
      if (found != pairs.end()) out.append(found->second);
    }
    at = close + 1;
  }
  return out;
}

std::vector<HvModuleExport> descFormatterExports() {
  return {hvExport("FormatDescFromMask", HvFormatDescProc{formatDesc})};
}

}  // namespace cadhost
