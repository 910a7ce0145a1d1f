#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace quillora {

// True when the file system can tell the date of the file at `path`; never throws.
// An empty path, a missing file and a path in a missing folder are all false.
bool FileExists(const std::filesystem::path& path) noexcept;

// Creates `path` exclusively (O_CREAT|O_EXCL|O_NOFOLLOW, mode 0600) and writes all bytes.
// Refuses an existing file and any link, dangling or not. Throws std::runtime_error with
// the path and the system's reason.
void WriteBytesToFile(std::span<const std::uint8_t> bytes, const std::filesystem::path& path);

// An open file descriptor created exclusively; closed on destruction.
class ExclusiveFile {
 public:
  // Creates `path` as a new file that never follows a link; throws when it exists.
  explicit ExclusiveFile(const std::filesystem::path& path);
  ExclusiveFile(const ExclusiveFile&) = delete;
  ExclusiveFile& operator=(const ExclusiveFile&) = delete;
  ~ExclusiveFile();

  void write(std::span<const std::uint8_t> bytes);
  // Closes; throws when the system reports that the data could not be written.
  void close();

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

// The whole content of a regular file; throws with the path and reason on failure.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

// True when `path` is a regular file (not a link) owned by the current user.
bool IsOwnRegularFile(const std::filesystem::path& path) noexcept;

// "<what> <path>: <reason>" from errno, as the message of a failure.
std::string SystemFailure(const std::string& what, const std::filesystem::path& path, int error);

}  // namespace quillora
