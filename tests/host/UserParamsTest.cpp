// User parameters from a product database or the INFO section of a file.
#include <gtest/gtest.h>

#include "host/UserParams.h"
#include "tests/support/TestFolder.h"

namespace {

class Database : public HvUserParamSource {
 public:
  CUserParams enumNames(std::u16string_view table) const override {
    if (table != u"PARS") return {};
    return {{u"Vyrobce", u"Havlen"}, {u"vyrobce", u"other"}, {u"Dlouhy", std::u16string(3000, u'x')}};
  }
};

TEST(UserParams, DatabaseFirstThenInfoSection) {
  TestFolder folder;
  const std::u16string file = folder.write("params.ini", "[INFO]\r\nVyrobce=Soubor\r\nJen=v souboru\r\n").u16string();
  const Database db;
  EXPECT_EQ(getUserParam(&db, u"Vyrobce", u"-", file.c_str()), u"Havlen");
  EXPECT_EQ(getUserParam(&db, u"vyrobce", u"-", file.c_str()), u"other");  // exact case
  EXPECT_EQ(getUserParam(&db, u"Jen", u"-", file.c_str()), u"v souboru");
  EXPECT_EQ(getUserParam(&db, u"Nic", u"-", file.c_str()), u"-");
  EXPECT_EQ(getInfoParam(u"Vyrobce", u"-", file.c_str()), u"Soubor");
  EXPECT_EQ(getInfoParam(u"Vyrobce", u"-", nullptr), u"-");
  EXPECT_EQ(getUserParamByLetter(u"Txx", u"Vyrobce", u"none"), u"none");  // no host
}

TEST(UserParams, ValueLongerThanTheBufferIsCut) {
  const Database db;
  char16_t out[10];
  EXPECT_EQ(getUserParam(&db, u"Dlouhy", u"", out, 10, nullptr), 9);
  EXPECT_EQ(std::u16string(out), std::u16string(9, u'x'));
  EXPECT_EQ(getUserParam(&db, u"Dlouhy", u"", nullptr, 10, nullptr), 0);
  TestFolder folder;
  const std::u16string file = folder.write("long.ini", "[INFO]\r\nK=" + std::string(5000, 'y') + "\r\n").u16string();
  EXPECT_EQ(getInfoParam(u"K", u"", file.c_str()).size(), 5000u);  // read whole
}

}  // namespace
