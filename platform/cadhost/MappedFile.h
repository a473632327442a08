// A file mapped read-only into memory, so that the DXF reader can hand out
// views of its lines without copying and never needs the file in one buffer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cadhost {

class MappedFile {
 public:
  // Throws DxfError naming the file when it cannot be opened or mapped.
  explicit MappedFile(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::string_view data() const { return {static_cast<const char*>(address_), size_}; }

 private:
  void* address_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace cadhost
