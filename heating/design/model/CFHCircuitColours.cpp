// The colours of a design's circuits by circuit number, as the pages show and
// change them.
#include "heating/design/model/CFHModel.h"

#include "heating/design/model/CFHCircuit.h"

std::map<std::uint32_t, std::uint32_t> CFHModel::collectCircuitColors() const {
  std::map<std::uint32_t, std::uint32_t> colours;
  for (const auto& circuit : circuits_) colours.emplace(circuit->number, circuit->colourIndex);
  return colours;
}

void CFHModel::applyCircuitColors(std::map<std::uint32_t, std::uint32_t>& colours) {
  // operator[] enters a number the map lacks with colour 0.
  for (const auto& circuit : circuits_) circuit->colourIndex = colours[circuit->number];
}
