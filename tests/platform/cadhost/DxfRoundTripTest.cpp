// Load -> save -> load keeps every list, in both text encodings.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

#include "CadhostTestUtil.h"
#include "platform/cadhost/DxfError.h"
#include "platform/cadhost/DxfNumber.h"
#include "platform/cadhost/DxfWriter.h"
#include "platform/cadhost/EntityListForm.h"
#include "platform/cadhost/ResbufLists.h"
#include "tests/support/TestFolder.h"

namespace cadhost {
namespace {

using namespace cadhost::test;

class CadhostEveryKind : public ::testing::TestWithParam<bool> {};

TEST_P(CadhostEveryKind, ListsComeBackIdenticallyAfterSaveAndReload) {
  auto drawing = emptyDrawing(GetParam());
  makeEveryKind(*drawing);
  const std::string first = save(*drawing);
  auto once = load(first);
  const std::string second = save(*once);
  auto twice = load(second);
  EXPECT_EQ(firstDifference(first, second), "");
  // Lists made from the module's lists come back as they were made.
  EXPECT_EQ(firstDifference(snapshot(*drawing), snapshot(*once)), "");
  EXPECT_EQ(firstDifference(snapshot(*once), snapshot(*twice)), "");
  // Every kind is there, model-space order kept.
  std::vector<std::u16string> types;
  for (RecordId id : once->modelSpace()) types.emplace_back(once->record(id).type());
  const std::vector<std::u16string> expected = {
      u"LINE", u"ARC", u"CIRCLE", u"ELLIPSE", u"LWPOLYLINE", u"POLYLINE", u"SPLINE", u"XLINE", u"RAY",
      u"POINT", u"SOLID", u"HATCH", u"TEXT", u"MTEXT", u"INSERT", u"DIMENSION", u"LEADER", u"WIPEOUT",
      u"IMAGE", u"MULTILEADER"};
  EXPECT_EQ(types, expected);
}

INSTANTIATE_TEST_SUITE_P(Encodings, CadhostEveryKind, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "CodePage1250" : "Utf8"; });

std::string minimalFile(const std::string& version, const std::string& codePage, const std::string& entities) {
  return "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\n" + version + "\n9\n$DWGCODEPAGE\n3\n" + codePage +
         "\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

TEST(CadhostDxfRoundTrip, AnglesAreRadiansInListsAndDegreesInFiles) {
  auto d = load(minimalFile("AC1027", "ANSI_1252",
                            "0\nARC\n5\n20\n100\nAcDbEntity\n8\n0\n100\nAcDbCircle\n10\n0\n20\n0\n30\n0\n40\n1\n"
                            "100\nAcDbArc\n50\n30.5\n51\n270\n1001\nAPP\n1040\n45\n"));
  const GroupList& arc = d->record(d->modelSpace().at(0)).list;
  EXPECT_DOUBLE_EQ(findGroup(arc, 50)->asReal(), 30.5 * 3.14159265358979323846 / 180);
  EXPECT_DOUBLE_EQ(findGroup(arc, 1040)->asReal(), 45.0);  // extended data keeps its value
  const std::string text = save(*d);
  EXPECT_NE(text.find(" 50\n30.5\n"), std::string::npos);
  EXPECT_NE(text.find(" 51\n270.0\n"), std::string::npos);
  // Tables keep degrees: the viewport's twist is not converted.
  auto fresh = emptyDrawing();
  EXPECT_NE(save(*fresh).find(" 51\n0.0\n"), std::string::npos);
}

TEST(CadhostDxfRoundTrip, AnyRadiansSurviveTheTripThroughDegreeText) {
  std::uint64_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    double radians = static_cast<double>(static_cast<std::int64_t>(state >> 11)) / 9007199254740992.0 * 40.0 - 20.0;
    if (i % 5 == 0) radians = (i % 720) * 3.14159265358979323846 / 360;
    std::string text;
    appendDxfDegrees(text, radians);
    double back = 0;
    ASSERT_TRUE(parseDxfDegrees(text, back)) << text;
    ASSERT_EQ(back, radians) << text;
  }
  std::string text;
  appendDxfDegrees(text, 3.14159265358979323846 / 4);
  EXPECT_EQ(text, "45.0");
  text.clear();
  appendDxfDegrees(text, 1e-10);
  EXPECT_EQ(text, "5.729577951308232e-09");  // degrees take the usual form too
}

TEST(CadhostDxfRoundTrip, RealsAreWrittenInTheUsualForm) {
  const std::pair<double, const char*> cases[] = {
      {10.0, "10.0"}, {0.5, "0.5"}, {1234.5678, "1234.5678"}, {-0.000125, "-0.000125"}, {100000.0, "100000.0"},
      {-0.0, "-0.0"}, {1e15, "1000000000000000.0"}, {1e16, "1e+16"}, {1.5e-5, "1.5e-05"}, {1.5e300, "1.5e+300"},
      {0.1 + 0.2, "0.30000000000000004"}, {-2.5e-310, "-2.5e-310"}};
  for (const auto& [value, expected] : cases) {
    std::string text;
    appendDxfReal(text, value);
    EXPECT_EQ(text, expected);
  }
  // Any finite double reads back from its text, which has an exponent only
  // outside 1e-4 <= |x| < 1e16 and no digit past the shortest round trip.
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const double value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 2060) - 1100);
    std::string text;
    appendDxfReal(text, value);
    double back = 0;
    ASSERT_TRUE(parseDxfReal(text, back) && back == value) << text;
    const double magnitude = std::fabs(value);
    ASSERT_EQ(text.find('e') == std::string::npos, magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e16)) << text;
    ASSERT_TRUE(text.find('e') != std::string::npos || text.ends_with(".0") ||
                !parseDxfReal(text.substr(0, text.size() - 1), back) || back != value)
        << text;
  }
  // Reading: nothing that is not finite; too small for a double is zero.
  double value = 7;
  for (const char* text : {"nan", "-nan(1)", "inf", "-infinity", "1e309", "1e99999"})
    EXPECT_TRUE(readDxfReal(text, value) == RealReading::notFinite && value == 7) << text;
  EXPECT_TRUE(readDxfReal("-1e-400", value) == RealReading::ok && value == 0 && std::signbit(value));
  EXPECT_TRUE(readDxfReal(" +2.5e-310\r", value) == RealReading::ok && value == 2.5e-310);
}

