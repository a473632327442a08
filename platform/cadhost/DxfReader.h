// Reads an ASCII DXF file (AC1015 and later) into a Drawing.
//
// What the drawing gets: header variables, classes, tables, blocks, entities
// and objects as group lists; sections, objects, entities and groups it does
// not know are kept verbatim. Type names are upper-cased, comments (999)
// dropped; an INSERT keeps its ATTRIB and SEQEND, a POLYLINE its VERTEX and
// SEQEND. Angles (codes 50-58) of entity lists become radians; chunked text
// takes list form (see EntityListForm).
//
// Refused with a DxfError that names the file and the line: binary DXF, R12
// and older (no $ACADVER, or no subclass markers), and every kind of broken
// file (cut short, odd line count, a group code that is not a number, a value
// that does not fit its code, a record without group 0, a missing EOF, an
// over-long line).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/cadhost/Drawing.h"
#include "platform/cadhost/DxfTokenizer.h"

namespace cadhost {

class DxfReader {
 public:
  static std::unique_ptr<Drawing> readFile(const std::string& path);
  // `name` stands for the file in messages.
  static std::unique_ptr<Drawing> readText(std::string_view text, const std::string& name);

 private:
  DxfReader(std::string_view data, const std::string& name);
  std::unique_ptr<Drawing> run();

  void readHeader();
  void readClasses();
  void readTables();
  void readBlocks();
  void readEntities();
  void readObjects();
  void readRaw(std::string name);

  // True when the next pair is (0 ENDSEC); takes it. Fails at the end of the file.
  bool atSectionEnd(const std::string& section);
  // Reads one record from its (0 TYPE) pair up to the next group 0.
  GroupList readRecord(bool entity, std::size_t& line);
  void readValue(GroupList& list, const DxfToken& token, bool entity);
  std::u16string decodeText(const DxfToken& token, bool escapes = true);
  std::u16string recordType(const DxfToken& token);

  // Entities of the ENTITIES section (block -1) or of a block.
  void addEntity(GroupList list, std::int32_t block, std::size_t line);
  void closeComplex();

  DxfTokenizer tok_;
  std::string name_;
  std::unique_ptr<Drawing> d_;
  bool headerRead_ = false;
  // Chunked text of a code-page file: a chunk boundary may split a \U+XXXX
  // escape, so escapes of groups 1 and 3 wait until the chunks are joined.
  bool deferEscapes_ = false;
  RecordId openComplex_ = kNoRecord;
};

}  // namespace cadhost
