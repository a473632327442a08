#include "platform/cadhost/DxfReader.h"

#include <algorithm>

#include "platform/cadhost/DxfError.h"
#include "platform/cadhost/EntityListForm.h"
#include "platform/cadhost/MappedFile.h"

namespace cadhost {

namespace {

constexpr std::string_view kBinarySentinel = "AutoCAD Binary DXF";
constexpr std::string_view kOldestVersion = "AC1015";

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string shown(std::string_view s) {
  std::string out;
  for (char c : s.substr(0, 40)) out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return "'" + out + (s.size() > 40 ? "...'" : "'");
}

bool isUpperAsciiAlnum(std::string_view s) {
  for (char c : s)
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  return !s.empty();
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::unique_ptr<Drawing> DxfReader::readFile(const std::string& path) {
  MappedFile file(path);
  return DxfReader(file.data(), path).run();
}

std::unique_ptr<Drawing> DxfReader::readText(std::string_view text, const std::string& name) {
  return DxfReader(text, name).run();
}

DxfReader::DxfReader(std::string_view data, const std::string& name)
    : tok_(data, name), name_(name), d_(std::make_unique<Drawing>()) {
  if (data.starts_with(kBinarySentinel))
    throw DxfError(name, 0, "binary DXF is not supported; save the drawing as ASCII DXF");
  if (data.empty()) throw DxfError(name, 0, "the file is empty");
  // A byte-order mark before the first group code.
  if (data.starts_with("\xEF\xBB\xBF")) tok_ = DxfTokenizer(data.substr(3), name);
  const std::size_t firstLineEnd = data.find('\n');
  d_->crlf_ = firstLineEnd != std::string_view::npos && firstLineEnd > 0 && data[firstLineEnd - 1] == '\r';
  d_->sourceName_ = name;
}

std::unique_ptr<Drawing> DxfReader::run() {
  for (;;) {
    if (tok_.atEnd()) tok_.fail(tok_.currentLine(), "missing EOF at the end of the file");
    DxfToken t = tok_.next();
    std::string_view value = trim(t.value);
    if (t.code != 0) tok_.fail(t.line, "expected group 0 with SECTION or EOF, found group " + std::to_string(t.code));
    if (value == "EOF") break;
    if (value != "SECTION") tok_.fail(t.line, "expected SECTION or EOF, found " + shown(value));
    if (tok_.atEnd()) tok_.fail(tok_.currentLine(), "the file ends after SECTION");
    DxfToken nameToken = tok_.next();
    if (nameToken.code != 2) tok_.fail(nameToken.line, "SECTION without its name (group 2)");
    std::string section(trim(nameToken.value));
    if (section != "HEADER" && !headerRead_)
      tok_.fail(nameToken.line,
                "section " + shown(section) + " before the HEADER: a DXF of R12 or older is not supported");
    struct Known {
      const char* name;
      SectionKind kind;
      void (DxfReader::*read)();
    };
    static constexpr Known kKnown[] = {
        {"HEADER", SectionKind::Header, &DxfReader::readHeader},
        {"CLASSES", SectionKind::Classes, &DxfReader::readClasses},
        {"TABLES", SectionKind::Tables, &DxfReader::readTables},
        {"BLOCKS", SectionKind::Blocks, &DxfReader::readBlocks},
        {"ENTITIES", SectionKind::Entities, &DxfReader::readEntities},
        {"OBJECTS", SectionKind::Objects, &DxfReader::readObjects},
    };
    const Known* known = nullptr;
    for (const Known& k : kKnown)
      if (section == k.name) known = &k;
    if (known) {
      (this->*known->read)();
      // A section given twice adds its records to those of the first; it is
      // saved once, where it first stood.
      const auto& order = d_->sectionOrder_;
      if (std::none_of(order.begin(), order.end(), [&](const SectionRef& s) { return s.kind == known->kind; }))
        d_->sectionOrder_.push_back({known->kind, 0});
    } else {
      readRaw(section);
    }
  }
  if (!headerRead_) tok_.fail(0, "no HEADER section: a DXF of R12 or older is not supported");
  d_->finishLoad();
  return std::move(d_);
}

bool DxfReader::atSectionEnd(const std::string& section) {
  if (tok_.atEnd()) tok_.fail(tok_.currentLine(), "the file ends inside section " + section + " (no ENDSEC)");
  const DxfToken& t = tok_.peek();
  if (t.code == 0 && trim(t.value) == "ENDSEC") {
    tok_.next();
    return true;
  }
  if (t.code != 0)
    tok_.fail(t.line, "group " + std::to_string(t.code) + " outside a record of section " + section +
                          " (expected group 0)");
  return false;
}

// ------------------------------------------------------------------ values

std::u16string DxfReader::decodeText(const DxfToken& token, bool escapes) {
  std::u16string out;
  if (!d_->codec_.decode(token.value, out, escapes))
    tok_.fail(token.line + 1, "text in code page " + d_->codec_.name() + ", which the host cannot read");
  return out;
}

std::u16string DxfReader::recordType(const DxfToken& token) {
  std::u16string type = decodeText(token);
  while (!type.empty() && (type.back() == ' ' || type.back() == '\t')) type.pop_back();
  while (!type.empty() && (type.front() == ' ' || type.front() == '\t')) type.erase(type.begin());
  for (char16_t& c : type)
    if (c >= 'a' && c <= 'z') c = static_cast<char16_t>(c - 'a' + 'A');
  if (type.empty()) tok_.fail(token.line, "record without a type (empty group 0)");
  return type;
}

void DxfReader::readValue(GroupList& list, const DxfToken& t, bool entity) {
  const GroupCodeType type = groupCodeType(t.code);
  const std::size_t valueLine = t.line + 1;
  // Every real-valued group holds a finite number: other programs cannot
  // read "nan" or "inf", and no geometry is measured with them.
  auto check = [&](RealReading reading, const DxfToken& token) {
    if (reading == RealReading::notFinite) tok_.fail(token.line + 1, "not a finite number");
    if (reading != RealReading::ok)
      tok_.fail(token.line + 1, "group " + std::to_string(token.code) + ": " + shown(token.value) + " is not a number");
  };
  auto real = [&](const DxfToken& token) {
    double v = 0;
    check(readDxfReal(token.value, v), token);
    return v;
  };
  switch (type.valueClass) {
    case GroupValueClass::Int16:
    case GroupValueClass::Int32:
    case GroupValueClass::Int64:
    case GroupValueClass::Bool: {
      std::int64_t v = 0;
      if (!parseDxfInteger(t.value, v))
        tok_.fail(valueLine, "group " + std::to_string(t.code) + ": " + shown(t.value) + " is not an integer");
      list.push_back(Group::integer(t.code, v));
      return;
    }
    case GroupValueClass::Real: {
      double v = 0;
      if (type.angle && entity) {
        check(readDxfDegrees(t.value, v), t);
      } else {
        v = real(t);
      }
      list.push_back(Group::real(t.code, v));
      return;
    }
    case GroupValueClass::Point: {
      Point3 p{real(t), 0.0, 0.0};
      int dims = 1;
      const int yCode = pointYCode(t.code);
      if (!tok_.atEnd() && tok_.peek().code == yCode) {
        p.y = real(tok_.next());
        dims = 2;
        if (!tok_.atEnd() && tok_.peek().code == yCode + 10) {
          p.z = real(tok_.next());
          dims = 3;
        }
      }
      list.push_back(Group::point(t.code, p, dims));
      return;
    }
    case GroupValueClass::Binary: {
      std::string_view hex = trim(t.value);
      if (hex.size() % 2) tok_.fail(valueLine, "group " + std::to_string(t.code) + ": odd number of hex digits");
      Bytes bytes(hex.size() / 2);
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        int hi = hexValue(hex[2 * i]);
        int lo = hexValue(hex[2 * i + 1]);
        if (hi < 0 || lo < 0)
          tok_.fail(valueLine, "group " + std::to_string(t.code) + ": " + shown(hex) + " is not hexadecimal");
        bytes[i] = static_cast<std::uint8_t>(hi * 16 + lo);
      }
      list.push_back(Group::binary(t.code, std::move(bytes)));
      return;
    }
    case GroupValueClass::Handle: {
      std::u16string text = decodeText(t);
      while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
      while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.erase(text.begin());
      list.push_back(Group::text(t.code, std::move(text)));
      return;
    }
    default:
      list.push_back(Group::text(t.code, decodeText(t, !(deferEscapes_ && (t.code == 1 || t.code == 3)))));
      return;
  }
}

GroupList DxfReader::readRecord(bool entity, std::size_t& line) {
  DxfToken head = tok_.next();
  line = head.line;
  GroupList list;
  list.push_back(Group::text(0, recordType(head)));
  const std::u16string& type = list[0].asText();
  deferEscapes_ = entity && !d_->codec_.isUtf8() && (type == u"MTEXT" || type == u"ATTRIB" || type == u"ATTDEF");
  while (!tok_.atEnd() && tok_.peek().code != 0) readValue(list, tok_.next(), entity);
  if (deferEscapes_) {
    const auto region = EntityListForm::chunkRegion(list);
    for (std::size_t i = 1; i < list.size(); ++i)
      if (EntityListForm::isChunk(list[i]) && (i < region.begin || i >= region.end))
        DxfTextCodec::decodeEscapes(list[i].mutableText());
    EntityListForm::chunksToListForm(list, [](std::u16string& text) { DxfTextCodec::decodeEscapes(text); });
    deferEscapes_ = false;
  }
  return list;
}

// ----------------------------------------------------------------- header

void DxfReader::readHeader() {
  // The version and code page decide how every text is read: a look ahead
  // finds them first.
  std::string version;
  std::string codePage;
  DxfTokenizer scan = tok_;
  while (!scan.atEnd()) {
    DxfToken t = scan.next();
    if (t.code == 0) break;
    if (t.code != 9 || scan.atEnd()) continue;
    std::string_view name = trim(t.value);
    if (name == "$ACADVER") version = std::string(trim(scan.peek().value));
    if (name == "$DWGCODEPAGE") codePage = std::string(trim(scan.peek().value));
  }
  if (version.empty()) tok_.fail(0, "no $ACADVER in the HEADER: a DXF of R12 or older is not supported");
  if (version.size() != 6 || !version.starts_with("AC") || !isUpperAsciiAlnum(version))
    tok_.fail(0, "unknown DXF version " + shown(version));
  if (version < kOldestVersion)
    tok_.fail(0, "DXF version " + version +
                     " is older than AC1015 (R2000): R12, R13 and R14 drawings are not supported");
  d_->version_ = version;
  d_->codec_ = DxfTextCodec::forDrawing(version, codePage);
  headerRead_ = true;

  HeaderVariable* current = nullptr;
  for (;;) {
    if (tok_.atEnd()) tok_.fail(tok_.currentLine(), "the file ends inside section HEADER (no ENDSEC)");
    const DxfToken& t = tok_.peek();
    if (t.code == 0) {
      if (trim(t.value) != "ENDSEC") tok_.fail(t.line, "unexpected " + shown(t.value) + " in the HEADER section");
      tok_.next();
      return;
    }
    if (t.code == 9) {
      d_->header_.push_back({std::string(trim(t.value)), {}});
      current = &d_->header_.back();
      tok_.next();
      continue;
    }
    if (!current) tok_.fail(t.line, "HEADER value without a variable name (group 9)");
    readValue(current->values, tok_.next(), false);
  }
}

// ---------------------------------------------------------------- classes

void DxfReader::readClasses() {
  while (!atSectionEnd("CLASSES")) {
    std::size_t line = 0;
    d_->classes_.push_back(readRecord(false, line));
  }
}

// ----------------------------------------------------------------- tables

void DxfReader::readTables() {
  std::size_t table = SIZE_MAX;
  while (!atSectionEnd("TABLES")) {
    std::size_t line = 0;
    GroupList list = readRecord(false, line);
    const std::u16string type = list[0].asText();
    if (type == u"TABLE") {
      SymbolTable t;
      std::u16string name(groupText(list, 2));
      for (char16_t& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char16_t>(c - 'a' + 'A');
      if (name.empty()) tok_.fail(line, "TABLE without its name (group 2)");
      t.name = std::move(name);
      DrawingRecord record;
      record.list = std::move(list);
      record.kind = RecordKind::TableHead;
      t.head = d_->loadRecord(std::move(record));
      d_->tables_.push_back(std::move(t));
      table = d_->tables_.size() - 1;
    } else if (type == u"ENDTAB") {
      if (table == SIZE_MAX) tok_.fail(line, "ENDTAB without a TABLE");
      table = SIZE_MAX;
    } else {
      if (table == SIZE_MAX) tok_.fail(line, utf16ToUtf8(type) + " record outside TABLE ... ENDTAB");
      DrawingRecord record;
      record.list = std::move(list);
      record.kind = RecordKind::TableRecord;
      d_->tables_[table].records.push_back(d_->loadRecord(std::move(record)));
    }
  }
  if (table != SIZE_MAX) tok_.fail(tok_.currentLine(), "TABLE without ENDTAB");
}

// --------------------------------------------------------------- entities

void DxfReader::closeComplex() {
  if (openComplex_ == kNoRecord) return;
  DrawingRecord& parent = d_->records_[openComplex_];
  const RecordId parentId = openComplex_;
  openComplex_ = kNoRecord;
  const bool hasSeqend = !parent.children.empty() && d_->records_[parent.children.back()].type() == u"SEQEND";
  const bool needsSeqend =
      parent.type() == u"POLYLINE" || !parent.children.empty() || groupInt(parent.list, 66) == 1;
  if (hasSeqend || !needsSeqend) return;
  // The file left the SEQEND out; the handle comes when loading finishes.
  DrawingRecord seqend;
  seqend.list = {Group::text(0, std::u16string(u"SEQEND")), Group::text(100, std::u16string(u"AcDbEntity")),
                 Group::text(8, std::u16string(groupText(parent.list, 8)))};
  seqend.kind = RecordKind::SubEntity;
  seqend.block = parent.block;
  seqend.parent = parentId;
  RecordId id = d_->loadRecord(std::move(seqend));
  d_->records_[parentId].children.push_back(id);
}

void DxfReader::addEntity(GroupList list, std::int32_t block, std::size_t line) {
  const std::u16string type = list[0].asText();
  if (!findGroup(list, 100))
    tok_.fail(line, utf16ToUtf8(type) +
                        " without subclass markers (group 100): R12-style DXF is not supported; save the drawing as "
                        "R2000 or later");
  EntityListForm::chunksToListForm(list);
  DrawingRecord record;
  record.list = std::move(list);
  record.block = block;
  if (openComplex_ != kNoRecord) {
    const std::u16string_view parentType = d_->records_[openComplex_].type();
    const bool child = (parentType == u"INSERT" && type == u"ATTRIB") ||
                       (parentType == u"POLYLINE" && type == u"VERTEX") || type == u"SEQEND";
    if (child) {
      record.kind = RecordKind::SubEntity;
      record.parent = openComplex_;
      RecordId id = d_->loadRecord(std::move(record));
      d_->records_[openComplex_].children.push_back(id);
      if (type == u"SEQEND") openComplex_ = kNoRecord;
      return;
    }
    closeComplex();
  }
  // Stray ATTRIB, VERTEX and SEQEND records stay as they are.
  record.kind = RecordKind::Entity;
  RecordId id = d_->loadRecord(std::move(record));
  if (block < 0) d_->entities_.push_back(id);
  else d_->blocks_[static_cast<std::size_t>(block)].entities.push_back(id);
  if (type == u"INSERT" || type == u"POLYLINE") openComplex_ = id;
}

void DxfReader::readBlocks() {
  std::int32_t block = -1;
  while (!atSectionEnd("BLOCKS")) {
    const bool structural = [&] {
      std::u16string type = recordType(tok_.peek());
      return type == u"BLOCK" || type == u"ENDBLK";
    }();
    std::size_t line = 0;
    GroupList list = readRecord(!structural, line);
    const std::u16string type = list[0].asText();
    if (type == u"BLOCK") {
      closeComplex();
      if (block >= 0) tok_.fail(line, "BLOCK inside another block (ENDBLK missing)");
      DrawingRecord record;
      record.list = std::move(list);
      record.kind = RecordKind::BlockBegin;
      BlockDefinition def;
      def.begin = d_->loadRecord(std::move(record));
      d_->blocks_.push_back(std::move(def));
      block = static_cast<std::int32_t>(d_->blocks_.size() - 1);
    } else if (type == u"ENDBLK") {
      closeComplex();
      if (block < 0) tok_.fail(line, "ENDBLK without a BLOCK");
      DrawingRecord record;
      record.list = std::move(list);
      record.kind = RecordKind::BlockEnd;
      d_->blocks_[static_cast<std::size_t>(block)].end = d_->loadRecord(std::move(record));
      block = -1;
    } else {
      if (block < 0) tok_.fail(line, utf16ToUtf8(type) + " outside BLOCK ... ENDBLK");
      addEntity(std::move(list), block, line);
    }
  }
  closeComplex();
  if (block >= 0) tok_.fail(tok_.currentLine(), "BLOCK without ENDBLK");
}

void DxfReader::readEntities() {
  while (!atSectionEnd("ENTITIES")) {
    std::size_t line = 0;
    GroupList list = readRecord(true, line);
    addEntity(std::move(list), -1, line);
  }
  closeComplex();
}

// ---------------------------------------------------------------- objects

void DxfReader::readObjects() {
  while (!atSectionEnd("OBJECTS")) {
    std::size_t line = 0;
    DrawingRecord record;
    record.list = readRecord(false, line);
    record.kind = RecordKind::Object;
    d_->objects_.push_back(d_->loadRecord(std::move(record)));
  }
}

// ------------------------------------------------------------ raw sections

void DxfReader::readRaw(std::string name) {
  RawSection section;
  section.name = std::move(name);
  for (;;) {
    if (tok_.atEnd()) tok_.fail(tok_.currentLine(), "the file ends inside section " + section.name + " (no ENDSEC)");
    DxfToken t = tok_.next();
    if (t.code == 0 && trim(t.value) == "ENDSEC") break;
    section.groups.push_back({t.code, std::string(t.value)});
  }
  d_->rawSections_.push_back(std::move(section));
  d_->sectionOrder_.push_back({SectionKind::Raw, d_->rawSections_.size() - 1});
}

}  // namespace cadhost
