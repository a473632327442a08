#include "host/entities/styleTables.h"

#include <algorithm>
#include <array>

#include "host/CodePageText.h"
#include "host/HvHostApi.h"
#include "host/ResbufChain.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/nameCompare.h"

namespace {

constexpr std::array<int, 44> kMLeaderStyleCodes = {170, 171, 172, 90,  40,  41,  173, 91,  340, 92,  290,
                                                    42,  291, 43,  3,   341, 44,  300, 342, 174, 175, 176,
                                                    178, 93,  45,  292, 297, 46,  343, 94,  47,  49,  140,
                                                    293, 141, 294, 177, 142, 295, 296, 143, 272, 273, 298};

// Entries one dictionary walk reads at most.
constexpr int kMaxEntries = 100000;

std::u16string textOf(const resbuf* list, int code) {
  const resbuf* node = entReader2D::firstGroup(list, code);
  return node && node->value.str ? std::u16string(node->value.str) : std::u16string();
}

// Handle and owner text (the -1 text, else the handle).
template <class Style>
void readIdentity(Style& style, const resbuf* list) {
  style.handle = textOf(list, 5);
  style.owner = textOf(list, -1);
  if (style.owner.empty()) style.owner = style.handle;
}

double realOf(const resbuf* list, int code, double fallback) {
  const resbuf* node = entReader2D::firstGroup(list, code);
  return node ? node->value.real : fallback;
}

int intOf(const resbuf* list, int code) {
  const resbuf* node = entReader2D::firstGroup(list, code);
  return node ? node->value.i16 : 0;
}

}  // namespace

const resbuf* HvMLeaderStyle::group(int code) const { return entReader2D::firstGroup(groups.get(), code); }

void readTextStyles(std::vector<HvTextStyle>& styles) {
  styles.clear();
  int count = 0;
  const char* const* names = callHostApi<27>(&count).value_or(nullptr);
  if (names == nullptr) return;
  for (int i = 0; i < count && i < kMaxEntries; ++i) {
    if (names[i] == nullptr) continue;
    const std::u16string name = hvMbToWide(names[i]);
    ownedChain record(callHostApi<72>(u"STYLE", name.c_str()).value_or(nullptr));
    if (!record) continue;
    HvTextStyle& style = styles.emplace_back();
    style.name = name;
    readIdentity(style, record.get());
    style.flags = intOf(record.get(), 70);
    style.height = realOf(record.get(), 40, 0.0);
    style.widthFactor = realOf(record.get(), 41, 1.0);
    style.oblique = realOf(record.get(), 50, 0.0);
    style.generationFlags = intOf(record.get(), 71);
    style.lastHeight = realOf(record.get(), 42, 0.0);
    const resbuf* font = entReader2D::firstGroup(record.get(), 3);
    if (font != nullptr) {
      style.fontFile = font->value.str ? font->value.str : u"";
      style.afterFont = copyOwnedChain(font->next);
    }
  }
}

void readMLeaderStyles(std::vector<HvMLeaderStyle>& styles) {
  styles.clear();
  void* dictionary = callHostApi<38>(u"ACAD_MLEADERSTYLE").value_or(nullptr);
  if (dictionary == nullptr) return;
  std::array<char16_t, 256> name{};
  for (int i = 0; i < kMaxEntries; ++i) {
    name[0] = u'\0';
    ownedChain entry(callHostApi<39>(dictionary, name.data(), static_cast<int>(name.size())).value_or(nullptr));
    if (!entry) break;
    name.back() = u'\0';
    if (name[0] == u'\0') continue;
    HvMLeaderStyle& style = styles.emplace_back();
    style.name = name.data();
    readIdentity(style, entry.get());
    resbuf* head = nullptr;
    resbuf** link = &head;
    std::vector<int> seen;
    for (const resbuf* node = entry.get(); node != nullptr; node = node->next) {
      if (std::find(kMLeaderStyleCodes.begin(), kMLeaderStyleCodes.end(), node->code) == kMLeaderStyleCodes.end() ||
          std::find(seen.begin(), seen.end(), node->code) != seen.end())
        continue;
      resbuf* copy = copyResbufChainEx(node, false, true, true, nullptr, nullptr);
      if (copy == nullptr) continue;
      seen.push_back(node->code);
      *link = copy;
      link = &copy->next;
    }
    style.groups.reset(head);
  }
  callHostApi<41>(dictionary);
}

const HvTextStyle* findTextStyle(const std::vector<HvTextStyle>& styles, std::u16string_view name) {
  for (const std::u16string_view wanted : {name, std::u16string_view(u"Standard")})
    for (const HvTextStyle& style : styles)
      if (sameNameNoCase(style.name, wanted)) return &style;
  return nullptr;
}

const HvTextStyle* findTextStyleByHandle(const std::vector<HvTextStyle>& styles, std::u16string_view handle) {
  for (const HvTextStyle& style : styles)
    if (!handle.empty() && (sameNameNoCase(style.handle, handle) || sameNameNoCase(style.owner, handle)))
      return &style;
  return findTextStyle(styles, u"Standard");
}

const HvMLeaderStyle* findStyleRecord(const std::vector<HvMLeaderStyle>& styles, std::u16string_view handle) {
  for (const HvMLeaderStyle& style : styles)
    if (!handle.empty() && (sameNameNoCase(style.handle, handle) || sameNameNoCase(style.owner, handle)))
      return &style;
  return nullptr;
}

const HvMLeaderStyle* findStyleRecordByName(const std::vector<HvMLeaderStyle>& styles, std::u16string_view name) {
  for (const HvMLeaderStyle& style : styles)
    if (sameNameNoCase(style.name, name)) return &style;
  return nullptr;
}
