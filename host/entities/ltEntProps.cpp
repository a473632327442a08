#include "host/entities/ltEntProps.h"

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
