#include "platform/cadhost/HostApiExports.h"

#include <memory>
#include <set>

#include "platform/cadhost/CadHost.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/cadhost/HostVariables.h"
#include "platform/cadhost/HostWords.h"
#include "platform/cadhost/NarrowText.h"
#include "platform/cadhost/ResbufLists.h"
#include "platform/cadhost/SymbolName.h"
#include "platform/cadhost/TextMeasure.h"

namespace cadhost {

namespace {

CadHost& host() { return *CadHost::current(); }

std::u16string wide(const char16_t* text) { return text ? std::u16string(text) : std::u16string(); }

JsonLine exportLine(const char* name) {
  JsonLine line;
  line.text("kind", "export").text("name", name);
  return line;
}

// ---- host values

unsigned externProduct() {
  host().write(exportLine(hostApiProductExport).integer("answer", 0));
  return 0;
}

int acadType() {
  host().write(exportLine(hostApiTypeExport).integer("answer", 3));
  return 3;
}

const char16_t* userDataPath() {
  host().write(exportLine(hostApiUserPathExport).text("answer", host().userDataFolder()));
  return host().userDataFolder().c_str();
}

const char16_t* allUsersPath() {
  host().write(exportLine(hostApiAllUsersPathExport).text("answer", host().allUsersFolder()));
  return host().allUsersFolder().c_str();
}

HWND cadWindow() {
  host().write(exportLine(hostApiWindowExport));
  return host().window();
}

// ---- slots

resbuf* slot6GetVar(const char16_t* name, int wantedType) {
  resbuf* answer = variableList(host(), wide(name), wantedType);
  host().write(CadHost::slotLine(6).text("variable", wide(name)).integer("type", wantedType).boolean("answer", answer != nullptr));
  return answer;
}

int slot8GetVarStr(const char16_t* name, char16_t* buffer, int size) {
  auto value = textVariable(host().drawing(), wide(name));
  const int answer = value ? hostStatus::normal : hostStatus::error;
  copyToBuffer(value.value_or(u""), buffer, size);
  host().write(CadHost::slotLine(8).text("variable", wide(name)).text("value", value.value_or(u"")).integer("answer", answer));
  return answer;
}

int slot13LoadString(unsigned id, char16_t* buffer, int size) {
  copyToBuffer(u"", buffer, size);
  host().write(CadHost::slotLine(13).integer("id", id).integer("answer", hostStatus::error));
  return hostStatus::error;
}

void slot18Wcs2Ucs(double value[3], int vector) {
  if (value == nullptr) return;
  const Point3 in{value[0], value[1], value[2]};
  const Point3 out = vector ? host().ucs().vectorToUser(in) : host().ucs().toUser(in);
  value[0] = out.x;
  value[1] = out.y;
  value[2] = out.z;
  host().write(CadHost::slotLine(18).integer("vector", vector).reals("value", {in.x, in.y, in.z}).reals("answer", {out.x, out.y, out.z}));
}

int slot20Colour(HWND, std::uint32_t* colour) {
  host().write(CadHost::slotLine(20).integer("colour", colour ? *colour : 0).integer("answer", 0));
  return 0;  // the user cancels the colour choice
}

const char* const* slot27TextStyles(int* count) { return textStyleNames(-27, CadHost::slotLine(27), count); }

void slot28TextExtents(const char16_t* text, const char16_t* style, double height, double widthFactor, double* width,
                       double* heightOut) {
  measureText(CadHost::slotLine(28), text, style, height, widthFactor, width, heightOut);
  // The drawing interface measures every line of a multiline text.
  if (heightOut != nullptr) *heightOut = measureTextHeight(wide(text), height);
}

// An open walk over a dictionary's entries.
struct DictionaryWalk {
  std::vector<std::pair<std::u16string, RecordId>> entries;
  std::size_t next = 0;
};

// Walks still open; closed by slot 41 (or left to the end of the process).
std::set<std::unique_ptr<DictionaryWalk>>& openWalks() {
  static std::set<std::unique_ptr<DictionaryWalk>> walks;
  return walks;
}

void* slot38DictionaryOpen(const char16_t* name) {
  const Drawing& d = host().drawing();
  DictionaryWalk* walk = nullptr;
  for (const auto& [entry, record] : d.dictionaryEntries(d.rootDictionary())) {
    if (record == kNoRecord || !sameSymbolName(entry, wide(name))) continue;
    if (d.record(record).type() != u"DICTIONARY") break;
    auto made = std::make_unique<DictionaryWalk>();
    made->entries = d.dictionaryEntries(record);
    walk = made.get();
    openWalks().insert(std::move(made));
    break;
  }
  host().write(CadHost::slotLine(38).text("dictionary", wide(name)).boolean("answer", walk != nullptr));
  return walk;
}

DictionaryWalk* findWalk(void* dictionary) {
  for (const auto& walk : openWalks())
    if (walk.get() == dictionary) return walk.get();
  return nullptr;
}

resbuf* slot39DictionaryNext(void* dictionary, char16_t* name, int nameSize) {
  DictionaryWalk* walk = findWalk(dictionary);
  JsonLine line = CadHost::slotLine(39);
  const Drawing& d = host().drawing();
  while (walk != nullptr && walk->next < walk->entries.size()) {
    const auto& [entry, record] = walk->entries[walk->next++];
    if (record == kNoRecord || !d.isLive(record)) continue;
    copyToBuffer(entry, name, nameSize);
    host().write(line.text("entry", entry).text("answer", "list"));
    return newResbufList(d.handOutList(record));
  }
  copyToBuffer(u"", name, nameSize);
  host().write(line.null("answer"));
  return nullptr;
}

void slot41DictionaryClose(void* dictionary) {
  auto& walks = openWalks();
  for (auto it = walks.begin(); it != walks.end(); ++it)
    if (it->get() == dictionary) {
      walks.erase(it);
      break;
    }
  host().write(CadHost::slotLine(41));
}

void slot65Highlight(const char16_t* handle, int highlight) {
  host().write(CadHost::slotLine(65).text("handle", wide(handle)).integer("highlight", highlight));
}

void slot67TrueColour(int trueColor) { host().write(CadHost::slotLine(67).integer("trueColor", trueColor)); }

resbuf* slot72TableSearch(const char16_t* table, const char16_t* name) {
  const Drawing& d = host().drawing();
  const RecordId id = d.findTableRecord(wide(table), wide(name));
  resbuf* answer = id != kNoRecord && d.isLive(id) ? newResbufList(d.handOutList(id)) : nullptr;
  host().write(CadHost::slotLine(72).text("table", wide(table)).text("record", wide(name)).boolean("answer", answer != nullptr));
  return answer;
}

template <int Slot>
HvModuleExport slotExport(typename HostApiSlotSignature<Slot>::type function) {
  return hvExport(hostApiSlotNames[Slot], function);
}

}  // namespace

std::vector<HvModuleExport> hostApiExports() {
  return {
      hvExport(hostApiProductExport, HostProductProc{externProduct}),
      hvExport(hostApiTypeExport, HostTypeProc{acadType}),
      hvExport(hostApiUserPathExport, HostPathProc{userDataPath}),
      hvExport(hostApiAllUsersPathExport, HostPathProc{allUsersPath}),
      hvExport(hostApiWindowExport, HostWindowProc{cadWindow}),
      slotExport<6>(slot6GetVar),
      slotExport<8>(slot8GetVarStr),
      slotExport<13>(slot13LoadString),
      slotExport<18>(slot18Wcs2Ucs),
      slotExport<20>(slot20Colour),
      slotExport<27>(slot27TextStyles),
      slotExport<28>(slot28TextExtents),
      slotExport<38>(slot38DictionaryOpen),
      slotExport<39>(slot39DictionaryNext),
      slotExport<41>(slot41DictionaryClose),
      slotExport<65>(slot65Highlight),
      slotExport<67>(slot67TrueColour),
      slotExport<72>(slot72TableSearch),
  };
}

}  // namespace cadhost
