#include "platform/win/NumberParse.h"
#include "platform/win/ProfileFile.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinPath.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace {

using Defaults = std::map<std::pair<std::string, std::string>, std::string>;

// The design model's defaults the shipped files must hold.
const Defaults kHeatingDefaults = {
    {{"FH_DLG_MAIN", "CB_DISTR"}, ""},
    {{"FH_PAGE_GRAPHICS", "CB_LOOP_LAYER_CB_ACT"}, "0"},
    {{"FH_PAGE_GRAPHICS", "CB_LOOP_LAYER_OUT_CB_ACT"}, "0"},
    {{"FH_PAGE_GRAPHICS", "CIRCUIT_SHAPE"}, "1"},
    {{"FH_PAGE_GRAPHICS", "DISPLAY_TYPE"}, "0"},
    {{"FH_PAGE_GRAPHICS", "DETAIL_RADIUS"}, "50"},
    {{"FH_PAGE_GRAPHICS", "PERIMETER_RADIUS"}, "50"},
    {{"FH_PAGE_GRAPHICS", "PERIMETER_PITCH"}, "200"},
    {{"FH_PAGE_GRAPHICS", "HATCH_NAME"}, "ANSI37"},
    {{"FH_PAGE_GRAPHICS", "HATCH_ANGLE"}, "0"},
    {{"FH_PAGE_GRAPHICS", "PIPE_PITCH"}, "0.2"},
    {{"FH_PAGE_CALC", "UNITS_MHP"}, "0"},
    {{"FH_PAGE_CALC", "UNITS_PMAX"}, "1"},
    {{"FH_PAGE_CALC", "UNITS_P"}, "1"},
    {{"FH_PAGE_CALC", "CB_PLACEMENT"}, "0"},
    {{"FH_PAGE_CALC", "CB_PIPE_MAT"}, ""},
    {{"FH_PAGE_CALC", "CB_PIPE_DIAM"}, "0.017"},
    {{"FH_PAGE_CALC", "CB_PIPE_PITCH"}, "0.2"},
    {{"FH_PAGE_CALC", "CB_FURN_LEGS"}, "0"},
    {{"FH_PAGE_CALC", "CB_FURN_PLINTH"}, "0"},
    {{"FH_PAGE_CALC", "CB_T_TI"}, "20"},
    {{"FH_PAGE_CALC", "CB_T_TDI"}, "15"},
    {{"FH_PAGE_CALC", "CB_T_TP"}, "22.5"},
    {{"FH_PAGE_CALC", "T_TP_FIXED"}, "1"},
    {{"FH_PAGE_CALC", "BORDER_FIXED"}, "0"},
    {{"FH_PAGE_CALC", "CHECK_PMAX"}, "0"},
    {{"FH_PAGE_CALC", "CB_SOIL_RZ"}, "1.11"},
    {{"FH_PAGE_CALC", "CB_T_TZ"}, "4"},
    {{"FH_PAGE_CALC", "CB_ABOVE_AP"}, "12"},
    {{"FH_PAGE_CALC", "CB_T_ADP"}, "8"},
    {{"FH_PAGE_CALC", "CB_T_LVR"}, "1.2"},
    {{"FH_PAGE_CALC", "CB_MAX_LEN"}, "120"},
    {{"FH_PAGE_CALC", "CB_CAPACITY"}, "4176"},
    {{"FH_PAGE_CALC", "CB_BORDER_R"}, "0.02"},
    {{"FH_PAGE_CALC", "PMAX_KPA"}, "10"},
    {{"FH_PAGE_CALC", "FSTRUCT_ACTION"}, ""},
    {{"FH_PAGE_CALC", "FSTRUCT_NAME"}, ""},
    {{"FH_PAGE_CALC", "CB_IN_T1"}, "38"},
    {{"FH_PAGE_CALC", "CB_OUT_T2"}, "30"},
    {{"FH_PAGE_DESCS", "CB_OPT_LAYER_CB_ACT"}, "0"},
    {{"FH_PAGE_DESCS", "CB_OR_LAYER_CB_ACT"}, "0"},
    {{"FH_PAGE_DESCS", "CB_CO_LAYER_CB_ACT"}, "0"},
    {{"FH_PAGE_DESCS", "CB_DOT_LAYER_CB_ACT"}, "0"},
    {{"FH_PAGE_DESCS", "CB_OPT_THEIGHT"}, "7.2"},
    {{"FH_PAGE_DESCS", "CB_DPP_THEIGHT"}, "4.8"},
    {{"FH_PAGE_DESCS", "CB_OR_THEIGHT"}, "7.2"},
    {{"FH_PAGE_DESCS", "CB_CO_THEIGHT"}, "4.8"},
    {{"FH_PAGE_DESCS", "CB_DOT_THEIGHT"}, "7.2"},
    {{"FH_PAGE_DESCS", "CB_OPT_TWFACTOR"}, "0.75"},
    {{"FH_PAGE_DESCS", "CB_DPP_TWFACTOR"}, "0.75"},
    {{"FH_PAGE_DESCS", "CB_OR_TWFACTOR"}, "0.75"},
    {{"FH_PAGE_DESCS", "CB_CO_TWFACTOR"}, "0.75"},
    {{"FH_PAGE_DESCS", "CB_DOT_TWFACTOR"}, "0.75"},
    {{"FH_PAGE_ZONES_AND_CIRCUITS", "CB_ZCOMMENT"}, ""},
};

