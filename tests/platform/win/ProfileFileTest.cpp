#include "platform/win/ProfileFile.h"

#include "platform/win/FileErrors.h"
#include "platform/win/LastError.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace fs = std::filesystem;

namespace {

class ProfileFile : public ::testing::Test {
 protected:
  // The file as the module names it: backslashes and a different case.
  std::u16string file(const char* name = "Settings.ini") const {
    std::u16string upper;
    for (const char* c = name; *c; ++c) upper += static_cast<char16_t>(*c >= 'a' && *c <= 'z' ? *c - 32 : *c);
    return tmp.windows() + u"\\" + upper;
  }

  std::u16string read(const char16_t* section, const char16_t* key, const char16_t* def = u"$EMPTY$",
                      DWORD size = 1024) {
    std::u16string buffer(size, u'#');
    const DWORD n = GetPrivateProfileStringW(section, key, def, buffer.data(), size, file().c_str());
    EXPECT_EQ(buffer[n], 0) << "terminator after the answer";
    return buffer.substr(0, n);
  }

  TestFolder tmp;
};

}  // namespace

TEST_F(ProfileFile, NamesIgnoreCaseAndTheFirstMatchWins) {
  tmp.write("Settings.ini", "[FH_Page_Calc]\r\nCb_T_Ti=20\r\ncb_t_ti=21\r\n[fh_page_calc]\r\nCB_T_TDI=15\r\n"
                      "[\xC4\x8C\xC3\x81ST]\r\n\xC4\x8C\xC3\x8DSLO=1\r\n");
  EXPECT_EQ(read(u"FH_PAGE_CALC", u"CB_T_TI"), u"20");
  EXPECT_EQ(read(u"FH_PAGE_CALC", u"CB_T_TDI"), u"$EMPTY$");  // only the first section counts
  EXPECT_EQ(read(u"\u010D\u00E1st", u"\u010D\u00EDslo"), u"1");
}

TEST_F(ProfileFile, ValuesAreTrimmedAndLoseOnePairOfQuotes) {
  tmp.write("Settings.ini", "[S]\r\n  A  =  a b  \r\nB=\"quoted \"\r\nC='x'\r\nD=\"\"x\"\"\r\nE=\"open\r\n"
                      "F=\r\nG=   \r\nno equals sign\r\n;H=comment\r\n  ;I=comment\r\n");
  // Present but empty (F, G) is "", never the default; the rest is absent.
  for (const auto& [key, value] : {std::pair(u"A", u"a b"), {u"B", u"quoted "}, {u"C", u"x"}, {u"D", u"\"x\""},
                                   {u"E", u"\"open"}, {u"F", u""}, {u"G", u""}, {u"no equals sign", u"$EMPTY$"},
                                   {u"H", u"$EMPTY$"}, {u"I", u"$EMPTY$"}})
    EXPECT_EQ(read(u"S", key), value);
}

TEST_F(ProfileFile, AbsenceGivesTheCallersDefault) {
  tmp.write("Settings.ini", "[S]\r\nK=#INVALID#\r\n");
  for (const char16_t* marker : {u"$EMPTY$", u"#INVALID#", u"NONE", u"##"}) {
    EXPECT_EQ(read(u"S", u"MISSING", marker), marker);
    EXPECT_EQ(read(u"NO_SECTION", u"K", marker), marker);
  }
  EXPECT_EQ(read(u"S", u"MISSING", u"NONE  "), u"NONE");  // trailing blanks go
  EXPECT_EQ(read(u"S", u"MISSING", nullptr), u"");
  // A value that is literally the marker: found with either default.
  EXPECT_EQ(read(u"S", u"K", u"#INVALID#"), u"#INVALID#");
  EXPECT_EQ(read(u"S", u"K", u""), u"#INVALID#");

  WCHAR buffer[16];
  EXPECT_EQ(GetPrivateProfileStringW(u"S", u"K", u"##", buffer, 16, (tmp.windows() + u"\\none.ini").c_str()), 2u);
  EXPECT_EQ(std::u16string(buffer), u"##");
  EXPECT_EQ(GetPrivateProfileStringW(u"S", u"K", u"##", buffer, 16,
                                     (tmp.windows() + u"\\no\\folder\\x.ini").c_str()), 2u);
}

TEST_F(ProfileFile, LongValuesAreCutToSizeMinusOne) {
  tmp.write("Settings.ini", "[S]\r\nBIN=00000002ABCD\r\nLONG=" + std::string(2000, 'x') + "\r\n");
  // The byte-block reader: 9 units give exactly the 8 digits of the count,
  // then 2n + 10 units give exactly 2n + 8.
  EXPECT_EQ(read(u"S", u"BIN", u"$EMPTY$", 9), u"00000002");
  EXPECT_EQ(read(u"S", u"BIN", u"$EMPTY$", 14), u"00000002ABCD");
  // The doubling reader: the length reaches size - 1 until the buffer holds all.
  EXPECT_EQ(read(u"S", u"LONG", u"$EMPTY$", 1024).size(), 1023u);
  EXPECT_EQ(read(u"S", u"LONG", u"$EMPTY$", 2048).size(), 2000u);
  EXPECT_EQ(read(u"S", u"MISSING", u"$EMPTY$", 4), u"$EM");
  EXPECT_EQ(read(u"S", u"BIN", u"", 1), u"");
  EXPECT_EQ(GetPrivateProfileStringW(u"S", u"BIN", u"", nullptr, 0, file().c_str()), 0u);
}

