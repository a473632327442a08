#include "host/fieldNameTable.h"

#include <gtest/gtest.h>

namespace {

class TableSource : public HvUserParamSource {
 public:
  CUserParams enumNames(std::u16string_view table) const override {
    if (table != u"PARS") return {};
    return {{u"_LABEL", u"Popis"}, {u"_MATERIAL", u"PE-X"}, {u"_LABEL", u"second"},
            {u"_QAPPENDIX", std::u16string(2000, u'x')}, {u"_label", u"case differs"}};
  }
};

}  // namespace

TEST(fieldNameTable, FillsOnceFromTheTableInTheNamesOrder) {
  clearFieldNameTable();
  EXPECT_EQ(std::u16string(fieldNameAt(0)), u"_MATERIAL");
  EXPECT_EQ(std::u16string(fieldNameAt(18)), u"_QAPPENDIX");
  EXPECT_EQ(fieldNameAt(19), nullptr);
  EXPECT_EQ(fieldNameAt(-1), nullptr);

  const TableSource source;
  EXPECT_FALSE(fillFieldNameTable(nullptr, u"PARS"));
  ASSERT_TRUE(fillFieldNameTable(&source, u"PARS"));
  EXPECT_EQ(fieldTextAt(0), u"PE-X");
  EXPECT_EQ(fieldTextAt(1), u"Popis");
  EXPECT_EQ(fieldTextAt(2), u"");
  EXPECT_EQ(fieldTextAt(18).size(), fieldTextMaxUnits);
  EXPECT_EQ(fieldTextAt(19), u"");
  // Filled once: a second fill changes nothing while the first text stands.
  EXPECT_FALSE(fillFieldNameTable(&source, u"OTHER"));
  EXPECT_EQ(fieldTextAt(0), u"PE-X");
  clearFieldNameTable();
  EXPECT_TRUE(fillFieldNameTable(&source, u"OTHER"));
  EXPECT_EQ(fieldTextAt(1), u"");
  clearFieldNameTable();
}