const Defaults kCadDefaults = {
    {{"TOLERANCE", "DozidEzezovedo.ZoneBounds"}, "25"},
    {{"TOLERANCE", "DozidEzezovedo.ManifoldConnection"}, "25"},
};

// The data folder as the module names it: the host folder, then "DAT" or
// "Dat" and the file name, with backslashes.
std::u16string moduleName(const char* relative) {
  return hvUtf8ToWide(HV_SOURCE_DIR "/resources/") + hvUtf8ToWide(relative);
}

std::string read(const std::u16string& file, const std::string& section, const std::string& key) {
  WCHAR buffer[256];
  GetPrivateProfileStringW(hvUtf8ToWide(section).c_str(), hvUtf8ToWide(key).c_str(), u"$EMPTY$", buffer, 256,
                           file.c_str());
  return hvWideToUtf8(buffer);
}

// A number text equals the expected one as a number; other texts equal as text.
void expectValue(const std::string& actual, const std::string& expected, const std::string& key) {
  const std::u16string wide = hvUtf8ToWide(actual);
  WCHAR* end = nullptr;
  const double value = wcstod(wide.c_str(), &end);
  if (!expected.empty() && (std::isdigit(static_cast<unsigned char>(expected[0])))) {
    EXPECT_EQ(*end, 0) << key << ": the whole text must be the number";
    EXPECT_DOUBLE_EQ(value, std::stod(expected)) << key;
  } else {
    EXPECT_EQ(actual, expected) << key;
  }
}

void checkFile(const char* relative, const Defaults& defaults) {
  const std::u16string file = moduleName(relative);
  for (const auto& [place, expected] : defaults) expectValue(read(file, place.first, place.second), expected, place.second);

  // Exactly these keys: nothing more in any section.
  std::size_t keys = 0;
  WCHAR sections[4096];
  GetPrivateProfileStringW(nullptr, nullptr, u"", sections, 4096, file.c_str());
  for (const WCHAR* s = sections; *s; s += std::char_traits<char16_t>::length(s) + 1) {
    WCHAR names[8192];
    GetPrivateProfileStringW(s, nullptr, u"", names, 8192, file.c_str());
    for (const WCHAR* k = names; *k; k += std::char_traits<char16_t>::length(k) + 1) ++keys;
  }
  EXPECT_EQ(keys, defaults.size()) << relative;
}

// The hexadecimal byte-block form one store tries before the text: four
// digits giving the text's own length, least significant first.
bool looksLikeByteBlock(const std::string& text) {
  if (text.size() < 4 || text.find_first_not_of("0123456789ABCDEF") != std::string::npos) return false;
  std::size_t length = 0;
  for (int i = 3; i >= 0; --i) length = length * 16 + std::string("0123456789ABCDEF").find(text[i]);
  return length == text.size();
}

std::string bytesOf(const char* relative) {
  std::ifstream in(std::string(HV_SOURCE_DIR "/resources/") + relative, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(DataFiles, HeatingFileHoldsTheModelDefaults) {
  checkFile("DAT\\qev_heat_floors.dat", kHeatingDefaults);
  EXPECT_EQ(read(moduleName("Dat\\QEV_HEAT_FLOORS.DAT"), "FH_CONSTANTS", "KV_TABLE"), "$EMPTY$");
}

TEST(DataFiles, CadFileHoldsTheTolerances) { checkFile("Dat\\VEZIRU.dat", kCadDefaults); }

TEST(DataFiles, AreAsciiWithCrLfAndIntegersWithoutPoints) {
  for (const char* name : {"Dat/qev_heat_floors.dat", "Dat/VEZIRU.dat"}) {
    const std::string bytes = bytesOf(name);
    ASSERT_FALSE(bytes.empty()) << name;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(bytes[i]);
      EXPECT_TRUE(c < 0x80 && (c >= 0x20 || c == '\r' || c == '\n')) << name << " byte " << i;
      if (c == '\n') {
        EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " byte " << i;
      }
    }
    EXPECT_TRUE(bytes.ends_with("\r\n")) << name;
  }
  // Integer keys are read by an integer reader that wants nothing after the number.
  const std::u16string file = moduleName("Dat\\qev_heat_floors.dat");
  for (const auto& [place, expected] : kHeatingDefaults)
    EXPECT_FALSE(looksLikeByteBlock(read(file, place.first, place.second))) << place.second;
  EXPECT_TRUE(looksLikeByteBlock("4000"));
  for (const char* key : {"CIRCUIT_SHAPE", "DISPLAY_TYPE"})
    EXPECT_EQ(read(file, "FH_PAGE_GRAPHICS", key).find('.'), std::string::npos) << key;
  for (const char* key : {"UNITS_MHP", "UNITS_PMAX", "UNITS_P", "CB_PLACEMENT", "T_TP_FIXED", "BORDER_FIXED", "CHECK_PMAX"})
    EXPECT_EQ(read(file, "FH_PAGE_CALC", key).find('.'), std::string::npos) << key;
}