TEST(CadhostDxfRoundTrip, ChunkedTextTakesListFormAndGoesBackInFileOrder) {
  const std::string a(250, 'a'), b(250, 'b');
  auto d = load(minimalFile("AC1027", "ANSI_1252",
                            "0\nMTEXT\n5\n20\n100\nAcDbEntity\n8\n0\n100\nAcDbMText\n10\n0\n20\n0\n30\n0\n40\n1\n3\n" +
                                a + "\n3\n" + b + "\n1\nccc\n"));
  const GroupList& mtext = d->record(d->modelSpace().at(0)).list;
  std::vector<int> codes;
  for (const Group& g : mtext)
    if (g.code() == 1 || g.code() == 3) codes.push_back(g.code());
  EXPECT_EQ(codes, (std::vector<int>{1, 3, 3}));
  EXPECT_EQ(findGroup(mtext, 1)->asText(), u16(a));
  EXPECT_NE(save(*d).find(" 40\n1.0\n  3\n" + a + "\n  3\n" + b + "\n  1\nccc\n"), std::string::npos);
}

TEST(CadhostDxfRoundTrip, CodePageTextWithEscapesAndSplitEscapes) {
  // "č" is 0xE8 and "€" 0x80 in code page 1250; "ŭ" is not in it and its
  // escape is split across two chunks.
  const std::string chunk = std::string(246, 'x') + "\\U+0";
  auto d = load(minimalFile("AC1015", "ANSI_1250",
                            "0\nMTEXT\n5\n20\n100\nAcDbEntity\n8\n0\n100\nAcDbMText\n10\n0\n20\n0\n30\n0\n40\n1\n3\n" +
                                chunk + "\n1\n16D\xE8\\U+20AC\n"));
  const GroupList& mtext = d->record(d->modelSpace().at(0)).list;
  std::size_t first = 0, count = 0;
  std::u16string text = EntityListForm::chunkText(mtext, EntityListForm::chunkRegion(mtext), first, count);
  EXPECT_EQ(text, std::u16string(246, u'x') + u"\u016D\u010D\u20AC");
  const std::string saved = save(*d);
  EXPECT_NE(saved.find("\\U+016D\xE8\x80"), std::string::npos) << saved.substr(saved.find("MTEXT"));
  auto again = load(saved);
  EXPECT_EQ(firstDifference(snapshot(*d), snapshot(*again)), "");
}

