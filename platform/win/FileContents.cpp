#include "platform/win/FileContents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

int rewriteInPlace(const fs::path& target, const std::string& bytes) {
  const int fd = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return errno;
  const bool written = writeAll(fd, bytes);
  const int err = written ? 0 : errno;
  if (close(fd) != 0 && written) return errno;
  return err;
}

}  // namespace

std::optional<std::string> hvReadFileBytes(const fs::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int saved = errno;
      close(fd);
      errno = saved;
      return std::nullopt;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return bytes;
}

int hvReplaceFileBytes(const fs::path& path, const std::string& bytes) {
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    target = fs::canonical(path, ec);
    if (ec) return ec.value();
  }
  struct stat old {};
  const bool existed = stat(target.c_str(), &old) == 0;
  if (existed && S_ISDIR(old.st_mode)) return EISDIR;
  static std::atomic<unsigned> counter{0};
  const fs::path temp = target.parent_path() / ("." + target.filename().string() + ".hvtmp" +
                                               std::to_string(getpid()) + "-" + std::to_string(counter++));
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, existed ? (old.st_mode & 07777) : 0666);
  if (fd < 0) {
    if (existed && (errno == EACCES || errno == EPERM || errno == EROFS)) return rewriteInPlace(target, bytes);
    return errno;
  }
  if (existed) fchmod(fd, old.st_mode & 07777);
  if (!writeAll(fd, bytes)) {
    const int err = errno;
    close(fd);
    unlink(temp.c_str());
    return err;
  }
  if (close(fd) != 0 || rename(temp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    unlink(temp.c_str());
    return err;
  }
  return 0;
}
