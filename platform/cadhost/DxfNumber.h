// Numbers and handles as DXF files write them: parsing is strict and in the
// "C" locale. Reals are finite: "nan", "inf" and values past the double range
// are refused (values too small for a double read as zero). They are written
// in the usual DXF form, the shortest digits that read back to the same
// double, in fixed notation ("10.0", "0.5", "-0.000125") unless the decimal
// exponent is below -4 or above 15 ("1e-05", "1.5e+300"), as Python and so
// ezdxf write them. Angles go from degrees in files to radians in lists so
// that save and reload give back the very same double.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cadhost {

using Handle = std::uint64_t;

// Blanks around the value are ignored; a leading '+' is accepted; an integral
// real such as "1.0" reads as 1. False for anything else.
bool parseDxfInteger(std::string_view text, std::int64_t& value);

// What reading a real found; `value` is set only for `ok`.
enum class RealReading {
  ok,
  notANumber,  // not a decimal number at all
  notFinite,   // "nan", "inf", or a magnitude past the double range
};
RealReading readDxfReal(std::string_view text, double& value);
// Degrees in the file to radians for the list.
RealReading readDxfDegrees(std::string_view text, double& radians);
// True only for `RealReading::ok`.
bool parseDxfReal(std::string_view text, double& value);
bool parseDxfDegrees(std::string_view text, double& radians);

void appendDxfInteger(std::string& out, std::int64_t value);
// The usual form of a finite value; a non-finite one (which no DXF reader
// takes) is written as "nan" or "inf" for messages only.
void appendDxfReal(std::string& out, double value);
// Radians to the shortest degree text, in the same form, whose reading gives
// back `radians` exactly.
void appendDxfDegrees(std::string& out, double radians);

// Hexadecimal handle text; no value for an empty, non-hex or too long text.
std::optional<Handle> parseHandle(std::u16string_view text);
std::optional<Handle> parseHandle(std::string_view text);
std::u16string handleText(Handle handle);

}  // namespace cadhost
