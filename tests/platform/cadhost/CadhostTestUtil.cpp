#include "CadhostTestUtil.h"

#include <gtest/gtest.h>

#include "platform/cadhost/BlockBuilder.h"
#include "platform/cadhost/DxfError.h"
#include "platform/cadhost/DxfReader.h"
#include "platform/cadhost/DxfWriter.h"
#include "platform/cadhost/NewDrawing.h"
#include "platform/win/Utf8.h"

namespace cadhost::test {

std::u16string u16(std::string_view utf8) { return hvUtf8ToWide(utf8); }

std::unique_ptr<Drawing> load(const std::string& text, const std::string& name) {
  return DxfReader::readText(text, name);
}

std::string save(Drawing& drawing) { return DxfWriter::toText(drawing); }

std::unique_ptr<Drawing> reload(Drawing& drawing) { return load(save(drawing), "reloaded.dxf"); }

std::unique_ptr<Drawing> emptyDrawing(bool codePage1250) {
  auto drawing = newDrawing();
  if (!codePage1250) return drawing;
  std::string text = save(*drawing);
  auto replace = [&](std::string_view from, std::string_view to) {
    text.replace(text.find(from), from.size(), to);
  };
  replace("AC1027", "AC1015");
  replace("ANSI_1252", "ANSI_1250");
  return load(text, "r2000.dxf");
}

std::map<Handle, std::string> snapshot(const Drawing& drawing) {
  std::map<Handle, std::string> out;
  for (RecordId id = 0; id < drawing.recordCount(); ++id) {
    const DrawingRecord& r = drawing.record(id);
    out[r.handle] = (r.erased ? "erased " : "") + describeGroups(r.list);
  }
  return out;
}

std::string firstDifference(const std::map<Handle, std::string>& a, const std::map<Handle, std::string>& b) {
  for (const auto& [handle, list] : a) {
    auto it = b.find(handle);
    if (it == b.end()) return "handle " + std::to_string(handle) + " missing: " + list;
    if (it->second != list) return "handle " + std::to_string(handle) + ":\n  " + list + "\n  " + it->second;
  }
  for (const auto& [handle, list] : b)
    if (!a.count(handle)) return "handle " + std::to_string(handle) + " added: " + list;
  return {};
}

std::string firstDifference(const std::string& a, const std::string& b) {
  if (a == b) return {};
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  const std::size_t from = at > 80 ? at - 80 : 0;
  return "at byte " + std::to_string(at) + ":\n  " + a.substr(from, 160) + "\n  " + b.substr(from, 160);
}

int makeEveryKind(Drawing& d) {
  int made = 0;
  auto make = [&](GroupList list) {
    MakeResult r = d.makeEntity(list);
    EXPECT_TRUE(r.ok()) << r.message << " " << describeGroups(list);
    ++made;
  };
  const std::string czech = "Příliš žluťoučký kůň úpěl ďábelské ódy – ČŘŠŽŮ";
  std::string longText;
  while (longText.size() < 700) longText += "Zóna vytápění \\P" + czech + " ";

  BlockBuilder& blocks = d.blockBuilder();
  blocks.begin(u"RZ_TEST", false, {0, 0, 0});
  blocks.add({T(0, "LWPOLYLINE"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbPolyline"), I(90, 4), I(70, 1),
              P(10, 0, 0), P(10, 600, 0), P(10, 600, 100), P(10, 0, 100)});
  blocks.add({T(0, "ATTDEF"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbText"), P(10, 10, 10), R(40, 25),
              T(1, ""), T(100, "AcDbAttributeDefinition"), T(3, "Označení"), T(2, "OZN"), I(70, 0)});
  blocks.end();

  const std::string e = "AcDbEntity";
  make({T(0, "LINE"), T(100, e), T(8, "ROZVODY"), T(100, "AcDbLine"), P(10, 1300, 1100), P(11, 1300, 2000)});
  make({T(0, "ARC"), T(100, e), T(8, "0"), T(100, "AcDbCircle"), P(10, 1, 2), R(40, 3), T(100, "AcDbArc"),
        R(50, 0.5), R(51, 7.0)});
  make({T(0, "CIRCLE"), T(100, e), T(8, "0"), I(62, 3), T(100, "AcDbCircle"), P(10, 5, 5), R(40, 2.5)});
  make({T(0, "ELLIPSE"), T(100, e), T(8, "0"), T(100, "AcDbEllipse"), P(10, 0, 0), P(11, 10, 3), P(210, 0, 0, 1),
        R(40, 0.4), R(41, 0.3), R(42, 5.9)});
  make({T(0, "LWPOLYLINE"), T(100, e), T(8, "ZONY"), T(100, "AcDbPolyline"), I(90, 3), I(70, 1), R(43, 0),
        P(10, 0, 2000), R(42, 0.5), P(10, 4000, 2000), P(10, 4000, 5000), P(210, 0, 0, 1)});
  make({T(0, "POLYLINE"), T(100, e), T(8, "0"), T(100, "AcDb2dPolyline"), I(66, 1), P(10, 0, 0), I(70, 1)});
  make({T(0, "VERTEX"), T(100, e), T(8, "0"), T(100, "AcDbVertex"), T(100, "AcDb2dVertex"), P(10, 0, 0), I(70, 0)});
  make({T(0, "VERTEX"), T(100, e), T(8, "0"), T(100, "AcDbVertex"), T(100, "AcDb2dVertex"), P(10, 9, 0), I(70, 0)});
  make({T(0, "SEQEND"), T(100, e), T(8, "0")});
  make({T(0, "SPLINE"), T(100, e), T(8, "0"), T(100, "AcDbSpline"), I(70, 8), I(71, 3), I(72, 8), I(73, 4),
        I(74, 0), R(40, 0), R(40, 0), R(40, 0), R(40, 0), R(40, 1), R(40, 1), R(40, 1), R(40, 1), P(10, 0, 0),
        P(10, 5, 8), P(10, 12, 3), P(10, 20, 9)});
  make({T(0, "XLINE"), T(100, e), T(8, "0"), T(100, "AcDbXline"), P(10, 0, 0), P(11, 0.6, 0.8)});
  make({T(0, "RAY"), T(100, e), T(8, "0"), T(100, "AcDbRay"), P(10, 0, 0), P(11, 1, 0)});
  make({T(0, "POINT"), T(100, e), T(8, "0"), T(100, "AcDbPoint"), P(10, 3, 4), R(50, 0.25)});
  make({T(0, "SOLID"), T(100, e), T(8, "0"), T(100, "AcDbTrace"), P(10, 0, 0), P(11, 1, 0), P(12, 0, 1),
        P(13, 1, 1)});
  make({T(0, "HATCH"), T(100, e), T(8, "0"), T(100, "AcDbHatch"), P(10, 0, 0), P(210, 0, 0, 1), T(2, "ANSI31"),
        I(70, 0), I(71, 0), I(91, 2), I(92, 2), I(72, 1), I(73, 1), I(93, 3), P(10, 0, 0), R(42, 0.5),
        P(10, 100, 0), P(10, 100, 100), I(97, 0), I(92, 1), I(93, 2), I(72, 1), P(10, 0, 0), P(11, 10, 0), I(72, 2),
        P(10, 10, 5), R(40, 5), R(50, -1.5707963267948966), R(51, 1.5707963267948966), I(73, 1), I(97, 0),
        I(75, 0), I(76, 1), R(52, 0.7853981633974483 + 0.5), R(41, 20), I(77, 0), I(78, 1),
        R(53, 0.7853981633974483 + 0.5), R(43, 0), R(44, 0), R(45, 3.175), I(79, 0), I(98, 1), P(10, 1, 1)});
  make({T(0, "TEXT"), T(100, e), T(8, "0"), T(100, "AcDbText"), P(10, 0, 0), R(40, 100), T(1, "Zóna 1 " + czech),
        R(50, 0.58), T(7, "Popis"), T(100, "AcDbText")});
  make({T(0, "MTEXT"), T(100, e), T(8, "ZONY"), T(100, "AcDbMText"), P(10, 0, 0), R(40, 50), R(41, 2000),
        I(71, 1), I(72, 5), T(1, longText), T(7, "Standard"), P(11, 1, 0), I(73, 1), R(44, 1),
        T(1001, "QEV_DATA"), T(1000, "_PT_ZONA_CISLO"), I(1070, 1)});
  make({T(0, "INSERT"), T(100, e), T(8, "RZ"), T(100, "AcDbBlockReference"), I(66, 1), T(2, "RZ_TEST"),
        P(10, 1000, 1000), R(41, 1), R(42, 1), R(43, 1), R(50, 0.2), I(66, 0), P(210, 0, 0, 1), P(210, 0, 0, -1),
        T(1001, "QEV_DATA"), T(1000, "E@2x1"), T(1000, "TOT0000-0023"), T(1000, std::string(300, 'x')),
        T(1001, "VE2R_ASSOC"), T(1000, "VE2R_HEATPIPES"), I(1070, 272), T(1005, ""),
        T(1001, "QEV_INSPT"), I(1070, 0), P(1010, 0, 0), P(1010, 1, 0)});
  make({T(0, "ATTRIB"), T(100, e), T(8, "RZ"), T(100, "AcDbText"), P(10, 1010, 1010), R(40, 25),
        T(1, "RZ1 " + czech), T(100, "AcDbAttribute"), T(2, "OZN"), I(70, 0), I(73, 0), I(74, 0), I(280, 0),
        I(71, 2), I(72, 0), P(11, 0, 0), T(101, "Embedded Object"), P(10, 1010, 1010), R(40, 25), R(41, 0),
        R(46, 0), I(71, 1), I(72, 5), T(1, longText), T(1001, "HV_TAG_DEV"), T(1000, "OZN")});
  make({T(0, "SEQEND"), T(100, e), T(8, "RZ")});
  make({T(0, "DIMENSION"), T(100, e), T(8, "HVKOTY"), T(100, "AcDbDimension"), P(10, 0, 50), P(11, 150, 55),
        I(70, 32), T(1, "<>"), I(71, 5), R(51, 0), T(3, "havlen"), P(210, 0, 0, 1), T(100, "AcDbAlignedDimension"),
        P(13, 0, 0), P(14, 300, 0), R(50, 0), T(100, "AcDbRotatedDimension"), T(1001, "ACAD"),
        T(1000, "DSTYLE"), T(1002, "{"), I(1070, 40), R(1040, 50), T(1002, "}")});
  make({T(0, "LEADER"), T(100, e), T(8, "0"), T(100, "AcDbLeader"), T(3, "Standard"), I(71, 1), I(72, 0),
        I(73, 3), I(74, 1), I(75, 0), R(40, 0), R(41, 0), I(76, 2), P(10, 0, 0), P(10, 50, 50)});
  make({T(0, "WIPEOUT"), T(100, e), T(8, "0"), T(100, "AcDbWipeout"), I(90, 0), P(10, 0, 0), P(11, 10, 0),
        P(12, 0, 10), P(13, 1, 1), T(340, "0"), I(70, 7), I(280, 1), I(281, 50), I(282, 50), I(283, 0), I(71, 2),
        I(91, 2), P(14, -0.5, 0.5), P(14, 0.5, -0.5)});
  make({T(0, "IMAGE"), T(100, e), T(8, "0"), T(100, "AcDbRasterImage"), I(90, 0), P(10, 0, 0), P(11, 0.1, 0),
        P(12, 0, 0.1), P(13, 640, 480), T(340, "0"), I(70, 7), I(280, 1), I(281, 50), I(282, 50), I(283, 0),
        T(360, "0"), I(71, 1), I(91, 2), P(14, -0.5, -0.5), P(14, 639.5, 479.5)});
  make({T(0, "MULTILEADER"), T(100, e), T(8, "0"), T(100, "AcDbMLeader"), I(270, 2), T(300, "CONTEXT_DATA{"),
        R(40, 1), P(10, 0, 0), R(41, 4), T(304, "Rozdělovač"), P(12, 10, 10), R(42, 0), T(301, "}"), I(170, 1),
        I(91, -1056964608), I(171, 1), I(172, 2)});
  return made;
}

std::string readError(const std::string& text) {
  try {
    load(text, "bad.dxf");
  } catch (const DxfError& error) {
    return error.what();
  }
  return {};
}

}  // namespace cadhost::test
