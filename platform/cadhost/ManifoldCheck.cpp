#include "platform/cadhost/ManifoldCheck.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "platform/win/StringCompare.h"

namespace cadhost {

namespace {

constexpr std::u16string_view kManifoldItems[] = {u"TOT0000-0023", u"TOT0000-0001"};
// The item whose outline has an inner segment and needs six points.
constexpr std::u16string_view kSixPointManifold = u"TOT0000-0001";

bool sameName(std::u16string_view a, std::u16string_view b) { return hvCompareNoCaseAscii(a, b) == 0; }

// The groups of one application's extended data: [begin, end) after its
// 1001 group; found false when the list has none.
struct AppData {
  bool found = false;
  std::size_t begin = 0;
  std::size_t end = 0;
};

AppData appData(const GroupList& list, std::u16string_view name) {
  for (std::size_t i = xdataStart(list); i < list.size(); ++i) {
    if (list[i].code() != 1001 || !sameName(list[i].asText(), name)) continue;
    std::size_t end = i + 1;
    while (end < list.size() && list[end].code() != 1001) ++end;
    return {true, i + 1, end};
  }
  return {};
}

bool isText(const GroupList& list, std::size_t i, std::size_t end) { return i < end && list[i].code() == 1000; }

// Reads a table header "E@CxR": true for any text beginning "E@", with
// `cells` C x R when both numbers read, else 0.
bool tableHeader(std::u16string_view header, std::size_t& cells) {
  cells = 0;
  if (!header.starts_with(u"E@")) return false;
  std::size_t at = 2;
  const auto decimal = [&](std::size_t& value) {
    const std::size_t first = at;
    value = 0;
    while (at < header.size() && at - first < 9 && header[at] >= u'0' && header[at] <= u'9')
      value = value * 10 + static_cast<std::size_t>(header[at++] - u'0');
    return at > first;
  };
  std::size_t cols = 0;
  std::size_t rows = 0;
  if (decimal(cols) && at < header.size() && header[at] == u'x' && (++at, decimal(rows))) cells = cols * rows;
  return true;
}

// The item QEV_DATA names, or why it names none (appended to `misses`).
std::u16string namedItem(const GroupList& list, std::vector<std::string>& misses) {
  const AppData data = appData(list, u"QEV_DATA");
  if (!data.found) {
    misses.push_back("it has no QEV_DATA extended data (1001 QEV_DATA)");
    return {};
  }
  if (!isText(list, data.begin, data.end)) {
    misses.push_back("its QEV_DATA has no header (a 1000 text right after 1001 QEV_DATA)");
    return {};
  }
  const std::u16string& header = list[data.begin].asText();
  std::size_t cells = 0;
  if (!tableHeader(header, cells)) return header;
  const std::size_t held = data.end - data.begin - 1;
  if (held < cells) {
    misses.push_back("its QEV_DATA header " + utf16ToUtf8(header) + " promises " + std::to_string(cells) +
                     " table texts, and the block holds " + std::to_string(held));
    return {};
  }
  for (std::size_t i = data.begin + 1 + cells; isText(list, i, data.end) && isText(list, i + 1, data.end); i += 2)
    if (sameName(list[i].asText(), u"_QEVITEM_ID")) return list[i + 1].asText();
  misses.push_back("its QEV_DATA names no item: no _QEVITEM_ID pair follows the table of its header " +
                   utf16ToUtf8(header));
  return {};
}

// The starts of the block's LINEs, ARCs and LWPOLYLINE segments.
std::size_t connectionPoints(const Drawing& drawing, const BlockDefinition& block) {
  std::size_t points = 0;
  for (RecordId id : block.entities) {
    if (!drawing.isLive(id)) continue;
    const DrawingRecord& entity = drawing.record(id);
    if (entity.type() == u"LINE" || entity.type() == u"ARC") {
      ++points;
    } else if (entity.type() == u"LWPOLYLINE") {
      const auto vertices = static_cast<std::size_t>(
          std::count_if(entity.list.begin(), entity.list.end(), [](const Group& g) { return g.code() == 10; }));
      const bool closed = (groupInt(entity.list, 70) & 1) != 0 && vertices > 1;
      points += closed ? vertices : std::max<std::size_t>(vertices, 1) - 1;
    }
  }
  return points;
}

void checkRecord(const std::u16string& item, const qevDatabase::ProductDatabases* products,
                 const std::string& productsSource, std::vector<std::string>& misses) {
  const std::string named = utf16ToUtf8(item);
  if (products == nullptr) {
    misses.push_back("the run has no product file (--products none), so item " + named + " has no record");
    return;
  }
  const qevDatabase::Database* database = products->find(item.front());
  if (database == nullptr)
    misses.push_back("the product file " + productsSource + " has no profession " + utf16ToUtf8(item.substr(0, 1)) +
                     ", so item " + named + " has no record");
  else if (database->find(item) == nullptr)
    misses.push_back("item " + named + " has no record in the product file " + productsSource);
}

}  // namespace

std::vector<std::string> manifoldMisses(const Drawing& drawing, RecordId insert,
                                        const qevDatabase::ProductDatabases* products,
                                        const std::string& productsSource) {
  std::vector<std::string> misses;
  const GroupList& list = drawing.record(insert).list;
  const std::u16string item = namedItem(list, misses);
  if (!item.empty()) {
    if (std::none_of(std::begin(kManifoldItems), std::end(kManifoldItems),
                     [&](std::u16string_view known) { return sameName(item, known); }))
      misses.push_back("its QEV_DATA names item " + utf16ToUtf8(item) +
                       ", which is not a floor-heating manifold (TOT0000-0023 or TOT0000-0001)");
    checkRecord(item, products, productsSource, misses);
  }
  if (!appData(list, u"QEV_INSPT").found) misses.push_back("it has no QEV_INSPT extended data (1001 QEV_INSPT)");
  const std::u16string name(groupText(list, 2));
  const std::optional<std::size_t> block = drawing.findBlock(name);
  if (!block) {
    misses.push_back("its block " + utf16ToUtf8(name) + " is not in the drawing");
    return misses;
  }
  const std::size_t needed = sameName(item, kSixPointManifold) ? 6 : 4;
  const std::size_t points = connectionPoints(drawing, drawing.block(*block));
  if (points < needed)
    misses.push_back("its block " + utf16ToUtf8(name) + " gives " + std::to_string(points) +
                     " connection points (the starts of its LINEs, ARCs and LWPOLYLINE segments), fewer than the " +
                     std::to_string(needed) + (needed == 6 ? " of item TOT0000-0001" : " a manifold needs"));
  return misses;
}

}  // namespace cadhost
