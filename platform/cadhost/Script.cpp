#include "platform/cadhost/Script.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "platform/cadhost/SaveTarget.h"
#include "platform/cadhost/ScriptedDialog.h"
#include "platform/win/Utf8.h"
#include "platform/win/WinTypes.h"

namespace cadhost {

namespace {

constexpr std::size_t kMaxScriptBytes = 64u << 20;

class LineParser {
 public:
  LineParser(std::string_view line, const std::string& file, std::size_t number)
      : file_(file), number_(number) {
    tokenize(line);
  }

  [[noreturn]] void fail(const std::string& message) const { throw ScriptError(file_, number_, message); }

  std::size_t size() const { return tokens_.size(); }
  const std::string& at(std::size_t i) const { return tokens_[i]; }
  bool is(std::size_t i, std::string_view word) const { return i < tokens_.size() && tokens_[i] == word; }

  void expectCount(std::size_t low, std::size_t high, const char* usage) const {
    if (tokens_.size() < low || tokens_.size() > high) fail(std::string("expected: ") + usage);
  }

  double real(std::size_t i, const char* what) const {
    double value = 0.0;
    if (!parseDxfReal(tokens_[i], value) || !std::isfinite(value))
      fail(std::string("not a number for ") + what + ": " + tokens_[i]);
    return value;
  }

  int integer(std::size_t i, const char* what) const {
    std::int64_t value = 0;
    if (!parseDxfInteger(tokens_[i], value) || value < -2147483647 || value > 2147483647)
      fail(std::string("not a whole number for ") + what + ": " + tokens_[i]);
    return static_cast<int>(value);
  }

  Point3 point(std::size_t i, const char* what) const {
    const std::string& t = tokens_[i];
    const std::size_t comma = t.find(',');
    double x = 0.0;
    double y = 0.0;
    if (comma == std::string::npos || !parseDxfReal(std::string_view(t).substr(0, comma), x) ||
        !parseDxfReal(std::string_view(t).substr(comma + 1), y) || !std::isfinite(x) || !std::isfinite(y))
      fail(std::string("expected X,Y for ") + what + ": " + t);
    return {x, y, 0.0};
  }

  Handle handle(std::size_t i) const {
    auto h = parseHandle(std::string_view(tokens_[i]));
    if (!h || *h == 0) fail("not a handle: " + tokens_[i]);
    return *h;
  }

 private:
  void tokenize(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size()) {
      if (line[i] == ' ' || line[i] == '\t') {
        ++i;
        continue;
      }
      std::string token;
      if (line[i] == '"') {
        ++i;
        bool closed = false;
        while (i < line.size()) {
          char c = line[i++];
          if (c == '"') {
            closed = true;
            break;
          }
          if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) c = line[i++];
          token.push_back(c);
        }
        if (!closed) fail("a quoted value is not closed");
      } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') token.push_back(line[i++]);
      }
      tokens_.push_back(std::move(token));
    }
  }

  const std::string& file_;
  std::size_t number_;
  std::vector<std::string> tokens_;
};

std::u16string upper(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return text;
}

std::vector<std::u16string> commaList(const std::string& text) {
  std::vector<std::u16string> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    if (comma > start) out.push_back(hvUtf8ToWide(text.substr(start, comma - start)));
    start = comma + 1;
  }
  return out;
}

