// File reads and atomic replacement (POSIX).
#include "spreadsheet/automation/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <stdexcept>

namespace quillora::engine::automation {
namespace {

// Files larger than this are no workbook this program can have written or will read.
constexpr off_t kMaxFileSize = off_t{512} * 1024 * 1024;

std::runtime_error SystemError(int error) { return std::runtime_error(std::strerror(error)); }

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports a failed close (data not written).
  void Close() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw SystemError(errno);
  }

 private:
  int fd_;
};

std::string TemporaryName(const std::string& path) {
  static const char kDigits[] = "0123456789abcdef";
  std::random_device device;
  std::string name = path + ".~";
  for (int i = 0; i < 12; ++i) name += kDigits[device() % 16];
  return name + ".tmp";
}

void WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      throw SystemError(errno);
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  if (path.empty()) throw std::runtime_error("no file name given");
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw SystemError(errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) throw SystemError(errno);
  if (S_ISDIR(info.st_mode)) throw std::runtime_error("it is a folder");
  if (!S_ISREG(info.st_mode)) throw std::runtime_error("not a regular file");
  if (info.st_size > kMaxFileSize) throw std::runtime_error("the file is larger than any workbook this program reads");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw SystemError(errno);
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

void ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (path.empty()) throw std::runtime_error("no file name given");
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = TemporaryName(path);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) throw SystemError(errno);
  }
  if (fd < 0) throw std::runtime_error("no free temporary name beside the file");
  try {
    Descriptor file(fd);
    WriteAll(file.get(), bytes);
    // Only a file that replaces another must reach the disk before the rename: a crash must
    // never leave the name with less than the old content. A new name has nothing to lose.
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0 && ::fsync(file.get()) != 0) throw SystemError(errno);
    file.Close();
    if (::rename(temporary.c_str(), path.c_str()) != 0) throw SystemError(errno);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
}

}  // namespace quillora::engine::automation
