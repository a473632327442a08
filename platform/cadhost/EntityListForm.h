// The form entity lists take inside the host, and the rules that turn lists
// from the module into it.
//
// Chunked text: MTEXT text, and the embedded text of a multiline ATTRIB or
// ATTDEF, is held as group 1 with the first 250 units and then groups 3 with
// the rest, 250 units each, which is the order the module writes. Files put
// the 3 chunks first and a final 1; the reader and the writer convert.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>
#include <string_view>

#include "platform/cadhost/Group.h"

namespace cadhost {

class EntityListForm {
 public:
  static constexpr std::size_t kChunkLength = 250;

  // Where the chunked text lies: the MTEXT body, or the embedded object part
  // of ATTRIB/ATTDEF (after group 101); empty for other kinds.
  struct ChunkRegion {
    std::size_t begin = 0;
    std::size_t end = 0;
  };
  static ChunkRegion chunkRegion(const GroupList& list);
  static bool isChunk(const Group& g) { return (g.code() == 1 || g.code() == 3) && g.isText(); }
  // The text of the chunk groups of the region in list order, with the index
  // of the first and their count.
  static std::u16string chunkText(const GroupList& list, ChunkRegion region, std::size_t& first,
                                  std::size_t& count);
  // Pieces of at most kChunkLength units, never between the halves of a
  // surrogate pair; an empty text is one empty piece.
  static std::vector<std::u16string> splitChunks(const std::u16string& text);
  // Regroups the chunks, in whatever order they come, into list form, placed
  // where the first chunk was. `fix`, when given, is applied to the joined
  // text first (the reader decodes escapes that a chunk boundary split).
  static void chunksToListForm(GroupList& list, const std::function<void(std::u16string&)>& fix = {});

  // The first occurrence of a group that an entity holds once wins.
  static void dropRepeatedGroups(GroupList& list);
  // How many coordinates each point writes: as in `previous` (the list the
  // entity had) where it has the same point, else 2 for the points files
  // write without z (LWPOLYLINE vertices, HATCH paths and seeds, IMAGE and
  // WIPEOUT size and clip points), else 3.
  static void setPointDims(GroupList& list, const GroupList* previous);

  // A type the ENTITIES section may hold.
  static bool isEntityType(std::u16string_view type);
};

}  // namespace cadhost
