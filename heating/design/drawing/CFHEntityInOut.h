// A drawn-entity record: what a heating command keeps of one entity the user
// picked. The record holds its own deep copy of the entity's group-code list
// (every text copied, so the host list it came from may be freed at once),
// whether the kind's reading of that list succeeded, its kind number and the
// tag map of its heating extended data.
//
// Kinds (CFHEntityRecord::Kind, the part of the record that heating curves
// see; one class each, see CFHDrawingInOut::createRecord):
//   -1 CFHEntityInOut itself (a plain record: "DIMENSION"), always valid;
//    0 CFHLineInOut, 1 CFHPolylineInOut, 3 CFHArcInOut, 5 CFHEllipseInOut:
//      a geometry curve read from the list;
//    2 CFHDistributorInOut: the manifold (a block reference);
//    6 CFHMtextInOut, 7 CFHHatchInOut, 8 CFHTextInOut: an entity copy.
// There is no kind 4.
//
// Tag map: from the first (1001 "QEV_DATA") node on, while the codes are 1000
// or 1001, nodes in pairs (key, value); a key without value is dropped, the
// first other code ends it. The pairs are views into the record's own list
// and live as long as the record. Keys compare exactly; the first match wins.
//
// Ownership: a record owns its list, tags and geometry or entity copy; the
// lists of CFHDrawingInOut own the records. Heating curves keep pointers to
// records (entityRecord, as their CFHEntityRecord part) and never free them, so the commands stop the
// design jobs before they clear the drawing I/O object. Threads: the
// command's thread only; nothing here locks.
#pragma once

#include "heating/curves/CFHEntityRecord.h"

#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/win/CString.h"

#include "host/entities/ownedChain.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

class CFHEntityInOut : public CFHEntityRecord {
 public:
  using Tag = std::pair<std::u16string_view, std::u16string_view>;

  // A plain record of a copy of the list (null: no list), valid, tags read.
  explicit CFHEntityInOut(const resbuf* list);
  ~CFHEntityInOut() override = default;

  // Brings the record's geometry into the work frame of the drawing I/O
  // object (its workMatrix, which the caller has updated). The plain record
  // has nothing to move.
  virtual void transformToWork() {}

  bool valid() const { return valid_; }
  // The record's own list; null for a record made from a curve alone.
  const resbuf* list() const { return list_.get(); }
  // The text of the first group 5 (the handle), or null.
  const char16_t* handle() const;

  // Reads the tag map again from the list (the constructors have read it).
  void readTags();
  const std::vector<Tag>& tags() const { return tags_; }
  // The value of the first pair whose key is `key`: `out` is set to it and
  // the answer is true. On a miss `out` keeps what it held.
  bool findTag(std::u16string_view key, CString& out) const;

 protected:
  CFHEntityInOut(Kind kind, const resbuf* list);
  void setValid(bool valid) { valid_ = valid; }
  // The work matrix of the drawing I/O object.
  static const XtGeMatrix2d& workMatrix();

 private:
  ownedChain list_;
  bool valid_ = false;
  std::vector<Tag> tags_;
};