TEST(CadhostDxfRoundTrip, Utf8BytesThatAreNotUtf8SurviveUnchanged) {
  const std::string entities = "0\nTEXT\n5\n20\n100\nAcDbEntity\n8\n0\n100\nAcDbText\n10\n0\n20\n0\n30\n0\n40\n1\n1\n"
                               "ok \xC4\x8D bad \xFF\xC3(\n100\nAcDbText\n";
  auto d = load(minimalFile("AC1027", "ANSI_1252", entities));
  EXPECT_NE(save(*d).find("ok \xC4\x8D bad \xFF\xC3(\n"), std::string::npos);
}

TEST(CadhostDxfRoundTrip, UnknownSectionsObjectsEntitiesAndGroupsAreKept) {
  const std::string text =
      "999\nmade by hand\n0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1027\n9\n$CUSTOMVAR\n300\nkept\n0\nENDSEC\n"
      "0\nSECTION\n2\nACDSDATA\n70\n2\n0\nACDSSCHEMA\n90\n0\n1\nAcDb_Thumbnail_Schema\n0\nENDSEC\n"
      "0\nSECTION\n2\nENTITIES\n0\nfancything\n5\n20\n100\nAcDbEntity\n8\n0\n100\nAcDbFancy\n482\nodd\n"
      "1072\nstrange\n999\na comment\n10\n1\n20\n2\n0\nENDSEC\n"
      "0\nSECTION\n2\nOBJECTS\n0\nSOMEOBJECT\n5\n21\n330\n0\n100\nAcDbSome\n90\n7\n0\nENDSEC\n0\nEOF\n";
  std::unique_ptr<Drawing> d;
  try {
    d = load(text);
  } catch (const std::exception& e) {
    FAIL() << e.what();
  }
  const GroupList& entity = d->record(d->modelSpace().at(0)).list;
  EXPECT_EQ(entity[0].asText(), u"FANCYTHING");  // types are upper-cased
  EXPECT_EQ(groupText(entity, 482), u"odd");
  EXPECT_FALSE(findGroup(entity, 999));  // comments are dropped
  EXPECT_EQ(findGroup(entity, 10)->dims(), 2);
  const std::string saved = save(*d);
  for (const char* kept : {"ACDSDATA\n 70\n2\n  0\nACDSSCHEMA\n", "$CUSTOMVAR\n300\nkept\n", "482\nodd\n",
                           "1072\nstrange\n", " 10\n1.0\n 20\n2.0\n  0\n", "SOMEOBJECT\n  5\n21\n"})
    EXPECT_NE(saved.find(kept), std::string::npos) << kept;
  EXPECT_EQ(saved.find("comment"), std::string::npos);
  EXPECT_EQ(firstDifference(snapshot(*d), snapshot(*load(saved))), "");
}

TEST(CadhostDxfRoundTrip, ASectionGivenTwiceIsSavedOnce) {
  // The entities of both sections are the drawing's; saving them in two
  // sections again would write every one of them twice.
  const std::string line = "0\nLINE\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n10\n0\n20\n0\n11\n1\n20\n1\n";
  std::string text = minimalFile("AC1027", "ANSI_1252", line);
  text.insert(text.rfind("0\nEOF"), "0\nSECTION\n2\nENTITIES\n" + line + "0\nENDSEC\n");
  auto d = load(text);
  ASSERT_EQ(d->modelSpace().size(), 2u);
  const std::string saved = save(*d);
  auto again = load(saved);
  EXPECT_EQ(again->modelSpace().size(), 2u);
  EXPECT_EQ(saved.find("ENTITIES"), saved.rfind("ENTITIES"));
}

TEST(CadhostDxfRoundTrip, ComplexEntitiesStayTogetherAndGetTheirSeqend) {
  // The file leaves the SEQEND of the INSERT out; the host adds one.
  const std::string entities =
      "0\nINSERT\n5\n30\n100\nAcDbEntity\n8\n0\n100\nAcDbBlockReference\n66\n1\n2\nB\n10\n0\n20\n0\n30\n0\n"
      "0\nATTRIB\n5\n31\n100\nAcDbEntity\n8\n0\n100\nAcDbText\n10\n0\n20\n0\n30\n0\n40\n1\n1\nv\n"
      "100\nAcDbAttribute\n2\nT\n70\n0\n"
      "0\nLINE\n5\n32\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n10\n0\n20\n0\n30\n0\n11\n1\n21\n1\n31\n0\n";
  auto d = load(minimalFile("AC1027", "ANSI_1252", entities));
  const std::vector<RecordId> model = d->modelSpace();
  ASSERT_EQ(model.size(), 2u);
  const DrawingRecord& insert = d->record(model[0]);
  ASSERT_EQ(insert.children.size(), 2u);
  EXPECT_EQ(d->record(insert.children[0]).type(), u"ATTRIB");
  EXPECT_EQ(d->record(insert.children[1]).type(), u"SEQEND");
  EXPECT_EQ(groupText(d->record(insert.children[1]).list, 330), u"30");
  const std::string saved = save(*d);
  EXPECT_LT(saved.find("SEQEND"), saved.find("\nAcDbLine\n"));
}