void parseSelect(const LineParser& p, ScriptItem& item) {
  SelectSpec& s = item.select;
  std::size_t last = p.size();
  if (last > 2 && p.is(last - 1, "empty-ok")) {
    s.emptyOk = true;
    --last;
  }
  if (last < 2) p.fail("expected: select handles H... | all [type=T] [layer=L] | window X1,Y1 X2,Y2 | assoc H | cancel | fail");
  const std::string& mode = p.at(1);
  if (mode == "cancel" || mode == "fail") {
    if (last != 2 || s.emptyOk) p.fail("select " + mode + " takes nothing more");
    s.mode = mode == "cancel" ? SelectSpec::Mode::Cancel : SelectSpec::Mode::Fail;
  } else if (mode == "handles") {
    if (last < 3) p.fail("select handles needs at least one handle");
    s.mode = SelectSpec::Mode::Handles;
    for (std::size_t i = 2; i < last; ++i) s.handles.push_back(p.handle(i));
  } else if (mode == "all") {
    s.mode = SelectSpec::Mode::All;
    for (std::size_t i = 2; i < last; ++i) {
      const std::string& t = p.at(i);
      if (t.rfind("type=", 0) == 0) {
        for (auto& type : commaList(t.substr(5))) s.types.push_back(upper(type));
      } else if (t.rfind("layer=", 0) == 0) {
        for (auto& layer : commaList(t.substr(6))) s.layers.push_back(layer);
      } else {
        p.fail("select all takes type=T[,T] and layer=L[,L], not " + t);
      }
    }
  } else if (mode == "window") {
    if (last != 4) p.fail("expected: select window X1,Y1 X2,Y2");
    s.mode = SelectSpec::Mode::Window;
    Point3 a = p.point(2, "the first corner");
    Point3 b = p.point(3, "the second corner");
    s.low = {std::min(a.x, b.x), std::min(a.y, b.y), 0.0};
    s.high = {std::max(a.x, b.x), std::max(a.y, b.y), 0.0};
  } else if (mode == "assoc") {
    if (last != 3) p.fail("expected: select assoc H");
    s.mode = SelectSpec::Mode::Assoc;
    s.handles.push_back(p.handle(2));
  } else {
    p.fail("unknown selection: " + mode + " (handles, all, window, assoc, cancel or fail)");
  }
}

int messageBoxAnswer(const LineParser& p) {
  static const struct {
    const char* name;
    int id;
  } answers[] = {{"ok", IDOK}, {"cancel", IDCANCEL}, {"abort", 3}, {"retry", 4},
                 {"ignore", 5}, {"yes", IDYES},      {"no", IDNO}};
  for (const auto& a : answers)
    if (p.at(1) == a.name) return a.id;
  const int id = p.integer(1, "the message box answer");
  if (id < 1 || id > 11) p.fail("message box answers are ok, cancel, abort, retry, ignore, yes, no or 1 to 11");
  return id;
}

// The numbers of the dialog's lines that the script checks itself.
constexpr int kMaxCircuitNumber = 999999;
constexpr int kLastFieldId = 58;
constexpr int kMaxColourIndex = 256;
constexpr int kMaxWhole = 2147483647;

int wholeIn(const LineParser& p, std::size_t i, const char* what, int low, int high) {
  const int n = p.integer(i, what);
  if (n < low || n > high)
    p.fail(std::string(what) + " must be " + std::to_string(low) +
           (high == kMaxWhole ? " or more" : " to " + std::to_string(high)) + ", not " + p.at(i));
  return n;
}

// dialog pick MODE [option N] [zone N | circuit N | edge N P | all]...
void parsePick(const LineParser& p, DialogStepSpec& d) {
  if (p.size() < 3) p.fail("expected: dialog pick MODE [option N] [zone N | circuit N | edge N P | all]...");
  d.kind = DialogStepSpec::Kind::Pick;
  d.mode = wholeIn(p, 2, "the pick mode", 0, 3);
  std::size_t i = 3;
  if (p.is(i, "option")) {
    if (i + 1 >= p.size()) p.fail("expected: option N");
    d.option = wholeIn(p, i + 1, "the pick option", 0, kMaxWhole);
    i += 2;
  }
  while (i < p.size()) {
    const std::string& key = p.at(i);
    const std::size_t needs = key == "edge" ? 3 : key == "all" ? 1 : 2;
    if (i + needs > p.size()) p.fail("a pick names zone N, circuit N, edge N P or all: " + key + " is not complete");
    if (key == "zone") {
      d.items.push_back({hvDialogItemZone, wholeIn(p, i + 1, "a zone number", 1, kMaxWhole), 0});
    } else if (key == "circuit") {
      d.items.push_back({hvDialogItemCircuit, wholeIn(p, i + 1, "a circuit number", 1, kMaxCircuitNumber), 0});
    } else if (key == "edge") {
      d.items.push_back({hvDialogItemEdge, wholeIn(p, i + 1, "a zone number", 1, kMaxWhole),
                         wholeIn(p, i + 2, "an edge position", 1, kMaxWhole)});
    } else if (key == "all") {
      d.items.push_back({hvDialogItemAll, 0, 0});
    } else {
      p.fail("a pick names zone N, circuit N, edge N P or all, not " + key);
    }
    i += needs;
  }
}

