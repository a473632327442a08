#include "tests/host/items/ItemTestLists.h"

#include "platform/win/StringCompare.h"
#include "platform/win/Utf8.h"

namespace itemtest {

ownedChain itemInsert(const std::u16string& header, const Pairs& pairs, std::vector<std::pair<double, double>> points,
                      std::vector<ResbufPair> extra) {
  std::vector<ResbufPair> groups = {{0, u"INSERT"}, {5, u"1A0"}, {8, u"RZ"}, {2, u"B"},
                                    {10, std::array<double, 3>{10.0, 20.0, 0.0}}, {1001, u"QEV_DATA"},
                                    {1000, header}};
  for (const auto& [key, value] : pairs) {
    groups.push_back({1000, key});
    groups.push_back({1000, value});
  }
  groups.push_back({1001, u"QEV_INSPT"});
  groups.push_back({1070, 7});
  for (const auto& [x, y] : points) {
    groups.push_back({1010, std::array<double, 3>{x, y, 0.0}});
    groups.push_back({1010, std::array<double, 3>{x + 1.0, y, 0.0}});
  }
  groups.insert(groups.end(), extra.begin(), extra.end());
  return ownedChain(buildResbufList(groups));
}

Pairs dataPairs(const resbuf* list) {
  Pairs pairs;
  const resbuf* node = list;
  while (node && !(node->code == 1001 && hvCompareNoCaseLetters(node->value.str, u"QEV_DATA") == 0)) node = node->next;
  if (!node || !node->next) return pairs;
  for (node = node->next->next; node && node->code == 1000 && node->next && node->next->code == 1000;
       node = node->next->next)
    pairs.emplace_back(node->value.str, node->next->value.str);
  return pairs;
}

int appCount(const resbuf* list, const char16_t* app) {
  int count = 0;
  for (; list; list = list->next)
    count += list->code == 1001 && hvCompareNoCaseLetters(list->value.str, app) == 0;
  return count;
}

std::vector<std::string> appBlock(const resbuf* list, const char16_t* app) {
  std::vector<std::string> lines;
  bool in = false;
  for (; list; list = list->next) {
    if (list->code == 1001) in = hvCompareNoCaseLetters(list->value.str, app) == 0;
    if (!in) continue;
    std::string line = std::to_string(list->code) + ":";
    if (list->code == 1000 || list->code == 1001 || list->code == 1005) line += hvWideToUtf8(list->value.str);
    else if (list->code == 1070) line += std::to_string(list->value.i16);
    else if (list->code == 1010)
      for (double v : list->value.point) line += std::to_string(v) + ",";
    lines.push_back(line);
  }
  return lines;
}

}  // namespace itemtest
