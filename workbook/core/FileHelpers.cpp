#include "workbook/core/FileHelpers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace quillora {

std::string SystemFailure(const std::string& what, const std::filesystem::path& path, int error) {
  return what + " " + path.string() + ": " + std::strerror(error);
}

bool FileExists(const std::filesystem::path& path) noexcept {
  if (path.empty()) return false;
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

ExclusiveFile::ExclusiveFile(const std::filesystem::path& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd_ < 0) throw std::runtime_error(SystemFailure("Cannot create file", path, errno));
}

ExclusiveFile::~ExclusiveFile() {
  if (fd_ >= 0) ::close(fd_);
}

void ExclusiveFile::write(std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error(SystemFailure("Cannot write file", path_, errno));
    }
    done += static_cast<std::size_t>(n);
  }
}

void ExclusiveFile::close() {
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw std::runtime_error(SystemFailure("Cannot write file", path_, errno));
}

void WriteBytesToFile(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
  ExclusiveFile file(path);
  file.write(bytes);
  file.close();
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error(SystemFailure("Cannot open file", path, errno));
  // Read straight into a buffer of the file's size (one byte more, to see the end at once);
  // a file that grows meanwhile, or one of unknown size, makes the buffer grow.
  struct stat info {};
  const bool sized = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  std::vector<std::uint8_t> bytes(sized ? static_cast<std::size_t>(info.st_size) + 1 : 65536);
  std::size_t size = 0;
  for (;;) {
    if (size == bytes.size()) bytes.resize(2 * bytes.size());
    const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      throw std::runtime_error(SystemFailure("Cannot read file", path, error));
    }
    if (n == 0) break;
    size += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(size);
  return bytes;
}

bool IsOwnRegularFile(const std::filesystem::path& path) noexcept {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

}  // namespace quillora
