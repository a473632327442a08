#include "host/entities/entityHeader.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "host/ResbufBuilder.h"
#include "host/entities/braceSections.h"
#include "host/entities/chainRange.h"
#include "host/entities/commonProperties.h"

namespace {

std::int16_t clampToInt16(std::int32_t value) {
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                            std::numeric_limits<std::int16_t>::max()));
}

// The pairs of one brace section; `inner` is spliced (the build owns it).
void addSection(std::vector<ResbufPair>& pairs, const char16_t* name, ownedChain inner) {
  pairs.push_back({102, name});
  if (inner) pairs.push_back({hvSpliceCode, inner.release()});
  pairs.push_back({102, u"}"});
}

// The brace sections of the previous list's head, the reactors taken from the
// properties when they hold a chain. False when the heap ran out.
bool addSections(std::vector<ResbufPair>& pairs, const ltEntProps& props, const resbuf* previous) {
  const resbuf* reactors = props.getReactors();
  bool hadReactorSection = false;
  forEachHeadSection(previous, [&](const braceSection& s) {
    hadReactorSection = hadReactorSection || s.name == reactorSectionName;
  });
  if (reactors && !hadReactorSection) addSection(pairs, reactorSectionName.data(), copyOwnedChain(reactors));
  bool ok = true;
  forEachHeadSection(previous, [&](const braceSection& s) {
    if (!ok) return;
    if (reactors && s.name == reactorSectionName) {
      addSection(pairs, s.name, copyOwnedChain(reactors));
      return;
    }
    ownedChain inner = copyChainRange(s.first, s.end, ok);
    if (ok) addSection(pairs, s.name, std::move(inner));
  });
  return ok;
}

// Frees the lists already handed to the pairs (the build does that itself).
void freeSpliced(std::vector<ResbufPair>& pairs) {
  for (ResbufPair& pair : pairs)
    if (pair.code == hvSpliceCode) freeResbufChain(pair.value.list(), false);
}

}  // namespace

resbuf* entBuilder2D::entityHeader(const ltEntProps& props, std::u16string_view typeName, const resbuf* previous) {
  if (typeName.empty()) return nullptr;
  std::vector<ResbufPair> pairs;
  pairs.reserve(24);
  pairs.push_back({0, typeName});
  if (!props.handle.empty()) pairs.push_back({5, props.handle});
  if (!addSections(pairs, props, previous)) {
    freeSpliced(pairs);
    return nullptr;
  }
  pairs.push_back({100, u"AcDbEntity"});
  if (props.paperSpace != 0) {
    pairs.push_back({67, 1});
    if (!props.layoutName.empty()) pairs.push_back({410, props.layoutName});
  }
  pairs.push_back({8, props.layer});
  pairs.push_back({6, props.linetype});
  pairs.push_back({62, props.colorIndex});
  if (props.hasTrueColor) pairs.push_back({420, props.trueColor});
  if (props.transparencyMode != 0)
    pairs.push_back({440, encodeTransparency(props.transparencyMode, props.transparencyPercent)});
  if (props.visibility != 0) pairs.push_back({60, props.visibility});
  pairs.push_back({370, clampToInt16(props.lineweight)});
  pairs.push_back({48, props.linetypeScale});
  return buildResbufList(pairs);
}

resbuf* entBuilder2D::keptGroup(int code, const resbuf* list, const resbuf* preferred) {
  auto first = [code](const resbuf* from) {
    while (from != nullptr && from->code != code) from = from->next;
    return from;
  };
  const resbuf* node = preferred ? first(preferred) : nullptr;
  if (node == nullptr) node = first(list);
  return node ? copyResbufChainEx(node, false, true, true, nullptr, nullptr) : nullptr;
}

resbuf* entBuilder2D::tailCopy(const ltEntProps& props) {
  return props.getTail() ? copyResbufChain(props.getTail(), false) : nullptr;
}