// dialog colors N=C [N=C...]
void parseColors(const LineParser& p, DialogStepSpec& d) {
  if (p.size() < 3) p.fail("expected: dialog colors CIRCUIT=COLOUR [CIRCUIT=COLOUR...]");
  d.kind = DialogStepSpec::Kind::Colors;
  for (std::size_t i = 2; i < p.size(); ++i) {
    const std::string& pair = p.at(i);
    const std::size_t equals = pair.find('=');
    std::int64_t circuit = 0;
    std::int64_t colour = 0;
    if (equals == std::string::npos || !parseDxfInteger(std::string_view(pair).substr(0, equals), circuit) ||
        !parseDxfInteger(std::string_view(pair).substr(equals + 1), colour))
      p.fail("expected CIRCUIT=COLOUR, not " + pair);
    if (circuit < 1 || circuit > kMaxCircuitNumber) p.fail("a circuit number must be 1 to 999999, not " + pair);
    if (colour < 0 || colour > kMaxColourIndex) p.fail("a colour index must be 0 to 256, not " + pair);
    d.items.push_back({hvDialogItemCircuit, static_cast<int>(circuit), static_cast<int>(colour)});
  }
}

void parseDialog(const LineParser& p, ScriptItem& item) {
  DialogStepSpec& d = item.dialog;
  if (p.size() < 2)
    p.fail("expected: dialog wait [S] | calc | set SETTER VALUE [zone N|circuit N] | pick ... | number ... | colors ... | "
           "show [ID...] | end ...");
  const std::string& what = p.at(1);
  if (what == "wait") {
    p.expectCount(2, 3, "dialog wait [SECONDS]");
    d.kind = DialogStepSpec::Kind::Wait;
    if (p.size() == 3) {
      d.seconds = p.real(2, "the waiting time");
      if (!(d.seconds > 0.0)) p.fail("the waiting time must be positive");
    }
  } else if (what == "calc") {
    p.expectCount(2, 2, "dialog calc");
    d.kind = DialogStepSpec::Kind::Calc;
  } else if (what == "set") {
    if (p.size() != 4 && p.size() != 6) p.fail("expected: dialog set SETTER VALUE [zone N|circuit N]");
    d.kind = DialogStepSpec::Kind::Set;
    d.setter = hvUtf8ToWide(p.at(2));
    d.value = hvUtf8ToWide(p.at(3));
    if (p.size() == 6) {
      if (p.is(4, "zone"))
        d.target = DialogStepSpec::Target::Zone;
      else if (p.is(4, "circuit"))
        d.target = DialogStepSpec::Target::Circuit;
      else
        p.fail("a setting applies to a zone N or a circuit N, not " + p.at(4));
      d.targetIndex = p.integer(5, "the zone or circuit number");
    }
  } else if (what == "end") {
    d.kind = DialogStepSpec::Kind::End;
    if (p.size() < 3) p.fail("expected: dialog end ok | cancel | 599 | 600 [join A B] | 601 body Z");
    const std::string& code = p.at(2);
    if (code == "ok") {
      p.expectCount(3, 3, "dialog end ok");
      d.endCode = IDOK;
    } else if (code == "cancel") {
      p.expectCount(3, 3, "dialog end cancel");
      d.endCode = IDCANCEL;
    } else if (code == "599") {
      p.expectCount(3, 3, "dialog end 599");
      d.endCode = 599;
    } else if (code == "600") {
      if (p.size() != 3 && (p.size() != 6 || !p.is(3, "join")))
        p.fail("expected: dialog end 600 [join ZONE_IN_CIRCUIT ZONE_WITHOUT]");
      d.endCode = 600;
      if (p.size() == 6) {
        d.first = p.integer(4, "the zone in a circuit");
        d.second = p.integer(5, "the zone without a circuit");
      }
    } else if (code == "601") {
      if (p.size() != 5 || !p.is(3, "body")) p.fail("expected: dialog end 601 body ZONE");
      d.endCode = 601;
      d.first = p.integer(4, "the zone");
    } else {
      p.fail("a dialog ends with ok, cancel, 599, 600 [join A B] or 601 body Z, not " + code);
    }
  } else if (what == "pick") {
    parsePick(p, d);
  } else if (what == "number") {
    if (p.size() != 4 || (!p.is(2, "zone") && !p.is(2, "circuit")))
      p.fail("expected: dialog number zone N | dialog number circuit N");
    d.kind = DialogStepSpec::Kind::Number;
    d.target = p.is(2, "zone") ? DialogStepSpec::Target::Zone : DialogStepSpec::Target::Circuit;
    d.targetIndex = p.integer(3, "the new number");
  } else if (what == "colors") {
    parseColors(p, d);
  } else if (what == "show") {
    d.kind = DialogStepSpec::Kind::Show;
    for (std::size_t i = 2; i < p.size(); ++i) d.items.push_back({hvDialogItemField, wholeIn(p, i, "a field id", 0, kLastFieldId), 0});
  } else {
    p.fail("unknown dialog step: " + what + " (wait, calc, set, pick, number, colors, show or end)");
  }
}

