#include "platform/cadhost/HostWords.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/cadhost/BlockBuilder.h"
#include "platform/cadhost/CadHost.h"
#include "platform/cadhost/HatchPatterns.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/cadhost/HostVariables.h"
#include "platform/cadhost/NarrowText.h"
#include "platform/cadhost/ResbufLists.h"
#include "platform/cadhost/SymbolName.h"
#include "platform/cadhost/TextMeasure.h"

namespace cadhost {

namespace {

CadHost& host() { return *CadHost::current(); }

std::u16string wide(const char16_t* text) { return text ? std::u16string(text) : std::u16string(); }

std::vector<double> pointValues(const Point3& p) { return {p.x, p.y, p.z}; }

// ---- transactions and the main window

void word17() { host().openTransaction(); }
void word19(std::uint32_t code) { host().endOutput(code); }

HWND word20() {
  host().write(CadHost::wordLine(20).text("answer", "main window"));
  return host().window();
}

// ---- variables

resbuf* word28(const char* name, int wantedType) {
  const std::u16string n = narrowToWide(name);
  resbuf* answer = variableList(host(), n, wantedType);
  host().write(CadHost::wordLine(28).text("name", n).integer("type", wantedType).boolean("answer", answer != nullptr));
  return answer;
}

const char* word29(const char* name) {
  const std::u16string n = narrowToWide(name);
  auto value = textVariable(host().drawing(), n);
  host().write(CadHost::wordLine(29).text("name", n).text("answer", value.value_or(u"")));
  if (!value) return nullptr;
  return host().keepNarrow(29, wideToNarrow(*value));
}

double word32(const HostExport2D*, int) {
  const double scale = host().options().scale;
  host().write(CadHost::wordLine(32).real("answer", scale));
  return scale;
}

int word33() {
  CadHost* h = CadHost::current();
  if (h == nullptr) return 0;
  const int factor = h->unitFactor();
  h->write(CadHost::wordLine(33).integer("answer", factor));
  return factor;
}

void convertPoint(int word, double point[2]) {
  if (point == nullptr) {
    host().write(CadHost::wordLine(word).text("error", "no point"));
    return;
  }
  const Point3 in{point[0], point[1], 0.0};
  const Point3 out = word == 35 ? host().ucs().toWorld(in) : host().ucs().toUser(in);
  point[0] = out.x;
  point[1] = out.y;
  host().write(CadHost::wordLine(word).reals("point", {in.x, in.y}).reals("answer", {out.x, out.y}));
}

void word35(double point[2], int) { convertPoint(35, point); }
void word36(double point[2], int) { convertPoint(36, point); }

// ---- selection

int word37(const char* prompt, int mode, int filter, int) { return host().selectionRequest(37, prompt, mode, filter); }
int word138(const char* prompt, int mode, int filter, int, void*) {
  return host().selectionRequest(138, prompt, mode, filter);
}
resbuf* word112(int) { return host().nextSelected(112); }
resbuf* word167(int, int) { return host().nextSelected(167); }

// ---- product databases (HostProducts.h)

void* word51(int letter, const HostExport2D*, void*) {
  JsonLine line = CadHost::wordLine(51);
  line.integer("letter", letter);
  qevDatabase::Database* database = nullptr;
  if (letter > 0 && letter <= 0xFFFF) database = host().productDatabase(static_cast<char16_t>(letter));
  if (database != nullptr) line.text("answer", u"database " + std::u16string(1, database->letter()));
  else line.null("answer");
  host().write(line);
  return database;
}

// ---- blocks

void word53(const resbuf* block, char16_t* buffer, int size, int selector) {
  GroupList list;
  std::string error;
  std::u16string text;
  if (block != nullptr && readResbufList(block, list, error)) {
    const int code = selector == 1 ? 1 : 4;
    text = std::u16string(groupText(list, code));
    // The drawing's own header when the list names a block it has.
    if (auto index = host().drawing().findBlock(groupText(list, 2)))
      text = std::u16string(groupText(host().drawing().record(host().drawing().block(*index).begin).list, code));
  }
  copyToBuffer(text, buffer, size);
  host().write(CadHost::wordLine(53).text("block", groupText(list, 2)).integer("selector", selector).integer("size", size).text("answer", text));
}

int word111(int mode, char16_t* name, const resbuf* entity, int anonymous, double x, double y, double z) {
  JsonLine line = CadHost::wordLine(111);
  line.integer("mode", mode);
  BlockBuilder& blocks = host().drawing().blockBuilder();
  int answer = hostStatus::error;
  constexpr int kNameSize = 128;
  if (mode == 0) {
    std::u16string given;
    if (name != nullptr) given.assign(name, std::find(name, name + kNameSize, u'\0'));
    const std::u16string made = blocks.begin(given, anonymous != 0, {x, y, z});
    line.text("name", given).integer("anonymous", anonymous).reals("base", {x, y, z}).text("defined", made);
    if (!made.empty()) {
      if (made != given) copyToBuffer(made, name, kNameSize);
      answer = hostStatus::normal;
    }
  } else if (mode == 1) {
    GroupList list;
    std::string error;
    if (entity == nullptr || !readResbufList(entity, list, error)) {
      line.text("error", entity == nullptr ? "no list" : error);
    } else {
      MakeResult result = blocks.add(list);
      line.text("type", groupText(list, 0));
      if (result.record != kNoRecord) line.text("handle", handleText(host().drawing().record(result.record).handle));
      if (result.ok()) answer = hostStatus::normal;
      else line.text("error", result.message);
    }
  } else if (mode == 2) {
    if (blocks.end()) answer = hostStatus::normal;
    else line.text("error", "no block definition is open");
  } else {
    line.text("error", "unknown mode");
  }
  host().write(line.integer("answer", answer));
  return answer;
}

resbuf* word113(int rewind) {
  BlockWalk& walk = host().blockWalk();
  if (rewind == 1) walk.rewind();
  std::optional<GroupList> next = walk.next();
  JsonLine line = CadHost::wordLine(113);
  line.integer("rewind", rewind);
  if (!next) {
    host().write(line.null("answer"));
    return nullptr;
  }
  line.text("type", groupText(*next, 0)).text("handle", groupText(*next, 5));
  if (groupText(*next, 0) == u"BLOCK") line.text("block", groupText(*next, 2));
  host().write(line.text("answer", "list"));
  return newResbufList(*next);
}

// ---- tables and texts

const char* const* word59(int* count) { return textStyleNames(59, CadHost::wordLine(59), count); }

int word60(const char* name, const double** dashes, int* count) {
  const std::u16string linetype = narrowToWide(name != nullptr ? name : "");
  JsonLine line = CadHost::wordLine(60);
  line.text("name", linetype);
  std::vector<double> lengths;
  const Drawing& drawing = host().drawing();
  const RecordId record = drawing.findTableRecord(u"LTYPE", linetype);
  if (record != kNoRecord && drawing.isLive(record))
    for (const Group& group : drawing.record(record).list)
      if (group.code() == 49) lengths.push_back(group.asReal());
  const int status = lengths.empty() ? hostStatus::error : hostStatus::normal;
  line.reals("dashes", lengths).integer("answer", status);
  host().write(line);
  if (count != nullptr) *count = static_cast<int>(lengths.size());
  if (dashes != nullptr) *dashes = lengths.empty() ? nullptr : host().keepReals(60, std::move(lengths));
  return status;
}

void word77(int, const unsigned char** patterns, int* count, int) {
  std::size_t n = 0;
  const HostHatchPattern* table = hostHatchPatterns(n);
  if (patterns != nullptr) *patterns = reinterpret_cast<const unsigned char*>(table);
  if (count != nullptr) *count = static_cast<int>(n);
  host().write(CadHost::wordLine(77).integer("answer", static_cast<std::int64_t>(n)));
}

const char* word94() {
  host().write(CadHost::wordLine(94).text("answer", "cadhost"));
  return "cadhost";
}

void word109(int, char16_t* buffer, int size) {
  copyToBuffer(host().hostFolder(), buffer, size);
  host().write(CadHost::wordLine(109).integer("size", size).text("answer", host().hostFolder()));
}

void word131(const char16_t* text, const char16_t* style, double height, double widthFactor, double* width,
             double* heightOut) {
  measureText(CadHost::wordLine(131), text, style, height, widthFactor, width, heightOut);
}

void word153(const char16_t* topic) { host().write(CadHost::wordLine(153).text("topic", wide(topic))); }

void word164(char16_t* buffer) {
  const Handle h = host().drawing().reserveHandle();
  copyToBuffer(handleText(h), buffer, 50);
  host().write(CadHost::wordLine(164).text("answer", handleText(h)));
}

double word178() {
  host().write(CadHost::wordLine(178).real("answer", 1.0));
  return 1.0;
}

void word180(int what, char16_t* buffer, int size) {
  const std::u16string folder = what == 0x10003 ? host().hostFolder() : std::u16string();
  copyToBuffer(folder, buffer, size);
  host().write(CadHost::wordLine(180).integer("what", what).integer("size", size).text("answer", folder));
}

double word216() {
  const double scale = host().options().annotationScale;
  host().write(CadHost::wordLine(216).real("answer", scale));
  return scale;
}

void word217(const char16_t* layer, unsigned char first, unsigned char second) {
  const bool stored = host().drawing().setLayerState(wide(layer), first, second);
  JsonLine line = CadHost::wordLine(217);
  line.text("layer", wide(layer)).integer("first", first).integer("second", second);
  if (!stored) line.text("note", "no such layer: kept aside");
  host().write(line);
}

void word218(const char16_t* layer, unsigned char* first, unsigned char* second) {
  auto [a, b] = host().drawing().layerState(wide(layer));
  if (first != nullptr) *first = a;
  if (second != nullptr) *second = b;
  host().write(CadHost::wordLine(218).text("layer", wide(layer)).integer("first", a).integer("second", b));
}

// ---- output

int word114(const resbuf* list, int, int) { return host().makeEntity(list); }
void word142(const char16_t* const* handles, int count, int flag) { host().handOver(handles, count, flag); }

// ---- user input

// An input of one value from the script: 5100 with `apply` run on the
// line, -5002 for "cancel", -5001 without a fitting line.
template <class Apply>
int scriptedInput(int word, const char16_t* prompt, ScriptKind kind, Apply apply) {
  JsonLine line = CadHost::wordLine(word);
  line.text("prompt", wide(prompt));
  const std::string requester = "word " + std::to_string(word);
  if (host().injectFailure(word, line)) {
    host().write(line.integer("answer", hostStatus::error));
    return hostStatus::error;
  }
  const ScriptItem* item = host().takeInput(kind, requester.c_str(), wide(prompt));
  int answer = hostStatus::error;
  if (item != nullptr) {
    line.integer("line", static_cast<std::int64_t>(item->line));
    answer = item->cancel ? hostStatus::cancelled : hostStatus::normal;
    if (!item->cancel) apply(*item, line);
  }
  host().write(line.integer("answer", answer));
  return answer;
}

int word118(int, const char16_t* prompt, double point[3]) {
  return scriptedInput(118, prompt, ScriptKind::Point, [point](const ScriptItem& item, JsonLine& line) {
    if (point != nullptr) {
      point[0] = item.point.x;
      point[1] = item.point.y;
      point[2] = 0.0;
    }
    line.reals("point", pointValues(item.point));
  });
}

int word198(const char16_t* prompt, double* distance) {
  return scriptedInput(198, prompt, ScriptKind::Distance, [distance](const ScriptItem& item, JsonLine& line) {
    if (distance != nullptr) *distance = item.distance;
    line.real("distance", item.distance);
  });
}

// The records of a keyword list the host can read: none for a missing or
// malformed list (another record size or version, a record without local or
// global keyword, more than kMaxKeywords records).
constexpr std::uint32_t kMaxKeywords = 1000;

struct OfferedKeyword {
  std::u16string local;
  std::u16string global;
  std::u16string display;
};

std::vector<OfferedKeyword> offeredKeywords(const HostKeywordList* list, std::string& problem) {
  std::vector<OfferedKeyword> out;
  if (list == nullptr || list->recordSize != sizeof(HostKeywordRecord) || list->version != 1 ||
      list->count > kMaxKeywords || (list->count > 0 && list->records == nullptr)) {
    problem = "the keyword list is missing or malformed";
    return out;
  }
  for (std::uint32_t i = 0; i < list->count; ++i) {
    const HostKeywordRecord& r = list->records[i];
    if (r.size != sizeof(HostKeywordRecord) || r.local == nullptr || r.global == nullptr) {
      problem = "keyword record " + std::to_string(i) + " is malformed";
      out.clear();
      return out;
    }
    out.push_back({wide(r.local), wide(r.global), r.display != nullptr ? wide(r.display) : wide(r.local)});
  }
  return out;
}

int word127(const char16_t* prompt, const HostKeywordList* keywords, int* index, int) {
  std::string problem;
  const std::vector<OfferedKeyword> offered = offeredKeywords(keywords, problem);
  std::u16string shown = wide(prompt);
  std::u16string display;
  std::vector<std::string> locals;
  for (const OfferedKeyword& k : offered) {
    display += (display.empty() ? u"" : u"/") + k.display;
    locals.push_back(utf16ToUtf8(k.local));
  }
  if (auto at = shown.find(u"%s"); at != std::u16string::npos) shown.replace(at, 2, display);
  JsonLine line = CadHost::wordLine(127);
  line.text("prompt", shown).texts("keywords", locals);
  if (host().injectFailure(127, line)) {
    host().write(line.integer("answer", hostStatus::error));
    return hostStatus::error;
  }
  if (!problem.empty()) {
    host().fault("word 127: " + problem);
    host().write(line.text("error", problem).integer("answer", hostStatus::error));
    return hostStatus::error;
  }
  const ScriptItem* item = host().takeInput(ScriptKind::Keyword, "word 127", shown);
  int answer = hostStatus::error;
  if (item != nullptr) {
    line.integer("line", static_cast<std::int64_t>(item->line));
    int chosen = -1;
    if (item->cancel) {
      answer = hostStatus::cancelled;
    } else if (item->keywordIndex >= 0) {
      if (static_cast<std::size_t>(item->keywordIndex) < offered.size()) chosen = item->keywordIndex;
    } else {
      for (std::size_t k = 0; k < offered.size() && chosen < 0; ++k)
        if (sameSymbolName(offered[k].local, item->keyword) || sameSymbolName(offered[k].global, item->keyword))
          chosen = static_cast<int>(k);
    }
    if (chosen >= 0) {
      if (index != nullptr) *index = chosen;
      line.integer("index", chosen).text("keyword", offered[static_cast<std::size_t>(chosen)].local);
      answer = hostStatus::normal;
    } else if (!item->cancel) {
      line.text("error", "script mismatch: the keyword is not offered");
      host().fault("keyword line " + std::to_string(item->line) + " names no keyword the command offers");
    }
  }
  host().write(line.integer("answer", answer));
  return answer;
}

}  // namespace

const char* const* textStyleNames(int key, JsonLine line, int* count) {
  int n = 0;
  std::vector<std::string> names;
  for (const std::u16string& style : host().drawing().tableRecordNames(u"STYLE")) names.push_back(wideToNarrow(style));
  const char* const* array = host().keepNarrowArray(key, std::move(names), n);
  if (count != nullptr) *count = n;
  host().write(line.integer("answer", n));
  return array;
}

void measureText(JsonLine line, const char16_t* text, const char16_t* style, double height, double widthFactor,
                 double* width, double* heightOut) {
  const double w = measureTextWidth(wide(text), height, widthFactor);
  if (width != nullptr) *width = w;
  if (heightOut != nullptr) *heightOut = height;
  host().write(line.text("text", wide(text)).text("style", wide(style)).real("height", height)
                   .real("widthFactor", widthFactor).real("width", w));
}

void copyToBuffer(std::u16string_view text, char16_t* buffer, int size) {
  if (buffer == nullptr || size < 1) return;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::copy_n(text.data(), n, buffer);
  buffer[n] = u'\0';
}

void fillHostWords(HostExport2D& table, bool withWord138) {
  table = HostExport2D{};
  setHostWord<17>(table, word17);
  setHostWord<19>(table, word19);
  setHostWord<20>(table, word20);
  setHostWord<28>(table, word28);
  setHostWord<29>(table, word29);
  setHostWord<32>(table, word32);
  setHostWord<33>(table, word33);
  setHostWord<35>(table, word35);
  setHostWord<36>(table, word36);
  setHostWord<37>(table, word37);
  setHostWord<51>(table, word51);
  setHostWord<53>(table, word53);
  setHostWord<59>(table, word59);
  setHostWord<60>(table, word60);
  setHostWord<77>(table, word77);
  setHostWord<94>(table, word94);
  setHostWord<109>(table, word109);
  setHostWord<111>(table, word111);
  setHostWord<112>(table, word112);
  setHostWord<113>(table, word113);
  setHostWord<114>(table, word114);
  setHostWord<118>(table, word118);
  setHostWord<127>(table, word127);
  setHostWord<131>(table, word131);
  if (withWord138) setHostWord<138>(table, word138);
  setHostWord<142>(table, word142);
  setHostWord<153>(table, word153);
  setHostWord<164>(table, word164);
  setHostWord<167>(table, word167);
  setHostWord<178>(table, word178);
  setHostWord<180>(table, word180);
  setHostWord<198>(table, word198);
  setHostWord<216>(table, word216);
  setHostWord<217>(table, word217);
  setHostWord<218>(table, word218);
}

HostExport2D* getExport2DExport() {
  CadHost* h = CadHost::current();
  return h != nullptr ? h->table() : nullptr;
}

int runScriptedDialogExport(const char16_t* dialogName, HvDialogDriverProc driver, void* context) {
  CadHost* h = CadHost::current();
  return h != nullptr ? h->runScriptedDialog(dialogName, driver, context) : hostStatus::error;
}

}  // namespace cadhost
