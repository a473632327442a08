#include "tests/host/entities/EntityTestLists.h"

#include <sstream>

#include "host/GroupCodeType.h"
#include "host/ResbufBuilder.h"

std::vector<int> codesOf(const resbuf* list) {
  std::vector<int> codes;
  for (; list != nullptr; list = list->next) codes.push_back(list->code);
  return codes;
}

std::string describe(const resbuf* list) {
  std::ostringstream out;
  for (; list != nullptr; list = list->next) {
    out << list->code << '=';
    switch (hvGroupCodeClass(list->code)) {
      case hvClassString:
        for (const char16_t* c = list->value.str; c && *c; ++c) out << (*c < 128 ? static_cast<char>(*c) : '?');
        break;
      case hvClassReal: out << list->value.real; break;
      case hvClassPoint: out << list->value.point[0] << ',' << list->value.point[1] << ',' << list->value.point[2]; break;
      case hvClassInt32: out << list->value.i32; break;
      case hvClassInt64: out << list->value.i64; break;
      default: out << list->value.i16; break;
    }
    out << '\n';
  }
  return out.str();
}

std::u16string textOf(const resbuf* list, int code) {
  for (; list != nullptr; list = list->next)
    if (list->code == code && list->value.str) return list->value.str;
  return {};
}

ownedChain dimensionList() {
  const double p0[3] = {0, 0, 0}, p1[3] = {300, 0, 0}, p2[3] = {150, 50, 0};
  return ownedChain(buildResbufList({
      {0, u"DIMENSION"}, {5, u"2A"},
      {102, u"{ACAD_XDICTIONARY"}, {360, u"2B"}, {102, u"}"},
      {102, u"{ACAD_REACTORS"}, {330, u"2C"}, {102, u"}"},
      {330, u"1F"}, {100, u"AcDbEntity"}, {8, u"KOTY"}, {62, 1}, {370, 25},
      {100, u"AcDbDimension"}, {2, u"*D1"}, {10, p2}, {11, p1}, {70, 32}, {3, u"EZDXF"},
      {100, u"AcDbAlignedDimension"}, {13, p0}, {14, p1},
      {1001, u"QEV_DATA"}, {1000, u"TPV1001-0001"}, {1070, 7}}));
}
