#include "host/entities/ltEntProps.h"

#include <cstdlib>

#include "host/HeapText.h"
#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/entities/commonProperties.h"

ltEntProps::ltEntProps(const ltEntProps& other)
    : layer(other.layer),
      linetype(other.linetype),
      colorIndex(other.colorIndex),
      trueColor(other.trueColor),
      hasTrueColor(other.hasTrueColor),
      transparencyMode(other.transparencyMode),
      transparencyPercent(other.transparencyPercent),
      lineweight(other.lineweight),
      linetypeScale(other.linetypeScale),
      visibility(other.visibility),
      paperSpace(other.paperSpace),
      layoutName(other.layoutName),
      handle(other.handle),
      extraGroups_(copyOwnedChain(other.extraGroups_.get())),
      reactors_(copyOwnedChain(other.reactors_.get())) {}

ltEntProps& ltEntProps::operator=(const ltEntProps& other) {
  if (this != &other) {
    ltEntProps copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void ltEntProps::reset(bool byBlock) {
  layer = u"0";
  linetype = byBlock ? u"BYBLOCK" : u"BYLAYER";
  colorIndex = byBlock ? 0 : 256;
  trueColor = 0;
  hasTrueColor = false;
  transparencyMode = byBlock ? 1 : 0;
  transparencyPercent = 0;
  lineweight = byBlock ? -2 : -1;
  linetypeScale = 1.0;
  visibility = 0;
  paperSpace = 0;
  layoutName.clear();
  handle.clear();
  extraGroups_.reset();
  reactors_.reset();
}

void ltEntProps::appendToTail(ownedChain chain) {
  if (!chain) return;
  resbuf* head = extraGroups_.release();
  appendResbufChain(&head, chain.release());
  extraGroups_.reset(head);
}

void ltEntProps::prependTail(ownedChain chain) {
  if (!chain) return;
  resbuf* head = chain.release();
  appendResbufChain(&head, extraGroups_.release());
  extraGroups_.reset(head);
}

// Writes the block into the common groups of the list (from its "AcDbEntity"
// marker to the next subclass marker) in place.
bool ltEntProps::applyToList(resbuf* list) const {
  resbuf* marker = findResbufText(list, 100, u"AcDbEntity");
  if (marker == nullptr) return false;
  bool ok = true;
  auto setText = [&ok](resbuf* node, const std::u16string& text) {
    char16_t* copy = hvWcsDup(text.c_str());
    if (copy == nullptr) {
      ok = false;
      return;
    }
    std::free(node->value.str);
    node->value.str = copy;
  };
  resbuf* colour = nullptr;
  bool trueColourWritten = false;
  // `link` is the pointer to the node looked at, so that nodes can go.
  for (resbuf** link = &marker->next; *link != nullptr && (*link)->code != 100 && (*link)->code < 1000;) {
    resbuf* node = *link;
    bool remove = false;
    switch (node->code) {
      case 8: setText(node, layer); break;
      case 6: setText(node, linetype); break;
      case 62: node->value.i16 = colorIndex; colour = node; break;
      case 370: node->value.i16 = static_cast<std::int16_t>(lineweight); break;
      case 48: node->value.real = linetypeScale; break;
      case 60: node->value.i16 = visibility; break;
      case 420:
        remove = !hasTrueColor;
        node->value.i32 = static_cast<std::int32_t>(trueColor & 0xFFFFFF);
        trueColourWritten = hasTrueColor;
        break;
      case 440:
        // By layer is no 440 at all: a 440 of 0 is no transparency DXF knows.
        remove = transparencyMode == 0;
        node->value.i32 = encodeTransparency(transparencyMode, transparencyPercent);
        break;
      default: break;
    }
    if (remove) {
      *link = node->next;
      node->next = nullptr;
      freeResbufChain(node, false);
    } else {
      link = &node->next;
    }
  }
  if (hasTrueColor && !trueColourWritten && colour != nullptr) {
    resbuf* added = buildResbufList({{420, static_cast<std::int32_t>(trueColor & 0xFFFFFF)}});
    if (added != nullptr) resbufInsertAfter(colour, added);
    else ok = false;
  }
  return ok;
}
