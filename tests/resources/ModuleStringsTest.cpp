#include "resources/ModuleStrings.h"

#include "platform/win/CString.h"
#include "platform/win/Utf8.h"
#include "resources/LiteralTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// The texts as UTF-8, typed apart from the table so that a slip in either
// shows up.
const std::map<UINT, std::string> kExpected = {
    {266, "Podsklepená podlaha (vytápěná místnost)"},
    {267, "Nepodsklepená podlaha (přízemí)"},
    {268, "Nepodsklepená podlaha (suterén)"},
    {271, "Vyberte rozdělovač a rozvody z rozdělovače:"},
    {272, "Vyberte uzavřené křivky výtopných zón:"},
    {273, "Bylo vybráno více rozdělovačů. Vyberte pouze jeden rozdělovač."},
    {274, "Výběr obsahuje nesprávné entity."},
    {275, "Chyba při zpracování entity."},
    {276, "Některé křivky hranic zón nejsou uzavřené."},
    {277, "Křivky hranic zón se nesmí dotýkat s křivkami hranic jiných zón."},
    {278, "Nebyl vybrán rozdělovač."},
    {281, "Potrubní rozvody z rozdělovače nejsou propojené s rozdělovačem."},
    {282, "Potrubní rozvody z rozdělovače nejsou propojené s vytápěnými zónami."},
    {290, "Nebyly vybrány potrubní rozvody z rozdělovače."},
    {291, "Nebyly vybrány uzavřené hranice otopných zón."},
    {294, "Zóny %s jsou umístěné duplicitně na sobě. Pro správný výpočet tyto zóny překontrolujte."},
    {296, "Zadejte bod sloučení :"},
    {297, "Výběr obsahuje nepodporovaný blok rozdělovače/sběrače."},
    {298, "Hranice zón neumí pracovat se spline křivkami a elipsami. Doporučujeme použít přímé úseky nebo oblouky."},
    {304, "Pa"},
    {305, "KPa"},
    {313, "Vyberte bod vložení:"},
    {314, "otopné těleso"},
    {315, "QTp=%dW"},
    {317, "Výběr nesmí obsahovat křivky/úsečky, které jsou vykreslené přes sebe."},
    {319, "Otopná zóna je z jednoho rozdělovače napojena z více rozvodů."},
    {324, "Vyberte rozdělovač podlahového vytápění:"},
    {325, "Pro editaci podlahového vytápění vyberte jeden rozdělovač."},
    {326, "Vykreslené podlahové vytápění neobsahuje všechny potřebné informace."},
    {9002, "Zóny %s nemají navržené potrubí: rozvržení okruhu se v nich nepodařilo. Upravte hranice zón nebo "
           "zvolte jiný tvar okruhu a návrh opakujte."},
    {9003, "Návrh podlahového vytápění se nepodařilo vykreslit. Výkres zůstal beze změny."},
    {9004, "Okruhy %s se nepodařilo z výkresu načíst. Úprava je vynechá a ve výkresu zůstanou beze změny."},
    {9005, "Potrubí zón %s se kříží nebo opouští zónu. Zvolte jiný tvar okruhu nebo rozteč a návrh opakujte."},
};

class ModuleStrings : public ::testing::Test {
 protected:
  void SetUp() override { hvRegisterModuleStrings(); }
};

}  // namespace

TEST_F(ModuleStrings, EveryIdLoadsItsExactText) {
  ASSERT_EQ(kExpected.size(), 33u);
  for (const auto& [id, text] : kExpected) {
    CString loaded;
    EXPECT_TRUE(loaded.LoadString(id)) << id;
    EXPECT_EQ(hvWideToUtf8(loaded.str()), text) << id;
  }
  // The table holds these and our own warning, nothing else.
  EXPECT_EQ(hvModuleStrings().size(), 34u);
  for (const HvStringResource& entry : hvModuleStrings())
    EXPECT_TRUE(kExpected.count(entry.id) == 1 || entry.id == IDS_WARN_ZONES_OVER_MAXIMUM) << entry.id;

  CString missing(u"x");
  EXPECT_FALSE(missing.LoadString(299));
  EXPECT_TRUE(missing.IsEmpty());
}

TEST_F(ModuleStrings, FormatTextsTakeTheirArguments) {
  CString zones;
  ASSERT_TRUE(zones.Format(IDS_WARN_DUPLICATE_ZONES, u"1, 4, 7"));
  EXPECT_EQ(zones, u"Zóny 1, 4, 7 jsou umístěné duplicitně na sobě. Pro správný výpočet tyto zóny překontrolujte.");
  CString output;
  ASSERT_TRUE(output.Format(IDS_TEXT_HEATING_BODY_OUTPUT, 1250));
  EXPECT_EQ(output, u"QTp=1250W");
  CString over;
  ASSERT_TRUE(over.Format(IDS_WARN_ZONES_OVER_MAXIMUM, u"2, 3"));
  EXPECT_TRUE(over.str().starts_with(u"Zóny 2, 3 překračují"));
  CString side;
  ASSERT_TRUE(side.Format(HvText::kPromptHalfOffsetRange, 1));
  EXPECT_EQ(side, u"Rozsah polovičního offsetu strany 1:");
  CString type;
  ASSERT_TRUE(type.Format(HvText::kPromptOffsetType, u"[Normální/Inkrementální/Zónami]"));
  EXPECT_EQ(type, u"Zadejte typ offsetu [Normální/Inkrementální/Zónami]:");
}

TEST_F(ModuleStrings, AssertionReportReadsAsTheFailureReporterShowsIt) {
  CString body;
  ASSERT_TRUE(body.Format(HvText::kAssertionFormat, HvText::kUnknownApplication, u"geBaseShared", 1708,
                          u"entMisc2D::resizeCurve", u"Tue Jul 30 22:02:07 2024", u"11:06:57 Mar  5 2025", 19, 29));
  body += HvText::kAssertionClosing;
  EXPECT_EQ(body,
            u"<unknown application>\ngeBaseShared (1708) entMisc2D::resizeCurve\nTue Jul 30 22:02:07 2024 modified\n"
            u"11:06:57 Mar  5 2025 compiled\nCompiler: 19.29\nPlease save information provided and report problem.\n"
            u"Program may be unstable or may crash, save your work as soon as You can.");
}
