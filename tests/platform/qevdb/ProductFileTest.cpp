// The product database stand-in: the record file as the host reads it, and
// the database answers the item readers build on.
#include "platform/qevdb/ProductFile.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace qevDatabase {
namespace {

const char* const kSample =
    "; a sample\n"
    "[PROFESSION t]\r\n"
    "PROP1=_LABEL            ; property 1\n"
    "PARS2=Rok|2025\n"
    "PARS1=Katalog|Topení; zima\n"
    "DIM1_3=DN20\n"
    "TYPE16=16\n"
    "[ITEM TOT0000-0023]\n"
    "NUMID=23\n"
    "LAYER=RZ\n"
    "PARAM1=L|600|0\n"
    "PARAM2=U|100|0|extra\n"
    "POINT1=#G/P1|0|0|-\n"
    "POINT2=#A/x/y/#B/z|-32768|32767|\n"
    "[ITEM EL-1]\n"
    "NUMID=1\n";

TEST(ProductFile, ReadsProfessionsTablesItemsAndPoints) {
  const ProductDatabases dbs = ProductDatabases::parse(kSample, "sample.dat");
  EXPECT_EQ(dbs.letters(), (std::vector<char16_t>{u'E', u'T'}));
  Database* t = dbs.find(u't');
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t, dbs.find(u'T'));
  EXPECT_EQ(dbs.find(u'X'), nullptr);

  EXPECT_EQ(t->propertyName(1), u"_LABEL");
  EXPECT_FALSE(t->propertyName(0));
  const std::vector<NameRow> pars = t->EnumNames(u"PARS");
  ASSERT_EQ(pars.size(), 2u);  // in row order, the comment after a blank dropped, a ';' inside kept
  EXPECT_EQ(std::tuple(pars[0].name, pars[0].value, pars[1].value, t->EnumNames(u"DIM1").at(0).name),
            std::tuple(u"Katalog", u"Topení; zima", u"2025", u"DN20"));
  EXPECT_EQ(t->parameterStatus(16), 16);

  EXPECT_FALSE(t->currentNumericId());
  EXPECT_TRUE(t->GoIndexID(u"tot0000-0023"));
  EXPECT_EQ(std::tuple(t->currentNumericId(), t->currentLayer(), t->currentParameterText()),
            std::tuple(23, u"RZ", u"L|600|0\r\nU|100|0|extra"));
  EXPECT_EQ(t->pointText(23), u"2\r\n#G/P1\r\n0\r\n0\r\n-\r\n#A/x/y/#B/z\r\n-32768\r\n32767\r\n\r\n");
  EXPECT_FALSE(t->pointText(24));

  EXPECT_FALSE(t->GoIndexID(u"TOT0000-9999"));  // a miss leaves no position
  EXPECT_FALSE(t->currentNumericId());
  ASSERT_TRUE(dbs.find(u'e')->GoIndexID(u"el-1"));
  EXPECT_FALSE(dbs.find(u'E')->currentLayer());
}

TEST(ProductFile, TheShippedRecordsHoldBothManifoldsWithTheirHeatingKeys) {
  const ProductDatabases dbs = ProductDatabases::readFile(HV_PRODUCTS_FILE);
  EXPECT_EQ(dbs.letters(), std::vector<char16_t>{u'T'});
  Database* t = dbs.find(u'T');
  for (const auto& [id, number] : {std::pair{u"TOT0000-0001", 1}, std::pair{u"TOT0000-0023", 23}}) {
    ASSERT_TRUE(t->GoIndexID(id));
    EXPECT_EQ(t->currentNumericId(), number);
    EXPECT_FALSE(t->currentLayer());
    EXPECT_EQ(t->pointText(number), u"1\r\n#G/P1\r\n0\r\n0\r\n-\r\n");
    const std::u16string params = t->currentParameterText();
    for (const char16_t* key : {u"RZ|", u"PRPD|", u"_PT_X_DSD_NC|", u"_PT_X_DSC_TXTSDOT|", u"_PT_X_DSC_MDPP|",
                                u"_PT_X_IN_T1|", u"_PT_X_OUT_T2|"})
      EXPECT_NE(params.find(key), std::u16string::npos) << std::string(key, key + 4);
  }
}

TEST(ProductFile, MalformedFilesStopAtTheLineWithItsMessage) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"[ITEM TX]\nLAYER=A\n[ITEM TY]\nNUMID=2\n", "bad.dat:1: item TX has no NUMID"},
      {"[ITEM TX]\nNUMID=1\nPARAM1=L 600 0\n", "bad.dat:3: a PARAM is key|value|type"},
      {"[ITEM TX]\nNUMID=1\nPOINT1=#G/P1|0|0\n", "bad.dat:3: a POINT is names|integer|integer|flag, not 3 fields"},
      {"[ITEM TX]\nNUMID=1\n\n[ITEM tx]\nNUMID=2\n", "bad.dat:4: item tx is given twice"},
      {"[ITEM TX]\nNUMID=1\n[ITEM TY]\nNUMID=1\n", "bad.dat:3: item TY: NUMID 1 is used by another item"},
      {"[ITEM TX]\nNUMID=1\nPARAM1=a|b|0\nPARAM1=c|d|0\n", "bad.dat:4: PARAM1 given twice"},
      {"NUMID=1\n", "bad.dat:1: KEY=VALUE before the first section"},
      {"[PROFESSION T]\nPROP=x\n", "bad.dat:2: expected <TABLE><n> or TYPE<n>, not PROP"},
      {"[PROFESSION T]\nPROP1=\xC3\n", "bad.dat:2: the line is not UTF-8"},
      {"[MODULE T]\n", "bad.dat:1: unknown section [MODULE T]"},
  };
  for (const auto& c : cases) {
    try {
      ProductDatabases::parse(c.text, "bad.dat");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const ProductFileError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
  EXPECT_THROW(ProductDatabases::readFile("/nonexistent/QevProducts.dat"), ProductFileError);
  const std::string longName = "[ITEM TX]\nNUMID=1\nPOINT1=" + std::string(244, 'n') + "|0|0|-\n";
  EXPECT_THROW(ProductDatabases::parse(longName, "bad.dat"), ProductFileError);
  EXPECT_NO_THROW(ProductDatabases::parse("\xEF\xBB\xBF[PROFESSION Z]\n", "bom.dat"));
}

}  // namespace
}  // namespace qevDatabase
