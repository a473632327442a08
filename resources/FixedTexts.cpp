#include "resources/FixedTexts.h"

#include "platform/win/CodePage.h"

std::u16string hvUtf8ReadAsCp1250(std::u8string_view utf8) {
  return hvCp1250ToWide(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

namespace HvText {

const std::u16string& pipeLabelName() {
  static const std::u16string text = hvUtf8ReadAsCp1250(u8"Název");
  return text;
}

const std::u16string& pipeLabelMaterial() {
  static const std::u16string text = hvUtf8ReadAsCp1250(u8"Materiál");
  return text;
}

const std::u16string& pipeLabelSupply() {
  static const std::u16string text = hvUtf8ReadAsCp1250(u8"Přívodní-podlahové vytápění");
  return text;
}

const std::u16string& pipeLabelReturn() {
  static const std::u16string text = hvUtf8ReadAsCp1250(u8"Zpětné-podlahové vytápění");
  return text;
}

}  // namespace HvText
