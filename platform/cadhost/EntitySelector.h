// Applies a script's selection item to the drawing: the entities it names,
// in the order the script gives them (handles, assoc) or in drawing order
// (all, window). Only live model-space entities of the ENTITIES section are
// ever selected; names that find nothing are reported as notes.
#pragma once

#include <string>
#include <vector>

#include "platform/cadhost/Drawing.h"
#include "platform/cadhost/ScriptItem.h"

namespace cadhost {

struct SelectionResult {
  std::vector<RecordId> entities;
  std::vector<std::string> notes;  // handles not found, not selectable, ...
};

class EntitySelector {
 public:
  explicit EntitySelector(const Drawing& drawing) : d_(drawing) {}

  // Cancel and fail items select nothing.
  SelectionResult select(const SelectSpec& spec) const;
  // Whether the entity can be selected at all.
  bool selectable(RecordId id) const;

  // The handles that the (1070 272)(1005 h) pairs of the entity's
  // "VE2R_ASSOC" extended data name, in order.
  static std::vector<Handle> associatedHandles(const GroupList& list);

 private:
  void byHandle(Handle handle, SelectionResult& out) const;

  const Drawing& d_;
};

}  // namespace cadhost
