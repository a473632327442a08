#include "host/items/itemPoints.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "host/items/ItemInsPoints.h"
#include "host/items/ItemXdata.h"

namespace {

// Reads the lines of a text one at a time.
class LineReader {
 public:
  explicit LineReader(std::u16string_view text) : text_(text) {}
  std::optional<std::u16string_view> next() {
    if (at_ >= text_.size()) return std::nullopt;
    std::size_t end = text_.find(u'\n', at_);
    if (end == std::u16string_view::npos) end = text_.size();
    std::u16string_view line = text_.substr(at_, end - at_);
    at_ = end + 1;
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    return line;
  }

 private:
  std::u16string_view text_;
  std::size_t at_ = 0;
};

// A decimal integer of the line (blanks around it allowed) within the range.
template <class Int>
std::optional<Int> integerOf(std::u16string_view line) {
  while (!line.empty() && (line.front() == u' ' || line.front() == u'\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == u' ' || line.back() == u'\t')) line.remove_suffix(1);
  if (line.empty() || line.size() > 20) return std::nullopt;
  char narrow[21] = {};
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] > 0x7F) return std::nullopt;
    narrow[i] = static_cast<char>(line[i]);
  }
  Int value{};
  const auto [end, error] = std::from_chars(narrow, narrow + line.size(), value);
  if (error != std::errc() || end != narrow + line.size()) return std::nullopt;
  return value;
}

void splitNames(itemConnectionPoint& point) {
  std::u16string group;
  std::u16string_view rest = point.names;
  for (;;) {
    const std::size_t slash = rest.find(u'/');
    const std::u16string_view part = rest.substr(0, slash);
    if (!part.empty() && part.front() == u'#') group = std::u16string(part.substr(1));
    else if (!part.empty()) point.groupNames.emplace_back(group, std::u16string(part));
    if (slash == std::u16string_view::npos) return;
    rest.remove_prefix(slash + 1);
  }
}

}  // namespace

bool parseItemPointText(std::u16string_view text, std::vector<itemConnectionPoint>& points) {
  LineReader lines(text);
  const std::optional<std::u16string_view> countLine = lines.next();
  const std::optional<std::int64_t> count = countLine ? integerOf<std::int64_t>(*countLine) : std::nullopt;
  if (!count || *count < 0) return false;
  // Each point takes four lines of the text, so the text bounds the loop
  // whatever number it states.
  for (std::int64_t i = 0; i < *count; ++i) {
    const auto names = lines.next();
    const auto first = lines.next();
    const auto second = lines.next();
    const auto flag = lines.next();
    if (!flag) break;
    const auto a = integerOf<std::int16_t>(*first);
    const auto b = integerOf<std::int16_t>(*second);
    if (!a || !b) break;
    itemConnectionPoint point;
    point.names = std::u16string(names->substr(0, kMaxItemPointNames));
    point.first = *a;
    point.second = *b;
    point.flag = flag->empty() ? char16_t{0} : flag->front();
    splitNames(point);
    points.push_back(std::move(point));
  }
  return true;
}

bool placeItemPoints(std::vector<itemConnectionPoint>& points, const resbuf* list) {
  XtGePoint2dArray positions;
  XtGeVector2dArray directions;
  if (!readInsPointVectors(positions, directions, list, nullptr)) return false;
  const std::size_t n = std::min<std::size_t>(positions.length(), directions.length());
  for (std::size_t i = 0; i < n; ++i) {
    if (i == points.size()) points.emplace_back();
    points[i].position = positions[static_cast<int>(i)];
    points[i].direction = directions[static_cast<int>(i)];
  }
  return true;
}

bool readItemPoints(std::vector<itemConnectionPoint>& points, const resbuf* list, const char16_t* text) {
  if (text == nullptr) {
    const resbuf* pairs = list ? findItemXdata(list) : nullptr;
    text = pairs ? xdataValueByKey(itemKey::points, pairs->next) : nullptr;
    if (text == nullptr) return false;
  }
  if (!parseItemPointText(text, points)) return false;
  if (list != nullptr) placeItemPoints(points, list);
  return true;
}

bool readDbItemPoints(std::vector<itemConnectionPoint>& points, const qevDatabase::Database& database,
                      std::int32_t numericId, int repeat) {
  const std::optional<std::u16string> text = database.pointText(numericId);
  if (!text) return false;
  repeat = std::clamp(repeat, 0, kMaxPointRepeat);
  for (int i = 0; i <= repeat; ++i)
    if (!parseItemPointText(*text, points)) return false;
  return true;
}
