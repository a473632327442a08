// Makes and updates entities from group lists, the way the module's word 114
// and the entity part of word 111 expect:
// - a list with a (-1) name or a group 5 handle of an existing entity (erased
//   ones included) replaces that entity's list in place, keeping its position,
//   handle and owner, and revives it; an identical list changes nothing;
// - any other list appends a new entity, with its own handle when that handle
//   is free (a reserved one included), else with a fresh one;
// - an INSERT with (66 . 1), or a POLYLINE, waits for its ATTRIB or VERTEX
//   lists and is completed by a SEQEND list or by the next other list;
// - of a group the entity holds once, the first occurrence wins;
// - missing layers, linetypes, text styles and dimension styles are created.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/cadhost/Drawing.h"

namespace cadhost {

class EntityMaker {
 public:
  explicit EntityMaker(Drawing& drawing) : d_(drawing) {}

  // Model space (word 114).
  MakeResult make(const GroupList& list);
  // A new entity of a block under definition; names are ignored and a used
  // handle is replaced.
  MakeResult makeInBlock(std::size_t block, const GroupList& list);

  // Completes a waiting INSERT/POLYLINE (a commit or a save does this).
  void flush();
  // Forgets it (rollback).
  void discard() { pending_.reset(); }
  bool hasPending() const { return pending_.has_value(); }

 private:
  struct Pending {
    std::int32_t block = -1;
    RecordId existing = kNoRecord;
    GroupList parent;
    std::vector<GroupList> children;
    std::optional<GroupList> seqend;
  };

  MakeResult makeIn(std::int32_t block, const GroupList& input, bool mayUpdate);
  // Takes the -1 name out, puts group 0 first and upper-cases the type.
  bool prepare(const GroupList& input, GroupList& list, std::u16string& name, std::string& error) const;
  RecordId locate(const std::u16string& name, const GroupList& list, bool subEntity) const;
  void normalize(GroupList& list, const GroupList* previous) const;
  MakeResult complete();

  MakeResult update(RecordId id, GroupList list);
  RecordId append(std::int32_t block, GroupList list, RecordKind kind, RecordId parent, Handle owner);
  Handle ownerFor(std::int32_t block) const;
  Handle freeHandleFrom(const GroupList& list) const;

  Drawing& d_;
  std::optional<Pending> pending_;
};

}  // namespace cadhost
