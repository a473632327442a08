#include "platform/cadhost/DxfWriter.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <numbers>
#include <cstdio>
#include <cstring>

#include "platform/cadhost/DxfError.h"
#include "platform/cadhost/DxfNumber.h"
#include "platform/cadhost/EntityListForm.h"

namespace cadhost {

DxfWriter::DxfWriter(const Drawing& drawing) : d_(drawing), eol_(drawing.crlf() ? "\r\n" : "\n") {}

std::string DxfWriter::toText(Drawing& drawing) {
  drawing.prepareForSave();
  DxfWriter writer(drawing);
  writer.writeAll();
  return std::move(writer.out_);
}

void DxfWriter::writeFile(Drawing& drawing, const std::string& path) {
  std::string text;
  try {
    text = toText(drawing);
  } catch (const NotFinite& e) {
    throw DxfError(path, 0, std::string(e.what()) + "; nothing was written");
  }
  const std::string temporary = path + ".part";
  std::FILE* f = std::fopen(temporary.c_str(), "wb");
  if (!f) throw DxfError(path, 0, std::string("cannot write the file: ") + std::strerror(errno));
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const int writeError = errno;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    std::remove(temporary.c_str());
    throw DxfError(path, 0, std::string("cannot write the file: ") + std::strerror(written ? errno : writeError));
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    std::remove(temporary.c_str());
    throw DxfError(path, 0, std::string("cannot write the file: ") + std::strerror(error));
  }
}

void DxfWriter::writeAll() {
  out_.reserve(d_.recordCount() * 200);
  for (const SectionRef& s : d_.sectionOrder()) {
    switch (s.kind) {
      case SectionKind::Header: writeHeader(); break;
      case SectionKind::Classes: writeClasses(); break;
      case SectionKind::Tables: writeTables(); break;
      case SectionKind::Blocks: writeBlocks(); break;
      case SectionKind::Entities: writeEntities(); break;
      case SectionKind::Objects: writeObjects(); break;
      case SectionKind::Raw: writeRaw(d_.rawSections()[s.rawIndex]); break;
    }
  }
  writeCode(0);
  writeLine("EOF");
}

// ------------------------------------------------------------------ pieces

void DxfWriter::writeCode(int code) {
  // Right-aligned in three places, as "%3d" would write it (without printf's
  // cost, which is most of a save otherwise).
  char buf[16];
  const auto r = std::to_chars(buf, buf + sizeof buf, code);
  const auto n = static_cast<std::size_t>(r.ptr - buf);
  if (n < 3) out_.append(3 - n, ' ');
  out_.append(buf, n);
  out_ += eol_;
}

void DxfWriter::writeLine(std::string_view text) {
  out_ += text;
  out_ += eol_;
}

void DxfWriter::writeValueText(std::u16string_view text) {
  // A line break inside a value would split the file's pairs; it is written
  // in the caret form (^J, ^M). Chunked text gets paragraph codes instead.
  if (text.find_first_of(u"\r\n") != std::u16string_view::npos) {
    std::u16string safe;
    for (char16_t c : text) {
      if (c == '\r' || c == '\n') {
        safe += u'^';
        safe += static_cast<char16_t>(c + 0x40);
      } else {
        safe += c;
      }
    }
    d_.codec().encode(safe, out_);
  } else {
    d_.codec().encode(text, out_);
  }
  out_ += eol_;
}

void DxfWriter::writeGroup(const Group& g, bool entity) {
  const int code = g.code();
  if (code < 0) return;  // list-only groups have no place in a file
  writeCode(code);
  if (g.isText()) {
    writeValueText(g.asText());
  } else if (g.isInteger()) {
    appendDxfInteger(out_, g.asInt());
    out_ += eol_;
  } else if (g.isReal()) {
    const bool degrees = entity && g.type().angle;
    // Degrees must also fit a double: a huge angle in radians may not.
    if (!std::isfinite(degrees ? g.asReal() * (180 / std::numbers::pi) : g.asReal())) notFinite(code);
    if (degrees) appendDxfDegrees(out_, g.asReal());
    else appendDxfReal(out_, g.asReal());
    out_ += eol_;
  } else if (g.isPoint()) {
    const Point3& p = g.asPoint();
    if (!std::isfinite(p.x) || (g.dims() >= 2 && !std::isfinite(p.y)) || (g.dims() >= 3 && !std::isfinite(p.z)))
      notFinite(code);
    appendDxfReal(out_, p.x);
    out_ += eol_;
    if (g.dims() >= 2) {
      writeCode(pointYCode(code));
      appendDxfReal(out_, p.y);
      out_ += eol_;
    }
    if (g.dims() >= 3) {
      writeCode(pointYCode(code) + 10);
      appendDxfReal(out_, p.z);
      out_ += eol_;
    }
  } else if (g.isBinary()) {
    static constexpr char digits[] = "0123456789ABCDEF";
    for (std::uint8_t b : g.asBinary()) {
      out_ += digits[b >> 4];
      out_ += digits[b & 0xF];
    }
    out_ += eol_;
  }
}

