#pragma once
// Compound files: the container that holds a workbook's `Workbook` stream.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "spreadsheet/model/CompoundEntries.h"
#include "spreadsheet/base/Error.h"

namespace quillora::engine {

// A malformed, truncated or foreign compound file.
class CompoundFileError : public Error {
 public:
  using Error::Error;
};

// Reads version 3 (512-byte sectors) and version 4 (4096-byte sectors) compound files.
// The constructor checks the header, the DIFAT, FAT, mini FAT and directory against the
// file; every chain is followed with a bound and a visited set, so a cycle, a sector
// outside the file or a stream longer than its chain is refused with CompoundFileError.
// The bytes passed in must outlive the reader.
class CompoundFileReader {
 public:
  explicit CompoundFileReader(std::span<const std::uint8_t> file);

  // Names of the streams directly below the root storage, in directory order.
  std::vector<std::string> StreamNames() const;
  // The stream named `name` (compared without regard to ASCII case) below the root, or
  // nothing when there is none.
  std::optional<std::vector<std::uint8_t>> ReadStream(std::string_view name) const;

  // Every storage below the root, each before its contents, in directory order.
  std::vector<CompoundStorage> Storages() const;
  // Every stream inside those storages (not the streams directly below the root), with its
  // data. A directory entry reached twice or a tree deeper than the directory is refused.
  std::vector<CompoundStream> NestedStreams() const;

  int MajorVersion() const { return major_version_; }

 private:
  struct Entry {
    std::string name;
    std::uint8_t type = 0;
    std::uint32_t left = 0, right = 0, child = 0;
    std::uint32_t start = 0;
    std::uint64_t size = 0;
    std::array<std::uint8_t, 16> classId{};
  };
  // A storage or stream found below the root, with the storages above it.
  struct Placed {
    std::uint32_t id;
    std::vector<std::string> storage;
  };

  // A whole sector; with `allow_short` the last sector of the file may end early (its
  // bytes up to the end of the file), which some writers leave unpadded.
  std::span<const std::uint8_t> Sector(std::uint32_t index, bool allow_short = false) const;
  std::vector<std::uint32_t> Chain(const std::vector<std::uint32_t>& table, std::uint32_t start,
                                   std::uint64_t limit, const char* what) const;
  std::vector<std::uint8_t> ReadChain(std::uint32_t start, std::uint64_t size,
                                      const char* what) const;
  // The children of storage entry `parent` in name order; `seen` is shared across calls so
  // that an entry belonging to two storages is refused.
  std::vector<std::uint32_t> Children(std::uint32_t parent, std::vector<bool>& seen) const;
  // The root's children, walked once by the constructor; a tree that cannot be walked is
  // reported by the calls that need it.
  const std::vector<std::uint32_t>& RootChildren() const;
  // Every entry inside the root's storages, depth first.
  std::vector<Placed> NestedEntries() const;
  std::vector<std::uint8_t> ReadEntry(const Entry& entry) const;

  std::span<const std::uint8_t> file_;
  int major_version_ = 3;
  std::uint32_t sector_size_ = 512;
  std::uint32_t mini_cutoff_ = 4096;
  std::uint64_t sector_count_ = 0;  // sectors that start inside the file
  std::vector<std::uint32_t> fat_;
  std::vector<std::uint32_t> mini_fat_;
  std::vector<Entry> entries_;
  std::vector<std::uint8_t> mini_stream_;
  std::vector<std::uint32_t> root_children_;
  std::string root_problem_;  // why the root's tree cannot be walked
  // Streams below the root by upper-cased name, the first in directory order for each name.
  std::unordered_map<std::string, std::uint32_t> root_streams_;
};

// Writes a version 3 compound file holding `streams`, inside their storages, and the storages
// listed (a storage a stream names but the list leaves out is made with no class). Streams
// shorter than 4096 bytes live in the mini stream, as the format requires. Throws
// CompoundFileError for a name longer than 31 characters or an entry named twice.
std::vector<std::uint8_t> WriteCompoundFile(const std::vector<CompoundStream>& streams,
                                            const std::vector<CompoundStorage>& storages = {});

// True when `bytes` starts with the compound file signature.
bool HasCompoundFileSignature(std::span<const std::uint8_t> bytes);

}  // namespace quillora::engine
