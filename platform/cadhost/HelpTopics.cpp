#include "platform/cadhost/HelpTopics.h"

#include <iterator>

#include "platform/win/StringTable.h"
#include "platform/win/Utf8.h"

namespace cadhost {

namespace {

// What a message of the module means, by the number of its text.
struct MessageMeaning {
  unsigned number;
  const char* icon;
  const char* meaning;
};

const MessageMeaning kMessages[] = {
    {273, "error", "the first selection holds more than one manifold"},
    {274, "error", "a selection holds an entity the command cannot take (a circle, a text,\na spline as a zone...)"},
    {275, "error", "an entity cannot be read (a polyline of one vertex...)"},
    {276, "error", "a zone outline does not close"},
    {277, "error", "two zone outlines touch or share an edge"},
    {278, "error", "the first selection holds no manifold (no block reference)"},
    {281, "error", "a distribution pipe does not meet the manifold's outline"},
    {282, "error", "a distribution pipe reaches no zone"},
    {290, "error", "no distribution pipe was selected with the manifold"},
    {291, "error", "no zone outline was selected"},
    {294, "warning", "zones drawn over each other (their numbers); the design goes on"},
    {297, "error",
     "the manifold block reference is none the module reads: cadhost says\n"
     "which requirement it misses (see --help manifold)"},
    {298, "error",
     "a zone outline is an ellipse, or a heavy (2D) POLYLINE: draw zones as\n"
     "LWPOLYLINEs, LINEs and ARCs"},
    {317, "error", "curves drawn over each other in a selection"},
    {319, "error", "one zone is fed by two distribution pipes"},
    {325, "error", "the edit's selection holds more than one block reference (every block\nis read as a manifold)"},
    {326, "error", "the drawn design lacks what the edit needs to read it"},
    {9001, "warning",
     "zones over the largest pressure loss (PMAX_KPA) or whose circuit is\n"
     "over the longest loop (CB_MAX_LEN)"},
    {9002, "warning", "zones whose layout lays no pipe, or only a stub at its entry: the\ndialog is shown again"},
    {9003, "error", "the design could not be drawn: the drawing is left as it was"},
    {9004, "warning",
     "circuits the edit cannot read (pipes starting inside a zone, or\n"
     "drawn in pieces): left as drawn"},
    {9005, "warning",
     "zones whose laid pipe crosses or overlaps itself or leaves the zone:\n"
     "the dialog is shown again"},
};

// The boxes whose texts come from no string: the calculation page's
// warnings and the module's report of a fault of its own.
const MessageMeaning kUnnumbered[] = {
    {0, "warning",
     "\"Zadaná hodnota tp je větší než hodnota tm.\"\n"
     "the floor temperature tp is above the mean water temperature tm"},
    {0, "warning",
     "\"Zadaná hodnota ti je větší než hodnota tp.\"\n"
     "the room temperature ti is above the floor temperature tp"},
    {0, "warning",
     "\"Zadaná hodnota t2 musí být menší než hodnota t1.\"\n"
     "the return temperature t2 is not below the supply temperature t1"},
    {0, "error", "caption \"internal error\"\na fault of the module; please report it"},
};

// The first words of a text, up to about `most` characters (UTF-8).
std::string startOf(const std::u16string& text, std::size_t most) {
  if (text.size() <= most) return hvWideToUtf8(text);
  std::size_t cut = text.rfind(u' ', most);
  if (cut == std::u16string::npos || cut < most / 2) cut = most;
  // A cut after a full stop or a comma drops it.
  while (cut > 0 && (text[cut - 1] == u'.' || text[cut - 1] == u',' || text[cut - 1] == u':')) --cut;
  return hvWideToUtf8(text.substr(0, cut)) + "...";
}

}  // namespace

std::optional<HelpTopic> helpTopicNamed(std::string_view name) {
  if (name == "manifold") return HelpTopic::kManifold;
  if (name == "dialog") return HelpTopic::kDialog;
  if (name == "messages") return HelpTopic::kMessages;
  return std::nullopt;
}

std::string indented(std::string_view text, std::string_view indent) {
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    out += std::string(indent) + std::string(text.substr(start, end - start)) + "\n";
    start = end + 1;
  }
  return out;
}

