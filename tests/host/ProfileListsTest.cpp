// Numbered profile lists, two-level reads and the layout file's folder.
#include "host/ProfileLists.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/CSplitText.h"
#include "host/DialogsIni.h"
#include "host/prf_store2.h"
#include "tests/support/TestFolder.h"

namespace {

class ProfileLists : public ::testing::Test {
 protected:
  std::u16string path(const char* name) const { return dir.windows(name); }
  void writeFile(const char* name, const std::string& text) const { dir.write(name, text); }

  TestFolder dir;
};

struct Call {
  std::u16string first;
  bool hasFirst;
  std::u16string rest;
  int kind;
};

std::vector<Call> collect(const def_store& files, LPCWSTR section, LPCWSTR key, LPCWSTR prefix, DWORD flags,
                          int stopAfter = 1000) {
  std::vector<Call> calls;
  readIniList(files, section, key, prefix, flags, [&](LPCWSTR first, LPCWSTR rest, int kind) {
    calls.push_back({first ? first : u"", first != nullptr, rest, kind});
    return static_cast<int>(calls.size()) < stopAfter;
  });
  return calls;
}

TEST_F(ProfileLists, TheMaskComesFromTheFirstFileThatHoldsIt) {
  writeFile("heat.dat", "[DESC_FLOORHEATING]\r\nOTHER=1\r\n");
  writeFile("set.dat", "[DESC_FLOORHEATING]\r\nMASK_FLOORHEATING=\r\n");
  writeFile("qev.ini", "[DESC_FLOORHEATING]\r\nMASK_FLOORHEATING=<_NAME> <_DIM>\r\n");
  def_store files;
  files.setPaths(path("heat.dat").c_str(), path("set.dat").c_str(), u"DESC_FLOORHEATING");
  ASSERT_TRUE(files.open(path("qev.ini").c_str(), u"DESC_FLOORHEATING"));
  const std::vector<Call> calls = collect(files, u"DESC_FLOORHEATING", u"MASK_FLOORHEATING", u"MASK", 2);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_FALSE(calls[0].hasFirst);
  EXPECT_EQ(calls[0].rest, u"<_NAME> <_DIM>");
  EXPECT_EQ(calls[0].kind, 2);

  writeFile("heat.dat", "[DESC_FLOORHEATING]\r\nMASK_FLOORHEATING=$EMPTY$x\r\n");
  EXPECT_EQ(collect(files, u"DESC_FLOORHEATING", u"MASK_FLOORHEATING", u"MASK", 2).at(0).rest, u"$EMPTY$x");
  EXPECT_TRUE(collect(files, u"NOWHERE", u"MASK_FLOORHEATING", u"MASK", 2).empty());
}

TEST_F(ProfileLists, NumberedEntriesStopAtTheFirstGap) {
  writeFile("list.dat", "[L]\r\nM0=a;b;c\r\nM1=solo\r\nM3=after the gap\r\n");
  const def_store files(path("list.dat").c_str(), u"L");
  const std::vector<Call> calls = collect(files, u"L", nullptr, u"M", 1);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].first, u"a");
  EXPECT_EQ(calls[0].rest, u"bc");
  EXPECT_EQ(calls[0].kind, 1);
  EXPECT_EQ(calls[1].first, u"solo");
  EXPECT_EQ(calls[1].rest, u"");
  EXPECT_EQ(collect(files, u"L", nullptr, u"M", 1, 1).size(), 1u);  // the callback ends it
  EXPECT_EQ(collect(files, u"L", u"M3", u"M", 3).size(), 3u);
}

struct Items : profileListTarget {
  std::vector<std::pair<CString, CString>> items;
  void addItem(const CString& text, std::unique_ptr<CString> data) override {
    items.emplace_back(text, data ? *data : CString(u"<none>"));
  }
};

TEST_F(ProfileLists, FillsAListFromTheFileOrItsFallback) {
  writeFile("user.dat", "[P]\r\nMAT_0=PE-X;0.35\r\nMAT_1=Cu\r\nMAT_2=NONE\r\nMAT_3=lost\r\n");
  writeFile("defaults.dat", "[D]\r\nM0=Al;2.0\r\n");
  const def_store user(path("user.dat").c_str(), u"P");
  Items items;
  EXPECT_EQ(fillListFromProfile(user, u"P", u"D", u"MAT", u"M", items, 10, path("defaults.dat").c_str()), 2);
  ASSERT_EQ(items.items.size(), 2u);
  EXPECT_EQ(items.items[0], std::make_pair(CString(u"PE-X"), CString(u"0.35")));
  EXPECT_EQ(items.items[1], std::make_pair(CString(u"Cu"), CString(u"<none>")));

  const def_store empty(path("none.dat").c_str(), u"P");
  Items fallback;
  EXPECT_EQ(fillListFromProfile(empty, u"P", u"D", u"MAT", u"M", fallback, 10, path("defaults.dat").c_str()), 1);
  EXPECT_EQ(fallback.items.at(0).first, u"Al");
  Items bounded;
  EXPECT_EQ(fillListFromProfile(user, u"P", u"D", u"MAT", u"M", bounded, 1, nullptr), 1);
}