TEST(CadhostDxfRoundTrip, SaveRegistersApplicationsAddsNamedRecordsAndAdvancesTheSeed) {
  auto d = emptyDrawing();
  ASSERT_TRUE(d->makeEntity({T(0, "LINE"), T(5, "5000"), T(100, "AcDbEntity"), T(8, "Nová vrstva"), T(6, "DASHED"),
                             T(100, "AcDbLine"), P(10, 0, 0), P(11, 1, 1), T(1001, "QEV_DATA"), T(1000, "x")})
                  .ok());
  auto again = reload(*d);
  EXPECT_NE(again->findTableRecord(u"APPID", u"qev_data"), kNoRecord);
  EXPECT_NE(again->findTableRecord(u"LAYER", u"NOVÁ VRSTVA"), kNoRecord);
  EXPECT_NE(again->findTableRecord(u"LTYPE", u"Dashed"), kNoRecord);
  const GroupList* seed = again->headerVariable("$HANDSEED");
  ASSERT_TRUE(seed);
  EXPECT_GT(parseHandle(groupText(*seed, 5)).value_or(0), 0x5000u);
  // Every handle is unique and every owner exists.
  for (RecordId id = 0; id < again->recordCount(); ++id) {
    const DrawingRecord& r = again->record(id);
    EXPECT_EQ(again->findByHandle(r.handle), id);
    if (r.kind == RecordKind::Entity || r.kind == RecordKind::TableRecord) {
      auto owner = parseHandle(groupText(r.list, 330));
      ASSERT_TRUE(owner);
      EXPECT_NE(again->findByHandle(*owner), kNoRecord) << describeGroups(r.list);
    }
  }
}

TEST(CadhostDxfRoundTrip, LineEndsOfTheFileAreKept) {
  std::string text = minimalFile("AC1027", "ANSI_1252", "");
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  auto d = load(crlf);
  const std::string saved = save(*d);
  EXPECT_NE(saved.find("  0\r\nSECTION\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("\n\n"), std::string::npos);
  EXPECT_EQ(save(*load(text)).find('\r'), std::string::npos);
}

TEST(CadhostDxfRoundTrip, TwoDimensionalPointsStayTwoDimensional) {
  auto d = emptyDrawing();
  d->makeEntity({T(0, "LWPOLYLINE"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbPolyline"), I(90, 2), I(70, 0),
                 P(10, 1, 2), P(10, 3, 4)});
  const std::string saved = save(*d);
  EXPECT_NE(saved.find(" 10\n1.0\n 20\n2.0\n 10\n3.0\n 20\n4.0\n"), std::string::npos);
}

TEST(CadhostDxfRoundTrip, ANumberThatIsNotFiniteIsNeverWritten) {
  GroupList arc{T(0, "ARC"), T(5, "7A"), T(100, "AcDbEntity"), T(8, "0"), T(100, "AcDbCircle"),
                P(10, 0, std::numeric_limits<double>::infinity()), R(40, 1), T(100, "AcDbArc"), R(50, 0)};
  // Lists from the module are refused before they reach the drawing.
  resbuf* list = newResbufList(arc);
  GroupList read;
  std::string error;
  EXPECT_FALSE(readResbufList(list, read, error));
  EXPECT_EQ(error, "group code 10: not a finite number");
  freeResbufList(list);
  // A drawing that still holds one (here an angle whose degrees pass the
  // double range) is not saved, and the old file stays.
  auto d = emptyDrawing();
  arc[5] = P(10, 0, 0);
  arc[8] = R(50, 1e307);
  ASSERT_TRUE(d->makeEntity(arc).ok());
  const TestFolder folder;
  const std::string path = folder.file("not_finite.dxf").string();
  std::ofstream(path) << "old";
  std::string message;
  try {
    DxfWriter::writeFile(*d, path);
  } catch (const DxfError& e) {
    message = e.what();
  }
  EXPECT_NE(message.find("not a finite number in group 50 of ARC 7A"), std::string::npos) << message;
  EXPECT_EQ((std::stringstream() << std::ifstream(path).rdbuf()).str(), "old");
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

}  // namespace
}  // namespace cadhost
