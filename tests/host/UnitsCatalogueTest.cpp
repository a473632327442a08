// The units catalogue: gap rules, dimensions by unit, and swaps that keep the
// file and the memory in step.
#include <gtest/gtest.h>

#include <tuple>

#include "host/UnitsCatalogue.h"
#include "tests/host/FakeHost.h"
#include "tests/support/TestFolder.h"

namespace {

constexpr const char* catalogueText =
    "[MODULE_T]\r\n"
    "0=Potrubí;m;PE-X;16;x;extra\r\n"
    "1=Rozdělovač;ks\r\n"
    "3=Armatura;ks;;;\r\n"
    "15=never read\r\n"
    "MJ0=m\r\nMJ1=ks\r\nMJ2=kg\r\n"
    "MAT0=PE-X\r\nMAT21=Cu\r\nMAT22=far\r\n"
    "DIM0=a;;c;d\r\n"
    "[MODULE_E]\r\n"
    "0=Kabel\r\n"
    "12=beyond eleven gaps\r\n";

TEST(UnitsCatalogue, ListsAndGapRules) {
  TestFolder folder;
  const std::u16string file = folder.write("QEV_LIN.DAT", catalogueText).u16string();
  HvUnitsCatalogue catalogue;
  ASSERT_TRUE(readUnitsCatalogue(catalogue, u'T', file.c_str()));
  EXPECT_EQ(catalogue.letter, u'T');
  ASSERT_EQ(catalogue.lines.size(), 4u);
  const auto& lines = catalogue.lines;  // five fields at most
  EXPECT_EQ(std::tuple(lines[0].fields[0], lines[0].fields[4], lines[1].fields[1], lines[1].fields[2]),
            std::tuple(u"Potrubí", u"x", u"ks", u""));
  EXPECT_EQ(std::tuple(lines[2].present, lines[2].keyNumber, lines[3].keyNumber), std::tuple(false, 2u, 3u));
  ASSERT_EQ(catalogue.units.size(), 3u);
  EXPECT_EQ(catalogue.units[2].name, u"kg");
  // MAT21 follows 20 gaps and is read; MAT22 too; the list then ends.
  EXPECT_EQ(catalogue.materials, (std::vector<std::u16string>{u"PE-X", u"Cu", u"far"}));
  // "a;;c;d": a to unit 0, nothing to unit 1, c to unit 2, d to no unit.
  EXPECT_EQ(catalogue.units[0].dimensions, std::vector<std::u16string>{u"a"});
  EXPECT_TRUE(catalogue.units[1].dimensions.empty());
  EXPECT_EQ(catalogue.units[2].dimensions, std::vector<std::u16string>{u"c"});

  HvUnitsCatalogue electric;
  readUnitsCatalogue(electric, u'E', file.c_str());
  EXPECT_EQ(electric.lines.size(), 1u);  // line 12 lies beyond eleven gaps
}

TEST(UnitsCatalogue, MissingFileOrHostFolderGivesEmptyLists) {
  HvUnitsCatalogue catalogue;
  EXPECT_TRUE(readUnitsCatalogue(catalogue, u'T', u"/nonexistent/QEV_LIN.DAT") && catalogue.lines.empty());
  EXPECT_TRUE(readUnitsCatalogue(catalogue, u'T', nullptr) && catalogue.file.empty());  // no host
  EXPECT_FALSE(swapUnitsEntries(catalogue, 0, true));
}

TEST(UnitsCatalogue, HostFolderFile) {
  TestFolder folder;
  std::filesystem::create_directory(folder.path() / "DAT");
  folder.write("DAT/QEV_LIN.DAT", "[MODULE_V]\r\n0=Ventil\r\n");
  FakeHostOptions options;
  options.folder = std::u16string(folder.path().u16string()) + u"\\";
  FakeHost host(options);
  HvUnitsCatalogue catalogue;
  readUnitsCatalogue(catalogue, u'V', nullptr);
  ASSERT_EQ(catalogue.lines.size(), 1u);
  EXPECT_EQ(catalogue.lines[0].fields[0], u"Ventil");
}

TEST(UnitsCatalogue, SwapsKeepFileAndMemoryInStep) {
  TestFolder folder;
  const std::u16string file = folder.write("QEV_LIN.DAT", catalogueText).u16string();
  HvUnitsCatalogue catalogue;
  readUnitsCatalogue(catalogue, u'T', file.c_str());
  EXPECT_FALSE(swapUnitsEntries(catalogue, 3, true));    // the last line downwards
  EXPECT_FALSE(swapUnitsEntries(catalogue, 0, false));   // line 0 upwards
  EXPECT_FALSE(swapUnitsEntries(catalogue, -1, true));   // an index outside the lines
  EXPECT_FALSE(swapUnitsEntries(catalogue, 4, false));
  ASSERT_TRUE(swapUnitsEntries(catalogue, 0, true));
  ASSERT_TRUE(swapUnitsEntries(catalogue, 1, true));     // with the gap at line 2
  ASSERT_TRUE(swapUnitsEntries(catalogue, 2, true));
  HvUnitsCatalogue reread;
  readUnitsCatalogue(reread, u'T', file.c_str());
  ASSERT_EQ(reread.lines.size(), catalogue.lines.size());
  for (std::size_t i = 0; i < reread.lines.size(); ++i) {
    const auto &a = reread.lines[i], &b = catalogue.lines[i];
    EXPECT_EQ(std::tuple(a.present, a.fields, a.keyNumber), std::tuple(b.present, b.fields, b.keyNumber)) << i;
  }
  EXPECT_EQ(std::tuple(reread.lines[0].fields[0], reread.lines[3].fields[0], reread.lines[1].present),
            std::tuple(u"Rozdělovač", u"Potrubí", false));
}

}  // namespace