// An input line of one value or "cancel"; answers whether it is "cancel".
bool cancelable(const LineParser& p, ScriptItem& item, ScriptKind kind, const char* usage) {
  p.expectCount(2, 2, usage);
  item.kind = kind;
  item.cancel = p.is(1, "cancel");
  return item.cancel;
}

}  // namespace

const char* scriptKindName(ScriptKind kind) {
  switch (kind) {
    case ScriptKind::Command: return "command";
    case ScriptKind::Select: return "select";
    case ScriptKind::Point: return "point";
    case ScriptKind::Keyword: return "keyword";
    case ScriptKind::Distance: return "distance";
    case ScriptKind::MsgBox: return "msgbox";
    case ScriptKind::Dialog: return "dialog";
    case ScriptKind::FloorLib: return "floorlib";
    case ScriptKind::Save: return "save";
    case ScriptKind::Summary: return "summary";
    case ScriptKind::End: return "end";
  }
  return "?";
}

ScriptItem parseScriptLine(std::string_view line, const std::string& file, std::size_t lineNumber) {
  LineParser p(line, file, lineNumber);
  ScriptItem item;
  item.line = lineNumber;
  item.source = std::string(line);
  if (p.size() == 0) p.fail("empty line");
  const std::string& word = p.at(0);
  if (word == "command") {
    p.expectCount(2, 2, "command NAME");
    item.kind = ScriptKind::Command;
    item.name = p.at(1);
  } else if (word == "select") {
    item.kind = ScriptKind::Select;
    parseSelect(p, item);
  } else if (word == "point") {
    if (!cancelable(p, item, ScriptKind::Point, "point X,Y | point cancel")) item.point = p.point(1, "the point");
  } else if (word == "keyword") {
    cancelable(p, item, ScriptKind::Keyword, "keyword WORD | keyword INDEX | keyword cancel");
    std::int64_t index = 0;
    if (!item.cancel && parseDxfInteger(p.at(1), index)) {
      if (index < 0 || index > 1000) p.fail("a keyword index is 0 or more");
      item.keywordIndex = static_cast<int>(index);
    } else if (!item.cancel) {
      item.keyword = hvUtf8ToWide(p.at(1));
    }
  } else if (word == "distance") {
    if (!cancelable(p, item, ScriptKind::Distance, "distance VALUE | distance cancel"))
      item.distance = p.real(1, "the distance");
  } else if (word == "msgbox") {
    p.expectCount(2, 2, "msgbox ok|cancel|yes|no|abort|retry|ignore|ID");
    item.kind = ScriptKind::MsgBox;
    item.answer = messageBoxAnswer(p);
  } else if (word == "dialog") {
    item.kind = ScriptKind::Dialog;
    parseDialog(p, item);
  } else if (word == "floorlib") {
    p.expectCount(2, 3, "floorlib MARK [ACTION] | floorlib cancel");
    item.kind = ScriptKind::FloorLib;
    item.cancel = p.size() == 2 && p.is(1, "cancel");
    if (!item.cancel) {
      item.mark = hvUtf8ToWide(p.at(1));
      if (p.size() == 3) item.action = hvUtf8ToWide(p.at(2));
    }
  } else if (word == "save") {
    p.expectCount(2, 2, "save FILE");
    item.kind = ScriptKind::Save;
    item.name = p.at(1);
    if (namesFolder(item.name)) p.fail("save needs a file name, not a folder");
  } else if (word == "summary") {
    p.expectCount(1, 1, "summary");
    item.kind = ScriptKind::Summary;
  } else if (word == "end") {
    p.expectCount(1, 1, "end");
    item.kind = ScriptKind::End;
  } else {
    p.fail("unknown script line: " + word);
  }
  return item;
}