TEST_F(ProfileFile, IntegersReadTheLeadingNumber) {
  tmp.write("Settings.ini", "[S]\r\nA=42abc\r\nB=abc\r\nC=\r\nD=-1\r\nE= 7 \r\nF=99999999999\r\n");
  const std::u16string f = file();
  for (const auto& [key, value] : {std::pair(u"A", 42u), {u"B", 0u}, {u"C", 5u}, {u"D", 0xFFFFFFFFu}, {u"E", 7u},
                                   {u"F", 0x7FFFFFFFu}})
    EXPECT_EQ(GetPrivateProfileIntW(u"S", key, 5, f.c_str()), value);
  EXPECT_EQ(GetPrivateProfileIntW(u"S", u"MISSING", -1, f.c_str()), 0xFFFFFFFFu);
}

TEST_F(ProfileFile, WritesKeepEveryOtherLine) {
  const std::string original =
      "; settings\r\n[A]\r\nX=1\r\n  y = 2\r\nX=3\r\n\r\n[B]\n\tZ=4\n\n[C]\r\nW=5";
  tmp.write("Settings.ini", original);
  const std::u16string f = file();
  ASSERT_TRUE(WritePrivateProfileStringW(u"a", u"Y", u"  twenty two ", f.c_str()));
  EXPECT_EQ(tmp.read("Settings.ini"),
            "; settings\r\n[A]\r\nX=1\r\n  y=  twenty two \r\nX=3\r\n\r\n[B]\n\tZ=4\n\n[C]\r\nW=5");
  EXPECT_EQ(read(u"A", u"y"), u"twenty two");

  ASSERT_TRUE(WritePrivateProfileStringW(u"B", u"NEW", u"6", f.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringW(u"C", u"V", u"7", f.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringW(u"D", u"U", u"8", f.c_str()));
  EXPECT_EQ(tmp.read("Settings.ini"),
            "; settings\r\n[A]\r\nX=1\r\n  y=  twenty two \r\nX=3\r\n\r\n[B]\n\tZ=4\nNEW=6\r\n\n"
            "[C]\r\nW=5\r\nV=7\r\n[D]\r\nU=8\r\n");

  ASSERT_TRUE(WritePrivateProfileStringW(u"A", u"X", nullptr, f.c_str()));  // removes the first X
  EXPECT_EQ(read(u"A", u"X"), u"3");
  ASSERT_TRUE(WritePrivateProfileStringW(u"B", nullptr, nullptr, f.c_str()));
  EXPECT_EQ(read(u"B", u"Z"), u"$EMPTY$");
  EXPECT_EQ(read(u"C", u"W"), u"5");
}

TEST_F(ProfileFile, NewFilesAreUtf8WithCrLfButFoldersAreNotCreated) {
  ASSERT_TRUE(WritePrivateProfileStringW(u"FH_DLG_MAIN", u"CB_DISTR", u"Rozd\u011Blova\u010D", file("new.ini").c_str()));
  EXPECT_EQ(tmp.read("NEW.INI"), "[FH_DLG_MAIN]\r\nCB_DISTR=Rozd\xC4\x9Blova\xC4\x8D\r\n");

  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"K", u"v", (tmp.windows() + u"\\missing\\x.ini").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(fs::exists(tmp.path() / "missing"));
}

TEST_F(ProfileFile, TextsThatWouldBreakTheFileAreRefused) {
  tmp.write("Settings.ini", "[S]\r\nK=1\r\n");
  const std::u16string f = file();
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"K", u"1\r\n[Other]\r\nX=2", f.c_str()));
  EXPECT_EQ(GetLastError(), 87u);
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"A=B", u"1", f.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringW(u"S]", u"A", u"1", f.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringW(nullptr, u"A", u"1", f.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"A", u"1", nullptr));
  EXPECT_EQ(tmp.read("Settings.ini"), "[S]\r\nK=1\r\n");
}

