// Writes a Drawing as an ASCII DXF file in the version and text encoding it
// was loaded with. Erased entities are left out; angles of entity lists go
// back to degrees and chunked text to file order. Before writing, the drawing
// gets the table records it needs and an advanced $HANDSEED
// (Drawing::prepareForSave).
#pragma once

#include <stdexcept>
#include <string>

#include "platform/cadhost/Drawing.h"

namespace cadhost {

class DxfWriter {
 public:
  // A real or point of the drawing that is not finite: no reader could take
  // the file, so nothing is written.
  class NotFinite : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
  };

  // Writes to a temporary file beside `path` and renames it, so a failed save
  // never leaves half a drawing. Throws DxfError naming the file.
  static void writeFile(Drawing& drawing, const std::string& path);
  // Throws NotFinite.
  static std::string toText(Drawing& drawing);

 private:
  explicit DxfWriter(const Drawing& drawing);
  void writeAll();
  void writeHeader();
  void writeClasses();
  void writeTables();
  void writeBlocks();
  void writeEntities();
  void writeObjects();
  void writeRaw(const RawSection& section);

  void writeRecord(RecordId id, bool entity);
  void writeEntity(RecordId id);
  void writeList(const GroupList& list, bool entity);
  void writeGroup(const Group& group, bool entity);
  [[noreturn]] void notFinite(int code) const;
  void writeCode(int code);
  void writeLine(std::string_view text);
  void writeValueText(std::u16string_view text);
  // Chunked text in file order: 3 groups, then a final 1.
  void writeChunks(std::u16string text);
  void beginSection(std::string_view name);
  void endSection();

  const Drawing& d_;
  const GroupList* list_ = nullptr;  // the record being written; null in the HEADER
  std::string out_;
  std::string_view eol_;
};

}  // namespace cadhost
