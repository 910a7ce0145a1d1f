#pragma once
// An open file descriptor that closes itself, with the file's name for its messages.
#include <cstdint>
#include <filesystem>
#include <span>

namespace quillora::base {

class Descriptor {
 public:
  Descriptor() = default;
  // Takes `fd` (may be negative: not open). `file` names it in messages.
  Descriptor(int fd, std::filesystem::path file) noexcept : fd_(fd), file_(std::move(file)) {}
  Descriptor(Descriptor&& other) noexcept;
  Descriptor& operator=(Descriptor&& other) noexcept;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor();

  bool isOpen() const noexcept { return fd_ >= 0; }
  int get() const noexcept { return fd_; }
  const std::filesystem::path& file() const noexcept { return file_; }

  // Writes every byte, retrying after interruptions; throws FileError.
  void WriteAll(std::span<const std::uint8_t> bytes);
  // Waits until the data is on the disk; throws FileError.
  void Sync();
  // Closes now; throws FileError when the system reports the data was not written.
  void Close();

 private:
  int fd_ = -1;
  std::filesystem::path file_;
};

}  // namespace quillora::base
