// Name lookups, named value lists, field codes, the producer-material index
// and module information.
#include "geometry/fieldCodes.h"
#include "geometry/moduleInfo.h"
#include "geometry/nameLookups.h"
#include "geometry/namedValueList.h"
#include "geometry/producerMaterialIndex.h"
#include "platform/win/Modules.h"
#include "platform/win/ShellFolders.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

TEST(nameLookups, FirstMatchOrMinusOne) {
  hvArray<const char16_t*> names;
  for (const char16_t* n : {static_cast<const char16_t*>(nullptr), u"abc", u"ABC"}) names.append(n);
  EXPECT_EQ(findNameNoCase(names, u"Abc"), 1);
  EXPECT_EQ(findNameNoCase(names, u"x"), -1);
  EXPECT_EQ(findNameNoCase(names, nullptr), -1);
  CStringArray strings;
  strings.Add(CString(u"one"));
  strings.Add(CString(u"Two"));
  EXPECT_EQ(findNameNoCase(strings, u"TWO"), 1);

  hvObjArray<nameRec> records;
  records.add(nameRec{CString(u"Žluť"), CString(u"first"), {0, 0}});
  records.add(nameRec{CString(u"b"), CString(u"Second"), {0, 0}});
  EXPECT_EQ(findNameRec(records, u"žLUŤ", false), 0);
  EXPECT_EQ(findNameRec(records, u"second", true), 1);
  EXPECT_EQ(findNameRec(records, u"second", false), -1);

  textTriple a, b;
  a.texts[0] = u"label";
  a.texts[2] = u"third";
  b.texts[1] = u"LABEL";
  hvArray<textTriple*> triples;
  for (textTriple* t : {static_cast<textTriple*>(nullptr), &a, &b}) triples.append(t);
  EXPECT_EQ(findTextTriple(triples, u"Label", true), 1);
  EXPECT_EQ(findTextTriple(triples, u"third", false), 1);
  EXPECT_EQ(findTextTriple(triples, u"third", true), -1);

  struct idRec {
    std::uint16_t id;
  };
  EXPECT_EQ(findRecordById(std::vector<idRec>{{4}, {65535}}, 65535), 1);
  EXPECT_EQ(findRecordById(std::vector<idRec>{{4}}, 5), -1);

  const std::tuple<const char16_t*, int> arrows[] = {{u".", 0}, {u"_closed", 2}, {u"_NONE", 19}, {u"_open30", 10}, {nullptr, 20}, {u"x", 20}};
  for (const auto& [name, index] : arrows) EXPECT_EQ(arrowheadIndex(name), index);
}

TEST(namedValueList, HoldersOutliveTheirReplacement) {
  namedValueList list;
  CStringArray values;
  values.Add(CString(u"1"));
  ASSERT_TRUE(list.set(u"a", values));
  const auto kept = list.holder(u"a");
  values.Add(CString(u"2"));
  ASSERT_TRUE(list.set(u"a", values));
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.find(u"a")->GetSize(), 2);
  EXPECT_EQ(kept->values.GetSize(), 1);  // the old holder lives on in its second owner
  EXPECT_EQ(kept.use_count(), 1);
  EXPECT_EQ(list.find(u"A"), nullptr);
  EXPECT_FALSE(list.set(nullptr, values));
  EXPECT_TRUE(list.remove(u"a"));
  EXPECT_FALSE(list.remove(u"a"));
  EXPECT_EQ(list.find(nullptr), nullptr);
}

TEST(parseFieldCode, ReadsOneCodeOfATemplate) {
  struct Case {
    const char16_t* text;
    std::u16string name;
    std::u16string rest;
    int precision, index;
    bool dollar, field, textFlag, extra, row, given, underline;
  };
  const Case cases[] = {
      {u"#L.2", u"_LENGTH", u"", 2, -1, false, true, false, false, false, true, false},
      {u"#L", u"_LENGTH", u"", 3, -1, false, true, false, false, false, false, false},
      {u"$#E12rest", u"12", u"rest", 2, 12, true, true, false, true, false, false, false},
      {u"abc#L", u"abc", u"#L", 0, -1, false, false, false, false, false, false, false},
      {u"#A", u"_ANGLE", u"", 2, -1, false, true, false, false, false, false, false},
      {u"&_UNDERLINE_DESC", u"_UNDERLINE_DESC", u"", 0, -1, false, false, true, false, false, false, true},
      {u"#R9.1 x", u"9", u" x", 1, 9, false, true, false, false, true, true, true},
      {u"#E99999999999", u"99999999999", u"", 2, 2147483647, false, true, false, true, false, false, false},
  };
  for (const Case& c : cases) {
    fieldCodeRecord r;
    const char16_t* rest = parseFieldCode(c.text, r);
    ASSERT_NE(rest, nullptr) << std::string(c.text, c.text + 3);
    EXPECT_EQ(std::tuple(r.name, std::u16string(rest), r.precision, r.index),
              std::tuple(c.name, c.rest, c.precision, c.index));
    EXPECT_EQ(std::tuple(r.dollar, r.field, r.text, r.extra, r.row, r.precisionGiven, r.underline),
              std::tuple(c.dollar, c.field, c.textFlag, c.extra, c.row, c.given, c.underline));
  }
  fieldCodeRecord r;
  EXPECT_EQ(parseFieldCode(nullptr, r), nullptr);
  EXPECT_EQ(parseFieldCode(u"", r), nullptr);
  parseFieldCode(u"#H", r);
  EXPECT_TRUE(r.height && !r.slope);
  parseFieldCode(u"#O", r);
  EXPECT_TRUE(r.slope && !r.height);
}

