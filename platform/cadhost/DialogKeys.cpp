#include "platform/cadhost/DialogKeys.h"

#include <charconv>
#include <cmath>
#include <iterator>

#include "platform/cadhost/DxfNumber.h"
#include "platform/cadhost/Group.h"
#include "platform/cadhost/HelpTopics.h"

namespace cadhost {

namespace {

using T = DialogKeyTarget;
using V = DialogKeyValue;

const DialogKey kKeys[] = {
    // ---- Zones
    {"CIRCUIT_SHAPE", T::kZone, V::kIndex, 1, 0, 0, "", "1", true,
     "the shape the zone's pipe is laid in: 0 a meander (runs to and fro\n"
     "across the zone from the wall its pipe enters through), 1 a double\n"
     "spiral (supply and return wound in side by side, turning back in the\n"
     "middle)\n"},
    {"DISPLAY_TYPE", T::kZone, V::kIndex, 2, 0, 0, "", "0", true,
     "what is drawn of the zone's pipe: 0 the whole layout (meander or\n"
     "double spiral), bends rounded to DETAIL_RADIUS (50 mm); 1 one run\n"
     "along the zone's border, bends rounded to PERIMETER_RADIUS (50 mm),\n"
     "while the calculation takes the whole layout's length; 2 the whole\n"
     "layout with sharp bends, and the border band between the outline and\n"
     "the pipe hatched\n"},
    {"CB_PIPE_PITCH", T::kZone, V::kLength, 0, 0.03, 1.0, "m", "0.2", true,
     "the pipe spacing l: how far apart the neighbouring runs of the zone's\n"
     "pipe lie (0.15 for 150 mm)\n"},
    {"BORDER_FIXED", T::kZone, V::kIndex, 1, 0, 0, "", "0", true,
     "1: the border width is CB_BORDER_R as set; 0: the calculation sets it\n"
     "(2.3 / M)\n"},
    {"CB_BORDER_R", T::kZone, V::kLength, 0, 0.0, 1.0, "m", "0.02", true,
     "the border width R: how far the pipe's first run keeps from the\n"
     "zone's outline; taken only once BORDER_FIXED is 1\n"},
    {"CB_T_TI", T::kZone, V::kNumber, 0, 0, 0, "°C", "20.0", false,
     "the room temperature ti; a ti above tp raises tp to it\n"},
    {"CB_T_TP", T::kZone, V::kNumber, 0, 0, 0, "°C", "22.5", false,
     "the floor's surface temperature tp; with T_TP_FIXED 1 a tp below ti\n"
     "lowers ti to it\n"},
    {"T_TP_FIXED", T::kZone, V::kIndex, 1, 0, 0, "", "1", false,
     "1: tp keeps the value set; 0: the calculation sets tp\n"},
    {"CB_T_TDI", T::kZone, V::kNumber, 0, 0, 0, "°C", "15.0", false,
     "the temperature t'i of the room below\n"},
    {"CB_PIPE_DIAM", T::kZone, V::kPositive, 0, 0, 0, "m", "0.017", false, "the pipe's diameter d\n"},
    {"CB_PLACEMENT", T::kZone, V::kIndex, 2, 0, 0, "", "0", false,
     "what lies below the floor: 0 the ground (a ground floor without a\n"
     "basement); 1 a heated room (at CB_T_TDI); 2 the ground of a basement\n"
     "(at CB_T_TZ)\n"},
    {"CB_ABOVE_AP", T::kZone, V::kNumber, 0, 0, 0, "W/(m²K)", "12.0", false,
     "the heat-transfer coefficient αp at the floor's surface\n"},
    {"CB_T_ADP", T::kZone, V::kNumber, 0, 0, 0, "W/(m²K)", "8.0", false,
     "the heat-transfer coefficient α'p at the ceiling below\n"},
    {"CB_T_LVR", T::kZone, V::kNumber, 0, 0, 0, "W/(mK)", "1.2", false,
     "the conductivity λ of the layer the pipes lie in\n"},
    {"CB_CAPACITY", T::kZone, V::kNumber, 0, 0, 0, "J/(kgK)", "4176.0", false,
     "the specific heat cw of the heating water\n"},
    {"CB_SOIL_RZ", T::kZone, V::kNumber, 0, 0, 0, "m²K/W", "1.11", false,
     "the resistance Rz added below the floor's lower layers when\n"
     "CB_PLACEMENT is not 0\n"},
    {"CB_T_TZ", T::kZone, V::kNumber, 0, 0, 0, "°C", "4.0", false,
     "the temperature tz below the floor with CB_PLACEMENT 2\n"},
    {"CB_FURN_PLINTH", T::kZone, V::kNotBelow0, 0, 0, 0, "", "0.0", false,
     "furniture standing on a plinth (SPNS): kept with the zone, not used\n"
     "by the calculation\n"},
    {"CB_FURN_LEGS", T::kZone, V::kNotBelow0, 0, 0, 0, "", "0.0", false,
     "furniture standing on legs (SPNN): kept with the zone, not used by\n"
     "the calculation\n"},
    {"LOSS_QC", T::kZone, V::kNotBelow0, 0, 0, 0, "W", "1750.0", false, "the zone's heat loss Qc\n"},
    {"AREA_FROM_LOSS", T::kZone, V::kIndex, 1, 0, 0, "", "0", false,
     "1: the heated area S is the heat loss over the heat flux (Qc / q);\n"
     "0: it is the area inside the border band (SP)\n"},
    {"BODY_OUTPUT", T::kZone, V::kNotBelow0, 0, 0, 0, "W", "0", false,
     "the heat output of the zone's additional heating body, or of the one\n"
     "it gets when `dialog end 601 body Z` places it\n"},
    // ---- Circuits
    {"CB_IN_T1", T::kCircuit, V::kNumber, 0, 0, 0, "°C", "38.0", false, "the supply water temperature t1\n"},
    {"CB_OUT_T2", T::kCircuit, V::kNumber, 0, 0, 0, "°C", "30.0", false,
     "the return water temperature t2, below t1\n"},
    {"CB_MAX_LEN", T::kCircuit, V::kPositive, 0, 0, 0, "m", "120.0", false,
     "the longest loop: a longer circuit's zones are named by warning 9001\n"},
    {"PMAX_KPA", T::kCircuit, V::kPositive, 0, 0, 0, "kPa", "10.0", false,
     "the largest pressure loss: a zone whose loss is above it is named by\n"
     "warning 9001\n"},
    {"CHECK_PMAX", T::kCircuit, V::kIndex, 1, 0, 0, "", "0", false,
     "a flag kept with the circuit (check the largest pressure loss); the\n"
     "warnings do not read it\n"},
    {"CB_PIPE_MAT", T::kCircuit, V::kText, 0, 0, 0, "", "\"\"", false,
     "the pipe's material, written into the circuit's pipe records\n"},
    // ---- The manifold
    {"PIPE_PITCH", T::kManifold, V::kLength, 0, 0.01, 1.0, "m", "0.2", true,
     "the distribution-pipe pitch: how far apart a circuit's supply and\n"
     "return run beside its distribution pipe, at most half the distance\n"
     "of the first two pipes at the manifold; every circuit is connected\n"
     "again and laid out anew\n"},
};

// The shortest text that reads back as the value (0.03, 1, 0.15).
std::string number(double value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  return std::string(text, written.ptr);
}

std::string valuesText(const DialogKey& k) {
  switch (k.value) {
    case V::kNumber: return "a number";
    case V::kPositive: return "above 0";
    case V::kNotBelow0: return "0 or more";
    case V::kIndex: return k.maxIndex == 1 ? "0 or 1" : "0 to " + std::to_string(k.maxIndex);
    case V::kText: return "a text (in double quotes when it has blanks)";
    case V::kLength: return number(k.least) + " to " + number(k.most) + " (cadhost)";
  }
  return {};
}

const char* targetText(DialogKeyTarget target) {
  switch (target) {
    case T::kZone: return "zone N";
    case T::kCircuit: return "circuit N";
    case T::kManifold: return "(no target)";
  }
  return "";
}

}  // namespace

std::span<const DialogKey> dialogKeys() { return kKeys; }

const DialogKey* findDialogKey(std::u16string_view name) {
  for (const DialogKey& k : kKeys)
    if (name == asciiToUtf16(k.key)) return &k;
  return nullptr;
}

std::string hostDialogRefusal(std::u16string_view key, std::u16string_view value) {
  const DialogKey* k = findDialogKey(key);
  double v = 0.0;
  // A value that does not read as a number is the dialog's to refuse.
  if (k == nullptr || k->value != V::kLength || !parseDxfReal(utf16ToUtf8(value), v) || !std::isfinite(v) ||
      (v >= k->least && v <= k->most))
    return {};
  std::string why = std::string(k->key) + " is in metres from " + number(k->least) + " to " + number(k->most) +
                    ", not " + utf16ToUtf8(value);
  // A length typed in centimetres or millimetres.
  for (const auto& [divisor, unit] : {std::pair{100.0, "cm"}, std::pair{1000.0, "mm"}}) {
    const double metres = v / divisor;
    if (metres >= k->least && metres <= k->most && metres > 0.0)
      return why + ": for " + utf16ToUtf8(value) + " " + unit + " write " + number(metres);
  }
  return why;
}

std::string dialogKeysHelp() {
  std::string text =
      "The scripted dialog's settings: dialog set KEY VALUE [zone N | circuit N]\n"
      "\n"
      "A zone's setting without a target goes to every zone of the dialog's\n"
      "scope (the zones picked with `dialog pick`, else all), a circuit's to\n"
      "every circuit. Numbers take a decimal point (0.15, never 0,15); lengths\n"
      "are in metres. A design input stops the layout of the zone's circuit,\n"
      "which is laid out again: `dialog wait` waits for it. The defaults are\n"
      "those of the shipped heating file (<host-dir>/Dat/qev_heat_floors.dat)\n"
      "and of a new zone or circuit; an edited design keeps its drawn values.\n"
      "\n"
      "The dialog refuses an unknown key (naming the nearest known one), a\n"
      "value it cannot read or outside the values below, and a target of the\n"
      "wrong kind or that the design lacks; cadhost itself refuses a length\n"
      "marked (cadhost) outside its range, so that a spacing typed in cm or mm\n"
      "(15 or 150 for 0.15) is caught. A refused step is said on standard\n"
      "error, and the dialog's show then ends as cancelled whatever its\n"
      "`dialog end` says.\n";
  const struct {
    DialogKeyTarget target;
    const char* title;
  } groups[] = {{T::kZone, "Zone settings"}, {T::kCircuit, "Circuit settings"}, {T::kManifold, "The manifold"}};
  for (const auto& group : groups) {
    text += std::string("\n") + group.title + ":\n";
    for (const DialogKey& k : kKeys) {
      if (k.target != group.target) continue;
      text += "  " + std::string(k.key) + " " + targetText(k.target) + ": " +
              (*k.unit != 0 ? std::string(k.unit) + ", " : std::string()) + valuesText(k) + ", default " +
              k.fallback + (k.designInput ? "; a design input" : "") + "\n";
      text += indented(k.meaning, "      ");
    }
  }
  return text;
}

}  // namespace cadhost
