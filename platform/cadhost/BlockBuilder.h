// Block definitions made by the module (word 111): begin a definition, add
// entities in block coordinates, end it. An anonymous name ('*' first) that
// already exists is replaced by a fresh unique one, because the module's
// counter of anonymous names restarts in every run; an existing named block
// is redefined.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cadhost/Drawing.h"

namespace cadhost {

class BlockBuilder {
 public:
  explicit BlockBuilder(Drawing& drawing) : d_(drawing) {}

  // Answers the name the definition got; empty when refused (no name).
  std::u16string begin(std::u16string_view name, bool anonymous, Point3 base);
  // A new entity of the open definition: a (-1) name is ignored and a used
  // handle is replaced by a fresh one.
  MakeResult add(const GroupList& entity);
  // False when no definition is open.
  bool end();
  bool isOpen() const { return current_ >= 0; }
  // Forgets the open definition (its changes are rolled back elsewhere).
  void abandon() { current_ = -1; }

  // A whole block made at once beside the open definition, which stays open
  // (the host's own blocks, such as the geometry of a dimension): `name`
  // redefined when `redefine` and a block has it, else a fresh unique name
  // made from it. Answers the name; empty when refused.
  std::u16string defineWhole(std::u16string_view name, bool redefine, Point3 base,
                             const std::vector<GroupList>& entities);

  // `name` with its trailing hexadecimal digits counted up until no block has
  // it ("*U9" -> "*UA", "*X" -> "*X1").
  std::u16string uniqueName(std::u16string_view name) const;

 private:
  // Opens the definition: an existing block of the name is redefined unless
  // the name is anonymous (and `redefineAnonymous` is false) or a layout's.
  std::u16string open(std::u16string_view name, bool anonymous, Point3 base, bool redefineAnonymous);

  Drawing& d_;
  std::int32_t current_ = -1;
};

}  // namespace cadhost