namespace {

using Entries = std::vector<std::tuple<int, std::u16string, std::vector<std::u16string>>>;

Entries entriesOf(const producerMaterialIndex& index) {
  Entries out;
  for (const auto& e : index.entries()) out.emplace_back(e.id, e.name, e.values);
  return out;
}

}  // namespace

TEST(producerMaterialIndex, GathersMaterialsPerProducerAndForTheOwnOne) {
  qevDatabase::Database database(u'T');
  database.addProducerMaterial(1, u"P1", u"m1");
  database.addProducerMaterial(1, u"P1", u"m2");
  database.addProducerMaterial(1, u"P1", u"m1");
  database.addProducerMaterial(2, u"P2", u"m3");
  database.addProducerMaterial(3, u"P3", u"");
  database.addTableRow(u"MATR", 1, {u"m4", u""});
  database.addTableRow(u"MATR", 2, {u"m1", u""});

  producerMaterialIndex index;
  EXPECT_EQ(index.build(database, nullptr), 0);
  EXPECT_EQ(entriesOf(index), (Entries{{1, u"P1", {u"m1", u"m2"}}, {2, u"P2", {u"m3"}}}));
  EXPECT_EQ(index.build(database, u"p1"), 0);
  EXPECT_EQ(index.ownId(), 1);
  EXPECT_EQ(entriesOf(index), (Entries{{1, u"p1", {u"m1", u"m2", u"m3", u"m4"}}, {2, u"P2", {u"m3"}}}));

  index.stop = true;
  EXPECT_EQ(index.build(database, nullptr), 0);
  EXPECT_TRUE(index.entries().empty());
  index.stop = false;
  database.setProducerMaterialFailure(42);
  EXPECT_EQ(index.build(database, u"P1"), 42);
  EXPECT_FALSE(index.addValue(1, u"", u"m"));
  EXPECT_FALSE(index.addValue(1, u"P1", nullptr));
}

TEST(moduleInfo, FoldersAndVersions) {
  char16_t buffer[300];
  EXPECT_EQ(commonFilesSubPath(buffer, 260, u"\\Heating\\Data"), S_OK);
  EXPECT_EQ(std::u16string(buffer), u"C:\\Program Files\\Common Files\\Heating\\Data");
  EXPECT_EQ(commonFilesSubPath(buffer, 260, (u"\\" + std::u16string(229, u'x')).c_str()), S_OK);
  EXPECT_EQ(std::u16string(buffer).size(), 259u);
  EXPECT_EQ(commonFilesSubPath(buffer, 260, (u"\\" + std::u16string(230, u'x')).c_str()), E_FAIL);
  EXPECT_EQ(std::u16string(buffer), u"C:\\Program Files\\Common Files");
  EXPECT_EQ(commonFilesSubPath(buffer, 259, u"x"), E_FAIL);
  hvSetShellFolderFailure(E_INVALIDARG);
  EXPECT_EQ(commonFilesSubPath(buffer, 260, u"x"), E_INVALIDARG);
  hvSetShellFolderFailure(S_OK);

  HvModuleVersion version;
  version.file[0] = 2;
  version.file[3] = 5;
  version.product[1] = 7;
  HMODULE module = hvRegisterModule(u"C:\\Host\\X.DLL", {}, HvModuleLoad::now, version);
  HMODULE plain = hvRegisterModule(u"PLAIN.DLL", {}, HvModuleLoad::now);
  char16_t folder[64];
  EXPECT_EQ(moduleFolder(module, folder, 64, false), 7u);
  EXPECT_EQ(std::u16string(folder), u"C:\\Host");
  EXPECT_EQ(moduleFolder(module, folder, 64, true), 8u);
  EXPECT_EQ(std::u16string(folder), u"C:\\Host\\");
  EXPECT_EQ(moduleFolder(module, folder, 10, true), 0u);  // cut short by the buffer
  EXPECT_EQ(std::u16string(folder), u"");
  EXPECT_EQ(moduleFolder(plain, folder, 64, false), 0u);

  WORD major = 0, revision = 0, minor = 0;
  EXPECT_TRUE(moduleFileVersion(module, &major, nullptr, nullptr, &revision));
  EXPECT_EQ(std::tuple(major, revision), std::tuple(2, 5));
  EXPECT_TRUE(moduleProductVersion(module, nullptr, &minor, nullptr, nullptr));
  EXPECT_EQ(minor, 7);
  EXPECT_FALSE(moduleFileVersion(plain, &major, nullptr, nullptr, nullptr));
  hvUnregisterModule(module);
  hvUnregisterModule(plain);
  EXPECT_EQ(moduleFolder(module, folder, 64, false), 0u);
  EXPECT_FALSE(moduleProductVersion(module, &major, nullptr, nullptr, nullptr));
}