Script Script::parse(std::string_view text, const std::string& name) {
  Script script;
  script.name_ = name;
  bool inCommand = false;
  std::size_t number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (line.find('\0') != std::string_view::npos) throw ScriptError(name, number, "the line holds a NUL byte");

    ScriptItem item = parseScriptLine(line, name, number);
    if (item.kind == ScriptKind::Command) {
      inCommand = true;
    } else if (!isInputKind(item.kind)) {
      inCommand = false;
    } else if (!inCommand) {
      // Outside a command only selections have a meaning: they are applied
      // at once and described by the next summary.
      const bool plainSelect = item.kind == ScriptKind::Select && item.select.mode != SelectSpec::Mode::Cancel &&
                               item.select.mode != SelectSpec::Mode::Fail;
      if (!plainSelect)
        throw ScriptError(name, number, std::string(scriptKindName(item.kind)) +
                                            " line outside a command: no command asks for it");
    }
    item.inCommand = inCommand && isInputKind(item.kind);
    script.items_.push_back(std::move(item));
  }
  return script;
}

Script Script::readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ScriptError(path, 0, "cannot read the script");
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uint64_t>(size) > kMaxScriptBytes)
    throw ScriptError(path, 0, "the script is larger than 64 MB");
  in.seekg(0, std::ios::beg);
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), size);
  if (!in) throw ScriptError(path, 0, "cannot read the script");
  return parse(text, path);
}

const char* scriptLanguageHelp() {
  return R"(Script language (UTF-8, one line each; blank lines and lines starting with '#'
are ignored; write a value with blanks in double quotes):

  command NAME          runs the module's exported command NAME. The input lines
                        that directly follow answer its requests in order; the
                        block ends at the next command, save, summary or end line.
                        Every line of the block must be used by the command.
  end                   ends a command's input block (lines after it are
                        statements again).
  save FILE             saves the drawing as DXF (relative to --out-dir) and
                        prints: saved FILE (N entities). The folder must exist;
                        a read-only file, the drawing loaded, the script and
                        the log are never replaced. A failed save ends the run.
  summary               prints what the selections made outside commands since
                        the last summary hold: entities by kind, layers, blocks,
                        extended-data applications.

Input lines (inside a command's block; select also outside, applied at once):
  select handles H1 H2 ... [empty-ok]        the entities of these handles, in order
  select all [type=T,...] [layer=L,...] [empty-ok]
                                             model-space entities in drawing order
  select window X1,Y1 X2,Y2 [empty-ok]       entities wholly inside (world coordinates)
  select assoc H [empty-ok]                  H and the entities its "VE2R_ASSOC"
                                             extended data names by (1070 272)(1005 h)
  select cancel | select fail                the user cancels (-5002) / the host fails (-5001)
  point X,Y | point cancel                   a point in user coordinates
  keyword WORD | keyword INDEX | keyword cancel
                                             a local or global keyword (any case), or
                                             the index of the offered keyword
  distance VALUE | distance cancel
  msgbox ok|cancel|yes|no|abort|retry|ignore|ID
                                             the answer of the next message box; a
                                             box without such a line is answered ok
  floorlib MARK [ACTION] | floorlib cancel   the floor-structure library's choice
  dialog wait [SECONDS] | dialog calc
  dialog set KEY VALUE [zone N|circuit N]     a setting (the keys: cadhost --help dialog)
  dialog end ok|cancel|599|600 [join A B]|601 body Z
                                             steps of the module's scripted dialog
                                             (600 alone: the selected zones are joined)
  dialog pick MODE [option N] [zone N|circuit N|edge N P|all]...
                                             picks in the preview, MODE 0 replaces,
                                             1 adds, 2 clears, 3 replaces kind by kind
                                             and adds; edge P is zone N's P-th edge
  dialog number zone N | dialog number circuit N
                                             renumbers the selected zone or circuit
  dialog colors N=C [N=C...]                 colour index C (0 to 256) of circuit N
  dialog show [ID...]                        what the pages show for the selection:
                                             the fields ID (0 to 58; none: all)
The dialog answers each step with a reply, logged with the step.

Erased and paper-space entities are never selected. An input request whose next
line is missing or of another kind answers -5001 and logs "script exhausted" or
"script mismatch".
)";
}

}  // namespace cadhost
