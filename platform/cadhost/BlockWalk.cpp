#include "platform/cadhost/BlockWalk.h"

namespace cadhost {

GroupList BlockWalk::header(std::size_t block) const {
  const RecordId begin = d_.block(block).begin;
  const GroupList& list = d_.record(begin).list;
  GroupList out{Group::text(-1, d_.entityName(begin)), Group::text(0, std::u16string(u"BLOCK")),
                Group::text(5, handleText(d_.record(begin).handle)),
                Group::text(2, std::u16string(groupText(list, 2))), Group::integer(70, groupInt(list, 70))};
  const Group* base = findGroup(list, 10);
  out.push_back(base ? *base : Group::point(10, Point3{}));
  out.push_back(Group::text(4, std::u16string(groupText(list, 4))));
  out.push_back(Group::text(1, std::u16string(groupText(list, 1))));
  return out;
}

std::optional<GroupList> BlockWalk::next() {
  // Each call moves at least one step and the blocks and entities are
  // finite, so the loop ends.
  while (block_ < d_.blockCount()) {
    const BlockDefinition& block = d_.block(block_);
    if (block.begin == kNoRecord || Drawing::isLayoutBlockName(d_.blockName(block_))) {
      ++block_;
      step_ = 0;
      continue;
    }
    const std::size_t step = step_++;
    if (step == 0) return header(block_);
    if (step <= block.entities.size()) {
      RecordId id = block.entities[step - 1];
      if (d_.isLive(id)) return d_.handOutList(id);
      continue;
    }
    ++block_;
    step_ = 0;
    if (block.end != kNoRecord) return d_.handOutList(block.end);
    return GroupList{Group::text(0, std::u16string(u"ENDBLK"))};
  }
  return std::nullopt;
}

}  // namespace cadhost