TEST_F(ProfileLists, TwoLevelReadsTellAStoredMinusOneFromAnAbsentKey) {
  writeFile("first.dat", "[A]\r\nMinus=-1\r\nEmpty=\r\nName=none\r\nText=own\r\n");
  writeFile("second.dat", "[B]\r\nOther=7\r\nName2=from second\r\n");
  const def_store files(path("first.dat").c_str(), u"A", path("second.dat").c_str(), u"B");
  EXPECT_EQ(getProfileIntWithFallback(files, u"A", u"B", u"Minus", u"Other", 5), -1);
  EXPECT_EQ(getProfileIntWithFallback(files, u"A", u"B", u"Missing", u"Other", 5), 7);
  EXPECT_EQ(getProfileIntWithFallback(files, u"A", u"B", u"Empty", u"Other", 5), 7);
  EXPECT_EQ(getProfileIntWithFallback(files, u"A", u"B", u"Missing", u"Missing", 5), 5);

  CString out(u"keep");
  EXPECT_FALSE(getProfileStringWithFallback(files, u"A", u"B", u"Empty", u"Name2", u"d", out));
  EXPECT_EQ(out, u"keep");
  ASSERT_TRUE(getProfileStringWithFallback(files, u"A", u"B", u"Name", u"Name2", u"d", out));
  EXPECT_EQ(out, u"from second");
  ASSERT_TRUE(getProfileStringWithFallback(files, u"A", u"B", u"Text", u"Name2", u"d", out));
  EXPECT_EQ(out, u"own");
  ASSERT_TRUE(getProfileStringWithFallback(files, u"A", u"B", u"Missing", u"Missing", u"d", out));
  EXPECT_EQ(out, u"d");

  ASSERT_TRUE(writeIniString(files, u"A", u"New", u"v"));
  CString back;
  ASSERT_TRUE(getProfileStringWithFallback(files, u"A", u"B", u"New", u"x", u"d", back));
  EXPECT_EQ(back, u"v");
}

TEST(CSplitText, PiecesBetweenSeparators) {
  CSplitText parts;
  EXPECT_EQ(parts.split(CString(u"a;;b;"), u";"), 3);
  EXPECT_EQ(parts[1], u"");
  EXPECT_EQ(parts[2], u"b");
  EXPECT_EQ(parts.split(CString(u"x--y"), u"--"), 2);
  EXPECT_EQ(parts.split(CString(u"abc"), u""), 0);
  EXPECT_TRUE(parts.IsEmpty());
  EXPECT_EQ(parts.split(CString(u""), u";"), 0);
}

TEST_F(ProfileLists, DialogsIniGoesIntoAFreshFolderTree) {
  CString layouts(u"unchanged");
  EXPECT_TRUE(setDialogsIniFolder(layouts, u""));
  EXPECT_EQ(layouts, u"unchanged");
  const std::u16string folder = dir.windows() + u"\\Qev\\Layouts\\Monitors\\\\/";
  ASSERT_TRUE(setDialogsIniFolder(layouts, folder.c_str()));
  EXPECT_EQ(layouts.str(), dir.windows() + u"\\Qev\\Layouts\\Monitors\\dialogs.ini");
  prf_store2 store(layouts, u"CFloorHeatingDlgComplex");
  ASSERT_EQ(store.writeString(u"1920x1080", u"10 20 800 600"), storeStatus::ok);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "Qev" / "Layouts" / "Monitors" / "dialogs.ini"));

  writeFile("plain", "not a folder");
  const std::u16string blocked = dir.windows() + u"\\plain\\sub";
  EXPECT_FALSE(setDialogsIniFolder(layouts, blocked.c_str()));
  EXPECT_EQ(layouts.str(), dir.windows() + u"\\Qev\\Layouts\\Monitors\\dialogs.ini");
}

}  // namespace
