// The data files of the host's data folder that the module reads, relative to
// the host folder, as the product line names them.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::u16string_view floorsDataFile = u"DAT\\qev_heat_floors.dat";
inline constexpr std::u16string_view settingsDataFile = u"Dat\\Qev_set.dat";
inline constexpr std::u16string_view linesDataFile = u"Dat\\Qev_lin.dat";
inline constexpr std::u16string_view veziruDataFile = u"Dat\\VEZIRU.dat";
inline constexpr std::u16string_view iniDataFile = u"Dat\\QEV.INI";

// The folder with a separator at its end: '\' is appended unless it already
// ends in '\' or '/'. An empty folder stays empty.
std::u16string withTrailingSeparator(std::u16string folder);
