// The pairs of one entity list under construction: the entity header first,
// the kind's groups in order, the copy of the properties' extra groups last.
// Lists spliced in (the header, kept groups, copied stretches) are owned by
// the collector until build() hands them to the list builder; a collector
// dropped without building frees them. Host thread only.
#pragma once

#include <string_view>
#include <vector>

#include "host/ResbufBuilder.h"
#include "host/entities/ltEntProps.h"

class entityListPairs {
 public:
  // Starts with entBuilder2D::entityHeader(props, type, previous).
  entityListPairs(const ltEntProps& props, std::u16string_view type, const resbuf* previous = nullptr);
  entityListPairs(const entityListPairs&) = delete;
  entityListPairs& operator=(const entityListPairs&) = delete;
  ~entityListPairs();

  void add(int code, const ResbufArg& value) { pairs_.push_back({code, value}); }
  // A 2D point or vector as three doubles with z = 0.
  void addPoint(int code, double x, double y) { pairs_.push_back({code, std::array<double, 3>{x, y, 0.0}}); }
  // The first group of the code in `previous`, when it has one.
  void addKept(int code, const resbuf* previous);
  // Splices a chain (taken over; null adds nothing).
  void splice(resbuf* chain);

  std::vector<ResbufPair>& pairs() { return pairs_; }

  // Appends the copy of the properties' extra groups and builds the list;
  // null when the header could not be made or a value does not fit its code.
  resbuf* build(const ltEntProps& props);
  // The same with `tail` (taken over) in place of the properties' extra
  // groups. A collector builds once.
  resbuf* buildWithTail(resbuf* tail);

 private:
  std::vector<ResbufPair> pairs_;
  bool headerMissing_ = false;
  bool built_ = false;
};
