#pragma once
// The one way the program reads a file whole: only a regular file, only up to a size.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace quillora::base {

// Size limits by kind of file, generous for anything the program itself writes.
inline constexpr std::size_t kMaxWorkbookBytes = std::size_t{512} << 20;
inline constexpr std::size_t kMaxPictureBytes = std::size_t{256} << 20;
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{16} << 20;

enum class Links { Follow, Refuse };

// The bytes of the regular file at `file`. The file is opened without blocking (a FIFO never
// stalls the read), checked on the open descriptor, and refused with one FileError line when
// it is a folder, a device, a FIFO or a socket, when it is larger than `maxBytes`, or (with
// Links::Refuse) when `file` is a symbolic link.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& file, std::size_t maxBytes,
                                        Links links = Links::Follow);

// The bytes of the regular file at `file`, mapped read-only rather than copied: for a large
// file the program wrote into its own private folder and reads straight back. Opened and
// refused as ReadWholeFile does. Another process must not shorten the file while it is
// mapped (reading past a new end stops the process), so files others may write are read
// with ReadWholeFile.
class MappedFile {
 public:
  MappedFile(const std::filesystem::path& file, std::size_t maxBytes, Links links = Links::Follow);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace quillora::base
