#include "platform/win/SharedObjectExports.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string_view>

#include <elf.h>

namespace {

// A module larger than this is not read.
constexpr std::uint64_t kMaxFileBytes = 1ull << 30;

// A copy of the record at `offset`, or false when it lies outside the file.
template <class Record>
bool recordAt(const std::string& file, std::uint64_t offset, Record& record) {
  if (offset > file.size() || file.size() - offset < sizeof(Record)) return false;
  std::memcpy(&record, file.data() + offset, sizeof(Record));
  return true;
}

bool isElf64OfThisMachine(const Elf64_Ehdr& header) {
  const unsigned char order = std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;
  return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 && header.e_ident[EI_CLASS] == ELFCLASS64 &&
         header.e_ident[EI_DATA] == order && header.e_shentsize == sizeof(Elf64_Shdr);
}

bool isPlainExportedFunction(const Elf64_Sym& symbol) {
  const unsigned bind = ELF64_ST_BIND(symbol.st_info);
  return ELF64_ST_TYPE(symbol.st_info) == STT_FUNC && (bind == STB_GLOBAL || bind == STB_WEAK) &&
         symbol.st_shndx != SHN_UNDEF && ELF64_ST_VISIBILITY(symbol.st_other) == STV_DEFAULT;
}

// The names of the functions of one dynamic symbol table.
void collectNames(const std::string& file, const Elf64_Shdr& symbols, const Elf64_Shdr& strings,
                  std::vector<std::string>& names) {
  const auto inFile = [&file](const Elf64_Shdr& s) {
    return s.sh_offset <= file.size() && file.size() - s.sh_offset >= s.sh_size;
  };
  // Both tables lie in the file, so the count is bounded by its size.
  if (!inFile(symbols) || !inFile(strings)) return;
  const std::string_view table(file.data() + strings.sh_offset, strings.sh_size);
  const std::uint64_t count = symbols.sh_size / sizeof(Elf64_Sym);
  for (std::uint64_t i = 0; i < count; ++i) {
    Elf64_Sym symbol;
    if (!recordAt(file, symbols.sh_offset + i * sizeof(Elf64_Sym), symbol)) return;
    if (!isPlainExportedFunction(symbol) || symbol.st_name >= table.size()) continue;
    const std::string_view rest = table.substr(symbol.st_name);
    const std::string_view name = rest.substr(0, rest.find('\0'));
    if (!name.empty() && name.front() != '_' && name.size() < rest.size()) names.emplace_back(name);
  }
}

}  // namespace

std::vector<std::string> hvSharedObjectPlainExports(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return {};
  const std::streamoff size = in.tellg();
  if (size <= 0 || static_cast<std::uint64_t>(size) > kMaxFileBytes) return {};
  std::string file(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  if (!in.read(file.data(), size)) return {};

  Elf64_Ehdr header;
  if (!recordAt(file, 0, header) || !isElf64OfThisMachine(header)) return {};
  std::vector<std::string> names;
  for (std::uint64_t s = 0; s < header.e_shnum; ++s) {
    Elf64_Shdr section;
    if (!recordAt(file, header.e_shoff + s * sizeof(Elf64_Shdr), section)) return {};
    if (section.sh_type != SHT_DYNSYM || section.sh_link >= header.e_shnum) continue;
    Elf64_Shdr strings;
    if (!recordAt(file, header.e_shoff + std::uint64_t{section.sh_link} * sizeof(Elf64_Shdr), strings)) return {};
    collectNames(file, section, strings, names);
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}
