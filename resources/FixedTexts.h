// Labels of the pipe records "TP80000-0001" and "TP90000-0001" in the drawn
// design's extended data. Drawings made by the system hold the first three
// not as the Czech words but as the characters their UTF-8 bytes give when
// read as code page 1250 ("Název" is stored as "NĂˇzev"), one UTF-16 unit per
// byte; reading drawings back needs exactly these texts.
#pragma once

#include <string>
#include <string_view>

// The characters of `utf8` read byte by byte as code page 1250.
std::u16string hvUtf8ReadAsCp1250(std::u8string_view utf8);

namespace HvText {

const std::u16string& pipeLabelName();      // from "Název"
const std::u16string& pipeLabelMaterial();  // from "Materiál"
const std::u16string& pipeLabelSupply();    // from "Přívodní-podlahové vytápění"
const std::u16string& pipeLabelReturn();    // from "Zpětné-podlahové vytápění"
inline constexpr const char16_t* kPipeLabelDimension = u"Dimenze";  // stored plain

}  // namespace HvText
