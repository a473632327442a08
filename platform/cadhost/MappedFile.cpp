#include "platform/cadhost/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/cadhost/DxfError.h"

namespace cadhost {

MappedFile::MappedFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw DxfError(path, 0, std::string("cannot open the file: ") + std::strerror(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw DxfError(path, 0, "not a regular file");
  }
  size_ = static_cast<std::size_t>(st.st_size);
  if (size_ > 0) {
    address_ = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (address_ == MAP_FAILED) {
      int error = errno;
      address_ = nullptr;
      ::close(fd);
      throw DxfError(path, 0, std::string("cannot read the file: ") + std::strerror(error));
    }
  }
  ::close(fd);
}

MappedFile::~MappedFile() {
  if (address_) ::munmap(address_, size_);
}

}  // namespace cadhost
