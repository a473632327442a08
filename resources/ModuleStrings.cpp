#include "resources/ModuleStrings.h"

namespace {

const HvStringResource kModuleStrings[] = {
    {IDS_PLACEMENT_HEATED_BELOW, u"Podsklepená podlaha (vytápěná místnost)"},
    {IDS_PLACEMENT_GROUND_FLOOR, u"Nepodsklepená podlaha (přízemí)"},
    {IDS_PLACEMENT_BASEMENT, u"Nepodsklepená podlaha (suterén)"},
    {IDS_PROMPT_SELECT_MANIFOLD, u"Vyberte rozdělovač a rozvody z rozdělovače:"},
    {IDS_PROMPT_SELECT_ZONES, u"Vyberte uzavřené křivky výtopných zón:"},
    {IDS_ERR_SEVERAL_MANIFOLDS, u"Bylo vybráno více rozdělovačů. Vyberte pouze jeden rozdělovač."},
    {IDS_ERR_WRONG_ENTITIES, u"Výběr obsahuje nesprávné entity."},
    {IDS_ERR_ENTITY_FAILED, u"Chyba při zpracování entity."},
    {IDS_ERR_ZONE_NOT_CLOSED, u"Některé křivky hranic zón nejsou uzavřené."},
    {IDS_ERR_ZONES_TOUCH, u"Křivky hranic zón se nesmí dotýkat s křivkami hranic jiných zón."},
    {IDS_ERR_NO_MANIFOLD, u"Nebyl vybrán rozdělovač."},
    {IDS_ERR_PIPES_NOT_AT_MANIFOLD, u"Potrubní rozvody z rozdělovače nejsou propojené s rozdělovačem."},
    {IDS_ERR_PIPES_NOT_AT_ZONES, u"Potrubní rozvody z rozdělovače nejsou propojené s vytápěnými zónami."},
    {IDS_ERR_NO_PIPES, u"Nebyly vybrány potrubní rozvody z rozdělovače."},
    {IDS_ERR_NO_ZONES, u"Nebyly vybrány uzavřené hranice otopných zón."},
    {IDS_WARN_DUPLICATE_ZONES,
     u"Zóny %s jsou umístěné duplicitně na sobě. Pro správný výpočet tyto zóny překontrolujte."},
    {IDS_PROMPT_JOIN_POINT, u"Zadejte bod sloučení :"},
    {IDS_ERR_UNSUPPORTED_MANIFOLD_BLOCK, u"Výběr obsahuje nepodporovaný blok rozdělovače/sběrače."},
    {IDS_ERR_SPLINE_OR_ELLIPSE,
     u"Hranice zón neumí pracovat se spline křivkami a elipsami. Doporučujeme použít přímé úseky nebo oblouky."},
    {IDS_UNIT_PA, u"Pa"},
    {IDS_UNIT_KPA, u"KPa"},
    {IDS_PROMPT_INSERTION_POINT, u"Vyberte bod vložení:"},
    {IDS_TEXT_HEATING_BODY, u"otopné těleso"},
    {IDS_TEXT_HEATING_BODY_OUTPUT, u"QTp=%dW"},
    {IDS_ERR_OVERLAPPING_CURVES, u"Výběr nesmí obsahovat křivky/úsečky, které jsou vykreslené přes sebe."},
    {IDS_ERR_ZONE_FED_TWICE, u"Otopná zóna je z jednoho rozdělovače napojena z více rozvodů."},
    {IDS_PROMPT_SELECT_MANIFOLD_TO_EDIT, u"Vyberte rozdělovač podlahového vytápění:"},
    {IDS_ERR_EDIT_ONE_MANIFOLD, u"Pro editaci podlahového vytápění vyberte jeden rozdělovač."},
    {IDS_ERR_DRAWN_DESIGN_INCOMPLETE, u"Vykreslené podlahové vytápění neobsahuje všechny potřebné informace."},
    // Our own text, written for this project in the style of 294.
    {IDS_WARN_ZONES_OVER_MAXIMUM,
     u"Zóny %s překračují maximální tlakovou ztrátu nebo maximální délku smyčky. Pro správný výpočet tyto zóny "
     u"překontrolujte."},
    {IDS_WARN_ZONES_WITHOUT_PIPE,
     u"Zóny %s nemají navržené potrubí: rozvržení okruhu se v nich nepodařilo. Upravte hranice zón nebo zvolte "
     u"jiný tvar okruhu a návrh opakujte."},
    {IDS_ERR_DRAWING_FAILED, u"Návrh podlahového vytápění se nepodařilo vykreslit. Výkres zůstal beze změny."},
    {IDS_WARN_CIRCUITS_LEFT_AS_DRAWN,
     u"Okruhy %s se nepodařilo z výkresu načíst. Úprava je vynechá a ve výkresu zůstanou beze změny."},
    {IDS_WARN_ZONES_PIPE_UNSOUND,
     u"Potrubí zón %s se kříží nebo opouští zónu. Zvolte jiný tvar okruhu nebo rozteč a návrh opakujte."},
};

}  // namespace

std::span<const HvStringResource> hvModuleStrings() { return kModuleStrings; }

void hvRegisterModuleStrings() { hvRegisterStringTable(kModuleStrings, std::size(kModuleStrings)); }
