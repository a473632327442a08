// The units catalogue of a module letter: the lines, units, materials and
// dimensions of section "MODULE_<letter>" of the host's "\DAT\QEV_LIN.DAT".
// Values "##" mark gaps; more than 10 gaps in a row (20 for materials) end a
// list.
#pragma once

#include <array>
#include <string>
#include <vector>

struct HvUnitsLine {
  std::array<std::u16string, 5> fields;  // the first five ';'-separated fields of the value
  unsigned keyNumber = 0;                // the line's key in the file ("%u"): its index
  bool present = false;                  // false for a gap ("##")
};

struct HvUnitEntry {
  std::u16string name;
  std::vector<std::u16string> dimensions;
};

struct HvUnitsCatalogue {
  char16_t letter = 0;
  std::u16string file;  // the file the catalogue was read from; swaps write it
  std::vector<HvUnitsLine> lines;
  std::vector<HvUnitEntry> units;
  std::vector<std::u16string> materials;
};

// Reads the catalogue of `letter` from `file` (null: the host folder's
// "\DAT\QEV_LIN.DAT"). A missing file, section or host folder gives empty
// lists. Always true.
bool readUnitsCatalogue(HvUnitsCatalogue& catalogue, char16_t letter, const char16_t* file);

// Exchanges line `index` with the next line (down) or the previous one, in
// the file and in memory alike: the two keys exchange their values and the two
// entries their texts, each keeping its key. False, with nothing changed, when
// either line lies outside the catalogue or the file cannot be written.
bool swapUnitsEntries(HvUnitsCatalogue& catalogue, int index, bool down);
