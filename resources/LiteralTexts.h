// Texts the module uses as they are, outside its string table.
#pragma once

namespace HvText {

// Calculation warnings (a warning box with the host's caption), by the bit
// the calculation reports.
inline constexpr const char16_t* kWarnTpAboveTm = u"Zadaná hodnota tp je větší než hodnota tm.";     // bit 2
inline constexpr const char16_t* kWarnTiAboveTp = u"Zadaná hodnota ti je větší než hodnota tp.";     // bit 4
inline constexpr const char16_t* kWarnT2NotBelowT1 = u"Zadaná hodnota t2 musí být menší než hodnota t1.";  // bit 8

// The offset test command. The first prompt is without diacritics.
inline constexpr const char16_t* kPromptSelectClosedCurve = u"Vyberte uzavrenou krivku:";
inline constexpr const char16_t* kPromptOffsetType = u"Zadejte typ offsetu %s:";
inline constexpr const char16_t* kPromptOffsetDistance = u"Vzdálenost offsetu:";
inline constexpr const char16_t* kPromptFirstOffsetDistance = u"Vzdálenost počátečního offsetu:";
inline constexpr const char16_t* kPromptNextOffsetDistance = u"Vzdálenost dalších offsetů:";
inline constexpr const char16_t* kPromptHalfOffsetRange = u"Rozsah polovičního offsetu strany %d:";  // %d from 1
inline constexpr const char16_t* kKeywordNormal = u"Normální";
inline constexpr const char16_t* kKeywordIncremental = u"Inkrementální";
inline constexpr const char16_t* kKeywordZones = u"Zónami";
inline constexpr const char16_t* kDisplayNormal = u"Normální";
inline constexpr const char16_t* kDisplayIncremental = u"Inkrementální";
inline constexpr const char16_t* kDisplayHalfZones = u"inkrementální se Zónami polovičních vah";

// The failure reporter.
inline constexpr const char16_t* kAssertionTitle = u"Assertion Failed !";
inline constexpr const char16_t* kAssertionFormat = u"%s\n%s (%d) %s\n%s modified\n%s compiled\nCompiler: %d.%d";
inline constexpr const char16_t* kAssertionClosing =
    u"\nPlease save information provided and report problem.\nProgram may be unstable or may crash, save your work "
    u"as soon as You can.";
inline constexpr const char* kAssertionClosingNarrow =
    "\nPlease save information provided and report problem.\nProgram may be unstable or may crash, save your work "
    "as soon as You can.";
inline constexpr const char16_t* kUnknownApplication = u"<unknown application>";
inline constexpr const char* kAssertionInfoFormatNarrow = "HAVLEN\n%s (%d) %s\nCompiler: %d.%d\nInfo: %s";
inline constexpr const char16_t* kInternalErrorTitle = u"internal error";
inline constexpr const char16_t* kInternalErrorDefaultTitle = u"Error";
inline constexpr const char16_t* kInternalErrorFormat = u"%s - %s [ %i ] ( timestamp %s )";

// The caption of messages when there is no host to give one.
inline constexpr const char16_t* kCaptionWithoutHost = u"ERROR";

}  // namespace HvText
