#include "spreadsheet/base/ReadFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "spreadsheet/base/Descriptor.h"
#include "spreadsheet/base/FileError.h"
#include "spreadsheet/base/FileKind.h"

namespace quillora::base {
namespace {

std::string Size(std::size_t bytes) {
  if (bytes >= (std::size_t{1} << 20)) return std::to_string(bytes >> 20) + " MB";
  return std::to_string(bytes) + " bytes";
}

[[noreturn]] void TooLarge(const std::filesystem::path& file, std::size_t maxBytes) {
  throw FileError(file, "larger than " + Size(maxBytes) + ", more than this program reads");
}

// The open regular file at `file` and its size, or the FileError line saying why not.
Descriptor OpenRegularFile(const std::filesystem::path& file, std::size_t maxBytes, Links links, std::size_t& size) {
  if (file.empty()) throw FileError(file, "no file name given");
  int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  if (links == Links::Refuse) flags |= O_NOFOLLOW;
  Descriptor fd(::open(file.c_str(), flags), file);
  if (!fd.isOpen()) {
    if (errno == ELOOP && links == Links::Refuse) throw FileError(file, "is a symbolic link; it is not read");
    ThrowSystemError(file, errno);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) ThrowSystemError(file, errno);
  if (!S_ISREG(info.st_mode)) throw FileError(file, NotARegularFile(info.st_mode));
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) TooLarge(file, maxBytes);
  size = static_cast<std::size_t>(info.st_size);
  return fd;
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes, Links links) {
  std::size_t expected = 0;
  const Descriptor fd = OpenRegularFile(file, maxBytes, links, expected);

  // One byte more than the size shows the end at once; a file that grows meanwhile makes the
  // buffer grow, up to the limit.
  std::vector<std::uint8_t> bytes(expected + 1);
  std::size_t size = 0;
  for (;;) {
    if (size == bytes.size()) {
      if (size > maxBytes) TooLarge(file, maxBytes);
      bytes.resize(std::min(2 * bytes.size(), maxBytes + 1));
    }
    const ssize_t got = ::read(fd.get(), bytes.data() + size, bytes.size() - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      ThrowSystemError(file, errno);
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  if (size > maxBytes) TooLarge(file, maxBytes);
  bytes.resize(size);
  return bytes;
}

MappedFile::MappedFile(const std::filesystem::path& file, std::size_t maxBytes, Links links) {
  const Descriptor fd = OpenRegularFile(file, maxBytes, links, size_);
  if (size_ == 0) return;
  void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd.get(), 0);
  if (data == MAP_FAILED) ThrowSystemError(file, errno);
  data_ = static_cast<const std::uint8_t*>(data);
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) ::munmap(const_cast<std::uint8_t*>(data_), size_);
}

}  // namespace quillora::base
