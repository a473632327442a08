#include "platform/win/WinPath.h"

#include "platform/win/LastError.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(WinPath, ResolvesMixedCaseAndBackslashes) {
  TestFolder tmp;
  fs::create_directories(tmp.path() / "Dat");
  tmp.write("Dat/VEZIRU.dat", "x");
  tmp.write("Dat/qev_heat_floors.dat", "x");

  EXPECT_EQ(hvLinuxPath(tmp.windows() + u"\\DAT\\veziru.DAT"), tmp.path() / "Dat" / "VEZIRU.dat");
  EXPECT_EQ(hvLinuxPath(tmp.windows() + u"\\\\Dat\\\\\\QEV_HEAT_FLOORS.dat"),
            tmp.path() / "Dat" / "qev_heat_floors.dat");
  // A host folder given the Linux way, with the module's relative name.
  const std::u16string host = tmp.windows() + u"\\";
  EXPECT_EQ(hvLinuxPath(std::u16string(u"") + host + u"DAT\\qev_heat_floors.dat"),
            tmp.path() / "Dat" / "qev_heat_floors.dat");
  // Missing parts keep the spelling given, also below a missing folder.
  EXPECT_EQ(hvLinuxPath(tmp.windows() + u"\\dat\\New.INI"), tmp.path() / "Dat" / "New.INI");
  EXPECT_EQ(hvLinuxPath(tmp.windows() + u"\\Missing\\dat"), tmp.path() / "Missing" / "dat");
  EXPECT_EQ(hvLinuxPath(tmp.windows() + u"\\DAT\\"), tmp.path() / "Dat" / "");
}

TEST(WinPath, PrefersTheExactSpellingThenTheFirstSorted) {
  TestFolder tmp;
  fs::create_directories(tmp.path() / "data");
  fs::create_directories(tmp.path() / "DATA");
  fs::create_directories(tmp.path() / "Data");
  EXPECT_EQ(hvLinuxPath(tmp.windows() + u"\\data"), tmp.path() / "data");
  EXPECT_EQ(hvLinuxPath(tmp.windows() + u"\\dATA"), tmp.path() / "DATA");
  // Czech letters fold too.
  fs::create_directories(tmp.path() / "Vytápění");
  EXPECT_EQ(hvLinuxPath(tmp.windows() + u"\\VYT\u00C1P\u011AN\u00CD"), tmp.path() / "Vytápění");
}

TEST(WinPath, DriveLettersMapThroughTheTable) {
  TestFolder tmp;
  fs::create_directories(tmp.path() / "Host" / "Dat");
  hvSetDriveFolder(u'q', tmp.path());
  EXPECT_EQ(hvLinuxPath(u"Q:\\HOST\\dat\\x.dat"), tmp.path() / "Host" / "Dat" / "x.dat");
  hvSetDriveFolder(u'Q', {});
  EXPECT_EQ(hvLinuxPath(u"Q:\\tmp"), fs::path("/tmp"));
  EXPECT_EQ(hvLinuxPathFromNarrow("q:\\TMP"), fs::path("/tmp"));
}

TEST(WinPath, CreatesFoldersWithAllMissingParents) {
  TestFolder tmp;
  fs::create_directories(tmp.path() / "Dat");
  ASSERT_TRUE(hvCreateDirectoryWithParents((tmp.windows() + u"\\DAT\\Dialogs\\A\\").c_str()));
  EXPECT_TRUE(fs::is_directory(tmp.path() / "Dat" / "Dialogs" / "A"));
  EXPECT_TRUE(hvCreateDirectoryWithParents((tmp.windows() + u"\\dat").c_str()));
  EXPECT_EQ(GetFileAttributesW((tmp.windows() + u"\\DAT\\DIALOGS").c_str()), FILE_ATTRIBUTE_DIRECTORY);

  tmp.write("file", "x");
  EXPECT_FALSE(hvCreateDirectoryWithParents((tmp.windows() + u"\\FILE\\sub").c_str()));
  EXPECT_FALSE(hvCreateDirectoryWithParents(u""));

  EXPECT_FALSE(CreateDirectoryW((tmp.windows() + u"\\no\\such").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(CreateDirectoryW((tmp.windows() + u"\\Dat").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), 183u);  // ERROR_ALREADY_EXISTS
  EXPECT_EQ(GetFileAttributesW((tmp.windows() + u"\\no\\such").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

// A name longer than the file system allows is a failure with an error code,
// never an exception out of the folder calls.
TEST(WinPath, OverlongNamesFailWithoutThrowing) {
  TestFolder tmp;
  const std::u16string overlong = tmp.windows() + u"\\" + std::u16string(300, u'a');
  EXPECT_FALSE(hvCreateDirectoryWithParents((overlong + u"\\sub").c_str()));
  EXPECT_EQ(GetLastError(), 206u);  // ERROR_FILENAME_EXCED_RANGE
  EXPECT_EQ(GetFileAttributesW((overlong + u"\\sub").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(CreateDirectoryW(overlong.c_str(), nullptr));
}