TEST_F(ProfileFile, EncodingAndLineEndsAreKept) {
  // UTF-16LE with its byte order mark, LF line ends.
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("[S]\nK=1\n")) utf16 += std::string{c, '\0'};
  tmp.write("u16.ini", utf16);
  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"L", u"\u017E", file("u16.ini").c_str()));
  std::string expected = "\xFF\xFE";
  for (char c : std::string("[S]\nK=1\nL=")) expected += std::string{c, '\0'};
  expected += "\x7E\x01\n";
  expected += '\0';
  EXPECT_EQ(tmp.read("u16.ini"), expected);

  // UTF-8 with a byte order mark.
  tmp.write("bom.ini", "\xEF\xBB\xBF[S]\r\nK=\xC5\xBE\r\n");
  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"K", u"\u0161", file("bom.ini").c_str()));
  EXPECT_EQ(tmp.read("bom.ini"), "\xEF\xBB\xBF[S]\r\nK=\xC5\xA1\r\n");

  // A file written on Windows in code page 1250 (not valid UTF-8).
  tmp.write("cp.ini", "[S]\r\nPOZN=P\xF8\xEDvod\r\n");
  {
    std::u16string buffer(64, 0);
    GetPrivateProfileStringW(u"S", u"POZN", u"", buffer.data(), 64, file("cp.ini").c_str());
    EXPECT_EQ(std::u16string(buffer.c_str()), u"P\u0159\u00EDvod");
  }
  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"ZPET", u"Zp\u011Btn\u00E9", file("cp.ini").c_str()));
  EXPECT_EQ(tmp.read("cp.ini"), "[S]\r\nPOZN=P\xF8\xEDvod\r\nZPET=Zp\xECtn\xE9\r\n");

  // A value code page 1250 cannot hold turns the file into UTF-16LE.
  ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"UNIT", u"m\u00B2", file("cp.ini").c_str()));
  EXPECT_TRUE(tmp.read("cp.ini").starts_with("\xFF\xFE"));
  std::u16string buffer(64, 0);
  GetPrivateProfileStringW(u"S", u"POZN", u"", buffer.data(), 64, file("cp.ini").c_str());
  EXPECT_EQ(std::u16string(buffer.c_str()), u"P\u0159\u00EDvod");
  GetPrivateProfileStringW(u"S", u"UNIT", u"", buffer.data(), 64, file("cp.ini").c_str());
  EXPECT_EQ(std::u16string(buffer.c_str()), u"m\u00B2");
}

TEST_F(ProfileFile, ListsSectionsAndKeys) {
  tmp.write("Settings.ini", "[A]\r\nX=1\r\nY=2\r\n[B]\r\n");
  WCHAR buffer[32];
  EXPECT_EQ(GetPrivateProfileStringW(u"A", nullptr, u"", buffer, 32, file().c_str()), 4u);
  EXPECT_EQ(std::u16string(buffer, 5), std::u16string(u"X\0Y\0\0", 5));
  EXPECT_EQ(GetPrivateProfileStringW(nullptr, nullptr, u"", buffer, 32, file().c_str()), 4u);
  EXPECT_EQ(std::u16string(buffer, 5), std::u16string(u"A\0B\0\0", 5));
  EXPECT_EQ(GetPrivateProfileStringW(u"A", nullptr, u"", buffer, 3, file().c_str()), 1u);
  EXPECT_EQ(std::u16string(buffer, 3), std::u16string(u"X\0\0", 3));
}

TEST_F(ProfileFile, NarrowFormsUseCodePage1250) {
  const std::string name = (tmp.path() / "narrow.ini").string();
  ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "\x9Elu\x9Dou\xE8k\xFD", name.c_str()));
  EXPECT_EQ(tmp.read("narrow.ini"), "[S]\r\nK=\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD\r\n");
  char buffer[16];
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 16, name.c_str()), 9u);
  EXPECT_EQ(std::string(buffer), "\x9Elu\x9Dou\xE8k\xFD");
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 4, name.c_str()), 3u);
  EXPECT_EQ(GetPrivateProfileIntA("S", "missing", 12, name.c_str()), 12u);
}

TEST_F(ProfileFile, WritingOverAFolderIsRefused) {
  fs::create_directories(tmp.path() / "FOLDER.INI");
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"K", u"2", file("FOLDER.INI").c_str()));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(ProfileFile, AWriteWithoutPermissionFailsAndKeepsTheFile) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  tmp.write("Settings.ini", "[S]\r\nK=1\r\n");
  fs::permissions(tmp.path() / "Settings.ini", fs::perms::owner_read);
  fs::permissions(tmp.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"K", u"2", file().c_str()));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  fs::permissions(tmp.path(), fs::perms::owner_all);
  EXPECT_EQ(tmp.read("Settings.ini"), "[S]\r\nK=1\r\n");
}

TEST(FileErrors, ErrnoMapsOntoSystemErrors) {
  for (const auto& [error, system] : {std::pair<int, DWORD>(ENOENT, ERROR_FILE_NOT_FOUND), {EACCES, ERROR_ACCESS_DENIED},
                                      {EPERM, ERROR_ACCESS_DENIED}, {EROFS, ERROR_ACCESS_DENIED}, {ENOSPC, ERROR_DISK_FULL},
                                      {EMFILE, ERROR_TOO_MANY_OPEN_FILES}, {EIO, EIO}})
    EXPECT_EQ(hvSystemErrorFromErrno(error), system) << error;
}
