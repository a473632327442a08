// The entities of block definitions as entity copies: block records read
// from the host's block walk (word 113 of "GetExport2D", texts through word
// 53) or built from given lists, and a cache of such records by block name.
//
// Ownership: a record owns its copies; the cache owns its records. Copies
// handed out of a cached record are clones owned by the caller; a record that
// is not cached hands its copies over (appendBlockEntities without copy).
//
// Block names compare without regard to case (A to Z and the accented
// letters of code page 1250), in the cache and in the walk.
//
// Threads: host thread only. The host's walk keeps one position for the whole
// process: a block is read to its ENDBLK before anything else walks (nested
// blocks are read afterwards, from their INSERT copies), and two walks must
// never interleave.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/entities/ltEnt2D.h"
#include "platform/cadhost/HostTables.h"
#include "platform/ge/XtGePoint2d.h"

struct blockRecord {
  std::u16string name;
  std::u16string description;  // word 53 selector 0, at most 34 units
  std::u16string path;         // word 53 selector 1 (external reference), at most 1024 units
  XtGePoint2d basePoint;
  ltEntArray entities;                    // in block coordinates, in the block's order
  std::vector<std::u16string> entityNames;  // the -1 text of each entity, empty when it had none

  void clear();
};

// Clears the record and reads one block from the host. With a name the walk
// starts again from the first block (word 113 with 1, then 0) and goes on to
// the BLOCK list of that name that has a base point (10); without one the
// walk's next list (rewound first when `rewind`) must be a BLOCK with a name
// and a base point. Then each list up to the ENDBLK becomes a copy through
// entReader2D::anyEntity. False (the record cleared) when the table has no
// word 113, the block is not found, or the walk ends before the ENDBLK.
bool readBlockFromHost(blockRecord& record, const HostExport2D* table, const char16_t* name, bool rewind);

// Clears the record, sets name and base point and makes a copy of each list
// through entReader2D::entity; null holders and lists no kind reads are
// passed over.
void fillBlockFromLists(blockRecord& record, std::u16string_view name, std::span<ltListRef* const> lists,
                        const XtGePoint2d& basePoint);

// Appends the record's copies to `out`: clones with `copy`, else the copies
// themselves (the record is left without entities).
void appendBlockEntities(blockRecord& record, ltEntArray& out, bool copy);

class blockCache {
 public:
  // Empties the cache and reads every block of the drawing through the walk.
  // False when the table has no word 113 (the cache is then empty).
  bool fill(const HostExport2D* table);

  // The record of the name; when missing it is read from the host (resp.
  // built from the lists) and added; a read that fails adds nothing and
  // answers false. The record's copies are appended to `out` as clones;
  // `basePoint`, when given, receives the block's base point.
  bool findOrReadFromHost(std::u16string_view name, const HostExport2D* table, ltEntArray& out,
                          XtGePoint2d* basePoint = nullptr);
  bool findOrReadFromLists(std::u16string_view name, std::span<ltListRef* const> lists,
                           const XtGePoint2d& basePoint, ltEntArray& out);

  // The record of the name, or null.
  const blockRecord* find(std::u16string_view name) const;
  std::size_t size() const { return records_.size(); }
  const blockRecord& at(std::size_t index) const { return *records_[index]; }
  void clear() { records_.clear(); }

 private:
  blockRecord* findRecord(std::u16string_view name) const;

  std::vector<std::unique_ptr<blockRecord>> records_;
};
