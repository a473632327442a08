#include "heating/design/settings/FloorStructureLayers.h"

#include "heating/design/settings/CFHStringPairTable.h"

#include "host/CodePageText.h"
#include "host/SiblingModules.h"

#include <cstdlib>
#include <string>

namespace {

// Frees a library list of `count` entries, each entry and then the array.
template <typename Entry>
void freeLibraryList(Entry** list, int count) {
  if (list == nullptr) return;
  for (int i = 0; i < count; ++i) std::free(list[i]);
  std::free(list);
}

}  // namespace

void loadFloorStructureLayers(const CString& mark, const CString& action, std::vector<CFHFloorLayer>& upper,
                              std::vector<CFHFloorLayer>& lower) {
  upper.clear();
  lower.clear();
  if (hvSiblings.floorEnumDef == nullptr) return;
  const std::string narrowMark = hvWideToMb(mark.view());
  const std::string narrowAction = hvWideToMb(action.view());
  HvFloorLayer** layers = nullptr;
  const int count = hvSiblings.floorEnumDef(1, narrowMark.c_str(), narrowAction.c_str(), &layers);
  std::vector<CFHFloorLayer>* current = &upper;
  for (int i = 0; layers != nullptr && i < count; ++i) {
    const HvFloorLayer* layer = layers[i];
    if (layer == nullptr) continue;
    current->push_back({layer->thicknessMm * 0.001, layer->value});
    if (layer->flag != 0) current = &lower;
  }
  freeLibraryList(layers, count);
}

void readFloorCatalogue(CFHStringPairTable& catalogue) {
  catalogue.clear();
  if (hvSiblings.floorEnumAction == nullptr) return;
  char** names = nullptr;
  const int nameCount = hvSiblings.floorEnumAction(1, &names);
  for (int i = 0; names != nullptr && i < nameCount; ++i) {
    if (names[i] == nullptr) continue;
    CFHStringPairTable::Entry& entry = catalogue.addKey(CString(hvMbToWide(names[i])));
    if (hvSiblings.floorEnumMarks == nullptr) continue;
    char** marks = nullptr;
    const int markCount = hvSiblings.floorEnumMarks(1, names[i], &marks);
    for (int j = 0; marks != nullptr && j < markCount; ++j) {
      if (marks[j] != nullptr) catalogue.add(entry.key, CString(hvMbToWide(marks[j])));
    }
    freeLibraryList(marks, markCount);
  }
  freeLibraryList(names, nameCount);
}