std::string manifoldHelp() {
  return R"(The manifold: what the heating design's first selection needs

Draw the manifold as a block and insert it (an INSERT); select the block
reference with the distribution pipes that leave it. The module reads it
only when all of these hold, and refuses it otherwise with message 297;
cadhost then says on standard error which of them the block reference
misses, as it finds them in the drawing and the product file.

 1. "QEV_DATA" extended data on the INSERT: 1001 QEV_DATA, a 1000 header,
    then 1000 key and value pairs. The header is the item's identifier
    itself, or a table header "E@CxR" followed by C x R table texts (1000
    each), after which the pair "_QEVITEM_ID" names the item. The pair
    "_LABEL" (optional) is the manifold's mark, written in its label.
 2. The item is a floor-heating manifold: TOT0000-0023, or TOT0000-0001
    (either case).
 3. The item has a record in the product file (<host-dir>/Dat/QevProducts.dat,
    or --products FILE; with --products none no item has one).
 4. "QEV_INSPT" extended data on the INSERT: 1001 QEV_INSPT, then, all
    optional, a 1070 value and pairs of 1010 points (a connection point,
    then that point plus its direction, in block coordinates; the pair whose
    first point is 0,0,0 turns the item's direction). The 1001 group alone
    will do.
 5. The block's connection points: the start of every LINE and ARC in the
    block and of every segment of its LWPOLYLINEs, in block order (a closed
    LWPOLYLINE of n vertices gives n, an open one n - 1; texts and the like
    give none): at least 4, at least 6 for TOT0000-0001. Draw the block as one
    closed LWPOLYLINE round the manifold: its vertices are the connection
    points.
Register both application names in the APPID table, as DXF asks.

The outline is the connection points joined in order and closed (for
TOT0000-0001 with a segment from its third to its sixth point too). Each
distribution pipe (a LINE, ARC or LWPOLYLINE) starts on the outline (within
25 mm) and ends on the outline of the zone it feeds, or inside that zone:
one pipe per zone (319), none that misses the outline (281) or every zone
(282). The circuits are numbered in the order their pipes leave the outline.
The zones are closed LWPOLYLINEs (bulges for arcs), or LINEs and ARCs that
close, selected in the second selection; no two may touch (277).

A worked example: the manifold of examples/minimal.dxf as
scripts/make-examples.py writes it with ezdxf (millimetres, $INSUNITS 4):

    doc.appids.new("QEV_DATA")
    doc.appids.new("QEV_INSPT")
    block = doc.blocks.new("RZ_TEST", base_point=(0, 0, 0))
    block.add_lwpolyline([(0, 0), (600, 0), (600, 100), (0, 100)], close=True)
    ref = doc.modelspace().add_blockref("RZ_TEST", (1000, 1000, 0))
    ref.set_xdata("QEV_DATA", [(1000, "E@2x1"), (1000, "TOT0000-0023"), (1000, "RZ1"),
                               (1000, "_QEVITEM_ID"), (1000, "TOT0000-0023"),
                               (1000, "_LABEL"), (1000, "RZ1")])
    ref.set_xdata("QEV_INSPT", [(1070, 0), (1010, (0, 0, 0)), (1010, (1, 0, 0))])

The INSERT's extended data as the DXF file holds it (group code, value):

    1001 QEV_DATA
    1000 E@2x1          a table of 2 x 1 texts follows
    1000 TOT0000-0023
    1000 RZ1
    1000 _QEVITEM_ID    the item
    1000 TOT0000-0023
    1000 _LABEL         the manifold's mark
    1000 RZ1
    1001 QEV_INSPT
    1070 0
    1010 0.0  1020 0.0  1030 0.0
    1010 1.0  1020 0.0  1030 0.0

The short form 1001 QEV_DATA / 1000 TOT0000-0023 with 1001 QEV_INSPT does as
well. The two pipes leave the rectangle's top side; examples/minimal.script:

    command dozidEzezOvedo
    select handles 100 101 103     the manifold, then its two pipes
    select handles 102 104         the two zone outlines
    dialog wait                    until both circuits are laid out
    dialog end ok                  draws the design
    end
    save minimal-design.dxf
)";
}

std::string messagesHelp() {
  std::string text =
      "The heating module's message boxes\n"
      "\n"
      "An echoed box shows the number of its text in brackets when the module\n"
      "loaded the text from its string table: message box (error) \"cadhost\":\n"
      "[297] Výběr obsahuje ... The call log's \"msgbox\" line has it as\n"
      "\"string\". By number, with the start of the text:\n";
  for (const MessageMeaning& m : kMessages) {
    const std::optional<std::u16string> czech = hvFindString(m.number);
    text += "\n  " + std::to_string(m.number) + " (" + m.icon + ")" +
            (czech ? " \"" + startOf(*czech, 48) + "\"" : std::string()) + "\n" + indented(m.meaning, "      ");
  }
  text += "\nWithout a number (texts of no string):\n";
  for (const MessageMeaning& m : kUnnumbered) {
    const std::string_view meaning = m.meaning;
    const std::size_t end = meaning.find('\n');
    text += "\n  (" + std::string(m.icon) + ") " + std::string(meaning.substr(0, end)) + "\n" +
            indented(meaning.substr(end + 1), "      ");
  }
  return text;
}

}  // namespace cadhost
