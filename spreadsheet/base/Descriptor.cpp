#include "spreadsheet/base/Descriptor.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "spreadsheet/base/FileError.h"

namespace quillora::base {

Descriptor::Descriptor(Descriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), file_(std::move(other.file_)) {}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    file_ = std::move(other.file_);
  }
  return *this;
}

Descriptor::~Descriptor() {
  if (fd_ >= 0) ::close(fd_);
}

void Descriptor::WriteAll(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      ThrowSystemError(file_, errno);
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
}

void Descriptor::Sync() {
  if (::fsync(fd_) != 0) ThrowSystemError(file_, errno);
}

void Descriptor::Close() {
  const int fd = std::exchange(fd_, -1);
  if (fd >= 0 && ::close(fd) != 0) ThrowSystemError(file_, errno);
}

}  // namespace quillora::base