void DxfWriter::notFinite(int code) const {
  std::string where = "the HEADER";
  if (list_ != nullptr && !list_->empty()) {
    where = utf16ToUtf8(list_->front().asText());
    const std::u16string_view handle = groupText(*list_, 5);
    if (!handle.empty()) where += " " + utf16ToUtf8(handle);
  }
  throw NotFinite("not a finite number in group " + std::to_string(code) + " of " + where);
}

void DxfWriter::writeChunks(std::u16string text) {
  std::u16string paragraphs;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      paragraphs += u"\\P";
    } else {
      paragraphs += text[i];
    }
  }
  std::vector<std::string> pieces;
  if (d_.codec().isUtf8()) {
    for (const std::u16string& piece : EntityListForm::splitChunks(paragraphs)) {
      pieces.emplace_back();
      d_.codec().encode(piece, pieces.back());
    }
  } else {
    // Code-page files count bytes, and an escape stays in one piece.
    std::string bytes;
    d_.codec().encode(paragraphs, bytes);
    std::size_t start = 0;
    do {
      std::size_t end = std::min(bytes.size(), start + EntityListForm::kChunkLength);
      for (std::size_t j = end > start + 6 ? end - 6 : start; j < end; ++j)
        if (bytes.compare(j, 3, "\\U+") == 0 && j + 7 > end && j > start) {
          end = j;
          break;
        }
      pieces.push_back(bytes.substr(start, end - start));
      start = end;
    } while (start < bytes.size());
  }
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    writeCode(k + 1 == pieces.size() ? 1 : 3);
    out_ += pieces[k];
    out_ += eol_;
  }
}

void DxfWriter::writeList(const GroupList& list, bool entity) {
  if (list.empty()) return;
  list_ = &list;
  writeCode(0);
  writeValueText(list.front().asText());
  EntityListForm::ChunkRegion region;
  std::size_t first = 0;
  std::size_t count = 0;
  std::u16string text;
  if (entity) {
    region = EntityListForm::chunkRegion(list);
    text = EntityListForm::chunkText(list, region, first, count);
  }
  for (std::size_t i = 1; i < list.size(); ++i) {
    const Group& g = list[i];
    if (count && i >= region.begin && i < region.end && EntityListForm::isChunk(g)) {
      if (i == first) writeChunks(std::move(text));
      continue;
    }
    writeGroup(g, entity);
  }
}

void DxfWriter::writeRecord(RecordId id, bool entity) { writeList(d_.record(id).list, entity); }

void DxfWriter::writeEntity(RecordId id) {
  const DrawingRecord& r = d_.record(id);
  if (r.erased) return;
  writeRecord(id, true);
  for (RecordId child : r.children)
    if (!d_.record(child).erased) writeRecord(child, true);
}

void DxfWriter::beginSection(std::string_view name) {
  writeCode(0);
  writeLine("SECTION");
  writeCode(2);
  writeLine(name);
}

void DxfWriter::endSection() {
  writeCode(0);
  writeLine("ENDSEC");
}

// ---------------------------------------------------------------- sections

void DxfWriter::writeHeader() {
  list_ = nullptr;
  beginSection("HEADER");
  for (const HeaderVariable& v : d_.header()) {
    writeCode(9);
    writeLine(v.name);
    for (const Group& g : v.values) writeGroup(g, false);
  }
  endSection();
}

void DxfWriter::writeClasses() {
  beginSection("CLASSES");
  for (const GroupList& c : d_.classes()) writeList(c, false);
  endSection();
}

void DxfWriter::writeTables() {
  beginSection("TABLES");
  for (const SymbolTable& t : d_.tables()) {
    writeRecord(t.head, false);
    for (RecordId id : t.records)
      if (!d_.record(id).erased) writeRecord(id, false);
    writeCode(0);
    writeLine("ENDTAB");
  }
  endSection();
}

void DxfWriter::writeBlocks() {
  beginSection("BLOCKS");
  for (std::size_t b = 0; b < d_.blockCount(); ++b) {
    const BlockDefinition& block = d_.block(b);
    if (block.begin != kNoRecord) writeRecord(block.begin, false);
    for (RecordId id : block.entities) writeEntity(id);
    if (block.end != kNoRecord) {
      writeRecord(block.end, false);
    } else {
      writeCode(0);
      writeLine("ENDBLK");
    }
  }
  endSection();
}

void DxfWriter::writeEntities() {
  beginSection("ENTITIES");
  for (RecordId id : d_.entitiesSection()) writeEntity(id);
  endSection();
}

void DxfWriter::writeObjects() {
  beginSection("OBJECTS");
  for (RecordId id : d_.objects())
    if (!d_.record(id).erased) writeRecord(id, false);
  endSection();
}

void DxfWriter::writeRaw(const RawSection& section) {
  beginSection(section.name);
  for (const RawSection::RawGroup& g : section.groups) {
    writeCode(g.code);
    writeLine(g.value);
  }
  endSection();
}

}  // namespace cadhost
