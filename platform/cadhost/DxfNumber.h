// Numbers and handles as DXF files write them: parsing is strict and in the
// "C" locale; reals are written in their shortest exact form. Angles go from
// degrees in files to radians in lists so that save and reload give back the
// very same double.
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
bool parseDxfReal(std::string_view text, double& value);
// Degrees in the file to radians for the list.
bool parseDxfDegrees(std::string_view text, double& radians);

void appendDxfInteger(std::string& out, std::int64_t value);
void appendDxfReal(std::string& out, double value);
// Radians to the degree text whose reading gives back `radians` exactly.
void appendDxfDegrees(std::string& out, double radians);

// Hexadecimal handle text; no value for an empty, non-hex or too long text.
std::optional<Handle> parseHandle(std::u16string_view text);
std::optional<Handle> parseHandle(std::string_view text);
std::u16string handleText(Handle handle);

}  // namespace cadhost
